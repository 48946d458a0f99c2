#pragma once

#include "filetransfer/FileList.h"
#include "ui/filetransfer/FileChooser.h"

#include <QDialog>

#include <memory>
#include <vector>

class CApplication;
class CListCtrlEx;
class CSettingNode;
class QPushButton;

// Edits the entries of one file list category (ringing tones, background
// images, installation packages or Files) on a working copy: files are
// added from this computer, Files entries also edited with their phone
// folder, and entries removed. The category itself is left alone; after OK
// the caller hands TakeEntries() to the document.
class CFileListDlg : public QDialog
{
    Q_OBJECT

public:
    // The columns of the list; the phone folder only in Files mode.
    enum Column : int { FileNameColumn = 0, FolderColumn = 1, PhoneFolderColumn = 2 };

    CFileListDlg(const CApplication *application, const CSettingNode &category,
                 QWidget *parent = nullptr);
    ~CFileListDlg() override;

    // Replaces the chooser that Add shows outside Files mode.
    void SetFileChooser(MultiFileChooser chooser);

    bool IsFilesMode() const { return m_files.IsFilesMode(); }
    const CFileList &Files() const { return m_files; }
    // Copies of the entries as the dialog leaves them, in order.
    std::vector<std::unique_ptr<CSettingNode>> TakeEntries() const;
    static int HelpContext();

signals:
    // Help or F1; the owner opens the topic.
    void helpRequested(int context);

private:
    void Fill();
    void WidenToEntries();
    void UpdateButtons();
    void Add();
    void Edit();
    void Remove();
    // Selects the rows of the entries first to last.
    void SelectEntries(int first, int last);
    // Runs the entry dialog for a new entry (-1) or the one at entry with
    // the presets; false when it is cancelled.
    bool RunEntryDialog(int entry, QString &local, QString &remote);
    // The working copy's entry that a row of the list shows.
    int EntryOf(int row) const;

    const CApplication *m_application;
    CFileList m_files;
    QString m_filter;
    MultiFileChooser m_chooser;
    CListCtrlEx *m_list;
    QPushButton *m_edit = nullptr;
    QPushButton *m_remove;
};
