#include "BrowserProfiles.h"

#include "BookmarkFile.h"

#include <QDir>
#include <QFile>
#include <QHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSettings>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QUuid>

#include <vector>

namespace {

QString ProfilePath(const QString &firefoxFolder, const QSettings &profiles, const QString &group)
{
    const QString path = profiles.value(group + QStringLiteral("/Path")).toString();
    if (path.isEmpty())
        return QString();
    const bool relative = profiles.value(group + QStringLiteral("/IsRelative"), 1).toInt() != 0;
    return relative ? QDir(firefoxFolder).filePath(path) : path;
}

QString DefaultProfileGroup(const QSettings &profiles)
{
    const QStringList groups = profiles.childGroups();
    for (const QString &group : groups) {
        if (!group.startsWith(QLatin1String("Install")))
            continue;
        const QString path = profiles.value(group + QStringLiteral("/Default")).toString();
        for (const QString &profile : groups) {
            if (profile.startsWith(QLatin1String("Profile")) &&
                profiles.value(profile + QStringLiteral("/Path")).toString() == path)
                return profile;
        }
    }
    QString first;
    for (const QString &group : groups) {
        if (!group.startsWith(QLatin1String("Profile")))
            continue;
        if (profiles.value(group + QStringLiteral("/Default")).toInt() == 1)
            return group;
        if (first.isEmpty())
            first = group;
    }
    return first;
}

struct PlacesEntry
{
    qint64 id;
    qint64 parent;
    int type;
    QString title;
    QString url;
};

// The entries of moz_bookmarks with their URLs, by parent in position order.
bool ReadPlacesEntries(const QString &databaseFile, std::vector<PlacesEntry> &entries,
                       qint64 &tagsRoot)
{
    const QString connection = QUuid::createUuid().toString();
    bool ok = false;
    {
        QSqlDatabase database = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection);
        database.setDatabaseName(databaseFile);
        database.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
        QSqlQuery query(database);
        ok = database.open() &&
             query.exec(QStringLiteral(
                 "SELECT b.id, b.parent, b.type, b.title, p.url, b.guid FROM moz_bookmarks b "
                 "LEFT JOIN moz_places p ON b.fk = p.id ORDER BY b.parent, b.position, b.id"));
        tagsRoot = -1;
        while (ok && query.next()) {
            entries.push_back({query.value(0).toLongLong(), query.value(1).toLongLong(),
                               query.value(2).toInt(), query.value(3).toString(),
                               query.value(4).toString()});
            if (query.value(5).toString() == QLatin1String("tags________"))
                tagsRoot = entries.back().id;
        }
    }
    QSqlDatabase::removeDatabase(connection);
    return ok;
}

using PlacesChildren = QHash<qint64, std::vector<const PlacesEntry *>>;

void WalkPlaces(const PlacesChildren &children, qint64 tagsRoot, QStringList &result)
{
    // Depth first with an explicit stack: a folder chain may be deep.
    std::vector<const PlacesEntry *> stack;
    auto pushChildren = [&](qint64 parent) {
        const auto found = children.constFind(parent);
        if (found != children.cend())
            stack.insert(stack.end(), found->rbegin(), found->rend());
    };
    pushChildren(0);
    while (!stack.empty()) {
        const PlacesEntry *entry = stack.back();
        stack.pop_back();
        if (entry->type == 1 && !entry->url.isEmpty())
            result.append(ImportedBookmark(entry->url, entry->title));
        else if (entry->type == 2 && entry->id != tagsRoot)
            pushChildren(entry->id);
    }
}

bool CopyDatabase(const QString &placesFile, const QString &folder, QString &copy)
{
    copy = QDir(folder).filePath(QStringLiteral("places.sqlite"));
    if (!QFile::copy(placesFile, copy))
        return false;
    // Recent changes may still wait in the write-ahead log.
    const QString log = placesFile + QStringLiteral("-wal");
    if (QFile::exists(log))
        QFile::copy(log, copy + QStringLiteral("-wal"));
    return true;
}

void WalkChromiumNode(const QJsonObject &node, QStringList &result)
{
    const QString type = node.value(QLatin1String("type")).toString();
    if (type == QLatin1String("url")) {
        result.append(ImportedBookmark(node.value(QLatin1String("url")).toString(),
                                       node.value(QLatin1String("name")).toString()));
        return;
    }
    const QJsonArray children = node.value(QLatin1String("children")).toArray();
    for (const QJsonValue &child : children)
        WalkChromiumNode(child.toObject(), result);
}

} // namespace

QString DefaultFirefoxFolder()
{
    return QDir::home().filePath(QStringLiteral(".mozilla/firefox"));
}

QString FirefoxPlacesFile(const QString &firefoxFolder)
{
    const QString iniFile = QDir(firefoxFolder).filePath(QStringLiteral("profiles.ini"));
    if (!QFile::exists(iniFile))
        return QString();
    const QSettings profiles(iniFile, QSettings::IniFormat);
    const QString group = DefaultProfileGroup(profiles);
    if (group.isEmpty())
        return QString();
    const QString profile = ProfilePath(firefoxFolder, profiles, group);
    const QString places = QDir(profile).filePath(QStringLiteral("places.sqlite"));
    return profile.isEmpty() || !QFile::exists(places) ? QString() : places;
}

bool ReadFirefoxPlaces(const QString &placesFile, QStringList &result)
{
    result.clear();
    QTemporaryDir folder;
    QString copy;
    if (!folder.isValid() || !CopyDatabase(placesFile, folder.path(), copy))
        return false;
    std::vector<PlacesEntry> entries;
    qint64 tagsRoot = -1;
    if (!ReadPlacesEntries(copy, entries, tagsRoot))
        return false;
    PlacesChildren children;
    for (const PlacesEntry &entry : entries)
        children[entry.parent].push_back(&entry);
    WalkPlaces(children, tagsRoot, result);
    return true;
}

QString DefaultConfigFolder()
{
    return QDir::home().filePath(QStringLiteral(".config"));
}

QStringList ChromiumBookmarkFiles(const QString &configFolder)
{
    QStringList files;
    for (const char *browser : {"chromium", "google-chrome"}) {
        const QString file =
            QDir(configFolder)
                .filePath(QLatin1String(browser) + QStringLiteral("/Default/Bookmarks"));
        if (QFile::exists(file))
            files.append(file);
    }
    return files;
}

bool ReadChromiumBookmarks(const QString &bookmarksFile, QStringList &result)
{
    result.clear();
    QFile file(bookmarksFile);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QJsonDocument document = QJsonDocument::fromJson(file.readAll());
    const QJsonObject roots = document.object().value(QLatin1String("roots")).toObject();
    if (roots.isEmpty())
        return false;
    QStringList order = {QStringLiteral("bookmark_bar"), QStringLiteral("other"),
                         QStringLiteral("synced")};
    for (const QString &key : roots.keys()) {
        if (!order.contains(key))
            order.append(key);
    }
    for (const QString &key : order) {
        const QJsonValue root = roots.value(key);
        if (root.isObject())
            WalkChromiumNode(root.toObject(), result);
    }
    return true;
}
