#include "EditingHarness.h"

#include "ui/editor/MultilineTextDlg.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QPlainTextEdit>
#include <QPushButton>

namespace {

CSettingNode *MailType(const CEditingHarness &h)
{
    return Path(h.work, {Advanced, DefaultMailType});
}

// Opens the node's choice list with its drop-down closed.
QComboBox *OpenClosedList(CEditingHarness &h, CSettingNode *node)
{
    auto *list = h.Begin(node) ? h.Editor<QComboBox>() : nullptr;
    if (list)
        list->hidePopup();
    return list;
}

} // namespace

TEST(EditingChoice, TheListShowsTextsAndStoresTheirValues)
{
    CEditingHarness h;
    CSettingNode *mailType = MailType(h);
    ASSERT_TRUE(h.Begin(mailType));
    auto *list = h.Editor<QComboBox>();
    ASSERT_NE(list, nullptr);
    EXPECT_FALSE(h.editing->IsTextEditing());
    EXPECT_TRUE(list->view()->isVisible()) << "the list opens with the editor";
    ASSERT_EQ(list->count(), 3);
    EXPECT_EQ(list->currentText(), "HTML");
    QTest::keyClick(list->view(), Qt::Key_Up);
    QTest::keyClick(list->view(), Qt::Key_Return);
    EXPECT_FALSE(list->view()->isVisible());
    QTest::keyClick(list, Qt::Key_Return);
    EXPECT_EQ(mailType->GetValue(), "Text") << "the value shown as \"Plain text\"";
    EXPECT_TRUE(mailType->IsIncluded());
    EXPECT_EQ(h.Editor(), nullptr);

    // The entry shown exactly as the value is selected, not the first one
    // that starts with it ("Plain text without MIME"); Escape keeps the value.
    list = OpenClosedList(h, mailType);
    EXPECT_EQ(list->currentIndex(), 1);
    list->setCurrentIndex(0);
    QTest::keyClick(list, Qt::Key_Escape);
    EXPECT_EQ(mailType->GetValue(), "Text");
    EXPECT_FALSE(h.editing->IsEditing());
    EXPECT_EQ(h.committed.size(), 1u);
    EXPECT_TRUE(h.texts.MissingTexts().isEmpty());
}

TEST(EditingChoice, UpAndDownWrapAroundInTheOpenAndTheClosedList)
{
    CEditingHarness h;
    ASSERT_TRUE(h.Begin(MailType(h)));
    auto *list = h.Editor<QComboBox>();
    ASSERT_EQ(list->currentIndex(), 2);
    const std::pair<Qt::Key, int> steps[] = {{Qt::Key_Down, 0}, {Qt::Key_Up, 2}, {Qt::Key_Up, 1}};
    for (const auto &[key, row] : steps) {
        QTest::keyClick(list->view(), key);
        EXPECT_EQ(list->view()->currentIndex().row(), row);
    }
    list->hidePopup();
    list->setCurrentIndex(2);
    for (const auto &[key, row] : steps) {
        QTest::keyClick(list, key);
        EXPECT_EQ(list->currentIndex(), row);
    }
}

TEST(EditingChoice, AListWiderThanTheColumnGrowsToTheLeft)
{
    CEditingHarness h;
    const QRect narrow(500, 10, 40, 22);
    ASSERT_TRUE(h.Begin(MailType(h), QString(), narrow));
    const QRect shown = h.Editor()->geometry();
    EXPECT_EQ(shown.right(), narrow.right());
    EXPECT_EQ(shown.top(), narrow.top());
    EXPECT_GT(shown.width(), h.owner->fontMetrics().horizontalAdvance("Plain text without MIME"));
    h.editing->MoveEditor(narrow.translated(0, 30));
    EXPECT_EQ(h.Editor()->geometry(), shown.translated(0, 30));
}

TEST(EditingChoice, ACustomSignatureIncludesTheSignatureText)
{
    CEditingHarness h;
    CSettingNode *advanced = h.work->FindChild(Advanced);
    auto *list = OpenClosedList(h, advanced->FindChild(IncludeSignature));
    list->setCurrentIndex(list->findText("Custom signature"));
    QTest::keyClick(list, Qt::Key_Return);
    EXPECT_EQ(advanced->FindChild(IncludeSignature)->GetValue(), "Custom");
    EXPECT_TRUE(advanced->FindChild(Signature)->IsIncluded());
}

TEST(EditingChoice, AccessPointNamesAreOffered)
{
    CEditingHarness h;
    AddAccessPoint(h.root, "Home");
    CSettingNode *preferred = Path(h.root, {IAPSettings, PreferredConnection});
    auto *list = OpenClosedList(h, preferred);
    ASSERT_EQ(list->count(), 2);
    EXPECT_EQ(list->currentText(), "Office");
    QTest::keyClick(list, Qt::Key_Down);
    QTest::keyClick(list, Qt::Key_Return);
    EXPECT_EQ(preferred->GetValue(), "Home");
}

TEST(EditingDialogKinds, SignatureAndScriptAreEditedInTheirDialog)
{
    CEditingHarness h;
    Path(h.work, {Advanced, IncludeSignature})->SetValue("Custom");
    const struct
    {
        CSettingNode *node;
        bool ok;
        QString title;
        QString stored;
    } rows[] = {
        {Path(h.work, {Advanced, Signature}), true, "Signature", "Regards,\nAnn"},
        {Path(h.office, {ScriptOptions, Script}), false, "Login script", "old"},
    };
    for (const auto &row : rows) {
        row.node->SetValue("old");
        h.committed.clear();
        QString title;
        {
            CModalAnswer answer([&](QDialog *dialog) {
                auto *edit = dialog->findChild<QPlainTextEdit *>();
                title = dialog->windowTitle();
                edit->selectAll();
                QTest::keyClicks(edit, "Regards,\rAnn");
                QTest::mouseClick(dialog->findChild<QPushButton *>(row.ok ? "id1" : "id2"),
                                  Qt::LeftButton);
            });
            EXPECT_TRUE(h.Begin(row.node));
            EXPECT_EQ(answer.answered, 1);
        }
        EXPECT_EQ(title, row.title);
        EXPECT_EQ(row.node->GetValue(), row.stored);
        EXPECT_EQ(h.committed.size(), row.ok ? 1u : 0u);
        EXPECT_FALSE(h.editing->IsEditing());
    }
    EXPECT_TRUE(h.texts.MissingTexts().isEmpty());
}

TEST(EditingDialogKinds, ListDialogsThatDoNotExistYetSaySo)
{
    CEditingHarness h;
    for (CSettingNode *list :
         {Path(h.root, {FileTransfer, RingingTones}), Path(h.root, {PersonalData, WWWBookmarks}),
          Path(h.root, {PersonalData, WAPBookmarks})}) {
        h.statusTexts.clear();
        EXPECT_FALSE(h.Begin(list)) << list->GetType();
        ASSERT_EQ(h.statusTexts.size(), 1) << list->GetType();
        EXPECT_FALSE(h.statusTexts.front().isEmpty());
        EXPECT_FALSE(h.editing->IsEditing());
    }
    EXPECT_TRUE(h.texts.MissingTexts().isEmpty());
}
