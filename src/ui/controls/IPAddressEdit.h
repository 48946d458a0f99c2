#pragma once

#include "ui/controls/InPlaceEditor.h"

#include <QFrame>
#include <QString>

#include <array>

class QKeyEvent;
class QLineEdit;

// The in-place editor of an IPv4 address: four number fields, each with its
// own range. A value outside the range is clamped as soon as it is typed, and
// a completed field moves the focus on to the next one; so does a dot, except
// right after such a move, where it only confirms it. A dotted address pasted
// into a field fills it and the fields after it. Enter, Escape and losing the
// focus end the edit as in every in-place editor.
class CIPAddressEdit : public QFrame, public CInPlaceEditor
{
    Q_OBJECT

public:
    static constexpr int kFieldCount = 4;

    explicit CIPAddressEdit(QWidget *parent = nullptr);
    ~CIPAddressEdit() override;

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
    void EmitCommitRequested() override { emit commitRequested(); }
    void EmitEditDropped() override { emit editDropped(); }

private:
    int FieldIndex(const QObject *object) const;
    bool HandleFieldKey(int field, const QKeyEvent *event);
    void HandleFieldEdited(int field);
    void FillFrom(int field, const QString &dottedText);
    int Clamped(int field, int value) const;
    void MoveToField(int field, bool atEnd);

    // The field the focus moved on to when the one before it filled up,
    // until a key other than the dot is pressed there; -1 when none.
    int m_movedOnTo = -1;
    std::array<QLineEdit *, kFieldCount> m_fields{};
    // The value each field last moved on with; -1 before it did.
    std::array<int, kFieldCount> m_lastValues{};
    std::array<int, kFieldCount> m_minimums{};
    std::array<int, kFieldCount> m_maximums{};
};
