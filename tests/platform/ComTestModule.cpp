// A small in-process server for the activation tests: it serves
// CLSID_TestCounter and exports what such a module exports.
#include "ComTestModule.h"

#include "platform/com/ClassFactoryImpl.h"
#include "platform/com/ComExports.h"
#include "platform/com/ModuleLock.h"
#include "platform/com/UnknownImpl.h"

namespace {

class CTestCounter final : public CUnknownImpl<ITestCounter>
{
public:
    HRESULT Add(int32_t amount, int32_t *total) override { return *total = amount, S_OK; }

private:
    CModuleLock m_moduleLock;
};

} // namespace

STDAPI DllGetClassObject(const CLSID &clsid, const IID &iid, void **object)
{
    if (clsid == CLSID_TestCounter)
        return GetClassFactory<CTestCounter>(iid, object);
    *object = nullptr;
    return CLASS_E_CLASSNOTAVAILABLE;
}

STDAPI DllCanUnloadNow()
{
    return CModuleLock::Count() == 0 ? S_OK : S_FALSE;
}
