#include "EditingHarness.h"

#include "ui/controls/IPAddressEdit.h"

#include <gtest/gtest.h>

using namespace NodeType;

namespace {

CSettingNode *IPAddressNode(CSettingNode *root)
{
    return Path(OfficeAccessPoint(root), {AddressOptions, NodeType::IPAddress});
}

} // namespace

TEST(EditingIPAddress, FieldsAreTypedAndStoredOnEnter)
{
    CEditingHarness harness;
    CSettingNode *address = IPAddressNode(harness.Root());
    ASSERT_EQ(address->GetValue(), QStringLiteral("0.0.0.0"));
    ASSERT_TRUE(harness.Begin(address, QStringLiteral("1")));
    auto *editor = harness.Editor<CIPAddressEdit>(10009);
    ASSERT_NE(editor, nullptr);
    EXPECT_TRUE(harness.Editing().IsTextEditing());
    const int ranges[4][2] = {{1, 254}, {0, 254}, {0, 254}, {1, 254}};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(editor->GetFieldMinimum(i), ranges[i][0]) << i;
        EXPECT_EQ(editor->GetFieldMaximum(i), ranges[i][1]) << i;
    }

    harness.Type(QStringLiteral("0.0.0.255"));
    EXPECT_EQ(editor->GetAddress(), QStringLiteral("10.0.0.254"));
    harness.Press(Qt::Key_Return);
    EXPECT_EQ(address->GetValue(), QStringLiteral("10.0.0.254"));
    EXPECT_TRUE(address->IsIncluded());
    EXPECT_EQ(harness.Editor(10009), nullptr);
    EXPECT_TRUE(harness.Owner()->hasFocus());
}

TEST(EditingIPAddress, EscapeAndLeavingTheWindowKeepTheAddress)
{
    CEditingHarness harness;
    CSettingNode *address = IPAddressNode(harness.Root());
    address->SetValue(QStringLiteral("192.168.1.1"));

    ASSERT_TRUE(harness.Begin(address));
    EXPECT_EQ(harness.Editor<CIPAddressEdit>(10009)->GetAddress(), QStringLiteral("192.168.1.1"));
    harness.Type(QStringLiteral("10."));
    harness.Press(Qt::Key_Escape);
    EXPECT_EQ(address->GetValue(), QStringLiteral("192.168.1.1"));

    ASSERT_TRUE(harness.Begin(address));
    harness.Type(QStringLiteral("10."));
    harness.ActivateOtherWindow();
    EXPECT_FALSE(harness.Editing().IsEditing());
    harness.Editing().CommitEdit();
    EXPECT_EQ(address->GetValue(), QStringLiteral("192.168.1.1"));
    EXPECT_TRUE(harness.committed.empty());
}

TEST(EditingIPAddress, MovingBetweenFieldsKeepsTheEdit)
{
    CEditingHarness harness;
    CSettingNode *address = IPAddressNode(harness.Root());
    ASSERT_TRUE(harness.Begin(address));
    auto *editor = harness.Editor<CIPAddressEdit>(10009);
    editor->FocusField(3);
    harness.Type(QStringLiteral("9"));
    editor->FocusField(1);
    EXPECT_TRUE(harness.Editing().IsEditing());
    // Clicking the tree hands the focus back, which commits.
    harness.Owner()->setFocus(Qt::MouseFocusReason);
    EXPECT_EQ(address->GetValue(), QStringLiteral("0.0.0.9"));
}
