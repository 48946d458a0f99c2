#pragma once

#include "settings/NodeTypes.h"
#include "settings/SettingNode.h"
#include "settings/TreeHelpers.h"
#include "validate/FieldLimits.h"

#include <QString>

#include <initializer_list>
#include <ostream>
#include <vector>

// What typing a value stores, the same through the in-place editors and
// through `provana set`. The cases run on a default configuration holding the
// access points "Office" and "Home" (in that order, so that a path through
// IAPConnection reaches "Office") and the mailbox "Work", as
// PrepareEditCaseTree leaves it, with the English language library.
namespace EditCases {

enum class Outcome {
    Stored,  // the value given is stored
    Kept,    // nothing is stored and nothing is said
    Refused, // nothing is stored; message says why
};

struct EditCase
{
    const char *name;
    std::vector<int> path; // child types from the root; the first child of each type
    QString before;        // set first; null: the default value
    QString typed;         // for a choice list: the text of the entry picked
    Outcome outcome;
    QString stored;
    bool included;
    QString message = {};
    bool cliOnly = false; // the editor cannot express this by typing or picking
    int cutTo = 0;        // the text was cut to its field's limit, and `provana set` says so
    // What the editor's status bar and `provana set` say of a stored value
    // that differs from the text (a value moved into its range, a character
    // dropped).
    QString note = {};
};

inline void PrintTo(const EditCase &row, std::ostream *os)
{
    *os << row.name;
}

// "Office" uses a proxy, a fixed IP address and a login script, "Work" a
// signature of its own, and "Home" joins them.
inline void PrepareEditCaseTree(CSettingNode *root)
{
    using namespace NodeType;
    CSettingNode *office = Path(root, {IAPSettings, IAPConnection});
    Path(office, {Proxies, HTTPUseProxy})->SetValue("Yes");
    Path(office, {AddressOptions, RetrieveIP})->SetValue("No");
    Path(office, {ScriptOptions, UseLoginScript})->SetValue("Yes");
    Path(root, {EMailSettings, Mailbox, Advanced, IncludeSignature})->SetValue("Custom");
    AddAccessPoint(root, "Home");
}

inline CSettingNode *FindCaseNode(CSettingNode *root, const EditCase &row)
{
    CSettingNode *node = root;
    for (int type : row.path)
        node = node ? node->FindChild(type) : nullptr;
    return node;
}

inline const QString kNotValid = QStringLiteral("The value you typed is not valid.");

inline std::vector<EditCase> Cases()
{
    using namespace NodeType;
    const std::vector<int> office{IAPSettings, IAPConnection};
    const auto officeField = [&office](std::initializer_list<int> types) {
        std::vector<int> path = office;
        path.insert(path.end(), types);
        return path;
    };
    const std::vector<int> port = officeField({Proxies, HTTPPortNumber});
    const std::vector<int> proxyHost = officeField({Proxies, HTTPProxyServer});
    const std::vector<int> phone = officeField({IAPPhoneNumber});
    const std::vector<int> username = officeField({IAPUsername});
    const std::vector<int> officeName = officeField({IAPConnectionName});
    const std::vector<int> address = officeField({AddressOptions, IPAddress});
    const std::vector<int> size{EMailSettings, Mailbox, RetrieveMail, MessageMaxSize};
    const std::vector<int> eMail{EMailSettings, Mailbox, EMailAddress};
    const std::vector<int> inServer{EMailSettings, Mailbox, Servers, InServer};
    const std::vector<int> mailType{EMailSettings, Mailbox, Advanced, DefaultMailType};
    const std::vector<int> voiceMailbox{PersonalData, DefaultVoiceMailbox};
    const std::vector<int> noProxyFor = officeField({Proxies, HTTPNoProxyFor});
    const std::vector<int> modemInit = officeField({DataCall, ModemInitString});
    const std::vector<int> script = officeField({ScriptOptions, Script});
    const std::vector<int> mailboxName{EMailSettings, Mailbox, MailboxName};
    const std::vector<int> password{EMailSettings, Mailbox, MailboxPassword};
    const std::vector<int> signature{EMailSettings, Mailbox, Advanced, Signature};
    const QString longName(MaxLength(IAPUsername) + 10, u'u');
    const auto cut = [](int type) {
        return MaxLength(type);
    };
    const auto text = [](int type, int extra, char16_t c) {
        return QString(MaxLength(type) + extra, c);
    };
    // Line breaks typed as CR LF, stored as one line feed each.
    QString scriptLines;
    QString storedLines;
    for (int i = 0; i < MaxLength(Script) / 4; ++i) {
        scriptLines += QStringLiteral("line\r\n");
        storedLines += QStringLiteral("line\n");
    }
    return {
        {"PortAboveLimit", port, QString(), "70000", Outcome::Stored, "65535", true, QString(),
         false, 0, "HTTP proxy port limited to 65535"},
        {"PortDigitsOnly", port, "8080", "12a3", Outcome::Stored, "123", true, QString(), false, 0,
         "Only digits are allowed in HTTP proxy port"},
        {"SizeBelowLimit", size, QString(), "0", Outcome::Stored, "1", true, QString(), false, 0,
         "Maximum message size raised to 1"},
        {"SizeAboveLimit", size, QString(), "5000", Outcome::Stored, "1000", true, QString(), false,
         0, "Maximum message size limited to 1000"},
        {"EMailRefused", eMail, "old@example.com", "nobody.example.com", Outcome::Refused,
         "old@example.com", false, kNotValid},
        {"ProxyHostRefused", proxyHost, QString(), ".proxy", Outcome::Refused, "", false,
         kNotValid},
        // Mail servers are left to the whole-tree check.
        {"MailServerUnchecked", inServer, QString(), ".mail", Outcome::Stored, ".mail", true},
        {"VoiceMailboxOneDigit", voiceMailbox, "123", "5", Outcome::Refused, "123", false,
         kNotValid},
        {"VoiceMailboxPlusInFront", voiceMailbox, QString(), "+35+8*9#p", Outcome::Stored,
         "+358*9#", true, QString(), false, 0, "Letters are not allowed in phone numbers"},
        {"PhoneFiltered", phone, QString(), "+358 (9) 12x-3", Outcome::Stored, "+358 (9) 12-3",
         true, QString(), false, 0, "Letters are not allowed in phone numbers"},
        {"VoiceMailboxSecondPlus", voiceMailbox, QString(), "+35+8", Outcome::Stored, "+358", true,
         QString(), false, 0, "A plus sign is allowed only at the start of Voice mailbox number"},
        {"UsernameCut", username, QString(), longName, Outcome::Stored,
         longName.left(cut(IAPUsername)), true, QString(), false, cut(IAPUsername)},
        {"ChoiceByShownText", mailType, QString(), "Plain text", Outcome::Stored, "Text", true},
        {"ChoiceByValue", mailType, QString(), "TextNoMIME", Outcome::Stored, "TextNoMIME", true,
         QString(), true},
        {"ChoiceUnknown", mailType, QString(), "Rich text", Outcome::Refused, "HTML", false,
         "\"Rich text\" is not one of the choices of Message format.", true},
        {"NameInUse", officeName, QString(), "Home", Outcome::Refused, "Office", false,
         "The name \"Home\" is already used in Internet access points. Choose another name."},
        {"NameTemplateLabelOtherCase", officeName, QString(), "NEW ACCESS POINT", Outcome::Refused,
         "Office", false, "\"NEW ACCESS POINT\" cannot be used as a name. Choose another name."},
        {"NameClearedKeepsName", officeName, QString(), "", Outcome::Kept, "Office", false},
        // An address field above its range gets the range's maximum.
        {"IPAddressFieldAboveRange", address, QString(), "10.1.2.255", Outcome::Stored,
         "10.1.2.254", true},
        {"MailboxNameClearedKeepsName", mailboxName, QString(), "", Outcome::Kept, "Work", false},
        {"PlainTextCut", noProxyFor, QString(), text(HTTPNoProxyFor, 6, u'n'), Outcome::Stored,
         text(HTTPNoProxyFor, 0, u'n'), true, QString(), false, cut(HTTPNoProxyFor)},
        {"ModemInitCut", modemInit, QString(), text(ModemInitString, 5, u'm'), Outcome::Stored,
         text(ModemInitString, 0, u'm'), true, QString(), false, cut(ModemInitString)},
        {"PasswordCut", password, QString(), text(MailboxPassword, 5, u'p'), Outcome::Stored,
         text(MailboxPassword, 0, u'p'), true, QString(), false, cut(MailboxPassword)},
        // A multi-line text shows the same whatever it holds, so storing one
        // does not include it.
        {"ScriptCut", script, QString(), text(Script, 2000, u's'), Outcome::Stored,
         text(Script, 0, u's'), false, QString(), false, cut(Script)},
        // Typed into the dialog, a line break counts two against the limit;
        // the command line cuts in stored form, as loading a file does.
        {"ScriptLineBreaksCountOnceWhenCut", script, QString(), scriptLines, Outcome::Stored,
         storedLines.left(cut(Script)), false, QString(), true, cut(Script)},
        {"SignatureCut", signature, QString(), text(Signature, 100, u'g'), Outcome::Stored,
         text(Signature, 0, u'g'), false, QString(), false, cut(Signature)},
        {"SignatureLineBreakCountsOnce", signature, QString(), text(Signature, -1, u'g') + u'\n',
         Outcome::Stored, text(Signature, -1, u'g') + u'\n', false},
        {"BookmarkListHasNoValue",
         {PersonalData, WWWBookmarks},
         QString(),
         "x",
         Outcome::Refused,
         QString(),
         false,
         "WWW bookmarks has no value that can be typed.",
         true},
        {"WapBookmarkListHasNoValue",
         {PersonalData, WAPBookmarks},
         QString(),
         "x",
         Outcome::Refused,
         QString(),
         false,
         "WAP bookmarks has no value that can be typed.",
         true},
        {"FileListHasNoValue",
         {FileTransfer, RingingTones},
         QString(),
         "x",
         Outcome::Refused,
         QString(),
         false,
         "Ringing tones has no value that can be typed.",
         true},
    };
}

// The cases the in-place editors can be given.
inline std::vector<EditCase> EditorCases()
{
    std::vector<EditCase> cases;
    for (const EditCase &row : Cases()) {
        if (!row.cliOnly)
            cases.push_back(row);
    }
    return cases;
}

} // namespace EditCases
