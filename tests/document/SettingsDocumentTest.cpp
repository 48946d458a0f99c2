#include "document/SettingsDocument.h"

#include "config/ConfigReader.h"
#include "config/ConfigWriter.h"
#include "settings/TreeHelpers.h"
#include "support/TestApplication.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

using namespace NodeType;

namespace {

bool WriteBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QString ReadText(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? DecodeConfigurationBytes(file.readAll()) : QString();
}

} // namespace

TEST(SettingsDocument, ResetGivesAFreshCurrentRootWithDefaultContent)
{
    CTestTree application(false);
    {
        CSettingsDocument document;
        EXPECT_EQ(document.GetRoot(), nullptr);
        CSettingNode *first = document.Reset();
        ASSERT_NE(first, nullptr);
        EXPECT_EQ(CSettingNode::GetCurrentRoot(), first);
        EXPECT_EQ(first->GetType(), Root);
        EXPECT_EQ(first->ChildCount(), 7);
        ASSERT_NE(AddAccessPoint(first, "Office"), nullptr);

        CSettingNode *second = document.Reset();
        EXPECT_EQ(document.GetRoot(), second);
        EXPECT_EQ(CSettingNode::GetCurrentRoot(), second);
        EXPECT_EQ(Path(second, {IAPSettings, IAPConnection}), nullptr) << "the old tree is gone";
    }
    EXPECT_EQ(CSettingNode::GetCurrentRoot(), nullptr) << "no dangling current root";
}

TEST(SettingsDocument, SaveAndLoadKeepValuesAndIncludeFlags)
{
    CTestTree application(false);
    QTemporaryDir dir;
    const QString path = dir.filePath("a.xml");
    {
        CSettingsDocument document;
        CSettingNode *root = document.Reset();
        CSettingNode *office = AddAccessPoint(root, "Office");
        office->FindChild(IAPPhoneNumber)->SetValue("0123 456");
        office->SetInclude(1, 1);
        office->GetParent()->SetInclude(1, 1);
        ASSERT_TRUE(document.Save(path));
    }
    CSettingsDocument document;
    document.Reset();
    int notConfiguration = 7;
    ASSERT_TRUE(document.Load(path, notConfiguration));
    EXPECT_EQ(notConfiguration, 0);
    CSettingNode *office = Path(document.GetRoot(), {IAPSettings, IAPConnection});
    ASSERT_NE(office, nullptr);
    EXPECT_EQ(office->FindChild(IAPPhoneNumber)->GetValue(), "0123 456");
    EXPECT_TRUE(office->IsIncluded());
    EXPECT_FALSE(office->FindChild(IAPUsername)->IsIncluded());

    EXPECT_FALSE(document.Save(dir.filePath("no/such/folder/b.xml")));
    EXPECT_FALSE(document.LastErrorText().isEmpty());
}

TEST(SettingsDocument, OpenReportsEachOutcome)
{
    CTestTree application(false);
    QTemporaryDir dir;
    const QString good = dir.filePath("good.xml");
    const QString bogus = dir.filePath("bogus.xml");
    CSettingsDocument document;
    {
        CSettingNode *root = document.Reset();
        ASSERT_NE(AddAccessPoint(root, "Office"), nullptr);
        ASSERT_TRUE(document.Save(good));
    }
    QString text = ReadText(good);
    ASSERT_TRUE(text.contains("<RemoteModemType>Analog<"));
    text.replace("<RemoteModemType>Analog<", "<RemoteModemType>Bogus<");
    ASSERT_TRUE(WriteBytes(bogus, EncodeConfigurationFile(text)));

    EXPECT_EQ(document.Open(good), CSettingsDocument::OpenResult::Opened);
    EXPECT_NE(Path(document.GetRoot(), {IAPSettings, IAPConnection}), nullptr);

    std::vector<QString> repaired;
    const auto observer = [&repaired](CSettingNode *node, const QString &oldValue) {
        repaired.push_back(oldValue + " -> " + node->GetValue());
    };
    EXPECT_EQ(document.Open(bogus, observer), CSettingsDocument::OpenResult::Repaired);
    EXPECT_EQ(repaired, std::vector<QString>{"Bogus -> Analog"});
    EXPECT_EQ(CSettingNode::GetCurrentRoot(), document.GetRoot());

    // A failed open leaves a fresh tree, never the half-read one.
    EXPECT_EQ(document.Open(dir.filePath("missing.xml")),
              CSettingsDocument::OpenResult::NotReadable);
    EXPECT_EQ(Path(document.GetRoot(), {IAPSettings, IAPConnection}), nullptr);
    EXPECT_EQ(CSettingNode::GetCurrentRoot(), document.GetRoot());

    ASSERT_TRUE(WriteBytes(dir.filePath("junk.xml"), "not a configuration"));
    EXPECT_EQ(document.Open(dir.filePath("junk.xml")),
              CSettingsDocument::OpenResult::NotConfiguration);
    ASSERT_NE(document.GetRoot(), nullptr);
    EXPECT_EQ(document.GetRoot()->ChildCount(), 7);
}
