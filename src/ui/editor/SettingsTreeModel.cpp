#include "ui/editor/SettingsTreeModel.h"

#include "document/TreeRows.h"
#include "settings/SettingNode.h"

#include <algorithm>

CSettingsTreeModel::CSettingsTreeModel(QObject *parent)
    : QAbstractItemModel(parent)
{}

CSettingsTreeModel::~CSettingsTreeModel() = default;

void CSettingsTreeModel::SetRoot(const CSettingNode *root)
{
    beginResetModel();
    m_rows.clear();
    m_places.clear();
    m_root = root;
    endResetModel();
}

void CSettingsTreeModel::TreeReplaced(const CSettingNode *root)
{
    SetRoot(root);
}

const CSettingNode *CSettingsTreeModel::NodeAt(const QModelIndex &index) const
{
    return index.isValid() && index.model() == this
               ? static_cast<const CSettingNode *>(index.internalPointer())
               : nullptr;
}

QModelIndex CSettingsTreeModel::IndexOf(const CSettingNode *node, int column) const
{
    auto place = m_places.find(node);
    if (place == m_places.end()) {
        // Rows not asked for yet are read along the node's ancestors.
        const CSettingNode *parent = node && node != m_root ? node->GetParent() : nullptr;
        if (!parent || (parent != m_root && !IndexOf(parent).isValid()))
            return {};
        RowsOf(parent);
        place = m_places.find(node);
        if (place == m_places.end())
            return {};
    }
    return createIndex(place->second.row, column, const_cast<const CSettingNode *>(node));
}

const std::vector<const CSettingNode *> &CSettingsTreeModel::RowsOf(const CSettingNode *node) const
{
    auto known = m_rows.find(node);
    if (known != m_rows.end())
        return known->second;
    std::vector<const CSettingNode *> &rows = m_rows[node] = RowChildren(node, false);
    for (int row = 0; row < static_cast<int>(rows.size()); ++row)
        m_places[rows[row]] = CPlace{node, row};
    return rows;
}

QModelIndex CSettingsTreeModel::IndexOfRowParent(const CSettingNode *node) const
{
    return node == m_root ? QModelIndex() : IndexOf(node);
}

void CSettingsTreeModel::RenumberFrom(std::vector<const CSettingNode *> &rows, int first) const
{
    for (int row = first; row < static_cast<int>(rows.size()); ++row)
        m_places[rows[row]].row = row;
}

void CSettingsTreeModel::Forget(const CSettingNode *node)
{
    const auto rows = m_rows.find(node);
    if (rows != m_rows.end()) {
        for (const CSettingNode *child : rows->second) {
            const auto place = m_places.find(child);
            // A node's address may come back for a new node elsewhere; only
            // forget what still belongs to this parent.
            if (place != m_places.end() && place->second.parent == node)
                Forget(child);
        }
        m_rows.erase(rows);
    }
    m_places.erase(node);
}

bool CSettingsTreeModel::IsKnown(const CSettingNode *node) const
{
    return m_places.count(node) != 0;
}

void CSettingsTreeModel::NodeAdded(const CSettingNode *node)
{
    const CSettingNode *parent = node->GetParent();
    const auto known = m_rows.find(parent);
    if (known == m_rows.end())
        return; // read with the parent's other rows when they are first asked for
    const std::vector<const CSettingNode *> fresh = RowChildren(parent, false);
    const auto at = std::find(fresh.begin(), fresh.end(), node);
    if (at == fresh.end())
        return; // a node without a row
    std::vector<const CSettingNode *> &rows = known->second;
    // The known rows are fresh without node, so its place is the same in both.
    const int row = static_cast<int>(at - fresh.begin());
    beginInsertRows(IndexOfRowParent(parent), row, row);
    rows.insert(rows.begin() + row, node);
    m_places[node] = CPlace{parent, row};
    RenumberFrom(rows, row + 1);
    endInsertRows();
}

void CSettingsTreeModel::NodeChanged(const CSettingNode *node)
{
    // A value shows in its own row, in the item's label (a name) and in the
    // check icons of every row above (partly included).
    for (const CSettingNode *row = node; row && row != m_root; row = row->GetParent()) {
        if (!IsKnown(row))
            continue;
        emit dataChanged(IndexOf(row, LabelColumn), IndexOf(row, ValueColumn));
    }
}

void CSettingsTreeModel::NodesRemoved(const CSettingNode *parent,
                                      const std::vector<const CSettingNode *> &nodes)
{
    const auto known = m_rows.find(parent);
    if (known == m_rows.end())
        return;
    std::vector<int> removed;
    for (const CSettingNode *node : nodes) {
        const auto place = m_places.find(node);
        if (place != m_places.end() && place->second.parent == parent)
            removed.push_back(place->second.row);
    }
    std::sort(removed.begin(), removed.end());
    std::vector<const CSettingNode *> &rows = known->second;
    const QModelIndex parentIndex = IndexOfRowParent(parent);
    // One notification per run of neighbouring rows, from the last run up.
    for (int end = static_cast<int>(removed.size()); end > 0;) {
        int begin = end - 1;
        while (begin > 0 && removed[begin - 1] == removed[begin] - 1)
            --begin;
        const int first = removed[begin];
        const int last = removed[end - 1];
        beginRemoveRows(parentIndex, first, last);
        for (int row = first; row <= last; ++row)
            Forget(rows[row]);
        rows.erase(rows.begin() + first, rows.begin() + last + 1);
        RenumberFrom(rows, first);
        endRemoveRows();
        end = begin;
    }
}

QModelIndex CSettingsTreeModel::index(int row, int column, const QModelIndex &parent) const
{
    if (!hasIndex(row, column, parent))
        return {};
    const CSettingNode *parentNode = parent.isValid() ? NodeAt(parent) : m_root;
    return createIndex(row, column, RowsOf(parentNode)[row]);
}

QModelIndex CSettingsTreeModel::parent(const QModelIndex &child) const
{
    // Answered from what the model knows, without touching the node: during a
    // removal Qt asks for the parents of rows whose nodes may be gone.
    const auto place = m_places.find(NodeAt(child));
    if (place == m_places.end() || place->second.parent == m_root)
        return {};
    return IndexOf(place->second.parent);
}

int CSettingsTreeModel::rowCount(const QModelIndex &parent) const
{
    if (parent.column() > 0)
        return 0;
    const CSettingNode *node = parent.isValid() ? NodeAt(parent) : m_root;
    return node ? static_cast<int>(RowsOf(node).size()) : 0;
}

bool CSettingsTreeModel::hasChildren(const QModelIndex &parent) const
{
    // Asked for every laid-out row; answered without keeping the rows.
    if (parent.column() > 0)
        return false;
    const CSettingNode *node = parent.isValid() ? NodeAt(parent) : m_root;
    if (!node)
        return false;
    const auto known = m_rows.find(node);
    return known != m_rows.end() ? !known->second.empty() : !RowChildren(node, false).empty();
}

int CSettingsTreeModel::columnCount(const QModelIndex &) const
{
    return ColumnCount;
}

QVariant CSettingsTreeModel::data(const QModelIndex &index, int role) const
{
    const CSettingNode *node = NodeAt(index);
    if (!node || role != Qt::DisplayRole)
        return {};
    return index.column() == LabelColumn ? node->GetLabel(true) : ShownValue(node);
}

Qt::ItemFlags CSettingsTreeModel::flags(const QModelIndex &index) const
{
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}
