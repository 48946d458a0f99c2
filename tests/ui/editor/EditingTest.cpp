#include "SettingsTreeFixture.h"

#include "support/EditCases.h"
#include "ui/editor/InPlaceEditing.h"
#include "ui/editor/MultilineTextDlg.h"

#include <QAbstractItemView>
#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPointer>
#include <QStatusTipEvent>
#include <QTimer>

#include <functional>

namespace {

// Keeps the last status bar text that reaches the window.
class CStatusWatch final : public QObject
{
public:
    QString *shown = nullptr;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::StatusTip && shown)
            *shown = static_cast<QStatusTipEvent *>(event)->tip();
        return false;
    }
};

// The tree control around the editing, with the switches of "Office" set that
// its dependent fields need and the SMS centre "Operator" added. A text the
// language library lacks shows up in m_test.Messages(). Message boxes are
// closed with OK and their texts kept; any other modal dialog goes to
// m_onDialog inside its own event loop and is rejected if left open.
class CEditingTest : public CSettingsTreeTest
{
protected:
    void SetUp() override
    {
        CSettingsTreeTest::SetUp();
        NameNewItem(Root(), SMSSettings, SMSTemplate, CentreName, "Operator");
        Field(PromptPassword)->SetValue("No");
        Path(m_office, {Proxies, HTTPUseProxy})->SetValue("Yes");
        Path(m_office, {AddressOptions, RetrieveIP})->SetValue("No");
        Path(m_office, {ScriptOptions, UseLoginScript})->SetValue("Yes");
        QObject::connect(Editing(), &CInPlaceEditing::valueCommitted, Editing(),
                         [this](const CSettingNode *node) { m_committed.push_back(node); });
        QObject::connect(&m_dialogTimer, &QTimer::timeout, [this] {
            QPointer<QDialog> dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
            if (!dialog || !dialog->isVisible())
                return;
            ++m_dialogs;
            if (auto *box = qobject_cast<QMessageBox *>(dialog.data())) {
                m_messages.append(box->text());
                box->accept();
            } else if (m_onDialog) {
                m_onDialog(dialog);
            }
            if (dialog && dialog->isVisible())
                dialog->reject();
        });
        m_dialogTimer.start(5);
        m_statusWatch.shown = &m_status;
        m_ctrl->installEventFilter(&m_statusWatch);
    }

    CInPlaceEditing *Editing() const { return m_ctrl->Editing(); }

    bool Begin(CSettingNode *node, const QString &typed = {})
    {
        return m_ctrl->BeginEdit(m_ctrl->IndexOf(node), typed);
    }

    // The keyboard goes to whichever widget has the focus; capitals are typed
    // with Shift held, as on a real keyboard.
    static void Type(const QString &text)
    {
        for (const QChar c : text) {
            const auto shift = c.isUpper() ? Qt::ShiftModifier : Qt::NoModifier;
            QTest::keyClick(QApplication::focusWidget(), c.toLatin1(), shift);
        }
    }

    CSettingNode *MailType() const { return Path(m_work, {Advanced, DefaultMailType}); }

    // Opens the node's choice list with its drop-down closed.
    QComboBox *OpenClosedList(CSettingNode *node)
    {
        auto *list = Begin(node) ? Editor<QComboBox>() : nullptr;
        if (list)
            list->hidePopup();
        return list;
    }

    QLineEdit m_other;
    QTimer m_dialogTimer;
    std::vector<const CSettingNode *> m_committed;
    QStringList m_messages;
    // The last line the editing said in the window's status bar.
    QString m_status;
    CStatusWatch m_statusWatch;
    int m_dialogs = 0;
    std::function<void(QDialog *)> m_onDialog;
};

// The first node of a type, depth first: the fields of "Office", "Work" and
// "Operator" come before those of their category's template.
CSettingNode *First(CSettingNode *node, int type)
{
    CSettingNode *found = node->GetType() == type ? node : nullptr;
    for (auto child = node->Children().begin(); !found && child != node->Children().end(); ++child)
        found = First(*child, type);
    return found;
}

enum End { Enter, Escape, ClickTree, OtherWindow };
const QString kNotValid = QStringLiteral("The value you typed is not valid.");
const QString kDiffer = QStringLiteral("The passwords do not match. The password was not changed.");

// A value typed into a row: its first character opens the editor as typing on
// the row does, unless it is a key such as Backspace. A password confirmation
// is typed and accepted when the row has one and cancelled otherwise.
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
    // An address field takes 1 to 254 at the ends and 0 to 254 between; a dot
    // or a third digit moves on, and Backspace at a field's start goes back.
    {IPAddress, {}, "0.0.0.255", Enter, "1.0.0.254", true},
    {IPAddress, {}, "1.9991a..5", Enter, "1.254.1.5", true},
    {IPAddress, {}, "12.\b\b3", Enter, "123.0.0.0", true},
    {IPAddress, "192.168.1.1", "", Enter, "192.168.1.1", false},
    {IPAddress, "192.168.1.1", "10.", Escape, "192.168.1.1", false},
    {IPAddress, "192.168.1.1", "10.", OtherWindow, "192.168.1.1", false},
    {IPAddress, {}, "1.2.3.4", ClickTree, "1.2.3.4", true},
    // The password editor starts empty; an empty password needs no confirmation.
    // A mistyped confirmation is asked for again (and cancelled here); a
    // cancelled one keeps the password stored before.
    {IAPPassword, "old", "", Enter, "", true, ""},
    {IAPPassword, {}, "secret", Enter, "secret", true, {}, {}, 20, "secret"},
    {IAPPassword, "old", "secret", Enter, "old", false, {}, kDiffer, 20, "secreT"},
    {MailboxPassword, "old", "n", Enter, "old", false, "n", {}, 25},
};

// Names a row in test listings: node type, ending, typed text and confirmation.
void PrintTo(const TypedValue &row, std::ostream *os)
{
    *os << row.type << '_' << row.end << '_'
        << (row.typed + '_' + row.confirmation).toUtf8().toPercentEncoding().constData();
}

class TypedValues : public CEditingTest, public ::testing::WithParamInterface<TypedValue>
{};

} // namespace

TEST_P(TypedValues, AreFilteredCheckedAndStored)
{
    const TypedValue &row = GetParam();
    CSettingNode *node = First(Root(), row.type);
    if (!row.before.isNull())
        node->SetValue(row.before);
    if (!row.confirmation.isNull()) {
        m_onDialog = [&row, asked = 0](QDialog *dialog) mutable {
            if (++asked > 1)
                return;
            auto *edit = dialog->findChild<QLineEdit *>();
            EXPECT_EQ(edit->maxLength(), row.maxLength);
            EXPECT_EQ(edit->echoMode(), QLineEdit::Password);
            QTest::keyClicks(edit, row.confirmation);
            dialog->accept();
        };
    }
    const bool key = !row.typed.isEmpty() && !row.typed[0].isPrint();
    ASSERT_TRUE(Begin(node, key ? QString() : row.typed.left(1)));
    ASSERT_NE(Editor(), nullptr);
    EXPECT_TRUE(Editing()->IsTextEditing());
    EXPECT_EQ(row.maxLength ? Editor<QLineEdit>()->maxLength() : 0, row.maxLength);
    EXPECT_EQ(Editor<QLineEdit>() && Editor<QLineEdit>()->echoMode() == QLineEdit::Password,
              row.type == IAPPassword || row.type == MailboxPassword);
    Type(row.typed.mid(key ? 0 : 1));
    EXPECT_EQ(row.shown.isNull() ? row.shown : Editor<QLineEdit>()->text(), row.shown);
    const std::function<void()> ends[] = {
        [] { QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return); },
        [] { QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape); },
        [&] { m_ctrl->viewport()->setFocus(Qt::MouseFocusReason); },
        [&] { // The user clicks into another application's window.
            m_other.show();
            QApplication::setActiveWindow(&m_other);
            m_other.setFocus();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        },
    };
    ends[row.end]();
    EXPECT_FALSE(Editing()->IsEditing());
    // The tree's next commit finds no editor and stores nothing more.
    Editing()->CommitEdit();

    EXPECT_EQ(node->GetValue(), row.stored);
    EXPECT_EQ(node->IsIncluded(), row.included);
    EXPECT_EQ(m_messages.join(u'\n'), row.message);
    EXPECT_EQ(Editor(), nullptr);
    // Nothing is stored when the edit ends without a commit, when the value is
    // refused and when an item's name would be cleared.
    const bool password = row.type == IAPPassword || row.type == MailboxPassword;
    const bool kept = row.end == Escape || row.end == OtherWindow || row.message == kNotValid ||
                      (password && row.stored != row.typed);
    using Nodes = std::vector<const CSettingNode *>;
    EXPECT_EQ(m_committed, kept || row.type == IAPConnectionName ? Nodes() : Nodes{node});
    // The focus goes back to the tree, also after a dialog (the offscreen
    // platform leaves the window inactive then, so its focus child is asked).
    EXPECT_TRUE(row.end == OtherWindow || m_ctrl->window()->focusWidget() == m_ctrl.get());
    EXPECT_TRUE(m_test.Messages().shown.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Rows, TypedValues, ::testing::ValuesIn(kTypedValues));

namespace {

class SharedEditCases : public CEditingTest,
                        public ::testing::WithParamInterface<EditCases::EditCase>
{};

} // namespace

// The cases `provana set` is held to as well: typed, or picked from the
// choice list, and committed with Enter.
TEST_P(SharedEditCases, StoreWhatTheDocumentRulesSay)
{
    using EditCases::Outcome;
    const EditCases::EditCase &row = GetParam();
    EditCases::PrepareEditCaseTree(Root());
    CSettingNode *node = EditCases::FindCaseNode(Root(), row);
    ASSERT_NE(node, nullptr);
    if (!row.before.isNull()) {
        ASSERT_TRUE(node->SetValue(row.before));
    }
    if (node->GetEditorKind() == EditorKind::MultilineText) {
        // The text is pasted over the dialog's whole field.
        m_onDialog = [&row](QDialog *dialog) {
            auto *field = dialog->findChild<QPlainTextEdit *>();
            field->selectAll();
            field->insertPlainText(row.typed);
            dialog->accept();
        };
        ASSERT_TRUE(Begin(node));
    } else if (node->GetEditorKind() == EditorKind::Choice) {
        QComboBox *list = OpenClosedList(node);
        ASSERT_NE(list, nullptr);
        ASSERT_GE(list->findText(row.typed), 0);
        list->setCurrentIndex(list->findText(row.typed));
        QTest::keyClick(list, Qt::Key_Return);
    } else {
        // A password is confirmed as it was typed.
        m_onDialog = [&row](QDialog *dialog) {
            QTest::keyClicks(dialog->findChild<QLineEdit *>(), row.typed);
            dialog->accept();
        };
        // An empty text is typed as Backspace over the selected value.
        const QString typed = row.typed.isEmpty() ? QStringLiteral("\b") : row.typed;
        ASSERT_TRUE(Begin(node, row.typed.left(1)));
        Type(typed.mid(row.typed.isEmpty() ? 0 : 1));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    }
    EXPECT_FALSE(Editing()->IsEditing());
    EXPECT_EQ(node->GetValue(), row.stored);
    EXPECT_EQ(node->IsIncluded() != 0, row.included);
    EXPECT_EQ(m_messages.join(u'\n'), row.message);
    // The editor never holds more than its field, so only the command line
    // ever cuts.
    EXPECT_EQ(m_status, row.cutTo ? QString() : row.note);
    using Nodes = std::vector<const CSettingNode *>;
    EXPECT_EQ(m_committed, row.outcome == Outcome::Stored ? Nodes{node} : Nodes());
    EXPECT_TRUE(m_test.Messages().shown.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Cases, SharedEditCases, ::testing::ValuesIn(EditCases::EditorCases()),
                         [](const auto &row) { return std::string(row.param.name); });

TEST_F(CEditingTest, NodesWithoutAnEditorOrDisabledOpenNothing)
{
    CSettingNode *plain = AddAccessPoint(Root(), "Plain");
    // The proxy server applies only while the proxy is used; a template's
    // fields wait for the template to be named.
    for (CSettingNode *node : {static_cast<CSettingNode *>(nullptr), Root()->FindChild(IAPSettings),
                               plain, Path(plain, {Proxies, HTTPProxyServer}),
                               Path(Root(), {IAPSettings, IAPTemplate, IAPUsername})}) {
        EXPECT_FALSE(Begin(node));
        EXPECT_EQ(Editor(), nullptr);
    }

    // The modem initialisation string is plain text, shown selected.
    CSettingNode *init = Path(plain, {DataCall, ModemInitString});
    init->SetValue("ATZ");
    ASSERT_TRUE(Begin(init));
    EXPECT_EQ(Editor<QLineEdit>()->selectedText(), "ATZ");
}

TEST_F(CEditingTest, BeginningAnotherEditCommitsTheOpenOne)
{
    ASSERT_TRUE(Begin(m_office->FindChild(IAPUsername)));
    Type("da");
    // Control pressed for a paste belongs to the typing, not to the tree.
    QGuiApplication::clipboard()->setText("ve");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_V, Qt::ControlModifier);
    CSettingNode *port = Path(m_office, {Proxies, HTTPPortNumber});
    ASSERT_TRUE(Begin(port));
    EXPECT_EQ(m_office->FindChild(IAPUsername)->GetValue(), "dave");
    EXPECT_EQ(Editing()->EditNode(), port);
    Editing()->CancelEdit();
    EXPECT_FALSE(Editing()->IsEditing());
    EXPECT_EQ(Editor(), nullptr);
}

TEST_F(CEditingTest, SignatureAndScriptAreEditedInTheirDialog)
{
    Path(m_work, {Advanced, IncludeSignature})->SetValue("Custom");
    CSettingNode *signature = Path(m_work, {Advanced, Signature});
    CSettingNode *script = Path(m_office, {ScriptOptions, Script});
    script->SetValue("old");
    // The signature's dialog is accepted, the script's cancelled. The
    // folder a file was loaded from carries on to the next dialog.
    QStringList titles, folders;
    m_onDialog = [&](QDialog *dialog) {
        titles << dialog->windowTitle();
        auto *text = qobject_cast<CMultilineTextDlg *>(dialog);
        folders << text->GetRememberedFolder();
        text->SetRememberedFolder("/home/ann/texts/");
        auto *edit = dialog->findChild<QPlainTextEdit *>();
        edit->selectAll();
        QTest::keyClicks(edit, "Regards,\rAnn");
        if (titles.size() == 1)
            dialog->accept();
    };
    EXPECT_TRUE(Begin(signature));
    EXPECT_TRUE(Begin(script));
    EXPECT_EQ(titles, (QStringList{"Signature", "Login script"}));
    EXPECT_EQ(folders, (QStringList{"", "/home/ann/texts/"}));
    EXPECT_EQ(signature->GetValue(), "Regards,\nAnn");
    EXPECT_EQ(script->GetValue(), "old");
    EXPECT_EQ(m_committed, std::vector<const CSettingNode *>{signature});
    EXPECT_TRUE(m_test.Messages().shown.isEmpty());
}

TEST_F(CEditingTest, ChoiceListShowsTextsAndStoresTheirValues)
{
    CSettingNode *mailType = MailType();
    ASSERT_TRUE(Begin(mailType));
    auto *list = Editor<QComboBox>();
    EXPECT_FALSE(Editing()->IsTextEditing());
    EXPECT_TRUE(list->view()->isVisible()) << "the list opens with the editor";
    ASSERT_EQ(list->count(), 3);
    EXPECT_EQ(list->currentText(), "HTML");
    // The first Enter in the open list takes the choice and stores it.
    QTest::keyClick(list->view(), Qt::Key_Up);
    QTest::keyClick(list->view(), Qt::Key_Return);
    EXPECT_EQ(mailType->GetValue(), "Text") << "the value shown as \"Plain text\"";
    EXPECT_TRUE(mailType->IsIncluded());
    EXPECT_FALSE(Editing()->IsEditing());
    EXPECT_EQ(m_committed.size(), 1u);
    QApplication::processEvents();

    // On the closed list Enter commits.
    list = OpenClosedList(mailType);
    list->setCurrentIndex(1);
    QTest::keyClick(list, Qt::Key_Return);
    EXPECT_EQ(mailType->GetValue(), "Text");
    // The entry shown exactly as the value is selected, not the first one
    // that starts with it ("Plain text without MIME"); Escape keeps the value.
    list = OpenClosedList(mailType);
    EXPECT_EQ(list->currentIndex(), 1);
    list->setCurrentIndex(0);
    QTest::keyClick(list, Qt::Key_Escape);
    EXPECT_EQ(mailType->GetValue(), "Text");
    EXPECT_FALSE(Editing()->IsEditing());
    EXPECT_EQ(m_committed.size(), 2u);
    EXPECT_TRUE(m_test.Messages().shown.isEmpty());
}

TEST_F(CEditingTest, ChoiceListTakesAClickOnItsOpenListAndTheRowsDependingOnItFollow)
{
    CSettingNode *useProxy = Path(m_office, {Proxies, HTTPUseProxy});
    CSettingNode *server = Path(m_office, {Proxies, HTTPProxyServer});
    const QPersistentModelIndex serverRow = Row(server);
    ASSERT_FALSE(server->IsDisabled());
    bool serverRepainted = false;
    QObject::connect(m_ctrl->model(), &QAbstractItemModel::dataChanged, m_ctrl.get(),
                     [&](const QModelIndex &first, const QModelIndex &last) {
                         serverRepainted |= first.parent() == serverRow.parent() &&
                                            first.row() <= serverRow.row() &&
                                            serverRow.row() <= last.row();
                     });
    ASSERT_TRUE(Begin(useProxy));
    auto *list = Editor<QComboBox>();
    ASSERT_TRUE(list->view()->isVisible());
    const QModelIndex no = list->model()->index(list->findText("No"), 0);
    ASSERT_TRUE(no.isValid());
    // The open list ignores a release that comes as quickly as a double click.
    QTest::qWait(QApplication::doubleClickInterval() + 50);
    const QPoint onNo = list->view()->visualRect(no).center();
    QTest::mouseMove(list->view()->viewport(), onNo);
    QTest::mouseClick(list->view()->viewport(), Qt::LeftButton, {}, onNo);
    EXPECT_EQ(useProxy->GetValue(), "No");
    EXPECT_FALSE(Editing()->IsEditing());
    EXPECT_EQ(m_committed, std::vector<const CSettingNode *>{useProxy});
    EXPECT_TRUE(server->IsDisabled());
    EXPECT_TRUE(serverRepainted) << "the proxy server row is repainted disabled";
}

TEST_F(CEditingTest, ChoiceListWrapsAroundWithUpAndDownOpenOrClosed)
{
    ASSERT_TRUE(Begin(MailType()));
    auto *list = Editor<QComboBox>();
    for (QWidget *keys : {static_cast<QWidget *>(list->view()), static_cast<QWidget *>(list)}) {
        list->setCurrentIndex(2);
        for (const auto &[key, row] :
             {std::pair{Qt::Key_Down, 0}, {Qt::Key_Up, 2}, {Qt::Key_Up, 1}}) {
            QTest::keyClick(keys, key);
            EXPECT_EQ(keys == list ? list->currentIndex() : list->view()->currentIndex().row(),
                      row);
        }
        list->hidePopup();
    }
}

TEST_F(CEditingTest, ChoiceListWiderThanTheColumnGrowsToTheLeft)
{
    const QRect narrow(500, 10, 40, 22);
    ASSERT_TRUE(Editing()->BeginEdit(MailType(), narrow));
    const QRect shown = Editor()->geometry();
    EXPECT_EQ(shown.right(), narrow.right());
    EXPECT_EQ(shown.top(), narrow.top());
    EXPECT_GT(shown.width(),
              m_ctrl->viewport()->fontMetrics().horizontalAdvance("Plain text without MIME"));
    Editing()->MoveEditor(narrow.translated(0, 30));
    EXPECT_EQ(Editor()->geometry(), shown.translated(0, 30));
}

TEST_F(CEditingTest, CustomSignatureChoiceIncludesTheSignatureText)
{
    CSettingNode *advanced = m_work->FindChild(Advanced);
    auto *list = OpenClosedList(advanced->FindChild(IncludeSignature));
    list->setCurrentIndex(list->findText("Custom signature"));
    QTest::keyClick(list, Qt::Key_Return);
    EXPECT_EQ(advanced->FindChild(IncludeSignature)->GetValue(), "Custom");
    EXPECT_TRUE(advanced->FindChild(Signature)->IsIncluded());
}

TEST_F(CEditingTest, ChoiceListOffersTheAccessPointNames)
{
    AddAccessPoint(Root(), "Home");
    CSettingNode *preferred = Path(Root(), {IAPSettings, PreferredConnection});
    auto *list = OpenClosedList(preferred);
    ASSERT_EQ(list->count(), 2);
    EXPECT_EQ(list->currentText(), "Office");
    QTest::keyClick(list, Qt::Key_Down);
    QTest::keyClick(list, Qt::Key_Return);
    EXPECT_EQ(preferred->GetValue(), "Home");
}
