#pragma once

#include "orvenet/sdk/OrvenetGuids.h"
#include "platform/com/Unknown.h"

#include <cstdint>

// The services the host offers a plug-in, reached from the site given to
// IViewPlugin::SetHost. The methods stand in their published vtable order.
struct IViewHost : IUnknown
{
    // A new, empty toolbar for the calling plug-in.
    virtual HRESULT CreateToolbar(uint16_t *toolbarId) = 0;
    // bitmapId: an image of the plug-in's resource module holding buttonCount
    // button faces side by side.
    virtual HRESULT SetToolbarBitmap(uint16_t toolbarId, int32_t buttonCount,
                                     uint32_t bitmapId) = 0;
    // position: also the face in the bitmap; state: ToolbarButtonState;
    // style: ToolbarButtonStyle. Pressing the button reaches
    // IViewPlugin::Execute with command.
    virtual HRESULT AddToolbarButton(uint16_t toolbarId, int32_t position, uint32_t command,
                                     int32_t state, int32_t style) = 0;
    virtual HRESULT ShowToolbar(uint16_t toolbarId) = 0;
    virtual HRESULT SetToolbarCaption(uint16_t toolbarId, const char16_t *caption) = 0;
    // name: the caption the toolbar was given.
    virtual HRESULT RemoveToolbar(uint16_t toolbarId, const char16_t *name) = 0;
    // active: 1 when the host shows the plug-in with this ProgID now.
    virtual HRESULT IsPlugInActive(const char16_t *progId, int32_t *active) = 0;
    // Switches the host to the view of the plug-in with this ProgID.
    virtual HRESULT ActivatePlugIn(const char16_t *progId) = 0;

protected:
    ~IViewHost() = default;
};

namespace ToolbarButtonState {
enum : int32_t { Enabled = 4 };
}

namespace ToolbarButtonStyle {
enum : int32_t { Button = 0 };
}
