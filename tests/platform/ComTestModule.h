#pragma once

#include "platform/com/Guid.h"
#include "platform/com/Unknown.h"

#include <cstdint>

// The class the test module serves and its one interface.
struct ITestCounter : IUnknown
{
    virtual HRESULT Add(int32_t amount, int32_t *total) = 0;

protected:
    ~ITestCounter() = default;
};

inline constexpr IID IID_ITestCounter = GuidFromString("{51A0CAA3-8934-4BC5-B8E4-88E9127332A6}");
inline constexpr CLSID CLSID_TestCounter = GuidFromString("{F01F30D8-A6A7-474F-BDD2-0708BD5C2B3F}");

template<>
struct InterfaceId<ITestCounter>
{
    static constexpr const IID &value = IID_ITestCounter;
};
