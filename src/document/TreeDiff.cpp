#include "document/TreeDiff.h"

#include "settings/NodeCatalogue.h"
#include "settings/NodePath.h"
#include "settings/NodeTypes.h"
#include "settings/SettingNode.h"

#include <algorithm>
#include <map>
#include <utility>

namespace {

std::vector<const CSettingNode *> ComparedChildren(const CSettingNode *node, bool withHidden)
{
    std::vector<const CSettingNode *> children;
    if (IsEntryListType(node->GetType()))
        children.assign(node->Children().begin(), node->Children().end());
    else
        node->GetVisibleChildren(children, withHidden, true);
    std::erase_if(children,
                  [](const CSettingNode *child) { return IsTemplateType(child->GetType()); });
    return children;
}

QString Contents(const CSettingNode *node)
{
    QString text = node->GetValue();
    for (const CSettingNode *child : node->Children())
        text += u'\x1f' + Contents(child);
    return text;
}

// What pairs a child with its counterpart: named entries by their name, the
// entries of file lists by what they hold, everything else by its element
// name alone (and, for repeated elements, by its place among them).
QString MatchKey(const CSettingNode *node)
{
    const int type = node->GetType();
    QString key = node->GetElementName();
    const CSettingNode *parent = node->GetParent();
    if (IsItemType(type) || type == NodeType::WWWBookmark || type == NodeType::WAPBookmark)
        key += u'\x1e' + ItemName(node);
    else if (parent && IsFileListType(parent->GetType()))
        key += u'\x1e' + Contents(node);
    return key;
}

QString ShownText(const CSettingNode *node)
{
    if (node->GetEditorKind() == EditorKind::Password && !node->GetValue().isEmpty())
        return QStringLiteral("********");
    return node->GetValue();
}

class CTreeDiff
{
public:
    explicit CTreeDiff(bool withHidden)
        : m_withHidden(withHidden)
    {}

    void Compare(const CSettingNode *before, const CSettingNode *after);
    std::vector<CTreeDifference> Take() { return std::move(m_differences); }

private:
    void CompareNode(const CSettingNode *before, const CSettingNode *after);
    void Add(CTreeDifference::Kind kind, const CSettingNode *node)
    {
        CTreeDifference difference;
        difference.kind = kind;
        difference.path = PathOfNode(node);
        m_differences.push_back(std::move(difference));
    }

    const bool m_withHidden;
    std::vector<CTreeDifference> m_differences;
};

void CTreeDiff::CompareNode(const CSettingNode *before, const CSettingNode *after)
{
    // Passwords compare as stored, in plain text; only their display hides them.
    if (before->GetValue() != after->GetValue()) {
        CTreeDifference difference;
        difference.path = PathOfNode(after);
        difference.oldText = ShownText(before);
        difference.newText = ShownText(after);
        m_differences.push_back(std::move(difference));
    }
    if (before->IsIncluded() != after->IsIncluded()) {
        CTreeDifference difference;
        difference.kind = CTreeDifference::Include;
        difference.path = PathOfNode(after);
        difference.newIncluded = after->IsIncluded() != 0;
        m_differences.push_back(std::move(difference));
    }
    Compare(before, after);
}

void CTreeDiff::Compare(const CSettingNode *before, const CSettingNode *after)
{
    // The n-th child with a key pairs with the n-th one with the same key.
    std::map<QString, std::vector<const CSettingNode *>> unmatched;
    const std::vector<const CSettingNode *> afterChildren = ComparedChildren(after, m_withHidden);
    for (auto it = afterChildren.rbegin(); it != afterChildren.rend(); ++it)
        unmatched[MatchKey(*it)].push_back(*it);
    for (const CSettingNode *child : ComparedChildren(before, m_withHidden)) {
        std::vector<const CSettingNode *> &candidates = unmatched[MatchKey(child)];
        if (candidates.empty()) {
            Add(CTreeDifference::Removed, child);
            continue;
        }
        const CSettingNode *counterpart = candidates.back();
        candidates.pop_back();
        CompareNode(child, counterpart);
    }
    for (const CSettingNode *child : afterChildren) {
        const std::vector<const CSettingNode *> &left = unmatched[MatchKey(child)];
        if (std::find(left.begin(), left.end(), child) != left.end())
            Add(CTreeDifference::Added, child);
    }
}

} // namespace

std::vector<CTreeDifference> DiffTrees(const CSettingNode *before, const CSettingNode *after,
                                       bool withHidden)
{
    CTreeDiff diff(withHidden);
    diff.Compare(before, after);
    return diff.Take();
}
