#include "ui/controls/InPlaceFocus.h"

#include <QApplication>
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

} // namespace

FocusLoss ClassifyFocusLoss(const QWidget *editor, const QWidget *companion, Qt::FocusReason reason)
{
    if (reason == Qt::PopupFocusReason)
        return FocusLoss::None;
    const QWidget *focus = QApplication::focusWidget();
    if (IsPartOf(focus, editor))
        return FocusLoss::None;
    if (focus && companion && IsCompanion(focus, companion))
        return FocusLoss::ToCompanion;
    return FocusLoss::Elsewhere;
}
