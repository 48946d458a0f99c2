#pragma once

#include <functional>
#include <vector>

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
};
} // namespace HelpContextId

// Where the rules ask for rows to be drawn again.
class IRowPainter
{
public:
    virtual ~IRowPainter() = default;
    virtual void RepaintRow(CSettingNode *node) = 0;
    virtual void RepaintCheckIcon(CSettingNode *node) = 0;
};

// Toggles the node's include flag with all propagation; every change is
// marked modified. painter may be null.
void ToggleInclude(CSettingNode *node, IRowPainter *painter);

// Whether a row with children shows the partly-checked icon.
bool IsPartlyIncluded(CSettingNode *node);

// Whether any row below root is included.
bool AnyIncluded(const CSettingNode *root);

// Items of the named-item categories are the only rows that can be deleted.
bool IsDeletableType(int type);

// The help context of the category above node, or PrintPreview while the
// print preview overrides it.
int HelpContext(const CSettingNode *node, bool helpOverride);

// Deletes the deletable nodes from the last to the first, skipping the
// others. Stops at the first node the tree refuses to remove (the reason is
// the last error text) and answers false; nodes deleted before stay deleted.
// beforeDestroy sees each node after it left the tree and before it is
// destroyed.
bool DeleteNodes(const std::vector<CSettingNode *> &nodes,
                 const std::function<void(CSettingNode *)> &beforeDestroy);
