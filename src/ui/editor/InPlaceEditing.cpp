#include "ui/editor/InPlaceEditing.h"

#include "document/SettingsDocument.h"
#include "document/ValueEditing.h"
#include "filetransfer/FileList.h"
#include "settings/Application.h"
#include "settings/Labels.h"
#include "settings/NodeTypes.h"
#include "settings/SettingNode.h"
#include "settings/StringIds.h"
#include "ui/bookmarks/BookmarkListDlg.h"
#include "ui/controls/IPAddressEdit.h"
#include "ui/controls/InPlaceEditor.h"
#include "ui/controls/ShownLabel.h"
#include "ui/dialogs/PasswordConfirmDlg.h"
#include "ui/editor/CharacterSetEdit.h"
#include "ui/editor/ChoiceListEdit.h"
#include "ui/editor/MultilineTextDlg.h"
#include "ui/editor/NumberEdit.h"
#include "ui/editor/TextValueEdit.h"
#include "ui/filetransfer/FileListDlg.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QDir>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPushButton>
#include <QStatusTipEvent>

#include <algorithm>
#include <optional>

namespace {

enum class EditorType { None, Text, Number, CharacterSet, ChoiceList, IPAddress };

// Room for the drop-down button when a choice list is wider than the column.
constexpr int kChoiceButtonWidth = 24;

bool IsCancelled(QWidget *editor)
{
    const CInPlaceEditor *inPlace = CInPlaceEditor::Of(editor);
    return inPlace && inPlace->IsCancelled();
}

void SetActive(QWidget *editor, bool active)
{
    if (CInPlaceEditor *inPlace = CInPlaceEditor::Of(editor))
        inPlace->SetActive(active);
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
        return node->GetApplication();
    }

    void Open(const CSettingNode *node, const QRect &valueRect, const QString &typed);
    CInPlaceLineEdit *CreateLineEdit(const CSettingNode *node);
    CChoiceListEdit *CreateChoiceList(const CSettingNode *node);
    CIPAddressEdit *CreateIPAddressEdit();
    QRect EditorRect(const QRect &valueRect) const;
    template<class Editor>
    void Attach(Editor *editor);

    void EditMultilineText(const CSettingNode *node);
    bool EditFileList(const CSettingNode *node);
    // A list dialog on a working copy whose entries, after OK, replace the
    // node's.
    template<typename Dialog>
    void RunListDialog(const CSettingNode *node);
    void HandBackFocus();
    void Drop();
    void Close(QWidget *editor);

    void CommitPassword(const CSettingNode *node, const QString &text);
    void Store(const CSettingNode *node, const QString &text);
    void Report(const CSettingNode *node, const CEditResult &result);
    void ShowMessage(const CSettingNode *node, const QString &text);
    void ShowStatus(const QString &text);

    CInPlaceEditing *q;
    QPointer<QWidget> owner;
    CSettingsDocument *document = nullptr;
    std::function<QString()> folderSource;
    // Where the last multi-line text was loaded from.
    QString rememberedFolder;
    const CSettingNode *editNode = nullptr;
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

bool CInPlaceEditing::BeginEdit(const CSettingNode *node, const QRect &valueRect,
                                const QString &typed)
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
        return d->EditFileList(node);
    case EditorKind::WWWBookmarkList:
    case EditorKind::WAPBookmarkList:
        d->RunListDialog<CBookmarkListDlg>(node);
        return true;
    default:
        d->Open(node, valueRect, typed);
        return true;
    }
}

void CInPlaceEditing::CommitEdit()
{
    const CSettingNode *node = d->editNode;
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
        const QString text = static_cast<const CTextValueEdit *>(editor.data())->text();
        d->Close(editor);
        if (node->GetEditorKind() == EditorKind::Password)
            d->CommitPassword(node, text);
        else
            d->Store(node, text);
        break;
    }
    case EditorType::ChoiceList: {
        const auto *list = static_cast<const CChoiceListEdit *>(editor.data());
        // The chosen entry's stored value; a typed text that names no entry
        // goes as it is and is refused.
        const QStringList values = list->ValuesShownAs(list->currentText());
        const QString choice = values.isEmpty() ? list->currentText() : values.last();
        d->Close(editor);
        d->Store(node, choice);
        break;
    }
    case EditorType::CharacterSet:
    case EditorType::Number: {
        const QString text = static_cast<const CInPlaceLineEdit *>(editor.data())->text();
        d->Close(editor);
        d->Store(node, text);
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

void CInPlaceEditing::SetDocument(CSettingsDocument *document)
{
    d->document = document;
}

void CInPlaceEditing::SetFolderSource(std::function<QString()> source)
{
    d->folderSource = std::move(source);
}

bool CInPlaceEditing::IsEditing() const
{
    return d->editor != nullptr;
}

bool CInPlaceEditing::IsTextEditing() const
{
    return d->editor && d->active != EditorType::None && d->active != EditorType::ChoiceList;
}

const CSettingNode *CInPlaceEditing::EditNode() const
{
    return d->editNode;
}

void CInPlaceEditing::MoveEditor(const QRect &valueRect)
{
    if (d->editor)
        d->editor->setGeometry(d->EditorRect(valueRect));
}

void CInPlaceEditing::Private::Open(const CSettingNode *node, const QRect &valueRect,
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

CInPlaceLineEdit *CInPlaceEditing::Private::CreateLineEdit(const CSettingNode *node)
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
        if (kind == EditorKind::Password) {
            textEdit->setEchoMode(QLineEdit::Password);
            text.clear();
        }
        edit = textEdit;
        active = EditorType::Text;
        break;
    }
    }
    edit->setMaxLength(EditorMaxLength(node));
    edit->setText(text);
    edit->selectAll();
    Attach(edit);
    QObject::connect(edit, &CInPlaceLineEdit::characterRefused, q,
                     [this, edit](QChar c, qsizetype position) {
                         if (editor == edit && editNode)
                             ShowStatus(TypedCharacterRefusal(editNode, c, position));
                     });
    return edit;
}

CChoiceListEdit *CInPlaceEditing::Private::CreateChoiceList(const CSettingNode *node)
{
    auto *list = new CChoiceListEdit(owner);
    const bool editable = node->GetEditorKind() == EditorKind::EditableChoice;
    list->setEditable(editable);
    QStringList choices;
    node->GetChoices(choices, true);
    list->SetChoices(choices);
    list->SelectShownText(displayBefore, !editable);
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

void CInPlaceEditing::Private::EditMultilineText(const CSettingNode *node)
{
    editNode = node;
    displayBefore = node->GetDisplayValue(true);
    CMultilineTextDlg dialog(Application(node), owner);
    dialog.SetMode(node->GetType() == NodeType::Signature ? CMultilineTextDlg::SignatureMode
                                                          : CMultilineTextDlg::ScriptMode);
    dialog.SetText(node->GetDisplayValue(false));
    dialog.SetFolder(folderSource ? folderSource() : QDir::homePath());
    dialog.SetRememberedFolder(rememberedFolder);
    QObject::connect(&dialog, &CMultilineTextDlg::helpRequested, q,
                     &CInPlaceEditing::helpRequested);
    const int result = dialog.exec();
    rememberedFolder = dialog.GetRememberedFolder();
    editNode = nullptr;
    if (result == QDialog::Accepted)
        Store(node, dialog.GetText());
}

bool CInPlaceEditing::Private::EditFileList(const CSettingNode *node)
{
    // Only the file list types know what their entries are.
    if (!FileListKindOf(node->GetType()))
        return false;
    RunListDialog<CFileListDlg>(node);
    return true;
}

template<typename Dialog>
void CInPlaceEditing::Private::RunListDialog(const CSettingNode *node)
{
    editNode = node;
    Dialog dialog(Application(node), *node, owner);
    QObject::connect(&dialog, &Dialog::helpRequested, q, &CInPlaceEditing::helpRequested);
    const int result = dialog.exec();
    editNode = nullptr;
    if (result == QDialog::Accepted && document) {
        document->ReplaceEntries(node, dialog.TakeEntries());
        emit q->valueCommitted(node);
    }
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

void CInPlaceEditing::Private::CommitPassword(const CSettingNode *node, const QString &text)
{
    if (text.isEmpty()) {
        Store(node, text);
        return;
    }
    // A mistyped confirmation is said and asked for again, until it matches
    // or the user cancels, which keeps the password stored before.
    for (;;) {
        CPasswordConfirmDlg confirm(Application(node), owner);
        confirm.SetMaxLength(EditorMaxLength(node));
        const int result = confirm.exec();
        if (!document)
            return;
        std::optional<QString> confirmation;
        if (result == QDialog::Accepted)
            confirmation = confirm.GetTypedText();
        const CEditResult stored = document->EditPassword(node, text, confirmation);
        if (!stored.message.isEmpty())
            ShowMessage(node, stored.message);
        if (stored.result == CEditResult::Changed)
            emit q->valueCommitted(node);
        if (!confirmation || IsPasswordConfirmed(text, *confirmation))
            return;
    }
}

void CInPlaceEditing::Private::Store(const CSettingNode *node, const QString &text)
{
    if (!document)
        return;
    Report(node, document->EditValue(node, text));
}

void CInPlaceEditing::Private::Report(const CSettingNode *node, const CEditResult &result)
{
    // What befell a stored value is a line in the status bar; a refusal asks
    // to be read.
    if (result.result == CEditResult::Changed && !result.message.isEmpty())
        ShowStatus(result.message);
    else if (!result.message.isEmpty())
        ShowMessage(node, result.message);
    if (result.result == CEditResult::Changed)
        emit q->valueCommitted(node);
}

void CInPlaceEditing::Private::ShowStatus(const QString &text)
{
    // Goes up to the window, whose status bar shows it.
    if (!owner || text.isEmpty())
        return;
    QStatusTipEvent tip(text);
    QCoreApplication::sendEvent(owner, &tip);
}

void CInPlaceEditing::Private::ShowMessage(const CSettingNode *node, const QString &text)
{
    const CApplication *application = Application(node);
    QMessageBox box(QMessageBox::Warning, ShownLabel(application, StringId::ViewName), text,
                    QMessageBox::Ok, owner);
    box.button(QMessageBox::Ok)->setText(ShownLabel(application, StringId::ButtonOk));
    box.exec();
}
