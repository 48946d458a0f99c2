#pragma once

#include "config/ConfigReader.h"
#include "config/ConfigWriter.h"
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
#include <QStringList>
#include <QTemporaryDir>

#include <deque>
#include <memory>

// Fakes every port but the registry. Each call lands in one log, in order,
// so that tests can check what came before what. File dialogs and message
// boxes answer from queues; an empty dialog queue cancels (so a loop of
// dialogs ends) and an empty message queue answers OK.
class CFakePorts final : public IDocumentViewPort,
                         public IFileDialogPort,
                         public IWaitCursorPort,
                         public IShellPort,
                         public IMessagePort
{
public:
    struct Shown
    {
        QString text;
        Buttons buttons;
        int waitDepth;
    };

    QStringList log;
    int waitDepth = 0;
    CSettingNode *filledRoot = nullptr;
    std::deque<std::optional<QString>> dialogAnswers;
    std::vector<CFileDialogRequest> openRequests;
    std::vector<CFileDialogRequest> saveRequests;
    bool shellResult = true;
    QStringList shellOpened;
    std::deque<Result> messageAnswers;
    std::vector<Shown> shown;

    void CommitEdit() override { log.append("commit"); }
    void SetItemHeightFromFont() override { log.append("font"); }
    void ClearTree() override
    {
        filledRoot = nullptr;
        log.append("clear");
    }
    void FillTree(CSettingNode *root) override
    {
        filledRoot = root;
        log.append("fill");
    }
    void SelectRootItem() override { log.append("select"); }
    void RepaintHeader() override { log.append("header"); }

    std::optional<QString> ChooseFileToOpen(const CFileDialogRequest &request) override
    {
        log.append("open dialog");
        openRequests.push_back(request);
        return NextDialogAnswer();
    }
    std::optional<QString> ChooseFileToSave(const CFileDialogRequest &request) override
    {
        log.append("save dialog");
        saveRequests.push_back(request);
        return NextDialogAnswer();
    }

    void BeginWaitCursor() override
    {
        ++waitDepth;
        log.append("wait+");
    }
    void EndWaitCursor() override
    {
        --waitDepth;
        log.append("wait-");
    }

    bool OpenWithDefaultProgram(const QString &path) override
    {
        log.append("shell");
        shellOpened.append(path);
        return shellResult;
    }

    Result ShowMessage(const QString &text, Buttons buttons, Icon) override
    {
        log.append("message " + text);
        shown.push_back({text, buttons, waitDepth});
        if (messageAnswers.empty())
            return ResultOk;
        const Result answer = messageAnswers.front();
        messageAnswers.pop_front();
        return answer;
    }
    QStringList Texts() const
    {
        QStringList texts;
        for (const Shown &box : shown)
            texts.append(box.text);
        return texts;
    }

private:
    std::optional<QString> NextDialogAnswer()
    {
        if (dialogAnswers.empty())
            return std::nullopt;
        std::optional<QString> answer = dialogAnswers.front();
        dialogAnswers.pop_front();
        return answer;
    }
};

class DocumentCommandsTest : public ::testing::Test
{
protected:
    DocumentCommandsTest()
    {
        QHash<unsigned, QString> &texts = testTree.Strings().texts;
        texts[StringId::UntitledName] = "Untitled";
        texts[StringId::ConfigurationFiles] = "Configuration files";
        texts[StringId::AllFiles] = "All files";
        texts[StringId::MsgSaveChanges] = "Save changes?";
        texts[StringId::MsgActivityLogNotShown] = "No activity log.";
        texts[StringId::MsgFileNotRead] = "Cannot read the file.";
        texts[StringId::MsgNotConfiguration] = "Not a configuration.";
        texts[StringId::MsgFileNotWritten] = "Cannot write the file.";
        texts[StringId::MsgValuesRepaired] = "Values were repaired.";
        texts[StringId::SaveAsTitle] = "Save As";
        programFolder = dir.path() + "/program/";
        QDir().mkpath(programFolder);
        document.Reset();
    }

    // Another view over the same document, as at the next start.
    std::unique_ptr<CDocumentCommands> MakeCommands()
    {
        return std::make_unique<CDocumentCommands>(
            document, &testTree.Application(),
            CDocumentPorts{&fake, &fake, &fake, &store, &fake, &fake}, programFolder);
    }
    // Made on first use, so that a test can change the program folder before.
    CDocumentCommands &Commands()
    {
        if (!m_commands)
            m_commands = MakeCommands();
        return *m_commands;
    }

    // A configuration file with one access point named name.
    QString WriteConfiguration(const QString &relativePath, const QString &name = "Office")
    {
        const QString path = dir.filePath(relativePath);
        QDir().mkpath(QFileInfo(path).absolutePath());
        CSettingsDocument writer;
        CSettingNode *root = writer.Reset();
        EXPECT_NE(AddAccessPoint(root, name), nullptr);
        EXPECT_TRUE(writer.Save(path));
        document.Reset();
        CSettingNode::SetModified(0);
        return path;
    }

    static bool WriteBytes(const QString &path, const QByteArray &bytes)
    {
        QFile file(path);
        return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
    }

    // The access point of the document's tree, or null.
    CSettingNode *AccessPoint() const
    {
        return Path(document.GetRoot(), {NodeType::IAPSettings, NodeType::IAPConnection});
    }

    QString RegistryValue(const char16_t *name)
    {
        return store.ReadString(QString::fromUtf16(kProvanaRegistryKey), QString::fromUtf16(name))
            .value_or("<absent>");
    }
    void SetRegistryValue(const char16_t *name, const QString &value)
    {
        store.WriteString(QString::fromUtf16(kProvanaRegistryKey), QString::fromUtf16(name), value);
    }

    // Opens a configuration so that the document is bound to it, then starts
    // a fresh log.
    void OpenBound(const QString &path)
    {
        ASSERT_TRUE(Commands().OpenDocument(path));
        ASSERT_EQ(Commands().FilePath(), path);
        fake.log.clear();
        fake.shown.clear();
    }

    CTestTree testTree{false};
    QTemporaryDir dir;
    QString programFolder;
    CSettingsDocument document;
    CFakePorts fake;
    CMemoryKeyValueStore store;

private:
    std::unique_ptr<CDocumentCommands> m_commands;
};
