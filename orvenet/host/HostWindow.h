#pragma once

#include "orvenet/sdk/ViewPlugin.h"
#include "platform/com/ComPtr.h"

#include <QIcon>
#include <QList>
#include <QMainWindow>
#include <QPointer>
#include <QString>

#include <map>
#include <memory>
#include <vector>

class CLanguageLibrary;
class QAction;
class QListWidget;
class QMenu;
class QToolBar;

// The suite's main window: the plug-ins registered for it in a bar on the
// left, the active plug-in's view beside it, and the menus, accelerators and
// toolbars whose commands go to the active plug-in.
class CHostWindow final : public QMainWindow
{
    Q_OBJECT

public:
    CHostWindow();
    ~CHostWindow() override;

    // Creates and starts every plug-in listed in the registry and shows the
    // first one; returns how many started.
    int LoadPlugIns();
    int PlugInCount() const { return static_cast<int>(m_plugIns.size()); }
    int ActivePlugIn() const { return m_active; }
    void SwitchTo(int plugIn);
    // The command's action in the menus; null for a command the host lacks.
    QAction *CommandAction(uint32_t command) const;
    // Runs a command the way a menu or accelerator does: only when the
    // active plug-in reports it enabled.
    void RouteCommand(uint32_t command);

    // The IViewHost services, for the plug-in with that index.
    HRESULT CreateToolbar(int plugIn, uint16_t *toolbarId);
    HRESULT SetToolbarBitmap(int plugIn, uint16_t toolbarId, int buttonCount, uint32_t bitmapId);
    HRESULT AddToolbarButton(int plugIn, uint16_t toolbarId, int position, uint32_t command);
    HRESULT ShowToolbar(uint16_t toolbarId);
    HRESULT SetToolbarCaption(uint16_t toolbarId, const QString &caption);
    HRESULT RemoveToolbar(uint16_t toolbarId);
    bool IsPlugInActive(const QString &progId) const;
    HRESULT ActivatePlugIn(const QString &progId);

    // Hands a configuration file to the shipped plug-in as its request and
    // activates the plug-in, which opens it; before the plug-ins are loaded
    // the request waits for the plug-in's first activation.
    void OpenConfigurationFile(const QString &path);
    void BringToFront();

protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    struct CPlugIn
    {
        QString progId;
        CLSID clsid{};
        CComPtr<IViewPlugin> plugIn;
        std::unique_ptr<CLanguageLibrary> resources;
        QString name;
        // The window the plug-in made in the view area.
        QPointer<QWidget> view;
    };
    struct CToolbar
    {
        QToolBar *bar = nullptr;
        std::vector<QIcon> faces;
    };

    void BuildMenus();
    QAction *AddCommand(QMenu *menu, const QString &text, uint32_t command,
                        const QKeySequence &shortcut = QKeySequence());
    void PrepareMenu(QMenu *menu);
    void UpdateToolbarStates();
    void UpdateStatusTexts();
    bool StartPlugIn(const QString &progId);
    QString PlugInText(int plugIn, uint32_t id) const;
    void ClosePlugIns();
    // The plug-in a ProgID names, versioned or not; -1 when none.
    int FindPlugIn(const QString &progId) const;

    std::vector<std::unique_ptr<CPlugIn>> m_plugIns;
    int m_active = -1;
    QWidget *m_viewArea;
    QListWidget *m_plugInBar;
    QAction *m_aboutAction = nullptr;
    QList<QAction *> m_commandActions;
    std::map<uint16_t, CToolbar> m_toolbars;
    uint16_t m_nextToolbarId = 1;
};
