#include "document/IncludeToggle.h"

#include "document/TreeRows.h"
#include "settings/NodeCatalogue.h"
#include "settings/NodeTypes.h"
#include "settings/SettingNode.h"

#include <algorithm>
#include <iterator>
#include <memory>

namespace {

constexpr int kDeletableTypes[] = {NodeType::IAPConnection,      NodeType::Mailbox,
                                   NodeType::WAPConnection,      NodeType::SMSCentre,
                                   NodeType::TerminalConnection, NodeType::TelnetConnection};

struct CategoryHelp
{
    int category;
    int context;
};

constexpr CategoryHelp kCategoryHelp[] = {
    {NodeType::IAPSettings, HelpContextId::AccessPoints},
    {NodeType::EMailSettings, HelpContextId::EMail},
    {NodeType::WAPSettings, HelpContextId::WAP},
    {NodeType::SMSSettings, HelpContextId::SMS},
    {NodeType::PersonalData, HelpContextId::PersonalData},
    {NodeType::FileTransfer, HelpContextId::FileTransfer},
};

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
CSettingNode *ParentRow(const CSettingNode *node)
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

class CIncludeToggle
{
public:
    explicit CIncludeToggle(IRowPainter *painter)
        : m_painter(painter)
    {}

    void Run(CSettingNode *node);

private:
    void Repaint(CSettingNode *node) const
    {
        if (m_painter)
            m_painter->RepaintCheckIcon(node);
    }
    bool Refuses(CSettingNode *node) const;
    bool IncludeAncestors(CSettingNode *parentRow);
    void SetLinkedFields(CSettingNode *node, int include);
    bool ExcludeEmptiedAncestors(CSettingNode *parentRow);
    bool ChildrenFollow(CSettingNode *row, int include, bool top);
    bool IncludeMandatoryDescendants(CSettingNode *row);

    IRowPainter *m_painter;
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
        if (node->IsMandatoryInIncludedParent()) {
            Repaint(node);
            if (!was && parentRow)
                IncludeMandatoryDescendants(parentRow);
        }
        return;
    }

    const bool ancestorsIncluded = !was && parentRow && IncludeAncestors(parentRow);

    const int include = was ? 0 : 1;
    node->SetInclude(include, 1);
    if (!RowChildren(node, false).empty() && !ChildrenFollow(node, include, true))
        node->SetInclude(was, 1);

    SetLinkedFields(node, include);

    const bool ancestorsCleared = ExcludeEmptiedAncestors(parentRow);
    if (!ancestorsIncluded && !ancestorsCleared) {
        for (CSettingNode *row = parentRow; row; row = ParentRow(row))
            Repaint(row);
    }
    Repaint(node);
    if (!was && parentRow && node->IsMandatoryInIncludedParent())
        IncludeMandatoryDescendants(parentRow);
}

// A first include below rows that hold nothing included brings the rows in,
// and with an item the fields it cannot do without.
bool CIncludeToggle::IncludeAncestors(CSettingNode *parentRow)
{
    if (AnyIncluded(parentRow))
        return false;
    for (CSettingNode *row = parentRow; row; row = ParentRow(row)) {
        row->SetInclude(1, 1);
        Repaint(row);
        if (IsSecondLevel(row))
            IncludeMandatoryDescendants(row);
    }
    return true;
}

void CIncludeToggle::SetLinkedFields(CSettingNode *node, int include)
{
    CSettingNode *parent = node->GetParent();
    if (!parent)
        return;
    const auto setAndRepaint = [this, node, include](CSettingNode *linked) {
        if (!linked)
            return;
        linked->SetInclude(include, 1);
        if (linked != node)
            Repaint(linked);
    };
    const int type = node->GetType();
    if (Contains(kSpeedFields, type)) {
        for (int linkedType : kSpeedFields)
            setAndRepaint(parent->FindChild(linkedType));
    } else if (type == NodeType::Signature) {
        setAndRepaint(parent->FindChild(NodeType::IncludeSignature));
    } else if (type == NodeType::IncludeSignature) {
        setAndRepaint(parent->FindChild(NodeType::Signature));
    }
}

// Answers whether it cleared any row.
bool CIncludeToggle::ExcludeEmptiedAncestors(CSettingNode *parentRow)
{
    bool cleared = false;
    for (CSettingNode *row = parentRow; row && !HasIncludedChildRow(row); row = ParentRow(row)) {
        row->SetInclude(0, 1);
        Repaint(row);
        cleared = true;
    }
    return cleared;
}

// Answers whether any row below took the value.
bool CIncludeToggle::ChildrenFollow(CSettingNode *row, int include, bool top)
{
    bool answer = false;
    for (CSettingNode *child : RowChildren(row, false)) {
        // Asked before IsDisabled, which excludes a disabled node by itself.
        const bool wasIncluded = child->IsIncluded();
        const bool leftAlone = child->IsDisabled() && !(wasIncluded && !include);
        if (!leftAlone && AcceptsOwnValue(row) && AcceptsOwnValue(child)) {
            if (top && !include && KeepsFlagOnDirectExclude(child->GetType())) {
                answer = false;
            } else {
                child->SetInclude(include, 1);
                answer = true;
                Repaint(child);
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
            Repaint(child);
            Repaint(row);
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

void ToggleInclude(CSettingNode *node, IRowPainter *painter)
{
    if (!IsRow(node))
        return;
    CIncludeToggle(painter).Run(node);
}

bool IsPartlyIncluded(CSettingNode *node)
{
    bool seenIncluded = false;
    bool seenExcluded = false;
    for (CSettingNode *child : RowChildren(node, false)) {
        if (!AcceptsOwnValue(child))
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
    return Contains(kDeletableTypes, type);
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

bool DeleteNodes(const std::vector<CSettingNode *> &nodes,
                 const std::function<void(CSettingNode *)> &beforeDestroy)
{
    for (auto it = nodes.rbegin(); it != nodes.rend(); ++it) {
        CSettingNode *node = *it;
        if (!node || !IsDeletableType(node->GetType()))
            continue;
        if (!node->RemoveFromTree())
            return false;
        // RemoveFromTree hands the node to its caller.
        const std::unique_ptr<CSettingNode> removed(node);
        if (beforeDestroy)
            beforeDestroy(node);
    }
    return true;
}
