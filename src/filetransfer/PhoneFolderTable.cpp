#include "filetransfer/PhoneFolders.h"

#include <array>

namespace {

using FolderNames = std::array<const char16_t *, kPhoneFoldersPerRow>;

// The order of the pairs in every row.
constexpr std::array<std::uint32_t, kPhoneFoldersPerRow> kFolderCodes = {
    PhoneFolder::Documents, PhoneFolder::Downloaded, PhoneFolder::PhotoGallery,
    PhoneFolder::Templates, PhoneFolder::Fax,        PhoneFolder::Sheet,
    PhoneFolder::Word,      PhoneFolder::Tones,
};

constexpr FolderNames kEnglish = {
    u"Documents\\", u"Downloaded\\", u"Photo gallery\\", u"Templates\\",
    u"Fax\\",       u"Sheet\\",      u"Word\\",          u"Tones\\",
};
constexpr FolderNames kFrench = {
    u"Documents\\", u"T\u00e9l\u00e9chargement\\",
    u"Images\\",    u"Mod\u00e8les\\",
    u"Fax\\",       u"Tableur\\",
    u"Word\\",      u"Sonneries\\",
};
constexpr FolderNames kGerman = {
    u"Dokumente\\", u"Heruntergeladen\\", u"Fotogalerie\\", u"Vorlagen\\",
    u"Fax\\",       u"Tabellen\\",        u"Word\\",        u"T\u00f6ne\\",
};
constexpr FolderNames kSpanish = {
    u"Documentos\\", u"Descargados\\", u"Galer\u00eda fotos\\",
    u"Plantillas\\", u"Fax\\",         u"Hoja\\",
    u"Word\\",       u"Tonos\\",
};
constexpr FolderNames kItalian = {
    u"Documenti\\", u"Scaricati\\",         u"Immagini\\", u"Modelli\\",
    u"Fax\\",       u"Foglio di calcolo\\", u"Word\\",     u"Toni\\",
};
constexpr FolderNames kSwedish = {
    u"Dokument\\", u"Hamtade\\",    u"Fotogalleri\\", u"Mallar\\",
    u"Fax\\",      u"Kalkylblad\\", u"Word\\",        u"Toner\\",
};
constexpr FolderNames kDanish = {
    u"Dokumenter\\", u"Hentede\\",  u"Fotogalleri\\", u"Skabeloner\\",
    u"Fax\\",        u"Regneark\\", u"Word\\",        u"Toner\\",
};
constexpr FolderNames kNorwegian = {
    u"Dokumenter\\", u"Nedlastet\\", u"Fotogalleri\\", u"Maler\\",
    u"Faks\\",       u"Regneark\\",  u"Tekst\\",       u"Toner\\",
};
constexpr FolderNames kFinnish = {
    u"Dokumentit\\", u"Ladatut\\",  u"Kuvagalleria\\", u"Pohjat\\",
    u"Faksi\\",      u"Taulukot\\", u"Tekstit\\",      u"\u00c4\u00e4net\\",
};
constexpr FolderNames kPortuguese = {
    u"Documentos\\", u"Importados\\", u"Galeria de fotos\\", u"Modelos\\", u"Fax\\", u"Folha\\",
    u"Word\\",       u"Tons\\",
};
constexpr FolderNames kDutch = {
    u"Documenten\\", u"Gedownload\\", u"Fotogalerie\\", u"Sjablonen\\",
    u"Fax\\",        u"Werkblad\\",   u"Tekst\\",       u"Tonen\\",
};

constexpr PhoneFolderRow MakeRow(std::uint32_t language, const FolderNames &names)
{
    PhoneFolderRow row{language, {}};
    for (int i = 0; i < kPhoneFoldersPerRow; ++i)
        row.folders[i] = {kFolderCodes[i], names[i]};
    return row;
}

namespace L = PhoneLanguage;

constexpr PhoneFolderRow kPhoneFolderTable[kPhoneFolderRowCount + 1] = {
    MakeRow(L::Default, kEnglish),
    MakeRow(L::English, kEnglish),
    MakeRow(L::French, kFrench),
    MakeRow(L::German, kGerman),
    MakeRow(L::Spanish, kSpanish),
    MakeRow(L::Italian, kItalian),
    MakeRow(L::Swedish, kSwedish),
    MakeRow(L::Danish, kDanish),
    MakeRow(L::Norwegian, kNorwegian),
    MakeRow(L::Finnish, kFinnish),
    MakeRow(L::American, kEnglish),
    MakeRow(L::SwissFrench, kFrench),
    MakeRow(L::SwissGerman, kGerman),
    MakeRow(L::Portuguese, kPortuguese),
    MakeRow(L::Turkish, kEnglish),
    MakeRow(L::Icelandic, kEnglish),
    MakeRow(L::Russian, kEnglish),
    MakeRow(L::Hungarian, kEnglish),
    MakeRow(L::Dutch, kDutch),
    MakeRow(L::BelgianFlemish, kEnglish),
    MakeRow(L::Australian, kEnglish),
    MakeRow(L::BelgianFrench, kFrench),
    PhoneFolderRow{},
};

} // namespace

std::span<const PhoneFolderRow> PhoneFolderTable()
{
    return kPhoneFolderTable;
}
