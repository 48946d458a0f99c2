#pragma once

// String identifiers of the language library that the program refers to by
// name. Element names of the configuration file are looked up by the same
// identifiers in the tag table.
namespace StringId {
enum : unsigned {
    ViewName = 112,
    Speed9600 = 245,
    POP3 = 190,
    RetrieveHeaders = 185,
    RetrieveMessages = 183,
    NoAccessPoints = 443,
    FileCount = 480,
    NoFiles = 481,
    ScriptShown = 482,
    NoMailboxes = 484,
    NoCentres = 485,
    SignatureShown = 497,
    BookmarkCount = 584,
    MsgItemInUse = 596,
    NoBookmarks = 604,
    PhoneLanguage = 622,
};
} // namespace StringId
