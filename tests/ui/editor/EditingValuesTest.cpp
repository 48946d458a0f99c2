#include "EditingHarness.h"

#include "ui/dialogs/PasswordConfirmDlg.h"

#include <QClipboard>

namespace {

using H = CEditingHarness;
const QString kNotValid = QStringLiteral("The value you typed is not valid.");
const QString kDiffer =
    QStringLiteral("The passwords do not match. The password has been cleared.");

enum End { Enter, Escape, ClickTree, OtherWindow };

// The first node of a type, depth first: the fields of "Office", "Work" and
// "Operator" come before those of their category's template.
CSettingNode *First(CSettingNode *node, int type)
{
    if (node->GetType() == type)
        return node;
    for (CSettingNode *child : node->Children()) {
        if (CSettingNode *found = First(child, type))
            return found;
    }
    return nullptr;
}

// A value typed into a row: its first character opens the editor as typing on
// the row does, unless it is a key such as Backspace. A password confirmation
// is typed and accepted when the row has one and cancelled otherwise; message
// boxes are closed with OK.
struct TypedValue
{
    int type;
    QString before; // null: the default value
    QString typed;
    End end;
    QString stored;
    bool included;
    QString shown = {}; // the editor's text before the end; null: not checked
    QString message = {};
    int maxLength = 0; // of the editor and of the confirmation; 0: not checked
    QString confirmation = {};
};

const TypedValue kTypedValues[] = {
    {IAPUsername, {}, "alice", Enter, "alice", true, "alice"},
    {IAPUsername, "bob", "", Enter, "bob", false, "bob"},
    {IAPUsername, "bob", "z", Enter, "z", true, "z"},
    {IAPUsername, "bob", "eve", Escape, "bob", false},
    {IAPUsername, "bob", "eve", OtherWindow, "bob", false},
    {IAPUsername, {}, "carol", ClickTree, "carol", true},
    // An item keeps its name rather than lose it.
    {IAPConnectionName, {}, "\b", Enter, "Office", false, ""},
    {MailboxOwnerName, {}, "<Ann <a@b>", Enter, "Ann a@b", true, "Ann a@b", {}, 25},
    {MailboxUsername, {}, "<x>", Enter, "<x>", true, "<x>", {}, 100},
    {EMailAddress, "old@x.com", "nobody.x.com", Enter, "old@x.com", false, {}, kNotValid},
    {EMailAddress, "old@x.com", "new@x.com", Enter, "new@x.com", true},
    {HTTPProxyServer, {}, ".proxy", Enter, "", false, {}, kNotValid},
    // Mail servers are checked only by the whole-tree check.
    {InServer, {}, ".mail", Enter, ".mail", true},
    {HTTPPortNumber, {}, "70000", Enter, "65535", true},
    {HTTPPortNumber, {}, "99999999999", Enter, "65535", true},
    {HTTPPortNumber, "8080", "1x2-", Enter, "12", true, "12"},
    {MessageMaxSize, {}, "0", Enter, "1", true},
    {MessageMaxSize, {}, "1001", Enter, "1000", true},
    {DefaultVoiceMailbox, {}, "1+2", Enter, "12", true, "12"},
    {DefaultVoiceMailbox, {}, "+358*9#p", Enter, "+358*9#", true},
    {DefaultVoiceMailbox, "123", "5", Enter, "123", false, {}, kNotValid},
    {DefaultVoiceMailbox, "123", "\b", Enter, "", true, ""},
    {IAPPhoneNumber, {}, "+358 (9) 12-3/4.5pPwW*#x", Enter, "+358 (9) 12-3/4.5pPwW*#", true},
    {CentrePhoneNumber, {}, "+358 40-1*", Enter, "+358401", true},
    {IPAddress, {}, "10.0.0.255", Enter, "10.0.0.254", true},
    {IPAddress, {}, "0.0.0.0", Enter, "1.0.0.1", true},
    {IPAddress, "192.168.1.1", "", Enter, "192.168.1.1", false},
    {IPAddress, "192.168.1.1", "10.", Escape, "192.168.1.1", false},
    {IPAddress, "192.168.1.1", "10.", OtherWindow, "192.168.1.1", false},
    {IPAddress, {}, "1.2.3.4", ClickTree, "1.2.3.4", true},
    // The password editor starts empty; an empty password needs no confirmation.
    {IAPPassword, "old", "", Enter, "", true, ""},
    {IAPPassword, {}, "secret", Enter, "secret", true, {}, {}, 20, "secret"},
    {IAPPassword, {}, "secret", Enter, "", false, {}, kDiffer, 20, "secreT"},
    {MailboxPassword, "old", "n", Enter, "", false, "n", {}, 25},
};

class TypedValues : public ::testing::TestWithParam<TypedValue>
{};

} // namespace

TEST_P(TypedValues, AreFilteredCheckedAndStored)
{
    const TypedValue &row = GetParam();
    H h;
    CSettingNode *node = First(h.root, row.type);
    if (!row.before.isNull())
        node->SetValue(row.before);
    const bool key = !row.typed.isEmpty() && !row.typed[0].isPrint();
    QString message;
    int dialogs = 0;
    {
        CModalAnswer answer([&](QDialog *dialog) {
            auto *confirm = qobject_cast<CPasswordConfirmDlg *>(dialog);
            if (confirm && !row.confirmation.isNull()) {
                auto *edit = confirm->findChild<QLineEdit *>();
                EXPECT_EQ(edit->maxLength(), row.maxLength);
                QTest::keyClicks(edit, row.confirmation);
                confirm->accept();
            }
            CModalAnswer::AcceptMessages(message)(dialog);
        });
        ASSERT_TRUE(h.Begin(node, key ? QString() : row.typed.left(1)));
        ASSERT_NE(h.Editor(), nullptr);
        EXPECT_TRUE(h.editing->IsTextEditing());
        EXPECT_EQ(row.maxLength ? h.LineEditor()->maxLength() : 0, row.maxLength);
        EXPECT_EQ(h.LineEditor() && h.LineEditor()->echoMode() == QLineEdit::Password,
                  row.type == IAPPassword || row.type == MailboxPassword);
        H::Type(row.typed.mid(key ? 0 : 1));
        EXPECT_EQ(row.shown.isNull() ? row.shown : h.LineEditor()->text(), row.shown);
        const std::function<void()> ends[] = {
            [] { H::Press(Qt::Key_Return); },
            [] { H::Press(Qt::Key_Escape); },
            [&] { h.owner->setFocus(Qt::MouseFocusReason); },
            [&] { h.ActivateOtherWindow(); },
        };
        ends[row.end]();
        EXPECT_FALSE(h.editing->IsEditing());
        // The tree's next commit finds no editor and stores nothing more.
        h.editing->CommitEdit();
        dialogs = answer.answered;
    }
    EXPECT_EQ(node->GetValue(), row.stored);
    EXPECT_EQ(node->IsIncluded(), row.included);
    EXPECT_EQ(message, row.message);
    EXPECT_EQ(h.Editor(), nullptr);
    EXPECT_EQ(h.editing->EditNode(), nullptr);
    // Nothing is stored when the edit ends without a commit, when the value is
    // refused and when an item's name would be cleared.
    const bool kept = row.end == Escape || row.end == OtherWindow || row.message == kNotValid;
    EXPECT_EQ(h.committed, kept || row.type == IAPConnectionName ? std::vector<CSettingNode *>()
                                                                 : std::vector{node});
    EXPECT_TRUE(row.end == OtherWindow || dialogs || h.owner->hasFocus());
    EXPECT_TRUE(h.texts.MissingTexts().isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Rows, TypedValues, ::testing::ValuesIn(kTypedValues));

TEST(Editing, PastedTextKeepsOnlyTheCharactersTheKindTakes)
{
    H h;
    ASSERT_TRUE(h.Begin(Path(h.office, {Proxies, HTTPPortNumber})));
    QApplication::clipboard()->setText("12a3");
    QTest::keyClick(h.LineEditor(), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(h.LineEditor()->text(), "123");
    EXPECT_EQ(h.LineEditor()->cursorPosition(), 3);
}

TEST(Editing, NodesWithoutAnEditorOrDisabledOpenNothing)
{
    H h;
    CSettingNode *plain = AddAccessPoint(h.root, "Plain");
    // The proxy server applies only while the proxy is used; a template's
    // fields wait for the template to be named.
    for (CSettingNode *node : {static_cast<CSettingNode *>(nullptr), h.root->FindChild(IAPSettings),
                               plain, Path(plain, {Proxies, HTTPProxyServer}),
                               Path(h.root, {IAPSettings, IAPTemplate, IAPUsername})}) {
        EXPECT_FALSE(h.Begin(node));
        EXPECT_EQ(h.Editor(), nullptr);
    }
    EXPECT_TRUE(h.statusTexts.isEmpty());

    // The modem initialisation string is plain text, shown selected.
    CSettingNode *init = Path(plain, {DataCall, ModemInitString});
    init->SetValue("ATZ");
    ASSERT_TRUE(h.Begin(init));
    EXPECT_EQ(h.LineEditor()->selectedText(), "ATZ");
}

TEST(Editing, BeginningAnotherEditCommitsTheOpenOne)
{
    H h;
    ASSERT_TRUE(h.Begin(h.office->FindChild(IAPUsername)));
    H::Type("dave");
    CSettingNode *port = Path(h.office, {Proxies, HTTPPortNumber});
    ASSERT_TRUE(h.Begin(port));
    EXPECT_EQ(h.office->FindChild(IAPUsername)->GetValue(), "dave");
    EXPECT_EQ(h.editing->EditNode(), port);
    h.editing->CancelEdit();
    EXPECT_FALSE(h.editing->IsEditing());
    EXPECT_EQ(h.Editor(), nullptr);
}
