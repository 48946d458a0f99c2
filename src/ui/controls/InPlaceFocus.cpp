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

} // namespace

FocusLoss ClassifyFocusLoss(const QWidget *editor, const QWidget *companion, Qt::FocusReason reason)
{
    if (reason == Qt::PopupFocusReason)
        return FocusLoss::None;
    const QWidget *focus = QApplication::focusWidget();
    if (focus && (focus == editor || editor->isAncestorOf(focus)))
        return FocusLoss::None;
    if (focus && companion && IsCompanion(focus, companion))
        return FocusLoss::ToCompanion;
    return FocusLoss::Elsewhere;
}
