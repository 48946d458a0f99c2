#include "ui/dialogs/QuestionDlg.h"

#include "support/EnglishTexts.h"
#include "support/FocusChain.h"
#include "ui/dialogs/PasswordConfirmDlg.h"

#include <QCheckBox>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

namespace {

QPushButton *Button(const QDialog &dialog, int id)
{
    return dialog.findChild<QPushButton *>(QStringLiteral("id%1").arg(id));
}

// Opens the dialog as exec would, with its buttons already pruned.
void Open(CQuestionDlg &dialog, int mask)
{
    dialog.SetButtonMask(mask);
    dialog.show();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

} // namespace

TEST(QuestionDlg, ShowsOnlyTheButtonsOfTheMaskAndEachAnswersWithItsCode)
{
    CEnglishTexts texts;
    // The buttons by control identifier with their answers, which are also their mask bits.
    const std::pair<int, int> buttons[] = {{277, 4}, {273, 8}, {276, 32}, {270, 64}};
    for (const int mask : {4 | 8, 32 | 64, 4 | 8 | 32 | 64}) {
        for (const auto &[id, answer] : buttons) {
            CQuestionDlg dialog(texts.Application());
            Open(dialog, mask);
            QPushButton *button = Button(dialog, id);
            ASSERT_EQ(button != nullptr, (mask & answer) != 0) << mask << ' ' << id;
            if (button)
                QTest::mouseClick(button, Qt::LeftButton);
            EXPECT_EQ(dialog.result(), button ? answer : 0) << id;
            EXPECT_EQ(dialog.isVisible(), !button);
        }
    }
    EXPECT_TRUE(texts.MissingTexts().isEmpty());
}

TEST(QuestionDlg, ClosingAndEscapeAnswerSkipEvenWithoutItsButtonAndEnterNothing)
{
    CEnglishTexts texts;
    CQuestionDlg closed(texts.Application()), escaped(texts.Application()),
        entered(texts.Application());
    Open(closed, CQuestionDlg::Replace);
    closed.close();
    EXPECT_EQ(closed.result(), CQuestionDlg::Skip);

    Open(escaped, CQuestionDlg::Replace | CQuestionDlg::Cancel);
    QTest::keyClick(&escaped, Qt::Key_Escape);
    EXPECT_EQ(escaped.result(), CQuestionDlg::Skip);

    Open(entered, CQuestionDlg::Skip | CQuestionDlg::Replace);
    Button(entered, 273)->setFocus();
    QTest::keyClick(&entered, Qt::Key_Return);
    QTest::keyClick(Button(entered, 273), Qt::Key_Enter);
    EXPECT_TRUE(entered.isVisible());
}

TEST(QuestionDlg, TextAndCheckBoxFollowTheSubject)
{
    CEnglishTexts texts;
    CQuestionDlg dialog(texts.Application());
    dialog.SetText("Ringing tone:\nReplace the file?", true);
    auto *box = dialog.findChild<QCheckBox *>("id274");
    EXPECT_EQ(box->text(), "Use this answer for all other files");
    dialog.SetText("Settings", false);
    EXPECT_EQ(box->text(), "Use this answer for all other settings");

    Open(dialog, CQuestionDlg::Skip | CQuestionDlg::Replace);
    QTest::mouseClick(box, Qt::LeftButton);
    QTest::mouseClick(Button(dialog, 273), Qt::LeftButton);
    EXPECT_TRUE(dialog.IsKeepAnswerChecked());
    EXPECT_TRUE(texts.MissingTexts().isEmpty());
}

TEST(SmallDialogs, TabGoesFromTheTopToTheBottom)
{
    CEnglishTexts texts;
    CQuestionDlg question(texts.Application());
    Open(question, 4 | 8 | 32 | 64);
    ExpectTabOrderTopToBottom(&question, "question");
    CPasswordConfirmDlg password(texts.Application());
    ExpectTabOrderTopToBottom(&password, "password");
}
