#include "ui/editor/InPlaceEditing.h"

#include "document/IncludeToggle.h"
#include "settings/Application.h"
#include "settings/Labels.h"
#include "settings/NodeTypes.h"
#include "settings/SettingNode.h"
#include "settings/StringIds.h"
#include "ui/controls/IPAddressEdit.h"
#include "ui/dialogs/PasswordConfirmDlg.h"
#include "ui/editor/CharacterSetEdit.h"
#include "ui/editor/ChoiceListEdit.h"
#include "ui/editor/MultilineTextDlg.h"
#include "ui/editor/NumberEdit.h"
#include "ui/editor/TextValueEdit.h"
#include "validate/FieldLimits.h"
#include "validate/Validators.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QDir>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPushButton>

#include <algorithm>

namespace {

enum class EditorType { None, Text, Number, CharacterSet, ChoiceList, IPAddress };

struct FieldRange
{
    int minimum;
    int maximum;
};

// Network and broadcast numbers make no sense in the first and last field.
constexpr FieldRange kIPFieldRanges[CIPAddressEdit::kFieldCount] = {
    {1, 254}, {0, 254}, {0, 254}, {1, 254}};

// Room for the drop-down button when a choice list is wider than the column.
constexpr int kChoiceButtonWidth = 24;
constexpr int kDropDownHeight = 300;

bool HasEditor(int kind)
{
    switch (kind) {
    case EditorKind::IPAddress:
    case EditorKind::HostName:
    case EditorKind::EMailAddress:
    case EditorKind::PortNumber:
    case EditorKind::MessageSize:
    case EditorKind::PhoneNumber:
    case EditorKind::Text:
    case EditorKind::Password:
    case EditorKind::ConnectionName:
    case EditorKind::MailboxName:
    case EditorKind::PlainText:
    case EditorKind::MultilineText:
    case EditorKind::Choice:
    case EditorKind::EditableChoice:
    case EditorKind::FileList:
    case EditorKind::ModemInit:
    case EditorKind::WWWBookmarkList:
    case EditorKind::WAPBookmarkList:
        return true;
    default:
        return false;
    }
}

// Calls f with the editor as its own class; every in-place editor offers
// the same companion, active and cancelled state.
template<class F>
void WithEditor(QWidget *editor, F f)
{
    if (auto *line = qobject_cast<CInPlaceLineEdit *>(editor))
        f(line);
    else if (auto *choice = qobject_cast<CChoiceListEdit *>(editor))
        f(choice);
    else if (auto *address = qobject_cast<CIPAddressEdit *>(editor))
        f(address);
}

bool IsCancelled(QWidget *editor)
{
    bool cancelled = false;
    WithEditor(editor, [&cancelled](auto *e) { cancelled = e->IsCancelled(); });
    return cancelled;
}

void SetActive(QWidget *editor, bool active)
{
    WithEditor(editor, [active](auto *e) { e->SetActive(active); });
}

// Hands a character to the editor as if it had been typed there.
void Type(QWidget *target, const QString &typed)
{
    for (const QChar c : typed) {
        const int key = c == u'\b' ? int(Qt::Key_Backspace) : int(c.toUpper().unicode());
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, QString(c));
        QCoreApplication::sendEvent(target, &press);
        QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, QString(c));
        QCoreApplication::sendEvent(target, &release);
    }
}

} // namespace

class CInPlaceEditing::Private
{
public:
    Private(CInPlaceEditing *editing, QWidget *ownerWidget)
        : q(editing)
        , owner(ownerWidget)
    {}

    const CApplication *Application(const CSettingNode *node) const
    {
        return node->GetApplication() ? node->GetApplication() : CApplication::Current();
    }

    void Open(CSettingNode *node, const QRect &valueRect, const QString &typed);
    CInPlaceLineEdit *CreateLineEdit(CSettingNode *node);
    CChoiceListEdit *CreateChoiceList(CSettingNode *node);
    CIPAddressEdit *CreateIPAddressEdit();
    QRect EditorRect(const QRect &valueRect) const;
    template<class Editor>
    void Attach(Editor *editor);

    void EditMultilineText(CSettingNode *node);
    void HandBackFocus();
    void Drop();
    void Close(QWidget *editor);

    void CommitText(CSettingNode *node, const QString &text, int checkMode);
    void CommitPassword(CSettingNode *node, const QString &text);
    void CommitChoice(CSettingNode *node, const QStringList &values);
    void CommitCharacterSet(CSettingNode *node, const QString &text);
    void CommitNumber(CSettingNode *node, const QString &text);
    void Store(CSettingNode *node, const QString &value);
    void AutoInclude(CSettingNode *node);
    void ShowMessage(const CSettingNode *node, unsigned id);

    CInPlaceEditing *q;
    QPointer<QWidget> owner;
    CSettingNode *editNode = nullptr;
    EditorType active = EditorType::None;
    QPointer<QWidget> editor;
    // The display value when the edit began; a change includes the node.
    QString displayBefore;
    // How far a choice list reaches left of the value column.
    int choiceWidening = 0;
};

CInPlaceEditing::CInPlaceEditing(QWidget *owner)
    : QObject(owner)
    , d(std::make_unique<Private>(this, owner))
{}

CInPlaceEditing::~CInPlaceEditing()
{
    if (d->editor)
        d->editor->deleteLater();
}

bool CInPlaceEditing::BeginEdit(CSettingNode *node, const QRect &valueRect, const QString &typed)
{
    if (!node)
        return false;
    CommitEdit();
    const int kind = node->GetEditorKind();
    if (!HasEditor(kind) || node->IsDisabled())
        return false;
    switch (kind) {
    case EditorKind::MultilineText:
        d->EditMultilineText(node);
        return true;
    case EditorKind::FileList:
    case EditorKind::WWWBookmarkList:
    case EditorKind::WAPBookmarkList:
        // Their list dialogs are not part of the program yet.
        emit statusMessage(LoadLabel(d->Application(node), StringId::EditorNotAvailable, true));
        return false;
    default:
        d->Open(node, valueRect, typed);
        return true;
    }
}

void CInPlaceEditing::CommitEdit()
{
    CSettingNode *node = d->editNode;
    const EditorType type = d->active;
    QPointer<QWidget> editor = d->editor;
    d->editNode = nullptr;
    d->active = EditorType::None;
    d->editor = nullptr;
    if (!editor)
        return;
    SetActive(editor, false);
    if (!node || IsCancelled(editor)) {
        d->Close(editor);
        return;
    }

    // Everything is read before the editor goes: a message box may run the
    // event loop that deletes it.
    switch (type) {
    case EditorType::Text: {
        const auto *edit = static_cast<const CTextValueEdit *>(editor.data());
        const QString text = edit->text();
        const int mode = edit->GetCheckMode();
        d->Close(editor);
        d->CommitText(node, text, mode);
        break;
    }
    case EditorType::ChoiceList: {
        const auto *list = static_cast<const CChoiceListEdit *>(editor.data());
        const QStringList values = list->ValuesShownAs(list->currentText());
        d->Close(editor);
        d->CommitChoice(node, values);
        break;
    }
    case EditorType::CharacterSet: {
        const QString text = static_cast<const CCharacterSetEdit *>(editor.data())->text();
        d->Close(editor);
        d->CommitCharacterSet(node, text);
        break;
    }
    case EditorType::Number: {
        const QString text = static_cast<const CNumberEdit *>(editor.data())->text();
        d->Close(editor);
        d->CommitNumber(node, text);
        break;
    }
    case EditorType::IPAddress: {
        const QString address = static_cast<const CIPAddressEdit *>(editor.data())->GetAddress();
        d->Close(editor);
        d->Store(node, address);
        break;
    }
    case EditorType::None:
        d->Close(editor);
        break;
    }
}

void CInPlaceEditing::CancelEdit()
{
    d->editNode = nullptr;
    d->active = EditorType::None;
    if (QPointer<QWidget> editor = d->editor) {
        d->editor = nullptr;
        SetActive(editor, false);
        d->Close(editor);
    }
}

bool CInPlaceEditing::IsEditing() const
{
    return d->editor != nullptr;
}

bool CInPlaceEditing::IsTextEditing() const
{
    return d->editor && d->active != EditorType::None && d->active != EditorType::ChoiceList;
}

CSettingNode *CInPlaceEditing::EditNode() const
{
    return d->editNode;
}

void CInPlaceEditing::MoveEditor(const QRect &valueRect)
{
    if (d->editor)
        d->editor->setGeometry(d->EditorRect(valueRect));
}

void CInPlaceEditing::Private::Open(CSettingNode *node, const QRect &valueRect,
                                    const QString &typed)
{
    editNode = node;
    displayBefore = node->GetDisplayValue(true);
    choiceWidening = 0;

    QWidget *created = nullptr;
    switch (node->GetEditorKind()) {
    case EditorKind::IPAddress:
        created = CreateIPAddressEdit();
        break;
    case EditorKind::Choice:
    case EditorKind::EditableChoice:
        created = CreateChoiceList(node);
        choiceWidening = std::max(
            0, static_cast<CChoiceListEdit *>(created)->WidestShownText(owner->fontMetrics()) +
                   kChoiceButtonWidth - valueRect.width());
        break;
    default:
        created = CreateLineEdit(node);
        break;
    }
    editor = created;
    created->setFont(owner->font());
    created->setGeometry(EditorRect(valueRect));
    created->show();
    created->setFocus(Qt::OtherFocusReason);
    SetActive(created, true);

    if (!typed.isEmpty())
        Type(created->focusProxy() ? created->focusProxy() : created, typed);
    if (active == EditorType::ChoiceList)
        static_cast<CChoiceListEdit *>(created)->showPopup();
}

CInPlaceLineEdit *CInPlaceEditing::Private::CreateLineEdit(CSettingNode *node)
{
    const int kind = node->GetEditorKind();
    CInPlaceLineEdit *edit = nullptr;
    QString text = displayBefore;
    switch (kind) {
    case EditorKind::PortNumber:
    case EditorKind::MessageSize:
        edit = new CNumberEdit(owner);
        active = EditorType::Number;
        break;
    case EditorKind::PhoneNumber: {
        auto *characters = new CCharacterSetEdit(owner);
        characters->SetNodeType(node->GetType());
        edit = characters;
        active = EditorType::CharacterSet;
        break;
    }
    default: {
        auto *textEdit = new CTextValueEdit(owner);
        textEdit->SetNodeType(node->GetType());
        if (kind == EditorKind::EMailAddress) {
            textEdit->SetCheckMode(CTextValueEdit::CheckEmailAddress);
        } else if (kind == EditorKind::Password) {
            const bool confirmation =
                node->GetLabel(true) ==
                LoadLabel(Application(node), StringId::ConfirmPasswordLabel, true);
            textEdit->SetCheckMode(confirmation ? CTextValueEdit::ConfirmPassword
                                                : CTextValueEdit::Password);
            textEdit->setEchoMode(QLineEdit::Password);
            text.clear();
        } else {
            textEdit->SetCheckMode(CTextValueEdit::CheckHostName);
        }
        edit = textEdit;
        active = EditorType::Text;
        break;
    }
    }
    edit->setMaxLength(MaxLength(node->GetType()));
    edit->setText(text);
    edit->selectAll();
    Attach(edit);
    return edit;
}

CChoiceListEdit *CInPlaceEditing::Private::CreateChoiceList(CSettingNode *node)
{
    auto *list = new CChoiceListEdit(owner);
    const bool editable = node->GetEditorKind() == EditorKind::EditableChoice;
    list->setEditable(editable);
    QStringList choices;
    node->GetChoices(choices, true);
    list->SetChoices(choices);
    list->SelectShownText(displayBefore, !editable);
    const int row = std::max(1, list->view()->sizeHintForRow(0));
    list->setMaxVisibleItems(std::max(1, kDropDownHeight / row));
    active = EditorType::ChoiceList;
    Attach(list);
    return list;
}

CIPAddressEdit *CInPlaceEditing::Private::CreateIPAddressEdit()
{
    auto *address = new CIPAddressEdit(owner);
    for (int i = 0; i < CIPAddressEdit::kFieldCount; ++i)
        address->SetFieldRange(i, kIPFieldRanges[i].minimum, kIPFieldRanges[i].maximum);
    address->SetAddress(displayBefore);
    address->FocusField(0);
    active = EditorType::IPAddress;
    Attach(address);
    return address;
}

QRect CInPlaceEditing::Private::EditorRect(const QRect &valueRect) const
{
    return valueRect.adjusted(-choiceWidening, 0, 0, 0);
}

template<class Editor>
void CInPlaceEditing::Private::Attach(Editor *created)
{
    created->SetCompanion(owner);
    // An editor on its way out may still report; only the open one counts.
    QObject::connect(created, &Editor::commitRequested, q, [this, created] {
        if (editor == created)
            HandBackFocus();
    });
    QObject::connect(created, &Editor::editDropped, q, [this, created] {
        if (editor == created)
            Drop();
    });
}

void CInPlaceEditing::Private::EditMultilineText(CSettingNode *node)
{
    editNode = node;
    displayBefore = node->GetDisplayValue(true);
    const CApplication *application = Application(node);
    CMultilineTextDlg dialog(owner);
    dialog.SetMode(node->GetLabel(true) == LoadLabel(application, StringId::SignatureLabel, true)
                       ? CMultilineTextDlg::SignatureMode
                       : CMultilineTextDlg::ScriptMode);
    dialog.SetText(node->GetDisplayValue(false));
    dialog.SetFolder(QDir::currentPath());
    const int result = dialog.exec();
    editNode = nullptr;
    if (result == QDialog::Accepted)
        Store(node, dialog.GetText());
}

void CInPlaceEditing::Private::HandBackFocus()
{
    if (!editor)
        return;
    SetActive(editor, false);
    if (owner)
        owner->setFocus(Qt::OtherFocusReason);
    emit q->focusReturned();
}

void CInPlaceEditing::Private::Drop()
{
    // The edit node stays recorded; the next commit finds no editor.
    editor = nullptr;
    active = EditorType::None;
}

void CInPlaceEditing::Private::Close(QWidget *closing)
{
    const QWidget *focus = QApplication::focusWidget();
    if (owner && focus && (focus == closing || closing->isAncestorOf(focus)))
        owner->setFocus(Qt::OtherFocusReason);
    closing->hide();
    closing->deleteLater();
}

void CInPlaceEditing::Private::CommitText(CSettingNode *node, const QString &text, int checkMode)
{
    switch (node->GetEditorKind()) {
    case EditorKind::HostName:
    case EditorKind::EMailAddress: {
        bool valid = true;
        if (checkMode == CTextValueEdit::CheckEmailAddress)
            valid = IsValidEmailAddress(text);
        else if (checkMode == CTextValueEdit::CheckHostName &&
                 node->GetType() == NodeType::HTTPProxyServer)
            valid = IsValidHostName(text);
        if (!valid) {
            ShowMessage(node, StringId::MsgValueNotValid);
            return;
        }
        Store(node, text);
        break;
    }
    case EditorKind::Password:
        CommitPassword(node, text);
        break;
    case EditorKind::ConnectionName:
    case EditorKind::MailboxName:
        // An item keeps its name rather than lose it.
        if (!text.isEmpty())
            Store(node, text);
        break;
    default:
        Store(node, text);
        break;
    }
}

void CInPlaceEditing::Private::CommitPassword(CSettingNode *node, const QString &text)
{
    const CApplication *application = Application(node);
    if (node->GetLabel(true) != LoadLabel(application, StringId::PasswordLabel, true))
        return;
    node->SetValue(text);
    if (!text.isEmpty()) {
        CPasswordConfirmDlg confirm(owner);
        confirm.SetMaxLength(MaxLength(node->GetType()));
        const int result = confirm.exec();
        const bool matches = confirm.GetTypedText() == text;
        if (result != QDialog::Accepted || !matches) {
            if (result == QDialog::Accepted)
                ShowMessage(node, StringId::MsgPasswordsDiffer);
            node->SetValue(QString());
            emit q->valueCommitted(node);
            return;
        }
    }
    AutoInclude(node);
    emit q->valueCommitted(node);
}

void CInPlaceEditing::Private::CommitChoice(CSettingNode *node, const QStringList &values)
{
    for (const QString &value : values)
        node->SetValue(value);
    AutoInclude(node);
    // A custom signature is only sent with its text.
    if (node->GetType() == NodeType::IncludeSignature && node->IsIncluded()) {
        if (CSettingNode *signature = node->GetParent()->FindChild(NodeType::Signature))
            signature->SetInclude(1, 1);
    }
    emit q->valueCommitted(node);
}

void CInPlaceEditing::Private::CommitCharacterSet(CSettingNode *node, const QString &text)
{
    if (node->GetType() == NodeType::DefaultVoiceMailbox && !text.isEmpty() &&
        text.size() < kMinVoiceMailboxLength) {
        ShowMessage(node, StringId::MsgValueNotValid);
        return;
    }
    Store(node, text);
}

void CInPlaceEditing::Private::CommitNumber(CSettingNode *node, const QString &text)
{
    QString value = text;
    if (node->GetEditorKind() == EditorKind::PortNumber)
        value = QString::number(std::clamp(ReadInteger(value), 0, kMaxPortNumber));
    if (node->GetType() == NodeType::MessageMaxSize) {
        value =
            QString::number(std::clamp(ReadInteger(value), kMinMessageMaxSize, kMaxMessageMaxSize));
    }
    Store(node, value);
}

void CInPlaceEditing::Private::Store(CSettingNode *node, const QString &value)
{
    node->SetValue(value);
    AutoInclude(node);
    emit q->valueCommitted(node);
}

void CInPlaceEditing::Private::AutoInclude(CSettingNode *node)
{
    if (node->GetDisplayValue(true) != displayBefore && !node->IsIncluded())
        ToggleInclude(node, nullptr);
}

void CInPlaceEditing::Private::ShowMessage(const CSettingNode *node, unsigned id)
{
    const CApplication *application = Application(node);
    QMessageBox box(QMessageBox::Warning, LoadLabel(application, StringId::ViewName, true),
                    LoadLabel(application, id, true), QMessageBox::Ok, owner);
    box.button(QMessageBox::Ok)->setText(LoadLabel(application, StringId::ButtonOk, true));
    box.exec();
}
