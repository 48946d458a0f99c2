#include "filetransfer/FileList.h"

#include "settings/Labels.h"
#include "settings/NodeTypes.h"
#include "settings/SettingNode.h"
#include "settings/StringIds.h"
#include "validate/Validators.h"

#include <QDir>
#include <QFileInfo>
#include <QSet>

#include <algorithm>
#include <functional>

namespace {

using namespace NodeType;

constexpr char16_t kAllPatterns[] = u" (*.*)|*.*||";

constexpr FileListKind kFileListKinds[] = {
    {Unnamed110, {StringId::AllFiles, 0}, {kAllPatterns, nullptr}},
    {RingingTones, {StringId::AllFiles, 0}, {kAllPatterns, nullptr}},
    {BackgroundImages,
     {StringId::ImageFiles, StringId::AllFiles},
     {u" (*.jpg;*.bmp;*.gif)|*.jpg;*.bmp;*.gif|", kAllPatterns}},
    {SISFiles,
     {StringId::InstallationPackages, StringId::AllFiles},
     {u" (*.sis)|*.sis|", kAllPatterns}},
    {Files, {StringId::AllFiles, 0}, {kAllPatterns, nullptr}},
};

QString ValueOf(const CSettingNode *node, int type)
{
    const CSettingNode *child = node->FindChild(type);
    return child ? child->GetValue() : QString();
}

} // namespace

const FileListKind *FileListKindOf(int nodeType)
{
    const auto it =
        std::find_if(std::begin(kFileListKinds), std::end(kFileListKinds),
                     [nodeType](const FileListKind &kind) { return kind.listType == nodeType; });
    return it == std::end(kFileListKinds) ? nullptr : it;
}

QString FileListFilter(const CApplication *application, const FileListKind &kind)
{
    QString filter;
    for (int i = 0; i < 2 && kind.filterLabels[i]; ++i)
        filter += LoadLabel(application, kind.filterLabels[i], true) +
                  QString::fromUtf16(kind.filterPatterns[i]);
    return filter;
}

bool IsDriveQualified(QStringView path)
{
    return path.size() >= 2 && path[1] == u':';
}

bool IsAcceptablePhoneFolder(QStringView path)
{
    return !path.isEmpty() && IsDriveQualified(path) && IsValidPath(path, PathSide::Phone);
}

QString CompletePhoneFolder(const QString &path)
{
    return path.endsWith(u'\\') ? path : path + u'\\';
}

bool IsLocalFile(const QString &path)
{
    const QFileInfo file(path);
    return file.isAbsolute() && file.isFile();
}

FileListRow SplitLocalPath(const QString &path)
{
    const qsizetype separator = path.lastIndexOf(QDir::separator());
    if (separator < 0)
        return {path, {}, {}};
    return {path.mid(separator + 1), path.left(separator + 1), {}};
}

CFileList::CFileList(const CSettingNode &category)
    : m_kind(FileListKindOf(category.GetType()))
    , m_role(FileListRoleOf(category.GetType()))
    , m_copy(std::make_unique<CSettingNode>(category))
{
    // A tree of its own: nothing done to the copy reaches the document.
    m_copy->SetParent(nullptr);
}

CFileList::~CFileList() = default;

bool CFileList::IsFilesMode() const
{
    return m_role && m_role->entryType == File;
}

int CFileList::Count() const
{
    return m_copy->ChildCount();
}

FileListRow CFileList::Row(int index) const
{
    const CSettingNode *entry = m_copy->Children()[static_cast<size_t>(index)];
    if (!IsFilesMode())
        return SplitLocalPath(entry->GetValue());
    FileListRow row = SplitLocalPath(ValueOf(entry, m_role->localType));
    row.phoneFolder = ValueOf(entry, m_role->remoteType);
    return row;
}

std::vector<FileListRow> CFileList::Rows() const
{
    std::vector<FileListRow> rows;
    rows.reserve(static_cast<size_t>(Count()));
    for (int i = 0; i < Count(); ++i)
        rows.push_back(Row(i));
    return rows;
}

CSettingNode *CFileList::AddEntry(const QString &value)
{
    CSettingNode *entry = m_copy->AddChild(value, EditorKind::None, m_role->entryType);
    entry->SetInclude(1, 1);
    return entry;
}

unsigned CFileList::CheckFile(const QString &path) const
{
    if (!IsLocalFile(path))
        return StringId::MsgNotALocalFile;
    for (const CSettingNode *entry : m_copy->Children()) {
        if (entry->GetValue() == path)
            return StringId::MsgFileAlreadyListed;
    }
    return 0;
}

unsigned CFileList::CheckFileEntry(const QString &local, const QString &remote, int ownIndex) const
{
    if (!IsLocalFile(local))
        return StringId::MsgNotALocalFile;
    if (!IsAcceptablePhoneFolder(remote))
        return StringId::MsgPhoneFolderNotValid;
    // Phone folders are the same whatever their case.
    const QString folder = CompletePhoneFolder(remote);
    for (int i = 0; i < Count(); ++i) {
        const FileListRow row = Row(i);
        if (i != ownIndex && row.Path() == local &&
            row.phoneFolder.compare(folder, Qt::CaseInsensitive) == 0)
            return StringId::MsgFileAlreadyListed;
    }
    return 0;
}

int CFileList::AddFiles(const QStringList &paths)
{
    if (!m_kind || IsFilesMode())
        return 0;
    // A set, so that adding many files stays linear.
    QSet<QString> present;
    for (const CSettingNode *entry : m_copy->Children())
        present.insert(entry->GetValue());
    int added = 0;
    for (const QString &path : paths) {
        if (present.contains(path) || !IsLocalFile(path))
            continue;
        present.insert(path);
        AddEntry(path);
        ++added;
    }
    return added;
}

bool CFileList::AddFileEntry(const QString &local, const QString &remote)
{
    if (!IsFilesMode() || CheckFileEntry(local, remote) != 0)
        return false;
    CSettingNode *entry = AddEntry(QString());
    entry->AddChild(local, EditorKind::None, m_role->localType)->SetInclude(1, 1);
    entry->AddChild(CompletePhoneFolder(remote), EditorKind::None, m_role->remoteType)
        ->SetInclude(1, 1);
    return true;
}

bool CFileList::EditFileEntry(int index, const QString &local, const QString &remote)
{
    if (!IsFilesMode() || index < 0 || index >= Count() ||
        CheckFileEntry(local, remote, index) != 0)
        return false;
    CSettingNode *entry = m_copy->Children()[static_cast<size_t>(index)];
    const std::pair<int, QString> parts[] = {{m_role->localType, local},
                                             {m_role->remoteType, CompletePhoneFolder(remote)}};
    for (const auto &[type, value] : parts) {
        CSettingNode *child = entry->FindChild(type);
        if (!child)
            child = entry->AddChild(QString(), EditorKind::None, type);
        child->SetValue(value);
        child->SetInclude(1, 1);
    }
    return true;
}

void CFileList::RemoveEntries(std::vector<int> indexes)
{
    std::sort(indexes.begin(), indexes.end(), std::greater<>());
    indexes.erase(std::unique(indexes.begin(), indexes.end()), indexes.end());
    for (int index : indexes) {
        if (index < 0 || index >= Count())
            continue;
        CSettingNode *entry = m_copy->Children()[static_cast<size_t>(index)];
        m_copy->RemoveChild(entry);
        // Removing hands the entry over.
        const std::unique_ptr<CSettingNode> removed(entry);
    }
}

std::vector<std::unique_ptr<CSettingNode>> CFileList::TakeEntries() const
{
    std::vector<std::unique_ptr<CSettingNode>> entries;
    entries.reserve(m_copy->Children().size());
    for (const CSettingNode *entry : m_copy->Children())
        entries.push_back(std::make_unique<CSettingNode>(*entry));
    return entries;
}
