#include "config/ConfigWriter.h"

#include "config/ConfigText.h"
#include "config/HandOff.h"
#include "config/PasswordScrambler.h"
#include "config/SafeFileWriter.h"
#include "settings/NodeCatalogue.h"
#include "settings/NodeTypes.h"
#include "settings/SettingNode.h"

#include <QByteArray>
#include <QSysInfo>

#include <algorithm>
#include <thread>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

bool WritesCharacterData(const CSettingNode *node)
{
    return NodeTypeInfoOf(node->GetType()).characterData ||
           (node->GetType() == NodeType::FreeElement && node->GetRawMarkup());
}

QString WrapInCharacterData(const QString &value)
{
    QString out;
    out.reserve(value.size() + kCDataOpen.size() + kCDataClose.size());
    out += kCDataOpen;
    qsizetype from = 0;
    for (qsizetype at = value.indexOf(kCDataClose); at >= 0;
         at = value.indexOf(kCDataClose, at + 1)) {
        // Split after "]]", so that no section holds the closing marker.
        const qsizetype split = at + kCDataClose.size() - 1;
        out += QStringView(value).mid(from, split - from);
        out += kCDataClose;
        out += u'\n';
        out += kCDataOpen;
        from = split;
    }
    out += QStringView(value).mid(from);
    out += kCDataClose;
    return out;
}

QString Escape(const QString &value)
{
    const auto special = [](QChar c) {
        return c == u'&' || c == u'<' || c == u'>';
    };
    if (std::none_of(value.begin(), value.end(), special))
        return value;
    QString out;
    out.reserve(value.size());
    for (QChar c : value) {
        switch (c.unicode()) {
        case u'&':
            out += u"&amp;";
            break;
        case u'<':
            out += u"&lt;";
            break;
        case u'>':
            out += u"&gt;";
            break;
        default:
            out += c;
        }
    }
    return out;
}

void AppendIndent(QString &text, int depth)
{
    text.resize(text.size() + 2 * depth, u' ');
}

// Continuation lines are indented like the start tag; trailing white space
// goes. True when the value has more than one line.
bool IndentContinuationLines(QString &value, int depth)
{
    const bool lines = value.contains(u'\n');
    if (lines)
        value.replace(QStringLiteral("\n"), u'\n' + QString(2 * depth, u' '));
    qsizetype end = value.size();
    while (end > 0 && value.at(end - 1).isSpace())
        --end;
    value.truncate(end);
    return lines && value.contains(u'\n');
}

// A node the configuration marks for the phone (op="create" or "update").
bool IsMarked(const CSettingNode *node)
{
    return node->IsIncluded() || node->GetUpdateFlag();
}

void AppendStartTag(const CSettingNode *node, const QString &name, QString &text)
{
    text += u'<';
    text += name;
    if (node->IsIncluded())
        text += u" op=\"create\"";
    else if (node->GetUpdateFlag())
        text += u" op=\"update\"";
    const QStringView attributes = QStringView(node->GetAttributeText()).trimmed();
    if (!attributes.isEmpty()) {
        text += u' ';
        text += attributes;
    }
    text += u'>';
}

} // namespace

void EncodeValue(const CSettingNode *node, QString &value, const ScrambleKeySource &keys)
{
    if (node->GetEditorKind() == EditorKind::Password)
        value = ScramblePassword(value, NodeTypeInfoOf(node->GetType()).scrambledUnits, keys);
    if (WritesCharacterData(node))
        value = WrapInCharacterData(value);
    else
        value = Escape(value);
}

namespace {

const QString kHeader = QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-16\"?>\n"
                                       "<!-- Provana Configuration File -->\n"
                                       "\n"
                                       "<Settings>\n");
const QString kFooter = QStringLiteral("</Settings>\n");

// Where the elements' text goes: one string, or a file that takes the text
// in pieces so that a large configuration is never held twice.
class CTextOutput
{
public:
    CTextOutput(QString &target, const ScrambleKeySource &keySource)
        : text(target)
        , keys(keySource)
    {}
    virtual ~CTextOutput() = default;
    void ElementWritten()
    {
        ++elements;
        Flush();
    }

    QString &text;
    const ScrambleKeySource &keys;
    qsizetype elements = 0;

protected:
    virtual void Flush() {}
};

void WriteElementTo(const CSettingNode *node, CTextOutput &out, int depth)
{
    if (IsTemplateType(node->GetType()))
        return;
    QString &text = out.text;
    const QString &name = node->GetElementName();
    QString value = node->GetValue();
    EncodeValue(node, value, out.keys);
    // Escaped values hold no '<', so only character data starts a CDATA section.
    const bool lines =
        WritesCharacterData(node) ? value.contains(u'\n') : IndentContinuationLines(value, depth);
    const bool ownLines = lines || node->ChildCount() > 0;

    AppendIndent(text, depth);
    AppendStartTag(node, name, text);
    if (ownLines) {
        text += u'\n';
        if (!value.isEmpty()) {
            text += value;
            text += u'\n';
        }
        for (const CSettingNode *child : node->Children())
            WriteElementTo(child, out, depth + 1);
        AppendIndent(text, depth);
    } else {
        text += value;
    }
    text += u"</";
    text += name;
    text += u">\n";
    out.ElementWritten();
}

// The whole configuration; false when no element was written.
bool WriteConfigurationTo(const CSettingNode *root, CTextOutput &out)
{
    out.text += kHeader;
    for (const CSettingNode *child : root->Children())
        WriteElementTo(child, out, 1);
    if (out.elements == 0)
        return false;
    out.text += kFooter;
    return true;
}

// The file's UTF-16 little-endian code units for text, with CR LF line ends,
// in one pass over the text: runs without a line feed are copied eight units
// at a time where the processor allows.
void AppendFileUnits(QStringView text, QByteArray &bytes)
{
    if (text.contains(u'\r')) {
        QString normalized = text.toString();
        NormalizeLineFeeds(normalized);
        AppendFileUnits(normalized, bytes);
        return;
    }
    // At most two units for each one of the text, made room for a piece at a
    // time so that a long text is not given four bytes a unit at once.
    constexpr qsizetype kPiece = 1 << 14;
    for (qsizetype from = 0; from < text.size(); from += kPiece) {
        const QStringView piece = text.mid(from, kPiece);
        const qsizetype start = bytes.size();
        bytes.resize(start + 4 * piece.size());
        auto *const first = reinterpret_cast<unsigned char *>(bytes.data());
        unsigned char *write = first + start;
        const char16_t *read = piece.utf16();
        const char16_t *const end = read + piece.size();
        while (read < end) {
#if defined(__SSE2__)
            if constexpr (QSysInfo::ByteOrder == QSysInfo::LittleEndian) {
                if (end - read >= 8) {
                    const __m128i units = _mm_loadu_si128(reinterpret_cast<const __m128i *>(read));
                    if (_mm_movemask_epi8(_mm_cmpeq_epi16(units, _mm_set1_epi16('\n'))) == 0) {
                        _mm_storeu_si128(reinterpret_cast<__m128i *>(write), units);
                        read += 8;
                        write += 16;
                        continue;
                    }
                }
            }
#endif
            const char16_t unit = *read++;
            if (unit == u'\n') {
                *write++ = '\r';
                *write++ = 0;
            }
            *write++ = static_cast<unsigned char>(unit & 0xFF);
            *write++ = static_cast<unsigned char>(unit >> 8);
        }
        bytes.truncate(write - first);
    }
}

void AppendByteOrderMark(QByteArray &bytes)
{
    bytes.append("\xFF\xFE", 2);
}

// Turns pieces of text into the file's bytes and writes them on a thread of
// its own, so that making the text of a large configuration and writing it
// overlap. A piece's buffer goes back to be filled again, so that its memory
// is not asked for afresh each time.
class CPieceWriter
{
public:
    explicit CPieceWriter(CSafeFileWriter &file)
        : m_file(file)
    {
        AppendByteOrderMark(m_bytes);
    }
    ~CPieceWriter() { Finish(); }
    CPieceWriter(const CPieceWriter &) = delete;
    CPieceWriter &operator=(const CPieceWriter &) = delete;

    // Hands piece over and gives back an empty buffer to fill next.
    QString Put(QString piece)
    {
        if (!m_thread.joinable())
            m_thread = std::thread([this] { Run(); });
        m_waiting.Push({std::move(piece), false});
        return m_spare.TryPop().value_or(QString());
    }
    // Writes what is left, here when no thread was needed; false when a
    // write failed.
    bool Finish(QString last = {})
    {
        if (m_thread.joinable()) {
            m_waiting.Push({std::move(last), true});
            m_thread.join();
        } else if (!m_finished) {
            WritePiece(last);
        }
        m_finished = true;
        return m_writing;
    }

private:
    struct Piece
    {
        QString text;
        bool last;
    };
    static constexpr std::size_t kMaxWaiting = 4;

    void Run()
    {
        for (;;) {
            Piece piece = m_waiting.Pop();
            WritePiece(piece.text);
            if (piece.last)
                return;
            piece.text.truncate(0);
            // At most as many buffers as are on their way come back.
            m_spare.Push(std::move(piece.text));
        }
    }
    void WritePiece(const QString &piece)
    {
        // After a failed write the rest is not encoded: the save has failed.
        if (m_writing)
            AppendFileUnits(piece, m_bytes);
        m_writing = m_writing && m_file.Write(m_bytes.constData(), m_bytes.size());
        m_bytes.truncate(0);
    }

    CSafeFileWriter &m_file;
    QByteArray m_bytes;
    bool m_writing = true;
    bool m_finished = false;
    CHandOff<Piece> m_waiting{kMaxWaiting};
    CHandOff<QString> m_spare{kMaxWaiting + 2};
    std::thread m_thread;
};

// Hands the text to the file whenever it has grown past a piece's size.
class CFileOutput : public CTextOutput
{
public:
    CFileOutput(CSafeFileWriter &file, const ScrambleKeySource &keySource)
        : CTextOutput(m_buffer, keySource)
        , m_writer(file)
    {
        m_buffer.reserve(kPieceCapacity);
    }
    void Flush() override
    {
        if (m_buffer.size() >= kPieceSize) {
            m_buffer = m_writer.Put(std::move(m_buffer));
            m_buffer.reserve(kPieceCapacity);
        }
    }
    bool Finish() { return m_writer.Finish(std::move(m_buffer)); }
    void DropAll() { m_buffer.truncate(0); }

private:
    static constexpr qsizetype kPieceSize = 1 << 16;
    static constexpr qsizetype kPieceCapacity = kPieceSize + kPieceSize / 4;
    QString m_buffer;
    CPieceWriter m_writer;
};

// Hands the text on in pieces, with line feeds only. A piece ends after an
// element, so no CR LF pair is split between two pieces.
class CSinkOutput : public CTextOutput
{
public:
    CSinkOutput(const std::function<bool(QStringView)> &sink, const ScrambleKeySource &keySource)
        : CTextOutput(m_buffer, keySource)
        , m_sink(sink)
    {
        m_buffer.reserve(kPieceSize + kPieceSize / 4);
    }
    void Flush() override
    {
        if (m_buffer.size() >= kPieceSize)
            Drain();
    }
    void Drain()
    {
        NormalizeLineFeeds(m_buffer);
        m_accepted = m_accepted && (m_buffer.isEmpty() || m_sink(m_buffer));
        m_buffer.truncate(0);
    }
    bool Accepted() const { return m_accepted; }

private:
    static constexpr qsizetype kPieceSize = 1 << 16;
    const std::function<bool(QStringView)> &m_sink;
    QString m_buffer;
    bool m_accepted = true;
};

} // namespace

int WriteElement(const CSettingNode *node, QString &text, int depth, const ScrambleKeySource &keys)
{
    CTextOutput out(text, keys);
    WriteElementTo(node, out, depth);
    return 1;
}

int WriteConfiguration(const CSettingNode *root, QString &text, const ScrambleKeySource &keys)
{
    text.clear();
    CTextOutput out(text, keys);
    if (!WriteConfigurationTo(root, out)) {
        text.clear();
        return 0;
    }
    return 1;
}

QString ConfigurationTextForSending(const CSettingNode *root, const ScrambleKeySource &keys)
{
    QString text;
    WriteConfiguration(root, text, keys);
    NormalizeLineFeeds(text);
    return text;
}

bool StreamConfigurationForSending(const CSettingNode *root,
                                   const std::function<bool(QStringView piece)> &sink,
                                   const ScrambleKeySource &keys)
{
    CSinkOutput out(sink, keys);
    if (!WriteConfigurationTo(root, out))
        return false;
    out.Drain();
    return out.Accepted();
}

int CountMarkedSettings(const CSettingNode *node)
{
    if (IsTemplateType(node->GetType()))
        return 0;
    // The root is the document element, which carries no mark.
    int count = node->GetParent() && IsMarked(node) ? 1 : 0;
    for (const CSettingNode *child : node->Children())
        count += CountMarkedSettings(child);
    return count;
}

QByteArray EncodeConfigurationFile(const QString &text)
{
    QByteArray bytes;
    bytes.reserve(2 * (1 + text.size() + text.size() / 16));
    AppendByteOrderMark(bytes);
    AppendFileUnits(text, bytes);
    return bytes;
}

int SaveConfigurationFile(const CSettingNode *root, const QString &path,
                          const ScrambleKeySource &keys)
{
    CSafeFileWriter file(path);
    {
        CFileOutput out(file, keys);
        if (!WriteConfigurationTo(root, out))
            out.DropAll();
        out.Finish();
    }
    QString error;
    if (!file.Commit(error)) {
        root->SetLastError(error.left(1024));
        return 0;
    }
    return 1;
}
