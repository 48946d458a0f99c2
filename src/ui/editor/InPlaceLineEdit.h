#pragma once

#include <QLineEdit>
#include <QPointer>

// A single-line editor over a row's value column. Enter asks the companion
// (the tree) to commit, Escape does the same after marking the edit
// cancelled. Losing the focus to the companion commits; losing it to any
// other window drops the typed text and the editor deletes itself.
class CInPlaceLineEdit : public QLineEdit
{
    Q_OBJECT

public:
    explicit CInPlaceLineEdit(QWidget *parent = nullptr);
    ~CInPlaceLineEdit() override;

    void SetCompanion(QWidget *companion) { m_companion = companion; }
    // Only an active editor reacts to losing the focus.
    void SetActive(bool active) { m_active = active; }
    bool IsActive() const { return m_active; }
    bool IsCancelled() const { return m_cancelled; }
    void SetCancelled(bool cancelled) { m_cancelled = cancelled; }

signals:
    void commitRequested();
    void editDropped();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    bool m_cancelled = false;
    QPointer<QWidget> m_companion;
    bool m_active = false;
};
