#pragma once

#include <QHash>
#include <QString>

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
    struct Key
    {
        int itemType;
        int fieldType;
        QString value;

        friend bool operator==(const Key &, const Key &) = default;
        friend size_t qHash(const Key &key, size_t seed = 0)
        {
            return qHashMulti(seed, key.itemType, key.fieldType, key.value);
        }
    };
    // How many fields of each type and value the items of each type hold.
    using Counts = QHash<Key, int>;

    Counts &CountsOf(const CSettingNode *category);

    QHash<const CSettingNode *, Counts> m_categories;
};
