#pragma once

#include "document/VariantMaker.h"
#include "document/VariantTable.h"

#include <QDialog>

#include <functional>
#include <optional>

class CApplication;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QTableWidget;

// Make Variants: one configuration per row of a table, from the open
// configuration as the template. The rows show at once with what becomes of
// each (ok, or why it cannot be made); Make writes them with a progress bar
// that Cancel or Esc stops between two rows.
class CVariantsDlg : public QDialog
{
    Q_OBJECT

public:
    enum Column { RowColumn = 0, FileColumn = 1, StatusColumn = 2 };

    using FileChooser = std::function<std::optional<QString>()>;
    // Asked before Make when files of the rows are there already: true
    // replaces them, false keeps them, nothing makes nothing.
    using ReplaceQuestion = std::function<std::optional<bool>(int existing)>;

    CVariantsDlg(CApplication *application, const CSettingsDocument &templateDocument,
                 QWidget *parent = nullptr);

    // What the Browse buttons and Make ask; the platform's own dialogs by
    // default.
    void SetTableChooser(FileChooser chooser) { m_chooseTable = std::move(chooser); }
    void SetFolderChooser(FileChooser chooser) { m_chooseFolder = std::move(chooser); }
    void SetReplaceQuestion(ReplaceQuestion question) { m_askReplace = std::move(question); }

    // Reads the table named in its field and shows its rows.
    void LoadTable();
    void Make();
    bool IsMaking() const { return m_making; }

signals:
    void helpRequested(int context);

public:
    void reject() override;

private:
    std::optional<bool> AskReplace(int existing);
    void SetStatus(int row, const CVariantMaker::CRowOutcome &outcome);
    void SetMaking(bool making);
    void UpdateMakeButton();

    CApplication *m_application;
    CVariantMaker m_maker;
    std::optional<CVariantTable> m_table;
    FileChooser m_chooseTable;
    FileChooser m_chooseFolder;
    ReplaceQuestion m_askReplace;
    QLineEdit *m_tablePath;
    QPushButton *m_browseTable;
    QLineEdit *m_folder;
    QPushButton *m_browseFolder;
    QTableWidget *m_rows;
    QProgressBar *m_progress;
    QLabel *m_summary;
    QPushButton *m_make;
    QPushButton *m_close;
    bool m_making = false;
    bool m_cancelled = false;
};
