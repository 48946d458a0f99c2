#pragma once

#include "settings/NodeTypes.h"
#include "settings/SettingNode.h"
#include "settings/TreeHelpers.h"

#include <QString>
#include <QStringList>

// A second item with the same content, names included, as only a loaded
// file can produce; the category owns it.
inline CSettingNode *CopyItem(CSettingNode *item)
{
    auto *copy = new CSettingNode(*item);
    item->GetParent()->InsertChild(copy);
    return copy;
}

inline CSettingNode *AddBookmark(CSettingNode *root, int listType, const QString &name,
                                 const QString &url)
{
    const bool www = listType == NodeType::WWWBookmarks;
    CSettingNode *list = Path(root, {NodeType::PersonalData, listType});
    CSettingNode *bookmark =
        list->AddChild(QString(), 0, www ? NodeType::WWWBookmark : NodeType::WAPBookmark);
    bookmark->CreateDefaultContent();
    bookmark->FindChild(www ? NodeType::WWWBookmarkName : NodeType::WAPBookmarkName)
        ->SetValue(name);
    bookmark->FindChild(www ? NodeType::WWWBookmarkURL : NodeType::WAPBookmarkURL)->SetValue(url);
    return bookmark;
}

// Includes the node and every ancestor below the root, directly.
inline void IncludeWithAncestors(CSettingNode *node)
{
    for (; node && node->GetParent(); node = node->GetParent())
        node->SetInclude(1, 0);
}

// Type, value and flags of every node in walk order.
inline void DumpTree(const CSettingNode *node, QStringList &lines)
{
    lines.append(QStringLiteral("%1 %2 %3 %4")
                     .arg(node->GetType())
                     .arg(node->GetValue())
                     .arg(node->IsIncluded())
                     .arg(node->GetUpdateFlag()));
    for (const CSettingNode *child : node->Children())
        DumpTree(child, lines);
}
