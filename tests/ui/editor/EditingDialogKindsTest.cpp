#include "EditingHarness.h"

#include "ui/editor/MultilineTextDlg.h"

#include <QPlainTextEdit>
#include <QPushButton>

#include <gtest/gtest.h>

using namespace NodeType;

namespace {

// Replaces the dialog's text and closes it with OK or Cancel.
CModalAnswer::Action WriteText(const QString &text, bool ok, QString *title = nullptr)
{
    return [text, ok, title](QDialog *dialog) {
        auto *multiline = qobject_cast<CMultilineTextDlg *>(dialog);
        if (!multiline)
            return false;
        if (title)
            *title = multiline->windowTitle();
        auto *edit = multiline->findChild<QPlainTextEdit *>(QStringLiteral("id10153"));
        edit->selectAll();
        QTest::keyClicks(edit, text);
        QTest::mouseClick(
            multiline->findChild<QPushButton *>(ok ? QStringLiteral("id1") : QStringLiteral("id2")),
            Qt::LeftButton);
        return true;
    };
}

} // namespace

TEST(EditingDialogKinds, SignatureAndScriptAreEditedInTheirDialog)
{
    CEditingHarness harness;
    CSettingNode *advanced = Path(WorkMailbox(harness.Root()), {Advanced});
    advanced->FindChild(IncludeSignature)->SetValue(QStringLiteral("Custom"));
    CSettingNode *signature = advanced->FindChild(Signature);
    QString title;
    {
        CModalAnswer answer(WriteText(QStringLiteral("Regards,\rAnn"), true, &title));
        EXPECT_TRUE(harness.Begin(signature));
        EXPECT_TRUE(answer.Answered());
    }
    EXPECT_EQ(title, QStringLiteral("Signature"));
    EXPECT_EQ(signature->GetValue(), QStringLiteral("Regards,\nAnn"));
    EXPECT_FALSE(harness.Editing().IsEditing());
    EXPECT_EQ(harness.committed.size(), 1u);

    CSettingNode *script = Path(OfficeAccessPoint(harness.Root()), {ScriptOptions, Script});
    script->SetValue(QStringLiteral("old"));
    {
        CModalAnswer answer(WriteText(QStringLiteral("new"), false, &title));
        EXPECT_TRUE(harness.Begin(script));
    }
    EXPECT_EQ(title, QStringLiteral("Login script"));
    EXPECT_EQ(script->GetValue(), QStringLiteral("old"));
    EXPECT_TRUE(harness.MissingTexts().isEmpty());
}

TEST(EditingDialogKinds, ListDialogsThatDoNotExistYetSaySo)
{
    CEditingHarness harness;
    OfficeAccessPoint(harness.Root());
    CSettingNode *lists[] = {
        Path(harness.Root(), {FileTransfer, RingingTones}),
        Path(harness.Root(), {PersonalData, WWWBookmarks}),
        Path(harness.Root(), {PersonalData, WAPBookmarks}),
    };
    for (CSettingNode *list : lists) {
        harness.statusTexts.clear();
        EXPECT_FALSE(harness.Begin(list)) << list->GetType();
        ASSERT_EQ(harness.statusTexts.size(), 1) << list->GetType();
        EXPECT_FALSE(harness.statusTexts.front().isEmpty());
        EXPECT_FALSE(harness.Editing().IsEditing());
    }
    EXPECT_TRUE(harness.MissingTexts().isEmpty());
}

TEST(EditingDialogKinds, NodesWithoutAnEditorOrDisabledOpenNothing)
{
    CEditingHarness harness;
    CSettingNode *item = AddAccessPoint(harness.Root(), QStringLiteral("Plain"));
    EXPECT_FALSE(harness.Begin(nullptr));
    EXPECT_FALSE(harness.Begin(harness.Root()->FindChild(IAPSettings)));
    EXPECT_FALSE(harness.Begin(item));
    // The proxy server applies only while the proxy is used.
    EXPECT_FALSE(harness.Begin(Path(item, {Proxies, HTTPProxyServer})));
    // A template's fields wait for the template to be named.
    EXPECT_FALSE(harness.Begin(Path(harness.Root(), {IAPSettings, IAPTemplate, IAPUsername})));
    EXPECT_FALSE(harness.Editing().IsEditing());
    EXPECT_EQ(harness.LineEditor(), nullptr);
    EXPECT_TRUE(harness.statusTexts.isEmpty());

    // The modem initialisation string is plain text.
    EXPECT_TRUE(harness.Begin(Path(item, {DataCall, ModemInitString})));
    EXPECT_NE(harness.LineEditor(), nullptr);
}

TEST(EditingDialogKinds, BeginningAnotherEditCommitsTheOpenOne)
{
    CEditingHarness harness;
    CSettingNode *item = OfficeAccessPoint(harness.Root());
    ASSERT_TRUE(harness.Begin(item->FindChild(IAPUsername)));
    harness.Type(QStringLiteral("dave"));
    ASSERT_TRUE(harness.Begin(Path(item, {Proxies, HTTPPortNumber})));
    EXPECT_EQ(item->FindChild(IAPUsername)->GetValue(), QStringLiteral("dave"));
    EXPECT_EQ(harness.Editing().EditNode(), Path(item, {Proxies, HTTPPortNumber}));
    harness.Editing().CancelEdit();
    EXPECT_FALSE(harness.Editing().IsEditing());
    EXPECT_EQ(harness.LineEditor(), nullptr);
}
