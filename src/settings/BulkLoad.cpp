#include "settings/BulkLoad.h"

#include "settings/SettingNode.h"

namespace {
CBulkLoad *g_activeLoad = nullptr;
}

CBulkLoad::CBulkLoad()
    : m_previous(g_activeLoad)
{
    g_activeLoad = this;
}

CBulkLoad::~CBulkLoad()
{
    g_activeLoad = m_previous;
}

CBulkLoad *CBulkLoad::Active()
{
    return g_activeLoad;
}

void CBulkLoad::Finish()
{
    g_activeLoad = m_previous;
    m_names.clear();
    if (m_refreshPending) {
        m_refreshPending = false;
        if (CSettingNode *root = CSettingNode::GetCurrentRoot())
            root->RefreshReferences();
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
