#include "ui/controls/InPlaceFocus.h"

#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QWidget>

namespace {

// A scroll area's viewport hands its focus to the area, so the focus lands
// on the companion's focus proxy rather than on the companion itself.
bool IsCompanion(const QWidget *focus, const QWidget *companion)
{
    for (const QWidget *w = companion; w; w = w->focusProxy()) {
        if (w == focus)
            return true;
    }
    return false;
}

// A drop-down list lives in a window of its own whose parent is the editor.
bool IsPartOf(const QWidget *focus, const QWidget *editor)
{
    for (const QWidget *w = focus; w; w = w->parentWidget()) {
        if (w == editor)
            return true;
    }
    return false;
}

// The menu bar takes the focus while it is worked with the keyboard (Alt and
// a letter, or Escape in a menu it opened) and gives it back when done.
bool IsMenu(const QWidget *focus, const QWidget *editor)
{
    if (qobject_cast<const QMenu *>(focus))
        return true;
    return qobject_cast<const QMenuBar *>(focus) && focus->window() == editor->window();
}

} // namespace

FocusLoss ClassifyFocusLoss(const QWidget *editor, const QWidget *companion, Qt::FocusReason reason)
{
    if (reason == Qt::PopupFocusReason)
        return FocusLoss::None;
    return ClassifyFocusMove(editor, companion, QApplication::focusWidget());
}

FocusLoss ClassifyFocusMove(const QWidget *editor, const QWidget *companion, const QWidget *focus)
{
    if (IsPartOf(focus, editor))
        return FocusLoss::None;
    if (focus && companion && IsCompanion(focus, companion))
        return FocusLoss::ToCompanion;
    if (focus && IsMenu(focus, editor))
        return FocusLoss::ToMenu;
    return FocusLoss::Elsewhere;
}
