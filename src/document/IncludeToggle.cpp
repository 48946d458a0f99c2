#include "document/IncludeToggle.h"

#include "document/TreeRows.h"
#include "settings/NodeCatalogue.h"
#include "settings/NodeTypes.h"
#include "settings/SettingNode.h"

#include <algorithm>
#include <iterator>

namespace {

constexpr CategoryHelp kCategoryHelp[] = {
    {NodeType::IAPSettings, HelpContextId::AccessPoints},
    {NodeType::EMailSettings, HelpContextId::EMail},
    {NodeType::WAPSettings, HelpContextId::WAP},
    {NodeType::SMSSettings, HelpContextId::SMS},
    {NodeType::PersonalData, HelpContextId::PersonalData},
    {NodeType::FileTransfer, HelpContextId::FileTransfer},
};
constexpr int kDialogHelp[] = {HelpContextId::PrintPreview, HelpContextId::LoginScript,
                               HelpContextId::Problems, HelpContextId::MakeVariants};

// Fields that change together: the data call's speed settings, and the
// signature with its choice.
constexpr int kSpeedFields[] = {NodeType::ConnectionType, NodeType::RemoteModemType,
                                NodeType::MaxConnectionSpeed};

template<typename Range>
bool Contains(const Range &range, int type)
{
    return std::find(std::begin(range), std::end(range), type) != std::end(range);
}

bool IsRow(const CSettingNode *node)
{
    return node && node->GetType() != NodeType::Root;
}

// The row above node; null for a top-level row, whose parent is the root.
CSettingNode *ParentRow(CSettingNode *node)
{
    CSettingNode *parent = node->GetParent();
    return IsRow(parent) ? parent : nullptr;
}

// A row directly below a category: an item, a template or a field of the
// category itself.
bool IsSecondLevel(const CSettingNode *node)
{
    const CSettingNode *parent = node->GetParent();
    const CSettingNode *grandparent = parent ? parent->GetParent() : nullptr;
    return grandparent && grandparent->GetType() == NodeType::Root;
}

// Asking the include rule for the flag a node already has tells whether the
// node can be included or excluded at all.
bool AcceptsOwnValue(CSettingNode *node)
{
    return node->SetInclude(node->IsIncluded(), 1) != 0;
}

bool HasIncludedChildRow(const CSettingNode *node)
{
    const auto rows = RowChildren(node, false);
    return std::any_of(rows.begin(), rows.end(),
                       [](const CSettingNode *row) { return row->IsIncluded(); });
}

// Server settings cannot be left out of an included mailbox, so excluding
// their group directly leaves them as they are.
bool KeepsFlagOnDirectExclude(int type)
{
    return type == NodeType::MailboxType || type == NodeType::InServer ||
           type == NodeType::OutServer;
}

// The flags it sets tell the tree's observer, which repaints their rows.
class CIncludeToggle
{
public:
    void Run(CSettingNode *node);

private:
    bool Refuses(CSettingNode *node) const;
    void IncludeAncestors(CSettingNode *parentRow);
    void SetLinkedFields(CSettingNode *node, int include);
    void ExcludeEmptiedAncestors(CSettingNode *parentRow);
    bool ChildrenFollow(CSettingNode *row, int include, bool top);
    bool IncludeMandatoryDescendants(CSettingNode *row);
};

bool CIncludeToggle::Refuses(CSettingNode *node) const
{
    if (IsEntryListType(node->GetType()))
        return false;
    CSettingNode *parent = node->GetParent();
    return !AcceptsOwnValue(node) || (parent && !AcceptsOwnValue(parent)) || node->IsDisabled() ||
           node->IsMandatoryInIncludedParent();
}

void CIncludeToggle::Run(CSettingNode *node)
{
    CSettingNode *parentRow = ParentRow(node);
    const int was = node->IsIncluded();

    if (Refuses(node)) {
        if (node->IsMandatoryInIncludedParent() && !was && parentRow)
            IncludeMandatoryDescendants(parentRow);
        return;
    }

    if (!was && parentRow)
        IncludeAncestors(parentRow);

    const int include = was ? 0 : 1;
    node->SetInclude(include, 1);
    if (!RowChildren(node, false).empty() && !ChildrenFollow(node, include, true))
        node->SetInclude(was, 1);

    SetLinkedFields(node, include);

    ExcludeEmptiedAncestors(parentRow);
    if (!was && parentRow && node->IsMandatoryInIncludedParent())
        IncludeMandatoryDescendants(parentRow);
}

// A first include below rows that hold nothing included brings the rows in,
// and with an item the fields it cannot do without.
void CIncludeToggle::IncludeAncestors(CSettingNode *parentRow)
{
    if (AnyIncluded(parentRow))
        return;
    for (CSettingNode *row = parentRow; row; row = ParentRow(row)) {
        row->SetInclude(1, 1);
        if (IsSecondLevel(row))
            IncludeMandatoryDescendants(row);
    }
}

void CIncludeToggle::SetLinkedFields(CSettingNode *node, int include)
{
    CSettingNode *parent = node->GetParent();
    if (!parent)
        return;
    const auto setLinked = [include](CSettingNode *linked) {
        if (linked)
            linked->SetInclude(include, 1);
    };
    const int type = node->GetType();
    if (Contains(kSpeedFields, type)) {
        for (int linkedType : kSpeedFields)
            setLinked(parent->FindChild(linkedType));
    } else if (type == NodeType::Signature) {
        setLinked(parent->FindChild(NodeType::IncludeSignature));
    } else if (type == NodeType::IncludeSignature) {
        setLinked(parent->FindChild(NodeType::Signature));
    }
}

void CIncludeToggle::ExcludeEmptiedAncestors(CSettingNode *parentRow)
{
    for (CSettingNode *row = parentRow; row && !HasIncludedChildRow(row); row = ParentRow(row))
        row->SetInclude(0, 1);
}

// Answers whether any row below took the value.
bool CIncludeToggle::ChildrenFollow(CSettingNode *row, int include, bool top)
{
    bool answer = false;
    for (CSettingNode *child : RowChildren(row, false)) {
        const bool wasIncluded = child->IsIncluded();
        const bool leftAlone = child->IsDisabled() && !(wasIncluded && !include);
        if (!leftAlone && AcceptsOwnValue(row) && AcceptsOwnValue(child)) {
            if (top && !include && KeepsFlagOnDirectExclude(child->GetType())) {
                answer = false;
            } else {
                child->SetInclude(include, 1);
                answer = true;
            }
        }
        if (ChildrenFollow(child, include, false))
            answer = true;
    }
    return answer;
}

// Includes every mandatory field below row whose parent ends up included.
// Groups are included on trial and dropped again when nothing mandatory
// below them needed them. Answers whether a direct child was included as
// mandatory.
bool CIncludeToggle::IncludeMandatoryDescendants(CSettingNode *row)
{
    bool answer = false;
    for (CSettingNode *child : RowChildren(row, false)) {
        if (child->IsMandatoryInIncludedParent() && !child->IsDisabled()) {
            if (child->SetInclude(1, 1))
                answer = true;
        }
        bool onTrial = false;
        if (!child->IsIncluded()) {
            child->SetInclude(1, 1);
            onTrial = true;
        }
        if (!IncludeMandatoryDescendants(child) && onTrial)
            child->SetInclude(0, 1);
    }
    return answer;
}

} // namespace

void ToggleInclude(CSettingNode *node)
{
    if (!IsRow(node))
        return;
    CIncludeToggle().Run(node);
}

bool IsPartlyIncluded(const CSettingNode *node)
{
    bool seenIncluded = false;
    bool seenExcluded = false;
    for (const CSettingNode *child : RowChildren(node, false)) {
        if (!child->AcceptsInclude())
            return false;
        if (child->IsDisabled())
            continue;
        (child->IsIncluded() ? seenIncluded : seenExcluded) = true;
        if ((seenIncluded && seenExcluded) || IsPartlyIncluded(child))
            return true;
    }
    return false;
}

bool AnyIncluded(const CSettingNode *root)
{
    const auto rows = RowChildren(root, false);
    return std::any_of(rows.begin(), rows.end(), [](const CSettingNode *row) {
        return row->IsIncluded() || AnyIncluded(row);
    });
}

bool IsDeletableType(int type)
{
    return IsItemType(type);
}

std::span<const CategoryHelp> CategoryHelpTopics()
{
    return kCategoryHelp;
}

std::span<const int> DialogHelpTopics()
{
    return kDialogHelp;
}

bool HasHelpTopic(int context)
{
    return std::find(std::begin(kDialogHelp), std::end(kDialogHelp), context) !=
               std::end(kDialogHelp) ||
           std::any_of(std::begin(kCategoryHelp), std::end(kCategoryHelp),
                       [context](const CategoryHelp &entry) { return entry.context == context; });
}

int HelpContext(const CSettingNode *node, bool helpOverride)
{
    if (helpOverride)
        return HelpContextId::PrintPreview;
    for (; IsRow(node); node = node->GetParent()) {
        for (const CategoryHelp &entry : kCategoryHelp) {
            if (entry.category == node->GetType())
                return entry.context;
        }
    }
    return HelpContextId::None;
}
