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
    PlugInTitle = 429,
    PlugInDescription = 431,
    ViewImage = 10125,
    ToolbarBitmap = 29090,
};
} // namespace HostTextId

// Help contexts of the categories (and of the print preview) that have a
// topic of their own; any other context opens the contents.
inline constexpr int kHelpContexts[] = {HelpContextId::AccessPoints, HelpContextId::EMail,
                                        HelpContextId::WAP,          HelpContextId::SMS,
                                        HelpContextId::PersonalData, HelpContextId::FileTransfer,
                                        HelpContextId::PrintPreview};
