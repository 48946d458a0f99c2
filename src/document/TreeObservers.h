#pragma once

#include "settings/TreeState.h"

#include <vector>

// Passes every report of a tree to several observers, in the order they were
// added, so that the tree view and the panels beside it hear the same
// changes. An observer removed during a report hears nothing more, not even
// the rest of that report; one added during a report hears the next one.
class CTreeObservers final : public ITreeObserver
{
public:
    // Adding an observer twice keeps its first place.
    void Add(ITreeObserver *observer);
    void Remove(ITreeObserver *observer);
    bool IsEmpty() const { return m_observers.empty(); }

    void NodeAdded(const CSettingNode *node) override;
    void NodeChanged(const CSettingNode *node) override;
    void NodesRemoved(const CSettingNode *parent,
                      const std::vector<const CSettingNode *> &nodes) override;
    void TreeReplaced(const CSettingNode *root) override;

private:
    template<typename Report>
    void ForEach(const Report &report);

    std::vector<ITreeObserver *> m_observers;
    // Reports under way; removals leave a gap until the outermost ends.
    int m_reporting = 0;
};
