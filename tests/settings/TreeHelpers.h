#pragma once

#include "settings/NodeTypes.h"
#include "settings/SettingNode.h"

#include <initializer_list>

// Tests set a document's tree up directly; the program itself changes it
// only through the document.
inline CSettingNode *Writable(const CSettingNode *node)
{
    return const_cast<CSettingNode *>(node);
}

// Follows a chain of child types from a node; null when a link is missing.
inline CSettingNode *Path(const CSettingNode *node, std::initializer_list<int> types)
{
    return node ? Writable(node->FindDescendant(types)) : nullptr;
}

// Names the template of a category, which makes it an item; returns the item.
inline CSettingNode *NameNewItem(const CSettingNode *root, int category, int templateType,
                                 int nameType, const QString &name)
{
    CSettingNode *templateNode = Path(root, {category, templateType});
    if (!templateNode || !templateNode->FindChild(nameType)->SetValue(name))
        return nullptr;
    return templateNode;
}

inline CSettingNode *AddAccessPoint(const CSettingNode *root, const QString &name)
{
    return NameNewItem(root, NodeType::IAPSettings, NodeType::IAPTemplate,
                       NodeType::IAPConnectionName, name);
}

inline CSettingNode *AddWapConnection(const CSettingNode *root, const QString &name)
{
    return NameNewItem(root, NodeType::WAPSettings, NodeType::WAPTemplate,
                       NodeType::WAPConnectionName, name);
}

inline CSettingNode *AddMailbox(const CSettingNode *root, const QString &name)
{
    return NameNewItem(root, NodeType::EMailSettings, NodeType::MailboxTemplate,
                       NodeType::MailboxName, name);
}
