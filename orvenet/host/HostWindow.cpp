#include "orvenet/host/HostWindow.h"

#include "orvenet/host/ShippedPlugIn.h"
#include "orvenet/host/ViewHostSite.h"
#include "orvenet/sdk/CommandIds.h"
#include "platform/LanguageLibrary.h"
#include "platform/com/Activation.h"
#include "platform/com/ComPtr.h"
#include "platform/registry/Registry.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QListWidget>
#include <QMenuBar>
#include <QPixmap>
#include <QStatusBar>
#include <QStyle>
#include <QTimer>
#include <QToolBar>

namespace {

constexpr int kToolbarRefreshMs = 250;
constexpr int kPlugInBarWidth = 150;

// Button faces when a plug-in's resource module has no bitmap for them.
QIcon FallbackFace(const QStyle *style, uint32_t command)
{
    switch (command) {
    case CommandId::New:
        return style->standardIcon(QStyle::SP_FileIcon);
    case CommandId::Open:
        return style->standardIcon(QStyle::SP_DialogOpenButton);
    case CommandId::Save:
        return style->standardIcon(QStyle::SP_DialogSaveButton);
    case CommandId::Send:
        return style->standardIcon(QStyle::SP_ArrowRight);
    default:
        return style->standardIcon(QStyle::SP_FileDialogDetailedView);
    }
}

} // namespace

CHostWindow::CHostWindow()
    : m_viewArea(new QWidget)
    , m_plugInBar(new QListWidget)
{
    // A plug-in marks unsaved work with the placeholder.
    setWindowTitle(QStringLiteral("Orvenet[*]"));
    auto *central = new QWidget;
    auto *layout = new QHBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    m_plugInBar->setObjectName(QStringLiteral("plugInBar"));
    m_plugInBar->setFixedWidth(kPlugInBarWidth);
    m_plugInBar->setIconSize(QSize(32, 32));
    m_viewArea->setObjectName(QStringLiteral("viewArea"));
    layout->addWidget(m_plugInBar);
    layout->addWidget(m_viewArea, 1);
    setCentralWidget(central);
    m_viewArea->installEventFilter(this);
    connect(m_plugInBar, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row >= 0 && row != m_active)
            SwitchTo(row);
    });
    BuildMenus();
    statusBar()->showMessage(QString());

    auto *refresh = new QTimer(this);
    connect(refresh, &QTimer::timeout, this, &CHostWindow::UpdateToolbarStates);
    refresh->start(kToolbarRefreshMs);
}

CHostWindow::~CHostWindow()
{
    ClosePlugIns();
}

void CHostWindow::BuildMenus()
{
    QMenu *file = menuBar()->addMenu(QStringLiteral("&File"));
    AddCommand(file, QStringLiteral("&New"), CommandId::New, QKeySequence(Qt::CTRL | Qt::Key_N));
    AddCommand(file, QStringLiteral("&Open..."), CommandId::Open,
               QKeySequence(Qt::CTRL | Qt::Key_O));
    AddCommand(file, QStringLiteral("&Save"), CommandId::Save, QKeySequence(Qt::CTRL | Qt::Key_S));
    AddCommand(file, QStringLiteral("Save &As..."), CommandId::SaveAs);
    file->addSeparator();
    AddCommand(file, QStringLiteral("&Print..."), CommandId::MenuPrint,
               QKeySequence(Qt::CTRL | Qt::Key_P));
    AddCommand(file, QStringLiteral("Print Pre&view"), CommandId::PrintPreview);
    AddCommand(file, QStringLiteral("P&rint Setup..."), CommandId::PrintSetup);
    file->addSeparator();
    file->addAction(QStringLiteral("E&xit"), this, &QWidget::close);

    QMenu *edit = menuBar()->addMenu(QStringLiteral("&Edit"));
    AddCommand(edit, QStringLiteral("&Undo"), CommandId::Undo, QKeySequence(Qt::CTRL | Qt::Key_Z));
    QAction *redo = AddCommand(edit, QStringLiteral("&Redo"), CommandId::Redo,
                               QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z));
    redo->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
    edit->addSeparator();
    AddCommand(edit, QStringLiteral("Cu&t"), CommandId::Cut, QKeySequence(Qt::CTRL | Qt::Key_X));
    AddCommand(edit, QStringLiteral("&Copy"), CommandId::Copy, QKeySequence(Qt::CTRL | Qt::Key_C));
    AddCommand(edit, QStringLiteral("&Paste"), CommandId::Paste,
               QKeySequence(Qt::CTRL | Qt::Key_V));
    AddCommand(edit, QStringLiteral("&Delete"), CommandId::Delete, QKeySequence(Qt::Key_Delete));
    edit->addSeparator();
    AddCommand(edit, QStringLiteral("Select &All"), CommandId::SelectAll,
               QKeySequence(Qt::CTRL | Qt::Key_A));

    // The plug-in adds the send item's accelerator text itself.
    QMenu *tools = menuBar()->addMenu(QStringLiteral("&Tools"));
    QAction *send = AddCommand(tools, QStringLiteral("S&end"), CommandId::MenuSend);
    send->setShortcut(QKeySequence(Qt::Key_F5));
    send->setShortcutVisibleInContextMenu(false);
    QMenu *options = tools->addMenu(QStringLiteral("Send &Via"));
    auto *group = new QActionGroup(options);
    const std::pair<const char *, uint32_t> sendOptions[] = {
        {"&Cable, Infrared or Bluetooth", CommandId::SendOption1},
        {"&Over the Air", CommandId::SendOption2},
        {"&Provisioning Service", CommandId::SendOption3}};
    for (const auto &[text, command] : sendOptions) {
        QAction *option = AddCommand(options, QString::fromLatin1(text), command);
        option->setCheckable(true);
        group->addAction(option);
    }
    tools->addSeparator();
    AddCommand(tools, QStringLiteral("Show Activity &Log"), CommandId::ShowActivityLog);

    QMenu *help = menuBar()->addMenu(QStringLiteral("&Help"));
    QAction *topics = help->addAction(QStringLiteral("&Help Topics"));
    topics->setShortcut(QKeySequence(Qt::Key_F1));
    connect(topics, &QAction::triggered, this, [this] {
        if (m_active >= 0)
            m_plugIns[static_cast<std::size_t>(m_active)]->plugIn->Help();
    });
    m_aboutAction = help->addAction(QStringLiteral("&About"));
    connect(m_aboutAction, &QAction::triggered, this, [this] {
        if (m_active >= 0)
            m_plugIns[static_cast<std::size_t>(m_active)]->plugIn->About();
    });

    for (QMenu *menu : {file, edit, tools, options, help}) {
        connect(menu, &QMenu::aboutToShow, this, [this, menu] { PrepareMenu(menu); });
        // Outside the menu, accelerators ask the plug-in when they fire.
        connect(menu, &QMenu::aboutToHide, this, [this] {
            for (QAction *action : m_commandActions)
                action->setEnabled(true);
        });
    }
}

QAction *CHostWindow::AddCommand(QMenu *menu, const QString &text, uint32_t command,
                                 const QKeySequence &shortcut)
{
    QAction *action = menu->addAction(text);
    action->setData(command);
    action->setShortcut(shortcut);
    connect(action, &QAction::triggered, this, [this, command] { RouteCommand(command); });
    m_commandActions.append(action);
    return action;
}

QAction *CHostWindow::CommandAction(uint32_t command) const
{
    for (QAction *action : m_commandActions) {
        if (action->data().toUInt() == command)
            return action;
    }
    return nullptr;
}

void CHostWindow::PrepareMenu(QMenu *menu)
{
    IViewPlugin *plugIn =
        m_active >= 0 ? m_plugIns[static_cast<std::size_t>(m_active)]->plugIn.Get() : nullptr;
    for (QAction *action : menu->actions()) {
        if (!m_commandActions.contains(action))
            continue;
        int32_t state = ViewCommandState::Disabled;
        if (plugIn)
            plugIn->GetCommandState(action->data().toUInt(), &state);
        action->setEnabled(state == ViewCommandState::Enabled);
    }
    if (plugIn)
        plugIn->PrepareMenu(menu);
}

void CHostWindow::RouteCommand(uint32_t command)
{
    if (m_active < 0)
        return;
    IViewPlugin *plugIn = m_plugIns[static_cast<std::size_t>(m_active)]->plugIn.Get();
    int32_t state = ViewCommandState::Disabled;
    plugIn->GetCommandState(command, &state);
    if (state == ViewCommandState::Enabled)
        plugIn->Execute(command);
}

void CHostWindow::UpdateToolbarStates()
{
    if (m_active < 0)
        return;
    IViewPlugin *plugIn = m_plugIns[static_cast<std::size_t>(m_active)]->plugIn.Get();
    for (const auto &[id, toolbar] : m_toolbars) {
        for (QAction *action : toolbar.bar->actions()) {
            int32_t state = ViewCommandState::Disabled;
            plugIn->GetCommandState(action->data().toUInt(), &state);
            action->setEnabled(state == ViewCommandState::Enabled);
        }
    }
}

void CHostWindow::UpdateStatusTexts()
{
    for (QAction *action : m_commandActions) {
        uint32_t id = 0;
        if (m_active >= 0)
            m_plugIns[static_cast<std::size_t>(m_active)]->plugIn->GetCommandString(
                action->data().toUInt(), ViewCommandText::Description, &id);
        action->setStatusTip(id ? PlugInText(m_active, id) : QString());
    }
}

QString CHostWindow::PlugInText(int plugIn, uint32_t id) const
{
    const CPlugIn &entry = *m_plugIns[static_cast<std::size_t>(plugIn)];
    if (!entry.resources)
        return QString();
    char16_t buffer[2048] = {};
    const int length = entry.resources->LoadString(id, buffer, 2048);
    return QString::fromUtf16(buffer, length);
}

int CHostWindow::LoadPlugIns()
{
    const QStringList progIds = CRegistry().SubKeys(QString::fromUtf16(kViewPlugInsKey));
    for (const QString &progId : progIds)
        StartPlugIn(progId);
    if (!m_plugIns.empty())
        m_plugInBar->setCurrentRow(0);
    return PlugInCount();
}

bool CHostWindow::StartPlugIn(const QString &progId)
{
    CLSID clsid{};
    const std::u16string name = progId.toStdU16String();
    if (FAILED(ClsidFromProgId(name.c_str(), &clsid)))
        return false;
    auto entry = std::make_unique<CPlugIn>();
    entry->progId = progId;
    entry->clsid = clsid;
    if (FAILED(CreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IViewPlugin,
                              entry->plugIn.ReceiveVoid())) ||
        !entry->plugIn)
        return false;
    IViewPlugin *plugIn = entry->plugIn.Get();
    int32_t result = 0, flagA = 0, flagB = 0;
    if (plugIn->Initialize(this, 0, &result, &flagA, &flagB) != S_OK)
        return false;

    char16_t path[1024] = {};
    uint32_t pathLength = 0;
    if (SUCCEEDED(plugIn->GetResourceModule(0, &flagA, &flagB, path, 1024, &pathLength)) &&
        pathLength)
        entry->resources = CLanguageLibrary::Open(QString::fromUtf16(path));

    const int index = PlugInCount();
    m_plugIns.push_back(std::move(entry));
    CPlugIn &started = *m_plugIns.back();
    uint32_t nameId = 0, imageId = 0;
    plugIn->GetNameId(&nameId);
    plugIn->GetImageId(&imageId);
    started.name = nameId ? PlugInText(index, nameId) : progId;
    if (started.name.isEmpty())
        started.name = progId;
    QPixmap image;
    if (started.resources && imageId)
        image.loadFromData(started.resources->LoadImage(imageId));
    auto *item = new QListWidgetItem(started.name);
    if (!image.isNull())
        item->setIcon(QIcon(image));
    m_plugInBar->addItem(item);

    // The site is the plug-in's to release.
    CComPtr<IViewHost> site;
    CreateComObject<CViewHostSite>(nullptr, IID_IViewHost, site.ReceiveVoid(), this, index);
    plugIn->SetHost(site.Detach());
    const QList<QWidget *> before = m_viewArea->findChildren<QWidget *>(Qt::FindDirectChildrenOnly);
    plugIn->CreateView(m_viewArea, 0, 0, m_viewArea->width(), m_viewArea->height());
    for (QWidget *child : m_viewArea->findChildren<QWidget *>(Qt::FindDirectChildrenOnly)) {
        if (!before.contains(child))
            started.view = child;
    }
    plugIn->SetState(ViewState::Ready, &result);
    return true;
}

void CHostWindow::SwitchTo(int plugIn)
{
    if (plugIn < 0 || plugIn >= PlugInCount() || plugIn == m_active)
        return;
    if (m_active >= 0 && m_active != plugIn)
        m_plugIns[static_cast<std::size_t>(m_active)]->plugIn->Deactivate();
    m_active = plugIn;
    CPlugIn &entry = *m_plugIns[static_cast<std::size_t>(plugIn)];
    entry.plugIn->MoveView(0, 0, 0, m_viewArea->width(), m_viewArea->height());
    entry.plugIn->Activate();
    // The keyboard belongs to the view shown, not to the plug-in bar.
    if (entry.view)
        entry.view->setFocus(Qt::OtherFocusReason);
    setWindowTitle(entry.name + QStringLiteral(" - Orvenet"));
    m_aboutAction->setText(QStringLiteral("&About ") + entry.name);
    UpdateStatusTexts();
    if (m_plugInBar->currentRow() != plugIn)
        m_plugInBar->setCurrentRow(plugIn);
}

HRESULT CHostWindow::CreateToolbar(int, uint16_t *toolbarId)
{
    const uint16_t id = m_nextToolbarId++;
    CToolbar &toolbar = m_toolbars[id];
    toolbar.bar = new QToolBar(this);
    toolbar.bar->setObjectName(QStringLiteral("toolbar%1").arg(id));
    toolbar.bar->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    toolbar.bar->hide();
    *toolbarId = id;
    return S_OK;
}

HRESULT CHostWindow::SetToolbarBitmap(int plugIn, uint16_t toolbarId, int buttonCount,
                                      uint32_t bitmapId)
{
    const auto found = m_toolbars.find(toolbarId);
    if (found == m_toolbars.end() || buttonCount <= 0)
        return E_INVALIDARG;
    const CPlugIn &entry = *m_plugIns[static_cast<std::size_t>(plugIn)];
    QPixmap strip;
    if (entry.resources)
        strip.loadFromData(entry.resources->LoadImage(bitmapId));
    found->second.faces.clear();
    if (strip.isNull())
        return S_OK;
    // A library may add the strip at double size, for high-density screens.
    QPixmap doubled;
    doubled.loadFromData(entry.resources->LoadImage(bitmapId + kDoubleSizeImageOffset));
    if (doubled.size() != strip.size() * 2)
        doubled = QPixmap();
    const int width = strip.width() / buttonCount;
    for (int face = 0; face < buttonCount; ++face) {
        QIcon icon(strip.copy(face * width, 0, width, strip.height()));
        if (!doubled.isNull())
            icon.addPixmap(doubled.copy(face * width * 2, 0, width * 2, doubled.height()));
        found->second.faces.push_back(icon);
    }
    return S_OK;
}

HRESULT CHostWindow::AddToolbarButton(int plugIn, uint16_t toolbarId, int position,
                                      uint32_t command)
{
    const auto found = m_toolbars.find(toolbarId);
    if (found == m_toolbars.end())
        return E_INVALIDARG;
    const CToolbar &toolbar = found->second;
    IViewPlugin *owner = m_plugIns[static_cast<std::size_t>(plugIn)]->plugIn.Get();
    uint32_t shortId = 0, descriptionId = 0;
    owner->GetCommandString(command, ViewCommandText::ShortText, &shortId);
    owner->GetCommandString(command, ViewCommandText::Description, &descriptionId);
    const QIcon face = position >= 0 && position < static_cast<int>(toolbar.faces.size())
                           ? toolbar.faces[static_cast<std::size_t>(position)]
                           : FallbackFace(style(), command);
    QAction *button =
        toolbar.bar->addAction(face, shortId ? PlugInText(plugIn, shortId) : QString());
    button->setData(command);
    button->setStatusTip(descriptionId ? PlugInText(plugIn, descriptionId) : QString());
    connect(button, &QAction::triggered, this, [this, command] { RouteCommand(command); });
    return S_OK;
}

HRESULT CHostWindow::ShowToolbar(uint16_t toolbarId)
{
    const auto found = m_toolbars.find(toolbarId);
    if (found == m_toolbars.end())
        return E_INVALIDARG;
    addToolBar(Qt::TopToolBarArea, found->second.bar);
    found->second.bar->show();
    UpdateToolbarStates();
    return S_OK;
}

HRESULT CHostWindow::SetToolbarCaption(uint16_t toolbarId, const QString &caption)
{
    const auto found = m_toolbars.find(toolbarId);
    if (found == m_toolbars.end())
        return E_INVALIDARG;
    found->second.bar->setWindowTitle(caption);
    return S_OK;
}

HRESULT CHostWindow::RemoveToolbar(uint16_t toolbarId)
{
    const auto found = m_toolbars.find(toolbarId);
    if (found == m_toolbars.end())
        return E_INVALIDARG;
    removeToolBar(found->second.bar);
    found->second.bar->deleteLater();
    m_toolbars.erase(found);
    return S_OK;
}

int CHostWindow::FindPlugIn(const QString &progId) const
{
    // A plug-in is listed by one ProgID and may name itself by another of its
    // class: they meet at the class identifier.
    CLSID clsid{};
    const std::u16string name = progId.toStdU16String();
    const bool known = SUCCEEDED(ClsidFromProgId(name.c_str(), &clsid));
    for (int index = 0; index < PlugInCount(); ++index) {
        const CPlugIn &entry = *m_plugIns[static_cast<std::size_t>(index)];
        if (entry.progId.compare(progId, Qt::CaseInsensitive) == 0 ||
            (known && entry.clsid == clsid))
            return index;
    }
    return -1;
}

bool CHostWindow::IsPlugInActive(const QString &progId) const
{
    return m_active >= 0 && FindPlugIn(progId) == m_active;
}

HRESULT CHostWindow::ActivatePlugIn(const QString &progId)
{
    const int index = FindPlugIn(progId);
    if (index < 0)
        return E_INVALIDARG;
    // Often asked while the host is still switching away: switch back once
    // that has finished.
    QTimer::singleShot(0, this, [this, index] { SwitchTo(index); });
    return S_OK;
}

void CHostWindow::OpenConfigurationFile(const QString &path)
{
    CRegistry().SetValue(QString::fromUtf16(kShippedPlugInRequestKey),
                         QString::fromUtf16(kShippedPlugInRequestValue),
                         QFileInfo(path).absoluteFilePath());
    const int index = FindPlugIn(QString::fromUtf16(kShippedPlugInProgId));
    if (index < 0)
        return;
    // The plug-in takes a request when it is activated: an active one is
    // activated anew.
    if (index == m_active) {
        m_plugIns[static_cast<std::size_t>(index)]->plugIn->Deactivate();
        m_active = -1;
    }
    SwitchTo(index);
}

void CHostWindow::BringToFront()
{
    setWindowState((windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
    show();
    raise();
    activateWindow();
}

void CHostWindow::closeEvent(QCloseEvent *event)
{
    // A plug-in with unsaved work may keep the window open.
    for (const auto &entry : m_plugIns) {
        CComPtr<IViewPluginClose> asking;
        int32_t mayClose = 1;
        if (SUCCEEDED(entry->plugIn->QueryInterface(IID_IViewPluginClose, asking.ReceiveVoid())) &&
            asking && SUCCEEDED(asking->QueryClose(&mayClose)) && !mayClose) {
            event->ignore();
            return;
        }
    }
    ClosePlugIns();
    event->accept();
}

bool CHostWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_viewArea && event->type() == QEvent::Resize) {
        for (int index = 0; index < PlugInCount(); ++index)
            m_plugIns[static_cast<std::size_t>(index)]->plugIn->MoveView(
                index == m_active ? 0 : 1, 0, 0, m_viewArea->width(), m_viewArea->height());
    }
    return QMainWindow::eventFilter(watched, event);
}

void CHostWindow::ClosePlugIns()
{
    for (const auto &entry : m_plugIns)
        entry->plugIn->Close();
    m_active = -1;
    // Releasing the plug-ins destroys their views, which live in the view
    // area: before the window goes.
    m_plugIns.clear();
}
