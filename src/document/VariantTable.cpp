#include "document/VariantTable.h"

#include <QStringDecoder>

namespace {

// Splits text into records of fields; nothing when a quoted field never ends.
std::optional<std::vector<QStringList>> SplitRecords(const QString &text, QChar separator)
{
    std::vector<QStringList> records;
    QStringList record;
    QString field;
    bool quoted = false;       // inside a quoted field
    bool fieldStarted = false; // the field has a character or a quote
    const auto endField = [&] {
        record.append(field);
        field.clear();
        fieldStarted = false;
    };
    const auto endRecord = [&] {
        // A line holding nothing at all is no record.
        const bool blank = record.isEmpty() && !fieldStarted;
        endField();
        if (!blank)
            records.push_back(record);
        record.clear();
    };
    const qsizetype length = text.size();
    for (qsizetype i = 0; i < length; ++i) {
        const QChar c = text[i];
        if (quoted) {
            if (c != u'"') {
                field += c;
            } else if (i + 1 < length && text[i + 1] == u'"') {
                field += c;
                ++i;
            } else {
                quoted = false;
            }
        } else if (c == u'"' && !fieldStarted) {
            quoted = true;
            fieldStarted = true;
        } else if (c == separator) {
            endField();
        } else if (c == u'\n') {
            endRecord();
        } else if (c == u'\r' && i + 1 < length && text[i + 1] == u'\n') {
            // the LF ends the record
        } else {
            // A quote after text, or text after a closing quote, is kept as it
            // stands: spreadsheets write such fields too.
            field += c;
            fieldStarted = true;
        }
    }
    if (quoted)
        return std::nullopt;
    if (fieldStarted || !record.isEmpty())
        endRecord();
    return records;
}

// The separator the header row uses: the first line, quotes skipped.
QChar HeaderSeparator(const QString &text)
{
    int commas = 0;
    int semicolons = 0;
    bool quoted = false;
    for (QChar c : text) {
        if (c == u'"')
            quoted = !quoted;
        else if (!quoted && c == u'\n')
            break;
        else if (!quoted && c == u',')
            ++commas;
        else if (!quoted && c == u';')
            ++semicolons;
    }
    return semicolons > commas ? QChar(u';') : QChar(u',');
}

} // namespace

std::optional<CVariantTable> ParseVariantTable(const QByteArray &bytes, bool tabs)
{
    QByteArrayView view(bytes);
    if (view.startsWith("\xEF\xBB\xBF"))
        view = view.sliced(3);
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = decoder.decode(view);
    if (decoder.hasError())
        return std::nullopt;
    const QChar separator = tabs ? QChar(u'\t') : HeaderSeparator(text);
    std::optional<std::vector<QStringList>> records = SplitRecords(text, separator);
    if (!records || records->empty())
        return std::nullopt;
    CVariantTable table;
    table.header = records->front();
    table.rows.assign(std::make_move_iterator(records->begin() + 1),
                      std::make_move_iterator(records->end()));
    return table;
}
