#include "ui/send/SendDlg.h"

#include "orvenet/sdk/ConnectivityServer.h"
#include "settings/Application.h"
#include "settings/Labels.h"
#include "settings/MessagePort.h"
#include "settings/StringIds.h"
#include "ui/controls/ControlIds.h"
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
    , m_progress(new CSendProgressDlg(application, parent))
    , m_session(application, *this, [this](std::function<void()> task) {
        QMetaObject::invokeMethod(this, std::move(task), Qt::QueuedConnection);
    })
{
    setWindowTitle(LoadLabel(application, StringId::SendTitle, true));
    auto *fields = new QFormLayout;
    for (int i = 0; i < 3; ++i) {
        m_fields[i] = new QLabel(PhoneFieldText(application, QString()), this);
        m_fields[i]->setObjectName(ControlObjectName(kFieldIds[i]));
        m_fields[i]->setTextInteractionFlags(Qt::TextSelectableByMouse);
        fields->addRow(LoadLabel(application, kFieldLabels[i], true), m_fields[i]);
    }
    m_outcome = new QLabel(this);
    m_outcome->setWordWrap(true);
    m_outcome->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_outcome->hide();
    auto *buttons = new QDialogButtonBox(this);
    m_send = buttons->addButton(LoadLabel(application, StringId::SendButton, true),
                                QDialogButtonBox::ActionRole);
    m_send->setObjectName(ControlObjectName(ControlId::SendNow));
    m_send->setEnabled(false);
    m_close = buttons->addButton(LoadLabel(application, StringId::ButtonClose, true),
                                 QDialogButtonBox::RejectRole);
    m_close->setObjectName(ControlObjectName(ControlId::Cancel));
    connect(m_send, &QPushButton::clicked, this, &CSendDlg::Send);
    connect(buttons, &QDialogButtonBox::rejected, this, &CSendDlg::reject);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addWidget(m_outcome);
    layout->addWidget(buttons);

    connect(m_progress, &CSendProgressDlg::cancelRequested, this, [this] { m_session.Cancel(); });
    m_callback.SetTarget(this);
}

CSendDlg::~CSendDlg()
{
    m_callback.SetTarget(nullptr);
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

QString CSendDlg::Outcome() const
{
    return m_outcome->text();
}

void CSendDlg::ShowMessage(const QString &text)
{
    if (IMessagePort *port = m_application ? m_application->GetMessagePort() : nullptr)
        port->ShowMessage(text, IMessagePort::Ok, IMessagePort::Warning);
}

int CSendDlg::Run()
{
    m_session.Connect(m_factory, &m_callback);
    return RunModal(this);
}

void CSendDlg::Connected(bool connected)
{
    if (!connected)
        done(QDialog::Rejected);
}

void CSendDlg::PhoneChanged(bool connected, const PhoneInfo &phone)
{
    ShowPhone(connected, phone);
}

void CSendDlg::ShowPhone(bool connected, const PhoneInfo &phone)
{
    const QString values[] = {phone.epocName, phone.imei, phone.phoneNumber};
    for (int i = 0; i < 3; ++i)
        m_fields[i]->setText(PhoneFieldText(m_application, values[i]));
    m_send->setEnabled(connected && !m_session.IsTransferring());
    QPushButton *preferred = connected ? m_send : m_close;
    m_send->setDefault(connected);
    m_close->setDefault(!connected);
    preferred->setFocus();
}

void CSendDlg::Send()
{
    if (!m_session.IsConnected() || m_session.IsTransferring())
        return;
    m_progress->Reset();
    m_outcome->clear();
    m_outcome->hide();
    m_session.Start(m_root, m_filePath, m_keys);
    // The start may already have failed, its message shown.
    if (!m_session.IsTransferring())
        return;
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

void CSendDlg::TransferEnded(const SendOutcome &outcome)
{
    if (CQuestionDlg *question = std::exchange(m_question, nullptr))
        question->reject();
    m_progress->accept();
    m_outcome->setText(outcome.summary);
    m_outcome->setVisible(!outcome.summary.isEmpty());
    m_send->setEnabled(m_session.IsPhoneConnected());
}
