#pragma once

#include "document/SendSessionPort.h"
#include "document/SendTexts.h"
#include "document/ServerClient.h"
#include "document/ServerWorker.h"

#include <QString>
#include <QStringList>

#include <atomic>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>

class CApplication;
class CSettingNode;
struct ICallback;
struct IConnectivityServer;

// One report of the connectivity server, as the thread that follows the
// transfer receives it.
struct ServerReport
{
    enum Kind { StateChanged, Error, Progress, Finished };
    Kind kind = StateChanged;
    HRESULT result = S_OK;
    // A question's answer mask, an error's detail, or the new connection state.
    uint32_t number = 0;
    int32_t phase = 0;
    int32_t percentage = 0;
    QString settingName;
    QString text;
};

// The conversation of one send with the connectivity server: connect,
// reserve the phone, stream the configuration, follow the progress, put the
// server's questions to the user (keeping an answer for the rest of the
// transfer when asked to, one for the configuration's file categories and
// one for other items), and report the end with what reached the phone.
//
// Every call to the server runs on a worker thread of the session, so the
// thread that owns it only posts requests and handles what comes back:
// results through the poster, which runs a task on the owner's thread, and
// the server's reports through Handle. What it shows and asks goes through
// the port.
class CSendSession
{
public:
    // Answers an error report: the server goes on past the failed item.
    static constexpr int32_t kErrorAnswer = 4;

    using TaskPoster = std::function<void(std::function<void()> task)>;
    // Makes the server object; may take a while (a server being started).
    using ServerFactory = std::function<HRESULT(IConnectivityServer **server)>;

    CSendSession(const CApplication *application, ISendSessionPort &port, TaskPoster post);
    // Lets the server go; waits for a call under way.
    ~CSendSession();
    CSendSession(const CSendSession &) = delete;
    CSendSession &operator=(const CSendSession &) = delete;

    // Makes the server and connects to it with callback for its reports;
    // port.Connected and port.PhoneChanged follow.
    void Connect(ServerFactory factory, ICallback *callback);
    bool IsConnected() const { return m_connected; }
    bool IsPhoneConnected() const { return m_phoneConnected; }

    // Reserves the phone, hands over the configuration of root (filePath:
    // the file it came from) and starts the transfer; port.TransferEnded
    // follows in every case. The tree must stay as it is until then.
    void Start(const CSettingNode *root, const QString &filePath,
               const ScrambleKeySource &keys = RandomScrambleKey);
    // From Start until the transfer has ended.
    bool IsTransferring() const { return m_state != State::Idle; }
    // Stops the text being handed over, or asks the server to cancel the
    // transfer; the end follows as a report.
    void Cancel();

    // A report of the server, on the thread that owns the session.
    void Handle(const ServerReport &report);

private:
    enum class State { Idle, Starting, Transferring };

    // Runs job on the worker with the session's client; the task it returns
    // runs on the owner's thread, unless the session has gone.
    void OnWorker(std::function<std::function<void()>(CServerClient &client)> job);
    void ReadPhone(uint32_t state);
    void OnConnected(HRESULT made, HRESULT result, uint32_t state, const PhoneInfo &phone);
    void OnStarted(uint32_t serial, HRESULT result, bool reserving, const QString &holder);
    void OnProgress(int32_t phase, const QString &text, int32_t percentage);
    void OnError(HRESULT result, uint32_t number, const QString &settingName, const QString &text);
    void OnFinished(HRESULT result);
    // The current file, once it has reached the phone (not skipped).
    void FileDone();
    QString Summary(bool cancelled) const;
    std::optional<int32_t> &KeptAnswer(bool knownItem);
    void Answer(int32_t answer);
    void End(SendOutcome outcome, const QString &message = QString());
    void ResetTransfer();

    // What the worker's jobs share with the session; it lives as long as
    // the last of them.
    struct Link
    {
        std::mutex mutex;
        TaskPoster post;
        bool open = true;
        CServerClient client;
        std::atomic<bool> cancelled{false};
    };

    const CApplication *m_application;
    ISendSessionPort &m_port;
    std::shared_ptr<Link> m_link;
    std::shared_ptr<bool> m_alive = std::make_shared<bool>(true);
    bool m_connected = false;
    bool m_phoneConnected = false;
    PhoneInfo m_phone;

    State m_state = State::Idle;
    uint32_t m_serial = 0;
    const CSettingNode *m_root = nullptr;
    bool m_cancelling = false;
    bool m_questionOpen = false;
    bool m_errorReported = false;
    int32_t m_lastPhase = 0;
    QString m_lastText;
    std::optional<int32_t> m_keptKnown;
    std::optional<int32_t> m_keptUnknown;
    // What reached the phone so far: the categories done, the settings they
    // hold, the files copied; the category and file under way.
    QStringList m_categoriesDone;
    int m_settingsDone = 0;
    int m_filesDone = 0;
    QString m_category;
    QString m_file;
    bool m_fileSkipped = false;

    // Declared last: its thread ends before the rest goes.
    CServerWorker m_worker;
};
