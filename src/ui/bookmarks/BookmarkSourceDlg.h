#pragma once

#include "bookmarks/BookmarkImporter.h"
#include "ui/filetransfer/FileChooser.h"

#include <QDialog>

class CApplication;
class QAbstractButton;
class QButtonGroup;
class QLineEdit;
class QListWidget;
class QPushButton;

// Where to import bookmarks from: the Favorites folder (offered only when
// it exists), Netscape, a bookmark file, Firefox or Chromium. The file's path
// is asked only for a bookmark file, and OK then needs one. The dialog starts
// with the source and file that the last OK chose.
class CBookmarkSourceDlg : public QDialog
{
    Q_OBJECT

public:
    explicit CBookmarkSourceDlg(const CApplication *application, QWidget *parent = nullptr);

    BookmarkSource Source() const { return m_source; }
    void SetSource(BookmarkSource source);
    QString FilePath() const { return m_filePath; }
    // Replaces the chooser that Browse shows.
    void SetFileChooser(FileChooser chooser) { m_chooser = std::move(chooser); }

    void accept() override;

signals:
    void helpRequested(int context);

private:
    void UpdateControls();
    void Browse();

    const CApplication *m_application;
    BookmarkSource m_source = BookmarkSource::Favorites;
    QString m_filePath;
    FileChooser m_chooser;
    QButtonGroup *m_sources;
    QLineEdit *m_path;
    QPushButton *m_browse;
    QPushButton *m_ok;
};

// Picks one of the Netscape bookmark files found on this computer.
class CBookmarkFileChoiceDlg : public QDialog
{
    Q_OBJECT

public:
    // found: the paths, each followed by ";".
    CBookmarkFileChoiceDlg(const CApplication *application, const QString &found,
                           QWidget *parent = nullptr);

    QString ChosenPath() const { return m_chosen; }
    void accept() override;

private:
    void UpdateOk();

    class CListCtrlEx *m_list;
    QPushButton *m_ok;
    QString m_chosen;
};

// The importer's way to the registry and to the user, for the dialogs.
class CDialogBookmarkEnvironment final : public IBookmarkEnvironment
{
public:
    CDialogBookmarkEnvironment(const CApplication *application, QWidget *parent);

    std::optional<QString> RegistryValue(const QString &key, const QString &name) override;
    std::optional<QString> ChooseBookmarkFile(const QStringList &files) override;

private:
    const CApplication *m_application;
    QWidget *m_parent;
};
