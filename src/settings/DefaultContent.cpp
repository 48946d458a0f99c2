// The default content of each node type: which children a new node gets, in
// which order, with which default value. Their editor kinds come from the
// catalogue.
#include "settings/SettingNode.h"

#include "settings/NodeCatalogue.h"
#include "settings/NodeTypes.h"

#include <algorithm>
#include <initializer_list>
#include <span>

namespace {

using namespace NodeType;
struct ChildSpec
{
    int type;
    unsigned defaultId = 0;         // a choice default: the invariant text of this identifier
    const char16_t *text = nullptr; // a plain default text
    bool withContent = false;       // the child gets its own default content
};

constexpr ChildSpec Field(int type)
{
    return {type};
}
constexpr ChildSpec Choice(int type, unsigned defaultId)
{
    return {type, defaultId};
}
constexpr ChildSpec Group(int type)
{
    return {type, 0, nullptr, true};
}

struct ContentRow
{
    std::initializer_list<int> types;
    std::initializer_list<ChildSpec> children;
};

// clang-format off
const ContentRow kContent[] = {
    {{Root}, {Group(IAPSettings), Group(EMailSettings), Group(WAPSettings), Group(SMSSettings),
              Group(PersonalData), Group(FileTransfer), Group(BIOMessages)}},
    {{PersonalData}, {Field(DefaultVoiceMailbox),
                      Field(WWWBookmarks),
                      Field(WAPBookmarks)}},
    {{WWWBookmarks}, {Field(WWWBookmark)}},
    {{WWWBookmark}, {Field(WWWBookmarkName), Field(WWWBookmarkURL)}},
    {{WAPBookmarks}, {Field(WAPBookmark)}},
    {{WAPBookmark}, {Field(WAPBookmarkName), Field(WAPBookmarkURL),
                     Field(WAPBookmarkUseConnection),
                     Field(WAPBookmarkUsername),
                     Field(WAPBookmarkPassword)}},
    {{FileTransfer}, {Field(RingingTones), Field(BackgroundImages),
                      Field(SISFiles), Field(Files)}},
    {{File}, {Field(FileLocal), Field(FileRemote)}},
    {{IAPSettings}, {Field(PreferredConnection), Group(IAPTemplate)}},
    {{IAPTemplate, IAPConnection},
     {Field(IAPConnectionName), Field(IAPPhoneNumber),
      Choice(PromptPassword, 420), Field(IAPUsername), Field(IAPPassword),
      Group(Proxies), Group(DataCall), Group(Callback), Group(Other), Group(ScriptOptions),
      Group(AddressOptions)}},
    {{Proxies}, {Choice(HTTPUseProxy, 288), Field(HTTPProxyServer),
                 {HTTPPortNumber, 0, u"0"},
                 Field(HTTPNoProxyFor)}},
    {{DataCall}, {Choice(ConnectionType, 254), Choice(RemoteModemType, 246),
                  Choice(MaxConnectionSpeed, 245), Field(ModemInitString)}},
    {{Callback}, {Choice(UseCallback, 288), Choice(CallbackType, 231),
                  Field(CallbackNumber)}},
    {{Other}, {Choice(AllowPlaintextPPPLogin, 420), Choice(UsePPPCompression, 420)}},
    {{ScriptOptions}, {Choice(UseLoginScript, 288), Field(Script),
                       Choice(DisplayTerminalWindow, 288)}},
    {{AddressOptions}, {Choice(RetrieveIP, 420), {IPAddress, 290},
                        Choice(RetrieveDNSAddress, 420), {PrimaryDNS, 290},
                        {SecondaryDNS, 290}}},
    {{EMailSettings}, {Field(PreferredMailbox), Group(MailboxTemplate)}},
    {{MailboxTemplate, Mailbox},
     {Field(MailboxName), Field(MailboxOwnerName),
      Field(MailboxUsername), Field(MailboxPassword),
      Field(EMailAddress), Field(MailboxUseConnection),
      Group(Servers), Group(RetrieveMail), Group(Advanced)}},
    {{Servers}, {Choice(MailboxType, 190), Field(OutServer),
                 Field(InServer)}},
    {{RetrieveMail}, {Choice(Retrieve, 185), {MessageMaxSize, 182}}},
    {{Advanced}, {Choice(DefaultMailType, 166), Choice(DefaultSendingOption, 157),
                  Choice(IncludeSignature, 288), Field(Signature),
                  Choice(RequestReadReport, 288), Choice(AllowReportRequests, 420),
                  Choice(CopyToMyMailAddress, 288), Choice(UseAPOP, 288), Choice(UseSSL, 288),
                  Field(IMAP4FolderPath)}},
    {{WAPSettings}, {Group(WAPTemplate)}},
    {{WAPConnection, WAPTemplate},
     {Field(WAPConnectionName), Choice(UseSecureConnection, 288),
      Choice(WAPUseConnection, 289), {ServiceAddress, 290}}},
    {{SMSSettings}, {Field(PreferredCentre), Group(SMSTemplate)}},
    {{SMSTemplate, SMSCentre}, {Field(CentreName),
                                Field(CentrePhoneNumber)}},
    {{TerminalConnectionSettings}, {Group(TerminalTemplate)}},
    {{TerminalConnection, TerminalTemplate},
     {Field(TerminalConnectionName),
      Field(TerminalPhoneNumber), Group(TerminalAdvancedSettings)}},
    {{TerminalAdvancedSettings},
     {Choice(TerminalBackspaceKeySends, 359), Choice(TerminalEnterKeySends, 363),
      Choice(TerminalLocalEcho, 368), Choice(StartInCharMode, 288),
      Field(ModemInitialization)}},
    {{TelnetConnectionSettings}, {Group(TelnetTemplate)}},
    {{TelnetConnection, TelnetTemplate},
     {Field(TelnetConnectionName), Field(Hostname),
      Field(TelnetAccessPoint), Group(TelnetAdvancedSettings)}},
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
    // One allocation for the children's list instead of one each time it
    // doubles: an opened file makes the content of every item.
    m_children.reserve(m_children.size() + row->children.size());
    for (const ChildSpec &spec : row->children) {
        CSettingNode *child = nullptr;
        const int kind = NodeTypeInfoOf(spec.type).editorKind;
        if (spec.defaultId)
            child = AddChildWithLabel(spec.defaultId, kind, spec.type);
        else
            child =
                AddChild(spec.text ? QString::fromUtf16(spec.text) : QString(), kind, spec.type);
        made.push_back(spec.withContent ? child : nullptr);
    }
    for (CSettingNode *child : made) {
        if (child)
            child->CreateDefaultContent();
    }
}
