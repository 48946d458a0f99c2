#include "config/ConfigReader.h"

#include "config/ConfigLoader.h"
#include "config/ConfigText.h"
#include "config/HandOff.h"
#include "settings/Labels.h"
#include "settings/SettingNode.h"
#include "settings/StringIds.h"

#include <QFile>
#include <QIODevice>
#include <QSysInfo>
#include <QtEndian>

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <cstring>
#include <optional>
#include <thread>
#include <utility>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

constexpr QStringView kCommentOpen = u"<!--";
constexpr QStringView kCommentClose = u"-->";
constexpr QStringView kInstructionOpen = u"<?";
constexpr QStringView kInstructionClose = u"?>";

bool At(QStringView text, qsizetype position, QStringView what)
{
    return position >= 0 && position <= text.size() - what.size() &&
           std::equal(what.begin(), what.end(), text.begin() + position);
}

// Searches that count the units they go through, the measure of a reading's
// work.
class CSearches
{
public:
    // A plain loop: the distances between tags are short, so a library
    // search's set-up costs more than it saves.
    qsizetype Find(QStringView text, char16_t wanted, qsizetype from = 0)
    {
        const char16_t *begin = text.utf16();
        const char16_t *end = begin + text.size();
        const char16_t *start = begin + std::min(from, text.size());
        const char16_t *found = std::find(start, end, wanted);
        m_units += (found == end ? end : found + 1) - start;
        return found == end ? -1 : found - begin;
    }
    // For a character that is rare, often far away.
    qsizetype FindRare(QStringView text, QChar wanted, qsizetype from = 0)
    {
        const qsizetype found = text.indexOf(wanted, from);
        Count(text, from, found, 1);
        return found;
    }
    qsizetype FindText(QStringView text, QStringView marker, qsizetype from)
    {
        const qsizetype found = text.indexOf(marker, from);
        Count(text, from, found, marker.size());
        return found;
    }
    qsizetype FindLast(QStringView text, QChar wanted)
    {
        const qsizetype found = text.lastIndexOf(wanted);
        m_units += text.size() - std::max<qsizetype>(found, 0);
        return found;
    }
    qsizetype Units() const { return m_units; }

private:
    void Count(QStringView text, qsizetype from, qsizetype found, qsizetype length)
    {
        from = std::clamp<qsizetype>(from, 0, text.size());
        m_units += (found < 0 ? text.size() : found + length) - from;
    }

    qsizetype m_units = 0;
};

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

    // Starts after a part that an earlier call already went through.
    CCompactor(QString &text, qsizetype from)
        : CCompactor(text)
    {
        m_read = m_kept = m_write = from;
    }

    QStringView Rest() const { return QStringView(m_data + m_read, m_size - m_read); }
    // How much of the text is kept for good so far.
    qsizetype Written()
    {
        MoveKept();
        return m_write;
    }
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
    CMarkFinder(QStringView text, QChar mark, CSearches &searches)
        : m_text(text)
        , m_mark(mark)
        , m_searches(searches)
    {}
    qsizetype NextFrom(qsizetype from)
    {
        if (m_next >= 0 && m_next < from)
            m_next = m_searches.FindRare(m_text, m_mark, from);
        return m_next;
    }

private:
    QStringView m_text;
    QChar m_mark;
    CSearches &m_searches;
    qsizetype m_next = 0;
};

// Removes the stretches from open to close outside character data. Unless
// final, more text may follow: a stretch or character data that does not end
// within text is left for the next call, which starts at the answer. from
// skips what an earlier call went through; when resume is not negative, the
// text at from is what that call left, and its end is looked for from resume
// (counted from from) on, the text before having been searched already.
qsizetype RemoveStretches(QString &text, QStringView open, QStringView close, int &removed,
                          CSearches &searches, bool final = true, qsizetype from = 0,
                          qsizetype resume = -1)
{
    const QStringView unseen = QStringView(text).sliced(from);
    // A search for one character is much quicker than one for a marker.
    if (resume < 0 && searches.FindRare(unseen, open[1]) < 0 &&
        searches.FindRare(unseen, kCDataOpen[1]) < 0)
        return text.size();
    qsizetype unfinished = -1;
    {
        CCompactor compactor(text, from);
        const QStringView all(text.constData(), text.size());
        // Takes the character data or stretch at the compactor, or one unit
        // of anything else; false when it ends the call.
        const auto take = [&](qsizetype endFrom) {
            const QStringView rest = compactor.Rest();
            if (At(rest, 0, kCDataOpen)) {
                const qsizetype end =
                    searches.FindText(rest, kCDataClose, std::max(kCDataOpen.size(), endFrom));
                if (end < 0 && !final) {
                    unfinished = compactor.Written();
                    compactor.Keep(rest.size());
                    return false;
                }
                compactor.Keep(end < 0 ? rest.size() : end + kCDataClose.size());
            } else if (At(rest, 0, open)) {
                const qsizetype end =
                    searches.FindText(rest, close, std::max(open.size(), endFrom));
                if (end < 0) {
                    if (!final)
                        unfinished = compactor.Written();
                    compactor.Keep(rest.size());
                    return false;
                }
                ++removed;
                compactor.Drop(end + close.size());
            } else {
                compactor.Keep(1);
            }
            return true;
        };
        // What waits goes first, so that no mark is looked for beyond it.
        bool going = resume < 0 || take(resume);
        // Character data and the stretches both start with '<' and a rarer mark.
        CMarkFinder cdataMarks(all, kCDataOpen[1], searches);
        CMarkFinder openMarks(all, open[1], searches);
        while (going && !compactor.AtEnd()) {
            const qsizetype next = compactor.Position() + 1;
            const qsizetype cdata = cdataMarks.NextFrom(next);
            const qsizetype opening = open[1] == kCDataOpen[1] ? cdata : openMarks.NextFrom(next);
            const qsizetype mark = cdata < 0 ? opening : opening < 0 ? cdata : qMin(cdata, opening);
            if (mark < 0) {
                compactor.Keep(all.size() - compactor.Position());
                break;
            }
            compactor.Keep(mark - 1 - compactor.Position());
            going = take(0);
        }
    }
    return unfinished < 0 ? text.size() : unfinished;
}

bool IsBlank(QChar c)
{
    return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r';
}

// The position of the end tag that balances the element whose content is
// searched from from on, counting nested start tags of the same name in open;
// -1 when the text ends first. Then from and open tell where the search of a
// longer text goes on: at the first '<' too near the end to tell what it
// starts, or at the end.
qsizetype FindBalancingEnd(CSearches &searches, QStringView text, qsizetype &from, int &open,
                           QStringView name)
{
    const qsizetype undecided = text.size() - name.size() - 2;
    qsizetype resume = text.size();
    int openAtResume = open;
    for (qsizetype at = searches.Find(text, u'<', from); at >= 0;
         at = searches.Find(text, u'<', at + 1)) {
        if (at >= undecided && resume == text.size()) {
            resume = at;
            openAtResume = open;
        }
        const bool closing = at + 1 < text.size() && text[at + 1] == u'/';
        const qsizetype nameStart = at + (closing ? 2 : 1);
        if (!At(text, nameStart, name))
            continue;
        const qsizetype after = nameStart + name.size();
        if (after >= text.size())
            break;
        const QChar next = text[after];
        if (closing && next == u'>') {
            if (open == 0)
                return at;
            --open;
        } else if (!closing && (next == u'>' || next == u' ')) {
            ++open;
        }
    }
    from = resume;
    if (resume < text.size())
        open = openAtResume;
    return -1;
}

// Where a scan of a text that more text follows waits for it.
constexpr qsizetype kWaitForMore = -2;

class CScanner
{
public:
    CScanner(IElementHandler &handler, CSearches &searches)
        : m_handler(handler)
        , m_searches(searches)
    {}

    // Scans text from position on. Unless final, more text follows: what
    // needs text beyond it is left, and the answer is where the next part of
    // the text (from there on) is to be scanned from; -1 once the scan has
    // stopped for good.
    qsizetype Scan(QStringView text, qsizetype position, bool final)
    {
        m_text = text;
        m_final = final;
        while (position >= 0 && position < m_text.size()) {
            const qsizetype next = Step(position);
            if (next == kWaitForMore)
                return m_tagAt;
            position = next;
        }
        return position < 0 ? -1 : position;
    }

    // False when the text ends before its root element does: inside a tag,
    // an element or character data, or before any element.
    bool Complete() const { return !m_endedEarly && m_openStarts.empty() && m_elements > 0; }

private:
    // What a step that waits for more text found, so that its next try
    // searches only text it has not seen; positions count from the '<' it
    // waits at, where the next scan starts.
    struct CProgress
    {
        qsizetype close = -1;   // the '>' of its tag
        qsizetype content = -1; // the first '<' of its element's content
        qsizetype searched = 0; // where the search that ran out goes on
        int nested = 0;         // start tags of the same name that search went past
    };

    // Handles the next tag; returns where scanning goes on, -1 to stop.
    qsizetype Step(qsizetype position)
    {
        const qsizetype open = m_searches.Find(m_text, u'<', position);
        if (open < 0) // the text between tags is skipped: none of it is kept
            return m_final ? -1 : m_text.size();
        m_tagAt = open;
        CProgress was = std::exchange(m_progress, CProgress());
        qsizetype close = open + was.close;
        if (was.close < 0) {
            close = m_searches.Find(m_text, u'>', open + was.searched);
            if (close < 0)
                return Wait({.searched = m_text.size() - open});
            was.searched = 0;
        }
        QStringView tag = m_text.mid(open + 1, close - open - 1);
        if (tag.startsWith(u'/'))
            return EndElement(close + 1);
        if (tag.startsWith(u'!')) // stray character data or declarations: skipped
            return SkipDeclaration(open, close);
        const bool empty = tag.endsWith(u'/');
        if (empty)
            tag.chop(1);
        const qsizetype space = m_searches.Find(tag, u' ');
        const QStringView name = space < 0 ? tag : tag.left(space);
        const QStringView attributes = space < 0 ? QStringView() : tag.mid(space + 1);
        if (name.isEmpty())
            return close + 1;
        if (empty) {
            ++m_elements;
            m_handler.OnLeafElement(name, QStringView(), attributes);
            return close + 1;
        }
        return Element(name, attributes, close + 1, was);
    }

    qsizetype Element(QStringView name, QStringView attributes, qsizetype contentStart,
                      const CProgress &was)
    {
        const qsizetype open = m_tagAt;
        qsizetype next = open + was.content;
        if (was.content < 0) {
            next = m_searches.Find(m_text, u'<', std::max(contentStart, open + was.searched));
            if (next < 0)
                return Wait({.close = contentStart - 1 - open, .searched = m_text.size() - open});
            // Whether the '<' ends the element or starts its character data
            // is told only by the text after it, which may not be here yet.
            if (!m_final && next + std::max(name.size() + 3, kCDataOpen.size()) > m_text.size())
                return Wait({.close = contentStart - 1 - open, .searched = next - open});
        }
        if (IsEndTag(next, name)) {
            ++m_elements;
            m_handler.OnLeafElement(name, m_text.mid(contentStart, next - contentStart),
                                    attributes);
            return next + name.size() + 3;
        }
        if (was.content >= 0 || StartsWithCharacterData(contentStart)) {
            qsizetype from = was.content >= 0 ? open + was.searched : contentStart;
            int nested = was.nested;
            const qsizetype end = FindBalancingEnd(m_searches, m_text, from, nested, name);
            if (end < 0)
                return Wait({contentStart - 1 - open, next - open, from - open, nested});
            ++m_elements;
            m_handler.OnLeafElement(name, m_text.mid(contentStart, end - contentStart), attributes);
            return end + name.size() + 3;
        }
        ++m_elements;
        if (static_cast<int>(m_openStarts.size()) >= kMaxElementDepth)
            return -1;
        m_handler.OnStartElement(name, attributes);
        m_openStarts.push_back(m_openNames.size());
        m_openNames += name;
        return contentStart;
    }

    qsizetype EndElement(qsizetype after)
    {
        if (!m_openStarts.empty()) {
            const qsizetype start = m_openStarts.back();
            m_handler.OnEndElement(QStringView(m_openNames).sliced(start));
            m_openNames.truncate(start);
            m_openStarts.pop_back();
        }
        return after;
    }

    // Character data comes here whole unless the text ends: the preparation
    // keeps it back until its end has come.
    qsizetype SkipDeclaration(qsizetype open, qsizetype close)
    {
        if (At(m_text, open, kCDataOpen)) {
            const qsizetype end =
                m_searches.FindText(m_text, kCDataClose, open + kCDataOpen.size());
            return end < 0 ? Wait({}) : end + kCDataClose.size();
        }
        return close + 1;
    }

    // A step that needs text beyond the end: it ends early when the text ends
    // here, and otherwise waits with what it found.
    qsizetype Wait(const CProgress &progress)
    {
        if (m_final) {
            m_endedEarly = true;
            return -1;
        }
        m_progress = progress;
        return kWaitForMore;
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
    bool m_final = true;
    IElementHandler &m_handler;
    CSearches &m_searches;
    // The '<' of the tag the step is at, where it waits when it must.
    qsizetype m_tagAt = 0;
    CProgress m_progress;
    // The names of the open elements one after the other, kept apart from
    // the text, which may be gone when their end tags come.
    QString m_openNames;
    std::vector<qsizetype> m_openStarts;
    int m_elements = 0;
    bool m_endedEarly = false;
};

void PrepareConfigurationTextInPlace(QString &text, int &processingInstructions)
{
    int comments = 0;
    processingInstructions = 0;
    NormalizeLineFeeds(text);
    CSearches searches;
    RemoveStretches(text, kCommentOpen, kCommentClose, comments, searches);
    RemoveStretches(text, kInstructionOpen, kInstructionClose, processingInstructions, searches);
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
    CSearches searches;
    CScanner scanner(handler, searches);
    scanner.Scan(prepared, 0, true);
    return scanner.Complete();
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

// Moves what follows the first count units to the front, keeping the
// allocation for the next block.
void DropFront(QString &text, qsizetype count)
{
    if (count <= 0)
        return;
    const qsizetype rest = text.size() - count;
    if (rest > 0)
        std::memmove(text.data(), text.constData() + count, static_cast<size_t>(rest) * 2);
    text.truncate(rest);
}

// Where the line holding position end starts, in a text that holds no line
// feed before from: after the last line feed from there to end, else 0.
qsizetype LineStart(CSearches &searches, QStringView text, qsizetype from, qsizetype end)
{
    const qsizetype feed = searches.FindLast(text.sliced(from, end - from), u'\n');
    return feed < 0 ? 0 : from + feed + 1;
}

// Appends text to out with each CR LF and lone CR as LF, and answers how
// many line feeds text held. Runs of units without a CR are copied eight at
// a time where the processor allows.
qsizetype AppendWithLineFeeds(QStringView text, QString &out)
{
    const qsizetype start = out.size();
    out.resize(start + text.size());
    char16_t *const first = reinterpret_cast<char16_t *>(out.data());
    char16_t *write = first + start;
    const char16_t *read = text.utf16();
    const char16_t *const end = read + text.size();
    qsizetype lineFeeds = 0;
#if defined(__SSE2__)
    // Line feeds counted in eight lanes, added up before a lane can overflow.
    __m128i feeds = _mm_setzero_si128();
    int rounds = 0;
    const auto addUpFeeds = [&feeds, &rounds, &lineFeeds]() {
        alignas(16) std::uint16_t lanes[8];
        _mm_store_si128(reinterpret_cast<__m128i *>(lanes), feeds);
        for (const std::uint16_t lane : lanes)
            lineFeeds += lane;
        feeds = _mm_setzero_si128();
        rounds = 0;
    };
#endif
    while (read < end) {
#if defined(__SSE2__)
        if (end - read >= 8) {
            const __m128i units = _mm_loadu_si128(reinterpret_cast<const __m128i *>(read));
            if (_mm_movemask_epi8(_mm_cmpeq_epi16(units, _mm_set1_epi16('\r'))) == 0) {
                feeds = _mm_sub_epi16(feeds, _mm_cmpeq_epi16(units, _mm_set1_epi16('\n')));
                if (++rounds == 0xFFFF)
                    addUpFeeds();
                _mm_storeu_si128(reinterpret_cast<__m128i *>(write), units);
                read += 8;
                write += 8;
                continue;
            }
        }
#endif
        const char16_t unit = *read++;
        if (unit == u'\r') {
            *write++ = u'\n';
            if (read < end && *read == u'\n') {
                ++read;
                ++lineFeeds;
            }
        } else {
            lineFeeds += unit == u'\n' ? 1 : 0;
            *write++ = unit;
        }
    }
#if defined(__SSE2__)
    addUpFeeds();
#endif
    out.truncate(write - first);
    return lineFeeds;
}

// A step of the preparation that removes stretches, for text that arrives in
// parts: it hands on whole lines only, and remembers how far it went through
// the part it kept.
class CStretchRemoval
{
public:
    CStretchRemoval(QStringView open, QStringView close, CSearches &searches)
        : m_open(open)
        , m_close(close)
        , m_searches(searches)
    {}

    // Takes the lines in text, and hands what is prepared to out.
    void Take(QString &text, QString &out, bool final)
    {
        // The buffers change hands rather than copy when nothing waits.
        if (m_text.isEmpty())
            m_text.swap(text);
        else
            m_text += text;
        text.truncate(0);
        const qsizetype done = RemoveStretches(m_text, m_open, m_close, m_removed, m_searches,
                                               final, m_done, m_resume);
        const qsizetype handed =
            final ? m_text.size() : LineStart(m_searches, m_text, m_done, done);
        // What waits was searched for its end up to the end of the text: the
        // next call goes on there, less a marker's length but one so that an
        // end that begins here is found.
        const qsizetype longestEnd = std::max(m_close.size(), kCDataClose.size());
        m_resume = done < m_text.size() ? m_text.size() - done - (longestEnd - 1) : -1;
        out += QStringView(m_text).first(handed);
        DropFront(m_text, handed);
        m_done = done - handed;
    }
    int Removed() const { return m_removed; }

private:
    QStringView m_open;
    QStringView m_close;
    CSearches &m_searches;
    QString m_text;
    qsizetype m_done = 0;
    qsizetype m_resume = -1;
    int m_removed = 0;
};

} // namespace

namespace {

// What the preparation hands to the scanner after a block: whole lines with
// line feeds only, without comments and instructions.
struct PreparedPart
{
    QString text;
    bool final = false;
    bool readFailed = false;
    int instructions = 0; // removed so far
    qsizetype lines = 0;  // read so far
};

// The steps before the scanner, one block at a time: reading, the line ends,
// then comments and instructions removed.
class CPreparation
{
public:
    CPreparation(QIODevice &device, qsizetype blockUnits)
        : m_device(device)
        , m_blockUnits(blockUnits)
        , m_comments(kCommentOpen, kCommentClose, m_searches)
        , m_instructions(kInstructionOpen, kInstructionClose, m_searches)
    {
        m_raw.reserve(blockUnits + 1);
    }

    // The next block prepared; once the scanner has stopped, only its lines
    // are counted.
    PreparedPart Next(bool scannerStopped)
    {
        PreparedPart part;
        if (!ReadBlock(part))
            return part;
        // What was kept from the block before holds no line feed: only the
        // new units are searched, so that a file without any stays linear.
        const qsizetype feed = m_searches.FindLast(QStringView(m_raw).sliced(m_kept), u'\n');
        const qsizetype whole = part.final ? m_raw.size() : feed < 0 ? 0 : m_kept + feed + 1;
        m_lineCount += AppendWithLineFeeds(QStringView(m_raw).first(whole), m_lines);
        DropFront(m_raw, whole);
        part.lines = m_lineCount;
        if (scannerStopped) {
            m_lines.truncate(0);
        } else {
            m_comments.Take(m_lines, m_uncommented, part.final);
            m_instructions.Take(m_uncommented, part.text, part.final);
        }
        part.instructions = m_instructions.Removed();
        return part;
    }
    qsizetype Searched() const { return m_searches.Units(); }

private:
    // Appends the next block's units to m_raw; false when the device failed.
    bool ReadBlock(PreparedPart &part)
    {
        m_kept = m_raw.size();
        m_raw.resize(m_kept + m_blockUnits);
        char *const data = reinterpret_cast<char *>(m_raw.data() + m_kept);
        qint64 got = 0;
        while (got < 2 * m_blockUnits && !part.final) {
            const qint64 read = m_device.read(data + got, 2 * m_blockUnits - got);
            if (read < 0) {
                part.readFailed = true;
                return false;
            }
            part.final = read == 0;
            got += read;
        }
        // An odd byte can only be the last one, and is ignored.
        m_raw.truncate(m_kept + got / 2);
        if constexpr (QSysInfo::ByteOrder == QSysInfo::BigEndian)
            qFromLittleEndian<char16_t>(m_raw.data() + m_kept, m_raw.size() - m_kept,
                                        m_raw.data() + m_kept);
        if (m_first && !m_raw.isEmpty()) {
            m_first = false;
            if (m_raw.startsWith(QChar(0xFEFF)))
                DropFront(m_raw, 1);
            m_kept = std::min(m_kept, m_raw.size());
        }
        // Every line, the last one too, is read with its line feed.
        if (part.final && !m_raw.isEmpty() && !m_raw.endsWith(u'\n'))
            m_raw += u'\n';
        return true;
    }

    QIODevice &m_device;
    const qsizetype m_blockUnits;
    CSearches m_searches;
    // Each step's input: read units no line feed has ended yet, then lines
    // with line feeds only, then lines without comments.
    QString m_raw;
    QString m_lines;
    QString m_uncommented;
    CStretchRemoval m_comments;
    CStretchRemoval m_instructions;
    qsizetype m_kept = 0;
    qsizetype m_lineCount = 0;
    bool m_first = true;
};

} // namespace

ConfigurationScan ScanConfigurationDevice(QIODevice &device,
                                          const std::function<IElementHandler &()> &start,
                                          qsizetype blockBytes, bool prepareAhead)
{
    ConfigurationScan result;
    CPreparation preparation(device, std::max<qsizetype>(1, blockBytes / 2));
    CSearches scannerSearches;
    std::optional<CScanner> scanner;
    QString scanning;
    std::atomic<bool> stopped = false;
    // Takes one prepared part; false after the last one.
    const auto scan = [&](PreparedPart part) {
        if (part.readFailed) {
            result.read = false;
            return false;
        }
        result.lines = part.lines;
        if (stopped)
            return !part.final;
        if (scanning.isEmpty())
            scanning.swap(part.text);
        else
            scanning += part.text;
        result.instructions = part.instructions;
        // Text without a processing instruction is no configuration: its
        // elements are not applied.
        if (result.instructions == 0)
            return !part.final;
        if (!scanner)
            scanner.emplace(start(), scannerSearches);
        QStringView view = scanning;
        if (part.final && !view.isEmpty())
            view.chop(1);
        const qsizetype next = scanner->Scan(view, 0, part.final);
        stopped = next < 0;
        DropFront(scanning, stopped ? scanning.size() : next);
        return !part.final;
    };
    if (prepareAhead) {
        // A few parts at most wait, so that the two threads work on
        // neighbouring blocks.
        CHandOff<PreparedPart> parts(3);
        std::thread preparing([&] {
            for (bool more = true; more;) {
                PreparedPart part = preparation.Next(stopped);
                more = !part.final && !part.readFailed;
                parts.Push(std::move(part));
            }
        });
        while (scan(parts.Pop())) {
        }
        // After a failed read the preparation has ended too.
        preparing.join();
    } else {
        while (scan(preparation.Next(stopped))) {
        }
    }
    if (!result.read)
        return result;
    result.complete = scanner && scanner->Complete();
    result.searched = preparation.Searched() + scannerSearches.Units();
    return result;
}

QString DecodeConfigurationBytes(const QByteArray &bytes)
{
    QString text((bytes.size() + 1) / 2, Qt::Uninitialized);
    if (!bytes.isEmpty())
        std::memcpy(text.data(), bytes.constData(), static_cast<size_t>(bytes.size()));
    BytesToText(text, bytes.size());
    return text;
}

int LoadConfigurationFile(CSettingNode *root, const QString &path, int &parseFailed,
                          qsizetype blockBytes)
{
    parseFailed = 0;
    QFile file(path);
    std::optional<CConfigurationLoader> loader;
    ConfigurationScan scan;
    if (file.open(QIODevice::ReadOnly)) {
        // A large file is prepared a block ahead on a second thread, when
        // its blocks are large enough to be worth handing over.
        const bool ahead =
            blockBytes >= kConfigurationBlockBytes / 16 && file.size() >= 4 * blockBytes;
        scan = ScanConfigurationDevice(
            file, [&]() -> IElementHandler & { return loader.emplace(root); }, blockBytes, ahead);
    }
    if (!file.isOpen() || !scan.read) {
        root->SetLastError(file.errorString().left(1024));
        return 0;
    }
    if (scan.instructions == 0) {
        parseFailed = kNotConfiguration;
        return 0;
    }
    loader->Finish();
    if (!scan.complete) {
        parseFailed = kEndsEarly;
        root->SetLastError(FormatLabel(root->GetApplication(), StringId::MsgFileEndsEarly,
                                       {static_cast<long long>(scan.lines)}));
        return 0;
    }
    return 1;
}
