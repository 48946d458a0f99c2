#include "document/SendSession.h"

#include "config/ConfigWriter.h"
#include "orvenet/sdk/ConnectivityServer.h"
#include "platform/com/ComPtr.h"
#include "settings/Labels.h"
#include "settings/NodeTypes.h"
#include "settings/SettingNode.h"
#include "settings/StringIds.h"

#include <algorithm>
#include <iterator>
#include <utility>

namespace {

bool IsQuestion(HRESULT result)
{
    const uint32_t code = HRESULT_CODE(result);
    return code == ServerResult::FileExists || code == ServerResult::FileNotReadable;
}

// Whether the item a question names is one of the file categories of root.
bool IsKnownItem(const CSettingNode *root, const QString &settingName)
{
    const CSettingNode *files = root ? root->FindChild(NodeType::FileTransfer) : nullptr;
    if (!files)
        return false;
    const auto &children = files->Children();
    return std::any_of(children.begin(), children.end(), [&](const CSettingNode *child) {
        return child->GetElementName() == settingName;
    });
}

// The connection state and, with a phone, its identity; on the worker.
HRESULT ReadPhoneState(IConnectivityServer *server, uint32_t &state, PhoneInfo &phone)
{
    state = 0;
    phone = {};
    if (!server)
        return RPC_E_DISCONNECTED;
    const HRESULT result = server->GetConnectionState(&state);
    if (FAILED(result) || !(state & ConnectionState::Connected))
        return result;
    char16_t buffer[1024] = {};
    uint32_t length = 0;
    if (SUCCEEDED(server->GetPhoneInfo(buffer, std::size(buffer), &length)))
        phone = ParsePhoneInfo(
            QString::fromUtf16(buffer, std::min<qsizetype>(length, std::size(buffer) - 1)));
    return S_OK;
}

} // namespace

CSendSession::CSendSession(const CApplication *application, ISendSessionPort &port, TaskPoster post)
    : m_application(application)
    , m_port(port)
    , m_link(std::make_shared<Link>())
{
    m_link->post = std::move(post);
}

CSendSession::~CSendSession()
{
    {
        const std::lock_guard<std::mutex> lock(m_link->mutex);
        m_link->open = false;
    }
    m_link->cancelled = true;
    const bool transferring = m_state == State::Transferring;
    m_worker.Post([link = m_link, transferring] {
        if (transferring && link->client.Server()) {
            link->client.Server()->CancelTransfer();
            link->client.Server()->ReleasePhone();
        }
        link->client.Disconnect();
    });
}

void CSendSession::OnWorker(std::function<std::function<void()>(CServerClient &client)> job)
{
    m_worker.Post([link = m_link, alive = std::weak_ptr<bool>(m_alive), job = std::move(job)] {
        std::function<void()> then = job(link->client);
        if (!then)
            return;
        const std::lock_guard<std::mutex> lock(link->mutex);
        if (link->open)
            link->post([alive, then = std::move(then)] {
                if (alive.lock())
                    then();
            });
    });
}

void CSendSession::Connect(ServerFactory factory, ICallback *callback)
{
    CComPtr<ICallback> target(callback);
    OnWorker([this, factory = std::move(factory), target](CServerClient &client) {
        IConnectivityServer *server = nullptr;
        HRESULT made = factory ? factory(&server) : E_FAIL;
        if (FAILED(made) || !server)
            made = FAILED(made) ? made : E_FAIL;
        HRESULT result = made;
        uint32_t state = 0;
        PhoneInfo phone;
        if (SUCCEEDED(made)) {
            result = client.Connect(server, target.Get());
            server->Release();
            if (SUCCEEDED(result))
                result = ReadPhoneState(client.Server(), state, phone);
            if (FAILED(result))
                client.Disconnect();
        }
        return std::function<void()>(
            [this, made, result, state, phone] { OnConnected(made, result, state, phone); });
    });
}

void CSendSession::OnConnected(HRESULT made, HRESULT result, uint32_t state, const PhoneInfo &phone)
{
    if (FAILED(made))
        m_port.ShowMessage(LoadLabel(m_application, StringId::MsgServerNotReached, true));
    else if (FAILED(result))
        m_port.ShowMessage(ServerErrorText(m_application, result));
    m_connected = SUCCEEDED(result);
    m_port.Connected(m_connected);
    if (!m_connected)
        return;
    m_phoneConnected = state & ConnectionState::Connected;
    m_phone = phone;
    m_port.PhoneChanged(m_phoneConnected, m_phone);
}

void CSendSession::ReadPhone(uint32_t state)
{
    if (!(state & ConnectionState::Connected)) {
        m_phoneConnected = false;
        m_port.PhoneChanged(false, {});
        return;
    }
    OnWorker([this](CServerClient &client) {
        uint32_t now = 0;
        PhoneInfo phone;
        ReadPhoneState(client.Server(), now, phone);
        return std::function<void()>([this, now, phone] {
            m_phoneConnected = now & ConnectionState::Connected;
            m_phone = phone;
            m_port.PhoneChanged(m_phoneConnected, m_phone);
        });
    });
}

void CSendSession::Start(const CSettingNode *root, const QString &filePath,
                         const ScrambleKeySource &keys)
{
    if (!m_connected || m_state != State::Idle || !root)
        return;
    ResetTransfer();
    m_state = State::Starting;
    m_root = root;
    m_link->cancelled = false;
    const uint32_t serial = ++m_serial;
    OnWorker([this, serial, root, filePath, keys, link = m_link](CServerClient &client) {
        QString holder;
        const HRESULT reserved =
            link->cancelled ? ServerFailure(ServerResult::Cancelled) : client.Reserve(&holder);
        if (FAILED(reserved)) {
            return std::function<void()>(
                [this, serial, reserved, holder] { OnStarted(serial, reserved, true, holder); });
        }
        const HRESULT sent = client.Send(root, filePath, keys, &link->cancelled);
        return std::function<void()>(
            [this, serial, sent] { OnStarted(serial, sent, false, QString()); });
    });
}

void CSendSession::OnStarted(uint32_t serial, HRESULT result, bool reserving, const QString &holder)
{
    if (serial != m_serial || m_state != State::Starting)
        return;
    if (SUCCEEDED(result)) {
        m_state = State::Transferring;
        // Cancelled while the text was handed over, after its last piece.
        if (m_cancelling)
            OnWorker([](CServerClient &client) {
                client.Server()->CancelTransfer();
                return std::function<void()>();
            });
        return;
    }
    SendOutcome outcome;
    outcome.result = result;
    outcome.cancelled = m_cancelling && HRESULT_CODE(result) == ServerResult::Cancelled;
    outcome.unreachable = !outcome.cancelled && (reserving || result == RPC_E_DISCONNECTED);
    QString message;
    if (outcome.cancelled)
        outcome.summary = Summary(true);
    else if (reserving && HRESULT_CODE(result) == ServerResult::PhoneHeld)
        message = PhoneHeldText(m_application, holder);
    else
        message = ServerErrorText(m_application, result);
    End(outcome, message);
}

void CSendSession::Cancel()
{
    if (m_state == State::Idle || m_cancelling)
        return;
    m_cancelling = true;
    m_link->cancelled = true;
    if (m_state == State::Transferring)
        OnWorker([](CServerClient &client) {
            if (client.Server())
                client.Server()->CancelTransfer();
            return std::function<void()>();
        });
    m_port.ShowProgress(CancellingStatus(m_application), 0, true);
}

void CSendSession::Handle(const ServerReport &report)
{
    switch (report.kind) {
    case ServerReport::StateChanged:
        if (m_connected)
            ReadPhone(report.number);
        break;
    case ServerReport::Progress:
        OnProgress(report.phase, report.text, report.percentage);
        break;
    case ServerReport::Error:
        OnError(report.result, report.number, report.settingName, report.text);
        break;
    case ServerReport::Finished:
        OnFinished(report.result);
        break;
    }
}

void CSendSession::OnProgress(int32_t phase, const QString &text, int32_t percentage)
{
    if (m_state == State::Idle)
        return;
    if (phase == TransferPhase::SendingSetting || phase == TransferPhase::CopyingFile) {
        // The category or file before this one is done.
        if (!m_category.isEmpty()) {
            const CSettingNode *category = nullptr;
            for (const CSettingNode *child : m_root->Children()) {
                if (child->GetElementName() == m_category)
                    category = child;
            }
            if (const int settings = category ? CountMarkedSettings(category) : 0) {
                m_categoriesDone << LabelOfSetting(m_application, m_category);
                m_settingsDone += settings;
            }
            m_category.clear();
        }
        if (phase == TransferPhase::SendingSetting)
            m_category = text;
        else {
            FileDone();
            m_file = text;
        }
    }
    if (m_cancelling)
        return;
    m_lastPhase = phase;
    m_lastText = text;
    // Preparing starts over from an empty bar, which waits again.
    const bool waiting = phase == TransferPhase::Preparing && percentage == 0;
    m_port.ShowProgress(ProgressStatus(m_application, phase, text), percentage, waiting);
}

void CSendSession::FileDone()
{
    if (!m_file.isEmpty() && !m_fileSkipped)
        ++m_filesDone;
    m_file.clear();
    m_fileSkipped = false;
}

std::optional<int32_t> &CSendSession::KeptAnswer(bool knownItem)
{
    return knownItem ? m_keptKnown : m_keptUnknown;
}

void CSendSession::Answer(int32_t answer)
{
    if (answer != QuestionAnswer::Overwrite && answer != QuestionAnswer::Retry)
        m_fileSkipped = true;
    OnWorker([answer](CServerClient &client) {
        if (client.Server())
            client.Server()->AnswerQuestion(answer);
        return std::function<void()>();
    });
}

void CSendSession::OnError(HRESULT result, uint32_t answers, const QString &settingName,
                           const QString &text)
{
    if (m_state == State::Idle)
        return;
    if (!IsQuestion(result)) {
        // Noted so that the end of the transfer does not say it again.
        m_errorReported = true;
        const QString label =
            settingName.isEmpty() ? QString() : LabelOfSetting(m_application, settingName);
        m_port.ShowMessage(
            HRESULT_CODE(result) == ServerResult::FileNotTransferred
                ? RefusedFileText(m_application, result, answers, text)
                : ServerErrorText(m_application, result, label, text, m_lastPhase, m_lastText));
        Answer(kErrorAnswer);
        return;
    }
    const bool known = IsKnownItem(m_root, settingName);
    std::optional<int32_t> answer = KeptAnswer(known);
    if (!answer) {
        const QString question = HRESULT_CODE(result) == ServerResult::FileExists
                                     ? FileExistsQuestion(m_application, settingName, text)
                                     : FormatLabel(m_application, StringId::QuestionAboutItem,
                                                   {LabelForTag(m_application, settingName), text});
        m_questionOpen = true;
        const uint32_t serial = m_serial;
        const std::optional<SendReply> reply = m_port.Ask({question, answers, known});
        m_questionOpen = false;
        // The transfer ended while the question was open: nobody waits for
        // the answer any more.
        if (!reply || serial != m_serial || m_state == State::Idle)
            return;
        if (reply->keep)
            KeptAnswer(known) = reply->answer;
        answer = reply->answer;
    }
    Answer(*answer);
}

void CSendSession::OnFinished(HRESULT result)
{
    if (m_state == State::Idle)
        return;
    const bool questionOpen = std::exchange(m_questionOpen, false);
    SendOutcome outcome;
    outcome.result = result;
    outcome.cancelled = HRESULT_CODE(result) == ServerResult::Cancelled;
    // Nothing to say after an error report, nor for a cancel the user asked
    // for while no question was open; a success and a cancel say what
    // reached the phone.
    QString message;
    if (FAILED(result) && !m_errorReported && !(outcome.cancelled && !questionOpen))
        message =
            ServerErrorText(m_application, result, QString(), QString(), m_lastPhase, m_lastText);
    if (SUCCEEDED(result)) {
        FileDone();
        outcome.summary = Summary(false);
    } else if (outcome.cancelled) {
        outcome.summary = Summary(true);
    }
    OnWorker([](CServerClient &client) {
        if (client.Server())
            client.Server()->ReleasePhone();
        return std::function<void()>();
    });
    End(outcome, message);
}

QString CSendSession::Summary(bool cancelled) const
{
    if (!cancelled) {
        return FormatLabel(m_application, StringId::SentSummary,
                           {m_phone.epocName,
                            QString::number(m_root ? CountMarkedSettings(m_root) : 0),
                            QString::number(m_filesDone)});
    }
    if (m_settingsDone == 0 && m_filesDone == 0)
        return LoadLabel(m_application, StringId::CancelledNothingSent, true);
    return FormatLabel(m_application, StringId::CancelledPartlySent,
                       {QString::number(m_settingsDone),
                        m_categoriesDone.join(QStringLiteral(", ")), QString::number(m_filesDone)});
}

void CSendSession::End(SendOutcome outcome, const QString &message)
{
    ResetTransfer();
    m_state = State::Idle;
    ++m_serial;
    m_port.TransferEnded(outcome);
    if (!message.isEmpty())
        m_port.ShowMessage(message);
}

void CSendSession::ResetTransfer()
{
    m_cancelling = false;
    m_errorReported = false;
    m_lastPhase = 0;
    m_lastText.clear();
    m_keptKnown.reset();
    m_keptUnknown.reset();
    m_categoriesDone.clear();
    m_settingsDone = 0;
    m_filesDone = 0;
    m_category.clear();
    m_file.clear();
    m_fileSkipped = false;
}
