#include "orvenet/server/ServerPaths.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

QString ServerRuntimeFolder()
{
    const QString own = qEnvironmentVariable("TALVIK_RUNTIME");
    if (!own.isEmpty())
        return QDir::cleanPath(own);
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty())
        return QDir::cleanPath(runtime) + QStringLiteral("/talvik");
    return QStringLiteral("/tmp/talvik-%1").arg(getuid());
}

bool PrepareRuntimeFolder(QString &error)
{
    const QString folder = ServerRuntimeFolder();
    const QByteArray path = QFile::encodeName(folder);
    QDir().mkpath(QFileInfo(folder).absolutePath());
    if (mkdir(path.constData(), 0700) != 0 && errno != EEXIST) {
        error = QString::fromLocal8Bit(std::strerror(errno));
        return false;
    }
    struct stat info = {};
    if (lstat(path.constData(), &info) != 0 || !S_ISDIR(info.st_mode) || info.st_uid != getuid()) {
        error = QStringLiteral("%1 is not a folder of this user").arg(folder);
        return false;
    }
    if ((info.st_mode & 0777) != 0700 && chmod(path.constData(), 0700) != 0) {
        error = QString::fromLocal8Bit(std::strerror(errno));
        return false;
    }
    return true;
}

QString ServerSocketPath()
{
    return ServerRuntimeFolder() + QStringLiteral("/orvenet-server.sock");
}

QString PhoneFolderPath()
{
    const QString own = qEnvironmentVariable("TALVIK_PHONE");
    if (!own.isEmpty())
        return QDir::cleanPath(own);
    return QDir::homePath() + QStringLiteral("/.local/share/Talvik/phone");
}

QString ActivityLogPathBeside(const QString &serverProgram)
{
    const QString own = qEnvironmentVariable("TALVIK_ACTIVITY_LOG");
    if (!own.isEmpty())
        return own;
    const QString name = QStringLiteral("ProvixLog.csv");
    const QFileInfo programFolder(QFileInfo(serverProgram).absolutePath());
    if (programFolder.isDir() && programFolder.isWritable())
        return QDir(programFolder.filePath()).filePath(name);
    // An installed server cannot write beside itself; each user keeps a log.
    return QDir::homePath() + QStringLiteral("/.local/share/Talvik/") + name;
}
