#include "ui/editor/MultilineTextDlg.h"

#include "support/EnglishTexts.h"

#include <QFile>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace {

class MultilineTextDlgTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(m_texts.Loaded()); }

    QPlainTextEdit *Edit() const
    {
        return m_dialog.findChild<QPlainTextEdit *>(QStringLiteral("id10153"));
    }

    // Puts the caret at a position of the stored text.
    void PutCaret(int position)
    {
        QTextCursor cursor = Edit()->textCursor();
        cursor.setPosition(position);
        Edit()->setTextCursor(cursor);
    }

    QString Accepted()
    {
        m_dialog.accept();
        return m_dialog.GetText();
    }

    QString WriteFile(const QString &name, const QByteArray &bytes)
    {
        const QString path = m_folder.filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return path;
    }

    CEnglishTexts m_texts;
    CMultilineTextDlg m_dialog;
    QTemporaryDir m_folder;
};

QByteArray Utf16WithByteOrderMark(const QString &text)
{
    QByteArray bytes("\xFF\xFE");
    for (const QChar c : text) {
        bytes.append(static_cast<char>(c.unicode() & 0xFF));
        bytes.append(static_cast<char>(c.unicode() >> 8));
    }
    return bytes;
}

} // namespace

TEST_F(MultilineTextDlgTest, ModeChoosesTheTitleAndLineBreaksAreStoredAsLineFeeds)
{
    EXPECT_EQ(m_dialog.windowTitle(), QStringLiteral("Signature"));
    m_dialog.SetMode(CMultilineTextDlg::ScriptMode);
    EXPECT_EQ(m_dialog.windowTitle(), QStringLiteral("Login script"));

    m_dialog.SetText(QStringLiteral("one\r\ntwo\rthree\nfour"));
    EXPECT_EQ(Edit()->blockCount(), 4);
    EXPECT_EQ(Accepted(), QStringLiteral("one\ntwo\nthree\nfour"));
    EXPECT_EQ(Edit()->font().family(), QStringLiteral("Courier New"));
    EXPECT_TRUE(m_texts.MissingTexts().isEmpty());
}

TEST_F(MultilineTextDlgTest, CancelKeepsTheText)
{
    m_dialog.SetText(QStringLiteral("kept"));
    m_dialog.show();
    QTest::keyClicks(Edit(), QStringLiteral("typed"));
    QTest::mouseClick(m_dialog.findChild<QPushButton *>(QStringLiteral("id2")), Qt::LeftButton);
    EXPECT_EQ(m_dialog.result(), QDialog::Rejected);
    EXPECT_EQ(m_dialog.GetText(), QStringLiteral("kept"));
}

TEST_F(MultilineTextDlgTest, TypingIntoAFullSignatureDropsTheTypedCharacter)
{
    const QString full(500, u'a');
    m_dialog.SetText(full);
    m_dialog.show();
    PutCaret(200);
    QTest::keyClick(Edit(), Qt::Key_X);
    EXPECT_EQ(Edit()->textCursor().position(), 200);
    EXPECT_EQ(Accepted(), full);
}

TEST_F(MultilineTextDlgTest, ASignatureLineBreakCountsOnce)
{
    m_dialog.SetText(QString(499, u'a'));
    m_dialog.show();
    PutCaret(100);
    QTest::keyClicks(Edit(), QStringLiteral("XY"));
    EXPECT_EQ(Edit()->textCursor().position(), 101) << "the character that did not fit goes";
    const QString typed = Accepted();
    EXPECT_EQ(typed.size(), 500);
    EXPECT_EQ(typed.mid(99, 3), QStringLiteral("aXa"));

    m_dialog.SetText(QString(499, u'a'));
    PutCaret(499);
    QTest::keyClick(Edit(), Qt::Key_Return);
    QTest::keyClick(Edit(), Qt::Key_Z);
    EXPECT_EQ(Accepted(), QString(499, u'a') + u'\n');

    // A paste that does not fit keeps what fits of its beginning.
    m_dialog.SetText(QString(495, u'a'));
    PutCaret(0);
    Edit()->insertPlainText(QStringLiteral("1234567890"));
    EXPECT_EQ(Accepted(), QStringLiteral("12345") + QString(495, u'a'));
}

TEST_F(MultilineTextDlgTest, AScriptLineBreakCountsTwoWhileTyping)
{
    m_dialog.SetMode(CMultilineTextDlg::ScriptMode);
    m_dialog.SetText(QString(9998, u'a'));
    m_dialog.show();
    PutCaret(9998);
    QTest::keyClick(Edit(), Qt::Key_Return);
    EXPECT_EQ(Accepted().size(), 9999) << "the line break fills the field";
    QTest::keyClick(Edit(), Qt::Key_B);
    EXPECT_EQ(Accepted().size(), 9999);

    m_dialog.SetText(QString(9999, u'a'));
    PutCaret(9999);
    QTest::keyClick(Edit(), Qt::Key_Return);
    EXPECT_EQ(Accepted(), QString(9999, u'a'));
}

TEST_F(MultilineTextDlgTest, LoadingCutsTheTextToTheLimitOfTheMode)
{
    QString lines;
    for (int i = 0; i < 2000; ++i)
        lines += QStringLiteral("abcdefghi\r\n");
    const QString path = WriteFile(QStringLiteral("long.txt"), lines.toLatin1());

    m_dialog.SetMode(CMultilineTextDlg::ScriptMode);
    ASSERT_TRUE(m_dialog.LoadFile(path));
    const QString stored = CMultilineTextDlg::ToStoredForm(lines);
    ASSERT_EQ(stored.size(), 20000);
    EXPECT_EQ(Accepted(), stored.left(10000));
    EXPECT_EQ(CMultilineTextDlg::GetRememberedFolder(), m_folder.path() + u'/');

    // Loading keeps a long script whole even though typing could not make it.
    PutCaret(10000);
    QTest::keyClick(Edit(), Qt::Key_Backspace);
    EXPECT_EQ(Accepted().size(), 9999);

    CMultilineTextDlg signature;
    ASSERT_TRUE(signature.LoadFile(path));
    signature.accept();
    EXPECT_EQ(signature.GetText(), stored.left(500));
}

TEST_F(MultilineTextDlgTest, UnicodeAndEightBitFilesLoadAlike)
{
    const QString text = QStringLiteral("Gr\u00fc\u00dfe\r\nAnn\rBob");
    ASSERT_TRUE(
        m_dialog.LoadFile(WriteFile(QStringLiteral("wide.txt"), Utf16WithByteOrderMark(text))));
    const QString wide = Accepted();
    EXPECT_EQ(wide, QStringLiteral("Gr\u00fc\u00dfe\nAnn\nBob"));
    ASSERT_TRUE(m_dialog.LoadFile(WriteFile(QStringLiteral("narrow.txt"), text.toUtf8())));
    EXPECT_EQ(Accepted(), wide);

    m_dialog.SetText(QStringLiteral("untouched"));
    EXPECT_FALSE(m_dialog.LoadFile(m_folder.filePath(QStringLiteral("missing.txt"))));
    EXPECT_EQ(Accepted(), QStringLiteral("untouched"));
}

TEST_F(MultilineTextDlgTest, HelpOpensTheTopicOfTheMode)
{
    auto *help = m_dialog.findChild<QPushButton *>(QStringLiteral("id264"));
    ASSERT_NE(help, nullptr);
    m_dialog.show();
    EXPECT_FALSE(help->isEnabled()) << "no help viewer listens";
    m_dialog.hide();

    QSignalSpy requests(&m_dialog, &CMultilineTextDlg::helpRequested);
    m_dialog.show();
    ASSERT_TRUE(help->isEnabled());
    QTest::mouseClick(help, Qt::LeftButton);
    m_dialog.SetMode(CMultilineTextDlg::ScriptMode);
    QTest::mouseClick(help, Qt::LeftButton);
    ASSERT_EQ(requests.count(), 2);
    EXPECT_EQ(requests.at(0).at(0).toInt(), 140);
    EXPECT_EQ(requests.at(1).at(0).toInt(), 131518);
}
