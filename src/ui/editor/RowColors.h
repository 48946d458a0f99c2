#pragma once

#include <QColor>

class QPalette;

// The colours the settings tree paints its rows with, taken from the palette
// (light or dark) and held readable against what they stand on: text at
// least kTextContrast, lines kGraphicContrast.
inline constexpr double kTextContrast = 4.5;
inline constexpr double kGraphicContrast = 3.0;

// The contrast ratio of two colours, 1 to 21, from their relative luminance.
double ContrastRatio(const QColor &a, const QColor &b);

// wanted, moved toward black or white (whichever stands out more on
// background) just far enough to reach ratio against background.
QColor Readable(const QColor &wanted, const QColor &background, double ratio);

struct CRowColors
{
    QColor background; // of the label band; invalid: the tree's own
    QColor text;
};

// A row's band and text. A disabled row stays visibly unlike an enabled one,
// selected or not.
CRowColors RowColors(const QPalette &palette, bool disabled, bool selected, bool treeFocus);

// The connecting lines between the rows, on the tree's base colour.
QColor TreeLineColor(const QPalette &palette);
