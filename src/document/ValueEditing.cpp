#include "document/ValueEditing.h"

#include "settings/Labels.h"
#include "settings/NodeCatalogue.h"
#include "settings/NodeTypes.h"
#include "settings/SettingNode.h"
#include "settings/StringIds.h"
#include "validate/FieldLimits.h"
#include "validate/Validators.h"

#include <QStringList>

#include <algorithm>

namespace {

QString Message(const CSettingNode *node, unsigned id, std::initializer_list<FormatArg> args = {})
{
    return FormatLabel(node->GetApplication(), id, args);
}

CValueCommit Stored(const QString &value)
{
    return {CValueCommit::Store, value, {}};
}

CValueCommit Refused(const QString &message)
{
    return {CValueCommit::Refuse, {}, message};
}

bool IsDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

bool IsNumberKind(int kind)
{
    return kind == EditorKind::PortNumber || kind == EditorKind::MessageSize;
}

bool IsTextKind(int kind)
{
    switch (kind) {
    case EditorKind::HostName:
    case EditorKind::EMailAddress:
    case EditorKind::Text:
    case EditorKind::Password:
    case EditorKind::ConnectionName:
    case EditorKind::MailboxName:
    case EditorKind::PlainText:
    case EditorKind::ModemInit:
        return true;
    default:
        return false;
    }
}

QString KeepAllowed(const CSettingNode *node, const QString &text)
{
    QString kept;
    kept.reserve(text.size());
    for (const QChar c : text) {
        if (IsTypedCharacterAllowed(node->GetEditorKind(), node->GetType(), c, kept.size()))
            kept += c;
    }
    return kept;
}

CValueCommit CommitText(const CSettingNode *node, const QString &text)
{
    const int kind = node->GetEditorKind();
    if (kind == EditorKind::EMailAddress && !IsValidEmailAddress(text))
        return Refused(Message(node, StringId::MsgValueNotValid));
    if (kind == EditorKind::HostName && node->GetType() == NodeType::HTTPProxyServer &&
        !IsValidHostName(text))
        return Refused(Message(node, StringId::MsgValueNotValid));
    // An item keeps its name rather than lose it.
    if ((kind == EditorKind::ConnectionName || kind == EditorKind::MailboxName) && text.isEmpty())
        return {};
    return Stored(text);
}

CValueCommit CommitNumber(const CSettingNode *node, const QString &text)
{
    if (node->GetEditorKind() == EditorKind::PortNumber)
        return Stored(QString::number(std::clamp(ReadInteger(text), 0, kMaxPortNumber)));
    if (node->GetType() == NodeType::MessageMaxSize) {
        return Stored(
            QString::number(std::clamp(ReadInteger(text), kMinMessageMaxSize, kMaxMessageMaxSize)));
    }
    return Stored(text);
}

CValueCommit CommitPhoneNumber(const CSettingNode *node, const QString &text)
{
    if (node->GetType() == NodeType::DefaultVoiceMailbox && !text.isEmpty() &&
        text.size() < kMinVoiceMailboxLength)
        return Refused(Message(node, StringId::MsgValueNotValid));
    return Stored(text);
}

// Four dot-separated fields of up to three digits. A field above its range
// gets the range's maximum; a lower one stays, as a field the address editor
// leaves untouched does, so that 0.0.0.0 still says "no address".
CValueCommit CommitIPAddress(const CSettingNode *node, const QString &text)
{
    const QStringList fields = text.trimmed().split(u'.');
    const bool wellFormed =
        fields.size() == kIPFieldCount &&
        std::all_of(fields.begin(), fields.end(), [](const QString &field) {
            return field.size() <= 3 && std::all_of(field.begin(), field.end(), IsDigit);
        });
    if (!wellFormed)
        return Refused(Message(node, StringId::MsgValueNotValid));
    QStringList parts;
    for (int i = 0; i < kIPFieldCount; ++i) {
        parts.append(QString::number(std::min(ReadInteger(fields[i]), kIPFieldRanges[i].maximum)));
    }
    return Stored(parts.join(u'.'));
}

CValueCommit CommitChoice(const CSettingNode *node, const QString &text)
{
    QStringList choices;
    node->GetChoices(choices, true);
    QString byShownText;
    bool shownMatched = false;
    for (const QString &choice : choices) {
        const qsizetype feed = choice.indexOf(u'\n');
        const QString value = feed < 0 ? choice : choice.left(feed);
        const QString shown = feed < 0 ? choice : choice.mid(feed + 1);
        if (value == text)
            return Stored(value);
        if (shown == text && !shownMatched) {
            byShownText = value;
            shownMatched = true;
        }
    }
    if (shownMatched)
        return Stored(byShownText);
    return Refused(Message(node, StringId::MsgNotAChoice, {text, node->GetLabel(true)}));
}

} // namespace

bool HasEditor(int editorKind)
{
    switch (editorKind) {
    case EditorKind::IPAddress:
    case EditorKind::PortNumber:
    case EditorKind::MessageSize:
    case EditorKind::PhoneNumber:
    case EditorKind::MultilineText:
    case EditorKind::Choice:
    case EditorKind::EditableChoice:
        return true;
    default:
        return IsTextKind(editorKind) || IsListEditorKind(editorKind);
    }
}

bool IsTypedCharacterAllowed(int editorKind, int nodeType, QChar c, qsizetype position)
{
    if (IsNumberKind(editorKind))
        return IsDigit(c);
    if (editorKind == EditorKind::PhoneNumber) {
        // The voice mailbox number takes a plus sign in front only.
        if (c == u'+' && nodeType == NodeType::DefaultVoiceMailbox && position > 0)
            return false;
        return AllowedCharacters(nodeType).contains(c);
    }
    // The mailbox owner's name goes into a mail header, where angle brackets
    // delimit the address.
    return nodeType != NodeType::MailboxOwnerName || (c != u'<' && c != u'>');
}

bool StartsEditing(int editorKind, QChar c)
{
    if (c == u'\b')
        return editorKind == EditorKind::PhoneNumber;
    if (IsNumberKind(editorKind) || editorKind == EditorKind::IPAddress)
        return IsDigit(c);
    if (editorKind == EditorKind::PhoneNumber)
        return IsDigit(c) || QStringView(u"+(),pw-/*#.").contains(c);
    const char16_t code = c.unicode();
    return IsTextKind(editorKind) &&
           ((code >= 32 && code <= 126) || (code >= 128 && code <= 255)) && c != u' ';
}

bool IsListEditorKind(int editorKind)
{
    return editorKind == EditorKind::FileList || editorKind == EditorKind::WWWBookmarkList ||
           editorKind == EditorKind::WAPBookmarkList;
}

QString EditorText(const CSettingNode *node, const QString &text)
{
    const int kind = node->GetEditorKind();
    if (!IsTextKind(kind) && !IsNumberKind(kind) && kind != EditorKind::PhoneNumber)
        return text;
    return KeepAllowed(node, text).left(MaxLength(node->GetType()));
}

CValueCommit CommitRule(const CSettingNode *node, const QString &text)
{
    const int kind = node->GetEditorKind();
    if (!HasEditor(kind) || IsListEditorKind(kind))
        return Refused(Message(node, StringId::MsgNoValueToEdit, {node->GetLabel(true)}));
    if (node->IsDisabled())
        return Refused(Message(node, StringId::MsgNotApplicable, {node->GetLabel(true)}));
    const QString typed = EditorText(node, text);
    switch (kind) {
    case EditorKind::IPAddress:
        return CommitIPAddress(node, typed);
    case EditorKind::PortNumber:
    case EditorKind::MessageSize:
        return CommitNumber(node, typed);
    case EditorKind::PhoneNumber:
        return CommitPhoneNumber(node, typed);
    case EditorKind::Choice:
    case EditorKind::EditableChoice:
        return CommitChoice(node, typed);
    case EditorKind::MultilineText:
        return Stored(typed);
    default:
        return CommitText(node, typed);
    }
}

QString SetValueRefusal(const CSettingNode *node, const QString &value)
{
    if (IsBookmarkListType(node->GetType()))
        return Message(node, StringId::MsgListHasNoValue, {node->GetLabel(true)});
    if (const ItemRole *role = RoleOfNameField(node->GetType())) {
        if (node->IsDuplicateName(value)) {
            const CSettingNode *category = node->FindCategory(role->category);
            return Message(node, StringId::MsgNameInUse,
                           {value, category ? category->GetLabel(true) : QString()});
        }
        return Message(node, StringId::MsgNameNotAllowed, {value});
    }
    return Message(node, StringId::MsgValueNotValid);
}
