#pragma once

#include "ui/controls/InPlaceEditor.h"

#include <QComboBox>
#include <QList>
#include <QString>
#include <QStringList>

class QFontMetrics;

// The choice list editor: a drop-down list of a node's choices, showing each
// choice's text and remembering the value it stores. Up on the first entry
// wraps to the last and Down on the last to the first. Enter, Escape and
// losing the focus behave as in the other in-place editors; a choice taken
// from the open list commits as Enter does.
class CChoiceListEdit : public QComboBox, public CInPlaceEditor
{
    Q_OBJECT

public:
    // The open list's height in pixels when it has the rows to fill it.
    static constexpr int kDropDownHeight = 300;

    // A choice "value\ntext" stores value and shows text; one without a line
    // feed shows what it stores.
    struct Choice
    {
        QString value;
        QString shown;
    };
    static Choice SplitChoice(const QString &choice);

    explicit CChoiceListEdit(QWidget *parent = nullptr);
    ~CChoiceListEdit() override;

    // Replaces the entries by the shown texts of choices, in their order.
    void SetChoices(const QStringList &choices);
    // The stored values of every choice shown as text, in order.
    QStringList ValuesShownAs(const QString &text) const;
    int WidestShownText(const QFontMetrics &metrics) const;
    // Selects the last entry shown exactly as text when exactFirst is set and
    // there is one; otherwise the first entry that starts with text, ignoring
    // case; otherwise none.
    void SelectShownText(const QString &text, bool exactFirst);

    void showPopup() override;

signals:
    void commitRequested();
    void editDropped();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void EmitCommitRequested() override { emit commitRequested(); }
    void EmitEditDropped() override { emit editDropped(); }

private:
    // The row a wrapping Up or Down moves to from row, or -1 when the key
    // does not wrap there.
    int WrappedRow(int key, int row) const;
    void FitPopup();
    // The user takes a choice from the open list.
    void NoteChoosing();

    QList<Choice> m_choices;
    // Set while the open list closes with a choice.
    bool m_choosing = false;
};
