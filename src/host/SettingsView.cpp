#include "host/SettingsView.h"

#include "document/DocumentCommands.h"
#include "document/DocumentNames.h"
#include "document/IncludeToggle.h"
#include "document/ItemClipboard.h"
#include "host/HostCommandIds.h"
#include "host/MessageBoxPort.h"
#include "host/ProvixApp.h"
#include "host/ServerActivation.h"
#include "platform/LanguageLibrary.h"
#include "platform/ProgramFolder.h"
#include "settings/Labels.h"
#include "settings/SettingNode.h"
#include "settings/StringIds.h"
#include "ui/controls/ControlIds.h"
#include "ui/controls/ShownLabel.h"
#include "ui/dialogs/AboutDlg.h"
#include "ui/editor/InPlaceEditing.h"
#include "ui/editor/SettingsTreeCtrl.h"
#include "ui/print/ViewPrinting.h"
#include "ui/problems/ProblemsModel.h"
#include "ui/problems/ProblemsPanel.h"
#include "ui/send/ViewSending.h"
#include "ui/variants/VariantsDlg.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QDialog>
#include <QFile>
#include <QFileInfo>
#include <QHideEvent>
#include <QLineEdit>
#include <QMainWindow>
#include <QMessageBox>
#include <QMimeData>
#include <QPainter>
#include <QScreen>
#include <QShowEvent>
#include <QStandardPaths>
#include <QStatusBar>
#include <QStyle>
#include <QTextBrowser>
#include <QTimer>

#include <algorithm>
#include <iterator>

namespace {

constexpr int kHeaderMargin = 8;
// The problems panel takes this share of the view's width, and never less
// than its choices need.
constexpr int kProblemsPercent = 50;
// How often the modified mark is brought up to date.
constexpr int kModifiedPollMs = 200;
// The clipboard format of items: a configuration text of their own.
constexpr char kItemsMimeType[] = "application/x-provana-configuration";
constexpr char16_t kAskBeforeDeleteValue[] = u"AskBeforeDelete";
} // namespace

CSettingsView::CSettingsView(CProvixApp &app, QWidget *parent)
    : QWidget(parent)
    , m_app(app)
    , m_fileDialogs(this)
    , m_normalFont(font())
    , m_boldFont(font())
    , m_headerLabel(ShownLabel(&app.Application(), HostTextId::HeaderLabel))
    , m_tree(new CSettingsTreeCtrl([&app](unsigned id) { return app.LoadImage(id); }, this))
    , m_problems(new CProblemsPanel(&app.Application(), this))
    , m_problemsAction(new QAction(ShownLabel(&app.Application(), StringId::ProblemsMenu), this))
    , m_variantsAction(new QAction(ShownLabel(&app.Application(), StringId::VariantsMenu), this))
    , m_askBeforeDelete(
          new QAction(ShownLabel(&app.Application(), StringId::AskBeforeDeleting), this))
{
    setObjectName(ControlObjectName(ControlId::SettingsView));
    m_boldFont.setWeight(QFont::Bold);
    m_tree->setObjectName(ControlObjectName(ControlId::SettingsTree));
    m_tree->setFont(m_normalFont);
    // The host gives the view the keyboard; the tree is what takes it.
    setFocusProxy(m_tree);

    const QFontMetrics metrics(m_normalFont);
    m_tree->SetFontHeight(metrics.height() + metrics.leading());

    CDocumentPorts ports;
    ports.fileDialogs = &m_fileDialogs;
    ports.waitCursor = &m_waitCursor;
    ports.store = &m_store;
    m_shell.SetOwner(this);
    ports.shell = &m_shell;
    ports.messages = app.Application().GetMessagePort();
    m_commands = std::make_unique<CDocumentCommands>(
        app.Document(), &app.Application(), ports, ProgramFolder(),
        QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation));
    m_tree->SetDocument(&app.Document());
    // After the tree's model, so the panel hears each report once the tree
    // shows it.
    app.Document().AddObserver(m_problems->Model());
    m_problems->Model()->TreeReplaced(app.Document().GetRoot());
    m_problems->hide();
    m_problemsAction->setCheckable(true);
    connect(m_problemsAction, &QAction::toggled, this, &CSettingsView::ShowProblems);
    connect(m_problems, &CProblemsPanel::hideRequested, this, [this] { ShowProblems(false); });
    connect(m_problems, &CProblemsPanel::settingActivated, this, &CSettingsView::EditSetting);
    connect(m_variantsAction, &QAction::triggered, this, &CSettingsView::MakeVariants);
    m_tree->Editing()->SetFolderSource([this] { return m_commands->CurrentFolder(); });
    m_printing = std::make_unique<CViewPrinting>(&app.Application(), this, m_tree,
                                                 [this] { return m_commands->FileName(); });
    m_sending = std::make_unique<CViewSending>(&app.Application(), this, nullptr);
    m_sending->SetServerFactory(ActivateConnectivityServer);
    m_sending->SetRefusalListener([this](const CSettingNode *failing) {
        ShowProblems(true);
        m_problems->OpenOn(failing);
        m_tree->SelectNode(failing);
        m_tree->setFocus();
    });

    connect(m_tree, &CSettingsTreeCtrl::helpRequested, this,
            [this](int context) { ShowHelp(context); });
    connect(m_tree, &CSettingsTreeCtrl::newRequested, this,
            [this] { ExecuteCommand(CommandId::New); });
    connect(m_tree, &CSettingsTreeCtrl::sendRequested, this,
            [this] { ExecuteCommand(CommandId::MenuSend); });
    connect(m_tree, &CSettingsTreeCtrl::printRequested, this,
            [this] { ExecuteCommand(CommandId::FramePrint); });

    if (auto *messages = dynamic_cast<CMessageBoxPort *>(app.Application().GetMessagePort()))
        messages->SetParent(this);

    const QString key = QString::fromUtf16(kProvanaRegistryKey);
    const QString value = QString::fromUtf16(kAskBeforeDeleteValue);
    m_askBeforeDelete->setCheckable(true);
    m_askBeforeDelete->setChecked(m_store.ReadString(key, value).value_or(QString()) != u"0");
    connect(m_askBeforeDelete, &QAction::toggled, this, [this, key, value](bool ask) {
        m_store.WriteString(key, value, ask ? QStringLiteral("1") : QStringLiteral("0"));
    });
    m_tree->SetDeleteConfirmation(
        [this](const std::vector<const CSettingNode *> &items) { return ConfirmDelete(items); });
    auto *modified = new QTimer(this);
    connect(modified, &QTimer::timeout, this, &CSettingsView::ShowModified);
    modified->start(kModifiedPollMs);
}

CSettingsView::~CSettingsView()
{
    m_printing.reset();
    delete m_help;
    // The rows point at nodes of the document, which outlives the view.
    m_app.Document().RemoveObserver(m_problems->Model());
    m_tree->Clear();
}

void CSettingsView::SetServerCallback(CCallbackImpl *callback)
{
    m_sending->SetCallback(callback);
}

QWidget *CSettingsView::ModalChild() const
{
    // Dialogs are windows of their own, which isAncestorOf does not cross.
    QWidget *modal = QApplication::activeModalWidget();
    for (QWidget *widget = modal; widget; widget = widget->parentWidget()) {
        if (widget == this)
            return modal;
    }
    return nullptr;
}

QLineEdit *CSettingsView::FocusedTextField() const
{
    QWidget *focus = QApplication::focusWidget();
    if (!focus || !m_tree->isAncestorOf(focus))
        return nullptr;
    return qobject_cast<QLineEdit *>(focus);
}

bool CSettingsView::IsCommandEnabled(uint32_t command)
{
    // While the print preview is open, the view is busy: only the preview
    // command answers, and it brings the preview to the front.
    if (m_printing->IsPreviewOpen())
        return command == CommandId::PrintPreview;
    switch (command) {
    case CommandId::New:
    case CommandId::MenuNew:
    case CommandId::Save:
    case CommandId::MenuSave:
    case CommandId::Open:
    case CommandId::MenuOpen:
    case CommandId::SaveAs:
    case CommandId::ShowActivityLog:
    case CommandId::SelectAll:
    case CommandId::Print:
    case CommandId::MenuPrint:
    case CommandId::FramePrint:
    case CommandId::PrintPreview:
    case CommandId::PrintSetup:
        return true;
    case CommandId::MenuDelete:
    case CommandId::Delete:
    case CommandId::Cut:
        return m_tree->IsTextEditing() || m_tree->CanDelete();
    case CommandId::Copy:
        return m_tree->IsTextEditing() || m_tree->CanDelete();
    case CommandId::Paste:
        return true;
    case CommandId::Undo:
        return m_tree->IsTextEditing() || m_app.Document().CanUndo();
    case CommandId::Redo:
        return m_tree->IsTextEditing() || m_app.Document().CanRedo();
    case CommandId::Send:
    case CommandId::MenuSend:
        return AnyIncluded(m_app.Document().GetRoot());
    case CommandId::SendOption1:
    case CommandId::SendOption2:
    case CommandId::SendOption3:
        return true;
    default:
        return false;
    }
}

int CSettingsView::SendOption() const
{
    return m_sending->CurrentOption();
}

void CSettingsView::ExecuteCommand(uint32_t command)
{
    if (!IsCommandEnabled(command))
        return;
    QLineEdit *field = FocusedTextField();
    switch (command) {
    case CommandId::New:
    case CommandId::MenuNew:
        RunDocumentCommand([this] { m_commands->NewDocument(); });
        break;
    case CommandId::Save:
    case CommandId::MenuSave:
        RunDocumentCommand([this] { m_commands->SaveDocument(); });
        break;
    case CommandId::Open:
    case CommandId::MenuOpen:
        RunDocumentCommand([this] { m_commands->OpenDocument(); });
        break;
    case CommandId::SaveAs:
        RunDocumentCommand([this] { m_commands->SaveDocumentAs(); });
        break;
    case CommandId::ShowActivityLog:
        RunDocumentCommand(
            [this] { m_commands->ShowActivityLog(ConnectivityServerActivityLog()); });
        break;
    case CommandId::Print:
    case CommandId::MenuPrint:
        m_printing->Print();
        break;
    case CommandId::FramePrint:
        m_printing->Print(true);
        break;
    case CommandId::PrintPreview:
        m_printing->Preview();
        break;
    case CommandId::PrintSetup:
        m_printing->PrintSetup();
        break;
    case CommandId::Send:
    case CommandId::MenuSend:
        m_tree->CommitEdit();
        m_sending->Send(m_app.Document().GetRoot(), m_commands->FilePath(),
                        m_app.Document().ScrambleKeys());
        break;
    case CommandId::SendOption1:
        m_sending->SetOption(CViewSending::ThroughServer);
        break;
    case CommandId::SendOption2:
        m_sending->SetOption(CViewSending::OverTheAir);
        break;
    case CommandId::SendOption3:
        m_sending->SetOption(CViewSending::ProvisioningService);
        break;
    case CommandId::MenuDelete:
    case CommandId::Delete:
        if (m_tree->IsTextEditing()) {
            if (field)
                field->del();
        } else {
            m_tree->DeleteSelected();
        }
        break;
    case CommandId::Cut:
        if (field) {
            field->cut();
        } else if (!m_tree->IsTextEditing()) {
            CopySelected();
            m_tree->DeleteSelected(true);
        }
        break;
    case CommandId::Copy:
        if (field)
            field->copy();
        else if (!m_tree->IsTextEditing())
            CopySelected();
        break;
    case CommandId::Paste:
        if (field)
            field->paste();
        else if (!m_tree->IsTextEditing())
            Paste();
        break;
    case CommandId::Undo:
    case CommandId::Redo:
        if (field && command == CommandId::Undo)
            field->undo();
        else if (field)
            field->redo();
        else if (!m_tree->IsTextEditing() && command == CommandId::Undo)
            m_app.Document().Undo();
        else if (!m_tree->IsTextEditing())
            m_app.Document().Redo();
        break;
    case CommandId::SelectAll:
        if (m_tree->IsTextEditing()) {
            if (field)
                field->selectAll();
        } else {
            m_tree->SelectAll();
        }
        break;
    default:
        break;
    }
}

bool CSettingsView::QueryClose()
{
    if (!m_initialised)
        return true;
    m_tree->CommitEdit();
    return m_commands->QueryClose();
}

QString CSettingsView::UndoMenuText(bool redo) const
{
    const CSettingsDocument &document = m_app.Document();
    const QString step = redo ? document.RedoText() : document.UndoText();
    if (step.isEmpty())
        return ShownLabel(&m_app.Application(), redo ? StringId::RedoPlain : StringId::UndoPlain);
    return FormatLabel(&m_app.Application(), redo ? StringId::RedoMenu : StringId::UndoMenu,
                       {step});
}

bool CSettingsView::ConfirmDelete(const std::vector<const CSettingNode *> &items)
{
    if (!m_askBeforeDelete->isChecked())
        return true;
    const CApplication *application = &m_app.Application();
    QMessageBox box(
        QMessageBox::Question, ShownLabel(application, StringId::ViewName),
        items.size() == 1
            ? FormatLabel(application, StringId::MsgDeleteItem, {items.front()->GetLabel(true)})
            : FormatLabel(application, StringId::MsgDeleteItems, {static_cast<int>(items.size())}),
        QMessageBox::Yes | QMessageBox::No, this);
    box.setDefaultButton(QMessageBox::Yes);
    box.setCheckBox(new QCheckBox(ShownLabel(application, StringId::DoNotAskAgain)));
    if (box.exec() != QMessageBox::Yes)
        return false;
    if (box.checkBox()->isChecked())
        m_askBeforeDelete->setChecked(false);
    return true;
}

void CSettingsView::CopySelected()
{
    const std::vector<const CSettingNode *> items = m_tree->SelectedItems();
    if (items.empty())
        return;
    auto *copied = new QMimeData;
    copied->setData(QString::fromLatin1(kItemsMimeType), ItemsConfigurationText(items).toUtf8());
    copied->setText(ItemsListing(items));
    QApplication::clipboard()->setMimeData(copied);
}

void CSettingsView::Paste()
{
    const QMimeData *held = QApplication::clipboard()->mimeData();
    const QString mime = QString::fromLatin1(kItemsMimeType);
    // Configuration text pasted from elsewhere is taken as well.
    const QString text = held && held->hasFormat(mime) ? QString::fromUtf8(held->data(mime))
                         : held                        ? held->text()
                                                       : QString();
    CSettingsDocument &document = m_app.Document();
    if (document.AddItems(ItemsFromText(&m_app.Application(), text)) > 0)
        return;
    if (auto *main = qobject_cast<QMainWindow *>(window()))
        main->statusBar()->showMessage(
            ShownLabel(&m_app.Application(), StringId::MsgNothingToPaste), 5000);
}

void CSettingsView::ShowModified()
{
    const bool modified = m_app.Document().IsModified() != 0;
    if (modified == m_shownModified)
        return;
    m_shownModified = modified;
    // A window titled with Qt's placeholder shows the mark there.
    if (window()->windowTitle().contains(QStringLiteral("[*]")))
        window()->setWindowModified(modified);
    update(0, 0, width(), kHeaderHeight);
}

void CSettingsView::CloseView()
{
    if (!m_initialised)
        return;
    for (QDialog *dialog : findChildren<QDialog *>()) {
        if (dialog->isVisible())
            dialog->reject();
    }
    m_printing->ClosePreview();
    m_tree->CommitEdit();
    m_commands->CloseView();
}

void CSettingsView::ShowHelp()
{
    const QWidget *focus = QApplication::focusWidget();
    ShowHelp(focus && m_problems->isAncestorOf(focus) ? int(HelpContextId::Problems)
                                                      : m_tree->HelpContext());
}

void CSettingsView::ShowHelp(int context)
{
    OpenHelp(HasHelpTopic(context) ? context : 0);
}

// Topics are HTML files named by context beside the language library
// (help/279.html, help/index.html for the contents). Without them the window
// lists the categories by their labels, so that help always answers.
void CSettingsView::OpenHelp(int context)
{
    if (!m_help) {
        m_help = new QTextBrowser;
        m_help->setObjectName(QStringLiteral("provixHelp"));
        m_help->setAttribute(Qt::WA_DeleteOnClose);
        // Fully on the screen of the view, however small that is.
        const QRect screen = this->screen()->availableGeometry();
        const QSize size = QSize(640, 520).boundedTo(screen.size() * 9 / 10);
        m_help->setGeometry(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, size, screen));
    }
    m_help->setWindowTitle(m_app.Name());
    m_help->setProperty("helpContext", context);
    const QString library = m_app.LanguageLibraryPath();
    const QString folder =
        library.isEmpty() ? ProgramFolder() + QStringLiteral("help/") : HelpFolderOf(library);
    const QString topic = folder + (context ? QString::number(context) : QStringLiteral("index")) +
                          QStringLiteral(".html");
    if (QFileInfo::exists(topic)) {
        m_help->setSource(QUrl::fromLocalFile(topic));
    } else {
        const CApplication *application = &m_app.Application();
        QString html = QStringLiteral("<h2>%1</h2>").arg(m_app.Name().toHtmlEscaped());
        if (context) {
            html +=
                QStringLiteral("<h3>%1</h3>")
                    .arg(ShownLabel(application, static_cast<unsigned>(context)).toHtmlEscaped());
        } else {
            html += QStringLiteral("<ul>");
            for (const CategoryHelp &category : CategoryHelpTopics())
                html +=
                    QStringLiteral("<li>%1</li>")
                        .arg(ShownLabel(application, unsigned(category.context)).toHtmlEscaped());
            html += QStringLiteral("</ul>");
        }
        m_help->setHtml(html);
    }
    m_help->show();
    m_help->raise();
}

void CSettingsView::ShowAbout()
{
    m_tree->CommitEdit();
    CAboutDlg dialog(&m_app.Application(), this);
    dialog.exec();
}

QString CSettingsView::HeaderFileName() const
{
    const QString &name = m_commands->FileName();
    const qsizetype dot = name.lastIndexOf(u'.');
    const QString mark = m_app.Document().IsModified() ? QStringLiteral("*") : QString();
    return (dot < 0 ? name : name.left(dot)) + mark;
}

void CSettingsView::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const QRect band(0, 0, width(), kHeaderHeight);
    painter.fillRect(band, palette().button());
    painter.setPen(palette().color(QPalette::Light));
    painter.drawLine(band.topLeft(), band.topRight());
    painter.drawLine(band.topLeft(), band.bottomLeft());
    painter.setPen(palette().color(QPalette::Dark));
    painter.drawLine(band.bottomLeft(), band.bottomRight());
    painter.drawLine(band.topRight(), band.bottomRight());

    painter.setPen(palette().color(QPalette::WindowText));
    painter.setFont(m_normalFont);
    QRect text = band.adjusted(kHeaderMargin, 0, 0, 0);
    painter.drawText(text, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, m_headerLabel);
    text.setLeft(text.left() + QFontMetrics(m_normalFont).horizontalAdvance(m_headerLabel) +
                 kHeaderMargin);
    painter.setFont(m_boldFont);
    painter.drawText(text, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, HeaderFileName());
}

void CSettingsView::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    LayOut();
}

void CSettingsView::LayOut()
{
    QRect area(0, kHeaderHeight, width(), std::max(0, height() - kHeaderHeight));
    if (m_problems->isVisibleTo(this)) {
        const int panelWidth =
            std::min(area.width(), std::max(m_problems->minimumSizeHint().width(),
                                            width() * kProblemsPercent / 100));
        m_problems->setGeometry(area.right() + 1 - panelWidth, area.top(), panelWidth,
                                area.height());
        area.setWidth(area.width() - panelWidth);
    }
    m_tree->setGeometry(area);
}

void CSettingsView::ShowProblems(bool shown)
{
    m_problemsAction->setChecked(shown);
    if (m_problems->isVisibleTo(this) == shown)
        return;
    m_problems->setVisible(shown);
    LayOut();
    if (!shown && !m_tree->hasFocus())
        m_tree->setFocus();
}

void CSettingsView::MakeVariants()
{
    m_tree->CommitEdit();
    CVariantsDlg dialog(&m_app.Application(), m_app.Document(), this);
    connect(&dialog, &CVariantsDlg::helpRequested, this,
            [this](int context) { ShowHelp(context); });
    dialog.exec();
}

void CSettingsView::EditSetting(const CSettingNode *node)
{
    m_tree->CommitEdit();
    m_tree->setFocus();
    m_tree->BeginEdit(m_tree->IndexOf(node));
}

// Hidden while another plug-in's view is shown, as the rest of the view.
void CSettingsView::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    m_problemsAction->setVisible(true);
    m_variantsAction->setVisible(true);
}

void CSettingsView::hideEvent(QHideEvent *event)
{
    QWidget::hideEvent(event);
    if (!event->spontaneous()) {
        m_problemsAction->setVisible(false);
        m_variantsAction->setVisible(false);
    }
}

void CSettingsView::InitialLoad()
{
    RunDocumentCommand([this] { m_commands->InitialLoad(); });
}

void CSettingsView::OpenRequestedFile()
{
    // A dialog of the view is open: the request waits for a later activation.
    if (!ModalChild())
        RunDocumentCommand([this] { m_commands->OpenRequestedFile(); });
}

// The header names the bound file, which any of these commands may change.
void CSettingsView::RunDocumentCommand(const std::function<void()> &command)
{
    m_tree->CommitEdit();
    command();
    update(0, 0, width(), kHeaderHeight);
}
