#include "support/TestApplication.h"

#include "filetransfer/FileList.h"
#include "settings/NodeTypes.h"
#include "settings/StringIds.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace NodeType;

namespace {

// The default content's file lists, in a tree whose modified flag is watched.
class FileListTest : public ::testing::Test
{
protected:
    CSettingNode *Category(int type) const
    {
        return m_tree.Root()->FindDescendant({FileTransfer, type});
    }
    static QStringList Paths(const CFileList &list)
    {
        QStringList paths;
        for (const FileListRow &row : list.Rows())
            paths.append(row.Path() + (row.phoneFolder.isEmpty() ? "" : " > " + row.phoneFolder));
        return paths;
    }

    // A file that exists, in a folder of the test's own.
    QString Make(const QString &name)
    {
        QFile file(m_dir.filePath(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        return file.fileName();
    }

    CTestTree m_tree;
    QTemporaryDir m_dir;
};

} // namespace

TEST(FileListRules, PhoneFoldersAndPathSplitting)
{
    for (const char16_t *accepted : {u"C:", u"C:\\Documents", u"D:\\Sounds\\"})
        EXPECT_TRUE(IsAcceptablePhoneFolder(accepted))
            << QString::fromUtf16(accepted).toStdString();
    for (const char16_t *refused :
         {u"", u"\\Documents\\", u"Documents", u"C:\\a|b", u"C:/Documents"})
        EXPECT_FALSE(IsAcceptablePhoneFolder(refused)) << QString::fromUtf16(refused).toStdString();
    EXPECT_FALSE(IsDriveQualified(u"C"));
    EXPECT_EQ(CompletePhoneFolder("C:"), "C:\\");
    EXPECT_EQ(CompletePhoneFolder("C:\\Documents\\"), "C:\\Documents\\");

    // The PC side splits at this platform's separator.
    const FileListRow row = SplitLocalPath("/home/ann/tone 1.wav");
    EXPECT_EQ(row.fileName, "tone 1.wav");
    EXPECT_EQ(row.folder, "/home/ann/");
    EXPECT_EQ(SplitLocalPath("tone.wav").folder, "");
    EXPECT_EQ(SplitLocalPath("tone.wav").fileName, "tone.wav");
}

TEST(FileListRules, KindsAndFilters)
{
    CTestTree tree(false);
    tree.Strings().texts = {{StringId::AllFiles, "All files"}, {StringId::ImageFiles, "Images"}};
    EXPECT_EQ(FileListRoleOf(Files)->entryType, File);
    EXPECT_EQ(FileListRoleOf(Files)->remoteType, FileRemote);
    EXPECT_EQ(FileListRoleOf(SISFiles)->entryType, SISFile);
    EXPECT_EQ(FileListRoleOf(Unnamed110)->entryType, Unnamed110);
    EXPECT_EQ(FileListRoleOf(IAPSettings), nullptr);
    EXPECT_NE(FileListKindOf(Unnamed110), nullptr);
    EXPECT_EQ(FileListKindOf(IAPSettings), nullptr);
    EXPECT_EQ(FileListFilter(&tree.Application(), *FileListKindOf(RingingTones)),
              "All files (*.*)|*.*||");
    EXPECT_EQ(FileListFilter(&tree.Application(), *FileListKindOf(BackgroundImages)),
              "Images (*.jpg;*.bmp;*.gif)|*.jpg;*.bmp;*.gif|All files (*.*)|*.*||");
}

TEST_F(FileListTest, AddingTakesFilesOfThisComputerOnceAndNeverTouchesTheCategory)
{
    const QString one = Make("one.wav"), two = Make("two.wav"), upper = Make("One.wav");
    const QString missing = m_dir.filePath("missing.wav");
    CFileList tones(*Category(RingingTones));
    EXPECT_FALSE(tones.IsFilesMode());
    EXPECT_EQ(tones.AddFiles({one}), 1);
    EXPECT_EQ(tones.AddFiles({one, two, two, upper, missing, m_dir.path(), "two.wav"}), 2)
        << "listed files, repeats, missing files, folders and relative paths are skipped";
    EXPECT_EQ(Paths(tones), (QStringList{one, two, upper})) << "case counts";
    EXPECT_EQ(tones.CheckFile(two), StringId::MsgFileAlreadyListed);
    EXPECT_EQ(tones.CheckFile(missing), StringId::MsgNotALocalFile);
    EXPECT_EQ(tones.CheckFile(m_dir.path()), StringId::MsgNotALocalFile);
    EXPECT_EQ(tones.CheckFile(Make("three.wav")), 0u);
    EXPECT_FALSE(tones.AddFileEntry(one, "C:\\")) << "no phone folders here";

    CFileList files(*Category(Files));
    EXPECT_TRUE(files.IsFilesMode());
    EXPECT_EQ(files.AddFiles({one}), 0);
    EXPECT_TRUE(files.AddFileEntry(one, "C:\\Documents"));
    EXPECT_TRUE(files.AddFileEntry(one, "D:")) << "one file may go to several folders";
    const std::tuple<QString, QString, unsigned> refusals[] = {
        {one, "c:\\documents\\", StringId::MsgFileAlreadyListed},
        {missing, "E:\\", StringId::MsgNotALocalFile},
        {"", "E:\\", StringId::MsgNotALocalFile},
        {one, "Documents", StringId::MsgPhoneFolderNotValid},
    };
    for (const auto &[local, remote, message] : refusals) {
        EXPECT_EQ(files.CheckFileEntry(local, remote), message) << remote.toStdString();
        EXPECT_FALSE(files.AddFileEntry(local, remote)) << remote.toStdString();
    }
    EXPECT_EQ(files.CheckFileEntry(two, "C:\\Documents"), 0u);

    EXPECT_TRUE(files.EditFileEntry(1, two, "E:\\x"));
    EXPECT_TRUE(files.EditFileEntry(1, two, "E:\\x\\")) << "an entry is no duplicate of itself";
    EXPECT_FALSE(files.EditFileEntry(0, two, "e:\\X")) << "the other entry has it";
    EXPECT_FALSE(files.EditFileEntry(1, two, "E:\\x|y"));
    EXPECT_FALSE(files.EditFileEntry(1, missing, "E:\\"));
    EXPECT_FALSE(files.EditFileEntry(2, two, "F:\\"));
    EXPECT_EQ(Paths(files), (QStringList{one + " > C:\\Documents\\", two + " > E:\\x\\"}));

    // All of it happened on copies.
    EXPECT_EQ(Category(RingingTones)->ChildCount(), 0);
    EXPECT_EQ(Category(Files)->ChildCount(), 0);
    EXPECT_FALSE(m_tree.Root()->IsModified());
}

TEST_F(FileListTest, RemovingTakesExactlyTheGivenEntriesAndEntriesAreHandedOverInOrder)
{
    CFileList images(*Category(BackgroundImages));
    QStringList made;
    for (const char *name : {"0.jpg", "1.jpg", "2.jpg", "3.jpg", "4.jpg"})
        made << Make(name);
    images.AddFiles(made);
    images.RemoveEntries({3, 0, 3, 9});
    EXPECT_EQ(Paths(images), (QStringList{made[1], made[2], made[4]}));

    const auto entries = images.TakeEntries();
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(entries[2]->GetValue(), made[4]);
    EXPECT_EQ(entries[2]->GetType(), BackgroundImage);
    EXPECT_EQ(entries[2]->IsIncluded(), 1);
    EXPECT_EQ(images.Count(), 3) << "the copy keeps its entries";
}
