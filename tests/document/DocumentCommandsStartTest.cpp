#include "document/DocumentCommandsFixture.h"

#include <QFileInfo>

namespace {

// A path of exactly length units that names an existing configuration.
QString ConfigurationPathOfLength(const QTemporaryDir &dir, int length)
{
    const QString prefix = dir.path() + "/";
    return prefix + QString(length - prefix.size() - 4, u'c') + ".xml";
}

} // namespace

TEST_F(DocumentCommandsTest, InitialLoadTakesTheRequestedFileAndConsumesTheRequest)
{
    const QString requested = WriteConfiguration("requested/a.xml", "Requested");
    const QString last = WriteConfiguration("last/b.xml", "Last");
    SetRegistryValue(kRequestFileValue, requested);
    SetRegistryValue(kLastFileValue, last);

    Commands().InitialLoad();
    EXPECT_EQ(Commands().FilePath(), requested);
    EXPECT_EQ(Commands().FileName(), "a.xml");
    ASSERT_NE(AccessPoint(), nullptr);
    EXPECT_EQ(AccessPoint()->FindChild(NodeType::IAPConnectionName)->GetValue(), "Requested");
    EXPECT_EQ(fake.filledRoot, document.GetRoot());
    EXPECT_EQ(RegistryValue(kRequestFileValue), "<absent>");
    EXPECT_EQ(RegistryValue(kLastFileValue), last) << "only closing writes LastFile";
    EXPECT_EQ(Commands().CurrentFolder(), dir.filePath("requested"));
    EXPECT_EQ(Commands().DefaultFolder(), programFolder + "Configuration Files");
    EXPECT_TRUE(QFileInfo(programFolder + "Configuration Files").isDir());
    EXPECT_TRUE(fake.shown.empty());
    EXPECT_FALSE(CSettingNode::IsModified());
    EXPECT_EQ(fake.log.first(), "font");

    // A request that cannot be opened is consumed all the same.
    SetRegistryValue(kRequestFileValue, dir.filePath("gone.xml"));
    const auto again = MakeCommands();
    again->InitialLoad();
    EXPECT_EQ(RegistryValue(kRequestFileValue), "<absent>");
    EXPECT_TRUE(again->IsUntitled());
    ASSERT_EQ(fake.shown.size(), 1u);
    EXPECT_TRUE(fake.shown[0].text.startsWith("Cannot read the file.\r\n"));
}

TEST_F(DocumentCommandsTest, InitialLoadFallsBackToLastFileForAnEmptyOrOverlongRequest)
{
    const QString last = WriteConfiguration("b.xml", "Last");
    SetRegistryValue(kLastFileValue, last);

    SetRegistryValue(kRequestFileValue, "");
    Commands().InitialLoad();
    EXPECT_EQ(Commands().FilePath(), last);
    EXPECT_EQ(RegistryValue(kRequestFileValue), "") << "an empty request stays";

    // 259 units fit the path buffer with its terminator, 260 do not.
    const QString longest = ConfigurationPathOfLength(dir, kPathBufferSize - 1);
    ASSERT_TRUE(QFile::copy(last, longest));
    const QString tooLong = ConfigurationPathOfLength(dir, kPathBufferSize);
    ASSERT_TRUE(QFile::copy(last, tooLong));

    SetRegistryValue(kRequestFileValue, tooLong);
    const auto second = MakeCommands();
    second->InitialLoad();
    EXPECT_EQ(second->FilePath(), last);
    EXPECT_EQ(RegistryValue(kRequestFileValue), tooLong) << "a value that does not fit is absent";

    SetRegistryValue(kRequestFileValue, longest);
    const auto third = MakeCommands();
    third->InitialLoad();
    EXPECT_EQ(third->FilePath(), longest);

    SetRegistryValue(kLastFileValue, tooLong);
    const auto fourth = MakeCommands();
    fourth->InitialLoad();
    EXPECT_TRUE(fourth->IsUntitled());
    EXPECT_TRUE(fake.shown.empty());
}

TEST_F(DocumentCommandsTest, InitialLoadWithoutTheKeyStartsANewDocument)
{
    WriteConfiguration("program/Configuration Files/kept.xml");
    Commands().InitialLoad();
    EXPECT_TRUE(QFile::exists(programFolder + "Configuration Files/kept.xml"));
    EXPECT_TRUE(Commands().IsUntitled());
    EXPECT_EQ(Commands().FileName(), "Untitled");
    EXPECT_TRUE(Commands().FilePath().isEmpty());
    EXPECT_EQ(Commands().CurrentFolder(), programFolder + "Configuration Files");
    EXPECT_EQ(fake.filledRoot, document.GetRoot());
    EXPECT_EQ(AccessPoint(), nullptr);
    EXPECT_EQ(fake.log, (QStringList{"font", "clear", "fill", "header", "select"}));
    EXPECT_TRUE(fake.shown.empty());
    EXPECT_TRUE(fake.openRequests.empty());
    EXPECT_TRUE(store.keys.isEmpty()) << "reading never creates the key";
    EXPECT_FALSE(CSettingNode::IsModified());
}

TEST_F(DocumentCommandsTest, InitialLoadCreatesOnlyTheLastFolderLevel)
{
    programFolder = dir.path() + "/missing/";
    Commands().InitialLoad();
    EXPECT_FALSE(QFileInfo::exists(programFolder));
    EXPECT_EQ(Commands().DefaultFolder(), programFolder + "Configuration Files");
    EXPECT_TRUE(fake.shown.empty());
}

TEST_F(DocumentCommandsTest, CloseViewStoresTheBoundFileOrNothing)
{
    // Untitled: the next start begins with a new document.
    Commands().InitialLoad();
    Commands().CloseView();
    EXPECT_EQ(RegistryValue(kLastFileValue), "");
    EXPECT_TRUE(Commands().FileName().isEmpty());
    EXPECT_TRUE(fake.shown.empty()) << "nothing to save";

    const QString path = WriteConfiguration("a.xml");
    const auto bound = MakeCommands();
    ASSERT_TRUE(bound->OpenDocument(path));
    ASSERT_TRUE(AccessPoint()->FindChild(NodeType::IAPPhoneNumber)->SetValue("555"));
    fake.log.clear();
    fake.messageAnswers = {IMessagePort::ResultNo};
    bound->CloseView();
    EXPECT_EQ(fake.log.first(), "commit");
    ASSERT_EQ(fake.shown.size(), 1u);
    EXPECT_EQ(fake.shown[0].buttons, IMessagePort::YesNo);
    EXPECT_EQ(RegistryValue(kLastFileValue), path);
    EXPECT_EQ(bound->FileName(), "a.xml");
}

TEST_F(DocumentCommandsTest, ShowActivityLogOpensTheLogOrSaysWhyNot)
{
    programFolder = dir.path() + "/program/../program/";
    const QString logPath = dir.path() + "/program/ProvixLog.csv";

    Commands().ShowActivityLog();
    EXPECT_EQ(fake.Texts(), QStringList{"No activity log."});
    EXPECT_TRUE(fake.shellOpened.isEmpty());

    ASSERT_TRUE(WriteBytes(logPath, "time;phone\n"));
    fake.shown.clear();
    fake.log.clear();
    Commands().ShowActivityLog();
    EXPECT_EQ(fake.shellOpened, QStringList{logPath});
    EXPECT_TRUE(fake.shown.empty());
    EXPECT_EQ(fake.log.first(), "commit");

    fake.shellResult = false;
    Commands().ShowActivityLog();
    EXPECT_EQ(fake.Texts(), QStringList{"No activity log."});
}
