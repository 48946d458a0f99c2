#pragma once

#include <QString>

#include <memory>
#include <vector>

class CApplication;
class CSettingNode;

// Items on the clipboard: a configuration text of their own (the default
// content holding only these items, passwords scrambled as in a file), and a
// listing of their rows as the tree shows them, for other programs.
QString ItemsConfigurationText(const std::vector<const CSettingNode *> &items);
QString ItemsListing(const std::vector<const CSettingNode *> &items);

// The items a configuration text holds, in category order, each a tree of
// its own; none when the text is no configuration or holds no item.
std::vector<std::unique_ptr<CSettingNode>> ItemsFromText(CApplication *application,
                                                         const QString &text);
