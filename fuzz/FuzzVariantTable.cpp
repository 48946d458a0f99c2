// Variant tables: any bytes must read as a table or as none, and a table read
// must come back the same when written with every field quoted.
#include "document/VariantTable.h"

#include <QByteArray>

#include <cstddef>
#include <cstdint>

namespace {

QByteArray Quoted(const QStringList &fields)
{
    QByteArray line;
    for (qsizetype i = 0; i < fields.size(); ++i) {
        QString field = fields[i];
        field.replace(u'"', QStringLiteral("\"\""));
        line += (i ? ",\"" : "\"") + field.toUtf8() + '"';
    }
    return line + '\n';
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const std::optional<CVariantTable> table = ParseVariantTable(bytes, size > 0 && data[0] & 1);
    if (!table)
        return 0;
    if (table->header.isEmpty())
        __builtin_trap();
    QByteArray written = Quoted(table->header);
    for (const QStringList &row : table->rows)
        written += Quoted(row);
    const std::optional<CVariantTable> again = ParseVariantTable(written, false);
    if (!again || again->header != table->header || again->rows != table->rows)
        __builtin_trap();
    return 0;
}
