#pragma once

#include <QStringView>

// How wide and high text comes out on the device a listing is laid out for,
// in the device's units. The printer side measures with its fonts; tests and
// the command line use a fixed pitch.
class IPrintMeasure
{
public:
    virtual ~IPrintMeasure() = default;

    // The width of text in the listing's bold or normal font.
    virtual int TextWidth(QStringView text, bool bold) const = 0;
    // The height of a line of text in the bold font.
    virtual int LineHeight() const = 0;
};
