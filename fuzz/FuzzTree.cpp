#include "FuzzTree.h"

#include "language/LanguageTexts.h"
#include "settings/SettingNode.h"

CFuzzTree::CFuzzTree()
{
    LoadLanguageLibrary(m_application);
}

CSettingNode *CFuzzTree::Reset()
{
    m_root = std::make_unique<CSettingNode>(&m_application);
    m_root->SetType(0);
    m_root->CreateDefaultContent();
    return m_root.get();
}
