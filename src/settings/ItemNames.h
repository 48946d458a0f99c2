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

// The names a node of this choice source offers, read from the current root.
QStringList ItemNames(ChoiceSource source);
// Whether ItemNames would offer anything, without collecting the names.
bool HasItemNames(ChoiceSource source);

// Item names read once per walk of the tree, for rules that look at many
// reference nodes in a row.
class CReferenceNames
{
public:
    const CNameList &For(ChoiceSource source);

private:
    std::array<std::optional<CNameList>, 8> m_lists;
};
