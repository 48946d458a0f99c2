#include "paint/PrinterMeasure.h"

namespace {

constexpr int kPointSize = 10;

QFont TenPoint(QFont font, bool bold)
{
    font.setPointSize(kPointSize);
    font.setBold(bold);
    return font;
}

} // namespace

CPrinterMeasure::CPrinterMeasure(const QFont &baseFont, QPaintDevice *device)
    : m_normal(TenPoint(baseFont, false))
    , m_bold(TenPoint(baseFont, true))
    , m_normalMetrics(m_normal, device)
    , m_boldMetrics(m_bold, device)
{}

int CPrinterMeasure::TextWidth(QStringView text, bool bold) const
{
    return Metrics(bold).horizontalAdvance(text.toString());
}

int CPrinterMeasure::LineHeight() const
{
    return m_boldMetrics.height();
}
