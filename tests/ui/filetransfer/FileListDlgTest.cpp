#include "ui/filetransfer/FileListDlg.h"

#include "settings/NodeTypes.h"
#include "support/EnglishTexts.h"
#include "support/FocusChain.h"
#include "support/ModalAnswers.h"
#include "ui/controls/ListCtrlEx.h"
#include "ui/controls/RedrawLock.h"
#include "ui/filetransfer/FileEntryDlg.h"

#include <QComboBox>
#include <QFile>
#include <QHeaderView>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

using namespace NodeType;

namespace {

// The default content's file lists, labelled in English. The dialog's
// chooser answers m_chosen.
class FileListDlgTest : public ::testing::Test
{
protected:
    CSettingNode *Category(int type) const
    {
        return m_texts.Root()->FindDescendant({FileTransfer, type});
    }
    void Open(const CSettingNode &category)
    {
        m_dialog = std::make_unique<CFileListDlg>(m_texts.Application(), category);
        m_dialog->SetFileChooser([this](QWidget *, const QString &filter) {
            m_filters << filter;
            return m_chosen;
        });
        m_dialog->show();
        QApplication::setActiveWindow(m_dialog.get());
        List()->setFocus();
    }
    CListCtrlEx *List() const { return m_dialog->findChild<CListCtrlEx *>("id10161"); }
    QPushButton *Button(int id) const
    {
        return m_dialog->findChild<QPushButton *>(QStringLiteral("id%1").arg(id));
    }
    void Click(int id) { QTest::mouseClick(Button(id), Qt::LeftButton); }
    void ClickRow(int row, Qt::KeyboardModifiers modifiers = {})
    {
        const QRect rect = List()->visualRect(List()->model()->index(row, 0));
        QTest::mouseClick(List()->viewport(), Qt::LeftButton, modifiers, rect.center());
    }
    // The rows as shown, their columns joined by "|".
    QStringList Shown() const
    {
        QStringList rows;
        for (int row = 0; row < List()->GetItemCount(); ++row) {
            QStringList texts;
            for (int column = 0; column < List()->GetColumnCount(); ++column)
                texts << List()->GetItemText(row, column);
            rows << texts.join(u'|');
        }
        return rows;
    }
    // The entries handed over: their values, a Files entry's parts after ">".
    QStringList Entries(int type) const
    {
        QStringList values;
        for (const auto &entry : m_dialog->TakeEntries()) {
            EXPECT_EQ(entry->GetType(), type);
            QString value = entry->GetValue();
            for (const CSettingNode *part : entry->Children())
                value += " > " + part->GetValue();
            values << value;
        }
        return values;
    }
    static void TypeEntry(CFileEntryDlg *dialog, const QString &local, const QString &remote)
    {
        dialog->findChild<QLineEdit *>("id276")->setText(local);
        dialog->findChild<QComboBox *>("id275")->setEditText(remote);
    }

    // A file that exists, in a folder of the test's own.
    QString Make(const QString &name)
    {
        QFile file(m_dir.filePath(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        return file.fileName();
    }
    QString Folder() const { return m_dir.path() + u'/'; }

    CEnglishTexts m_texts{true};
    QTemporaryDir m_dir;
    std::unique_ptr<CFileListDlg> m_dialog;
    QStringList m_chosen, m_filters;
};

} // namespace

TEST_F(FileListDlgTest, ColumnsButtonsAndHelpFollowTheCategory)
{
    CSettingNode *entry = Category(Files)->AddChild(QString(), EditorKind::None, File);
    entry->AddChild("/home/ann/beach.jpg", EditorKind::None, FileLocal);
    entry->AddChild("C:\\Documents\\Photo gallery\\Holidays\\", EditorKind::None, FileRemote);
    Open(*Category(Files));
    EXPECT_EQ(m_dialog->windowTitle(), "Other files");
    EXPECT_EQ(List()->GetColumnCount(), 3);
    // Wide enough for the phone folder in the last column.
    EXPECT_GE(List()->columnWidth(2), List()->ContentWidth(2));
    EXPECT_NE(Button(10004), nullptr);
    QSignalSpy help(m_dialog.get(), &CFileListDlg::helpRequested);
    Click(264);
    QTest::keyClick(List(), Qt::Key_F1);
    EXPECT_EQ(help, (QList<QVariantList>{{550}, {550}}));

    // Outside Files mode Remove sits where Edit was.
    Open(*Category(BackgroundImages));
    EXPECT_EQ(List()->GetColumnCount(), 2);
    EXPECT_EQ(Button(10004), nullptr);
    EXPECT_LT(Button(10139)->geometry().bottom(), Button(10143)->geometry().top());
    EXPECT_LT(Button(10143)->geometry().bottom(), Button(1)->geometry().top());
    EXPECT_TRUE(m_texts.MissingTexts().isEmpty());
}

TEST_F(FileListDlgTest, AddSkipsListedFilesAndTheCategoryWaitsForTheCaller)
{
    CSettingNode *images = Category(BackgroundImages);
    const QString sea = Make("sea.jpg"), sky = Make("sky.gif"), logo = Make("logo.bmp");
    images->AddChild(sea, EditorKind::None, BackgroundImage);
    Open(*images);
    m_chosen = {sea, sky, logo};
    Click(10139);
    m_chosen = {sky};
    Click(10139);
    EXPECT_EQ(m_filters.value(0),
              "Images (*.jpg;*.bmp;*.gif)|*.jpg;*.bmp;*.gif|All files (*.*)|*.*||");
    EXPECT_EQ(Shown(),
              (QStringList{"sea.jpg|" + Folder(), "sky.gif|" + Folder(), "logo.bmp|" + Folder()}));
    EXPECT_EQ(Entries(BackgroundImage), (QStringList{sea, sky, logo}));
    Click(2);
    EXPECT_EQ(images->ChildCount(), 1);

    // A list of node type 110 makes entries of its own type.
    Open(*m_texts.Root()->AddChild(QString(), EditorKind::FileList, Unnamed110));
    m_chosen = {Make("one")};
    Click(10139);
    EXPECT_EQ(Entries(Unnamed110), m_chosen);
}

TEST_F(FileListDlgTest, RemoveTakesTheSelectedEntriesWhateverTheirPlaceOnScreen)
{
    CSettingNode *tones = Category(RingingTones);
    for (const char *path : {"/t/b.wav", "/t/d.wav", "/t/a.wav", "/t/e.wav", "/t/c.wav"})
        tones->AddChild(path, EditorKind::None, RingingTone);
    Open(*tones);
    EXPECT_FALSE(Button(10143)->isEnabled());
    // Sorted by name, descending: e d c b a.
    QHeaderView *header = List()->header();
    for (int click = 0; click < 2; ++click)
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, {5, header->height() / 2});
    ASSERT_EQ(List()->GetItemText(0, 0), "e.wav");
    ClickRow(0);
    EXPECT_TRUE(Button(10143)->isEnabled());
    ClickRow(2, Qt::ControlModifier);
    ClickRow(4, Qt::ControlModifier);
    QTest::keyClick(List(), Qt::Key_Delete);
    EXPECT_EQ(Entries(RingingTone), (QStringList{"/t/b.wav", "/t/d.wav"}));
    EXPECT_EQ(Shown(), (QStringList{"d.wav|/t/", "b.wav|/t/"})) << "still sorted as chosen";
    // The row now in the first removed row's place is selected, so that
    // Delete goes on removing; the last one leaves nothing selected.
    EXPECT_EQ(List()->GetSelectedRows(), QList<int>{0});
    QTest::keyClick(List(), Qt::Key_Delete);
    EXPECT_EQ(Shown(), QStringList{"b.wav|/t/"});
    EXPECT_EQ(List()->GetSelectedRows(), QList<int>{0});
    QTest::keyClick(List(), Qt::Key_Delete);
    EXPECT_TRUE(Shown().isEmpty());
    EXPECT_FALSE(Button(10143)->isEnabled());
    EXPECT_EQ(CRedrawLock::Count(), 0);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(FileListDlgTest, FilesEntriesAreAddedAndEditedInTheEntryDialog)
{
    const QString notes = Make("notes.txt"), plan = Make("plan.txt");
    Open(*Category(Files));
    CModalAnswers answers;
    for (const char *remote : {"C:\\Documents", "D:", ""}) {
        answers.Expect<CFileEntryDlg>([remote, notes](CFileEntryDlg *entry) {
            TypeEntry(entry, notes, remote);
            if (*remote) // the last one is cancelled
                entry->accept();
        });
        Click(10139);
    }
    EXPECT_EQ(Shown(), (QStringList{"notes.txt|" + Folder() + "|C:\\Documents\\",
                                    "notes.txt|" + Folder() + "|D:\\"}));

    // The entry added last stays selected, and Enter edits it rather than
    // close the dialog; a double click edits too.
    QStringList presets;
    const auto edit = [&](const QString &local, bool ok) {
        answers.Expect<CFileEntryDlg>([&presets, local, ok](CFileEntryDlg *entry) {
            presets << entry->findChild<QLineEdit *>("id276")->text() + " > " +
                           entry->findChild<QComboBox *>("id275")->currentText();
            TypeEntry(entry, local, "C:\\Work");
            if (ok)
                entry->accept();
        });
    };
    edit(plan, true);
    EXPECT_EQ(List()->GetSelectedRows(), QList<int>{1});
    QTest::keyClick(List(), Qt::Key_Return);
    EXPECT_FALSE(m_dialog->isHidden());
    EXPECT_EQ(List()->GetSelectedRows(), QList<int>{1}) << "the edited entry stays selected";
    edit("/other", false);
    const QPoint first = List()->visualRect(List()->model()->index(0, 0)).center();
    QTest::mouseClick(List()->viewport(), Qt::LeftButton, {}, first);
    QTest::mouseDClick(List()->viewport(), Qt::LeftButton, {}, first);
    QTest::mouseRelease(List()->viewport(), Qt::LeftButton, {}, first);
    EXPECT_EQ(presets, (QStringList{notes + " > D:\\", notes + " > C:\\Documents\\"}));
    EXPECT_EQ(Entries(File),
              (QStringList{" > " + notes + " > C:\\Documents\\", " > " + plan + " > C:\\Work\\"}));
    EXPECT_EQ(answers.Pending(), 0);
}

TEST_F(FileListDlgTest, OtherFilesRefuseAMissingFileAndTheSameEntryTwice)
{
    const QString notes = Make("notes.txt");
    Open(*Category(Files));
    CModalAnswers answers;
    QStringList messages;
    for (const QString &local : {notes, m_dir.filePath("gone.txt"), notes}) {
        const bool refused = !Shown().isEmpty(); // after the first, listed entry
        answers.Expect<CFileEntryDlg>([&answers, &messages, local, refused](CFileEntryDlg *entry) {
            TypeEntry(entry, local, "C:\\Documents");
            if (refused)
                answers.Expect<QMessageBox>(
                    [&messages](QMessageBox *box) { messages << box->text(); });
            entry->accept();
        });
        Click(10139);
    }
    EXPECT_EQ(messages, (QStringList{"Choose a file that exists on this computer.",
                                     "This file is already in the list."}));
    EXPECT_EQ(Entries(File), QStringList{" > " + notes + " > C:\\Documents\\"});
}

TEST_F(FileListDlgTest, TabGoesFromTheTopToTheBottomInBothModes)
{
    for (int category : {Files, RingingTones}) {
        Category(category)->AddChild(Make("one"), EditorKind::None,
                                     category == Files ? File : RingingTone);
        Open(*Category(category));
        ClickRow(0);
        ExpectTabOrderTopToBottom(m_dialog.get(), category == Files ? "Files" : "tones");
    }
}
