#include "ui/bookmarks/BookmarkSourceDlg.h"

#include "document/IncludeToggle.h"
#include "platform/registry/Registry.h"
#include "settings/Labels.h"
#include "settings/StringIds.h"
#include "ui/controls/ControlIds.h"
#include "ui/controls/ListCtrlEx.h"
#include "ui/controls/ShownLabel.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QShortcut>
#include <QVBoxLayout>

namespace {

constexpr int kPathWidthChars = 48;

struct SourceButton
{
    BookmarkSource source;
    unsigned label;
    int id;
};

constexpr SourceButton kSourceButtons[] = {
    {BookmarkSource::Favorites, StringId::SourceFavorites, ControlId::SourceFavorites},
    {BookmarkSource::Netscape, StringId::SourceNetscape, ControlId::SourceNetscape},
    {BookmarkSource::Firefox, StringId::SourceFirefox, ControlId::SourceFirefox},
    {BookmarkSource::Chromium, StringId::SourceChromium, ControlId::SourceChromium},
    {BookmarkSource::File, StringId::SourceFile, ControlId::SourceFile},
};

QPushButton *AddButton(QDialogButtonBox *box, const CApplication *application, unsigned text,
                       QDialogButtonBox::ButtonRole role, int id)
{
    QPushButton *button = box->addButton(ShownLabel(application, text), role);
    button->setObjectName(ControlObjectName(id));
    return button;
}

QString BookmarkFileFilter(const CApplication *application)
{
    return ShownLabel(application, StringId::BookmarkFiles) +
           QStringLiteral(" (*.htm;*.html)|*.htm;*.html|") +
           ShownLabel(application, StringId::AllFiles) + QStringLiteral(" (*.*)|*.*||");
}

} // namespace

CBookmarkSourceDlg::CBookmarkSourceDlg(const CApplication *application, QWidget *parent)
    : QDialog(parent)
    , m_application(application)
    , m_chooser(ChooseExistingFile)
    , m_sources(new QButtonGroup(this))
    , m_path(new QLineEdit(this))
    , m_browse(new QPushButton(ShownLabel(application, StringId::ButtonBrowse), this))
{
    setWindowTitle(ShownLabel(application, StringId::ImportSourceTitle));
    auto *grid = new QGridLayout;
    for (const SourceButton &entry : kSourceButtons) {
        auto *radio = new QRadioButton(ShownLabel(application, entry.label), this);
        radio->setObjectName(ControlObjectName(entry.id));
        m_sources->addButton(radio, int(entry.source));
        grid->addWidget(radio, grid->rowCount(), 0, 1, 2);
    }
    m_path->setObjectName(ControlObjectName(ControlId::SourcePath));
    m_path->setMinimumWidth(m_path->fontMetrics().averageCharWidth() * kPathWidthChars);
    m_browse->setObjectName(ControlObjectName(ControlId::BrowseSource));
    m_browse->setAutoDefault(false);
    const int pathRow = grid->rowCount();
    grid->addWidget(m_path, pathRow, 0);
    grid->addWidget(m_browse, pathRow, 1);
    grid->setColumnMinimumWidth(0, 0);
    grid->setContentsMargins(0, 0, 0, 0);

    auto *buttons = new QDialogButtonBox(this);
    m_ok = AddButton(buttons, application, StringId::ButtonOk, QDialogButtonBox::AcceptRole,
                     ControlId::Ok);
    AddButton(buttons, application, StringId::ButtonCancel, QDialogButtonBox::RejectRole,
              ControlId::Cancel);
    AddButton(buttons, application, StringId::ButtonHelp, QDialogButtonBox::HelpRole,
              ControlId::Help);
    connect(buttons, &QDialogButtonBox::accepted, this, &CBookmarkSourceDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CBookmarkSourceDlg::reject);
    const auto askHelp = [this] {
        emit helpRequested(HelpContextId::PersonalData);
    };
    connect(buttons, &QDialogButtonBox::helpRequested, this, askHelp);
    connect(new QShortcut(QKeySequence::HelpContents, this), &QShortcut::activated, this, askHelp);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(buttons);

    connect(m_sources, &QButtonGroup::idClicked, this,
            [this](int id) { SetSource(BookmarkSource(id)); });
    connect(m_path, &QLineEdit::textChanged, this, &CBookmarkSourceDlg::UpdateControls);
    connect(m_browse, &QPushButton::clicked, this, &CBookmarkSourceDlg::Browse);
    SetSource(BookmarkSource::Favorites);
}

void CBookmarkSourceDlg::SetSource(BookmarkSource source)
{
    m_source = source;
    m_sources->button(int(source))->setChecked(true);
    UpdateControls();
}

void CBookmarkSourceDlg::UpdateControls()
{
    const bool file = m_source == BookmarkSource::File;
    m_path->setEnabled(file);
    m_browse->setEnabled(file);
    m_ok->setEnabled(!file || !m_path->text().isEmpty());
}

void CBookmarkSourceDlg::Browse()
{
    const QString path = m_chooser ? m_chooser(this, BookmarkFileFilter(m_application)) : QString();
    if (!path.isEmpty())
        m_path->setText(path);
}

void CBookmarkSourceDlg::accept()
{
    if (!m_ok->isEnabled())
        return;
    m_filePath = m_path->text();
    QDialog::accept();
}

CBookmarkFileChoiceDlg::CBookmarkFileChoiceDlg(const CApplication *application,
                                               const QString &found, QWidget *parent)
    : QDialog(parent)
    , m_list(new CListCtrlEx(this))
{
    setWindowTitle(ShownLabel(application, StringId::BookmarkFileChoiceTitle));
    m_list->setObjectName(ControlObjectName(ControlId::FoundFiles));
    m_list->setMinimumWidth(m_list->fontMetrics().averageCharWidth() * kPathWidthChars);
    m_list->SetSelectionMode(1);
    m_list->InsertColumn(0, ShownLabel(application, StringId::BookmarkFileColumn), Qt::AlignLeft,
                         m_list->viewport()->width());
    const QStringList paths = found.split(u';');
    // Only the pieces followed by a separator are paths.
    for (qsizetype i = 0; i + 1 < paths.size(); ++i)
        m_list->InsertItem(m_list->GetItemCount(), paths[i]);
    m_list->AutoSizeColumn(0);

    auto *buttons = new QDialogButtonBox(this);
    m_ok = AddButton(buttons, application, StringId::ButtonOk, QDialogButtonBox::AcceptRole,
                     ControlId::Ok);
    AddButton(buttons, application, StringId::ButtonCancel, QDialogButtonBox::RejectRole,
              ControlId::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &CBookmarkFileChoiceDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CBookmarkFileChoiceDlg::reject);
    connect(m_list->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &CBookmarkFileChoiceDlg::UpdateOk);
    connect(m_list, &CListCtrlEx::doubleClicked, this, &CBookmarkFileChoiceDlg::accept);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_list, 1);
    layout->addWidget(buttons);
    UpdateOk();
}

void CBookmarkFileChoiceDlg::UpdateOk()
{
    m_ok->setEnabled(m_list->selectionModel()->hasSelection());
}

void CBookmarkFileChoiceDlg::accept()
{
    const QList<int> rows = m_list->GetSelectedRows();
    if (rows.isEmpty())
        return;
    m_chosen = m_list->GetItemText(rows.first(), 0);
    QDialog::accept();
}

CDialogBookmarkEnvironment::CDialogBookmarkEnvironment(const CApplication *application,
                                                       QWidget *parent)
    : m_application(application)
    , m_parent(parent)
{}

std::optional<QString> CDialogBookmarkEnvironment::RegistryValue(const QString &key,
                                                                 const QString &name)
{
    return CRegistry().GetValue(key, name);
}

std::optional<QString> CDialogBookmarkEnvironment::ChooseBookmarkFile(const QStringList &files)
{
    CBookmarkFileChoiceDlg dialog(m_application, files.join(u';') + u';', m_parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.ChosenPath();
}
