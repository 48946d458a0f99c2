#include "document/DocumentCommands.h"

#include "document/DocumentNames.h"
#include "document/DocumentPorts.h"
#include "document/SettingsDocument.h"
#include "settings/Labels.h"
#include "settings/MessagePort.h"
#include "settings/SettingNode.h"

#include <QDir>
#include <QFileInfo>

namespace {

// The folder is everything before the last separator (empty without one),
// the name everything after it (the whole path without one).
QString FolderOf(const QString &path)
{
    const qsizetype slash = path.lastIndexOf(u'/');
    return slash < 0 ? QString() : path.left(slash);
}

QString NameOf(const QString &path)
{
    return path.mid(path.lastIndexOf(u'/') + 1);
}

} // namespace

CDocumentCommands::CDocumentCommands(CSettingsDocument &document, const CApplication *application,
                                     const CDocumentPorts &ports, const QString &programFolder,
                                     const QString &documentsFolder)
    : m_document(document)
    , m_application(application)
    , m_ports(ports)
    , m_programFolder(programFolder)
    , m_documentsFolder(documentsFolder)
    , m_untitledName(LoadLabel(application, StringId::UntitledName, true))
    , m_fileName(m_untitledName)
{}

void CDocumentCommands::InitialLoad()
{
    // The program folder of an installation cannot be written: the default
    // folder lives with the user's documents.
    m_defaultFolder = m_documentsFolder + u'/' + QString::fromUtf16(kDefaultFolderName);
    const QString lastFolder = ReadPathValue(QString::fromUtf16(kLastFolderValue));
    m_currentFolder = QFileInfo(lastFolder).isDir() ? lastFolder : m_defaultFolder;

    QString path = TakeRequest();
    if (path.isEmpty())
        path = ReadPathValue(QString::fromUtf16(kLastFileValue));

    // A file that cannot be opened leaves a fresh tree as well.
    if (path.isEmpty())
        m_document.Reset();
    else
        OpenDocument(path);
}

bool CDocumentCommands::OpenRequestedFile()
{
    const QString path = TakeRequest();
    if (path.isEmpty())
        return false;
    OpenDocument(path);
    return true;
}

void CDocumentCommands::NewDocument()
{
    if (m_document.IsModified() && !PromptSaveChanges())
        return;
    CWaitCursor wait(*m_ports.waitCursor);
    m_document.Reset();
    m_fileName = m_untitledName;
    m_filePath.clear();
}

bool CDocumentCommands::OpenDocument(const QString &path)
{
    const QString filter = BuildFilter();
    if (m_document.IsModified() && !PromptSaveChanges())
        return false;

    QString chosen = path;
    if (chosen.isEmpty()) {
        const CFileDialogRequest request{DialogFolder(), QString(), filter,
                                         QString::fromUtf16(kConfigurationSuffix), QString()};
        const std::optional<QString> answer = m_ports.fileDialogs->ChooseFileToOpen(request);
        if (!answer)
            return true;
        chosen = *answer;
    }
    CSettingsDocument::OpenResult result;
    {
        CWaitCursor wait(*m_ports.waitCursor);
        m_document.SetLastError(QString());
        result = m_document.Open(chosen);
    }
    // Also after a failure, so that the next dialog opens where the user was.
    m_currentFolder = FolderOf(chosen);
    switch (result) {
    case CSettingsDocument::OpenResult::Opened:
    case CSettingsDocument::OpenResult::Repaired:
        m_fileName = NameOf(chosen);
        m_filePath = chosen;
        if (result == CSettingsDocument::OpenResult::Repaired)
            ShowMessage(StringId::MsgValuesRepaired, IMessagePort::Warning);
        return true;
    case CSettingsDocument::OpenResult::Damaged:
        return OpenWhatWasRead(chosen);
    case CSettingsDocument::OpenResult::NotConfiguration:
        ShowOpenError(chosen, LoadLabel(m_application, StringId::MsgNotConfiguration, true),
                      IMessagePort::Ok);
        return false;
    case CSettingsDocument::OpenResult::NotReadable:
        break;
    }
    ShowOpenError(chosen, FileErrorText(StringId::MsgFileNotRead), IMessagePort::Ok);
    return false;
}

bool CDocumentCommands::OpenWhatWasRead(const QString &path)
{
    // Untitled, so that saving never overwrites the damaged file unasked.
    const QString reason = m_document.LastErrorText() + QStringLiteral("\r\n") +
                           LoadLabel(m_application, StringId::MsgOpenWhatWasRead, true);
    if (ShowOpenError(path, reason, IMessagePort::YesNo) != IMessagePort::ResultYes)
        return false;
    CWaitCursor wait(*m_ports.waitCursor);
    m_document.Open(path, {}, true);
    m_fileName = m_untitledName;
    m_filePath.clear();
    return true;
}

IMessagePort::Result CDocumentCommands::ShowOpenError(const QString &path, const QString &reason,
                                                      IMessagePort::Buttons buttons)
{
    const QString text =
        FormatLabel(m_application, StringId::MsgFileNotOpened, {QDir::toNativeSeparators(path)}) +
        QStringLiteral("\r\n") + reason;
    return m_ports.messages->ShowMessage(
        text, buttons, buttons == IMessagePort::Ok ? IMessagePort::Error : IMessagePort::Question);
}

bool CDocumentCommands::SaveDocument()
{
    if (IsUntitled())
        return SaveDocumentAs();
    bool saved = false;
    {
        CWaitCursor wait(*m_ports.waitCursor);
        m_document.SetLastError(QString());
        saved = m_document.Save(m_filePath);
    }
    if (!saved) {
        ShowFileError(StringId::MsgFileNotWritten);
        return false;
    }
    m_document.SetModified(0);
    return true;
}

bool CDocumentCommands::SaveDocumentAs(bool *cancelled)
{
    if (m_currentFolder == m_defaultFolder)
        QDir().mkpath(m_defaultFolder);
    const CFileDialogRequest request{DialogFolder(), m_fileName, BuildFilter(),
                                     QString::fromUtf16(kConfigurationSuffix),
                                     LoadLabel(m_application, StringId::SaveAsTitle, true)};
    const std::optional<QString> answer = m_ports.fileDialogs->ChooseFileToSave(request);
    if (cancelled)
        *cancelled = !answer;
    if (!answer)
        return false;

    bool saved = false;
    {
        CWaitCursor wait(*m_ports.waitCursor);
        m_document.SetLastError(QString());
        saved = m_document.Save(*answer);
    }
    if (!saved) {
        ShowFileError(StringId::MsgFileNotWritten);
        return false;
    }
    m_document.SetModified(0);
    m_fileName = NameOf(*answer);
    m_filePath = *answer;
    m_currentFolder = FolderOf(*answer);
    return true;
}

bool CDocumentCommands::PromptSaveChanges()
{
    const IMessagePort::Result answer =
        m_ports.messages->ShowMessage(LoadLabel(m_application, StringId::MsgSaveChanges, true),
                                      IMessagePort::SaveDiscardCancel, IMessagePort::Question);
    if (answer == IMessagePort::ResultCancel)
        return false;
    if (answer == IMessagePort::ResultNo)
        return true;
    // A save that fails offers another file; cancelling that keeps the
    // changes, and whatever was going to replace them waits.
    const bool untitled = IsUntitled();
    return SaveDocument() || (!untitled && SaveDocumentAs());
}

bool CDocumentCommands::QueryClose()
{
    m_mayClose = !m_document.IsModified() || PromptSaveChanges();
    return m_mayClose;
}

void CDocumentCommands::CloseView()
{
    if (m_document.IsModified() && !m_mayClose)
        PromptSaveChanges();
    if (IsUntitled()) {
        m_filePath.clear();
        m_fileName.clear();
    }
    m_ports.store->WriteString(QString::fromUtf16(kProvanaRegistryKey),
                               QString::fromUtf16(kLastFileValue), m_filePath);
    m_ports.store->WriteString(QString::fromUtf16(kProvanaRegistryKey),
                               QString::fromUtf16(kLastFolderValue), m_currentFolder);
}

void CDocumentCommands::ShowActivityLog(const QString &path)
{
    if (!QFileInfo(path).isFile() ||
        (!m_ports.shell->OpenWithDefaultProgram(path) && !m_ports.shell->ShowTextFile(path)))
        ShowMessage(StringId::MsgActivityLogNotShown, IMessagePort::Error);
}

QString CDocumentCommands::BuildFilter() const
{
    return LoadLabel(m_application, StringId::ConfigurationFiles, true) +
           QStringLiteral(" (*.xml);;") + LoadLabel(m_application, StringId::AllFiles, true) +
           QStringLiteral(" (*.*)");
}

QString CDocumentCommands::ReadPathValue(const QString &name) const
{
    const std::optional<QString> value =
        m_ports.store->ReadString(QString::fromUtf16(kProvanaRegistryKey), name);
    if (!value || value->size() >= kPathBufferSize)
        return QString();
    return *value;
}

// A request is consumed before its file is opened, so that a file that cannot
// be opened is not requested again.
QString CDocumentCommands::TakeRequest()
{
    const QString path = ReadPathValue(QString::fromUtf16(kRequestFileValue));
    if (!path.isEmpty())
        m_ports.store->DeleteValue(QString::fromUtf16(kProvanaRegistryKey),
                                   QString::fromUtf16(kRequestFileValue));
    return path;
}

QString CDocumentCommands::DialogFolder() const
{
    return m_currentFolder == m_defaultFolder && !QFileInfo(m_defaultFolder).isDir()
               ? m_documentsFolder
               : m_currentFolder;
}

QString CDocumentCommands::FileErrorText(unsigned messageId) const
{
    QString text = LoadLabel(m_application, messageId, true);
    const QString error = m_document.LastErrorText().trimmed();
    if (!error.isEmpty())
        text += QStringLiteral("\r\n") + error;
    return text;
}

void CDocumentCommands::ShowFileError(unsigned messageId)
{
    m_ports.messages->ShowMessage(FileErrorText(messageId), IMessagePort::Ok, IMessagePort::Error);
}

void CDocumentCommands::ShowMessage(unsigned id, IMessagePort::Icon icon)
{
    m_ports.messages->ShowMessage(LoadLabel(m_application, id, true), IMessagePort::Ok, icon);
}
