#include "ui/filetransfer/FileEntryDlg.h"

#include "filetransfer/PhoneFolders.h"
#include "support/EnglishTexts.h"
#include "support/ModalAnswers.h"
#include "ui/filetransfer/FileChooser.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

namespace {

// An entry dialog shown as exec would show it, with its controls at hand.
class FileEntryDlgTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_texts.Loaded());
        m_dialog = std::make_unique<CFileEntryDlg>(m_texts.Application());
    }
    void Show()
    {
        m_dialog->show();
        QApplication::setActiveWindow(m_dialog.get());
    }
    QLineEdit *Local() const { return m_dialog->findChild<QLineEdit *>("id276"); }
    QComboBox *Remote() const { return m_dialog->findChild<QComboBox *>("id275"); }
    QPushButton *Ok() const { return m_dialog->findChild<QPushButton *>("id1"); }
    // Types into the fields as the user does, replacing what they hold.
    void Type(const QString &local, const QString &remote)
    {
        Local()->clear();
        QTest::keyClicks(Local(), local);
        Remote()->clearEditText();
        QTest::keyClicks(Remote()->lineEdit(), remote);
    }

    CEnglishTexts m_texts;
    std::unique_ptr<CFileEntryDlg> m_dialog;
};

} // namespace

TEST_F(FileEntryDlgTest, OpensWithThePhonesFoldersOfferedAndNothingChosen)
{
    Show();
    QStringList offered;
    for (int i = 0; i < Remote()->count(); ++i)
        offered << Remote()->itemText(i);
    // The English library names language 1.
    EXPECT_EQ(offered, DestinationProposals(PhoneLanguage::English));
    EXPECT_EQ(offered.value(0), "C:\\Documents\\");
    EXPECT_EQ(Remote()->currentText(), "");
    EXPECT_EQ(Local()->text(), "");
    EXPECT_FALSE(Ok()->isEnabled());

    // A preset pair is shown and accepted at once.
    CFileEntryDlg preset(m_texts.Application());
    preset.SetLocalPath("/home/ann/tone.wav");
    preset.SetRemotePath("C:\\Sounds\\");
    auto *ok = preset.findChild<QPushButton *>("id1");
    EXPECT_EQ(preset.findChild<QLineEdit *>("id276")->text(), "/home/ann/tone.wav");
    EXPECT_EQ(preset.findChild<QComboBox *>("id275")->currentText(), "C:\\Sounds\\");
    EXPECT_TRUE(ok->isEnabled());
    preset.SetRemotePath("Sounds");
    EXPECT_FALSE(ok->isEnabled());
    EXPECT_TRUE(m_texts.MissingTexts().isEmpty());
}

TEST_F(FileEntryDlgTest, OkFollowsBothFieldsAndCompletesTheFolder)
{
    struct Case
    {
        QString local, remote;
        QString stored; // null: OK stays disabled
    };
    const Case cases[] = {
        {"/home/ann/a.txt", "C:", "C:\\"},
        {"/home/ann/a.txt", "D:\\Docs", "D:\\Docs\\"},
        {"/home/ann/a.txt", "C:\\Docs\\", "C:\\Docs\\"},
        {"a.txt", "c:\\x y\\", "c:\\x y\\"},
        {"/home/ann/a.txt", "\\Docs\\", {}},
        {"/home/ann/a.txt", "Docs\\", {}},
        {"/home/ann/a.txt", "", {}},
        {"/home/ann/a.txt", "C:\\a|b\\", {}},
        {"/home/ann/a.txt", "C:\\a/b\\", {}},
        {"", "C:\\Docs\\", {}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE((c.local + " > " + c.remote).toStdString());
        m_dialog = std::make_unique<CFileEntryDlg>(m_texts.Application());
        Show();
        Type(c.local, c.remote);
        ASSERT_EQ(Ok()->isEnabled(), !c.stored.isNull());
        if (c.stored.isNull())
            continue;
        QTest::mouseClick(Ok(), Qt::LeftButton);
        EXPECT_EQ(m_dialog->result(), QDialog::Accepted);
        EXPECT_EQ(m_dialog->GetLocalPath(), c.local);
        EXPECT_EQ(m_dialog->GetRemotePath(), c.stored);
    }
}

TEST_F(FileEntryDlgTest, ChoosingAnOfferedFolderEnablesOkOnceTheFieldShowsIt)
{
    Show();
    QTest::keyClicks(Local(), "/home/ann/a.txt");
    ASSERT_FALSE(Ok()->isEnabled());
    Remote()->showPopup();
    QAbstractItemView *list = Remote()->view();
    const QModelIndex tones = list->model()->index(3, 0);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(tones).center());
    QCoreApplication::processEvents();
    EXPECT_EQ(Remote()->currentText(), "C:\\Documents\\Tones\\");
    EXPECT_TRUE(Ok()->isEnabled());

    // Typing takes effect at once; the field keeps what is typed.
    QTest::keyClick(Remote()->lineEdit(), Qt::Key_End);
    QTest::keyClicks(Remote()->lineEdit(), "*");
    EXPECT_FALSE(Ok()->isEnabled());
    EXPECT_EQ(Remote()->currentText(), "C:\\Documents\\Tones\\*");
    EXPECT_EQ(Remote()->count(), 5);
}

TEST_F(FileEntryDlgTest, OkReachedWithABadFolderWarnsAndKeepsTheDialogAsItWas)
{
    Show();
    Type("/home/ann/a.txt", "Docs\\");
    CModalAnswers answers;
    QString message;
    answers.Expect<QMessageBox>([&](QMessageBox *box) {
        message = box->text();
        box->accept();
    });
    m_dialog->accept();
    EXPECT_EQ(answers.Answered(), 1);
    EXPECT_TRUE(message.startsWith("The phone folder must start with a drive letter"));
    EXPECT_TRUE(m_dialog->isVisible());
    EXPECT_EQ(m_dialog->result(), QDialog::Rejected);
    EXPECT_EQ(Remote()->currentText(), "Docs\\");
    EXPECT_EQ(Local()->text(), "/home/ann/a.txt");
}

TEST_F(FileEntryDlgTest, BrowseTakesTheChosenFileAndCancelKeepsTheField)
{
    QStringList filters;
    QString answer = "/home/ann/My tones/ring.wav";
    m_dialog->SetFileChooser([&](QWidget *parent, const QString &filter) {
        EXPECT_EQ(parent, m_dialog.get());
        filters << filter;
        return answer;
    });
    m_dialog->SetRemotePath("C:");
    Show();
    auto *browse = m_dialog->findChild<QPushButton *>("id274");
    QTest::mouseClick(browse, Qt::LeftButton);
    EXPECT_EQ(Local()->text(), answer);
    EXPECT_TRUE(Ok()->isEnabled());
    answer.clear();
    QTest::mouseClick(browse, Qt::LeftButton);
    EXPECT_EQ(Local()->text(), "/home/ann/My tones/ring.wav");
    EXPECT_EQ(filters, QStringList(2, "All files (*.*)|*.*||"));
}

TEST(FileChooser, FiltersBecomeQtFiltersThatAlsoListFilesWithoutADot)
{
    EXPECT_EQ(ToQtFileFilter("All files (*.*)|*.*||"), "All files (*)");
    EXPECT_EQ(ToQtFileFilter("Images (*.jpg;*.bmp;*.gif)|*.jpg;*.bmp;*.gif|All files (*.*)|*.*||"),
              "Images (*.jpg *.bmp *.gif);;All files (*)");
    // The patterns come from the second field, whatever the label says.
    EXPECT_EQ(ToQtFileFilter("Packages|*.sis||"), "Packages (*.sis)");
    EXPECT_EQ(ToQtFileFilter(""), "");
}
