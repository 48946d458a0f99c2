#include "document/VariantMaker.h"

#include "document/SendTexts.h"
#include "settings/NodePath.h"
#include "settings/SettingNode.h"
#include "validate/TreeCheck.h"

#include <QDir>
#include <QFileInfo>

#include <vector>

CVariantMaker::CVariantMaker(CApplication *application)
    : m_template(application)
    , m_variant(application)
{}

CSettingsDocument::OpenResult CVariantMaker::OpenTemplate(const QString &path)
{
    return m_template.Open(path);
}

QString CVariantMaker::FileColumn()
{
    return QStringLiteral("file");
}

QStringList CVariantMaker::UnknownColumns(const QStringList &header) const
{
    QStringList unknown;
    for (const QString &column : header) {
        if (column != FileColumn() && !FindNodeByPath(m_template.GetRoot(), column))
            unknown.append(column);
    }
    return unknown;
}

QString CVariantMaker::OutputName(const CVariantTable &table, int row)
{
    const qsizetype fileColumn = table.header.indexOf(FileColumn());
    QString name = fileColumn >= 0 ? table.rows[size_t(row)].value(fileColumn) : QString();
    if (name.isEmpty()) {
        const int width = int(QString::number(table.rows.size()).size());
        name = QStringLiteral("%1").arg(row + 1, width, 10, QChar(u'0'));
    }
    // A name stays inside the output folder.
    if (name.contains(u'/') || name.contains(QChar(0)) || name == u"." || name == u"..")
        return QString();
    return name + QStringLiteral(".xml");
}

QString CVariantMaker::OutputPath(const CVariantTable &table, int row, const QString &outDir)
{
    const QString name = OutputName(table, row);
    return name.isEmpty() ? QString() : QDir(outDir).filePath(name);
}

void CVariantMaker::ForgetFiles()
{
    m_rowOfPath.clear();
}

CVariantMaker::CRowOutcome CVariantMaker::ClaimFile(const CVariantTable &table, int row,
                                                    const QString &outDir)
{
    CRowOutcome outcome;
    outcome.path = OutputPath(table, row, outDir);
    if (outcome.path.isEmpty()) {
        outcome.result = CRowOutcome::BadName;
        outcome.column = FileColumn();
        return outcome;
    }
    const int firstRow = m_rowOfPath.value(outcome.path, row);
    if (firstRow != row) {
        outcome.result = CRowOutcome::SameName;
        outcome.column = FileColumn();
        outcome.otherRow = firstRow;
        return outcome;
    }
    m_rowOfPath.insert(outcome.path, row);
    const QStringList &cells = table.rows[size_t(row)];
    for (qsizetype i = table.header.size(); i < cells.size(); ++i) {
        if (!cells[i].isEmpty()) {
            outcome.result = CRowOutcome::ExtraCells;
            return outcome;
        }
    }
    return outcome;
}

bool CVariantMaker::FillVariant(const CVariantTable &table, int row, bool check,
                                CRowOutcome &outcome)
{
    const QStringList &cells = table.rows[size_t(row)];
    m_variant.CopyTree(m_template);
    // Every column is resolved before the first edit, so a renamed item is
    // still found by the name the header gives it.
    std::vector<const CSettingNode *> nodes;
    for (const QString &column : table.header)
        nodes.push_back(column == FileColumn() ? nullptr
                                               : FindNodeByPath(m_variant.GetRoot(), column));
    for (qsizetype i = 0; i < table.header.size() && i < cells.size(); ++i) {
        if (cells[i].isEmpty() || !nodes[size_t(i)])
            continue;
        const CEditResult result = m_variant.EditValue(nodes[size_t(i)], cells[i]);
        if (result.result != CEditResult::Changed) {
            outcome.result = result.IsRefused() ? CRowOutcome::Refused : CRowOutcome::Unchanged;
            outcome.column = table.header[i];
            outcome.message = result.message;
            return false;
        }
    }
    if (check) {
        const CSettingNode *failing = nullptr;
        if (!CheckTree(m_variant.GetRoot(), &failing, true) && failing) {
            outcome.result = CRowOutcome::NotSending;
            outcome.column = PathOfNode(failing);
            outcome.message = CheckBeforeSending(m_variant.GetApplication(), m_variant.GetRoot());
            return false;
        }
    }
    return true;
}

CVariantMaker::CRowOutcome CVariantMaker::TryRow(const CVariantTable &table, int row,
                                                 const QString &outDir, bool check)
{
    CRowOutcome outcome = ClaimFile(table, row, outDir);
    if (outcome.result == CRowOutcome::Written)
        FillVariant(table, row, check, outcome);
    return outcome;
}

CVariantMaker::CRowOutcome CVariantMaker::MakeRow(const CVariantTable &table, int row,
                                                  const QString &outDir, bool force, bool check)
{
    CRowOutcome outcome = ClaimFile(table, row, outDir);
    if (outcome.result != CRowOutcome::Written)
        return outcome;
    if (!force && QFileInfo::exists(outcome.path)) {
        outcome.result = CRowOutcome::Exists;
        return outcome;
    }
    if (!FillVariant(table, row, check, outcome))
        return outcome;
    if (!m_variant.Save(outcome.path)) {
        outcome.result = CRowOutcome::NotWritten;
        outcome.message = m_variant.LastErrorText().trimmed();
    }
    return outcome;
}
