#pragma once

// String identifiers of the command-line tool's own texts in the language
// library.
namespace CliText {
enum : unsigned {
    Usage = 40000,
    UnknownCommand = 40001,
    HelpNew = 40010,
    HelpConvert = 40011,
    HelpCheck = 40012,
    HelpShow = 40013,
    HelpGet = 40014,
    HelpSet = 40015,
    HelpAdd = 40016,
    HelpText = 40017,
    HelpFolders = 40018,
    HelpInclude = 40019,
    HelpFiles = 40020,
    HelpPrint = 40022,
    HelpBookmarks = 40021,
    FileProblem = 40030,
    NoSuchSetting = 40031,
    RepairLine = 40032,
    WrongArguments = 40033,
    NotItemCategory = 40034,
    NotALanguage = 40038,
    ValueRefused = 40039,
    NotAnIncludeState = 40040,
    MandatoryNotExcluded = 40041,
    EmptyListNotIncluded = 40043,
    IncludeRefused = 40044,
    NotAFileList = 40045,
    NotALocalFile = 40046,
    NoSuchEntry = 40047,
    FilesAdded = 40048,
    BookmarksImported = 40049,
    ValueCut = 40050,
    // provana diff.
    HelpDiff = 40026,
    DiffIncluded = 40080,
    DiffExcluded = 40081,
    DiffAdded = 40082,
    DiffRemoved = 40083,
    // provana send.
    HelpSend = 40023,
    NotAnAnswer = 40070,
    NotASendOption = 40071,
    QuestionPrompt = 40072,
    NothingToPrint = 40060,
    NotAPrintRange = 40061,
    PrintNotWritten = 40062,
};
} // namespace CliText
