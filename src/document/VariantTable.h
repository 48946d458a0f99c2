#pragma once

#include <QByteArray>
#include <QStringList>

#include <optional>
#include <vector>

// A table of per-phone values: a header row naming the columns, then one row
// per configuration to make.
struct CVariantTable
{
    QStringList header;
    std::vector<QStringList> rows;
};

// Reads a table as spreadsheets export it: fields separated by a comma or a
// semicolon (whichever the header row uses more; a comma on a tie) or by tabs
// when tabs is set; a field in double quotes may hold separators, line breaks
// and doubled quotes. UTF-8 with or without a byte order mark; lines end in
// LF or CR LF. Blank lines are passed over. Nothing for bytes that are not
// UTF-8, a quote left open or a table without a header.
std::optional<CVariantTable> ParseVariantTable(const QByteArray &bytes, bool tabs);
