#include "ui/controls/IPAddressEdit.h"

#include <QLineEdit>

#include <gtest/gtest.h>

// Typing is tested through the in-place editing, which sets the field ranges.
TEST(IPAddressEdit, SetAddressReadsLeadingNumbersAfterEachDot)
{
    CIPAddressEdit editor;
    const std::pair<const char *, const char *> addresses[] = {
        {"192.168.1.10", "192.168.1.10"}, {"10.5", "10.5.0.0"}, {"7x.8y.9", "7.8.9.0"}};
    for (const auto &[given, read] : addresses) {
        editor.SetAddress(given);
        EXPECT_EQ(editor.GetAddress(), read);
    }
    editor.findChild<QLineEdit *>("id1")->clear();
    EXPECT_EQ(editor.GetAddress(), "7.0.9.0") << "a field left blank reads as 0";
}
