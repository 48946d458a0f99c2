#include "ui/bookmarks/BookmarkSourceDlg.h"

#include "document/DocumentNames.h"
#include "document/IncludeToggle.h"
#include "platform/registry/Registry.h"
#include "settings/Labels.h"
#include "settings/StringIds.h"
#include "ui/controls/ControlIds.h"
#include "ui/controls/DialogButton.h"
#include "ui/controls/ListCtrlEx.h"
#include "ui/controls/ShownLabel.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QFileInfo>
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

// Where the last import's source and file are kept for the next one.
const QString kImportKey = QStringLiteral("HKEY_CURRENT_USER\\") +
                           QString::fromUtf16(kProvanaRegistryKey) +
                           QStringLiteral("BookmarkImport");
const QString kImportSourceValue = QStringLiteral("Source");
const QString kImportFileValue = QStringLiteral("File");

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
    // Only a Favorites folder that is there has anything to import.
    const bool favorites = QFileInfo(CBookmarkImporter::DefaultFavoritesFolder()).isDir();
    for (const SourceButton &entry : kSourceButtons) {
        if (entry.source == BookmarkSource::Favorites && !favorites)
            continue;
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
    // The path field was made before the choices above it.
    ChainTabOrder({m_sources->buttons().last(), m_path, m_browse});
    QWidget *previous = m_browse;
    for (QAbstractButton *button : buttons->buttons()) {
        setTabOrder(previous, button);
        previous = button;
    }

    connect(m_sources, &QButtonGroup::idClicked, this,
            [this](int id) { SetSource(BookmarkSource(id)); });
    connect(m_path, &QLineEdit::textChanged, this, &CBookmarkSourceDlg::UpdateControls);
    connect(m_browse, &QPushButton::clicked, this, &CBookmarkSourceDlg::Browse);

    // The source and file of the last import, else the first source offered.
    const CRegistry registry;
    m_path->setText(registry.GetValue(kImportKey, kImportFileValue).value_or(QString()));
    bool remembered = false;
    const int last =
        registry.GetValue(kImportKey, kImportSourceValue).value_or(QString()).toInt(&remembered);
    const int first = m_sources->id(m_sources->buttons().first());
    SetSource(BookmarkSource(remembered && m_sources->button(last) ? last : first));
}

void CBookmarkSourceDlg::SetSource(BookmarkSource source)
{
    QAbstractButton *button = m_sources->button(int(source));
    if (!button)
        return;
    m_source = source;
    button->setChecked(true);
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
    CRegistry registry;
    registry.SetValue(kImportKey, kImportSourceValue, QString::number(int(m_source)));
    if (m_source == BookmarkSource::File)
        registry.SetValue(kImportKey, kImportFileValue, m_filePath);
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
