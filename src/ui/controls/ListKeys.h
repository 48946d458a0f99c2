#pragma once

#include <QObject>

#include <functional>

class CListCtrlEx;

// The keys and clicks of a list dialog's list: Enter and a double click on a
// selected row edit it (rather than close the dialog through its default
// button), Delete removes the selection. Without an edit action Enter goes on
// to the dialog.
class CListKeys final : public QObject
{
    Q_OBJECT

public:
    using Action = std::function<void()>;
    // Lives as long as list.
    static void Attach(CListCtrlEx *list, Action edit, Action remove);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    CListKeys(CListCtrlEx *list, Action edit, Action remove);
    bool HasSelection() const;

    CListCtrlEx *m_list;
    Action m_edit;
    Action m_remove;
};
