#include "support/TestApplication.h"

#include "filetransfer/FileList.h"
#include "settings/NodeTypes.h"
#include "settings/StringIds.h"

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

    CTestTree m_tree;
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
    EXPECT_EQ(FileListKindOf(Files)->entryType, File);
    EXPECT_EQ(FileListKindOf(Unnamed110)->entryType, Unnamed110);
    EXPECT_EQ(FileListKindOf(IAPSettings), nullptr);
    EXPECT_EQ(FileListFilter(&tree.Application(), *FileListKindOf(RingingTones)),
              "All files (*.*)|*.*||");
    EXPECT_EQ(FileListFilter(&tree.Application(), *FileListKindOf(BackgroundImages)),
              "Images (*.jpg;*.bmp;*.gif)|*.jpg;*.bmp;*.gif|All files (*.*)|*.*||");
}

TEST_F(FileListTest, AddingSkipsListedFilesOutsideFilesModeAndNeverTouchesTheCategory)
{
    CFileList tones(*Category(RingingTones));
    EXPECT_FALSE(tones.IsFilesMode());
    EXPECT_EQ(tones.AddFiles({"/a/one.wav"}), 1);
    EXPECT_EQ(tones.AddFiles({"/a/one.wav", "/a/two.wav", "/a/two.wav", "/a/One.wav"}), 2)
        << "listed files and repeats are skipped; case counts";
    EXPECT_EQ(Paths(tones), (QStringList{"/a/one.wav", "/a/two.wav", "/a/One.wav"}));
    EXPECT_FALSE(tones.AddFileEntry("/a/x", "C:\\")) << "no phone folders here";

    CFileList files(*Category(Files));
    EXPECT_TRUE(files.IsFilesMode());
    EXPECT_EQ(files.AddFiles({"/a/one.wav"}), 0);
    EXPECT_TRUE(files.AddFileEntry("/a/one.wav", "C:\\Documents"));
    EXPECT_TRUE(files.AddFileEntry("/a/one.wav", "D:")) << "Files entries may repeat";
    EXPECT_FALSE(files.AddFileEntry("/a/one.wav", "Documents"));
    EXPECT_FALSE(files.AddFileEntry("", "C:\\"));
    EXPECT_TRUE(files.EditFileEntry(1, "/b/two.txt", "E:\\x"));
    EXPECT_FALSE(files.EditFileEntry(1, "/b/two.txt", "E:\\x|y"));
    EXPECT_FALSE(files.EditFileEntry(2, "/b/two.txt", "E:\\"));
    EXPECT_EQ(Paths(files), (QStringList{"/a/one.wav > C:\\Documents\\", "/b/two.txt > E:\\x\\"}));

    // All of it happened on copies.
    EXPECT_EQ(Category(RingingTones)->ChildCount(), 0);
    EXPECT_EQ(Category(Files)->ChildCount(), 0);
    EXPECT_FALSE(m_tree.Root()->IsModified());
}

TEST_F(FileListTest, RemovingTakesExactlyTheGivenEntriesAndEntriesAreHandedOverInOrder)
{
    CFileList images(*Category(BackgroundImages));
    images.AddFiles({"/p/0.jpg", "/p/1.jpg", "/p/2.jpg", "/p/3.jpg", "/p/4.jpg"});
    images.RemoveEntries({3, 0, 3, 9});
    EXPECT_EQ(Paths(images), (QStringList{"/p/1.jpg", "/p/2.jpg", "/p/4.jpg"}));

    const auto entries = images.TakeEntries();
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(entries[2]->GetValue(), "/p/4.jpg");
    EXPECT_EQ(entries[2]->GetType(), BackgroundImage);
    EXPECT_EQ(entries[2]->IsIncluded(), 1);
    EXPECT_EQ(images.Count(), 3) << "the copy keeps its entries";
}
