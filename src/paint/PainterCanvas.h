#pragma once

#include "print/PrintCanvas.h"

class CPrinterMeasure;
class QPainter;

// Draws listing pages with a painter in the measure's fonts.
class CPainterCanvas final : public IPrintCanvas
{
public:
    CPainterCanvas(QPainter &painter, const CPrinterMeasure &measure, int pageWidth);

    void DrawRule(int y) override;
    void DrawText(int x, int y, const QString &text, bool bold) override;
    void DrawTextRightAligned(int right, int y, const QString &text) override;

private:
    QPainter &m_painter;
    const CPrinterMeasure &m_measure;
    int m_pageWidth;
};
