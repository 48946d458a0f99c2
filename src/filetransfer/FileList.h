#pragma once

#include "settings/NodeCatalogue.h"

#include <QString>
#include <QStringList>

#include <memory>
#include <vector>

class CApplication;
class CSettingNode;

// What the file chooser of a file list offers; how its entries are made is
// the list's role in the catalogue.
struct FileListKind
{
    int listType;
    // The chooser's filter, as pairs of a label identifier and its patterns.
    unsigned filterLabels[2];
    const char16_t *filterPatterns[2];
};

// The kind of a file list node type; null for any other node type.
const FileListKind *FileListKindOf(int nodeType);
// The file chooser's filter in its "label (*.x)|*.x||" form.
QString FileListFilter(const CApplication *application, const FileListKind &kind);

// A phone folder starts with a drive letter and a colon.
bool IsDriveQualified(QStringView path);
// A phone folder the entry dialog accepts: drive-qualified and free of the
// characters a path cannot hold.
bool IsAcceptablePhoneFolder(QStringView path);
// The folder as stored: with a backslash at the end.
QString CompletePhoneFolder(const QString &path);
// A file list names files by their full path on this computer, and only
// files that are there when they are added.
bool IsLocalFile(const QString &path);

// One row of a file list: the PC path split into file name and folder at
// the platform's separator, and for Files entries the phone folder.
struct FileListRow
{
    QString fileName;
    QString folder;
    QString phoneFolder;
    QString Path() const { return folder + fileName; }
};
FileListRow SplitLocalPath(const QString &path);

// A working copy of one file list category: entries are added, edited and
// removed here, and the category itself only changes when the copy's
// entries are handed over (the list dialog's OK, through the document).
class CFileList
{
public:
    explicit CFileList(const CSettingNode &category);
    ~CFileList();
    CFileList(const CFileList &) = delete;
    CFileList &operator=(const CFileList &) = delete;

    const FileListKind *Kind() const { return m_kind; }
    // Files entries pair a PC path with a phone folder.
    bool IsFilesMode() const;
    int Count() const;
    FileListRow Row(int index) const;
    std::vector<FileListRow> Rows() const;

    // Why a file cannot be added outside Files mode, as the identifier of
    // the message that says so; 0 when it can. It must be a file on this
    // computer that the list does not hold yet (paths compare exactly).
    unsigned CheckFile(const QString &path) const;
    // The same for a Files entry, which also needs an acceptable phone
    // folder; the same file may go to several folders, but only once to
    // each. ownIndex: the entry being edited, -1 for a new one.
    unsigned CheckFileEntry(const QString &local, const QString &remote, int ownIndex = -1) const;

    // Adds a PC path per file that CheckFile accepts, in order; answers how
    // many were added. Not in Files mode.
    int AddFiles(const QStringList &paths);
    // Add or change a Files entry that CheckFileEntry accepts.
    bool AddFileEntry(const QString &local, const QString &remote);
    bool EditFileEntry(int index, const QString &local, const QString &remote);
    // Removes the entries at these indexes, whatever their order.
    void RemoveEntries(std::vector<int> indexes);

    // Copies of the entries, in order, for the category.
    std::vector<std::unique_ptr<CSettingNode>> TakeEntries() const;

private:
    CSettingNode *AddEntry(const QString &value);

    const FileListKind *m_kind;
    const FileListRole *m_role;
    std::unique_ptr<CSettingNode> m_copy;
};
