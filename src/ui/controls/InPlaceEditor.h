#pragma once

#include "ui/controls/InPlaceFocus.h"

#include <QMetaObject>
#include <QPointer>
#include <QWidget>

class QKeyEvent;

// What every in-place editor over the settings tree shares: the companion
// that commits the edit (the tree), the active and cancelled state, Enter and
// Escape, and what losing the focus means. Enter asks the companion to
// commit, Escape does the same after marking the edit cancelled. Losing the
// focus to the companion commits; losing it to any other window drops the
// edit and the editor deletes itself. The menu bar or a menu taking the focus
// is neither: the edit goes on, and where the focus goes from the menu
// decides.
//
// An editor derives from its Qt widget class first and from this class
// second, declares the commitRequested and editDropped signals, and emits
// them when asked to.
class CInPlaceEditor
{
public:
    CInPlaceEditor(const CInPlaceEditor &) = delete;
    CInPlaceEditor &operator=(const CInPlaceEditor &) = delete;
    virtual ~CInPlaceEditor();

    // The in-place editor a widget is, or null.
    static CInPlaceEditor *Of(QWidget *widget);

    QWidget *Widget() const { return m_widget; }
    void SetCompanion(QWidget *companion) { m_companion = companion; }
    // Only an active editor reacts to losing the focus.
    void SetActive(bool active);
    bool IsActive() const { return m_active; }
    bool IsCancelled() const { return m_cancelled; }
    void SetCancelled(bool cancelled) { m_cancelled = cancelled; }

protected:
    // widget: the editor itself.
    explicit CInPlaceEditor(QWidget *widget);

    // Handles Enter and Escape; false for any other key.
    bool HandleEndKey(const QKeyEvent *event);
    // reason: that of the focus-out event of the editor or one of its parts.
    void HandleFocusLoss(Qt::FocusReason reason);

    virtual void EmitCommitRequested() = 0;
    virtual void EmitEditDropped() = 0;

private:
    void Follow(FocusLoss loss);
    void WatchMenuFocus();
    void StopWatchingMenuFocus();

    QWidget *m_widget;
    QPointer<QWidget> m_companion;
    bool m_active = false;
    bool m_cancelled = false;
    QMetaObject::Connection m_menuWatch;
};
