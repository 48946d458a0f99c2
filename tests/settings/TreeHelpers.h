#pragma once

#include "settings/NodeTypes.h"
#include "settings/SettingNode.h"

#include <initializer_list>

// Follows a chain of child types from a node; null when a link is missing.
inline CSettingNode *Path(const CSettingNode *node, std::initializer_list<int> types)
{
    return node ? node->FindDescendant(types) : nullptr;
}

// Names the template of a category, which makes it an item; returns the item.
inline CSettingNode *NameNewItem(CSettingNode *root, int category, int templateType, int nameType,
                                 const QString &name)
{
    CSettingNode *templateNode = Path(root, {category, templateType});
    if (!templateNode || !templateNode->FindChild(nameType)->SetValue(name))
        return nullptr;
    return templateNode;
}

inline CSettingNode *AddAccessPoint(CSettingNode *root, const QString &name)
{
    return NameNewItem(root, NodeType::IAPSettings, NodeType::IAPTemplate,
                       NodeType::IAPConnectionName, name);
}

inline CSettingNode *AddWapConnection(CSettingNode *root, const QString &name)
{
    return NameNewItem(root, NodeType::WAPSettings, NodeType::WAPTemplate,
                       NodeType::WAPConnectionName, name);
}

inline CSettingNode *AddMailbox(CSettingNode *root, const QString &name)
{
    return NameNewItem(root, NodeType::EMailSettings, NodeType::MailboxTemplate,
                       NodeType::MailboxName, name);
}
