#include "config/ConfigLoader.h"

#include "config/ConfigText.h"

#include "config/PasswordScrambler.h"
#include "settings/NodeCatalogue.h"
#include "settings/NodeTypes.h"
#include "settings/SettingNode.h"
#include "settings/TagTable.h"

#include <algorithm>

namespace {

using namespace NodeType;

// The type of the item or entry that name makes under parentType; -1 when
// it makes none.
int ItemElementType(int parentType, QStringView name)
{
    const int itemType = ItemTypeUnder(parentType);
    if (itemType < 0 || name != InvariantText(NodeTypeInfoOf(itemType).labelId))
        return -1;
    return itemType;
}

// The entry type of a file list whose entries are written as a single
// element with the file as its value; -1 for anything else.
int FileEntryType(int listType, QStringView name)
{
    const FileListRole *role = IsFileListType(listType) ? FileListRoleOf(listType) : nullptr;
    if (!role || role->localType)
        return -1;
    return name == InvariantText(NodeTypeInfoOf(role->entryType).labelId) ? role->entryType : -1;
}

bool IsBlank(QChar c)
{
    return c.isSpace();
}

qsizetype SkipBlanks(QStringView text, qsizetype position)
{
    while (position < text.size() && IsBlank(text[position]))
        ++position;
    return position;
}

QString JoinSplitCharacterData(QStringView data)
{
    constexpr QStringView close = kCDataClose;
    constexpr QStringView open = kCDataOpen;
    QString out;
    out.reserve(data.size());
    qsizetype position = 0;
    for (qsizetype at = data.indexOf(close); at >= 0; at = data.indexOf(close, position)) {
        const qsizetype next = SkipBlanks(data, at + close.size());
        if (!data.mid(next).startsWith(open)) {
            out += data.mid(position, at + close.size() - position);
            position = at + close.size();
            continue;
        }
        out += data.mid(position, at - position);
        position = next + open.size();
    }
    out += data.mid(position);
    return out;
}

} // namespace

OpAttribute ParseOp(QStringView attributes)
{
    OpAttribute result;
    // What the writer puts on nearly every element, answered without parsing.
    if (attributes.isEmpty())
        return result;
    if (attributes == u"op=\"create\"") {
        result.create = 1;
        return result;
    }
    if (attributes == u"op=\"update\"") {
        result.update = 1;
        return result;
    }
    qsizetype position = 0;
    while (true) {
        const qsizetype equals = attributes.indexOf(u'=', position);
        if (equals < 0)
            break;
        const QStringView name = attributes.mid(position, equals - position).trimmed();
        qsizetype valueStart = equals + 1;
        qsizetype valueEnd = 0;
        qsizetype next = 0;
        if (valueStart < attributes.size() && attributes[valueStart] == u'"') {
            ++valueStart;
            const qsizetype quote = attributes.indexOf(u'"', valueStart);
            valueEnd = quote < 0 ? attributes.size() : quote;
            next = quote < 0 ? attributes.size() : quote + 1;
        } else {
            qsizetype space = valueStart;
            while (space < attributes.size() && !IsBlank(attributes[space]))
                ++space;
            valueEnd = space;
            next = space;
        }
        const QStringView value = attributes.mid(valueStart, valueEnd - valueStart);
        if (name.compare(u"op", Qt::CaseInsensitive) == 0 &&
            value.compare(u"create", Qt::CaseInsensitive) == 0) {
            result.create = 1;
        } else if (name.compare(u"op", Qt::CaseInsensitive) == 0 &&
                   value.compare(u"update", Qt::CaseInsensitive) == 0) {
            result.update = 1;
        } else {
            result.rest += QStringLiteral(" %1=\"%2\"").arg(name, value);
        }
        position = next;
    }
    return result;
}

int DecodeValue(const CSettingNode *node, QString &value)
{
    value = value.trimmed();
    int characterData = 0;
    const qsizetype markers = kCDataOpen.size() + kCDataClose.size();
    if (value.startsWith(kCDataOpen) && value.endsWith(kCDataClose) && value.size() >= markers) {
        value = JoinSplitCharacterData(
            QStringView(value).mid(kCDataOpen.size(), value.size() - markers));
        characterData = 1;
    } else if (value.contains(u'&')) {
        value.replace(QStringLiteral("&lt;"), QStringLiteral("<"));
        value.replace(QStringLiteral("&gt;"), QStringLiteral(">"));
        value.replace(QStringLiteral("&amp;"), QStringLiteral("&"));
    }
    if (node && node->GetEditorKind() == EditorKind::Password)
        value = UnscramblePassword(value);
    return characterData;
}

QString RemoveContinuationIndent(const QString &value, int depth)
{
    if (!value.contains(u'\n') || value.startsWith(kCDataOpen))
        return value;
    const QString indent(2 * depth, u' ');
    QString out;
    out.reserve(value.size());
    qsizetype position = 0;
    for (qsizetype at = value.indexOf(u'\n'); at >= 0; at = value.indexOf(u'\n', position)) {
        out += QStringView(value).mid(position, at + 1 - position);
        position = at + 1;
        if (QStringView(value).mid(position).startsWith(indent))
            position += indent.size();
    }
    out += QStringView(value).mid(position);
    return out;
}

CConfigurationLoader::CConfigurationLoader(CSettingNode *root)
    : m_root(root)
    , m_current(root)
    , m_bulkLoad(root)
{}

CSettingNode *CConfigurationLoader::MakeFreeNode(QStringView name, QStringView attributes)
{
    CSettingNode *node = m_current->AddChild(QString(), EditorKind::Hidden, FreeElement);
    node->SetLabelOverride(name.toString());
    node->SetAttributeText(attributes.toString());
    return node;
}

void CConfigurationLoader::OnStartElement(QStringView name, QStringView attributes)
{
    if (name == u"Settings")
        return;
    const OpAttribute op = ParseOp(attributes);
    CSettingNode *node = nullptr;
    const int itemType = ItemElementType(m_current->GetType(), name);
    if (itemType >= 0) {
        node = m_current->AddChild(QString(), EditorKind::None, itemType);
        node->CreateDefaultContent();
    } else {
        node = m_current->FindChildByLabel(name);
    }
    if (node) {
        node->SetIncludeFlag(op.create);
        node->SetUpdateFlag(op.update);
        node->SetAttributeText(op.rest);
    } else {
        node = MakeFreeNode(name, attributes);
    }
    m_current = node;
    ++m_depth;
}

QString CConfigurationLoader::DecodedContent(const CSettingNode *node, QStringView content,
                                             int *characterData) const
{
    const QStringView trimmed = content.trimmed();
    // Most values are one line of plain text, and many of them are the
    // node's default: those need neither decoding nor a copy of their own.
    const bool plain = !trimmed.startsWith(kCDataOpen) &&
                       std::none_of(trimmed.begin(), trimmed.end(),
                                    [](QChar c) { return c == u'\n' || c == u'&'; });
    if (plain && node && node->GetEditorKind() != EditorKind::Password)
        return trimmed == node->GetValue() ? node->GetValue() : trimmed.toString();
    QString value = RemoveContinuationIndent(trimmed.toString(), m_depth + 1);
    const int wrapped = DecodeValue(node, value);
    if (characterData)
        *characterData = wrapped;
    return value;
}

void CConfigurationLoader::OnLeafElement(QStringView name, QStringView content,
                                         QStringView attributes)
{
    const OpAttribute op = ParseOp(attributes);
    const int entryType = FileEntryType(m_current->GetType(), name);
    if (entryType >= 0) {
        CSettingNode *entry = m_current->AddChild(QString(), EditorKind::None, entryType);
        entry->SetValue(DecodedContent(entry, content));
        entry->SetInclude(op.create, 1);
        entry->SetUpdateFlag(op.update);
        return;
    }
    if (CSettingNode *child = m_current->FindChildByLabel(name)) {
        child->SetValue(DecodedContent(child, content));
        child->SetIncludeFlag(op.create);
        child->SetUpdateFlag(op.update);
        child->SetAttributeText(op.rest);
        return;
    }
    CSettingNode *node = MakeFreeNode(name, attributes);
    int characterData = 0;
    const QString value = DecodedContent(nullptr, content, &characterData);
    node->SetRawMarkup(characterData);
    node->SetValue(value);
}

void CConfigurationLoader::OnEndElement(QStringView)
{
    if (m_current != m_root && m_current->GetParent()) {
        m_current = m_current->GetParent();
        --m_depth;
    }
}

void CConfigurationLoader::Finish()
{
    m_bulkLoad.Finish();
}
