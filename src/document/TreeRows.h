#pragma once

#include <QString>

#include <vector>

class CSettingNode;

// What the settings tree shows of a node: which children get rows, and the
// text of the value column.

// The children that have rows: hidden nodes only when asked, never the
// entries of bookmark lists or of the file lists.
std::vector<const CSettingNode *> RowChildren(const CSettingNode *node, bool withHidden);
std::vector<CSettingNode *> RowChildren(CSettingNode *node, bool withHidden);

// Passwords as eight asterisks (nothing when empty), message sizes with their
// unit, everything else as its display value.
QString ShownValue(const CSettingNode *node);
