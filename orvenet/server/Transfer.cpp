#include "orvenet/server/Transfer.h"

#include "orvenet/sdk/ConnectivityServer.h"
#include "orvenet/server/EmulatedPhone.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <algorithm>
#include <cerrno>
#include <chrono>

namespace {

constexpr qint64 kReadPiece = 1 << 16;

QString FileNameOf(const QString &path)
{
    return QFileInfo(path).fileName();
}

} // namespace

CTransfer::CTransfer(CEmulatedPhone &phone, ITransferSink &sink, QString receivedPath,
                     QString configurationFile, InjectedFault fault, int delayMs)
    : m_phone(phone)
    , m_sink(sink)
    , m_receivedPath(std::move(receivedPath))
    , m_configurationFile(std::move(configurationFile))
    , m_fault(fault)
    , m_delayMs(delayMs)
{}

CTransfer::~CTransfer()
{
    Cancel();
    Join();
}

void CTransfer::Start()
{
    m_thread = std::thread([this] { Run(); });
}

void CTransfer::Cancel()
{
    const std::lock_guard<std::mutex> lock(m_mutex);
    m_cancelled = true;
    m_wake.notify_all();
}

void CTransfer::Answer(int32_t answer)
{
    const std::lock_guard<std::mutex> lock(m_mutex);
    m_answer = answer;
    m_wake.notify_all();
}

void CTransfer::Wake()
{
    const std::lock_guard<std::mutex> lock(m_mutex);
    m_wake.notify_all();
}

void CTransfer::Join()
{
    if (m_thread.joinable())
        m_thread.join();
}

void CTransfer::Run()
{
    const HRESULT result = Perform();
    ActivityRow row;
    row.time = QDateTime::currentDateTime();
    row.phoneName = m_phone.GetIdentity().epocName;
    row.configurationFile = m_configurationFile;
    row.result = result;
    row.settings = m_settings;
    row.files = m_files;
    m_sink.Finished(result, row);
}

HRESULT CTransfer::Stopped()
{
    const std::lock_guard<std::mutex> lock(m_mutex);
    if (m_cancelled)
        return ServerFailure(ServerResult::Cancelled);
    if (!m_phone.IsConnected())
        return ServerFailure(ServerResult::PhoneLost);
    return S_OK;
}

HRESULT CTransfer::Step(int32_t phase)
{
    if (m_fault.result && (m_fault.phase == 0 || m_fault.phase == phase))
        return m_fault.result;
    if (m_delayMs > 0) {
        std::unique_lock<std::mutex> lock(m_mutex);
        m_wake.wait_for(lock, std::chrono::milliseconds(m_delayMs),
                        [this] { return m_cancelled || !m_phone.IsConnected(); });
    }
    return Stopped();
}

int32_t CTransfer::Ask(HRESULT question, uint32_t mask, const QString &setting, const QString &text)
{
    {
        const std::lock_guard<std::mutex> lock(m_mutex);
        m_answer.reset();
    }
    m_sink.Error(question, mask, setting, text);
    std::unique_lock<std::mutex> lock(m_mutex);
    m_wake.wait(lock, [this] { return m_answer || m_cancelled || !m_phone.IsConnected(); });
    return m_answer && !m_cancelled ? *m_answer : QuestionAnswer::Cancel;
}

HRESULT CTransfer::Perform()
{
    m_sink.Progress(TransferPhase::Preparing, QString(), 0);
    if (const HRESULT stop = Step(TransferPhase::Preparing))
        return stop;
    // The reading finds the files first, so that the bar gives each stage
    // its share of the work: the configuration's bytes, then each file's.
    std::vector<FileEntry> files;
    std::vector<SettingStep> steps;
    if (const HRESULT stop = ReadConfiguration(files, steps))
        return stop;
    const qint64 settingsWork = std::max<qint64>(QFileInfo(m_receivedPath).size(), 1);
    qint64 total = settingsWork;
    for (const FileEntry &entry : files)
        total += FileWork(entry);
    if (const HRESULT stop = ReportSettings(steps, total))
        return stop;
    HRESULT result = S_OK;
    qint64 done = settingsWork;
    for (const FileEntry &entry : files) {
        const HRESULT copied = CopyEntry(entry, int32_t(100 * done / total));
        done += FileWork(entry);
        if (HRESULT_CODE(copied) == ServerResult::FileNotTransferred)
            result = copied;
        else if (FAILED(copied))
            return copied;
    }
    return result;
}

HRESULT CTransfer::ReportSettings(const std::vector<SettingStep> &steps, qint64 totalWork)
{
    const int settings = m_settings;
    for (const SettingStep &step : steps) {
        m_settings = step.settings;
        m_sink.Progress(TransferPhase::SendingSetting, step.category,
                        int32_t(100 * step.position / totalWork));
        if (const HRESULT stop = Step(TransferPhase::SendingSetting))
            return stop;
    }
    m_settings = settings;
    return S_OK;
}

HRESULT CTransfer::ReadConfiguration(std::vector<FileEntry> &files, std::vector<SettingStep> &steps)
{
    QFile file(m_receivedPath);
    if (!file.open(QIODevice::ReadOnly))
        return ServerFailure(ServerResult::ConfigurationNotRead);
    // Mapped, the text is read straight from the page cache; a file that
    // cannot be mapped is read whole.
    QByteArray copy;
    const qint64 size = file.size();
    const uchar *mapped = size > 0 ? file.map(0, size) : nullptr;
    if (!mapped)
        copy = file.readAll();
    const QByteArrayView text = mapped ? QByteArrayView(mapped, size) : QByteArrayView(copy);
    std::optional<ReceivedConfiguration> read = ReadReceivedConfiguration(text);
    if (!read)
        return ServerFailure(ServerResult::ConfigurationNotRead);
    files = std::move(read->files);
    steps = std::move(read->steps);
    m_settings = read->settings;
    return S_OK;
}

qint64 CTransfer::FileWork(const FileEntry &entry)
{
    return std::max<qint64>(QFileInfo(entry.local).size(), 1);
}

HRESULT CTransfer::CopyEntry(const FileEntry &entry, int32_t percentage)
{
    const QString fileName = FileNameOf(entry.local);
    m_sink.Progress(TransferPhase::CopyingFile, entry.local, percentage);
    if (const HRESULT stop = Step(TransferPhase::CopyingFile))
        return stop;
    const QString place = m_phone.PlaceForFile(entry.remote, fileName);
    const QString phonePath = entry.remote + fileName;
    if (place.isEmpty()) {
        const HRESULT refused = ServerFailure(ServerResult::FileNotTransferred);
        const uint32_t reason = CEmulatedPhone::IsOnPhoneDrive(entry.remote)
                                    ? FileRefusal::NameNotAllowed
                                    : FileRefusal::NoSuchDrive;
        if (Ask(refused, reason, entry.category, phonePath) == QuestionAnswer::Cancel)
            return Stopped();
        return refused;
    }
    for (;;) {
        int32_t answer = QuestionAnswer::Overwrite;
        const QFileInfo local(entry.local);
        if (!local.isFile() || !local.isReadable()) {
            answer =
                Ask(ServerFailure(ServerResult::FileNotReadable),
                    QuestionAnswer::Skip | QuestionAnswer::Cancel, entry.category, entry.local);
        } else if (QFileInfo::exists(place)) {
            answer = Ask(ServerFailure(ServerResult::FileExists),
                         QuestionAnswer::Skip | QuestionAnswer::Overwrite | QuestionAnswer::Retry |
                             QuestionAnswer::Cancel,
                         entry.category, phonePath);
        }
        if (answer == QuestionAnswer::Skip)
            return S_OK;
        if (answer == QuestionAnswer::Cancel)
            return ServerFailure(ServerResult::Cancelled);
        if (answer == QuestionAnswer::Overwrite)
            break;
    }
    QFile source(entry.local);
    if (!source.open(QIODevice::ReadOnly))
        return ServerFailure(ServerResult::FileNotCopied);
    QSaveFile target(place);
    if (!target.open(QIODevice::WriteOnly))
        return ServerFailure(ServerResult::FileNotWritten);
    while (!source.atEnd()) {
        const QByteArray piece = source.read(kReadPiece);
        if (piece.isEmpty() && source.error() != QFileDevice::NoError)
            return ServerFailure(ServerResult::FileNotCopied);
        if (target.write(piece) != piece.size())
            break;
    }
    if (!target.commit()) {
        return ServerFailure(target.error() == QFileDevice::ResourceError
                                 ? ServerResult::PhoneMemoryFull
                                 : ServerResult::FileNotWritten);
    }
    ++m_files;
    if (entry.category == u"SISFiles") {
        m_sink.Progress(TransferPhase::InstallingFile, entry.local, percentage);
        return Step(TransferPhase::InstallingFile);
    }
    return S_OK;
}
