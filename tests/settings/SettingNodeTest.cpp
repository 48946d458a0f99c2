#include "TreeHelpers.h"
#include "support/TestApplication.h"

#include "settings/NodeCatalogue.h"

#include <gtest/gtest.h>

using namespace NodeType;

namespace {

std::vector<int> ChildTypes(const CSettingNode *node)
{
    std::vector<int> types;
    for (const CSettingNode *child : node->Children())
        types.push_back(child->GetType());
    return types;
}

} // namespace

TEST(Naming, TemplateBecomesItemNewTemplateFollowsAndRenamesRepoint)
{
    CTestTree tree;
    CSettingNode *office = AddAccessPoint(tree.Root(), "Office");
    ASSERT_NE(office, nullptr);
    CSettingNode *category = tree.Root()->FindChild(IAPSettings);
    EXPECT_EQ(ChildTypes(category),
              (std::vector<int>{PreferredConnection, IAPConnection, IAPTemplate}));
    EXPECT_EQ(office->GetType(), IAPConnection);
    EXPECT_EQ(category->Children().back()->ChildCount(), 11);
    EXPECT_TRUE(tree.Root()->IsModified());
    // Renaming the only access point repoints the references to it.
    CSettingNode *preferred = category->FindChild(PreferredConnection);
    EXPECT_EQ(preferred->GetValue(), "Office");
    office->FindChild(IAPConnectionName)->SetValue("Work");
    EXPECT_EQ(preferred->GetValue(), "Work");

    CSettingNode *home = AddAccessPoint(tree.Root(), "Home");
    ASSERT_NE(home, nullptr);
    EXPECT_EQ(ChildTypes(category),
              (std::vector<int>{PreferredConnection, IAPConnection, IAPConnection, IAPTemplate}));
    EXPECT_EQ(category->Children()[1], office);
    EXPECT_EQ(category->Children()[2], home);
}

TEST(Naming, RefusesDuplicatesEmptyTemplateLabelAndOwnName)
{
    CTestTree tree;
    tree.Strings().texts[278] = "New access point";
    CSettingNode *office = AddAccessPoint(tree.Root(), "Office");
    ASSERT_NE(office, nullptr);
    CSettingNode *templateName = Path(tree.Root(), {IAPSettings, IAPTemplate, IAPConnectionName});

    for (const char *refused : {"Office", "", "new ACCESS point"}) {
        tree.Root()->SetModified(0);
        EXPECT_EQ(templateName->SetValue(refused), 0) << refused;
        EXPECT_TRUE(tree.Root()->IsModified()) << refused;
    }
    EXPECT_EQ(office->FindChild(IAPConnectionName)->SetValue("Office"), 0);
    EXPECT_EQ(templateName->SetValue("office"), 1) << "names differ by case";
    EXPECT_EQ(tree.Root()->FindChild(IAPSettings)->ChildCount(), 4);
    // Names are unique per category only.
    EXPECT_NE(AddWapConnection(tree.Root(), "Office"), nullptr);
    EXPECT_NE(AddMailbox(tree.Root(), "Office"), nullptr);
}

TEST(SetValue, DependentValuesFollowAndListsRefuseValues)
{
    CTestTree tree;
    CSettingNode *dataCall = Path(tree.Root(), {IAPSettings, IAPTemplate, DataCall});
    CSettingNode *speed = dataCall->FindChild(MaxConnectionSpeed);
    dataCall->FindChild(ConnectionType)->SetValue("HighSpeed");
    dataCall->FindChild(RemoteModemType)->SetValue("ISDNV.120");
    speed->SetValue("43200");
    dataCall->FindChild(RemoteModemType)->SetValue("ISDNV.110");
    EXPECT_EQ(speed->GetValue(), "9600");
    speed->SetValue("28800");
    dataCall->FindChild(RemoteModemType)->SetValue("Analog");
    EXPECT_EQ(speed->GetValue(), "28800") << "still offered for high speed calls";
    dataCall->FindChild(ConnectionType)->SetValue("Normal");
    EXPECT_EQ(speed->GetValue(), "9600");

    // A POP3 mailbox cannot retrieve whole messages.
    CSettingNode *mailbox = Path(tree.Root(), {EMailSettings, MailboxTemplate});
    CSettingNode *retrieve = Path(mailbox, {RetrieveMail, Retrieve});
    CSettingNode *type = Path(mailbox, {Servers, MailboxType});
    type->SetValue("IMAP4");
    retrieve->SetValue("Messages");
    type->SetValue("IMAP4");
    EXPECT_EQ(retrieve->GetValue(), "Messages");
    type->SetValue("POP3");
    EXPECT_EQ(retrieve->GetValue(), "Headers");
    retrieve->SetValue("Attachments");
    type->SetValue("POP3");
    EXPECT_EQ(retrieve->GetValue(), "Attachments");

    // Bookmark lists hold entries, not values.
    CSettingNode *list = Path(tree.Root(), {PersonalData, WWWBookmarks});
    EXPECT_EQ(list->SetValue("x"), 0);
    EXPECT_EQ(list->GetValue(), "");
    EXPECT_EQ(Path(tree.Root(), {PersonalData, DefaultVoiceMailbox})->SetValue("+123"), 1);
}

TEST(IncludeRule, EmptyListsPreferredReferencesAndTemplatesRefuse)
{
    CTestTree tree;
    CSettingNode *root = tree.Root();
    for (CSettingNode *node :
         {Path(root, {PersonalData, WWWBookmarks}), Path(root, {IAPSettings, PreferredConnection}),
          Path(root, {FileTransfer, Files}), Path(root, {IAPSettings, IAPTemplate})}) {
        EXPECT_EQ(node->SetInclude(1, 1), 0) << node->GetType();
        EXPECT_EQ(node->IsIncluded(), 0) << node->GetType();
    }
}

TEST(IncludeRule, ListIncludesEntriesAndTheirFieldsWithUpdateFlag)
{
    CTestTree tree;
    CSettingNode *bookmarks = Path(tree.Root(), {PersonalData, WWWBookmarks});
    for (int i = 0; i < 2; ++i)
        bookmarks->AddChild(QString(), 0, WWWBookmark)->CreateDefaultContent();
    bookmarks->SetUpdateFlag(1);
    tree.Root()->SetModified(0);
    EXPECT_EQ(bookmarks->SetInclude(1, 1), 1);
    EXPECT_TRUE(tree.Root()->IsModified());
    for (const CSettingNode *bookmark : bookmarks->Children()) {
        EXPECT_EQ(bookmark->IsIncluded(), 1);
        EXPECT_EQ(bookmark->GetUpdateFlag(), 1);
        for (const CSettingNode *field : bookmark->Children()) {
            EXPECT_EQ(field->IsIncluded(), 1);
            EXPECT_EQ(field->GetUpdateFlag(), 1);
        }
    }
}

TEST(IncludeRule, OtherNodesLeaveChildrenAndModifiedFlagAsAsked)
{
    CTestTree tree;
    CSettingNode *category = tree.Root()->FindChild(IAPSettings);
    EXPECT_EQ(category->SetInclude(1, 0), 1);
    EXPECT_FALSE(tree.Root()->IsModified());
    EXPECT_EQ(category->FindChild(PreferredConnection)->IsIncluded(), 0);
    category->SetInclude(1, 1);
    EXPECT_FALSE(tree.Root()->IsModified()) << "no change, no modification";
    category->SetInclude(0, 1);
    EXPECT_TRUE(tree.Root()->IsModified());
}

TEST(Removal, ItemsInUseAreRefusedWithTheUsersName)
{
    CTestTree tree;
    tree.Strings().texts[596] = "Used in %s.";
    tree.Strings().texts[388] = "WAP settings";
    tree.Strings().texts[390] = "WAP bookmarks";
    CSettingNode *office = AddAccessPoint(tree.Root(), "Office");
    CSettingNode *wap = AddWapConnection(tree.Root(), "Portal");
    wap->FindChild(WAPUseConnection)->SetValue("Office");
    CSettingNode *bookmark =
        Path(tree.Root(), {PersonalData, WAPBookmarks})->AddChild(QString(), 0, WAPBookmark);
    bookmark->CreateDefaultContent();
    bookmark->FindChild(WAPBookmarkUseConnection)->SetValue("Portal");

    tree.Root()->SetModified(0);
    EXPECT_EQ(office->RemoveFromTree(), 0);
    EXPECT_EQ(tree.Root()->GetLastError(), "Used in WAP settings.");
    EXPECT_EQ(office->GetParent()->ChildCount(), 3);
    EXPECT_FALSE(tree.Root()->IsModified());
    EXPECT_EQ(wap->RemoveFromTree(), 0);
    EXPECT_EQ(tree.Root()->GetLastError(), "Used in WAP bookmarks.");

    wap->FindChild(WAPUseConnection)->SetValue("office");
    EXPECT_EQ(office->RemoveFromTree(), 1) << "names compare exactly";
    delete office;
}

TEST(Removal, LastIncludedItemExcludesCategory)
{
    CTestTree tree;
    CSettingNode *category = tree.Root()->FindChild(IAPSettings);
    CSettingNode *office = AddAccessPoint(tree.Root(), "Office");
    CSettingNode *home = AddAccessPoint(tree.Root(), "Home");
    category->SetInclude(1, 0);
    office->SetInclude(1, 0);
    home->SetInclude(1, 0);
    category->FindChild(PreferredConnection)->SetInclude(0, 0);

    EXPECT_EQ(office->RemoveFromTree(), 1);
    delete office;
    EXPECT_EQ(category->IsIncluded(), 1) << "Home is still included";
    tree.Root()->SetModified(0);
    EXPECT_EQ(home->RemoveFromTree(), 1);
    delete home;
    EXPECT_EQ(category->IsIncluded(), 0);
    EXPECT_TRUE(tree.Root()->IsModified());
}

TEST(Insertion, ItemsGoBeforeTheirTemplateOthersAtTheEnd)
{
    CTestTree tree;
    CSettingNode *category = tree.Root()->FindChild(EMailSettings);
    category->AddChild(QString(), 24, FreeElement);
    category->AddChild(QString(), 0, Mailbox);
    category->AddChild(QString(), 0, Mailbox);
    EXPECT_EQ(ChildTypes(category),
              (std::vector<int>{PreferredMailbox, Mailbox, Mailbox, MailboxTemplate, FreeElement}));
    // An item whose template is missing is appended.
    CSettingNode *sms = tree.Root()->FindChild(SMSSettings);
    CSettingNode *smsTemplate = sms->FindChild(SMSTemplate);
    ASSERT_EQ(sms->RemoveChild(smsTemplate), 1);
    EXPECT_EQ(sms->RemoveChild(smsTemplate), 0);
    delete smsTemplate;
    sms->AddChild(QString(), 0, SMSCentre);
    EXPECT_EQ(ChildTypes(sms), (std::vector<int>{PreferredCentre, SMSCentre}));
}

TEST(Copy, DeepCopyIsATreeOfItsOwnAndIsEqualComparesParents)
{
    CTestTree tree;
    CSettingNode *field = Path(tree.Root(), {IAPSettings, IAPTemplate, IAPUsername});
    tree.Root()->SetModified(0);
    const CSettingNode *original = field;
    CSettingNode leafCopy(*original);
    // Nothing reached from a copy belongs to the original's tree.
    EXPECT_EQ(leafCopy.GetParent(), nullptr);
    EXPECT_EQ(leafCopy.Root(), &leafCopy);
    EXPECT_TRUE(leafCopy.IsEqual(*field));
    leafCopy.SetValue("other");
    EXPECT_FALSE(leafCopy.IsEqual(*field));
    EXPECT_EQ(tree.Root()->IsModified(), 0) << "the copy's change stays in the copy";

    CSettingNode *proxies = Path(tree.Root(), {IAPSettings, IAPTemplate, Proxies});
    CSettingNode copy(*proxies);
    ASSERT_EQ(copy.ChildCount(), proxies->ChildCount());
    for (const CSettingNode *child : copy.Children())
        EXPECT_EQ(child->GetParent(), &copy);
    EXPECT_FALSE(copy.IsEqual(*proxies)) << "children have different parents";
    EXPECT_TRUE(proxies->IsEqual(*proxies));

    CSettingNode assigned;
    assigned = copy;
    EXPECT_EQ(assigned.ChildCount(), 4);
    EXPECT_EQ(assigned.Children().front()->GetParent(), &assigned);
    EXPECT_EQ(assigned.Children()[2]->GetValue(), "0");
}

TEST(Lookup, ByTrimmedInvariantLabelAndVisibleChildren)
{
    CTestTree tree;
    CSettingNode *servers = Path(tree.Root(), {EMailSettings, MailboxTemplate, Servers});
    EXPECT_EQ(servers->FindChildByLabel(QStringLiteral("  InServer\t")),
              servers->FindChild(InServer));
    EXPECT_EQ(servers->FindChildByLabel(QStringLiteral("inserver")), nullptr);
    EXPECT_EQ(servers->FindChildByLabel(QStringLiteral("   ")), nullptr);
    EXPECT_TRUE(servers->HasAncestorOfType(EMailSettings));
    EXPECT_FALSE(servers->HasAncestorOfType(Servers));

    std::vector<CSettingNode *> list;
    tree.Root()->GetVisibleChildren(list, false, false);
    EXPECT_EQ(list.size(), 6u) << "BIOMessages is hidden";
    tree.Root()->GetVisibleChildren(list, true, false);
    EXPECT_EQ(list.size(), 7u);

    CSettingNode *bookmarks = Path(tree.Root(), {PersonalData, WWWBookmarks});
    bookmarks->AddChild(QString(), 0, WWWBookmark);
    bookmarks->GetVisibleChildren(list, true, false);
    EXPECT_EQ(list.size(), 7u) << "left untouched without bookmark entries";
    bookmarks->GetVisibleChildren(list, false, true);
    EXPECT_EQ(list.size(), 1u);
}
