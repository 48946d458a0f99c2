#pragma once

// The view plug-in that comes with the suite: a configuration file opened
// from the desktop goes to it, and the first start of an installation
// registers it.
inline constexpr char16_t kShippedPlugInProgId[] = u"Talvik.ProvixView";
// The per-user value in which it finds a file that another component of the
// suite asks it to open.
inline constexpr char16_t kShippedPlugInRequestKey[] =
    u"HKEY_CURRENT_USER\\Software\\Talvik\\Provana";
inline constexpr char16_t kShippedPlugInRequestValue[] = u"RequestFile";
