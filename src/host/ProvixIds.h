#pragma once

#include "platform/com/Guid.h"

// The class this module serves and the type library its registration names.
// Fixed once; hosts and installers find the class by them.
inline constexpr CLSID CLSID_Provix = GuidFromString("{8E0038AA-75A3-4D86-8483-F4A6A8E75B52}");
inline constexpr GUID LIBID_ProvixLib = GuidFromString("{51F5EC7B-8995-4099-831E-EE5C3ADD8959}");

inline constexpr char16_t kProgIdVersioned[] = u"Talvik.ProvixView.1";
inline constexpr char16_t kProgIdIndependent[] = u"Talvik.ProvixView";
inline constexpr char16_t kClassDescription[] = u"Provana Class";
inline constexpr char16_t kTypeLibraryDescription[] = u"Provana 1.0 Type Library";
inline constexpr char16_t kThreadingModel[] = u"Apartment";

// Shown when the language library is missing: no library means no texts.
inline constexpr char16_t kNoLanguageLibraryText[] =
    u"Cannot load language DLL.\r\nYou need to reinstall the application.";
inline constexpr char16_t kNoLanguageLibraryCaption[] = u"Talvik Provana";
