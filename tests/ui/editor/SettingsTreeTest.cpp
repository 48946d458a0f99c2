#include "SettingsTreeFixture.h"

#include "document/IncludeToggle.h"
#include "document/TreeRows.h"
#include "ui/editor/SettingsRowDelegate.h"
#include "ui/editor/TreeIconIds.h"
#include "ui/editor/TreeIcons.h"

#include <QAbstractItemModelTester>
#include <QLineEdit>
#include <QSignalSpy>

#include <functional>

namespace {

// Every node's type, flags and value in tree order (a written file would
// differ anyway: passwords are scrambled afresh each time).
QStringList Snapshot(const CSettingNode *node)
{
    QStringList lines{QStringLiteral("%1 %2 %3 %4")
                          .arg(node->GetType())
                          .arg(node->IsIncluded())
                          .arg(node->GetUpdateFlag())
                          .arg(node->GetValue())};
    for (const CSettingNode *child : node->Children())
        lines += Snapshot(child);
    return lines;
}

// Asks for every row, as a view that expands everything would.
int VisitAll(QAbstractItemModel &model, const QModelIndex &parent = {})
{
    int rows = model.rowCount(parent);
    for (int row = model.rowCount(parent) - 1; row >= 0; --row)
        rows += VisitAll(model, model.index(row, 0, parent));
    return rows;
}

} // namespace

TEST_F(CSettingsTreeTest, ModelFollowsTheDocumentsChangesAndStaysConsistent)
{
    CSettingsTreeModel &model = *m_ctrl->Model();
    // Any inconsistency the tester finds ends the test program.
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);
    model.SetRoot(Root());
    const QModelIndex category = model.IndexOf(Path(Root(), {IAPSettings}));
    ASSERT_EQ(model.rowCount(category), 3);
    const QPersistentModelIndex templateRow = model.index(2, 0, category);
    const int before = VisitAll(model);

    // Naming the template turns it into an item and adds a fresh template
    // below it, which the view hears of as it happens.
    QSignalSpy inserted(&model, &QAbstractItemModel::rowsInserted);
    QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
    CSettingNode *templateNode = Path(Root(), {IAPSettings, IAPTemplate});
    ASSERT_FALSE(
        m_document.EditValue(templateNode->FindChild(IAPConnectionName), "Home").IsRefused());
    CSettingNode *home = templateNode;
    ASSERT_EQ(inserted.count(), 1);
    EXPECT_EQ(inserted[0][1].toInt(), 3);
    EXPECT_EQ(inserted[0][2].toInt(), 3);
    EXPECT_EQ(model.NodeAt(templateRow), home);
    EXPECT_EQ(model.NodeAt(model.index(3, 0, category))->GetType(), IAPTemplate);
    EXPECT_GT(changed.count(), 0) << "the new item's label and its included flags";
    const int withHome = VisitAll(model);
    EXPECT_GT(withHome - before, 20);

    CSettingNode *free = m_office->AddChild("x", EditorKind::None, FreeElement);
    free->SetLabelOverride("Extra");
    EXPECT_EQ(model.IndexOf(free).data().toString(), "Extra");
    EXPECT_EQ(VisitAll(model), withHome + 1);

    // Deleting rows, in runs and alone; the removed nodes' rows go with them.
    CSettingNode *third = AddAccessPoint(Root(), "Third");
    EXPECT_TRUE(m_document.DeleteNodes({home, third}));
    EXPECT_FALSE(templateRow.isValid());
    EXPECT_EQ(model.rowCount(category), 3);
    EXPECT_EQ(VisitAll(model), before + 1);
    model.SetRoot(nullptr);
    EXPECT_EQ(model.rowCount(), 0);
}

TEST_F(CSettingsTreeTest, ShowingEveryRowChangesNothing)
{
    // Excluded disabled fields and a dangling reference: painting once
    // repaired them as a side effect.
    CSettingNode *address = Path(m_office, {AddressOptions, IPAddress});
    address->SetIncludeFlag(1);
    CSettingNode *use = m_work->FindChild(MailboxUseConnection);
    use->SetValue("Nowhere");
    m_document.SetModified(0);
    const QStringList saved = Snapshot(Root());
    m_ctrl->expandAll();
    CSettingsTreeModel &model = *m_ctrl->Model();
    for (int column : {0, 1}) {
        std::function<void(const QModelIndex &)> visit = [&](const QModelIndex &parent) {
            for (int row = 0; row < model.rowCount(parent); ++row) {
                const QModelIndex index = model.index(row, column, parent);
                (void)index.data();
                visit(model.index(row, 0, parent));
            }
        };
        visit({});
    }
    m_ctrl->viewport()->repaint();
    QStringList choices;
    std::function<void(CSettingNode *)> ask = [&](CSettingNode *node) {
        (void)node->GetDisplayValue(true);
        (void)node->GetLabel(true);
        node->GetChoices(choices, true);
        (void)node->IsDisabled();
        (void)IsPartlyIncluded(node);
        for (CSettingNode *child : node->Children())
            ask(child);
    };
    ask(Root());
    EXPECT_EQ(Snapshot(Root()), saved);
    EXPECT_FALSE(m_document.IsModified());
    EXPECT_EQ(address->IsIncluded(), 1);
    EXPECT_EQ(use->GetValue(), "Nowhere");
    EXPECT_EQ(use->GetDisplayValue(true), "Office") << "shown as the next edit will repair it";
}

TEST_F(CSettingsTreeTest, ModelShowsTheRowsAndValuesOfTheTree)
{
    CSettingsTreeModel model;
    model.SetRoot(Root());
    // Hidden nodes have no row.
    const auto categories = RowChildren(Root(), false);
    ASSERT_EQ(model.rowCount(), int(categories.size()));
    for (int row = 0; row < model.rowCount(); ++row)
        EXPECT_EQ(model.index(row, 0).data().toString(), categories[row]->GetLabel(true));
    EXPECT_FALSE(model.IndexOf(Path(Root(), {BIOMessages})).isValid());

    // The file lists keep their entries out of the tree.
    CSettingNode *tones = Path(Root(), {FileTransfer, RingingTones});
    tones->AddChild("tone.wav", EditorKind::None, RingingTone);
    VisitAll(model);
    EXPECT_EQ(model.rowCount(model.IndexOf(tones)), 0);

    auto value = [&](CSettingNode *node, const char *stored) {
        node->SetValue(stored);
        return model.IndexOf(node, CSettingsTreeModel::ValueColumn).data().toString();
    };
    EXPECT_EQ(value(Field(IAPPassword), ""), "");
    EXPECT_EQ(value(Field(IAPPassword), "a much longer secret than eight"), "********");
    EXPECT_EQ(value(Path(m_work, {RetrieveMail, MessageMaxSize}), "300"), "300 kB");
}

TEST_F(CSettingsTreeTest, CheckIconAndSpaceToggleOnReleaseOverTheSameRow)
{
    CSettingNode *username = Field(IAPUsername);
    const QModelIndex row = Row(username);
    const QModelIndex below = m_ctrl->indexBelow(row);
    QWidget *viewport = m_ctrl->viewport();
    // Pressed on the icon and released anywhere over the same row.
    QTest::mousePress(viewport, Qt::LeftButton, {}, OnCheck(row));
    EXPECT_EQ(m_ctrl->PressedIndex(), row);
    QTest::mouseRelease(viewport, Qt::LeftButton, {}, OnLabel(row));
    EXPECT_TRUE(username->IsIncluded());
    EXPECT_TRUE(m_ctrl->AnyIncluded());
    EXPECT_FALSE(m_ctrl->PressedIndex().isValid());

    // Released over another row: only the pressed look goes.
    QTest::mousePress(viewport, Qt::LeftButton, {}, OnCheck(row));
    QTest::mouseRelease(viewport, Qt::LeftButton, {}, OnCheck(below));
    EXPECT_TRUE(username->IsIncluded());
    EXPECT_FALSE(m_ctrl->PressedIndex().isValid());
    QTest::mouseClick(viewport, Qt::LeftButton, {}, OnCheck(row));
    EXPECT_FALSE(username->IsIncluded());

    // A disabled row's check icon does not react.
    CSettingNode *address = Path(m_office, {AddressOptions, IPAddress});
    QTest::mousePress(viewport, Qt::LeftButton, {}, OnCheck(Row(address)));
    EXPECT_FALSE(m_ctrl->PressedIndex().isValid());
    QTest::mouseRelease(viewport, Qt::LeftButton, {}, OnCheck(Row(address)));
    EXPECT_FALSE(address->IsIncluded());

    // Space toggles the caret row on release and never starts an edit;
    // Ctrl+Space marks the row instead.
    Click(row);
    QTest::keyPress(m_ctrl.get(), Qt::Key_Space);
    EXPECT_EQ(m_ctrl->PressedIndex(), row);
    EXPECT_FALSE(username->IsIncluded());
    QTest::keyRelease(m_ctrl.get(), Qt::Key_Space);
    EXPECT_TRUE(username->IsIncluded());
    EXPECT_EQ(Editor(), nullptr);
    Key(Qt::Key_Space, Qt::ControlModifier);
    EXPECT_FALSE(m_ctrl->selectionModel()->hasSelection());
    EXPECT_EQ(m_ctrl->Anchor(), row);
    EXPECT_TRUE(username->IsIncluded());
}

TEST_F(CSettingsTreeTest, ClicksAndArrowsSelectWithCtrlAndShiftFromTheAnchor)
{
    CSettingNode *const rows[] = {Field(IAPConnectionName), Field(IAPPhoneNumber),
                                  Field(PromptPassword), Field(IAPUsername)};
    Row(rows[0]);
    const Qt::KeyboardModifiers none, ctrl = Qt::ControlModifier, shift = Qt::ShiftModifier;
    // A step without a key clicks the row; the caret ends on the row either way.
    const struct
    {
        int key;
        Qt::KeyboardModifiers modifiers;
        int caret;
        const char *selected;
    } steps[] = {{0, none, 0, "a"},
                 {0, ctrl, 2, "ac"},
                 {0, shift, 3, "cd"},
                 {0, shift, 0, "abc"},
                 {0, none, 1, "b"},
                 {0, none, 0, "a"},
                 {Qt::Key_Down, none, 1, "b"},
                 {Qt::Key_Down, shift, 2, "bc"},
                 {Qt::Key_Down, shift, 3, "bcd"},
                 {Qt::Key_Up, shift, 2, "bc"},
                 {Qt::Key_Down, ctrl, 3, "bc"},
                 {Qt::Key_Up, none, 2, "c"}};
    for (const auto &step : steps) {
        if (step.key)
            Key(step.key, step.modifiers);
        else
            Click(m_ctrl->IndexOf(rows[step.caret]), step.modifiers);
        std::string selected;
        for (int i = 0; i < 4; ++i) {
            if (m_ctrl->selectionModel()->isSelected(m_ctrl->IndexOf(rows[i])))
                selected += char('a' + i);
        }
        EXPECT_EQ(selected, step.selected) << step.key << " to " << step.caret;
        EXPECT_EQ(m_ctrl->selectionModel()->selectedRows().size(), qsizetype(selected.size()));
        EXPECT_EQ(Caret(), rows[step.caret]);
    }

    // Keys the view handles move the caret as a plain click, never by range.
    Key(Qt::Key_Home, Qt::ShiftModifier);
    EXPECT_EQ(m_ctrl->selectionModel()->selectedRows(),
              QModelIndexList{m_ctrl->IndexOf(Path(Root(), {IAPSettings}))});

    // A setting named elsewhere (a refusal before sending) is shown alone,
    // its closed parents opened.
    const CSettingNode *hidden = m_work->FindChild(EMailAddress);
    ASSERT_FALSE(m_ctrl->isExpanded(m_ctrl->IndexOf(m_work)));
    m_ctrl->SelectNode(hidden);
    EXPECT_TRUE(m_ctrl->isExpanded(m_ctrl->IndexOf(m_work)));
    EXPECT_EQ(m_ctrl->selectionModel()->selectedRows(), QModelIndexList{m_ctrl->IndexOf(hidden)});
    EXPECT_EQ(Caret(), hidden);
}

TEST_F(CSettingsTreeTest, KeysAndClicksOpenParentsAndEditLeaves)
{
    const QModelIndex proxies = Row(Field(Proxies));
    const QPoint onExpandIcon = m_ctrl->ExpandIconRect(proxies).center();
    QTest::mouseClick(m_ctrl->viewport(), Qt::LeftButton, {}, onExpandIcon);
    EXPECT_TRUE(m_ctrl->isExpanded(proxies));
    EXPECT_EQ(Caret(), Field(Proxies));
    Key(Qt::Key_Return);
    EXPECT_FALSE(m_ctrl->isExpanded(proxies));
    Key(Qt::Key_Return);
    EXPECT_TRUE(m_ctrl->isExpanded(proxies));
    QTest::mouseClick(m_ctrl->viewport(), Qt::LeftButton, {}, onExpandIcon);
    EXPECT_FALSE(m_ctrl->isExpanded(proxies));
    DoubleClick(proxies);
    EXPECT_TRUE(m_ctrl->isExpanded(proxies));

    // The template's groups do not apply and stay closed.
    const QModelIndex disabled = Row(Path(Root(), {IAPSettings, IAPTemplate, Proxies}));
    Click(disabled);
    Key(Qt::Key_Right);
    Key(Qt::Key_Return);
    EXPECT_FALSE(m_ctrl->isExpanded(disabled));

    // Enter, F2 and a double click open a leaf's editor over its value; a
    // click elsewhere commits it.
    CSettingNode *username = Field(IAPUsername);
    const QModelIndex row = Row(username);
    const std::function<void()> opens[] = {[&] { Key(Qt::Key_Return); }, [&] { Key(Qt::Key_F2); },
                                           [&] {
                                               DoubleClick(row);
                                           }};
    for (const auto &open : opens) {
        Click(row);
        open();
        QLineEdit *edit = Editor<QLineEdit>();
        ASSERT_NE(edit, nullptr);
        EXPECT_EQ(edit->geometry(), m_ctrl->ValueRect(row));
        edit->setText(edit->text() + "x");
        Click(Row(Field(IAPPhoneNumber)));
    }
    EXPECT_EQ(username->GetValue(), "xxx");

    // Typing on a row opens its editor only with a character the kind takes.
    CSettingNode *size = Path(m_work, {RetrieveMail, MessageMaxSize});
    Click(Row(size));
    Key(Qt::Key_X);
    EXPECT_EQ(Editor(), nullptr);
    Key(Qt::Key_7);
    ASSERT_NE(Editor<QLineEdit>(), nullptr);
    EXPECT_EQ(Editor<QLineEdit>()->text(), "7");
    QTest::keyClick(Editor(), Qt::Key_Escape);
    m_ctrl->CommitEdit();
    EXPECT_EQ(size->GetValue(), "10");
}

TEST_F(CSettingsTreeTest, KeysForHelpSendNewAndPrintBecomeSignals)
{
    QSignalSpy help(m_ctrl.get(), &CSettingsTreeCtrl::helpRequested);
    QSignalSpy send(m_ctrl.get(), &CSettingsTreeCtrl::sendRequested);
    QSignalSpy created(m_ctrl.get(), &CSettingsTreeCtrl::newRequested);
    QSignalSpy print(m_ctrl.get(), &CSettingsTreeCtrl::printRequested);
    Click(Row(Field(IAPUsername)));
    Key(Qt::Key_F1);
    Click(Row(m_work->FindChild(MailboxName)));
    Key(Qt::Key_F1);
    m_ctrl->SetHelpOverride(true);
    Key(Qt::Key_F1);
    ASSERT_EQ(help.count(), 3);
    EXPECT_EQ(help[0][0].toInt(), HelpContextId::AccessPoints);
    EXPECT_EQ(help[1][0].toInt(), HelpContextId::EMail);
    EXPECT_EQ(help[2][0].toInt(), HelpContextId::PrintPreview);

    Key(Qt::Key_F5);
    Key(Qt::Key_N, Qt::ControlModifier);
    Key(Qt::Key_P, Qt::ControlModifier);
    Key(Qt::Key_N);
    for (const QSignalSpy *spy : {&send, &created, &print})
        EXPECT_EQ(spy->count(), 1) << spy->signal().constData();
}

TEST_F(CSettingsTreeTest, DeleteRemovesItemRowsAndReportsARefusal)
{
    CSettingNode *home = AddAccessPoint(Root(), "Home");
    AddWapConnection(Root(), "Portal")->FindChild(WAPUseConnection)->SetValue("Office");
    const QModelIndex category = Row(Path(Root(), {IAPSettings}));
    const int rows = m_ctrl->Model()->rowCount(category);
    Click(Row(Field(IAPUsername)));
    EXPECT_FALSE(m_ctrl->CanDelete());

    // An access point a WAP connection uses stays.
    Click(Row(m_office));
    EXPECT_TRUE(m_ctrl->CanDelete());
    m_ctrl->DeleteSelected();
    ASSERT_EQ(m_test.Messages().shown, QStringList{m_document.LastErrorText()});
    EXPECT_EQ(m_ctrl->Model()->rowCount(category), rows);

    // Of a selection the item rows go, the others stay.
    CSettingNode *field = Field(IAPUsername);
    Click(Row(home));
    Click(Row(field), Qt::ControlModifier);
    m_ctrl->DeleteSelected();
    EXPECT_EQ(m_ctrl->Model()->rowCount(category), rows - 1);
    EXPECT_EQ(m_office->FindChild(IAPUsername), field);
    EXPECT_EQ(m_test.Messages().shown.size(), 1);

    // Select all reaches collapsed rows.
    m_ctrl->SelectAll();
    EXPECT_TRUE(m_ctrl->selectionModel()->isSelected(Row(Path(m_work, {Servers, InServer}))));
    EXPECT_EQ(m_ctrl->Anchor(), m_ctrl->Model()->index(0, 0));
    EXPECT_TRUE(m_ctrl->CanDelete());
}

namespace {

// Every row a model shows, depth first, as the nodes it points at.
void ListRows(const QAbstractItemModel *model, const QModelIndex &parent,
              std::vector<const CSettingNode *> &rows)
{
    for (int row = 0; row < model->rowCount(parent); ++row) {
        const QModelIndex index = model->index(row, 0, parent);
        rows.push_back(static_cast<const CSettingNode *>(index.internalPointer()));
        ListRows(model, index, rows);
    }
}

} // namespace

TEST_F(CSettingsTreeTest, DeleteAsksFirstAndUndoAndRedoKeepTheRowsAsAFreshModelShowsThem)
{
    CSettingNode *home = AddAccessPoint(Root(), "Home");
    AddMailbox(Root(), "Private");
    m_document.SetModified(0);
    std::vector<std::vector<const CSettingNode *>> asked;
    bool agree = false;
    m_ctrl->SetDeleteConfirmation([&](const std::vector<const CSettingNode *> &items) {
        asked.push_back(items);
        return agree;
    });
    // The whole selection reaches rows inside collapsed groups; only the
    // items are asked about, once, and a no keeps them.
    m_ctrl->SelectAll();
    const std::vector<const CSettingNode *> items = m_ctrl->SelectedItems();
    ASSERT_EQ(items.size(), 4u);
    m_ctrl->DeleteSelected();
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0], items);
    EXPECT_EQ(m_ctrl->IndexOf(home).isValid(), true);
    EXPECT_FALSE(m_document.CanUndo());

    const auto matchesAFreshModel = [this] {
        CSettingsTreeModel fresh;
        fresh.SetRoot(Root());
        std::vector<const CSettingNode *> shown, expected;
        ListRows(m_ctrl->Model(), {}, shown);
        ListRows(&fresh, {}, expected);
        return shown == expected;
    };
    agree = true;
    Click(Row(home));
    m_ctrl->DeleteSelected(true);
    EXPECT_FALSE(m_ctrl->IndexOf(home).isValid());
    EXPECT_TRUE(m_document.UndoText().contains("Home"));
    m_ctrl->SelectAll();
    m_ctrl->DeleteSelected();
    EXPECT_TRUE(matchesAFreshModel());
    for (int i = 0; i < 2; ++i) {
        ASSERT_TRUE(m_document.Undo());
        EXPECT_TRUE(matchesAFreshModel()) << i;
    }
    EXPECT_TRUE(m_ctrl->IndexOf(home).isValid());
    EXPECT_FALSE(m_document.IsModified());
    ASSERT_TRUE(m_document.Redo());
    EXPECT_TRUE(matchesAFreshModel());
    EXPECT_FALSE(m_ctrl->IndexOf(home).isValid());
}

TEST_F(CSettingsTreeTest, CheckIconFollowsTheRowState)
{
    using Delegate = CSettingsRowDelegate;
    CSettingNode *name = Field(IAPConnectionName);
    EXPECT_EQ(Delegate::CheckIconId(name, false, false), TreeIconId::Unchecked);
    EXPECT_EQ(Delegate::CheckIconId(name, true, false), TreeIconId::Pressed);
    m_document.ToggleInclude(Field(IAPUsername));
    ASSERT_TRUE(m_office->IsIncluded());
    EXPECT_EQ(Delegate::CheckIconId(name, false, false), TreeIconId::MandatoryChecked);
    EXPECT_EQ(Delegate::CheckIconId(name, true, false), TreeIconId::MandatoryPressed);
    EXPECT_EQ(Delegate::CheckIconId(m_office, false, true), TreeIconId::PartlyChecked);
    EXPECT_EQ(Delegate::CheckIconId(m_office, true, true), TreeIconId::Pressed);

    CSettingNode *address = Path(m_office, {AddressOptions, IPAddress});
    address->SetIncludeFlag(1);
    EXPECT_EQ(Delegate::CheckIconId(address, false, false), TreeIconId::CheckedDisabled);
    // Painting changes nothing; the next change through the document does.
    EXPECT_EQ(Delegate::CheckIconId(address, false, false), TreeIconId::CheckedDisabled);
    m_document.ToggleInclude(Field(IAPUsername));
    EXPECT_EQ(Delegate::CheckIconId(address, false, false), TreeIconId::UncheckedDisabled);
}

TEST_F(CSettingsTreeTest, RowsArePaintedInThePaletteColoursWithTheirIcons)
{
    // The caret's focus frame is the style's; the rows around it are ours.
    const QModelIndex row = Row(Field(IAPUsername));
    const QModelIndex other = m_ctrl->indexBelow(row);
    Click(row);
    Click(m_ctrl->indexBelow(other), Qt::ControlModifier);
    const QPoint inBand(m_ctrl->ValueRect(row).right() - 2, m_ctrl->ValueRect(row).center().y());
    const QPoint inOther(inBand.x(), m_ctrl->RowRect(other).center().y());
    QPalette dark;
    dark.setColor(QPalette::Base, QColor(30, 30, 30));
    dark.setColor(QPalette::Highlight, QColor(40, 90, 160));
    for (const QPalette &palette : {QApplication::palette(), dark}) {
        m_ctrl->setPalette(palette);
        m_ctrl->setFocus();
        const QImage image = m_ctrl->viewport()->grab().toImage();
        EXPECT_EQ(image.pixel(inBand), palette.color(QPalette::Highlight).rgb());
        EXPECT_EQ(image.pixel(inOther), palette.color(QPalette::Base).rgb());
        EXPECT_NE(image.pixel(OnCheck(row)), palette.color(QPalette::Base).rgb());
    }

    // Every icon comes at 16 and 32 pixels.
    const auto *library = LanguageLibraryOf(m_test.Application());
    const CTreeIcons icons([&](unsigned id) { return library->LoadImage(id); });
    for (unsigned id : TreeIconId::kAll) {
        EXPECT_EQ(QImage::fromData(library->LoadImage(id)).size(), QSize(16, 16)) << id;
        EXPECT_EQ(icons.Icon(id).availableSizes(), (QList<QSize>{{16, 16}, {32, 32}})) << id;
    }
}
