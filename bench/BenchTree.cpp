#include "BenchTree.h"

#include "language/LanguageTexts.h"
#include "settings/SettingNode.h"

namespace {
CApplication *g_runApplication = nullptr;
}

CBenchTree::CBenchTree()
{
    m_hasLanguageLibrary = LoadLanguageLibrary(m_application);
    g_runApplication = &m_application;
}

CBenchTree::~CBenchTree()
{
    g_runApplication = nullptr;
}

CApplication *CBenchTree::Application()
{
    return g_runApplication;
}

std::unique_ptr<CSettingNode> CBenchTree::NewRoot()
{
    auto root = std::make_unique<CSettingNode>(g_runApplication);
    root->SetType(0);
    root->CreateDefaultContent();
    return root;
}
