#include "ui/controls/ListKeys.h"

#include "ui/controls/ListCtrlEx.h"

#include <QKeyEvent>

CListKeys::CListKeys(CListCtrlEx *list, Action edit, Action remove)
    : QObject(list)
    , m_list(list)
    , m_edit(std::move(edit))
    , m_remove(std::move(remove))
{
    list->installEventFilter(this);
    if (m_edit)
        connect(list, &CListCtrlEx::doubleClicked, this, [this] { m_edit(); });
}

void CListKeys::Attach(CListCtrlEx *list, Action edit, Action remove)
{
    new CListKeys(list, std::move(edit), std::move(remove));
}

bool CListKeys::HasSelection() const
{
    return m_list->selectionModel() && m_list->selectionModel()->hasSelection();
}

bool CListKeys::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != m_list || event->type() != QEvent::KeyPress)
        return false;
    const auto *key = static_cast<QKeyEvent *>(event);
    if (key->modifiers() & ~Qt::KeypadModifier)
        return false;
    switch (key->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (!m_edit || !HasSelection())
            return false;
        m_edit();
        return true;
    case Qt::Key_Delete:
        if (m_remove)
            m_remove();
        return true;
    default:
        return false;
    }
}
