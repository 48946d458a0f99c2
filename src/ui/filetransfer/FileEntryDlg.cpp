#include "ui/filetransfer/FileEntryDlg.h"

#include "filetransfer/FileList.h"
#include "filetransfer/PhoneFolders.h"
#include "settings/Labels.h"
#include "settings/NodeTypes.h"
#include "settings/StringIds.h"
#include "ui/controls/ControlIds.h"
#include "ui/controls/ShownLabel.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// Wide enough for a typical path without a scroll.
constexpr int kPathFieldChars = 48;

QPushButton *MakeButton(const CApplication *application, unsigned text, int id, QWidget *parent)
{
    auto *button = new QPushButton(ShownLabel(application, text), parent);
    button->setObjectName(ControlObjectName(id));
    return button;
}

} // namespace

CFileEntryDlg::CFileEntryDlg(const CApplication *application, const CFileList &list, int ownIndex,
                             QWidget *parent)
    : QDialog(parent)
    , m_application(application)
    , m_list(list)
    , m_ownIndex(ownIndex)
    , m_chooser(ChooseExistingFile)
{
    setWindowTitle(ShownLabel(m_application, StringId::FileEntryTitle));

    m_local = new QLineEdit(this);
    m_local->setObjectName(ControlObjectName(ControlId::LocalPath));
    m_local->setMinimumWidth(m_local->fontMetrics().averageCharWidth() * kPathFieldChars);
    connect(m_local, &QLineEdit::textChanged, this, &CFileEntryDlg::UpdateOkButton);

    auto *browse = MakeButton(m_application, StringId::ButtonBrowse, ControlId::BrowseLocal, this);
    browse->setAutoDefault(false);
    connect(browse, &QPushButton::clicked, this, &CFileEntryDlg::Browse);

    m_remote = new QComboBox(this);
    m_remote->setObjectName(ControlObjectName(ControlId::RemotePath));
    m_remote->setEditable(true);
    m_remote->setInsertPolicy(QComboBox::NoInsert);
    // Typed folders are taken as typed, never completed to a proposal.
    m_remote->setCompleter(nullptr);
    m_remote->addItems(
        DestinationProposals(static_cast<unsigned>(CurrentPhoneLanguage(m_application))));
    // The proposals are offered, not chosen: the field starts empty.
    m_remote->setCurrentIndex(-1);
    m_remote->clearEditText();
    connect(m_remote, &QComboBox::editTextChanged, this, &CFileEntryDlg::UpdateOkButton);
    // A choice from the list is checked once the field shows it.
    connect(m_remote, &QComboBox::activated, this, [this] {
        QMetaObject::invokeMethod(this, &CFileEntryDlg::UpdateOkButton, Qt::QueuedConnection);
    });

    auto *localLabel = new QLabel(ShownLabel(m_application, StringId::LocalFileLabel), this);
    localLabel->setBuddy(m_local);
    auto *remoteLabel = new QLabel(ShownLabel(m_application, StringId::PhoneFolderLabel), this);
    remoteLabel->setBuddy(m_remote);

    m_ok = MakeButton(m_application, StringId::ButtonOk, ControlId::Ok, this);
    m_ok->setDefault(true);
    connect(m_ok, &QPushButton::clicked, this, &CFileEntryDlg::accept);
    auto *cancel = MakeButton(m_application, StringId::ButtonCancel, ControlId::Cancel, this);
    cancel->setAutoDefault(false);
    connect(cancel, &QPushButton::clicked, this, &CFileEntryDlg::reject);

    auto *fields = new QGridLayout;
    fields->addWidget(localLabel, 0, 0, 1, 2);
    fields->addWidget(m_local, 1, 0);
    fields->addWidget(browse, 1, 1);
    fields->addWidget(remoteLabel, 2, 0, 1, 2);
    fields->addWidget(m_remote, 3, 0);
    fields->setColumnStretch(0, 1);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_ok);
    buttons->addWidget(cancel);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addSpacing(m_local->fontMetrics().height() / 2);
    layout->addLayout(buttons);
    // Wider for long paths, never taller.
    layout->setSizeConstraint(QLayout::SetMinAndMaxSize);

    UpdateOkButton();
}

CFileEntryDlg::~CFileEntryDlg() = default;

void CFileEntryDlg::SetLocalPath(const QString &path)
{
    m_localPath = path;
    if (!path.isEmpty())
        m_local->setText(path);
}

void CFileEntryDlg::SetRemotePath(const QString &path)
{
    m_remotePath = path;
    if (!path.isEmpty())
        m_remote->setEditText(path);
}

void CFileEntryDlg::SetFileChooser(FileChooser chooser)
{
    m_chooser = std::move(chooser);
}

void CFileEntryDlg::UpdateOkButton()
{
    // Whether the file is there and not listed yet is asked on OK, which
    // then says why an entry is refused.
    m_ok->setEnabled(!m_local->text().isEmpty() &&
                     IsAcceptablePhoneFolder(m_remote->currentText()));
}

void CFileEntryDlg::Browse()
{
    const FileListKind *files = FileListKindOf(NodeType::Files);
    const QString path =
        m_chooser ? m_chooser(this, FileListFilter(m_application, *files)) : QString();
    if (path.isEmpty())
        return;
    m_local->setText(path);
    UpdateOkButton();
}

void CFileEntryDlg::accept()
{
    m_localPath = m_local->text();
    m_remotePath = m_remote->currentText();
    const unsigned refusal = m_list.CheckFileEntry(m_localPath, m_remotePath, m_ownIndex);
    if (refusal == 0) {
        m_remotePath = CompletePhoneFolder(m_remotePath);
        QDialog::accept();
        return;
    }
    QMessageBox box(QMessageBox::Warning, ShownLabel(m_application, StringId::ViewName),
                    ShownLabel(m_application, refusal), QMessageBox::Ok, this);
    box.button(QMessageBox::Ok)->setText(ShownLabel(m_application, StringId::ButtonOk));
    box.exec();
}
