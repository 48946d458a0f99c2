#pragma once

#include <span>

class CSettingNode;

// The include rules of the settings tree as the tree shows them: toggling a
// row's check icon with its propagation, the partly-included state of a
// row, and deleting list items. A row is a node that RowChildren lists; the
// root has no row.

// Help contexts by the category a row belongs to.
namespace HelpContextId {
enum : int {
    None = 0,
    AccessPoints = 279,
    EMail = 140,
    WAP = 388,
    SMS = 323,
    PersonalData = 460,
    FileTransfer = 550,
    PrintPreview = 506,
    LoginScript = 131518,
    // The problems panel and the variants dialog; their titles share the
    // numbers.
    Problems = 41400,
    MakeVariants = 41421,
};
} // namespace HelpContextId

// Toggles the node's include flag with all propagation; every change is
// marked modified. The document's ToggleInclude is the way in from outside.
void ToggleInclude(CSettingNode *node);

// Whether a row with children shows the partly-checked icon.
bool IsPartlyIncluded(const CSettingNode *node);

// Whether any row below root is included.
bool AnyIncluded(const CSettingNode *root);

// Items of the named-item categories are the only rows that can be deleted.
bool IsDeletableType(int type);

// The help context of the category above node, or PrintPreview while the
// print preview overrides it.
int HelpContext(const CSettingNode *node, bool helpOverride);

struct CategoryHelp
{
    int category;
    int context;
};
// The categories' help topics, in the order of the help contents.
std::span<const CategoryHelp> CategoryHelpTopics();
// The contexts that only dialogs open (the print preview, the login script).
std::span<const int> DialogHelpTopics();
// Whether context has a topic of its own: a category's or a dialog's; any
// other context opens the contents.
bool HasHelpTopic(int context);
