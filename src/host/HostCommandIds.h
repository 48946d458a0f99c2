#pragma once

#include "document/IncludeToggle.h"
#include "orvenet/sdk/CommandIds.h"
#include "settings/StringIds.h"

#include <cstdint>

// Texts and images of the language library that the plug-in names to the
// host.
namespace HostTextId {
enum : uint32_t {
    ViewName = StringId::ViewName,
    HeaderLabel = 125,
    // The host shows the plug-in's entry under its name.
    PlugInTitle = StringId::ViewName,
    PlugInDescription = 431,
    ViewImage = 10125,
    ToolbarBitmap = 29090,

    // Tool button texts and status bar texts of the commands.
    NewShort = 380,
    OpenShort = 381,
    SaveShort = 382,
    SendShort = StringId::SendButton,
    PrintShort = 474,
    DeleteDescription = 331,
    NewDescription = 332,
    SendDescription = 333,
    ActivityLogDescription = 334,
    SendOption1Description = 335,
    SendOption2Description = 336,
    SendOption3Description = 337,
    OpenDescription = 601,
    SaveDescription = 602,
    PrintDescription = 603,
};
} // namespace HostTextId
