#include "validate/TreeCheck.h"
#include "settings/TreeHelpers.h"
#include "support/TestApplication.h"

#include <gtest/gtest.h>

#include <vector>

using namespace NodeType;

namespace {

// A second item with the same content, names included, as only a loaded
// file can produce; the category owns it.
CSettingNode *CopyItem(CSettingNode *item)
{
    auto *copy = new CSettingNode(*item);
    item->GetParent()->InsertChild(copy);
    return copy;
}

CSettingNode *AddBookmark(CSettingNode *root, bool www, const QString &name)
{
    CSettingNode *bookmark = Path(root, {PersonalData, www ? WWWBookmarks : WAPBookmarks})
                                 ->AddChild({}, 0, www ? WWWBookmark : WAPBookmark);
    bookmark->CreateDefaultContent();
    bookmark->FindChild(www ? WWWBookmarkName : WAPBookmarkName)->SetValue(name);
    bookmark->FindChild(www ? WWWBookmarkURL : WAPBookmarkURL)->SetValue("http://a");
    return bookmark;
}

void IncludeWithAncestors(CSettingNode *node)
{
    for (; node && node->GetParent(); node = node->GetParent())
        node->SetInclude(1, 0);
}

// Value, include flag and update flag.
QString State(const CSettingNode *node)
{
    return QStringLiteral("%1 %2 %3")
        .arg(node->GetValue())
        .arg(node->IsIncluded())
        .arg(node->GetUpdateFlag());
}

// Sets the value and update flag, then checks the node alone.
bool Passes(CSettingNode *node, const QString &value, int update = 0, bool repair = false)
{
    node->SetValue(value);
    node->SetUpdateFlag(update);
    return CheckTree(node, nullptr, false, repair) == 1;
}

} // namespace

// Two access points with three failing values: Office's port (set), its
// address (disabled and in a group that is not set) and Home's phone number
// (not set itself, in a set item); a failing template value that is never
// checked.
struct CFailingTree
{
    CTestTree tree;
    CSettingNode *office = AddAccessPoint(tree.Root(), "Office");
    CSettingNode *home = AddAccessPoint(tree.Root(), "Home");
    CSettingNode *category = tree.Root()->FindChild(IAPSettings);
    CSettingNode *port = Path(office, {Proxies, HTTPPortNumber});
    CSettingNode *address = Path(office, {AddressOptions, IPAddress});
    CSettingNode *homePhone = home->FindChild(IAPPhoneNumber);

    CFailingTree()
    {
        office->FindChild(IAPPhoneNumber)->SetValue("0401");
        port->SetValue("70000");
        IncludeWithAncestors(port);
        // Disabled by RetrieveIP "Yes", which sending does not ask about.
        address->SetValue("1.2.3");
        address->SetInclude(1, 0);
        IncludeWithAncestors(home);
        homePhone->SetValue("call me");
        Path(category, {IAPTemplate, AddressOptions, IPAddress})->SetValue("999.1.1.1");
        tree.Root()->SetModified(0);
    }
};

TEST(TreeCheck, StrictWalkStopsAtFirstFailureChangesNothingAndSkipsUnsetSubtrees)
{
    CFailingTree fixture;
    auto &[tree, office, home, category, port, address, homePhone] = fixture;

    const auto failingWhenSending = [&fixture](bool onlyIncluded) {
        CSettingNode *failing = fixture.tree.Root();
        const int passed = CheckTree(fixture.tree.Root(), &failing, onlyIncluded, false);
        EXPECT_EQ(passed == 1, failing == nullptr);
        return failing;
    };
    EXPECT_EQ(failingWhenSending(true), port);
    EXPECT_EQ(tree.Root()->IsModified(), 0);

    port->SetValue("8080");
    EXPECT_EQ(failingWhenSending(true), homePhone) << "a node that is not set is still checked";
    office->FindChild(AddressOptions)->SetInclude(1, 0);
    EXPECT_EQ(failingWhenSending(true), address);
    office->SetInclude(0, 0);
    EXPECT_EQ(failingWhenSending(true), homePhone);
    category->SetInclude(0, 0);
    EXPECT_EQ(failingWhenSending(true), nullptr);
    EXPECT_EQ(failingWhenSending(false), address);
    // Marked for update counts as set.
    homePhone->SetValue("0402");
    office->SetUpdateFlag(1);
    category->SetUpdateFlag(1);
    EXPECT_EQ(failingWhenSending(true), address);

    // The data call settings are all set or none.
    address->SetValue("1.2.3.4");
    CSettingNode *type = Path(office, {DataCall, ConnectionType});
    IncludeWithAncestors(type);
    EXPECT_EQ(failingWhenSending(true), type);
    Path(office, {DataCall, RemoteModemType})->SetInclude(1, 0);
    Path(office, {DataCall, MaxConnectionSpeed})->SetUpdateFlag(1);
    EXPECT_EQ(failingWhenSending(true), nullptr);
}

TEST(TreeCheck, FailingNodesListsEveryFailureOfTheWalkWithoutRepairing)
{
    CFailingTree fixture;
    auto &[tree, office, home, category, port, address, homePhone] = fixture;

    using Nodes = std::vector<const CSettingNode *>;
    EXPECT_EQ(FailingNodes(tree.Root(), true), Nodes({port, homePhone}));
    EXPECT_EQ(FailingNodes(tree.Root(), false), Nodes({port, address, homePhone}));
    const CSettingNode *first = nullptr;
    CheckTree(static_cast<const CSettingNode *>(tree.Root()), &first, true);
    EXPECT_EQ(first, port);
    EXPECT_EQ(State(port), "70000 1 0");
    EXPECT_EQ(tree.Root()->IsModified(), 0);

    port->SetValue("8080");
    homePhone->SetValue("0402");
    EXPECT_EQ(FailingNodes(tree.Root(), true), Nodes());
    EXPECT_EQ(FailingNodes(office, false), Nodes({address}));
}

// Node by node, the walk's reach and the check of each node alone find what
// the walk finds, in every state of the tree.
TEST(TreeCheck, NodesCheckedOneByOneFailAsInTheWalk)
{
    CFailingTree fixture;
    auto &[tree, office, home, category, port, address, homePhone] = fixture;
    using Nodes = std::vector<const CSettingNode *>;
    Nodes all;
    const auto collect = [&all](const CSettingNode *node, const auto &self) -> void {
        all.push_back(node);
        for (const CSettingNode *child : node->Children())
            self(child, self);
    };
    collect(tree.Root(), collect);
    const auto expectSameAsWalk = [&](const char *state) {
        const Nodes failingAlone = FailingAmong(all);
        for (bool onlyIncluded : {true, false}) {
            Nodes found;
            for (const CSettingNode *node : failingAlone) {
                if (IsReachedByCheck(node, onlyIncluded))
                    found.push_back(node);
            }
            EXPECT_EQ(found, FailingNodes(fixture.tree.Root(), onlyIncluded))
                << state << (onlyIncluded ? " included" : " all");
        }
    };
    expectSameAsWalk("as made");
    const CSettingNode *templateAddress = Path(category, {IAPTemplate, AddressOptions, IPAddress});
    EXPECT_FALSE(IsReachedByCheck(templateAddress, false));
    EXPECT_EQ(FailingAmong({templateAddress, homePhone, port}), Nodes({homePhone, port}));
    office->FindChild(AddressOptions)->SetInclude(1, 0);
    expectSameAsWalk("address group included");
    office->SetInclude(0, 0);
    office->SetUpdateFlag(1);
    expectSameAsWalk("office marked for update");
    category->SetInclude(0, 0);
    expectSameAsWalk("category excluded");
    IncludeWithAncestors(Path(office, {DataCall, ConnectionType}));
    expectSameAsWalk("data call half set");
    EXPECT_EQ(FailingAmong({}), Nodes());
}

TEST(TreeCheck, FieldRulesByEditorKind)
{
    CTestTree tree;
    CSettingNode *office = AddAccessPoint(tree.Root(), "Office");
    CSettingNode *mailbox = AddMailbox(tree.Root(), "Mail");
    CSettingNode *wap = AddWapConnection(tree.Root(), "Wap");
    CSettingNode *www = AddBookmark(tree.Root(), true, "News");
    CSettingNode *wapBookmark = AddBookmark(tree.Root(), false, "Wap");
    CSettingNode *telnet =
        tree.Root()->AddChild({}, 0, TelnetConnectionSettings)->AddChild({}, 0, TelnetConnection);
    telnet->CreateDefaultContent();

    // Empty is refused when sending only.
    for (CSettingNode *node :
         {wap->FindChild(ServiceAddress), Path(mailbox, {Servers, InServer}),
          mailbox->FindChild(EMailAddress), office->FindChild(IAPPhoneNumber)}) {
        EXPECT_FALSE(Passes(node, "")) << node->GetType();
        EXPECT_TRUE(Passes(node, "", 0, true)) << node->GetType();
    }
    EXPECT_FALSE(Passes(mailbox->FindChild(MailboxUseConnection), "", 0, true));

    // Lengths at the limit and one past it; a port, a voice mailbox and a
    // preferred item may be empty only while they are not set.
    const QString host = "http://" + QString(20, u'h') + "/";
    const auto url = [&host](int length) {
        return host + QString(length - host.size(), u'p');
    };
    const QString n25(25, u'1'), n32(32, u'1'), n50(50, u'1'), n256(256, u'1'), n10k(10000, u'1');
    CSettingNode *port = Path(office, {Proxies, HTTPPortNumber});
    CSettingNode *voice = Path(tree.Root(), {PersonalData, DefaultVoiceMailbox});
    CSettingNode *preferred = Path(tree.Root(), {EMailSettings, PreferredMailbox});
    CSettingNode *size = Path(mailbox, {RetrieveMail, MessageMaxSize});
    CSettingNode *owner = mailbox->FindChild(MailboxOwnerName);
    const struct
    {
        CSettingNode *node;
        int update;
        QStringList passing;
        QStringList failing;
    } cases[] = {{office->FindChild(IAPPhoneNumber), 0, {n32}, {n32 + '1'}},
                 {Path(office, {ScriptOptions, Script}), 0, {n10k, ""}, {n10k + '1'}},
                 {www->FindChild(WWWBookmarkName), 0, {n256}, {n256 + '1', ""}},
                 {wapBookmark->FindChild(WAPBookmarkUseConnection), 0, {n50}, {n50 + '1', ""}},
                 {www->FindChild(WWWBookmarkURL), 0, {url(264)}, {url(265), ""}},
                 {wapBookmark->FindChild(WAPBookmarkURL), 0, {url(255)}, {url(256), ""}},
                 {owner, 0, {n25, ""}, {n25 + '1', "Ann <a@b.c>"}},
                 {Path(office, {AddressOptions, IPAddress}), 0, {""}, {"1.2.3"}},
                 {Path(office, {Callback, CallbackNumber}), 0, {""}, {"call"}},
                 {Path(office, {Callback, CallbackType}), 0, {}, {"number"}},
                 {telnet->FindChild(TelnetAccessPoint), 0, {"Office"}, {"Home"}},
                 // The size would wrap to 1 in 32 bits.
                 {size, 0, {"1", "1000", ""}, {"0", "1001", "4294967297"}},
                 {port, 0, {""}, {"65536"}},
                 {port, 1, {"65535"}, {"", "65536"}},
                 {voice, 0, {"not a number"}, {}},
                 {voice, 1, {"+1"}, {"1", ""}},
                 {preferred, 0, {""}, {}},
                 {preferred, 1, {}, {""}}};
    for (const auto &c : cases) {
        for (const QString &value : c.passing)
            EXPECT_TRUE(Passes(c.node, value, c.update)) << c.node->GetType();
        for (const QString &value : c.failing)
            EXPECT_FALSE(Passes(c.node, value, c.update)) << c.node->GetType();
    }

    // The speeds offered depend on the connection and modem types.
    CSettingNode *dataCall = office->FindChild(DataCall);
    CSettingNode *speed = dataCall->FindChild(MaxConnectionSpeed);
    EXPECT_TRUE(Passes(speed, "Auto"));
    EXPECT_FALSE(Passes(speed, "43200"));
    dataCall->FindChild(RemoteModemType)->SetValue("ISDNV.120");
    dataCall->FindChild(ConnectionType)->SetValue("HighSpeed");
    EXPECT_TRUE(Passes(speed, "43200"));
}

// Within a category, names count against those of other items of the same
// type only.
TEST(TreeCheckRepair, DuplicateNamesFailWhenVisited)
{
    CTestTree tree;
    CSettingNode *office = AddAccessPoint(tree.Root(), "Office");
    CSettingNode *copy = CopyItem(office);
    CSettingNode *home = AddAccessPoint(tree.Root(), "Home");
    office->GetParent()->AddChild({}, 24, FreeElement)->AddChild("Home", 9, IAPConnectionName);
    std::vector<CSettingNode *> names;
    for (CSettingNode *item : {office, copy, home})
        names.push_back(item->FindChild(IAPConnectionName));
    for (const char *name : {"News", "Mail", "News", "News"})
        names.push_back(AddBookmark(tree.Root(), true, name)->FindChild(WWWBookmarkName));
    AddBookmark(tree.Root(), false, "News");
    names[4]->GetParent()->AddChild("Mail", 7, WWWBookmarkName);
    for (CSettingNode *name : names)
        name->SetInclude(1, 0);
    CSettingNode *failing = nullptr;
    EXPECT_EQ(CheckTree(tree.Root(), &failing, false, false), 0);
    EXPECT_EQ(failing, names[0]);

    // Naming refuses the empty text, so both offices keep their name; the
    // bookmark namesakes are emptied in turn, so the last is unique by then.
    EXPECT_EQ(CheckTree(tree.Root(), nullptr, false, true), 0);
    const char *expected[] = {"Office 0 0", "Office 0 0", "Home 1 0", " 0 0",
                              "Mail 1 0",   " 0 0",       "News 1 0"};
    for (std::size_t i = 0; i < names.size(); ++i)
        EXPECT_EQ(State(names[i]), expected[i]) << i;
}

TEST(TreeCheck, DuplicateNamesAreFoundAmongAThousandItems)
{
    CTestTree tree;
    std::vector<const CSettingNode *> names;
    for (int i = 0; i < 1100; ++i) {
        // Names 7 and 1093 are the same; the count table grows on the way.
        const int number = i == 1093 ? 7 : i;
        names.push_back(AddBookmark(tree.Root(), true, QStringLiteral("Site %1").arg(number))
                            ->FindChild(WWWBookmarkName));
    }
    // A namesake in another list is none.
    const CSettingNode *wap = AddBookmark(tree.Root(), false, "Site 7")->FindChild(WAPBookmarkName);
    std::vector<const CSettingNode *> failing = FailingNodes(tree.Root(), false);
    EXPECT_EQ(std::count(failing.begin(), failing.end(), wap), 0);
    std::erase_if(failing,
                  [](const CSettingNode *node) { return node->GetType() != WWWBookmarkName; });
    EXPECT_EQ(failing, (std::vector<const CSettingNode *>{names[7], names[1093]}));
}

TEST(TreeCheckRepair, FailingValuesGetAFirstChoiceOrEmptyAndAreExcludedUnlessMandatory)
{
    CTestTree tree;
    CSettingNode *office = AddAccessPoint(tree.Root(), "Office");
    IncludeWithAncestors(office->FindChild(IAPPhoneNumber));
    CSettingNode *type = Path(office, {DataCall, ConnectionType});
    CSettingNode *speed = Path(office, {DataCall, MaxConnectionSpeed});
    type->SetValue("Fast");
    type->SetUpdateFlag(1);
    Path(office, {DataCall, RemoteModemType})->SetValue("ISDNV.110");
    speed->SetValue("38400");
    // Retrieved, so the office address does not apply: the check leaves it,
    // and the exclusion of disabled nodes that follows every open takes it out.
    CSettingNode *address = Path(office, {AddressOptions, IPAddress});
    CSettingNode *home = AddAccessPoint(tree.Root(), "Home");
    CSettingNode *homeAddress = Path(home, {AddressOptions, IPAddress});
    Path(home, {AddressOptions, RetrieveIP})->SetValue("No");
    // Disabled, but passing: not reported, only excluded.
    CSettingNode *dns = Path(home, {AddressOptions, PrimaryDNS});
    for (CSettingNode *node : {address, homeAddress, dns}) {
        node->SetValue(node == dns ? "1.1.1.1" : "300.1.1.1");
        node->SetInclude(1, 0);
    }
    // A service address is mandatory in an included connection.
    CSettingNode *service = AddWapConnection(tree.Root(), "Portal")->FindChild(ServiceAddress);
    service->SetValue("1.2.3");
    IncludeWithAncestors(service);
    CSettingNode *wap = AddWapConnection(tree.Root(), "Wap");
    CSettingNode *unused = wap->FindChild(ServiceAddress);
    unused->SetValue("1.2.3");
    // The failing number's group is disabled: left to that exclusion too.
    wap->AddChild("DataCall", 13, BearerEitherSMSOrDataCall);
    CSettingNode *bearer = wap->AddChild({}, 0, SMSSettingsForBearer);
    bearer->SetInclude(1, 0);
    CSettingNode *centre = bearer->AddChild("abc", 6, SMSCentreNumber);
    tree.Root()->SetModified(0);

    std::vector<std::pair<int, QString>> reports;
    const auto observer = [&reports](const CSettingNode *node, const QString &oldValue) {
        reports.emplace_back(node->GetType(), oldValue);
    };
    EXPECT_EQ(CheckTree(tree.Root(), nullptr, false, true, observer), 0);
    EXPECT_EQ(tree.Root()->IsModified(), 1);
    EXPECT_EQ(address->IsIncluded(), 1) << "the check changes no disabled node";
    tree.Root()->ExcludeDisabledNodes();
    // The speed follows the repaired connection type.
    const std::vector<std::pair<int, QString>> expected = {{ConnectionType, "Fast"},
                                                           {MaxConnectionSpeed, "38400"},
                                                           {IPAddress, "300.1.1.1"},
                                                           {ServiceAddress, "1.2.3"},
                                                           {ServiceAddress, "1.2.3"}};
    EXPECT_EQ(reports, expected);
    EXPECT_EQ(bearer->IsIncluded(), 0);
    const std::pair<CSettingNode *, const char *> states[] = {
        {type, "Normal 0 0"},  {speed, "9600 0 0"},  {address, "300.1.1.1 0 0"},
        {homeAddress, " 0 0"}, {dns, "1.1.1.1 0 0"}, {service, " 1 0"},
        {unused, " 0 0"},      {centre, "abc 0 0"}};
    for (const auto &[node, value] : states)
        EXPECT_EQ(State(node), value) << node->GetType();
    EXPECT_EQ(CheckTree(tree.Root(), nullptr, false, true), 1) << "a repaired tree passes";
}

// A file may set some of the data call settings without the others; loading
// leaves such settings out, as sending would refuse them, and keeps a
// complete set.
TEST(TreeCheckRepair, DataCallSettingsAreKeptOnlyAsAWholeSet)
{
    CTestTree tree;
    CSettingNode *dataCall = AddAccessPoint(tree.Root(), "Office")->FindChild(DataCall);
    CSettingNode *type = dataCall->FindChild(ConnectionType);
    CSettingNode *modem = dataCall->FindChild(RemoteModemType);
    CSettingNode *speed = dataCall->FindChild(MaxConnectionSpeed);
    type->SetValue("HighSpeed");
    speed->SetValue("19200");
    IncludeWithAncestors(type);
    modem->SetUpdateFlag(1);
    EXPECT_EQ(CheckTree(tree.Root(), nullptr, false, true), 0);
    EXPECT_EQ(State(type), "Normal 0 0");
    EXPECT_EQ(State(modem), "Analog 0 0");
    EXPECT_EQ(State(speed), "9600 0 0") << "the speed follows the repaired type";

    modem->SetInclude(1, 0);
    type->SetInclude(1, 0);
    speed->SetUpdateFlag(1);
    EXPECT_EQ(CheckTree(tree.Root(), nullptr, false, true), 1);
    EXPECT_EQ(State(type), "Normal 1 0");
    EXPECT_EQ(State(speed), "9600 0 1");
}
