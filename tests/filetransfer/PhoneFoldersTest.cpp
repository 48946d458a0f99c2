#include "support/TestApplication.h"

#include "filetransfer/PhoneFolders.h"
#include "settings/StringIds.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

int LanguageFor(const QString &text)
{
    CTestTree tree(false);
    tree.Strings().texts[StringId::PhoneLanguage] = text;
    return CurrentPhoneLanguage(&tree.Application());
}

} // namespace

// Each row sits at the index of its language number, since lookups index by
// it; the all-zero row ends the table.
TEST(PhoneFolderTable, RowsAreIndexedByLanguageAndEndWithAZeroRow)
{
    const auto table = PhoneFolderTable();
    ASSERT_EQ(table.size(), kPhoneFolderRowCount + 1);
    EXPECT_EQ(table[0].language, PhoneLanguage::Default);
    for (unsigned row = 1; row < kPhoneFolderRowCount; ++row)
        EXPECT_EQ(table[row].language, row);
    EXPECT_EQ(table[kPhoneFolderRowCount].language, 0u);
    EXPECT_EQ(table[kPhoneFolderRowCount].folders[0].name, nullptr);
}

TEST(PhoneFolderPath, JoinsParentsInTheRowsLanguageAndLeavesAbsentCodesAlone)
{
    const struct
    {
        unsigned row;
        unsigned code;
        const char16_t *path; // null: absent
    } cases[] = {{PhoneLanguage::English, 0x200, u"Documents\\"},
                 {PhoneLanguage::English, 0x210, u"Documents\\Downloaded\\"},
                 {PhoneLanguage::English, 0x231, u"Documents\\Templates\\Fax\\"},
                 {PhoneLanguage::English, 0x240, u"Documents\\Tones\\"},
                 {PhoneLanguage::Finnish, 0x231, u"Dokumentit\\Pohjat\\Faksi\\"},
                 {PhoneLanguage::Dutch, 0x233, u"Documenten\\Sjablonen\\Tekst\\"},
                 {PhoneLanguage::SwissGerman, 0x240, u"Dokumente\\T\u00f6ne\\"},
                 {PhoneLanguage::BelgianFrench, 0x230, u"Documents\\Mod\u00e8les\\"},
                 {0, 0x240, u"Documents\\Tones\\"},
                 // Rows without a language use English; its terminator is never searched.
                 {kPhoneFolderRowCount, 0x231, u"Documents\\Templates\\Fax\\"},
                 {static_cast<unsigned>(-1), 0x231, u"Documents\\Templates\\Fax\\"},
                 {static_cast<unsigned>(INT_MIN), 0x210, u"Documents\\Downloaded\\"},
                 {kPhoneFolderRowCount, 0, nullptr},
                 {PhoneLanguage::English, 0x250, nullptr},
                 {PhoneLanguage::English, 0x201, nullptr},
                 {PhoneLanguage::English, 0x234, nullptr}};
    for (const auto &c : cases) {
        QString out = "C:\\stale\\";
        const unsigned result = PhoneFolderPath(out, c.row, c.code);
        EXPECT_EQ(result, c.path ? kPhoneFolderFound : kPhoneFolderAbsent)
            << c.row << " " << c.code;
        EXPECT_EQ(out, c.path ? QString::fromUtf16(c.path) : "C:\\stale\\")
            << c.row << " " << c.code;
    }
}

TEST(CurrentPhoneLanguage, ReadsTheLeadingNumberOfItsFirstNineteenCharacters)
{
    const std::pair<QString, int> cases[] = {
        {"[3", 3},
        {"3[", 3},
        {"[21]", 21},
        {" \t+9 Finnish", 9},
        {"-4", -4},
        {"abc", 1},
        {"0", 1},
        {"", 1},
        {"[[3", 1}, // one bracket only is dropped
        {QString(17, u' ') + "21", 21},
        {QString(18, u' ') + "21", 2},
        {QString(19, u' ') + "21", 1},
        {"[" + QString(18, u' ') + "21", 2}, // counted after the bracket
        {"99999999999999999999", INT_MAX},
        {"-9999999999999999999", INT_MIN}};
    for (const auto &[text, language] : cases)
        EXPECT_EQ(LanguageFor(text), language) << text.toStdString();

    CTestTree tree(false);
    EXPECT_EQ(CurrentPhoneLanguage(&tree.Application()), 1);
    EXPECT_TRUE(tree.Messages().shown.isEmpty()) << "a missing text is no message of the core";
    CApplication withoutLibrary;
    EXPECT_EQ(CurrentPhoneLanguage(&withoutLibrary), 1);
}

TEST(DestinationProposals, FiveFoldersInTheLanguageOfThePhone)
{
    EXPECT_EQ(DestinationProposals(PhoneLanguage::English),
              (QStringList{"C:\\Documents\\", "C:\\Documents\\Downloaded\\",
                           "C:\\Documents\\Photo gallery\\", "C:\\Documents\\Tones\\",
                           "D:\\Documents\\"}));
    EXPECT_EQ(DestinationProposals(static_cast<unsigned>(LanguageFor("[3"))),
              (QStringList{"C:\\Dokumente\\", "C:\\Dokumente\\Heruntergeladen\\",
                           "C:\\Dokumente\\Fotogalerie\\",
                           QString::fromUtf16(u"C:\\Dokumente\\T\u00f6ne\\"), "D:\\Dokumente\\"}));
    EXPECT_EQ(DestinationProposals(static_cast<unsigned>(LanguageFor("-4"))),
              DestinationProposals(PhoneLanguage::English));
}
