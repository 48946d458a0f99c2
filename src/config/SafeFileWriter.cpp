#include "config/SafeFileWriter.h"

#include <QDir>
#include <QFileInfo>

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

FileWriteFunction g_write = ::write;

// A large file is handed to the disk as it is written, in steps of this
// many bytes, so that the flush at the end waits only for the last of it.
constexpr qint64 kWritebackStep = qint64(8) << 20;

QString SystemMessage(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

void SyncFolder(const QByteArray &folder)
{
    const int fd = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

mode_t ModeFor(const QByteArray &target)
{
    struct stat existing
    {};
    if (::stat(target.constData(), &existing) == 0)
        return existing.st_mode & 07777;
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

} // namespace

void SetFileWriteFunction(FileWriteFunction function)
{
    g_write = function ? function : ::write;
}

CSafeFileWriter::CSafeFileWriter(const QString &path)
{
    const QFileInfo info(path);
    m_target = QFile::encodeName(info.absoluteFilePath());
    m_folder = QFile::encodeName(info.absolutePath());
    m_temporary = m_folder + "/." + QFile::encodeName(info.fileName()) + ".XXXXXX";
    m_fd = ::mkstemp(m_temporary.data());
    if (m_fd < 0) {
        m_error = errno;
        return;
    }
    ::fchmod(m_fd, ModeFor(m_target));
}

CSafeFileWriter::~CSafeFileWriter()
{
    Discard();
}

void CSafeFileWriter::Discard()
{
    if (m_fd < 0)
        return;
    ::close(m_fd);
    ::unlink(m_temporary.constData());
    m_fd = -1;
}

void CSafeFileWriter::Fail(int error)
{
    m_error = error;
    Discard();
}

bool CSafeFileWriter::Write(const char *data, qsizetype size)
{
    while (m_error == 0 && size > 0) {
        const ssize_t written = g_write(m_fd, data, static_cast<size_t>(size));
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            Fail(written == 0 ? ENOSPC : errno);
        else {
            data += written;
            size -= written;
            m_written += written;
        }
    }
    if (m_error == 0 && m_written - m_writebackAsked >= kWritebackStep) {
        ::sync_file_range(m_fd, m_writebackAsked, m_written - m_writebackAsked,
                          SYNC_FILE_RANGE_WRITE);
        m_writebackAsked = m_written;
    }
    return m_error == 0;
}

bool CSafeFileWriter::Commit(QString &error)
{
    if (m_error == 0 && ::fsync(m_fd) != 0)
        Fail(errno);
    if (m_error == 0) {
        const int fd = m_fd;
        m_fd = -1;
        if (::close(fd) != 0 || ::rename(m_temporary.constData(), m_target.constData()) != 0) {
            m_error = errno;
            ::unlink(m_temporary.constData());
        }
    }
    if (m_error != 0) {
        error = SystemMessage(m_error);
        return false;
    }
    SyncFolder(m_folder);
    return true;
}

bool WriteFileSafely(const QString &path, const QByteArray &bytes, QString &error)
{
    CSafeFileWriter file(path);
    file.Write(bytes.constData(), bytes.size());
    return file.Commit(error);
}
