#include "ui/filetransfer/FileListDlg.h"

#include "ui/controls/WaitCursorGuard.h"

#include "document/IncludeToggle.h"
#include "settings/Labels.h"
#include "settings/SettingNode.h"
#include "settings/StringIds.h"
#include "ui/controls/ControlIds.h"
#include "ui/controls/DialogButton.h"
#include "ui/controls/ListCtrlEx.h"
#include "ui/controls/ListKeys.h"
#include "ui/controls/ShownLabel.h"
#include "ui/filetransfer/FileEntryDlg.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QStyle>
#include <QVBoxLayout>

#include <algorithm>

namespace {

// Room for three columns of ordinary paths.
constexpr int kListWidthChars = 80;
constexpr int kListHeightLines = 16;
// The list's owner-drawn highlight across all columns.
constexpr int kRowSelectionMode = 1;
// How much of the screen's width the dialog may take to show long paths.
constexpr int kMostOfTheScreen = 90;

} // namespace

CFileListDlg::CFileListDlg(const CApplication *application, const CSettingNode &category,
                           QWidget *parent)
    : QDialog(parent)
    , m_application(application)
    , m_files(category)
    , m_chooser(ChooseExistingFiles)
{
    if (const FileListKind *kind = m_files.Kind())
        m_filter = FileListFilter(m_application, *kind);
    const QString label = category.GetLabel(true);
    setWindowTitle(label);

    auto *labelText = new QLabel(label, this);
    labelText->setObjectName(ControlObjectName(ControlId::FileListLabel));

    m_list = new CListCtrlEx(this);
    m_list->setObjectName(ControlObjectName(ControlId::FileList));
    const QFontMetrics metrics = m_list->fontMetrics();
    const QSize listSize(metrics.averageCharWidth() * kListWidthChars,
                         metrics.lineSpacing() * kListHeightLines);
    m_list->setMinimumSize(listSize / 2);
    labelText->setBuddy(m_list);

    auto *add = MakeDialogButton(m_application, StringId::ButtonAdd, ControlId::AddEntries, this);
    connect(add, &QPushButton::clicked, this, &CFileListDlg::Add);
    // Outside Files mode there is nothing to edit, and Remove takes Edit's place.
    if (IsFilesMode()) {
        m_edit = MakeDialogButton(m_application, StringId::ButtonEdit, ControlId::EditEntry, this);
        connect(m_edit, &QPushButton::clicked, this, &CFileListDlg::Edit);
    }
    m_remove =
        MakeDialogButton(m_application, StringId::ButtonRemove, ControlId::RemoveEntries, this);
    connect(m_remove, &QPushButton::clicked, this, &CFileListDlg::Remove);
    CListKeys::Attach(m_list, IsFilesMode() ? CListKeys::Action([this] { Edit(); }) : nullptr,
                      [this] { Remove(); });

    auto *ok = MakeDialogButton(m_application, StringId::ButtonOk, ControlId::Ok, this);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &CFileListDlg::accept);
    auto *cancel = MakeDialogButton(m_application, StringId::ButtonCancel, ControlId::Cancel, this);
    connect(cancel, &QPushButton::clicked, this, &CFileListDlg::reject);
    auto *help = MakeDialogButton(m_application, StringId::ButtonHelp, ControlId::Help, this);
    connect(help, &QPushButton::clicked, this, [this] { emit helpRequested(HelpContext()); });
    auto *helpKey = new QShortcut(QKeySequence::HelpContents, this);
    connect(helpKey, &QShortcut::activated, this, [this] { emit helpRequested(HelpContext()); });

    auto *buttons = new QVBoxLayout;
    buttons->addWidget(add);
    if (m_edit)
        buttons->addWidget(m_edit);
    buttons->addWidget(m_remove);
    buttons->addStretch(1);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    buttons->addWidget(help);

    auto *body = new QHBoxLayout;
    body->addWidget(m_list, 1);
    body->addLayout(buttons);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(labelText);
    layout->addLayout(body, 1);
    resize(sizeHint() + (listSize - m_list->sizeHint()).expandedTo(QSize(0, 0)));
    layout->activate();

    // The columns share the list's width until the entries size them.
    const QList<unsigned> headings =
        IsFilesMode() ? QList<unsigned>{StringId::FileNameColumn, StringId::FolderColumn,
                                        StringId::PhoneFolderColumn}
                      : QList<unsigned>{StringId::FileNameColumn, StringId::FolderColumn};
    const auto count = static_cast<int>(headings.size());
    const int width = m_list->viewport()->width() / count;
    for (int column = 0; column < count; ++column)
        m_list->InsertColumn(column, ShownLabel(m_application, headings[column]), Qt::AlignLeft,
                             width);
    m_list->SetSelectionMode(kRowSelectionMode);
    m_list->EnableSort(true);
    connect(m_list->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &CFileListDlg::UpdateButtons);

    Fill();
    WidenToEntries();
}

CFileListDlg::~CFileListDlg() = default;

void CFileListDlg::WidenToEntries()
{
    // The last column fills the rest of the list; the dialog grows until the
    // entries' texts fit there too, as far as the screen allows. The list is
    // not shown yet, so its room is reckoned from its own width.
    const int last = m_list->GetColumnCount() - 1;
    int room = m_list->width() - 2 * m_list->frameWidth();
    if (m_list->GetItemCount() > kListHeightLines)
        room -= m_list->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, m_list);
    const int missing = m_list->header()->sectionPosition(last) + m_list->ContentWidth(last) - room;
    if (missing <= 0)
        return;
    int widest = width() + missing;
    if (const QScreen *screen = this->screen())
        widest = std::min(widest, screen->availableGeometry().width() * kMostOfTheScreen / 100);
    resize(std::max(widest, width()), height());
}

void CFileListDlg::SetFileChooser(MultiFileChooser chooser)
{
    m_chooser = std::move(chooser);
}

std::vector<std::unique_ptr<CSettingNode>> CFileListDlg::TakeEntries() const
{
    return m_files.TakeEntries();
}

int CFileListDlg::HelpContext()
{
    return HelpContextId::FileTransfer;
}

void CFileListDlg::Fill()
{
    m_list->DeleteAllItems();
    const std::vector<FileListRow> rows = m_files.Rows();
    const bool files = IsFilesMode();
    for (int entry = 0; entry < static_cast<int>(rows.size()); ++entry) {
        const FileListRow &row = rows[static_cast<size_t>(entry)];
        const int item = m_list->InsertItem(entry, row.fileName);
        m_list->SetItemText(item, FolderColumn, row.folder);
        if (files)
            m_list->SetItemText(item, PhoneFolderColumn, row.phoneFolder);
        m_list->SetItemData(item, entry);
    }
    // A refill keeps the order the user sorted by.
    if (m_list->GetSortColumn() >= 0) {
        m_list->SortByColumn(m_list->GetSortColumn(), m_list->IsSortAscending()
                                                          ? CListCtrlEx::SortAscending
                                                          : CListCtrlEx::SortDescending);
    }
    m_list->AutoSizeColumns();
    UpdateButtons();
}

void CFileListDlg::UpdateButtons()
{
    const bool selected = m_list->selectionModel()->hasSelection();
    m_remove->setEnabled(selected);
    if (m_edit)
        m_edit->setEnabled(selected);
}

int CFileListDlg::EntryOf(int row) const
{
    return m_list->GetItemData(row).toInt();
}

bool CFileListDlg::RunEntryDialog(int entry, QString &local, QString &remote)
{
    CFileEntryDlg dialog(m_application, m_files, entry, this);
    dialog.SetLocalPath(local);
    dialog.SetRemotePath(remote);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    local = dialog.GetLocalPath();
    remote = dialog.GetRemotePath();
    return true;
}

void CFileListDlg::SelectEntries(int first, int last)
{
    m_list->SelectRowsWhere([first, last](const QVariant &entry) {
        return entry.toInt() >= first && entry.toInt() <= last;
    });
}

void CFileListDlg::Add()
{
    const int first = m_files.Count();
    bool added = false;
    if (IsFilesMode()) {
        QString local, remote;
        added = RunEntryDialog(-1, local, remote) && m_files.AddFileEntry(local, remote);
    } else if (m_chooser) {
        added = m_files.AddFiles(m_chooser(this, m_filter)) > 0;
    }
    if (!added)
        return;
    Fill();
    SelectEntries(first, m_files.Count() - 1);
}

void CFileListDlg::Edit()
{
    if (!IsFilesMode())
        return;
    const int row = m_list->GetFocusedRow();
    if (row < 0 || !m_list->selectionModel()->isRowSelected(row))
        return;
    const int entry = EntryOf(row);
    const FileListRow shown = m_files.Row(entry);
    QString local = shown.Path();
    QString remote = shown.phoneFolder;
    if (RunEntryDialog(entry, local, remote) && m_files.EditFileEntry(entry, local, remote)) {
        Fill();
        SelectEntries(entry, entry);
    }
}

void CFileListDlg::Remove()
{
    if (!m_list->selectionModel()->hasSelection())
        return;
    CWaitCursorGuard wait;
    m_list->LockRedraw(true);
    // Straight from the selection's ranges: asking row by row whether it is
    // selected takes a pass over all ranges each time.
    std::vector<int> entries;
    for (const QItemSelectionRange &range : m_list->selectionModel()->selection()) {
        for (int row = range.top(); row <= range.bottom(); ++row)
            entries.push_back(EntryOf(row));
    }
    const int firstRow = m_list->GetSelectedRows().value(0);
    // Ranges may overlap; the list takes each entry once.
    m_files.RemoveEntries(std::move(entries));
    // The rows are made again from the entries that are left: deleting the
    // selected rows one by one would cost a pass over the selection each.
    Fill();
    // The row that took the first removed row's place goes on from there.
    m_list->SelectOnly(std::min(firstRow, m_list->GetItemCount() - 1));
    m_list->LockRedraw(false);
}
