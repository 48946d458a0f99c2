#include "settings/NodePath.h"

#include "settings/NodeCatalogue.h"
#include "settings/NodeTypes.h"
#include "settings/SettingNode.h"

#include <QStringList>

#include <vector>

namespace {

struct Segment
{
    QString element;
    QString selector;
    bool hasSelector = false;
};

// Splits at "/" outside brackets, so names may hold slashes.
std::vector<Segment> ParsePath(const QString &path)
{
    enum { InName, InBracket, AfterBracket } state = InName;
    std::vector<Segment> segments(1);
    for (QChar c : path) {
        Segment &current = segments.back();
        if (state == InBracket) {
            if (c == u']')
                state = AfterBracket;
            else
                current.selector += c;
        } else if (c == u'/') {
            segments.emplace_back();
            state = InName;
        } else if (state == AfterBracket) {
            return {};
        } else if (c == u'[') {
            current.hasSelector = true;
            state = InBracket;
        } else {
            current.element += c;
        }
    }
    return state == InBracket ? std::vector<Segment>() : segments;
}

std::vector<const CSettingNode *> ChildrenNamed(const CSettingNode *node, const QString &element)
{
    std::vector<const CSettingNode *> found;
    for (const CSettingNode *child : node->Children()) {
        if (!element.isEmpty() && child->GetLabel(false) == element)
            found.push_back(child);
    }
    return found;
}

const CSettingNode *Select(const std::vector<const CSettingNode *> &candidates,
                           const Segment &segment)
{
    if (candidates.empty())
        return nullptr;
    if (!segment.hasSelector)
        return candidates.front();
    for (const CSettingNode *candidate : candidates) {
        if (ItemName(candidate) == segment.selector)
            return candidate;
    }
    bool number = false;
    const int position = segment.selector.toInt(&number);
    if (number && position >= 1 && position <= static_cast<int>(candidates.size()))
        return candidates[static_cast<size_t>(position - 1)];
    return nullptr;
}

bool IsNamedEntry(const CSettingNode *node)
{
    return IsItemType(node->GetType()) || node->GetType() == NodeType::WWWBookmark ||
           node->GetType() == NodeType::WAPBookmark;
}

QString SegmentOf(const CSettingNode *node)
{
    const QString element = node->GetLabel(false);
    const CSettingNode *parent = node->GetParent();
    if (!parent)
        return element;
    const std::vector<const CSettingNode *> siblings = ChildrenNamed(parent, element);
    if (siblings.size() < 2 && !IsNamedEntry(node))
        return element;
    const QString name = ItemName(node);
    int sameName = 0;
    int position = 0;
    for (size_t i = 0; i < siblings.size(); ++i) {
        sameName += ItemName(siblings[i]) == name ? 1 : 0;
        if (siblings[i] == node)
            position = static_cast<int>(i) + 1;
    }
    bool numeric = false;
    name.toInt(&numeric);
    const bool nameSelects = !name.isEmpty() && sameName == 1 && !numeric && !name.contains(u']') &&
                             !name.contains(u'[');
    if (nameSelects)
        return element + u'[' + name + u']';
    return siblings.size() < 2 ? element : element + u'[' + QString::number(position) + u']';
}

} // namespace

QString ItemName(const CSettingNode *node)
{
    int nameType = -1;
    if (const ItemRole *role = RoleOfItem(node->GetType()))
        nameType = role->nameField;
    else if (node->GetType() == NodeType::WWWBookmark)
        nameType = NodeType::WWWBookmarkName;
    else if (node->GetType() == NodeType::WAPBookmark)
        nameType = NodeType::WAPBookmarkName;
    if (nameType < 0)
        return node->GetValue();
    const CSettingNode *name = node->FindChild(nameType);
    return name ? name->GetValue() : QString();
}

const CSettingNode *FindNodeByPath(const CSettingNode *root, const QString &path)
{
    const std::vector<Segment> segments = ParsePath(path);
    const CSettingNode *node = segments.empty() ? nullptr : root;
    for (const Segment &segment : segments) {
        if (!node)
            break;
        node = Select(ChildrenNamed(node, segment.element), segment);
    }
    return node;
}

QString PathOfNode(const CSettingNode *node)
{
    QStringList segments;
    for (; node && node->GetParent(); node = node->GetParent())
        segments.prepend(SegmentOf(node));
    return segments.join(u'/');
}
