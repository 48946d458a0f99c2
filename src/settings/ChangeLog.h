#pragma once

#include <QString>

#include <memory>
#include <vector>

class CSettingNode;

// The changes one edit made to a tree, recorded by the nodes as they happen
// while the log is the tree state's open log: a value, a flag or a type with
// what it was before, a child put in or taken out at its position. Undo puts
// them back in reverse order and Redo makes them again, each telling the
// tree's observer, so both cost what the edit changed. A node taken out of
// the tree is kept here, not destroyed, for as long as a record may need it.
class CChangeLog
{
public:
    CChangeLog();
    ~CChangeLog();
    CChangeLog(CChangeLog &&) noexcept;
    CChangeLog &operator=(CChangeLog &&) noexcept;
    CChangeLog(const CChangeLog &) = delete;
    CChangeLog &operator=(const CChangeLog &) = delete;

    bool IsEmpty() const { return m_records.empty(); }
    std::size_t Size() const { return m_records.size(); }

    // Called by the nodes before they change.
    void ValueChanged(CSettingNode *node, const QString &before);
    void IncludeChanged(CSettingNode *node, int before);
    void UpdateChanged(CSettingNode *node, int before);
    void TypeChanged(CSettingNode *node, int before);
    void ChildInserted(CSettingNode *parent, CSettingNode *child, int position);
    // The caller that took child out hands it over with Keep.
    void ChildRemoved(CSettingNode *parent, CSettingNode *child, int position);
    // Takes a node that left the tree in this log's edit.
    void Keep(std::unique_ptr<CSettingNode> removed);

    // Both run with no log open, on the tree the changes were recorded in.
    void Undo();
    void Redo();

private:
    struct Record
    {
        enum Kind : unsigned char { Value, Include, Update, Type, Inserted, Removed };
        Kind kind;
        CSettingNode *node;
        CSettingNode *parent = nullptr;
        // The other flag or type (swapped on every replay), or the child's
        // position.
        int number = 0;
        QString value;
        // The node while it is out of the tree.
        std::unique_ptr<CSettingNode> kept;
    };
    void Apply(Record &record, bool undo);

    std::vector<Record> m_records;
};
