#include "document/SettingsDocument.h"

#include "document/IncludeToggle.h"
#include "document/ItemClipboard.h"

#include "settings/NodeCatalogue.h"
#include "settings/StringIds.h"
#include "settings/TreeHelpers.h"
#include "support/QtPrinters.h"
#include "support/TestApplication.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QStringList>
#include <QTemporaryDir>

#include <functional>
#include <memory>
#include <random>
#include <string>
#include <vector>

using namespace NodeType;

namespace {

void ForEachNode(const CSettingNode *node, const std::function<void(const CSettingNode *)> &visit)
{
    visit(node);
    for (const CSettingNode *child : node->Children())
        ForEachNode(child, visit);
}

// Everything of the tree that undo must put back, the hidden nodes too.
std::string Snapshot(const CSettingNode *root)
{
    QStringList lines;
    ForEachNode(root, [&lines](const CSettingNode *node) {
        lines << QStringLiteral("%1 %2%3 %4 %5")
                     .arg(node->GetType())
                     .arg(node->IsIncluded())
                     .arg(node->GetUpdateFlag())
                     .arg(node->ChildCount())
                     .arg(node->GetValue());
    });
    return lines.join(u'\n').toStdString();
}

std::unique_ptr<CSettingNode> Bookmark(CApplication *application, const QString &name)
{
    auto entry = std::make_unique<CSettingNode>(application);
    entry->SetType(WWWBookmark);
    entry->CreateDefaultContent();
    entry->FindChild(WWWBookmarkName)->SetValue(name);
    entry->FindChild(WWWBookmarkURL)->SetValue("http://" + name + ".example.com/");
    return entry;
}

// Sees that the nodes an observer is told about are where it is told they
// are, as a tree view relies on.
struct CPlaceChecker final : ITreeObserver
{
    int added = 0;
    int removed = 0;
    void NodeAdded(const CSettingNode *node) override
    {
        ++added;
        const auto children = node->GetParent()->Children();
        EXPECT_NE(std::find(children.begin(), children.end(), node), children.end());
    }
    void NodeChanged(const CSettingNode *) override {}
    void NodesRemoved(const CSettingNode *parent,
                      const std::vector<const CSettingNode *> &nodes) override
    {
        removed += static_cast<int>(nodes.size());
        for (const CSettingNode *node : nodes) {
            EXPECT_EQ(std::find(parent->Children().begin(), parent->Children().end(), node),
                      parent->Children().end());
            EXPECT_GE(node->GetType(), 0); // still alive
        }
    }
    void TreeReplaced(const CSettingNode *) override {}
};

class UndoTest : public ::testing::Test
{
protected:
    UndoTest()
    {
        using namespace StringId;
        tree.Strings().texts = {
            {EditChange, "Change \"%s\""},
            {EditInclude, "Include \"%s\""},
            {EditExclude, "Exclude \"%s\""},
            {EditDelete, "Delete \"%s\""},
            {EditDeleteItems, "Delete %d items"},
            {EditAdd, "Add \"%s\""},
            {EditCut, "Cut \"%s\""},
            {278, "New access point"},
            {205, "New mailbox"},
            {419, "Web bookmarks"},
            {279, "Access points"},
            {261, "Password"},
            {MsgPasswordsDiffer, "The passwords differ."},
        };
        document.Reset();
        document.SetScrambleKeys([] { return std::uint16_t{7}; });
        NewItem(IAPSettings, "Office");
        NewItem(IAPSettings, "Home");
        NewItem(EMailSettings, "Work");
        NewItem(WAPSettings, "Portal");
        // As a file opened: no history.
        EXPECT_TRUE(document.Save(dir.filePath("start.xml")));
        Reopen();
    }

    void Reopen()
    {
        EXPECT_NE(document.Open(dir.filePath("start.xml")),
                  CSettingsDocument::OpenResult::NotReadable);
    }

    CSettingNode *Root() const { return Writable(document.GetRoot()); }
    CSettingNode *NewItem(int categoryType, const QString &name)
    {
        const ItemRole *role = RoleOfCategory(categoryType);
        CSettingNode *item = Path(Root(), {categoryType, role->itemTemplate});
        document.EditValue(item->FindChild(role->nameField), name);
        return item;
    }
    QByteArray Saved()
    {
        const QString path = dir.filePath("saved.xml");
        EXPECT_TRUE(document.Save(path));
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::ReadOnly));
        return file.readAll();
    }

    CTestTree tree{false};
    CSettingsDocument document{&tree.Application()};
    QTemporaryDir dir;
};

// One random edit of any kind the document offers.
void RandomEdit(CSettingsDocument &document, CApplication *application, std::mt19937 &random)
{
    std::vector<const CSettingNode *> nodes;
    ForEachNode(document.GetRoot(), [&nodes](const CSettingNode *node) {
        if (node->GetParent())
            nodes.push_back(node);
    });
    const auto pick = [&random](std::size_t size) {
        return std::uniform_int_distribution<std::size_t>(0, size - 1)(random);
    };
    const CSettingNode *node = nodes[pick(nodes.size())];
    static const QStringList texts = {"",
                                      "1",
                                      "70000",
                                      "Office",
                                      "Home",
                                      "x y",
                                      "+358 40 123",
                                      "host.example.com",
                                      "a@b.example.com",
                                      "Yes",
                                      "No"};
    switch (pick(7)) {
    case 0:
    case 1: {
        QStringList choices;
        node->GetChoices(choices, false);
        const QStringList &from = choices.isEmpty() || pick(3) == 0 ? texts : choices;
        document.EditValue(node, from[static_cast<int>(pick(from.size()))], pick(4) != 0);
        break;
    }
    case 2:
        document.ToggleInclude(node);
        break;
    case 3: {
        std::vector<const CSettingNode *> items;
        for (const CSettingNode *candidate : nodes)
            if (IsDeletableType(candidate->GetType()) && pick(3) == 0)
                items.push_back(candidate);
        document.DeleteNodes(items);
        break;
    }
    case 4: {
        const CSettingNode *list = document.GetRoot()->FindDescendant({PersonalData, WWWBookmarks});
        std::vector<std::unique_ptr<CSettingNode>> entries;
        for (std::size_t i = pick(4); i > 0; --i)
            entries.push_back(Bookmark(application, QStringLiteral("b%1").arg(pick(100))));
        document.ReplaceEntries(list, std::move(entries));
        break;
    }
    case 5: {
        static const int categories[] = {IAPSettings, EMailSettings, WAPSettings, SMSSettings};
        const ItemRole *role = RoleOfCategory(categories[pick(4)]);
        const CSettingNode *item =
            document.GetRoot()->FindDescendant({role->category, role->itemTemplate});
        document.EditValue(item->FindChild(role->nameField), QStringLiteral("n%1").arg(pick(50)));
        break;
    }
    default: {
        const CSettingNode *password =
            document.GetRoot()->FindDescendant({EMailSettings, Mailbox, MailboxPassword});
        if (!password)
            break;
        const QString typed = QStringLiteral("p%1").arg(pick(9));
        document.EditPassword(password, typed,
                              pick(3) == 0 ? std::optional<QString>()
                                           : std::optional<QString>(pick(2) ? typed : "other"));
    }
    }
}

} // namespace

TEST_F(UndoTest, RandomEditsUndoneGiveTheSavedFileAndRedoneTheEditedOne)
{
    for (unsigned seed = 1; seed <= 12; ++seed) {
        SCOPED_TRACE(seed);
        std::mt19937 random(seed);
        const QByteArray original = Saved();
        std::vector<std::string> before; // the tree before each step
        for (int edit = 0; edit < 40; ++edit) {
            const std::string now = Snapshot(Root());
            RandomEdit(document, &tree.Application(), random);
            if (Snapshot(Root()) != now) {
                // A change is always a step of its own.
                ASSERT_TRUE(document.CanUndo());
                ASSERT_FALSE(document.CanRedo());
                before.push_back(now);
            }
        }
        const QByteArray edited = Saved();
        const std::string editedTree = Snapshot(Root());
        int steps = 0;
        while (document.CanUndo()) {
            ASSERT_TRUE(document.Undo());
            ++steps;
        }
        // Steps that change nothing visible may be recorded as well; each
        // real one is taken back exactly.
        ASSERT_GE(steps, static_cast<int>(before.size()));
        EXPECT_EQ(Snapshot(Root()), before.empty() ? editedTree : before.front());
        EXPECT_EQ(Saved(), original);
        EXPECT_FALSE(document.IsModified());
        while (document.CanRedo())
            ASSERT_TRUE(document.Redo());
        EXPECT_EQ(Snapshot(Root()), editedTree);
        EXPECT_EQ(Saved(), edited);
        EXPECT_EQ(document.IsModified() != 0, steps > 0);
        Reopen();
    }
}

TEST_F(UndoTest, EachUndoTakesBackOneEditAndRedoMakesItAgain)
{
    std::mt19937 random(99);
    CPlaceChecker checker;
    document.AddObserver(&checker);
    std::vector<std::string> trees{Snapshot(Root())};
    std::vector<QString> names;
    for (int edit = 0; edit < 60; ++edit) {
        const std::size_t stepsBefore = names.size();
        RandomEdit(document, &tree.Application(), random);
        // Count the steps by undoing none: a new step shows as a new text or
        // as a snapshot that differs.
        if (Snapshot(Root()) != trees.back()) {
            trees.push_back(Snapshot(Root()));
            names.push_back(document.UndoText());
        }
        ASSERT_LE(stepsBefore, names.size());
    }
    ASSERT_GT(names.size(), 20u);
    for (std::size_t i = trees.size() - 1; i > 0; --i) {
        // Edits that changed nothing shown in the snapshot have their own
        // steps: undo until the tree moves.
        while (Snapshot(Root()) == trees[i])
            ASSERT_TRUE(document.Undo());
        EXPECT_EQ(Snapshot(Root()), trees[i - 1]);
    }
    for (std::size_t i = 1; i < trees.size(); ++i) {
        while (Snapshot(Root()) == trees[i - 1])
            ASSERT_TRUE(document.Redo());
        EXPECT_EQ(Snapshot(Root()), trees[i]);
        EXPECT_EQ(document.UndoText(), names[i - 1]);
    }
    EXPECT_GT(checker.added, 0);
    EXPECT_GT(checker.removed, 0);
    document.RemoveObserver(&checker);
}

TEST_F(UndoTest, TheModifiedFlagFollowsTheSavedStateAndANewEditDropsTheRedoSteps)
{
    CSettingNode *office = Path(Root(), {IAPSettings, IAPConnection});
    CSettingNode *gateway = Path(office, {AddressOptions, RetrieveIP});
    document.EditValue(gateway, "No");
    document.EditValue(gateway, "Yes");
    document.SetModified(0); // saved here
    document.Undo();
    EXPECT_TRUE(document.IsModified());
    document.Redo();
    EXPECT_FALSE(document.IsModified());
    document.Undo();
    document.Undo();
    EXPECT_TRUE(document.IsModified());
    // A new edit after undoing: the saved state can no longer be reached.
    document.ToggleInclude(office);
    EXPECT_FALSE(document.CanRedo());
    // As many steps as the saved state had, but not the saved state.
    document.EditValue(gateway, "No");
    document.Undo();
    document.Redo();
    EXPECT_TRUE(document.IsModified());
    while (document.CanUndo()) {
        document.Undo();
        EXPECT_TRUE(document.IsModified());
    }
    // A replaced tree has no history.
    document.Reset();
    EXPECT_FALSE(document.CanUndo() || document.CanRedo());
    EXPECT_FALSE(document.IsModified());
}

TEST_F(UndoTest, StepsAreNamedAfterTheChangeAndIncludeTogglesOfManyFlagsAreOneStep)
{
    tree.Strings().texts[NodeTypeInfoOf(MailboxPassword).labelId] = "Password";
    CSettingNode *category = Root()->FindChild(IAPSettings);
    CSettingNode *office = category->FindChild(IAPConnection);
    const CSettingNode *home = category->Children()[2];
    EXPECT_FALSE(document.CanUndo());
    NewItem(SMSSettings, "Centre");
    EXPECT_EQ(document.UndoText(), "Add \"Centre\"");
    ASSERT_TRUE(category->IsIncluded() && office->IsIncluded());
    document.ToggleInclude(category);
    EXPECT_EQ(document.UndoText(), "Exclude \"Access points\"");
    EXPECT_FALSE(category->IsIncluded() || office->IsIncluded());
    document.Undo();
    EXPECT_TRUE(category->IsIncluded() && office->IsIncluded());
    EXPECT_EQ(document.RedoText(), "Exclude \"Access points\"");

    // The WAP connection uses "Office": deleting it is refused, after "Home".
    EXPECT_FALSE(document.DeleteNodes({office, home}));
    EXPECT_EQ(document.UndoText(), "Delete \"Home\"");
    EXPECT_EQ(category->FindChild(IAPConnection), office);
    EXPECT_EQ(category->ChildCount(), 3);
    document.Undo();
    EXPECT_EQ(category->Children()[2], home);
    EXPECT_EQ(document.RedoText(), "Delete \"Home\"");
    const std::size_t count = category->Children().size();
    document.DeleteNodes({office, Root()->FindDescendant({WAPSettings, WAPConnection})});
    EXPECT_EQ(document.UndoText(), "Delete 2 items");
    EXPECT_EQ(category->Children().size(), count - 1);
    document.Undo();
    document.CutNodes({home});
    EXPECT_EQ(document.UndoText(), "Cut \"Home\"");
    document.Undo();
    EXPECT_EQ(category->Children().size(), count);

    // A mistyped confirmation is no step.
    const CSettingNode *password = Path(Root(), {EMailSettings, Mailbox, MailboxPassword});
    document.EditPassword(password, "a", QStringLiteral("a"));
    EXPECT_EQ(document.UndoText(), "Change \"Password\"");
    document.EditPassword(password, "b", QStringLiteral("c"));
    document.Undo();
    EXPECT_EQ(password->GetValue(), "");
}

TEST_F(UndoTest, CopiedItemsPasteUnderAFreeNameAsOneStepAndOtherTextPastesNothing)
{
    tree.Strings().texts[StringId::EditPaste] = "Paste \"%s\"";
    tree.Strings().texts[StringId::EditPasteItems] = "Paste %d items";
    CSettingNode *category = Root()->FindChild(IAPSettings);
    CSettingNode *office = category->FindChild(IAPConnection);
    ASSERT_EQ(document.EditValue(office->FindChild(IAPUsername), "alice").result,
              CEditResult::Changed);
    ASSERT_TRUE(office->FindChild(IAPPassword)->SetValue("s<e>cret"));
    const std::vector<const CSettingNode *> copied = {office,
                                                      Path(Root(), {EMailSettings, Mailbox})};
    const QString text = ItemsConfigurationText(copied);
    EXPECT_TRUE(ItemsListing({office}).contains("alice"));
    const std::string before = Snapshot(Root());

    EXPECT_EQ(document.AddItems(ItemsFromText(&tree.Application(), text)), 2);
    EXPECT_EQ(document.UndoText(), "Paste 2 items");
    EXPECT_EQ(document.AddItems(ItemsFromText(&tree.Application(), text)), 2);
    QStringList names;
    for (const CSettingNode *item : category->Children())
        if (item->GetType() == IAPConnection)
            names << item->GetLabel(true);
    EXPECT_EQ(names, (QStringList{"Office", "Home", "Office (2)", "Office (3)"}));
    const CSettingNode *pasted = category->Children()[category->Children().size() - 2];
    EXPECT_EQ(pasted->FindChild(IAPUsername)->GetValue(), "alice");
    EXPECT_EQ(pasted->FindChild(IAPPassword)->GetValue(), "s<e>cret");
    EXPECT_EQ(pasted->IsIncluded(), office->IsIncluded());

    document.Undo();
    document.Undo();
    EXPECT_EQ(Snapshot(Root()), before);
    // Text that holds no item, or a configuration cut short, pastes nothing.
    for (const QString &other : {QString("Office"), QString(), text.left(text.size() / 2)})
        EXPECT_TRUE(ItemsFromText(&tree.Application(), other).empty());
    document.AddItems({});
    EXPECT_EQ(document.RedoText(), "Paste 2 items");
}
