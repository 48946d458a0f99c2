#include "document/SettingsDocument.h"

#include "settings/NodeTypes.h"
#include "settings/StringIds.h"
#include "settings/TreeHelpers.h"
#include "support/EditCases.h"
#include "support/TestApplication.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QTemporaryDir>

#include <functional>
#include <memory>

using namespace NodeType;

namespace {

QByteArray ReadAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool WriteAll(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// Configurations as the tests make them: the default content, the edit
// cases' tree, and one with items, bookmarks, files and passwords.
std::vector<QString> GeneratedConfigurations(CApplication *application, const QString &folder)
{
    const std::function<void(CSettingNode *)> fillers[] = {
        [](CSettingNode *) {},
        [](CSettingNode *root) {
            AddAccessPoint(root, "Office");
            AddMailbox(root, "Work");
            EditCases::PrepareEditCaseTree(root);
        },
        [](CSettingNode *root) {
            CSettingNode *office = AddAccessPoint(root, "Office");
            office->FindChild(IAPPassword)->SetValue("se<cr>et");
            AddMailbox(root, "Work")->FindChild(MailboxPassword)->SetValue("pw");
            AddWapConnection(root, "Portal");
            CSettingNode *bookmarks = Path(root, {PersonalData, WWWBookmarks});
            for (const char *name : {"One", "Two & three"}) {
                auto *entry = new CSettingNode(QString(), 0, WWWBookmark, bookmarks);
                bookmarks->InsertChild(entry);
                entry->CreateDefaultContent();
                entry->FindChild(WWWBookmarkName)->SetValue(name);
                entry->FindChild(WWWBookmarkURL)->SetValue("http://example.com/");
            }
            CSettingNode *tones = Path(root, {FileTransfer, RingingTones});
            auto *tone = new CSettingNode(QString(), 0, RingingTone, tones);
            tones->InsertChild(tone);
            tone->CreateDefaultContent();
            root->SetInclude(1, 1);
        },
    };
    std::vector<QString> paths;
    for (const auto &fill : fillers) {
        CSettingsDocument document(application);
        fill(Writable(document.Reset()));
        paths.push_back(QDir(folder).filePath(QStringLiteral("made%1.xml").arg(paths.size())));
        EXPECT_TRUE(document.Save(paths.back()));
    }
    return paths;
}

} // namespace

// Every configuration the tests use, cut at every 97th character: opening
// refuses each cut file, or (asked to) makes what could be read a new
// modified document, and the file of the document open before stays open
// when it refuses. Only a cut behind the root element's end opens as usual.
TEST(DamagedFiles, ACutConfigurationIsRefusedOrOpensAsNewUntitled)
{
    CTestTree tree(false);
    tree.Strings().texts = {{StringId::MsgFileEndsEarly, "Ends at line %d."}};
    QTemporaryDir dir;
    std::vector<QString> configurations = GeneratedConfigurations(&tree.Application(), dir.path());
    CSettingsDocument probe(&tree.Application());
    for (QDirIterator it(PROVANA_TESTDATA, QDir::Files, QDirIterator::Subdirectories);
         it.hasNext();) {
        const QString path = it.next();
        const auto result = probe.Open(path);
        if (result == CSettingsDocument::OpenResult::Opened ||
            result == CSettingsDocument::OpenResult::Repaired)
            configurations.push_back(path);
    }
    ASSERT_GE(configurations.size(), 3u);

    CSettingsDocument document(&tree.Application());
    int damaged = 0;
    for (const QString &path : configurations) {
        const QByteArray whole = ReadAll(path);
        ASSERT_FALSE(whole.isEmpty()) << path.toStdString();
        const QString cutPath = dir.filePath("cut.xml");
        for (qsizetype characters = 97; characters * 2 < whole.size(); characters += 97) {
            SCOPED_TRACE(QStringLiteral("%1 at %2").arg(path).arg(characters).toStdString());
            const QByteArray cut = whole.left(characters * 2);
            ASSERT_TRUE(WriteAll(cutPath, cut));
            ASSERT_NE(document.Open(path), CSettingsDocument::OpenResult::NotReadable);
            const CSettingNode *before = document.GetRoot();
            const auto refused = document.Open(cutPath);
            if (refused == CSettingsDocument::OpenResult::Opened) {
                // Only line ends were left off.
                EXPECT_TRUE(
                    QString::fromUtf16(reinterpret_cast<const char16_t *>(whole.constData()),
                                       whole.size() / 2)
                        .mid(characters)
                        .trimmed()
                        .isEmpty());
                continue;
            }
            ASSERT_TRUE(refused == CSettingsDocument::OpenResult::Damaged ||
                        refused == CSettingsDocument::OpenResult::NotConfiguration);
            EXPECT_EQ(document.GetRoot(), before);
            EXPECT_FALSE(document.IsModified());
            if (refused == CSettingsDocument::OpenResult::NotConfiguration)
                continue;
            ++damaged;
            const QString text = QString::fromUtf16(
                reinterpret_cast<const char16_t *>(cut.constData()), cut.size() / 2);
            const qsizetype lines = text.count(u'\n') + (text.endsWith(u'\n') ? 0 : 1);
            EXPECT_EQ(document.LastErrorText(), QStringLiteral("Ends at line %1.").arg(lines));
            EXPECT_EQ(document.Open(cutPath, {}, true), CSettingsDocument::OpenResult::Damaged);
            EXPECT_NE(document.GetRoot(), before);
            EXPECT_TRUE(document.IsModified());
        }
    }
    EXPECT_GT(damaged, 20);
}
