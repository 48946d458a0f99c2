#include "CheckHelpers.h"
#include "support/TestApplication.h"
#include "validate/DuplicateNameIndex.h"
#include "validate/Validators.h"

#include <gtest/gtest.h>

#include <functional>

using namespace NodeType;

namespace {

void ForEachNode(CSettingNode *node, const std::function<void(CSettingNode *)> &visit)
{
    visit(node);
    for (CSettingNode *child : node->Children())
        ForEachNode(child, visit);
}

} // namespace

TEST(DuplicateName, IndexAnswersAsThePlainRuleAcrossChanges)
{
    CTestTree tree;
    CSettingNode *office = AddAccessPoint(tree.Root(), "Office");
    CSettingNode *copy = CopyItem(office);
    CSettingNode *home = AddAccessPoint(tree.Root(), "Home");
    // A free element with a field of the same type is no item of that type.
    office->GetParent()->AddChild({}, 24, FreeElement)->AddChild("Home", 9, IAPConnectionName);
    CopyItem(AddMailbox(tree.Root(), "Mail"));
    std::vector<CSettingNode *> bookmarks;
    for (const char *name : {"a", "b", "a", "", "", "c"})
        bookmarks.push_back(AddBookmark(tree.Root(), WWWBookmarks, name, "http://x"));
    AddBookmark(tree.Root(), WAPBookmarks, "b", "http://x");
    // Two name fields in one item: the item's own fields never count.
    bookmarks[5]->AddChild("c", 7, WWWBookmarkName);

    EXPECT_TRUE(IsDuplicateName(office->FindChild(IAPConnectionName)));
    EXPECT_TRUE(IsDuplicateName(copy->FindChild(IAPConnectionName)));
    EXPECT_FALSE(IsDuplicateName(home->FindChild(IAPConnectionName)));
    EXPECT_FALSE(IsDuplicateName(office->FindChild(PromptPassword)));

    CDuplicateNameIndex index;
    int duplicates = 0;
    const auto expectAgreement = [&] {
        duplicates = 0;
        ForEachNode(tree.Root(), [&](CSettingNode *node) {
            EXPECT_EQ(index.IsDuplicateName(node), IsDuplicateName(node))
                << node->GetType() << " " << node->GetValue().toStdString();
            duplicates += IsDuplicateName(node) ? 1 : 0;
        });
    };
    expectAgreement();
    EXPECT_EQ(duplicates, 8); // Office, Mail and two bookmark names twice each

    // Renamed through the index, it stays in step with the tree.
    for (auto [bookmark, name] : {std::pair{0, "b"}, std::pair{3, "c"}, std::pair{1, "d"}}) {
        CSettingNode *field = bookmarks[static_cast<size_t>(bookmark)]->FindChild(WWWBookmarkName);
        const QString oldValue = field->GetValue();
        field->SetValue(name);
        index.ValueChanged(field, oldValue);
        expectAgreement();
    }
    EXPECT_EQ(duplicates, 7);
}
