#pragma once

#include <QRect>

// Where the parts of one row of the settings tree lie. The row rectangle
// spans the whole client width from x = 0; level is 0 for top-level rows.
// Each icon sits in its own indentation column: the check icon one column
// right of the row's connecting line, the expand icon one further.
class CTreeRowLayout
{
public:
    static constexpr int kIconSize = 16;

    CTreeRowLayout(const QRect &row, int level, int indent);

    int Top() const { return m_row.top(); }
    int Bottom() const { return m_row.top() + m_row.height(); }
    int Middle() const { return m_row.top() + m_row.height() / 2; }
    // The x of the connecting line of rows at this level.
    int LineX(int level) const;
    int LineEndX() const;

    QRect CheckColumn() const { return Column(m_level + 1); }
    QRect CheckIcon() const { return IconIn(CheckColumn()); }
    QRect ExpandColumn() const { return Column(m_level + 2); }
    QRect ExpandIcon() const { return IconIn(ExpandColumn()); }

    int LabelLeft() const;
    // Leaf labels end short of the value column.
    int LeafLabelRight() const;
    QRect ValueRect() const;
    // The part of the row that shows the selection.
    QRect Band() const;

private:
    QRect Column(int column) const;
    QRect IconIn(const QRect &column) const;
    int Width() const { return m_row.width(); }

    QRect m_row;
    int m_level;
    int m_indent;
};
