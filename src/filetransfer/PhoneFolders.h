#pragma once

#include <QString>
#include <QStringList>

#include <cstdint>
#include <span>

class CApplication;

// Standard folders of the phone's file system. A code's parent clears its low
// four bits if any is set, else its low eight bits; 0x200 has no parent.
namespace PhoneFolder {
enum : std::uint32_t {
    Documents = 0x200,
    Downloaded = 0x210,
    PhotoGallery = 0x220,
    Templates = 0x230,
    Fax = 0x231,
    Sheet = 0x232,
    Word = 0x233,
    Tones = 0x240,
};
} // namespace PhoneFolder

// EPOC language codes; each has the table row of the same index. Default is
// the language number of row 0.
namespace PhoneLanguage {
enum : std::uint32_t {
    English = 1,
    French = 2,
    German = 3,
    Spanish = 4,
    Italian = 5,
    Swedish = 6,
    Danish = 7,
    Norwegian = 8,
    Finnish = 9,
    American = 10,
    SwissFrench = 11,
    SwissGerman = 12,
    Portuguese = 13,
    Turkish = 14,
    Icelandic = 15,
    Russian = 16,
    Hungarian = 17,
    Dutch = 18,
    BelgianFlemish = 19,
    Australian = 20,
    BelgianFrench = 21,
    Default = 0xFF,
};
} // namespace PhoneLanguage

// Results of PhoneFolderPath.
inline constexpr unsigned kPhoneFolderFound = 0;
inline constexpr unsigned kPhoneFolderAbsent = 5;

inline constexpr unsigned kPhoneFolderRowCount = 22;
inline constexpr int kPhoneFoldersPerRow = 8;

struct PhoneFolderEntry
{
    std::uint32_t code;
    const char16_t *name; // ends with a backslash
};

struct PhoneFolderRow
{
    std::uint32_t language;
    PhoneFolderEntry folders[kPhoneFoldersPerRow];
};

// The language rows followed by the all-zero terminating row.
std::span<const PhoneFolderRow> PhoneFolderTable();

// Sets out to the phone path of a folder, relative to a drive root, in the
// language of the given row and returns kPhoneFolderFound; returns
// kPhoneFolderAbsent and leaves out as it was when the row lacks the code.
// Rows past the last language row use the English row.
unsigned PhoneFolderPath(QString &out, unsigned row, unsigned code);

// The language number that the language library declares in its string 622;
// 1 (English) when it has none. The number may be negative or have no row.
int CurrentPhoneLanguage(const CApplication *application);

// The destination folders offered for a file to transfer, in their order:
// C:\ Documents, Downloaded, Photo gallery and Tones, then D:\ Documents.
QStringList DestinationProposals(unsigned language);
