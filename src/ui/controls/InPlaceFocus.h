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
