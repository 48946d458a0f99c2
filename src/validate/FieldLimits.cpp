#include "validate/FieldLimits.h"

#include "settings/NodeTypes.h"

#include <array>
#include <cstddef>

namespace {

using namespace NodeType;

struct LengthLimit
{
    int type;
    int maximum;
};

constexpr LengthLimit kLengthLimits[] = {
    {PreferredConnection, 50},
    {IAPConnectionName, 50},
    {IAPUsername, 50},
    {ModemInitString, 50},
    {MailboxUseConnection, 50},
    {WAPConnectionName, 50},
    {WAPUseConnection, 50},
    {WAPBookmarkName, 50},
    {WAPBookmarkUseConnection, 50},
    {WAPBookmarkUsername, 50},

    {IAPPhoneNumber, 32},
    {CallbackNumber, 32},

    // Password limits equal the padded length of their scrambled form.
    {IAPPassword, 20},
    {WAPBookmarkPassword, 20},

    {HTTPPortNumber, 10},
    {HTTPSPortNumber, 10},
    {MessageMaxSize, 10},

    {Script, 10000},

    {PreferredMailbox, 25},
    {MailboxName, 25},
    {MailboxOwnerName, 25},
    {MailboxPassword, 25},
    {PreferredCentre, 25},
    {CentreName, 25},

    {MailboxUsername, 100},
    {EMailAddress, 100},
    {InServer, 100},
    {OutServer, 100},
    {IMAP4FolderPath, 100},

    {Signature, 500},
    {CentrePhoneNumber, 21},
    {DefaultVoiceMailbox, 30},
    {WWWBookmarkName, 256},
    {WWWBookmarkURL, 264},
    {WAPBookmarkURL, 255},
};

constexpr std::array<int, NodeType::Count> BuildMaxLengths()
{
    std::array<int, NodeType::Count> lengths{};
    lengths.fill(kDefaultMaxLength);
    for (const LengthLimit &limit : kLengthLimits)
        lengths[static_cast<std::size_t>(limit.type)] = limit.maximum;
    return lengths;
}

constexpr std::array<int, NodeType::Count> kMaxLengths = BuildMaxLengths();

struct CharacterSet
{
    int type;
    const char16_t *characters;
};

constexpr CharacterSet kPhoneCharacters[] = {
    {CentrePhoneNumber, u"0123456789+"},
    {DefaultVoiceMailbox, u"0123456789+*#"},
};

constexpr const char16_t *kDefaultPhoneCharacters = u"0123456789pPwW+*#-()/ .";

} // namespace

int MaxLength(int nodeType)
{
    if (nodeType < 0 || nodeType >= NodeType::Count)
        return kDefaultMaxLength;
    return kMaxLengths[static_cast<std::size_t>(nodeType)];
}

QStringView AllowedCharacters(int nodeType)
{
    for (const CharacterSet &set : kPhoneCharacters) {
        if (set.type == nodeType)
            return set.characters;
    }
    return kDefaultPhoneCharacters;
}
