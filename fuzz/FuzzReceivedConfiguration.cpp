// A configuration as the connectivity server receives it: any bytes are read
// or refused without fault, and the server's reader agrees with Qt's XML
// reader. Every text Qt reads whole is read, to the same elements,
// attributes and characters, unless it has a document type (which the
// reader refuses) or something Qt lets pass against XML's rules: a control
// character, an attribute name that is no XML name, an instruction. An ASCII
// text the reader takes, Qt takes too, with its prefixes bound.
#include "orvenet/server/ReceivedConfiguration.h"
#include "orvenet/server/Utf8XmlReader.h"

#include <QStringDecoder>
#include <QStringList>
#include <QXmlStreamReader>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <utility>

namespace {

// Elements and attributes one to an entry, text joined into one entry per
// run; nothing when the text is refused.
class CEvents
{
public:
    void Start(const QString &name, const QStringList &attributes)
    {
        m_events << u"<"_qs + name + u" "_qs + attributes.join(u' ');
        m_inText = false;
    }
    void End(const QString &name)
    {
        m_events << u"</"_qs + name;
        m_inText = false;
    }
    void Text(const QString &text)
    {
        if (text.isEmpty())
            return;
        if (!m_inText)
            m_events << QString();
        m_events.last() += text;
        m_inText = true;
    }
    const QStringList &Events() const { return m_events; }

private:
    QStringList m_events;
    bool m_inText = false;
};

std::optional<QStringList> OurEvents(QByteArrayView text)
{
    CEvents events;
    CUtf8XmlReader reader(text);
    for (;;) {
        switch (reader.Next()) {
        case CUtf8XmlReader::Token::StartElement: {
            QStringList attributes;
            for (const auto &[name, raw] : reader.RawAttributes())
                attributes << CUtf8XmlReader::ToString(name) + u"="_qs +
                                  CUtf8XmlReader::ToString(reader.Attribute(name));
            events.Start(CUtf8XmlReader::ToString(reader.Name()), attributes);
            break;
        }
        case CUtf8XmlReader::Token::EndElement:
            events.End(CUtf8XmlReader::ToString(reader.Name()));
            break;
        case CUtf8XmlReader::Token::Text:
            events.Text(CUtf8XmlReader::ToString(reader.Text()));
            break;
        case CUtf8XmlReader::Token::EndDocument:
            return events.Events();
        case CUtf8XmlReader::Token::Invalid:
            return std::nullopt;
        }
    }
}

struct QtRead
{
    std::optional<QStringList> events;
    // Qt lets pass an attribute name that is no XML name, and characters
    // after an instruction's target that XML does not allow there.
    bool sawLeniency = false;
};

// Whether the character may stand in a name, first or later.
bool IsNameCharacter(char32_t c, bool first)
{
    if (c < 0x80) {
        const bool letter = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_';
        return letter || (!first && ((c >= '0' && c <= '9') || c == '-' || c == '.'));
    }
    static constexpr std::pair<char32_t, char32_t> kStarts[] = {
        {0xC0, 0xD6},     {0xD8, 0xF6},     {0xF8, 0x2FF},    {0x370, 0x37D},
        {0x37F, 0x1FFF},  {0x200C, 0x200D}, {0x2070, 0x218F}, {0x2C00, 0x2FEF},
        {0x3001, 0xD7FF}, {0xF900, 0xFDCF}, {0xFDF0, 0xFFFD}, {0x10000, 0xEFFFF}};
    for (const auto &[low, high] : kStarts) {
        if (c >= low && c <= high)
            return true;
    }
    return !first && (c == 0xB7 || (c >= 0x300 && c <= 0x36F) || c == 0x203F || c == 0x2040);
}

// A name, or a prefix and a name around one colon.
bool IsXmlName(QStringView name)
{
    const auto isPart = [](QStringView part) {
        const QList<uint> characters = part.toUcs4();
        for (qsizetype i = 0; i < characters.size(); ++i) {
            if (!IsNameCharacter(char32_t(characters[i]), i == 0))
                return false;
        }
        return !characters.isEmpty();
    };
    const qsizetype colon = name.indexOf(u':');
    return colon < 0 ? isPart(name) : isPart(name.first(colon)) && isPart(name.sliced(colon + 1));
}

QtRead QtEvents(QByteArrayView text)
{
    QtRead read;
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString decoded = decoder(text);
    if (decoder.hasError())
        return read;
    // Qt passes over a byte order mark at the start of the characters too,
    // so that a second one counts for nothing.
    read.sawLeniency = decoded.startsWith(QChar(0xFEFF));
    CEvents events;
    QXmlStreamReader reader(decoded);
    reader.setNamespaceProcessing(false);
    int depth = 0;
    while (!reader.atEnd()) {
        switch (reader.readNext()) {
        case QXmlStreamReader::StartElement: {
            QStringList attributes;
            for (const QXmlStreamAttribute &attribute : reader.attributes()) {
                read.sawLeniency |= !IsXmlName(attribute.qualifiedName());
                attributes << attribute.qualifiedName().toString() + u"="_qs +
                                  attribute.value().toString();
            }
            events.Start(reader.qualifiedName().toString(), attributes);
            ++depth;
            break;
        }
        case QXmlStreamReader::EndElement:
            events.End(reader.qualifiedName().toString());
            --depth;
            break;
        case QXmlStreamReader::Characters:
            if (depth > 0)
                events.Text(reader.text().toString());
            break;
        case QXmlStreamReader::DTD:
        case QXmlStreamReader::ProcessingInstruction:
            read.sawLeniency = true;
            break;
        case QXmlStreamReader::EntityReference:
            return read;
        default:
            break;
        }
    }
    // Qt checks the prefixes only when it reads by namespaces.
    QXmlStreamReader namespaces(decoded);
    while (!namespaces.atEnd())
        namespaces.readNext();
    if (!reader.hasError() && !namespaces.hasError())
        read.events = events.Events();
    return read;
}

void Require(bool condition, const char *what, const QStringList &ours, const QStringList &qt)
{
    if (condition)
        return;
    std::fprintf(stderr, "%s\nours: %s\nqt:   %s\n", what, qPrintable(ours.join(u'|')),
                 qPrintable(qt.join(u'|')));
    __builtin_trap();
}

// Qt lets control characters pass in places.
bool HasControl(QByteArrayView text)
{
    for (const char c : text) {
        if (uchar(c) < 0x20 && c != '\t' && c != '\n' && c != '\r')
            return true;
    }
    return false;
}

bool IsAscii(QByteArrayView text)
{
    for (const char c : text) {
        if (uchar(c) >= 0x80)
            return false;
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArrayView text(data, qsizetype(size));
    const std::optional<QStringList> ours = OurEvents(text);
    const QtRead qt = QtEvents(text);
    if (qt.events && !qt.sawLeniency && !HasControl(text)) {
        Require(ours.has_value(), "Qt reads what we refuse", {}, *qt.events);
        Require(*ours == *qt.events, "the two read differently", *ours, *qt.events);
    }
    if (ours && IsAscii(text))
        Require(qt.events.has_value(), "we read what Qt refuses", *ours, {});
    const std::optional<ReceivedConfiguration> read = ReadReceivedConfiguration(text);
    if (read && !ours)
        __builtin_trap();
    return 0;
}
