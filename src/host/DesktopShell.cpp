#include "host/DesktopShell.h"

#include <QDesktopServices>
#include <QProcess>
#include <QStringList>
#include <QUrl>

namespace {

bool StartWith(const QString &command, const QString &path)
{
    QStringList arguments = QProcess::splitCommand(command);
    if (arguments.isEmpty())
        return false;
    const QString program = arguments.takeFirst();
    arguments.append(path);
    return QProcess::startDetached(program, arguments);
}

} // namespace

bool CDesktopShell::OpenWithDefaultProgram(const QString &path)
{
    if (QDesktopServices::openUrl(QUrl::fromLocalFile(path)))
        return true;
    for (const char *variable : {"VISUAL", "EDITOR"}) {
        if (StartWith(qEnvironmentVariable(variable), path))
            return true;
    }
    return StartWith(QStringLiteral("xdg-open"), path);
}
