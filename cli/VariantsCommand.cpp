#include "VariantsCommand.h"

#include "CliDocument.h"
#include "CliTexts.h"
#include "Commands.h"
#include "Console.h"

#include "document/DocumentNames.h"
#include "document/VariantMaker.h"
#include "document/VariantTable.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>

namespace Cli {
namespace {

using Outcome = CVariantMaker::CRowOutcome;

QString OutcomeMessage(const Outcome &outcome, const QStringList &cells, const QStringList &header)
{
    switch (outcome.result) {
    case Outcome::Refused:
    case Outcome::NotSending:
        return outcome.message;
    case Outcome::Unchanged:
        return Text(CliText::ValueRefused, {cells.value(header.indexOf(outcome.column))});
    case Outcome::ExtraCells:
        return Text(CliText::VariantExtraCells);
    case Outcome::BadName:
        return Text(CliText::VariantBadName, {cells.value(header.indexOf(outcome.column))});
    case Outcome::SameName:
        return Text(CliText::VariantSameName, {outcome.otherRow + 1});
    case Outcome::Exists:
        return Text(CliText::VariantExists, {outcome.path});
    case Outcome::NotWritten:
        return Text(
            CliText::FileProblem,
            {outcome.path, Text(StringId::MsgFileNotWritten) +
                               (outcome.message.isEmpty() ? QString() : u'\n' + outcome.message)});
    case Outcome::Written:
        break;
    }
    return QString();
}

// Tells how far the rows are, once they have taken more than a second.
class CRowProgress
{
public:
    explicit CRowProgress(int rows)
        : m_rows(rows)
    {
        m_clock.start();
    }
    void Done(int row)
    {
        const qint64 elapsed = m_clock.elapsed();
        if (elapsed < 1000 || elapsed - m_shown < 1000 || row == m_rows)
            return;
        m_shown = elapsed;
        PrintError(Text(CliText::VariantProgress, {row, m_rows}));
    }

private:
    int m_rows;
    QElapsedTimer m_clock;
    qint64 m_shown = 0;
};

} // namespace

int CmdVariants(const QStringList &arguments)
{
    QStringList files = arguments;
    const bool force = files.removeAll(QStringLiteral("--force")) > 0;
    const bool check = files.removeAll(QStringLiteral("--check")) > 0;
    if (files.size() != 3) {
        PrintError(Text(CliText::WrongArguments,
                        {QStringLiteral("variants"), QStringLiteral("variants")}));
        return ExitUsage;
    }
    const QString &templatePath = files[0];
    const QString &tablePath = files[1];
    const QString &outDir = files[2];

    CVariantMaker maker(Application());
    const auto opened = maker.OpenTemplate(templatePath);
    if (opened == CSettingsDocument::OpenResult::NotReadable)
        return ReportFileProblem(templatePath,
                                 WithLastError(maker.Template(), StringId::MsgFileNotRead));
    if (opened == CSettingsDocument::OpenResult::NotConfiguration)
        return ReportFileProblem(templatePath, Text(StringId::MsgNotConfiguration));
    if (opened == CSettingsDocument::OpenResult::Damaged)
        return ReportFileProblem(templatePath, maker.Template().LastErrorText());
    if (opened == CSettingsDocument::OpenResult::Repaired)
        PrintError(Text(StringId::MsgValuesRepaired));

    QFile tableFile(tablePath);
    if (!tableFile.open(QIODevice::ReadOnly))
        return ReportFileProblem(tablePath, tableFile.errorString());
    const std::optional<CVariantTable> table = ParseVariantTable(
        tableFile.readAll(), tablePath.endsWith(QStringLiteral(".tsv"), Qt::CaseInsensitive));
    if (!table)
        return ReportFileProblem(tablePath, Text(CliText::VariantTableNotRead));

    const QStringList unknown = maker.UnknownColumns(table->header);
    for (const QString &column : unknown)
        PrintError(Text(CliText::NoSuchSetting, {column}));
    if (!unknown.isEmpty())
        return ExitUsage;
    if (!QDir().mkpath(outDir))
        return ReportFileProblem(outDir, Text(StringId::MsgFileNotWritten));

    const int rows = int(table->rows.size());
    CRowProgress progress(rows);
    int failed = 0;
    for (int row = 0; row < rows; ++row) {
        const Outcome outcome = maker.MakeRow(*table, row, outDir, force, check);
        if (outcome.result != Outcome::Written) {
            ++failed;
            const QString message =
                OutcomeMessage(outcome, table->rows[size_t(row)], table->header);
            PrintError(outcome.column.isEmpty()
                           ? Text(CliText::VariantRowProblem, {row + 1, message})
                           : Text(CliText::VariantCellProblem, {row + 1, outcome.column, message}));
        }
        progress.Done(row + 1);
    }
    return failed ? ExitCheckFailed : ExitOk;
}

} // namespace Cli
