#pragma once

#include <Qt>

class QWidget;

// Where the focus went when an in-place editor (or one of its parts) lost it.
enum class FocusLoss {
    // Still inside the editor, or a popup of it opened: the edit goes on.
    None,
    // Back to the companion that commits the edit.
    ToCompanion,
    // Anywhere else, another application included: the edit is dropped.
    Elsewhere,
};

FocusLoss ClassifyFocusLoss(const QWidget *editor, const QWidget *companion,
                            Qt::FocusReason reason);

// What every in-place editor does when it loses the focus: ask its owner to
// commit when the focus went back to it, or drop the edit and go away when
// the focus went elsewhere.
template<typename Editor>
void HandleEditorFocusLoss(Editor *editor, const QWidget *companion, Qt::FocusReason reason,
                           bool &active)
{
    if (!active)
        return;
    switch (ClassifyFocusLoss(editor, companion, reason)) {
    case FocusLoss::None:
        break;
    case FocusLoss::ToCompanion:
        emit editor->commitRequested();
        break;
    case FocusLoss::Elsewhere:
        active = false;
        emit editor->editDropped();
        editor->hide();
        editor->deleteLater();
        break;
    }
}
