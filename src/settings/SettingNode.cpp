#include "settings/SettingNode.h"

#include "settings/Application.h"
#include "settings/BulkLoad.h"
#include "settings/ChangeLog.h"
#include "settings/ItemNames.h"
#include "settings/Labels.h"
#include "settings/NodeArena.h"
#include "settings/NodeCatalogue.h"
#include "settings/NodeTypes.h"
#include "settings/StringIds.h"
#include "settings/TagTable.h"
#include "settings/TreeState.h"

#include <algorithm>
#include <utility>

CSettingNode::CSettingNode(CApplication *application)
    : m_application(application)
{}

CSettingNode::CSettingNode(const QString &value, int editorKind, int type, CSettingNode *parent)
    : m_application(parent ? parent->m_application : nullptr)
    , m_value(value)
    , m_parent(parent)
    , m_type(static_cast<qint16>(type))
    , m_editorKind(static_cast<qint8>(editorKind))
{}

CSettingNode::CSettingNode(const CSettingNode &other)
    : m_application(other.m_application)
{
    CopyFrom(other);
    if (other.m_parent)
        OwnMarkup().copiedParent = other.m_parent;
}

CSettingNode &CSettingNode::operator=(const CSettingNode &other)
{
    // Assignment changes what a node holds, not where it hangs.
    if (this != &other) {
        CSettingNode *parent = m_parent;
        DestroyChildren();
        CopyFrom(other);
        m_parent = parent;
    }
    return *this;
}

CSettingNode::~CSettingNode()
{
    DestroyChildren();
}

static_assert(alignof(CSettingNode) <= 8, "node memory is aligned to 8 bytes");

void *CSettingNode::operator new(std::size_t size)
{
    return AllocateNodeMemory(size);
}

void CSettingNode::operator delete(void *memory, std::size_t size)
{
    FreeNodeMemory(memory, size);
}

const QString &CSettingNode::GetLabelOverride() const
{
    static const QString none;
    return m_markup ? m_markup->labelOverride : none;
}

void CSettingNode::SetLabelOverride(const QString &label)
{
    if (m_markup || !label.isEmpty())
        OwnMarkup().labelOverride = label;
}

const QString &CSettingNode::GetAttributeText() const
{
    static const QString none;
    return m_markup ? m_markup->attributeText : none;
}

void CSettingNode::SetAttributeText(const QString &text)
{
    if (m_markup || !text.isEmpty())
        OwnMarkup().attributeText = text;
}

CSettingNode::Markup &CSettingNode::OwnMarkup()
{
    if (!m_markup)
        m_markup = std::make_unique<Markup>();
    return *m_markup;
}

void CSettingNode::CopyFrom(const CSettingNode &other)
{
    m_application = other.m_application;
    m_include = other.m_include;
    m_update = other.m_update;
    m_state = other.m_state;
    m_editorKind = other.m_editorKind;
    m_type = other.m_type;
    m_value = other.m_value;
    m_parent = nullptr;
    m_markup = other.m_markup ? std::make_unique<Markup>(*other.m_markup) : nullptr;
    // A copy is a tree of its own.
    if (m_markup) {
        m_markup->treeState = nullptr;
        m_markup->copiedParent = nullptr;
    }
    m_rawMarkup = other.m_rawMarkup;
    m_children.reserve(other.m_children.size());
    for (const CSettingNode *child : other.m_children) {
        auto *copy = new CSettingNode(child->m_application);
        copy->CopyFrom(*child);
        copy->m_parent = this;
        m_children.push_back(copy);
        AdjustTemplateCount(copy->m_type, +1);
    }
}

CSettingNode *CSettingNode::Root()
{
    CSettingNode *node = this;
    while (node->m_parent)
        node = node->m_parent;
    return node;
}

const CSettingNode *CSettingNode::Root() const
{
    return const_cast<CSettingNode *>(this)->Root();
}

void CSettingNode::AttachTreeState(CTreeState *state)
{
    if (m_markup || state)
        OwnMarkup().treeState = state;
}

CTreeState *CSettingNode::TreeState()
{
    return const_cast<CTreeState *>(std::as_const(*this).TreeState());
}

const CTreeState *CSettingNode::TreeState() const
{
    const CSettingNode *root = Root();
    return root->m_markup ? root->m_markup->treeState : nullptr;
}

void CSettingNode::SetModified(int modified)
{
    if (CTreeState *state = TreeState())
        state->modified = modified ? 1 : 0;
}

int CSettingNode::IsModified() const
{
    const CTreeState *state = TreeState();
    return state ? state->modified : 0;
}

void CSettingNode::SetLastError(const QString &text) const
{
    if (const CTreeState *state = TreeState())
        state->lastError = text;
}

QString CSettingNode::GetLastError() const
{
    const CTreeState *state = TreeState();
    return state ? state->lastError : QString();
}

CSettingNode *CSettingNode::FindCategory(int categoryType)
{
    return Root()->FindChild(categoryType);
}

const CSettingNode *CSettingNode::FindCategory(int categoryType) const
{
    return Root()->FindChild(categoryType);
}

CSettingNode *CSettingNode::FindDescendant(std::initializer_list<int> types)
{
    return const_cast<CSettingNode *>(std::as_const(*this).FindDescendant(types));
}

const CSettingNode *CSettingNode::FindDescendant(std::initializer_list<int> types) const
{
    const CSettingNode *node = this;
    for (int type : types) {
        node = node->FindChild(type);
        if (!node)
            return nullptr;
    }
    return node;
}

void CSettingNode::NotifyAdded()
{
    const CTreeState *state = TreeState();
    if (state && state->observer)
        state->observer->NodeAdded(this);
}

void CSettingNode::NotifyChanged()
{
    const CTreeState *state = TreeState();
    if (state && state->observer)
        state->observer->NodeChanged(this);
}

CChangeLog *CSettingNode::Changes() const
{
    const CTreeState *state = TreeState();
    return state ? state->changes : nullptr;
}

void CSettingNode::StoreValue(const QString &text)
{
    if (CChangeLog *changes = Changes())
        changes->ValueChanged(this, m_value);
    m_value = text;
    NotifyChanged();
}

void CSettingNode::SetIncludeFlag(int include)
{
    include = include ? 1 : 0;
    if (include == m_include)
        return;
    if (CChangeLog *changes = Changes())
        changes->IncludeChanged(this, m_include);
    m_include = static_cast<qint8>(include);
}

void CSettingNode::SetUpdateFlag(int update)
{
    update = update ? 1 : 0;
    if (update == m_update)
        return;
    if (CChangeLog *changes = Changes())
        changes->UpdateChanged(this, m_update);
    m_update = static_cast<qint8>(update);
}

void CSettingNode::SetType(int type)
{
    if (CChangeLog *changes = Changes(); changes && type != m_type)
        changes->TypeChanged(this, m_type);
    if (m_parent) {
        m_parent->AdjustTemplateCount(m_type, -1);
        m_parent->AdjustTemplateCount(type, +1);
    }
    const bool changed = m_type != type;
    m_type = static_cast<qint16>(type);
    if (changed)
        NotifyChanged();
}

void CSettingNode::AdjustTemplateCount(int type, int delta)
{
    if (IsTemplateType(type))
        m_templateChildren += delta;
}

CSettingNode *CSettingNode::AddChild(const QString &value, int editorKind, int type)
{
    auto *child = new CSettingNode(value, editorKind, type, this);
    InsertChild(child);
    return child;
}

CSettingNode *CSettingNode::AddChildWithLabel(unsigned labelId, int editorKind, int type)
{
    return AddChild(LoadLabel(m_application, labelId, false), editorKind, type);
}

int CSettingNode::FindInsertPosition(int itemType) const
{
    const int size = ChildCount();
    const ItemRole *role = RoleOfItem(itemType);
    if (!role || m_templateChildren == 0)
        return size;
    if (m_templateChildren == 1) {
        for (int i = size - 1; i >= 0; --i) {
            const int type = m_children[static_cast<size_t>(i)]->m_type;
            if (IsTemplateType(type))
                return type == role->itemTemplate ? i : size;
        }
        return size;
    }
    for (int i = 0; i < size; ++i) {
        if (m_children[static_cast<size_t>(i)]->m_type == role->itemTemplate)
            return i;
    }
    return size;
}

int CSettingNode::InsertChild(CSettingNode *child)
{
    if (!child)
        return 0;
    child->m_parent = this;
    const int position = FindInsertPosition(child->m_type);
    m_children.insert(m_children.begin() + position, child);
    AdjustTemplateCount(child->m_type, +1);
    if (CChangeLog *changes = Changes())
        changes->ChildInserted(this, child, position);
    child->NotifyAdded();
    return 1;
}

CSettingNode *CSettingNode::FindChild(int type)
{
    return const_cast<CSettingNode *>(std::as_const(*this).FindChild(type));
}

const CSettingNode *CSettingNode::FindChild(int type) const
{
    for (CSettingNode *child : m_children) {
        if (child && child->m_type == type)
            return child;
    }
    return nullptr;
}

CSettingNode *CSettingNode::FindChildByLabel(QStringView text)
{
    return const_cast<CSettingNode *>(std::as_const(*this).FindChildByLabel(text));
}

const CSettingNode *CSettingNode::FindChildByLabel(QStringView text) const
{
    const QStringView wanted = text.trimmed();
    if (wanted.isEmpty())
        return nullptr;
    for (CSettingNode *child : m_children) {
        if (child && child->GetElementName() == wanted)
            return child;
    }
    return nullptr;
}

int CSettingNode::HasAncestorOfType(int type) const
{
    for (const CSettingNode *node = m_parent; node; node = node->m_parent) {
        if (node->m_type == type)
            return 1;
    }
    return 0;
}

namespace {

template<typename Node>
void CollectVisibleChildren(const std::vector<CSettingNode *> &children, bool bookmarkList,
                            std::vector<Node *> &list, bool withHidden, bool withBookmarkEntries)
{
    if (bookmarkList) {
        if (withBookmarkEntries)
            list.assign(children.begin(), children.end());
        return;
    }
    list.clear();
    for (CSettingNode *child : children) {
        if (withHidden || child->GetEditorKind() != EditorKind::Hidden)
            list.push_back(child);
    }
}

} // namespace

int CSettingNode::GetVisibleChildren(std::vector<CSettingNode *> &list, bool withHidden,
                                     bool withBookmarkEntries)
{
    CollectVisibleChildren(m_children, IsBookmarkListType(m_type), list, withHidden,
                           withBookmarkEntries);
    return 1;
}

int CSettingNode::GetVisibleChildren(std::vector<const CSettingNode *> &list, bool withHidden,
                                     bool withBookmarkEntries) const
{
    CollectVisibleChildren(m_children, IsBookmarkListType(m_type), list, withHidden,
                           withBookmarkEntries);
    return 1;
}

int CSettingNode::RemoveChild(CSettingNode *child)
{
    const auto it = std::find(m_children.begin(), m_children.end(), child);
    if (!child || it == m_children.end())
        return 0;
    if (CChangeLog *changes = Changes())
        changes->ChildRemoved(this, child, static_cast<int>(it - m_children.begin()));
    m_children.erase(it);
    AdjustTemplateCount(child->m_type, -1);
    return 1;
}

void CSettingNode::DeleteChildren()
{
    if (CChangeLog *changes = Changes()) {
        // The log keeps them; last first, so that undo puts them back in
        // order.
        const std::vector<CSettingNode *> leaving = m_children;
        for (auto it = leaving.rbegin(); it != leaving.rend(); ++it) {
            RemoveChild(*it);
            changes->Keep(std::unique_ptr<CSettingNode>(*it));
        }
        if (const CTreeState *state = TreeState(); state && state->observer && !leaving.empty())
            state->observer->NodesRemoved(this, {leaving.begin(), leaving.end()});
        return;
    }
    if (const CTreeState *state = TreeState(); state && state->observer && !m_children.empty()) {
        const std::vector<CSettingNode *> leaving = m_children;
        m_children.clear();
        m_templateChildren = 0;
        state->observer->NodesRemoved(this, {leaving.begin(), leaving.end()});
        m_children = leaving;
    }
    DestroyChildren();
}

void CSettingNode::DestroyChildren()
{
    std::vector<CSettingNode *> children;
    children.swap(m_children);
    m_templateChildren = 0;
    for (CSettingNode *child : children)
        delete child;
}

const CSettingNode *CSettingNode::ParentForEquality() const
{
    return m_parent || !m_markup ? m_parent : m_markup->copiedParent;
}

int CSettingNode::IsEqual(const CSettingNode &other) const
{
    if (m_include != other.m_include || m_update != other.m_update || m_state != other.m_state ||
        m_type != other.m_type || m_editorKind != other.m_editorKind || m_value != other.m_value ||
        ParentForEquality() != other.ParentForEquality() ||
        m_children.size() != other.m_children.size())
        return 0;
    for (const CSettingNode *theirs : other.m_children) {
        const bool matched =
            std::any_of(m_children.begin(), m_children.end(),
                        [theirs](const CSettingNode *mine) { return mine->IsEqual(*theirs); });
        if (!matched)
            return 0;
    }
    return 1;
}

void CSettingNode::StoreInclude(int include, int markModified)
{
    include = include ? 1 : 0;
    if (include == m_include)
        return;
    if (markModified)
        SetModified(1);
    SetIncludeFlag(include);
    NotifyChanged();
}

int CSettingNode::AcceptsInclude() const
{
    if (m_type == NodeType::PreferredConnection || m_type == NodeType::PreferredMailbox ||
        m_type == NodeType::PreferredCentre)
        return m_value.isEmpty() ? 0 : 1;
    if (IsTemplateType(m_type))
        return 0;
    if (IsEntryListType(m_type) && m_children.empty())
        return 0;
    return 1;
}

int CSettingNode::SetInclude(int include, int markModified)
{
    if (IsTemplateType(m_type))
        return 0;
    if (!AcceptsInclude()) {
        // Preferred items with nothing named and empty lists stay out.
        StoreInclude(0, markModified);
        return 0;
    }
    if (IsEntryListType(m_type) || m_type == NodeType::WWWBookmark ||
        m_type == NodeType::WAPBookmark) {
        for (CSettingNode *child : m_children) {
            child->SetUpdateFlag(m_update);
            child->SetInclude(include, markModified);
        }
    }
    StoreInclude(include, markModified);
    return 1;
}

int CSettingNode::IsDuplicateName(const QString &text) const
{
    const ItemRole *role = RoleOfNameField(m_type);
    const CSettingNode *category = role ? FindCategory(role->category) : nullptr;
    if (!category)
        return 0;
    for (const CSettingNode *item : category->m_children) {
        const CSettingNode *name = item->FindChild(role->nameField);
        if (name && name->m_value == text)
            return 1;
    }
    return 0;
}

int CSettingNode::SetName(const QString &text)
{
    const ItemRole *role = RoleOfNameField(m_type);
    const unsigned templateLabel = NodeTypeInfoOf(role->itemTemplate).labelId;
    const QString invariant = LoadLabel(m_application, templateLabel, false);
    const QString localized = LoadLabel(m_application, templateLabel, true);
    if (text.compare(invariant, Qt::CaseInsensitive) == 0 ||
        text.compare(localized, Qt::CaseInsensitive) == 0)
        return 0;
    const CTreeState *state = TreeState();
    CBulkLoad *load = state ? state->bulkLoad : nullptr;
    const CSettingNode *category = FindCategory(role->category);
    const bool duplicate = load && category ? load->IsDuplicateName(category, role->nameField, text)
                                            : IsDuplicateName(text) != 0;
    if (duplicate)
        return 0;
    if (load && category)
        load->NameChanged(category, role->nameField, m_value, text);
    StoreValue(text);
    if (m_parent && m_parent->m_type == role->itemTemplate)
        m_parent->BecomeItemAndAddTemplate();
    if (m_type == NodeType::IAPConnectionName || m_type == NodeType::WAPConnectionName) {
        if (load)
            load->RequestReferenceRefresh();
        else
            Root()->RefreshReferences();
    }
    return 1;
}

void CSettingNode::BecomeItemAndAddTemplate()
{
    const ItemRole *role = RoleOfTemplate(m_type);
    SetType(role->item);
    if (m_parent)
        m_parent->AddChild(QString(), EditorKind::None, role->itemTemplate)->CreateDefaultContent();
}

int CSettingNode::SetValue(const QString &text)
{
    SetModified(1);
    if (IsNameFieldType(m_type))
        return SetName(text);
    if (IsBookmarkListType(m_type))
        return 0;
    if (m_value != text)
        StoreValue(text);
    if (m_type == NodeType::ConnectionType || m_type == NodeType::RemoteModemType) {
        CSettingNode *speed =
            m_parent ? m_parent->FindChild(NodeType::MaxConnectionSpeed) : nullptr;
        if (speed) {
            QStringList speeds;
            speed->GetChoices(speeds, false);
            if (!speeds.contains(speed->m_value))
                speed->SetValue(InvariantText(StringId::Speed9600));
        }
    } else if (m_type == NodeType::MailboxType && text == InvariantText(StringId::POP3)) {
        CSettingNode *mailbox = m_parent ? m_parent->m_parent : nullptr;
        CSettingNode *retrieveMail = mailbox ? mailbox->FindChild(NodeType::RetrieveMail) : nullptr;
        CSettingNode *retrieve =
            retrieveMail ? retrieveMail->FindChild(NodeType::Retrieve) : nullptr;
        if (retrieve && retrieve->m_value == InvariantText(StringId::RetrieveMessages))
            retrieve->SetValue(InvariantText(StringId::RetrieveHeaders));
    }
    return 1;
}

int CSettingNode::RemoveFromTree()
{
    if (!m_parent)
        return 0;
    if (const unsigned userCategory = ReferencingCategoryLabel()) {
        SetLastError(FormatLabel(m_application, StringId::MsgItemInUse,
                                 {LoadLabel(m_application, userCategory, true)}));
        return 0;
    }
    CSettingNode *parent = m_parent;
    parent->RemoveChild(this);
    parent->SetModified(1);
    const bool anyIncluded = std::any_of(
        parent->m_children.begin(), parent->m_children.end(),
        [](CSettingNode *sibling) { return sibling->IsIncluded() && !sibling->IsDisabled(); });
    if (!anyIncluded)
        parent->SetInclude(0, 1);
    return 1;
}

namespace {

bool AnyEntryUses(const CSettingNode *list, int entryType, int referenceType, const QString &name)
{
    if (!list)
        return false;
    for (const CSettingNode *entry : list->Children()) {
        if (entry->GetType() != entryType)
            continue;
        const CSettingNode *reference = entry->FindChild(referenceType);
        if (reference && reference->GetValue() == name)
            return true;
    }
    return false;
}

QString NameOf(const CSettingNode *item, int nameType)
{
    const CSettingNode *name = item->FindChild(nameType);
    return name ? name->GetValue() : QString();
}

} // namespace

unsigned CSettingNode::ReferencingCategoryLabel() const
{
    if (m_type == NodeType::IAPConnection) {
        const CSettingNode *wap = FindCategory(NodeType::WAPSettings);
        if (AnyEntryUses(wap, NodeType::WAPConnection, NodeType::WAPUseConnection,
                         NameOf(this, NodeType::IAPConnectionName)))
            return NodeTypeInfoOf(NodeType::WAPSettings).labelId;
    } else if (m_type == NodeType::WAPConnection) {
        const CSettingNode *personal = FindCategory(NodeType::PersonalData);
        const CSettingNode *bookmarks =
            personal ? personal->FindChild(NodeType::WAPBookmarks) : nullptr;
        if (AnyEntryUses(bookmarks, NodeType::WAPBookmark, NodeType::WAPBookmarkUseConnection,
                         NameOf(this, NodeType::WAPConnectionName)))
            return NodeTypeInfoOf(NodeType::WAPBookmarks).labelId;
    }
    return 0;
}

void CSettingNode::RefreshReferences()
{
    CReferenceNames names(Root());
    RefreshReferences(names);
}

void CSettingNode::RefreshReferences(CReferenceNames &names)
{
    if (IsReferenceType(m_type))
        RepointReference(names.For(NodeTypeInfoOf(m_type).choices));
    for (CSettingNode *child : m_children)
        child->RefreshReferences(names);
}
