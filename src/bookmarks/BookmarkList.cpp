#include "BookmarkList.h"

#include "BookmarkFile.h"

#include "settings/ItemNames.h"
#include "settings/NodeCatalogue.h"
#include "settings/NodeTypes.h"
#include "settings/SettingNode.h"
#include "settings/StringIds.h"
#include "validate/FieldLimits.h"
#include "validate/Validators.h"

#include <QSet>

#include <algorithm>

using namespace NodeType;

namespace {

// The node types of a bookmark's fields, in the record's order; the entry's
// own type is the list's entry type in the catalogue.
struct BookmarkTypes
{
    int list;
    int name;
    int url;
    int connection; // 0 for WWW bookmarks
    int userName;
    int password;
};

constexpr BookmarkTypes kWwwTypes = {WWWBookmarks, WWWBookmarkName, WWWBookmarkURL, 0, 0, 0};
constexpr BookmarkTypes kWapTypes = {WAPBookmarks,        WAPBookmarkName,
                                     WAPBookmarkURL,      WAPBookmarkUseConnection,
                                     WAPBookmarkUsername, WAPBookmarkPassword};

const BookmarkTypes &TypesOf(BookmarkKind kind)
{
    return kind == BookmarkKind::Www ? kWwwTypes : kWapTypes;
}

BookmarkKind KindOf(const CSettingNode &listNode)
{
    return listNode.GetType() == WAPBookmarks ? BookmarkKind::Wap : BookmarkKind::Www;
}

QString FieldValue(const CSettingNode &entry, int type)
{
    const CSettingNode *field = type ? entry.FindChild(type) : nullptr;
    return field ? field->GetValue() : QString();
}

void SetField(CSettingNode &entry, int type, const QString &value)
{
    if (CSettingNode *field = type ? entry.FindChild(type) : nullptr)
        field->SetValue(value);
}

// The first maxLength UTF-16 units, without a lone half of a surrogate pair
// at the end.
QString Cut(const QString &text, int maxLength)
{
    if (text.size() <= maxLength)
        return text;
    QString cut = text.left(maxLength);
    if (cut.back().isHighSurrogate())
        cut.chop(1);
    return cut;
}

bool LengthWithin(const QString &text, int least, int most)
{
    return text.size() >= least && text.size() <= most;
}

} // namespace

std::vector<CBookmark> ReadBookmarks(const CSettingNode &listNode)
{
    const BookmarkTypes &types = TypesOf(KindOf(listNode));
    const int entryType = ItemTypeUnder(types.list);
    std::vector<CBookmark> records;
    records.reserve(listNode.Children().size());
    for (const CSettingNode *entry : listNode.Children()) {
        if (entry->GetType() != entryType)
            continue;
        CBookmark record;
        record.name = FieldValue(*entry, types.name);
        record.url = FieldValue(*entry, types.url);
        record.connection = FieldValue(*entry, types.connection);
        record.userName = FieldValue(*entry, types.userName);
        record.password = FieldValue(*entry, types.password);
        records.push_back(std::move(record));
    }
    return records;
}

CBookmarkList::CBookmarkList(const CSettingNode &listNode)
    : m_listNode(listNode)
    , m_kind(KindOf(listNode))
    , m_records(ReadBookmarks(listNode))
{}

void CBookmarkList::Remove(std::vector<int> indexes)
{
    std::sort(indexes.begin(), indexes.end(), std::greater<>());
    indexes.erase(std::unique(indexes.begin(), indexes.end()), indexes.end());
    for (int index : indexes) {
        if (index >= 0 && index < Count())
            m_records.erase(m_records.begin() + index);
    }
}

bool CBookmarkList::HasName(const QString &name, int ownIndex) const
{
    for (int i = 0; i < Count(); ++i) {
        if (i != ownIndex && m_records[size_t(i)].name == name)
            return true;
    }
    return false;
}

unsigned CBookmarkList::Check(const CBookmark &record, int ownIndex) const
{
    const BookmarkTypes &types = TypesOf(m_kind);
    if (!LengthWithin(record.name, 1, MaxLength(types.name)))
        return StringId::MsgBookmarkName;
    if (HasName(record.name, ownIndex))
        return StringId::MsgBookmarkNameListed;
    if (!LengthWithin(record.url, 1, MaxLength(types.url)) || !IsValidURL(record.url))
        return StringId::MsgBookmarkUrl;
    if (m_kind == BookmarkKind::Www)
        return 0;
    if (record.userName.size() > MaxLength(types.userName))
        return StringId::MsgBookmarkUserName;
    if (record.password.size() > MaxLength(types.password))
        return StringId::MsgBookmarkPassword;
    // Read from a file, a bookmark may name a connection the configuration
    // does not have; it must be given one that it has.
    if (!ItemNames(m_listNode.Root(), ChoiceSource::WAPConnectionNames).contains(record.connection))
        return StringId::MsgBookmarkConnection;
    return 0;
}

BookmarkMergeCount CBookmarkList::Merge(const QStringList &imported)
{
    const BookmarkTypes &types = TypesOf(m_kind);
    QSet<QString> names;
    names.reserve(Count() + imported.size());
    for (const CBookmark &listed : m_records)
        names.insert(listed.name);
    BookmarkMergeCount count;
    for (const QString &item : imported) {
        CBookmark record;
        SplitImportedBookmark(item, record.url, record.name);
        record.url = Cut(record.url, MaxLength(types.url));
        record.name = Cut(record.name, MaxLength(types.name));
        if (names.contains(record.name) || !IsValidURL(record.url)) {
            ++count.skipped;
            continue;
        }
        names.insert(record.name);
        m_records.push_back(std::move(record));
        ++count.added;
    }
    return count;
}

std::vector<std::unique_ptr<CSettingNode>> CBookmarkList::MakeEntries() const
{
    const BookmarkTypes &types = TypesOf(m_kind);
    // The entries are made under a copy of the list node of their own, so
    // that their default content and values reach nothing of the document.
    CSettingNode list(m_listNode.GetApplication());
    std::vector<std::unique_ptr<CSettingNode>> entries;
    entries.reserve(m_records.size());
    for (const CBookmark &record : m_records) {
        CSettingNode *entry = list.AddChild(QString(), EditorKind::None, ItemTypeUnder(types.list));
        entry->CreateDefaultContent();
        SetField(*entry, types.name, record.name);
        SetField(*entry, types.url, record.url);
        SetField(*entry, types.connection, record.connection);
        SetField(*entry, types.userName, record.userName);
        SetField(*entry, types.password, record.password);
        entry->SetInclude(m_listNode.IsIncluded(), 0);
        list.RemoveChild(entry);
        entries.emplace_back(entry);
    }
    return entries;
}
