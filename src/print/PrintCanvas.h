#pragma once

#include <QString>

// Where a page of the listing is drawn. Positions are in device units; y is
// the top of the text.
class IPrintCanvas
{
public:
    virtual ~IPrintCanvas() = default;

    // A thin solid black line across the whole page width.
    virtual void DrawRule(int y) = 0;
    virtual void DrawText(int x, int y, const QString &text, bool bold) = 0;
    // Text in the normal font that ends at right.
    virtual void DrawTextRightAligned(int right, int y, const QString &text) = 0;
};
