#pragma once

#include "settings/MessagePort.h"

#include <QString>

class CApplication;
class CSettingsDocument;
class IFileDialogPort;
class IKeyValueStorePort;
class IShellPort;
class IWaitCursorPort;

struct CDocumentPorts
{
    IFileDialogPort *fileDialogs = nullptr;
    IWaitCursorPort *waitCursor = nullptr;
    IKeyValueStorePort *store = nullptr;
    IShellPort *shell = nullptr;
    IMessagePort *messages = nullptr;
};

// The commands that act on the whole document (new, open, save, save as, the
// save prompt, start-up and close) and the document state the view keeps:
// which file the tree is bound to and where the file dialogs start. Every
// port must be set; the view outlives this object. The commands never call
// into the view: it hears of a replaced tree through the document's
// observer, and commits its own open editor before it runs a command.
class CDocumentCommands
{
public:
    // programFolder ends in a separator; documentsFolder is the user's, in
    // which the default folder is made on the first save. The untitled name
    // is loaded here.
    CDocumentCommands(CSettingsDocument &document, const CApplication *application,
                      const CDocumentPorts &ports, const QString &programFolder,
                      const QString &documentsFolder);
    CDocumentCommands(const CDocumentCommands &) = delete;
    CDocumentCommands &operator=(const CDocumentCommands &) = delete;

    // Once, at the view's first activation: reopens the requested or the last
    // file, or starts a new document.
    void InitialLoad();
    // Opens the file another component asks for, if one is waiting; the
    // request is consumed. False when none was waiting.
    bool OpenRequestedFile();
    void NewDocument();
    // Without a path the user chooses the file. False when the save prompt
    // was cancelled or the file could not be opened, which keeps the document
    // that was open; a cancelled file dialog counts as success. A damaged
    // file may be opened as a new untitled document holding what could be
    // read.
    bool OpenDocument(const QString &path = QString());
    bool SaveDocument();
    // cancelled (when given) tells whether the user cancelled the dialog.
    bool SaveDocumentAs(bool *cancelled = nullptr);
    // Asks whether to save, discard or keep the changes; true means go on:
    // the changes were saved or may go.
    bool PromptSaveChanges();
    // The host asks whether the view may close: the save prompt when the
    // document is modified.
    bool QueryClose();
    // The host closes the view: the save prompt unless QueryClose settled
    // it, then LastFile is stored. The view ends its dialogs before.
    void CloseView();
    // Opens the activity log at path with the desktop's handler, or in the
    // program's own viewer when there is none.
    void ShowActivityLog(const QString &path);

    const QString &FileName() const { return m_fileName; }
    const QString &FilePath() const { return m_filePath; }
    const QString &CurrentFolder() const { return m_currentFolder; }
    const QString &DefaultFolder() const { return m_defaultFolder; }
    const QString &UntitledName() const { return m_untitledName; }
    // By name, as the header shows it: a file named like the untitled label
    // counts as untitled.
    bool IsUntitled() const { return m_fileName == m_untitledName; }

private:
    bool OpenWhatWasRead(const QString &path);
    // Names the file that could not be opened, then the reason.
    IMessagePort::Result ShowOpenError(const QString &path, const QString &reason,
                                       IMessagePort::Buttons buttons);
    QString FileErrorText(unsigned messageId) const;
    QString BuildFilter() const;
    QString ReadPathValue(const QString &name) const;
    QString TakeRequest();
    // Where a file dialog starts: the current folder, or the documents folder
    // while the default folder has not been made.
    QString DialogFolder() const;
    void ShowFileError(unsigned messageId);
    void ShowMessage(unsigned id, IMessagePort::Icon icon);

    CSettingsDocument &m_document;
    const CApplication *m_application;
    CDocumentPorts m_ports;
    QString m_programFolder;
    QString m_documentsFolder;
    QString m_untitledName;
    QString m_fileName;
    QString m_filePath;
    QString m_currentFolder;
    QString m_defaultFolder;
    bool m_mayClose = false;
};
