#pragma once

#include <QObject>
#include <QPointer>
#include <QRect>
#include <QString>

#include <functional>
#include <memory>

class CSettingNode;
class CSettingsDocument;
class QWidget;

// Edits one node's value at a time, over the value column of its row or in a
// dialog, as the node's editor kind says. The tree control owns one and asks
// it to begin and commit. The editors only gather text: the document checks,
// limits and stores it and includes the node when its value changed; a
// refusal is shown with the document's reason, and a value limited or cut or
// a character dropped is said in one line of the window's status bar.
class CInPlaceEditing : public QObject
{
    Q_OBJECT

public:
    // owner: the widget the editors are children of (the tree's viewport).
    explicit CInPlaceEditing(QWidget *owner);
    ~CInPlaceEditing() override;

    // Where values are stored; nothing is stored without one.
    void SetDocument(CSettingsDocument *document);
    // The folder the dialogs start in (the view's current folder).
    void SetFolderSource(std::function<QString()> source);

    // Opens the editor of node over valueRect; typed is the first character
    // the user typed, handed to the new editor. Answers whether the node's
    // editor kind has an editor and the node is not disabled. Dialog kinds run
    // their dialog here and have stored the value when this returns.
    bool BeginEdit(const CSettingNode *node, const QRect &valueRect,
                   const QString &typed = QString());
    // Closes the open editor and stores its value; nothing when none is open
    // or the editor was cancelled.
    void CommitEdit();
    // Drops the open editor without storing anything.
    void CancelEdit();

    bool IsEditing() const;
    // True for the text-like editors (text, number, character set, IP
    // address), false for the choice list and when nothing is open.
    bool IsTextEditing() const;
    const CSettingNode *EditNode() const;
    // Keeps the open editor over its row when the view scrolls or resizes.
    void MoveEditor(const QRect &valueRect);

signals:
    // The editor handed the focus back to its owner (Enter, or a click on the
    // tree): the owner commits.
    void focusReturned();
    // A value was stored (the row and its ancestors' check icons need a repaint).
    void valueCommitted(const CSettingNode *node);
    // A dialog asks for the help topic of this context.
    void helpRequested(int context);

private:
    class Private;
    std::unique_ptr<Private> d;
};
