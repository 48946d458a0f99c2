#pragma once

#include "orvenet/sdk/OrvenetGuids.h"
#include "orvenet/sdk/OrvenetTypes.h"
#include "platform/com/Unknown.h"

#include <cstdint>

// A view plug-in as the host drives it. The host calls, in this order:
// Initialize, SetHost, CreateView, SetState(ViewState::Ready), Activate; then
// any of MoveView, FocusEvent, GetCommandState, GetCommandString, PrepareMenu,
// Execute, Help, Deactivate and Activate; finally Close and Release. All calls
// arrive on the host's user-interface thread.
//
// The methods stand in their vtable order, which is published: never reorder,
// insert or remove one. String and image identifiers name entries of the
// plug-in's resource module (GetResourceModule).
struct IViewPlugin : IUnknown
{
    // result: ViewInitResult; flagA and flagB: 1 when started, 0 otherwise.
    // S_FALSE when the plug-in cannot start.
    virtual HRESULT Initialize(WindowHandle hostWindow, int32_t reserved, int32_t *result,
                               int32_t *flagA, int32_t *flagB) = 0;
    // Kept for its place in the vtable; plug-ins ignore the arguments.
    virtual HRESULT Reserved(intptr_t first, intptr_t second, intptr_t third) = 0;
    // kind: ViewStringKind; id 0 when the plug-in has no such text.
    virtual HRESULT GetStringId(int32_t kind, uint32_t *id) = 0;
    // Called before the host shows the menu that holds the plug-in's commands.
    virtual HRESULT PrepareMenu(MenuHandle menu) = 0;
    // site: an object of the host that answers IViewHost.
    virtual HRESULT SetHost(IUnknown *site) = 0;
    virtual HRESULT CreateView(WindowHandle parent, int32_t x, int32_t y, int32_t width,
                               int32_t height) = 0;
    // state: ViewCommandState.
    virtual HRESULT GetCommandState(uint32_t command, int32_t *state) = 0;
    virtual HRESULT Execute(uint32_t command) = 0;
    // kind: ViewCommandText; id is left unchanged when there is no such text.
    virtual HRESULT GetCommandString(uint32_t command, int32_t kind, uint32_t *id) = 0;
    // hidden nonzero: the view is not shown and keeps its place.
    virtual HRESULT MoveView(int32_t hidden, int32_t x, int32_t y, int32_t width,
                             int32_t height) = 0;
    // kind: ViewFocusEvent; notHandled 1 when the plug-in left the event to
    // the host.
    virtual HRESULT FocusEvent(int32_t kind, int32_t *notHandled) = 0;
    virtual HRESULT Activate() = 0;
    virtual HRESULT Deactivate() = 0;
    virtual HRESULT Help() = 0;
    virtual HRESULT About() = 0;
    // path: the resource module's full path (empty when there is none), in a
    // buffer of pathSize units; pathLength receives its length.
    virtual HRESULT GetResourceModule(int32_t reserved, int32_t *flagA, int32_t *flagB,
                                      char16_t *path, uint32_t pathSize, uint32_t *pathLength) = 0;
    // The view's name.
    virtual HRESULT GetNameId(uint32_t *id) = 0;
    // The view's image.
    virtual HRESULT GetImageId(uint32_t *id) = 0;
    // kind: ViewState; result 1 when the plug-in took kind Ready.
    virtual HRESULT SetState(int32_t kind, int32_t *result) = 0;
    virtual HRESULT Close() = 0;

protected:
    ~IViewPlugin() = default;
};

// Initialize's result.
namespace ViewInitResult {
enum : int32_t { Started = 1, Failed = 2 };
}

// GetStringId's kinds: the text the host shows with the plug-in's entry, and
// its longer description.
namespace ViewStringKind {
enum : int32_t { Title = 0, Description = 3 };
}

namespace ViewCommandState {
enum : int32_t { Disabled = 1, Enabled = 2 };
}

// GetCommandString's kinds: a tool button's short text, a status bar text.
namespace ViewCommandText {
enum : int32_t { ShortText = 1, Description = 2 };
}

// FocusEvent's kinds: the host window was activated or deactivated; the view
// is about to lose the focus (remember where it was); the view gets the focus
// back.
namespace ViewFocusEvent {
enum : int32_t { HostActivated = 2, HostDeactivated = 3, SaveFocus = 4, RestoreFocus = 5 };
}

// SetState's kinds: the view is set up; the host is about to close the view,
// for a switch or for its own end.
namespace ViewState {
enum : int32_t { Ready = 1, Closing = 2, ShuttingDown = 3 };
}

// Under this key each subkey, named by a plug-in's ProgID, lists one
// plug-in for the host. Only the subkey's existence counts.
inline constexpr char16_t kViewPlugInsKey[] =
    u"HKEY_LOCAL_MACHINE\\Software\\Talvik\\Orvenet6\\Framework\\PlugIns";

// A view plug-in that may keep the host from closing, asked before Close: a
// plug-in with unsaved work asks its user, who may cancel. A host that knows
// it asks every plug-in that has it and closes none when one says no.
struct IViewPluginClose : IUnknown
{
    // mayClose: 1 when the plug-in may be closed, 0 when the user cancelled.
    virtual HRESULT QueryClose(int32_t *mayClose) = 0;

protected:
    ~IViewPluginClose() = default;
};
