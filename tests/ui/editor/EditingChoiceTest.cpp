#include "EditingHarness.h"

#include "ui/editor/ChoiceListEdit.h"

#include <QAbstractItemView>
#include <QComboBox>

#include <gtest/gtest.h>

using namespace NodeType;

namespace {

CSettingNode *MailType(CSettingNode *root)
{
    return Path(WorkMailbox(root), {Advanced, DefaultMailType});
}

} // namespace

TEST(EditingChoice, ShowsTheTextAndStoresTheValue)
{
    EXPECT_EQ(CChoiceListEdit::SplitChoice(QStringLiteral("2\nSecond")).value, QStringLiteral("2"));
    EXPECT_EQ(CChoiceListEdit::SplitChoice(QStringLiteral("2\nSecond")).shown,
              QStringLiteral("Second"));
    EXPECT_EQ(CChoiceListEdit::SplitChoice(QStringLiteral("Office")).value,
              QStringLiteral("Office"));

    CEditingHarness harness;
    CSettingNode *mailType = MailType(harness.Root());
    ASSERT_EQ(mailType->GetValue(), QStringLiteral("HTML"));
    ASSERT_TRUE(harness.Begin(mailType));
    auto *list = harness.Editor<QComboBox>(10007);
    ASSERT_NE(list, nullptr);
    EXPECT_FALSE(harness.Editing().IsTextEditing());
    EXPECT_TRUE(list->view()->isVisible()) << "the list opens with the editor";
    ASSERT_EQ(list->count(), 3);
    EXPECT_EQ(list->itemText(0), QStringLiteral("Plain text without MIME"));
    EXPECT_EQ(list->currentText(), QStringLiteral("HTML"));

    QTest::keyClick(list->view(), Qt::Key_Up);
    QTest::keyClick(list->view(), Qt::Key_Return);
    EXPECT_FALSE(list->view()->isVisible());
    EXPECT_EQ(list->currentText(), QStringLiteral("Plain text"));
    QTest::keyClick(list, Qt::Key_Return);
    EXPECT_EQ(mailType->GetValue(), QStringLiteral("Text"));
    EXPECT_TRUE(mailType->IsIncluded());
    EXPECT_EQ(harness.Editor(10007), nullptr);
    EXPECT_TRUE(harness.MissingTexts().isEmpty());
}

TEST(EditingChoice, SelectsTheEntryShownExactlyAsTheValue)
{
    CEditingHarness harness;
    CSettingNode *mailType = MailType(harness.Root());
    mailType->SetValue(QStringLiteral("Text"));
    ASSERT_TRUE(harness.Begin(mailType));
    // "Plain text without MIME" starts with the shown value too.
    EXPECT_EQ(harness.Editor<QComboBox>(10007)->currentIndex(), 1);
}

TEST(EditingChoice, UpAndDownWrapAround)
{
    CEditingHarness harness;
    ASSERT_TRUE(harness.Begin(MailType(harness.Root())));
    auto *list = harness.Editor<QComboBox>(10007);
    ASSERT_EQ(list->currentIndex(), 2);
    // In the open list.
    QTest::keyClick(list->view(), Qt::Key_Down);
    EXPECT_EQ(list->view()->currentIndex().row(), 0);
    QTest::keyClick(list->view(), Qt::Key_Up);
    EXPECT_EQ(list->view()->currentIndex().row(), 2);
    QTest::keyClick(list->view(), Qt::Key_Up);
    EXPECT_EQ(list->view()->currentIndex().row(), 1);

    // And with the list closed.
    list->hidePopup();
    list->setCurrentIndex(2);
    QTest::keyClick(list, Qt::Key_Down);
    EXPECT_EQ(list->currentIndex(), 0);
    QTest::keyClick(list, Qt::Key_Up);
    EXPECT_EQ(list->currentIndex(), 2);
    QTest::keyClick(list, Qt::Key_Up);
    EXPECT_EQ(list->currentIndex(), 1);
}

TEST(EditingChoice, EscapeKeepsTheValue)
{
    CEditingHarness harness;
    CSettingNode *mailType = MailType(harness.Root());
    ASSERT_TRUE(harness.Begin(mailType));
    auto *list = harness.Editor<QComboBox>(10007);
    list->hidePopup();
    list->setCurrentIndex(0);
    QTest::keyClick(list, Qt::Key_Escape);
    EXPECT_EQ(mailType->GetValue(), QStringLiteral("HTML"));
    EXPECT_FALSE(mailType->IsIncluded());
    EXPECT_FALSE(harness.Editing().IsEditing());
}

TEST(EditingChoice, AListWiderThanTheColumnGrowsToTheLeft)
{
    CEditingHarness harness;
    const QRect narrow(500, 10, 40, 22);
    ASSERT_TRUE(harness.Begin(MailType(harness.Root()), QString(), narrow));
    const QRect shown = harness.Editor(10007)->geometry();
    EXPECT_EQ(shown.right(), narrow.right());
    EXPECT_EQ(shown.top(), narrow.top());
    EXPECT_GT(shown.width(), harness.Owner()->fontMetrics().horizontalAdvance(
                                 QStringLiteral("Plain text without MIME")));

    harness.Editing().MoveEditor(narrow.translated(0, 30));
    EXPECT_EQ(harness.Editor(10007)->geometry(), shown.translated(0, 30));
}

TEST(EditingChoice, ACustomSignatureIncludesTheSignatureText)
{
    CEditingHarness harness;
    CSettingNode *advanced = Path(WorkMailbox(harness.Root()), {Advanced});
    CSettingNode *include = advanced->FindChild(IncludeSignature);
    ASSERT_TRUE(harness.Begin(include));
    auto *list = harness.Editor<QComboBox>(10007);
    list->hidePopup();
    list->setCurrentIndex(list->findText(QStringLiteral("Custom signature")));
    QTest::keyClick(list, Qt::Key_Return);
    EXPECT_EQ(include->GetValue(), QStringLiteral("Custom"));
    EXPECT_TRUE(include->IsIncluded());
    EXPECT_TRUE(advanced->FindChild(Signature)->IsIncluded());
}

TEST(EditingChoice, AccessPointNamesAreOffered)
{
    CEditingHarness harness;
    OfficeAccessPoint(harness.Root());
    AddAccessPoint(harness.Root(), QStringLiteral("Home"));
    CSettingNode *preferred = Path(harness.Root(), {IAPSettings, PreferredConnection});
    ASSERT_TRUE(harness.Begin(preferred));
    auto *list = harness.Editor<QComboBox>(10007);
    ASSERT_EQ(list->count(), 2);
    EXPECT_EQ(list->currentText(), QStringLiteral("Office"));
    list->hidePopup();
    QTest::keyClick(list, Qt::Key_Down);
    QTest::keyClick(list, Qt::Key_Return);
    EXPECT_EQ(preferred->GetValue(), QStringLiteral("Home"));
}
