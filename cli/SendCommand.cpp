#include "SendCommand.h"

#include "CliDocument.h"
#include "CliTexts.h"
#include "Commands.h"
#include "Console.h"

#include "document/SendSession.h"
#include "document/SendTexts.h"
#include "orvenet/sdk/ConnectivityServer.h"
#include "orvenet/server/ConnectivityServerProxy.h"
#include "platform/com/Activation.h"
#include "platform/com/UnknownImpl.h"
#include "settings/StringIds.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <functional>
#include <mutex>
#include <optional>

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

namespace Cli {
namespace {

// Ctrl+C: the first cancels, the second ends the program at once. The
// handler only counts and wakes the main thread through a pipe, so that a
// wait on the terminal or on the server ends too.
std::atomic<int> g_interrupts{0};
int g_wakeWrite = -1;

void OnInterrupt(int)
{
    if (g_interrupts.fetch_add(1) >= 1)
        _exit(128 + SIGINT);
    const char byte = 'i';
    [[maybe_unused]] const ssize_t written = ::write(g_wakeWrite, &byte, 1);
}

// A pipe that wakes the main thread: for a task queued by another thread or
// for Ctrl+C. While it lives, SIGINT interrupts waits instead of ending the
// program.
class CWakeUp
{
public:
    CWakeUp()
    {
        if (::pipe2(m_pipe, O_CLOEXEC | O_NONBLOCK) != 0)
            m_pipe[0] = m_pipe[1] = -1;
        g_interrupts = 0;
        g_wakeWrite = m_pipe[1];
        struct sigaction action = {};
        action.sa_handler = OnInterrupt;
        sigemptyset(&action.sa_mask);
        // No SA_RESTART: a read of the terminal returns when interrupted.
        action.sa_flags = 0;
        sigaction(SIGINT, &action, &m_previous);
    }
    ~CWakeUp()
    {
        sigaction(SIGINT, &m_previous, nullptr);
        g_wakeWrite = -1;
        ::close(m_pipe[0]);
        ::close(m_pipe[1]);
    }
    CWakeUp(const CWakeUp &) = delete;
    CWakeUp &operator=(const CWakeUp &) = delete;

    void Wake()
    {
        const char byte = 't';
        [[maybe_unused]] const ssize_t written = ::write(m_pipe[1], &byte, 1);
    }
    // Waits for a wake-up or for input on fd (-1: none); true when fd has
    // input.
    bool Wait(int fd = -1)
    {
        pollfd fds[2] = {{m_pipe[0], POLLIN, 0}, {fd, POLLIN, 0}};
        const int count = ::poll(fds, fd >= 0 ? 2 : 1, -1);
        char bytes[64];
        while (::read(m_pipe[0], bytes, sizeof bytes) > 0) {
        }
        return count > 0 && fd >= 0 && (fds[1].revents & (POLLIN | POLLHUP));
    }
    static bool Interrupted() { return g_interrupts > 0; }

private:
    int m_pipe[2] = {-1, -1};
    struct sigaction m_previous = {};
};

// Tasks for the main thread, which alone talks to the session: the session's
// results and the server's reports.
class CTaskQueue
{
public:
    explicit CTaskQueue(CWakeUp &wake)
        : m_wake(wake)
    {}
    void Push(std::function<void()> task)
    {
        {
            const std::lock_guard<std::mutex> lock(m_mutex);
            m_tasks.push_back(std::move(task));
        }
        m_wake.Wake();
    }
    void RunPending()
    {
        for (;;) {
            std::function<void()> task;
            {
                const std::lock_guard<std::mutex> lock(m_mutex);
                if (m_tasks.empty())
                    return;
                task = std::move(m_tasks.front());
                m_tasks.pop_front();
            }
            task();
        }
    }

private:
    CWakeUp &m_wake;
    std::mutex m_mutex;
    std::deque<std::function<void()>> m_tasks;
};

// Takes the server's callbacks on its thread and queues them for the main
// thread.
class CReportQueue final : public CUnknownImpl<ICallback>
{
public:
    std::function<void(ServerReport)> handle;

    HRESULT OnStateChanged(uint32_t state) override
    {
        return Push({ServerReport::StateChanged, S_OK, state, 0, 0, {}, {}});
    }
    HRESULT OnError(HRESULT result, uint32_t number, const char16_t *settingName,
                    const char16_t *text) override
    {
        return Push({ServerReport::Error, result, number, 0, 0, QString::fromUtf16(settingName),
                     QString::fromUtf16(text)});
    }
    HRESULT OnProgress(int32_t phase, const char16_t *text, int32_t percentage) override
    {
        return Push(
            {ServerReport::Progress, S_OK, 0, phase, percentage, {}, QString::fromUtf16(text)});
    }
    HRESULT OnFinished(HRESULT result) override
    {
        return Push({ServerReport::Finished, result, 0, 0, 0, {}, {}});
    }

private:
    HRESULT Push(ServerReport report)
    {
        if (handle)
            handle(std::move(report));
        return S_OK;
    }
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
                                        QCoreApplication::applicationDirPath() +
                                            QStringLiteral("/orvenet-server"),
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

// A line typed on the terminal; nothing when Ctrl+C came first, a null
// text at the end of the input.
std::optional<QString> ReadTerminalLine(CWakeUp &wake)
{
    QByteArray line;
    for (;;) {
        if (CWakeUp::Interrupted())
            return std::nullopt;
        if (!wake.Wait(STDIN_FILENO))
            continue;
        char byte = 0;
        const ssize_t count = ::read(STDIN_FILENO, &byte, 1);
        if (count < 0 && (errno == EINTR || errno == EAGAIN))
            continue;
        if (count <= 0)
            return line.isEmpty() ? QString() : QString::fromUtf8(line);
        if (byte == '\n')
            return QString::fromUtf8(line);
        line += byte;
    }
}

// Asks on the terminal; a capital letter keeps the answer for the rest.
// Nothing when Ctrl+C interrupts the question.
std::optional<SendReply> AskOnTerminal(CWakeUp &wake, const QString &question, uint32_t mask)
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
    for (;;) {
        PrintError(question);
        const QString prompt = Text(CliText::QuestionPrompt);
        std::fputs(prompt.toUtf8().constData(), stderr);
        std::fflush(stderr);
        const std::optional<QString> typed = ReadTerminalLine(wake);
        if (!typed) {
            std::fputc('\n', stderr);
            return std::nullopt;
        }
        const QString line = typed->trimmed();
        if (typed->isNull())
            return SendReply{QuestionAnswer::Skip, false};
        for (const Choice &choice : kChoices) {
            if ((mask & uint32_t(choice.answer)) && line.size() == 1 &&
                line[0].toLower() == QChar(choice.letter))
                return SendReply{choice.answer, line[0].isUpper()};
        }
    }
}

// The send session on the terminal: progress and messages on standard
// error, questions answered by --answer or asked on the terminal.
class CConsoleSendPort final : public ISendSessionPort
{
public:
    CConsoleSendPort(const SendOptions &options, CWakeUp &wake)
        : m_options(options)
        , m_wake(wake)
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
        return AskOnTerminal(m_wake, question.text, question.answers);
    }
    void ShowMessage(const QString &text) override
    {
        m_progress.End();
        PrintError(text);
    }
    void Connected(bool connected) override { m_connected = connected; }
    void PhoneChanged(bool connected, const PhoneInfo &) override { m_phone = connected; }
    void TransferEnded(const SendOutcome &outcome) override
    {
        m_progress.End();
        if (outcome.cancelled)
            PrintError(outcome.summary);
        else if (!outcome.summary.isEmpty())
            PrintOut(outcome.summary);
        m_status = SUCCEEDED(outcome.result) ? ExitOk
                   : outcome.unreachable     ? ExitUnreachable
                                             : ExitCheckFailed;
    }

    // Whether the connection was made, once it was tried.
    std::optional<bool> IsConnected() const { return m_connected; }
    bool IsPhoneConnected() const { return m_phone; }
    // The exit status once the transfer has ended.
    std::optional<int> Status() const { return m_status; }

private:
    const SendOptions &m_options;
    CWakeUp &m_wake;
    CProgressLine m_progress;
    std::optional<bool> m_connected;
    bool m_phone = false;
    std::optional<int> m_status;
};

int SendToServer(const SendOptions &options, CCliDocument &document)
{
    CWakeUp wake;
    CTaskQueue tasks(wake);
    CComPtr<CReportQueue> reports;
    CreateComObject<CReportQueue>(nullptr, IID_ICallback, reports.ReceiveVoid());
    CConsoleSendPort port(options, wake);
    CSendSession session(Application(), port,
                         [&tasks](std::function<void()> task) { tasks.Push(std::move(task)); });
    reports->handle = [&tasks, &session](ServerReport report) {
        tasks.Push([&session, report = std::move(report)] { session.Handle(report); });
    };
    session.Connect(
        [](IConnectivityServer **server) {
            CComPtr<IConnectivityServer> made;
            const HRESULT result = CreateServer(made);
            *server = made.Detach();
            return result;
        },
        reports.Get());
    bool started = false;
    bool cancelled = false;
    for (;;) {
        tasks.RunPending();
        if (const std::optional<int> status = port.Status()) {
            return *status;
        }
        if (CWakeUp::Interrupted() && !cancelled) {
            cancelled = true;
            if (!started) {
                // Nothing reserved yet; the server may still be starting,
                // and the program need not wait for it.
                PrintError(Text(StringId::CancelledNothingSent));
                std::fflush(stderr);
                std::_Exit(ExitCheckFailed);
            }
            session.Cancel();
        }
        if (!started && port.IsConnected()) {
            if (!*port.IsConnected())
                return ExitUnreachable;
            if (!port.IsPhoneConnected()) {
                port.ShowMessage(Text(StringId::MsgServerNotReached));
                return ExitUnreachable;
            }
            session.Start(document.GetRoot(), QFileInfo(options.file).absoluteFilePath(),
                          document.ScrambleKeys());
            started = true;
            continue;
        }
        wake.Wait();
    }
}
} // namespace

int CmdSend(const QStringList &arguments)
{
    SendOptions options;
    if (!ParseOptions(arguments, options))
        return ExitUsage;
    CCliDocument &document = KeptDocument();
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
