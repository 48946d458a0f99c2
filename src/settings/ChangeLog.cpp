#include "settings/ChangeLog.h"

#include "settings/SettingNode.h"
#include "settings/TreeState.h"

#include <utility>

CChangeLog::CChangeLog() = default;
CChangeLog::~CChangeLog() = default;
CChangeLog::CChangeLog(CChangeLog &&) noexcept = default;
CChangeLog &CChangeLog::operator=(CChangeLog &&) noexcept = default;

void CChangeLog::ValueChanged(CSettingNode *node, const QString &before)
{
    m_records.push_back({Record::Value, node, nullptr, 0, before, nullptr});
}

void CChangeLog::IncludeChanged(CSettingNode *node, int before)
{
    m_records.push_back({Record::Include, node, nullptr, before, {}, nullptr});
}

void CChangeLog::UpdateChanged(CSettingNode *node, int before)
{
    m_records.push_back({Record::Update, node, nullptr, before, {}, nullptr});
}

void CChangeLog::TypeChanged(CSettingNode *node, int before)
{
    m_records.push_back({Record::Type, node, nullptr, before, {}, nullptr});
}

void CChangeLog::ChildInserted(CSettingNode *parent, CSettingNode *child, int position)
{
    m_records.push_back({Record::Inserted, child, parent, position, {}, nullptr});
}

void CChangeLog::ChildRemoved(CSettingNode *parent, CSettingNode *child, int position)
{
    m_records.push_back({Record::Removed, child, parent, position, {}, nullptr});
}

void CChangeLog::Keep(std::unique_ptr<CSettingNode> removed)
{
    // The removal is among the last records: only the parent's own changes
    // follow it.
    for (auto it = m_records.rbegin(); it != m_records.rend(); ++it) {
        if (it->kind == Record::Removed && it->node == removed.get() && !it->kept) {
            it->kept = std::move(removed);
            return;
        }
    }
}

void CChangeLog::Undo()
{
    for (auto it = m_records.rbegin(); it != m_records.rend(); ++it)
        Apply(*it, true);
}

void CChangeLog::Redo()
{
    for (Record &record : m_records)
        Apply(record, false);
}

void CChangeLog::Apply(Record &record, bool undo)
{
    CSettingNode *node = record.node;
    switch (record.kind) {
    case Record::Value:
        std::swap(node->m_value, record.value);
        break;
    case Record::Include: {
        const int other = std::exchange(record.number, node->m_include);
        node->m_include = static_cast<qint8>(other);
        break;
    }
    case Record::Update: {
        const int other = std::exchange(record.number, node->m_update);
        node->m_update = static_cast<qint8>(other);
        break;
    }
    case Record::Type: {
        const int other = std::exchange(record.number, node->m_type);
        if (node->m_parent) {
            node->m_parent->AdjustTemplateCount(node->m_type, -1);
            node->m_parent->AdjustTemplateCount(other, +1);
        }
        node->m_type = static_cast<qint16>(other);
        break;
    }
    case Record::Inserted:
    case Record::Removed: {
        CSettingNode *parent = record.parent;
        auto at = parent->m_children.begin() + record.number;
        if ((record.kind == Record::Inserted) == undo) {
            parent->m_children.erase(at);
            parent->AdjustTemplateCount(node->m_type, -1);
            record.kept.reset(node);
            const CTreeState *state = parent->TreeState();
            if (state && state->observer)
                state->observer->NodesRemoved(parent, {node});
        } else {
            node->m_parent = parent;
            parent->m_children.insert(at, record.kept.release());
            parent->AdjustTemplateCount(node->m_type, +1);
            node->NotifyAdded();
        }
        return;
    }
    }
    node->NotifyChanged();
}
