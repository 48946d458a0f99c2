#pragma once

#include <QFrame>
#include <QPointer>
#include <QString>

#include <array>

class QKeyEvent;
class QLineEdit;

// The in-place editor of an IPv4 address: four number fields, each with its
// own range. A value outside the range is clamped as soon as it is typed, and
// a completed field moves the focus on to the next one. Enter asks the
// companion (the tree) to commit, Escape does the same after marking the edit
// cancelled; losing the focus to the companion commits, to any other window
// drops the edit and the editor deletes itself.
class CIPAddressEdit : public QFrame
{
    Q_OBJECT

public:
    static constexpr int kFieldCount = 4;

    explicit CIPAddressEdit(QWidget *parent = nullptr);
    ~CIPAddressEdit() override;

    void SetCompanion(QWidget *companion) { m_companion = companion; }
    // Only an active editor reacts to losing the focus.
    void SetActive(bool active) { m_active = active; }
    bool IsActive() const { return m_active; }
    bool IsCancelled() const { return m_cancelled; }
    void SetCancelled(bool cancelled) { m_cancelled = cancelled; }

    // Each bound is kept to 8 bits.
    void SetFieldRange(int field, int minimum, int maximum);
    int GetFieldMinimum(int field) const;
    int GetFieldMaximum(int field) const;

    // Fills the fields from a dotted text: the leading number of the text,
    // then the leading number after each further dot (0 when there is none).
    void SetAddress(const QString &text);
    // A blank field reads as 0.
    int GetFieldValue(int field) const;
    QString GetAddress() const;

    void FocusField(int field);

signals:
    // Enter, Escape, or the focus went back to the companion.
    void commitRequested();
    // The focus left for another window; the typed address is lost.
    void editDropped();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    int FieldIndex(const QObject *object) const;
    bool HandleFieldKey(int field, const QKeyEvent *event);
    void HandleFieldEdited(int field);
    void HandleFocusLoss(Qt::FocusReason reason);
    void MoveToField(int field, bool atEnd);

    bool m_cancelled = false;
    QPointer<QWidget> m_companion;
    bool m_active = false;
    std::array<QLineEdit *, kFieldCount> m_fields{};
    // The value each field last moved on with; -1 before it did.
    std::array<int, kFieldCount> m_lastValues{};
    std::array<int, kFieldCount> m_minimums{};
    std::array<int, kFieldCount> m_maximums{};
};
