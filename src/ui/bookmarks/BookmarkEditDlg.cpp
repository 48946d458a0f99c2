#include "ui/bookmarks/BookmarkEditDlg.h"

#include "document/IncludeToggle.h"
#include "settings/Application.h"
#include "settings/Labels.h"
#include "settings/MessagePort.h"
#include "settings/NodeTypes.h"
#include "settings/SettingNode.h"
#include "settings/StringIds.h"
#include "ui/controls/ControlIds.h"
#include "ui/controls/DialogButton.h"
#include "ui/controls/ShownLabel.h"
#include "validate/FieldLimits.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>
#include <QVBoxLayout>

namespace {

constexpr int kFieldWidthChars = 48;

int FieldType(const CBookmarkList &list, int wwwType, int wapType)
{
    return list.Kind() == BookmarkKind::Www ? wwwType : wapType;
}

} // namespace

CBookmarkEditDlg::CBookmarkEditDlg(const CApplication *application, const CBookmarkList &list,
                                   int ownIndex, QWidget *parent)
    : QDialog(parent)
    , m_application(application)
    , m_list(list)
    , m_ownIndex(ownIndex)
    , m_fields(new QFormLayout)
    , m_reason(new QLabel(this))
{
    using namespace NodeType;
    m_name = AddLineEdit(StringId::BookmarkNameLabel, ControlId::BookmarkName,
                         MaxLength(FieldType(list, WWWBookmarkName, WAPBookmarkName)));
    m_url = AddLineEdit(StringId::BookmarkUrlLabel, ControlId::BookmarkUrl,
                        MaxLength(FieldType(list, WWWBookmarkURL, WAPBookmarkURL)));
    m_name->setMinimumWidth(m_name->fontMetrics().averageCharWidth() * kFieldWidthChars);

    auto *buttons = new QDialogButtonBox(this);
    m_ok = buttons->addButton(ShownLabel(application, StringId::ButtonOk),
                              QDialogButtonBox::AcceptRole);
    m_ok->setObjectName(ControlObjectName(ControlId::Ok));
    QPushButton *cancel = buttons->addButton(ShownLabel(application, StringId::ButtonCancel),
                                             QDialogButtonBox::RejectRole);
    cancel->setObjectName(ControlObjectName(ControlId::Cancel));
    QPushButton *help = buttons->addButton(ShownLabel(application, StringId::ButtonHelp),
                                           QDialogButtonBox::HelpRole);
    help->setObjectName(ControlObjectName(ControlId::Help));
    connect(buttons, &QDialogButtonBox::accepted, this, &CBookmarkEditDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CBookmarkEditDlg::reject);
    const auto askHelp = [this] {
        emit helpRequested(HelpContextId::PersonalData);
    };
    connect(buttons, &QDialogButtonBox::helpRequested, this, askHelp);
    connect(new QShortcut(QKeySequence::HelpContents, this), &QShortcut::activated, this, askHelp);

    // Why OK is disabled, in the words of the check that disables it.
    m_reason->setObjectName(ControlObjectName(ControlId::CheckMessage));
    m_reason->setWordWrap(true);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(m_fields);
    layout->addWidget(m_reason);
    layout->addWidget(buttons);
    UpdateOk();
}

QLineEdit *CBookmarkEditDlg::AddLineEdit(unsigned label, int id, int maxLength)
{
    auto *edit = new QLineEdit(this);
    edit->setObjectName(ControlObjectName(id));
    edit->setMaxLength(maxLength);
    connect(edit, &QLineEdit::textChanged, this, &CBookmarkEditDlg::UpdateOk);
    m_fields->addRow(ShownLabel(m_application, label), edit);
    return edit;
}

void CBookmarkEditDlg::SetRecord(const CBookmark &record)
{
    m_name->setText(record.name);
    m_url->setText(record.url);
}

CBookmark CBookmarkEditDlg::GetRecord() const
{
    CBookmark record;
    record.name = m_name->text();
    record.url = m_url->text();
    return record;
}

void CBookmarkEditDlg::UpdateOk()
{
    // Called while the derived fields are still being made.
    if (!m_ok)
        return;
    const unsigned failure = m_list.Check(GetRecord(), m_ownIndex);
    m_ok->setEnabled(failure == 0);
    m_reason->setText(failure ? ShownLabel(m_application, failure) : QString());
}

void CBookmarkEditDlg::accept()
{
    const unsigned failure = m_list.Check(GetRecord(), m_ownIndex);
    if (failure == 0) {
        QDialog::accept();
        return;
    }
    if (IMessagePort *port = m_application ? m_application->GetMessagePort() : nullptr)
        port->ShowMessage(ShownLabel(m_application, failure), IMessagePort::Ok,
                          IMessagePort::Warning);
}

CWwwBookmarkDlg::CWwwBookmarkDlg(const CApplication *application, const CBookmarkList &list,
                                 int ownIndex, QWidget *parent)
    : CBookmarkEditDlg(application, list, ownIndex, parent)
{
    setWindowTitle(ShownLabel(application, StringId::WwwBookmarkTitle));
}

CWapBookmarkDlg::CWapBookmarkDlg(const CApplication *application, const CSettingNode &listNode,
                                 const CBookmarkList &list, int ownIndex, QWidget *parent)
    : CBookmarkEditDlg(application, list, ownIndex, parent)
    , m_connection(new QComboBox(this))
{
    using namespace NodeType;
    setWindowTitle(ShownLabel(application, StringId::WapBookmarkTitle));
    m_connection->setObjectName(ControlObjectName(ControlId::BookmarkConnection));
    QStringList choices;
    listNode.GetChoices(choices, true);
    for (const QString &choice : choices)
        m_connection->addItem(choice.section(u'\n', -1));
    auto *label = new QLabel(ShownLabel(application, StringId::BookmarkConnectionLabel), this);
    label->setObjectName(ControlObjectName(ControlId::BookmarkConnectionLabel));
    label->setBuddy(m_connection);
    Fields()->insertRow(0, label, m_connection);
    m_userName = AddLineEdit(StringId::BookmarkUserNameLabel, ControlId::BookmarkUserName,
                             MaxLength(WAPBookmarkUsername));
    m_password = AddLineEdit(StringId::BookmarkPasswordLabel, ControlId::BookmarkPassword,
                             MaxLength(WAPBookmarkPassword));
    m_password->setEchoMode(QLineEdit::Password);
    // The keyboard follows the fields from the top, then the buttons.
    ChainTabOrder({m_connection, findChild<QLineEdit *>(ControlObjectName(ControlId::BookmarkName)),
                   findChild<QLineEdit *>(ControlObjectName(ControlId::BookmarkUrl)), m_userName,
                   m_password});
    ChainTabOrder({m_password, findChild<QPushButton *>(ControlObjectName(ControlId::Ok)),
                   findChild<QPushButton *>(ControlObjectName(ControlId::Cancel)),
                   findChild<QPushButton *>(ControlObjectName(ControlId::Help))});
    connect(m_connection, &QComboBox::currentIndexChanged, this, &CWapBookmarkDlg::UpdateOk);
    UpdateOk();
}

void CWapBookmarkDlg::SetRecord(const CBookmark &record)
{
    CBookmarkEditDlg::SetRecord(record);
    // A new bookmark starts on the first connection; an existing one whose
    // connection is gone (or was never named) starts on none, so that OK
    // waits for the user's choice.
    const int named = m_connection->findText(record.connection);
    m_connection->setCurrentIndex(named >= 0 || !IsNewRecord() ? named : 0);
    m_userName->setText(record.userName);
    m_password->setText(record.password);
}

CBookmark CWapBookmarkDlg::GetRecord() const
{
    CBookmark record = CBookmarkEditDlg::GetRecord();
    // Made after the base's fields: the base asks for the record before.
    if (m_connection)
        record.connection = m_connection->currentText();
    if (m_userName)
        record.userName = m_userName->text();
    if (m_password)
        record.password = m_password->text();
    return record;
}
