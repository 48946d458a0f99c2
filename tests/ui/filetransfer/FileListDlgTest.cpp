#include "ui/filetransfer/FileListDlg.h"

#include "settings/NodeTypes.h"
#include "support/EnglishTexts.h"
#include "support/ModalAnswers.h"
#include "ui/controls/ListCtrlEx.h"
#include "ui/controls/RedrawLock.h"
#include "ui/filetransfer/FileEntryDlg.h"

#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

using namespace NodeType;

namespace {

// The default content's file lists, labelled in English; each test opens
// the dialog on one of them with a chooser that answers from m_chosen.
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
    QString Heading(int column) const
    {
        return List()->model()->headerData(column, Qt::Horizontal).toString();
    }
    void Click(int id) { QTest::mouseClick(Button(id), Qt::LeftButton); }
    // The list's rows as shown, "name|folder" or "name|folder|phone folder".
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
    // The values the dialog hands over: the paths, and for Files entries the
    // local and remote parts.
    QStringList Entries(int type) const
    {
        QStringList values;
        for (const auto &entry : m_dialog->TakeEntries()) {
            EXPECT_EQ(entry->GetType(), type);
            EXPECT_TRUE(entry->IsIncluded());
            QString value = entry->GetValue();
            for (const CSettingNode *part : entry->Children())
                value += (value.isEmpty() ? "" : " > ") + part->GetValue();
            values << value;
        }
        return values;
    }
    void ClickRow(int row, Qt::KeyboardModifiers modifiers = {})
    {
        const QRect rect = List()->visualRect(List()->model()->index(row, 0));
        QTest::mouseClick(List()->viewport(), Qt::LeftButton, modifiers, rect.center());
    }
    static void TypeEntry(CFileEntryDlg *dialog, const QString &local, const QString &remote)
    {
        auto *localEdit = dialog->findChild<QLineEdit *>("id276");
        localEdit->clear();
        QTest::keyClicks(localEdit, local);
        auto *remoteBox = dialog->findChild<QComboBox *>("id275");
        remoteBox->clearEditText();
        QTest::keyClicks(remoteBox->lineEdit(), remote);
    }

    CEnglishTexts m_texts{true};
    std::unique_ptr<CFileListDlg> m_dialog;
    QStringList m_chosen, m_filters;
};

} // namespace

TEST_F(FileListDlgTest, ColumnsButtonsAndHelpFollowTheCategory)
{
    CSettingNode *files = Category(Files);
    CSettingNode *entry = files->AddChild(QString(), EditorKind::None, File);
    entry->AddChild("/home/ann/Pictures/2024/beach.jpg", EditorKind::None, FileLocal);
    entry->AddChild("C:\\Documents\\Photo gallery\\Holidays\\", EditorKind::None, FileRemote);
    Open(*files);
    // The dialog is wide enough for the phone folder in the last column.
    EXPECT_GE(List()->columnWidth(2), List()->ContentWidth(2));
    EXPECT_EQ(m_dialog->windowTitle(), "Other files");
    EXPECT_EQ(m_dialog->findChild<QLabel *>("id10242")->text(), "Other files");
    ASSERT_EQ(List()->GetColumnCount(), 3);
    EXPECT_EQ(Heading(2), "Phone folder");
    EXPECT_EQ(List()->GetSelectionMode(), 1);
    for (int id : {10139, 10004, 10143, 264, 1, 2})
        EXPECT_NE(Button(id), nullptr) << id;
    QSignalSpy help(m_dialog.get(), &CFileListDlg::helpRequested);
    Click(264);
    QTest::keyClick(List(), Qt::Key_F1);
    EXPECT_EQ(help.count(), 2);
    EXPECT_EQ(help.value(0).value(0).toInt(), 550);
    EXPECT_EQ(help.value(1).value(0).toInt(), 550);

    // Outside Files mode there is no Edit, and Remove sits where it was.
    Open(*Category(BackgroundImages));
    EXPECT_EQ(List()->GetColumnCount(), 2);
    EXPECT_EQ(Heading(0), "File name");
    EXPECT_EQ(Heading(1), "Folder");
    EXPECT_EQ(Button(10004), nullptr);
    EXPECT_LT(Button(10139)->geometry().bottom(), Button(10143)->geometry().top());
    EXPECT_LT(Button(10143)->geometry().bottom(), Button(1)->geometry().top());
    EXPECT_TRUE(m_texts.MissingTexts().isEmpty());
}

TEST_F(FileListDlgTest, AddSkipsListedFilesAndOnlySelectionsEnableRemove)
{
    CSettingNode *images = Category(BackgroundImages);
    images->AddChild("/pics/sea.jpg", EditorKind::None, BackgroundImage)->SetInclude(1, 0);
    Open(*images);
    EXPECT_EQ(Shown(), QStringList{"sea.jpg|/pics/"});
    EXPECT_FALSE(Button(10143)->isEnabled());

    m_chosen = {"/pics/sea.jpg", "/pics/sky.gif", "logo.bmp"};
    Click(10139);
    m_chosen = {"/pics/sky.gif"};
    Click(10139);
    m_chosen.clear();
    Click(10139);
    EXPECT_EQ(m_filters.value(0), "Images (*.jpg;*.bmp;*.gif)|*.jpg;*.bmp;*.gif|"
                                  "All files (*.*)|*.*||");
    EXPECT_EQ(m_filters.size(), 3);
    EXPECT_EQ(Shown(), (QStringList{"sea.jpg|/pics/", "sky.gif|/pics/", "logo.bmp|"}));
    EXPECT_EQ(Entries(BackgroundImage),
              (QStringList{"/pics/sea.jpg", "/pics/sky.gif", "logo.bmp"}));

    ClickRow(1);
    EXPECT_TRUE(Button(10143)->isEnabled());
    ClickRow(1, Qt::ControlModifier);
    EXPECT_FALSE(Button(10143)->isEnabled());
    // Nothing selected: Remove does nothing.
    QTest::keyClick(List(), Qt::Key_Delete);
    EXPECT_EQ(List()->GetItemCount(), 3);

    // The category itself waits for the caller.
    Click(2);
    EXPECT_EQ(m_dialog->result(), QDialog::Rejected);
    ASSERT_EQ(images->ChildCount(), 1);
    EXPECT_EQ(images->Children()[0]->GetValue(), "/pics/sea.jpg");
}

TEST_F(FileListDlgTest, RemoveTakesTheSelectedEntriesWhateverTheirPlaceOnScreen)
{
    CSettingNode *tones = Category(RingingTones);
    for (const char *path : {"/t/b.wav", "/t/d.wav", "/t/a.wav", "/t/e.wav", "/t/c.wav"})
        tones->AddChild(path, EditorKind::None, RingingTone)->SetInclude(1, 0);
    Open(*tones);
    // Sorted by name, descending: e d c b a.
    QHeaderView *header = List()->header();
    const QPoint nameHeading(header->sectionViewportPosition(0) + 5, header->height() / 2);
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, nameHeading);
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, nameHeading);
    ASSERT_EQ(List()->GetItemText(0, 0), "e.wav");
    ClickRow(0);
    ClickRow(2, Qt::ControlModifier);
    ClickRow(4, Qt::ControlModifier);
    QTest::keyClick(List(), Qt::Key_Delete);
    EXPECT_EQ(Entries(RingingTone), (QStringList{"/t/b.wav", "/t/d.wav"}));
    // Refilled in entry order, with nothing selected.
    EXPECT_EQ(Shown(), (QStringList{"b.wav|/t/", "d.wav|/t/"}));
    EXPECT_FALSE(Button(10143)->isEnabled());
    EXPECT_EQ(CRedrawLock::Count(), 0);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);

    ClickRow(1);
    Click(10143);
    EXPECT_EQ(Entries(RingingTone), QStringList{"/t/b.wav"});
}

TEST_F(FileListDlgTest, FilesEntriesAreAddedAndEditedInTheEntryDialog)
{
    Open(*Category(Files));
    CModalAnswers answers;
    const auto add = [&](const QString &local, const QString &remote) {
        answers.Expect<CFileEntryDlg>([&](CFileEntryDlg *entry) {
            TypeEntry(entry, local, remote);
            entry->accept();
        });
        Click(10139);
    };
    add("/home/ann/notes.txt", "C:\\Documents");
    add("/home/ann/notes.txt", "D:");
    // Cancelled: nothing added.
    answers.Expect<CFileEntryDlg>([](CFileEntryDlg *entry) {
        TypeEntry(entry, "/x", "C:");
        entry->reject();
    });
    Click(10139);
    EXPECT_EQ(answers.Answered(), 3);
    EXPECT_EQ(Shown(),
              (QStringList{"notes.txt|/home/ann/|C:\\Documents\\", "notes.txt|/home/ann/|D:\\"}));
    EXPECT_FALSE(Button(10004)->isEnabled());

    // Edit starts from the entry's values and replaces both.
    QStringList presets;
    answers.Expect<CFileEntryDlg>([&](CFileEntryDlg *entry) {
        presets << entry->findChild<QLineEdit *>("id276")->text()
                << entry->findChild<QComboBox *>("id275")->currentText();
        TypeEntry(entry, "/home/ann/plan.txt", "C:\\Work");
        entry->accept();
    });
    ClickRow(1);
    EXPECT_TRUE(Button(10004)->isEnabled());
    Click(10004);
    EXPECT_EQ(presets, (QStringList{"/home/ann/notes.txt", "D:\\"}));
    EXPECT_EQ(Entries(File), (QStringList{"/home/ann/notes.txt > C:\\Documents\\",
                                          "/home/ann/plan.txt > C:\\Work\\"}));

    // A double click edits the row clicked; Cancel keeps the entry.
    presets.clear();
    answers.Expect<CFileEntryDlg>([&](CFileEntryDlg *entry) {
        presets << entry->findChild<QLineEdit *>("id276")->text();
        TypeEntry(entry, "/other", "C:");
    });
    const QRect first = List()->visualRect(List()->model()->index(0, 0));
    // As the system delivers it: a click, then the double click.
    QTest::mouseClick(List()->viewport(), Qt::LeftButton, {}, first.center());
    QTest::mouseDClick(List()->viewport(), Qt::LeftButton, {}, first.center());
    QTest::mouseRelease(List()->viewport(), Qt::LeftButton, {}, first.center());
    EXPECT_EQ(presets, QStringList{"/home/ann/notes.txt"});
    EXPECT_EQ(Entries(File).value(0), "/home/ann/notes.txt > C:\\Documents\\");
    EXPECT_EQ(answers.Pending(), 0);
}

TEST_F(FileListDlgTest, AnUnnamedListMakesEntriesOfItsOwnType)
{
    CSettingNode *list = m_texts.Root()->AddChild(QString(), EditorKind::FileList, Unnamed110);
    Open(*list);
    EXPECT_EQ(List()->GetColumnCount(), 2);
    m_chosen = {"/a/one", "/a/two"};
    Click(10139);
    EXPECT_EQ(m_filters, QStringList{"All files (*.*)|*.*||"});
    EXPECT_EQ(Entries(Unnamed110), (QStringList{"/a/one", "/a/two"}));
}
