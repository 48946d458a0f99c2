#include "EditingHarness.h"

#include <QClipboard>

#include <gtest/gtest.h>

using namespace NodeType;

namespace {

QString EditAndEnter(CEditingHarness &harness, CSettingNode *node, const QString &typed)
{
    if (!harness.Begin(node, typed.left(1)))
        return QStringLiteral("<no editor>");
    harness.Type(typed.mid(1));
    const QString shown = harness.LineEditor()->text();
    harness.Press(Qt::Key_Return);
    return shown;
}

} // namespace

TEST(EditingNumber, PortNumbersAreClampedOnCommit)
{
    CEditingHarness harness;
    CSettingNode *port = Path(OfficeAccessPoint(harness.Root()), {Proxies, HTTPPortNumber});
    EditAndEnter(harness, port, QStringLiteral("70000"));
    EXPECT_EQ(port->GetValue(), QStringLiteral("65535"));
    EXPECT_TRUE(port->IsIncluded());
    EditAndEnter(harness, port, QStringLiteral("8080"));
    EXPECT_EQ(port->GetValue(), QStringLiteral("8080"));
    EditAndEnter(harness, port, QStringLiteral("99999999999"));
    EXPECT_EQ(port->GetValue(), QStringLiteral("65535"));
}

TEST(EditingNumber, MessageSizeStaysWithinOneToAThousand)
{
    CEditingHarness harness;
    CSettingNode *size = Path(WorkMailbox(harness.Root()), {RetrieveMail, MessageMaxSize});
    EditAndEnter(harness, size, QStringLiteral("0"));
    EXPECT_EQ(size->GetValue(), QStringLiteral("1"));
    EditAndEnter(harness, size, QStringLiteral("1001"));
    EXPECT_EQ(size->GetValue(), QStringLiteral("1000"));
    EditAndEnter(harness, size, QStringLiteral("300"));
    EXPECT_EQ(size->GetValue(), QStringLiteral("300"));
}

TEST(EditingNumber, OnlyDigitsReachTheEditor)
{
    CEditingHarness harness;
    CSettingNode *port = Path(OfficeAccessPoint(harness.Root()), {Proxies, HTTPPortNumber});
    port->SetValue(QStringLiteral("8080"));
    // The first digit typed on the row replaces the old value.
    EXPECT_EQ(EditAndEnter(harness, port, QStringLiteral("7")), QStringLiteral("7"));

    ASSERT_TRUE(harness.Begin(port));
    harness.Type(QStringLiteral("1x2-"));
    EXPECT_EQ(harness.LineEditor()->text(), QStringLiteral("12"));
    QApplication::clipboard()->setText(QStringLiteral("12a3"));
    harness.LineEditor()->selectAll();
    QTest::keyClick(harness.LineEditor(), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(harness.LineEditor()->text(), QStringLiteral("123"));
    EXPECT_EQ(harness.LineEditor()->cursorPosition(), 3);
    harness.Press(Qt::Key_Escape);
    EXPECT_EQ(port->GetValue(), QStringLiteral("7"));
}

TEST(EditingCharacterSet, EachPhoneFieldKeepsItsOwnCharacters)
{
    CEditingHarness harness;
    CSettingNode *voiceMailbox = Path(harness.Root(), {PersonalData, DefaultVoiceMailbox});
    EXPECT_EQ(EditAndEnter(harness, voiceMailbox, QStringLiteral("1+2")), QStringLiteral("12"));
    EXPECT_EQ(EditAndEnter(harness, voiceMailbox, QStringLiteral("+358*9#p")),
              QStringLiteral("+358*9#"));
    EXPECT_EQ(voiceMailbox->GetValue(), QStringLiteral("+358*9#"));

    CSettingNode *phone = OfficeAccessPoint(harness.Root())->FindChild(IAPPhoneNumber);
    EXPECT_EQ(EditAndEnter(harness, phone, QStringLiteral("+358 (9) 12-3/4.5pPwW*#x")),
              QStringLiteral("+358 (9) 12-3/4.5pPwW*#"));

    CSettingNode *centre = NameNewItem(harness.Root(), SMSSettings, SMSTemplate, CentreName,
                                       QStringLiteral("Operator"));
    EXPECT_EQ(
        EditAndEnter(harness, centre->FindChild(CentrePhoneNumber), QStringLiteral("+358 40-1*")),
        QStringLiteral("+358401"));
    EXPECT_TRUE(harness.MissingTexts().isEmpty());
}

TEST(EditingCharacterSet, AVoiceMailboxNumberNeedsTwoCharacters)
{
    CEditingHarness harness;
    CSettingNode *voiceMailbox = Path(harness.Root(), {PersonalData, DefaultVoiceMailbox});
    voiceMailbox->SetValue(QStringLiteral("123"));
    QString message;
    {
        CModalAnswer answer(CModalAnswer::AcceptMessage(message));
        EditAndEnter(harness, voiceMailbox, QStringLiteral("5"));
    }
    EXPECT_EQ(message, QStringLiteral("The value you typed is not valid."));
    EXPECT_EQ(voiceMailbox->GetValue(), QStringLiteral("123"));

    ASSERT_TRUE(harness.Begin(voiceMailbox));
    harness.Press(Qt::Key_Backspace);
    harness.Press(Qt::Key_Return);
    EXPECT_TRUE(voiceMailbox->GetValue().isEmpty()) << "clearing the number is allowed";
}
