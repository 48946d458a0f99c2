#include "TreeHelpers.h"
#include "support/TestApplication.h"

#include <gtest/gtest.h>

using namespace NodeType;

namespace {

struct Expected
{
    int type;
    int editorKind;
    const char *value;
};

void ExpectChildren(const CSettingNode *node, std::initializer_list<Expected> expected)
{
    ASSERT_EQ(node->ChildCount(), static_cast<int>(expected.size())) << node->GetType();
    int i = 0;
    for (const Expected &want : expected) {
        const CSettingNode *child = node->Children()[static_cast<size_t>(i++)];
        EXPECT_EQ(child->GetType(), want.type);
        EXPECT_EQ(child->GetEditorKind(), want.editorKind) << want.type;
        EXPECT_EQ(child->GetValue(), QString::fromUtf8(want.value)) << want.type;
        EXPECT_EQ(child->IsIncluded(), 0);
        EXPECT_EQ(child->GetParent(), node);
    }
}

} // namespace

TEST(DefaultContent, RootCategoriesAndAccessPointTemplate)
{
    CTestTree tree;
    ExpectChildren(tree.Root(), {{IAPSettings, 0, ""},
                                 {EMailSettings, 0, ""},
                                 {WAPSettings, 0, ""},
                                 {SMSSettings, 0, ""},
                                 {PersonalData, 0, ""},
                                 {FileTransfer, 0, ""},
                                 {BIOMessages, 24, ""}});
    EXPECT_EQ(tree.Root()->FindChild(BIOMessages)->ChildCount(), 0);
    EXPECT_EQ(tree.Root()->FindChild(TerminalConnectionSettings), nullptr);

    const CSettingNode *category = tree.Root()->FindChild(IAPSettings);
    ExpectChildren(category, {{PreferredConnection, 13, ""}, {IAPTemplate, 0, ""}});
    const CSettingNode *templateNode = category->FindChild(IAPTemplate);
    ExpectChildren(templateNode, {{IAPConnectionName, 9, ""},
                                  {IAPPhoneNumber, 6, ""},
                                  {PromptPassword, 13, "Yes"},
                                  {IAPUsername, 7, ""},
                                  {IAPPassword, 8, ""},
                                  {Proxies, 0, ""},
                                  {DataCall, 0, ""},
                                  {Callback, 0, ""},
                                  {Other, 0, ""},
                                  {ScriptOptions, 0, ""},
                                  {AddressOptions, 0, ""}});
    ExpectChildren(templateNode->FindChild(DataCall), {{ConnectionType, 13, "Normal"},
                                                       {RemoteModemType, 13, "Analog"},
                                                       {MaxConnectionSpeed, 13, "9600"},
                                                       {ModemInitString, 18, ""}});
}

TEST(DefaultContent, MailboxWapSmsPersonalDataAndListEntries)
{
    CTestTree tree;
    CSettingNode *mailbox = Path(tree.Root(), {EMailSettings, MailboxTemplate});
    ASSERT_EQ(mailbox->ChildCount(), 9);
    ExpectChildren(mailbox->FindChild(Servers),
                   {{MailboxType, 13, "POP3"}, {OutServer, 2, ""}, {InServer, 2, ""}});
    ExpectChildren(mailbox->FindChild(RetrieveMail),
                   {{Retrieve, 13, "Headers"}, {MessageMaxSize, 5, "10"}});
    EXPECT_EQ(mailbox->FindChild(Advanced)->ChildCount(), 10);
    EXPECT_EQ(Path(mailbox, {Advanced, DefaultSendingOption})->GetValue(), "Connection");
    ExpectChildren(Path(tree.Root(), {WAPSettings, WAPTemplate}), {{WAPConnectionName, 9, ""},
                                                                   {UseSecureConnection, 13, "No"},
                                                                   {WAPUseConnection, 13, "None"},
                                                                   {ServiceAddress, 1, "0.0.0.0"}});
    ExpectChildren(tree.Root()->FindChild(SMSSettings),
                   {{PreferredCentre, 13, ""}, {SMSTemplate, 0, ""}});
    ExpectChildren(tree.Root()->FindChild(PersonalData),
                   {{DefaultVoiceMailbox, 6, ""}, {WWWBookmarks, 19, ""}, {WAPBookmarks, 20, ""}});
    EXPECT_EQ(Path(tree.Root(), {PersonalData, WWWBookmarks})->ChildCount(), 0);

    // Entries added to lists later.
    CSettingNode *bookmark =
        Path(tree.Root(), {PersonalData, WAPBookmarks})->AddChild(QString(), 0, WAPBookmark);
    bookmark->CreateDefaultContent();
    ExpectChildren(bookmark, {{WAPBookmarkName, 7, ""},
                              {WAPBookmarkURL, 22, ""},
                              {WAPBookmarkUseConnection, 23, ""},
                              {WAPBookmarkUsername, 7, ""},
                              {WAPBookmarkPassword, 8, ""}});
    CSettingNode list(QString(), 19, WWWBookmarks, nullptr);
    list.CreateDefaultContent();
    ExpectChildren(&list, {{WWWBookmark, 0, ""}});
    EXPECT_EQ(list.Children().front()->ChildCount(), 0) << "not applied to the new entry";
}
