#include "SettingsTreeFixture.h"

#include "support/ModalAnswers.h"
#include "ui/bookmarks/BookmarkListDlg.h"
#include "ui/controls/ListCtrlEx.h"
#include "ui/editor/InPlaceEditing.h"

#include <QPushButton>
#include <QSignalSpy>

namespace {

// The bookmark lists of the tree, edited in their dialog.
class CBookmarkListEditingTest : public CSettingsTreeTest
{
protected:
    CSettingNode *List(int type) const { return Path(Root(), {PersonalData, type}); }
    void SetUp() override
    {
        CSettingsTreeTest::SetUp();
        m_document.SetModified(0);
    }
    static void AddBookmark(CBookmarkListDlg *dialog, const QString &name)
    {
        dialog->SetRecordEditor([name](CBookmark &record, int) {
            record.name = name;
            record.url = "http://" + name + ".example/";
            return true;
        });
        dialog->Add();
    }

    CModalAnswers m_answers;
};

} // namespace

TEST_F(CBookmarkListEditingTest, BothListsOpenTheirDialogAndCancelChangesNothing)
{
    QSignalSpy help(m_ctrl.get(), &CSettingsTreeCtrl::helpRequested);
    QStringList titles;
    const auto record = [&](CBookmarkListDlg *dialog) {
        titles << dialog->windowTitle();
        AddBookmark(dialog, "dropped");
        QTest::mouseClick(dialog->findChild<QPushButton *>("id264"), Qt::LeftButton);
    };
    m_answers.Expect<CBookmarkListDlg>(record);
    Click(Row(List(WWWBookmarks)));
    Key(Qt::Key_F2);
    m_answers.Expect<CBookmarkListDlg>(record);
    DoubleClick(Row(List(WAPBookmarks)));
    EXPECT_EQ(titles, (QStringList{"WWW bookmarks", "WAP bookmarks"}));
    EXPECT_EQ(help.count(), 2);
    EXPECT_EQ(help.value(0).value(0).toInt(), 460);
    EXPECT_EQ(m_answers.Pending(), 0);
    EXPECT_FALSE(m_document.IsModified());
    EXPECT_EQ(List(WWWBookmarks)->ChildCount(), 0);
    EXPECT_FALSE(List(WWWBookmarks)->IsIncluded());
}

TEST_F(CBookmarkListEditingTest, OkIncludesAListWithBookmarksAndExcludesAnEmptyOne)
{
    CSettingNode *www = List(WWWBookmarks);
    const QString shownEmpty = www->GetDisplayValue(true);
    m_answers.Expect<CBookmarkListDlg>([&](CBookmarkListDlg *dialog) {
        AddBookmark(dialog, "b");
        AddBookmark(dialog, "a");
        dialog->accept();
    });
    Click(Row(www));
    Key(Qt::Key_F2);
    ASSERT_EQ(www->ChildCount(), 2);
    // In record order, not in the order the list shows them.
    EXPECT_EQ(www->Children()[0]->FindChild(WWWBookmarkName)->GetValue(), "b");
    EXPECT_TRUE(www->IsIncluded());
    EXPECT_TRUE(www->Children()[1]->IsIncluded());
    EXPECT_TRUE(m_document.IsModified());
    EXPECT_EQ(Row(www).siblingAtColumn(CSettingsTreeModel::ValueColumn).data().toString(),
              www->GetDisplayValue(true));
    EXPECT_NE(www->GetDisplayValue(true), shownEmpty);

    // OK without a change keeps the document as it was.
    m_document.SetModified(0);
    m_answers.Expect<CBookmarkListDlg>([](CBookmarkListDlg *dialog) { dialog->accept(); });
    Key(Qt::Key_F2);
    EXPECT_FALSE(m_document.IsModified());

    m_answers.Expect<CBookmarkListDlg>([](CBookmarkListDlg *dialog) {
        dialog->findChild<CListCtrlEx *>()->selectAll();
        dialog->Remove();
        dialog->accept();
    });
    Key(Qt::Key_F2);
    EXPECT_EQ(www->ChildCount(), 0);
    EXPECT_FALSE(www->IsIncluded());
    EXPECT_EQ(www->GetDisplayValue(true), shownEmpty);
    EXPECT_TRUE(m_document.IsModified());
    EXPECT_EQ(m_answers.Pending(), 0);
    EXPECT_TRUE(m_test.Messages().shown.isEmpty());
}
