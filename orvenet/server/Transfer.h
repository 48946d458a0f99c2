#pragma once

#include "orvenet/server/ActivityLog.h"
#include "orvenet/server/ReceivedConfiguration.h"
#include "platform/com/ComTypes.h"

#include <QString>

#include <condition_variable>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

class CEmulatedPhone;

// Where a transfer reports; called on the transfer's thread.
class ITransferSink
{
public:
    virtual ~ITransferSink() = default;
    virtual void Progress(int32_t phase, const QString &text, int32_t percentage) = 0;
    // A failure or a question about one item; the transfer then waits for
    // an answer.
    virtual void Error(HRESULT result, uint32_t number, const QString &settingName,
                       const QString &text) = 0;
    // The last call; the row describes the transfer for the activity log.
    virtual void Finished(HRESULT result, const ActivityRow &row) = 0;
};

// A failure the phone's controller asked for: the next transfer ends with
// result when it reaches phase (any phase when 0).
struct InjectedFault
{
    HRESULT result = 0;
    int32_t phase = 0;
};

// One transfer of a received configuration to the phone, on a thread of its
// own: it reads the configuration, reports each top-level setting, copies
// the included file entries of FileTransfer to the phone's drives, asking
// about existing and unreadable files, and ends with the end-of-transfer
// report. Cancel takes effect at the next step.
class CTransfer
{
public:
    CTransfer(CEmulatedPhone &phone, ITransferSink &sink, QString receivedPath,
              QString configurationFile, InjectedFault fault, int delayMs);
    ~CTransfer();
    CTransfer(const CTransfer &) = delete;
    CTransfer &operator=(const CTransfer &) = delete;

    void Start();
    void Cancel();
    void Answer(int32_t answer);
    // The phone's state changed: a waiting transfer looks again.
    void Wake();
    void Join();

private:
    using FileEntry = ReceivedConfiguration::FileEntry;
    using SettingStep = ReceivedConfiguration::SettingStep;
    void Run();
    HRESULT Perform();
    // Each step ends the transfer (a failure) when it was cancelled, the
    // phone went away or a fault waits for this phase; otherwise S_OK.
    HRESULT Step(int32_t phase);
    HRESULT Stopped();
    // Waits for the client's answer; Cancel when the transfer is cancelled.
    int32_t Ask(HRESULT question, uint32_t mask, const QString &setting, const QString &text);
    // Finds the file entries and the settings steps in one reading.
    HRESULT ReadConfiguration(std::vector<FileEntry> &files, std::vector<SettingStep> &steps);
    // Reports each category and steps, its percentage the share of
    // totalWork read by then.
    HRESULT ReportSettings(const std::vector<SettingStep> &steps, qint64 totalWork);
    // A file's share of the work: its size.
    static qint64 FileWork(const FileEntry &entry);
    HRESULT CopyEntry(const FileEntry &entry, int32_t percentage);

    CEmulatedPhone &m_phone;
    ITransferSink &m_sink;
    QString m_receivedPath;
    QString m_configurationFile;
    InjectedFault m_fault;
    int m_delayMs;
    std::thread m_thread;

    std::mutex m_mutex;
    std::condition_variable m_wake;
    bool m_cancelled = false;
    std::optional<int32_t> m_answer;

    int m_settings = 0;
    int m_files = 0;
};
