#include "orvenet/host/ModuleRegistration.h"

#include "orvenet/host/ShippedPlugIn.h"
#include "orvenet/sdk/OrvenetGuids.h"
#include "orvenet/sdk/ViewPlugin.h"
#include "platform/ProgramFolder.h"
#include "platform/com/Activation.h"
#include "platform/com/ComExports.h"
#include "platform/registry/Registry.h"

#include <QFile>
#include <QFileInfo>

#include <dlfcn.h>

HRESULT CallModuleRegistration(const QString &modulePath, bool registering)
{
    // The module registers the path it was loaded from, so load it by its
    // full path rather than through the loader's search.
    const QString path = QFileInfo(modulePath).absoluteFilePath();
    void *module = dlopen(QFile::encodeName(path).constData(), RTLD_NOW | RTLD_LOCAL);
    if (!module)
        return CO_E_DLLNOTFOUND;
    auto entry = reinterpret_cast<DllRegisterServerFunction>(
        dlsym(module, registering ? kDllRegisterServer : kDllUnregisterServer));
    if (!entry)
        return CO_E_ERRORINDLL;
    return entry();
}

namespace {

QString ServerClassKey()
{
    return QStringLiteral("HKEY_CLASSES_ROOT\\CLSID\\") +
           QString::fromStdString(FormatGuid(CLSID_ConnectivityServer));
}

// The file a registered class is served from, when that file exists.
bool ServedFileExists(const CRegistry &registry, const QString &classKey, const QString &kind)
{
    const std::optional<QString> file = registry.GetValue(classKey + u'\\' + kind);
    return file && QFileInfo(*file).isFile();
}

bool PlugInRegistered(const CRegistry &registry)
{
    const QString progId = QString::fromUtf16(kShippedPlugInProgId);
    CLSID clsid{};
    return registry.KeyExists(QString::fromUtf16(kViewPlugInsKey) + u'\\' + progId) &&
           SUCCEEDED(ClsidFromProgId(kShippedPlugInProgId, &clsid)) &&
           ServedFileExists(registry,
                            QStringLiteral("HKEY_CLASSES_ROOT\\CLSID\\") +
                                QString::fromStdString(FormatGuid(clsid)),
                            QStringLiteral("InprocServer32"));
}

} // namespace

bool RegisterInstallation(const QString &programsFolder)
{
    const QString plugIn =
        InstalledProgramFolder(programsFolder) + QLatin1String(kPlugInModuleName);
    if (!QFileInfo(plugIn).isFile())
        return false;
    CRegistry registry;
    bool registered = true;
    if (!PlugInRegistered(registry))
        registered = SUCCEEDED(CallModuleRegistration(plugIn, true));
    if (!ServedFileExists(registry, ServerClassKey(), QStringLiteral("LocalServer32")))
        registered =
            RegisterConnectivityServer(programsFolder + QStringLiteral("/orvenet-server")) &&
            registered;
    return registered;
}

bool RegisterConnectivityServer(const QString &serverPath)
{
    CRegistry registry;
    const QString key = ServerClassKey();
    return registry.SetValue(key, QString(), QStringLiteral("Orvenet Connectivity Server")) &&
           registry.SetValue(key + QStringLiteral("\\LocalServer32"), QString(),
                             QFileInfo(serverPath).absoluteFilePath());
}

bool UnregisterConnectivityServer()
{
    CRegistry registry;
    return !registry.KeyExists(ServerClassKey()) || registry.DeleteKey(ServerClassKey());
}
