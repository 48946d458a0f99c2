#pragma once

#include <QString>

class CSettingNode;

// Settings are named on the command line by element names joined by "/".
// A bracket picks one of several same-named siblings by its name
// (IAPSettings/IAPConnection[Office]/PhoneNumber) or by its 1-based position
// (PersonalData/WWWBookmarks/WWWBookmark[2]/URL).

// The node the path names, or null.
const CSettingNode *FindNodeByPath(const CSettingNode *root, const QString &path);

// A path that names node, with a bracket wherever siblings share its name.
QString PathOfNode(const CSettingNode *node);

// The name an item or entry is picked by: its name field, a bookmark's name,
// or else its value.
QString ItemName(const CSettingNode *node);
