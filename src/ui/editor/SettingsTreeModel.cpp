#include "ui/editor/SettingsTreeModel.h"

#include "document/TreeRows.h"
#include "settings/SettingNode.h"

#include <unordered_set>

CSettingsTreeModel::CSettingsTreeModel(QObject *parent)
    : QAbstractItemModel(parent)
{}

CSettingsTreeModel::~CSettingsTreeModel() = default;

void CSettingsTreeModel::SetRoot(CSettingNode *root)
{
    beginResetModel();
    m_rows.clear();
    m_places.clear();
    m_root = root;
    endResetModel();
}

CSettingNode *CSettingsTreeModel::NodeAt(const QModelIndex &index) const
{
    return index.isValid() && index.model() == this
               ? static_cast<CSettingNode *>(index.internalPointer())
               : nullptr;
}

QModelIndex CSettingsTreeModel::IndexOf(const CSettingNode *node, int column) const
{
    auto place = m_places.find(node);
    if (place == m_places.end()) {
        // Rows not asked for yet are read along the node's ancestors.
        CSettingNode *parent = node && node != m_root ? node->GetParent() : nullptr;
        if (!parent || (parent != m_root && !IndexOf(parent).isValid()))
            return {};
        RowsOf(parent);
        place = m_places.find(node);
        if (place == m_places.end())
            return {};
    }
    return createIndex(place->second.row, column, const_cast<CSettingNode *>(node));
}

const std::vector<CSettingNode *> &CSettingsTreeModel::RowsOf(CSettingNode *node) const
{
    auto known = m_rows.find(node);
    if (known != m_rows.end())
        return known->second;
    std::vector<CSettingNode *> &rows = m_rows[node] = RowChildren(node, false);
    for (int row = 0; row < static_cast<int>(rows.size()); ++row)
        m_places[rows[row]] = CPlace{node, row};
    return rows;
}

QModelIndex CSettingsTreeModel::IndexOfRowParent(CSettingNode *node) const
{
    return node == m_root ? QModelIndex() : IndexOf(node);
}

void CSettingsTreeModel::RenumberFrom(std::vector<CSettingNode *> &rows, int first) const
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

bool CSettingsTreeModel::SyncRows(CSettingNode *node, const std::vector<CSettingNode *> &fresh)
{
    std::vector<CSettingNode *> &rows = m_rows[node];
    if (rows == fresh)
        return true;
    const QModelIndex parentIndex = IndexOfRowParent(node);
    const std::unordered_set<const CSettingNode *> stays(fresh.begin(), fresh.end());
    for (int last = static_cast<int>(rows.size()) - 1; last >= 0;) {
        if (stays.count(rows[last])) {
            --last;
            continue;
        }
        int first = last;
        while (first > 0 && !stays.count(rows[first - 1]))
            --first;
        beginRemoveRows(parentIndex, first, last);
        for (int row = first; row <= last; ++row)
            Forget(rows[row]);
        rows.erase(rows.begin() + first, rows.begin() + last + 1);
        RenumberFrom(rows, first);
        endRemoveRows();
        last = first - 1;
    }
    const int freshCount = static_cast<int>(fresh.size());
    for (int row = 0; row < freshCount;) {
        const CSettingNode *next = row < static_cast<int>(rows.size()) ? rows[row] : nullptr;
        if (next == fresh[row]) {
            ++row;
            continue;
        }
        int end = row;
        while (end < freshCount && fresh[end] != next)
            ++end;
        if (next && end == freshCount)
            return false;
        beginInsertRows(parentIndex, row, end - 1);
        rows.insert(rows.begin() + row, fresh.begin() + row, fresh.begin() + end);
        for (int inserted = row; inserted < end; ++inserted)
            m_places[rows[inserted]] = CPlace{node, inserted};
        RenumberFrom(rows, end);
        endInsertRows();
        row = end;
    }
    return rows == fresh;
}

bool CSettingsTreeModel::SyncSubtree(CSettingNode *node)
{
    if (!m_rows.count(node))
        return true;
    if (!SyncRows(node, RowChildren(node, false)))
        return false;
    const std::vector<CSettingNode *> &rows = m_rows[node];
    for (std::size_t row = 0; row < rows.size(); ++row) {
        if (!SyncSubtree(rows[row]))
            return false;
    }
    return true;
}

void CSettingsTreeModel::RefreshNewNodes()
{
    if (m_root && !SyncSubtree(m_root))
        SetRoot(m_root);
}

CSettingNode *CSettingsTreeModel::AddChild(CSettingNode *parent, const QString &value,
                                           int editorKind, int type)
{
    CSettingNode *child = parent->AddChild(value, editorKind, type);
    if (m_rows.count(parent) && !SyncRows(parent, RowChildren(parent, false)))
        SetRoot(m_root);
    return child;
}

std::unique_ptr<CSettingNode> CSettingsTreeModel::TakeNode(CSettingNode *node)
{
    CSettingNode *parent = node ? node->GetParent() : nullptr;
    if (!parent)
        return nullptr;
    const auto place = m_places.find(node);
    const bool hasRow = place != m_places.end() && place->second.parent == parent;
    if (hasRow) {
        const int row = place->second.row;
        beginRemoveRows(IndexOfRowParent(parent), row, row);
        parent->RemoveChild(node);
        Forget(node);
        std::vector<CSettingNode *> &rows = m_rows[parent];
        rows.erase(rows.begin() + row);
        RenumberFrom(rows, row);
        endRemoveRows();
    } else {
        parent->RemoveChild(node);
    }
    return std::unique_ptr<CSettingNode>(node);
}

void CSettingsTreeModel::NodeRemoved(CSettingNode *node)
{
    const auto place = m_places.find(node);
    if (place == m_places.end())
        return;
    CSettingNode *parent = place->second.parent;
    const int row = place->second.row;
    beginRemoveRows(IndexOfRowParent(parent), row, row);
    Forget(node);
    std::vector<CSettingNode *> &rows = m_rows[parent];
    rows.erase(rows.begin() + row);
    RenumberFrom(rows, row);
    endRemoveRows();
}

QModelIndex CSettingsTreeModel::index(int row, int column, const QModelIndex &parent) const
{
    if (!hasIndex(row, column, parent))
        return {};
    CSettingNode *parentNode = parent.isValid() ? NodeAt(parent) : m_root;
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
    CSettingNode *node = parent.isValid() ? NodeAt(parent) : m_root;
    return node ? static_cast<int>(RowsOf(node).size()) : 0;
}

bool CSettingsTreeModel::hasChildren(const QModelIndex &parent) const
{
    // Asked for every laid-out row; answered without keeping the rows.
    if (parent.column() > 0)
        return false;
    CSettingNode *node = parent.isValid() ? NodeAt(parent) : m_root;
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
    CSettingNode *node = NodeAt(index);
    if (!node || role != Qt::DisplayRole)
        return {};
    return index.column() == LabelColumn ? node->GetLabel(true) : ShownValue(node);
}

Qt::ItemFlags CSettingsTreeModel::flags(const QModelIndex &index) const
{
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}
