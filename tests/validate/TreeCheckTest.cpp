#include "validate/TreeCheck.h"
#include "CheckHelpers.h"
#include "support/TestApplication.h"

#include <gtest/gtest.h>

#include <vector>

using namespace NodeType;

namespace {

// Sets the value, then checks the node alone in before-sending mode.
bool Strict(CSettingNode *node, const QString &value)
{
    node->SetValue(value);
    return CheckTree(node, nullptr, false, false) == 1;
}

bool Repairing(CSettingNode *node, const QString &value)
{
    node->SetValue(value);
    return CheckTree(node, nullptr, false, true) == 1;
}

} // namespace

TEST(TreeCheck, StrictWalkStopsAtFirstFailureAndSkipsUnsetSubtrees)
{
    CTestTree tree;
    CSettingNode *office = AddAccessPoint(tree.Root(), "Office");
    CSettingNode *home = AddAccessPoint(tree.Root(), "Home");
    CSettingNode *category = tree.Root()->FindChild(IAPSettings);
    CSettingNode *port = Path(office, {Proxies, HTTPPortNumber});
    CSettingNode *address = Path(office, {AddressOptions, IPAddress});
    CSettingNode *homePhone = home->FindChild(IAPPhoneNumber);
    office->FindChild(IAPPhoneNumber)->SetValue("0401");
    port->SetValue("70000");
    IncludeWithAncestors(port);
    // Disabled by RetrieveIP "Yes", which sending does not ask about.
    address->SetValue("1.2.3");
    address->SetInclude(1, 0);
    IncludeWithAncestors(home);
    homePhone->SetValue("call me");
    CSettingNode::SetModified(0);
    QStringList before;
    DumpTree(tree.Root(), before);

    CSettingNode *failing = nullptr;
    const auto failingWhenSending = [&](bool onlyIncluded) {
        failing = tree.Root();
        const int passed = CheckTree(tree.Root(), &failing, onlyIncluded, false);
        EXPECT_EQ(passed == 1, failing == nullptr);
        return failing;
    };
    EXPECT_EQ(failingWhenSending(true), port);
    QStringList after;
    DumpTree(tree.Root(), after);
    EXPECT_EQ(after, before);
    EXPECT_EQ(CSettingNode::IsModified(), 0);

    port->SetValue("8080");
    EXPECT_EQ(failingWhenSending(true), homePhone) << "a node that is not set is still checked";
    office->FindChild(AddressOptions)->SetInclude(1, 0);
    EXPECT_EQ(failingWhenSending(true), address);
    EXPECT_EQ(address->IsIncluded(), 1);
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
}

TEST(TreeCheck, TemplatesAreNeverChecked)
{
    CTestTree tree;
    CSettingNode *iapTemplate = Path(tree.Root(), {IAPSettings, IAPTemplate});
    CSettingNode *address = Path(iapTemplate, {AddressOptions, IPAddress});
    address->SetValue("999.1.1.1");
    address->SetInclude(1, 0);
    Path(tree.Root(), {WAPSettings, WAPTemplate, ServiceAddress})->SetValue("");
    CSettingNode::SetModified(0);

    EXPECT_EQ(CheckTree(tree.Root(), nullptr, false, false), 1);
    EXPECT_EQ(CheckTree(iapTemplate, nullptr, false, false), 1);
    EXPECT_EQ(CheckTree(tree.Root(), nullptr, false, true), 1);
    EXPECT_EQ(address->GetValue(), "999.1.1.1");
    EXPECT_EQ(address->IsIncluded(), 1);
    EXPECT_EQ(CSettingNode::IsModified(), 0);
}

TEST(TreeCheck, FieldRulesByEditorKind)
{
    CTestTree tree;
    CSettingNode *office = AddAccessPoint(tree.Root(), "Office");
    CSettingNode *mailbox = AddMailbox(tree.Root(), "Mail");
    CSettingNode *wap = AddWapConnection(tree.Root(), "Wap");
    // Empty is refused when sending only.
    for (CSettingNode *node :
         {wap->FindChild(ServiceAddress), Path(mailbox, {Servers, InServer}),
          mailbox->FindChild(EMailAddress), office->FindChild(IAPPhoneNumber)}) {
        EXPECT_FALSE(Strict(node, "")) << node->GetType();
        EXPECT_TRUE(Repairing(node, "")) << node->GetType();
    }
    EXPECT_TRUE(Strict(Path(office, {AddressOptions, IPAddress}), ""));
    EXPECT_TRUE(Strict(Path(office, {Callback, CallbackNumber}), ""));
    EXPECT_FALSE(Repairing(mailbox->FindChild(MailboxUseConnection), ""));

    // A port and a voice mailbox may be empty only while they are not set.
    CSettingNode *port = Path(office, {Proxies, HTTPPortNumber});
    CSettingNode *voice = Path(tree.Root(), {PersonalData, DefaultVoiceMailbox});
    EXPECT_TRUE(Strict(port, ""));
    EXPECT_TRUE(Strict(voice, "not a number"));
    port->SetUpdateFlag(1);
    voice->SetUpdateFlag(1);
    EXPECT_FALSE(Strict(port, ""));
    EXPECT_TRUE(Strict(port, "65535"));
    EXPECT_FALSE(Strict(port, "65536"));
    EXPECT_FALSE(Strict(voice, "1"));
    EXPECT_TRUE(Strict(voice, "+1"));

    CSettingNode *size = Path(mailbox, {RetrieveMail, MessageMaxSize});
    EXPECT_FALSE(Strict(size, "0"));
    EXPECT_TRUE(Strict(size, "1"));
    EXPECT_TRUE(Strict(size, "1000"));
    EXPECT_FALSE(Strict(size, "1001"));
    EXPECT_FALSE(Strict(size, "4294967297")) << "would wrap to 1 in 32 bits";

    // Lengths at the limit and one past it.
    const QString host = "http://" + QString(20, u'h') + "/";
    const auto url = [&](int length) {
        return host + QString(length - host.size(), u'p');
    };
    CSettingNode *www = AddBookmark(tree.Root(), WWWBookmarks, "News", "http://a");
    CSettingNode *wapBookmark = AddBookmark(tree.Root(), WAPBookmarks, "Wap", "http://a");
    const std::vector<std::pair<CSettingNode *, int>> limits = {
        {office->FindChild(IAPPhoneNumber), 32},
        {mailbox->FindChild(MailboxOwnerName), 25},
        {Path(office, {ScriptOptions, Script}), 10000},
        {www->FindChild(WWWBookmarkName), 256},
        {wapBookmark->FindChild(WAPBookmarkUseConnection), 50},
    };
    for (auto [node, limit] : limits) {
        EXPECT_TRUE(Strict(node, QString(limit, u'1'))) << node->GetType();
        EXPECT_FALSE(Strict(node, QString(limit + 1, u'1'))) << node->GetType();
    }
    EXPECT_FALSE(Strict(wapBookmark->FindChild(WAPBookmarkUseConnection), ""));
    EXPECT_FALSE(Strict(mailbox->FindChild(MailboxOwnerName), "Ann <ann@example.com>"));
    EXPECT_TRUE(Strict(www->FindChild(WWWBookmarkURL), url(264)));
    EXPECT_FALSE(Strict(www->FindChild(WWWBookmarkURL), url(265)));
    EXPECT_FALSE(Strict(www->FindChild(WWWBookmarkURL), ""));
    EXPECT_TRUE(Strict(wapBookmark->FindChild(WAPBookmarkURL), url(255)));
    EXPECT_FALSE(Strict(wapBookmark->FindChild(WAPBookmarkURL), url(256)));

    // Choices: fixed, depending on siblings, and names of items.
    CSettingNode *dataCall = office->FindChild(DataCall);
    CSettingNode *speed = dataCall->FindChild(MaxConnectionSpeed);
    EXPECT_TRUE(Strict(speed, "Auto"));
    EXPECT_FALSE(Strict(speed, "43200"));
    dataCall->FindChild(RemoteModemType)->SetValue("ISDNV.120");
    dataCall->FindChild(ConnectionType)->SetValue("HighSpeed");
    EXPECT_TRUE(Strict(speed, "43200"));
    EXPECT_FALSE(Strict(Path(office, {Callback, CallbackType}), "number"));
    CSettingNode *preferred = Path(tree.Root(), {EMailSettings, PreferredMailbox});
    EXPECT_TRUE(Strict(preferred, ""));
    preferred->SetUpdateFlag(1);
    EXPECT_FALSE(Strict(preferred, ""));
    CSettingNode *telnet =
        tree.Root()->AddChild({}, 0, TelnetConnectionSettings)->AddChild({}, 0, TelnetConnection);
    telnet->CreateDefaultContent();
    EXPECT_TRUE(Strict(telnet->FindChild(TelnetAccessPoint), "Office"));
    EXPECT_FALSE(Strict(telnet->FindChild(TelnetAccessPoint), "Home"));
}

TEST(TreeCheck, DataCallSettingsAllSetOrNone)
{
    CTestTree tree;
    CSettingNode *office = AddAccessPoint(tree.Root(), "Office");
    office->FindChild(IAPPhoneNumber)->SetValue("0401");
    CSettingNode *type = Path(office, {DataCall, ConnectionType});
    IncludeWithAncestors(type);
    CSettingNode *failing = nullptr;
    EXPECT_EQ(CheckTree(tree.Root(), &failing, true, false), 0);
    EXPECT_EQ(failing, type);
    Path(office, {DataCall, RemoteModemType})->SetInclude(1, 0);
    Path(office, {DataCall, MaxConnectionSpeed})->SetUpdateFlag(1);
    EXPECT_EQ(CheckTree(tree.Root(), &failing, true, false), 1);
}

TEST(TreeCheckRepair, ModemTypeOutsideItsChoicesBecomesAnalog)
{
    CTestTree tree;
    CSettingNode *dataCall = AddAccessPoint(tree.Root(), "Office")->FindChild(DataCall);
    CSettingNode *type = dataCall->FindChild(ConnectionType);
    CSettingNode *modem = dataCall->FindChild(RemoteModemType);
    CSettingNode *speed = dataCall->FindChild(MaxConnectionSpeed);
    modem->SetValue("ISDN");
    modem->SetInclude(1, 0);
    modem->SetUpdateFlag(1);
    CSettingNode::SetModified(0);
    EXPECT_EQ(CheckTree(tree.Root(), nullptr, false, true), 0);
    EXPECT_EQ(modem->GetValue(), "Analog");
    EXPECT_EQ(modem->IsIncluded(), 0);
    EXPECT_EQ(modem->GetUpdateFlag(), 0);
    EXPECT_EQ(CSettingNode::IsModified(), 1);
    EXPECT_EQ(type->GetValue(), "Normal");
    EXPECT_EQ(speed->GetValue(), "9600");
    EXPECT_EQ(CheckTree(tree.Root(), nullptr, false, true), 1);
}

TEST(TreeCheckRepair, InvalidAddressEmptiedAndExcludedUnlessMandatory)
{
    CTestTree tree;
    CSettingNode *office = AddAccessPoint(tree.Root(), "Office");
    CSettingNode *wap = AddWapConnection(tree.Root(), "Wap");
    CSettingNode *address = Path(office, {AddressOptions, IPAddress});
    CSettingNode *service = wap->FindChild(ServiceAddress);
    Path(office, {AddressOptions, RetrieveIP})->SetValue("No");
    address->SetValue("300.1.1.1");
    address->SetInclude(1, 0);
    // Disabled, but passing: the disabled test is not asked.
    CSettingNode *dns = Path(office, {AddressOptions, PrimaryDNS});
    dns->SetInclude(1, 0);
    service->SetValue("1.2.3");
    IncludeWithAncestors(service);

    EXPECT_EQ(CheckTree(tree.Root(), nullptr, false, true), 0);
    EXPECT_EQ(address->GetValue(), "");
    EXPECT_EQ(address->IsIncluded(), 0);
    EXPECT_EQ(dns->IsIncluded(), 1);
    EXPECT_EQ(service->GetValue(), "");
    EXPECT_EQ(service->IsIncluded(), 1) << "mandatory in an included parent";

    service->SetValue("1.2.3");
    wap->SetInclude(0, 0);
    EXPECT_EQ(CheckTree(tree.Root(), nullptr, false, true), 0);
    EXPECT_EQ(service->GetValue(), "");
    EXPECT_EQ(service->IsIncluded(), 0);
}

TEST(TreeCheckRepair, DuplicateNamesFailWhenVisited)
{
    CTestTree tree;
    CSettingNode *office = AddAccessPoint(tree.Root(), "Office");
    CSettingNode *copy = CopyItem(office);
    CSettingNode *home = AddAccessPoint(tree.Root(), "Home");
    for (CSettingNode *item : {office, copy, home})
        item->FindChild(IAPConnectionName)->SetInclude(1, 0);
    std::vector<CSettingNode *> bookmarkNames;
    for (const char *name : {"News", "Mail", "News", "News"}) {
        CSettingNode *bookmark = AddBookmark(tree.Root(), WWWBookmarks, name, "http://a");
        bookmark->SetInclude(1, 0);
        bookmarkNames.push_back(bookmark->FindChild(WWWBookmarkName));
    }
    CSettingNode *failing = nullptr;
    EXPECT_EQ(CheckTree(tree.Root(), &failing, false, false), 0);
    EXPECT_EQ(failing, office->FindChild(IAPConnectionName));

    EXPECT_EQ(CheckTree(tree.Root(), nullptr, false, true), 0);
    // Naming refuses the empty text: both keep their name, excluded.
    for (CSettingNode *item : {office, copy}) {
        EXPECT_EQ(item->FindChild(IAPConnectionName)->GetValue(), "Office");
        EXPECT_EQ(item->FindChild(IAPConnectionName)->IsIncluded(), 0);
    }
    EXPECT_EQ(home->FindChild(IAPConnectionName)->IsIncluded(), 1);
    // Bookmark namesakes are emptied in turn, so the last one is unique by then.
    EXPECT_EQ(bookmarkNames[0]->GetValue(), "");
    EXPECT_EQ(bookmarkNames[0]->IsIncluded(), 0);
    EXPECT_EQ(bookmarkNames[2]->GetValue(), "");
    EXPECT_EQ(bookmarkNames[3]->GetValue(), "News");
    EXPECT_EQ(bookmarkNames[3]->IsIncluded(), 1);
}

namespace {

struct ScenarioResult
{
    int passed = 0;
    int modified = 0;
    QStringList tree;
    QStringList reports;
};

// Repairs of several sorts at once, run with or without an observer.
ScenarioResult RunRepairScenario(bool observe)
{
    CTestTree tree;
    CSettingNode *office = AddAccessPoint(tree.Root(), "Office");
    IncludeWithAncestors(office->FindChild(IAPPhoneNumber));
    CSettingNode *dataCall = office->FindChild(DataCall);
    dataCall->FindChild(ConnectionType)->SetValue("Fast");
    dataCall->FindChild(RemoteModemType)->SetValue("ISDNV.110");
    dataCall->FindChild(MaxConnectionSpeed)->SetValue("38400");
    CSettingNode *address = Path(office, {AddressOptions, IPAddress});
    address->SetValue("300.1.1.1");
    address->SetInclude(1, 0);
    CSettingNode *wap = AddWapConnection(tree.Root(), "Wap");
    wap->SetInclude(1, 0);
    wap->FindChild(ServiceAddress)->SetValue("1.2.3");
    // Asking whether the failing number is disabled excludes its group.
    wap->AddChild("DataCall", 13, BearerEitherSMSOrDataCall);
    CSettingNode *bearer = wap->AddChild({}, 0, SMSSettingsForBearer);
    bearer->SetInclude(1, 0);
    bearer->AddChild("abc", 6, SMSCentreNumber);
    CSettingNode::SetModified(0);

    ScenarioResult result;
    RepairObserver observer;
    if (observe) {
        observer = [&result](CSettingNode *node, const QString &oldValue) {
            result.reports.append(QStringLiteral("%1 %2").arg(node->GetType()).arg(oldValue));
        };
    }
    result.passed = CheckTree(tree.Root(), nullptr, false, true, observer);
    result.modified = CSettingNode::IsModified();
    DumpTree(tree.Root(), result.tree);
    return result;
}

} // namespace

TEST(TreeCheckRepair, ObserverSeesExactlyTheChangedNodes)
{
    const ScenarioResult plain = RunRepairScenario(false);
    const ScenarioResult observed = RunRepairScenario(true);
    EXPECT_EQ(observed.passed, 0);
    EXPECT_EQ(observed.passed, plain.passed);
    EXPECT_EQ(observed.modified, plain.modified);
    EXPECT_EQ(observed.tree, plain.tree);

    // The speed follows the repaired connection type; the disabled address is
    // only excluded; the number was not included, but its group was.
    const QStringList expected = {
        QStringLiteral("%1 Fast").arg(ConnectionType),
        QStringLiteral("%1 38400").arg(MaxConnectionSpeed),
        QStringLiteral("%1 300.1.1.1").arg(IPAddress),
        QStringLiteral("%1 1.2.3").arg(ServiceAddress),
        QStringLiteral("%1 ").arg(SMSSettingsForBearer),
    };
    EXPECT_EQ(observed.reports, expected);
    EXPECT_TRUE(observed.tree.contains(QStringLiteral("%1 9600 0 0").arg(MaxConnectionSpeed)));
    EXPECT_TRUE(observed.tree.contains(QStringLiteral("%1 300.1.1.1 0 0").arg(IPAddress)));
    EXPECT_TRUE(observed.tree.contains(QStringLiteral("%1  0 0").arg(ServiceAddress)));
}
