#include "validate/DuplicateNameIndex.h"

#include "settings/SettingNode.h"
#include "validate/Validators.h"

#include <QHashFunctions>

#include <bit>

namespace {

const CSettingNode *CategoryOf(const CSettingNode *node)
{
    const CSettingNode *item = node->GetParent();
    return item ? item->GetParent() : nullptr;
}

} // namespace

CDuplicateNameIndex::CCounts::CCounts(std::size_t expected)
    : m_table(std::bit_ceil(expected + 16))
{
    m_names.reserve(expected);
}

std::size_t CDuplicateNameIndex::CCounts::HashOf(int itemType, int fieldType, QStringView value)
{
    return qHashMulti(0, itemType, fieldType, value);
}

std::size_t CDuplicateNameIndex::CCounts::PlaceOf(std::size_t hash, int itemType, int fieldType,
                                                  QStringView value) const
{
    const std::size_t mask = m_table.size() - 1;
    for (std::size_t at = hash & mask;; at = (at + 1) & mask) {
        if (m_table[at] == 0)
            return at;
        const Name &name = m_names[m_table[at] - 1];
        if (name.hash == hash && name.itemType == itemType && name.fieldType == fieldType &&
            name.value == value)
            return at;
    }
}

int CDuplicateNameIndex::CCounts::Count(int itemType, int fieldType, QStringView value) const
{
    const std::size_t at = PlaceOf(HashOf(itemType, fieldType, value), itemType, fieldType, value);
    return m_table[at] ? m_names[m_table[at] - 1].count : 0;
}

void CDuplicateNameIndex::CCounts::Add(int itemType, int fieldType, const QString &value, int delta)
{
    const std::size_t hash = HashOf(itemType, fieldType, value);
    const std::size_t at = PlaceOf(hash, itemType, fieldType, value);
    if (m_table[at]) {
        m_names[m_table[at] - 1].count += delta;
        return;
    }
    m_names.push_back({value, hash, itemType, fieldType, delta});
    m_table[at] = static_cast<std::uint32_t>(m_names.size());
    // At most half full, so that a probe ends soon.
    if (2 * m_names.size() > m_table.size())
        Grow();
}

void CDuplicateNameIndex::CCounts::Grow()
{
    m_table.assign(2 * m_table.size(), 0);
    const std::size_t mask = m_table.size() - 1;
    for (std::size_t i = 0; i < m_names.size(); ++i) {
        std::size_t at = m_names[i].hash & mask;
        while (m_table[at])
            at = (at + 1) & mask;
        m_table[at] = static_cast<std::uint32_t>(i + 1);
    }
}

CDuplicateNameIndex::CCounts *CDuplicateNameIndex::FoundCountsOf(const CSettingNode *category)
{
    for (auto &[known, counts] : m_categories) {
        if (known == category)
            return &counts;
    }
    return nullptr;
}

CDuplicateNameIndex::CCounts &CDuplicateNameIndex::CountsOf(const CSettingNode *category)
{
    if (CCounts *found = FoundCountsOf(category))
        return *found;
    CCounts &counts =
        m_categories
            .emplace_back(category, CCounts(static_cast<std::size_t>(category->ChildCount())))
            .second;
    for (const CSettingNode *item : category->Children()) {
        for (const CSettingNode *field : item->Children()) {
            if (IsUniqueNameField(field->GetType()))
                counts.Add(item->GetType(), field->GetType(), field->GetValue(), +1);
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
    const int total = CountsOf(category).Count(item->GetType(), node->GetType(), node->GetValue());
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
    CCounts *counts = category ? FoundCountsOf(category) : nullptr;
    if (!counts)
        return;
    const int itemType = node->GetParent()->GetType();
    if (counts->Count(itemType, node->GetType(), oldValue) > 0)
        counts->Add(itemType, node->GetType(), oldValue, -1);
    counts->Add(itemType, node->GetType(), node->GetValue(), +1);
}
