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
    const QString own = QFileInfo(module).absolutePath() + u'/';
    // The plug-in's folder is the one that holds it; only a program looks
    // for it elsewhere.
    if (QFileInfo::exists(own + QLatin1String(kPlugInModuleName)))
        return own;
    const QString installed = InstalledProgramFolder(own);
    return QFileInfo::exists(installed + QLatin1String(kPlugInModuleName)) ? installed : own;
}

QString InstalledProgramFolder(const QString &programsFolder)
{
    return QDir::cleanPath(programsFolder + u'/' +
                           QStringLiteral(PROVANA_INSTALLED_PROGRAM_FOLDER)) +
           u'/';
}
