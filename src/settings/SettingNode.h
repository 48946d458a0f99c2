#pragma once

#include <QString>
#include <QStringList>

#include <cstddef>
#include <initializer_list>
#include <memory>
#include <span>
#include <vector>

class CApplication;
class CChangeLog;
class CReferenceNames;
struct CNameList;
struct CTreeState;

// One node of the settings tree. A node owns its children; RemoveChild and
// RemoveFromTree unlink a child and hand its ownership to the caller.
//
// Queries (labels, shown values, choices, the disabled test) never change
// the tree. Rules that look across the tree find it through the node's own
// root; the tree's modified flag, last error and observer live in the state
// that the root was given.
class CSettingNode final
{
public:
    explicit CSettingNode(CApplication *application = nullptr);
    // A child takes its parent's application.
    CSettingNode(const QString &value, int editorKind, int type, CSettingNode *parent);
    CSettingNode(const CSettingNode &other);
    CSettingNode &operator=(const CSettingNode &other);
    ~CSettingNode();

    // Nodes made while a node arena's scope is open come from that arena.
    static void *operator new(std::size_t size);
    static void operator delete(void *memory, std::size_t size);

    // The top of the tree this node hangs in (the node itself when it has no
    // parent).
    CSettingNode *Root();
    const CSettingNode *Root() const;
    // Given to a root; a tree without one keeps no modified flag or error.
    void AttachTreeState(CTreeState *state);
    CTreeState *TreeState();
    const CTreeState *TreeState() const;
    // The values of the whole tree, kept in its state.
    void SetModified(int modified);
    int IsModified() const;
    // Also for a reader: a failed save reports through the tree it wrote.
    void SetLastError(const QString &text) const;
    QString GetLastError() const;
    // The category of this node's tree with this type, or null.
    CSettingNode *FindCategory(int categoryType);
    const CSettingNode *FindCategory(int categoryType) const;
    // Follows a chain of child types; null when a link is missing.
    CSettingNode *FindDescendant(std::initializer_list<int> types);
    const CSettingNode *FindDescendant(std::initializer_list<int> types) const;

    CApplication *GetApplication() const { return m_application; }
    int GetType() const { return m_type; }
    void SetType(int type);
    CSettingNode *GetParent() { return m_parent; }
    const CSettingNode *GetParent() const { return m_parent; }
    void SetParent(CSettingNode *parent) { m_parent = parent; }
    int GetEditorKind() const { return m_editorKind; }
    void SetEditorKind(int kind) { m_editorKind = static_cast<qint8>(kind); }
    const QString &GetValue() const { return m_value; }
    int IsIncluded() const { return m_include; }
    // Sets the include flag as it stands, without the include rule.
    void SetIncludeFlag(int include);
    int GetUpdateFlag() const { return m_update; }
    void SetUpdateFlag(int update);
    int GetState() const { return m_state; }
    void SetState(int state) { m_state = static_cast<qint8>(state); }
    const QString &GetLabelOverride() const;
    void SetLabelOverride(const QString &label);
    const QString &GetAttributeText() const;
    void SetAttributeText(const QString &text);
    int GetRawMarkup() const { return m_rawMarkup; }
    void SetRawMarkup(int raw) { m_rawMarkup = raw ? 1 : 0; }

    // A const node hands out only const children, so that a reader of the
    // tree cannot reach a node it may change.
    const std::vector<CSettingNode *> &Children() { return m_children; }
    std::span<const CSettingNode *const> Children() const
    {
        const CSettingNode *const *first = m_children.data();
        return {first, m_children.size()};
    }
    int ChildCount() const { return static_cast<int>(m_children.size()); }

    // Tree operations.
    CSettingNode *AddChild(const QString &value, int editorKind, int type);
    CSettingNode *AddChildWithLabel(unsigned labelId, int editorKind, int type);
    int InsertChild(CSettingNode *child);
    CSettingNode *FindChild(int type);
    const CSettingNode *FindChild(int type) const;
    CSettingNode *FindChildByLabel(QStringView text);
    const CSettingNode *FindChildByLabel(QStringView text) const;
    int HasAncestorOfType(int type) const;
    int GetVisibleChildren(std::vector<CSettingNode *> &list, bool withHidden,
                           bool withBookmarkEntries);
    int GetVisibleChildren(std::vector<const CSettingNode *> &list, bool withHidden,
                           bool withBookmarkEntries) const;
    int RemoveChild(CSettingNode *child);
    void DeleteChildren();
    int RemoveFromTree();
    int IsEqual(const CSettingNode &other) const;
    int SetInclude(int include, int markModified);
    // What SetInclude would answer, without changing anything: the rule
    // refuses preferred items that name nothing, templates and empty lists.
    int AcceptsInclude() const;
    int SetValue(const QString &text);
    void RefreshReferences();
    // Excludes every included node of the subtree that is disabled, parents
    // before children, each change marked modified.
    void ExcludeDisabledNodes();
    // Both of the above in one walk: what follows every change of the tree.
    void Normalise();
    void CreateDefaultContent();

    // Per-type rules of the node type catalogue.
    QString GetLabel(bool localized) const;
    // The element name: GetLabel(false) without a copy.
    const QString &GetElementName() const;
    QString GetDisplayValue(bool localized) const;
    // The localized display value, with item names read once for a walk
    // that shows many nodes.
    QString GetDisplayValue(CReferenceNames &names) const;
    void GetChoices(QStringList &list, bool display) const;
    // Whether value is among GetChoices(list, false), without making the
    // list.
    bool OffersChoice(QStringView value) const;
    int IsDisabled() const;
    int IsMandatory() const;
    int IsMandatoryInIncludedParent() const;

    // The item whose name field this is, and the sibling items that share
    // the name space of its category.
    int IsDuplicateName(const QString &text) const;

private:
    // Undo and redo put back what the log recorded, below the rules.
    friend class CChangeLog;
    // The open log of the tree this node hangs in, or null.
    CChangeLog *Changes() const;
    // Stores a value that differs from the one held and reports it.
    void StoreValue(const QString &text);
    void RefreshReferences(CReferenceNames &names);
    // names is needed when references are refreshed; without it name lists
    // are asked for where a rule needs them.
    void Normalise(CReferenceNames *names, bool belowTemplate, bool references);
    bool IsDisabledBy(CReferenceNames *names, bool belowTemplate) const;
    void NotifyAdded();
    void NotifyChanged();
    unsigned ReferencingCategoryLabel() const;
    // Re-points a dangling reference; false when there is nothing to name.
    bool RepointReference(const CNameList &names);
    QString FixedChoiceDisplay() const;
    void FixedChoiceIds(std::vector<unsigned> &ids) const;
    void StoreInclude(int include, int markModified);
    // Copies other's fields and a copy of each child; the copy has no
    // parent.
    void CopyFrom(const CSettingNode &other);
    const CSettingNode *ParentForEquality() const;
    // Destroys the children without telling anyone: the tree is going.
    void DestroyChildren();
    void AdjustTemplateCount(int type, int delta);
    int FindInsertPosition(int itemType) const;
    int SetName(const QString &text);
    void BecomeItemAndAddTemplate();
    bool DisabledByOwnRule(CReferenceNames *names) const;
    bool HasChoices(CReferenceNames *names) const;
    bool HasTemplateAncestor() const;

    // Text that only elements unknown to the catalogue or with unknown
    // attributes carry, kept aside so that ordinary nodes stay small.
    // The tree state rides along here too, since only a root has one.
    struct Markup
    {
        QString labelOverride;
        QString attributeText;
        CTreeState *treeState = nullptr;
        // The parent of the node a copy was made from: a copy is a tree of
        // its own, so that nothing reached from it writes the original's
        // tree, and only the equality test still compares parents.
        const CSettingNode *copiedParent = nullptr;
    };
    Markup &OwnMarkup();

    CApplication *m_application;
    QString m_value;
    std::vector<CSettingNode *> m_children;
    CSettingNode *m_parent = nullptr;
    std::unique_ptr<Markup> m_markup;
    // Children of a template type, so that ordered insertion finds the
    // template from the end in the usual case of exactly one.
    int m_templateChildren = 0;
    qint16 m_type = 1;
    qint8 m_editorKind = 0;
    qint8 m_include = 0;
    qint8 m_update = 0;
    qint8 m_state = 1;
    qint8 m_rawMarkup = 0;
};
