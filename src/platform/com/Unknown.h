#pragma once

#include "platform/com/ComGuids.h"
#include "platform/com/ComTypes.h"

// The root of every interface, in COM's vtable order. Interfaces carry no data
// and no virtual destructor; their protected destructor keeps anyone from
// deleting an object through them instead of releasing it.
struct IUnknown
{
    virtual HRESULT QueryInterface(const IID &iid, void **object) = 0;
    virtual ULONG AddRef() = 0;
    virtual ULONG Release() = 0;

protected:
    ~IUnknown() = default;
};
