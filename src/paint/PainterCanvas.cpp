#include "paint/PainterCanvas.h"

#include "paint/PrinterMeasure.h"

#include <QPainter>

CPainterCanvas::CPainterCanvas(QPainter &painter, const CPrinterMeasure &measure, int pageWidth)
    : m_painter(painter)
    , m_measure(measure)
    , m_pageWidth(pageWidth)
{}

void CPainterCanvas::DrawRule(int y)
{
    m_painter.setPen(QPen(Qt::black, 0, Qt::SolidLine));
    m_painter.drawLine(0, y, m_pageWidth, y);
}

void CPainterCanvas::DrawText(int x, int y, const QString &text, bool bold)
{
    if (text.isEmpty())
        return;
    m_painter.setPen(Qt::black);
    m_painter.setFont(m_measure.Font(bold));
    m_painter.drawText(x, y + m_measure.Metrics(bold).ascent(), text);
}

void CPainterCanvas::DrawTextRightAligned(int right, int y, const QString &text)
{
    DrawText(right - m_measure.TextWidth(text, false), y, text, false);
}
