#pragma once

#include <QString>

#include <functional>
#include <vector>

class CSettingNode;

// Told of every node whose value, include flag or update flag a repair
// changed, with the value the node held before.
using RepairObserver = std::function<void(const CSettingNode *node, const QString &oldValue)>;

// The whole-tree value check. Templates pass unchecked. With repair false
// (before sending) nothing changes: the walk stops at the first failing node,
// which *failing receives. With repair true (after loading) every failing
// node that is not disabled gets its first choice or an empty value and is
// excluded unless it is mandatory in an included parent, and the walk goes
// on. With onlyIncluded the children of nodes that are neither included nor
// marked for update are skipped. Returns 1 when the subtree passed, 0 when a
// node failed (or was repaired). failing may be null; otherwise it is set to
// null first.
int CheckTree(CSettingNode *node, CSettingNode **failing, bool onlyIncluded, bool repair,
              const RepairObserver &observer = {});
// The check without repairs, for readers of the tree.
int CheckTree(const CSettingNode *node, const CSettingNode **failing, bool onlyIncluded);
// Every node of the subtree that fails the check, in the order of the walk
// (the first is the one the check without repairs stops at), changing
// nothing. With onlyIncluded it walks as the check before sending does.
std::vector<const CSettingNode *> FailingNodes(const CSettingNode *node, bool onlyIncluded);
// Whether the check's walk from the root reaches node: never inside a
// template; with onlyIncluded only below nodes that are included or marked
// for update, as before sending.
bool IsReachedByCheck(const CSettingNode *node, bool onlyIncluded);
// The nodes among nodes that fail the check by themselves (what lies below
// them is not walked), in their given order; a node that no walk reaches
// passes. For readers that follow a tree's changes node by node.
std::vector<const CSettingNode *> FailingAmong(const std::vector<const CSettingNode *> &nodes);
