#pragma once

#include "settings/ChangeLog.h"

#include <QString>

#include <vector>

// The edits of a document that undo can take back, oldest first, with the
// position of the saved state: the document is modified exactly when the
// position differs from it.
class CUndoStack
{
public:
    // An empty log is no step.
    void Push(const QString &text, CChangeLog changes);
    bool CanUndo() const { return m_index > 0; }
    bool CanRedo() const { return m_index < m_steps.size(); }
    // What the next undo or redo takes back or makes again; empty when none.
    QString UndoText() const;
    QString RedoText() const;
    bool Undo();
    bool Redo();
    // The tree as it stands is the saved one.
    void SetClean() { m_clean = static_cast<long long>(m_index); }
    // No state of the history is saved.
    void SetUnsaved() { m_clean = -1; }
    bool IsClean() const { return m_clean == static_cast<long long>(m_index); }
    void Clear();

private:
    struct Step
    {
        QString text;
        CChangeLog changes;
    };
    std::vector<Step> m_steps;
    std::size_t m_index = 0;
    // -1: the saved state is gone (a step after it was dropped).
    long long m_clean = 0;
};
