#pragma once

#include "settings/TreeState.h"

#include <QAbstractTableModel>
#include <QString>

#include <unordered_map>
#include <unordered_set>
#include <vector>

class CApplication;
class CSettingNode;

// Every setting of a tree that fails the value check, as rows of label, path
// and the message sending would give, in tree order. It follows the tree's
// change reports: a report marks the nodes it touches, and the marked nodes
// alone are checked again once the reports of an edit are in (Settle), so an
// edit costs what it touched, not a walk of the tree. Only a replaced tree is
// walked as a whole.
class CProblemsModel : public QAbstractTableModel, public ITreeObserver
{
    Q_OBJECT

public:
    enum Column { LabelColumn = 0, PathColumn = 1, MessageColumn = 2, ColumnCount = 3 };

    explicit CProblemsModel(const CApplication *application, QObject *parent = nullptr);
    ~CProblemsModel() override;

    // Only the settings the check before sending walks, or all of them.
    void SetOnlyIncluded(bool onlyIncluded);
    bool OnlyIncluded() const { return m_onlyIncluded; }

    // Checks what the reports since the last call marked. It runs by itself
    // once control returns to the event loop.
    void Settle();

    const CSettingNode *NodeAt(int row) const;
    // The row of node, or -1.
    int RowOf(const CSettingNode *node) const;

    void TreeReplaced(const CSettingNode *root) override;
    void NodeAdded(const CSettingNode *node) override;
    void NodeChanged(const CSettingNode *node) override;
    void NodesRemoved(const CSettingNode *parent,
                      const std::vector<const CSettingNode *> &nodes) override;

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

signals:
    // The shown rows changed.
    void countChanged(int count);

private:
    struct CProblem
    {
        const CSettingNode *node = nullptr;
        QString label;
        QString message;
    };

    void Mark(const CSettingNode *node, bool withSubtree);
    void ScheduleSettle();
    CProblem MakeProblem(const CSettingNode *node, const QString &message) const;
    // Adds settings that were not failing before, in tree order.
    void Insert(std::vector<CProblem> added);
    bool IsShown(const CSettingNode *node) const;
    // Brings the rows in line with the failing settings and the filter.
    void UpdateRows();

    const CApplication *m_application;
    const CSettingNode *m_root = nullptr;
    bool m_onlyIncluded = true;
    // Every failing setting the walk of the whole tree would find, in tree
    // order; the rows are those of them that the filter shows.
    std::vector<CProblem> m_failing;
    std::vector<CProblem> m_rows;
    std::unordered_set<const CSettingNode *> m_marked;
    // A change that other settings' checks may depend on (a name, an item
    // added or removed): the failing settings are checked again too.
    bool m_recheckFailing = false;
    // An include or update flag above other nodes changed.
    bool m_refilter = false;
    bool m_settlePending = false;
};

// Whether a comes before b in a depth-first walk of their tree.
bool IsBeforeInTree(const CSettingNode *a, const CSettingNode *b);
