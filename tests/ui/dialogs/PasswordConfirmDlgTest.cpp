#include "ui/dialogs/PasswordConfirmDlg.h"

#include "support/EnglishTexts.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

TEST(PasswordConfirmDlg, HidesAndLimitsWhatIsTypedAndKeepsItWhenCancelled)
{
    CEnglishTexts texts;
    const std::pair<const char *, int> buttons[] = {{"id1", QDialog::Accepted},
                                                    {"id2", QDialog::Rejected}};
    for (const auto &[button, result] : buttons) {
        CPasswordConfirmDlg dialog;
        auto *edit = dialog.findChild<QLineEdit *>();
        ASSERT_NE(edit, nullptr);
        EXPECT_EQ(edit->echoMode(), QLineEdit::Password);
        dialog.SetMaxLength(5);
        dialog.show();
        QTest::keyClicks(edit, "secret");
        QTest::mouseClick(dialog.findChild<QPushButton *>(button), Qt::LeftButton);
        EXPECT_EQ(dialog.result(), result);
        EXPECT_EQ(dialog.GetTypedText(), "secre");
    }
    EXPECT_TRUE(texts.MissingTexts().isEmpty());
}
