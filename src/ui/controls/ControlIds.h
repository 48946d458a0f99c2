#pragma once

#include <QString>

// Identifiers of the controls of the in-place editors and the dialogs. Every
// control carries its identifier as its object name ("id10153"), so that tests
// and the help system find it.
namespace ControlId {
enum : int {
    // Standard dialog buttons.
    Ok = 1,
    Cancel = 2,
    LoadFromFile = 3,
    Help = 264,

    // In-place editors over the value column.
    ValueEdit = 10004,
    ChoiceList = 10007,
    IPAddress = 10009,

    // The one edit field of the multi-line text and password dialogs.
    TextEdit = 10153,

    // The plug-in's view and its settings tree.
    SettingsView = 10136,
    SettingsTree = 10150,

    // About box.
    ProductLine = 10218,
    Copyright = 269,

    // Question dialog: the check box, the message and the answer buttons.
    KeepAnswer = 274,
    QuestionText = 275,
    AnswerSkip = 277,
    AnswerReplace = 273,
    AnswerRetry = 276,
    AnswerCancel = 270,

    // File transfer entry dialog: the PC file, the phone folder, browsing.
    LocalPath = 276,
    RemotePath = 275,
    BrowseLocal = 274,

    // File list dialog.
    FileList = 10161,
    FileListLabel = 10242,
    AddEntries = 10139,
    EditEntry = 10004,
    RemoveEntries = 10143,

    // Bookmark list dialog and the dialogs of one bookmark.
    BookmarkList = 10161,
    ImportBookmarks = 259,
    ImportReport = 10248,
    BookmarkName = 10192,
    BookmarkUrl = 10195,
    BookmarkUserName = 10193,
    BookmarkPassword = 10194,
    BookmarkConnection = 10189,
    BookmarkConnectionLabel = 10207,
    CheckMessage = 10249,

    // Bookmark source dialog and the choice among found bookmark files. The
    // Firefox and Chromium sources are this program's own.
    SourceFavorites = 260,
    SourceFile = 261,
    SourceNetscape = 262,
    SourceFirefox = 10246,
    SourceChromium = 10247,
    SourcePath = 10153,
    BrowseSource = 3,
    FoundFiles = 261,

    // Send dialog and its progress dialog.
    SendNow = 10138,
    PhoneName = 10140,
    PhoneImei = 10141,
    PhoneNumber = 10142,
    SendProgress = 262,
    SendStatus = 263,

    // The print dialog's range choices.
    PrintAll = 1056,
    PrintSelection = 1057,
    PrintIncluded = 10213,

    // The problems panel beside the tree.
    ProblemsPanel = 10300,
    ProblemsList = 10301,
    ProblemsIncluded = 10302,
    ProblemsAll = 10303,
    ProblemsHide = 10304,
    ProblemsCount = 10305,

    // The variants dialog.
    VariantsTable = 10310,
    VariantsBrowseTable = 10311,
    VariantsFolder = 10312,
    VariantsBrowseFolder = 10313,
    VariantsRows = 10314,
    VariantsProgress = 10315,
    VariantsMake = 10316,
    VariantsSummary = 10317,
};
} // namespace ControlId

inline QString ControlObjectName(int id)
{
    return QStringLiteral("id%1").arg(id);
}
