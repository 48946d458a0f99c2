#include "document/TreeObservers.h"

#include <algorithm>

void CTreeObservers::Add(ITreeObserver *observer)
{
    if (observer &&
        std::find(m_observers.begin(), m_observers.end(), observer) == m_observers.end())
        m_observers.push_back(observer);
}

void CTreeObservers::Remove(ITreeObserver *observer)
{
    const auto it = std::find(m_observers.begin(), m_observers.end(), observer);
    if (it == m_observers.end())
        return;
    if (m_reporting)
        *it = nullptr;
    else
        m_observers.erase(it);
}

template<typename Report>
void CTreeObservers::ForEach(const Report &report)
{
    ++m_reporting;
    // By index and up to the count at the start: observers may be added or
    // removed by the observers themselves.
    const std::size_t count = m_observers.size();
    for (std::size_t i = 0; i < count; ++i) {
        if (ITreeObserver *observer = m_observers[i])
            report(observer);
    }
    if (--m_reporting == 0)
        std::erase(m_observers, nullptr);
}

void CTreeObservers::NodeAdded(const CSettingNode *node)
{
    ForEach([node](ITreeObserver *observer) { observer->NodeAdded(node); });
}

void CTreeObservers::NodeChanged(const CSettingNode *node)
{
    ForEach([node](ITreeObserver *observer) { observer->NodeChanged(node); });
}

void CTreeObservers::NodesRemoved(const CSettingNode *parent,
                                  const std::vector<const CSettingNode *> &nodes)
{
    ForEach([parent, &nodes](ITreeObserver *observer) { observer->NodesRemoved(parent, nodes); });
}

void CTreeObservers::TreeReplaced(const CSettingNode *root)
{
    ForEach([root](ITreeObserver *observer) { observer->TreeReplaced(root); });
}
