#include "SettingsTreeFixture.h"

#include "document/IncludeToggle.h"
#include "document/TreeRows.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>

namespace {

using CSettingsTreeModelTest = CSettingsTreeTest;

// Asks for every row, as a view that expands everything would.
int VisitAll(QAbstractItemModel &model, const QModelIndex &parent = {})
{
    int rows = model.rowCount(parent);
    for (int row = model.rowCount(parent) - 1; row >= 0; --row)
        rows += VisitAll(model, model.index(row, 0, parent));
    return rows;
}

} // namespace

TEST_F(CSettingsTreeModelTest, StaysConsistentThroughEveryKindOfChange)
{
    CSettingNode *office = AddAccessPoint(Root(), "Office");
    AddMailbox(Root(), "Work");
    CSettingsTreeModel model;
    // Any inconsistency the tester finds ends the test program.
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);
    model.SetRoot(Root());
    const int before = VisitAll(model);

    // Naming the template turns it into an item and adds a fresh template
    // with as many rows again.
    CSettingNode *home = AddAccessPoint(Root(), "Home");
    model.RefreshNewNodes();
    const int withHome = VisitAll(model);
    EXPECT_GT(withHome - before, 20);
    EXPECT_EQ(model.IndexOf(home).data().toString(), "Home");

    CSettingNode *free = model.AddChild(office, "x", EditorKind::None, FreeElement);
    free->SetLabelOverride("Extra");
    EXPECT_EQ(model.IndexOf(free).data().toString(), "Extra");
    EXPECT_EQ(VisitAll(model), withHome + 1);
    std::unique_ptr<CSettingNode> taken = model.TakeNode(free);
    EXPECT_EQ(taken.get(), free);
    EXPECT_FALSE(model.IndexOf(free).isValid());

    EXPECT_TRUE(DeleteNodes({home}, [&](CSettingNode *node) { model.NodeRemoved(node); }));
    EXPECT_EQ(VisitAll(model), before);
    model.SetRoot(nullptr);
    EXPECT_EQ(model.rowCount(), 0);
}

TEST_F(CSettingsTreeModelTest, RowsAndValuesAreWhatTheTreeShows)
{
    CSettingNode *office = AddAccessPoint(Root(), "Office");
    CSettingNode *work = AddMailbox(Root(), "Work");
    CSettingsTreeModel model;
    model.SetRoot(Root());

    // Hidden nodes have no row.
    QStringList categories, rows;
    for (CSettingNode *row : RowChildren(Root(), false))
        categories << row->GetLabel(true);
    for (int row = 0; row < model.rowCount(); ++row)
        rows << model.index(row, CSettingsTreeModel::LabelColumn).data().toString();
    EXPECT_EQ(rows, categories);
    EXPECT_FALSE(categories.contains(Path(Root(), {BIOMessages})->GetLabel(true)));

    // The file lists keep their entries out of the tree.
    CSettingNode *tones = Path(Root(), {FileTransfer, RingingTones});
    tones->AddChild("tone.wav", EditorKind::None, RingingTone);
    VisitAll(model);
    EXPECT_EQ(model.rowCount(model.IndexOf(tones)), 0);

    CSettingNode *password = office->FindChild(IAPPassword);
    CSettingNode *size = Path(work, {RetrieveMail, MessageMaxSize});
    auto value = [&](CSettingNode *node) {
        return model.IndexOf(node, CSettingsTreeModel::ValueColumn).data().toString();
    };
    EXPECT_EQ(value(password), "");
    password->SetValue("a much longer secret than eight");
    EXPECT_EQ(value(password), "********");
    size->SetValue("300");
    EXPECT_EQ(value(size), "300 kB");
    EXPECT_EQ(model.IndexOf(size).data().toString(), size->GetLabel(true));
}

TEST_F(CSettingsTreeModelTest, RefreshShowsNewNodesAndDropsNodesThatLeftTheTree)
{
    CSettingsTreeModel model;
    model.SetRoot(Root());
    const QModelIndex category = model.IndexOf(Path(Root(), {IAPSettings}));
    ASSERT_EQ(model.rowCount(category), 2);
    const QPersistentModelIndex templateRow = model.index(1, 0, category);
    VisitAll(model);

    QSignalSpy inserted(&model, &QAbstractItemModel::rowsInserted);
    CSettingNode *office = AddAccessPoint(Root(), "Office");
    EXPECT_EQ(model.rowCount(category), 2) << "nothing changes for a view until the refresh";
    model.RefreshNewNodes();
    ASSERT_EQ(inserted.count(), 1);
    EXPECT_EQ(inserted[0][1].toInt(), 2);
    EXPECT_EQ(inserted[0][2].toInt(), 2);
    EXPECT_EQ(model.NodeAt(templateRow), office);
    EXPECT_EQ(model.NodeAt(model.index(2, 0, category))->GetType(), IAPTemplate);

    // Removed and destroyed behind the model's back: the refresh drops the
    // rows without touching the gone nodes (the sanitizer build checks that).
    QSignalSpy removed(&model, &QAbstractItemModel::rowsRemoved);
    ASSERT_TRUE(office->RemoveFromTree());
    delete office;
    model.RefreshNewNodes();
    EXPECT_EQ(removed.count(), 1);
    EXPECT_FALSE(templateRow.isValid());
    EXPECT_EQ(model.rowCount(category), 2);
}
