#pragma once

#include "config/PasswordScrambler.h"
#include "document/TreeObservers.h"
#include "document/UndoStack.h"
#include "settings/NodeArena.h"
#include "settings/TreeState.h"
#include "validate/TreeCheck.h"

#include <QString>

#include <memory>
#include <optional>
#include <utility>
#include <vector>

class CApplication;
class CSettingNode;

// The result of an edit made through the document.
struct CEditResult
{
    enum Result {
        Changed,   // the value was stored (it may equal the old one)
        Unchanged, // the editor stores nothing for this text
        Refused,   // message says why
    };
    Result result = Unchanged;
    QString message; // why it was refused, or what befell a stored value
    int cutTo = 0;   // the text was cut to this many characters to fit its field

    bool IsRefused() const { return result == Refused; }
};

// Owns the one settings tree of the program, with the tree's modified flag
// and last error, and is the one way to change the tree: every edit of the
// editors, the dialogs and the command line goes through the Edit... and
// list operations below. Each applies the rules of its kind, then brings
// references up to date and excludes every included node that is disabled
// (so no included node is ever disabled), and tells its observers what
// changed.
class CSettingsDocument
{
public:
    explicit CSettingsDocument(CApplication *application = nullptr);
    ~CSettingsDocument();
    CSettingsDocument(const CSettingsDocument &) = delete;
    CSettingsDocument &operator=(const CSettingsDocument &) = delete;

    CApplication *GetApplication() const { return m_application; }

    // Replaces the tree by a fresh root with the default content.
    const CSettingNode *Reset();
    // Readers see the tree as const: every change goes through the
    // operations below, which take the nodes of this document's tree.
    const CSettingNode *GetRoot() const { return m_root.get(); }

    bool Save(const QString &path) const;
    // The first keys of the passwords that Save and the text for the phone
    // scramble: random unless a test fixes them.
    const ScrambleKeySource &ScrambleKeys() const { return m_scrambleKeys; }
    void SetScrambleKeys(ScrambleKeySource keys) { m_scrambleKeys = std::move(keys); }

    int IsModified() const { return m_state.modified; }
    // Unmodified marks the tree as it stands as the saved one, for undo.
    void SetModified(int modified);
    QString LastErrorText() const { return m_state.lastError; }
    void SetLastError(const QString &text) { m_state.lastError = text; }

    enum class OpenResult { Opened, Repaired, NotReadable, NotConfiguration, Damaged };
    // Opens a file as the editor does: reset, load, the after-loading check
    // that repairs failing values, then disabled nodes are excluded. The new
    // tree is made aside and takes the old one's place at once. A failed
    // open leaves the tree that was open. A file that ends before its
    // configuration does is Damaged: refused, with the last error saying
    // where it ends, unless takeWhatWasRead, which makes what could be read
    // the tree, modified.
    OpenResult Open(const QString &path, const RepairObserver &observer = {},
                    bool takeWhatWasRead = false);
    // Opens a file without the after-loading check, for comparing it: the
    // values stay as the file stores them, so what differs from the opened
    // file is what opening repairs. Never Repaired.
    OpenResult OpenAsStored(const QString &path);
    // Replaces the tree by a copy of other's, as if other's file were opened
    // here without reading it again.
    void CopyTree(const CSettingsDocument &other);

    // observer hears of every node added, changed or removed, and of a tree
    // replaced by a reset or an open, until it is removed. Observers hear each
    // report in the order they were added.
    void AddObserver(ITreeObserver *observer) { m_observers.Add(observer); }
    void RemoveObserver(ITreeObserver *observer) { m_observers.Remove(observer); }

    // Stores text in node as the node's in-place editor would: the editor
    // kind's check or limit, the set-value rule, and the node included when
    // its shown value changed (autoInclude). A password is stored as typed:
    // its confirmation is the editor's business. A renamed WAP connection
    // is renamed in the WAP bookmarks that use it.
    CEditResult EditValue(const CSettingNode *node, const QString &text, bool autoInclude = true);
    // Stores a password typed in the editor with what was typed to confirm
    // it. A password that differs from its confirmation is refused, and no
    // confirmation at all (the user cancelled it) stores nothing: either way
    // the password stored before stays. An empty password needs none.
    CEditResult EditPassword(const CSettingNode *node, const QString &typed,
                             const std::optional<QString> &confirmation);
    // The include check icon: toggles node's flag with all propagation.
    void ToggleInclude(const CSettingNode *node);
    // Toggles when the flag differs from include; true when it ends as asked.
    bool SetIncluded(const CSettingNode *node, bool include);
    // Deletes the deletable nodes (items of the named categories) from the
    // last to the first and skips the others. Stops at the first one the
    // tree refuses to remove, with the reason as the last error, and answers
    // false; the ones deleted before stay deleted.
    bool DeleteNodes(const std::vector<const CSettingNode *> &nodes);
    // Replaces the entries of a bookmark or file list, as a list dialog's OK
    // does, then includes the list when it has entries and excludes it when
    // it has none, with the usual propagation.
    void ReplaceEntries(const CSettingNode *list,
                        std::vector<std::unique_ptr<CSettingNode>> entries);
    // DeleteNodes, named as cutting them in the undo history.
    bool CutNodes(const std::vector<const CSettingNode *> &nodes);
    // Adds items (trees of their own, as the clipboard gives them) to the end
    // of their categories, each under its name or, when that is in use, the
    // first free "Name (2)", "Name (3)"...; the number added.
    int AddItems(std::vector<std::unique_ptr<CSettingNode>> items);

    // Each call above that changed the tree is one step that undo takes back
    // whole; the modified flag follows whether the tree is the saved one. A
    // replaced tree starts a new history.
    bool CanUndo() const { return m_undo.CanUndo(); }
    bool CanRedo() const { return m_undo.CanRedo(); }
    // The step the next undo or redo takes ("Delete "Office""); empty when
    // there is none.
    QString UndoText() const { return m_undo.UndoText(); }
    QString RedoText() const { return m_undo.RedoText(); }
    bool Undo();
    bool Redo();

private:
    // Records what the calls in its scope change as one step of the undo
    // history; a call made inside another's step adds to it.
    class CEditStep;
    bool DeleteNodes(const std::vector<const CSettingNode *> &nodes, unsigned oneText,
                     unsigned manyText);
    QString Describe(unsigned textId, const CSettingNode *node) const;
    OpenResult Load(const QString &path, bool repair, const RepairObserver &observer,
                    bool takeWhatWasRead);
    // The node of this document's tree that a reader handed back.
    CSettingNode *Writable(const CSettingNode *node) const;
    // A root with the default content, carrying this document's state; the
    // observer hears nothing of its making.
    std::unique_ptr<CSettingNode> MakeFreshRoot();
    // Puts root in the old tree's place and reports it while the old tree
    // still exists; a fresh tree is unmodified. arena is where root's nodes
    // live, if they came from one.
    void ReplaceRoot(std::unique_ptr<CSettingNode> root, CNodeArena::Ref arena = {});

    // Brings references up to date and excludes every included node that is
    // disabled, in the whole tree.
    void AfterEdit();
    // The same where an edit of node that changed no item names can have
    // changed anything; the rest of the tree stays as the last walk left it.
    void AfterEditWithin(CSettingNode *node);
    void AutoInclude(CSettingNode *node, const QString &shownBefore);
    void RenameBookmarkConnections(const QString &from, const QString &to);

    CApplication *m_application;
    // Declared before the state that points at it, so it outlives the tree.
    CTreeObservers m_observers;
    CTreeState m_state;
    // Where the nodes of a tree read from a file live; declared before the
    // tree, so that it goes after it.
    CNodeArena::Ref m_arena;
    std::unique_ptr<CSettingNode> m_root;
    CUndoStack m_undo;
    ScrambleKeySource m_scrambleKeys = RandomScrambleKey;
};
