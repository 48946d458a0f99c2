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
    MsgSettingNotValid = 519,
    NoBookmarks = 604,
    PhoneLanguage = 622,

    // Dialogs and in-place editing.
    ProductVersion = 101,
    ConfirmPasswordLabel = 237,
    PasswordLabel = 261,
    AboutTitle = 439,
    PasswordConfirmTitle = 447,
    MsgPasswordsDiffer = 471,
    MsgValueNotValid = 472,
    SignatureLabel = 473,
    ScriptTitle = 475,
    SignatureTitle = 476,
    AllFiles = 503,
    ImageFiles = 502,
    InstallationPackages = 501,
    FileNameColumn = 217,
    FolderColumn = 219,
    PhoneFolderColumn = 591,
    MsgPhoneFolderNotValid = 592,
    KeepAnswerForSettings = 546,
    KeepAnswerForFiles = 565,
    ButtonOk = 41000,
    ButtonCancel = 41001,
    ButtonHelp = 41002,
    Copyright = 41010,
    PasswordConfirmPrompt = 41020,
    LoadFromFile = 41030,
    AnswerSkip = 41040,
    AnswerReplace = 41041,
    AnswerRetry = 41042,
    AnswerCancel = 41043,
    EditorNotAvailable = 41050,

    // Why an edit was refused.
    MsgNameInUse = 40035,
    MsgNameNotAllowed = 40036,
    MsgListHasNoValue = 40037,
    MsgNotApplicable = 40042,
    MsgNotAChoice = 41060,
    MsgNoValueToEdit = 41061,
};
} // namespace StringId
