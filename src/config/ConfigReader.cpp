#include "config/ConfigReader.h"

#include "config/ConfigLoader.h"
#include "config/ConfigText.h"
#include "settings/Labels.h"
#include "settings/SettingNode.h"
#include "settings/StringIds.h"

#include <QFile>
#include <QSysInfo>
#include <QtEndian>

#include <algorithm>
#include <cstring>

#include <vector>

namespace {

constexpr QStringView kCommentOpen = u"<!--";
constexpr QStringView kCommentClose = u"-->";
constexpr QStringView kInstructionOpen = u"<?";
constexpr QStringView kInstructionClose = u"?>";

// Plain loops: the distances between tags are short, so a library search's
// set-up costs more than it saves.
bool At(QStringView text, qsizetype position, QStringView what)
{
    return position >= 0 && position <= text.size() - what.size() &&
           std::equal(what.begin(), what.end(), text.begin() + position);
}

qsizetype Find(QStringView text, char16_t wanted, qsizetype from = 0)
{
    const char16_t *begin = text.utf16();
    const char16_t *end = begin + text.size();
    const char16_t *found = std::find(begin + std::min(from, text.size()), end, wanted);
    return found == end ? -1 : found - begin;
}

// Shrinks a text in place from front to back. Every step keeps or drops
// characters, so writing never overtakes reading and no copy of a large
// file's text is needed; kept stretches move once, when something before
// them was dropped.
class CCompactor
{
public:
    explicit CCompactor(QString &text)
        : m_text(text)
        , m_data(text.data())
        , m_size(text.size())
    {}
    ~CCompactor()
    {
        MoveKept();
        m_text.truncate(m_write);
    }

    QStringView Rest() const { return QStringView(m_data + m_read, m_size - m_read); }
    bool AtEnd() const { return m_read >= m_size; }
    qsizetype Position() const { return m_read; }
    void Keep(qsizetype count) { m_read += count; }
    void Drop(qsizetype count)
    {
        MoveKept();
        m_read += count;
        m_kept = m_read;
    }

private:
    void MoveKept()
    {
        const qsizetype count = m_read - m_kept;
        if (m_write != m_kept && count > 0)
            std::memmove(m_data + m_write, m_data + m_kept, count * sizeof(QChar));
        m_write += count;
        m_kept = m_read;
    }

    QString &m_text;
    QChar *m_data;
    qsizetype m_size;
    qsizetype m_read = 0;
    qsizetype m_kept = 0;
    qsizetype m_write = 0;
};

// Finds a rare character again and again while a scan moves forward, each
// stretch of the text searched once.
class CMarkFinder
{
public:
    CMarkFinder(QStringView text, QChar mark)
        : m_text(text)
        , m_mark(mark)
    {}
    qsizetype NextFrom(qsizetype from)
    {
        if (m_next >= 0 && m_next < from)
            m_next = m_text.indexOf(m_mark, from);
        return m_next;
    }

private:
    QStringView m_text;
    QChar m_mark;
    qsizetype m_next = 0;
};

void RemoveStretches(QString &text, QStringView open, QStringView close, int &removed)
{
    if (!text.contains(open))
        return;
    CCompactor compactor(text);
    const QStringView all = compactor.Rest();
    // Character data and the stretches both start with '<' and a rarer mark.
    CMarkFinder cdataMarks(all, kCDataOpen[1]);
    CMarkFinder openMarks(all, open[1]);
    while (!compactor.AtEnd()) {
        const qsizetype from = compactor.Position() + 1;
        const qsizetype cdata = cdataMarks.NextFrom(from);
        const qsizetype opening = open[1] == kCDataOpen[1] ? cdata : openMarks.NextFrom(from);
        const qsizetype mark = cdata < 0 ? opening : opening < 0 ? cdata : qMin(cdata, opening);
        if (mark < 0) {
            compactor.Keep(all.size() - compactor.Position());
            break;
        }
        compactor.Keep(mark - 1 - compactor.Position());
        const QStringView rest = compactor.Rest();
        if (At(rest, 0, kCDataOpen)) {
            const qsizetype end = rest.indexOf(kCDataClose, kCDataOpen.size());
            compactor.Keep(end < 0 ? rest.size() : end + kCDataClose.size());
        } else if (At(rest, 0, open)) {
            const qsizetype end = rest.indexOf(close, open.size());
            if (end < 0) {
                compactor.Keep(rest.size());
                break;
            }
            ++removed;
            compactor.Drop(end + close.size());
        } else {
            compactor.Keep(1);
        }
    }
}

bool IsBlank(QChar c)
{
    return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r';
}

// The position of the end tag that balances the element starting before
// position, counting nested start tags of the same name; -1 when none.
qsizetype FindBalancingEnd(QStringView text, qsizetype position, QStringView name)
{
    int open = 0;
    for (qsizetype at = Find(text, u'<', position); at >= 0; at = Find(text, u'<', at + 1)) {
        const bool closing = at + 1 < text.size() && text[at + 1] == u'/';
        const qsizetype nameStart = at + (closing ? 2 : 1);
        if (!At(text, nameStart, name))
            continue;
        const qsizetype after = nameStart + name.size();
        if (after >= text.size())
            return -1;
        const QChar next = text[after];
        if (closing && next == u'>') {
            if (open == 0)
                return at;
            --open;
        } else if (!closing && (next == u'>' || next == u' ')) {
            ++open;
        }
    }
    return -1;
}

class CScanner
{
public:
    CScanner(QStringView text, IElementHandler &handler)
        : m_text(text)
        , m_handler(handler)
    {}

    // False when the text ends before its root element does: inside a tag,
    // an element or character data, or before any element.
    bool Run()
    {
        qsizetype position = 0;
        while (position >= 0 && position < m_text.size())
            position = Step(position);
        return !m_endedEarly && m_open.empty() && m_elements > 0;
    }

private:
    // Handles the next tag; returns where scanning goes on, -1 to stop.
    qsizetype Step(qsizetype position)
    {
        const qsizetype open = Find(m_text, u'<', position);
        const qsizetype close = open < 0 ? -1 : Find(m_text, u'>', open);
        if (close < 0)
            return EndsEarly(open >= 0);
        QStringView tag = m_text.mid(open + 1, close - open - 1);
        if (tag.startsWith(u'/'))
            return EndElement(close + 1);
        if (tag.startsWith(u'!')) // stray character data or declarations: skipped
            return SkipDeclaration(open, close);
        const bool empty = tag.endsWith(u'/');
        if (empty)
            tag.chop(1);
        const qsizetype space = Find(tag, u' ');
        const QStringView name = space < 0 ? tag : tag.left(space);
        const QStringView attributes = space < 0 ? QStringView() : tag.mid(space + 1);
        if (name.isEmpty())
            return close + 1;
        ++m_elements;
        if (empty) {
            m_handler.OnLeafElement(name, QStringView(), attributes);
            return close + 1;
        }
        return Element(name, attributes, close + 1);
    }

    qsizetype Element(QStringView name, QStringView attributes, qsizetype contentStart)
    {
        const qsizetype next = Find(m_text, u'<', contentStart);
        if (next < 0)
            return EndsEarly(true);
        if (IsEndTag(next, name)) {
            m_handler.OnLeafElement(name, m_text.mid(contentStart, next - contentStart),
                                    attributes);
            return next + name.size() + 3;
        }
        if (StartsWithCharacterData(contentStart)) {
            const qsizetype end = FindBalancingEnd(m_text, contentStart, name);
            if (end < 0)
                return EndsEarly(true);
            m_handler.OnLeafElement(name, m_text.mid(contentStart, end - contentStart), attributes);
            return end + name.size() + 3;
        }
        if (static_cast<int>(m_open.size()) >= kMaxElementDepth)
            return -1;
        m_handler.OnStartElement(name, attributes);
        m_open.push_back(name);
        return contentStart;
    }

    qsizetype EndElement(qsizetype after)
    {
        if (!m_open.empty()) {
            m_handler.OnEndElement(m_open.back());
            m_open.pop_back();
        }
        return after;
    }

    qsizetype SkipDeclaration(qsizetype open, qsizetype close)
    {
        if (At(m_text, open, kCDataOpen)) {
            const qsizetype end = m_text.indexOf(kCDataClose, open + kCDataOpen.size());
            return end < 0 ? EndsEarly(true) : end + kCDataClose.size();
        }
        return close + 1;
    }

    qsizetype EndsEarly(bool early)
    {
        m_endedEarly = m_endedEarly || early;
        return -1;
    }

    bool IsEndTag(qsizetype at, QStringView name) const
    {
        return At(m_text, at, u"</") && At(m_text, at + 2, name) &&
               At(m_text, at + 2 + name.size(), u">");
    }

    bool StartsWithCharacterData(qsizetype position) const
    {
        while (position < m_text.size() && IsBlank(m_text[position]))
            ++position;
        return At(m_text, position, kCDataOpen);
    }

    QStringView m_text;
    IElementHandler &m_handler;
    std::vector<QStringView> m_open;
    int m_elements = 0;
    bool m_endedEarly = false;
};

void PrepareConfigurationTextInPlace(QString &text, int &processingInstructions)
{
    int comments = 0;
    processingInstructions = 0;
    NormalizeLineFeeds(text);
    RemoveStretches(text, kCommentOpen, kCommentClose, comments);
    RemoveStretches(text, kInstructionOpen, kInstructionClose, processingInstructions);
}

} // namespace

QString PrepareConfigurationText(QStringView text, int &processingInstructions)
{
    QString prepared = text.toString();
    PrepareConfigurationTextInPlace(prepared, processingInstructions);
    return prepared;
}

bool ScanElements(QStringView prepared, IElementHandler &handler)
{
    return CScanner(prepared, handler).Run();
}

int ParseConfigurationText(CSettingNode *root, QString text, bool *complete)
{
    int instructions = 0;
    PrepareConfigurationTextInPlace(text, instructions);
    if (instructions == 0)
        return 0;
    if (!text.isEmpty())
        text.chop(1);
    CConfigurationLoader loader(root);
    const bool whole = ScanElements(text, loader);
    loader.Finish();
    if (complete)
        *complete = whole;
    return 1;
}

namespace {

// Turns text, which holds byteCount raw bytes of a file, into the file's
// UTF-16 text in place: a trailing odd byte is ignored and a leading byte
// order mark dropped (erasing at the front only moves the start).
void BytesToText(QString &text, qsizetype byteCount)
{
    text.truncate(byteCount / 2);
    if constexpr (QSysInfo::ByteOrder == QSysInfo::BigEndian)
        qFromLittleEndian<char16_t>(text.data(), text.size(), text.data());
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
}

// Reads a regular file straight into the string that holds its text, with
// room for the line feed that may still be appended.
bool ReadFileText(QFile &file, QString &text)
{
    const qint64 size = file.isSequential() ? 0 : file.size();
    if (size <= 0) {
        text = DecodeConfigurationBytes(file.readAll());
        return file.error() == QFileDevice::NoError;
    }
    text.reserve(size / 2 + 2);
    text.resize((size + 1) / 2);
    char *data = reinterpret_cast<char *>(text.data());
    qint64 done = 0;
    while (done < size) {
        const qint64 read = file.read(data + done, size - done);
        if (read < 0)
            return false;
        if (read == 0)
            break;
        done += read;
    }
    BytesToText(text, done);
    return true;
}

} // namespace

QString DecodeConfigurationBytes(const QByteArray &bytes)
{
    QString text((bytes.size() + 1) / 2, Qt::Uninitialized);
    if (!bytes.isEmpty())
        std::memcpy(text.data(), bytes.constData(), static_cast<size_t>(bytes.size()));
    BytesToText(text, bytes.size());
    return text;
}

int LoadConfigurationFile(CSettingNode *root, const QString &path, int &parseFailed)
{
    parseFailed = 0;
    QFile file(path);
    QString text;
    if (!file.open(QIODevice::ReadOnly) || !ReadFileText(file, text)) {
        root->SetLastError(file.errorString().left(1024));
        return 0;
    }
    // Every line, the last one too, is read with its line feed.
    if (!text.isEmpty() && !text.endsWith(u'\n'))
        text += u'\n';
    const qsizetype lines = text.count(u'\n');
    bool complete = false;
    if (!ParseConfigurationText(root, std::move(text), &complete)) {
        parseFailed = kNotConfiguration;
        return 0;
    }
    if (!complete) {
        parseFailed = kEndsEarly;
        root->SetLastError(FormatLabel(root->GetApplication(), StringId::MsgFileEndsEarly,
                                       {static_cast<long long>(lines)}));
        return 0;
    }
    return 1;
}
