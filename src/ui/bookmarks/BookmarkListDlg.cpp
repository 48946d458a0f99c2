#include "ui/bookmarks/BookmarkListDlg.h"

#include "document/IncludeToggle.h"
#include "settings/Application.h"
#include "settings/Labels.h"
#include "settings/MessagePort.h"
#include "settings/SettingNode.h"
#include "settings/StringIds.h"
#include "ui/bookmarks/BookmarkEditDlg.h"
#include "ui/bookmarks/BookmarkSourceDlg.h"
#include "ui/controls/ControlIds.h"
#include "ui/controls/DialogButton.h"
#include "ui/controls/ListColumnTypes.h"
#include "ui/controls/ListCtrlEx.h"
#include "ui/controls/ListKeys.h"
#include "ui/controls/ShownLabel.h"
#include "ui/controls/WaitCursorGuard.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QShortcut>
#include <QVBoxLayout>

#include <algorithm>

namespace {

constexpr int kListWidthChars = 72;
constexpr int kListHeightLines = 16;
// The list's owner-drawn highlight across all columns.
constexpr int kRowSelectionMode = 1;

} // namespace

CBookmarkListDlg::CBookmarkListDlg(const CApplication *application, const CSettingNode &listNode,
                                   QWidget *parent)
    : QDialog(parent)
    , m_application(application)
    , m_listNode(listNode)
    , m_bookmarks(listNode)
    , m_list(new CListCtrlEx(this))
    , m_report(new QLabel(this))
{
    const bool www = m_bookmarks.Kind() == BookmarkKind::Www;
    setWindowTitle(
        ShownLabel(application, www ? StringId::WwwBookmarksTitle : StringId::WapBookmarksTitle));
    m_list->setObjectName(ControlObjectName(ControlId::BookmarkList));
    const QFontMetrics metrics = m_list->fontMetrics();
    const QSize listSize(metrics.averageCharWidth() * kListWidthChars,
                         metrics.lineSpacing() * kListHeightLines);
    m_list->setMinimumSize(listSize / 2);

    auto *buttons = new QVBoxLayout;
    auto *add = MakeDialogButton(application, StringId::ButtonAdd, ControlId::AddEntries, this);
    connect(add, &QPushButton::clicked, this, &CBookmarkListDlg::Add);
    buttons->addWidget(add);
    m_edit = MakeDialogButton(application, StringId::ButtonEdit, ControlId::EditEntry, this);
    connect(m_edit, &QPushButton::clicked, this, &CBookmarkListDlg::Edit);
    buttons->addWidget(m_edit);
    m_remove =
        MakeDialogButton(application, StringId::ButtonRemove, ControlId::RemoveEntries, this);
    connect(m_remove, &QPushButton::clicked, this, &CBookmarkListDlg::Remove);
    buttons->addWidget(m_remove);
    // Only WWW bookmarks come from the browsers.
    if (www) {
        auto *import =
            MakeDialogButton(application, StringId::ButtonImport, ControlId::ImportBookmarks, this);
        connect(import, &QPushButton::clicked, this, &CBookmarkListDlg::Import);
        buttons->addWidget(import);
    }
    buttons->addStretch(1);
    auto *ok = MakeDialogButton(application, StringId::ButtonOk, ControlId::Ok, this);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &CBookmarkListDlg::accept);
    buttons->addWidget(ok);
    auto *cancel = MakeDialogButton(application, StringId::ButtonCancel, ControlId::Cancel, this);
    connect(cancel, &QPushButton::clicked, this, &CBookmarkListDlg::reject);
    buttons->addWidget(cancel);
    auto *help = MakeDialogButton(application, StringId::ButtonHelp, ControlId::Help, this);
    const auto askHelp = [this] {
        emit helpRequested(HelpContextId::PersonalData);
    };
    connect(help, &QPushButton::clicked, this, askHelp);
    connect(new QShortcut(QKeySequence::HelpContents, this), &QShortcut::activated, this, askHelp);
    buttons->addWidget(help);

    CListKeys::Attach(
        m_list, [this] { Edit(); }, [this] { Remove(); });
    m_report->setObjectName(ControlObjectName(ControlId::ImportReport));
    auto *listColumn = new QVBoxLayout;
    listColumn->addWidget(m_list, 1);
    listColumn->addWidget(m_report);
    auto *layout = new QHBoxLayout(this);
    layout->addLayout(listColumn, 1);
    layout->addLayout(buttons);
    resize(sizeHint() + (listSize - m_list->sizeHint()).expandedTo(QSize(0, 0)));
    layout->activate();

    const int half = m_list->viewport()->width() / 2;
    m_list->InsertColumn(NameColumn, ShownLabel(application, StringId::NameColumn), Qt::AlignLeft,
                         half);
    m_list->InsertColumn(UrlColumn, ShownLabel(application, StringId::UrlColumn), Qt::AlignLeft,
                         half);
    m_list->SetSelectionMode(kRowSelectionMode);
    m_list->EnableSort(true);
    m_list->SetColumnTypes({CListColumnTypes::TextNoCase, CListColumnTypes::TextNoCase});
    m_list->SetLastColumnAutoSize();
    connect(m_list->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &CBookmarkListDlg::UpdateButtons);
    Fill();
    m_list->SortByColumn(NameColumn, CListCtrlEx::SortAscending);
}

CBookmarkListDlg::~CBookmarkListDlg() = default;

std::vector<std::unique_ptr<CSettingNode>> CBookmarkListDlg::TakeEntries() const
{
    return m_bookmarks.MakeEntries();
}

void CBookmarkListDlg::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    // The list knows its width once it is laid out: the name takes half of
    // it and the URL the rest.
    if (!m_shown)
        m_list->setColumnWidth(NameColumn, m_list->viewport()->width() / 2);
    m_shown = true;
}

void CBookmarkListDlg::AppendRow(int record)
{
    const CBookmark &bookmark = m_bookmarks.Record(record);
    const int row = m_list->InsertItem(m_list->GetItemCount(), bookmark.name);
    m_list->SetItemText(row, UrlColumn, bookmark.url);
    m_list->SetItemData(row, record);
}

void CBookmarkListDlg::Fill()
{
    m_list->DeleteAllItems();
    for (int record = 0; record < m_bookmarks.Count(); ++record)
        AppendRow(record);
    UpdateButtons();
}

void CBookmarkListDlg::UpdateButtons()
{
    const bool selected = m_list->selectionModel()->hasSelection();
    m_edit->setEnabled(selected);
    m_remove->setEnabled(selected);
}

void CBookmarkListDlg::SelectRecord(int record)
{
    // Sorting moves the row; it is found again by its record.
    m_list->SortByColumn(NameColumn, CListCtrlEx::SortAscending);
    for (int row = 0; row < m_list->GetItemCount(); ++row) {
        if (m_list->GetItemData(row).toInt() == record) {
            m_list->SelectOnly(row);
            return;
        }
    }
}

bool CBookmarkListDlg::RunRecordDialog(CBookmark &record, int ownIndex)
{
    if (m_recordEditor)
        return m_recordEditor(record, ownIndex);
    std::unique_ptr<CBookmarkEditDlg> dialog;
    if (m_bookmarks.Kind() == BookmarkKind::Www)
        dialog = std::make_unique<CWwwBookmarkDlg>(m_application, m_bookmarks, ownIndex, this);
    else
        dialog = std::make_unique<CWapBookmarkDlg>(m_application, m_listNode, m_bookmarks, ownIndex,
                                                   this);
    connect(dialog.get(), &CBookmarkEditDlg::helpRequested, this, &CBookmarkListDlg::helpRequested);
    dialog->SetRecord(record);
    if (dialog->exec() != QDialog::Accepted)
        return false;
    record = dialog->GetRecord();
    return true;
}

void CBookmarkListDlg::Add()
{
    CBookmark record;
    if (!RunRecordDialog(record, -1) || record.name.isEmpty() || record.url.isEmpty())
        return;
    m_bookmarks.Append(record);
    AppendRow(m_bookmarks.Count() - 1);
    SelectRecord(m_bookmarks.Count() - 1);
}

void CBookmarkListDlg::Edit()
{
    const int row = m_list->GetFocusedRow();
    if (row < 0 || !m_list->selectionModel()->isRowSelected(row))
        return;
    const int index = m_list->GetItemData(row).toInt();
    CBookmark record = m_bookmarks.Record(index);
    if (!RunRecordDialog(record, index))
        return;
    m_bookmarks.Replace(index, record);
    m_list->SetItemText(row, NameColumn, record.name);
    m_list->SetItemText(row, UrlColumn, record.url);
    SelectRecord(index);
}

void CBookmarkListDlg::Remove()
{
    if (!m_list->selectionModel()->hasSelection())
        return;
    CWaitCursorGuard wait;
    m_list->LockRedraw(true);
    std::vector<int> records;
    for (const QItemSelectionRange &range : m_list->selectionModel()->selection()) {
        for (int row = range.top(); row <= range.bottom(); ++row)
            records.push_back(m_list->GetItemData(row).toInt());
    }
    const int firstRow = m_list->GetSelectedRows().value(0);
    m_bookmarks.Remove(std::move(records));
    // The rows are made again from the records that are left, in the order
    // the user sorted by: deleting thousands of rows one by one would cost a
    // pass over the selection each.
    const int column = m_list->GetSortColumn();
    const bool ascending = m_list->IsSortAscending();
    Fill();
    if (column >= 0)
        m_list->SortByColumn(column,
                             ascending ? CListCtrlEx::SortAscending : CListCtrlEx::SortDescending);
    // The row that took the first removed row's place goes on from there.
    m_list->SelectOnly(std::min(firstRow, m_list->GetItemCount() - 1));
    m_list->LockRedraw(false);
}

std::optional<CBookmarkListDlg::ImportChoice> CBookmarkListDlg::ChooseSource()
{
    if (m_sourceChooser)
        return m_sourceChooser(this);
    CBookmarkSourceDlg dialog(m_application, this);
    connect(&dialog, &CBookmarkSourceDlg::helpRequested, this, &CBookmarkListDlg::helpRequested);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return ImportChoice{dialog.Source(), dialog.FilePath()};
}

void CBookmarkListDlg::ShowMessage(unsigned id) const
{
    if (IMessagePort *port = m_application ? m_application->GetMessagePort() : nullptr)
        port->ShowMessage(ShownLabel(m_application, id), IMessagePort::Ok, IMessagePort::Warning);
}

bool CBookmarkListDlg::ReadSource(const ImportChoice &choice, QStringList &imported)
{
    CDialogBookmarkEnvironment environment(m_application, this);
    CBookmarkImporter importer(environment);
    switch (choice.source) {
    case BookmarkSource::Favorites:
        // A missing Favorites folder simply has nothing to import.
        importer.ImportFavorites(imported, CBookmarkImporter::DefaultFavoritesFolder());
        return true;
    case BookmarkSource::Netscape:
        if (importer.ImportNetscape(imported))
            return true;
        ShowMessage(StringId::MsgNetscapeNotFound);
        return false;
    case BookmarkSource::File:
        if (importer.ImportFile(imported, choice.path))
            return true;
        ShowMessage(StringId::MsgBookmarkFileNotOpened);
        return false;
    case BookmarkSource::Firefox:
        if (importer.ImportFirefox(imported, QString()))
            return true;
        ShowMessage(StringId::MsgFirefoxNotFound);
        return false;
    case BookmarkSource::Chromium:
        if (importer.ImportChromium(imported, QString()))
            return true;
        ShowMessage(StringId::MsgChromiumNotFound);
        return false;
    }
    return false;
}

void CBookmarkListDlg::Import()
{
    const std::optional<ImportChoice> choice = ChooseSource();
    if (!choice)
        return;
    CWaitCursorGuard wait;
    QStringList imported;
    if (!ReadSource(*choice, imported))
        return;
    const int first = m_bookmarks.Count();
    const BookmarkMergeCount count = m_bookmarks.Merge(imported);
    m_report->setText(
        FormatLabel(m_application, StringId::ImportReport, {count.added, count.skipped}));
    m_list->LockRedraw(true);
    for (int record = first; record < m_bookmarks.Count(); ++record)
        AppendRow(record);
    m_list->SortByColumn(NameColumn, CListCtrlEx::SortAscending);
    m_list->SelectRowsWhere([first](const QVariant &record) { return record.toInt() >= first; });
    m_list->LockRedraw(false);
}
