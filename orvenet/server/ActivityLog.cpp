#include "orvenet/server/ActivityLog.h"

#include "orvenet/server/ServerPaths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

const char kActivityLogHeader[] = "Date,Phone,Configuration,Result,Settings,Files\r\n";

namespace {

QString Quoted(QString text)
{
    if (!text.contains(u',') && !text.contains(u'"') && !text.contains(u'\n') &&
        !text.contains(u'\r'))
        return text;
    return u'"' + text.replace(u'"', QStringLiteral("\"\"")) + u'"';
}

bool WriteAll(int fd, const QByteArray &bytes)
{
    qsizetype written = 0;
    while (written < bytes.size()) {
        const ssize_t count = ::write(fd, bytes.constData() + written, bytes.size() - written);
        if (count <= 0)
            return false;
        written += count;
    }
    return true;
}

} // namespace

QString ActivityLogPath()
{
    return ActivityLogPathBeside(QCoreApplication::applicationFilePath());
}

QByteArray FormatActivityRow(const ActivityRow &row)
{
    const QStringList fields = {
        row.time.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")),
        Quoted(row.phoneName),
        Quoted(row.configurationFile),
        QStringLiteral("0x%1").arg(static_cast<uint32_t>(row.result), 8, 16, QChar(u'0')),
        QString::number(row.settings),
        QString::number(row.files),
    };
    return (fields.join(u',') + QStringLiteral("\r\n")).toUtf8();
}

bool AppendActivityRow(const QString &path, const ActivityRow &row)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    const int fd = ::open(QFile::encodeName(path).constData(),
                          O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0)
        return false;
    bool written = ::flock(fd, LOCK_EX) == 0;
    struct stat info = {};
    if (written && ::fstat(fd, &info) == 0 && info.st_size == 0)
        written = WriteAll(fd, QByteArray(kActivityLogHeader));
    written = written && WriteAll(fd, FormatActivityRow(row));
    ::close(fd);
    return written;
}
