#pragma once

#include "settings/TreeState.h"

#include <QHash>
#include <QString>

class CSettingNode;

// While a whole configuration is applied to the tree, naming an item neither
// refreshes the references after every name nor scans the category for
// duplicates: the refresh runs once at the end, and the duplicate test is
// answered from an index of the names given so far. Both answer exactly as
// the plain rules would.
class CBulkLoad
{
public:
    // Registers itself with root's tree state (a root without one gets a
    // state of its own for the duration).
    explicit CBulkLoad(CSettingNode *root);
    ~CBulkLoad();
    CBulkLoad(const CBulkLoad &) = delete;
    CBulkLoad &operator=(const CBulkLoad &) = delete;

    // Runs the reference refresh once when naming asked for one.
    void Finish();

    bool IsDuplicateName(const CSettingNode *category, int nameField, const QString &name);
    void NameChanged(const CSettingNode *category, int nameField, const QString &oldName,
                     const QString &newName);
    void RequestReferenceRefresh() { m_refreshPending = true; }

private:
    QHash<QString, int> &NamesOf(const CSettingNode *category, int nameField);

    void Detach();

    CSettingNode *m_root;
    CTreeState m_ownState;
    CTreeState *m_state = nullptr;
    CBulkLoad *m_previous = nullptr;
    bool m_refreshPending = false;
    QHash<const CSettingNode *, QHash<QString, int>> m_names;
};
