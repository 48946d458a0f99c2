#include "SendCommand.h"

#include "CliDocument.h"
#include "CliTexts.h"
#include "Commands.h"
#include "Console.h"

#include "document/SendSession.h"
#include "document/SendTexts.h"
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

// Takes the server's callbacks on its thread and queues them for the main
// thread, which alone talks back to the server.
class CEventQueue final : public CUnknownImpl<ICallback>
{
public:
    HRESULT OnStateChanged(uint32_t state) override
    {
        Push({ServerReport::StateChanged, S_OK, state, 0, 0, {}, {}});
        return S_OK;
    }
    HRESULT OnError(HRESULT result, uint32_t number, const char16_t *settingName,
                    const char16_t *text) override
    {
        Push({ServerReport::Error, result, number, 0, 0, QString::fromUtf16(settingName),
              QString::fromUtf16(text)});
        return S_OK;
    }
    HRESULT OnProgress(int32_t phase, const char16_t *text, int32_t percentage) override
    {
        Push({ServerReport::Progress, S_OK, 0, phase, percentage, {}, QString::fromUtf16(text)});
        return S_OK;
    }
    HRESULT OnFinished(HRESULT result) override
    {
        Push({ServerReport::Finished, result, 0, 0, 0, {}, {}});
        return S_OK;
    }

    // The next report, or nothing after waitMs.
    std::optional<ServerReport> Next(int waitMs)
    {
        std::unique_lock<std::mutex> lock(m_mutex);
        if (!m_added.wait_for(lock, std::chrono::milliseconds(waitMs),
                              [this] { return !m_reports.empty(); }))
            return std::nullopt;
        ServerReport report = std::move(m_reports.front());
        m_reports.pop_front();
        return report;
    }

private:
    void Push(ServerReport report)
    {
        const std::lock_guard<std::mutex> lock(m_mutex);
        m_reports.push_back(std::move(report));
        m_added.notify_one();
    }

    std::mutex m_mutex;
    std::condition_variable m_added;
    std::deque<ServerReport> m_reports;
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
    HRESULT result =
        CreateInstance(CLSID_ConnectivityServer, nullptr, CLSCTX_LOCAL_SERVER,
                       IID_IConnectivityServer, server.ReceiveVoid(), CreateLocalServerProxy);
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

// The send session on the terminal: progress and messages on standard
// error, questions answered by --answer or asked on the terminal.
class CConsoleSendPort final : public ISendSessionPort
{
public:
    explicit CConsoleSendPort(const SendOptions &options)
        : m_options(options)
    {}

    void ShowProgress(const QString &status, int percentage, bool) override
    {
        m_progress.Show(status, percentage);
    }
    std::optional<SendReply> Ask(const SendQuestion &question) override
    {
        m_progress.End();
        if (m_options.answer) {
            PrintError(question.text);
            const bool allowed = question.answers & uint32_t(*m_options.answer);
            return SendReply{allowed ? *m_options.answer : int32_t(QuestionAnswer::Skip), false};
        }
        if (!isatty(STDIN_FILENO)) {
            PrintError(question.text);
            return SendReply{QuestionAnswer::Skip, false};
        }
        SendReply reply;
        reply.answer = AskOnTerminal(question.text, question.answers, reply.keep);
        return reply;
    }
    void ShowMessage(const QString &text) override
    {
        m_progress.End();
        PrintError(text);
    }
    void PhoneChanged(bool) override {}
    void TransferEnded(HRESULT result) override
    {
        m_progress.End();
        m_status = SUCCEEDED(result) ? ExitOk : ExitCheckFailed;
    }

    // The exit status once the transfer has ended.
    std::optional<int> Status() const { return m_status; }

private:
    const SendOptions &m_options;
    CProgressLine m_progress;
    std::optional<int> m_status;
};

int SendToServer(const SendOptions &options, CCliDocument &document)
{
    CConsoleSendPort port(options);
    CSendSession session(Application(), port);
    CComPtr<IConnectivityServer> server;
    IConnectivityServer *made = SUCCEEDED(CreateServer(server)) ? server.Get() : nullptr;
    CComPtr<CEventQueue> events;
    CreateComObject<CEventQueue>(nullptr, IID_ICallback, events.ReceiveVoid());
    if (!session.Connect(made, events.Get()))
        return ExitUnreachable;
    if (!session.IsPhoneConnected()) {
        port.ShowMessage(Text(StringId::MsgServerNotReached));
        return ExitUnreachable;
    }
    switch (session.Start(document.GetRoot(), QFileInfo(options.file).absoluteFilePath(),
                          document.ScrambleKeys())) {
    case CSendSession::StartResult::Started:
        break;
    case CSendSession::StartResult::NotReserved:
        return ExitUnreachable;
    case CSendSession::StartResult::Failed:
        return ExitCheckFailed;
    }
    g_interrupted = false;
    const auto previous = std::signal(SIGINT, OnInterrupt);
    while (!port.Status()) {
        if (g_interrupted)
            session.Cancel();
        if (const std::optional<ServerReport> report = events->Next(100))
            session.Handle(*report);
    }
    std::signal(SIGINT, previous);
    return *port.Status();
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
