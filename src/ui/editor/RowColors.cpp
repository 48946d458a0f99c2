#include "ui/editor/RowColors.h"

#include <QPalette>

#include <algorithm>
#include <cmath>

namespace {

double Channel(double value)
{
    return value <= 0.04045 ? value / 12.92 : std::pow((value + 0.055) / 1.055, 2.4);
}

double Luminance(const QColor &colour)
{
    const QColor rgb = colour.toRgb();
    return 0.2126 * Channel(rgb.redF()) + 0.7152 * Channel(rgb.greenF()) +
           0.0722 * Channel(rgb.blueF());
}

QColor Mix(const QColor &a, const QColor &b, double share)
{
    const auto channel = [share](float from, float to) {
        return from + (to - from) * share;
    };
    const QColor x = a.toRgb();
    const QColor y = b.toRgb();
    return QColor::fromRgbF(channel(x.redF(), y.redF()), channel(x.greenF(), y.greenF()),
                            channel(x.blueF(), y.blueF()));
}

} // namespace

double ContrastRatio(const QColor &a, const QColor &b)
{
    const double first = Luminance(a);
    const double second = Luminance(b);
    return (std::max(first, second) + 0.05) / (std::min(first, second) + 0.05);
}

QColor Readable(const QColor &wanted, const QColor &background, double ratio)
{
    if (ContrastRatio(wanted, background) >= ratio)
        return wanted;
    const QColor black(Qt::black);
    const QColor white(Qt::white);
    const QColor extreme =
        ContrastRatio(black, background) >= ContrastRatio(white, background) ? black : white;
    constexpr int kSteps = 20;
    for (int step = 1; step < kSteps; ++step) {
        const QColor moved = Mix(wanted, extreme, double(step) / kSteps);
        if (ContrastRatio(moved, background) >= ratio)
            return moved;
    }
    return extreme;
}

CRowColors RowColors(const QPalette &palette, bool disabled, bool selected, bool treeFocus)
{
    CRowColors colours;
    QColor text;
    if (selected && treeFocus) {
        // Text held readable on the highlight ends up nearly the same colour
        // whether disabled or not; a disabled row's band goes half-way to the
        // base instead, as an inactive selection looks.
        const QColor highlight = palette.color(QPalette::Highlight);
        colours.background =
            disabled ? Mix(highlight, palette.color(QPalette::Base), 0.5) : highlight;
        text = disabled ? palette.color(QPalette::Disabled, QPalette::Text)
                        : palette.color(QPalette::HighlightedText);
    } else {
        if (selected)
            colours.background = palette.color(QPalette::Window);
        text = palette.color(disabled ? QPalette::Disabled : QPalette::Active, QPalette::Text);
    }
    const QColor under =
        colours.background.isValid() ? colours.background : palette.color(QPalette::Base);
    colours.text = Readable(text, under, kTextContrast);
    return colours;
}

QColor TreeLineColor(const QPalette &palette)
{
    return Readable(palette.color(QPalette::Mid), palette.color(QPalette::Base), kGraphicContrast);
}
