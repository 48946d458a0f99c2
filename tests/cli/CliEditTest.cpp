#include "CliTexts.h"
#include "Commands.h"
#include "Console.h"
#include "settings/NodePath.h"

#include "config/ConfigReader.h"
#include "document/SettingsDocument.h"
#include "language/LanguageTexts.h"
#include "support/EditCases.h"
#include "support/TestApplication.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

using namespace NodeType;

namespace {

QByteArray ReadBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A configuration file with the tree the edit cases expect, and the tool
// speaking English as it does from its program folder.
class CliEdit : public ::testing::TestWithParam<EditCases::EditCase>
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(LoadLanguageLibrary(m_application));
        m_application.SetMessagePort(&m_missingTexts);
        Cli::SetApplication(&m_application);
        CSettingsDocument writer(&m_application);
        CSettingNode *root = Writable(writer.Reset());
        ASSERT_NE(AddAccessPoint(root, "Office"), nullptr);
        ASSERT_NE(AddMailbox(root, "Work"), nullptr);
        EditCases::PrepareEditCaseTree(root);
        m_node = EditCases::FindCaseNode(root, GetParam());
        ASSERT_NE(m_node, nullptr);
        if (!GetParam().before.isNull()) {
            ASSERT_TRUE(m_node->SetValue(GetParam().before));
        }
        m_path = PathOfNode(m_node);
        ASSERT_TRUE(writer.Save(m_file));
    }
    void TearDown() override
    {
        Cli::SetApplication(nullptr);
        EXPECT_TRUE(m_missingTexts.shown.isEmpty());
    }

    CApplication m_application;
    CRecordingMessages m_missingTexts;
    QTemporaryDir m_dir;
    QString m_file = m_dir.filePath("edit.xml");
    CSettingNode *m_node = nullptr; // in the writer's tree, gone after SetUp
    QString m_path;
};

} // namespace

TEST(CliEditPath, NamesTheItemByItsName)
{
    CApplication application;
    CSettingsDocument document(&application);
    CSettingNode *office = AddAccessPoint(document.Reset(), "Office");
    EXPECT_EQ(PathOfNode(Path(office, {Proxies, HTTPPortNumber})),
              "IAPSettings/IAPConnection[Office]/Proxies/HTTPPortNumber");
}

// `provana set` stores what the in-place editor stores, saving only what it
// stored.
TEST_P(CliEdit, SetStoresWhatTheEditorStores)
{
    using EditCases::Outcome;
    const EditCases::EditCase &row = GetParam();
    const QByteArray before = ReadBytes(m_file);
    ASSERT_FALSE(before.isEmpty());

    ::testing::internal::CaptureStderr();
    const int exitCode = Cli::Run({"set", m_file, m_path, row.typed});
    const QString errors = QString::fromStdString(::testing::internal::GetCapturedStderr());
    EXPECT_EQ(exitCode, row.outcome == Outcome::Stored ? Cli::ExitOk : Cli::ExitCheckFailed)
        << qPrintable(errors);
    if (row.outcome == Outcome::Refused) {
        EXPECT_EQ(errors.trimmed(), row.message);
    }
    if (row.outcome == Outcome::Stored) {
        // A value cut to fit its field is stored with a warning, as is one
        // that differs otherwise from the text.
        EXPECT_EQ(errors.trimmed(), row.cutTo ? Cli::Text(CliText::ValueCut, {QStringLiteral("set"),
                                                                              m_path, row.cutTo})
                                              : row.note);
    } else {
        EXPECT_EQ(ReadBytes(m_file), before) << "the file is left as it was";
    }

    // The file as written, without the repairs of opening it.
    CSettingsDocument fresh(&m_application);
    std::unique_ptr<CSettingNode> read = std::make_unique<CSettingNode>(*fresh.Reset());
    int notConfiguration = 0;
    ASSERT_TRUE(LoadConfigurationFile(read.get(), m_file, notConfiguration));
    const CSettingNode *node = FindNodeByPath(read.get(), m_path);
    ASSERT_NE(node, nullptr) << qPrintable(m_path);
    EXPECT_EQ(node->GetValue(), row.stored);
    EXPECT_EQ(node->IsIncluded() != 0, row.included);

    // What was cut to fit stays as it is when the file is opened again.
    if (row.cutTo) {
        CSettingsDocument opened(&m_application);
        opened.Open(m_file);
        const CSettingNode *kept = FindNodeByPath(opened.GetRoot(), m_path);
        ASSERT_NE(kept, nullptr);
        EXPECT_EQ(kept->GetValue(), row.stored);
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, CliEdit, ::testing::ValuesIn(EditCases::Cases()),
                         [](const auto &row) { return std::string(row.param.name); });
