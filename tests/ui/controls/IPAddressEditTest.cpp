#include "ui/controls/IPAddressEdit.h"

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QTest>

#include <gtest/gtest.h>

namespace {

// The editor as the settings tree opens it: the ends of an address take 1 to
// 254, the fields between 0 to 254, and the caret starts in the first field
// of 0.0.0.0 in an active window.
class IPAddressTyping : public ::testing::Test
{
protected:
    void SetUp() override
    {
        const int ranges[][2] = {{1, 254}, {0, 254}, {0, 254}, {1, 254}};
        for (int i = 0; i < CIPAddressEdit::kFieldCount; ++i)
            m_editor.SetFieldRange(i, ranges[i][0], ranges[i][1]);
        m_editor.SetAddress("0.0.0.0");
        m_editor.show();
        QApplication::setActiveWindow(&m_editor);
        m_editor.FocusField(0);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&m_editor));
    }

    // Keys go wherever the focus is: \b is Backspace, \x16 is Ctrl+V, \x12
    // and \x13 are Left and Right.
    static void Type(const char *keys)
    {
        for (const char *c = keys; *c; ++c) {
            QWidget *focus = QApplication::focusWidget();
            if (*c == '\b')
                QTest::keyClick(focus, Qt::Key_Backspace);
            else if (*c == '\x16')
                QTest::keyClick(focus, Qt::Key_V, Qt::ControlModifier);
            else if (*c == '\x12' || *c == '\x13')
                QTest::keyClick(focus, *c == '\x12' ? Qt::Key_Left : Qt::Key_Right);
            else
                QTest::keyClick(focus, *c);
        }
    }

    int FocusedField() const
    {
        const QWidget *focus = QApplication::focusWidget();
        return focus && focus->parentWidget() == &m_editor ? focus->objectName().mid(2).toInt()
                                                           : -1;
    }

    CIPAddressEdit m_editor;
};

} // namespace

TEST(IPAddressEdit, SetAddressReadsLeadingNumbersAfterEachDot)
{
    CIPAddressEdit editor;
    const std::pair<const char *, const char *> addresses[] = {
        {"192.168.1.10", "192.168.1.10"}, {"10.5", "10.5.0.0"}, {"7x.8y.9", "7.8.9.0"}};
    for (const auto &[given, read] : addresses) {
        editor.SetAddress(given);
        EXPECT_EQ(editor.GetAddress().toStdString(), read);
    }
    editor.findChild<QLineEdit *>("id1")->clear();
    EXPECT_EQ(editor.GetAddress().toStdString(), "7.0.9.0") << "a field left blank reads as 0";
}

TEST_F(IPAddressTyping, StoresTheAddressTheWayPeopleTypeIt)
{
    const struct
    {
        const char *keys;
        const char *address;
        int focus; // the field with the caret afterwards
    } rows[] = {
        {"192.168.1.10", "192.168.1.10", 3},
        // A full field moves on by itself; the dot typed after it confirms that.
        {"192.168.100.200", "192.168.100.200", 3},
        {"192168100200", "192.168.100.200", 3},
        {"192001002254", "192.1.2.254", 3},
        {"10.1.2.3", "10.1.2.3", 3},
        {"300.1.1.0", "254.1.1.1", 3},
        // Only the first dot after the move: a second one finishes the field.
        {"192..5", "192.0.5.0", 2},
        // Backspace clears the selected field, then goes back into the one before.
        {"19.\b\b2.168.1.10", "192.168.1.10", 3},
        {"192.186\b\b\b\b\b168.1.10", "192.168.1.10", 3},
        // A field moved on to by the arrow keys is not one a dot confirms.
        {"192\x13\x12.7", "192.0.7.0", 2},
    };
    for (const auto &row : rows) {
        m_editor.SetAddress("0.0.0.0");
        m_editor.FocusField(0);
        Type(row.keys);
        EXPECT_EQ(m_editor.GetAddress().toStdString(), row.address) << row.keys;
        EXPECT_EQ(FocusedField(), row.focus) << row.keys;
    }
}

TEST_F(IPAddressTyping, PastingADottedAddressFillsTheFieldsFromTheCaretOn)
{
    const struct
    {
        int field;
        const char *clipboard;
        const char *address;
    } rows[] = {
        {0, "192.168.1.10", "192.168.1.10"},
        {0, " 10.300.0.0\n", "10.254.0.1"},
        {0, "1.2.3.4.5", "1.2.3.4"},
        {2, "172.16", "0.0.172.16"},
        {0, "12", "12.0.0.0"},
        {0, "1,2", "0.0.0.0"},
        {0, "1234", "0.0.0.0"},
    };
    for (const auto &row : rows) {
        m_editor.SetAddress("0.0.0.0");
        m_editor.FocusField(row.field);
        QGuiApplication::clipboard()->setText(QString::fromLatin1(row.clipboard));
        Type("\x16");
        EXPECT_EQ(m_editor.GetAddress().toStdString(), row.address) << row.clipboard;
    }
    EXPECT_EQ(FocusedField(), 0);
    m_editor.FocusField(0);
    QGuiApplication::clipboard()->setText("10.0.0.1");
    Type("\x16");
    EXPECT_EQ(FocusedField(), 3) << "the caret ends in the last field pasted";
}
