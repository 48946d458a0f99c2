#include "support/QtPrinters.h"

#include "bookmarks/BookmarkFile.h"
#include "bookmarks/InternetShortcut.h"

#include <gtest/gtest.h>

namespace {

QStringList Scan(const char *html)
{
    return ScanBookmarkText(DecodeBookmarkFile(QByteArray(html)));
}

} // namespace

TEST(BookmarkScanner, UppercaseLowercaseAndMixedTagsAllCount)
{
    // A lowercase entry late in the file must not hide the uppercase ones
    // before it.
    EXPECT_EQ(
        Scan("<DL><p>\n<DT><A HREF=\"http://a.example/\" ADD_DATE=\"1\">A</A>\n"
             "<Dt><a HrEf=\"http://b.example/\">B</a>\n"
             "<dt><a href=\"http://c.example/\">C</a>\n</DL>"),
        QStringList({"http://a.example/\nA", "http://b.example/\nB", "http://c.example/\nC"}));
}

TEST(BookmarkScanner, FoldersAndDescriptionsAreNotBookmarks)
{
    EXPECT_EQ(Scan("<DT><H3 FOLDED>Work</H3>\n<DL><p>\n"
                   "<DT><A HREF=\"http://a.example/\">A</A>\n<DD>About A\n"
                   "</DL><p>\n<DT><H3>Empty</H3>\n<DL><p>\n</DL><p>\n"),
              QStringList({"http://a.example/\nA"}));
}

TEST(BookmarkScanner, HrefAnywhereAmongTheLinkTagsAttributes)
{
    // iCab writes its own attributes first; a tag without HREF (an anchor) and
    // an attribute merely ending in "href" are no links.
    EXPECT_EQ(Scan("<DT><A SUBSCRIBE LASTUPDATE=\"9\" HREF=\"http://a.example/\">A</A>\n"
                   "<DT><A NAME=\"top\">Top</A>\n"
                   "<DT><ABBR HREF=\"http://x.example/\">X</ABBR>\n"
                   "<DT><A DATA-HREF=\"http://y.example/\" ID=\"y\">Y</A>\n"
                   "<DT><A\tADD_DATE=\"1\"\nhref=\"http://b.example/\">B</A>\n"),
              QStringList({"http://a.example/\nA", "http://b.example/\nB"}));
}

TEST(BookmarkScanner, NameSplitOverLinesIsJoinedWithoutLineFeeds)
{
    EXPECT_EQ(Scan("<DT><A HREF=\"http://a.example/\">Two\r\nlines\rhere</A>"),
              QStringList({"http://a.example/\nTwolineshere"}));
}

TEST(BookmarkScanner, CharacterReferencesAreDecodedOnce)
{
    EXPECT_EQ(Scan("<DT><A HREF=\"http://a.example/?x=1&amp;y=2&z=3\">Fish &amp; Chips "
                   "&amp;amp; &#233;&#x263A; &lt;b&gt; &quot;q&quot; &apos;a&apos;&nbsp;!</A>"),
              QStringList({QStringLiteral("http://a.example/?x=1&y=2&z=3\nFish & Chips &amp; "
                                          "\u00e9\u263a <b> \"q\" 'a'\u00a0!")}));
    // Without the semicolon, unknown or out of range, a reference stays.
    for (const char *kept : {"&amp", "&copy;", "&#0;", "&#xD800;", "&#x110000;", "&#;", "& x;",
                             "&#12345678901;", "a&b;c"})
        EXPECT_EQ(DecodeCharacterReferences(kept), kept) << kept;
}

TEST(BookmarkScanner, UnclosedLinkOrNameEndsTheScan)
{
    EXPECT_EQ(Scan("<DT><A HREF=\"http://a.example/\">A</A>\n<DT><A HREF=\"http://b.example/"),
              QStringList({"http://a.example/\nA"}));
    EXPECT_EQ(Scan("<DT><A HREF=\"http://a.example/\">A</A>\n<DT><A HREF=\"http://b\">B"),
              QStringList({"http://a.example/\nA"}));
    EXPECT_EQ(Scan("<DT><A HREF=\"http://b\" x"), QStringList());
    EXPECT_EQ(Scan("<DT>no link at all"), QStringList());
    EXPECT_EQ(Scan(""), QStringList());
}

TEST(BookmarkFileDecoding, Utf8MarkValidUtf8DeclaredCharsetAndLatin1)
{
    const QString expected = QStringLiteral("caf\u00e9\n");
    EXPECT_EQ(DecodeBookmarkFile("\xEF\xBB\xBF"
                                 "caf\xC3\xA9"),
              expected);
    EXPECT_EQ(DecodeBookmarkFile("caf\xC3\xA9"), expected);
    // Not UTF-8: the declared charset, then Latin-1.
    EXPECT_EQ(DecodeBookmarkFile("<META CONTENT=\"text/html; charset=windows-1252\">\x80"),
              QStringLiteral("<META CONTENT=\"text/html; charset=windows-1252\">\u20ac\n"));
    EXPECT_EQ(DecodeBookmarkFile("<meta charset=\"no-such-charset\">caf\xE9"),
              QStringLiteral("<meta charset=\"no-such-charset\">caf\u00e9\n"));
    EXPECT_EQ(DecodeBookmarkFile("caf\xE9"), expected);
    EXPECT_EQ(DecodeBookmarkFile("a\r\nb\rc\n"), "a\nb\nc\n");
    EXPECT_EQ(DecodeBookmarkFile(""), "");
}

TEST(ImportedBookmarks, SplitAtTheFirstLineFeed)
{
    QString url, name;
    SplitImportedBookmark("http://a/\nname\nmore", url, name);
    EXPECT_EQ(url, "http://a/");
    EXPECT_EQ(name, "name\nmore");
    SplitImportedBookmark("all name", url, name);
    EXPECT_EQ(url, "");
    EXPECT_EQ(name, "all name");
}

TEST(InternetShortcuts, TheUrlOfTheShortcutSectionOnly)
{
    EXPECT_EQ(InternetShortcutUrl("[DEFAULT]\r\nBASEURL=http://base/\r\n[InternetShortcut]\r\n"
                                  "IconIndex=0\r\nURL=http://a.example/x?y=1\r\n"),
              "http://a.example/x?y=1");
    EXPECT_EQ(InternetShortcutUrl("[internetshortcut]\n  url = http://a/  \n"), "http://a/");
    EXPECT_EQ(InternetShortcutUrl("URL=http://outside/\n[Other]\nURL=http://other/\n"), "");
    EXPECT_EQ(InternetShortcutUrl("[InternetShortcut]\nIconFile=x\n[Other]\nURL=http://o/\n"), "");
    EXPECT_EQ(InternetShortcutUrl(QByteArray("\0\xff\xfe[", 4)), "");
}

TEST(BookmarkScanner, BinaryTruncatedAndOneGiantLineEndCleanly)
{
    QByteArray binary;
    for (int i = 0; i < 4096; ++i)
        binary.append(char((i * 131 + 7) % 256));
    EXPECT_TRUE(ScanBookmarkText(DecodeBookmarkFile(binary)).isEmpty());
    // Cut anywhere in a link tag, its URL or its name: nothing until the "<"
    // that ends the name.
    const QByteArray entry = "<DT><A HREF=\"http://a.example/\">Name</A>\n";
    const qsizetype nameEnd = entry.indexOf("</A>");
    for (qsizetype cut = 0; cut < entry.size(); ++cut)
        EXPECT_EQ(ScanBookmarkText(DecodeBookmarkFile(entry.left(cut))).size(),
                  cut > nameEnd ? 1 : 0)
            << cut;
    // A line of 8 MB with entries only at its ends.
    const QByteArray giant = entry + QByteArray(8 * 1024 * 1024, 'x') + entry;
    EXPECT_EQ(ScanBookmarkText(DecodeBookmarkFile(giant)).size(), 2);
}
