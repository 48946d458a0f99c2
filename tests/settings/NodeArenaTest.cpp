#include "settings/NodeArena.h"
#include "settings/NodeTypes.h"
#include "settings/SettingNode.h"

#include <gtest/gtest.h>

#include <memory>
#include <thread>

namespace {

std::unique_ptr<CSettingNode> DefaultTree()
{
    auto root = std::make_unique<CSettingNode>();
    root->SetType(NodeType::Root);
    root->CreateDefaultContent();
    return root;
}

TEST(NodeArena, NodesMadeInAScopeComeFromItsArenaAndOthersFromTheHeap)
{
    CNodeArena::Ref arena = CNodeArena::Make();
    std::unique_ptr<CSettingNode> inside;
    {
        const CNodeArenaScope scope(arena.get());
        EXPECT_EQ(CNodeArenaScope::Current(), arena.get());
        inside = DefaultTree();
    }
    EXPECT_EQ(CNodeArenaScope::Current(), nullptr);
    const std::size_t used = arena->UsedBytes();
    EXPECT_GE(used, 50 * sizeof(CSettingNode));
    EXPECT_GE(arena->ReservedBytes(), used);

    const std::unique_ptr<CSettingNode> outside = DefaultTree();
    EXPECT_EQ(arena->UsedBytes(), used);
    EXPECT_EQ(outside->ChildCount(), inside->ChildCount());
}

TEST(NodeArena, TheInnermostScopeServesAndTheOuterOneResumes)
{
    CNodeArena::Ref outer = CNodeArena::Make();
    CNodeArena::Ref inner = CNodeArena::Make();
    const CNodeArenaScope outerScope(outer.get());
    const auto first = std::make_unique<CSettingNode>();
    const std::size_t outerUsed = outer->UsedBytes();
    {
        const CNodeArenaScope innerScope(inner.get());
        const auto second = std::make_unique<CSettingNode>();
        EXPECT_EQ(outer->UsedBytes(), outerUsed);
        EXPECT_GT(inner->UsedBytes(), 0u);
    }
    const auto third = std::make_unique<CSettingNode>();
    EXPECT_GT(outer->UsedBytes(), outerUsed);
}

TEST(NodeArena, ATreeOutlivesTheLastHandleOfItsArena)
{
    std::unique_ptr<CSettingNode> root;
    {
        CNodeArena::Ref arena = CNodeArena::Make();
        const CNodeArenaScope scope(arena.get());
        root = DefaultTree();
        // Enough nodes for several blocks.
        for (int i = 0; i < 3000; ++i)
            root->FindChild(NodeType::IAPSettings)
                ->AddChild(QStringLiteral("value %1").arg(i), 0, NodeType::FreeElement);
    }
    // Released blocks would fault here, or be reported by the sanitizer.
    const CSettingNode *category = root->FindChild(NodeType::IAPSettings);
    ASSERT_NE(category, nullptr);
    EXPECT_EQ(category->Children().back()->GetValue(), QStringLiteral("value 2999"));
    std::unique_ptr<CSettingNode> copy = std::make_unique<CSettingNode>(*root);
    root.reset();
    EXPECT_EQ(copy->FindChild(NodeType::IAPSettings)->Children().back()->GetValue(),
              QStringLiteral("value 2999"));
}

TEST(NodeArena, NodesMayGoOnAnotherThreadThanTheOneThatMadeThem)
{
    CNodeArena::Ref arena = CNodeArena::Make();
    std::unique_ptr<CSettingNode> root;
    {
        const CNodeArenaScope scope(arena.get());
        root = DefaultTree();
    }
    arena = {};
    std::thread([tree = std::move(root)]() mutable {
        EXPECT_EQ(CNodeArenaScope::Current(), nullptr);
        tree.reset();
    }).join();
}

} // namespace
