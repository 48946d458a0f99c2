#include "settings/TreeHelpers.h"
#include "support/TestApplication.h"

#include "bookmarks/BookmarkList.h"
#include "settings/NodeTypes.h"
#include "settings/StringIds.h"

#include <gtest/gtest.h>

using namespace NodeType;

namespace {

class BookmarkListTest : public ::testing::Test
{
protected:
    BookmarkListTest()
    {
        m_tree.Strings().texts = {{StringId::NoWapConnections, "No WAP connections defined"}};
    }
    CSettingNode *List(int type) const
    {
        return m_tree.Root()->FindDescendant({PersonalData, type});
    }
    static CBookmark Www(const QString &name, const QString &url)
    {
        CBookmark record;
        record.name = name;
        record.url = url;
        return record;
    }
    static CBookmark Wap(const QString &name, const QString &url, const QString &connection,
                         const QString &user = {}, const QString &password = {})
    {
        CBookmark record = Www(name, url);
        record.connection = connection;
        record.userName = user;
        record.password = password;
        return record;
    }
    static QStringList Names(const CBookmarkList &list)
    {
        QStringList names;
        for (const CBookmark &record : list.Records())
            names.append(record.name);
        return names;
    }

    CTestTree m_tree;
};

} // namespace

TEST_F(BookmarkListTest, WwwChecksNameUniquenessLengthsAndUrl)
{
    CBookmarkList list(*List(WWWBookmarks));
    list.Append(Www("News", "http://news.example/"));
    list.Append(Www("Mail", "http://mail.example/"));
    EXPECT_EQ(list.Check(Www("Shop", "http://shop.example/"), -1), 0u);
    EXPECT_EQ(list.Check(Www("News", "http://x.example/"), -1), StringId::MsgBookmarkNameListed);
    // Keeping its own name is no duplicate; taking another's is.
    EXPECT_EQ(list.Check(Www("News", "http://x.example/"), 0), 0u);
    EXPECT_EQ(list.Check(Www("Mail", "http://x.example/"), 0), StringId::MsgBookmarkNameListed);
    EXPECT_EQ(list.Check(Www("news", "http://x.example/"), -1), 0u);
    EXPECT_EQ(list.Check(Www("", "http://x.example/"), -1), StringId::MsgBookmarkName);
    EXPECT_EQ(list.Check(Www(QString(256, 'n'), "http://x.example/"), -1), 0u);
    EXPECT_EQ(list.Check(Www(QString(257, 'n'), "http://x.example/"), -1),
              StringId::MsgBookmarkName);
    EXPECT_EQ(list.Check(Www("Shop", ""), -1), StringId::MsgBookmarkUrl);
    EXPECT_EQ(list.Check(Www("Shop", "not a url"), -1), StringId::MsgBookmarkUrl);
    const QString longUrl = "http://a.example/" + QString(264 - 17, 'x');
    EXPECT_EQ(list.Check(Www("Shop", longUrl), -1), 0u);
    EXPECT_EQ(list.Check(Www("Shop", longUrl + "x"), -1), StringId::MsgBookmarkUrl);
}

TEST_F(BookmarkListTest, WapChecksInOrderUpToAConnectionOfTheConfiguration)
{
    CBookmarkList list(*List(WAPBookmarks));
    const QString url = "http://wap.example/";
    EXPECT_EQ(list.Check(Wap("W", url, "G"), -1), StringId::MsgBookmarkConnection);
    AddWapConnection(m_tree.Root(), "Gateway");
    AddWapConnection(m_tree.Root(), "G");
    EXPECT_EQ(list.Check(Wap("W", url, "Gateway", QString(50, 'u'), QString(20, 'p')), -1), 0u);
    EXPECT_EQ(list.Check(Wap(QString(51, 'n'), url, "Gateway"), -1), StringId::MsgBookmarkName);
    EXPECT_EQ(list.Check(Wap("W", "http://a.example/" + QString(255 - 17, 'x'), "G"), -1), 0u);
    EXPECT_EQ(list.Check(Wap("W", "http://a.example/" + QString(256 - 17, 'x'), "G"), -1),
              StringId::MsgBookmarkUrl);
    EXPECT_EQ(list.Check(Wap("W", url, "G", QString(51, 'u')), -1), StringId::MsgBookmarkUserName);
    EXPECT_EQ(list.Check(Wap("W", url, "G", "u", QString(21, 'p')), -1),
              StringId::MsgBookmarkPassword);
    EXPECT_EQ(list.Check(Wap("W", url, ""), -1), StringId::MsgBookmarkConnection);
    EXPECT_EQ(list.Check(Wap("W", url, "Gone"), -1), StringId::MsgBookmarkConnection);
    EXPECT_EQ(list.Check(Wap("W", url, "gateway"), -1), StringId::MsgBookmarkConnection);
    // The first failing rule is the one reported.
    EXPECT_EQ(list.Check(Wap("", "not a url", ""), -1), StringId::MsgBookmarkName);
    EXPECT_EQ(list.Check(Wap("W", "not a url", "", QString(51, 'u')), -1),
              StringId::MsgBookmarkUrl);
}

TEST_F(BookmarkListTest, MergeCutsSkipsDuplicatesAndBadUrlsSilently)
{
    CBookmarkList list(*List(WWWBookmarks));
    list.Append(Www("Kept", "http://kept.example/"));
    const QString longName = QString(300, 'n');
    const QString longUrl = "http://long.example/" + QString(300, 'x');
    const QStringList imported = {"http://a.example/\nA", "http://kept.example/other\nKept",
                                  "not a url\nBad", "http://b.example/\n" + longName,
                                  // Equal to the one before once both are cut.
                                  "http://c.example/\n" + longName + "tail", longUrl + "\nLong",
                                  "http://a.example/again\nA", "no line feed"};
    const BookmarkMergeCount count = list.Merge(imported);
    EXPECT_EQ(count.added, 3);
    EXPECT_EQ(count.skipped, 5);
    EXPECT_EQ(Names(list), QStringList({"Kept", "A", QString(256, 'n'), "Long"}));
    EXPECT_EQ(list.Record(3).url, longUrl.left(264));
    // The same source a second time adds nothing.
    EXPECT_EQ(list.Merge(imported).added, 0);
    EXPECT_EQ(list.Count(), 4);
}

TEST_F(BookmarkListTest, CutDoesNotSplitASurrogatePair)
{
    CBookmarkList list(*List(WWWBookmarks));
    const QString smiley = QStringLiteral("\U0001F600");
    list.Merge({"http://a.example/\n" + QString(255, 'n') + smiley});
    ASSERT_EQ(list.Count(), 1);
    EXPECT_EQ(list.Record(0).name, QString(255, 'n'));
}

TEST_F(BookmarkListTest, RemovingNonAdjacentRecordsKeepsTheOthersInOrder)
{
    CBookmarkList list(*List(WWWBookmarks));
    for (const char *name : {"a", "b", "c", "d", "e"})
        list.Append(Www(name, "http://x.example/"));
    list.Remove({3, 0, 3, 9});
    EXPECT_EQ(Names(list), QStringList({"b", "c", "e"}));
}

TEST_F(BookmarkListTest, EntriesFollowRecordOrderWithTheListsIncludeFlag)
{
    CSettingNode *listNode = List(WAPBookmarks);
    CBookmarkList list(*listNode);
    list.Append(Wap("Zed", "http://z.example/", "Gate", "user", "secret"));
    list.Append(Wap("Abe", "http://a.example/", "Gate"));
    for (int include : {0, 1}) {
        listNode->SetIncludeFlag(include);
        const auto entries = list.MakeEntries();
        ASSERT_EQ(entries.size(), 2u);
        EXPECT_EQ(entries[0]->GetType(), WAPBookmark);
        EXPECT_EQ(entries[0]->IsIncluded(), include);
        EXPECT_EQ(entries[0]->FindChild(WAPBookmarkName)->GetValue(), "Zed");
        EXPECT_EQ(entries[0]->FindChild(WAPBookmarkURL)->GetValue(), "http://z.example/");
        EXPECT_EQ(entries[0]->FindChild(WAPBookmarkUseConnection)->GetValue(), "Gate");
        EXPECT_EQ(entries[0]->FindChild(WAPBookmarkUsername)->GetValue(), "user");
        EXPECT_EQ(entries[0]->FindChild(WAPBookmarkPassword)->GetValue(), "secret");
        EXPECT_EQ(entries[1]->FindChild(WAPBookmarkName)->GetValue(), "Abe");
    }
    // Making entries leaves the list node and the document alone.
    EXPECT_EQ(listNode->ChildCount(), 0);
    EXPECT_EQ(m_tree.Root()->IsModified(), 0);

    // Entries read back as the same records.
    for (auto &entry : list.MakeEntries()) {
        entry->SetParent(listNode);
        listNode->InsertChild(entry.release());
    }
    const std::vector<CBookmark> records = ReadBookmarks(*listNode);
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[0].password, "secret");
    EXPECT_EQ(records[1].connection, "Gate");
}
