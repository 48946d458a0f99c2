#pragma once

#include <cstdint>

// Command identifiers under which the host passes menu, toolbar and
// accelerator commands.
namespace CommandId {
enum : uint32_t {
    New = 29050,
    Save = 29051,
    Open = 29052,
    Send = 29053,
    Print = 29054,
    MenuSend = 10276,
    ShowActivityLog = 10278,
    MenuNew = 10279,
    MenuDelete = 10280,
    SendOption1 = 10281,
    SendOption2 = 10282,
    SendOption3 = 10283,
    MenuPrint = 31000,
    PrintPreview = 31001,
    PrintSetup = 31002,
    Delete = 31003,
    MenuOpen = 31009,
    Cut = 31014,
    Copy = 31015,
    Paste = 31016,
    Undo = 31017,
    SelectAll = 31020,
    MenuSave = 31021,
    SaveAs = 31022,
    // The framework's standard print command.
    FramePrint = 57607,
};
} // namespace CommandId

// Texts and images of the language library that the plug-in names to the
// host.
namespace HostTextId {
enum : uint32_t {
    ViewName = 112,
    HeaderLabel = 125,
    PlugInTitle = 429,
    PlugInDescription = 431,
    ViewImage = 10125,
    ToolbarBitmap = 29090,
};
} // namespace HostTextId

// Help contexts of the categories (and of the print preview) that have a
// topic of their own; any other context opens the contents.
inline constexpr int kHelpContexts[] = {279, 140, 388, 323, 460, 550, 506};
