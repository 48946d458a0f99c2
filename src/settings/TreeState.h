#pragma once

#include <QString>

#include <vector>

class CBulkLoad;
class CChangeLog;
class CSettingNode;

// What a view of the tree hears about changes. Nodes report when they are
// added, when their value, type or include flag changes, the remover
// reports nodes that left the tree while they still exist, and the document
// reports a tree replaced as a whole.
class ITreeObserver
{
public:
    virtual ~ITreeObserver() = default;
    virtual void NodeAdded(const CSettingNode *node) = 0;
    virtual void NodeChanged(const CSettingNode *node) = 0;
    // nodes were children of parent and still exist.
    virtual void NodesRemoved(const CSettingNode *parent,
                              const std::vector<const CSettingNode *> &nodes) = 0;
    // A new tree (new, open) took the place of the whole tree. The old tree
    // still exists during the report and is destroyed right after it; root
    // is null when the document is going.
    virtual void TreeReplaced(const CSettingNode *root) = 0;
};

// The values that belong to one tree as a whole rather than to a node: its
// modified flag, the text of its last failure, the load in progress and who
// follows its changes. The document owns it and hands it to each root it
// makes, so it outlives a tree that is replaced.
struct CTreeState
{
    int modified = 0;
    // The reason of the last failure, which readers of the tree (a save)
    // report too.
    mutable QString lastError;
    CBulkLoad *bulkLoad = nullptr;
    ITreeObserver *observer = nullptr;
    // Records every change while an edit of the document is open.
    CChangeLog *changes = nullptr;
};
