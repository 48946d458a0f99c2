// fuzz_seeds CORPUS_FOLDER: writes the seed inputs of each fuzz target into
// CORPUS_FOLDER/<target>/ and a dictionary per target into CORPUS_FOLDER/.
// The configuration seeds are files the writer made, so they follow the
// format exactly; everything is UTF-16 little-endian, as the targets read it.
#include "FuzzTree.h"

#include "config/ConfigWriter.h"
#include "config/PasswordScrambler.h"
#include "orvenet/server/Protocol.h"
#include "settings/NodeTypes.h"
#include "settings/SettingNode.h"
#include "settings/TagTable.h"

#include <QDir>
#include <QFile>
#include <QStringList>

#include <cstdio>
#include <initializer_list>

namespace {

using namespace NodeType;

void Set(CSettingNode *node, std::initializer_list<int> path, const QString &value)
{
    CSettingNode *field = node->FindDescendant(path);
    field->SetValue(value);
    field->SetInclude(1, 1);
}

CSettingNode *NameTemplate(CSettingNode *root, int category, int templateType, int nameField,
                           const QString &name)
{
    CSettingNode *item = root->FindDescendant({category, templateType});
    Set(item, {nameField}, name);
    item->SetInclude(1, 1);
    return item;
}

// One of everything the format has: items of each kind, references, entry
// lists, a password, character data that needs splitting, entities, line
// breaks, an unknown element with attributes.
void FillEverything(CSettingNode *root)
{
    CSettingNode *office =
        NameTemplate(root, IAPSettings, IAPTemplate, IAPConnectionName, "Office");
    Set(office, {IAPPhoneNumber}, "+358 40 123(4)");
    Set(office, {IAPUsername}, "a<b&c>");
    Set(office, {IAPPassword}, "secret");
    Set(office, {ScriptOptions, UseLoginScript}, "Yes");
    Set(office, {ScriptOptions, Script}, "WAIT \"login:\"\nSEND ]]> <!-- kept -->\n");
    Set(office, {DataCall, ConnectionType}, "Fast");
    Set(office, {AddressOptions, IPAddress}, "10.0.0.1");
    Set(root, {IAPSettings, PreferredConnection}, "Office");
    root->FindChild(IAPSettings)->SetInclude(1, 1);

    CSettingNode *mailbox = NameTemplate(root, EMailSettings, MailboxTemplate, MailboxName, "Work");
    Set(mailbox, {EMailAddress}, "me@example.com");
    Set(mailbox, {MailboxUseConnection}, "Office");
    Set(mailbox, {Servers, MailboxType}, "POP3");
    Set(mailbox, {Servers, InServer}, "pop.example.com");
    Set(mailbox, {Advanced, Signature}, "Regards\n  Me");
    mailbox->FindDescendant({Advanced})->SetUpdateFlag(1);

    CSettingNode *wap = NameTemplate(root, WAPSettings, WAPTemplate, WAPConnectionName, "Portal");
    Set(wap, {WAPUseConnection}, "Office");
    NameTemplate(root, SMSSettings, SMSTemplate, CentreName, "Centre");

    CSettingNode *www = root->FindDescendant({PersonalData, WWWBookmarks});
    CSettingNode *bookmark = www->AddChild(QString(), EditorKind::None, WWWBookmark);
    bookmark->CreateDefaultContent();
    Set(bookmark, {WWWBookmarkName}, "News");
    Set(bookmark, {WWWBookmarkURL}, "http://example.com/?a=1&b=2");
    CSettingNode *wapBookmarks = root->FindDescendant({PersonalData, WAPBookmarks});
    CSettingNode *wapBookmark = wapBookmarks->AddChild(QString(), EditorKind::None, WAPBookmark);
    wapBookmark->CreateDefaultContent();
    Set(wapBookmark, {WAPBookmarkName}, "Mobile");
    Set(wapBookmark, {WAPBookmarkUseConnection}, "Portal");
    Set(wapBookmark, {WAPBookmarkPassword}, "pin");

    CSettingNode *tones = root->FindDescendant({FileTransfer, RingingTones});
    tones->AddChild("C:\\Tones\\ring.wav", EditorKind::None, RingingTone);
    tones->SetInclude(1, 1);
    CSettingNode *files = root->FindDescendant({FileTransfer, Files});
    CSettingNode *file = files->AddChild(QString(), EditorKind::None, File);
    file->CreateDefaultContent();
    Set(file, {FileLocal}, "/home/me/notes.txt");
    Set(file, {FileRemote}, "C:\\Documents\\");

    CSettingNode *unknown = root->AddChild(QString(), EditorKind::Hidden, FreeElement);
    unknown->SetLabelOverride("TerminalConnectionSettings");
    unknown->SetAttributeText("version=\"2\" op=\"update\"");
    CSettingNode *raw = unknown->AddChild("x]]>y", EditorKind::Hidden, FreeElement);
    raw->SetLabelOverride("Raw");
    raw->SetRawMarkup(1);
}

QByteArray Utf16(const QString &text)
{
    return QByteArray(reinterpret_cast<const char *>(text.utf16()), text.size() * 2);
}

bool Write(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(bytes) == bytes.size();
}

// A libFuzzer dictionary entry for the UTF-16 little-endian form of token.
QByteArray DictionaryEntry(const QString &token)
{
    QByteArray entry = "\"";
    for (QChar c : token) {
        for (int byte : {c.unicode() & 0xFF, c.unicode() >> 8}) {
            if (byte >= 0x20 && byte < 0x7F && byte != '"' && byte != '\\')
                entry += static_cast<char>(byte);
            else
                entry += QByteArray("\\x") + QByteArray::number(byte, 16).rightJustified(2, '0');
        }
    }
    return entry + "\"\n";
}

bool WriteConfigurationSeeds(CFuzzTree &tree, const QString &folder)
{
    CSettingNode *root = tree.Reset();
    bool ok = SaveConfigurationFile(root, folder + "/default.xml");
    root = tree.Reset();
    FillEverything(root);
    ok = SaveConfigurationFile(root, folder + "/everything.xml") && ok;
    return ok;
}

bool WriteConfigurationDictionary(const QString &path)
{
    QStringList tokens = {"<?xml version=\"1.0\" encoding=\"UTF-16\"?>",
                          "<!--",
                          "-->",
                          "<![CDATA[",
                          "]]>",
                          "<Settings>",
                          "</Settings>",
                          " op=\"create\"",
                          " op=\"update\"",
                          "</",
                          "/>",
                          "&amp;",
                          "&lt;",
                          "&gt;",
                          "\r\n"};
    for (const TagEntry &tag : TagTable()) {
        if (tag.name && *tag.name)
            tokens.append(QString::fromUtf8(tag.name));
    }
    tokens.removeDuplicates();
    QByteArray dictionary;
    for (const QString &token : tokens)
        dictionary += DictionaryEntry(token);
    return Write(path, dictionary);
}

bool WriteValueSeeds(const QString &folder)
{
    const QStringList values = {
        ScramblePassword("secret", 20, 0x1234),
        ScramblePassword(QString(), 25, 0xBEEF),
        "<![CDATA[a]]]]>\n<![CDATA[>b]]>",
        "  a&amp;lt;b&gt;c  ",
        "line one\n    line two",
    };
    bool ok = true;
    for (int i = 0; i < values.size(); ++i)
        ok = Write(QStringLiteral("%1/value-%2").arg(folder).arg(i), Utf16(values[i])) && ok;
    return ok;
}

// Bookmark files and Internet shortcuts in the shapes browsers write them.
bool WriteBookmarkSeeds(const QString &corpus)
{
    const QByteArray files[] = {
        "<!DOCTYPE NETSCAPE-Bookmark-file-1>\r\n<META HTTP-EQUIV=\"Content-Type\" "
        "CONTENT=\"text/html; charset=ISO-8859-1\">\r\n<DL><p>\r\n<DT><H3>F</H3>\r\n<DL><p>\r\n"
        "<DT><A HREF=\"http://a.example/?x=1&amp;y\" ADD_DATE=\"1\">Caf\xe9 &#233;</A>\r\n"
        "<DD>about\r\n</DL><p>\r\n</DL>\r\n",
        "\xEF\xBB\xBF<dt><a href=\"https://b.example/\">two\nlines &#x263A;</a>\n",
    };
    const QByteArray shortcuts[] = {
        "[{000214A0-0000-0000-C000-000000000046}]\r\nProp3=19,2\r\n[InternetShortcut]\r\n"
        "URL=http://a.example/\r\nIconIndex=0\r\n",
        "[InternetShortcut]\nIDList=\n",
    };
    const QString fileFolder = corpus + "/fuzz_bookmark_file";
    const QString shortcutFolder = corpus + "/fuzz_internet_shortcut";
    bool ok = QDir().mkpath(fileFolder) && QDir().mkpath(shortcutFolder);
    for (size_t i = 0; i < std::size(files); ++i)
        ok = Write(QStringLiteral("%1/file-%2").arg(fileFolder).arg(i), files[i]) && ok;
    for (size_t i = 0; i < std::size(shortcuts); ++i)
        ok = Write(QStringLiteral("%1/url-%2").arg(shortcutFolder).arg(i), shortcuts[i]) && ok;
    const QByteArray dictionary = "\"<DT>\"\n\"<dt>\"\n\"<A HREF=\\\"\"\n\"</A>\"\n\"&amp;\"\n"
                                  "\"&#x\"\n\"&#\"\n\";\"\n\"charset=\"\n\"<META \"\n"
                                  "\"\\xEF\\xBB\\xBF\"\n\"\\x0D\\x0A\"\n";
    return Write(corpus + "/fuzz_bookmark_file.dict", dictionary) && ok;
}

// Streams of requests as clients send them, each behind the byte that tells
// the target where to cut the stream into reads.
bool WriteServerMessageSeeds(const QString &corpus)
{
    using namespace Wire;
    const QByteArray setting =
        CMessageWriter(Kind::Request, 1, SetClientName).Text(u"Provana User Interface").Frame() +
        CMessageWriter(Kind::Request, 2, RegisterCallback).Number(0x12345678).Frame() +
        CMessageWriter(Kind::Request, 3, SetConfiguration)
            .Text(u"<Settings>\n</Settings>\n")
            .Text(u"/home/ann/a.cfg")
            .Frame() +
        CMessageWriter(Kind::Request, 4, StartTransfer).Frame();
    const QByteArray phone =
        CMessageWriter(Kind::Request, 1, PhoneIdentity)
            .Text(u"E90")
            .Text(u"35")
            .Text(u"+1")
            .Frame() +
        CMessageWriter(Kind::Request, 2, PhoneFail).Number(0x80040156).Number(3).Frame() +
        CMessageWriter(Kind::Event, 7, Progress).Number(3).Text(u"\u00e4.wav").Number(50).Frame();
    const QString folder = corpus + "/fuzz_server_messages";
    bool ok = QDir().mkpath(folder);
    ok = Write(folder + "/setting", '\x11' + setting) && ok;
    return Write(folder + "/phone", '\x05' + phone) && ok;
}

// Tables as spreadsheets export them: quoted fields, semicolons, a byte
// order mark, CR LF line ends, tabs (the first byte picks tabs when odd).
bool WriteVariantTableSeeds(const QString &corpus)
{
    const QByteArray tables[] = {
        "file,EMailSettings/Mailbox[Work]/UserName\nann,\"a,\"\"b\"\"\"\n",
        "\xEF\xBB\xBF"
        "file;IAPSettings/IAPConnection[1]/DataCall/PhoneNumber\r\nx;\"1\r\n2\"\r\n",
        "Name\tValue\n1\t2\n\n",
    };
    const QString folder = corpus + "/fuzz_variant_table";
    bool ok = QDir().mkpath(folder);
    for (size_t i = 0; i < std::size(tables); ++i)
        ok = Write(QStringLiteral("%1/table-%2").arg(folder).arg(i), tables[i]) && ok;
    return Write(corpus + "/fuzz_variant_table.dict", "\"\\\"\"\n\";\"\n\",\"\n\"\\x0D\\x0A\"\n") &&
           ok;
}

// Browser profile files and the phone's settings as their programs write them.
bool WriteProfileSeeds(const QString &corpus)
{
    const QByteArray chromium =
        "{\n   \"checksum\": \"0\",\n   \"roots\": {\n      \"bookmark_bar\": {\n"
        "         \"children\": [ {\n            \"name\": \"News \\u00e4\",\n"
        "            \"type\": \"url\",\n            \"url\": \"https://a.example/\"\n"
        "         }, {\n            \"children\": [ { \"name\": \"In\", \"type\": \"url\", "
        "\"url\": \"http://b.example/\" } ],\n            \"name\": \"Folder\",\n"
        "            \"type\": \"folder\"\n         } ],\n         \"type\": \"folder\"\n"
        "      },\n      \"other\": { \"children\": [  ], \"type\": \"folder\" },\n"
        "      \"synced\": { \"children\": [  ], \"type\": \"folder\" }\n   },\n"
        "   \"version\": 1\n}\n";
    const QByteArray profiles[] = {
        "[Install4F96D1932A9F858E]\nDefault=q\nLocked=1\n\n[Profile1]\nName=default\n"
        "IsRelative=1\nPath=p\nDefault=1\n\n[Profile0]\nName=release\nIsRelative=1\nPath=q\n\n"
        "[General]\nStartWithLastProfile=1\nVersion=2\n",
        "[Profile0]\r\nName=default\r\nIsRelative=1\r\nPath=p\r\n",
    };
    const QByteArray phone = "[Phone]\nEPOCName=Talvik Phone\nIMEI=490154203237518\n"
                             "PhoneNumber=+358401234567\nConnected=yes\nHolder=\n";
    const QString chromiumFolder = corpus + "/fuzz_chromium_bookmarks";
    const QString profileFolder = corpus + "/fuzz_firefox_profiles";
    const QString phoneFolder = corpus + "/fuzz_phone_ini";
    bool ok =
        QDir().mkpath(chromiumFolder) && QDir().mkpath(profileFolder) && QDir().mkpath(phoneFolder);
    ok = Write(chromiumFolder + "/bookmarks", chromium) && ok;
    for (size_t i = 0; i < std::size(profiles); ++i)
        ok = Write(QStringLiteral("%1/profiles-%2").arg(profileFolder).arg(i), profiles[i]) && ok;
    return Write(phoneFolder + "/phone", phone) && ok;
}

// Configurations as the server stores them: UTF-8, with a file entry, the
// references and pieces of markup a reader must know.
bool WriteReceivedSeeds(const QString &corpus)
{
    const QByteArray texts[] = {
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<Settings>\n"
        " <IAPSettings op=\"create\">\n  <IAPConnection op=\"create\">"
        "<Name op=\"create\">Office &amp; home</Name></IAPConnection>\n </IAPSettings>\n"
        " <FileTransfer op=\"create\">\n  <Files op=\"create\">\n   <File op=\"create\">"
        "<Local>/home/ann/a.txt</Local><Remote>C:\\Notes\\</Remote></File>\n"
        "  </Files>\n  <RingingTones op='create'><RingingTone op='create'>"
        "<![CDATA[/tmp/r\xC3\xA4.wav]]></RingingTone></RingingTones>\n </FileTransfer>\n"
        "</Settings>\n",
        "\xEF\xBB\xBF<!-- c --><?pi data?><Settings a='&#x41;&#66;' b=\"\r\n\t\">x\r\ny"
        "<e/></Settings>\r\n",
    };
    const QString folder = corpus + "/fuzz_received_configuration";
    bool ok = QDir().mkpath(folder);
    for (size_t i = 0; i < std::size(texts); ++i)
        ok = Write(QStringLiteral("%1/received-%2").arg(folder).arg(i), texts[i]) && ok;
    return Write(corpus + "/fuzz_received_configuration.dict",
                 "\"<![CDATA[\"\n\"]]>\"\n\"<!--\"\n\"-->\"\n\"<?\"\n\"?>\"\n\"&#x\"\n"
                 "\"&amp;\"\n\"/>\"\n\"</\"\n\"op=\\\"create\\\"\"\n\"<?xml \"\n"
                 "\"version=\\\"1.0\\\"\"\n\"<!DOCTYPE\"\n") &&
           ok;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: fuzz_seeds CORPUS_FOLDER\n");
        return 2;
    }
    const QString corpus = QFile::decodeName(argv[1]);
    const QString configFolder = corpus + "/fuzz_config";
    const QString valueFolder = corpus + "/fuzz_values";
    if (!QDir().mkpath(configFolder) || !QDir().mkpath(valueFolder)) {
        std::fprintf(stderr, "cannot make the folders under %s\n", argv[1]);
        return 1;
    }
    CFuzzTree tree;
    const bool ok = WriteConfigurationSeeds(tree, configFolder) &&
                    WriteConfigurationDictionary(corpus + "/fuzz_config.dict") &&
                    WriteValueSeeds(valueFolder) && WriteBookmarkSeeds(corpus) &&
                    WriteServerMessageSeeds(corpus) && WriteVariantTableSeeds(corpus) &&
                    WriteProfileSeeds(corpus) && WriteReceivedSeeds(corpus);
    if (!ok) {
        std::fprintf(stderr, "cannot write the seeds under %s\n", argv[1]);
        return 1;
    }
    return 0;
}
