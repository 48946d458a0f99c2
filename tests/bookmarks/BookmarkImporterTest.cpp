#include "bookmarks/BookmarkImporter.h"
#include "support/QtPrinters.h"

#include "bookmarks/BookmarkFile.h"
#include "bookmarks/BrowserProfiles.h"
#include "bookmarks/InternetShortcut.h"

#include <QDir>
#include <QFile>
#include <QHash>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// A registry of a few values and a chooser that records what it was offered.
class CFakeEnvironment final : public IBookmarkEnvironment
{
public:
    QHash<QString, QString> values; // "key|name" -> value
    QStringList offered;
    std::optional<QString> choice;

    std::optional<QString> RegistryValue(const QString &key, const QString &name) override
    {
        const auto found = values.constFind(key + u'|' + name);
        return found == values.cend() ? std::nullopt : std::optional<QString>(*found);
    }
    std::optional<QString> ChooseBookmarkFile(const QStringList &files) override
    {
        offered = files;
        return choice;
    }
};

const QString kListKey = QStringLiteral(
    "HKEY_CURRENT_USER\\SOFTWARE\\Netscape\\Netscape Navigator\\Bookmark List|File Location");
const QString kPathKey = QStringLiteral("HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\"
                                        "CurrentVersion\\App Paths\\Netscape.exe|Path");

class BookmarkImporterTest : public ::testing::Test
{
protected:
    QString Write(const QString &relative, const QByteArray &bytes)
    {
        const QString path = m_folder.filePath(relative);
        QDir().mkpath(QFileInfo(path).path());
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return path;
    }
    static QByteArray Shortcut(const char *url)
    {
        return QByteArray("[InternetShortcut]\r\nURL=") + url + "\r\n";
    }
    static QByteArray BookmarkPage(const char *url, const char *name)
    {
        return QByteArray("<DT><A HREF=\"") + url + "\">" + name + "</A>\n";
    }

    QTemporaryDir m_folder;
    CFakeEnvironment m_environment;
    CBookmarkImporter m_importer{m_environment};
};

} // namespace

TEST_F(BookmarkImporterTest, FavoritesAreWalkedDepthFirstInNameOrder)
{
    Write("Favorites/b.url", Shortcut("http://b/"));
    Write("Favorites/a folder/inner.url", Shortcut("http://inner/"));
    Write("Favorites/a.url", Shortcut("http://a/"));
    Write("Favorites/c folder/deep/deeper.URL", Shortcut("http://deeper/"));
    Write("Favorites/no url.url", "[InternetShortcut]\r\nIconIndex=1\r\n");
    Write("Favorites/notes.txt", Shortcut("http://text/"));
    Write("Favorites/Channel/desktop.ini", "[.ShellClassInfo]\r\n[Channel]\r\nCDFURL=x\r\n");
    Write("Favorites/Channel/in channel.url", Shortcut("http://channel/"));
    QStringList result = {"left over"};
    ASSERT_TRUE(m_importer.ImportFavorites(result, m_folder.filePath("Favorites")));
    // By name, "a folder" comes before "a.url"; ".URL" does not contain
    // ".url", so only lowercase shortcuts count.
    EXPECT_EQ(result, QStringList({"http://inner/\ninner", "http://a/\na", "http://b/\nb"}));

    EXPECT_FALSE(m_importer.ImportFavorites(result, m_folder.filePath("missing")));
    EXPECT_TRUE(result.isEmpty());
}

TEST_F(BookmarkImporterTest, NetscapeFileLocationWins)
{
    const QString file = Write("ns/bookmarks.html", BookmarkPage("http://ns/", "NS"));
    m_environment.values[kListKey] = file;
    m_environment.values[kPathKey] = m_folder.filePath("elsewhere");
    QStringList result;
    ASSERT_TRUE(m_importer.ImportNetscape(result));
    EXPECT_EQ(result, QStringList({"http://ns/\nNS"}));
    EXPECT_TRUE(m_environment.offered.isEmpty());
}

TEST_F(BookmarkImporterTest, NetscapeProgramPathIsSearchedForBookmarkFiles)
{
    Write("Netscape/Users/ann/bookmark.htm", BookmarkPage("http://ann/", "Ann"));
    Write("Netscape/Users/bob/bookmark.htm", BookmarkPage("http://bob/", "Bob"));
    Write("Netscape/Users/bob/Bookmark.htm", BookmarkPage("http://case/", "Case"));
    m_environment.values[kPathKey] = m_folder.filePath("Netscape/Communicator/Program");
    m_environment.choice = m_folder.filePath("Netscape/Users/bob/bookmark.htm");
    QStringList result;
    ASSERT_TRUE(m_importer.ImportNetscape(result));
    EXPECT_EQ(m_environment.offered,
              QStringList({m_folder.filePath("Netscape/Users/ann/bookmark.htm"),
                           m_folder.filePath("Netscape/Users/bob/bookmark.htm")}));
    EXPECT_EQ(result, QStringList({"http://bob/\nBob"}));

    // Cancelled: the search pattern stays as the path and cannot be read,
    // which still counts as found.
    m_environment.choice.reset();
    EXPECT_TRUE(m_importer.ImportNetscape(result));
    EXPECT_TRUE(result.isEmpty());
}

TEST_F(BookmarkImporterTest, NetscapeWithoutRegistryEntriesFails)
{
    QStringList result = {"left over"};
    EXPECT_FALSE(m_importer.ImportNetscape(result));
    EXPECT_TRUE(result.isEmpty());
    m_environment.values[kListKey] = QString();
    EXPECT_FALSE(m_importer.ImportNetscape(result));
}

TEST_F(BookmarkImporterTest, FoundFilesAreListedWithSeparators)
{
    Write("x/bookmark.htm", "");
    EXPECT_EQ(CBookmarkImporter::FindBookmarkFiles(m_folder.filePath("*.*")),
              m_folder.filePath("x/bookmark.htm") + ";");
    QStringList result = {"left over"};
    // The trailing separator of a listed path is dropped before reading.
    EXPECT_TRUE(m_importer.ImportFile(result, m_folder.filePath("x/bookmark.htm") + ";"));
    EXPECT_TRUE(result.isEmpty());
    EXPECT_FALSE(m_importer.ImportFile(result, m_folder.filePath("missing.htm")));
    EXPECT_FALSE(m_importer.ImportFile(result, m_folder.path()));
}

namespace {

void Exec(QSqlDatabase &database, const QString &statement)
{
    QSqlQuery query(database);
    ASSERT_TRUE(query.exec(statement)) << statement.toStdString();
}

// A places.sqlite as Firefox lays it out: the root, its menu, toolbar, tags
// and unfiled folders, bookmarks of type 1 and folders of type 2.
void WritePlaces(const QString &path)
{
    {
        QSqlDatabase database = QSqlDatabase::addDatabase("QSQLITE", "places");
        database.setDatabaseName(path);
        ASSERT_TRUE(database.open());
        Exec(database, "CREATE TABLE moz_places (id INTEGER PRIMARY KEY, url TEXT)");
        Exec(database, "CREATE TABLE moz_bookmarks (id INTEGER PRIMARY KEY, type INTEGER, "
                       "fk INTEGER, parent INTEGER, position INTEGER, title TEXT, guid TEXT)");
        Exec(database, "INSERT INTO moz_places VALUES (1, 'https://one.example/'), "
                       "(2, 'https://two.example/'), (3, 'https://three.example/'), "
                       "(4, 'https://tagged.example/')");
        Exec(database, "INSERT INTO moz_bookmarks VALUES "
                       "(1, 2, NULL, 0, 0, '', 'root________'), "
                       "(2, 2, NULL, 1, 0, 'menu', 'menu________'), "
                       "(3, 2, NULL, 1, 1, 'toolbar', 'toolbar_____'), "
                       "(4, 2, NULL, 1, 2, 'tags', 'tags________'), "
                       "(5, 2, NULL, 1, 3, 'unfiled', 'unfiled_____'), "
                       "(10, 1, 2, 2, 1, 'Two', 'b1'), "
                       "(11, 2, NULL, 2, 0, 'Folder', 'f1'), "
                       "(12, 1, 1, 11, 0, 'One', 'b2'), "
                       "(13, 3, NULL, 2, 2, NULL, 's1'), "
                       "(14, 1, 3, 5, 0, NULL, 'b3'), "
                       "(15, 2, NULL, 4, 0, 'news', 't1'), "
                       "(16, 1, 4, 15, 0, NULL, 't2')");
        database.close();
    }
    QSqlDatabase::removeDatabase("places");
}

} // namespace

TEST_F(BookmarkImporterTest, FirefoxBookmarksExceptTagEntries)
{
    const QString places = m_folder.filePath("firefox/abcd.default-release/places.sqlite");
    QDir().mkpath(QFileInfo(places).path());
    WritePlaces(places);
    Write("firefox/profiles.ini",
          "[Profile1]\nName=old\nIsRelative=1\nPath=old.default\nDefault=1\n\n"
          "[Profile0]\nName=default-release\nIsRelative=1\nPath=abcd.default-release\n\n"
          "[Install4F96D1932A9F858E]\nDefault=abcd.default-release\nLocked=1\n");
    EXPECT_EQ(FirefoxPlacesFile(m_folder.filePath("firefox")), places);

    QStringList result;
    ASSERT_TRUE(m_importer.ImportFirefox(result, places));
    EXPECT_EQ(result, QStringList({"https://one.example/\nOne", "https://two.example/\nTwo",
                                   "https://three.example/\n"}));

    EXPECT_FALSE(m_importer.ImportFirefox(result, m_folder.filePath("firefox/profiles.ini")));
    EXPECT_FALSE(m_importer.ImportFirefox(result, m_folder.filePath("missing.sqlite")));
}

TEST_F(BookmarkImporterTest, FirefoxProfileMarkedDefaultWithoutInstallSection)
{
    Write("ff/profiles.ini", "[Profile0]\nIsRelative=1\nPath=a\n\n[Profile1]\nIsRelative=0\n"
                             "Path=" +
                                 m_folder.filePath("abs").toUtf8() + "\nDefault=1\n");
    Write("abs/places.sqlite", "");
    Write("ff/a/places.sqlite", "");
    EXPECT_EQ(FirefoxPlacesFile(m_folder.filePath("ff")), m_folder.filePath("abs/places.sqlite"));
    EXPECT_EQ(FirefoxPlacesFile(m_folder.filePath("none")), "");
}

TEST_F(BookmarkImporterTest, ChromiumBookmarksOfEveryRootInOrder)
{
    const QString file = Write("chromium/Default/Bookmarks", R"({
        "checksum": "0",
        "roots": {
            "other": {"type": "folder", "name": "Other", "children": [
                {"type": "url", "name": "Other one", "url": "https://other.example/"}]},
            "bookmark_bar": {"type": "folder", "name": "Bar", "children": [
                {"type": "folder", "name": "Nested", "children": [
                    {"type": "url", "name": "Deep", "url": "https://deep.example/"}]},
                {"type": "url", "name": "Bar one", "url": "https://bar.example/"}]},
            "synced": {"type": "folder", "name": "Mobile", "children": []}
        },
        "version": 1
    })");
    Write("google-chrome/Default/Bookmarks",
          R"({"roots": {"bookmark_bar": {"type": "folder", "children": [
              {"type": "url", "name": "Chrome", "url": "https://chrome.example/"}]}}})");
    EXPECT_EQ(ChromiumBookmarkFiles(m_folder.path()),
              QStringList({file, m_folder.filePath("google-chrome/Default/Bookmarks")}));

    QStringList result;
    ASSERT_TRUE(m_importer.ImportChromium(result, file));
    EXPECT_EQ(result, QStringList({"https://deep.example/\nDeep", "https://bar.example/\nBar one",
                                   "https://other.example/\nOther one"}));
    EXPECT_FALSE(m_importer.ImportChromium(result, Write("broken", "{\"roots\": ")));
    EXPECT_FALSE(m_importer.ImportChromium(result, m_folder.filePath("missing")));
}

namespace {

QStringList ImportTestFile(const char *name)
{
    QStringList result;
    EXPECT_TRUE(ReadBookmarkFile(QStringLiteral(PROVANA_TESTDATA "/bookmarks/") + name, result))
        << name;
    return result;
}

} // namespace

TEST(RealBookmarkFiles, EveryExportImportsWithItsLinks)
{
    if (!QDir(QStringLiteral(PROVANA_TESTDATA)).exists())
        GTEST_SKIP() << "no shared test data";
    // Counted by hand: the <DT><A ... HREF= entries of each file (iCab writes
    // other attributes before HREF).
    const std::pair<const char *, qsizetype> counts[] = {
        {"cout_bookmark.htm", 1231},
        {"cpan_Bookmarks.html", 10},
        {"cpan_Bookmarks4.7.html", 110},
        {"cpan_Favorites.html", 149},
        {"cpan_iCab.Hotlist.html", 151},
        {"cpan_mozilla.html", 219},
        {"kafene_chromium_flat.htm", 9},
        {"kafene_chromium_nested.htm", 18},
        {"kafene_delicious.htm", 5},
        {"kafene_firefox_flat.htm", 24},
        {"kafene_firefox_nested.htm", 24},
        {"kafene_internet_explorer_11_flat.htm", 18},
        {"kafene_internet_explorer_11_nested.htm", 27},
        {"kafene_netscape_basic.htm", 2},
        {"kafene_netscape_multiline.htm", 3},
        {"kafene_netscape_nested.htm", 8},
        {"kafene_shaarli.htm", 6},
        {"kafene_shaarli_markdown.htm", 3},
        {"theuntitled_bookmark.htm", 121},
        {"theuntitled_bookmarks_04.10.15.html", 398},
    };
    for (const auto &[name, count] : counts)
        EXPECT_EQ(ImportTestFile(name).size(), count) << name;
}

TEST(RealBookmarkFiles, EncodingsAndReferencesAsTheBrowsersWroteThem)
{
    if (!QDir(QStringLiteral(PROVANA_TESTDATA)).exists())
        GTEST_SKIP() << "no shared test data";
    // Netscape 4 in ISO-8859-1 with CR LF line ends.
    EXPECT_TRUE(ImportTestFile("cout_bookmark.htm")
                    .contains(QStringLiteral("http://www.bpwl.com/ar/\n\u00a4 archaic ruins "
                                             "\u00a4")));
    // Internet Explorer in UTF-8 with a byte order mark, raw "&" in URLs.
    const QStringList explorer = ImportTestFile("theuntitled_bookmark.htm");
    ASSERT_FALSE(explorer.isEmpty());
    EXPECT_TRUE(explorer.first().endsWith(QStringLiteral("\nArtistWolf \u00bb Emblems for "
                                                         "Battlefield 4 - Hardline")))
        << explorer.first().toStdString();
    EXPECT_TRUE(explorer.contains(QStringLiteral(
        "https://www.paypal.com/de/cgi-bin/webscr?cmd=_login-done&login_access=1360186268\n"
        "Mein Konto - PayPal")));
}

namespace {

QString ShortcutUrl(const char *name)
{
    QFile file(QStringLiteral(PROVANA_TESTDATA "/bookmarks/") + name);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << name;
    return InternetShortcutUrl(file.readAll());
}

} // namespace

TEST(RealBookmarkFiles, InternetShortcuts)
{
    if (!QDir(QStringLiteral(PROVANA_TESTDATA)).exists())
        GTEST_SKIP() << "no shared test data";
    // A property section stands before the shortcut's section.
    EXPECT_EQ(ShortcutUrl("url_MsDiala_Bing.url"),
              "http://go.microsoft.com/fwlink/p/?LinkId=255142");
    EXPECT_EQ(ShortcutUrl("url_sgorain_Suggested.url"), "https://ieonline.microsoft.com/#ieslice");
}
