#include "document/IncludeToggle.h"
#include "settings/TreeHelpers.h"
#include "support/TestApplication.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <utility>
#include <vector>

using namespace NodeType;

namespace {

class CRecordingPainter final : public IRowPainter
{
public:
    std::vector<CSettingNode *> rows;
    std::vector<CSettingNode *> checkIcons;

    void RepaintRow(CSettingNode *node) override { rows.push_back(node); }
    void RepaintCheckIcon(CSettingNode *node) override { checkIcons.push_back(node); }

    bool Repainted(CSettingNode *node) const
    {
        return std::count(rows.begin(), rows.end(), node) +
                   std::count(checkIcons.begin(), checkIcons.end(), node) >
               0;
    }
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

// A terminal connection category with one item: the one kind of item without
// mandatory fields, so emptying it empties its ancestors.
CSettingNode *AddTerminalConnection(CSettingNode *root, const QString &name)
{
    root->AddChild(QString(), EditorKind::None, TerminalConnectionSettings)->CreateDefaultContent();
    return NameNewItem(root, TerminalConnectionSettings, TerminalTemplate, TerminalConnectionName,
                       name);
}

} // namespace

TEST(ToggleInclude, ExcludingLastIncludedChildEmptiesAncestorsUpToOneStillUsed)
{
    CTestTree tree;
    CSettingNode *terminal = AddTerminalConnection(tree.Root(), "Host");
    ASSERT_NE(terminal, nullptr);
    CSettingNode *category = terminal->GetParent();
    CSettingNode *advanced = terminal->FindChild(TerminalAdvancedSettings);
    CSettingNode *echo = advanced->FindChild(TerminalLocalEcho);

    ToggleInclude(echo, nullptr);
    EXPECT_TRUE(echo->IsIncluded() && advanced->IsIncluded() && terminal->IsIncluded() &&
                category->IsIncluded());
    EXPECT_EQ(IncludedChildTypes(terminal), std::vector<int>{TerminalAdvancedSettings})
        << "nothing of a terminal connection is mandatory";

    CSettingNode::SetModified(0);
    ToggleInclude(echo, nullptr);
    EXPECT_FALSE(echo->IsIncluded() || advanced->IsIncluded() || terminal->IsIncluded() ||
                 category->IsIncluded());
    EXPECT_TRUE(CSettingNode::IsModified());

    // An included sibling of the emptied group keeps the walk from going higher.
    ToggleInclude(echo, nullptr);
    ToggleInclude(terminal->FindChild(TerminalPhoneNumber), nullptr);
    ToggleInclude(echo, nullptr);
    EXPECT_FALSE(advanced->IsIncluded());
    EXPECT_TRUE(terminal->IsIncluded());
    EXPECT_TRUE(category->IsIncluded());
}

TEST(ToggleInclude, IncludingAFieldBringsInAncestorsAndTheItemsMandatoryFields)
{
    CTestTree tree;
    CSettingNode *office = AddAccessPoint(tree.Root(), "Office");
    ASSERT_NE(office, nullptr);
    CSettingNode *username = office->FindChild(IAPUsername);
    ToggleInclude(username, nullptr);
    EXPECT_TRUE(tree.Root()->FindChild(IAPSettings)->IsIncluded());
    EXPECT_TRUE(office->IsIncluded());
    EXPECT_EQ(IncludedChildTypes(office),
              (std::vector<int>{IAPConnectionName, IAPPhoneNumber, IAPUsername}))
        << "groups tried on the way are dropped again";
    EXPECT_TRUE(IncludedChildTypes(office->FindChild(Proxies)).empty());

    // Deep in a mailbox: the mandatory fields of the mailbox and of its
    // servers come in; the mailbox's connection too, since one exists.
    CSettingNode *mail = AddMailbox(tree.Root(), "Mail");
    ASSERT_NE(mail, nullptr);
    CSettingNode *advanced = mail->FindChild(Advanced);
    ToggleInclude(advanced->FindChild(UseSSL), nullptr);
    EXPECT_TRUE(tree.Root()->FindChild(EMailSettings)->IsIncluded());
    EXPECT_EQ(IncludedChildTypes(mail),
              (std::vector<int>{MailboxName, MailboxUsername, EMailAddress, MailboxUseConnection,
                                Servers, Advanced}));
    EXPECT_EQ(IncludedChildTypes(mail->FindChild(Servers)),
              (std::vector<int>{MailboxType, OutServer, InServer}));
    EXPECT_EQ(IncludedChildTypes(advanced), std::vector<int>{UseSSL});
}

TEST(ToggleInclude, MandatoryFieldsStayIncludedAndComeBackWhenMissing)
{
    CTestTree tree;
    CSettingNode *office = AddAccessPoint(tree.Root(), "Office");
    ToggleInclude(office, nullptr);
    CSettingNode *name = office->FindChild(IAPConnectionName);
    CSettingNode *phone = office->FindChild(IAPPhoneNumber);
    ASSERT_TRUE(name->IsIncluded());

    CRecordingPainter painter;
    ToggleInclude(name, &painter);
    EXPECT_TRUE(name->IsIncluded());
    EXPECT_TRUE(painter.Repainted(name)) << "the pressed icon has to go";

    // A file may leave a mandatory field out of an included item; clicking it
    // brings it back, whichever way the click meant.
    phone->SetIncludeFlag(0);
    name->SetIncludeFlag(0);
    ToggleInclude(phone, nullptr);
    EXPECT_TRUE(phone->IsIncluded());
    EXPECT_TRUE(name->IsIncluded());
}

TEST(ToggleInclude, LinkedFieldsFollowEachOther)
{
    CTestTree tree;
    CSettingNode *office = AddAccessPoint(tree.Root(), "Office");
    CSettingNode *dataCall = office->FindChild(DataCall);
    CRecordingPainter painter;
    ToggleInclude(dataCall->FindChild(RemoteModemType), &painter);
    EXPECT_EQ(IncludedChildTypes(dataCall),
              (std::vector<int>{ConnectionType, RemoteModemType, MaxConnectionSpeed}));
    EXPECT_TRUE(painter.Repainted(dataCall->FindChild(ConnectionType)));
    EXPECT_TRUE(painter.Repainted(dataCall->FindChild(MaxConnectionSpeed)));

    ToggleInclude(dataCall->FindChild(ConnectionType), nullptr);
    EXPECT_TRUE(IncludedChildTypes(dataCall).empty());
    EXPECT_FALSE(dataCall->IsIncluded());
    EXPECT_TRUE(office->IsIncluded()) << "its mandatory fields keep the item";

    CSettingNode *advanced = AddMailbox(tree.Root(), "Mail")->FindChild(Advanced);
    advanced->FindChild(IncludeSignature)->SetValue("Custom");
    ToggleInclude(advanced->FindChild(Signature), nullptr);
    EXPECT_EQ(IncludedChildTypes(advanced), (std::vector<int>{IncludeSignature, Signature}));
    ToggleInclude(advanced->FindChild(IncludeSignature), nullptr);
    EXPECT_TRUE(IncludedChildTypes(advanced).empty());
}

TEST(ToggleInclude, RefusedNodesChangeNothing)
{
    CTestTree tree;
    CSettingNode *office = AddAccessPoint(tree.Root(), "Office");
    CSettingNode *category = tree.Root()->FindChild(IAPSettings);
    CSettingNode *templateNode = category->FindChild(IAPTemplate);

    // IPAddress does not apply while the address is retrieved; a template and
    // its fields cannot be included.
    for (CSettingNode *refused :
         {office->FindChild(AddressOptions)->FindChild(IPAddress), templateNode,
          templateNode->FindChild(IAPPhoneNumber), templateNode->FindChild(IAPConnectionName)}) {
        CSettingNode::SetModified(0);
        ToggleInclude(refused, nullptr);
        EXPECT_FALSE(refused->IsIncluded());
        EXPECT_FALSE(AnyIncluded(tree.Root()));
        EXPECT_FALSE(CSettingNode::IsModified());
    }

    // An empty bookmark list cannot be included, and the data category it
    // would have brought in stays out.
    CSettingNode *bookmarks = Path(tree.Root(), {PersonalData, WWWBookmarks});
    ToggleInclude(bookmarks, nullptr);
    EXPECT_FALSE(bookmarks->IsIncluded());
    EXPECT_FALSE(tree.Root()->FindChild(PersonalData)->IsIncluded());
}

TEST(ToggleInclude, ListsTakeTheirEntriesAlongWhetherOrNotTheyApply)
{
    CTestTree tree;
    CSettingNode *personal = tree.Root()->FindChild(PersonalData);
    CSettingNode *bookmarks = personal->FindChild(WWWBookmarks);
    CSettingNode *bookmark = bookmarks->AddChild(QString(), EditorKind::None, WWWBookmark);
    bookmark->CreateDefaultContent();
    ASSERT_TRUE(bookmarks->IsDisabled()) << "no access point to connect through";

    ToggleInclude(bookmarks, nullptr);
    EXPECT_TRUE(bookmarks->IsIncluded());
    EXPECT_TRUE(personal->IsIncluded());
    EXPECT_TRUE(bookmark->IsIncluded());
    EXPECT_TRUE(bookmark->FindChild(WWWBookmarkURL)->IsIncluded());

    ToggleInclude(bookmarks, nullptr);
    EXPECT_FALSE(bookmarks->IsIncluded() || personal->IsIncluded() || bookmark->IsIncluded());
}

TEST(ToggleInclude, ChildrenFollowTheirGroupExceptServersExcludedDirectly)
{
    CTestTree tree;
    CSettingNode *office = AddAccessPoint(tree.Root(), "Office");
    ToggleInclude(office->FindChild(DataCall), nullptr);
    EXPECT_EQ(
        IncludedChildTypes(office->FindChild(DataCall)),
        (std::vector<int>{ConnectionType, RemoteModemType, MaxConnectionSpeed, ModemInitString}));
    // The proxy server fields do not apply while no proxy is used.
    ToggleInclude(office->FindChild(Proxies), nullptr);
    EXPECT_EQ(IncludedChildTypes(office->FindChild(Proxies)), std::vector<int>{HTTPUseProxy});

    // A file may hold included servers in a mailbox that is not included.
    CSettingNode *mail = AddMailbox(tree.Root(), "Mail");
    CSettingNode *servers = mail->FindChild(Servers);
    servers->SetIncludeFlag(1);
    for (CSettingNode *server : servers->Children())
        server->SetIncludeFlag(1);
    ToggleInclude(servers, nullptr);
    EXPECT_TRUE(servers->IsIncluded()) << "no child changed, so the group is set back";
    EXPECT_EQ(IncludedChildTypes(servers).size(), 3u);

    // Excluding the mailbox reaches the servers one level down.
    ToggleInclude(mail, nullptr);
    ASSERT_TRUE(mail->IsIncluded());
    ToggleInclude(mail, nullptr);
    EXPECT_FALSE(mail->IsIncluded());
    EXPECT_FALSE(servers->IsIncluded());
    EXPECT_TRUE(IncludedChildTypes(servers).empty());
}

TEST(ToggleInclude, PainterSeesTheRowAndItsAncestors)
{
    CTestTree tree;
    CSettingNode *office = AddAccessPoint(tree.Root(), "Office");
    CSettingNode *prompt = office->FindChild(PromptPassword);
    CRecordingPainter painter;
    ToggleInclude(prompt, &painter);
    EXPECT_TRUE(painter.Repainted(prompt));
    EXPECT_TRUE(painter.Repainted(office));
    EXPECT_TRUE(painter.Repainted(office->GetParent()));
    EXPECT_FALSE(painter.Repainted(office->FindChild(Proxies)));

    // A later toggle with the ancestors already included repaints them too,
    // since their partly-checked icons may change.
    painter.checkIcons.clear();
    ToggleInclude(prompt, &painter);
    EXPECT_TRUE(painter.Repainted(prompt));
    EXPECT_TRUE(painter.Repainted(office->GetParent()));
}

TEST(PartlyIncluded, MixedEnabledChildrenOnlyAndRefusalAnswersNo)
{
    CTestTree tree;
    CSettingNode *office = AddAccessPoint(tree.Root(), "Office");
    CSettingNode *dataCall = office->FindChild(DataCall);
    EXPECT_FALSE(IsPartlyIncluded(dataCall));
    ToggleInclude(dataCall->FindChild(ConnectionType), nullptr);
    EXPECT_TRUE(IsPartlyIncluded(dataCall));
    ToggleInclude(dataCall->FindChild(ModemInitString), nullptr);
    EXPECT_FALSE(IsPartlyIncluded(dataCall)) << "all included";

    // Disabled children do not count: only HTTPUseProxy applies.
    CSettingNode *proxies = office->FindChild(Proxies);
    ToggleInclude(proxies, nullptr);
    EXPECT_FALSE(IsPartlyIncluded(proxies));

    // Including the item takes in every field that applies; partly below
    // then makes partly above.
    ToggleInclude(office, nullptr);
    ToggleInclude(office, nullptr);
    ASSERT_TRUE(office->FindChild(IAPUsername)->IsIncluded());
    EXPECT_FALSE(IsPartlyIncluded(office));
    ToggleInclude(dataCall->FindChild(ModemInitString), nullptr);
    EXPECT_TRUE(IsPartlyIncluded(office));

    // A child whose include flag cannot be set stops the answer at once.
    CSettingNode *category = office->GetParent();
    EXPECT_TRUE(IsPartlyIncluded(category));
    category->FindChild(PreferredConnection)->SetValue(QString());
    EXPECT_FALSE(IsPartlyIncluded(category));
}

TEST(AnyIncluded, CountsRowsOnly)
{
    CTestTree tree;
    EXPECT_FALSE(AnyIncluded(tree.Root()));
    tree.Root()->FindChild(BIOMessages)->SetIncludeFlag(1);
    EXPECT_FALSE(AnyIncluded(tree.Root())) << "hidden nodes have no row";
    CSettingNode *bookmarks = Path(tree.Root(), {PersonalData, WWWBookmarks});
    bookmarks->AddChild(QString(), EditorKind::None, WWWBookmark)->SetIncludeFlag(1);
    EXPECT_FALSE(AnyIncluded(tree.Root())) << "bookmarks are listed in a dialog";

    CSettingNode *voiceMailbox = Path(tree.Root(), {PersonalData, DefaultVoiceMailbox});
    voiceMailbox->SetIncludeFlag(1);
    EXPECT_TRUE(AnyIncluded(tree.Root()));
    EXPECT_FALSE(AnyIncluded(voiceMailbox)) << "the node itself is not below itself";
}

TEST(HelpContext, CategoryAboveTheNodeOrThePreview)
{
    CTestTree tree;
    CSettingNode *mail = AddMailbox(tree.Root(), "Mail");
    CSettingNode *ssl = Path(mail, {Advanced, UseSSL});
    EXPECT_EQ(HelpContext(ssl, false), 140);
    EXPECT_EQ(HelpContext(ssl, true), 506);

    CSettingNode *root = tree.Root();
    const std::pair<CSettingNode *, int> cases[] = {
        {Path(root, {IAPSettings, IAPTemplate, DataCall, MaxConnectionSpeed}), 279},
        {Path(root, {WAPSettings, WAPTemplate}), 388},
        {Path(root, {SMSSettings}), 323},
        {Path(root, {PersonalData, DefaultVoiceMailbox}), 460},
        {Path(root, {FileTransfer, RingingTones}), 550},
        {Path(root, {BIOMessages}), 0},
    };
    for (const auto &[node, context] : cases)
        EXPECT_EQ(HelpContext(node, false), context) << context;
    EXPECT_EQ(HelpContext(tree.Root(), false), 0);
    EXPECT_EQ(HelpContext(nullptr, true), 506);
}

TEST(DeleteNodes, LastToFirstStoppingAtARefusal)
{
    CTestTree tree;
    tree.Strings().texts[596] = "Used in %s.";
    CSettingNode *office = AddAccessPoint(tree.Root(), "Office");
    CSettingNode *home = AddAccessPoint(tree.Root(), "Home");
    CSettingNode *spare = AddAccessPoint(tree.Root(), "Spare");
    CSettingNode *portal = AddWapConnection(tree.Root(), "Portal");
    ASSERT_TRUE(office && home && spare && portal);
    portal->FindChild(WAPUseConnection)->SetValue("Office");
    CSettingNode *category = tree.Root()->FindChild(IAPSettings);
    CSettingNode *phone = spare->FindChild(IAPPhoneNumber);

    std::vector<CSettingNode *> destroyed;
    const auto record = [&destroyed](CSettingNode *node) {
        const auto &siblings = node->GetParent()->Children();
        EXPECT_EQ(std::count(siblings.begin(), siblings.end(), node), 0) << "still in the tree";
        destroyed.push_back(node);
    };
    EXPECT_FALSE(DeleteNodes({category, spare, office, phone, home}, record));
    EXPECT_EQ(destroyed, std::vector<CSettingNode *>{home});
    EXPECT_FALSE(CSettingNode::GetLastError().isEmpty());
    EXPECT_EQ(std::count(category->Children().begin(), category->Children().end(), office), 1);
    EXPECT_EQ(std::count(category->Children().begin(), category->Children().end(), spare), 1)
        << "deletion stops at the refusal";

    destroyed.clear();
    EXPECT_TRUE(DeleteNodes({category, spare, phone, portal}, record));
    EXPECT_EQ(destroyed, (std::vector<CSettingNode *>{portal, spare}));
    EXPECT_EQ(category->ChildCount(), 3) << "preferred, Office and the template";
    EXPECT_TRUE(DeleteNodes({office}, {}));
}
