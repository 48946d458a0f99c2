#pragma once

#include "print/PrintMeasure.h"

// Measures text as a fixed-pitch font of the given pixel size would print
// it: every character three fifths of the size wide, lines a fifth higher
// than the size. Listings made with it do not depend on installed fonts.
class CFixedPitchMeasure final : public IPrintMeasure
{
public:
    explicit CFixedPitchMeasure(int pixelSize)
        : m_pixelSize(pixelSize)
    {}

    // The 10-point font of a device with this many pixels per inch.
    static CFixedPitchMeasure TenPoint(int dotsPerInch)
    {
        return CFixedPitchMeasure(dotsPerInch * 10 / 72);
    }

    int TextWidth(QStringView text, bool) const override
    {
        return static_cast<int>(text.size()) * (m_pixelSize * 3 / 5);
    }
    int LineHeight() const override { return m_pixelSize + m_pixelSize / 5; }

private:
    int m_pixelSize;
};
