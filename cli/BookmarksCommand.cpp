#include "BookmarksCommand.h"

#include "CliDocument.h"
#include "CliTexts.h"
#include "Commands.h"
#include "Console.h"

#include "bookmarks/BookmarkImporter.h"
#include "bookmarks/BookmarkList.h"
#include "document/DocumentNames.h"
#include "platform/registry/Registry.h"
#include "settings/NodeTypes.h"
#include "settings/SettingNode.h"
#include "settings/StringIds.h"

namespace Cli {
namespace {

// The registry of this user; of several Netscape bookmark files the first
// found is taken, as there is nobody to ask.
class CCliBookmarkEnvironment final : public IBookmarkEnvironment
{
public:
    std::optional<QString> RegistryValue(const QString &key, const QString &name) override
    {
        return CRegistry().GetValue(key, name);
    }
    std::optional<QString> ChooseBookmarkFile(const QStringList &files) override
    {
        return files.value(0);
    }
};

struct ImportSource
{
    BookmarkSource source;
    QString location; // empty: the source's default place
};

ImportSource ParseSource(const QString &argument)
{
    static const struct
    {
        const char *keyword;
        BookmarkSource source;
    } kKeywords[] = {{"favorites", BookmarkSource::Favorites},
                     {"netscape", BookmarkSource::Netscape},
                     {"firefox", BookmarkSource::Firefox},
                     {"chromium", BookmarkSource::Chromium}};
    const qsizetype equals = argument.indexOf(u'=');
    const QString keyword = equals < 0 ? argument : argument.left(equals);
    for (const auto &entry : kKeywords) {
        if (keyword == QLatin1String(entry.keyword) &&
            (equals < 0 || entry.source != BookmarkSource::Netscape))
            return {entry.source, equals < 0 ? QString() : argument.mid(equals + 1)};
    }
    return {BookmarkSource::File, argument};
}

// Reads the source; prints why and answers false when it cannot be read.
bool Import(const ImportSource &source, QStringList &imported)
{
    CCliBookmarkEnvironment environment;
    CBookmarkImporter importer(environment);
    switch (source.source) {
    case BookmarkSource::Favorites: {
        const QString folder = source.location.isEmpty()
                                   ? CBookmarkImporter::DefaultFavoritesFolder()
                                   : source.location;
        if (importer.ImportFavorites(imported, folder))
            return true;
        PrintError(Text(StringId::MsgFavoritesNotFound, {folder}));
        return false;
    }
    case BookmarkSource::Netscape:
        if (importer.ImportNetscape(imported))
            return true;
        PrintError(Text(StringId::MsgNetscapeNotFound));
        return false;
    case BookmarkSource::File:
        if (importer.ImportFile(imported, source.location))
            return true;
        PrintError(Text(CliText::FileProblem,
                        {source.location, Text(StringId::MsgBookmarkFileNotOpened)}));
        return false;
    case BookmarkSource::Firefox:
        if (importer.ImportFirefox(imported, source.location))
            return true;
        PrintError(Text(StringId::MsgFirefoxNotFound));
        return false;
    case BookmarkSource::Chromium:
        if (importer.ImportChromium(imported, source.location))
            return true;
        PrintError(Text(StringId::MsgChromiumNotFound));
        return false;
    }
    return false;
}

void ListBookmarks(const CBookmarkList &list)
{
    for (const CBookmark &record : list.Records()) {
        QStringList fields = {record.name, record.url};
        if (list.Kind() == BookmarkKind::Wap)
            fields << record.connection << record.userName;
        PrintOut(fields.join(u'\t'));
    }
}

} // namespace

int CmdBookmarks(const QStringList &arguments)
{
    QStringList rest = arguments.mid(1);
    const bool wap = rest.removeAll(QStringLiteral("--wap")) > 0;
    const bool importing = rest.size() == 2 && rest[0] == u"--import";
    if ((!rest.isEmpty() && !importing) || (importing && wap)) {
        PrintError(Text(CliText::WrongArguments,
                        {QStringLiteral("bookmarks"), QStringLiteral("bookmarks")}));
        return ExitUsage;
    }
    CCliDocument &document = KeptDocument();
    if (!OpenFile(document, arguments[0]))
        return ExitFile;
    const CSettingNode *listNode = document.GetRoot()->FindDescendant(
        {NodeType::PersonalData, wap ? NodeType::WAPBookmarks : NodeType::WWWBookmarks});
    if (!listNode)
        return ReportFileProblem(arguments[0], Text(StringId::MsgNotConfiguration));
    CBookmarkList list(*listNode);
    if (!importing) {
        ListBookmarks(list);
        return ExitOk;
    }
    // The editor opens no list that does not apply, such as WWW bookmarks
    // without an access point.
    if (listNode->IsDisabled()) {
        PrintError(Text(StringId::MsgNotApplicable, {listNode->GetLabel(true)}));
        return ExitCheckFailed;
    }
    QStringList imported;
    if (!Import(ParseSource(rest[1]), imported))
        return ExitFile;
    const BookmarkMergeCount count = list.Merge(imported);
    PrintOut(Text(CliText::BookmarksImported, {count.added, count.skipped}));
    if (count.added == 0)
        return ExitOk;
    document.ReplaceEntries(listNode, list.MakeEntries());
    return SaveFile(document, arguments[0]);
}

} // namespace Cli
