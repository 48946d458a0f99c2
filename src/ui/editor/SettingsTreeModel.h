#pragma once

#include "settings/TreeState.h"

#include <QAbstractItemModel>

#include <memory>
#include <unordered_map>
#include <vector>

class CSettingNode;

// The settings tree as rows for a view: one row per node that RowChildren
// lists, with the node's label and its shown value as the two columns. The
// model holds node pointers and never owns nodes. A node's rows are read from
// the tree the first time they are asked for; afterwards the model follows
// the tree's change reports (it observes the document), so the view sees
// every change between the begin and end notifications that Qt expects.
class CSettingsTreeModel : public QAbstractItemModel, public ITreeObserver
{
    Q_OBJECT

public:
    enum Column { LabelColumn = 0, ValueColumn = 1, ColumnCount = 2 };

    explicit CSettingsTreeModel(QObject *parent = nullptr);
    ~CSettingsTreeModel() override;

    // Shows the rows below root (the root itself has none); null empties the
    // model. Call it with null before the shown tree is destroyed.
    void SetRoot(const CSettingNode *root);
    const CSettingNode *Root() const { return m_root; }

    const CSettingNode *NodeAt(const QModelIndex &index) const;
    // The index of node's row; invalid when the node has no row. node must
    // be a living node.
    QModelIndex IndexOf(const CSettingNode *node, int column = LabelColumn) const;

    // The tree's change reports.
    // A replaced tree resets the model to the new root.
    void TreeReplaced(const CSettingNode *root) override;
    void NodeAdded(const CSettingNode *node) override;
    void NodeChanged(const CSettingNode *node) override;
    void NodesRemoved(const CSettingNode *parent,
                      const std::vector<const CSettingNode *> &nodes) override;

    QModelIndex index(int row, int column, const QModelIndex &parent = {}) const override;
    QModelIndex parent(const QModelIndex &child) const override;
    int rowCount(const QModelIndex &parent = {}) const override;
    bool hasChildren(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

private:
    struct CPlace
    {
        const CSettingNode *parent;
        int row;
    };

    const std::vector<const CSettingNode *> &RowsOf(const CSettingNode *node) const;
    QModelIndex IndexOfRowParent(const CSettingNode *node) const;
    void RenumberFrom(std::vector<const CSettingNode *> &rows, int first) const;
    // Drops what is known about node and everything below it without
    // touching the node, which may no longer exist.
    void Forget(const CSettingNode *node);
    // Whether the view has seen node's row, so that it must hear of changes.
    bool IsKnown(const CSettingNode *node) const;

    const CSettingNode *m_root = nullptr;
    mutable std::unordered_map<const CSettingNode *, std::vector<const CSettingNode *>> m_rows;
    mutable std::unordered_map<const CSettingNode *, CPlace> m_places;
};
