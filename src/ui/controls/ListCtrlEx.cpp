#include "ui/controls/ListCtrlEx.h"

#include "ui/controls/ListColumnTypes.h"
#include "ui/controls/ListItemModel.h"
#include "ui/controls/RedrawLock.h"

#include <QFocusEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QStyleOptionFocusRect>

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <utility>

namespace {

// Lists whose painting a redraw lock suspended; all resume together.
QList<QPointer<CListCtrlEx>> &SuspendedLists()
{
    static QList<QPointer<CListCtrlEx>> lists;
    return lists;
}

} // namespace

CListCtrlEx::CListCtrlEx(QWidget *parent)
    : QTreeView(parent)
    , m_model(new CListItemModel(this))
{
    setModel(m_model);
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setIndentation(0);
    setUniformRowHeights(true);
    setAllColumnsShowFocus(true);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    QTreeView::setSelectionMode(QAbstractItemView::ExtendedSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);

    QHeaderView *columns = header();
    columns->setStretchLastSection(false);
    columns->setSectionsMovable(true);
    columns->setFirstSectionMovable(true);
    columns->setSectionsClickable(false);
    columns->setHighlightSections(false);
    columns->setSortIndicatorShown(false);
    columns->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    columns->viewport()->installEventFilter(this);
    connect(columns, &QHeaderView::sectionMoved, this, &CListCtrlEx::HandleSectionMoved);
    connect(columns, &QHeaderView::sectionResized, this,
            [this](int logical) { HandleSectionResized(logical); });
    connect(columns, &QHeaderView::sectionClicked, this, [this](int column) {
        if (m_sortEnabled)
            SortByColumn(column, SortToggle);
    });
}

CListCtrlEx::~CListCtrlEx() = default;

int CListCtrlEx::InsertColumn(int column, const QString &heading, Qt::Alignment format, int width)
{
    column = m_model->InsertColumn(column, heading, format & Qt::AlignHorizontal_Mask);
    if (width >= 0)
        ResizeColumn(column, width);
    return column;
}

bool CListCtrlEx::DeleteColumn(int column)
{
    return m_model->DeleteColumn(column);
}

int CListCtrlEx::GetColumnCount() const
{
    return m_model->columnCount();
}

int CListCtrlEx::InsertItem(int row, const QString &label, const QIcon &icon)
{
    row = m_model->InsertRow(row, label);
    if (!icon.isNull())
        m_model->SetRowIcon(row, icon);
    return row;
}

bool CListCtrlEx::SetItemText(int row, int column, const QString &text)
{
    return m_model->SetText(row, column, text);
}

QString CListCtrlEx::GetItemText(int row, int column) const
{
    return m_model->Text(row, column);
}

bool CListCtrlEx::SetItemData(int row, const QVariant &itemData)
{
    return m_model->SetRowData(row, itemData);
}

QVariant CListCtrlEx::GetItemData(int row) const
{
    return m_model->RowData(row);
}

int CListCtrlEx::GetItemCount() const
{
    return m_model->rowCount();
}

bool CListCtrlEx::DeleteItem(int row)
{
    if (row < 0 || row >= GetItemCount())
        return false;
    const QModelIndex label = m_model->index(row, 0);
    selectionModel()->select(label, QItemSelectionModel::Deselect | QItemSelectionModel::Rows);
    if (selectionModel()->currentIndex().row() == row)
        selectionModel()->setCurrentIndex(QModelIndex(), QItemSelectionModel::NoUpdate);
    viewport()->update();
    return m_model->removeRow(row);
}

void CListCtrlEx::DeleteAllItems()
{
    m_model->Clear();
}

void CListCtrlEx::SetCheckBoxes(bool shown)
{
    m_model->SetCheckBoxes(shown);
    viewport()->update();
}

bool CListCtrlEx::GetCheck(int row) const
{
    return m_model->IsChecked(row);
}

bool CListCtrlEx::SetCheck(int row, bool checked)
{
    return m_model->SetChecked(row, checked);
}

QList<int> CListCtrlEx::GetSelectedRows() const
{
    // From the selection's ranges: asking row by row whether it is selected
    // grows with the square of a scattered selection.
    QList<int> rows;
    for (const QItemSelectionRange &range : selectionModel()->selection()) {
        for (int row = range.top(); row <= range.bottom(); ++row)
            rows.append(row);
    }
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    return rows;
}

int CListCtrlEx::GetFocusedRow() const
{
    const QModelIndex current = selectionModel()->currentIndex();
    return current.isValid() ? current.row() : -1;
}

void CListCtrlEx::SelectOnly(int row)
{
    if (row < 0 || row >= GetItemCount())
        return;
    const QModelIndex label = m_model->index(row, 0);
    selectionModel()->setCurrentIndex(label, QItemSelectionModel::ClearAndSelect |
                                                 QItemSelectionModel::Rows);
    scrollTo(label);
}

void CListCtrlEx::SelectRowsWhere(const std::function<bool(const QVariant &itemData)> &chosen)
{
    QItemSelection rows;
    int first = -1;
    for (int row = 0; row < GetItemCount(); ++row) {
        if (!chosen(GetItemData(row)))
            continue;
        rows.select(m_model->index(row, 0), m_model->index(row, m_model->columnCount() - 1));
        if (first < 0)
            first = row;
    }
    selectionModel()->select(rows, QItemSelectionModel::ClearAndSelect);
    if (first >= 0) {
        selectionModel()->setCurrentIndex(m_model->index(first, 0), QItemSelectionModel::NoUpdate);
        scrollTo(m_model->index(first, 0));
    }
}

int CListCtrlEx::SetSelectionMode(int mode)
{
    const int previous = m_selectionMode;
    if (mode < 0 || mode > kHighestSelectionMode)
        return previous;
    m_selectionMode = mode;
    viewport()->update();
    return previous;
}

bool CListCtrlEx::EnableSort(bool enable)
{
    const bool previous = m_sortEnabled;
    m_sortEnabled = enable;
    header()->setSectionsClickable(enable);
    return previous;
}

bool CListCtrlEx::SetColumnTypes(const QList<int> &types)
{
    if (!std::all_of(types.cbegin(), types.cend(), CListColumnTypes::IsValidType)) {
        m_columnTypes.clear();
        return false;
    }
    m_columnTypes = types;
    return true;
}

void CListCtrlEx::SortByColumn(int column, int how)
{
    if (column < 0 || column >= GetColumnCount())
        return;
    if (how == SortToggle)
        m_ascending = column == m_sortColumn ? !m_ascending : true;
    else
        m_ascending = how != SortDescending;
    m_sortColumn = column;

    const int type = m_columnTypes.value(column, CListColumnTypes::Text);
    const CListColumnTypes types(locale());
    m_model->Reorder(types.SortedOrder(type, m_model->ColumnTexts(column), !m_ascending));
    header()->setSortIndicatorShown(true);
    header()->setSortIndicator(column, m_ascending ? Qt::AscendingOrder : Qt::DescendingOrder);
}

int CListCtrlEx::SpaceWidth() const
{
    return fontMetrics().horizontalAdvance(u' ');
}

int CListCtrlEx::LabelOffset() const
{
    return (m_model->HasCheckBoxes() ? kStateImageWidth : 0) +
           (m_model->HasIcons() ? kSmallIconWidth : 0);
}

int CListCtrlEx::HeaderWidth(int column) const
{
    return fontMetrics().horizontalAdvance(m_model->Heading(column)) +
           kAutoWidthSpaces * SpaceWidth();
}

int CListCtrlEx::ContentWidth(int column) const
{
    const QFontMetrics metrics = fontMetrics();
    int widest = metrics.horizontalAdvance(m_model->Heading(column));
    for (int row = 0, rows = GetItemCount(); row < rows; ++row)
        widest = std::max(widest, metrics.horizontalAdvance(m_model->Text(row, column)));
    return widest + kAutoWidthSpaces * SpaceWidth() + (column == 0 ? LabelOffset() : 0);
}

void CListCtrlEx::ResizeColumn(int column, int width)
{
    const bool wasSizing = std::exchange(m_sizing, true);
    header()->resizeSection(column, width);
    m_sizing = wasSizing;
}

void CListCtrlEx::FitLastColumn()
{
    const int last = GetColumnCount() - 1;
    if (last < 0)
        return;
    const int rest = viewport()->width() - header()->sectionPosition(last);
    ResizeColumn(last, std::max(rest, HeaderWidth(last) + (last == 0 ? LabelOffset() : 0)));
}

void CListCtrlEx::AutoSizeColumns()
{
    for (int column = 0; column < GetColumnCount() - 1; ++column)
        ResizeColumn(column, ContentWidth(column));
    SetLastColumnAutoSize();
}

void CListCtrlEx::AutoSizeColumn(int column)
{
    if (column < 0 || column >= GetColumnCount())
        return;
    if (column == GetColumnCount() - 1) {
        SetLastColumnAutoSize();
        return;
    }
    ResizeColumn(column, ContentWidth(column));
    if (m_lastColumnFills)
        FitLastColumn();
}

void CListCtrlEx::SetLastColumnAutoSize()
{
    m_lastColumnFills = true;
    FitLastColumn();
}

void CListCtrlEx::HandleSectionResized(int logical)
{
    if (m_sizing)
        return;
    if (logical == GetColumnCount() - 1)
        m_lastColumnFills = false;
    else if (m_lastColumnFills)
        FitLastColumn();
}

void CListCtrlEx::LockRedraw(bool lock)
{
    QList<QPointer<CListCtrlEx>> &suspended = SuspendedLists();
    if (lock) {
        CRedrawLock::Lock();
        if (!suspended.contains(this)) {
            suspended.append(this);
            setUpdatesEnabled(false);
        }
    } else if (CRedrawLock::Unlock()) {
        const QList<QPointer<CListCtrlEx>> lists = std::exchange(suspended, {});
        for (const QPointer<CListCtrlEx> &list : lists) {
            if (list)
                list->setUpdatesEnabled(true);
        }
    }
}

bool CListCtrlEx::MoveColumn(int from, int to)
{
    const int count = GetColumnCount();
    if (from < 0 || from >= count || to < 0 || to > count || to == from || to == from + 1)
        return false;
    QList<int> widths;
    for (int column = 0; column < count; ++column)
        widths.append(header()->sectionSize(column));
    const int final = to > from ? to - 1 : to;
    widths.move(from, final);
    if (!m_columnTypes.isEmpty()) {
        while (m_columnTypes.size() < count)
            m_columnTypes.append(CListColumnTypes::Text);
        m_columnTypes.move(from, final);
    }
    if (m_sortColumn == from)
        m_sortColumn = final;
    else if (m_sortColumn > from && m_sortColumn <= final)
        --m_sortColumn;
    else if (m_sortColumn >= final && m_sortColumn < from)
        ++m_sortColumn;

    m_model->MoveColumn(from, to);
    for (int column = 0; column < count; ++column)
        ResizeColumn(column, widths[column]);
    if (header()->isSortIndicatorShown() && m_sortColumn >= 0)
        header()->setSortIndicator(m_sortColumn,
                                   m_ascending ? Qt::AscendingOrder : Qt::DescendingOrder);
    viewport()->update();
    return true;
}

// The header moves a dragged section only on screen; the list puts it back
// and moves the column itself, so that column indexes stay what is shown.
void CListCtrlEx::HandleSectionMoved(int, int oldVisual, int newVisual)
{
    if (m_undoingMove)
        return;
    m_undoingMove = true;
    header()->moveSection(newVisual, oldVisual);
    m_undoingMove = false;
    MoveColumn(oldVisual, newVisual > oldVisual ? newVisual + 1 : newVisual);
}

int CListCtrlEx::DividerAt(int x) const
{
    int nearest = -1;
    int nearestDistance = INT_MAX;
    for (int column = 0; column < GetColumnCount(); ++column) {
        if (header()->isSectionHidden(column))
            continue;
        const int right = header()->sectionViewportPosition(column) + header()->sectionSize(column);
        const int distance = std::abs(x - right);
        if (distance <= nearestDistance) {
            nearest = column;
            nearestDistance = distance;
        }
    }
    return nearestDistance < kDividerReach ? nearest : -1;
}

bool CListCtrlEx::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == header()->viewport() && event->type() == QEvent::MouseButtonDblClick) {
        const auto *click = static_cast<QMouseEvent *>(event);
        const int column =
            click->button() == Qt::LeftButton ? DividerAt(click->position().toPoint().x()) : -1;
        if (column >= 0) {
            AutoSizeColumn(column);
            return true;
        }
    }
    return QTreeView::eventFilter(watched, event);
}

bool CListCtrlEx::viewportEvent(QEvent *event)
{
    const bool handled = QTreeView::viewportEvent(event);
    if (event->type() == QEvent::Resize && m_lastColumnFills)
        FitLastColumn();
    return handled;
}

void CListCtrlEx::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Plus && event->modifiers().testFlag(Qt::ControlModifier) &&
        event->modifiers().testFlag(Qt::KeypadModifier)) {
        AutoSizeColumns();
        event->accept();
        return;
    }
    QTreeView::keyPressEvent(event);
}

QRect CListCtrlEx::StateImageRect(int top, int height) const
{
    return QRect(columnViewportPosition(0), top, kStateImageWidth, height);
}

void CListCtrlEx::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && m_model->HasCheckBoxes()) {
        const QPoint position = event->position().toPoint();
        const QModelIndex index = indexAt(position);
        const QRect row = visualRect(index);
        if (index.isValid() && StateImageRect(row.top(), row.height()).contains(position))
            m_model->SetChecked(index.row(), !m_model->IsChecked(index.row()));
    }
    QTreeView::mousePressEvent(event);
}

// Both the focused row and the selected rows change colour with the focus.
void CListCtrlEx::focusInEvent(QFocusEvent *event)
{
    QTreeView::focusInEvent(event);
    viewport()->update();
}

void CListCtrlEx::focusOutEvent(QFocusEvent *event)
{
    QTreeView::focusOutEvent(event);
    viewport()->update();
}

// The view repaints the cells of a changed row; the highlight of mode 2 also
// covers the strip right of the last column.
void CListCtrlEx::UpdateRowStrips(const QItemSelection &rows)
{
    for (const QItemSelectionRange &range : rows) {
        const QRect top = visualRect(m_model->index(range.top(), 0));
        const QRect bottom = visualRect(m_model->index(range.bottom(), 0));
        if (top.isValid() && bottom.isValid())
            viewport()->update(
                QRect(0, top.top(), viewport()->width(), bottom.bottom() - top.top() + 1));
    }
}

void CListCtrlEx::selectionChanged(const QItemSelection &selected, const QItemSelection &deselected)
{
    QTreeView::selectionChanged(selected, deselected);
    UpdateRowStrips(selected);
    UpdateRowStrips(deselected);
}

void CListCtrlEx::currentChanged(const QModelIndex &current, const QModelIndex &previous)
{
    QTreeView::currentChanged(current, previous);
    for (const QModelIndex &index : {current, previous}) {
        if (index.isValid())
            UpdateRowStrips(QItemSelection(index, index));
    }
}

void CListCtrlEx::drawRow(QPainter *painter, const QStyleOptionViewItem &option,
                          const QModelIndex &index) const
{
    const int columns = GetColumnCount();
    if (columns == 0)
        return;
    const QPalette &palette = option.palette;
    const int row = index.row();
    const int top = option.rect.top();
    const int height = option.rect.height();
    const int space = SpaceWidth();
    const QFontMetrics metrics = fontMetrics();

    const int labelCellLeft = columnViewportPosition(0);
    const int labelCellRight = labelCellLeft + columnWidth(0);
    const int labelLeft = labelCellLeft + LabelOffset();
    const int rowRight = columnViewportPosition(columns - 1) + columnWidth(columns - 1);
    const int clientRight = viewport()->width();

    painter->save();
    painter->setFont(font());
    painter->fillRect(QRect(0, top, clientRight, height), palette.color(QPalette::Base));

    const bool highlighted = selectionModel()->isSelected(m_model->index(row, 0));
    const bool focused = hasFocus();
    int areaRight = clientRight;
    if (m_selectionMode == 0)
        areaRight =
            std::min(labelCellRight,
                     labelLeft + metrics.horizontalAdvance(m_model->Text(row, 0)) + 2 * space);
    else if (m_selectionMode == 1)
        areaRight = rowRight;
    const QRect area(labelLeft, top, std::max(0, areaRight - labelLeft), height);
    const QColor highlightText =
        palette.color(focused ? QPalette::HighlightedText : QPalette::ButtonText);
    if (highlighted)
        painter->fillRect(area, palette.color(focused ? QPalette::Highlight : QPalette::Button));

    if (m_model->HasCheckBoxes()) {
        QStyleOptionViewItem check = option;
        check.rect = StateImageRect(top, height);
        check.state = QStyle::State_Enabled |
                      (m_model->IsChecked(row) ? QStyle::State_On : QStyle::State_Off);
        style()->drawPrimitive(QStyle::PE_IndicatorItemViewItemCheck, &check, painter, this);
    }
    if (m_model->HasIcons()) {
        const int iconLeft = labelCellLeft + (m_model->HasCheckBoxes() ? kStateImageWidth : 0);
        m_model->RowIcon(row).paint(painter, QRect(iconLeft, top, kSmallIconWidth, height),
                                    Qt::AlignCenter, highlighted ? QIcon::Selected : QIcon::Normal);
    }

    for (int column = 0; column < columns; ++column) {
        const int cellLeft = column == 0 ? labelLeft : columnViewportPosition(column);
        const int cellRight = columnViewportPosition(column) + columnWidth(column);
        const QRect textRect(cellLeft + space, top, cellRight - cellLeft - 2 * space, height);
        if (textRect.width() <= 0 || textRect.left() > clientRight || textRect.right() < 0)
            continue;
        const bool inHighlight = highlighted && (column == 0 || m_selectionMode != 0);
        painter->setPen(inHighlight ? highlightText : palette.color(QPalette::Text));
        const Qt::Alignment format = column == 0 ? Qt::AlignLeft : m_model->Format(column);
        painter->drawText(
            textRect, int(format | Qt::AlignVCenter | Qt::TextSingleLine),
            metrics.elidedText(m_model->Text(row, column), Qt::ElideRight, textRect.width()));
    }

    if (focused && selectionModel()->currentIndex().row() == row && area.width() > 0) {
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect = area;
        focus.state |= QStyle::State_KeyboardFocusChange | QStyle::State_Item;
        focus.backgroundColor = palette.color(highlighted ? QPalette::Highlight : QPalette::Base);
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, painter, this);
    }
    painter->restore();
}
