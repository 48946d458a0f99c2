#include "host/Provix.h"

#include "document/DocumentCommands.h"
#include "document/DocumentNames.h"
#include "host/HostCommandIds.h"
#include "host/ProvixApp.h"
#include "host/ProvixIds.h"
#include "host/SettingsView.h"
#include "host/StartupCheck.h"
#include "host/UserRegistryStore.h"
#include "platform/com/TextBuffer.h"
#include "ui/editor/SettingsTreeCtrl.h"
#include "ui/send/CallbackImpl.h"

#include <QAction>
#include <QMenu>
#include <QMessageBox>

#include <array>
#include <utility>

namespace {

constexpr std::array<uint32_t, 5> kToolbarCommands = {
    CommandId::New, CommandId::Open, CommandId::Save, CommandId::Send, CommandId::Print};

struct CommandText
{
    uint32_t command;
    uint32_t shortText;   // 0: none
    uint32_t description; // 0: none
};

constexpr CommandText kCommandTexts[] = {
    {CommandId::New, HostTextId::NewShort, HostTextId::NewDescription},
    {CommandId::MenuNew, 0, HostTextId::NewDescription},
    {CommandId::Save, HostTextId::SaveShort, HostTextId::SaveDescription},
    {CommandId::Open, HostTextId::OpenShort, HostTextId::OpenDescription},
    {CommandId::Send, HostTextId::SendShort, HostTextId::SendDescription},
    {CommandId::MenuSend, 0, HostTextId::SendDescription},
    {CommandId::Print, HostTextId::PrintShort, HostTextId::PrintDescription},
    {CommandId::ShowActivityLog, 0, HostTextId::ActivityLogDescription},
    {CommandId::MenuDelete, 0, HostTextId::DeleteDescription},
    {CommandId::SendOption1, 0, HostTextId::SendOption1Description},
    {CommandId::SendOption2, 0, HostTextId::SendOption2Description},
    {CommandId::SendOption3, 0, HostTextId::SendOption3Description},
};

QAction *FindCommand(QMenu *menu, uint32_t command)
{
    for (QAction *action : menu->actions()) {
        if (action->menu()) {
            if (QAction *found = FindCommand(action->menu(), command))
                return found;
        } else if (action->data().toUInt() == command) {
            return action;
        }
    }
    return nullptr;
}

} // namespace

CProvix::CProvix()
    : m_callback(new CCallbackImpl)
{}

CProvix::~CProvix()
{
    delete m_view;
}

HRESULT CProvix::Initialize(WindowHandle hostWindow, int32_t, int32_t *result, int32_t *flagA,
                            int32_t *flagB)
{
    if (!result || !flagA || !flagB)
        return E_POINTER;
    m_app = &CProvixApp::Instance();
    m_hostWindow = static_cast<QWidget *>(hostWindow);
    if (!m_app->HasLanguageLibrary()) {
        // Without the library there are no texts: this message is the one
        // text of its own.
        QMessageBox::critical(m_hostWindow, QString::fromUtf16(kNoLanguageLibraryCaption),
                              QString::fromUtf16(kNoLanguageLibraryText));
        *result = ViewInitResult::Failed;
        *flagA = 0;
        *flagB = 0;
        return S_FALSE;
    }
    *result = ViewInitResult::Started;
    *flagA = 1;
    *flagB = 1;
    m_startupCheck =
        std::make_unique<CStartupCheck>([this] { BringForwardForRequest(); }, m_callback.Get());
    m_startupCheck->Post();
    return S_OK;
}

void CProvix::BringForwardForRequest()
{
    const std::optional<QString> request = CUserRegistryStore().ReadString(
        QString::fromUtf16(kProvanaRegistryKey), QString::fromUtf16(kRequestFileValue));
    if (!request || request->isEmpty() || !m_host)
        return;
    int32_t active = 0;
    m_host->IsPlugInActive(kProgIdVersioned, &active);
    // The first activation opens the request.
    if (!active)
        m_host->ActivatePlugIn(kProgIdVersioned);
}

HRESULT CProvix::Reserved(intptr_t, intptr_t, intptr_t)
{
    return S_OK;
}

HRESULT CProvix::GetStringId(int32_t kind, uint32_t *id)
{
    if (!id)
        return E_POINTER;
    *id = 0;
    if (kind == ViewStringKind::Title)
        *id = HostTextId::PlugInTitle;
    else if (kind == ViewStringKind::Description)
        *id = HostTextId::PlugInDescription;
    return S_OK;
}

HRESULT CProvix::PrepareMenu(MenuHandle menu)
{
    auto *qmenu = static_cast<QMenu *>(menu);
    if (!qmenu)
        return S_OK;
    // The view's own items join the host's menus the first time they show.
    if (m_view && FindCommand(qmenu, CommandId::SelectAll) &&
        !qmenu->actions().contains(m_view->ProblemsAction())) {
        // The separator goes with the view's items when the view goes.
        auto *separator = new QAction(m_view->ProblemsAction()->parent());
        separator->setSeparator(true);
        qmenu->addAction(separator);
        qmenu->addAction(m_view->ProblemsAction());
        qmenu->addAction(m_view->AskBeforeDeleteAction());
    }
    for (const bool redo : {false, true}) {
        QAction *action =
            m_view ? FindCommand(qmenu, redo ? CommandId::Redo : CommandId::Undo) : nullptr;
        if (action)
            action->setText(m_view->UndoMenuText(redo));
    }
    // The way of sending in use carries the mark.
    constexpr uint32_t kSendOptions[] = {CommandId::SendOption1, CommandId::SendOption2,
                                         CommandId::SendOption3};
    for (int option = 1; option <= 3; ++option) {
        if (QAction *way = FindCommand(qmenu, kSendOptions[option - 1])) {
            way->setCheckable(true);
            way->setChecked(m_view && m_view->SendOption() == option);
        }
    }
    if (QAction *saveAs = m_view ? FindCommand(qmenu, CommandId::SaveAs) : nullptr;
        saveAs && !qmenu->actions().contains(m_view->VariantsAction())) {
        const QList<QAction *> actions = qmenu->actions();
        const qsizetype next = actions.indexOf(saveAs) + 1;
        qmenu->insertAction(next < actions.size() ? actions[next] : nullptr,
                            m_view->VariantsAction());
    }
    QAction *send = FindCommand(qmenu, CommandId::MenuSend);
    if (!send)
        return S_OK;
    if (!send->text().contains(u'\t'))
        send->setText(send->text() + QStringLiteral("\tF5"));
    send->setEnabled(m_view && m_view->IsCommandEnabled(CommandId::MenuSend));
    return S_OK;
}

HRESULT CProvix::SetHost(IUnknown *site)
{
    m_host.Reset();
    if (site) {
        site->QueryInterface(IID_IViewHost, m_host.ReceiveVoid());
        site->Release();
    }
    return S_OK;
}

HRESULT CProvix::CreateView(WindowHandle parent, int32_t x, int32_t y, int32_t width,
                            int32_t height)
{
    if (m_view)
        return S_OK;
    if (!m_app)
        m_app = &CProvixApp::Instance();
    m_app->Document().Reset();
    m_view = new CSettingsView(*m_app, static_cast<QWidget *>(parent));
    m_view->SetServerCallback(m_callback.Get());
    m_view->hide();
    m_view->setGeometry(x, y, width, height);
    return S_OK;
}

HRESULT CProvix::GetCommandState(uint32_t command, int32_t *state)
{
    if (!state)
        return E_POINTER;
    *state = m_view && m_view->IsCommandEnabled(command) ? ViewCommandState::Enabled
                                                         : ViewCommandState::Disabled;
    return S_OK;
}

HRESULT CProvix::Execute(uint32_t command)
{
    if (m_view)
        m_view->ExecuteCommand(command);
    return S_OK;
}

HRESULT CProvix::GetCommandString(uint32_t command, int32_t kind, uint32_t *id)
{
    if (!id)
        return E_POINTER;
    for (const CommandText &text : kCommandTexts) {
        if (text.command != command)
            continue;
        const uint32_t found = kind == ViewCommandText::ShortText     ? text.shortText
                               : kind == ViewCommandText::Description ? text.description
                                                                      : 0;
        if (found)
            *id = found;
    }
    return S_OK;
}

HRESULT CProvix::MoveView(int32_t hidden, int32_t x, int32_t y, int32_t width, int32_t height)
{
    if (m_view && hidden == 0)
        m_view->setGeometry(x, y, width, height);
    return S_OK;
}

HRESULT CProvix::FocusEvent(int32_t kind, int32_t *notHandled)
{
    if (!notHandled)
        return E_POINTER;
    *notHandled = 0;
    switch (kind) {
    case ViewFocusEvent::HostActivated:
    case ViewFocusEvent::HostDeactivated:
        break;
    case ViewFocusEvent::SaveFocus:
        if (m_view)
            m_focusWindow = m_view->Tree();
        break;
    case ViewFocusEvent::RestoreFocus:
        if (m_focusWindow)
            m_focusWindow->setFocus();
        break;
    default:
        *notHandled = 1;
        break;
    }
    return S_OK;
}

HRESULT CProvix::Activate()
{
    if (!m_view)
        return S_OK;
    m_view->show();
    if (m_host) {
        const std::u16string name = m_app->Name().toStdU16String();
        m_host->CreateToolbar(&m_toolbarId);
        m_host->SetToolbarBitmap(m_toolbarId, static_cast<int32_t>(kToolbarCommands.size()),
                                 HostTextId::ToolbarBitmap);
        for (std::size_t position = 0; position < kToolbarCommands.size(); ++position)
            m_host->AddToolbarButton(m_toolbarId, static_cast<int32_t>(position),
                                     kToolbarCommands[position], ToolbarButtonState::Enabled,
                                     ToolbarButtonStyle::Button);
        m_host->ShowToolbar(m_toolbarId);
        m_host->SetToolbarCaption(m_toolbarId, name.c_str());
    }
    if (!std::exchange(m_firstActivationDone, true))
        m_view->InitialLoad();
    else
        m_view->OpenRequestedFile();
    return S_OK;
}

HRESULT CProvix::Deactivate()
{
    if (!m_view)
        return S_OK;
    m_view->hide();
    if (m_host) {
        const std::u16string name = m_app->Name().toStdU16String();
        m_host->RemoveToolbar(m_toolbarId, name.c_str());
        // A dialog of the view is still open: the host must come back here.
        if (m_view->ModalChild())
            m_host->ActivatePlugIn(kProgIdVersioned);
    }
    return S_OK;
}

HRESULT CProvix::Help()
{
    if (m_view)
        m_view->ShowHelp();
    if (m_host && m_app) {
        const std::u16string name = m_app->Name().toStdU16String();
        m_host->SetToolbarCaption(m_toolbarId, name.c_str());
    }
    return S_OK;
}

HRESULT CProvix::About()
{
    if (m_view)
        m_view->ShowAbout();
    return S_OK;
}

HRESULT CProvix::GetResourceModule(int32_t, int32_t *flagA, int32_t *flagB, char16_t *path,
                                   uint32_t pathSize, uint32_t *pathLength)
{
    if (!flagA || !flagB)
        return E_POINTER;
    *flagA = 1;
    *flagB = 1;
    const CProvixApp &app = m_app ? *m_app : CProvixApp::Instance();
    const QString library = app.LanguageLibraryPath();
    return CopyTextToBuffer(reinterpret_cast<const char16_t *>(library.utf16()),
                            static_cast<uint32_t>(library.size()), path, pathSize, pathLength);
}

HRESULT CProvix::GetNameId(uint32_t *id)
{
    if (!id)
        return E_POINTER;
    *id = HostTextId::ViewName;
    return S_OK;
}

HRESULT CProvix::GetImageId(uint32_t *id)
{
    if (!id)
        return E_POINTER;
    *id = HostTextId::ViewImage;
    return S_OK;
}

HRESULT CProvix::SetState(int32_t kind, int32_t *result)
{
    switch (kind) {
    case ViewState::Ready:
        if (m_view)
            m_view->SetInitialised();
        if (result)
            *result = 1;
        break;
    // Closing and shutting down ask nothing of the view before Close, which
    // ends its open dialogs.
    default:
        break;
    }
    return S_OK;
}

HRESULT CProvix::QueryClose(int32_t *mayClose)
{
    if (!mayClose)
        return E_POINTER;
    *mayClose = !m_view || m_view->QueryClose() ? 1 : 0;
    return S_OK;
}

HRESULT CProvix::Close()
{
    if (m_view)
        m_view->CloseView();
    return S_OK;
}

HRESULT CProvix::OnStateChanged(uint32_t state)
{
    return m_callback->OnStateChanged(state);
}

HRESULT CProvix::OnError(HRESULT result, uint32_t number, const char16_t *settingName,
                         const char16_t *text)
{
    return m_callback->OnError(result, number, settingName, text);
}

HRESULT CProvix::OnProgress(int32_t phase, const char16_t *text, int32_t percentage)
{
    return m_callback->OnProgress(phase, text, percentage);
}

HRESULT CProvix::OnFinished(HRESULT result)
{
    return m_callback->OnFinished(result);
}
