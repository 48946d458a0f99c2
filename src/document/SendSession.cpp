#include "document/SendSession.h"

#include "orvenet/sdk/ConnectivityServer.h"
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

QString ServerText(IConnectivityServer *server,
                   HRESULT (IConnectivityServer::*get)(char16_t *, uint32_t, uint32_t *))
{
    char16_t buffer[1024] = {};
    uint32_t length = 0;
    if (FAILED((server->*get)(buffer, std::size(buffer), &length)))
        return QString();
    return QString::fromUtf16(buffer, std::min<qsizetype>(length, std::size(buffer) - 1));
}

} // namespace

CSendSession::CSendSession(const CApplication *application, ISendSessionPort &port)
    : m_application(application)
    , m_port(port)
{}

bool CSendSession::Connect(IConnectivityServer *server, ICallback *callback)
{
    if (!server) {
        m_port.ShowMessage(LoadLabel(m_application, StringId::MsgServerNotReached, true));
        return false;
    }
    if (const HRESULT result = m_client.Connect(server, callback); FAILED(result)) {
        m_port.ShowMessage(ServerErrorText(m_application, result));
        return false;
    }
    return true;
}

void CSendSession::Disconnect()
{
    m_client.Disconnect();
    m_transferring = false;
}

bool CSendSession::IsPhoneConnected() const
{
    uint32_t state = 0;
    return m_client.Server() && SUCCEEDED(m_client.Server()->GetConnectionState(&state)) &&
           (state & ConnectionState::Connected);
}

PhoneInfo CSendSession::ReadPhone() const
{
    if (!m_client.Server())
        return {};
    return ParsePhoneInfo(ServerText(m_client.Server(), &IConnectivityServer::GetPhoneInfo));
}

CSendSession::StartResult CSendSession::Start(const CSettingNode *root, const QString &filePath,
                                              const ScrambleKeySource &keys)
{
    if (!m_client.Server() || m_transferring)
        return StartResult::Failed;
    ResetTransfer();
    if (const QString refused = m_client.Reserve(m_application); !refused.isEmpty()) {
        m_port.ShowMessage(refused);
        return StartResult::NotReserved;
    }
    if (const HRESULT result = m_client.Send(root, filePath, keys); FAILED(result)) {
        m_port.ShowMessage(ServerErrorText(m_application, result));
        return StartResult::Failed;
    }
    m_root = root;
    m_transferring = true;
    return StartResult::Started;
}

void CSendSession::Cancel()
{
    if (!m_transferring || m_cancelling)
        return;
    m_cancelling = true;
    m_client.Server()->CancelTransfer();
    m_port.ShowProgress(CancellingStatus(m_application), 0, true);
}

void CSendSession::Handle(const ServerReport &report)
{
    switch (report.kind) {
    case ServerReport::StateChanged:
        m_port.PhoneChanged(report.number & ConnectionState::Connected);
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
    if (!m_transferring)
        return;
    m_lastPhase = phase;
    m_lastText = text;
    // Preparing starts over from an empty bar, which waits again.
    const bool waiting = phase == TransferPhase::Preparing && percentage == 0;
    m_port.ShowProgress(ProgressStatus(m_application, phase, text), percentage, waiting);
}

std::optional<int32_t> &CSendSession::KeptAnswer(bool knownItem)
{
    return knownItem ? m_keptKnown : m_keptUnknown;
}

void CSendSession::Answer(int32_t answer)
{
    if (m_client.Server())
        m_client.Server()->AnswerQuestion(answer);
}

void CSendSession::OnError(HRESULT result, uint32_t answers, const QString &settingName,
                           const QString &text)
{
    if (!m_transferring)
        return;
    if (!IsQuestion(result)) {
        // Noted so that the end of the transfer does not say it again.
        m_errorReported = true;
        const QString label =
            settingName.isEmpty() ? QString() : LabelOfSetting(m_application, settingName);
        m_port.ShowMessage(
            ServerErrorText(m_application, result, label, text, m_lastPhase, m_lastText));
        Answer(kErrorAnswer);
        return;
    }
    const bool known = IsKnownItem(m_root, settingName);
    std::optional<int32_t> answer = KeptAnswer(known);
    if (!answer) {
        const QString question = FormatLabel(m_application, StringId::QuestionAboutItem,
                                             {LabelForTag(m_application, settingName), text});
        m_questionOpen = true;
        const std::optional<SendReply> reply = m_port.Ask({question, answers, known});
        m_questionOpen = false;
        // The transfer ended while the question was open: nobody waits for
        // the answer any more.
        if (!reply || !m_transferring)
            return;
        if (reply->keep)
            KeptAnswer(known) = reply->answer;
        answer = reply->answer;
    }
    Answer(*answer);
}

void CSendSession::OnFinished(HRESULT result)
{
    if (!m_transferring)
        return;
    const bool questionOpen = std::exchange(m_questionOpen, false);
    m_transferring = false;
    // Nothing to say on success or after an error report, nor for a cancel
    // the user asked for while no question was open.
    QString report;
    const bool cancelled = HRESULT_CODE(result) == ServerResult::Cancelled && !questionOpen;
    if (FAILED(result) && !m_errorReported && !cancelled)
        report =
            ServerErrorText(m_application, result, QString(), QString(), m_lastPhase, m_lastText);
    if (m_client.Server())
        m_client.Server()->ReleasePhone();
    ResetTransfer();
    m_port.TransferEnded(result);
    if (!report.isEmpty())
        m_port.ShowMessage(report);
}

void CSendSession::ResetTransfer()
{
    m_root = nullptr;
    m_cancelling = false;
    m_errorReported = false;
    m_lastPhase = 0;
    m_lastText.clear();
    m_keptKnown.reset();
    m_keptUnknown.reset();
}
