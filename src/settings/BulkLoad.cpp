#include "settings/BulkLoad.h"

#include "settings/SettingNode.h"

CBulkLoad::CBulkLoad(CSettingNode *root)
    : m_root(root)
{
    m_state = root->TreeState();
    if (!m_state) {
        m_state = &m_ownState;
        root->AttachTreeState(m_state);
    }
    m_previous = m_state->bulkLoad;
    m_state->bulkLoad = this;
}

CBulkLoad::~CBulkLoad()
{
    Detach();
}

void CBulkLoad::Detach()
{
    if (!m_state)
        return;
    m_state->bulkLoad = m_previous;
    if (m_state == &m_ownState && m_root->TreeState() == m_state)
        m_root->AttachTreeState(nullptr);
    m_state = nullptr;
}

void CBulkLoad::Finish()
{
    Detach();
    m_names.clear();
    if (m_refreshPending) {
        m_refreshPending = false;
        m_root->RefreshReferences();
    }
}

QHash<QString, int> &CBulkLoad::NamesOf(const CSettingNode *category, int nameField)
{
    auto it = m_names.find(category);
    if (it != m_names.end())
        return *it;
    QHash<QString, int> &names = m_names[category];
    for (const CSettingNode *item : category->Children()) {
        if (const CSettingNode *name = item->FindChild(nameField))
            ++names[name->GetValue()];
    }
    return names;
}

bool CBulkLoad::IsDuplicateName(const CSettingNode *category, int nameField, const QString &name)
{
    return NamesOf(category, nameField).value(name, 0) > 0;
}

void CBulkLoad::NameChanged(const CSettingNode *category, int nameField, const QString &oldName,
                            const QString &newName)
{
    QHash<QString, int> &names = NamesOf(category, nameField);
    auto old = names.find(oldName);
    if (old != names.end() && --*old <= 0)
        names.erase(old);
    ++names[newName];
}
