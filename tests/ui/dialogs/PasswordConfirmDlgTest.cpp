#include "ui/dialogs/PasswordConfirmDlg.h"

#include "support/EnglishTexts.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

namespace {

QLineEdit *Edit(const CPasswordConfirmDlg &dialog)
{
    return dialog.findChild<QLineEdit *>(QStringLiteral("id10153"));
}

void Click(const CPasswordConfirmDlg &dialog, const char *id)
{
    QTest::mouseClick(dialog.findChild<QPushButton *>(QLatin1String(id)), Qt::LeftButton);
}

} // namespace

TEST(PasswordConfirmDlg, LimitsTheFieldAndHidesWhatIsTyped)
{
    CEnglishTexts texts;
    CPasswordConfirmDlg dialog;
    ASSERT_NE(Edit(dialog), nullptr);
    EXPECT_EQ(Edit(dialog)->maxLength(), 1024);
    EXPECT_EQ(Edit(dialog)->echoMode(), QLineEdit::Password);
    dialog.SetMaxLength(5);
    dialog.show();
    QTest::keyClicks(Edit(dialog), QStringLiteral("secret"));
    Click(dialog, "id1");
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.GetTypedText(), QStringLiteral("secre"));
    EXPECT_TRUE(texts.MissingTexts().isEmpty());
}

TEST(PasswordConfirmDlg, KeepsTheTypedTextWhenCancelled)
{
    CEnglishTexts texts;
    CPasswordConfirmDlg dialog;
    dialog.show();
    QTest::keyClicks(Edit(dialog), QStringLiteral("abc"));
    Click(dialog, "id2");
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_EQ(dialog.GetTypedText(), QStringLiteral("abc"));
}
