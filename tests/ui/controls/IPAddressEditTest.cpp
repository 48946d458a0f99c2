#include "ui/controls/IPAddressEdit.h"

#include <QApplication>
#include <QLineEdit>
#include <QPointer>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

namespace {

// An editor over a companion in an active window, as the tree places it, with
// the ranges of an address field: 1 to 254 at the ends, 0 to 254 between.
struct CEditorWindow
{
    CEditorWindow()
    {
        window.resize(400, 100);
        companion = new QWidget(&window);
        companion->setFocusPolicy(Qt::StrongFocus);
        companion->setGeometry(0, 0, 400, 100);
        editor = new CIPAddressEdit(companion);
        editor->setGeometry(200, 10, 180, 24);
        for (int i = 0; i < CIPAddressEdit::kFieldCount; ++i)
            editor->SetFieldRange(i, i == 0 || i == 3 ? 1 : 0, 254);
        editor->SetCompanion(companion);
        window.show();
        QApplication::setActiveWindow(&window);
        EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
        editor->FocusField(0);
        editor->SetActive(true);
    }

    QLineEdit *Field(int i) const
    {
        return editor->findChild<QLineEdit *>(QStringLiteral("id%1").arg(i));
    }

    QWidget window;
    QWidget *companion = nullptr;
    QPointer<CIPAddressEdit> editor;
};

// Types into whichever field has the focus, as the keyboard would.
void Type(const char *text)
{
    for (; *text; ++text)
        QTest::keyClick(QApplication::focusWidget(), *text);
}

} // namespace

TEST(IPAddressEdit, SetAddressReadsLeadingNumbersAfterEachDot)
{
    CEditorWindow w;
    const std::pair<const char *, const char *> addresses[] = {
        {"192.168.1.10", "192.168.1.10"}, {"10.5", "10.5.0.0"}, {"7x.8y.9", "7.8.9.0"}};
    for (const auto &[given, read] : addresses) {
        w.editor->SetAddress(given);
        EXPECT_EQ(w.editor->GetAddress(), read);
    }
    w.Field(1)->clear();
    EXPECT_EQ(w.editor->GetAddress(), "7.0.9.0") << "a field left blank reads as 0";
}

TEST(IPAddressEdit, TypedValuesAreClampedAtOnceAndMoveOn)
{
    CEditorWindow w;
    Type("0");
    EXPECT_EQ(w.Field(0)->text(), "1") << "below the minimum";
    EXPECT_TRUE(w.Field(0)->hasFocus()) << "one digit does not finish a field";

    w.editor->FocusField(0);
    Type("255");
    EXPECT_EQ(w.Field(0)->text(), "254");
    EXPECT_TRUE(w.Field(1)->hasFocus()) << "a full field moves on";
    Type("10.");
    EXPECT_EQ(w.Field(1)->text(), "10");
    EXPECT_TRUE(w.Field(2)->hasFocus()) << "a dot finishes the field";
    Type("999");
    EXPECT_EQ(w.Field(2)->text(), "254");
    Type("1a.");
    EXPECT_EQ(w.Field(3)->text(), "1") << "letters and a dot in the last field";
    EXPECT_TRUE(w.Field(3)->hasFocus());
    EXPECT_EQ(w.editor->GetAddress(), "254.10.254.1");

    // Backspace at the start of a field goes back to the previous one.
    w.Field(3)->home(false);
    QTest::keyClick(w.Field(3), Qt::Key_Backspace);
    EXPECT_TRUE(w.Field(2)->hasFocus());
}

TEST(IPAddressEdit, EnterCommitsAndEscapeCancelsFromAnyField)
{
    CEditorWindow w;
    QSignalSpy commits(w.editor.data(), &CIPAddressEdit::commitRequested);
    QTest::keyClick(w.Field(2), Qt::Key_Return);
    EXPECT_EQ(commits.count(), 1);
    EXPECT_FALSE(w.editor->IsCancelled());
    QTest::keyClick(w.Field(3), Qt::Key_Escape);
    EXPECT_EQ(commits.count(), 2);
    EXPECT_TRUE(w.editor->IsCancelled());
}

TEST(IPAddressEdit, FocusBackToTheCompanionCommitsAndAnotherWindowDropsTheEditor)
{
    // An inactive editor ignores where the focus goes.
    for (const bool active : {true, false}) {
        for (const bool toCompanion : {true, false}) {
            CEditorWindow w;
            w.editor->SetActive(active);
            QSignalSpy commits(w.editor.data(), &CIPAddressEdit::commitRequested);
            QSignalSpy drops(w.editor.data(), &CIPAddressEdit::editDropped);
            w.editor->FocusField(2);
            QLineEdit other;
            if (toCompanion) {
                w.companion->setFocus();
            } else {
                other.show();
                QApplication::setActiveWindow(&other);
                other.setFocus();
            }
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            EXPECT_EQ(commits.count(), active && toCompanion ? 1 : 0);
            EXPECT_EQ(drops.count(), active && !toCompanion ? 1 : 0);
            EXPECT_EQ(w.editor.isNull(), active && !toCompanion);
        }
    }
}
