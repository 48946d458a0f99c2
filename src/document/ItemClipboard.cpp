#include "document/ItemClipboard.h"

#include "config/ConfigReader.h"
#include "config/ConfigWriter.h"
#include "document/TreeRows.h"
#include "settings/NodeCatalogue.h"
#include "settings/NodeTypes.h"
#include "settings/SettingNode.h"

namespace {

std::unique_ptr<CSettingNode> DefaultRoot(CApplication *application)
{
    auto root = std::make_unique<CSettingNode>(application);
    root->SetType(NodeType::Root);
    root->CreateDefaultContent();
    return root;
}

void AppendRows(const CSettingNode *node, int depth, QString &text)
{
    text += QString(depth * 2, u' ') + node->GetLabel(true);
    const QString value = ShownValue(node);
    if (!value.isEmpty())
        text += QStringLiteral(": ") + value;
    text += u'\n';
    for (const CSettingNode *child : RowChildren(node, false))
        AppendRows(child, depth + 1, text);
}

} // namespace

QString ItemsConfigurationText(const std::vector<const CSettingNode *> &items)
{
    if (items.empty())
        return {};
    const std::unique_ptr<CSettingNode> root = DefaultRoot(items.front()->GetApplication());
    for (const CSettingNode *item : items) {
        const ItemRole *role = RoleOfItem(item->GetType());
        CSettingNode *category = role ? root->FindChild(role->category) : nullptr;
        if (!category)
            continue;
        auto *copy = new CSettingNode(*item);
        category->InsertChild(copy);
    }
    QString text;
    WriteConfiguration(root.get(), text);
    return text;
}

QString ItemsListing(const std::vector<const CSettingNode *> &items)
{
    QString text;
    for (const CSettingNode *item : items)
        AppendRows(item, 0, text);
    return text;
}

std::vector<std::unique_ptr<CSettingNode>> ItemsFromText(CApplication *application,
                                                         const QString &text)
{
    std::vector<std::unique_ptr<CSettingNode>> items;
    const std::unique_ptr<CSettingNode> root = DefaultRoot(application);
    bool complete = false;
    if (!ParseConfigurationText(root.get(), text + u'\n', &complete) || !complete)
        return items;
    for (const ItemRole &role : ItemRoles()) {
        CSettingNode *category = root->FindChild(role.category);
        if (!category)
            continue;
        const std::vector<CSettingNode *> children = category->Children();
        for (CSettingNode *child : children) {
            if (child->GetType() != role.item)
                continue;
            category->RemoveChild(child);
            child->SetParent(nullptr);
            items.emplace_back(child);
        }
    }
    return items;
}
