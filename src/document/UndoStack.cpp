#include "document/UndoStack.h"

#include <utility>

void CUndoStack::Push(const QString &text, CChangeLog changes)
{
    if (changes.IsEmpty())
        return;
    if (m_clean > static_cast<long long>(m_index))
        m_clean = -1;
    m_steps.erase(m_steps.begin() + static_cast<std::ptrdiff_t>(m_index), m_steps.end());
    m_steps.push_back({text, std::move(changes)});
    m_index = m_steps.size();
}

QString CUndoStack::UndoText() const
{
    return CanUndo() ? m_steps[m_index - 1].text : QString();
}

QString CUndoStack::RedoText() const
{
    return CanRedo() ? m_steps[m_index].text : QString();
}

bool CUndoStack::Undo()
{
    if (!CanUndo())
        return false;
    m_steps[--m_index].changes.Undo();
    return true;
}

bool CUndoStack::Redo()
{
    if (!CanRedo())
        return false;
    m_steps[m_index++].changes.Redo();
    return true;
}

void CUndoStack::Clear()
{
    m_steps.clear();
    m_index = 0;
    m_clean = 0;
}
