#pragma once

#include "platform/com/ClassFactory.h"
#include "platform/com/ModuleLock.h"
#include "platform/com/UnknownImpl.h"

// The class object of T: every CreateInstance makes a new T. The factory
// itself does not hold the module; only its LockServer calls do, so a host may
// keep a factory and still let the module go.
template<class T>
class CClassFactoryImpl final : public CUnknownImpl<IClassFactory>
{
public:
    HRESULT CreateInstance(IUnknown *outer, const IID &iid, void **object) override
    {
        return CreateComObject<T>(outer, iid, object);
    }

    HRESULT LockServer(BOOL lock) override
    {
        if (lock)
            CModuleLock::Lock();
        else
            CModuleLock::Unlock();
        return S_OK;
    }
};

// What a module's DllGetClassObject answers for the class T.
template<class T>
HRESULT GetClassFactory(const IID &iid, void **object)
{
    return CreateComObject<CClassFactoryImpl<T>>(nullptr, iid, object);
}
