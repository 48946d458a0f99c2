#include "orvenet/host/ModuleRegistration.h"

#include "platform/com/ComExports.h"

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
