#pragma once

#include "platform/com/Guid.h"

struct IViewPlugin;
struct IViewPluginClose;
struct IViewHost;
struct ICallback;
struct IConnectivityServer;

// The suite's identifiers. A published identifier never changes and never
// names a changed interface: a new interface gets a new identifier.
inline constexpr IID IID_IViewPlugin = GuidFromString("{4A53D29E-A207-4B5A-839A-AEA13817812E}");
inline constexpr IID IID_IViewPluginClose =
    GuidFromString("{6F1C2B7A-3D4E-4C59-9A21-0B8E5D7F4C13}");
inline constexpr IID IID_IViewHost = GuidFromString("{F9C9848E-8042-498F-83A8-C6F251338C7C}");
inline constexpr IID IID_ICallback = GuidFromString("{3758A96F-FE36-4D4C-A00E-87AF92308232}");
inline constexpr IID IID_IConnectivityServer =
    GuidFromString("{BD9346AE-B568-4E6F-BECE-C1BA3CC944A0}");

// The connectivity server's class, registered as a local server.
inline constexpr CLSID CLSID_ConnectivityServer =
    GuidFromString("{BCA25A90-FACC-403C-9505-54E8A0BD9263}");

template<>
struct InterfaceId<IViewPlugin>
{
    static constexpr const IID &value = IID_IViewPlugin;
};

template<>
struct InterfaceId<IViewPluginClose>
{
    static constexpr const IID &value = IID_IViewPluginClose;
};

template<>
struct InterfaceId<IViewHost>
{
    static constexpr const IID &value = IID_IViewHost;
};

template<>
struct InterfaceId<ICallback>
{
    static constexpr const IID &value = IID_ICallback;
};

template<>
struct InterfaceId<IConnectivityServer>
{
    static constexpr const IID &value = IID_IConnectivityServer;
};
