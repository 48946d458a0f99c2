#include "platform/ProgramFolder.h"

#include <QDir>
#include <QFileInfo>

#include <dlfcn.h>

namespace {
void Anchor() {}
} // namespace

QString ModulePath()
{
    Dl_info info{};
    if (!dladdr(reinterpret_cast<const void *>(&Anchor), &info) || !info.dli_fname)
        return QString();
    return QDir::cleanPath(QFileInfo(QString::fromLocal8Bit(info.dli_fname)).absoluteFilePath());
}

QString ProgramFolder()
{
    const QString module = ModulePath();
    if (module.isEmpty())
        return QDir::currentPath() + u'/';
    return QFileInfo(module).absolutePath() + u'/';
}
