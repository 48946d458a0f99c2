#pragma once

#include "platform/com/Unknown.h"

struct IClassFactory : IUnknown
{
    // outer: the aggregating object, or null.
    virtual HRESULT CreateInstance(IUnknown *outer, const IID &iid, void **object) = 0;
    // Keeps the serving module loaded while lock is nonzero (counted).
    virtual HRESULT LockServer(BOOL lock) = 0;

protected:
    ~IClassFactory() = default;
};
