#include "settings/NodeCatalogue.h"

#include "settings/NodeTypes.h"
#include "settings/StringIds.h"

#include <algorithm>
#include <array>

namespace {

using CS = ChoiceSource;
namespace EK = EditorKind;

constexpr unsigned kYesNo[] = {420, 288};
constexpr unsigned kConnectionType[] = {254, 248};
constexpr unsigned kRemoteModemType[] = {246, 250, 251};
constexpr unsigned kConnectionSpeeds[] = {247, 245, 240, 241, 242, 243, 244};
constexpr unsigned kCallbackType[] = {234, 232, 231};
constexpr unsigned kMailboxType[] = {190, 187};
constexpr unsigned kRetrieve[] = {185, 183, 184};
constexpr unsigned kMailType[] = {168, 167, 166};
constexpr unsigned kSendingOption[] = {156, 157, 158};
constexpr unsigned kIncludeSignature[] = {163, 161, 162};
constexpr unsigned kWapType[] = {404, 405};
constexpr unsigned kBearer[] = {394, 393};
constexpr unsigned kTerminalBackspace[] = {359, 360};
constexpr unsigned kTerminalEnter[] = {363, 365, 364};
constexpr unsigned kTerminalEcho[] = {369, 368};
constexpr unsigned kTelnetBackspace[] = {342, 343};
constexpr unsigned kTelnetEnter[] = {345, 347, 346};
constexpr unsigned kTelnetEcho[] = {350, 349};

constexpr NodeTypeInfo Label(unsigned id)
{
    NodeTypeInfo info;
    info.labelId = id;
    return info;
}
constexpr NodeTypeInfo Mandatory(unsigned id)
{
    NodeTypeInfo info = Label(id);
    info.mandatory = true;
    return info;
}
constexpr NodeTypeInfo Edit(NodeTypeInfo info, int editorKind)
{
    info.editorKind = editorKind;
    return info;
}
constexpr NodeTypeInfo Choice(unsigned id, std::span<const unsigned> ids, bool mandatory = false)
{
    NodeTypeInfo info = Edit(Label(id), EK::Choice);
    info.choices = CS::Fixed;
    info.fixedChoices = ids;
    info.mandatory = mandatory;
    return info;
}
constexpr NodeTypeInfo Names(unsigned id, ChoiceSource source, bool mandatory = false)
{
    NodeTypeInfo info = Edit(Label(id), EK::Choice);
    info.choices = source;
    info.mandatory = mandatory;
    return info;
}
constexpr NodeTypeInfo CharacterData(unsigned id)
{
    NodeTypeInfo info = Edit(Label(id), EK::MultilineText);
    info.characterData = true;
    return info;
}
// A password's limit is the padded length of its scrambled form.
constexpr NodeTypeInfo Password(unsigned id, int units)
{
    NodeTypeInfo info = Edit(Label(id), EK::Password);
    info.scrambledUnits = units;
    info.maxLength = units;
    return info;
}
constexpr NodeTypeInfo Limit(NodeTypeInfo info, int maxLength)
{
    info.maxLength = maxLength;
    return info;
}
constexpr NodeTypeInfo Refuse(NodeTypeInfo info, const char16_t *characters)
{
    info.refusedCharacters = characters;
    return info;
}
constexpr NodeTypeInfo Phone(NodeTypeInfo info, const char16_t *characters)
{
    info.phoneCharacters = characters;
    return info;
}
constexpr NodeTypeInfo Speeds(unsigned id)
{
    NodeTypeInfo info = Choice(id, kConnectionSpeeds);
    info.choices = CS::ConnectionSpeeds;
    return info;
}

constexpr std::array<NodeTypeInfo, NodeType::Count> kCatalogue = {
    Label(0),                                            // 0 root
    Label(0),                                            // 1
    Label(279),                                          // 2 IAPSettings
    Limit(Names(277, CS::AccessPointNames), 50),         // 3 PreferredConnection
    Label(278),                                          // 4 access point template
    Label(421),                                          // 5 IAPConnection
    Edit(Limit(Mandatory(238), 50), EK::ConnectionName), // 6 ConnectionName
    Edit(Limit(Mandatory(262), 32), EK::PhoneNumber),    // 7 PhoneNumber
    Choice(263, kYesNo),                                 // 8 PromptPassword
    Edit(Limit(Label(276), 50), EK::Text),               // 9 Username
    Password(StringId::PasswordLabel, 20),               // 10 Password
    Label(449),                                          // 11 Proxies
    Choice(453, kYesNo),                                 // 12 HTTPUseProxy
    Edit(Label(452), EK::HostName),                      // 13 HTTPProxyServer
    Edit(Limit(Label(451), 10), EK::PortNumber),         // 14 HTTPPortNumber
    Edit(Label(450), EK::PlainText),                     // 15 HTTPNoProxyFor
    Choice(457, kYesNo),                                 // 16 HTTPSUseProxy
    Label(456),                                          // 17 HTTPSProxyServer
    Limit(Label(455), 10),                               // 18 HTTPSPortNumber
    Label(454),                                          // 19 HTTPSNoProxyFor
    Label(239),                                          // 20 DataCall
    Choice(256, kConnectionType),                        // 21 ConnectionType
    Choice(253, kRemoteModemType),                       // 22 RemoteModemType
    Speeds(252),                                         // 23 MaxConnectionSpeed
    Choice(255, kYesNo),                                 // 24 SpeedChanging
    Edit(Limit(Label(249), 50), EK::ModemInit),          // 25 ModemInitString
    Label(230),                                          // 26 Callback
    Choice(236, kYesNo),                                 // 27 UseCallback
    Choice(235, kCallbackType),                          // 28 CallbackType
    Edit(Limit(Label(233), 32), EK::PhoneNumber),        // 29 CallbackNumber
    Label(258),                                          // 30 Other
    Choice(260, kYesNo),                                 // 31 AllowPlaintextPPPLogin
    Choice(259, kYesNo),                                 // 32 UsePPPCompression
    Label(272),                                          // 33 ScriptOptions
    Choice(275, kYesNo),                                 // 34 UseLoginScript
    Limit(CharacterData(274), 10000),                    // 35 Script
    Choice(273, kYesNo),                                 // 36 DisplayTerminalWindow
    Label(224),                                          // 37 AddressOptions
    Choice(226, kYesNo),                                 // 38 RetrieveIP
    Edit(Label(227), EK::IPAddress),                     // 39 IPAddress
    Choice(225, kYesNo),                                 // 40 RetrieveDNSAddress
    Edit(Label(228), EK::IPAddress),                     // 41 PrimaryDNS
    Edit(Label(229), EK::IPAddress),                     // 42 SecondaryDNS
    Label(140),                                          // 43 EMailSettings
    Limit(Names(192, CS::MailboxNames), 25),             // 44 PreferredMailbox
    Label(205),                                          // 45 mailbox template
    Label(422),                                          // 46 Mailbox
    Label(0),                                            // 47
    Edit(Limit(Mandatory(175), 25), EK::MailboxName),    // 48 MailboxName
    // The owner's name goes into a mail header, where angle brackets delimit
    // the address.
    Refuse(Edit(Limit(Label(465), 25), EK::Text), u"<>"), // 49 Name
    Edit(Limit(Mandatory(178), 100), EK::Text),           // 50 Username
    Password(177, 25),                                    // 51 Password
    Edit(Limit(Mandatory(171), 100), EK::EMailAddress),   // 52 EMailAddress
    Limit(Names(173, CS::AccessPointNames, true), 50),    // 53 UseConnection
    Mandatory(186),                                       // 54 Servers
    Choice(191, kMailboxType, true),                      // 55 MailboxType
    Edit(Limit(Mandatory(188), 100), EK::HostName),       // 56 InServer
    Edit(Limit(Mandatory(189), 100), EK::HostName),       // 57 OutServer
    Label(179),                                           // 58 RetrieveMail
    Choice(180, kRetrieve),                               // 59 Retrieve
    Edit(Limit(Label(181), 10), EK::MessageSize),         // 60 MessageMaxSize
    Label(151),                                           // 61 Advanced
    Choice(165, kMailType),                               // 62 DefaultMailType
    Choice(155, kSendingOption),                          // 63 DefaultSendingOption
    Choice(160, kIncludeSignature),                       // 64 IncludeSignature
    Limit(CharacterData(473), 500),                       // 65 Signature
    Choice(159, kYesNo),                                  // 66 RequestReadReport
    Choice(498, kYesNo),                                  // 67 AllowReportRequests
    Choice(152, kYesNo),                                  // 68 AllowReportRequests
    Choice(153, kYesNo),                                  // 69 CopyToMyMailAddress
    Choice(169, kYesNo),                                  // 70 UseAPOP
    Choice(164, kYesNo),                                  // 71 UseSSL
    Edit(Limit(Label(154), 100), EK::PlainText),          // 72 IMAP4FolderPath
    Label(388),                                           // 73 WAPSettings
    Label(423),                                           // 74 WAPConnection
    Label(417),                                           // 75 WAP connection template
    Edit(Limit(Mandatory(395), 50), EK::ConnectionName),  // 76 ConnectionName
    Choice(403, kWapType),                                // 77 Type
    Choice(406, kYesNo),                                  // 78 UseSecureConnection
    Choice(392, kBearer),                                 // 79 BearerEitherSMSOrDataCall
    Label(400),                                           // 80 SMSSettingsForBearer
    Label(401),                                           // 81 SMSCentreNumber
    Label(402),                                           // 82 ServiceNumber
    Label(396),                                           // 83 DataSettingsForBearer
    Edit(Mandatory(397), EK::IPAddress),                  // 84 ServiceAddress
    Limit(Names(398, CS::AccessPointNames, true), 50),    // 85 UseConnection
    Label(323),                                           // 86 SMSSettings
    Label(328),                                           // 87 SMS centre template
    Limit(Names(464, CS::CentreNames), 25),               // 88 PreferredCentre
    Label(429),                                           // 89 SMSCentre
    Edit(Limit(Mandatory(329), 25), EK::PlainText),       // 90 CentreName
    Edit(Phone(Limit(Mandatory(330), 21), u"0123456789+"), EK::PhoneNumber), // 91 PhoneNumber
    Label(460),                                                              // 92 PersonalData
    Edit(Phone(Limit(Label(385), 30), u"0123456789+*#"), EK::PhoneNumber), // 93 DefaultVoiceMailbox
    Label(128),                                                            // 94 ContactsAndCalendar
    Label(129),                                                            // 95 Contacts
    Label(135),                                                    // 96 TransferContactImages
    Label(119),                                                    // 97 Calendar
    Edit(Names(419, CS::AccessPointNames), EK::WWWBookmarkList),   // 98 WWWBookmarks
    Label(StringId::WwwBookmarkTitle),                             // 99 WWWBookmark
    Edit(Limit(Label(606), 256), EK::Text),                        // 100 Name
    Edit(Limit(Label(607), 264), EK::WWWBookmarkURL),              // 101 URL
    Edit(Names(390, CS::WAPConnectionNames), EK::WAPBookmarkList), // 102 WAPBookmarks
    Label(StringId::WapBookmarkTitle),                             // 103 WAPBookmark
    Edit(Limit(Label(611), 50), EK::Text),                         // 104 Name
    Edit(Limit(Label(612), 255), EK::WAPBookmarkURL),              // 105 URL
    Edit(Limit(Label(610), 50), EK::BookmarkConnection),           // 106 UseConnection
    Edit(Limit(Label(609), 50), EK::Text),                         // 107 Username
    Password(608, 20),                                             // 108 Password
    Label(550),                                                    // 109 FileTransfer
    Label(0),                                                      // 110
    Edit(Label(552), EK::FileList),                                // 111 RingingTones
    Label(553),                                                    // 112 RingingTone
    Edit(Label(556), EK::FileList),                                // 113 BackgroundImages
    Label(557),                                                    // 114 BackgroundImage
    Edit(Label(554), EK::FileList),                                // 115 SISFiles
    Label(555),                                                    // 116 SISFile
    Edit(Label(558), EK::FileList),                                // 117 Files
    Label(559),                                                    // 118 File
    Label(560),                                                    // 119 Local
    Label(561),                                                    // 120 Remote
    Label(356),                                                    // 121 TerminalConnectionSettings
    Label(425),                                                    // 122 TerminalConnection
    Label(372),                           // 123 terminal connection template
    Edit(Label(370), EK::ConnectionName), // 124 ConnectionName
    Edit(Label(371), EK::PhoneNumber),    // 125 PhoneNumber
    Label(357),                           // 126 AdvancedSettings
    Choice(358, kTerminalBackspace),      // 127 BackspaceKeySends
    Choice(362, kTerminalEnter),          // 128 EnterKeySends
    Choice(367, kTerminalEcho),           // 129 LocalEcho
    Choice(361, kYesNo),                  // 130 StartInCharMode
    Edit(Label(366), EK::ModemInit),      // 131 ModemInitialization
    Label(339),                           // 132 TelnetConnectionSettings
    Label(426),                           // 133 TelnetConnection
    Label(355),                           // 134 telnet connection template
    Edit(Label(354), EK::ConnectionName), // 135 ConnectionName
    Edit(Label(353), EK::HostName),       // 136 Hostname
    Names(351, CS::AccessPointNames),     // 137 AccessPoint
    Label(340),                           // 138 AdvancedSettings
    Choice(341, kTelnetBackspace),        // 139 BackspaceKeySends
    Choice(344, kTelnetEnter),            // 140 EnterKeySends
    Choice(348, kTelnetEcho),             // 141 LocalEcho
    Edit(Label(462), EK::Hidden),         // 142 BIOMessages
    Label(0),                             // 143 free element
};

constexpr ItemRole kItemRoles[] = {
    {NodeType::IAPSettings, NodeType::IAPConnection, NodeType::IAPTemplate,
     NodeType::IAPConnectionName},
    {NodeType::EMailSettings, NodeType::Mailbox, NodeType::MailboxTemplate, NodeType::MailboxName},
    {NodeType::WAPSettings, NodeType::WAPConnection, NodeType::WAPTemplate,
     NodeType::WAPConnectionName},
    {NodeType::SMSSettings, NodeType::SMSCentre, NodeType::SMSTemplate, NodeType::CentreName},
    {NodeType::TerminalConnectionSettings, NodeType::TerminalConnection, NodeType::TerminalTemplate,
     NodeType::TerminalConnectionName},
    {NodeType::TelnetConnectionSettings, NodeType::TelnetConnection, NodeType::TelnetTemplate,
     NodeType::TelnetConnectionName},
};

constexpr int kCategories[] = {
    NodeType::IAPSettings,
    NodeType::EMailSettings,
    NodeType::WAPSettings,
    NodeType::SMSSettings,
    NodeType::PersonalData,
    NodeType::FileTransfer,
    NodeType::TerminalConnectionSettings,
    NodeType::TelnetConnectionSettings,
    NodeType::BIOMessages,
};
constexpr int kReferences[] = {NodeType::PreferredConnection,  NodeType::PreferredMailbox,
                               NodeType::MailboxUseConnection, NodeType::WAPUseConnection,
                               NodeType::PreferredCentre,      NodeType::TelnetAccessPoint};
// Lists and categories with their entry or item type, where no role above
// names it.
struct EntryKind
{
    int list;
    int entry;
};
constexpr EntryKind kBookmarkEntries[] = {{NodeType::WWWBookmarks, NodeType::WWWBookmark},
                                          {NodeType::WAPBookmarks, NodeType::WAPBookmark}};
constexpr EntryKind kHiddenItems[] = {
    {NodeType::TerminalConnectionSettings, NodeType::TerminalConnection},
    {NodeType::TelnetConnectionSettings, NodeType::TelnetConnection}};
constexpr auto kBookmarkLists = [] {
    std::array<int, std::size(kBookmarkEntries)> types{};
    for (std::size_t i = 0; i < types.size(); ++i)
        types[i] = kBookmarkEntries[i].list;
    return types;
}();
// The file list categories first, in the order they are shown.
constexpr FileListRole kFileListRoles[] = {
    {NodeType::RingingTones, NodeType::RingingTone, 0, 0},
    {NodeType::BackgroundImages, NodeType::BackgroundImage, 0, 0},
    {NodeType::SISFiles, NodeType::SISFile, 0, 0},
    {NodeType::Files, NodeType::File, NodeType::FileLocal, NodeType::FileRemote},
    {NodeType::Unnamed110, NodeType::Unnamed110, 0, 0},
};
constexpr std::size_t kFileListCategories = 4;
constexpr auto kFileLists = [] {
    std::array<int, kFileListCategories> types{};
    for (std::size_t i = 0; i < types.size(); ++i)
        types[i] = kFileListRoles[i].listType;
    return types;
}();

template<typename Range>
bool Contains(const Range &range, int type)
{
    return std::find(std::begin(range), std::end(range), type) != std::end(range);
}

template<typename Member>
const ItemRole *FindRole(Member member, int type)
{
    for (const ItemRole &role : kItemRoles) {
        if (role.*member == type)
            return &role;
    }
    return nullptr;
}

} // namespace

bool IsValidNodeType(int type)
{
    return type >= 0 && type < NodeType::Count;
}

const NodeTypeInfo &NodeTypeInfoOf(int type)
{
    static constexpr NodeTypeInfo none{};
    return IsValidNodeType(type) ? kCatalogue[static_cast<std::size_t>(type)] : none;
}

std::span<const ItemRole> ItemRoles()
{
    return kItemRoles;
}

const ItemRole *RoleOfCategory(int type)
{
    return FindRole(&ItemRole::category, type);
}
const ItemRole *RoleOfItem(int type)
{
    return FindRole(&ItemRole::item, type);
}
const ItemRole *RoleOfTemplate(int type)
{
    return FindRole(&ItemRole::itemTemplate, type);
}
const ItemRole *RoleOfNameField(int type)
{
    return FindRole(&ItemRole::nameField, type);
}

bool IsCategoryType(int type)
{
    return Contains(kCategories, type);
}
bool IsReferenceType(int type)
{
    return Contains(kReferences, type);
}
bool IsBookmarkListType(int type)
{
    return Contains(kBookmarkLists, type);
}
bool IsFileListType(int type)
{
    return Contains(kFileLists, type);
}
std::span<const int> FileListTypes()
{
    return kFileLists;
}
int ItemTypeUnder(int type)
{
    if (const ItemRole *role = RoleOfCategory(type))
        return role->item;
    if (const FileListRole *files = FileListRoleOf(type); files && files->localType)
        return files->entryType;
    for (const auto &kinds :
         {std::span<const EntryKind>(kBookmarkEntries), std::span<const EntryKind>(kHiddenItems)}) {
        for (const EntryKind &kind : kinds) {
            if (kind.list == type)
                return kind.entry;
        }
    }
    return -1;
}

const FileListRole *FileListRoleOf(int type)
{
    const auto it =
        std::find_if(std::begin(kFileListRoles), std::end(kFileListRoles),
                     [type](const FileListRole &role) { return role.listType == type; });
    return it == std::end(kFileListRoles) ? nullptr : it;
}
bool IsEntryListType(int type)
{
    return IsBookmarkListType(type) || IsFileListType(type);
}
