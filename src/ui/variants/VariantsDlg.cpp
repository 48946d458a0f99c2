#include "ui/variants/VariantsDlg.h"

#include "document/IncludeToggle.h"
#include "settings/Labels.h"
#include "settings/StringIds.h"
#include "ui/controls/ControlIds.h"
#include "ui/controls/DialogButton.h"
#include "ui/controls/ShownLabel.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QShortcut>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

constexpr int kListWidthChars = 110;
constexpr int kListHeightLines = 12;
constexpr int kFileWidthChars = 16;

} // namespace

CVariantsDlg::CVariantsDlg(CApplication *application, const CSettingsDocument &templateDocument,
                           QWidget *parent)
    : QDialog(parent)
    , m_application(application)
    , m_maker(application)
{
    setWindowTitle(ShownLabel(application, StringId::VariantsTitle));
    m_maker.SetTemplate(templateDocument);
    m_chooseTable = [this]() -> std::optional<QString> {
        const QString path =
            QFileDialog::getOpenFileName(this, QString(), m_tablePath->text(),
                                         ShownLabel(m_application, StringId::VariantsTableFilter));
        return path.isEmpty() ? std::nullopt : std::optional<QString>(path);
    };
    m_chooseFolder = [this]() -> std::optional<QString> {
        const QString path = QFileDialog::getExistingDirectory(this, QString(), m_folder->text());
        return path.isEmpty() ? std::nullopt : std::optional<QString>(path);
    };

    const auto label = [this](unsigned text, QWidget *buddy) {
        auto *shown = new QLabel(ShownLabel(m_application, text), this);
        shown->setBuddy(buddy);
        return shown;
    };
    m_tablePath = new QLineEdit(this);
    m_tablePath->setObjectName(ControlObjectName(ControlId::VariantsTable));
    m_browseTable = MakeDialogButton(application, StringId::VariantsBrowseTable,
                                     ControlId::VariantsBrowseTable, this);
    m_folder = new QLineEdit(this);
    m_folder->setObjectName(ControlObjectName(ControlId::VariantsFolder));
    m_browseFolder = MakeDialogButton(application, StringId::VariantsBrowseFolder,
                                      ControlId::VariantsBrowseFolder, this);

    m_rows = new QTableWidget(0, 3, this);
    m_rows->setObjectName(ControlObjectName(ControlId::VariantsRows));
    m_rows->setHorizontalHeaderLabels({ShownLabel(application, StringId::VariantsRow),
                                       ShownLabel(application, StringId::VariantsFile),
                                       ShownLabel(application, StringId::VariantsStatus)});
    m_rows->verticalHeader()->hide();
    m_rows->verticalHeader()->setDefaultSectionSize(m_rows->fontMetrics().lineSpacing() + 6);
    m_rows->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_rows->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_rows->setTabKeyNavigation(false);
    m_rows->setWordWrap(false);
    // The status, often a long message, takes what the numbers and the file
    // names leave; its whole text is its tooltip.
    QHeaderView *header = m_rows->horizontalHeader();
    header->setSectionResizeMode(RowColumn, QHeaderView::ResizeToContents);
    header->setSectionResizeMode(FileColumn, QHeaderView::Interactive);
    header->setSectionResizeMode(StatusColumn, QHeaderView::Stretch);
    const QFontMetrics metrics = m_rows->fontMetrics();
    m_rows->setColumnWidth(FileColumn, metrics.averageCharWidth() * kFileWidthChars);
    m_rows->setMinimumSize(metrics.averageCharWidth() * kListWidthChars,
                           metrics.lineSpacing() * kListHeightLines);

    m_progress = new QProgressBar(this);
    m_progress->setObjectName(ControlObjectName(ControlId::VariantsProgress));
    m_progress->setValue(0);
    m_summary = new QLabel(this);
    m_summary->setObjectName(ControlObjectName(ControlId::VariantsSummary));
    m_summary->setWordWrap(true);

    m_make = MakeDialogButton(application, StringId::VariantsMake, ControlId::VariantsMake, this);
    m_close = MakeDialogButton(application, StringId::ButtonClose, ControlId::Cancel, this);
    auto *help = MakeDialogButton(application, StringId::ButtonHelp, ControlId::Help, this);

    auto *grid = new QGridLayout;
    grid->addWidget(label(StringId::VariantsTable, m_tablePath), 0, 0);
    grid->addWidget(m_tablePath, 0, 1);
    grid->addWidget(m_browseTable, 0, 2);
    grid->addWidget(label(StringId::VariantsFolder, m_folder), 1, 0);
    grid->addWidget(m_folder, 1, 1);
    grid->addWidget(m_browseFolder, 1, 2);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_make);
    buttons->addWidget(m_close);
    buttons->addWidget(help);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(label(StringId::VariantsRows, m_rows));
    layout->addWidget(m_rows, 1);
    layout->addWidget(m_progress);
    layout->addWidget(m_summary);
    layout->addLayout(buttons);
    ChainTabOrder(
        {m_tablePath, m_browseTable, m_folder, m_browseFolder, m_rows, m_make, m_close, help});

    connect(m_tablePath, &QLineEdit::editingFinished, this, [this] {
        if (m_tablePath->isModified())
            LoadTable();
    });
    connect(m_folder, &QLineEdit::textChanged, this, [this] { UpdateMakeButton(); });
    connect(m_browseTable, &QPushButton::clicked, this, [this] {
        if (const std::optional<QString> path = m_chooseTable()) {
            m_tablePath->setText(*path);
            LoadTable();
        }
    });
    connect(m_browseFolder, &QPushButton::clicked, this, [this] {
        if (const std::optional<QString> path = m_chooseFolder())
            m_folder->setText(*path);
    });
    connect(m_make, &QPushButton::clicked, this, &CVariantsDlg::Make);
    connect(m_close, &QPushButton::clicked, this, &CVariantsDlg::reject);
    const auto askHelp = [this] {
        emit helpRequested(HelpContextId::MakeVariants);
    };
    connect(help, &QPushButton::clicked, this, askHelp);
    connect(new QShortcut(QKeySequence::HelpContents, this), &QShortcut::activated, this, askHelp);
    UpdateMakeButton();
}

void CVariantsDlg::LoadTable()
{
    m_tablePath->setModified(false);
    m_table.reset();
    m_rows->setRowCount(0);
    m_progress->setValue(0);
    m_summary->clear();
    const QString path = m_tablePath->text().trimmed();
    if (!path.isEmpty()) {
        QFile file(path);
        if (file.open(QIODevice::ReadOnly))
            m_table =
                ParseVariantTable(file.readAll(), path.endsWith(u".tsv", Qt::CaseInsensitive));
        if (!m_table)
            m_summary->setText(ShownLabel(m_application, StringId::VariantsNotRead));
    }
    if (!m_table) {
        UpdateMakeButton();
        return;
    }
    const QStringList unknown = m_maker.UnknownColumns(m_table->header);
    if (!unknown.isEmpty()) {
        // Nothing is made from a table whose header names what is not there.
        m_summary->setText(
            FormatLabel(m_application, StringId::VariantsUnknownColumns, {unknown.join(u", ")}));
        m_table.reset();
        UpdateMakeButton();
        return;
    }
    const int count = int(m_table->rows.size());
    m_rows->setRowCount(count);
    m_maker.ForgetFiles();
    for (int row = 0; row < count; ++row) {
        m_rows->setItem(row, RowColumn, new QTableWidgetItem(QString::number(row + 1)));
        auto *file = new QTableWidgetItem(CVariantMaker::OutputName(*m_table, row));
        file->setToolTip(file->text());
        m_rows->setItem(row, FileColumn, file);
        SetStatus(row, m_maker.TryRow(*m_table, row, QString(), false));
    }
    UpdateMakeButton();
}

void CVariantsDlg::SetStatus(int row, const CVariantMaker::CRowOutcome &outcome)
{
    using Outcome = CVariantMaker::CRowOutcome;
    QString text;
    switch (outcome.result) {
    case Outcome::Written:
        text = ShownLabel(m_application, StringId::VariantsOk);
        break;
    case Outcome::Refused:
    case Outcome::NotSending:
        text = outcome.column + QStringLiteral(": ") + outcome.message;
        break;
    case Outcome::Unchanged:
        text = FormatLabel(m_application, StringId::VariantsNothingStored, {outcome.column});
        break;
    case Outcome::ExtraCells:
        text = ShownLabel(m_application, StringId::VariantsExtraCells);
        break;
    case Outcome::BadName:
        text = ShownLabel(m_application, StringId::VariantsBadName);
        break;
    case Outcome::SameName:
        text = FormatLabel(m_application, StringId::VariantsSameName, {outcome.otherRow + 1});
        break;
    case Outcome::Exists:
        text = ShownLabel(m_application, StringId::VariantsExists);
        break;
    case Outcome::NotWritten:
        text = ShownLabel(m_application, StringId::VariantsNotWritten);
        if (!outcome.message.isEmpty())
            text += u' ' + outcome.message;
        break;
    }
    // One line in the list; the tooltip keeps the message's own lines.
    auto *item = new QTableWidgetItem(QString(text).replace(u'\n', u' '));
    item->setToolTip(text);
    m_rows->setItem(row, StatusColumn, item);
}

std::optional<bool> CVariantsDlg::AskReplace(int existing)
{
    if (m_askReplace)
        return m_askReplace(existing);
    QMessageBox box(QMessageBox::Question, windowTitle(),
                    FormatLabel(m_application, StringId::VariantsReplace, {existing}),
                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, this);
    box.setDefaultButton(QMessageBox::No);
    switch (box.exec()) {
    case QMessageBox::Yes:
        return true;
    case QMessageBox::No:
        return false;
    default:
        return std::nullopt;
    }
}

void CVariantsDlg::Make()
{
    const QString folder = m_folder->text().trimmed();
    if (!m_table || m_making || folder.isEmpty())
        return;
    const int count = int(m_table->rows.size());
    int existing = 0;
    for (int row = 0; row < count; ++row) {
        const QString path = CVariantMaker::OutputPath(*m_table, row, folder);
        existing += !path.isEmpty() && QFileInfo::exists(path) ? 1 : 0;
    }
    bool replace = false;
    if (existing) {
        const std::optional<bool> answer = AskReplace(existing);
        if (!answer)
            return;
        replace = *answer;
    }
    QDir().mkpath(folder);

    SetMaking(true);
    m_cancelled = false;
    m_progress->setRange(0, std::max(count, 1));
    m_progress->setValue(0);
    m_maker.ForgetFiles();
    int made = 0;
    for (int row = 0; row < count && !m_cancelled; ++row) {
        const CVariantMaker::CRowOutcome outcome =
            m_maker.MakeRow(*m_table, row, folder, replace, false);
        if (outcome.result == CVariantMaker::CRowOutcome::Written)
            ++made;
        SetStatus(row, outcome);
        m_progress->setValue(row + 1);
        // Cancel and Esc are heard between two rows.
        QApplication::processEvents();
    }
    SetMaking(false);
    m_summary->setText(FormatLabel(
        m_application, m_cancelled ? StringId::VariantsCancelled : StringId::VariantsMade,
        {made, count}));
}

void CVariantsDlg::reject()
{
    if (m_making) {
        m_cancelled = true;
        return;
    }
    QDialog::reject();
}

void CVariantsDlg::SetMaking(bool making)
{
    m_making = making;
    for (QWidget *field :
         {static_cast<QWidget *>(m_tablePath), static_cast<QWidget *>(m_folder),
          static_cast<QWidget *>(m_browseTable), static_cast<QWidget *>(m_browseFolder)})
        field->setEnabled(!making);
    m_close->setText(
        ShownLabel(m_application, making ? StringId::ButtonCancel : StringId::ButtonClose));
    UpdateMakeButton();
}

void CVariantsDlg::UpdateMakeButton()
{
    m_make->setEnabled(!m_making && m_table && !m_table->rows.empty() &&
                       !m_folder->text().trimmed().isEmpty());
}
