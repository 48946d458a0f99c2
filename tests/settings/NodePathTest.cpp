#include "settings/TreeHelpers.h"
#include "support/TestApplication.h"

#include "settings/NodePath.h"

#include <gtest/gtest.h>

using namespace NodeType;

TEST(NodePath, FindsByNamePositionAndFirstMatch)
{
    CTestTree tree;
    CSettingNode *office = AddAccessPoint(tree.Root(), "Office");
    CSettingNode *home = AddAccessPoint(tree.Root(), "2");
    CSettingNode *root = tree.Root();
    EXPECT_EQ(FindNodeByPath(root, "IAPSettings/IAPConnection[Office]"), office);
    EXPECT_EQ(FindNodeByPath(root, "IAPSettings/IAPConnection[1]"), office);
    EXPECT_EQ(FindNodeByPath(root, "IAPSettings/IAPConnection[2]"), home) << "by name first";
    EXPECT_EQ(FindNodeByPath(root, "IAPSettings/IAPConnection"), office);
    EXPECT_EQ(FindNodeByPath(root, "IAPSettings/IAPConnection[Office]/DataCall/ConnectionType"),
              Path(office, {DataCall, ConnectionType}));
    for (const char *missing :
         {"", "IAPSettings/", "IAPSettings/IAPConnection[3]", "IAPSettings/IAPConnection[0]",
          "IAPSettings/IAPConnection[Office", "IAPSettings/IAPConnection[Office]x", "iapsettings"})
        EXPECT_EQ(FindNodeByPath(root, missing), nullptr) << missing;
}

TEST(NodePath, PathsNameItemsAndFindTheirNodeAgain)
{
    CTestTree tree;
    CSettingNode *root = tree.Root();
    AddAccessPoint(root, "Office");
    AddAccessPoint(root, "12");
    CSettingNode *bookmarks = Path(root, {PersonalData, WWWBookmarks});
    for (int i = 0; i < 2; ++i) {
        CSettingNode *bookmark = bookmarks->AddChild(QString(), 0, WWWBookmark);
        bookmark->CreateDefaultContent();
        bookmark->FindChild(WWWBookmarkName)->SetValue("Same");
    }
    const CSettingNode *type = Path(root, {IAPSettings, IAPConnection, DataCall, ConnectionType});
    EXPECT_EQ(PathOfNode(type), "IAPSettings/IAPConnection[Office]/DataCall/ConnectionType");
    const CSettingNode *second = Path(root, {IAPSettings})->Children()[2];
    EXPECT_EQ(PathOfNode(second), "IAPSettings/IAPConnection[2]") << "numeric names go by position";
    const CSettingNode *url = bookmarks->Children()[1]->FindChild(WWWBookmarkURL);
    EXPECT_EQ(PathOfNode(url), "PersonalData/WWWBookmarks/WWWBookmark[2]/URL");
    for (const CSettingNode *node : {type, second, url})
        EXPECT_EQ(FindNodeByPath(root, PathOfNode(node)), node);
}
