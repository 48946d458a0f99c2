// The module's four exports; everything else in it stays hidden.
#include "host/Provix.h"
#include "host/ProvixApp.h"
#include "host/ProvixIds.h"
#include "host/Registration.h"
#include "platform/ProgramFolder.h"
#include "platform/com/ClassFactoryImpl.h"
#include "platform/com/ComExports.h"
#include "platform/registry/Registry.h"

namespace {
// The application object starts when the module is loaded, before any call.
[[maybe_unused]] const CProvixApp &g_application = CProvixApp::Instance();
} // namespace

STDAPI DllGetClassObject(const CLSID &clsid, const IID &iid, void **object)
{
    if (!object)
        return E_POINTER;
    *object = nullptr;
    if (!(clsid == CLSID_Provix))
        return CLASS_E_CLASSNOTAVAILABLE;
    return GetClassFactory<CProvix>(iid, object);
}

STDAPI DllCanUnloadNow()
{
    return CModuleLock::Count() == 0 ? S_OK : S_FALSE;
}

STDAPI DllRegisterServer()
{
    CRegistry registry;
    return RegisterProvix(registry, ModulePath());
}

STDAPI DllUnregisterServer()
{
    CRegistry registry;
    return UnregisterProvix(registry);
}
