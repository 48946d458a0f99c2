#pragma once

#include <QString>
#include <QStringList>

#include <memory>
#include <vector>

class CSettingNode;

// One bookmark as the list dialog keeps it. WWW bookmarks use the name and
// the URL only.
class CBookmark
{
public:
    virtual ~CBookmark() = default;

    QString name;
    QString url;
    QString connection;
    QString userName;
    QString password;
};

enum class BookmarkKind { Www = 0, Wap = 1 };

// What an import added to a bookmark list and what it passed over.
struct BookmarkMergeCount
{
    int added = 0;
    int skipped = 0;
};

// A working copy of a WWWBookmarks or WAPBookmarks node: its bookmarks as
// records, in their order, that are added, edited, removed and merged here.
// The list node itself only changes when the records become its entries
// (the dialog's OK, through the document).
class CBookmarkList
{
public:
    explicit CBookmarkList(const CSettingNode &listNode);

    BookmarkKind Kind() const { return m_kind; }
    int Count() const { return int(m_records.size()); }
    const CBookmark &Record(int index) const { return m_records[size_t(index)]; }
    const std::vector<CBookmark> &Records() const { return m_records; }

    void Append(const CBookmark &record) { m_records.push_back(record); }
    void Replace(int index, const CBookmark &record) { m_records[size_t(index)] = record; }
    // Removes the records at these indexes, whatever their order.
    void Remove(std::vector<int> indexes);

    // True when a record other than the one at ownIndex has exactly this name.
    bool HasName(const QString &name, int ownIndex = -1) const;

    // The first rule the record breaks, as the message identifier shown for
    // it; 0 when it passes. ownIndex: the record being edited, -1 for a new
    // one. The WAP connection must be one of the configuration's.
    unsigned Check(const CBookmark &record, int ownIndex) const;

    // Appends imported bookmarks (see BookmarkFile.h) in their order, cut to
    // the field lengths; a name the list already has or a URL that is not
    // valid is passed over.
    BookmarkMergeCount Merge(const QStringList &imported);

    // New bookmark nodes for the list node, one per record in record order,
    // each with the list node's include flag.
    std::vector<std::unique_ptr<CSettingNode>> MakeEntries() const;

private:
    const CSettingNode &m_listNode;
    BookmarkKind m_kind;
    std::vector<CBookmark> m_records;
};

// A bookmark list node's records, in child order.
std::vector<CBookmark> ReadBookmarks(const CSettingNode &listNode);
