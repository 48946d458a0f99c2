#include "BookmarkFile.h"

#include <QFile>
#include <QRegularExpression>
#include <QStringDecoder>

namespace {

bool StartsWithUtf8Mark(const QByteArray &bytes)
{
    return bytes.startsWith("\xEF\xBB\xBF");
}

std::optional<QString> DecodeStrictUtf8(const QByteArray &bytes)
{
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = decoder(bytes);
    if (decoder.hasError())
        return std::nullopt;
    return text;
}

// The charset named in a META tag, such as
// <META HTTP-EQUIV="Content-Type" CONTENT="text/html; charset=ISO-8859-1">.
QByteArray DeclaredCharset(const QByteArray &bytes)
{
    static const QRegularExpression pattern(
        QStringLiteral(R"(<meta[^>]*charset\s*=\s*["']?([A-Za-z0-9._:-]+))"),
        QRegularExpression::CaseInsensitiveOption);
    // The declaration belongs to the head; a giant body need not be searched.
    const QString head = QString::fromLatin1(bytes.left(64 * 1024));
    const QRegularExpressionMatch match = pattern.match(head);
    return match.hasMatch() ? match.captured(1).toLatin1() : QByteArray();
}

QString DecodeBytes(const QByteArray &bytes)
{
    if (StartsWithUtf8Mark(bytes))
        return QString::fromUtf8(bytes.mid(3));
    if (std::optional<QString> text = DecodeStrictUtf8(bytes))
        return *text;
    const QByteArray charset = DeclaredCharset(bytes);
    if (!charset.isEmpty()) {
        QStringDecoder decoder(charset.constData());
        if (decoder.isValid())
            return decoder(bytes);
    }
    return QString::fromLatin1(bytes);
}

QString NormaliseLineEnds(QString text)
{
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    if (!text.isEmpty() && !text.endsWith(QLatin1Char('\n')))
        text.append(QLatin1Char('\n'));
    return text;
}

std::optional<char32_t> NamedReference(QStringView name)
{
    static const struct
    {
        const char *name;
        char32_t code;
    } kNames[] = {{"amp", U'&'},  {"lt", U'<'},    {"gt", U'>'},
                  {"quot", U'"'}, {"apos", U'\''}, {"nbsp", U'\u00A0'}};
    for (const auto &entry : kNames) {
        if (name == QLatin1String(entry.name))
            return entry.code;
    }
    return std::nullopt;
}

std::optional<char32_t> NumericReference(QStringView body)
{
    const bool hex = body.startsWith(QLatin1Char('x')) || body.startsWith(QLatin1Char('X'));
    const QStringView digits = body.mid(hex ? 1 : 0);
    if (digits.isEmpty() || digits.size() > 8)
        return std::nullopt;
    bool ok = false;
    const uint code = digits.toUInt(&ok, hex ? 16 : 10);
    const bool surrogate = code >= 0xD800 && code <= 0xDFFF;
    if (!ok || code == 0 || code > 0x10FFFF || surrogate)
        return std::nullopt;
    return char32_t(code);
}

// The character a reference body (between "&" and ";") stands for.
std::optional<char32_t> ReferencedCharacter(QStringView body)
{
    if (body.startsWith(QLatin1Char('#')))
        return NumericReference(body.mid(1));
    return NamedReference(body);
}

// The longest reference body worth looking at: "#x10FFFF" or "nbsp".
constexpr qsizetype kLongestReference = 9;

} // namespace

QString ImportedBookmark(const QString &url, const QString &name)
{
    return url + QLatin1Char('\n') + name;
}

void SplitImportedBookmark(const QString &imported, QString &url, QString &name)
{
    const qsizetype feed = imported.indexOf(QLatin1Char('\n'));
    url = feed < 0 ? QString() : imported.left(feed);
    name = feed < 0 ? imported : imported.mid(feed + 1);
}

QString DecodeBookmarkFile(const QByteArray &bytes)
{
    return NormaliseLineEnds(DecodeBytes(bytes));
}

QString DecodeCharacterReferences(const QString &text)
{
    if (!text.contains(QLatin1Char('&')))
        return text;
    QString decoded;
    decoded.reserve(text.size());
    qsizetype position = 0;
    while (position < text.size()) {
        const qsizetype ampersand = text.indexOf(QLatin1Char('&'), position);
        if (ampersand < 0)
            break;
        decoded.append(QStringView(text).mid(position, ampersand - position));
        const qsizetype semicolon = text.indexOf(QLatin1Char(';'), ampersand + 1);
        const qsizetype length = semicolon - ampersand - 1;
        std::optional<char32_t> character;
        if (semicolon > 0 && length > 0 && length <= kLongestReference)
            character = ReferencedCharacter(QStringView(text).mid(ampersand + 1, length));
        if (character) {
            decoded.append(QString::fromUcs4(&*character, 1));
            position = semicolon + 1;
        } else {
            decoded.append(QLatin1Char('&'));
            position = ampersand + 1;
        }
    }
    decoded.append(QStringView(text).mid(position));
    return decoded;
}

namespace {

bool IsTagSpace(QChar c)
{
    return c == u' ' || c == u'\t' || c == u'\n';
}

struct CLinkTag
{
    qsizetype start = -1; // of "<a"; -1 when there is none
    qsizetype href = -1;  // where "href=" ends
};

// The next link tag from position with an HREF attribute, wherever that
// stands among the tag's attributes (iCab writes others first). A tag that
// is not closed ends the search.
CLinkTag FindLinkTag(const QString &text, qsizetype position)
{
    static const QString open = QStringLiteral("<a");
    static const QString href = QStringLiteral("href=");
    while (position < text.size()) {
        const qsizetype start = text.indexOf(open, position, Qt::CaseInsensitive);
        if (start < 0)
            break;
        position = start + open.size();
        if (position >= text.size() || !IsTagSpace(text.at(position)))
            continue;
        const qsizetype end = text.indexOf(QLatin1Char('>'), position);
        if (end < 0)
            break;
        for (qsizetype at = text.indexOf(href, position, Qt::CaseInsensitive); at >= 0 && at < end;
             at = text.indexOf(href, at + 1, Qt::CaseInsensitive)) {
            if (IsTagSpace(text.at(at - 1)))
                return {start, at + href.size()};
        }
    }
    return {};
}

} // namespace

QStringList ScanBookmarkText(const QString &text)
{
    static const QString entryTag = QStringLiteral("<dt>");
    QStringList result;
    qsizetype position = 0;
    while (position < text.size()) {
        const qsizetype entry = text.indexOf(entryTag, position, Qt::CaseInsensitive);
        if (entry < 0)
            break;
        const CLinkTag link = FindLinkTag(text, entry);
        if (link.start < 0)
            break;
        // The URL starts past the opening quotation mark.
        const qsizetype urlStart = link.href + 1;
        const qsizetype urlEnd = text.indexOf(QLatin1Char('"'), urlStart);
        if (urlEnd < 0)
            break;
        const qsizetype tagEnd = text.indexOf(QLatin1Char('>'), urlEnd);
        if (tagEnd < 0)
            break;
        const qsizetype nameEnd = text.indexOf(QLatin1Char('<'), tagEnd + 1);
        if (nameEnd < 0)
            break;
        QString name = text.mid(tagEnd + 1, nameEnd - tagEnd - 1);
        name.remove(QLatin1Char('\n'));
        result.append(
            ImportedBookmark(DecodeCharacterReferences(text.mid(urlStart, urlEnd - urlStart)),
                             DecodeCharacterReferences(name)));
        position = link.start;
    }
    return result;
}

bool ReadBookmarkFile(QString path, QStringList &result)
{
    result.clear();
    const qsizetype separator = path.indexOf(QLatin1Char(';'));
    if (separator >= 0 && separator == path.size() - 1)
        path.chop(1);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    result = ScanBookmarkText(DecodeBookmarkFile(file.readAll()));
    return true;
}
