#include "document/DocumentCommands.h"
#include "document/DocumentNames.h"
#include "document/DocumentPorts.h"
#include "document/SettingsDocument.h"
#include "settings/TreeHelpers.h"
#include "support/MemoryKeyValueStore.h"
#include "support/TestApplication.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <memory>

using namespace NodeType;

namespace {

// Fakes every port but the registry and logs each call, with paths relative
// to the test folder; a call made under the wait cursor is marked with '~'.
// Dialogs and questions take their answers in turn from one queue: a path or
// "" (cancel) for a dialog, "yes", "no" or "cancel" for a question; an empty
// queue cancels a dialog and answers a question with OK.
class CFakePorts final : public IDocumentViewPort,
                         public IFileDialogPort,
                         public IWaitCursorPort,
                         public IShellPort,
                         public IMessagePort
{
public:
    using Answer = std::optional<QString>;
    QString folder;
    QStringList log;
    QStringList answers;
    CFileDialogRequest request;
    int waitDepth = 0;
    bool shellResult = true;

    void CommitEdit() override { Log("commit"); }
    void SetItemHeightFromFont() override { Log("font"); }
    void ClearTree() override { Log("clear"); }
    void FillTree(CSettingNode *) override { Log("fill"); }
    void SelectRootItem() override { Log("select"); }
    void RepaintHeader() override { Log("header"); }
    Answer ChooseFileToOpen(const CFileDialogRequest &r) override { return Dialog("open ", r); }
    Answer ChooseFileToSave(const CFileDialogRequest &r) override { return Dialog("save ", r); }
    void BeginWaitCursor() override { ++waitDepth; }
    void EndWaitCursor() override { --waitDepth; }
    bool OpenWithDefaultProgram(const QString &path) override
    {
        Log("shell " + path);
        return shellResult;
    }
    Result ShowMessage(const QString &text, Buttons buttons, Icon) override
    {
        EXPECT_EQ(waitDepth, 0) << "no wait cursor over a message box";
        EXPECT_EQ(text, text.trimmed());
        const char *kinds[] = {"ok: ", "ok/cancel: ", "yes/no: ", "yes/no/cancel: "};
        Log(kinds[buttons] + text.section("\r\n", 0, 0) + (text.contains('\n') ? " +error" : ""));
        if (buttons == Ok)
            return ResultOk;
        const qsizetype answer = QStringList{"ok", "cancel", "yes", "no"}.indexOf(Next());
        return static_cast<Result>(std::max<qsizetype>(answer, 0));
    }

private:
    void Log(const QString &entry)
    {
        log.append((waitDepth ? "~" : "") + QString(entry).remove(folder + '/').remove(folder));
    }
    QString Next() { return answers.empty() ? QString() : answers.takeFirst(); }
    Answer Dialog(const char *kind, const CFileDialogRequest &r)
    {
        Log(kind + r.folder + ' ' + r.fileName);
        request = r;
        const QString answer = Next();
        return answer.isEmpty() ? std::nullopt : Answer(answer);
    }
};

} // namespace

class DocumentCommandsTest : public ::testing::Test
{
protected:
    DocumentCommandsTest()
    {
        testTree.Strings().texts = {{StringId::UntitledName, "Untitled"},
                                    {StringId::ConfigurationFiles, "Configurations"},
                                    {StringId::AllFiles, "All"},
                                    {StringId::SaveAsTitle, "Save As"},
                                    {StringId::MsgSaveChanges, "Save changes?"},
                                    {StringId::MsgActivityLogNotShown, "No log."},
                                    {StringId::MsgFileNotRead, "Not read."},
                                    {StringId::MsgNotConfiguration, "No configuration."},
                                    {StringId::MsgFileNotWritten, "Not written."},
                                    {StringId::MsgValuesRepaired, "Repaired."}};
        fake.folder = dir.path();
        QDir().mkpath(programFolder);
        document.Reset();
        commands = MakeCommands();
    }
    ~DocumentCommandsTest() override { EXPECT_EQ(fake.waitDepth, 0) << "unbalanced wait cursor"; }

    // Another view over the same document, as at the next start.
    std::unique_ptr<CDocumentCommands> MakeCommands()
    {
        return std::make_unique<CDocumentCommands>(
            document, &testTree.Application(),
            CDocumentPorts{&fake, &fake, &fake, &store, &fake, &fake}, programFolder);
    }
    // A configuration file with one access point.
    QString WriteConfiguration(const QString &relativePath, const QString &name = "Office",
                               const QString &phone = "0401")
    {
        const QString path = dir.filePath(relativePath);
        QDir().mkpath(QFileInfo(path).absolutePath());
        CSettingsDocument writer;
        CSettingNode *item = AddAccessPoint(writer.Reset(), name);
        EXPECT_TRUE(item && item->FindChild(IAPPhoneNumber)->SetValue(phone));
        EXPECT_TRUE(writer.Save(path));
        document.Reset();
        CSettingNode::SetModified(0);
        return path;
    }
    // A field of the document's access point, or null.
    CSettingNode *Field(int type) const
    {
        return Path(document.GetRoot(), {IAPSettings, IAPConnection, type});
    }
    QMap<QString, QString> &Registry() { return store.keys["Software\\Talvik\\Provana\\"]; }
    // Binds the document to a configuration, then starts a fresh log.
    void OpenBound(const QString &path)
    {
        ASSERT_TRUE(commands->OpenDocument(path));
        fake.log.clear();
    }

    CTestTree testTree{false};
    QTemporaryDir dir;
    QString programFolder = dir.path() + "/program/";
    CSettingsDocument document;
    CFakePorts fake;
    CMemoryKeyValueStore store;
    std::unique_ptr<CDocumentCommands> commands;
};

TEST_F(DocumentCommandsTest, InitialLoadOpensTheRequestedOrLastFileThatFitsAndConsumesTheRequest)
{
    // Without either value: a new document in the created default folder.
    commands->InitialLoad();
    EXPECT_EQ(fake.log, (QStringList{"font", "clear", "fill", "header", "select"}));
    EXPECT_TRUE(QFileInfo(commands->CurrentFolder()).isDir());
    EXPECT_EQ(commands->CurrentFolder(), programFolder + "Configuration Files");
    EXPECT_TRUE(store.keys.isEmpty()) << "reading never creates the key";

    const QString requested = WriteConfiguration("requested/a.xml");
    const QString last = WriteConfiguration("b.xml");
    // 259 units fit the path buffer with its terminator, 260 do not.
    const QString longest =
        dir.filePath(QString(kPathBufferSize - 6 - dir.path().size(), u'c') + ".xml");
    const QString tooLong = longest + 'c';
    ASSERT_TRUE(QFile::copy(last, longest) && QFile::copy(last, tooLong));
    const QString gone = dir.filePath("gone.xml");
    const struct
    {
        QString request, last, opened, requestAfter;
    } cases[] = {{requested, last, requested, "<absent>"},
                 {"", last, last, ""},
                 {tooLong, last, last, tooLong},
                 {longest, last, longest, "<absent>"},
                 {gone, last, "", "<absent>"},
                 {"", tooLong, "", ""}};
    for (const auto &c : cases) {
        Registry() = {{"RequestFile", c.request}, {"LastFile", c.last}};
        fake.log.clear();
        const auto next = MakeCommands();
        next->InitialLoad();
        EXPECT_EQ(next->FilePath(), c.opened) << c.request.size();
        EXPECT_EQ(Registry().value("RequestFile", "<absent>"), c.requestAfter);
        EXPECT_EQ(Registry().value("LastFile"), c.last) << "only closing writes LastFile";
        EXPECT_EQ(fake.log.contains("ok: Not read. +error"), c.request == gone);
    }

    // Only the last folder level is created.
    programFolder = dir.path() + "/missing/";
    MakeCommands()->InitialLoad();
    EXPECT_FALSE(QFileInfo::exists(programFolder));
}

TEST_F(DocumentCommandsTest, OpenThroughTheDialogBindsTheChosenFile)
{
    commands->InitialLoad();
    const QString path = WriteConfiguration("folder/a.xml");
    fake.log.clear();
    fake.answers = {path, ""};
    EXPECT_TRUE(commands->OpenDocument());
    EXPECT_EQ(fake.request.filter, "Configurations (*.xml);;All (*.*)");
    EXPECT_EQ(fake.request.defaultSuffix, "xml");
    EXPECT_EQ(commands->FileName(), "a.xml");
    EXPECT_NE(Field(IAPConnectionName), nullptr);
    EXPECT_FALSE(CSettingNode::IsModified()) << "loading sets values, but the file is unchanged";
    EXPECT_TRUE(commands->OpenDocument()) << "a cancelled dialog changes nothing";
    EXPECT_EQ(commands->FilePath(), path);
    // The tree is emptied before the reset, since its rows point at nodes.
    EXPECT_EQ(fake.log, (QStringList{"commit", "open program/Configuration Files ", "~clear",
                                     "~fill", "~header", "~select", "commit", "open folder "}));
}

TEST_F(DocumentCommandsTest, ChangesAreOfferedForSavingBeforeTheyAreDropped)
{
    commands->InitialLoad();
    const QString first = WriteConfiguration("a.xml", "First");
    const QString second = WriteConfiguration("b.xml", "Second");
    OpenBound(first);
    ASSERT_TRUE(Field(IAPPhoneNumber)->SetValue("555"));
    fake.answers = {"cancel", "cancel"};
    EXPECT_FALSE(commands->OpenDocument(second));
    commands->NewDocument();
    EXPECT_EQ(commands->FilePath(), first);
    EXPECT_EQ(Field(IAPPhoneNumber)->GetValue(), "555");
    EXPECT_TRUE(CSettingNode::IsModified());

    // Yes saves to the bound file first; No drops the changes.
    fake.answers = {"yes"};
    EXPECT_TRUE(commands->OpenDocument(second));
    ASSERT_TRUE(Field(IAPPhoneNumber)->SetValue("777"));
    fake.answers = {"no"};
    EXPECT_TRUE(commands->OpenDocument(first));
    EXPECT_EQ(Field(IAPPhoneNumber)->GetValue(), "555");
    // Unmodified: no question, and a new document is unbound.
    commands->NewDocument();
    EXPECT_TRUE(commands->IsUntitled());
    EXPECT_TRUE(commands->FilePath().isEmpty());
    EXPECT_EQ(commands->CurrentFolder(), commands->DefaultFolder());
    EXPECT_EQ(Field(IAPConnectionName), nullptr);
    const QString ask = "yes/no/cancel: Save changes?";
    EXPECT_EQ(fake.log,
              (QStringList{"commit",  ask,      "commit", ask, // cancelled
                           "commit",  ask,      "commit", "~clear", "~fill",   "~header",
                           "~select", "commit", ask,      "~clear", "~fill",   "~header",
                           "~select", "commit", "~clear", "~fill",  "~header", "~select"}));
}

TEST_F(DocumentCommandsTest, OpenFailuresLeaveAnUntitledDocumentAndSayWhy)
{
    const QString good = WriteConfiguration("good/a.xml");
    const QString bogus = WriteConfiguration("bogus.xml", "Office", "call me");
    const QString junk = dir.filePath("junk.xml");
    QFile file(junk);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write("not a configuration") > 0);
    file.close();
    const struct
    {
        QString path, folder, message;
    } cases[] = {{dir.filePath("elsewhere/missing.xml"), "elsewhere", "ok: Not read. +error"},
                 {"plain.xml", "", "ok: Not read. +error"},
                 {junk, dir.path(), "ok: No configuration."},
                 {bogus, dir.path(), "ok: Repaired."}};
    for (const auto &c : cases) {
        OpenBound(good);
        const bool opened = c.path == bogus;
        EXPECT_EQ(commands->OpenDocument(c.path), opened) << c.path.toStdString();
        EXPECT_EQ(fake.log.filter("ok:"), QStringList{c.message});
        EXPECT_EQ(commands->FilePath(), opened ? c.path : "");
        EXPECT_EQ(commands->IsUntitled(), !opened);
        EXPECT_EQ(Field(IAPConnectionName) != nullptr, opened)
            << "nothing of the last file is left";
        EXPECT_EQ(QString(commands->CurrentFolder()).remove(dir.path() + '/'), c.folder);
        EXPECT_FALSE(CSettingNode::IsModified());
    }
    QStringList repaired;
    const auto observer = [&repaired](CSettingNode *node, const QString &oldValue) {
        repaired.append(oldValue + " -> " + node->GetValue());
    };
    EXPECT_EQ(document.Open(bogus, observer), CSettingsDocument::OpenResult::Repaired);
    EXPECT_EQ(repaired, QStringList{"call me -> "});
}

TEST_F(DocumentCommandsTest, SaveOfAnUntitledDocumentGoesToSaveAsAndBindsTheFile)
{
    commands->InitialLoad();
    ASSERT_NE(AddAccessPoint(document.GetRoot(), "Office"), nullptr);
    fake.log.clear();
    EXPECT_FALSE(commands->SaveDocument()) << "cancelled";
    EXPECT_EQ(fake.request.title, "Save As");
    EXPECT_TRUE(CSettingNode::IsModified());

    const QString path = dir.filePath("saved/office.xml");
    QDir().mkpath(dir.filePath("saved"));
    fake.answers = {path};
    EXPECT_TRUE(commands->SaveDocument());
    EXPECT_FALSE(CSettingNode::IsModified());
    EXPECT_EQ(commands->FilePath(), path);
    // Bound now: Save writes without asking, and Save As proposes the name.
    ASSERT_TRUE(Field(IAPPhoneNumber)->SetValue("555"));
    EXPECT_TRUE(commands->SaveDocument());
    commands->SaveDocumentAs();
    EXPECT_EQ(fake.log,
              (QStringList{"commit", "commit", "save program/Configuration Files Untitled",
                           "commit", "commit", "save program/Configuration Files Untitled",
                           "header", "commit", "commit", "save saved office.xml"}));
    ASSERT_TRUE(commands->OpenDocument(path));
    EXPECT_EQ(Field(IAPPhoneNumber)->GetValue(), "555");
}

TEST_F(DocumentCommandsTest, FailedSavesKeepTheDocumentAndOnlyClosingGoesOn)
{
    const QString path = WriteConfiguration("a.xml");
    OpenBound(path);
    ASSERT_TRUE(Field(IAPPhoneNumber)->SetValue("555"));
    ASSERT_TRUE(QFile::remove(path));
    ASSERT_TRUE(QDir(dir.path()).mkdir("a.xml")) << "a folder in the file's place";
    EXPECT_FALSE(commands->SaveDocument());
    bool cancelled = true;
    fake.answers = {dir.filePath("nowhere/b.xml")};
    EXPECT_FALSE(commands->SaveDocumentAs(&cancelled));
    EXPECT_FALSE(cancelled);
    EXPECT_FALSE(commands->SaveDocumentAs(&cancelled));
    EXPECT_TRUE(cancelled);
    EXPECT_EQ(commands->FilePath(), path);
    EXPECT_EQ(commands->CurrentFolder(), dir.path());
    EXPECT_TRUE(CSettingNode::IsModified());
    const QString failed = "ok: Not written. +error";
    EXPECT_EQ(fake.log, (QStringList{"commit", failed, "commit", "save  a.xml", failed, "commit",
                                     "save  a.xml"}));

    // Yes with a failing write refuses to go on, unless closing: that offers
    // Save As until the file is saved or the dialog cancelled.
    fake.log.clear();
    const QString rescued = dir.filePath("rescued.xml");
    fake.answers = {"yes", "yes", dir.filePath("nowhere/b.xml"), rescued};
    EXPECT_FALSE(commands->PromptSaveChanges(false));
    EXPECT_TRUE(commands->PromptSaveChanges(true));
    EXPECT_FALSE(CSettingNode::IsModified());
    EXPECT_EQ(fake.log, (QStringList{"yes/no/cancel: Save changes?", "commit", failed,
                                     "yes/no: Save changes?", "commit", failed, "commit",
                                     "save  a.xml", failed, "commit", "save  a.xml", "header"}));
    ASSERT_TRUE(Field(IAPPhoneNumber)->SetValue("666"));
    fake.answers = {"cancel"};
    EXPECT_TRUE(commands->PromptSaveChanges(true));
    // A cancelled dialog ends the offers; closing goes on, unsaved.
    ASSERT_TRUE(QFile::remove(rescued) && QDir(dir.path()).mkdir("rescued.xml"));
    fake.answers = {"yes"};
    EXPECT_TRUE(commands->PromptSaveChanges(true));
    EXPECT_TRUE(CSettingNode::IsModified());
}

TEST_F(DocumentCommandsTest, CloseViewStoresTheBoundFileUnlessItCountsAsUntitled)
{
    OpenBound(WriteConfiguration("a.xml"));
    ASSERT_TRUE(Field(IAPPhoneNumber)->SetValue("555"));
    fake.answers = {"no"};
    commands->CloseView();
    EXPECT_EQ(fake.log, (QStringList{"commit", "yes/no: Save changes?"}));
    EXPECT_EQ(Registry().value("LastFile"), dir.filePath("a.xml"));

    // A file named like the untitled label: saving asks for a name, and
    // closing forgets the file.
    commands = MakeCommands();
    OpenBound(WriteConfiguration("Untitled"));
    EXPECT_FALSE(commands->SaveDocument());
    commands->CloseView();
    EXPECT_EQ(Registry().value("LastFile"), "");
    EXPECT_EQ(fake.log, (QStringList{"commit", "commit", "save  Untitled", "commit"}));
}

TEST_F(DocumentCommandsTest, ShowActivityLogOpensTheLogOrSaysWhyNot)
{
    programFolder = dir.path() + "/program/../program/";
    commands = MakeCommands();
    commands->ShowActivityLog();
    QFile log(dir.filePath("program/ProvixLog.csv"));
    ASSERT_TRUE(log.open(QIODevice::WriteOnly));
    commands->ShowActivityLog();
    fake.shellResult = false;
    commands->ShowActivityLog();
    EXPECT_EQ(fake.log,
              (QStringList{"commit", "ok: No log.", "commit", "shell program/ProvixLog.csv",
                           "commit", "shell program/ProvixLog.csv", "ok: No log."}));
}

TEST(SettingsDocument, ResetReplacesTheCurrentRootThatTheDestructorClears)
{
    CTestTree application(false);
    {
        CSettingsDocument document;
        ASSERT_NE(AddAccessPoint(document.Reset(), "Office"), nullptr);
        CSettingNode *second = document.Reset();
        EXPECT_EQ(CSettingNode::GetCurrentRoot(), second);
        EXPECT_EQ(Path(second, {IAPSettings, IAPConnection}), nullptr) << "the old tree is gone";
    }
    EXPECT_EQ(CSettingNode::GetCurrentRoot(), nullptr) << "no dangling current root";
}
