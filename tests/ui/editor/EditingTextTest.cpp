#include "EditingHarness.h"

#include <gtest/gtest.h>

using namespace NodeType;

TEST(EditingText, EnterStoresTheTextAndIncludesTheChangedNode)
{
    CEditingHarness harness;
    CSettingNode *username = OfficeAccessPoint(harness.Root())->FindChild(IAPUsername);
    ASSERT_FALSE(username->IsIncluded());

    ASSERT_TRUE(harness.Begin(username));
    QLineEdit *editor = harness.LineEditor();
    ASSERT_NE(editor, nullptr);
    EXPECT_TRUE(editor->hasFocus());
    EXPECT_TRUE(harness.Editing().IsTextEditing());
    EXPECT_EQ(harness.Editing().EditNode(), username);
    harness.Type(QStringLiteral("alice"));
    harness.Press(Qt::Key_Return);

    EXPECT_EQ(username->GetValue(), QStringLiteral("alice"));
    EXPECT_TRUE(username->IsIncluded());
    EXPECT_TRUE(username->GetParent()->IsIncluded()) << "the include rule runs on the row";
    ASSERT_EQ(harness.committed.size(), 1u);
    EXPECT_EQ(harness.committed.front(), username);
    EXPECT_FALSE(harness.Editing().IsEditing());
    EXPECT_EQ(harness.LineEditor(), nullptr);
    EXPECT_TRUE(harness.Owner()->hasFocus());
    EXPECT_TRUE(harness.MissingTexts().isEmpty());
}

TEST(EditingText, AnUnchangedValueLeavesTheNodeExcluded)
{
    CEditingHarness harness;
    CSettingNode *username = OfficeAccessPoint(harness.Root())->FindChild(IAPUsername);
    username->SetValue(QStringLiteral("bob"));
    ASSERT_TRUE(harness.Begin(username));
    EXPECT_EQ(harness.LineEditor()->selectedText(), QStringLiteral("bob"));
    harness.Press(Qt::Key_Return);
    EXPECT_EQ(username->GetValue(), QStringLiteral("bob"));
    EXPECT_FALSE(username->IsIncluded());
}

TEST(EditingText, EscapeAndFocusLeavingTheWindowStoreNothing)
{
    CEditingHarness harness;
    CSettingNode *username = OfficeAccessPoint(harness.Root())->FindChild(IAPUsername);
    username->SetValue(QStringLiteral("bob"));

    ASSERT_TRUE(harness.Begin(username));
    harness.Type(QStringLiteral("eve"));
    harness.Press(Qt::Key_Escape);
    EXPECT_EQ(username->GetValue(), QStringLiteral("bob"));
    EXPECT_FALSE(harness.Editing().IsEditing());
    EXPECT_TRUE(harness.committed.empty());

    ASSERT_TRUE(harness.Begin(username));
    harness.Type(QStringLiteral("eve"));
    harness.ActivateOtherWindow();
    EXPECT_FALSE(harness.Editing().IsEditing());
    EXPECT_EQ(harness.LineEditor(), nullptr);
    // The row stays recorded until the tree's next commit, which finds no
    // editor and stores nothing.
    EXPECT_EQ(harness.Editing().EditNode(), username);
    harness.Editing().CommitEdit();
    EXPECT_EQ(harness.Editing().EditNode(), nullptr);
    EXPECT_EQ(username->GetValue(), QStringLiteral("bob"));
    EXPECT_TRUE(harness.committed.empty());
}

TEST(EditingText, ClickingTheTreeCommits)
{
    CEditingHarness harness;
    CSettingNode *username = OfficeAccessPoint(harness.Root())->FindChild(IAPUsername);
    ASSERT_TRUE(harness.Begin(username));
    harness.Type(QStringLiteral("carol"));
    harness.Owner()->setFocus(Qt::MouseFocusReason);
    EXPECT_EQ(username->GetValue(), QStringLiteral("carol"));
    EXPECT_FALSE(harness.Editing().IsEditing());
}

TEST(EditingText, TheFirstTypedCharacterReplacesTheValue)
{
    CEditingHarness harness;
    CSettingNode *username = OfficeAccessPoint(harness.Root())->FindChild(IAPUsername);
    username->SetValue(QStringLiteral("bob"));
    ASSERT_TRUE(harness.Begin(username, QStringLiteral("z")));
    EXPECT_EQ(harness.LineEditor()->text(), QStringLiteral("z"));
    harness.Press(Qt::Key_Return);
    EXPECT_EQ(username->GetValue(), QStringLiteral("z"));
}

TEST(EditingText, AngleBracketsAreRefusedInTheMailboxOwnerName)
{
    CEditingHarness harness;
    CSettingNode *mailbox = WorkMailbox(harness.Root());
    ASSERT_TRUE(harness.Begin(mailbox->FindChild(MailboxOwnerName), QStringLiteral("<")));
    harness.Type(QStringLiteral("Ann <a@b>"));
    EXPECT_EQ(harness.LineEditor()->text(), QStringLiteral("Ann a@b"));
    EXPECT_EQ(harness.LineEditor()->maxLength(), 25);
    harness.Press(Qt::Key_Return);

    ASSERT_TRUE(harness.Begin(mailbox->FindChild(MailboxUsername)));
    harness.Type(QStringLiteral("<x>"));
    EXPECT_EQ(harness.LineEditor()->text(), QStringLiteral("<x>"));
    EXPECT_EQ(harness.LineEditor()->maxLength(), 100);
}

TEST(EditingText, EmailAddressesAndTheProxyHostAreChecked)
{
    CEditingHarness harness;
    CSettingNode *mailbox = WorkMailbox(harness.Root());
    CSettingNode *address = mailbox->FindChild(EMailAddress);
    address->SetValue(QStringLiteral("old@example.com"));

    QString message;
    {
        CModalAnswer answer(CModalAnswer::AcceptMessage(message));
        ASSERT_TRUE(harness.Begin(address));
        harness.Type(QStringLiteral("nobody.example.com"));
        harness.Press(Qt::Key_Return);
        EXPECT_TRUE(answer.Answered());
    }
    EXPECT_EQ(message, QStringLiteral("The value you typed is not valid."));
    EXPECT_EQ(address->GetValue(), QStringLiteral("old@example.com"));

    ASSERT_TRUE(harness.Begin(address));
    harness.Type(QStringLiteral("new@example.com"));
    harness.Press(Qt::Key_Return);
    EXPECT_EQ(address->GetValue(), QStringLiteral("new@example.com"));

    CSettingNode *proxy = Path(OfficeAccessPoint(harness.Root()), {Proxies, HTTPProxyServer});
    message.clear();
    {
        CModalAnswer answer(CModalAnswer::AcceptMessage(message));
        ASSERT_TRUE(harness.Begin(proxy));
        harness.Type(QStringLiteral(".proxy"));
        harness.Press(Qt::Key_Return);
    }
    EXPECT_FALSE(message.isEmpty());
    EXPECT_TRUE(proxy->GetValue().isEmpty());

    // Mail servers share the host-name editor but are checked only later,
    // by the whole-tree check.
    CSettingNode *server = Path(mailbox, {Servers, InServer});
    ASSERT_TRUE(harness.Begin(server));
    harness.Type(QStringLiteral(".mail"));
    harness.Press(Qt::Key_Return);
    EXPECT_EQ(server->GetValue(), QStringLiteral(".mail"));
}

TEST(EditingText, ANameFieldKeepsItsNameWhenCleared)
{
    CEditingHarness harness;
    CSettingNode *name = OfficeAccessPoint(harness.Root())->FindChild(IAPConnectionName);
    ASSERT_TRUE(harness.Begin(name));
    harness.Press(Qt::Key_Delete);
    harness.Press(Qt::Key_Return);
    EXPECT_EQ(name->GetValue(), QStringLiteral("Office"));
    EXPECT_TRUE(harness.committed.empty());

    ASSERT_TRUE(harness.Begin(name));
    harness.Type(QStringLiteral("Home"));
    harness.Press(Qt::Key_Return);
    EXPECT_EQ(name->GetValue(), QStringLiteral("Home"));
}
