#include "TreeHelpers.h"
#include "settings/StringIds.h"
#include "support/TestApplication.h"

#include <gtest/gtest.h>

using namespace NodeType;

TEST(Labels, InvariantAndLocalizedLabelsOfNodes)
{
    CTestTree tree;
    tree.Strings().texts[395] = "Connection name";
    tree.Strings().texts[278] = "New access point";
    CSettingNode *wapName = Path(tree.Root(), {WAPSettings, WAPTemplate, WAPConnectionName});
    EXPECT_EQ(wapName->GetLabel(false), "ConnectionName");
    EXPECT_EQ(wapName->GetLabel(true), "Connection name");
    CSettingNode *office = AddAccessPoint(tree.Root(), "Office");
    EXPECT_EQ(office->GetLabel(true), "Office");
    EXPECT_EQ(office->GetLabel(false), "IAPConnection");
    EXPECT_EQ(Path(tree.Root(), {IAPSettings, IAPTemplate})->GetLabel(false), "");
    EXPECT_EQ(tree.Root()->GetLabel(true), "ROOT");
    CSettingNode *free = tree.Root()->AddChild("x", 24, FreeElement);
    free->SetLabelOverride("Custom");
    EXPECT_EQ(free->GetLabel(false), "Custom");
    EXPECT_EQ(free->GetLabel(true), "Custom");
    EXPECT_TRUE(tree.Messages().shown.isEmpty());
}

TEST(DisplayValue, ReferencesShowAPlaceholderOrRepointToTheLastItem)
{
    CTestTree tree;
    tree.Strings().texts[443] = "No access points";
    tree.Strings().texts[484] = "No mailboxes";
    CSettingNode *preferred = Path(tree.Root(), {IAPSettings, PreferredConnection});
    preferred->SetValue("Office");
    preferred->SetInclude(1, 0);
    tree.Root()->SetModified(0);
    EXPECT_EQ(preferred->GetDisplayValue(true), "No access points");
    EXPECT_EQ(preferred->GetValue(), "Office") << "showing changes nothing";
    EXPECT_FALSE(tree.Root()->IsModified());
    tree.Root()->RefreshReferences();
    EXPECT_EQ(preferred->GetValue(), "");
    EXPECT_EQ(preferred->IsIncluded(), 0) << "nothing to refer to";
    EXPECT_EQ(Path(tree.Root(), {EMailSettings, PreferredMailbox})->GetDisplayValue(true),
              "No mailboxes");

    AddAccessPoint(tree.Root(), "Office");
    AddAccessPoint(tree.Root(), "Home");
    preferred->SetValue("Office");
    EXPECT_EQ(preferred->GetDisplayValue(true), "Office");
    std::unique_ptr<CSettingNode> office(Path(tree.Root(), {IAPSettings, IAPConnection}));
    ASSERT_EQ(office->RemoveFromTree(), 1);
    tree.Root()->SetModified(0);
    EXPECT_EQ(preferred->GetDisplayValue(true), "Home");
    EXPECT_EQ(preferred->GetValue(), "Office");
    tree.Root()->RefreshReferences();
    EXPECT_EQ(preferred->GetValue(), "Home");
    EXPECT_TRUE(tree.Root()->IsModified());
    EXPECT_EQ(preferred->IsIncluded(), 0) << "not mandatory";

    // A mandatory reference under an included parent is included when re-pointed.
    CSettingNode *mailbox = AddMailbox(tree.Root(), "Mail");
    mailbox->SetInclude(1, 0);
    CSettingNode *useConnection = mailbox->FindChild(MailboxUseConnection);
    useConnection->SetValue("Gone");
    EXPECT_EQ(useConnection->GetDisplayValue(true), "Home");
    tree.Root()->RefreshReferences();
    EXPECT_EQ(useConnection->GetValue(), "Home");
    EXPECT_EQ(useConnection->IsIncluded(), 1);
}

TEST(DisplayValue, ChoicesListsAndMultilineValues)
{
    CTestTree tree;
    tree.Strings().texts[420] = "Yes please";
    tree.Strings().texts[584] = "%d bookmarks";
    tree.Strings().texts[604] = "No bookmarks";
    tree.Strings().texts[480] = "%d file|%d files";
    tree.Strings().texts[StringId::PluralOne] = "1";
    tree.Strings().texts[481] = "No files";
    tree.Strings().texts[482] = "(script)";
    CSettingNode *prompt = Path(tree.Root(), {IAPSettings, IAPTemplate, PromptPassword});
    EXPECT_EQ(prompt->GetDisplayValue(true), "Yes please");
    prompt->SetValue("Maybe");
    EXPECT_EQ(prompt->GetDisplayValue(true), "Maybe") << "unknown values show raw";

    CSettingNode *bookmarks = Path(tree.Root(), {PersonalData, WAPBookmarks});
    EXPECT_EQ(bookmarks->GetDisplayValue(true), "No bookmarks");
    bookmarks->AddChild(QString(), 0, WAPBookmark);
    bookmarks->AddChild(QString(), 0, WAPBookmark);
    EXPECT_EQ(bookmarks->GetDisplayValue(true), "2 bookmarks");
    CSettingNode *tones = Path(tree.Root(), {FileTransfer, RingingTones});
    EXPECT_EQ(tones->GetDisplayValue(true), "No files");
    tones->AddChild(QString(), 0, RingingTone);
    EXPECT_EQ(tones->GetDisplayValue(true), "1 file");
    tones->AddChild(QString(), 0, RingingTone);
    EXPECT_EQ(tones->GetDisplayValue(true), "2 files");

    CSettingNode *script = Path(tree.Root(), {IAPSettings, IAPTemplate, ScriptOptions, Script});
    script->SetValue("line1\nline2");
    EXPECT_EQ(script->GetDisplayValue(true), "(script)");
    EXPECT_EQ(script->GetDisplayValue(false), "line1\nline2");
}

TEST(Choices, MaxConnectionSpeedFollowsCallTypeAndModem)
{
    CTestTree tree;
    CSettingNode *dataCall = Path(tree.Root(), {IAPSettings, IAPTemplate, DataCall});
    CSettingNode *speed = dataCall->FindChild(MaxConnectionSpeed);
    auto choices = [speed] {
        QStringList list;
        speed->GetChoices(list, false);
        return list;
    };
    EXPECT_EQ(choices(), (QStringList{"Auto", "9600", "14400"}));
    dataCall->FindChild(RemoteModemType)->SetValue("ISDNV.110");
    EXPECT_EQ(choices(), (QStringList{"9600", "14400"}));
    dataCall->FindChild(ConnectionType)->SetValue("HighSpeed");
    EXPECT_EQ(choices(), (QStringList{"9600", "14400", "19200", "28800", "38400"}));
    dataCall->FindChild(RemoteModemType)->SetValue("ISDNV.120");
    EXPECT_EQ(choices(), (QStringList{"9600", "14400", "19200", "28800", "43200"}));
}

TEST(Choices, DisplayFormAndNameLists)
{
    CTestTree tree;
    tree.Strings().texts[166] = "HTML mail";
    tree.Strings().texts[167] = "Text";
    tree.Strings().texts[168] = "Text only";
    tree.Strings().texts[443] = "None defined";
    QStringList list;
    Path(tree.Root(), {EMailSettings, MailboxTemplate, Advanced, DefaultMailType})
        ->GetChoices(list, true);
    EXPECT_EQ(list, (QStringList{"TextNoMIME\nText only", "Text\nText", "HTML\nHTML mail"}));

    CSettingNode *preferred = Path(tree.Root(), {IAPSettings, PreferredConnection});
    preferred->GetChoices(list, true);
    EXPECT_EQ(list, (QStringList{"NoConnectionsDefined\nNone defined"}));
    preferred->GetChoices(list, false);
    EXPECT_TRUE(list.isEmpty());
    Path(tree.Root(), {EMailSettings, PreferredMailbox})->GetChoices(list, true);
    EXPECT_TRUE(list.isEmpty()) << "only access point references get the placeholder";

    AddAccessPoint(tree.Root(), "B");
    AddAccessPoint(tree.Root(), "A");
    AddWapConnection(tree.Root(), "W");
    preferred->GetChoices(list, true);
    EXPECT_EQ(list, (QStringList{"B", "A"}));
    Path(tree.Root(), {PersonalData, WAPBookmarks})->GetChoices(list, false);
    EXPECT_EQ(list, (QStringList{"W"}));
}

TEST(Disabled, SiblingRulesAndTheExclusionWalk)
{
    CTestTree tree;
    CSettingNode *item = AddAccessPoint(tree.Root(), "Office");
    CSettingNode *password = item->FindChild(IAPPassword);
    EXPECT_EQ(password->IsDisabled(), 1) << "prompted for";
    item->FindChild(PromptPassword)->SetValue("No");
    EXPECT_EQ(password->IsDisabled(), 0);
    CSettingNode *proxies = item->FindChild(Proxies);
    EXPECT_EQ(proxies->FindChild(HTTPProxyServer)->IsDisabled(), 1);
    proxies->FindChild(HTTPUseProxy)->SetValue("Yes");
    EXPECT_EQ(proxies->FindChild(HTTPProxyServer)->IsDisabled(), 0);

    // References need something to choose from; WAP bookmarks have no such rule.
    EXPECT_EQ(Path(tree.Root(), {EMailSettings, PreferredMailbox})->IsDisabled(), 1);
    EXPECT_EQ(Path(tree.Root(), {IAPSettings, PreferredConnection})->IsDisabled(), 0);
    EXPECT_EQ(Path(tree.Root(), {PersonalData, WWWBookmarks})->IsDisabled(), 0);
    EXPECT_EQ(Path(tree.Root(), {PersonalData, WAPBookmarks})->IsDisabled(), 0);

    CSettingNode *callback = item->FindChild(Callback);
    CSettingNode *number = callback->FindChild(CallbackNumber);
    EXPECT_EQ(number->IsDisabled(), 1);
    callback->FindChild(UseCallback)->SetValue("Yes");
    EXPECT_EQ(number->IsDisabled(), 0);
    callback->FindChild(CallbackType)->SetValue("ServerNumber");
    number->SetInclude(1, 0);
    tree.Root()->SetModified(0);
    EXPECT_EQ(number->IsDisabled(), 1);
    EXPECT_EQ(number->IsIncluded(), 1) << "asking changes nothing";
    EXPECT_FALSE(tree.Root()->IsModified());
    tree.Root()->ExcludeDisabledNodes();
    EXPECT_EQ(number->IsIncluded(), 0);
    EXPECT_TRUE(tree.Root()->IsModified());

    CSettingNode *advanced = AddMailbox(tree.Root(), "Mail")->FindChild(Advanced);
    EXPECT_EQ(advanced->FindChild(UseAPOP)->IsDisabled(), 0);
    EXPECT_EQ(advanced->FindChild(IMAP4FolderPath)->IsDisabled(), 1);
    Path(tree.Root(), {EMailSettings, Mailbox, Servers, MailboxType})->SetValue("IMAP4");
    EXPECT_EQ(advanced->FindChild(UseAPOP)->IsDisabled(), 1);
    EXPECT_EQ(advanced->FindChild(IMAP4FolderPath)->IsDisabled(), 0);
}

TEST(Disabled, TemplateFieldsExceptNameAreDisabled)
{
    CTestTree tree;
    CSettingNode *templateNode = Path(tree.Root(), {IAPSettings, IAPTemplate});
    EXPECT_EQ(templateNode->IsDisabled(), 0);
    EXPECT_EQ(templateNode->FindChild(IAPConnectionName)->IsDisabled(), 0);
    CSettingNode *phone = templateNode->FindChild(IAPPhoneNumber);
    phone->SetInclude(1, 0);
    EXPECT_EQ(phone->IsDisabled(), 1);
    tree.Root()->ExcludeDisabledNodes();
    EXPECT_EQ(phone->IsIncluded(), 0);
    EXPECT_EQ(Path(templateNode, {Proxies, HTTPUseProxy})->IsDisabled(), 1);
    EXPECT_EQ(Path(tree.Root(), {WAPSettings, WAPTemplate, WAPConnectionName})->IsDisabled(), 0);
}

TEST(Mandatory, MandatoryTypesAndIncludedParent)
{
    CTestTree tree;
    CSettingNode *mailbox = AddMailbox(tree.Root(), "Mail");
    CSettingNode *address = mailbox->FindChild(EMailAddress);
    EXPECT_EQ(address->IsMandatory(), 1);
    EXPECT_EQ(mailbox->FindChild(MailboxOwnerName)->IsMandatory(), 0);
    EXPECT_EQ(address->IsMandatoryInIncludedParent(), 0);
    mailbox->SetInclude(1, 0);
    EXPECT_EQ(address->IsMandatoryInIncludedParent(), 1);
}
