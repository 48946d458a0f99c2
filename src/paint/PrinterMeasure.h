#pragma once

#include "print/PrintMeasure.h"

#include <QFont>
#include <QFontMetrics>

class QPaintDevice;

// The listing's two 10-point fonts, made from a base font, measured on the
// device they print on.
class CPrinterMeasure final : public IPrintMeasure
{
public:
    CPrinterMeasure(const QFont &baseFont, QPaintDevice *device);

    int TextWidth(QStringView text, bool bold) const override;
    int LineHeight() const override;

    const QFont &Font(bool bold) const { return bold ? m_bold : m_normal; }
    const QFontMetrics &Metrics(bool bold) const { return bold ? m_boldMetrics : m_normalMetrics; }

private:
    QFont m_normal;
    QFont m_bold;
    QFontMetrics m_normalMetrics;
    QFontMetrics m_boldMetrics;
};
