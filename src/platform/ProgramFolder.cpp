#include "platform/ProgramFolder.h"

#include <QDir>
#include <QFileInfo>

#include <dlfcn.h>

namespace {
void Anchor() {}
} // namespace

QString ProgramFolder()
{
    Dl_info info{};
    if (!dladdr(reinterpret_cast<const void *>(&Anchor), &info) || !info.dli_fname)
        return QDir::currentPath() + u'/';
    const QString folder = QFileInfo(QString::fromLocal8Bit(info.dli_fname)).absolutePath();
    return QDir::cleanPath(folder) + u'/';
}
