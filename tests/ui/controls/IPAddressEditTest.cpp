#include "ui/controls/IPAddressEdit.h"

#include <QApplication>
#include <QLineEdit>
#include <QPointer>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

namespace {

// An editor over a companion in an active window, as the tree places it.
class IPAddressEditTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_window.resize(400, 100);
        m_companion = new QWidget(&m_window);
        m_companion->setFocusPolicy(Qt::StrongFocus);
        m_companion->setGeometry(0, 0, 400, 100);
        m_editor = new CIPAddressEdit(m_companion);
        m_editor->setGeometry(200, 10, 180, 24);
        for (int i = 0; i < CIPAddressEdit::kFieldCount; ++i)
            m_editor->SetFieldRange(i, i == 0 || i == 3 ? 1 : 0, 254);
        m_editor->SetCompanion(m_companion);
        m_window.show();
        QApplication::setActiveWindow(&m_window);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&m_window));
        m_editor->FocusField(0);
        m_editor->SetActive(true);
    }

    QLineEdit *Field(int i) const
    {
        return m_editor->findChild<QLineEdit *>(QStringLiteral("id%1").arg(i));
    }

    // Types into whichever field has the focus, as the keyboard would.
    static void Type(const QString &text)
    {
        for (const QChar c : text)
            QTest::keyClick(QApplication::focusWidget(), c.toLatin1());
    }

    QWidget m_window;
    QWidget *m_companion = nullptr;
    QPointer<CIPAddressEdit> m_editor;
};

TEST_F(IPAddressEditTest, SetAddressReadsLeadingNumbersAfterEachDot)
{
    m_editor->SetAddress(QStringLiteral("192.168.1.10"));
    EXPECT_EQ(m_editor->GetAddress(), QStringLiteral("192.168.1.10"));
    EXPECT_EQ(Field(1)->text(), QStringLiteral("168"));

    m_editor->SetAddress(QStringLiteral("10.5"));
    EXPECT_EQ(m_editor->GetAddress(), QStringLiteral("10.5.0.0"));

    m_editor->SetAddress(QStringLiteral("7x.8y.9"));
    EXPECT_EQ(m_editor->GetAddress(), QStringLiteral("7.8.9.0"));

    // A field left blank reads as 0.
    Field(2)->clear();
    EXPECT_EQ(m_editor->GetFieldValue(2), 0);
    EXPECT_EQ(m_editor->GetAddress(), QStringLiteral("7.8.0.0"));
}

TEST_F(IPAddressEditTest, TypedValuesAreClampedAtOnceAndMoveOn)
{
    m_editor->SetAddress(QStringLiteral("0.0.0.0"));
    m_editor->FocusField(0);
    Type(QStringLiteral("0"));
    EXPECT_EQ(Field(0)->text(), QStringLiteral("1")) << "below the minimum";
    EXPECT_TRUE(Field(0)->hasFocus()) << "one digit does not finish a field";

    m_editor->FocusField(0);
    Type(QStringLiteral("255"));
    EXPECT_EQ(Field(0)->text(), QStringLiteral("254"));
    EXPECT_TRUE(Field(1)->hasFocus()) << "a full field moves on";

    Type(QStringLiteral("10."));
    EXPECT_EQ(Field(1)->text(), QStringLiteral("10"));
    EXPECT_TRUE(Field(2)->hasFocus()) << "a dot finishes the field";

    Type(QStringLiteral("999"));
    EXPECT_EQ(Field(2)->text(), QStringLiteral("254"));
    Type(QStringLiteral("1a."));
    EXPECT_EQ(Field(3)->text(), QStringLiteral("1")) << "letters and a dot in the last field";
    EXPECT_TRUE(Field(3)->hasFocus());
    EXPECT_EQ(m_editor->GetAddress(), QStringLiteral("254.10.254.1"));

    // Backspace at the start of a field goes back to the previous one.
    Field(3)->home(false);
    QTest::keyClick(Field(3), Qt::Key_Backspace);
    EXPECT_TRUE(Field(2)->hasFocus());
}

TEST_F(IPAddressEditTest, EnterCommitsAndEscapeCancelsFromAnyField)
{
    QSignalSpy commits(m_editor.data(), &CIPAddressEdit::commitRequested);
    QTest::keyClick(Field(2), Qt::Key_Return);
    EXPECT_EQ(commits.count(), 1);
    EXPECT_FALSE(m_editor->IsCancelled());

    QTest::keyClick(Field(3), Qt::Key_Escape);
    EXPECT_EQ(commits.count(), 2);
    EXPECT_TRUE(m_editor->IsCancelled());
}

TEST_F(IPAddressEditTest, FocusBackToTheCompanionCommits)
{
    QSignalSpy commits(m_editor.data(), &CIPAddressEdit::commitRequested);
    QSignalSpy drops(m_editor.data(), &CIPAddressEdit::editDropped);
    m_editor->FocusField(2);
    m_companion->setFocus();
    EXPECT_EQ(commits.count(), 1);
    EXPECT_EQ(drops.count(), 0);
    EXPECT_FALSE(m_editor.isNull());
}

TEST_F(IPAddressEditTest, FocusToAnotherWindowDropsTheEditor)
{
    QSignalSpy commits(m_editor.data(), &CIPAddressEdit::commitRequested);
    QSignalSpy drops(m_editor.data(), &CIPAddressEdit::editDropped);
    QLineEdit other;
    other.show();
    QApplication::setActiveWindow(&other);
    other.setFocus();
    EXPECT_EQ(drops.count(), 1);
    EXPECT_EQ(commits.count(), 0);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(m_editor.isNull());
}

TEST_F(IPAddressEditTest, InactiveEditorIgnoresFocusLoss)
{
    m_editor->SetActive(false);
    QSignalSpy commits(m_editor.data(), &CIPAddressEdit::commitRequested);
    QSignalSpy drops(m_editor.data(), &CIPAddressEdit::editDropped);
    m_companion->setFocus();
    QLineEdit other;
    other.show();
    QApplication::setActiveWindow(&other);
    EXPECT_EQ(commits.count() + drops.count(), 0);
}

} // namespace
