#pragma once

#include "ui/filetransfer/FileChooser.h"

#include <QDialog>
#include <QString>

class CApplication;
class CFileList;
class QComboBox;
class QLineEdit;
class QPushButton;

// One entry of the generic Files category: a file on this computer and the
// phone folder it is copied to, typed or chosen from the folders the phone
// has in its language. The dialog only collects the two paths; the file
// list decides whether it takes them (ownIndex: the entry being edited, -1
// for a new one) and creates or updates the entry.
class CFileEntryDlg : public QDialog
{
    Q_OBJECT

public:
    CFileEntryDlg(const CApplication *application, const CFileList &list, int ownIndex,
                  QWidget *parent = nullptr);
    ~CFileEntryDlg() override;

    // Presets shown when the dialog opens; empty ones leave the field empty.
    void SetLocalPath(const QString &path);
    void SetRemotePath(const QString &path);
    // After OK; the phone folder then ends with a backslash.
    QString GetLocalPath() const { return m_localPath; }
    QString GetRemotePath() const { return m_remotePath; }
    // Replaces the file chooser of Browse.
    void SetFileChooser(FileChooser chooser);

    // An entry the file list refuses stays open with the list's message.
    void accept() override;

private:
    void UpdateOkButton();
    void Browse();

    const CApplication *m_application;
    const CFileList &m_list;
    int m_ownIndex;
    QLineEdit *m_local;
    QComboBox *m_remote;
    QPushButton *m_ok;
    FileChooser m_chooser;
    QString m_localPath;
    QString m_remotePath;
};
