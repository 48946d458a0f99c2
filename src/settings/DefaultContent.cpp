// The default content of each node type: which children a new node gets, in
// which order, with which editor kind and default value.
#include "settings/SettingNode.h"

#include "settings/NodeTypes.h"

#include <algorithm>
#include <initializer_list>
#include <span>

namespace {

using namespace NodeType;
namespace EK = EditorKind;

struct ChildSpec
{
    int type;
    int editorKind;
    unsigned defaultId = 0;         // a choice default: the invariant text of this identifier
    const char16_t *text = nullptr; // a plain default text
    bool withContent = false;       // the child gets its own default content
};

constexpr ChildSpec Field(int type, int kind)
{
    return {type, kind};
}
constexpr ChildSpec Choice(int type, unsigned defaultId)
{
    return {type, EK::Choice, defaultId};
}
constexpr ChildSpec Group(int type, int kind = EK::None)
{
    return {type, kind, 0, nullptr, true};
}

struct ContentRow
{
    std::initializer_list<int> types;
    std::initializer_list<ChildSpec> children;
};

// clang-format off
const ContentRow kContent[] = {
    {{Root}, {Group(IAPSettings), Group(EMailSettings), Group(WAPSettings), Group(SMSSettings),
              Group(PersonalData), Group(FileTransfer), Group(BIOMessages, EK::Hidden)}},
    {{PersonalData}, {Field(DefaultVoiceMailbox, EK::PhoneNumber),
                      Field(WWWBookmarks, EK::WWWBookmarkList),
                      Field(WAPBookmarks, EK::WAPBookmarkList)}},
    {{WWWBookmarks}, {Field(WWWBookmark, EK::None)}},
    {{WWWBookmark}, {Field(WWWBookmarkName, EK::Text), Field(WWWBookmarkURL, EK::WWWBookmarkURL)}},
    {{WAPBookmarks}, {Field(WAPBookmark, EK::None)}},
    {{WAPBookmark}, {Field(WAPBookmarkName, EK::Text), Field(WAPBookmarkURL, EK::WAPBookmarkURL),
                     Field(WAPBookmarkUseConnection, EK::BookmarkConnection),
                     Field(WAPBookmarkUsername, EK::Text),
                     Field(WAPBookmarkPassword, EK::Password)}},
    {{FileTransfer}, {Field(RingingTones, EK::FileList), Field(BackgroundImages, EK::FileList),
                      Field(SISFiles, EK::FileList), Field(Files, EK::FileList)}},
    {{File}, {Field(FileLocal, EK::None), Field(FileRemote, EK::None)}},
    {{IAPSettings}, {Field(PreferredConnection, EK::Choice), Group(IAPTemplate)}},
    {{IAPTemplate, IAPConnection},
     {Field(IAPConnectionName, EK::ConnectionName), Field(IAPPhoneNumber, EK::PhoneNumber),
      Choice(PromptPassword, 420), Field(IAPUsername, EK::Text), Field(IAPPassword, EK::Password),
      Group(Proxies), Group(DataCall), Group(Callback), Group(Other), Group(ScriptOptions),
      Group(AddressOptions)}},
    {{Proxies}, {Choice(HTTPUseProxy, 288), Field(HTTPProxyServer, EK::HostName),
                 {HTTPPortNumber, EK::PortNumber, 0, u"0"},
                 Field(HTTPNoProxyFor, EK::PlainText)}},
    {{DataCall}, {Choice(ConnectionType, 254), Choice(RemoteModemType, 246),
                  Choice(MaxConnectionSpeed, 245), Field(ModemInitString, EK::ModemInit)}},
    {{Callback}, {Choice(UseCallback, 288), Choice(CallbackType, 231),
                  Field(CallbackNumber, EK::PhoneNumber)}},
    {{Other}, {Choice(AllowPlaintextPPPLogin, 420), Choice(UsePPPCompression, 420)}},
    {{ScriptOptions}, {Choice(UseLoginScript, 288), Field(Script, EK::MultilineText),
                       Choice(DisplayTerminalWindow, 288)}},
    {{AddressOptions}, {Choice(RetrieveIP, 420), {IPAddress, EK::IPAddress, 290},
                        Choice(RetrieveDNSAddress, 420), {PrimaryDNS, EK::IPAddress, 290},
                        {SecondaryDNS, EK::IPAddress, 290}}},
    {{EMailSettings}, {Field(PreferredMailbox, EK::Choice), Group(MailboxTemplate)}},
    {{MailboxTemplate, Mailbox},
     {Field(MailboxName, EK::MailboxName), Field(MailboxOwnerName, EK::Text),
      Field(MailboxUsername, EK::Text), Field(MailboxPassword, EK::Password),
      Field(EMailAddress, EK::EMailAddress), Field(MailboxUseConnection, EK::Choice),
      Group(Servers), Group(RetrieveMail), Group(Advanced)}},
    {{Servers}, {Choice(MailboxType, 190), Field(OutServer, EK::HostName),
                 Field(InServer, EK::HostName)}},
    {{RetrieveMail}, {Choice(Retrieve, 185), {MessageMaxSize, EK::MessageSize, 182}}},
    {{Advanced}, {Choice(DefaultMailType, 166), Choice(DefaultSendingOption, 157),
                  Choice(IncludeSignature, 288), Field(Signature, EK::MultilineText),
                  Choice(RequestReadReport, 288), Choice(AllowReportRequests, 420),
                  Choice(CopyToMyMailAddress, 288), Choice(UseAPOP, 288), Choice(UseSSL, 288),
                  Field(IMAP4FolderPath, EK::PlainText)}},
    {{WAPSettings}, {Group(WAPTemplate)}},
    {{WAPConnection, WAPTemplate},
     {Field(WAPConnectionName, EK::ConnectionName), Choice(UseSecureConnection, 288),
      Choice(WAPUseConnection, 289), {ServiceAddress, EK::IPAddress, 290}}},
    {{SMSSettings}, {Field(PreferredCentre, EK::Choice), Group(SMSTemplate)}},
    {{SMSTemplate, SMSCentre}, {Field(CentreName, EK::PlainText),
                                Field(CentrePhoneNumber, EK::PhoneNumber)}},
    {{TerminalConnectionSettings}, {Group(TerminalTemplate)}},
    {{TerminalConnection, TerminalTemplate},
     {Field(TerminalConnectionName, EK::ConnectionName),
      Field(TerminalPhoneNumber, EK::PhoneNumber), Group(TerminalAdvancedSettings)}},
    {{TerminalAdvancedSettings},
     {Choice(TerminalBackspaceKeySends, 359), Choice(TerminalEnterKeySends, 363),
      Choice(TerminalLocalEcho, 368), Choice(StartInCharMode, 288),
      Field(ModemInitialization, EK::ModemInit)}},
    {{TelnetConnectionSettings}, {Group(TelnetTemplate)}},
    {{TelnetConnection, TelnetTemplate},
     {Field(TelnetConnectionName, EK::ConnectionName), Field(Hostname, EK::HostName),
      Field(TelnetAccessPoint, EK::Choice), Group(TelnetAdvancedSettings)}},
    {{TelnetAdvancedSettings}, {Choice(TelnetBackspaceKeySends, 342),
                                Choice(TelnetEnterKeySends, 345), Choice(TelnetLocalEcho, 349)}},
};
// clang-format on

const ContentRow *ContentRowOf(int type)
{
    for (const ContentRow &row : kContent) {
        if (std::find(row.types.begin(), row.types.end(), type) != row.types.end())
            return &row;
    }
    return nullptr;
}

} // namespace

void CSettingNode::CreateDefaultContent()
{
    const ContentRow *row = ContentRowOf(m_type);
    if (!row)
        return;
    std::vector<CSettingNode *> made;
    made.reserve(row->children.size());
    for (const ChildSpec &spec : row->children) {
        CSettingNode *child = nullptr;
        if (spec.defaultId)
            child = AddChildWithLabel(spec.defaultId, spec.editorKind, spec.type);
        else
            child = AddChild(spec.text ? QString::fromUtf16(spec.text) : QString(), spec.editorKind,
                             spec.type);
        made.push_back(spec.withContent ? child : nullptr);
    }
    for (CSettingNode *child : made) {
        if (child)
            child->CreateDefaultContent();
    }
}
