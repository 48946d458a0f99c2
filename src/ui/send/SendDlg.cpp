#include "ui/send/SendDlg.h"

#include "orvenet/sdk/ConnectivityServer.h"
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
    , m_session(application, *this)
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

    connect(m_progress, &CSendProgressDlg::cancelRequested, this, [this] { m_session.Cancel(); });
    m_callback.SetTarget(this);
}

CSendDlg::~CSendDlg()
{
    m_callback.SetTarget(nullptr);
    m_session.Disconnect();
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

void CSendDlg::ShowMessage(const QString &text)
{
    if (IMessagePort *port = m_application ? m_application->GetMessagePort() : nullptr)
        port->ShowMessage(text, IMessagePort::Ok, IMessagePort::Warning);
}

bool CSendDlg::Connect()
{
    CWaitCursorGuard wait;
    IConnectivityServer *server = nullptr;
    if (!m_factory || FAILED(m_factory(&server)))
        server = nullptr;
    const bool connected = m_session.Connect(server, &m_callback);
    if (server)
        server->Release();
    return connected;
}

int CSendDlg::Run()
{
    if (!Connect())
        return QDialog::Rejected;
    m_fields[1]->setText(LoadLabel(m_application, StringId::NotAvailable, true));
    ShowPhone(m_session.IsPhoneConnected());
    return RunModal(this);
}

void CSendDlg::ShowPhone(bool connected)
{
    const PhoneInfo phone = connected ? m_session.ReadPhone() : PhoneInfo();
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
    if (!m_session.IsConnected() || m_session.IsTransferring())
        return;
    {
        CWaitCursorGuard wait;
        m_progress->Reset();
        if (m_session.Start(m_root, m_filePath, m_keys) != CSendSession::StartResult::Started)
            return;
    }
    hide();
    RunModal(m_progress);
    show();
}

void CSendDlg::customEvent(QEvent *event)
{
    switch (int(event->type())) {
    case ServerEventType::StateChanged:
    case ServerEventType::Progress:
    case ServerEventType::Error:
    case ServerEventType::Finished:
        m_session.Handle(static_cast<const CServerEvent *>(event)->report);
        break;
    default:
        QDialog::customEvent(event);
    }
}

void CSendDlg::ShowProgress(const QString &status, int percentage, bool waiting)
{
    m_progress->ShowProgress(status, percentage, waiting);
}

void CSendDlg::PhoneChanged(bool connected)
{
    ShowPhone(connected);
}

std::optional<SendReply> CSendDlg::Ask(const SendQuestion &asked)
{
    const bool progressShown = m_progress->isVisible();
    QWidget *owner = progressShown ? static_cast<QWidget *>(m_progress) : this;
    CQuestionDlg question(m_application, owner);
    question.SetButtonMask(int(asked.answers));
    question.SetText(asked.text, asked.knownItem);
    m_question = &question;
    m_progress->hide();
    // The question takes the keyboard, as the progress had it.
    QTimer::singleShot(0, &question, [&question] { question.activateWindow(); });
    const int pressed = question.exec();
    // The transfer ended while the question was open.
    if (!std::exchange(m_question, nullptr))
        return std::nullopt;
    if (progressShown)
        m_progress->show();
    return SendReply{pressed, question.IsKeepAnswerChecked()};
}

void CSendDlg::TransferEnded(HRESULT)
{
    if (CQuestionDlg *question = std::exchange(m_question, nullptr))
        question->reject();
    m_progress->accept();
}
