#pragma once

#include <Qt>

class QWidget;

// Where the focus went when an in-place editor (or one of its parts) lost it.
enum class FocusLoss {
    // Still inside the editor, or a popup of it opened: the edit goes on.
    None,
    // The menu bar of the editor's window or a menu holds it for a while; the
    // edit goes on and where the focus moves next decides.
    ToMenu,
    // Back to the companion that commits the edit.
    ToCompanion,
    // Anywhere else, another application included: the edit is dropped.
    Elsewhere,
};

// reason: the editor's focus-out reason; the focus is the application's now.
FocusLoss ClassifyFocusLoss(const QWidget *editor, const QWidget *companion,
                            Qt::FocusReason reason);
// The same for a focus that moved on to focus (null: no window of the
// application has it).
FocusLoss ClassifyFocusMove(const QWidget *editor, const QWidget *companion, const QWidget *focus);
