#include "config/SafeFileWriter.h"
#include "config/ConfigWriter.h"
#include "settings/NodeTypes.h"
#include "support/TestApplication.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cerrno>

#include <unistd.h>

namespace {

QByteArray ReadAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

ssize_t WriteHalfThenFail(int, const void *, size_t size)
{
    static bool first = true;
    first = !first;
    if (!first) {
        errno = ENOSPC;
        return -1;
    }
    return static_cast<ssize_t>(size / 2);
}

ssize_t WriteNothing(int, const void *, size_t)
{
    return 0;
}

int g_writes = 0;

ssize_t WriteFirstPieceOnly(int fd, const void *data, size_t size)
{
    if (++g_writes == 1)
        return ::write(fd, data, size);
    errno = ENOSPC;
    return -1;
}

// Puts the system's write back whatever a test does.
struct CWriteGuard
{
    ~CWriteGuard() { SetFileWriteFunction(nullptr); }
};

} // namespace

TEST(SafeWrite, ReplacesTheFileAndLeavesNoTemporary)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("a.xml");
    QString error;
    ASSERT_TRUE(WriteFileSafely(path, "first", error));
    ASSERT_TRUE(WriteFileSafely(path, "second", error));
    EXPECT_EQ(ReadAll(path), "second");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"a.xml"});
}

TEST(SafeWrite, ShortOrFailedWritesKeepTheOldFile)
{
    CWriteGuard guard;
    QTemporaryDir dir;
    const QString path = dir.filePath("a.xml");
    QString error;
    ASSERT_TRUE(WriteFileSafely(path, "original", error));
    for (FileWriteFunction failing : {&WriteHalfThenFail, &WriteNothing}) {
        SetFileWriteFunction(failing);
        error.clear();
        EXPECT_FALSE(WriteFileSafely(path, QByteArray(1000, 'x'), error));
        EXPECT_EQ(error, QString::fromLocal8Bit(strerror(ENOSPC)));
        EXPECT_EQ(ReadAll(path), "original");
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 1);
    }
}

TEST(SafeWrite, SaveReportsTheSystemMessage)
{
    CTestTree tree;
    QTemporaryDir dir;
    EXPECT_EQ(SaveConfigurationFile(tree.Root(), dir.filePath("missing/a.xml")), 0);
    EXPECT_EQ(tree.Root()->GetLastError(), QString::fromLocal8Bit(strerror(ENOENT)));

    CTestTree empty(false);
    ASSERT_EQ(SaveConfigurationFile(empty.Root(), dir.filePath("empty.xml")), 1);
    EXPECT_EQ(ReadAll(dir.filePath("empty.xml")), QByteArray("\xFF\xFE", 2));
}

TEST(SafeWrite, LargeSaveGoesOutInPiecesExactlyOrNotAtAll)
{
    CTestTree tree;
    CSettingNode *bookmarks =
        tree.Root()->FindChild(NodeType::PersonalData)->FindChild(NodeType::WWWBookmarks);
    for (int i = 0; i < 2000; ++i) {
        CSettingNode *bookmark = bookmarks->AddChild(QString(), 0, NodeType::WWWBookmark);
        bookmark->CreateDefaultContent();
        bookmark->FindChild(NodeType::WWWBookmarkURL)->SetValue(QString("http://host/%1").arg(i));
    }
    bookmarks->SetInclude(1, 1);
    QString text;
    WriteConfiguration(tree.Root(), text);
    ASSERT_GT(text.size(), 3 * 65536) << "the file must span several pieces";

    QTemporaryDir dir;
    const QString path = dir.filePath("big.xml");
    ASSERT_EQ(SaveConfigurationFile(tree.Root(), path), 1);
    EXPECT_TRUE(ReadAll(path) == EncodeConfigurationFile(text));

    QString error;
    ASSERT_TRUE(WriteFileSafely(path, "original", error));
    CWriteGuard guard;
    g_writes = 0;
    SetFileWriteFunction(&WriteFirstPieceOnly);
    EXPECT_EQ(SaveConfigurationFile(tree.Root(), path), 0);
    EXPECT_GT(g_writes, 1);
    EXPECT_EQ(ReadAll(path), "original");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 1);
}
