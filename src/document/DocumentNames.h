#pragma once

#include "settings/StringIds.h"

// Texts of the language library that the document commands show.
namespace StringId {
enum : unsigned {
    MsgSaveChanges = 387,
    MsgActivityLogNotShown = 593,
    MsgFileNotRead = 597,
    MsgNotConfiguration = 598,
    MsgFileNotWritten = 599,
    MsgValuesRepaired = 600,
    ConfigurationFiles = 505,
    UntitledName = 605,
    SaveAsTitle = 61441,
};
} // namespace StringId

// Per-user registry values of the view: a file another component asks the
// view to open, and the file bound when the view was last closed.
inline constexpr char16_t kProvanaRegistryKey[] = u"Software\\Talvik\\Provana\\";
inline constexpr char16_t kRequestFileValue[] = u"RequestFile";
inline constexpr char16_t kLastFileValue[] = u"LastFile";
// The folder the file dialogs were last in, kept for the next start.
inline constexpr char16_t kLastFolderValue[] = u"LastFolder";

// Paths live in buffers of this many units, the terminator included; a stored
// path that does not fit counts as absent.
inline constexpr int kPathBufferSize = 260;

// Next to the program: the shipped example configurations.
inline constexpr char16_t kConfigurationFolderName[] = u"Configuration Files";
// In the user's documents folder: where configurations are proposed until the
// user picks another folder.
inline constexpr char16_t kDefaultFolderName[] = u"Provana";
inline constexpr char16_t kConfigurationSuffix[] = u"xml";
