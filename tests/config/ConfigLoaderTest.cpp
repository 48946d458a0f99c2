#include "settings/TreeHelpers.h"
#include "support/TestApplication.h"

#include "config/ConfigLoader.h"
#include "config/ConfigReader.h"
#include "config/ConfigWriter.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace NodeType;

namespace {

const QString kHead = "<?xml version=\"1.0\" encoding=\"UTF-16\"?>\n<Settings>\n";
const QString kTail = "</Settings>\n";

// Every password scrambled from one first key, so that two writes compare
// whole.
QString Written(const CSettingNode *root)
{
    QString text;
    WriteConfiguration(root, text, [] { return std::uint16_t{0x1234}; });
    return text;
}

} // namespace

TEST(ParseOp, FlagsAndRest)
{
    OpAttribute op = ParseOp(u"OP=\"Create\" name=\"a b\" x=1 y=\"2\"");
    EXPECT_EQ(op.create, 1);
    EXPECT_EQ(op.update, 0);
    EXPECT_EQ(op.rest, " name=\"a b\" x=\"1\" y=\"2\"");
    op = ParseOp(u"op=update");
    EXPECT_EQ(op.update, 1);
    EXPECT_EQ(op.rest, "");
    op = ParseOp(u"op=\"delete\" stray");
    EXPECT_EQ(op.create + op.update, 0);
    EXPECT_EQ(op.rest, " op=\"delete\"");
    EXPECT_EQ(ParseOp(u"a=\"unterminated").rest, " a=\"unterminated\"");
}

TEST(DecodeValue, EntitiesOnceCharacterDataJoinedPasswords)
{
    QString value = "  a&amp;lt;b &gt; ";
    EXPECT_EQ(DecodeValue(nullptr, value), 0);
    EXPECT_EQ(value, "a&lt;b >");
    value = "<![CDATA[a]]]]>\n  <![CDATA[>b]]>";
    EXPECT_EQ(DecodeValue(nullptr, value), 1);
    EXPECT_EQ(value, "a]]>b");
    CSettingNode password(QString(), EditorKind::Password, IAPPassword, nullptr);
    value = "00040071";
    DecodeValue(&password, value);
    EXPECT_EQ(value, "a");
    EXPECT_EQ(RemoveContinuationIndent("a\n    b\n  c\n      d", 2), "a\nb\n  c\n  d");
}

TEST(Loader, WorkedFragmentLoadsIntoResetTree)
{
    CTestTree tree;
    const QString text = kHead +
                         "  <IAPSettings op=\"create\">\n"
                         "    <PreferredConnection op=\"create\">Office</PreferredConnection>\n"
                         "    <IAPConnection op=\"create\">\n"
                         "      <ConnectionName op=\"create\">Office</ConnectionName>\n"
                         "      <PhoneNumber op=\"create\">0123</PhoneNumber>\n"
                         "      <PromptPassword>Yes</PromptPassword>\n"
                         "      <Password>00040071</Password>\n"
                         "    </IAPConnection>\n"
                         "  </IAPSettings>\n" +
                         kTail;
    ASSERT_EQ(ParseConfigurationText(tree.Root(), text), 1);
    CSettingNode *category = tree.Root()->FindChild(IAPSettings);
    ASSERT_EQ(category->ChildCount(), 3);
    CSettingNode *office = category->Children()[1];
    EXPECT_EQ(office->GetType(), IAPConnection);
    EXPECT_EQ(category->Children()[2]->GetType(), IAPTemplate);
    EXPECT_EQ(category->IsIncluded(), 1);
    EXPECT_EQ(office->IsIncluded(), 1);
    EXPECT_EQ(office->FindChild(IAPConnectionName)->GetValue(), "Office");
    EXPECT_EQ(office->FindChild(IAPPhoneNumber)->IsIncluded(), 1);
    EXPECT_EQ(office->FindChild(PromptPassword)->IsIncluded(), 0);
    EXPECT_EQ(office->FindChild(IAPPassword)->GetValue(), "a");
    EXPECT_EQ(category->FindChild(PreferredConnection)->GetValue(), "Office");
}

TEST(Loader, UnknownElementsBecomeFreeNodesWrittenBackUnchanged)
{
    CTestTree tree;
    const QString text = kHead +
                         "  <IAPSettings>\n"
                         "    <IAPConnection>\n"
                         "      <ConnectionName>Office</ConnectionName>\n"
                         "      <Vendor x=\"1\">abc</Vendor>\n"
                         "    </IAPConnection>\n"
                         "  </IAPSettings>\n"
                         "  <TerminalConnectionSettings op=\"create\">\n"
                         "    <TerminalConnection>\n"
                         "      <Raw><![CDATA[<b>]]></Raw>\n"
                         "    </TerminalConnection>\n"
                         "  </TerminalConnectionSettings>\n" +
                         kTail;
    ASSERT_EQ(ParseConfigurationText(tree.Root(), text), 1);
    CSettingNode *office = Path(tree.Root(), {IAPSettings, IAPConnection});
    CSettingNode *vendor = office->Children().back();
    EXPECT_EQ(vendor->GetType(), FreeElement);
    EXPECT_EQ(vendor->GetEditorKind(), EditorKind::Hidden);
    EXPECT_EQ(vendor->GetLabel(true), "Vendor");
    const QString written = Written(tree.Root());
    EXPECT_TRUE(written.contains("      <Vendor x=\"1\">abc</Vendor>\n    </IAPConnection>"));
    EXPECT_TRUE(written.contains("  <TerminalConnectionSettings op=\"create\">\n"
                                 "    <TerminalConnection>\n"
                                 "      <Raw><![CDATA[<b>]]></Raw>\n"
                                 "    </TerminalConnection>\n"
                                 "  </TerminalConnectionSettings>\n"));
    std::vector<CSettingNode *> visible;
    tree.Root()->GetVisibleChildren(visible, false, false);
    EXPECT_EQ(visible.size(), 6u) << "free nodes are hidden";
}

TEST(Loader, FileEntriesAreIncludedThroughTheIncludeRule)
{
    CTestTree tree;
    const QString text = kHead +
                         "  <FileTransfer>\n    <RingingTones>\n"
                         "      <RingingTone op=\"create\">C:\\tone.wav</RingingTone>\n"
                         "    </RingingTones>\n"
                         "    <Files>\n      <File op=\"update\">\n"
                         "        <Local>/a</Local>\n        <Remote>C:\\b</Remote>\n"
                         "      </File>\n    </Files>\n"
                         "  </FileTransfer>\n" +
                         kTail;
    ASSERT_EQ(ParseConfigurationText(tree.Root(), text), 1);
    CSettingNode *tones = Path(tree.Root(), {FileTransfer, RingingTones});
    ASSERT_EQ(tones->ChildCount(), 1);
    EXPECT_EQ(tones->Children()[0]->GetType(), RingingTone);
    EXPECT_EQ(tones->Children()[0]->IsIncluded(), 1);
    EXPECT_TRUE(tree.Root()->IsModified());
    CSettingNode *file = Path(tree.Root(), {FileTransfer, Files, File});
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(file->GetUpdateFlag(), 1);
    EXPECT_EQ(file->FindChild(FileRemote)->GetValue(), "C:\\b");
}

TEST(Loader, PreferredConnectionKeepsTheSecondAccessPoint)
{
    CTestTree tree;
    AddAccessPoint(tree.Root(), "First");
    AddAccessPoint(tree.Root(), "Second");
    CSettingNode *preferred = Path(tree.Root(), {IAPSettings, PreferredConnection});
    preferred->SetValue("Second");
    preferred->SetInclude(1, 1);
    const QString text = Written(tree.Root());

    CTestTree loaded;
    ASSERT_EQ(ParseConfigurationText(loaded.Root(), text), 1);
    EXPECT_EQ(Path(loaded.Root(), {IAPSettings, PreferredConnection})->GetValue(), "Second");
}

TEST(Loader, DuplicateAndEmptyNamesKeepTheDefault)
{
    CTestTree tree;
    const QString text = kHead +
                         "  <IAPSettings>\n"
                         "    <IAPConnection><ConnectionName>A</ConnectionName></IAPConnection>\n"
                         "    <IAPConnection>\n      <ConnectionName>A</ConnectionName>\n"
                         "    </IAPConnection>\n"
                         "    <IAPConnection>\n      <ConnectionName>B</ConnectionName>\n"
                         "      <ConnectionName>C</ConnectionName>\n"
                         "    </IAPConnection>\n"
                         "  </IAPSettings>\n" +
                         kTail;
    ASSERT_EQ(ParseConfigurationText(tree.Root(), text), 1);
    QStringList names;
    Path(tree.Root(), {IAPSettings, PreferredConnection})->GetChoices(names, false);
    EXPECT_EQ(names, (QStringList{"A", "", "C"}));
    EXPECT_EQ(Path(tree.Root(), {IAPSettings, PreferredConnection})->GetValue(), "C");
}

TEST(RoundTrip, WriteLoadWriteIsExact)
{
    CTestTree tree;
    CSettingNode *office = AddAccessPoint(tree.Root(), "Office & <Home>");
    AddAccessPoint(tree.Root(), "Second");
    AddWapConnection(tree.Root(), "Portal");
    AddMailbox(tree.Root(), "Mail");
    office->FindChild(IAPPassword)->SetValue("pa\"ss");
    Path(office, {ScriptOptions, Script})->SetValue("SEND x]]>y\nWAIT \"ok\"\n  indented");
    Path(tree.Root(), {EMailSettings, Mailbox, Advanced, Signature})->SetValue("Best,\n  Me");
    Path(tree.Root(), {PersonalData, DefaultVoiceMailbox})->SetValue("line one\n  line two");
    office->SetInclude(1, 1);
    Path(tree.Root(), {WAPSettings, WAPConnection})->SetUpdateFlag(1);
    CSettingNode *bookmarks = Path(tree.Root(), {PersonalData, WWWBookmarks});
    CSettingNode *bookmark = bookmarks->AddChild(QString(), 0, WWWBookmark);
    bookmark->CreateDefaultContent();
    bookmark->FindChild(WWWBookmarkURL)->SetValue("http://example.com/?a=1&b=2");
    bookmarks->SetInclude(1, 1);
    // Loading refreshes references once, as showing the tree does.
    tree.Root()->RefreshReferences();
    const QString first = Written(tree.Root());

    CTestTree loaded;
    ASSERT_EQ(ParseConfigurationText(loaded.Root(), first), 1);
    const QString second = Written(loaded.Root());
    EXPECT_EQ(second.toStdString(), first.toStdString());
    QString random;
    WriteConfiguration(loaded.Root(), random);
    EXPECT_NE(random, first) << "passwords are scrambled afresh";
    EXPECT_EQ(Path(loaded.Root(), {IAPSettings, IAPConnection, IAPPassword})->GetValue(), "pa\"ss");
    EXPECT_EQ(Path(loaded.Root(), {PersonalData, DefaultVoiceMailbox})->GetValue(),
              "line one\n  line two");
}

TEST(LoadFile, ErrorsAndParseFailures)
{
    CTestTree tree;
    QTemporaryDir dir;
    int parseFailed = 7;
    EXPECT_EQ(LoadConfigurationFile(tree.Root(), dir.filePath("none.xml"), parseFailed), 0);
    EXPECT_EQ(parseFailed, 0);
    EXPECT_FALSE(tree.Root()->GetLastError().isEmpty());

    auto writeBytes = [&dir](const QByteArray &bytes) {
        QFile file(dir.filePath("f.xml"));
        file.open(QIODevice::WriteOnly);
        file.write(bytes);
        return dir.filePath("f.xml");
    };
    for (const QByteArray &bytes : {QByteArray("\xFF\xFE", 2), QByteArray("<?xml?><Settings/>"),
                                    EncodeConfigurationFile("<Settings>\n</Settings>\n")}) {
        EXPECT_EQ(LoadConfigurationFile(tree.Root(), writeBytes(bytes), parseFailed), 0);
        EXPECT_EQ(parseFailed, 1);
    }
    ASSERT_EQ(SaveConfigurationFile(tree.Root(), dir.filePath("ok.xml")), 1);
    EXPECT_EQ(LoadConfigurationFile(tree.Root(), dir.filePath("ok.xml"), parseFailed), 1);
    EXPECT_EQ(parseFailed, 0);
    // The whole text arrives from a file without byte order mark and with an
    // odd byte at its end.
    AddAccessPoint(tree.Root(), "Last");
    const QString text = Written(tree.Root());
    CTestTree loaded;
    const QByteArray bytes = EncodeConfigurationFile(text).mid(2) + "x";
    EXPECT_EQ(LoadConfigurationFile(loaded.Root(), writeBytes(bytes), parseFailed), 1);
    EXPECT_EQ(Written(loaded.Root()), text);
}
