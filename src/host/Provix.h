#pragma once

#include "orvenet/sdk/Callback.h"
#include "orvenet/sdk/ViewHost.h"
#include "orvenet/sdk/ViewPlugin.h"
#include "platform/com/ComPtr.h"
#include "platform/com/ModuleLock.h"
#include "platform/com/UnknownImpl.h"

#include <QPointer>
#include <QWidget>

#include <memory>

class CCallbackImpl;
class CProvixApp;
class CSettingsView;
class CStartupCheck;

// The plug-in object the host creates: it makes the view, builds the host
// toolbar, answers command states and texts and runs the commands. Each live
// object keeps the module loaded.
class CProvix final : public CUnknownImpl<IViewPlugin, ICallback, IViewPluginClose>
{
public:
    CProvix();
    ~CProvix() override;

    HRESULT Initialize(WindowHandle hostWindow, int32_t reserved, int32_t *result, int32_t *flagA,
                       int32_t *flagB) override;
    HRESULT Reserved(intptr_t first, intptr_t second, intptr_t third) override;
    HRESULT GetStringId(int32_t kind, uint32_t *id) override;
    HRESULT PrepareMenu(MenuHandle menu) override;
    HRESULT SetHost(IUnknown *site) override;
    HRESULT CreateView(WindowHandle parent, int32_t x, int32_t y, int32_t width,
                       int32_t height) override;
    HRESULT GetCommandState(uint32_t command, int32_t *state) override;
    HRESULT Execute(uint32_t command) override;
    HRESULT GetCommandString(uint32_t command, int32_t kind, uint32_t *id) override;
    HRESULT MoveView(int32_t hidden, int32_t x, int32_t y, int32_t width, int32_t height) override;
    HRESULT FocusEvent(int32_t kind, int32_t *notHandled) override;
    HRESULT Activate() override;
    HRESULT Deactivate() override;
    HRESULT Help() override;
    HRESULT About() override;
    HRESULT GetResourceModule(int32_t reserved, int32_t *flagA, int32_t *flagB, char16_t *path,
                              uint32_t pathSize, uint32_t *pathLength) override;
    HRESULT GetNameId(uint32_t *id) override;
    HRESULT GetImageId(uint32_t *id) override;
    HRESULT SetState(int32_t kind, int32_t *result) override;
    HRESULT Close() override;
    HRESULT QueryClose(int32_t *mayClose) override;

    // The connectivity server's events go to the window that a send session
    // names; without one they are dropped. The server is given the plug-in's
    // callback object, to which these forward.
    HRESULT OnStateChanged(uint32_t state) override;
    HRESULT OnError(HRESULT result, uint32_t number, const char16_t *settingName,
                    const char16_t *text) override;
    HRESULT OnProgress(int32_t phase, const char16_t *text, int32_t percentage) override;
    HRESULT OnFinished(HRESULT result) override;

private:
    // A request file waits: the host shows this plug-in, which opens it.
    void BringForwardForRequest();

    CModuleLock m_moduleLock;
    CComPtr<CCallbackImpl> m_callback;
    CProvixApp *m_app = nullptr;
    QPointer<CSettingsView> m_view;
    QPointer<QWidget> m_focusWindow;
    CComPtr<IViewHost> m_host;
    uint16_t m_toolbarId = 0;
    QPointer<QWidget> m_hostWindow;
    // Declared after the callback, which its worker uses: it goes first.
    std::unique_ptr<CStartupCheck> m_startupCheck;
    bool m_firstActivationDone = false;
};
