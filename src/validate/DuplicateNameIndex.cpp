#include "validate/DuplicateNameIndex.h"

#include "settings/SettingNode.h"
#include "validate/Validators.h"

namespace {

const CSettingNode *CategoryOf(const CSettingNode *node)
{
    const CSettingNode *item = node->GetParent();
    return item ? item->GetParent() : nullptr;
}

} // namespace

CDuplicateNameIndex::Counts &CDuplicateNameIndex::CountsOf(const CSettingNode *category)
{
    const auto found = m_categories.find(category);
    if (found != m_categories.end())
        return *found;
    Counts &counts = m_categories[category];
    counts.reserve(category->ChildCount());
    for (const CSettingNode *item : category->Children()) {
        for (const CSettingNode *field : item->Children()) {
            if (IsUniqueNameField(field->GetType()))
                ++counts[Key{item->GetType(), field->GetType(), field->GetValue()}];
        }
    }
    return counts;
}

bool CDuplicateNameIndex::IsDuplicateName(const CSettingNode *node)
{
    if (!node || !IsUniqueNameField(node->GetType()))
        return false;
    const CSettingNode *category = CategoryOf(node);
    if (!category)
        return false;
    const CSettingNode *item = node->GetParent();
    const int total =
        CountsOf(category).value(Key{item->GetType(), node->GetType(), node->GetValue()});
    // The node itself is among them.
    if (total <= 1)
        return false;
    // The fields of the node's own item, itself among them, are no duplicates.
    int own = 0;
    for (const CSettingNode *field : item->Children()) {
        if (field->GetType() == node->GetType() && field->GetValue() == node->GetValue())
            ++own;
    }
    return total > own;
}

void CDuplicateNameIndex::ValueChanged(const CSettingNode *node, const QString &oldValue)
{
    if (!node || node->GetValue() == oldValue || !IsUniqueNameField(node->GetType()))
        return;
    const CSettingNode *category = CategoryOf(node);
    const auto found = category ? m_categories.find(category) : m_categories.end();
    if (found == m_categories.end())
        return;
    const int itemType = node->GetParent()->GetType();
    const auto old = found->find(Key{itemType, node->GetType(), oldValue});
    if (old != found->end() && --*old == 0)
        found->erase(old);
    ++(*found)[Key{itemType, node->GetType(), node->GetValue()}];
}
