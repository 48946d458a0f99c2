#include "orvenet/server/Utf8XmlReader.h"

#include <QStringDecoder>

#include <algorithm>
#include <array>
#include <cstring>
#include <optional>
#include <string_view>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace {

enum CharacterClass : uint8_t { kNameStart = 1, kNameChar = 2, kSpace = 4 };

constexpr std::array<uint8_t, 256> MakeClasses()
{
    std::array<uint8_t, 256> classes{};
    for (int c = 0; c < 256; ++c) {
        const bool letter = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
        // A character beyond ASCII is judged by its code point.
        if (letter || c == '_')
            classes[c] = kNameStart | kNameChar;
        else if ((c >= '0' && c <= '9') || c == '-' || c == '.')
            classes[c] = kNameChar;
        else if (c == ' ' || c == '\t' || c == '\n' || c == '\r')
            classes[c] = kSpace;
    }
    return classes;
}

constexpr std::array<uint8_t, 256> kClasses = MakeClasses();

bool Is(char c, CharacterClass kind)
{
    return (kClasses[uchar(c)] & kind) != 0;
}

bool IsXmlCharacter(char32_t c)
{
    return c == '\t' || c == '\n' || c == '\r' || (c >= 0x20 && c <= 0xD7FF) ||
           (c >= 0xE000 && c <= 0xFFFD) || (c >= 0x10000 && c <= 0x10FFFF);
}

// Beyond ASCII, the characters that may start a name, and those that may
// only follow.
bool IsNameStart(char32_t c)
{
    return (c >= 0xC0 && c <= 0xD6) || (c >= 0xD8 && c <= 0xF6) || (c >= 0xF8 && c <= 0x2FF) ||
           (c >= 0x370 && c <= 0x37D) || (c >= 0x37F && c <= 0x1FFF) || c == 0x200C ||
           c == 0x200D || (c >= 0x2070 && c <= 0x218F) || (c >= 0x2C00 && c <= 0x2FEF) ||
           (c >= 0x3001 && c <= 0xD7FF) || (c >= 0xF900 && c <= 0xFDCF) ||
           (c >= 0xFDF0 && c <= 0xFFFD) || (c >= 0x10000 && c <= 0xEFFFF);
}

bool IsNameFollower(char32_t c)
{
    return c == 0xB7 || (c >= 0x300 && c <= 0x36F) || c == 0x203F || c == 0x2040;
}

// The length of the UTF-8 sequence a lead byte starts; 0 for a byte that
// starts none.
int SequenceLength(uchar lead)
{
    return lead < 0x80             ? 1
           : (lead & 0xE0) == 0xC0 ? 2
           : (lead & 0xF0) == 0xE0 ? 3
           : (lead & 0xF8) == 0xF0 ? 4
                                   : 0;
}

// The character of the UTF-8 sequence at `at`, whose bytes are checked, and
// its length.
char32_t Decode(const char *at, int &length)
{
    const auto lead = uchar(*at);
    length = SequenceLength(lead);
    char32_t code = lead & (length == 1 ? 0x7F : 0x7F >> length);
    for (int i = 1; i < length; ++i)
        code = code << 6 | (uchar(at[i]) & 0x3F);
    return code;
}

constexpr QByteArrayView kXmlNamespace("http://www.w3.org/XML/1998/namespace");
constexpr QByteArrayView kXmlnsNamespace("http://www.w3.org/2000/xmlns/");

std::string_view View(QByteArrayView bytes)
{
    return std::string_view(bytes.data(), size_t(bytes.size()));
}

// Whether no key stands twice: pairwise for a few, sorted for many, so
// that an element of many attributes takes no quadratic time.
template<typename Key>
bool AllDifferent(std::vector<Key> &keys)
{
    if (keys.size() <= 16) {
        for (size_t i = 1; i < keys.size(); ++i) {
            for (size_t j = 0; j < i; ++j) {
                if (keys[i] == keys[j])
                    return false;
            }
        }
        return true;
    }
    std::sort(keys.begin(), keys.end());
    return std::adjacent_find(keys.begin(), keys.end()) == keys.end();
}

bool Same(QByteArrayView a, QByteArrayView b)
{
    return a.size() == b.size() && std::memcmp(a.data(), b.data(), size_t(a.size())) == 0;
}

const char *Find(const char *from, const char *end, char c)
{
    const void *found = std::memchr(from, c, size_t(end - from));
    return found ? static_cast<const char *>(found) : nullptr;
}

const char *Find(const char *from, const char *end, QByteArrayView needle)
{
    const qsizetype at = QByteArrayView(from, end - from).indexOf(needle);
    return at < 0 ? nullptr : from + at;
}

// The number of a character reference after its "&#", up to the ';'.
const char *ReadCharacterNumber(const char *at, const char *end, char32_t &character)
{
    const bool hex = at < end && *at == 'x';
    at += hex ? 1 : 0;
    char32_t value = 0;
    for (; at < end && *at != ';'; ++at) {
        int digit = -1;
        if (*at >= '0' && *at <= '9')
            digit = *at - '0';
        else if (hex && (*at | 0x20) >= 'a' && (*at | 0x20) <= 'f')
            digit = (*at | 0x20) - 'a' + 10;
        if (digit < 0)
            return nullptr;
        value = value * (hex ? 16 : 10) + char32_t(digit);
        if (value > 0x10FFFF)
            return nullptr;
    }
    // No digits leave 0, which is no character.
    if (at == end || !IsXmlCharacter(value))
        return nullptr;
    character = value;
    return at + 1;
}

// Reads the reference whose '&' is at `at`: the position after its ';' and
// the character it stands for, or nullptr when it is no reference XML knows
// without a document type.
const char *ReadReference(const char *at, const char *end, char32_t &character)
{
    ++at;
    if (at < end && *at == '#')
        return ReadCharacterNumber(at + 1, end, character);
    const char *name = at;
    while (at < end && Is(*at, kNameChar))
        ++at;
    if (at == end || *at != ';')
        return nullptr;
    static constexpr std::pair<const char *, char> kPredefined[] = {
        {"lt", '<'}, {"gt", '>'}, {"amp", '&'}, {"apos", '\''}, {"quot", '"'}};
    for (const auto &[entity, replacement] : kPredefined) {
        if (Same(QByteArrayView(name, at - name), entity)) {
            character = char32_t(replacement);
            return at + 1;
        }
    }
    return nullptr;
}

// Whether the characters of a text or attribute value may stand as they
// are: no '<', references XML knows, and in content no "]]>".
bool CheckCharacters(QByteArrayView text, bool content)
{
    const char *at = text.data();
    const char *end = at + text.size();
    while (at < end) {
        const char c = *at;
        if (c == '&') {
            char32_t character = 0;
            at = ReadReference(at, end, character);
            if (!at)
                return false;
            continue;
        }
        if (c == '<' || (content && c == ']' && end - at >= 3 && at[1] == ']' && at[2] == '>'))
            return false;
        ++at;
    }
    return true;
}

void AppendUtf8(QByteArray &to, char32_t c)
{
    if (c < 0x80) {
        to += char(c);
    } else if (c < 0x800) {
        to += char(0xC0 | (c >> 6));
        to += char(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        to += char(0xE0 | (c >> 12));
        to += char(0x80 | ((c >> 6) & 0x3F));
        to += char(0x80 | (c & 0x3F));
    } else {
        to += char(0xF0 | (c >> 18));
        to += char(0x80 | ((c >> 12) & 0x3F));
        to += char(0x80 | ((c >> 6) & 0x3F));
        to += char(0x80 | (c & 0x3F));
    }
}

enum class Characters { Content, CharacterData, Attribute };

bool NeedsResolving(QByteArrayView raw, Characters kind)
{
    for (const char c : raw) {
        if (c == '\r' || (c == '&' && kind != Characters::CharacterData) ||
            ((c == '\n' || c == '\t') && kind == Characters::Attribute))
            return true;
    }
    return false;
}

// The characters a checked text or value stands for: references resolved,
// every line end a line feed, and in a value every white space a space.
QByteArray Resolve(QByteArrayView raw, Characters kind)
{
    if (!NeedsResolving(raw, kind))
        return raw.isEmpty() ? QByteArray("") : QByteArray::fromRawData(raw.data(), raw.size());
    QByteArray resolved;
    resolved.reserve(raw.size());
    const char *end = raw.data() + raw.size();
    for (const char *at = raw.data(); at < end;) {
        char c = *at;
        if (c == '&' && kind != Characters::CharacterData) {
            char32_t character = 0;
            at = ReadReference(at, end, character);
            AppendUtf8(resolved, character);
            continue;
        }
        if (c == '\r') {
            c = '\n';
            if (at + 1 < end && at[1] == '\n')
                ++at;
        }
        if (kind == Characters::Attribute && (c == '\n' || c == '\t'))
            c = ' ';
        resolved += c;
        ++at;
    }
    return resolved;
}

#ifdef __SSE2__
// Whether the 16 bytes are ASCII without a control character other than
// tab, line feed and carriage return.
bool PlainAscii(const uchar *at)
{
    const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i *>(at));
    // Signed, so bytes from 0x80 up count as below the space too.
    const __m128i low = _mm_cmplt_epi8(bytes, _mm_set1_epi8(0x20));
    const __m128i allowed = _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(bytes, _mm_set1_epi8('\t')),
                                                      _mm_cmpeq_epi8(bytes, _mm_set1_epi8('\n'))),
                                         _mm_cmpeq_epi8(bytes, _mm_set1_epi8('\r')));
    return _mm_movemask_epi8(_mm_andnot_si128(allowed, low)) == 0;
}
#endif

// The length of the UTF-8 sequence at `at` if it encodes a character XML
// allows, else 0.
int XmlCharacterLength(const uchar *at, const uchar *end)
{
    const int length = SequenceLength(*at);
    if (length == 0 || end - at < length)
        return 0;
    for (int i = 1; i < length; ++i) {
        if ((at[i] & 0xC0) != 0x80)
            return 0;
    }
    // The least character each length may encode: a longer sequence for a
    // smaller one is refused.
    static constexpr char32_t kLeast[] = {0, 0, 0x80, 0x800, 0x10000};
    int decoded = 0;
    const char32_t code = Decode(reinterpret_cast<const char *>(at), decoded);
    return code >= kLeast[length] && IsXmlCharacter(code) ? length : 0;
}

// [A-Za-z][A-Za-z0-9._-]*
bool IsEncodingName(QByteArrayView name)
{
    const auto letter = [](char c) {
        return (c | 0x20) >= 'a' && (c | 0x20) <= 'z';
    };
    return !name.isEmpty() && letter(name[0]) && std::all_of(name.begin(), name.end(), [&](char c) {
        return letter(c) || (c >= '0' && c <= '9') || c == '.' || c == '_' || c == '-';
    });
}

constexpr QByteArrayView kByteOrderMark("\xEF\xBB\xBF");

} // namespace

QString CUtf8XmlReader::ToString(QByteArrayView utf8)
{
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::ConvertInitialBom);
    return decoder(utf8);
}

bool CUtf8XmlReader::IsXmlUtf8(QByteArrayView text)
{
    const auto *at = reinterpret_cast<const uchar *>(text.data());
    const uchar *end = at + text.size();
    while (at < end) {
#ifdef __SSE2__
        if (end - at >= 16 && PlainAscii(at)) {
            at += 16;
            continue;
        }
#endif
        const int length = XmlCharacterLength(at, end);
        if (length == 0)
            return false;
        at += length;
    }
    return true;
}

CUtf8XmlReader::CUtf8XmlReader(QByteArrayView text)
    : m_begin(text.data())
    , m_end(text.data() + text.size())
    , m_at(text.data())
{
    if (!IsXmlUtf8(text))
        m_failed = true;
    else if (text.startsWith(kByteOrderMark))
        m_at += kByteOrderMark.size();
}

CUtf8XmlReader::Token CUtf8XmlReader::Fail()
{
    m_failed = true;
    return Token::Invalid;
}

CUtf8XmlReader::Token CUtf8XmlReader::Next()
{
    if (m_failed)
        return Token::Invalid;
    m_attributes.clear();
    if (m_closePending) {
        m_closePending = false;
        CloseElement();
        return Token::EndElement;
    }
    while (m_at < m_end) {
        const std::optional<Token> token = *m_at == '<' ? ReadMarkup() : ReadText();
        if (token)
            return *token;
    }
    return m_rootSeen && m_open.empty() ? Token::EndDocument : Fail();
}

std::optional<CUtf8XmlReader::Token> CUtf8XmlReader::ReadText()
{
    const char *start = m_at;
    const char *lessThan = Find(m_at, m_end, '<');
    m_at = lessThan ? lessThan : m_end;
    const QByteArrayView text(start, m_at - start);
    if (AtDocumentLevel()) {
        // Only white space may stand outside the root.
        for (const char c : text) {
            if (!Is(c, kSpace))
                return Fail();
        }
        return std::nullopt;
    }
    if (!CheckCharacters(text, true))
        return Fail();
    m_position = start - m_begin;
    m_text = text;
    m_textIsCharacterData = false;
    return Token::Text;
}

std::optional<CUtf8XmlReader::Token> CUtf8XmlReader::ReadMarkup()
{
    const char *markup = m_at;
    m_position = markup - m_begin;
    if (Consume("</"))
        return ReadEndTag();
    if (Consume("<?"))
        return SkipInstruction(markup) ? std::nullopt : std::optional(Fail());
    if (Consume("<!--"))
        return SkipComment() ? std::nullopt : std::optional(Fail());
    if (Consume("<![CDATA["))
        return AtDocumentLevel() ? Fail() : ReadCharacterData();
    ++m_at;
    return ReadStartTag();
}

CUtf8XmlReader::Token CUtf8XmlReader::ReadStartTag()
{
    if (AtDocumentLevel() && m_rootSeen)
        return Fail();
    bool empty = false;
    if (!ReadName(m_name) || !ReadAttributes(empty))
        return Fail();
    m_rootSeen = true;
    m_open.push_back(m_name);
    m_bindingMarks.push_back(m_bindings.size());
    if (!BindPrefixes())
        return Fail();
    m_closePending = empty;
    return Token::StartElement;
}

void CUtf8XmlReader::CloseElement()
{
    m_open.pop_back();
    m_bindings.resize(m_bindingMarks.back());
    m_bindingMarks.pop_back();
}

std::optional<QByteArrayView> CUtf8XmlReader::NamespaceOf(QByteArrayView prefix) const
{
    if (Same(prefix, "xml"))
        return kXmlNamespace;
    for (auto binding = m_bindings.rbegin(); binding != m_bindings.rend(); ++binding) {
        if (Same(binding->first, prefix))
            return QByteArrayView(binding->second);
    }
    return std::nullopt;
}

bool CUtf8XmlReader::BindPrefixes()
{
    for (const auto &[name, raw] : m_attributes) {
        const bool isDefault = Same(name, "xmlns");
        if (!isDefault && !name.startsWith("xmlns:"))
            continue;
        const QByteArray uri = Resolve(raw, Characters::Attribute);
        // Neither reserved namespace may be bound but the one to its prefix.
        if (Same(uri, kXmlnsNamespace) || (isDefault && Same(uri, kXmlNamespace)))
            return false;
        if (isDefault)
            continue;
        const QByteArrayView prefix = name.sliced(6);
        if (uri.isEmpty() || Same(prefix, "xmlns") ||
            Same(prefix, "xml") != Same(uri, kXmlNamespace))
            return false;
        m_bindings.emplace_back(prefix, uri);
    }
    const qsizetype colon = m_name.indexOf(':');
    if (colon >= 0 && !NamespaceOf(m_name.first(colon)))
        return false;
    if (m_attributes.size() > 1) {
        m_names.clear();
        for (const auto &[name, raw] : m_attributes)
            m_names.push_back(View(name));
        if (!AllDifferent(m_names))
            return false;
    }
    // Every prefix bound, and no attribute twice by its namespace and
    // local name either.
    m_expandedNames.clear();
    for (const auto &[name, raw] : m_attributes) {
        const qsizetype at = name.indexOf(':');
        if (at < 0 || Same(name.first(at), "xmlns"))
            continue;
        const std::optional<QByteArrayView> uri = NamespaceOf(name.first(at));
        if (!uri)
            return false;
        m_expandedNames.emplace_back(View(*uri), View(name.sliced(at + 1)));
    }
    return AllDifferent(m_expandedNames);
}

CUtf8XmlReader::Token CUtf8XmlReader::ReadEndTag()
{
    QByteArrayView name;
    if (!ReadName(name))
        return Fail();
    SkipSpace();
    if (!Consume(">") || m_open.empty() || !Same(m_open.back(), name))
        return Fail();
    CloseElement();
    m_name = name;
    return Token::EndElement;
}

bool CUtf8XmlReader::ReadAttributes(bool &empty)
{
    for (;;) {
        const bool spaced = SkipSpace();
        if (Consume(">"))
            return true;
        if (Consume("/>")) {
            empty = true;
            return true;
        }
        QByteArrayView name;
        if (!spaced || !ReadName(name))
            return false;
        QByteArrayView value;
        if (!ReadValue(value) || !CheckCharacters(value, false))
            return false;
        m_attributes.emplace_back(name, value);
    }
}

bool CUtf8XmlReader::SkipComment()
{
    const char *dashes = Find(m_at, m_end, "--");
    if (!dashes)
        return false;
    m_at = dashes;
    // Two dashes may only end the comment.
    return Consume("-->");
}

bool CUtf8XmlReader::SkipInstruction(const char *markup)
{
    QByteArrayView target;
    if (!ReadName(target, false))
        return false;
    if (target.size() == 3 && qstrnicmp(target.data(), "xml", 3) == 0) {
        const bool atStart = markup == m_begin ||
                             (markup == m_begin + kByteOrderMark.size() &&
                              QByteArrayView(m_begin, m_end - m_begin).startsWith(kByteOrderMark));
        // Any other spelling of the name is reserved.
        return atStart && Same(target, "xml") && ReadDeclaration();
    }
    const char *close = Find(m_at, m_end, "?>");
    if (!close || (close != m_at && !Is(*m_at, kSpace)))
        return false;
    m_at = close + 2;
    return true;
}

bool CUtf8XmlReader::ReadDeclaration()
{
    // version, then encoding and standalone if they are given, in that
    // order.
    static constexpr QByteArrayView kNames[] = {"version", "encoding", "standalone"};
    size_t next = 0;
    for (;;) {
        const bool spaced = SkipSpace();
        if (Consume("?>"))
            return next > 0;
        QByteArrayView name;
        if (!spaced || !ReadName(name))
            return false;
        size_t index = 0;
        while (index < std::size(kNames) && !Same(kNames[index], name))
            ++index;
        if (index == std::size(kNames) || index < next || (next == 0 && index != 0))
            return false;
        next = index;
        QByteArrayView value;
        if (!ReadValue(value))
            return false;
        if (next == 0 && !Same(value, "1.0"))
            return false;
        if (next == 1 && !IsEncodingName(value))
            return false;
        if (next == 2 && !Same(value, "yes") && !Same(value, "no"))
            return false;
        ++next;
    }
}

std::optional<CUtf8XmlReader::Token> CUtf8XmlReader::ReadCharacterData()
{
    const char *close = Find(m_at, m_end, "]]>");
    if (!close)
        return Fail();
    m_text = QByteArrayView(m_at, close - m_at);
    m_textIsCharacterData = true;
    m_at = close + 3;
    return Token::Text;
}

bool CUtf8XmlReader::ReadValue(QByteArrayView &value)
{
    SkipSpace();
    if (!Consume("="))
        return false;
    SkipSpace();
    if (m_at == m_end || (*m_at != '"' && *m_at != '\''))
        return false;
    const char quote = *m_at++;
    const char *close = Find(m_at, m_end, quote);
    if (!close)
        return false;
    value = QByteArrayView(m_at, close - m_at);
    m_at = close + 1;
    return true;
}

bool CUtf8XmlReader::SkipNameCharacter(bool first)
{
    if (m_at == m_end)
        return false;
    if (uchar(*m_at) < 0x80) {
        if (!Is(*m_at, first ? kNameStart : kNameChar))
            return false;
        ++m_at;
        return true;
    }
    int length = 0;
    const char32_t c = Decode(m_at, length);
    if (!IsNameStart(c) && (first || !IsNameFollower(c)))
        return false;
    m_at += length;
    return true;
}

bool CUtf8XmlReader::SkipNamePart()
{
    if (!SkipNameCharacter(true))
        return false;
    for (;;) {
        while (m_at < m_end && Is(*m_at, kNameChar))
            ++m_at;
        if (m_at == m_end || uchar(*m_at) < 0x80 || !SkipNameCharacter(false))
            return true;
    }
}

bool CUtf8XmlReader::ReadName(QByteArrayView &name, bool qualified)
{
    const char *start = m_at;
    if (!SkipNamePart() || (qualified && Consume(":") && !SkipNamePart()))
        return false;
    name = QByteArrayView(start, m_at - start);
    return true;
}

bool CUtf8XmlReader::SkipSpace()
{
    const char *start = m_at;
    while (m_at < m_end && Is(*m_at, kSpace))
        ++m_at;
    return m_at != start;
}

bool CUtf8XmlReader::Consume(QByteArrayView expected)
{
    if (m_end - m_at < expected.size() ||
        std::memcmp(m_at, expected.data(), size_t(expected.size())) != 0)
        return false;
    m_at += expected.size();
    return true;
}

QByteArray CUtf8XmlReader::Attribute(QByteArrayView name) const
{
    for (const auto &[attribute, value] : m_attributes) {
        if (Same(attribute, name))
            return Resolve(value, Characters::Attribute);
    }
    return QByteArray();
}

QByteArray CUtf8XmlReader::Text() const
{
    return Resolve(m_text, m_textIsCharacterData ? Characters::CharacterData : Characters::Content);
}
