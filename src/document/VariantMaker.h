#pragma once

#include "document/SettingsDocument.h"
#include "document/VariantTable.h"

#include <QHash>
#include <QString>
#include <QStringList>

class CApplication;

// Makes one configuration per row of a table from a template: every
// non-empty cell is typed into the setting its column names, in column order,
// through the document's edit entry point, and the result is saved as
// OUTDIR/NAME.xml. The column "file" gives NAME; without it, or with the
// cell empty, NAME is the row number, zero-padded to the width of the last.
class CVariantMaker
{
public:
    // What became of a row.
    struct CRowOutcome
    {
        enum Result {
            Written,
            Refused,    // column's cell was refused: message says why
            Unchanged,  // column's cell is a text the setting stores nothing for
            NotSending, // the before-sending check failed at the setting column names
            ExtraCells, // the row has text beyond the header's columns
            BadName,    // the file cell cannot name a file in the output folder
            SameName,   // an earlier row, otherRow, names the same file
            Exists,     // path is there already and was kept
            NotWritten, // path could not be written: message says why
        };
        Result result = Written;
        QString column;
        QString message;
        QString path;
        int otherRow = -1;
    };

    explicit CVariantMaker(CApplication *application);

    // Reads the template once; every row starts from a copy of it.
    CSettingsDocument::OpenResult OpenTemplate(const QString &path);
    // Takes the template from an open document instead.
    void SetTemplate(const CSettingsDocument &document) { m_template.CopyTree(document); }
    const CSettingsDocument &Template() const { return m_template; }

    // The column that names each row's file.
    static QString FileColumn();
    // The columns of header, other than the file column, that name no setting
    // of the template.
    QStringList UnknownColumns(const QStringList &header) const;

    // The file name a row (0-based) of table is saved as; empty when its file
    // cell cannot name a file in a folder.
    static QString OutputName(const CVariantTable &table, int row);
    // That file in outDir, or empty.
    static QString OutputPath(const CVariantTable &table, int row, const QString &outDir);

    // Applies row (0-based) and saves it unless a cell is refused, the
    // before-sending check fails (when check is set) or the file exists
    // (unless force is set). Each file is made by one row only: a later row
    // naming it again is refused.
    CRowOutcome MakeRow(const CVariantTable &table, int row, const QString &outDir, bool force,
                        bool check);
    // What MakeRow would make of row, short of looking at and writing its
    // file: Written when it would be written.
    CRowOutcome TryRow(const CVariantTable &table, int row, const QString &outDir, bool check);
    // Starts a table again: the files earlier rows named are free.
    void ForgetFiles();

private:
    // The row's file, unless its name is bad, taken by an earlier row, or the
    // row has cells beyond the header.
    CRowOutcome ClaimFile(const CVariantTable &table, int row, const QString &outDir);
    // Types the row's cells into a fresh copy of the template; false, with
    // outcome saying why, when one is not stored or the check fails.
    bool FillVariant(const CVariantTable &table, int row, bool check, CRowOutcome &outcome);

    CSettingsDocument m_template;
    CSettingsDocument m_variant;
    QHash<QString, int> m_rowOfPath;
};
