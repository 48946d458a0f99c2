#pragma once

#include <QString>
#include <QStringList>

// Bookmarks kept by today's browsers in their profiles.

// The places.sqlite of Firefox's default profile under this Firefox folder
// (normally ~/.mozilla/firefox), as profiles.ini names it: the profile that
// an [Install...] section makes the default, else the one marked Default=1,
// else the first. Empty when there is none.
QString FirefoxPlacesFile(const QString &firefoxFolder);
QString DefaultFirefoxFolder();

// Reads the bookmarks of a places.sqlite: every bookmark entry under the
// roots, folders walked in their order, except what is under the tags root,
// whose entries are tag assignments and not bookmarks. The database is read
// from a private copy, so that a running Firefox's lock does not stand in the
// way. False when the file cannot be read as a bookmark database.
bool ReadFirefoxPlaces(const QString &placesFile, QStringList &result);

// The Bookmarks files of the default profiles of Chromium and Google Chrome
// under this configuration folder (normally ~/.config) that exist.
QStringList ChromiumBookmarkFiles(const QString &configFolder);
QString DefaultConfigFolder();

// Reads a Chromium Bookmarks file: every url node of every root (the bar,
// other bookmarks, mobile bookmarks, then any others), folders walked in
// order. False when the file cannot be read or is not such a file.
bool ReadChromiumBookmarks(const QString &bookmarksFile, QStringList &result);
