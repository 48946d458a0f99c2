#pragma once

#include "platform/LanguageLibrary.h"

// Image identifiers of the settings tree's icons in the language library.
namespace TreeIconId {
enum : unsigned {
    Unchecked = 10240,
    Checked = 10236,
    Pressed = 10258,
    UncheckedDisabled = 10248,
    CheckedDisabled = 10244,
    PartlyChecked = 10257,
    MandatoryChecked = 10253,
    MandatoryPressed = 10259,
    Collapsed = 10214,
    Expanded = 10223,
};

inline constexpr unsigned kAll[] = {
    Unchecked,     Checked,          Pressed,          UncheckedDisabled, CheckedDisabled,
    PartlyChecked, MandatoryChecked, MandatoryPressed, Collapsed,         Expanded};

// The language library keeps each icon at 16 pixels under its identifier and
// at 32 pixels, for screens with twice the pixel density, under this offset
// plus its identifier.
inline constexpr unsigned kDoubleSizeOffset = kDoubleSizeImageOffset;
} // namespace TreeIconId
