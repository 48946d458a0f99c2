#include "ui/send/SendDlg.h"

#include "orvenet/sdk/ConnectivityServer.h"
#include "platform/com/Activation.h"
#include "settings/Application.h"
#include "settings/Labels.h"
#include "settings/MessagePort.h"
#include "settings/StringIds.h"
#include "ui/controls/ControlIds.h"
#include "ui/controls/WaitCursorGuard.h"
#include "ui/dialogs/QuestionDlg.h"
#include "ui/send/CallbackImpl.h"
#include "ui/send/SendProgressDlg.h"
#include "ui/send/ServerEvents.h"

#include <QDialogButtonBox>
#include <QEventLoop>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace {

HRESULT ActivateServer(IConnectivityServer **server)
{
    return CreateInstance(CLSID_ConnectivityServer, nullptr, IID_IConnectivityServer,
                          reinterpret_cast<void **>(server));
}

QString ServerText(IConnectivityServer *server,
                   HRESULT (IConnectivityServer::*get)(char16_t *, uint32_t, uint32_t *))
{
    char16_t buffer[1024] = {};
    uint32_t length = 0;
    if (FAILED((server->*get)(buffer, std::size(buffer), &length)))
        return QString();
    return QString::fromUtf16(buffer, std::min<qsizetype>(length, std::size(buffer) - 1));
}

// Shows the dialog modally until it is done. Unlike exec(), hiding it on
// the way (the send dialog while its progress shows, the progress while a
// question is open) does not end it.
int RunModal(QDialog *dialog)
{
    QEventLoop loop;
    int result = QDialog::Rejected;
    const auto connection = QObject::connect(dialog, &QDialog::finished, &loop, [&](int done) {
        result = done;
        loop.quit();
    });
    dialog->setWindowModality(Qt::ApplicationModal);
    dialog->show();
    loop.exec(QEventLoop::DialogExec);
    QObject::disconnect(connection);
    return result;
}

constexpr unsigned kFieldLabels[] = {StringId::PhoneNameLabel, StringId::ImeiLabel,
                                     StringId::PhoneNumberLabel};
constexpr int kFieldIds[] = {ControlId::PhoneName, ControlId::PhoneImei, ControlId::PhoneNumber};

} // namespace

CSendDlg::CSendDlg(const CApplication *application, const CSettingNode *root, QString filePath,
                   CCallbackImpl &callback, QWidget *parent)
    : QDialog(parent)
    , m_application(application)
    , m_root(root)
    , m_filePath(std::move(filePath))
    , m_callback(callback)
    , m_factory(ActivateServer)
    , m_transfer(application)
    , m_progress(new CSendProgressDlg(application, parent))
{
    setWindowTitle(LoadLabel(application, StringId::SendTitle, true));
    auto *fields = new QFormLayout;
    for (int i = 0; i < 3; ++i) {
        m_fields[i] = new QLabel(this);
        m_fields[i]->setObjectName(ControlObjectName(kFieldIds[i]));
        m_fields[i]->setTextInteractionFlags(Qt::TextSelectableByMouse);
        fields->addRow(LoadLabel(application, kFieldLabels[i], true), m_fields[i]);
    }
    auto *buttons = new QDialogButtonBox(this);
    m_send = buttons->addButton(LoadLabel(application, StringId::SendButton, true),
                                QDialogButtonBox::ActionRole);
    m_send->setObjectName(ControlObjectName(ControlId::SendNow));
    m_ok = buttons->addButton(LoadLabel(application, StringId::ButtonOk, true),
                              QDialogButtonBox::AcceptRole);
    m_ok->setObjectName(ControlObjectName(ControlId::Ok));
    connect(m_send, &QPushButton::clicked, this, &CSendDlg::Send);
    connect(buttons, &QDialogButtonBox::accepted, this, &CSendDlg::accept);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addWidget(buttons);

    connect(m_progress, &CSendProgressDlg::cancelRequested, this, &CSendDlg::CancelTransfer);
    m_callback.SetTarget(this);
}

CSendDlg::~CSendDlg()
{
    m_callback.SetTarget(nullptr);
    m_client.Disconnect();
    delete m_progress;
}

QString CSendDlg::PhoneField(int index) const
{
    return m_fields[index]->text();
}

bool CSendDlg::IsSendEnabled() const
{
    return m_send->isEnabled();
}

void CSendDlg::ShowMessage(const QString &text) const
{
    if (IMessagePort *port = m_application ? m_application->GetMessagePort() : nullptr)
        port->ShowMessage(text, IMessagePort::Ok, IMessagePort::Warning);
}

bool CSendDlg::Connect()
{
    CWaitCursorGuard wait;
    IConnectivityServer *server = nullptr;
    if (FAILED(m_factory(&server)) || !server) {
        ShowMessage(LoadLabel(m_application, StringId::MsgServerNotReached, true));
        return false;
    }
    const HRESULT result = m_client.Connect(server, &m_callback);
    server->Release();
    if (FAILED(result)) {
        ShowMessage(ServerErrorText(m_application, result));
        return false;
    }
    return true;
}

int CSendDlg::Run()
{
    if (!Connect())
        return QDialog::Rejected;
    m_fields[1]->setText(LoadLabel(m_application, StringId::NotAvailable, true));
    uint32_t state = 0;
    m_client.Server()->GetConnectionState(&state);
    ShowPhone(state & ConnectionState::Connected);
    return RunModal(this);
}

void CSendDlg::ShowPhone(bool connected)
{
    PhoneInfo phone;
    if (connected)
        phone = ParsePhoneInfo(ServerText(m_client.Server(), &IConnectivityServer::GetPhoneInfo));
    const QString values[] = {phone.epocName, phone.imei, phone.phoneNumber};
    for (int i = 0; i < 3; ++i)
        m_fields[i]->setText(PhoneFieldText(m_application, values[i]));
    m_send->setEnabled(connected);
    QPushButton *preferred = connected ? m_send : m_ok;
    m_send->setDefault(connected);
    m_ok->setDefault(!connected);
    preferred->setFocus();
}

void CSendDlg::Send()
{
    if (!m_client.Server() || m_transferring)
        return;
    {
        CWaitCursorGuard wait;
        m_progress->Reset();
        m_transfer.Reset();
        const QString held = m_client.Reserve(m_application);
        if (!held.isEmpty()) {
            ShowMessage(held);
            return;
        }
        const HRESULT result = m_client.Send(m_root, m_filePath);
        if (FAILED(result)) {
            ShowMessage(ServerErrorText(m_application, result));
            return;
        }
    }
    m_transferring = true;
    hide();
    RunModal(m_progress);
    m_transferring = false;
    show();
}

void CSendDlg::CancelTransfer()
{
    if (m_client.Server())
        m_client.Server()->CancelTransfer();
}

void CSendDlg::customEvent(QEvent *event)
{
    const auto *report = static_cast<const CServerEvent *>(event);
    switch (int(event->type())) {
    case ServerEventType::StateChanged:
        ShowPhone(report->number & ConnectionState::Connected);
        break;
    case ServerEventType::Progress:
        OnProgress(*report);
        break;
    case ServerEventType::Error:
        OnError(*report);
        break;
    case ServerEventType::Finished:
        OnFinished(*report);
        break;
    default:
        QDialog::customEvent(event);
    }
}

void CSendDlg::OnProgress(const CServerEvent &event)
{
    const QString status = m_transfer.Progress(event.phase, event.text);
    // Preparing starts over from an empty bar, which pulses again.
    const bool waiting = event.phase == TransferPhase::Preparing && event.percentage == 0;
    m_progress->ShowProgress(status, event.percentage, waiting);
}

void CSendDlg::OnError(const CServerEvent &event)
{
    if (CSendTransfer::IsQuestion(event.result)) {
        AskQuestion(event);
        return;
    }
    ShowMessage(m_transfer.ErrorReport(event.result, event.settingName, event.text));
    if (m_client.Server())
        m_client.Server()->AnswerQuestion(CSendTransfer::kErrorAnswer);
}

void CSendDlg::AskQuestion(const CServerEvent &event)
{
    const bool known = CSendTransfer::IsKnownItem(m_root, event.settingName);
    std::optional<int32_t> answer = m_transfer.KeptAnswer(known);
    if (!answer) {
        QWidget *owner = m_progress->isVisible() ? static_cast<QWidget *>(m_progress) : this;
        CQuestionDlg question(m_application, owner);
        question.SetButtonMask(int(event.number));
        question.SetText(m_transfer.QuestionText(event.settingName, event.text), known);
        m_question = &question;
        const bool progressShown = m_progress->isVisible();
        m_progress->hide();
        // The question takes the keyboard, as the progress had it.
        QTimer::singleShot(0, &question, [&question] { question.activateWindow(); });
        const int pressed = question.exec();
        const bool ended = !m_question;
        m_question = nullptr;
        // The transfer ended while the question was open: nobody is waiting
        // for the answer any more.
        if (ended || !m_transferring)
            return;
        if (progressShown)
            m_progress->show();
        answer = pressed;
        if (question.IsKeepAnswerChecked())
            m_transfer.KeepAnswer(known, pressed);
    }
    if (m_client.Server())
        m_client.Server()->AnswerQuestion(*answer);
}

void CSendDlg::OnFinished(const CServerEvent &event)
{
    const bool questionOpen = m_question != nullptr;
    if (m_question) {
        CQuestionDlg *question = m_question;
        m_question = nullptr;
        question->reject();
    }
    const QString report = m_transfer.FinishedReport(event.result, questionOpen);
    if (!report.isEmpty())
        ShowMessage(report);
    if (m_client.Server())
        m_client.Server()->ReleasePhone();
    m_transfer.Reset();
    m_progress->accept();
}
