#include "document/IncludeToggle.h"
#include "settings/TreeHelpers.h"
#include "support/TestApplication.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <vector>

using namespace NodeType;

namespace {

// The nodes whose flags the tree reports as changed, which the view repaints.
struct CRecordingObserver final : ITreeObserver
{
    std::set<const CSettingNode *> repainted;
    void NodeAdded(const CSettingNode *) override {}
    void NodeChanged(const CSettingNode *node) override { repainted.insert(node); }
    void NodesRemoved(const CSettingNode *, const std::vector<const CSettingNode *> &) override {}
    void TreeReplaced(const CSettingNode *) override {}
};

std::vector<int> IncludedChildTypes(const CSettingNode *node)
{
    std::vector<int> types;
    for (const CSettingNode *child : node->Children()) {
        if (child->IsIncluded())
            types.push_back(child->GetType());
    }
    return types;
}

// A default tree with an access point and a mailbox, nothing included.
class IncludeTest : public ::testing::Test
{
protected:
    CTestTree tree;
    CSettingNode *office = AddAccessPoint(tree.Root(), "Office");
    CSettingNode *dataCall = office->FindChild(DataCall);
    CSettingNode *mail = AddMailbox(tree.Root(), "Mail");
    CRecordingObserver painter;

    IncludeTest() { tree.State().observer = &painter; }
};

TEST_F(IncludeTest, IncludesAncestorsAndExcludesThemAgainWhenEmptied)
{
    // A terminal connection is the one kind of item without mandatory fields.
    tree.Root()->AddChild({}, EditorKind::None, TerminalConnectionSettings)->CreateDefaultContent();
    CSettingNode *terminal = NameNewItem(tree.Root(), TerminalConnectionSettings, TerminalTemplate,
                                         TerminalConnectionName, "Host");
    ASSERT_NE(terminal, nullptr);
    CSettingNode *category = terminal->GetParent();
    CSettingNode *advanced = terminal->FindChild(TerminalAdvancedSettings);
    CSettingNode *echo = advanced->FindChild(TerminalLocalEcho);
    const std::set changedRows{echo, advanced, terminal, category};
    painter.repainted.clear();
    ToggleInclude(echo);
    EXPECT_EQ(IncludedChildTypes(terminal), std::vector<int>{TerminalAdvancedSettings});
    EXPECT_TRUE(echo->IsIncluded() && category->IsIncluded());
    EXPECT_TRUE(std::includes(painter.repainted.begin(), painter.repainted.end(),
                              changedRows.begin(), changedRows.end()));

    // The partly-checked icons of included ancestors may change too.
    painter.repainted.clear();
    tree.Root()->SetModified(0);
    ToggleInclude(echo);
    EXPECT_FALSE(AnyIncluded(tree.Root()));
    EXPECT_TRUE(std::includes(painter.repainted.begin(), painter.repainted.end(),
                              changedRows.begin(), changedRows.end()));
    EXPECT_TRUE(tree.Root()->IsModified());

    // An included sibling of the emptied group keeps the walk from going higher.
    ToggleInclude(echo);
    ToggleInclude(terminal->FindChild(TerminalPhoneNumber));
    ToggleInclude(echo);
    EXPECT_FALSE(advanced->IsIncluded());
    EXPECT_TRUE(terminal->IsIncluded() && category->IsIncluded());
}

TEST_F(IncludeTest, AFirstIncludeBringsInTheMandatoryFieldsOfItsItem)
{
    ToggleInclude(office->FindChild(IAPUsername));
    EXPECT_TRUE(tree.Root()->FindChild(IAPSettings)->IsIncluded());
    EXPECT_EQ(IncludedChildTypes(office),
              (std::vector<int>{IAPConnectionName, IAPPhoneNumber, IAPUsername}))
        << "groups tried on the way are dropped again";

    // Deep in a mailbox: the mandatory fields of the mailbox and of its
    // servers come in; the mailbox's connection too, since one exists.
    CSettingNode *advanced = mail->FindChild(Advanced);
    ToggleInclude(advanced->FindChild(UseSSL));
    EXPECT_EQ(IncludedChildTypes(mail),
              (std::vector<int>{MailboxName, MailboxUsername, EMailAddress, MailboxUseConnection,
                                Servers, Advanced}));
    EXPECT_EQ(IncludedChildTypes(mail->FindChild(Servers)),
              (std::vector<int>{MailboxType, OutServer, InServer}));
    EXPECT_EQ(IncludedChildTypes(advanced), std::vector<int>{UseSSL});

    // A mandatory field stays; one a file left out comes
    // back when clicked, whichever way the click meant, and brings the others.
    CSettingNode *name = office->FindChild(IAPConnectionName);
    CSettingNode *phone = office->FindChild(IAPPhoneNumber);
    ToggleInclude(name);
    EXPECT_TRUE(name->IsIncluded());
    phone->SetIncludeFlag(0);
    name->SetIncludeFlag(0);
    ToggleInclude(phone);
    EXPECT_TRUE(phone->IsIncluded() && name->IsIncluded());
}

TEST_F(IncludeTest, LinkedFieldsFollowEachOtherAndMixedChildrenMakePartlyIncluded)
{
    ToggleInclude(dataCall->FindChild(RemoteModemType));
    EXPECT_EQ(IncludedChildTypes(dataCall),
              (std::vector<int>{ConnectionType, RemoteModemType, MaxConnectionSpeed}));
    EXPECT_TRUE(painter.repainted.count(dataCall->FindChild(MaxConnectionSpeed)));
    EXPECT_TRUE(IsPartlyIncluded(dataCall));
    ToggleInclude(dataCall->FindChild(ModemInitString));
    EXPECT_FALSE(IsPartlyIncluded(dataCall)) << "all included";
    ToggleInclude(dataCall->FindChild(ModemInitString));
    ToggleInclude(dataCall->FindChild(ConnectionType));
    EXPECT_FALSE(dataCall->IsIncluded());
    EXPECT_TRUE(IncludedChildTypes(dataCall).empty());
    EXPECT_TRUE(office->IsIncluded()) << "its mandatory fields keep the item";

    CSettingNode *advanced = mail->FindChild(Advanced);
    advanced->FindChild(IncludeSignature)->SetValue("Custom");
    ToggleInclude(advanced->FindChild(Signature));
    EXPECT_EQ(IncludedChildTypes(advanced), (std::vector<int>{IncludeSignature, Signature}));
    ToggleInclude(advanced->FindChild(IncludeSignature));
    EXPECT_TRUE(IncludedChildTypes(advanced).empty());
}

TEST_F(IncludeTest, RefusedNodesChangeNothing)
{
    CSettingNode *templateNode = Path(tree.Root(), {IAPSettings, IAPTemplate});
    // IPAddress does not apply while the address is retrieved; a template and
    // its fields cannot be included.
    for (CSettingNode *refused : {Path(office, {AddressOptions, IPAddress}), templateNode,
                                  templateNode->FindChild(IAPPhoneNumber)}) {
        tree.Root()->SetModified(0);
        ToggleInclude(refused);
        EXPECT_FALSE(AnyIncluded(tree.Root()));
        EXPECT_FALSE(tree.Root()->IsModified());
    }
    // Nor an empty bookmark list, and the category it brought in goes again.
    ToggleInclude(Path(tree.Root(), {PersonalData, WWWBookmarks}));
    EXPECT_FALSE(AnyIncluded(tree.Root()));
}

TEST(ToggleInclude, ListsTakeTheirEntriesAlongWhetherOrNotTheyApply)
{
    CTestTree tree;
    CSettingNode *personal = tree.Root()->FindChild(PersonalData);
    CSettingNode *bookmarks = personal->FindChild(WWWBookmarks);
    CSettingNode *bookmark = bookmarks->AddChild({}, EditorKind::None, WWWBookmark);
    bookmark->CreateDefaultContent();
    ASSERT_TRUE(bookmarks->IsDisabled()) << "no access point to connect through";
    ToggleInclude(bookmarks);
    EXPECT_TRUE(personal->IsIncluded() && bookmark->IsIncluded());
    EXPECT_TRUE(bookmark->FindChild(WWWBookmarkURL)->IsIncluded());
    ToggleInclude(bookmarks);
    EXPECT_FALSE(AnyIncluded(tree.Root()));
}

TEST_F(IncludeTest, ChildrenFollowTheirGroupExceptServersExcludedDirectly)
{
    // Including the item takes in every field that applies: the proxy server
    // fields do not while no proxy is used, nor count for partly included.
    ToggleInclude(office);
    EXPECT_EQ(IncludedChildTypes(dataCall).size(), 4u);
    EXPECT_EQ(IncludedChildTypes(office->FindChild(Proxies)), std::vector<int>{HTTPUseProxy});
    EXPECT_FALSE(IsPartlyIncluded(office));
    // Partly below makes partly above, up to the category.
    ToggleInclude(dataCall->FindChild(ModemInitString));
    EXPECT_TRUE(IsPartlyIncluded(office));
    CSettingNode *category = office->GetParent();
    EXPECT_TRUE(IsPartlyIncluded(category));
    // A child whose include flag cannot be set stops the answer at once.
    category->FindChild(PreferredConnection)->SetValue(QString());
    EXPECT_FALSE(IsPartlyIncluded(category));

    // A file may hold included servers in a mailbox that is not included.
    CSettingNode *servers = mail->FindChild(Servers);
    servers->SetIncludeFlag(1);
    for (CSettingNode *server : servers->Children())
        server->SetIncludeFlag(1);
    ToggleInclude(servers);
    EXPECT_TRUE(servers->IsIncluded()) << "no child changed, so the group is set back";
    EXPECT_EQ(IncludedChildTypes(servers).size(), 3u);
    // Excluding the mailbox reaches the servers one level down.
    ToggleInclude(mail);
    ASSERT_TRUE(mail->IsIncluded());
    ToggleInclude(mail);
    EXPECT_FALSE(mail->IsIncluded() || servers->IsIncluded());
    EXPECT_TRUE(IncludedChildTypes(servers).empty());
}

TEST_F(IncludeTest, AnyIncludedCountsRowsOnly)
{
    tree.Root()->FindChild(BIOMessages)->SetIncludeFlag(1);
    Path(tree.Root(), {PersonalData, WWWBookmarks})
        ->AddChild({}, EditorKind::None, WWWBookmark)
        ->SetIncludeFlag(1);
    EXPECT_FALSE(AnyIncluded(tree.Root())) << "hidden nodes and bookmarks have no row";
    office->SetIncludeFlag(1);
    EXPECT_TRUE(AnyIncluded(tree.Root()));
    EXPECT_FALSE(AnyIncluded(office)) << "the node itself is not below itself";
}

TEST_F(IncludeTest, HelpContextIsTheCategoryAboveTheNodeOrThePreview)
{
    CSettingNode *root = tree.Root();
    CSettingNode *deep = Path(root, {IAPSettings, IAPTemplate, DataCall, MaxConnectionSpeed});
    EXPECT_EQ(HelpContext(deep, false), 279);
    EXPECT_EQ(HelpContext(Path(root, {PersonalData, DefaultVoiceMailbox}), false), 460);
    EXPECT_EQ(HelpContext(Path(root, {FileTransfer, RingingTones}), false), 550);
    EXPECT_EQ(HelpContext(root->FindChild(BIOMessages), false), 0);
    EXPECT_EQ(HelpContext(root, false), 0);
    EXPECT_EQ(HelpContext(deep, true), 506);
}

} // namespace
