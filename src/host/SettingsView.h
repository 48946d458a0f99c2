#pragma once

#include "document/DocumentPorts.h"
#include "host/DesktopShell.h"
#include "host/FileDialogs.h"
#include "host/UserRegistryStore.h"
#include "host/WaitCursor.h"

#include <QFont>
#include <QPointer>
#include <QWidget>

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

class CDocumentCommands;
class CProblemsPanel;
class CSettingNode;
class CProvixApp;
class CSettingNode;
class CSettingsTreeCtrl;
class CCallbackImpl;
class CViewPrinting;
class CViewSending;
class QAction;
class QLineEdit;
class QTextBrowser;

// The plug-in's view: a header band naming the open configuration above the
// settings tree, and the document the host's commands act on.
class CSettingsView final : public QWidget
{
    Q_OBJECT

public:
    static constexpr int kHeaderHeight = 32;

    CSettingsView(CProvixApp &app, QWidget *parent);
    ~CSettingsView() override;

    CDocumentCommands &Commands() { return *m_commands; }
    CSettingsTreeCtrl *Tree() const { return m_tree; }
    CViewPrinting &Printing() { return *m_printing; }
    CViewSending &Sending() { return *m_sending; }
    CProblemsPanel *Problems() const { return m_problems; }
    // The view's own menu items, which the plug-in puts into the host's menus.
    QAction *ProblemsAction() const { return m_problemsAction; }
    QAction *VariantsAction() const { return m_variantsAction; }
    // Edit > Ask Before Deleting: turns the confirmation that "Do not ask
    // again" switched off back on.
    QAction *AskBeforeDeleteAction() const { return m_askBeforeDelete; }
    void ShowProblems(bool shown);
    // Make Variants: the open configuration is the template.
    void MakeVariants();
    // The plug-in's callback for the connectivity server's reports.
    void SetServerCallback(CCallbackImpl *callback);

    // Set once the host has set the view up; closing does its work only then.
    void SetInitialised() { m_initialised = true; }
    // The modal dialog the view is running now, if any.
    QWidget *ModalChild() const;

    // Once, at the first activation: reopens the requested or the last file.
    void InitialLoad();
    // At a later activation: opens a file that was asked for meanwhile.
    void OpenRequestedFile();
    bool IsCommandEnabled(uint32_t command);
    // The way of sending chosen under Send Via (CViewSending::Option).
    int SendOption() const;
    void ExecuteCommand(uint32_t command);
    // The host asks before it closes: the save prompt, which may keep the
    // view open.
    bool QueryClose();
    // The host closes the view: open dialogs end as cancelled, the save
    // prompt runs unless QueryClose settled it, and the bound file is
    // remembered.
    void CloseView();
    // The menu text of Undo or Redo, naming the step it takes back or makes
    // again.
    QString UndoMenuText(bool redo) const;
    // The topic of the selection's category, or the contents.
    // The topic of the tree's caret row, or of the given context.
    void ShowHelp();
    void ShowHelp(int context);
    void ShowAbout();

    // The name the header band shows: the file name without its extension,
    // and "*" while the document is modified.
    QString HeaderFileName() const;

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    void LayOut();
    void EditSetting(const CSettingNode *node);
    // Commits the open editor, runs command and shows the bound file's name.
    void RunDocumentCommand(const std::function<void()> &command);

    // Asks before items are deleted, unless the user said not to ask again.
    bool ConfirmDelete(const std::vector<const CSettingNode *> &items);
    void CopySelected();
    void Paste();
    // The modified mark: "*" in the window title and after the header's name.
    void ShowModified();

    // The in-place editor's text field when it has the focus.
    QLineEdit *FocusedTextField() const;
    void OpenHelp(int context);

    CProvixApp &m_app;
    CFileDialogs m_fileDialogs;
    CWaitCursorPort m_waitCursor;
    CUserRegistryStore m_store;
    CDesktopShell m_shell;
    QFont m_normalFont;
    QFont m_boldFont;
    QString m_headerLabel;
    CSettingsTreeCtrl *m_tree;
    CProblemsPanel *m_problems;
    QAction *m_problemsAction;
    QAction *m_variantsAction;
    QAction *m_askBeforeDelete;
    std::unique_ptr<CDocumentCommands> m_commands;
    std::unique_ptr<CViewPrinting> m_printing;
    std::unique_ptr<CViewSending> m_sending;
    QPointer<QTextBrowser> m_help;
    bool m_initialised = false;
    bool m_shownModified = false;
};
