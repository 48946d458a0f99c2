#pragma once

#include "bookmarks/BookmarkImporter.h"
#include "bookmarks/BookmarkList.h"

#include <QDialog>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

class CApplication;
class CListCtrlEx;
class CSettingNode;
class QLabel;
class QPushButton;

// Edits the bookmarks of a WWWBookmarks or WAPBookmarks node on a working
// copy: bookmarks are added, edited and removed, and WWW bookmarks imported
// from the browsers of this computer. The list node itself is left alone;
// after OK the caller hands TakeEntries() to the document.
class CBookmarkListDlg : public QDialog
{
    Q_OBJECT

public:
    enum Column : int { NameColumn = 0, UrlColumn = 1 };

    // Where Import reads from; nothing when the user cancels.
    struct ImportChoice
    {
        BookmarkSource source;
        QString path;
    };
    using SourceChooser = std::function<std::optional<ImportChoice>(QWidget *parent)>;
    // Runs the dialog of one bookmark on the record; false when cancelled.
    using RecordEditor = std::function<bool(CBookmark &record, int ownIndex)>;

    CBookmarkListDlg(const CApplication *application, const CSettingNode &listNode,
                     QWidget *parent = nullptr);
    ~CBookmarkListDlg() override;

    void SetSourceChooser(SourceChooser chooser) { m_sourceChooser = std::move(chooser); }
    void SetRecordEditor(RecordEditor editor) { m_recordEditor = std::move(editor); }

    const CBookmarkList &Bookmarks() const { return m_bookmarks; }
    // New entries for the list node, one per bookmark in record order.
    std::vector<std::unique_ptr<CSettingNode>> TakeEntries() const;

    void Add();
    void Edit();
    void Remove();
    void Import();

signals:
    void helpRequested(int context);

protected:
    void showEvent(QShowEvent *event) override;

private:
    void Fill();
    void AppendRow(int record);
    void UpdateButtons();
    bool RunRecordDialog(CBookmark &record, int ownIndex);
    std::optional<ImportChoice> ChooseSource();
    bool ReadSource(const ImportChoice &choice, QStringList &imported);
    void ShowMessage(unsigned id) const;
    void SelectRecord(int record);

    const CApplication *m_application;
    const CSettingNode &m_listNode;
    CBookmarkList m_bookmarks;
    SourceChooser m_sourceChooser;
    RecordEditor m_recordEditor;
    CListCtrlEx *m_list;
    // What the last import added and passed over.
    QLabel *m_report;
    QPushButton *m_edit;
    QPushButton *m_remove;
    bool m_shown = false;
};
