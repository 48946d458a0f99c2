#include "document/DocumentCommands.h"
#include "document/DocumentNames.h"
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

// Every port but the registry, logging each call with paths relative to the
// test folder; '~' marks a call under the wait cursor. Dialogs, questions and
// the shell take their answers in turn from one queue: a path or "" (cancel)
// for a dialog, "yes", "no" or "cancel" for a question, "no" for a failing
// shell. An empty queue cancels a dialog and answers a question with OK.
struct CPorts final : ITreeObserver, IFileDialogPort, IWaitCursorPort, IShellPort, IMessagePort
{
    using Answer = std::optional<QString>;
    QString folder;
    QStringList log, answers;
    CFileDialogRequest request;
    int waitDepth = 0;

    void NodeAdded(const CSettingNode *) override {}
    void NodeChanged(const CSettingNode *) override {}
    void NodesRemoved(const CSettingNode *, const std::vector<const CSettingNode *> &) override {}
    void TreeReplaced(const CSettingNode *root) override
    {
        EXPECT_TRUE(root != nullptr);
        Log("replaced");
    }
    Answer ChooseFileToOpen(const CFileDialogRequest &r) override { return Dialog("open ", r); }
    Answer ChooseFileToSave(const CFileDialogRequest &r) override { return Dialog("save ", r); }
    void BeginWaitCursor() override { ++waitDepth; }
    void EndWaitCursor() override { --waitDepth; }
    bool OpenWithDefaultProgram(const QString &path) override
    {
        Log("shell " + path);
        return Next() != "no";
    }
    bool ShowTextFile(const QString &path) override
    {
        Log("viewer " + path);
        return Next() != "no";
    }
    Result ShowMessage(const QString &text, Buttons buttons, Icon) override
    {
        EXPECT_EQ(waitDepth, 0) << "no wait cursor over a message box";
        EXPECT_EQ(text, text.trimmed());
        const char *kinds[] = {
            "ok: ", "ok/cancel: ", "yes/no: ", "yes/no/cancel: ", "save/discard/cancel: "};
        Log(kinds[buttons] + text.section("\r\n", 0, 0) + (text.contains('\n') ? " +error" : ""));
        if (buttons == Ok)
            return ResultOk;
        const qsizetype answer = QStringList{"ok", "cancel", "yes", "no"}.indexOf(Next());
        return static_cast<Result>(std::max<qsizetype>(answer, 0));
    }
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

bool WriteText(const QString &path, const char *text)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(text) == qint64(qstrlen(text));
}

// The report of a new tree, under the wait cursor.
const QString kShown = "~replaced";

} // namespace

class DocumentCommandsTest : public ::testing::Test
{
protected:
    DocumentCommandsTest()
    {
        using namespace StringId;
        testTree.Strings().texts = {{UntitledName, "Untitled"},
                                    {ConfigurationFiles, "Configurations"},
                                    {AllFiles, "All"},
                                    {SaveAsTitle, "Save As"},
                                    {MsgSaveChanges, "Save changes?"},
                                    {MsgActivityLogNotShown, "No log."},
                                    {MsgFileNotRead, "Not read."},
                                    {MsgNotConfiguration, "No configuration."},
                                    {MsgFileNotWritten, "Not written."},
                                    {MsgValuesRepaired, "Repaired."},
                                    {MsgFileNotOpened, "%s not opened."},
                                    {MsgFileEndsEarly, "Ends at %d."},
                                    {MsgOpenWhatWasRead, "Open the rest?"}};
        fake.folder = dir.path();
        document.AddObserver(&fake);
        QDir().mkpath(programFolder);
        commands = MakeCommands();
    }
    ~DocumentCommandsTest() override
    {
        EXPECT_EQ(fake.waitDepth, 0) << "unbalanced wait cursor";
        document.RemoveObserver(&fake);
    }

    // Another view over the same document, as at the next start.
    std::unique_ptr<CDocumentCommands> MakeCommands()
    {
        return std::make_unique<CDocumentCommands>(
            document, &testTree.Application(), CDocumentPorts{&fake, &fake, &store, &fake, &fake},
            programFolder, documentsFolder);
    }
    // A configuration file with one access point; the document is left new.
    QString WriteConfiguration(const QString &relativePath, const QString &phone = "0401")
    {
        const QString path = dir.filePath(relativePath);
        QDir().mkpath(QFileInfo(path).absolutePath());
        CSettingsDocument writer;
        CSettingNode *item = AddAccessPoint(writer.Reset(), "Office");
        EXPECT_TRUE(item && item->FindChild(IAPPhoneNumber)->SetValue(phone));
        EXPECT_TRUE(writer.Save(path));
        return path;
    }
    // The document's access point, or null.
    CSettingNode *Item() const { return Path(document.GetRoot(), {IAPSettings, IAPConnection}); }
    CSettingNode *Phone() const { return Item()->FindChild(IAPPhoneNumber); }
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
    QString documentsFolder = dir.path() + "/documents";
    CSettingsDocument document{&testTree.Application()};
    CPorts fake;
    CMemoryKeyValueStore store;
    std::unique_ptr<CDocumentCommands> commands;
};

TEST_F(DocumentCommandsTest, InitialLoadOpensTheRequestedOrLastFileThatFitsAndConsumesTheRequest)
{
    // Without either value: a new document in the default folder, which
    // only the first save makes.
    commands->InitialLoad();
    EXPECT_EQ(fake.log, QStringList{"replaced"});
    EXPECT_EQ(commands->CurrentFolder(), documentsFolder + "/Provana");
    EXPECT_FALSE(QFileInfo::exists(commands->CurrentFolder()));
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
        EXPECT_EQ(fake.log.contains("ok: gone.xml not opened. +error"), c.request == gone);
    }

    // An installed program folder cannot be written: nothing is made there.
    EXPECT_TRUE(QDir(programFolder).isEmpty());
}

TEST_F(DocumentCommandsTest, ARequestArrivingLaterIsOpenedAtTheNextActivationOnce)
{
    commands->InitialLoad();
    EXPECT_FALSE(commands->OpenRequestedFile()) << "nothing waits";
    const QString requested = WriteConfiguration("later/a.xml");
    Registry() = {{"RequestFile", requested}};
    ASSERT_NE(AddAccessPoint(document.GetRoot(), "Office"), nullptr);
    fake.answers = {"cancel"};
    EXPECT_TRUE(commands->OpenRequestedFile());
    EXPECT_TRUE(commands->IsUntitled()) << "the changes were not given up";
    EXPECT_FALSE(Registry().contains("RequestFile")) << "consumed even so";

    Registry()["RequestFile"] = requested;
    fake.answers = {"no"};
    EXPECT_TRUE(commands->OpenRequestedFile());
    EXPECT_EQ(commands->FilePath(), requested);
    EXPECT_FALSE(commands->OpenRequestedFile());
}

TEST_F(DocumentCommandsTest, TheFolderLastUsedIsWhereTheDialogsStartAfterTheNextStart)
{
    const QString path = WriteConfiguration("kept/a.xml");
    commands->InitialLoad();
    fake.answers = {path};
    ASSERT_TRUE(commands->OpenDocument());
    commands->NewDocument();
    commands->CloseView();
    EXPECT_EQ(Registry().value("LastFile"), "");

    const auto next = MakeCommands();
    next->InitialLoad();
    EXPECT_EQ(next->CurrentFolder(), dir.filePath("kept"));
    EXPECT_NE(next->DefaultFolder(), next->CurrentFolder());
    ASSERT_TRUE(QDir(dir.filePath("kept")).removeRecursively());
    const auto after = MakeCommands();
    after->InitialLoad();
    EXPECT_EQ(after->CurrentFolder(), after->DefaultFolder()) << "a folder that is gone";
}

TEST_F(DocumentCommandsTest, DialogsStartWhereTheDocumentIsAndSavingBindsTheChosenFile)
{
    // Until the first save makes the default folder, Open starts in the
    // documents folder; Save As makes it and starts there.
    commands->InitialLoad();
    EXPECT_TRUE(commands->OpenDocument());
    EXPECT_EQ(fake.log.last(), "open documents ");
    ASSERT_NE(AddAccessPoint(document.GetRoot(), "Office"), nullptr);
    fake.log.clear();
    EXPECT_FALSE(commands->SaveDocument()) << "untitled: Save As, cancelled";
    EXPECT_EQ(fake.request.title, "Save As");
    EXPECT_TRUE(QFileInfo(documentsFolder + "/Provana").isDir());
    EXPECT_TRUE(document.IsModified());
    const QString path = dir.filePath("office.xml");
    fake.answers = {path};
    EXPECT_TRUE(commands->SaveDocument());
    EXPECT_FALSE(document.IsModified());
    // Bound now: Save writes without asking, and Save As proposes the name.
    ASSERT_TRUE(Phone()->SetValue("555"));
    EXPECT_TRUE(commands->SaveDocument());
    commands->SaveDocumentAs();

    // Opening through the dialog; a cancelled one changes nothing.
    fake.answers = {path, ""};
    EXPECT_TRUE(commands->OpenDocument());
    EXPECT_EQ(fake.request.filter, "Configurations (*.xml);;All (*.*)");
    EXPECT_EQ(fake.request.defaultSuffix, "xml");
    EXPECT_EQ(Phone()->GetValue(), "555");
    EXPECT_TRUE(commands->OpenDocument());
    EXPECT_EQ(commands->FilePath(), path);
    const QString untitled = "save documents/Provana Untitled";
    EXPECT_EQ(fake.log,
              (QStringList{untitled, untitled, "save  office.xml", "open  ", kShown, "open  "}));
}

TEST_F(DocumentCommandsTest, ChangesAreOfferedForSavingBeforeTheyAreDropped)
{
    commands->InitialLoad();
    const QString first = WriteConfiguration("a.xml");
    const QString second = WriteConfiguration("b.xml");
    OpenBound(first);
    ASSERT_TRUE(Phone()->SetValue("555"));
    fake.answers = {"cancel", "cancel"};
    EXPECT_FALSE(commands->OpenDocument(second));
    commands->NewDocument();
    EXPECT_TRUE(document.IsModified()) << "cancelled; the log shows no reset";

    // Yes saves to the bound file first; No drops the changes.
    fake.answers = {"yes"};
    EXPECT_TRUE(commands->OpenDocument(second));
    ASSERT_TRUE(Phone()->SetValue("777"));
    fake.answers = {"no"};
    EXPECT_TRUE(commands->OpenDocument(first));
    EXPECT_EQ(Phone()->GetValue(), "555");
    // Unmodified: no question, and a new document is unbound, its dialogs
    // still where the last file was.
    commands->NewDocument();
    EXPECT_TRUE(commands->FilePath().isEmpty());
    EXPECT_EQ(commands->CurrentFolder(), dir.path());
    EXPECT_EQ(Item(), nullptr);
    const QString ask = "save/discard/cancel: Save changes?";
    EXPECT_EQ(fake.log, (QStringList{ask, ask, ask, kShown, ask, kShown, kShown}));
}

TEST_F(DocumentCommandsTest, OpenFailuresKeepTheDocumentAndNameTheFile)
{
    const QString good = WriteConfiguration("good/a.xml");
    const QString bogus = WriteConfiguration("bogus.xml", "call me");
    const QString junk = dir.filePath("junk.xml");
    ASSERT_TRUE(WriteText(junk, "#include <gtest/gtest.h>\n"));
    const struct
    {
        QString path, folder, message;
    } cases[] = {{dir.filePath("elsewhere/missing.xml"), "elsewhere",
                  "ok: elsewhere/missing.xml not opened. +error"},
                 {"plain.xml", "", "ok: plain.xml not opened. +error"},
                 {junk, dir.path(), "ok: junk.xml not opened. +error"},
                 {bogus, dir.path(), "ok: Repaired."}};
    for (const auto &c : cases) {
        OpenBound(good);
        ASSERT_TRUE(Phone()->SetValue("555"));
        document.SetModified(0);
        const bool opened = c.path == bogus;
        EXPECT_EQ(commands->OpenDocument(c.path), opened) << c.path.toStdString();
        EXPECT_EQ(fake.log.filter("ok:"), QStringList{c.message});
        EXPECT_EQ(commands->FilePath(), opened ? c.path : good);
        EXPECT_EQ(Phone()->GetValue(), opened ? "" : "555") << "the open document stays";
        EXPECT_EQ(QString(commands->CurrentFolder()).remove(dir.path() + '/'), c.folder);
        EXPECT_FALSE(document.IsModified());
    }
}

TEST_F(DocumentCommandsTest, ADamagedFileOpensOnlyAsANewUntitledDocument)
{
    const QString good = WriteConfiguration("good.xml", "777");
    QFile whole(WriteConfiguration("cut.xml"));
    ASSERT_TRUE(whole.open(QIODevice::ReadWrite));
    const QByteArray bytes = whole.readAll();
    ASSERT_TRUE(whole.resize(bytes.size() * 2 / 3 & ~1));
    whole.close();
    const int lines = QString::fromUtf16(reinterpret_cast<const char16_t *>(bytes.constData()),
                                         bytes.size() * 2 / 3 / 2)
                          .count(u'\n') +
                      1;
    OpenBound(good);
    fake.answers = {"no", "yes"};
    EXPECT_FALSE(commands->OpenDocument(whole.fileName()));
    EXPECT_EQ(commands->FilePath(), good);
    EXPECT_EQ(Phone()->GetValue(), "777");
    EXPECT_TRUE(commands->OpenDocument(whole.fileName()));
    EXPECT_TRUE(commands->IsUntitled());
    EXPECT_TRUE(commands->FilePath().isEmpty());
    EXPECT_EQ(Phone()->GetValue(), "0401") << "what could be read";
    EXPECT_TRUE(document.IsModified());
    const QString asked = QStringLiteral("yes/no: cut.xml not opened. +error");
    EXPECT_EQ(fake.log, (QStringList{asked, asked, kShown}));
    EXPECT_EQ(document.LastErrorText(), QStringLiteral("Ends at %1.").arg(lines));
}

TEST_F(DocumentCommandsTest, AFailedSaveOrACancelledSaveAsKeepsTheChanges)
{
    const QString path = WriteConfiguration("a.xml");
    OpenBound(path);
    ASSERT_TRUE(Phone()->SetValue("555"));
    ASSERT_TRUE(QFile::remove(path) && QDir(dir.path()).mkdir("a.xml")) << "a folder in its place";
    // Save with a failing write offers Save As; cancelling it, or a Save As
    // that fails too, keeps the changes and says no.
    const QString failed = "ok: Not written. +error";
    const QString ask = "save/discard/cancel: Save changes?";
    const QString rescued = dir.filePath("rescued.xml");
    fake.answers = {"yes", "", "yes", dir.filePath("nowhere/b.xml"), "yes", rescued};
    EXPECT_FALSE(commands->PromptSaveChanges());
    EXPECT_FALSE(commands->PromptSaveChanges());
    EXPECT_TRUE(document.IsModified());
    EXPECT_TRUE(commands->PromptSaveChanges());
    EXPECT_FALSE(document.IsModified());
    EXPECT_EQ(fake.log, (QStringList{ask, failed, "save  a.xml", ask, failed, "save  a.xml", failed,
                                     ask, failed, "save  a.xml"}));

    // The host asks before closing: Cancel keeps the view, Discard lets it
    // close without asking again.
    ASSERT_TRUE(Phone()->SetValue("666"));
    fake.log.clear();
    fake.answers = {"cancel", "no"};
    EXPECT_FALSE(commands->QueryClose());
    EXPECT_TRUE(commands->QueryClose());
    commands->CloseView();
    EXPECT_EQ(fake.log, (QStringList{ask, ask}));
    EXPECT_EQ(Registry().value("LastFile"), rescued);
}

TEST_F(DocumentCommandsTest, AFileNamedLikeTheUntitledLabelIsSavedUnderANewNameAndNotStored)
{
    OpenBound(WriteConfiguration("Untitled"));
    EXPECT_FALSE(commands->SaveDocument());
    commands->CloseView();
    EXPECT_EQ(Registry().value("LastFile"), "");
    EXPECT_EQ(fake.log, QStringList{"save  Untitled"});
}

TEST_F(DocumentCommandsTest, ShowActivityLogOpensTheLogOrSaysWhyNot)
{
    commands = MakeCommands();
    const QString log = dir.filePath("server/ProvixLog.csv");
    commands->ShowActivityLog(log);
    ASSERT_TRUE(QDir(dir.path()).mkpath("server"));
    ASSERT_TRUE(WriteText(log, "Date;Result\n"));
    commands->ShowActivityLog(log);
    // Without a handler the program's own viewer shows it.
    fake.answers = {"no"};
    commands->ShowActivityLog(log);
    fake.answers = {"no", "no"};
    commands->ShowActivityLog(log);
    EXPECT_EQ(fake.log, (QStringList{"ok: No log.", "shell server/ProvixLog.csv",
                                     "shell server/ProvixLog.csv", "viewer server/ProvixLog.csv",
                                     "shell server/ProvixLog.csv", "viewer server/ProvixLog.csv",
                                     "ok: No log."}));
}

TEST(SettingsDocument, ResetReplacesTheTreeAndKeepsTheLastError)
{
    CTestTree application(false);
    CSettingsDocument document(&application.Application());
    ASSERT_NE(AddAccessPoint(document.Reset(), "Office"), nullptr);
    EXPECT_TRUE(document.IsModified()) << "naming an item marks the document's tree";
    const CSettingNode *second = document.Reset();
    EXPECT_EQ(document.GetRoot(), second);
    EXPECT_EQ(Path(second, {IAPSettings, IAPConnection}), nullptr) << "the old tree is gone";
    EXPECT_EQ(second->GetApplication(), &application.Application());

    QTemporaryDir dir;
    EXPECT_EQ(document.Open(dir.filePath("none.xml")), CSettingsDocument::OpenResult::NotReadable);
    EXPECT_FALSE(document.LastErrorText().isEmpty()) << "the reason survives the fresh tree";
}
