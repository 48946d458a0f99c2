#include "settings/TagTable.h"

#include <QHash>

#include <algorithm>
#include <array>
#include <vector>

namespace {

constexpr TagEntry kTagTable[] = {
    {205, ""},
    {221, ""},
    {278, ""},
    {328, ""},
    {355, ""},
    {372, ""},
    {417, ""},
    {288, "No"},
    {289, "None"},
    {290, "0.0.0.0"},
    {291, "OK"},
    {420, "Yes"},
    {279, "IAPSettings"},
    {277, "PreferredConnection"},
    {421, "IAPConnection"},
    {238, "ConnectionName"},
    {263, "PromptPassword"},
    {262, "PhoneNumber"},
    {276, "Username"},
    {237, "ConfirmPassword"},
    {261, "Password"},
    {443, "NoConnectionsDefined"},
    {272, "ScriptOptions"},
    {273, "DisplayTerminalWindow"},
    {274, "Script"},
    {275, "UseLoginScript"},
    {224, "AddressOptions"},
    {225, "RetrieveDNSAddress"},
    {226, "RetrieveIP"},
    {227, "IPAddress"},
    {228, "PrimaryDNS"},
    {229, "SecondaryDNS"},
    {230, "Callback"},
    {236, "UseCallback"},
    {235, "CallbackType"},
    {234, "ServerNumber"},
    {232, "ServerNumberIETF"},
    {231, "Number"},
    {233, "CallbackNumber"},
    {258, "Other"},
    {259, "UsePPPCompression"},
    {260, "AllowPlaintextPPPLogin"},
    {449, "Proxies"},
    {450, "HTTPNoProxyFor"},
    {451, "HTTPPortNumber"},
    {452, "HTTPProxyServer"},
    {453, "HTTPUseProxy"},
    {454, "HTTPSNoProxyFor"},
    {455, "HTTPSPortNumber"},
    {456, "HTTPSProxyServer"},
    {457, "HTTPSUseProxy"},
    {239, "DataCall"},
    {256, "ConnectionType"},
    {246, "Analog"},
    {247, "Auto"},
    {248, "HighSpeed"},
    {250, "ISDNV.110"},
    {251, "ISDNV.120"},
    {252, "MaxConnectionSpeed"},
    {253, "RemoteModemType"},
    {254, "Normal"},
    {255, "SpeedChanging"},
    {245, "9600"},
    {240, "14400"},
    {241, "19200"},
    {242, "28800"},
    {243, "38400"},
    {244, "43200"},
    {249, "ModemInitString"},
    {140, "EMailSettings"},
    {192, "PreferredMailbox"},
    {176, "NoConnectionsDefined"},
    {204, "MailInfoText"},
    {422, "Mailbox"},
    {175, "MailboxName"},
    {465, "Name"},
    {178, "Username"},
    {177, "Password"},
    {171, "EMailAddress"},
    {172, "ConfirmPassword"},
    {173, "UseConnection"},
    {179, "RetrieveMail"},
    {180, "Retrieve"},
    {181, "MessageMaxSize"},
    {182, "10"},
    {183, "Messages"},
    {184, "Attachments"},
    {185, "Headers"},
    {186, "Servers"},
    {191, "MailboxType"},
    {188, "InServer"},
    {189, "OutServer"},
    {190, "POP3"},
    {187, "IMAP4"},
    {151, "Advanced"},
    {165, "DefaultMailType"},
    {155, "DefaultSendingOption"},
    {160, "IncludeSignature"},
    {473, "Signature"},
    {159, "RequestReadReport"},
    {498, "AllowReportRequests"},
    {152, "AllowReportRequests"},
    {153, "CopyToMyMailAddress"},
    {169, "UseAPOP"},
    {164, "UseSSL"},
    {154, "IMAP4FolderPath"},
    {161, "Card"},
    {162, "Custom"},
    {163, "No"},
    {166, "HTML"},
    {167, "Text"},
    {168, "TextNoMIME"},
    {156, "Immediately"},
    {157, "Connection"},
    {158, "Request"},
    {388, "WAPSettings"},
    {423, "WAPConnection"},
    {395, "ConnectionName"},
    {406, "UseSecureConnection"},
    {398, "UseConnection"},
    {397, "ServiceAddress"},
    {391, "MainConnectionSettings"},
    {392, "BearerEitherSMSOrDataCall"},
    {393, "DataCall"},
    {394, "SMS"},
    {396, "DataSettingsForBearer"},
    {399, "NoConnectionsDefined"},
    {400, "SMSSettingsForBearer"},
    {401, "SMSCentreNumber"},
    {402, "ServiceNumber"},
    {403, "Type"},
    {404, "Continuous"},
    {405, "Temporary"},
    {323, "SMSSettings"},
    {464, "PreferredCentre"},
    {429, "SMSCentre"},
    {329, "CentreName"},
    {330, "PhoneNumber"},
    {460, "PersonalData"},
    {119, "Calendar"},
    {128, "ContactsAndCalendar"},
    {129, "Contacts"},
    {135, "TransferContactImages"},
    {419, "WWWBookmarks"},
    {564, "WWWBookmark"},
    {606, "Name"},
    {607, "URL"},
    {390, "WAPBookmarks"},
    {568, "WAPBookmark"},
    {611, "Name"},
    {612, "URL"},
    {610, "UseConnection"},
    {609, "Username"},
    {608, "Password"},
    {550, "FileTransfer"},
    {551, "OperatorLogo"},
    {556, "BackgroundImages"},
    {557, "BackgroundImage"},
    {554, "SISFiles"},
    {555, "SISFile"},
    {552, "RingingTones"},
    {553, "RingingTone"},
    {558, "Files"},
    {559, "File"},
    {560, "Local"},
    {561, "Remote"},
    {462, "BIOMessages"},
    {384, "FaxMailbox"},
    {385, "DefaultVoiceMailbox"},
    {356, "TerminalConnectionSettings"},
    {425, "TerminalConnection"},
    {357, "AdvancedSettings"},
    {358, "BackspaceKeySends"},
    {359, "Backspace"},
    {360, "Delete"},
    {361, "StartInCharMode"},
    {362, "EnterKeySends"},
    {363, "CR"},
    {364, "CRLF"},
    {365, "LF"},
    {366, "ModemInitialization"},
    {367, "LocalEcho"},
    {368, "Off"},
    {369, "On"},
    {370, "ConnectionName"},
    {371, "PhoneNumber"},
    {339, "TelnetConnectionSettings"},
    {426, "TelnetConnection"},
    {352, "NoConnectionsDefined"},
    {353, "Hostname"},
    {354, "ConnectionName"},
    {340, "AdvancedSettings"},
    {341, "BackspaceKeySends"},
    {342, "Backspace"},
    {343, "Delete"},
    {344, "EnterKeySends"},
    {345, "CR"},
    {346, "CRLF"},
    {347, "LF"},
    {348, "LocalEcho"},
    {349, "Off"},
    {350, "On"},
    {351, "AccessPoint"},
    {462, "BIOMessages"},
    {463, "Extra"},
};

static_assert(std::size(kTagTable) == 205);

struct TagIndex
{
    std::vector<QString> textById;
    QHash<QString, unsigned> idByName;
};

const TagIndex &Index()
{
    static const TagIndex index = [] {
        TagIndex built;
        unsigned maxId = 0;
        for (const TagEntry &entry : kTagTable)
            maxId = std::max(maxId, entry.id);
        built.textById.resize(maxId + 1);
        std::vector<bool> seen(maxId + 1, false);
        for (const TagEntry &entry : kTagTable) {
            const QString name = QString::fromLatin1(entry.name);
            if (!seen[entry.id]) {
                seen[entry.id] = true;
                built.textById[entry.id] = name;
            }
            if (!built.idByName.contains(name))
                built.idByName.insert(name, entry.id);
        }
        return built;
    }();
    return index;
}

} // namespace

std::span<const TagEntry> TagTable()
{
    return kTagTable;
}

const QString &InvariantText(unsigned id)
{
    static const QString empty;
    const TagIndex &index = Index();
    return id < index.textById.size() ? index.textById[id] : empty;
}

unsigned TagIdForName(const QString &name)
{
    return Index().idByName.value(name, 0);
}
