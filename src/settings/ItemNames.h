#pragma once

#include "settings/NodeCatalogue.h"

#include <QSet>
#include <QStringList>

#include <array>
#include <optional>

// The names of the items of one category, in item order, with a set for
// membership tests.
struct CNameList
{
    QStringList names;
    QSet<QString> lookup;

    bool Contains(const QString &name) const { return lookup.contains(name); }
};

class CSettingNode;

// The names a node of this choice source offers, read from the tree of root.
QStringList ItemNames(const CSettingNode *root, ChoiceSource source);
// Whether ItemNames would offer anything, without collecting the names.
bool HasItemNames(const CSettingNode *root, ChoiceSource source);

// Item names read once per walk of the tree, for rules that look at many
// reference nodes in a row.
class CReferenceNames
{
public:
    explicit CReferenceNames(const CSettingNode *root)
        : m_root(root)
    {}

    const CNameList &For(ChoiceSource source);

private:
    const CSettingNode *m_root;
    std::array<std::optional<CNameList>, 8> m_lists;
};
