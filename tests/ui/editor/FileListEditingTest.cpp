#include "SettingsTreeFixture.h"

#include "support/ModalAnswers.h"
#include "ui/controls/ListCtrlEx.h"
#include "ui/editor/InPlaceEditing.h"
#include "ui/filetransfer/FileListDlg.h"

#include <QFile>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>

namespace {

// The file lists of the tree, edited in their dialog.
class CFileListEditingTest : public CSettingsTreeTest
{
protected:
    CSettingNode *List(int type) const { return Path(Root(), {FileTransfer, type}); }
    static QPushButton *Button(QDialog *dialog, int id)
    {
        return dialog->findChild<QPushButton *>(QStringLiteral("id%1").arg(id));
    }
    void SetUp() override
    {
        CSettingsTreeTest::SetUp();
        m_document.SetModified(0);
    }
    // Opens the list's dialog with F2 on its row.
    void PressF2On(CSettingNode *list)
    {
        Click(Row(list));
        Key(Qt::Key_F2);
    }

    CModalAnswers m_answers;
};

} // namespace

TEST_F(CFileListEditingTest, EveryFileListOpensItsDialogFromF2AndADoubleClick)
{
    QSignalSpy help(m_ctrl.get(), &CSettingsTreeCtrl::helpRequested);
    QStringList opened;
    const auto record = [&](CFileListDlg *dialog) {
        opened << dialog->windowTitle() +
                      QString::number(dialog->findChild<CListCtrlEx *>()->GetColumnCount());
        QTest::mouseClick(Button(dialog, 264), Qt::LeftButton);
    };
    for (int type : {RingingTones, BackgroundImages, SISFiles, Files}) {
        m_answers.Expect<CFileListDlg>(record);
        PressF2On(List(type));
        m_answers.Expect<CFileListDlg>(record);
        DoubleClick(Row(List(type)));
    }
    EXPECT_EQ(opened, (QStringList{"Ringing tones2", "Ringing tones2", "Background images2",
                                   "Background images2", "Installation packages2",
                                   "Installation packages2", "Other files3", "Other files3"}));
    EXPECT_EQ(m_answers.Pending(), 0);
    ASSERT_EQ(help.count(), 8);
    EXPECT_EQ(help.value(7).value(0).toInt(), 550);
    // Cancel every time: nothing changed.
    EXPECT_FALSE(m_document.IsModified());
    EXPECT_FALSE(List(Files)->IsIncluded());

    // Editor kind 15 on a type that is no file list has no dialog.
    CSettingNode *stray = Root()->AddChild(QString(), EditorKind::FileList, RingingTone);
    EXPECT_FALSE(m_ctrl->Editing()->BeginEdit(stray, QRect()));
    EXPECT_EQ(m_answers.Answered(), 8);
}

TEST_F(CFileListEditingTest, OkHandsTheEntriesToTheDocument)
{
    CSettingNode *tones = List(RingingTones);
    const QString shownEmpty = tones->GetDisplayValue(true);
    int committed = 0;
    QObject::connect(m_ctrl->Editing(), &CInPlaceEditing::valueCommitted, m_ctrl.get(),
                     [&](const CSettingNode *node) { committed += node == tones ? 1 : 100; });
    const auto add = [&](CFileListDlg *dialog, QStringList files) {
        dialog->SetFileChooser([files](QWidget *, const QString &) { return files; });
        QTest::mouseClick(Button(dialog, 10139), Qt::LeftButton);
    };

    QTemporaryDir folder;
    QStringList files;
    for (const char *name : {"a.wav", "b.wav"}) {
        QFile file(folder.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        files << file.fileName();
    }
    m_answers.Expect<CFileListDlg>([&](CFileListDlg *dialog) {
        add(dialog, files);
        dialog->accept();
    });
    PressF2On(tones);
    ASSERT_EQ(tones->ChildCount(), 2);
    EXPECT_EQ(tones->Children()[1]->GetValue(), files[1]);
    EXPECT_TRUE(tones->IsIncluded());
    EXPECT_TRUE(m_document.IsModified());
    EXPECT_NE(tones->GetDisplayValue(true), shownEmpty);
    EXPECT_EQ(Row(tones).siblingAtColumn(CSettingsTreeModel::ValueColumn).data().toString(),
              tones->GetDisplayValue(true));
    EXPECT_EQ(committed, 1);

    // Emptied: excluded again.
    m_answers.Expect<CFileListDlg>([&](CFileListDlg *dialog) {
        dialog->findChild<CListCtrlEx *>()->selectAll();
        QTest::mouseClick(Button(dialog, 10143), Qt::LeftButton);
        dialog->accept();
    });
    DoubleClick(Row(tones));
    EXPECT_EQ(tones->ChildCount(), 0);
    EXPECT_FALSE(tones->IsIncluded());
    EXPECT_EQ(tones->GetDisplayValue(true), shownEmpty);

    EXPECT_EQ(m_answers.Pending(), 0);
    EXPECT_TRUE(m_test.Messages().shown.isEmpty());
}
