#include "SendCommand.h"

#include "CliDocument.h"
#include "CliTexts.h"
#include "Commands.h"
#include "Console.h"

#include "document/SendSession.h"
#include "orvenet/sdk/ConnectivityServer.h"
#include "orvenet/server/ConnectivityServerProxy.h"
#include "platform/ProgramFolder.h"
#include "platform/com/Activation.h"
#include "platform/com/UnknownImpl.h"
#include "settings/StringIds.h"

#include <QFileInfo>
#include <QTextStream>

#include <atomic>
#include <condition_variable>
#include <csignal>
#include <cstdio>
#include <deque>
#include <mutex>
#include <optional>

#include <unistd.h>

namespace Cli {
namespace {

std::atomic<bool> g_interrupted{false};

void OnInterrupt(int)
{
    g_interrupted = true;
}

// One callback of the server, as the main thread handles it.
struct ServerEvent
{
    enum Kind { State, Error, Progress, Finished } kind;
    HRESULT result = 0;
    // The button mask of a question, the percentage of a progress report.
    int32_t number = 0;
    int32_t phase = 0;
    QString settingName;
    QString text;
};

// Takes the server's callbacks on its thread and queues them for the main
// thread, which alone talks back to the server.
class CEventQueue final : public CUnknownImpl<ICallback>
{
public:
    HRESULT OnStateChanged(uint32_t state) override
    {
        Push({ServerEvent::State, 0, int32_t(state), 0, {}, {}});
        return S_OK;
    }
    HRESULT OnError(HRESULT result, uint32_t number, const char16_t *settingName,
                    const char16_t *text) override
    {
        Push({ServerEvent::Error, result, int32_t(number), 0, QString::fromUtf16(settingName),
              QString::fromUtf16(text)});
        return S_OK;
    }
    HRESULT OnProgress(int32_t phase, const char16_t *text, int32_t percentage) override
    {
        Push({ServerEvent::Progress, 0, percentage, phase, {}, QString::fromUtf16(text)});
        return S_OK;
    }
    HRESULT OnFinished(HRESULT result) override
    {
        Push({ServerEvent::Finished, result, 0, 0, {}, {}});
        return S_OK;
    }

    // The next event, or nothing after waitMs.
    std::optional<ServerEvent> Next(int waitMs)
    {
        std::unique_lock<std::mutex> lock(m_mutex);
        if (!m_added.wait_for(lock, std::chrono::milliseconds(waitMs),
                              [this] { return !m_events.empty(); }))
            return std::nullopt;
        ServerEvent event = std::move(m_events.front());
        m_events.pop_front();
        return event;
    }

private:
    void Push(ServerEvent event)
    {
        const std::lock_guard<std::mutex> lock(m_mutex);
        m_events.push_back(std::move(event));
        m_added.notify_one();
    }

    std::mutex m_mutex;
    std::condition_variable m_added;
    std::deque<ServerEvent> m_events;
};

// The answer a --answer word gives; nothing for another word.
std::optional<int32_t> AnswerOfWord(const QString &word)
{
    if (word == u"overwrite")
        return QuestionAnswer::Overwrite;
    if (word == u"skip")
        return QuestionAnswer::Skip;
    if (word == u"cancel")
        return QuestionAnswer::Cancel;
    return std::nullopt;
}

struct SendOptions
{
    QString file;
    std::optional<int32_t> answer;
    int option = 1;
};

bool ParseOptions(const QStringList &arguments, SendOptions &options)
{
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString &argument = arguments[i];
        if (argument == u"--answer" && i + 1 < arguments.size()) {
            options.answer = AnswerOfWord(arguments[++i]);
            if (!options.answer) {
                PrintError(Text(CliText::NotAnAnswer, {arguments[i]}));
                return false;
            }
        } else if (argument == u"--option" && i + 1 < arguments.size()) {
            const QString &value = arguments[++i];
            options.option = value == u"1" ? 1 : value == u"2" ? 2 : value == u"3" ? 3 : 0;
            if (!options.option) {
                PrintError(Text(CliText::NotASendOption, {value}));
                return false;
            }
        } else if (!argument.startsWith(u"--") && options.file.isEmpty()) {
            options.file = argument;
        } else {
            PrintError(
                Text(CliText::WrongArguments, {QStringLiteral("send"), QStringLiteral("send")}));
            return false;
        }
    }
    return !options.file.isEmpty();
}

// The server as the plug-in reaches it; when its class is not registered,
// the server program next to this one.
HRESULT CreateServer(CComPtr<IConnectivityServer> &server)
{
    HRESULT result = CreateInstance(CLSID_ConnectivityServer, nullptr, CLSCTX_LOCAL_SERVER,
                                    IID_IConnectivityServer, server.ReceiveVoid());
    if (result == REGDB_E_CLASSNOTREG)
        result = CreateLocalServerProxy(CLSID_ConnectivityServer,
                                        ProgramFolder() + QStringLiteral("orvenet-server"),
                                        IID_IConnectivityServer, server.ReceiveVoid());
    return result;
}

// Shows progress: a bar redrawn on a terminal, otherwise a line per change.
class CProgressLine
{
public:
    CProgressLine()
        : m_terminal(isatty(STDERR_FILENO) != 0)
    {}
    ~CProgressLine() { End(); }

    void Show(const QString &status, int percentage)
    {
        if (!m_terminal) {
            if (status != m_status)
                PrintError(status + QStringLiteral("..."));
            m_status = status;
            return;
        }
        const int filled = std::clamp(percentage, 0, 100) / 5;
        const QString bar = QString(filled, u'#') + QString(20 - filled, u' ');
        const QByteArray line =
            QStringLiteral("\r[%1] %2% %3\x1b[K").arg(bar).arg(percentage, 3).arg(status).toUtf8();
        std::fwrite(line.constData(), 1, size_t(line.size()), stderr);
        std::fflush(stderr);
        m_status = status;
        m_drawn = true;
    }
    // Leaves the bar's line before other output.
    void End()
    {
        if (m_drawn)
            std::fputc('\n', stderr);
        m_drawn = false;
    }

private:
    bool m_terminal;
    bool m_drawn = false;
    QString m_status;
};

// Asks on the terminal; a capital letter keeps the answer for the rest.
int32_t AskOnTerminal(const QString &question, uint32_t mask, bool &keep)
{
    struct Choice
    {
        char16_t letter;
        int32_t answer;
    };
    static constexpr Choice kChoices[] = {{u's', QuestionAnswer::Skip},
                                          {u'o', QuestionAnswer::Overwrite},
                                          {u'r', QuestionAnswer::Retry},
                                          {u'c', QuestionAnswer::Cancel}};
    QTextStream input(stdin);
    for (;;) {
        PrintError(question);
        const QString prompt = Text(CliText::QuestionPrompt);
        std::fputs(prompt.toUtf8().constData(), stderr);
        std::fflush(stderr);
        const QString line = input.readLine().trimmed();
        if (line.isNull())
            return QuestionAnswer::Skip;
        for (const Choice &choice : kChoices) {
            if ((mask & uint32_t(choice.answer)) && line.size() == 1 &&
                line[0].toLower() == QChar(choice.letter)) {
                keep = line[0].isUpper();
                return choice.answer;
            }
        }
    }
}

class CSendRun
{
public:
    CSendRun(const SendOptions &options, const CSettingNode *root)
        : m_options(options)
        , m_root(root)
        , m_transfer(Application())
    {}

    // Follows the transfer to its end; the exit status.
    int Follow(IConnectivityServer &server, CEventQueue &events)
    {
        bool cancelling = false;
        for (;;) {
            if (g_interrupted && !cancelling) {
                cancelling = true;
                server.CancelTransfer();
                m_progress.Show(LoadLabel(Application(), StringId::Cancelling, true), 0);
            }
            const auto next = events.Next(100);
            if (!next)
                continue;
            const ServerEvent &event = *next;
            switch (event.kind) {
            case ServerEvent::State:
                break;
            case ServerEvent::Progress:
                m_progress.Show(m_transfer.Progress(event.phase, event.text), event.number);
                break;
            case ServerEvent::Error:
                server.AnswerQuestion(Answer(event));
                break;
            case ServerEvent::Finished:
                m_progress.End();
                server.ReleasePhone();
                if (const QString report = m_transfer.FinishedReport(event.result, false);
                    !report.isEmpty())
                    PrintError(report);
                return SUCCEEDED(event.result) ? ExitOk : ExitCheckFailed;
            }
        }
    }

private:
    int32_t Answer(const ServerEvent &event)
    {
        m_progress.End();
        if (!CSendTransfer::IsQuestion(event.result)) {
            PrintError(m_transfer.ErrorReport(event.result, event.settingName, event.text));
            return CSendTransfer::kErrorAnswer;
        }
        const uint32_t mask = uint32_t(event.number);
        const bool known = CSendTransfer::IsKnownItem(m_root, event.settingName);
        if (const std::optional<int32_t> kept = m_transfer.KeptAnswer(known))
            return *kept;
        const QString question = m_transfer.QuestionText(event.settingName, event.text);
        if (m_options.answer) {
            PrintError(question);
            return (mask & uint32_t(*m_options.answer)) ? *m_options.answer
                                                        : int32_t(QuestionAnswer::Skip);
        }
        if (!isatty(STDIN_FILENO)) {
            PrintError(question);
            return QuestionAnswer::Skip;
        }
        bool keep = false;
        const int32_t answer = AskOnTerminal(question, mask, keep);
        if (keep)
            m_transfer.KeepAnswer(known, answer);
        return answer;
    }

    const SendOptions &m_options;
    const CSettingNode *m_root;
    CSendTransfer m_transfer;
    CProgressLine m_progress;
};

int Unreachable(const QString &message)
{
    PrintError(message);
    return ExitUnreachable;
}

int SendToServer(const SendOptions &options, CCliDocument &document)
{
    CComPtr<IConnectivityServer> server;
    if (FAILED(CreateServer(server)))
        return Unreachable(Text(StringId::MsgServerNotReached));
    CComPtr<CEventQueue> events;
    CreateComObject<CEventQueue>(nullptr, IID_ICallback, events.ReceiveVoid());
    CServerClient client;
    if (const HRESULT result = client.Connect(server.Get(), events.Get()); FAILED(result))
        return Unreachable(ServerErrorText(Application(), result));
    uint32_t state = 0;
    if (FAILED(server->GetConnectionState(&state)) || !(state & ConnectionState::Connected))
        return Unreachable(Text(StringId::MsgServerNotReached));
    if (const QString refused = client.Reserve(Application()); !refused.isEmpty())
        return Unreachable(refused);
    if (const HRESULT result =
            client.Send(document.GetRoot(), QFileInfo(options.file).absoluteFilePath());
        FAILED(result)) {
        PrintError(ServerErrorText(Application(), result));
        return ExitCheckFailed;
    }
    g_interrupted = false;
    const auto previous = std::signal(SIGINT, OnInterrupt);
    CSendRun run(options, document.GetRoot());
    const int status = run.Follow(*server, *events);
    std::signal(SIGINT, previous);
    return status;
}

} // namespace

int CmdSend(const QStringList &arguments)
{
    SendOptions options;
    if (!ParseOptions(arguments, options))
        return ExitUsage;
    CCliDocument document;
    if (!OpenFile(document, options.file))
        return ExitFile;
    if (const QString failing = CheckBeforeSending(Application(), document.GetRoot());
        !failing.isEmpty()) {
        PrintError(failing);
        return ExitCheckFailed;
    }
    if (options.option != 1) {
        PrintError(Text(StringId::SendOptionElsewhere));
        return ExitOk;
    }
    return SendToServer(options, document);
}

} // namespace Cli
