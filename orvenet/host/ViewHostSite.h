#pragma once

#include "orvenet/sdk/ViewHost.h"
#include "platform/com/UnknownImpl.h"

#include <QPointer>

class CHostWindow;

// The site one plug-in receives: its IViewHost calls reach the host window
// on behalf of that plug-in. The window may go before the plug-in lets go of
// its site; then every call fails.
class CViewHostSite final : public CUnknownImpl<IViewHost>
{
public:
    CViewHostSite(CHostWindow *window, int plugIn);

    HRESULT CreateToolbar(uint16_t *toolbarId) override;
    HRESULT SetToolbarBitmap(uint16_t toolbarId, int32_t buttonCount, uint32_t bitmapId) override;
    HRESULT AddToolbarButton(uint16_t toolbarId, int32_t position, uint32_t command, int32_t state,
                             int32_t style) override;
    HRESULT ShowToolbar(uint16_t toolbarId) override;
    HRESULT SetToolbarCaption(uint16_t toolbarId, const char16_t *caption) override;
    HRESULT RemoveToolbar(uint16_t toolbarId, const char16_t *name) override;
    HRESULT IsPlugInActive(const char16_t *progId, int32_t *active) override;
    HRESULT ActivatePlugIn(const char16_t *progId) override;

private:
    QPointer<CHostWindow> m_window;
    int m_plugIn;
};
