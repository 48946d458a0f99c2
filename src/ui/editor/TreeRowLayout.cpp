#include "ui/editor/TreeRowLayout.h"

namespace {
constexpr int kLabelGap = 3;
constexpr int kLeafLabelGap = 4;
} // namespace

CTreeRowLayout::CTreeRowLayout(const QRect &row, int level, int indent)
    : m_row(row)
    , m_level(level)
    , m_indent(indent)
{}

int CTreeRowLayout::LineX(int level) const
{
    return m_row.left() + level * m_indent + m_indent / 2;
}

int CTreeRowLayout::LineEndX() const
{
    return m_row.left() + (m_level + 2) * m_indent;
}

QRect CTreeRowLayout::Column(int column) const
{
    return QRect(m_row.left() + column * m_indent, m_row.top(), m_indent, m_row.height());
}

QRect CTreeRowLayout::IconIn(const QRect &column) const
{
    return QRect(column.left() + (m_indent - kIconSize) / 2,
                 column.top() + (column.height() - kIconSize) / 2, kIconSize, kIconSize);
}

int CTreeRowLayout::LabelLeft() const
{
    return m_row.left() + (m_level + 3) * m_indent + kLabelGap;
}

int CTreeRowLayout::LeafLabelRight() const
{
    return m_row.left() + (Width() / 3) * 2 - kLeafLabelGap;
}

QRect CTreeRowLayout::ValueRect() const
{
    const int left = m_row.left() + (Width() / 3) * 2;
    const int right = m_row.left() + (Width() / 20) * 19;
    return QRect(left, m_row.top(), right - left, m_row.height());
}

QRect CTreeRowLayout::Band() const
{
    const int right = m_row.left() + (Width() / 20) * 19;
    return QRect(LabelLeft(), m_row.top(), right - LabelLeft(), m_row.height());
}
