#include "orvenet/host/ModuleRegistration.h"

#include "orvenet/sdk/OrvenetGuids.h"
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

} // namespace

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
