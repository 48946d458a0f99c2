#include "SettingsTreeFixture.h"

#include "document/IncludeToggle.h"
#include "settings/BulkLoad.h"
#include "ui/editor/SettingsRowDelegate.h"
#include "ui/editor/SettingsTreeCtrl.h"
#include "ui/editor/TreeIconIds.h"
#include "ui/editor/TreeIcons.h"

#include <QLineEdit>
#include <QSignalSpy>

namespace {

class CSettingsTreeCtrlTest : public CSettingsTreeTest
{
protected:
    void SetUp() override
    {
        ASSERT_NE(m_library, nullptr);
        m_office = AddAccessPoint(Root(), "Office");
        m_work = AddMailbox(Root(), "Work");
        m_ctrl = std::make_unique<CSettingsTreeCtrl>(
            [this](unsigned id) { return m_library->LoadImage(id); });
        m_ctrl->resize(600, 900);
        m_ctrl->Fill(Root());
        m_ctrl->show();
        QApplication::setActiveWindow(m_ctrl.get());
        m_ctrl->setFocus();
        ASSERT_TRUE(QTest::qWaitForWindowActive(m_ctrl.get()));
    }

    void TearDown() override { m_ctrl->Clear(); }

    // The node's row, with every row above it expanded.
    QModelIndex Row(CSettingNode *node)
    {
        if (CSettingNode *parent = node->GetParent(); parent && parent != Root())
            m_ctrl->expand(Row(parent));
        const QModelIndex row = m_ctrl->IndexOf(node);
        m_ctrl->scrollTo(row);
        return row;
    }

    QPoint OnCheck(const QModelIndex &row) const { return m_ctrl->CheckIconRect(row).center(); }
    QPoint OnLabel(const QModelIndex &row) const
    {
        return {m_ctrl->ValueRect(row).left() - 8, m_ctrl->RowRect(row).center().y()};
    }
    void Click(const QModelIndex &row, Qt::KeyboardModifiers modifiers = {})
    {
        QTest::mouseClick(m_ctrl->viewport(), Qt::LeftButton, modifiers, OnLabel(row));
    }
    void Key(int key, Qt::KeyboardModifiers modifiers = {})
    {
        QTest::keyClick(m_ctrl.get(), Qt::Key(key), modifiers);
    }

    CSettingNode *Caret() const { return m_ctrl->NodeAt(m_ctrl->currentIndex()); }

    QLineEdit *OpenLineEdit() const
    {
        for (QLineEdit *edit : m_ctrl->viewport()->findChildren<QLineEdit *>()) {
            if (edit->isVisible())
                return edit;
        }
        return nullptr;
    }

    CSettingNode *Field(int type) const { return m_office->FindChild(type); }

    CSettingNode *m_office = nullptr;
    CSettingNode *m_work = nullptr;
    std::unique_ptr<CSettingsTreeCtrl> m_ctrl;
};

} // namespace

TEST_F(CSettingsTreeCtrlTest, CheckIconTogglesOnReleaseOverTheSameRow)
{
    CSettingNode *username = Field(IAPUsername);
    const QModelIndex row = Row(username);
    const QModelIndex below = m_ctrl->indexBelow(row);
    QWidget *viewport = m_ctrl->viewport();

    QTest::mousePress(viewport, Qt::LeftButton, {}, OnCheck(row));
    EXPECT_EQ(m_ctrl->PressedIndex(), row);
    QTest::mouseMove(viewport, OnLabel(below));
    EXPECT_FALSE(m_ctrl->PressedIndex().isValid());
    QTest::mouseMove(viewport, OnLabel(row));
    EXPECT_EQ(m_ctrl->PressedIndex(), row);
    QTest::mouseRelease(viewport, Qt::LeftButton, {}, OnLabel(row));
    EXPECT_TRUE(username->IsIncluded());
    EXPECT_TRUE(m_office->IsIncluded());
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
}

TEST_F(CSettingsTreeCtrlTest, SpaceTogglesTheCaretRowAndCtrlSpaceMarksIt)
{
    CSettingNode *username = Field(IAPUsername);
    const QModelIndex row = Row(username);
    Click(row);
    QTest::keyPress(m_ctrl.get(), Qt::Key_Space);
    EXPECT_EQ(m_ctrl->PressedIndex(), row);
    EXPECT_FALSE(username->IsIncluded());
    QTest::keyRelease(m_ctrl.get(), Qt::Key_Space);
    EXPECT_TRUE(username->IsIncluded());
    Key(Qt::Key_Space);
    EXPECT_FALSE(username->IsIncluded());

    Key(Qt::Key_Space, Qt::ControlModifier);
    EXPECT_FALSE(m_ctrl->selectionModel()->hasSelection());
    EXPECT_EQ(m_ctrl->Anchor(), row);
    EXPECT_FALSE(username->IsIncluded());
}

TEST_F(CSettingsTreeCtrlTest, ClicksAndArrowsSelectWithCtrlAndShiftFromTheAnchor)
{
    CSettingNode *const rows[] = {Field(IAPConnectionName), Field(IAPPhoneNumber),
                                  Field(PromptPassword), Field(IAPUsername)};
    Row(rows[0]);
    const Qt::KeyboardModifiers ctrl = Qt::ControlModifier, shift = Qt::ShiftModifier;
    // A step without a key clicks the row; the caret ends on the row either way.
    const struct
    {
        int key;
        Qt::KeyboardModifiers modifiers;
        int caret;
        const char *selected;
    } steps[] = {
        {0, {}, 0, "a"},
        {0, ctrl, 2, "ac"},
        {0, shift, 3, "cd"},
        {0, shift, 0, "abc"},
        {0, {}, 1, "b"},
        {0, {}, 0, "a"},
        {Qt::Key_Down, {}, 1, "b"},
        {Qt::Key_Down, shift, 2, "bc"},
        {Qt::Key_Down, shift, 3, "bcd"},
        {Qt::Key_Up, shift, 2, "bc"},
        {Qt::Key_Down, ctrl, 3, "bc"},
        {Qt::Key_Up, {}, 2, "c"},
    };
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
}

TEST_F(CSettingsTreeCtrlTest, EnterExpandsParentsAndEditsLeaves)
{
    const QModelIndex proxies = Row(Field(Proxies));
    Click(proxies);
    Key(Qt::Key_Return);
    EXPECT_TRUE(m_ctrl->isExpanded(proxies));
    Key(Qt::Key_Return);
    EXPECT_FALSE(m_ctrl->isExpanded(proxies));
    Key(Qt::Key_Right);
    EXPECT_TRUE(m_ctrl->isExpanded(proxies));

    // The template's groups do not apply and stay closed.
    const QModelIndex disabled = Row(Path(Root(), {IAPSettings, IAPTemplate, Proxies}));
    Click(disabled);
    Key(Qt::Key_Right);
    Key(Qt::Key_Return);
    EXPECT_FALSE(m_ctrl->isExpanded(disabled));

    CSettingNode *username = Field(IAPUsername);
    const QModelIndex row = Row(username);
    Click(row);
    Key(Qt::Key_Return);
    QLineEdit *edit = OpenLineEdit();
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(edit->geometry(), m_ctrl->ValueRect(row));
    QTest::keyClicks(edit, "alice");
    QTest::keyClick(edit, Qt::Key_Return);
    EXPECT_EQ(username->GetValue(), "alice");
    EXPECT_TRUE(username->IsIncluded());
    EXPECT_EQ(OpenLineEdit(), nullptr);

    // F2 opens the caret row's editor; a click elsewhere commits it.
    Key(Qt::Key_F2);
    ASSERT_NE(edit = OpenLineEdit(), nullptr);
    edit->setText("bob");
    Click(Row(Field(IAPPhoneNumber)));
    EXPECT_EQ(username->GetValue(), "bob");
}

TEST_F(CSettingsTreeCtrlTest, TypingStartsAnEditorOnlyForCharactersTheKindTakes)
{
    CSettingNode *size = Path(m_work, {RetrieveMail, MessageMaxSize});
    Click(Row(size));
    Key(Qt::Key_X);
    EXPECT_EQ(OpenLineEdit(), nullptr);
    Key(Qt::Key_7);
    QLineEdit *edit = OpenLineEdit();
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(edit->text(), "7");
    QTest::keyClick(edit, Qt::Key_Escape);
    m_ctrl->CommitEdit();
    EXPECT_EQ(size->GetValue(), "10");

    // Space toggles, it never starts an edit.
    CSettingNode *username = Field(IAPUsername);
    Click(Row(username));
    Key(Qt::Key_Space);
    EXPECT_EQ(OpenLineEdit(), nullptr);
    EXPECT_TRUE(username->IsIncluded());
}

TEST_F(CSettingsTreeCtrlTest, DoubleClickAndExpandIcon)
{
    CSettingNode *dataCall = Field(DataCall);
    const QModelIndex row = Row(dataCall);
    QWidget *viewport = m_ctrl->viewport();
    QTest::mouseClick(viewport, Qt::LeftButton, {}, m_ctrl->ExpandIconRect(row).center());
    EXPECT_TRUE(m_ctrl->isExpanded(row));
    EXPECT_EQ(Caret(), dataCall);
    QTest::mouseClick(viewport, Qt::LeftButton, {}, m_ctrl->ExpandIconRect(row).center());
    EXPECT_FALSE(m_ctrl->isExpanded(row));
    QTest::mouseDClick(viewport, Qt::LeftButton, {}, OnLabel(row));
    EXPECT_TRUE(m_ctrl->isExpanded(row));
    QTest::mouseDClick(viewport, Qt::LeftButton, {}, OnLabel(Row(Field(IAPUsername))));
    EXPECT_NE(OpenLineEdit(), nullptr);
}

TEST_F(CSettingsTreeCtrlTest, KeysForHelpSendNewAndPrintBecomeSignals)
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
    EXPECT_EQ(send.count(), 1);
    EXPECT_EQ(created.count(), 1);
    EXPECT_EQ(print.count(), 1);
}

TEST_F(CSettingsTreeCtrlTest, DeleteRemovesItemRowsAndReportsARefusal)
{
    CSettingNode *home = AddAccessPoint(Root(), "Home");
    AddWapConnection(Root(), "Portal")->FindChild(WAPUseConnection)->SetValue("Office");
    m_ctrl->RefreshNewNodes();
    const QModelIndex category = Row(Path(Root(), {IAPSettings}));
    const int rows = m_ctrl->Model()->rowCount(category);

    Click(Row(Field(IAPUsername)));
    EXPECT_FALSE(m_ctrl->CanDelete());
    // An access point a WAP connection uses stays.
    Click(Row(m_office));
    EXPECT_TRUE(m_ctrl->CanDelete());
    m_ctrl->DeleteSelected();
    ASSERT_EQ(m_test.Messages().shown.size(), 1);
    EXPECT_EQ(m_test.Messages().shown[0], CSettingNode::GetLastError());
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
    const QModelIndex collapsed = m_ctrl->IndexOf(Path(m_work, {Servers, InServer}));
    EXPECT_TRUE(m_ctrl->selectionModel()->isSelected(collapsed));
    EXPECT_FALSE(m_ctrl->isExpanded(m_ctrl->IndexOf(m_work)));
    EXPECT_EQ(m_ctrl->Anchor(), m_ctrl->Model()->index(0, 0));
    EXPECT_TRUE(m_ctrl->CanDelete());
}

TEST_F(CSettingsTreeCtrlTest, TenThousandAccessPointsFillTheView)
{
    m_ctrl->Clear();
    CBulkLoad bulk;
    for (int i = 0; i < 10000; ++i)
        AddAccessPoint(Root(), QStringLiteral("AP %1").arg(i, 5, 10, QLatin1Char('0')));
    bulk.Finish();
    m_ctrl->Fill(Root());
    const QModelIndex category = Row(Path(Root(), {IAPSettings}));
    m_ctrl->expand(category);
    ASSERT_EQ(m_ctrl->Model()->rowCount(category), 10003);
    const QModelIndex last = m_ctrl->Model()->index(10002, 0, category);
    m_ctrl->scrollTo(last);
    m_ctrl->grab();
    EXPECT_EQ(m_ctrl->NodeAt(last)->GetType(), IAPTemplate);
    EXPECT_EQ(m_ctrl->indexAt(m_ctrl->RowRect(last).center()).siblingAtColumn(0), last);
}

TEST_F(CSettingsTreeCtrlTest, CheckIconFollowsTheRowState)
{
    using Delegate = CSettingsRowDelegate;
    CSettingNode *name = Field(IAPConnectionName);
    EXPECT_EQ(Delegate::CheckIconId(name, false, false), TreeIconId::Unchecked);
    EXPECT_EQ(Delegate::CheckIconId(name, true, false), TreeIconId::Pressed);
    ToggleInclude(Field(IAPUsername), nullptr);
    ASSERT_TRUE(m_office->IsIncluded());
    EXPECT_EQ(Delegate::CheckIconId(name, false, false), TreeIconId::MandatoryChecked);
    EXPECT_EQ(Delegate::CheckIconId(name, true, false), TreeIconId::MandatoryPressed);
    EXPECT_EQ(Delegate::CheckIconId(m_office, false, true), TreeIconId::PartlyChecked);
    EXPECT_EQ(Delegate::CheckIconId(m_office, true, true), TreeIconId::Pressed);

    CSettingNode *address = Path(m_office, {AddressOptions, IPAddress});
    address->SetIncludeFlag(1);
    EXPECT_EQ(Delegate::CheckIconId(address, false, false), TreeIconId::CheckedDisabled);
    // Asking whether it is disabled excluded it.
    EXPECT_EQ(Delegate::CheckIconId(address, false, false), TreeIconId::UncheckedDisabled);
}

TEST_F(CSettingsTreeCtrlTest, RowsArePaintedInThePaletteColours)
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
        // The check icon is drawn over the base colour.
        EXPECT_NE(image.pixel(OnCheck(row)), palette.color(QPalette::Base).rgb());
    }
}

TEST(SettingsTreeIcons, EveryIconComesAtSixteenAndThirtyTwoPixels)
{
    auto library = CLanguageLibrary::Open(ProgramFolder() + kLanguageLibraryName);
    ASSERT_NE(library, nullptr);
    const CTreeIcons icons([&](unsigned id) { return library->LoadImage(id); });
    for (unsigned id : TreeIconId::kAll) {
        EXPECT_EQ(QImage::fromData(library->LoadImage(id)).size(), QSize(16, 16)) << id;
        const QByteArray large = library->LoadImage(id + TreeIconId::kDoubleSizeOffset);
        EXPECT_EQ(QImage::fromData(large).size(), QSize(32, 32)) << id;
        const QList<QSize> sizes = icons.Icon(id).availableSizes();
        EXPECT_TRUE(sizes.contains(QSize(16, 16)) && sizes.contains(QSize(32, 32))) << id;
    }
    EXPECT_TRUE(library->LoadImage(1).isEmpty());
}
