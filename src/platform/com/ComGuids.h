#pragma once

#include "platform/com/Guid.h"

struct IUnknown;
struct IClassFactory;

// COM's own identifiers, unchanged.
inline constexpr IID IID_IUnknown = GuidFromString("{00000000-0000-0000-C000-000000000046}");
inline constexpr IID IID_IClassFactory = GuidFromString("{00000001-0000-0000-C000-000000000046}");

template<>
struct InterfaceId<IUnknown>
{
    static constexpr const IID &value = IID_IUnknown;
};

template<>
struct InterfaceId<IClassFactory>
{
    static constexpr const IID &value = IID_IClassFactory;
};
