#include "EditingHarness.h"

#include "ui/dialogs/PasswordConfirmDlg.h"

#include <QPushButton>

#include <gtest/gtest.h>

using namespace NodeType;

namespace {

// Types the confirmation and closes the dialog with OK or Cancel.
CModalAnswer::Action Confirm(const QString &text, bool ok, int *maxLength = nullptr)
{
    return [text, ok, maxLength](QDialog *dialog) {
        auto *confirm = qobject_cast<CPasswordConfirmDlg *>(dialog);
        if (!confirm)
            return false;
        auto *edit = confirm->findChild<QLineEdit *>(QStringLiteral("id10153"));
        if (maxLength)
            *maxLength = edit->maxLength();
        QTest::keyClicks(edit, text);
        QTest::mouseClick(
            confirm->findChild<QPushButton *>(ok ? QStringLiteral("id1") : QStringLiteral("id2")),
            Qt::LeftButton);
        return true;
    };
}

} // namespace

TEST(EditingPassword, AMatchingConfirmationKeepsThePassword)
{
    CEditingHarness harness;
    CSettingNode *password = OfficeAccessPoint(harness.Root())->FindChild(IAPPassword);
    ASSERT_TRUE(harness.Begin(password));
    QLineEdit *editor = harness.LineEditor();
    EXPECT_EQ(editor->echoMode(), QLineEdit::Password);
    EXPECT_EQ(editor->maxLength(), 20);
    harness.Type(QStringLiteral("secret"));
    int maxLength = 0;
    {
        CModalAnswer answer(Confirm(QStringLiteral("secret"), true, &maxLength));
        harness.Press(Qt::Key_Return);
        EXPECT_TRUE(answer.Answered());
    }
    EXPECT_EQ(maxLength, 20);
    EXPECT_EQ(password->GetValue(), QStringLiteral("secret"));
    EXPECT_TRUE(password->IsIncluded());
    EXPECT_TRUE(harness.MissingTexts().isEmpty());
}

TEST(EditingPassword, TheEditorStartsEmpty)
{
    CEditingHarness harness;
    CSettingNode *password = WorkMailbox(harness.Root())->FindChild(MailboxPassword);
    password->SetValue(QStringLiteral("old"));
    ASSERT_TRUE(harness.Begin(password, QStringLiteral("n")));
    EXPECT_EQ(harness.LineEditor()->text(), QStringLiteral("n"));
    EXPECT_EQ(harness.LineEditor()->maxLength(), 25);
}

TEST(EditingPassword, AMismatchOrCancelClearsThePassword)
{
    CEditingHarness harness;
    CSettingNode *password = OfficeAccessPoint(harness.Root())->FindChild(IAPPassword);
    password->SetValue(QStringLiteral("old"));

    ASSERT_TRUE(harness.Begin(password));
    harness.Type(QStringLiteral("secret"));
    QString message;
    {
        CModalAnswer confirm(Confirm(QStringLiteral("secreT"), true));
        CModalAnswer box(CModalAnswer::AcceptMessage(message));
        harness.Press(Qt::Key_Return);
        EXPECT_TRUE(confirm.Answered());
        EXPECT_TRUE(box.Answered());
    }
    EXPECT_EQ(message,
              QStringLiteral("The passwords do not match. The password has been cleared."));
    EXPECT_TRUE(password->GetValue().isEmpty());

    password->SetValue(QStringLiteral("old"));
    ASSERT_TRUE(harness.Begin(password));
    harness.Type(QStringLiteral("secret"));
    {
        CModalAnswer confirm(Confirm(QStringLiteral("secret"), false));
        harness.Press(Qt::Key_Return);
        EXPECT_TRUE(confirm.Answered());
    }
    EXPECT_TRUE(password->GetValue().isEmpty());
    EXPECT_FALSE(password->IsIncluded());
}

TEST(EditingPassword, AnEmptyPasswordNeedsNoConfirmation)
{
    CEditingHarness harness;
    CSettingNode *password = OfficeAccessPoint(harness.Root())->FindChild(IAPPassword);
    password->SetValue(QStringLiteral("old"));
    ASSERT_TRUE(harness.Begin(password));
    // A dialog here would block the test: none may open.
    harness.Press(Qt::Key_Return);
    EXPECT_TRUE(password->GetValue().isEmpty());
    EXPECT_TRUE(password->IsIncluded()) << "the value changed";
}
