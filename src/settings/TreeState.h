#pragma once

#include <QString>

#include <vector>

class CBulkLoad;
class CSettingNode;

// What a view of the tree hears about changes. Nodes report when they are
// added, when their value, type or include flag changes, and the remover
// reports nodes that left the tree while they still exist.
class ITreeObserver
{
public:
    virtual ~ITreeObserver() = default;
    virtual void NodeAdded(CSettingNode *node) = 0;
    virtual void NodeChanged(CSettingNode *node) = 0;
    // nodes were children of parent and still exist.
    virtual void NodesRemoved(CSettingNode *parent, const std::vector<CSettingNode *> &nodes) = 0;
};

// The values that belong to one tree as a whole rather than to a node: its
// modified flag, the text of its last failure, the load in progress and who
// follows its changes. The document owns it and hands it to each root it
// makes, so it outlives a tree that is replaced.
struct CTreeState
{
    int modified = 0;
    QString lastError;
    CBulkLoad *bulkLoad = nullptr;
    ITreeObserver *observer = nullptr;
};
