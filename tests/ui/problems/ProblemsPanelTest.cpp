#include "ui/problems/ProblemsPanel.h"
#include "document/SendTexts.h"
#include "document/SettingsDocument.h"
#include "language/LanguageTexts.h"
#include "platform/LanguageLibrary.h"
#include "platform/ProgramFolder.h"
#include "settings/NodeCatalogue.h"
#include "settings/TreeHelpers.h"
#include "support/TestApplication.h"
#include "ui/problems/ProblemsModel.h"

#include <QHeaderView>
#include <QLabel>
#include <QRadioButton>
#include <QScrollBar>
#include <QTest>
#include <QTreeView>

#include <gtest/gtest.h>

#include <vector>

using namespace NodeType;

namespace {

// A document labelled by the English language library, with the panel's
// model following it as the view registers it.
class ProblemsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        auto texts = CLanguageTexts::Open(ProgramFolder() + kLanguageLibraryName);
        ASSERT_NE(texts, nullptr);
        m_test.Application().SetLanguageLibrary(std::move(texts));
        m_document.Reset();
        m_document.AddObserver(Model());
        Model()->TreeReplaced(m_document.GetRoot());
    }
    void TearDown() override { m_document.RemoveObserver(Model()); }

    CProblemsModel *Model() const { return m_panel.Model(); }
    const CSettingNode *Root() const { return m_document.GetRoot(); }
    // Names the category's template through the document; the new item.
    const CSettingNode *NewItem(int category, const QString &name)
    {
        const ItemRole *role = RoleOfCategory(category);
        const CSettingNode *item = Path(Root(), {category, role->itemTemplate});
        EXPECT_FALSE(m_document.EditValue(item->FindChild(role->nameField), name).IsRefused());
        return item;
    }
    void Edit(const CSettingNode *node, const QString &text)
    {
        EXPECT_FALSE(m_document.EditValue(node, text).IsRefused()) << text.toStdString();
    }

    // The rows after the reports are in, as node and message.
    std::vector<std::pair<const CSettingNode *, QString>> Rows() const
    {
        Model()->Settle();
        std::vector<std::pair<const CSettingNode *, QString>> rows;
        for (int row = 0; row < Model()->rowCount(); ++row)
            rows.emplace_back(Model()->NodeAt(row),
                              Model()->index(row, CProblemsModel::MessageColumn).data().toString());
        return rows;
    }
    // What a walk of the whole tree finds, as the rows show it.
    std::vector<std::pair<const CSettingNode *, QString>> Walk(bool onlyIncluded)
    {
        std::vector<std::pair<const CSettingNode *, QString>> rows;
        for (const CFailingSetting &setting :
             FailingSettings(&m_test.Application(), Root(), onlyIncluded))
            rows.emplace_back(setting.node, QString(setting.message).replace(u'\n', u' '));
        return rows;
    }
    // The rows followed through the reports are those a fresh walk finds,
    // in either choice.
    void ExpectAsWalked(const char *step)
    {
        for (bool onlyIncluded : {false, true}) {
            Model()->SetOnlyIncluded(onlyIncluded);
            EXPECT_EQ(Rows(), Walk(onlyIncluded))
                << step << (onlyIncluded ? ", included only" : ", all");
        }
    }

    CTestTree m_test{false};
    CSettingsDocument m_document{&m_test.Application()};
    CProblemsPanel m_panel{&m_test.Application()};
};

TEST_F(ProblemsTest, TheListFollowsEditsThatBreakAndFixValuesAsAWalkWouldFindThem)
{
    ExpectAsWalked("fresh");
    const CSettingNode *office = NewItem(IAPSettings, "Office");
    ExpectAsWalked("access point named");
    // A named access point has no phone number yet: before sending, that
    // fails.
    const CSettingNode *phone = office->FindChild(IAPPhoneNumber);
    Model()->SetOnlyIncluded(true);
    ASSERT_FALSE(Rows().empty());
    EXPECT_EQ(Model()->RowOf(phone), 0);
    EXPECT_EQ(Model()->index(0, CProblemsModel::PathColumn).data().toString(),
              "IAPSettings/IAPConnection[Office]/PhoneNumber");
    EXPECT_EQ(Model()->index(0, CProblemsModel::LabelColumn).data().toString(),
              phone->GetLabel(true));

    Edit(phone, "0401");
    Model()->Settle();
    EXPECT_EQ(Model()->RowOf(phone), -1);
    ExpectAsWalked("phone number given");
    Edit(phone, "");
    Model()->Settle();
    EXPECT_GE(Model()->RowOf(phone), 0);
    ExpectAsWalked("phone number emptied");
    Edit(phone, "0402");

    // The data call settings fail together and pass together.
    const CSettingNode *type = Path(office, {DataCall, ConnectionType});
    m_document.ToggleInclude(type);
    ExpectAsWalked("one data call setting included");
    m_document.SetIncluded(Path(office, {DataCall, RemoteModemType}), true);
    m_document.SetIncluded(Path(office, {DataCall, MaxConnectionSpeed}), true);
    ExpectAsWalked("all data call settings included");

    // A second item; excluding a category hides its rows from the included
    // ones only; deleting an item takes its rows away.
    const CSettingNode *home = NewItem(IAPSettings, "Home");
    ExpectAsWalked("second access point");
    const CSettingNode *work = NewItem(EMailSettings, "Work");
    ExpectAsWalked("mailbox named");
    m_document.SetIncluded(work->GetParent(), false);
    ExpectAsWalked("mailboxes excluded");
    m_document.SetIncluded(work->GetParent(), true);
    ExpectAsWalked("mailboxes included again");
    ASSERT_TRUE(m_document.DeleteNodes({home}));
    ExpectAsWalked("access point deleted");
    // A renamed item renames the paths of its rows.
    Edit(phone, "");
    Edit(office->FindChild(IAPConnectionName), "Main");
    ExpectAsWalked("access point renamed");
    const int phoneRow = Model()->RowOf(phone);
    ASSERT_GE(phoneRow, 0);
    EXPECT_EQ(Model()->index(phoneRow, CProblemsModel::PathColumn).data().toString(),
              "IAPSettings/IAPConnection[Main]/PhoneNumber");

    // A new tree is walked as a whole.
    m_document.Reset();
    ExpectAsWalked("reset");
}

TEST_F(ProblemsTest, ThePanelCountsItsRowsSwitchesTheirChoiceAndActivatesThemByKey)
{
    const CSettingNode *office = NewItem(IAPSettings, "Office");
    NewItem(EMailSettings, "Work");
    QCoreApplication::processEvents();
    auto *count = m_panel.findChild<QLabel *>("id10305");
    ASSERT_NE(count, nullptr);
    const auto shownCount = [&] {
        return QString::number(Model()->rowCount());
    };
    ASSERT_GT(Model()->rowCount(), 1);
    EXPECT_TRUE(count->text().endsWith(shownCount())) << count->text().toStdString();

    // Each edit settles once control is back in the event loop.
    const int before = Model()->rowCount();
    Edit(office->FindChild(IAPPhoneNumber), "0401");
    QCoreApplication::processEvents();
    EXPECT_EQ(Model()->rowCount(), before - 1);
    EXPECT_TRUE(count->text().endsWith(shownCount()));

    const int included = Model()->rowCount();
    m_panel.findChild<QRadioButton *>("id10303")->click();
    EXPECT_FALSE(Model()->OnlyIncluded());
    EXPECT_EQ(Model()->rowCount(), int(Walk(false).size()));
    m_panel.OpenOn(nullptr);
    EXPECT_TRUE(Model()->OnlyIncluded());
    EXPECT_TRUE(m_panel.findChild<QRadioButton *>("id10302")->isChecked());
    EXPECT_EQ(Model()->rowCount(), included);
    EXPECT_EQ(m_panel.List()->currentIndex().row(), 0);

    m_panel.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&m_panel));
    std::vector<const CSettingNode *> activated;
    QObject::connect(&m_panel, &CProblemsPanel::settingActivated,
                     [&activated](const CSettingNode *node) { activated.push_back(node); });
    m_panel.List()->setFocus();
    QTest::keyClick(m_panel.List(), Qt::Key_Down);
    QTest::keyClick(m_panel.List(), Qt::Key_Return);
    EXPECT_EQ(activated, std::vector<const CSettingNode *>{Model()->NodeAt(1)});

    // The columns share a wide pane's width as it changes, the message
    // taking the rest; a narrow one scrolls sideways rather than cutting them
    // to nothing, and a cut text shows whole in its tooltip.
    const QHeaderView *header = m_panel.List()->header();
    m_panel.resize(900, 300);
    QCoreApplication::processEvents();
    const int wide = m_panel.List()->viewport()->width();
    EXPECT_EQ(header->length(), wide);
    EXPECT_GE(header->sectionSize(CProblemsModel::LabelColumn), wide / 5);
    EXPECT_GE(header->sectionSize(CProblemsModel::PathColumn), wide / 3);
    EXPECT_GE(header->sectionSize(CProblemsModel::MessageColumn), wide / 3);
    m_panel.resize(300, 300);
    QCoreApplication::processEvents();
    for (int column = 0; column < CProblemsModel::ColumnCount; ++column)
        EXPECT_GE(header->sectionSize(column), 15 * header->fontMetrics().averageCharWidth())
            << column;
    EXPECT_GT(m_panel.List()->horizontalScrollBar()->maximum(), 0);
    const QModelIndex path = Model()->index(0, CProblemsModel::PathColumn);
    EXPECT_EQ(path.data(Qt::ToolTipRole), path.data());
}

} // namespace
