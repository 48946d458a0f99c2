#include "BenchTree.h"

#include "platform/LanguageLibrary.h"
#include "settings/SettingNode.h"

CBenchTree::CBenchTree()
{
    m_hasLanguageLibrary = LoadLanguageLibrary(m_application);
    CApplication::SetCurrent(&m_application);
}

CBenchTree::~CBenchTree()
{
    CSettingNode::SetCurrentRoot(nullptr);
    CApplication::SetCurrent(nullptr);
}

std::unique_ptr<CSettingNode> CBenchTree::NewRoot()
{
    auto root = std::make_unique<CSettingNode>();
    root->SetType(0);
    CSettingNode::SetCurrentRoot(root.get());
    root->CreateDefaultContent();
    CSettingNode::SetModified(0);
    return root;
}
