#pragma once

#include <QString>

class CSettingNode;

// What the in-place editors accept, limit or refuse, by the node's editor
// kind. The editors only gather text; the document applies these rules, so
// that every way of changing a value (the editors, the dialogs, the command
// line) stores exactly the same.

struct CFieldRange
{
    int minimum;
    int maximum;
};

inline constexpr int kIPFieldCount = 4;
// Network and broadcast numbers make no sense in the first and last field.
inline constexpr CFieldRange kIPFieldRanges[kIPFieldCount] = {
    {1, 254}, {0, 254}, {0, 254}, {1, 254}};

// How a multi-line text is held to its limit. The stored text counts a line
// break once; while typing, the edit field counts it lineBreakUnits times.
struct CMultilineLimit
{
    int length;         // of the stored text: a longer one is cut to it
    int lineBreakUnits; // what a line break counts against length while typing
    // Typing only refuses to grow a text beyond length; one already longer
    // (a field the user is shortening) is left alone.
    bool growOnly;
};

// The limit of the multi-line text of this node type.
CMultilineLimit MultilineLimit(int nodeType);
// The text as a multi-line field of this node type stores it: one line feed
// per line break, cut to the limit.
QString MultilineStoredText(int nodeType, const QString &text);

// How long a multi-line field of this node type finds text while typing.
int MultilineMeasure(int nodeType, QStringView text);

// A multi-line field's text in stored form with its selection.
struct CTypedMultiline
{
    QString text;
    qsizetype start = 0;
    qsizetype end = 0;
    bool changed = false;
};
// Holds what was just typed into a multi-line field to its limit: what is
// over goes from the selection first, then from what stands before it, and
// from the end of the text only as a last resort; the selection follows.
// measureBefore is the field's measure before the change; the field's
// measure after it is returned.
int LimitTypedMultiline(int nodeType, CTypedMultiline &typed, int measureBefore);

// Whether the editor kind has an in-place editor or a dialog.
bool HasEditor(int editorKind);
// Whether typing c on a row of this editor kind opens its editor (Backspace
// arrives as "\b"); the character is then handed to the editor.
bool StartsEditing(int editorKind, QChar c);
// Whether the kind edits a list of entries through a dialog, never as text.
bool IsListEditorKind(int editorKind);

// Whether the editor of this kind and node type takes c at position of its
// text; the editors ask it as the user types, EditorText for whole texts.
bool IsTypedCharacterAllowed(int editorKind, int nodeType, QChar c, qsizetype position);

// Why the node's editor does not take c at position of its text, in one
// line; empty when it takes it. The editors show it as they drop c.
QString TypedCharacterRefusal(const CSettingNode *node, QChar c, qsizetype position);

// The longest text the node's editor holds; 0 when its kind has no limit.
int EditorMaxLength(const CSettingNode *node);

// The text the node's editor holds after text was typed or pasted into it:
// the characters the editor refuses are dropped and the text is cut to the
// node's longest value.
QString EditorText(const CSettingNode *node, const QString &text);

// Whether a typed password stands, given what was typed to confirm it: an
// empty password needs no confirmation.
bool IsPasswordConfirmed(const QString &typed, const QString &confirmation);

// How a commit of an editor's text ends.
struct CValueCommit
{
    enum Result {
        Store,  // value holds what to store
        Keep,   // nothing is stored and nothing is said
        Refuse, // nothing is stored; message says why
    };
    Result result = Keep;
    QString value;
    // Why it was refused; for a stored value, how it differs from the text
    // (limited to its range, cut to its field), in one line.
    QString message;
    int cutTo = 0; // the text was cut to this many characters to fit its field
};

// The value the node's editor would store for text, or why it refuses it.
// Choices are matched by their stored value, then by the text they show.
CValueCommit CommitRule(const CSettingNode *node, const QString &text);

// The sibling type that an edit of a field of editedType includes whenever
// it leaves that field included; 0 for none.
int IncludedAlongWith(int editedType);

// Why the set-value rule refused value for node (a name in use, a name
// that cannot be one, a list).
QString SetValueRefusal(const CSettingNode *node, const QString &value);
