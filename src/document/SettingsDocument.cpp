#include "document/SettingsDocument.h"

#include "config/ConfigReader.h"
#include "config/ConfigWriter.h"
#include "document/IncludeToggle.h"
#include "document/ValueEditing.h"
#include "settings/Labels.h"
#include "settings/NodeArena.h"
#include "settings/NodeCatalogue.h"
#include "settings/NodeTypes.h"
#include "settings/SettingNode.h"
#include "settings/StringIds.h"

#include <map>
#include <utility>

CSettingsDocument::CSettingsDocument(CApplication *application)
    : m_application(application)
{
    m_state.observer = &m_observers;
}

CSettingsDocument::~CSettingsDocument()
{
    m_observers.TreeReplaced(nullptr);
}

namespace {

// The observer hears of changes, not of trees being made: a view shows a
// new tree as a whole once it is ready.
class CObserverPause
{
public:
    explicit CObserverPause(CTreeState &state)
        : m_state(state)
        , m_observer(state.observer)
    {
        m_state.observer = nullptr;
    }
    ~CObserverPause() { m_state.observer = m_observer; }
    CObserverPause(const CObserverPause &) = delete;
    CObserverPause &operator=(const CObserverPause &) = delete;

private:
    CTreeState &m_state;
    ITreeObserver *m_observer;
};

} // namespace

class CSettingsDocument::CEditStep
{
public:
    CEditStep(CSettingsDocument &document, QString text)
        : m_document(document)
        , m_text(std::move(text))
        , m_outer(!document.m_state.changes)
    {
        if (m_outer)
            m_document.m_state.changes = &m_changes;
    }
    ~CEditStep()
    {
        if (!m_outer)
            return;
        m_document.m_state.changes = nullptr;
        m_document.m_undo.Push(m_text, std::move(m_changes));
    }
    // For an edit that finds out what it did as it goes.
    void SetText(QString text) { m_text = std::move(text); }
    CEditStep(const CEditStep &) = delete;
    CEditStep &operator=(const CEditStep &) = delete;

private:
    CSettingsDocument &m_document;
    QString m_text;
    bool m_outer;
    CChangeLog m_changes;
};

QString CSettingsDocument::Describe(unsigned textId, const CSettingNode *node) const
{
    return FormatLabel(m_application, textId, {node->GetLabel(true)});
}

void CSettingsDocument::SetModified(int modified)
{
    m_state.modified = modified ? 1 : 0;
    if (!modified)
        m_undo.SetClean();
}

bool CSettingsDocument::Undo()
{
    if (!m_undo.Undo())
        return false;
    m_state.modified = m_undo.IsClean() ? 0 : 1;
    return true;
}

bool CSettingsDocument::Redo()
{
    if (!m_undo.Redo())
        return false;
    m_state.modified = m_undo.IsClean() ? 0 : 1;
    return true;
}

std::unique_ptr<CSettingNode> CSettingsDocument::MakeFreshRoot()
{
    auto root = std::make_unique<CSettingNode>(m_application);
    root->SetType(NodeType::Root);
    root->AttachTreeState(&m_state);
    const CObserverPause pause(m_state);
    root->CreateDefaultContent();
    return root;
}

void CSettingsDocument::ReplaceRoot(std::unique_ptr<CSettingNode> root, CNodeArena::Ref arena)
{
    const std::unique_ptr<CSettingNode> old = std::exchange(m_root, std::move(root));
    m_arena = std::move(arena);
    m_undo.Clear();
    m_state.modified = 0;
    if (m_state.observer)
        m_state.observer->TreeReplaced(m_root.get());
}

CSettingNode *CSettingsDocument::Writable(const CSettingNode *node) const
{
    // A node of another tree (a copy, another document) is never written
    // through this one.
    if (!node || !m_root || node->Root() != m_root.get())
        return nullptr;
    return const_cast<CSettingNode *>(node);
}

const CSettingNode *CSettingsDocument::Reset()
{
    ReplaceRoot(MakeFreshRoot());
    return m_root.get();
}

bool CSettingsDocument::Save(const QString &path) const
{
    return SaveConfigurationFile(m_root.get(), path, m_scrambleKeys) != 0;
}

CSettingsDocument::OpenResult
CSettingsDocument::Open(const QString &path, const RepairObserver &observer, bool takeWhatWasRead)
{
    return Load(path, true, observer, takeWhatWasRead);
}

CSettingsDocument::OpenResult CSettingsDocument::OpenAsStored(const QString &path)
{
    return Load(path, false, {}, false);
}

CSettingsDocument::OpenResult CSettingsDocument::Load(const QString &path, bool repair,
                                                      const RepairObserver &observer,
                                                      bool takeWhatWasRead)
{
    // The new tree shares the state while it is made: what its making marks
    // is not the open tree's.
    const int modifiedBefore = m_state.modified;
    // The nodes of a read tree come from an arena of their own: a million
    // of them cost a few allocations, and they go together with the tree.
    CNodeArena::Ref arena = CNodeArena::Make();
    std::unique_ptr<CSettingNode> root;
    int failure = 0;
    bool loaded = false;
    bool passed = false;
    {
        const CNodeArenaScope arenaScope(arena.get());
        root = MakeFreshRoot();
        const CObserverPause pause(m_state);
        loaded = LoadConfigurationFile(root.get(), path, failure) != 0;
        if (loaded || (failure == kEndsEarly && takeWhatWasRead)) {
            passed = !repair || CheckTree(root.get(), nullptr, false, true, observer) != 0;
            root->Normalise();
        }
    }
    if (!loaded && (failure != kEndsEarly || !takeWhatWasRead)) {
        // The tree that was open stays, with its history.
        const QString error = LastErrorText();
        if (!m_root)
            ReplaceRoot(MakeFreshRoot());
        m_state.modified = modifiedBefore;
        SetLastError(error);
        return failure == kEndsEarly          ? OpenResult::Damaged
               : failure == kNotConfiguration ? OpenResult::NotConfiguration
                                              : OpenResult::NotReadable;
    }
    ReplaceRoot(std::move(root), std::move(arena));
    if (!loaded) {
        // What was read is a new document that was never saved.
        m_state.modified = 1;
        m_undo.SetUnsaved();
        return OpenResult::Damaged;
    }
    return passed ? OpenResult::Opened : OpenResult::Repaired;
}

void CSettingsDocument::CopyTree(const CSettingsDocument &other)
{
    auto root = std::make_unique<CSettingNode>(*other.m_root);
    root->AttachTreeState(&m_state);
    ReplaceRoot(std::move(root));
}

namespace {

// What an edit of node can change, as long as it renamed, added and removed
// no items: the node's item (its ancestor right below a category) with all
// it holds. A node's disabled state depends only on values inside its item
// and on which items exist, and the include toggle reaches no further down
// than the item; above it, only the ancestors themselves.
CSettingNode *EditScope(CSettingNode *node)
{
    while (node->GetParent() && node->GetParent()->GetParent() &&
           node->GetParent()->GetParent()->GetParent())
        node = node->GetParent();
    return node;
}

} // namespace

void CSettingsDocument::AfterEdit()
{
    m_root->Normalise();
}

void CSettingsDocument::AfterEditWithin(CSettingNode *node)
{
    CSettingNode *scope = EditScope(node);
    scope->ExcludeDisabledNodes();
    for (CSettingNode *above = scope->GetParent(); above; above = above->GetParent()) {
        if (above->IsIncluded() && above->IsDisabled())
            above->SetInclude(0, 1);
    }
}

void CSettingsDocument::AutoInclude(CSettingNode *node, const QString &shownBefore)
{
    if (node->GetDisplayValue(true) != shownBefore && !node->IsIncluded())
        ::ToggleInclude(node);
}

CEditResult CSettingsDocument::EditValue(const CSettingNode *shown, const QString &text,
                                         bool autoInclude)
{
    CSettingNode *node = Writable(shown);
    if (!node)
        return {CEditResult::Refused, {}};
    const CValueCommit commit = CommitRule(node, text);
    if (commit.result == CValueCommit::Refuse)
        return {CEditResult::Refused, commit.message};
    // An item's name committed as it stands is no new name in use.
    if (commit.result == CValueCommit::Keep ||
        (IsNameFieldType(node->GetType()) && commit.value == node->GetValue()))
        return {};
    // Naming a template makes a new item.
    const CSettingNode *item = node->GetParent();
    const CEditStep step(*this,
                         item && IsTemplateType(item->GetType()) && IsNameFieldType(node->GetType())
                             ? FormatLabel(m_application, StringId::EditAdd, {commit.value})
                             : Describe(StringId::EditChange, node));
    const QString shownBefore = node->GetDisplayValue(true);
    const QString valueBefore = node->GetValue();
    const int modifiedBefore = IsModified();
    if (!node->SetValue(commit.value)) {
        // The tree marks even a refused value; the document has not changed.
        SetModified(modifiedBefore);
        return {CEditResult::Refused, SetValueRefusal(node, commit.value)};
    }
    if (autoInclude)
        AutoInclude(node, shownBefore);
    if (const int along = IncludedAlongWith(node->GetType()); along && node->IsIncluded()) {
        if (CSettingNode *sibling = node->GetParent()->FindChild(along))
            sibling->SetInclude(1, 1);
    }
    if (node->GetType() == NodeType::WAPConnectionName && !valueBefore.isEmpty())
        RenameBookmarkConnections(valueBefore, commit.value);
    // A name may make an item or rename one that references name.
    if (IsNameFieldType(node->GetType()))
        AfterEdit();
    else
        AfterEditWithin(node);
    return {CEditResult::Changed, commit.message, commit.cutTo};
}

CEditResult CSettingsDocument::EditPassword(const CSettingNode *node, const QString &typed,
                                            const std::optional<QString> &confirmation)
{
    if (confirmation ? IsPasswordConfirmed(typed, *confirmation) : typed.isEmpty())
        return EditValue(node, typed);
    // Neither a cancelled confirmation nor a mistyped one costs the password
    // stored before.
    if (!confirmation)
        return {};
    return {CEditResult::Refused,
            LoadLabel(node->GetApplication(), StringId::MsgPasswordsDiffer, true)};
}

// A bookmark names its connection as text, not as a reference that follows
// on its own; left alone, it would name a connection the phone never gets.
void CSettingsDocument::RenameBookmarkConnections(const QString &from, const QString &to)
{
    CSettingNode *bookmarks =
        m_root->FindDescendant({NodeType::PersonalData, NodeType::WAPBookmarks});
    if (!bookmarks)
        return;
    for (CSettingNode *bookmark : bookmarks->Children()) {
        CSettingNode *connection = bookmark->FindChild(NodeType::WAPBookmarkUseConnection);
        if (connection && connection->GetValue() == from)
            connection->SetValue(to);
    }
}

void CSettingsDocument::ToggleInclude(const CSettingNode *shown)
{
    CSettingNode *node = Writable(shown);
    if (!node)
        return;
    const CEditStep step(
        *this, Describe(node->IsIncluded() ? StringId::EditExclude : StringId::EditInclude, node));
    ::ToggleInclude(node);
    AfterEditWithin(node);
}

bool CSettingsDocument::SetIncluded(const CSettingNode *node, bool include)
{
    if ((node->IsIncluded() != 0) != include)
        ToggleInclude(node);
    return (node->IsIncluded() != 0) == include;
}

bool CSettingsDocument::DeleteNodes(const std::vector<const CSettingNode *> &nodes)
{
    return DeleteNodes(nodes, StringId::EditDelete, StringId::EditDeleteItems);
}

bool CSettingsDocument::CutNodes(const std::vector<const CSettingNode *> &nodes)
{
    return DeleteNodes(nodes, StringId::EditCut, StringId::EditCutItems);
}

bool CSettingsDocument::DeleteNodes(const std::vector<const CSettingNode *> &nodes,
                                    unsigned oneText, unsigned manyText)
{
    std::vector<CSettingNode *> deletable;
    for (const CSettingNode *shown : nodes) {
        if (shown && IsDeletableType(shown->GetType()))
            if (CSettingNode *node = Writable(shown))
                deletable.push_back(node);
    }
    if (deletable.empty())
        return true;
    CEditStep step(*this, {});
    int deleted = 0;
    // The undo history keeps the removed nodes, so they still exist when
    // the observer hears of them, by parent.
    std::map<const CSettingNode *, std::vector<const CSettingNode *>> byParent;
    bool deletedAll = true;
    for (auto it = deletable.rbegin(); it != deletable.rend(); ++it) {
        CSettingNode *node = *it;
        CSettingNode *parent = node->GetParent();
        if (!node->RemoveFromTree()) {
            deletedAll = false;
            break;
        }
        if (++deleted == 1)
            step.SetText(Describe(oneText, node));
        m_state.changes->Keep(std::unique_ptr<CSettingNode>(node));
        byParent[parent].push_back(node);
    }
    if (deleted > 1)
        step.SetText(FormatLabel(m_application, manyText, {deleted}));
    if (m_state.observer) {
        for (const auto &[parent, children] : byParent)
            m_state.observer->NodesRemoved(parent, children);
    }
    if (!byParent.empty())
        AfterEdit();
    return deletedAll;
}

namespace {

bool NameInUse(const CSettingNode *category, int nameField, const QString &name)
{
    for (const CSettingNode *item : category->Children()) {
        const CSettingNode *field = item->FindChild(nameField);
        if (field && field->GetValue() == name)
            return true;
    }
    return false;
}

} // namespace

int CSettingsDocument::AddItems(std::vector<std::unique_ptr<CSettingNode>> items)
{
    CEditStep step(*this, {});
    int added = 0;
    for (std::unique_ptr<CSettingNode> &item : items) {
        const ItemRole *role = item ? RoleOfItem(item->GetType()) : nullptr;
        CSettingNode *category = role ? m_root->FindCategory(role->category) : nullptr;
        CSettingNode *name = role ? item->FindChild(role->nameField) : nullptr;
        if (!category || !name)
            continue;
        const QString base = name->GetValue();
        QString free = base;
        for (int number = 2; NameInUse(category, role->nameField, free); ++number)
            free = QStringLiteral("%1 (%2)").arg(base).arg(number);
        CSettingNode *adding = item.release();
        adding->SetParent(category);
        category->InsertChild(adding);
        // Named in the tree, where the name's rules see the other items.
        if (free != base)
            name->SetValue(free);
        if (++added == 1)
            step.SetText(Describe(StringId::EditPaste, adding));
    }
    if (added > 1)
        step.SetText(FormatLabel(m_application, StringId::EditPasteItems, {added}));
    if (added) {
        SetModified(1);
        AfterEdit();
    }
    return added;
}

void CSettingsDocument::ReplaceEntries(const CSettingNode *shown,
                                       std::vector<std::unique_ptr<CSettingNode>> entries)
{
    CSettingNode *list = Writable(shown);
    if (!list)
        return;
    const CEditStep step(*this, Describe(StringId::EditChange, list));
    const QString shownBefore = list->GetDisplayValue(true);
    const int includedBefore = list->IsIncluded();
    const int modifiedBefore = IsModified();
    list->DeleteChildren();
    for (std::unique_ptr<CSettingNode> &entry : entries) {
        entry->SetParent(list);
        list->InsertChild(entry.release());
    }
    const bool shownChanged = list->GetDisplayValue(true) != shownBefore;
    // Set the opposite first, so that the toggle ends where the entries say.
    list->SetIncludeFlag(list->ChildCount() == 0 ? 1 : 0);
    ::ToggleInclude(list);
    AfterEdit();
    // The flag went through the opposite on its way; only a change counts.
    if (shownChanged || list->IsIncluded() != includedBefore)
        SetModified(1);
    else
        SetModified(modifiedBefore);
}
