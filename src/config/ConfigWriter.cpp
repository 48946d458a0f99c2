#include "config/ConfigWriter.h"

#include "config/PasswordScrambler.h"
#include "config/SafeFileWriter.h"
#include "settings/NodeCatalogue.h"
#include "settings/NodeTypes.h"
#include "settings/SettingNode.h"

#include <QByteArray>

#include <algorithm>

namespace {

const QString kCDataOpen = QStringLiteral("<![CDATA[");
const QString kCDataClose = QStringLiteral("]]>");

bool WritesCharacterData(const CSettingNode *node)
{
    return NodeTypeInfoOf(node->GetType()).characterData ||
           (node->GetType() == NodeType::FreeElement && node->GetRawMarkup());
}

QString WrapInCharacterData(const QString &value)
{
    static const QString split = QStringLiteral("]]>\n<![CDATA[");
    QString out;
    out.reserve(value.size() + 12);
    out += kCDataOpen;
    qsizetype from = 0;
    for (qsizetype at = value.indexOf(kCDataClose); at >= 0;
         at = value.indexOf(kCDataClose, at + 1)) {
        out += QStringView(value).mid(from, at + 2 - from);
        out += split;
        from = at + 2;
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
    for (int i = 0; i < 2 * depth; ++i)
        text += u' ';
}

// Continuation lines are indented like the start tag; trailing white space
// goes.
void IndentContinuationLines(QString &value, int depth)
{
    if (value.contains(u'\n'))
        value.replace(QStringLiteral("\n"), u'\n' + QString(2 * depth, u' '));
    qsizetype end = value.size();
    while (end > 0 && value.at(end - 1).isSpace())
        --end;
    value.truncate(end);
}

void AppendStartTag(const CSettingNode *node, const QString &name, QString &text)
{
    text += u'<';
    text += name;
    if (node->IsIncluded())
        text += u" op=\"create\"";
    else if (node->GetUpdateFlag())
        text += u" op=\"update\"";
    const QString attributes = node->GetAttributeText().trimmed();
    if (!attributes.isEmpty()) {
        text += u' ';
        text += attributes;
    }
    text += u'>';
}

} // namespace

void EncodeValue(const CSettingNode *node, QString &value)
{
    if (node->GetEditorKind() == EditorKind::Password)
        value = ScramblePassword(value, NodeTypeInfoOf(node->GetType()).scrambledUnits);
    if (WritesCharacterData(node))
        value = WrapInCharacterData(value);
    else
        value = Escape(value);
}

int WriteElement(const CSettingNode *node, QString &text, int depth)
{
    if (IsTemplateType(node->GetType()))
        return 1;
    const QString name = node->GetLabel(false);
    QString value = node->GetValue();
    EncodeValue(node, value);
    if (!value.contains(kCDataOpen))
        IndentContinuationLines(value, depth);
    const bool ownLines = value.contains(u'\n') || node->ChildCount() > 0;

    AppendIndent(text, depth);
    AppendStartTag(node, name, text);
    if (ownLines) {
        text += u'\n';
        if (!value.isEmpty()) {
            text += value;
            text += u'\n';
        }
        for (const CSettingNode *child : node->Children())
            WriteElement(child, text, depth + 1);
        AppendIndent(text, depth);
    } else {
        text += value;
    }
    text += u"</";
    text += name;
    text += u">\n";
    return 1;
}

int WriteConfiguration(const CSettingNode *root, QString &text)
{
    static const QString header = QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-16\"?>\n"
                                                 "<!-- Provana Configuration File -->\n"
                                                 "\n"
                                                 "<Settings>\n");
    text = header;
    for (const CSettingNode *child : root->Children())
        WriteElement(child, text, 1);
    if (text.size() == header.size()) {
        text.clear();
        return 0;
    }
    text += u"</Settings>\n";
    return 1;
}

QString NormalizeLineFeeds(const QString &text)
{
    if (!text.contains(u'\r'))
        return text;
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == u'\r') {
            out += u'\n';
            if (i + 1 < text.size() && text.at(i + 1) == u'\n')
                ++i;
        } else {
            out += c;
        }
    }
    return out;
}

QString ConfigurationTextForSending(const CSettingNode *root)
{
    QString text;
    WriteConfiguration(root, text);
    return NormalizeLineFeeds(text);
}

QByteArray EncodeConfigurationFile(const QString &text)
{
    const QString normalized = NormalizeLineFeeds(text);
    const qsizetype units = 1 + normalized.size() + normalized.count(u'\n');
    QByteArray bytes(units * 2, Qt::Uninitialized);
    char *out = bytes.data();
    auto put = [&out](char16_t unit) {
        *out++ = static_cast<char>(unit & 0xFF);
        *out++ = static_cast<char>(unit >> 8);
    };
    put(u'\xFEFF');
    for (QChar c : normalized) {
        if (c == u'\n')
            put(u'\r');
        put(c.unicode());
    }
    return bytes;
}

int SaveConfigurationFile(const CSettingNode *root, const QString &path)
{
    QString text;
    WriteConfiguration(root, text);
    QString error;
    if (!WriteFileSafely(path, EncodeConfigurationFile(text), error)) {
        CSettingNode::SetLastError(error.left(1024));
        return 0;
    }
    return 1;
}
