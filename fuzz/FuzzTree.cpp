#include "FuzzTree.h"

#include "platform/LanguageLibrary.h"
#include "settings/SettingNode.h"

CFuzzTree::CFuzzTree()
{
    LoadLanguageLibrary(m_application);
    CApplication::SetCurrent(&m_application);
}

CSettingNode *CFuzzTree::Reset()
{
    CSettingNode::SetCurrentRoot(nullptr);
    m_root = std::make_unique<CSettingNode>();
    m_root->SetType(0);
    CSettingNode::SetCurrentRoot(m_root.get());
    m_root->CreateDefaultContent();
    CSettingNode::SetModified(0);
    CSettingNode::SetLastError(QString());
    return m_root.get();
}
