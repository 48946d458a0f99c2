#include "ui/filetransfer/FileEntryDlg.h"

#include "filetransfer/FileList.h"
#include "filetransfer/PhoneFolders.h"
#include "settings/NodeTypes.h"
#include "support/EnglishTexts.h"
#include "support/FocusChain.h"
#include "support/ModalAnswers.h"
#include "ui/filetransfer/FileChooser.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace {

// An entry dialog for a new entry of the Files list, as exec shows it; Type
// fills its fields as the user does.
class FileEntryDlgTest : public ::testing::Test
{
protected:
    CFileEntryDlg &Show(int ownIndex = -1)
    {
        m_dialog = std::make_unique<CFileEntryDlg>(m_texts.Application(), m_list, ownIndex);
        m_dialog->show();
        return *m_dialog;
    }
    // A file that exists, in a folder of the test's own.
    QString Make(const QString &name)
    {
        QFile file(m_dir.filePath(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        return file.fileName();
    }
    QLineEdit *Local() const { return m_dialog->findChild<QLineEdit *>("id276"); }
    QComboBox *Remote() const { return m_dialog->findChild<QComboBox *>("id275"); }
    QPushButton *Ok() const { return m_dialog->findChild<QPushButton *>("id1"); }
    void Type(const QString &local, const QString &remote)
    {
        QTest::keyClicks(Local(), local);
        QTest::keyClicks(Remote()->lineEdit(), remote);
    }

    CEnglishTexts m_texts{true};
    CFileList m_list{*m_texts.Root()->FindDescendant({NodeType::FileTransfer, NodeType::Files})};
    QTemporaryDir m_dir;
    std::unique_ptr<CFileEntryDlg> m_dialog;
};

} // namespace

TEST_F(FileEntryDlgTest, OffersThePhonesFoldersWithNothingChosenAndShowsPresets)
{
    Show();
    QStringList offered;
    for (int i = 0; i < Remote()->count(); ++i)
        offered << Remote()->itemText(i);
    EXPECT_EQ(offered, DestinationProposals(PhoneLanguage::English));
    EXPECT_EQ(Remote()->currentText(), "");
    EXPECT_FALSE(Ok()->isEnabled());

    m_dialog->SetLocalPath("/home/ann/tone.wav");
    m_dialog->SetRemotePath("C:\\Sounds\\");
    EXPECT_EQ(Local()->text(), "/home/ann/tone.wav");
    EXPECT_EQ(Remote()->currentText(), "C:\\Sounds\\");
    EXPECT_TRUE(Ok()->isEnabled());
    EXPECT_TRUE(m_texts.MissingTexts().isEmpty());
}

TEST_F(FileEntryDlgTest, OkFollowsBothFieldsAndCompletesTheFolder)
{
    const QString kDisabled;
    const QString file = Make("a.txt");
    const std::tuple<QString, QString, QString> cases[] = {
        {file, "C:", "C:\\"},          {file, "D:\\My docs\\", "D:\\My docs\\"},
        {file, "\\Docs\\", kDisabled}, {file, "C:\\a|b", kDisabled},
        {"", "C:\\Docs\\", kDisabled},
    };
    for (const auto &[local, remote, stored] : cases) {
        Show();
        Type(local, remote);
        ASSERT_EQ(Ok()->isEnabled(), !stored.isNull()) << remote.toStdString();
        if (stored.isNull())
            continue;
        QTest::mouseClick(Ok(), Qt::LeftButton);
        EXPECT_EQ(m_dialog->result(), QDialog::Accepted);
        EXPECT_EQ(m_dialog->GetLocalPath(), local);
        EXPECT_EQ(m_dialog->GetRemotePath(), stored);
    }
}

TEST_F(FileEntryDlgTest, AChosenFolderEnablesOkAndABadOneReachingOkIsRefused)
{
    Show();
    Type(Make("a.txt"), "");
    Remote()->showPopup();
    QAbstractItemView *list = Remote()->view();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualRect(list->model()->index(3, 0)).center());
    QCoreApplication::processEvents();
    EXPECT_EQ(Remote()->currentText(), "C:\\Documents\\Tones\\");
    EXPECT_TRUE(Ok()->isEnabled());

    Remote()->setEditText("Docs\\");
    CModalAnswers answers;
    QString message;
    answers.Expect<QMessageBox>([&](QMessageBox *box) { message = box->text(); });
    m_dialog->accept();
    EXPECT_TRUE(message.startsWith("The phone folder must start with a drive letter"));
    EXPECT_TRUE(m_dialog->isVisible());
    EXPECT_EQ(Remote()->currentText(), "Docs\\");
}

TEST_F(FileEntryDlgTest, AFileTheListRefusesKeepsTheDialogOpenWithTheListsMessage)
{
    const QString file = Make("a.txt");
    ASSERT_TRUE(m_list.AddFileEntry(file, "C:\\Docs"));
    const auto refusal = [this](const QString &local, const QString &remote) {
        Type(local, remote);
        CModalAnswers answers;
        QString message;
        answers.Expect<QMessageBox>([&](QMessageBox *box) { message = box->text(); });
        m_dialog->accept();
        EXPECT_TRUE(m_dialog->isVisible());
        return message;
    };
    Show();
    EXPECT_EQ(refusal(m_dir.filePath("missing.txt"), "C:\\Docs"),
              "Choose a file that exists on this computer.");
    Show();
    EXPECT_EQ(refusal(file, "c:\\docs\\"), "This file is already in the list.");

    // Editing the entry itself keeps its file and folder.
    Show(0);
    Type(file, "C:\\Docs");
    QTest::mouseClick(Ok(), Qt::LeftButton);
    EXPECT_EQ(m_dialog->result(), QDialog::Accepted);
}

TEST_F(FileEntryDlgTest, BrowseTakesTheChosenFileAndCancelKeepsTheField)
{
    Show();
    QStringList filters;
    QString answer = "/home/ann/My tones/ring.wav";
    m_dialog->SetFileChooser([&](QWidget *, const QString &filter) {
        filters << filter;
        return answer;
    });
    auto *browse = m_dialog->findChild<QPushButton *>("id274");
    QTest::mouseClick(browse, Qt::LeftButton);
    answer.clear();
    QTest::mouseClick(browse, Qt::LeftButton);
    EXPECT_EQ(Local()->text(), "/home/ann/My tones/ring.wav");
    EXPECT_EQ(filters, QStringList(2, "All files (*.*)|*.*||"));
}

TEST(FileChooser, FiltersBecomeQtFiltersThatAlsoListFilesWithoutADot)
{
    EXPECT_EQ(ToQtFileFilter("Images (*.jpg;*.gif)|*.jpg;*.gif|All files (*.*)|*.*||"),
              "Images (*.jpg *.gif);;All files (*)");
    EXPECT_EQ(ToQtFileFilter("Packages|*.sis||"), "Packages (*.sis)");
}

TEST_F(FileEntryDlgTest, TabGoesFromTheTopToTheBottom)
{
    Show();
    Type(Make("notes.txt"), "C:\\Documents");
    ExpectTabOrderTopToBottom(m_dialog.get(), "file entry");
}
