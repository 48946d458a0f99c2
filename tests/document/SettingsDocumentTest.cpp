#include "document/SettingsDocument.h"

#include "config/ConfigWriter.h"
#include "document/IncludeToggle.h"
#include "settings/BulkLoad.h"
#include "settings/NodeCatalogue.h"
#include "settings/StringIds.h"
#include "settings/TreeHelpers.h"
#include "support/TestApplication.h"
#include "validate/FieldLimits.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QHash>
#include <QTemporaryDir>

#include <algorithm>
#include <functional>
#include <memory>
#include <set>
#include <string>
#include <utility>
#include <vector>

using namespace NodeType;

namespace {

// Everything the tree tells its observer; the callbacks let a test look at
// the tree at the moment of a report.
struct CRecordingObserver final : ITreeObserver
{
    using Nodes = std::vector<const CSettingNode *>;
    Nodes added, changed, replaced;
    std::vector<std::pair<const CSettingNode *, Nodes>> removed;
    std::function<void(const CSettingNode *)> onAdded;
    std::function<void(const CSettingNode *, const Nodes &)> onRemoved;
    std::function<void(const CSettingNode *)> onReplaced;

    void NodeAdded(const CSettingNode *node) override
    {
        added.push_back(node);
        if (onAdded)
            onAdded(node);
    }
    void NodeChanged(const CSettingNode *node) override { changed.push_back(node); }
    void NodesRemoved(const CSettingNode *parent, const Nodes &nodes) override
    {
        removed.emplace_back(parent, nodes);
        if (onRemoved)
            onRemoved(parent, nodes);
    }
    void TreeReplaced(const CSettingNode *root) override
    {
        replaced.push_back(root);
        if (onReplaced)
            onReplaced(root);
    }
    void Clear()
    {
        added.clear();
        changed.clear();
        removed.clear();
        replaced.clear();
    }
    bool Silent() const
    {
        return added.empty() && changed.empty() && removed.empty() && replaced.empty();
    }
};

void ForEachNode(CSettingNode *node, const std::function<void(CSettingNode *)> &visit)
{
    visit(node);
    for (CSettingNode *child : node->Children())
        ForEachNode(child, visit);
}

// Type, include and update flag and value of every node, depth first.
std::string Snapshot(CSettingNode *root)
{
    QStringList lines;
    ForEachNode(root, [&lines](CSettingNode *node) {
        lines << QStringLiteral("%1 %2%3 %4")
                     .arg(node->GetType())
                     .arg(node->IsIncluded())
                     .arg(node->GetUpdateFlag())
                     .arg(node->GetValue());
    });
    return lines.join(u'\n').toStdString();
}

// The types of the included nodes that are disabled.
std::vector<int> IncludedDisabled(CSettingNode *root)
{
    std::vector<int> types;
    ForEachNode(root, [&types](CSettingNode *node) {
        if (node->IsIncluded() && node->IsDisabled())
            types.push_back(node->GetType());
    });
    return types;
}

template<typename Nodes>
bool Contains(const Nodes &nodes, const CSettingNode *node)
{
    return std::find(nodes.begin(), nodes.end(), node) != nodes.end();
}

} // namespace

// A document with the default content, the access points "Office" (proxy
// on, fixed IP address) and "Home", and the mailbox "Work", with nothing
// included and nothing modified. Texts are short fakes; the Yes/No choices
// show as "On"/"Off" so that a shown text differs from its stored value.
class SettingsDocumentTest : public ::testing::Test
{
protected:
    SettingsDocumentTest()
    {
        using namespace StringId;
        tree.Strings().texts = {
            {MsgValueNotValid, "Not valid."},
            {MsgValueLimited, "%s down to %d."},
            {MsgLettersInPhoneNumber, "No letters."},
            {MsgPlusFirstOnly, "Plus first in %s."},
            {MsgCharacterNotAllowed, "No %s in %s."},
            {451, "Port"},
            {385, "Voice"},
            {262, "Phone"},
            {465, "Name"},
            {MsgNameNotAllowed, "%s is not allowed."},
            {MsgNotApplicable, "%s does not apply."},
            {MsgNotAChoice, "%s is not a choice of %s."},
            {MsgNoValueToEdit, "%s has no value."},
            {MsgPasswordsDiffer, "The passwords differ."},
            {MsgItemInUse, "Used by %s."},
            {NoAccessPoints, "No access points"},
            {NoMailboxes, "No mailboxes"},
            {NoCentres, "No centres"},
            {NoBookmarks, "No bookmarks"},
            {BookmarkCount, "%d bookmarks"},
            {NoFiles, "No files"},
            {FileCount, "%d files"},
            {ScriptShown, "(script)"},
            {SignatureShown, "(signature)"},
            {278, "New access point"},
            {205, "New mailbox"},
            {279, "Access points"},
            {388, "WAP settings"},
            {420, "On"},
            {288, "Off"},
            {165, "Message format"},
            {166, "HTML"},
            {167, "Plain text"},
            {168, "Plain text without MIME"},
            {161, "Card"},
            {162, "Custom signature"},
            {163, "No signature"},
            {190, "POP3"},
            {187, "IMAP4"},
            {261, "Password"},
            {276, "Username"},
            {552, "Ringing tones"},
            {419, "Web bookmarks"},
            {390, "WAP bookmarks"},
        };
        document.Reset();
        office = NewItem(IAPSettings, "Office");
        home = NewItem(IAPSettings, "Home");
        work = NewItem(EMailSettings, "Work");
        document.EditValue(Path(office, {Proxies, HTTPUseProxy}), "Yes", false);
        document.EditValue(Path(office, {AddressOptions, RetrieveIP}), "No", false);
        document.SetModified(0);
        document.AddObserver(&observer);
    }

    ~SettingsDocumentTest() override { document.RemoveObserver(&observer); }

    CSettingNode *Root() const { return Writable(document.GetRoot()); }
    // Names the category's template through the document; the new item.
    CSettingNode *NewItem(int categoryType, const QString &name)
    {
        const ItemRole *role = RoleOfCategory(categoryType);
        CSettingNode *item = Path(Root(), {categoryType, role->itemTemplate});
        EXPECT_EQ(document.EditValue(item->FindChild(role->nameField), name, false).result,
                  CEditResult::Changed);
        return item;
    }

    CTestTree tree{false};
    CSettingsDocument document{&tree.Application()};
    CRecordingObserver observer;
    CSettingNode *office = nullptr;
    CSettingNode *home = nullptr;
    CSettingNode *work = nullptr;
};

namespace {

// A text typed into the node at path (child types from the root; the first
// access point is "Office") and what the document makes of it.
struct KindCase
{
    const char *name;
    std::vector<int> path;
    QString before; // null: the default value
    QString typed;
    CEditResult::Result result;
    QString stored;
    QString message = {};
};

const std::vector<int> kRoot;
const std::vector<int> kOffice{IAPSettings, IAPConnection};
const std::vector<int> kWork{EMailSettings, Mailbox};

std::vector<int> Under(std::vector<int> path, std::initializer_list<int> rest)
{
    path.insert(path.end(), rest);
    return path;
}

const KindCase kKindCases[] = {
    {"EMailStored", Under(kWork, {EMailAddress}), QString(), "ann@mail.example.com",
     CEditResult::Changed, "ann@mail.example.com"},
    {"ProxyHostStored", Under(kOffice, {Proxies, HTTPProxyServer}), QString(), "proxy.example.com",
     CEditResult::Changed, "proxy.example.com"},
    // A stored value that differs from the text says how, in one line: the
    // range it was moved into, else the cut, else the last character dropped.
    {"PortInRange", Under(kOffice, {Proxies, HTTPPortNumber}), QString(), "65535",
     CEditResult::Changed, "65535"},
    {"PortDroppedAndClamped", Under(kOffice, {Proxies, HTTPPortNumber}), QString(), "7x00000",
     CEditResult::Changed, "65535", "Port down to 65535."},
    {"PhoneFiltered", Under(kOffice, {IAPPhoneNumber}), QString(), "+358 (9) 12x-3!",
     CEditResult::Changed, "+358 (9) 12-3", "No ! in Phone."},
    {"PhoneLetter", Under(kOffice, {IAPPhoneNumber}), QString(), "12x3", CEditResult::Changed,
     "123", "No letters."},
    {"VoiceMailboxPlusInFrontOnly", Under(kRoot, {PersonalData, DefaultVoiceMailbox}), QString(),
     "+1+2#p", CEditResult::Changed, "+12#", "No letters."},
    {"VoiceMailboxPlusDroppedLater", Under(kRoot, {PersonalData, DefaultVoiceMailbox}), QString(),
     "1+2", CEditResult::Changed, "12", "Plus first in Voice."},
    {"VoiceMailboxCleared", Under(kRoot, {PersonalData, DefaultVoiceMailbox}), "123", "",
     CEditResult::Changed, ""},
    {"NameTemplateLabel", Under(kOffice, {IAPConnectionName}), QString(), "New access point",
     CEditResult::Refused, "Office", "New access point is not allowed."},
    {"MailboxNameTemplateLabel", Under(kWork, {MailboxName}), QString(), "new MAILBOX",
     CEditResult::Refused, "Work", "new MAILBOX is not allowed."},
    {"ChoiceShownTextOtherCase", Under(kWork, {Advanced, DefaultMailType}), QString(), "plain text",
     CEditResult::Refused, "HTML", "plain text is not a choice of Message format."},
    {"YesNoByShownText", Under(kOffice, {PromptPassword}), QString(), "Off", CEditResult::Changed,
     "No"},
    {"OwnerNameWithoutBrackets", Under(kWork, {MailboxOwnerName}), QString(), "<Ann> Lee",
     CEditResult::Changed, "Ann Lee", "No > in Name."},
    // Its confirmation is the editor's business.
    {"PasswordAsTyped", Under(kWork, {MailboxPassword}), QString(), " s3 <x>", CEditResult::Changed,
     " s3 <x>"},
    // Prompting for the password leaves nothing to store.
    {"PasswordWhilePrompted", Under(kOffice, {IAPPassword}), QString(), "secret",
     CEditResult::Refused, "", "Password does not apply."},
    {"TemplateField", Under(kRoot, {IAPSettings, IAPTemplate, IAPUsername}), QString(), "x",
     CEditResult::Refused, "", "Username does not apply."},
    {"WAPBookmarkList", Under(kRoot, {PersonalData, WAPBookmarks}), QString(), "x",
     CEditResult::Refused, "", "WAP bookmarks has no value."},
    {"IPLowFieldsKept", Under(kOffice, {AddressOptions, IPAddress}), "1.2.3.4", "0.0.0.0",
     CEditResult::Changed, "0.0.0.0"},
    {"IPThreeFields", Under(kOffice, {AddressOptions, IPAddress}), QString(), "1.2.3",
     CEditResult::Refused, "0.0.0.0", "Not valid."},
    {"IPFourDigitField", Under(kOffice, {AddressOptions, IPAddress}), QString(), "1.2.3.1000",
     CEditResult::Refused, "0.0.0.0", "Not valid."},
};

void PrintTo(const KindCase &row, std::ostream *os)
{
    *os << row.name;
}

CSettingNode *FollowPath(CSettingNode *root, const std::vector<int> &path)
{
    CSettingNode *node = root;
    for (int type : path)
        node = node ? node->FindChild(type) : nullptr;
    return node;
}

class EditValueByKind : public SettingsDocumentTest, public ::testing::WithParamInterface<KindCase>
{};

} // namespace

TEST_P(EditValueByKind, StoresLimitsOrRefusesAndARefusalChangesNothing)
{
    const KindCase &row = GetParam();
    CSettingNode *node = FollowPath(Root(), row.path);
    ASSERT_NE(node, nullptr);
    if (!row.before.isNull()) {
        ASSERT_TRUE(node->SetValue(row.before));
    }
    document.SetModified(0);
    const std::string before = Snapshot(Root());
    observer.Clear();

    const CEditResult result = document.EditValue(node, row.typed);
    EXPECT_EQ(result.result, row.result);
    EXPECT_EQ(result.message, row.message);
    EXPECT_EQ(node->GetValue(), row.stored);
    if (row.result == CEditResult::Changed) {
        EXPECT_TRUE(document.IsModified());
        return;
    }
    EXPECT_EQ(Snapshot(Root()), before);
    EXPECT_TRUE(observer.Silent());
    EXPECT_FALSE(document.IsModified());
}

INSTANTIATE_TEST_SUITE_P(Rows, EditValueByKind, ::testing::ValuesIn(kKindCases),
                         [](const auto &row) { return std::string(row.param.name); });

TEST_F(SettingsDocumentTest, ResetAndOpenReportOneReplacedTreeWhileTheOldOneStillExists)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("office.xml");
    ASSERT_TRUE(document.Save(path));
    ASSERT_TRUE(document.EditValue(Path(office, {IAPPhoneNumber}), "0401").result ==
                CEditResult::Changed);
    const CSettingNode *oldRoot = document.GetRoot();
    // The old tree is still whole when the view hears of the new one.
    int oldChildren = -1;
    observer.onReplaced = [&](const CSettingNode *root) {
        EXPECT_EQ(root, document.GetRoot());
        oldChildren = oldRoot->ChildCount();
    };
    observer.Clear();
    const CSettingNode *fresh = document.Reset();
    EXPECT_EQ(observer.replaced, CRecordingObserver::Nodes{fresh});
    EXPECT_GT(oldChildren, 0);
    observer.onReplaced = nullptr;
    EXPECT_TRUE(observer.added.empty() && observer.changed.empty()) << "made aside, unheard";
    EXPECT_FALSE(document.IsModified());

    observer.Clear();
    EXPECT_EQ(document.Open(path), CSettingsDocument::OpenResult::Opened);
    EXPECT_EQ(observer.replaced, CRecordingObserver::Nodes{document.GetRoot()});
    EXPECT_NE(Path(document.GetRoot(), {IAPSettings, IAPConnection}), nullptr);
    EXPECT_TRUE(observer.added.empty() && observer.changed.empty());

    // A file that cannot be read leaves the tree that was open, unheard of.
    const CSettingNode *opened = document.GetRoot();
    observer.Clear();
    EXPECT_EQ(document.Open(dir.filePath("none.xml")), CSettingsDocument::OpenResult::NotReadable);
    EXPECT_TRUE(observer.Silent());
    EXPECT_EQ(document.GetRoot(), opened);
}

TEST_F(SettingsDocumentTest, ACopiedTreeIsTheSameTreeOfItsOwnUnderTheSameRules)
{
    document.EditValue(Path(office, {IAPPhoneNumber}), "0401");
    document.SetModified(0);
    observer.Clear();
    const std::string source = Snapshot(Root());
    CSettingsDocument copy(&tree.Application());
    CRecordingObserver copyObserver;
    copy.AddObserver(&copyObserver);
    copy.CopyTree(document);
    EXPECT_EQ(copyObserver.replaced, CRecordingObserver::Nodes{copy.GetRoot()});
    EXPECT_FALSE(copy.IsModified());
    CSettingNode *copyRoot = const_cast<CSettingNode *>(copy.GetRoot());
    EXPECT_EQ(Snapshot(copyRoot), source);

    // Edits of the copy follow the rules, are heard and marked in the copy
    // only, and leave the source as it was.
    const CSettingNode *copyOffice = Path(copyRoot, {IAPSettings, IAPConnection});
    const CSettingNode *user = copyOffice->FindChild(IAPUsername);
    copyObserver.Clear();
    EXPECT_EQ(copy.EditValue(user, "alice").result, CEditResult::Changed);
    EXPECT_TRUE(user->IsIncluded());
    EXPECT_TRUE(Contains(copyObserver.changed, user));
    EXPECT_TRUE(copy.IsModified());
    EXPECT_FALSE(document.IsModified());
    EXPECT_TRUE(observer.Silent());
    EXPECT_EQ(Snapshot(Root()), source);
    EXPECT_EQ(copy.EditValue(copyOffice->FindChild(IAPConnectionName), "Home").result,
              CEditResult::Refused);

    // A second copy starts again from the source.
    copy.CopyTree(document);
    EXPECT_EQ(Snapshot(const_cast<CSettingNode *>(copy.GetRoot())), source);
    copy.RemoveObserver(&copyObserver);
}

TEST_F(SettingsDocumentTest, NodesOfAnotherTreeAreNeverWrittenThroughThisDocument)
{
    CSettingsDocument other(&tree.Application());
    const CSettingNode *foreign =
        Path(other.Reset(), {IAPSettings, IAPTemplate, IAPConnectionName});
    const CSettingNode copy(*Path(office, {IAPPhoneNumber}));
    observer.Clear();
    EXPECT_TRUE(document.EditValue(foreign, "Stranger").IsRefused());
    EXPECT_TRUE(document.EditValue(&copy, "0401").IsRefused());
    document.ToggleInclude(foreign);
    EXPECT_TRUE(document.DeleteNodes({foreign->GetParent()}));
    EXPECT_EQ(foreign->GetValue(), "");
    EXPECT_EQ(foreign->GetParent()->GetType(), IAPTemplate);
    EXPECT_TRUE(observer.Silent());
    EXPECT_FALSE(document.IsModified());
    EXPECT_FALSE(other.IsModified());

    // A document that goes tells its observer that there is no tree left.
    auto going = std::make_unique<CSettingsDocument>(&tree.Application());
    going->Reset();
    going->AddObserver(&observer);
    going.reset();
    EXPECT_EQ(observer.replaced, CRecordingObserver::Nodes{nullptr});
}

// Logs its name with each report it hears; onReport runs after logging.
struct CNamedObserver final : ITreeObserver
{
    CNamedObserver(std::vector<std::string> &heard, std::string observerName)
        : log(heard)
        , name(std::move(observerName))
    {}
    void Heard()
    {
        log.push_back(name);
        if (onReport)
            onReport();
    }
    void NodeAdded(const CSettingNode *) override { Heard(); }
    void NodeChanged(const CSettingNode *) override { Heard(); }
    void NodesRemoved(const CSettingNode *, const std::vector<const CSettingNode *> &) override
    {
        Heard();
    }
    void TreeReplaced(const CSettingNode *) override { Heard(); }

    std::vector<std::string> &log;
    std::string name;
    std::function<void()> onReport;
};

TEST_F(SettingsDocumentTest, EveryObserverHearsEachReportInTheOrderItWasAdded)
{
    std::vector<std::string> log;
    CNamedObserver first(log, "first"), second(log, "second"), third(log, "third");
    document.AddObserver(&first);
    document.AddObserver(&second);
    document.AddObserver(&first);
    const CSettingNode *phone = Path(office, {IAPPhoneNumber});
    observer.Clear();
    document.EditValue(phone, "0401");
    ASSERT_FALSE(log.empty());
    ASSERT_EQ(log.size(), observer.changed.size() * 2);
    for (std::size_t i = 0; i < log.size(); ++i)
        EXPECT_EQ(log[i], i % 2 ? "second" : "first") << i;

    // An observer that goes during a report hears nothing more, not even
    // the rest of that report; one added during a report hears the next.
    first.onReport = [&] {
        document.RemoveObserver(&second);
        document.AddObserver(&third);
    };
    log.clear();
    document.EditValue(phone, "0402");
    ASSERT_FALSE(log.empty());
    EXPECT_EQ(log[0], "first");
    EXPECT_EQ(std::count(log.begin(), log.end(), "second"), 0);
    EXPECT_EQ(std::count(log.begin(), log.end(), "first"),
              std::count(log.begin(), log.end(), "third") + 1);
    first.onReport = [&] {
        document.RemoveObserver(&first);
    };
    log.clear();
    document.EditValue(phone, "0403");
    EXPECT_EQ(log.front(), "first");
    EXPECT_EQ(std::count(log.begin(), log.end(), "first"), 1);
    // The ones after it still hear the report during which it went.
    EXPECT_EQ(log.back(), "third");

    // A document that goes tells each of them that there is no tree left.
    document.AddObserver(&second);
    log.clear();
    auto going = std::make_unique<CSettingsDocument>(&tree.Application());
    going->AddObserver(&third);
    going->AddObserver(&second);
    going.reset();
    EXPECT_EQ(log, (std::vector<std::string>{"third", "second"}));
    document.RemoveObserver(&second);
    document.RemoveObserver(&third);
}

TEST_F(SettingsDocumentTest, TemplateLabelIsNoNameInAnyCase)
{
    CSettingNode *category = Root()->FindChild(IAPSettings);
    CSettingNode *templateName = Path(category, {IAPTemplate, IAPConnectionName});
    const int items = category->ChildCount();
    for (const char *label :
         {"New access point", "new access point", "NEW ACCESS POINT", "nEW aCCESS pOINT"}) {
        const CEditResult result = document.EditValue(templateName, label);
        EXPECT_TRUE(result.IsRefused()) << label;
        EXPECT_EQ(result.message, QString(label) + " is not allowed.");
        EXPECT_EQ(templateName->GetParent()->GetType(), IAPTemplate) << label;
        EXPECT_EQ(category->ChildCount(), items);
    }
    // Only the label itself is refused.
    EXPECT_FALSE(document.EditValue(templateName, "New access point 2").IsRefused());
    EXPECT_EQ(templateName->GetParent()->GetType(), IAPConnection);
}

TEST_F(SettingsDocumentTest, OwnUnchangedNameIsNoDuplicate)
{
    CSettingNode *name = office->FindChild(IAPConnectionName);
    const CEditResult result = document.EditValue(name, "Office");
    EXPECT_FALSE(result.IsRefused());
    EXPECT_TRUE(result.message.isEmpty());
    EXPECT_EQ(name->GetValue(), "Office");
}

TEST_F(SettingsDocumentTest, ChangedShownValueIncludesTheNodeWithWhatItNeeds)
{
    CSettingNode *username = office->FindChild(IAPUsername);
    EXPECT_EQ(document.EditValue(username, "alice").result, CEditResult::Changed);
    EXPECT_TRUE(username->IsIncluded());
    // The include toggle brings in the ancestors and the item's mandatory fields.
    for (CSettingNode *node :
         {office, Root()->FindChild(IAPSettings), office->FindChild(IAPConnectionName),
          office->FindChild(IAPPhoneNumber)})
        EXPECT_TRUE(node->IsIncluded()) << node->GetType();
    EXPECT_FALSE(home->IsIncluded());

    // The same shown value, stored or shown text alike, includes nothing.
    CSettingNode *port = Path(office, {Proxies, HTTPPortNumber});
    EXPECT_EQ(document.EditValue(port, "0").result, CEditResult::Changed);
    CSettingNode *prompt = office->FindChild(PromptPassword);
    EXPECT_EQ(document.EditValue(prompt, "On").result, CEditResult::Changed);
    EXPECT_EQ(prompt->GetValue(), "Yes");
    CSettingNode *homeUser = home->FindChild(IAPUsername);
    EXPECT_EQ(document.EditValue(homeUser, "").result, CEditResult::Changed);
    EXPECT_FALSE(port->IsIncluded() || prompt->IsIncluded() || homeUser->IsIncluded());
    EXPECT_FALSE(home->IsIncluded());

    // Without auto-include a change stays out.
    EXPECT_EQ(document.EditValue(homeUser, "bob", false).result, CEditResult::Changed);
    EXPECT_EQ(homeUser->GetValue(), "bob");
    EXPECT_FALSE(homeUser->IsIncluded() || home->IsIncluded());
    // An excluded node is included again by its next change.
    document.ToggleInclude(username);
    ASSERT_FALSE(username->IsIncluded());
    document.EditValue(username, "alice");
    EXPECT_FALSE(username->IsIncluded());
    document.EditValue(username, "carol");
    EXPECT_TRUE(username->IsIncluded());
}

TEST_F(SettingsDocumentTest, PasswordStandsOnlyWithItsConfirmation)
{
    document.EditValue(office->FindChild(PromptPassword), "No", false);
    CSettingNode *password = office->FindChild(IAPPassword);
    password->SetValue("old");

    // A confirmation that differs stores nothing and keeps the old password.
    CEditResult result = document.EditPassword(password, "secret", QStringLiteral("secreT"));
    EXPECT_EQ(result.result, CEditResult::Refused);
    EXPECT_EQ(result.message, "The passwords differ.");
    EXPECT_EQ(password->GetValue(), "old");
    EXPECT_FALSE(password->IsIncluded());

    result = document.EditPassword(password, "secret", QStringLiteral("secret"));
    EXPECT_TRUE(result.message.isEmpty());
    EXPECT_EQ(password->GetValue(), "secret");
    EXPECT_TRUE(password->IsIncluded());

    // No confirmation (cancelled) keeps it without a word; an empty password
    // needs none.
    result = document.EditPassword(password, "other", std::nullopt);
    EXPECT_EQ(result.result, CEditResult::Unchanged);
    EXPECT_TRUE(result.message.isEmpty());
    EXPECT_EQ(password->GetValue(), "secret");
    result = document.EditPassword(password, "", std::nullopt);
    EXPECT_EQ(result.result, CEditResult::Changed);
    EXPECT_EQ(password->GetValue(), "");
    EXPECT_TRUE(result.message.isEmpty());
}

TEST_F(SettingsDocumentTest, CustomSignatureChoiceIncludesTheSignature)
{
    CSettingNode *advanced = work->FindChild(Advanced);
    CSettingNode *choice = advanced->FindChild(IncludeSignature);
    CSettingNode *signature = advanced->FindChild(Signature);
    // Not included, without auto-include: nothing comes in.
    document.EditValue(choice, "Custom", false);
    EXPECT_FALSE(choice->IsIncluded() || signature->IsIncluded());
    document.EditValue(choice, "No", false);

    // Included already, so auto-include has nothing to do; the signature
    // (disabled until now) still follows.
    ASSERT_TRUE(document.SetIncluded(choice, true));
    ASSERT_FALSE(signature->IsIncluded());
    document.EditValue(choice, "Custom", false);
    EXPECT_TRUE(signature->IsIncluded());
    // Another choice disables and so excludes the signature again.
    document.EditValue(choice, "Card");
    EXPECT_TRUE(choice->IsIncluded());
    EXPECT_FALSE(signature->IsIncluded());
    document.EditValue(choice, "Custom signature");
    EXPECT_TRUE(signature->IsIncluded());
}

TEST_F(SettingsDocumentTest, EveryEditLeavesNoIncludedNodeDisabled)
{
    // Everything of "Office" applies and is included.
    document.EditValue(office->FindChild(PromptPassword), "No", false);
    document.EditValue(Path(office, {ScriptOptions, UseLoginScript}), "Yes", false);
    document.EditValue(Path(office, {Callback, UseCallback}), "Yes", false);
    document.ToggleInclude(office);
    document.ToggleInclude(work);
    const struct
    {
        std::vector<int> path;
        const char *value;
        int nowDisabled;
    } switches[] = {
        {{Proxies, HTTPUseProxy}, "No", HTTPProxyServer},
        {{AddressOptions, RetrieveIP}, "Yes", IPAddress},
        {{ScriptOptions, UseLoginScript}, "No", Script},
        {{Callback, UseCallback}, "Off", CallbackType},
        {{PromptPassword}, "Yes", IAPPassword},
    };
    for (const auto &s : switches) {
        CSettingNode *node = office;
        for (int type : s.path)
            node = node->FindChild(type);
        CSettingNode *dependent = node->GetParent()->FindChild(s.nowDisabled);
        ASSERT_TRUE(dependent->IsIncluded()) << s.nowDisabled;
        EXPECT_EQ(document.EditValue(node, s.value).result, CEditResult::Changed);
        EXPECT_TRUE(dependent->IsDisabled());
        EXPECT_EQ(IncludedDisabled(Root()), std::vector<int>{}) << s.value;
    }
    CSettingNode *apop = Path(work, {Advanced, UseAPOP});
    ASSERT_TRUE(apop->IsIncluded());
    document.EditValue(Path(work, {Servers, MailboxType}), "IMAP4");
    EXPECT_FALSE(apop->IsIncluded());
    EXPECT_EQ(IncludedDisabled(Root()), std::vector<int>{});

    // The include toggle is followed by the same walk.
    for (CSettingNode *node :
         {Root()->FindChild(IAPSettings), Root()->FindChild(IAPSettings),
          static_cast<CSettingNode *>(home), Root()->FindChild(EMailSettings)}) {
        document.ToggleInclude(node);
        EXPECT_EQ(IncludedDisabled(Root()), std::vector<int>{}) << node->GetType();
    }
}

TEST_F(SettingsDocumentTest, DeletingTheNamedAccessPointRepointsReferencesToTheLast)
{
    CSettingNode *extra = NewItem(IAPSettings, "Extra");
    CSettingNode *use = work->FindChild(MailboxUseConnection);
    CSettingNode *preferred = Path(Root(), {IAPSettings, PreferredConnection});
    document.EditValue(use, "Home");
    document.EditValue(preferred, "Extra");
    ASSERT_EQ(use->GetValue(), "Home");
    ASSERT_TRUE(use->IsIncluded() && preferred->IsIncluded());

    EXPECT_TRUE(document.DeleteNodes({home}));
    EXPECT_EQ(use->GetValue(), "Extra");
    EXPECT_TRUE(use->IsIncluded()) << "mandatory in the included mailbox";
    EXPECT_EQ(preferred->GetValue(), "Extra");
    EXPECT_TRUE(document.DeleteNodes({extra, office}));
    EXPECT_EQ(use->GetValue(), "");
    EXPECT_EQ(preferred->GetValue(), "");
    EXPECT_FALSE(use->IsIncluded() || preferred->IsIncluded());
}

TEST_F(SettingsDocumentTest, QueriesChangeNothing)
{
    // Bring the tree into a state only a load or a direct change leaves:
    // included disabled nodes and references to items that do not exist.
    CSettingNode *homeProxy = Path(home, {Proxies, HTTPProxyServer});
    CSettingNode *use = work->FindChild(MailboxUseConnection);
    CSettingNode *preferred = Path(Root(), {IAPSettings, PreferredConnection});
    homeProxy->SetIncludeFlag(1);
    office->FindChild(IAPPassword)->SetIncludeFlag(1);
    Path(work, {Advanced, Signature})->SetIncludeFlag(1);
    use->SetValue("Gone");
    use->SetIncludeFlag(1);
    preferred->SetValue("Gone too");
    document.SetModified(0);
    ASSERT_EQ(IncludedDisabled(Root()).size(), 3u);
    const std::string before = Snapshot(Root());
    observer.Clear();

    int disabled = 0;
    ForEachNode(Root(), [&disabled](CSettingNode *node) {
        QStringList choices;
        for (bool localized : {false, true}) {
            node->GetDisplayValue(localized);
            node->GetLabel(localized);
            node->GetChoices(choices, localized);
        }
        disabled += node->IsDisabled();
        node->IsMandatoryInIncludedParent();
        node->AcceptsInclude();
        IsPartlyIncluded(node);
    });
    EXPECT_GT(disabled, 0);
    EXPECT_EQ(use->GetDisplayValue(true), "Home") << "shown as the refresh will leave it";
    EXPECT_EQ(Snapshot(Root()), before);
    EXPECT_FALSE(document.IsModified());
    EXPECT_TRUE(observer.Silent());
}

TEST_F(SettingsDocumentTest, DeleteGoesBackwardsSkipsFieldsAndStopsAtAnItemInUse)
{
    CSettingNode *extra = NewItem(IAPSettings, "Extra");
    CSettingNode *wap = NewItem(WAPSettings, "Portal");
    ASSERT_NE(wap, nullptr);
    document.EditValue(wap->FindChild(WAPUseConnection), "Home");
    ASSERT_EQ(wap->FindChild(WAPUseConnection)->GetValue(), "Home");
    CSettingNode *category = Root()->FindChild(IAPSettings);
    document.SetModified(0);
    observer.Clear();

    // Nothing deletable: no report, no change.
    EXPECT_TRUE(document.DeleteNodes({nullptr, category, office->FindChild(IAPPhoneNumber),
                                      category->FindChild(IAPTemplate),
                                      category->FindChild(PreferredConnection)}));
    EXPECT_TRUE(observer.Silent());
    EXPECT_FALSE(document.IsModified());

    // From the last: "Extra" goes, "Home" is used by the WAP connection and
    // stops the walk before "Office"; the field in between is skipped.
    EXPECT_FALSE(document.DeleteNodes({office, home, office->FindChild(IAPUsername), extra}));
    EXPECT_EQ(document.LastErrorText(), "Used by WAP settings.");
    EXPECT_TRUE(Contains(category->Children(), office));
    EXPECT_TRUE(Contains(category->Children(), home));
    EXPECT_EQ(category->ChildCount(), 4) << "Extra is deleted";
    ASSERT_EQ(observer.removed.size(), 1u);
    EXPECT_EQ(observer.removed[0].first, category);
    EXPECT_EQ(observer.removed[0].second, std::vector<const CSettingNode *>{extra});
    EXPECT_TRUE(document.IsModified());
}

TEST_F(SettingsDocumentTest, RemovedNodesAreReportedByParentWhileTheyStillExist)
{
    CSettingNode *extra = NewItem(IAPSettings, "Extra");
    CSettingNode *mailboxes = Root()->FindChild(EMailSettings);
    CSettingNode *accessPoints = Root()->FindChild(IAPSettings);
    const int mailboxFields = work->ChildCount();
    const int accessPointFields = office->ChildCount();
    // Per report: the parent's type, then type and child count of each node.
    std::vector<std::vector<int>> seen;
    observer.onRemoved = [&seen](const CSettingNode *parent,
                                 const std::vector<const CSettingNode *> &nodes) {
        std::vector<int> facts{parent->GetType()};
        for (const CSettingNode *node : nodes) {
            EXPECT_FALSE(Contains(parent->Children(), node));
            facts.push_back(node->GetType());
            facts.push_back(node->ChildCount());
        }
        seen.push_back(facts);
    };
    EXPECT_TRUE(document.DeleteNodes({home, work, extra}));
    ASSERT_EQ(observer.removed.size(), 2u);
    for (const auto &[parent, nodes] : observer.removed) {
        EXPECT_TRUE(parent == mailboxes || parent == accessPoints);
        using Nodes = CRecordingObserver::Nodes;
        EXPECT_EQ(nodes, (parent == mailboxes ? Nodes{work} : Nodes{extra, home}));
    }
    const std::vector<int> mailboxReport{EMailSettings, Mailbox, mailboxFields};
    const std::vector<int> accessPointReport{IAPSettings, IAPConnection, accessPointFields,
                                             IAPConnection, accessPointFields};
    EXPECT_EQ(std::count(seen.begin(), seen.end(), mailboxReport), 1);
    EXPECT_EQ(std::count(seen.begin(), seen.end(), accessPointReport), 1);
}

namespace {

std::unique_ptr<CSettingNode> Entry(CApplication *application, int type, const QString &value)
{
    auto entry = std::make_unique<CSettingNode>(application);
    entry->SetType(type);
    if (type == WWWBookmark) {
        entry->CreateDefaultContent();
        entry->FindChild(WWWBookmarkName)->SetValue(value);
        entry->FindChild(WWWBookmarkURL)->SetValue("http://" + value + ".example.com/");
    } else {
        entry->SetValue(value);
    }
    return entry;
}

struct ListCase
{
    int category;
    int list;
    int entryType;
};

class ReplaceEntries : public SettingsDocumentTest, public ::testing::WithParamInterface<ListCase>
{
protected:
    std::vector<CSettingNode *> Replace(std::initializer_list<const char *> values)
    {
        std::vector<std::unique_ptr<CSettingNode>> entries;
        std::vector<CSettingNode *> made;
        for (const char *value : values) {
            entries.push_back(Entry(&tree.Application(), GetParam().entryType, value));
            made.push_back(entries.back().get());
        }
        document.ReplaceEntries(List(), std::move(entries));
        return made;
    }
    CSettingNode *List() const { return Path(Root(), {GetParam().category, GetParam().list}); }
};

} // namespace

TEST_P(ReplaceEntries, TakeTheNewEntriesInOrderAndIncludeTheListWhenItHasAny)
{
    CSettingNode *list = List();
    CSettingNode *category = list->GetParent();
    const std::vector<CSettingNode *> first = Replace({"a", "b"});
    EXPECT_EQ(list->Children(), first);
    EXPECT_TRUE(list->IsIncluded() && category->IsIncluded());
    EXPECT_TRUE(std::all_of(first.begin(), first.end(),
                            [list](CSettingNode *entry) { return entry->GetParent() == list; }));
    EXPECT_TRUE(document.IsModified());
    EXPECT_TRUE(observer.removed.empty());

    std::vector<int> removedTypes;
    observer.onRemoved = [&](const CSettingNode *parent,
                             const std::vector<const CSettingNode *> &nodes) {
        EXPECT_EQ(parent, list);
        for (const CSettingNode *node : nodes)
            removedTypes.push_back(node->GetType());
    };
    document.SetModified(0);
    const std::vector<CSettingNode *> second = Replace({"c", "d", "e"});
    EXPECT_EQ(list->Children(), second);
    ASSERT_EQ(observer.removed.size(), 1u);
    EXPECT_EQ(observer.removed[0].second, CRecordingObserver::Nodes(first.begin(), first.end()));
    EXPECT_EQ(removedTypes, std::vector(2, GetParam().entryType));
    EXPECT_TRUE(list->IsIncluded());
    EXPECT_TRUE(document.IsModified()) << "3 entries instead of 2";

    document.SetModified(0);
    observer.Clear();
    Replace({});
    EXPECT_EQ(list->ChildCount(), 0);
    EXPECT_FALSE(list->IsIncluded() || category->IsIncluded());
    EXPECT_TRUE(document.IsModified());
    EXPECT_EQ(observer.removed.size(), 1u);
}

TEST_P(ReplaceEntries, LeaveTheDocumentUnmodifiedWhenTheShownValueStays)
{
    Replace({"a"});
    document.SetModified(0);
    observer.Clear();
    Replace({"b"});
    ASSERT_EQ(List()->GetDisplayValue(true).left(1), "1");
    EXPECT_FALSE(document.IsModified());
}

INSTANTIATE_TEST_SUITE_P(Lists, ReplaceEntries,
                         ::testing::Values(ListCase{PersonalData, WWWBookmarks, WWWBookmark},
                                           ListCase{FileTransfer, RingingTones, RingingTone}),
                         [](const auto &row) { return std::to_string(row.param.list); });

TEST_F(SettingsDocumentTest, RenamingAWapConnectionRenamesItInTheBookmarksThatUseIt)
{
    CSettingNode *portal = NewItem(WAPSettings, "Portal");
    NewItem(WAPSettings, "Other");
    std::vector<std::unique_ptr<CSettingNode>> entries;
    for (const char *connection : {"Portal", "Other", "Portal"}) {
        auto entry = std::make_unique<CSettingNode>(&tree.Application());
        entry->SetType(WAPBookmark);
        entry->CreateDefaultContent();
        entry->FindChild(WAPBookmarkName)->SetValue(QString::number(entries.size()));
        entry->FindChild(WAPBookmarkURL)->SetValue("http://wap.example.com/");
        entry->FindChild(WAPBookmarkUseConnection)->SetValue(connection);
        entries.push_back(std::move(entry));
    }
    CSettingNode *list = Path(Root(), {PersonalData, WAPBookmarks});
    document.ReplaceEntries(list, std::move(entries));
    const auto connections = [list] {
        QStringList names;
        for (const CSettingNode *bookmark : list->Children())
            names << bookmark->FindChild(WAPBookmarkUseConnection)->GetValue();
        return names;
    };
    observer.Clear();

    ASSERT_EQ(document.EditValue(portal->FindChild(WAPConnectionName), "Gateway").result,
              CEditResult::Changed);
    EXPECT_EQ(connections(), (QStringList{"Gateway", "Other", "Gateway"}));
    EXPECT_TRUE(
        Contains(observer.changed, list->Children()[2]->FindChild(WAPBookmarkUseConnection)));
    QString text;
    ASSERT_EQ(WriteConfiguration(Root(), text), 1);
    EXPECT_EQ(text.count(">Gateway</UseConnection>"), 2) << text.toStdString();
    EXPECT_FALSE(text.contains("Portal"));

    // A new connection renames nothing; a refused name leaves the bookmarks.
    NewItem(WAPSettings, "Portal");
    EXPECT_EQ(document.EditValue(portal->FindChild(WAPConnectionName), "Other").result,
              CEditResult::Refused);
    EXPECT_EQ(connections(), (QStringList{"Gateway", "Other", "Gateway"}));
}

TEST_F(SettingsDocumentTest, SavedPasswordsTakeTheirKeysFromTheDocument)
{
    document.EditValue(work->FindChild(MailboxPassword), "secret");
    QTemporaryDir dir;
    const auto saved = [&](const QString &name) {
        EXPECT_TRUE(document.Save(dir.filePath(name)));
        QFile file(dir.filePath(name));
        EXPECT_TRUE(file.open(QIODevice::ReadOnly));
        return file.readAll();
    };
    const QByteArray random = saved("random.xml");
    document.SetScrambleKeys([] { return std::uint16_t{2}; });
    const QByteArray first = saved("first.xml");
    EXPECT_EQ(saved("second.xml"), first);
    EXPECT_NE(first, random);
    // The key 2 steps to 4, written first.
    EXPECT_TRUE(first.contains(QByteArray("0\0000\0000\0004\000", 8)));
}

TEST_F(SettingsDocumentTest, NamingATemplateReportsTheNewTemplateAndTheRenamedItem)
{
    CSettingNode *category = Root()->FindChild(EMailSettings);
    CSettingNode *item = category->FindChild(MailboxTemplate);
    CSettingNode *name = item->FindChild(MailboxName);
    observer.onAdded = [](const CSettingNode *node) {
        EXPECT_TRUE(Contains(node->GetParent()->Children(), node)) << node->GetType();
    };
    EXPECT_EQ(document.EditValue(name, "Private").result, CEditResult::Changed);
    ASSERT_EQ(item->GetType(), Mailbox);
    CSettingNode *newTemplate = category->Children().back();
    ASSERT_EQ(newTemplate->GetType(), MailboxTemplate);
    ASSERT_NE(newTemplate, item);
    ASSERT_FALSE(observer.added.empty());
    EXPECT_EQ(observer.added.front(), newTemplate);
    EXPECT_TRUE(Contains(observer.changed, item));
    EXPECT_TRUE(Contains(observer.changed, name));
    EXPECT_FALSE(Contains(observer.added, item));
}
