#include "document/TreeRows.h"

#include "settings/Labels.h"
#include "settings/NodeTypes.h"
#include "settings/SettingNode.h"
#include "settings/StringIds.h"

std::vector<const CSettingNode *> RowChildren(const CSettingNode *node, bool withHidden)
{
    std::vector<const CSettingNode *> children;
    const CSettingNode *parent = node->GetParent();
    if (parent && parent->GetType() == NodeType::FileTransfer)
        return children;
    node->GetVisibleChildren(children, withHidden, false);
    return children;
}

std::vector<CSettingNode *> RowChildren(CSettingNode *node, bool withHidden)
{
    std::vector<CSettingNode *> children;
    const CSettingNode *parent = node->GetParent();
    if (parent && parent->GetType() == NodeType::FileTransfer)
        return children;
    node->GetVisibleChildren(children, withHidden, false);
    return children;
}

QString ShownValue(const CSettingNode *node)
{
    if (node->GetEditorKind() == EditorKind::Password)
        return node->GetValue().isEmpty() ? QString() : QStringLiteral("********");
    if (node->GetType() == NodeType::MessageMaxSize)
        return FormatLabel(node->GetApplication(), StringId::MessageSizeFormat,
                           {node->GetDisplayValue(true)});
    return node->GetDisplayValue(true);
}
