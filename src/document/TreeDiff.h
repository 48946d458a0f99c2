#pragma once

#include <QString>

#include <vector>

class CSettingNode;

// One difference between two settings trees, as the tree shows them.
struct CTreeDifference
{
    enum Kind {
        Value,   // oldText -> newText
        Include, // the include flag turned to newIncluded
        Added,   // an item or list entry only the second tree has
        Removed, // an item or list entry only the first tree has
    };
    Kind kind = Value;
    // Named as provana set names it: in the first tree for Removed, in the
    // second for everything else.
    QString path;
    // Stored values; a password that is set as eight asterisks.
    QString oldText;
    QString newText;
    bool newIncluded = false;
};

// Every difference between before and after. Items and bookmarks are
// matched by their names and file entries by what they hold, so an order
// of their own is no difference; templates are left out, hidden settings
// are compared only when asked.
std::vector<CTreeDifference> DiffTrees(const CSettingNode *before, const CSettingNode *after,
                                       bool withHidden);
