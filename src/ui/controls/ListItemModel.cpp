#include "ui/controls/ListItemModel.h"

#include <algorithm>

CListItemModel::CListItemModel(QObject *parent)
    : QAbstractTableModel(parent)
{}

int CListItemModel::InsertColumn(int column, const QString &heading, Qt::Alignment format)
{
    column = std::clamp(column, 0, columnCount());
    beginInsertColumns({}, column, column);
    m_columns.insert(m_columns.begin() + column, Column{heading, format});
    for (Row &row : m_rows) {
        if (row.texts.size() > column)
            row.texts.insert(column, QString());
    }
    endInsertColumns();
    return column;
}

bool CListItemModel::DeleteColumn(int column)
{
    if (!IsColumn(column))
        return false;
    beginRemoveColumns({}, column, column);
    m_columns.erase(m_columns.begin() + column);
    for (Row &row : m_rows) {
        if (row.texts.size() > column)
            row.texts.removeAt(column);
    }
    endRemoveColumns();
    return true;
}

QString CListItemModel::Heading(int column) const
{
    return IsColumn(column) ? m_columns[column].heading : QString();
}

Qt::Alignment CListItemModel::Format(int column) const
{
    return IsColumn(column) ? m_columns[column].format : Qt::AlignLeft;
}

int CListItemModel::InsertRow(int row, const QString &label)
{
    row = std::clamp(row, 0, rowCount());
    beginInsertRows({}, row, row);
    m_rows.insert(m_rows.begin() + row, Row{{label}, {}, {}, false});
    endInsertRows();
    return row;
}

bool CListItemModel::SetText(int row, int column, const QString &text)
{
    if (!IsRow(row) || !IsColumn(column))
        return false;
    QStringList &texts = m_rows[row].texts;
    while (texts.size() <= column)
        texts.append(QString());
    texts[column] = text;
    const QModelIndex cell = index(row, column);
    emit dataChanged(cell, cell, {Qt::DisplayRole});
    return true;
}

QString CListItemModel::Text(int row, int column) const
{
    return IsRow(row) ? m_rows[row].texts.value(column) : QString();
}

QStringList CListItemModel::ColumnTexts(int column) const
{
    QStringList texts;
    texts.reserve(rowCount());
    for (const Row &row : m_rows)
        texts.append(row.texts.value(column));
    return texts;
}

bool CListItemModel::SetRowData(int row, const QVariant &itemData)
{
    if (!IsRow(row))
        return false;
    m_rows[row].data = itemData;
    return true;
}

QVariant CListItemModel::RowData(int row) const
{
    return IsRow(row) ? m_rows[row].data : QVariant();
}

bool CListItemModel::SetRowIcon(int row, const QIcon &icon)
{
    if (!IsRow(row))
        return false;
    m_rows[row].icon = icon;
    m_hasIcons = m_hasIcons || !icon.isNull();
    const QModelIndex label = index(row, 0);
    emit dataChanged(label, label, {Qt::DecorationRole});
    return true;
}

QIcon CListItemModel::RowIcon(int row) const
{
    return IsRow(row) ? m_rows[row].icon : QIcon();
}

void CListItemModel::SetCheckBoxes(bool shown)
{
    if (m_checkBoxes == shown)
        return;
    m_checkBoxes = shown;
    if (rowCount() > 0)
        emit dataChanged(index(0, 0), index(rowCount() - 1, 0), {Qt::CheckStateRole});
}

bool CListItemModel::SetChecked(int row, bool checked)
{
    if (!IsRow(row))
        return false;
    m_rows[row].checked = checked;
    const QModelIndex label = index(row, 0);
    emit dataChanged(label, label, {Qt::CheckStateRole});
    return true;
}

bool CListItemModel::IsChecked(int row) const
{
    return IsRow(row) && m_rows[row].checked;
}

bool CListItemModel::MoveColumn(int from, int to)
{
    if (!IsColumn(from) || to < 0 || to > columnCount() || to == from || to == from + 1)
        return false;
    for (Row &row : m_rows) {
        while (row.texts.size() < columnCount())
            row.texts.append(QString());
    }
    beginMoveColumns({}, from, from, {}, to);
    const int final = to > from ? to - 1 : to;
    const Column column = m_columns[from];
    m_columns.erase(m_columns.begin() + from);
    m_columns.insert(m_columns.begin() + final, column);
    for (Row &row : m_rows)
        row.texts.move(from, final);
    endMoveColumns();
    return true;
}

void CListItemModel::Reorder(const std::vector<int> &order)
{
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    std::vector<Row> rows;
    rows.reserve(m_rows.size());
    std::vector<int> newRow(m_rows.size());
    for (int i = 0; i < static_cast<int>(order.size()); ++i) {
        rows.push_back(std::move(m_rows[order[i]]));
        newRow[order[i]] = i;
    }
    m_rows = std::move(rows);
    const QModelIndexList from = persistentIndexList();
    QModelIndexList to;
    to.reserve(from.size());
    for (const QModelIndex &old : from)
        to.append(index(newRow[old.row()], old.column()));
    changePersistentIndexList(from, to);
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

void CListItemModel::Clear()
{
    beginResetModel();
    m_rows.clear();
    endResetModel();
}

int CListItemModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_rows.size());
}

int CListItemModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_columns.size());
}

QVariant CListItemModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || !IsRow(index.row()))
        return {};
    const Row &row = m_rows[index.row()];
    const bool label = index.column() == 0;
    switch (role) {
    case Qt::DisplayRole:
        return row.texts.value(index.column());
    case Qt::DecorationRole:
        return label && m_hasIcons ? QVariant(row.icon) : QVariant();
    case Qt::CheckStateRole:
        return label && m_checkBoxes ? QVariant(row.checked ? Qt::Checked : Qt::Unchecked)
                                     : QVariant();
    case Qt::TextAlignmentRole:
        return QVariant::fromValue((label ? Qt::AlignLeft : Format(index.column())) |
                                   Qt::AlignVCenter);
    case Qt::UserRole:
        return row.data;
    default:
        return {};
    }
}

bool CListItemModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (!index.isValid())
        return false;
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        return SetText(index.row(), index.column(), value.toString());
    case Qt::CheckStateRole:
        return index.column() == 0 &&
               SetChecked(index.row(), value.value<Qt::CheckState>() == Qt::Checked);
    case Qt::UserRole:
        return SetRowData(index.row(), value);
    default:
        return false;
    }
}

QVariant CListItemModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || !IsColumn(section))
        return {};
    if (role == Qt::DisplayRole)
        return m_columns[section].heading;
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(m_columns[section].format | Qt::AlignVCenter);
    return {};
}

Qt::ItemFlags CListItemModel::flags(const QModelIndex &index) const
{
    // Not user-checkable: the list toggles check boxes itself on the press,
    // and the view's own toggle on release would undo it.
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}

bool CListItemModel::removeRows(int row, int count, const QModelIndex &parent)
{
    if (parent.isValid() || count <= 0 || row < 0 || row + count > rowCount())
        return false;
    beginRemoveRows({}, row, row + count - 1);
    m_rows.erase(m_rows.begin() + row, m_rows.begin() + row + count);
    endRemoveRows();
    return true;
}
