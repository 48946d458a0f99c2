#include "BookmarkImporter.h"

#include "BookmarkFile.h"
#include "BrowserProfiles.h"
#include "InternetShortcut.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

const QString kNetscapeListKey =
    QStringLiteral("HKEY_CURRENT_USER\\SOFTWARE\\Netscape\\Netscape Navigator\\Bookmark List");
const QString kNetscapePathKey = QStringLiteral(
    "HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\Netscape.exe");
const QString kAllFiles = QStringLiteral("*.*");

bool IsChannelFolder(const QString &folder)
{
    QFile settings(QDir(folder).filePath(QStringLiteral("desktop.ini")));
    if (!settings.open(QIODevice::ReadOnly))
        return false;
    const QString text = DecodeBookmarkFile(settings.read(64 * 1024));
    for (QStringView line : QStringView(text).split(QLatin1Char('\n'))) {
        if (line.trimmed().compare(QLatin1String("[Channel]"), Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

QString ShortcutName(const QString &fileName)
{
    return fileName.endsWith(QLatin1String(".url"), Qt::CaseInsensitive) ? fileName.chopped(4)
                                                                         : fileName;
}

// A shortcut larger than this is no shortcut; it is not read whole.
constexpr qint64 kLargestShortcut = 1024 * 1024;

void WalkFavorites(const QString &folder, QStringList &result)
{
    const QFileInfoList entries = QDir(folder).entryInfoList(
        QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System, QDir::Name);
    for (const QFileInfo &entry : entries) {
        if (entry.isDir()) {
            if (!entry.isSymLink() && !IsChannelFolder(entry.filePath()))
                WalkFavorites(entry.filePath(), result);
            continue;
        }
        if (!entry.fileName().contains(QLatin1String(".url")))
            continue;
        QFile file(entry.filePath());
        if (!file.open(QIODevice::ReadOnly))
            continue;
        const QString url = InternetShortcutUrl(file.read(kLargestShortcut));
        if (!url.isEmpty())
            result.append(ImportedBookmark(url, ShortcutName(entry.fileName())));
    }
}

void FindBookmarkFilesIn(const QString &folder, QString &found)
{
    const QFileInfoList entries = QDir(folder).entryInfoList(
        QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System, QDir::Name);
    for (const QFileInfo &entry : entries) {
        if (entry.isDir() && !entry.isSymLink())
            FindBookmarkFilesIn(entry.filePath(), found);
        if (entry.fileName() == QLatin1String("bookmark.htm"))
            found += entry.filePath() + QLatin1Char(';');
    }
}

} // namespace

CBookmarkImporter::CBookmarkImporter(IBookmarkEnvironment &environment)
    : m_environment(environment)
{}

QString CBookmarkImporter::DefaultFavoritesFolder()
{
    const QString folder = qEnvironmentVariable("PROVANA_FAVORITES");
    return folder.isEmpty() ? QDir::home().filePath(QStringLiteral("Favorites")) : folder;
}

bool CBookmarkImporter::ImportFavorites(QStringList &result, const QString &folder)
{
    result.clear();
    if (!QFileInfo(folder).isDir())
        return false;
    WalkFavorites(folder, result);
    return true;
}

QString CBookmarkImporter::FindBookmarkFiles(const QString &pattern)
{
    QString folder = pattern;
    if (folder.endsWith(kAllFiles))
        folder.chop(kAllFiles.size());
    QString found;
    FindBookmarkFilesIn(folder.isEmpty() ? QStringLiteral(".") : folder, found);
    return found;
}

QString CBookmarkImporter::NetscapeBookmarkPath()
{
    if (std::optional<QString> listed =
            m_environment.RegistryValue(kNetscapeListKey, QStringLiteral("File Location")))
        return *listed;
    std::optional<QString> program =
        m_environment.RegistryValue(kNetscapePathKey, QStringLiteral("Path"));
    if (!program)
        return QString();
    QString pattern = *program;
    const qsizetype communicator = pattern.indexOf(QLatin1String("Communicator"));
    if (communicator >= 0)
        pattern.truncate(communicator);
    if (!pattern.isEmpty() && !pattern.endsWith(QLatin1Char('/')))
        pattern += QLatin1Char('/');
    pattern += kAllFiles;
    QStringList files = FindBookmarkFiles(pattern).split(QLatin1Char(';'), Qt::SkipEmptyParts);
    if (files.isEmpty())
        return pattern;
    return m_environment.ChooseBookmarkFile(files).value_or(pattern);
}

bool CBookmarkImporter::ImportNetscape(QStringList &result)
{
    result.clear();
    const QString path = NetscapeBookmarkPath();
    if (path.isEmpty())
        return false;
    ReadBookmarkFile(path, result);
    return true;
}

bool CBookmarkImporter::ImportFile(QStringList &result, const QString &path)
{
    return ReadBookmarkFile(path, result);
}

bool CBookmarkImporter::ImportFirefox(QStringList &result, const QString &placesFile)
{
    result.clear();
    const QString file =
        placesFile.isEmpty() ? FirefoxPlacesFile(DefaultFirefoxFolder()) : placesFile;
    return !file.isEmpty() && ReadFirefoxPlaces(file, result);
}

bool CBookmarkImporter::ImportChromium(QStringList &result, const QString &bookmarksFile)
{
    result.clear();
    const QStringList files = bookmarksFile.isEmpty() ? ChromiumBookmarkFiles(DefaultConfigFolder())
                                                      : QStringList{bookmarksFile};
    bool read = false;
    for (const QString &file : files) {
        QStringList part;
        if (ReadChromiumBookmarks(file, part)) {
            result += part;
            read = true;
        }
    }
    return read;
}
