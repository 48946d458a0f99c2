#include "document/DocumentCommandsFixture.h"

#include <functional>

namespace {

const QString kFilter = "Configuration files (*.xml);;All files (*.*)";

} // namespace

TEST_F(DocumentCommandsTest, SaveOfAnUntitledDocumentGoesToSaveAs)
{
    Commands().InitialLoad();
    ASSERT_NE(AddAccessPoint(document.GetRoot(), "Office"), nullptr);
    ASSERT_TRUE(CSettingNode::IsModified());
    fake.log.clear();

    // Cancelled: nothing written, still modified.
    EXPECT_FALSE(Commands().SaveDocument());
    ASSERT_EQ(fake.saveRequests.size(), 1u);
    const CFileDialogRequest &request = fake.saveRequests[0];
    EXPECT_EQ(request.fileName, "Untitled");
    EXPECT_EQ(request.folder, programFolder + "Configuration Files");
    EXPECT_EQ(request.filter, kFilter);
    EXPECT_EQ(request.defaultSuffix, "xml");
    EXPECT_EQ(request.title, "Save As");
    EXPECT_TRUE(CSettingNode::IsModified());
    EXPECT_TRUE(Commands().IsUntitled());
    EXPECT_EQ(fake.log.first(), "commit");

    const QString path = dir.filePath("saved/office.xml");
    QDir().mkpath(dir.filePath("saved"));
    fake.dialogAnswers = {path};
    fake.log.clear();
    EXPECT_TRUE(Commands().SaveDocument());
    EXPECT_TRUE(QFile::exists(path));
    EXPECT_FALSE(CSettingNode::IsModified());
    EXPECT_EQ(Commands().FileName(), "office.xml");
    EXPECT_EQ(Commands().FilePath(), path);
    EXPECT_EQ(Commands().CurrentFolder(), dir.filePath("saved"));
    EXPECT_TRUE(fake.log.contains("header"));
    EXPECT_EQ(fake.waitDepth, 0);

    // Bound now: Save writes without asking.
    ASSERT_TRUE(AccessPoint()->FindChild(NodeType::IAPPhoneNumber)->SetValue("555"));
    EXPECT_TRUE(Commands().SaveDocument());
    EXPECT_EQ(fake.saveRequests.size(), 2u);
    EXPECT_FALSE(CSettingNode::IsModified());
    EXPECT_TRUE(fake.shown.empty());
    ASSERT_TRUE(Commands().OpenDocument(path));
    EXPECT_EQ(AccessPoint()->FindChild(NodeType::IAPPhoneNumber)->GetValue(), "555");

    // Save As proposes the current name.
    Commands().SaveDocumentAs();
    EXPECT_EQ(fake.saveRequests.back().fileName, "office.xml");
    EXPECT_EQ(fake.saveRequests.back().folder, dir.filePath("saved"));
}

TEST_F(DocumentCommandsTest, AFileNamedLikeTheUntitledLabelCountsAsUntitled)
{
    const QString path = WriteConfiguration("Untitled");
    OpenBound(path);
    EXPECT_TRUE(Commands().IsUntitled());

    EXPECT_FALSE(Commands().SaveDocument());
    EXPECT_EQ(fake.saveRequests.size(), 1u) << "the user is asked for a name";

    // So closing forgets it.
    Commands().CloseView();
    EXPECT_EQ(RegistryValue(kLastFileValue), "");
}

TEST_F(DocumentCommandsTest, SaveFailuresKeepTheDocumentAsItWas)
{
    const QString path = WriteConfiguration("doomed/a.xml");
    OpenBound(path);
    ASSERT_TRUE(AccessPoint()->FindChild(NodeType::IAPPhoneNumber)->SetValue("555"));
    ASSERT_TRUE(QDir(dir.filePath("doomed")).removeRecursively());

    EXPECT_FALSE(Commands().SaveDocument());
    ASSERT_EQ(fake.shown.size(), 1u);
    EXPECT_TRUE(fake.shown[0].text.startsWith("Cannot write the file.\r\n"));
    EXPECT_GT(fake.shown[0].text.size(), QString("Cannot write the file.\r\n").size());
    EXPECT_EQ(fake.shown[0].waitDepth, 0);
    EXPECT_TRUE(CSettingNode::IsModified());
    EXPECT_EQ(Commands().FilePath(), path);

    // A failing Save As leaves the name, path and folder alone.
    fake.shown.clear();
    fake.dialogAnswers = {dir.filePath("nowhere/b.xml")};
    bool cancelled = true;
    EXPECT_FALSE(Commands().SaveDocumentAs(&cancelled));
    EXPECT_FALSE(cancelled);
    EXPECT_EQ(fake.shown.size(), 1u);
    EXPECT_EQ(Commands().FilePath(), path);
    EXPECT_EQ(Commands().FileName(), "a.xml");
    EXPECT_EQ(Commands().CurrentFolder(), dir.filePath("doomed"));
    EXPECT_TRUE(CSettingNode::IsModified());

    EXPECT_FALSE(Commands().SaveDocumentAs(&cancelled));
    EXPECT_TRUE(cancelled);
}

TEST_F(DocumentCommandsTest, PromptSaveChangesAnswers)
{
    const QString path = WriteConfiguration("a.xml");
    OpenBound(path);
    ASSERT_TRUE(AccessPoint()->FindChild(NodeType::IAPPhoneNumber)->SetValue("555"));

    fake.messageAnswers = {IMessagePort::ResultCancel};
    EXPECT_FALSE(Commands().PromptSaveChanges(false));
    fake.messageAnswers = {IMessagePort::ResultNo};
    EXPECT_TRUE(Commands().PromptSaveChanges(false));
    EXPECT_TRUE(CSettingNode::IsModified());
    fake.messageAnswers = {IMessagePort::ResultYes};
    EXPECT_TRUE(Commands().PromptSaveChanges(false));
    EXPECT_FALSE(CSettingNode::IsModified());
    ASSERT_EQ(fake.shown.size(), 3u);
    for (const auto &box : fake.shown)
        EXPECT_EQ(box.buttons, IMessagePort::YesNoCancel);

    // Yes with a failing write refuses to go on, unless closing.
    ASSERT_TRUE(AccessPoint()->FindChild(NodeType::IAPPhoneNumber)->SetValue("777"));
    ASSERT_TRUE(QFile::remove(path));
    ASSERT_TRUE(QDir(dir.path()).mkdir("a.xml")) << "a folder in the file's place";
    fake.shown.clear();
    fake.messageAnswers = {IMessagePort::ResultYes};
    EXPECT_FALSE(Commands().PromptSaveChanges(false));
    EXPECT_EQ(fake.shown.size(), 2u);
    EXPECT_TRUE(fake.saveRequests.empty());
}

TEST_F(DocumentCommandsTest, ClosingKeepsOfferingSaveAsUntilSavedOrCancelled)
{
    const QString path = WriteConfiguration("a.xml");
    OpenBound(path);
    ASSERT_TRUE(AccessPoint()->FindChild(NodeType::IAPPhoneNumber)->SetValue("555"));
    ASSERT_TRUE(QFile::remove(path));
    ASSERT_TRUE(QDir(dir.path()).mkdir("a.xml"));

    const QString saved = dir.filePath("rescued.xml");
    fake.messageAnswers = {IMessagePort::ResultYes};
    fake.dialogAnswers = {dir.filePath("nowhere/b.xml"), dir.filePath("nowhere/c.xml"), saved};
    EXPECT_TRUE(Commands().PromptSaveChanges(true));
    ASSERT_FALSE(fake.shown.empty());
    EXPECT_EQ(fake.shown[0].buttons, IMessagePort::YesNo);
    EXPECT_EQ(fake.shown.size(), 4u) << "the prompt and three write failures";
    EXPECT_EQ(fake.saveRequests.size(), 3u);
    EXPECT_TRUE(QFile::exists(saved));
    EXPECT_FALSE(CSettingNode::IsModified());

    // Closing is never refused, whatever the box answers.
    ASSERT_TRUE(AccessPoint()->FindChild(NodeType::IAPPhoneNumber)->SetValue("666"));
    fake.messageAnswers = {IMessagePort::ResultCancel};
    EXPECT_TRUE(Commands().PromptSaveChanges(true));

    // Cancelling the dialog ends the loop; closing goes on, unsaved.
    ASSERT_TRUE(AccessPoint()->FindChild(NodeType::IAPPhoneNumber)->SetValue("777"));
    ASSERT_TRUE(QFile::remove(saved));
    ASSERT_TRUE(QDir(dir.path()).mkdir("rescued.xml"));
    fake.messageAnswers = {IMessagePort::ResultYes};
    fake.saveRequests.clear();
    EXPECT_TRUE(Commands().PromptSaveChanges(true));
    EXPECT_EQ(fake.saveRequests.size(), 1u);
    EXPECT_TRUE(CSettingNode::IsModified());

    // An untitled document: the Save As that Save runs is cancelled, and
    // closing offers it once more.
    fake.messageAnswers = {IMessagePort::ResultNo};
    Commands().NewDocument();
    ASSERT_NE(AddAccessPoint(document.GetRoot(), "Other"), nullptr);
    fake.saveRequests.clear();
    fake.messageAnswers = {IMessagePort::ResultYes};
    Commands().CloseView();
    EXPECT_EQ(fake.saveRequests.size(), 2u);
    EXPECT_EQ(RegistryValue(kLastFileValue), "");
}

TEST_F(DocumentCommandsTest, EveryCommandCommitsTheOpenEditFirst)
{
    Commands().InitialLoad();
    const std::vector<std::function<void()>> commands = {
        [this] { Commands().NewDocument(); },     [this] { Commands().OpenDocument(); },
        [this] { Commands().SaveDocument(); },    [this] { Commands().SaveDocumentAs(); },
        [this] { Commands().ShowActivityLog(); }, [this] { Commands().CloseView(); },
    };
    for (const auto &command : commands) {
        CSettingNode::SetModified(1);
        fake.log.clear();
        fake.messageAnswers = {IMessagePort::ResultNo};
        command();
        ASSERT_FALSE(fake.log.isEmpty());
        EXPECT_EQ(fake.log.first(), "commit");
        EXPECT_EQ(fake.waitDepth, 0);
    }
}
