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

// The text the node's editor holds after text was typed or pasted into it:
// the characters the editor refuses are dropped and the text is cut to the
// node's longest value.
QString EditorText(const CSettingNode *node, const QString &text);

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
    QString message;
};

// The value the node's editor would store for text, or why it refuses it.
// Choices are matched by their stored value, then by the text they show.
CValueCommit CommitRule(const CSettingNode *node, const QString &text);

// Why the set-value rule refused value for node (a name in use, a name
// that cannot be one, a list).
QString SetValueRefusal(const CSettingNode *node, const QString &value);
