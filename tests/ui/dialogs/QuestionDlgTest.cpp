#include "ui/dialogs/QuestionDlg.h"

#include "support/EnglishTexts.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

namespace {

QPushButton *Button(const QDialog &dialog, int id)
{
    return dialog.findChild<QPushButton *>(QStringLiteral("id%1").arg(id));
}

// Opens the dialog as exec would, with its buttons already pruned.
void Open(CQuestionDlg &dialog)
{
    dialog.show();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

} // namespace

TEST(QuestionDlg, ShowsOnlyTheButtonsOfTheMask)
{
    CEnglishTexts texts;
    CQuestionDlg dialog;
    dialog.SetButtonMask(CQuestionDlg::Skip | CQuestionDlg::Replace);
    Open(dialog);
    EXPECT_NE(Button(dialog, 277), nullptr);
    EXPECT_NE(Button(dialog, 273), nullptr);
    EXPECT_EQ(Button(dialog, 276), nullptr);
    EXPECT_EQ(Button(dialog, 270), nullptr);

    CQuestionDlg other;
    other.SetButtonMask(CQuestionDlg::Retry | CQuestionDlg::Cancel);
    Open(other);
    EXPECT_EQ(Button(other, 277), nullptr);
    EXPECT_EQ(Button(other, 273), nullptr);
    EXPECT_NE(Button(other, 276), nullptr);
    EXPECT_NE(Button(other, 270), nullptr);
    EXPECT_TRUE(texts.MissingTexts().isEmpty());
}

TEST(QuestionDlg, EachButtonAnswersWithItsCode)
{
    CEnglishTexts texts;
    const std::pair<int, int> buttons[] = {{277, 4}, {273, 8}, {276, 32}, {270, 64}};
    for (const auto &[id, answer] : buttons) {
        CQuestionDlg dialog;
        dialog.SetButtonMask(4 | 8 | 32 | 64);
        Open(dialog);
        QTest::mouseClick(Button(dialog, id), Qt::LeftButton);
        EXPECT_EQ(dialog.result(), answer) << id;
        EXPECT_FALSE(dialog.isVisible());
    }
}

TEST(QuestionDlg, ClosingAndEscapeAnswerSkipEvenWithoutItsButton)
{
    CEnglishTexts texts;
    CQuestionDlg closed;
    closed.SetButtonMask(CQuestionDlg::Replace);
    Open(closed);
    ASSERT_EQ(Button(closed, 277), nullptr);
    closed.close();
    EXPECT_EQ(closed.result(), CQuestionDlg::Skip);

    CQuestionDlg escaped;
    escaped.SetButtonMask(CQuestionDlg::Replace | CQuestionDlg::Cancel);
    Open(escaped);
    QTest::keyClick(&escaped, Qt::Key_Escape);
    EXPECT_EQ(escaped.result(), CQuestionDlg::Skip);
}

TEST(QuestionDlg, EnterAnswersNothing)
{
    CEnglishTexts texts;
    CQuestionDlg dialog;
    dialog.SetButtonMask(CQuestionDlg::Skip | CQuestionDlg::Replace);
    Open(dialog);
    Button(dialog, 273)->setFocus();
    QTest::keyClick(&dialog, Qt::Key_Return);
    QTest::keyClick(Button(dialog, 273), Qt::Key_Enter);
    EXPECT_TRUE(dialog.isVisible());
}

TEST(QuestionDlg, TextAndCheckBoxFollowTheSubject)
{
    CEnglishTexts texts;
    CQuestionDlg dialog;
    dialog.SetText(QStringLiteral("Ringing tone:\nReplace the file?"), true);
    const auto *box = dialog.findChild<QCheckBox *>(QStringLiteral("id274"));
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->text(), QStringLiteral("Use this answer for all other files"));
    EXPECT_EQ(dialog.findChild<QLabel *>(QStringLiteral("id275"))->text(),
              QStringLiteral("Ringing tone:\nReplace the file?"));
    dialog.SetText(QStringLiteral("Settings"), false);
    EXPECT_EQ(box->text(), QStringLiteral("Use this answer for all other settings"));

    Open(dialog);
    QTest::mouseClick(dialog.findChild<QCheckBox *>(QStringLiteral("id274")), Qt::LeftButton);
    QTest::mouseClick(Button(dialog, 273), Qt::LeftButton);
    EXPECT_TRUE(dialog.IsKeepAnswerChecked());
    EXPECT_TRUE(texts.MissingTexts().isEmpty());
}
