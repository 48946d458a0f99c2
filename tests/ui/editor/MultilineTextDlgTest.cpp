#include "ui/editor/MultilineTextDlg.h"

#include "support/EnglishTexts.h"
#include "support/FocusChain.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

using Dlg = CMultilineTextDlg;

class MultilineTextDlgTest : public ::testing::Test
{
protected:
    QPlainTextEdit *Edit() const { return m_dialog.findChild<QPlainTextEdit *>(); }

    // Shows the text (null: the current one) with the caret at a position.
    void Show(const QString &text, int caret)
    {
        if (!text.isNull())
            m_dialog.SetText(text);
        m_dialog.show();
        QTextCursor cursor = Edit()->textCursor();
        cursor.setPosition(caret);
        Edit()->setTextCursor(cursor);
    }

    QString Accepted()
    {
        m_dialog.accept();
        return m_dialog.GetText();
    }

    QString WriteFile(const QByteArray &bytes)
    {
        QFile file(m_folder.filePath("text.txt"));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return file.fileName();
    }

    CEnglishTexts m_texts;
    Dlg m_dialog{m_texts.Application()};
    QTemporaryDir m_folder;
};

} // namespace

TEST_F(MultilineTextDlgTest, ModeChoosesTheTitleAndLineBreaksAreStoredAsLineFeeds)
{
    ASSERT_TRUE(m_texts.Loaded());
    EXPECT_EQ(m_dialog.windowTitle(), "Signature");
    m_dialog.SetMode(Dlg::ScriptMode);
    EXPECT_EQ(m_dialog.windowTitle(), "Login script");
    m_dialog.SetText("one\r\ntwo\rthree\nfour");
    EXPECT_EQ(Edit()->blockCount(), 4);
    EXPECT_EQ(Accepted(), "one\ntwo\nthree\nfour");
    EXPECT_TRUE(m_texts.MissingTexts().isEmpty());
}

TEST_F(MultilineTextDlgTest, TypingStopsAtTheLimitOfTheMode)
{
    // A signature takes 500 characters with a line break counted once; a
    // script 10000 with a line break counted twice while typing.
    const QString a499(499, u'a'), a9998(9998, u'a');
    const struct
    {
        int mode;
        QString text;
        int caret;
        const char *typed;
        QString stored;
    } rows[] = {
        {Dlg::SignatureMode, a499, 100, "XY", a499.left(100) + u'X' + a499.mid(100)},
        {Dlg::SignatureMode, a499, 499, "\rZ", a499 + u'\n'},
        {Dlg::ScriptMode, a9998, 9998, "\rB", a9998 + u'\n'},
        {Dlg::ScriptMode, a9998 + u'a', 9999, "\r", a9998 + u'a'},
    };
    for (const auto &row : rows) {
        m_dialog.SetMode(row.mode);
        Show(row.text, row.caret);
        QTest::keyClicks(Edit(), row.typed);
        EXPECT_EQ(Accepted(), row.stored) << row.typed;
    }

    // A paste that does not fit keeps what fits of its beginning.
    m_dialog.SetMode(Dlg::SignatureMode);
    Show(QString(495, u'a'), 0);
    Edit()->insertPlainText("1234567890");
    EXPECT_EQ(Accepted(), "12345" + QString(495, u'a'));
}

TEST_F(MultilineTextDlgTest, LoadingReadsUnicodeAndEightBitFilesAndCutsToTheLimit)
{
    const QString text = QStringLiteral("Gr\u00fc\u00dfe\r\nAnn\rBob");
    QByteArray wide("\xFF\xFE");
    for (const QChar c : text)
        wide.append(char(c.unicode() & 0xFF)).append(char(c.unicode() >> 8));
    for (const QByteArray &bytes : {wide, text.toUtf8()}) {
        ASSERT_TRUE(m_dialog.LoadFile(WriteFile(bytes)));
        EXPECT_EQ(Accepted(), QStringLiteral("Gr\u00fc\u00dfe\nAnn\nBob"));
    }
    EXPECT_EQ(m_dialog.GetRememberedFolder(), m_folder.path() + u'/');
    EXPECT_FALSE(m_dialog.LoadFile(m_folder.filePath("missing.txt")));
    EXPECT_EQ(Accepted(), QStringLiteral("Gr\u00fc\u00dfe\nAnn\nBob"));

    const QString lines = QStringLiteral("abcdefghi\r\n").repeated(2000);
    const QString stored = Dlg::ToStoredForm(lines);
    ASSERT_EQ(stored.size(), 20000);
    ASSERT_TRUE(m_dialog.LoadFile(WriteFile(lines.toLatin1())));
    EXPECT_EQ(Accepted(), stored.left(500));
    m_dialog.SetMode(Dlg::ScriptMode);
    ASSERT_TRUE(m_dialog.LoadFile(WriteFile(lines.toLatin1())));
    EXPECT_EQ(Accepted(), stored.left(10000));
    // Loading keeps a long script whole even though typing could not make it.
    Show({}, 10000);
    QTest::keyClick(Edit(), Qt::Key_Backspace);
    EXPECT_EQ(Accepted().size(), 9999);
}

TEST_F(MultilineTextDlgTest, HelpButtonAndF1AskForTheTopicOfTheMode)
{
    auto *help = m_dialog.findChild<QPushButton *>("id264");
    QSignalSpy requests(&m_dialog, &Dlg::helpRequested);
    m_dialog.show();
    QApplication::setActiveWindow(&m_dialog);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&m_dialog));
    EXPECT_TRUE(help->isEnabled()) << "also when nothing listens yet";
    for (const int mode : {Dlg::SignatureMode, Dlg::ScriptMode}) {
        m_dialog.SetMode(mode);
        QTest::mouseClick(help, Qt::LeftButton);
        QTest::keyClick(Edit(), Qt::Key_F1);
    }
    EXPECT_EQ(requests, (QList<QVariantList>{{140}, {140}, {131518}, {131518}}));
}

TEST_F(MultilineTextDlgTest, LoadFromFileStartsInTheCallersFolderThenInTheLastOnesFolder)
{
    ASSERT_TRUE(QDir(m_folder.path()).mkdir("sub"));
    const QString path = m_folder.filePath("sub/text.txt");
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("loaded");
    file.close();

    m_dialog.SetFolder(m_folder.path());
    m_dialog.show();
    QStringList startFolders;
    QTimer chooser;
    QObject::connect(&chooser, &QTimer::timeout, [&] {
        auto *files = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
        if (!files || !files->isVisible())
            return;
        startFolders.append(files->directory().absolutePath());
        files->selectFile(path);
        static_cast<QDialog *>(files)->accept();
    });
    chooser.start(5);
    auto *load = m_dialog.findChild<QPushButton *>("id3");
    for (int i = 0; i < 2; ++i)
        QTest::mouseClick(load, Qt::LeftButton);
    EXPECT_EQ(startFolders, QStringList({m_folder.path(), m_folder.filePath("sub")}));
    EXPECT_EQ(Accepted(), "loaded");
}

TEST_F(MultilineTextDlgTest, TabGoesFromTheTopToTheBottom)
{
    for (auto mode : {CMultilineTextDlg::ScriptMode, CMultilineTextDlg::SignatureMode}) {
        m_dialog.SetMode(mode);
        ExpectTabOrderTopToBottom(&m_dialog,
                                  mode == CMultilineTextDlg::ScriptMode ? "script" : "signature");
    }
}
