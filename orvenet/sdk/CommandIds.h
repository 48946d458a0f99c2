#pragma once

#include <cstdint>

// The suite's command identifiers: the host sends them from its menus,
// toolbar buttons and accelerators to IViewPlugin::Execute, and a plug-in
// names them when it adds toolbar buttons or answers for their state.
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
    Redo = 31018,
    SelectAll = 31020,
    MenuSave = 31021,
    SaveAs = 31022,
    // The framework's standard print command.
    FramePrint = 57607,
};
} // namespace CommandId
