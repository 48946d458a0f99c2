#include "settings/ItemNames.h"

#include "settings/NodeTypes.h"
#include "settings/SettingNode.h"

namespace {

const ItemRole *RoleForSource(ChoiceSource source)
{
    switch (source) {
    case ChoiceSource::AccessPointNames:
        return RoleOfCategory(NodeType::IAPSettings);
    case ChoiceSource::MailboxNames:
        return RoleOfCategory(NodeType::EMailSettings);
    case ChoiceSource::CentreNames:
        return RoleOfCategory(NodeType::SMSSettings);
    case ChoiceSource::WAPConnectionNames:
        return RoleOfCategory(NodeType::WAPSettings);
    default:
        return nullptr;
    }
}

} // namespace

QStringList ItemNames(const CSettingNode *root, ChoiceSource source)
{
    QStringList names;
    const ItemRole *role = RoleForSource(source);
    const CSettingNode *category = role ? root->FindCategory(role->category) : nullptr;
    if (!category)
        return names;
    for (const CSettingNode *item : category->Children()) {
        if (item->GetType() != role->item)
            continue;
        const CSettingNode *name = item->FindChild(role->nameField);
        names.append(name ? name->GetValue() : QString());
    }
    return names;
}

bool HasItemNames(const CSettingNode *root, ChoiceSource source)
{
    const ItemRole *role = RoleForSource(source);
    const CSettingNode *category = role ? root->FindCategory(role->category) : nullptr;
    if (!category)
        return false;
    for (const CSettingNode *item : category->Children()) {
        if (item->GetType() == role->item)
            return true;
    }
    return false;
}

const CNameList &CReferenceNames::For(ChoiceSource source)
{
    std::optional<CNameList> &slot = m_lists.at(static_cast<size_t>(source));
    if (!slot) {
        slot.emplace();
        slot->names = ItemNames(m_root, source);
        slot->lookup = QSet<QString>(slot->names.begin(), slot->names.end());
    }
    return *slot;
}
