#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// What the importer needs from outside the core: the registry, and the user's
// choice among several Netscape bookmark files.
class IBookmarkEnvironment
{
public:
    // A string value of a registry key such as
    // "HKEY_CURRENT_USER\SOFTWARE\...": nothing when it cannot be read.
    virtual std::optional<QString> RegistryValue(const QString &key, const QString &name) = 0;
    // Picks one of the found bookmark files; nothing when cancelled.
    virtual std::optional<QString> ChooseBookmarkFile(const QStringList &files) = 0;

protected:
    ~IBookmarkEnvironment() = default;
};

// Where bookmarks come from.
enum class BookmarkSource { Favorites, Netscape, File, Firefox, Chromium };

// Reads browser bookmarks into a flat list of imported bookmarks (URL, line
// feed, name; see BookmarkFile.h); folders are walked but not kept. Each
// import empties the list first.
class CBookmarkImporter
{
public:
    explicit CBookmarkImporter(IBookmarkEnvironment &environment);

    // The Favorites folder: $PROVANA_FAVORITES, else ~/Favorites.
    static QString DefaultFavoritesFolder();

    // Walks the folder depth first in name order, reading every .url file.
    // A channel folder, one whose desktop.ini has a [Channel] section, is not
    // entered. False when the folder does not exist.
    bool ImportFavorites(QStringList &result, const QString &folder);
    // The bookmark file that the Netscape entries of the registry point to.
    bool ImportNetscape(QStringList &result);
    bool ImportFile(QStringList &result, const QString &path);
    // A places.sqlite; empty: the default profile's.
    bool ImportFirefox(QStringList &result, const QString &placesFile);
    // A Chromium Bookmarks file; empty: those of Chromium's and Chrome's
    // default profiles.
    bool ImportChromium(QStringList &result, const QString &bookmarksFile);

    // Every file named exactly "bookmark.htm" below the folder of a search
    // pattern ("folder/*.*"), each path followed by ";".
    static QString FindBookmarkFiles(const QString &pattern);

private:
    QString NetscapeBookmarkPath();

    IBookmarkEnvironment &m_environment;
};
