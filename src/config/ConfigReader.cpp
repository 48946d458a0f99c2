#include "config/ConfigReader.h"

#include "config/ConfigLoader.h"
#include "settings/SettingNode.h"

#include <QFile>

#include <vector>

namespace {

constexpr QStringView kCDataOpen = u"<![CDATA[";
constexpr QStringView kCDataClose = u"]]>";
constexpr QStringView kCommentOpen = u"<!--";
constexpr QStringView kCommentClose = u"-->";
constexpr QStringView kInstructionOpen = u"<?";
constexpr QStringView kInstructionClose = u"?>";

bool At(QStringView text, qsizetype position, QStringView what)
{
    return text.mid(position).startsWith(what);
}

// Copies character data through unchanged; returns the position after it.
qsizetype CopyCharacterData(QStringView text, qsizetype position, QString &out)
{
    const qsizetype close = text.indexOf(kCDataClose, position + kCDataOpen.size());
    const qsizetype end = close < 0 ? text.size() : close + kCDataClose.size();
    out += text.mid(position, end - position);
    return end;
}

QString RemoveStretches(QStringView text, QStringView open, QStringView close, int &removed)
{
    if (!text.contains(open))
        return text.toString();
    QString out;
    out.reserve(text.size());
    qsizetype position = 0;
    while (position < text.size()) {
        const qsizetype next = text.indexOf(u'<', position);
        if (next < 0) {
            out += text.mid(position);
            break;
        }
        out += text.mid(position, next - position);
        if (At(text, next, kCDataOpen)) {
            position = CopyCharacterData(text, next, out);
        } else if (At(text, next, open)) {
            const qsizetype end = text.indexOf(close, next + open.size());
            if (end < 0) {
                out += text.mid(next);
                break;
            }
            ++removed;
            position = end + close.size();
        } else {
            out += u'<';
            position = next + 1;
        }
    }
    return out;
}

QString ToLineFeeds(QStringView text)
{
    if (!text.contains(u'\r'))
        return text.toString();
    QString out(text.size(), Qt::Uninitialized);
    QChar *to = out.data();
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == u'\r') {
            *to++ = u'\n';
            if (i + 1 < text.size() && text[i + 1] == u'\n')
                ++i;
        } else {
            *to++ = text[i];
        }
    }
    out.truncate(to - out.constData());
    return out;
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
    for (qsizetype at = text.indexOf(u'<', position); at >= 0; at = text.indexOf(u'<', at + 1)) {
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

    void Run()
    {
        qsizetype position = 0;
        while (position >= 0 && position < m_text.size())
            position = Step(position);
    }

private:
    // Handles the next tag; returns where scanning goes on, -1 to stop.
    qsizetype Step(qsizetype position)
    {
        const qsizetype open = m_text.indexOf(u'<', position);
        const qsizetype close = open < 0 ? -1 : m_text.indexOf(u'>', open);
        if (close < 0)
            return -1;
        QStringView tag = m_text.mid(open + 1, close - open - 1);
        if (tag.startsWith(u'/'))
            return EndElement(close + 1);
        if (tag.startsWith(u'!')) // stray character data or declarations: skipped
            return SkipDeclaration(open, close);
        const bool empty = tag.endsWith(u'/');
        if (empty)
            tag.chop(1);
        const qsizetype space = tag.indexOf(u' ');
        const QStringView name = space < 0 ? tag : tag.left(space);
        const QStringView attributes = space < 0 ? QStringView() : tag.mid(space + 1);
        if (name.isEmpty())
            return close + 1;
        if (empty) {
            m_handler.OnLeafElement(name, QStringView(), attributes);
            return close + 1;
        }
        return Element(name, attributes, close + 1);
    }

    qsizetype Element(QStringView name, QStringView attributes, qsizetype contentStart)
    {
        const qsizetype next = m_text.indexOf(u'<', contentStart);
        if (next < 0)
            return -1;
        if (IsEndTag(next, name)) {
            m_handler.OnLeafElement(name, m_text.mid(contentStart, next - contentStart),
                                    attributes);
            return next + name.size() + 3;
        }
        if (StartsWithCharacterData(contentStart)) {
            const qsizetype end = FindBalancingEnd(m_text, contentStart, name);
            if (end < 0)
                return -1;
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
            return end < 0 ? -1 : end + kCDataClose.size();
        }
        return close + 1;
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
};

} // namespace

QString PrepareConfigurationText(QStringView text, int &processingInstructions)
{
    int comments = 0;
    processingInstructions = 0;
    const QString lineFeeds = ToLineFeeds(text);
    const QString withoutComments =
        RemoveStretches(lineFeeds, kCommentOpen, kCommentClose, comments);
    return RemoveStretches(withoutComments, kInstructionOpen, kInstructionClose,
                           processingInstructions);
}

void ScanElements(QStringView prepared, IElementHandler &handler)
{
    CScanner(prepared, handler).Run();
}

int ParseConfigurationText(CSettingNode *root, const QString &text)
{
    int instructions = 0;
    QString prepared = PrepareConfigurationText(text, instructions);
    if (instructions == 0)
        return 0;
    if (!prepared.isEmpty())
        prepared.chop(1);
    CConfigurationLoader loader(root);
    ScanElements(prepared, loader);
    loader.Finish();
    return 1;
}

QString DecodeConfigurationBytes(const QByteArray &bytes)
{
    const auto *in = reinterpret_cast<const unsigned char *>(bytes.constData());
    const qsizetype units = bytes.size() / 2;
    const bool byteOrderMark = units > 0 && in[0] == 0xFF && in[1] == 0xFE;
    const qsizetype first = byteOrderMark ? 1 : 0;
    QString text(units - first, Qt::Uninitialized);
    QChar *out = text.data();
    for (qsizetype i = first; i < units; ++i)
        *out++ = QChar(static_cast<char16_t>(in[2 * i] | (in[2 * i + 1] << 8)));
    return text;
}

int LoadConfigurationFile(CSettingNode *root, const QString &path, int &parseFailed)
{
    parseFailed = 0;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        CSettingNode::SetLastError(file.errorString().left(1024));
        return 0;
    }
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        CSettingNode::SetLastError(file.errorString().left(1024));
        return 0;
    }
    QString text = DecodeConfigurationBytes(bytes);
    bytes = QByteArray();
    // Every line, the last one too, is read with its line feed.
    if (!text.isEmpty() && !text.endsWith(u'\n'))
        text += u'\n';
    if (!ParseConfigurationText(root, text)) {
        parseFailed = 1;
        return 0;
    }
    return 1;
}
