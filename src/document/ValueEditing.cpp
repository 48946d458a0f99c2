#include "document/ValueEditing.h"

#include "config/ConfigText.h"
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

CValueCommit StoreAsTyped(const CSettingNode *, const QString &text)
{
    return Stored(text);
}

CValueCommit CommitEMailAddress(const CSettingNode *node, const QString &text)
{
    if (!IsValidEmailAddress(text))
        return Refused(Message(node, StringId::MsgValueNotValid));
    return Stored(text);
}

// Mail servers are left to the whole-tree check.
CValueCommit CommitHostName(const CSettingNode *node, const QString &text)
{
    if (node->GetType() == NodeType::HTTPProxyServer && !IsValidHostName(text))
        return Refused(Message(node, StringId::MsgValueNotValid));
    return Stored(text);
}

// An item keeps its name rather than lose it.
CValueCommit CommitItemName(const CSettingNode *, const QString &text)
{
    if (text.isEmpty())
        return {};
    return Stored(text);
}

// A number held to its range, saying so when it was moved into it.
CValueCommit StoredWithin(const CSettingNode *node, const QString &text, int minimum, int maximum)
{
    const int typed = ReadInteger(text);
    const int kept = std::clamp(typed, minimum, maximum);
    CValueCommit commit = Stored(QString::number(kept));
    if (kept != typed)
        commit.message =
            Message(node, kept > typed ? StringId::MsgValueRaised : StringId::MsgValueLimited,
                    {node->GetLabel(true), kept});
    return commit;
}

CValueCommit CommitPortNumber(const CSettingNode *node, const QString &text)
{
    return StoredWithin(node, text, 0, kMaxPortNumber);
}

CValueCommit CommitMessageSize(const CSettingNode *node, const QString &text)
{
    if (node->GetType() != NodeType::MessageMaxSize)
        return Stored(text);
    return StoredWithin(node, text, kMinMessageMaxSize, kMaxMessageMaxSize);
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

// How the editor of a kind holds its text.
enum class Form {
    Text,        // one line, filtered as typed and cut to the node's limit
    Number,      // digits only, cut to the node's limit
    PhoneNumber, // the node type's characters, cut to its limit
    IPAddress,   // four fields with their ranges
    Choice,      // one of the node's choices
    Multiline,   // a dialog; line feeds, cut to the multi-line limit
    List,        // a list dialog; no value of its own
};

using CommitFunction = CValueCommit (*)(const CSettingNode *, const QString &);

struct ValueRule
{
    int editorKind;
    Form form;
    CommitFunction commit; // after the text was filtered and cut
};

// The kinds not listed have no editor.
constexpr ValueRule kValueRules[] = {
    {EditorKind::IPAddress, Form::IPAddress, CommitIPAddress},
    {EditorKind::HostName, Form::Text, CommitHostName},
    {EditorKind::EMailAddress, Form::Text, CommitEMailAddress},
    {EditorKind::PortNumber, Form::Number, CommitPortNumber},
    {EditorKind::MessageSize, Form::Number, CommitMessageSize},
    {EditorKind::PhoneNumber, Form::PhoneNumber, CommitPhoneNumber},
    {EditorKind::Text, Form::Text, StoreAsTyped},
    // Stored as typed: the confirmation is asked for before.
    {EditorKind::Password, Form::Text, StoreAsTyped},
    {EditorKind::ConnectionName, Form::Text, CommitItemName},
    {EditorKind::MailboxName, Form::Text, CommitItemName},
    {EditorKind::PlainText, Form::Text, StoreAsTyped},
    {EditorKind::MultilineText, Form::Multiline, StoreAsTyped},
    {EditorKind::Choice, Form::Choice, CommitChoice},
    {EditorKind::EditableChoice, Form::Choice, CommitChoice},
    {EditorKind::FileList, Form::List, nullptr},
    {EditorKind::ModemInit, Form::Text, StoreAsTyped},
    {EditorKind::WWWBookmarkList, Form::List, nullptr},
    {EditorKind::WAPBookmarkList, Form::List, nullptr},
};

const ValueRule *RuleOf(int editorKind)
{
    for (const ValueRule &rule : kValueRules) {
        if (rule.editorKind == editorKind)
            return &rule;
    }
    return nullptr;
}

bool HasForm(int editorKind, Form form)
{
    const ValueRule *rule = RuleOf(editorKind);
    return rule && rule->form == form;
}

bool IsLineForm(Form form)
{
    return form == Form::Text || form == Form::Number || form == Form::PhoneNumber;
}

struct MultilineRule
{
    int nodeType;
    int lineBreakUnits;
    bool growOnly;
};

// A script's field counts a line break as the CR LF it holds and only
// refuses to grow; a signature always fits.
constexpr MultilineRule kMultilineRules[] = {
    {NodeType::Signature, 1, false},
    {NodeType::Script, 2, true},
};

// refusal: why the last character dropped was dropped, as the editor says it
// while typing.
QString KeepAllowed(const CSettingNode *node, const QString &text, QString *refusal)
{
    QString kept;
    kept.reserve(text.size());
    for (const QChar c : text) {
        if (IsTypedCharacterAllowed(node->GetEditorKind(), node->GetType(), c, kept.size()))
            kept += c;
        else if (refusal)
            *refusal = TypedCharacterRefusal(node, c, kept.size());
    }
    return kept;
}

// The editor's text before it is cut to its limit.
QString FilteredText(const CSettingNode *node, const QString &text, QString *refusal = nullptr)
{
    const ValueRule *rule = RuleOf(node->GetEditorKind());
    if (rule && IsLineForm(rule->form))
        return KeepAllowed(node, text, refusal);
    if (rule && rule->form == Form::Multiline) {
        QString stored = text;
        NormalizeLineFeeds(stored);
        return stored;
    }
    return text;
}

} // namespace

CMultilineLimit MultilineLimit(int nodeType)
{
    const auto rule =
        std::find_if(std::begin(kMultilineRules), std::end(kMultilineRules),
                     [nodeType](const MultilineRule &r) { return r.nodeType == nodeType; });
    const MultilineRule &found = rule != std::end(kMultilineRules) ? *rule : kMultilineRules[0];
    return {MaxLength(nodeType), found.lineBreakUnits, found.growOnly};
}

QString MultilineStoredText(int nodeType, const QString &text)
{
    QString stored = text;
    NormalizeLineFeeds(stored);
    return stored.left(MultilineLimit(nodeType).length);
}

int MultilineMeasure(int nodeType, QStringView text)
{
    const int extra = MultilineLimit(nodeType).lineBreakUnits - 1;
    return static_cast<int>(text.size() + extra * text.count(u'\n'));
}

int LimitTypedMultiline(int nodeType, CTypedMultiline &typed, int measureBefore)
{
    const CMultilineLimit limit = MultilineLimit(nodeType);
    const int allowed = limit.growOnly ? std::max(limit.length, measureBefore) : limit.length;
    const int measure = MultilineMeasure(nodeType, typed.text);
    int excess = measure - allowed;
    if (excess <= 0)
        return measure;

    QString &kept = typed.text;
    qsizetype &start = typed.start;
    qsizetype &end = typed.end;
    const auto cost = [&limit](QChar c) {
        return c == u'\n' ? limit.lineBreakUnits : 1;
    };
    const auto fittingPrefix = [&]() {
        qsizetype length = 0;
        int total = 0;
        while (length < kept.size() && total + cost(kept.at(length)) <= allowed)
            total += cost(kept.at(length++));
        return length;
    };

    if (MultilineMeasure(nodeType, QStringView(kept).left(start)) > allowed) {
        kept.truncate(fittingPrefix());
        start = end = kept.size();
    } else {
        while (excess > 0 && end > start) {
            excess -= cost(kept.at(end - 1));
            kept.remove(--end, 1);
        }
        while (excess > 0 && start > 0) {
            excess -= cost(kept.at(start - 1));
            kept.remove(--start, 1);
            --end;
        }
        if (excess > 0) {
            kept.truncate(fittingPrefix());
            start = std::min(start, kept.size());
            end = std::min(end, kept.size());
        }
    }
    typed.changed = true;
    return MultilineMeasure(nodeType, kept);
}

bool HasEditor(int editorKind)
{
    return RuleOf(editorKind) != nullptr;
}

bool IsTypedCharacterAllowed(int editorKind, int nodeType, QChar c, qsizetype position)
{
    if (HasForm(editorKind, Form::Number))
        return IsDigit(c);
    if (editorKind == EditorKind::PhoneNumber) {
        // The voice mailbox number takes a plus sign in front only.
        if (c == u'+' && nodeType == NodeType::DefaultVoiceMailbox && position > 0)
            return false;
        return AllowedCharacters(nodeType).contains(c);
    }
    return !RefusedCharacters(nodeType).contains(c);
}

QString TypedCharacterRefusal(const CSettingNode *node, QChar c, qsizetype position)
{
    const int kind = node->GetEditorKind();
    if (!HasEditor(kind) || IsTypedCharacterAllowed(kind, node->GetType(), c, position))
        return {};
    const QString label = node->GetLabel(true);
    if (HasForm(kind, Form::Number))
        return Message(node, StringId::MsgDigitsOnly, {label});
    if (kind == EditorKind::PhoneNumber) {
        if (c == u'+')
            return Message(node, StringId::MsgPlusFirstOnly, {label});
        if (c.isLetter())
            return Message(node, StringId::MsgLettersInPhoneNumber);
    }
    return Message(node, StringId::MsgCharacterNotAllowed, {QString(c), label});
}

bool StartsEditing(int editorKind, QChar c)
{
    if (c == u'\b')
        return editorKind == EditorKind::PhoneNumber;
    if (HasForm(editorKind, Form::Number) || editorKind == EditorKind::IPAddress)
        return IsDigit(c);
    if (editorKind == EditorKind::PhoneNumber)
        return IsDigit(c) || QStringView(u"+(),pw-/*#.").contains(c);
    const char16_t code = c.unicode();
    return HasForm(editorKind, Form::Text) &&
           ((code >= 32 && code <= 126) || (code >= 128 && code <= 255)) && c != u' ';
}

bool IsListEditorKind(int editorKind)
{
    return HasForm(editorKind, Form::List);
}

int EditorMaxLength(const CSettingNode *node)
{
    const ValueRule *rule = RuleOf(node->GetEditorKind());
    if (!rule)
        return 0;
    if (IsLineForm(rule->form))
        return MaxLength(node->GetType());
    if (rule->form == Form::Multiline)
        return MultilineLimit(node->GetType()).length;
    return 0;
}

QString EditorText(const CSettingNode *node, const QString &text)
{
    const int limit = EditorMaxLength(node);
    const QString filtered = FilteredText(node, text);
    return limit > 0 ? filtered.left(limit) : filtered;
}

bool IsPasswordConfirmed(const QString &typed, const QString &confirmation)
{
    return typed.isEmpty() || typed == confirmation;
}

CValueCommit CommitRule(const CSettingNode *node, const QString &text)
{
    const ValueRule *rule = RuleOf(node->GetEditorKind());
    if (!rule || rule->form == Form::List)
        return Refused(Message(node, StringId::MsgNoValueToEdit, {node->GetLabel(true)}));
    if (node->IsDisabled())
        return Refused(Message(node, StringId::MsgNotApplicable, {node->GetLabel(true)}));
    const int limit = EditorMaxLength(node);
    QString refusal;
    const QString filtered = FilteredText(node, text, &refusal);
    const bool cut = limit > 0 && filtered.size() > limit;
    CValueCommit commit = rule->commit(node, cut ? filtered.left(limit) : filtered);
    if (commit.result != CValueCommit::Store)
        return commit;
    if (cut)
        commit.cutTo = limit;
    // One line says what befell the text: a limit, else the cut, else a
    // character dropped.
    if (commit.message.isEmpty() && cut)
        commit.message = Message(node, StringId::MsgValueCut, {node->GetLabel(true), limit});
    if (commit.message.isEmpty())
        commit.message = refusal;
    return commit;
}

int IncludedAlongWith(int editedType)
{
    struct Along
    {
        int edited;
        int sibling;
    };
    // A custom signature is only sent with its text.
    static constexpr Along kIncludedAlong[] = {{NodeType::IncludeSignature, NodeType::Signature}};
    for (const Along &along : kIncludedAlong) {
        if (along.edited == editedType)
            return along.sibling;
    }
    return 0;
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
