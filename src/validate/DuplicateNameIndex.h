#pragma once

#include <QString>

#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

class CSettingNode;

// Answers IsDuplicateName for every name field of a category in time linear
// in the category: each category is counted once, when first asked about,
// and kept up to date through ValueChanged while values are repaired.
class CDuplicateNameIndex
{
public:
    bool IsDuplicateName(const CSettingNode *node);
    // To be told after a node's value may have changed from oldValue.
    void ValueChanged(const CSettingNode *node, const QString &oldValue);

private:
    // How many name fields of each item type, field type and value the items
    // of one category hold. The names are kept in order of arrival, and a
    // flat table of their positions, probed in order, finds them; a name is
    // never removed (a count of 0 is a name no longer held).
    class CCounts
    {
    public:
        explicit CCounts(std::size_t expected);
        int Count(int itemType, int fieldType, QStringView value) const;
        void Add(int itemType, int fieldType, const QString &value, int delta);

    private:
        struct Name
        {
            QString value;
            std::size_t hash;
            int itemType;
            int fieldType;
            int count;
        };
        static std::size_t HashOf(int itemType, int fieldType, QStringView value);
        // The place in the table that holds the name, or the empty place
        // where it would go.
        std::size_t PlaceOf(std::size_t hash, int itemType, int fieldType, QStringView value) const;
        void Grow();

        std::vector<Name> m_names;
        // Positions in m_names plus one; 0 is an empty place.
        std::vector<std::uint32_t> m_table;
    };

    CCounts &CountsOf(const CSettingNode *category);
    CCounts *FoundCountsOf(const CSettingNode *category);

    std::vector<std::pair<const CSettingNode *, CCounts>> m_categories;
};
