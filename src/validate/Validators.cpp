#include "validate/Validators.h"

#include "settings/NodeTypes.h"
#include "settings/SettingNode.h"
#include "validate/FieldLimits.h"

#include <algorithm>
#include <limits>

namespace {

constexpr QStringView kHttpPrefix = u"http://";
constexpr QStringView kHttpsPrefix = u"https://";
constexpr QStringView kPathForbidden = u"\"*/<>?|";
constexpr QStringView kUrlPathForbidden = u"<>\"";

constexpr int kUniqueNameFields[] = {
    NodeType::IAPConnectionName, NodeType::MailboxName,     NodeType::WAPConnectionName,
    NodeType::CentreName,        NodeType::WWWBookmarkName, NodeType::WAPBookmarkName,
};

bool IsDecimalDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

bool IsLetterOrDigit(QChar c)
{
    return c.isLetter() || IsDecimalDigit(c);
}

bool IsInRange(int value, int minimum, int maximum)
{
    return value >= minimum && value <= maximum;
}

} // namespace

int ReadInteger(QStringView text)
{
    qsizetype i = 0;
    while (i < text.size() && text[i].isSpace())
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) {
        negative = text[i] == u'-';
        ++i;
    }
    // Accumulated as a magnitude one past the int range at most, so that
    // neither direction wraps.
    constexpr long long kLimit = static_cast<long long>(std::numeric_limits<int>::max()) + 1;
    long long magnitude = 0;
    for (; i < text.size() && IsDecimalDigit(text[i]); ++i)
        magnitude = std::min(kLimit, magnitude * 10 + (text[i].unicode() - u'0'));
    const long long value = negative ? -magnitude : magnitude;
    return static_cast<int>(std::clamp<long long>(value, std::numeric_limits<int>::min(),
                                                  std::numeric_limits<int>::max()));
}

bool IsValidPhoneNumber(QStringView text, int nodeType)
{
    const QStringView allowed = AllowedCharacters(nodeType);
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (!allowed.contains(text[i]))
            return false;
        if (nodeType == NodeType::DefaultVoiceMailbox && text[i] == u'+' && i > 0)
            return false;
    }
    return true;
}

bool IsValidHostName(QStringView text)
{
    if (text.isEmpty())
        return false;
    const qsizetype firstDot = text.indexOf(u'.');
    if (firstDot == 0 || firstDot == text.size() - 1)
        return false;
    return std::all_of(text.begin(), text.end(),
                       [](QChar c) { return IsLetterOrDigit(c) || c == u'-' || c == u'.'; });
}

bool IsValidEmailAddress(QStringView text)
{
    const qsizetype at = text.indexOf(u'@');
    if (at < 0)
        return false;
    if (!IsValidHostName(text.mid(at + 1)))
        return false;
    const QStringView local = text.left(at);
    return std::all_of(local.begin(), local.end(), [](QChar c) {
        return IsLetterOrDigit(c) || c == u'-' || c == u'.' || c == u'@' || c == u'_';
    });
}

bool IsValidIPAddress(QStringView text)
{
    constexpr int kParts = 4;
    if (text.count(u'.') != kParts - 1)
        return false;
    for (QStringView part : text.tokenize(u'.')) {
        if (!IsInRange(ReadInteger(part), 0, kMaxIPAddressPart))
            return false;
    }
    return true;
}

bool IsValidPort(QStringView text)
{
    return IsInRange(ReadInteger(text), 0, kMaxPortNumber);
}

bool IsAllDigits(QStringView text)
{
    return std::all_of(text.begin(), text.end(), IsDecimalDigit);
}

bool IsValidURL(QStringView text)
{
    qsizetype start = 0;
    while (start < text.size() && text[start].isSpace())
        ++start;
    QStringView rest = text.mid(start);
    if (rest.startsWith(kHttpPrefix))
        rest = rest.mid(kHttpPrefix.size());
    if (rest.startsWith(kHttpsPrefix))
        rest = rest.mid(kHttpsPrefix.size());
    const qsizetype slash = rest.indexOf(u'/');
    if (slash >= 0) {
        const QStringView path = rest.mid(slash);
        const bool printable = std::all_of(path.begin(), path.end(), [](QChar c) {
            return c.unicode() >= 0x21 && c.unicode() <= 0x7E && !kUrlPathForbidden.contains(c);
        });
        if (!printable)
            return false;
        rest = rest.left(slash);
    }
    return IsValidHostName(rest);
}

bool IsValidPath(QStringView text, PathSide side)
{
    return std::none_of(text.begin(), text.end(), [side](QChar c) {
        return kPathForbidden.contains(c) && !(side == PathSide::PC && c == u'/');
    });
}

bool IsUniqueNameField(int nodeType)
{
    return std::find(std::begin(kUniqueNameFields), std::end(kUniqueNameFields), nodeType) !=
           std::end(kUniqueNameFields);
}

bool IsDuplicateName(const CSettingNode *node)
{
    if (!node || !IsUniqueNameField(node->GetType()))
        return false;
    const CSettingNode *item = node->GetParent();
    const CSettingNode *category = item ? item->GetParent() : nullptr;
    if (!category)
        return false;
    for (const CSettingNode *other : category->Children()) {
        if (other == item || other->GetType() != item->GetType())
            continue;
        for (const CSettingNode *field : other->Children()) {
            if (field->GetType() == node->GetType() && field->GetValue() == node->GetValue())
                return true;
        }
    }
    return false;
}
