#include "support/TestApplication.h"

#include "filetransfer/PhoneFolders.h"
#include "settings/StringIds.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

QString PathOf(unsigned row, unsigned code)
{
    QString out;
    EXPECT_EQ(PhoneFolderPath(out, row, code), kPhoneFolderFound) << row << " " << code;
    return out;
}

QStringList NamesOfRow(const PhoneFolderRow &row)
{
    QStringList names;
    for (const PhoneFolderEntry &entry : row.folders)
        names.append(QString::fromUtf16(entry.name));
    return names;
}

int LanguageFor(const QString &text)
{
    CTestTree tree(false);
    tree.Strings().texts[StringId::PhoneLanguage] = text;
    return CurrentPhoneLanguage(&tree.Application());
}

} // namespace

TEST(PhoneFolderTable, RowsAreIndexedByLanguageAndEndWithAZeroRow)
{
    const auto table = PhoneFolderTable();
    ASSERT_EQ(table.size(), kPhoneFolderRowCount + 1);
    EXPECT_EQ(table[0].language, PhoneLanguage::Default);
    for (unsigned row = 1; row < kPhoneFolderRowCount; ++row)
        EXPECT_EQ(table[row].language, row);

    const std::uint32_t codes[] = {0x200, 0x210, 0x220, 0x230, 0x231, 0x232, 0x233, 0x240};
    for (unsigned row = 0; row < kPhoneFolderRowCount; ++row) {
        for (int i = 0; i < kPhoneFoldersPerRow; ++i) {
            EXPECT_EQ(table[row].folders[i].code, codes[i]) << row << " " << i;
            EXPECT_TRUE(QString::fromUtf16(table[row].folders[i].name).endsWith(u'\\'))
                << row << " " << i;
        }
    }
    const PhoneFolderRow &end = table[kPhoneFolderRowCount];
    EXPECT_EQ(end.language, 0u);
    for (const PhoneFolderEntry &entry : end.folders) {
        EXPECT_EQ(entry.code, 0u);
        EXPECT_EQ(entry.name, nullptr);
    }
}

TEST(PhoneFolderTable, LanguagesSharingNamesAndAccentedLetters)
{
    const auto table = PhoneFolderTable();
    const QStringList english = {"Documents\\", "Downloaded\\", "Photo gallery\\", "Templates\\",
                                 "Fax\\",       "Sheet\\",      "Word\\",          "Tones\\"};
    for (unsigned row : {0u, 1u, 10u, 14u, 15u, 16u, 17u, 19u, 20u})
        EXPECT_EQ(NamesOfRow(table[row]), english) << row;

    const QStringList french = NamesOfRow(table[PhoneLanguage::French]);
    EXPECT_EQ(french[1], QString::fromUtf16(u"T\u00e9l\u00e9chargement\\"));
    EXPECT_EQ(french[1].size(), 15) << "accented letters are single units";
    EXPECT_EQ(NamesOfRow(table[PhoneLanguage::SwissFrench]), french);
    EXPECT_EQ(NamesOfRow(table[PhoneLanguage::BelgianFrench]), french);

    const QStringList german = NamesOfRow(table[PhoneLanguage::German]);
    EXPECT_EQ(german[7], QString::fromUtf16(u"T\u00f6ne\\"));
    EXPECT_EQ(NamesOfRow(table[PhoneLanguage::SwissGerman]), german);

    EXPECT_EQ(NamesOfRow(table[PhoneLanguage::Finnish])[7],
              QString::fromUtf16(u"\u00c4\u00e4net\\"));
}

TEST(PhoneFolderPath, JoinsParentFoldersInOrder)
{
    EXPECT_EQ(PathOf(PhoneLanguage::English, 0x200), "Documents\\");
    EXPECT_EQ(PathOf(PhoneLanguage::English, 0x210), "Documents\\Downloaded\\");
    EXPECT_EQ(PathOf(PhoneLanguage::English, 0x231), "Documents\\Templates\\Fax\\");
    EXPECT_EQ(PathOf(PhoneLanguage::English, 0x240), "Documents\\Tones\\");
    EXPECT_EQ(PathOf(PhoneLanguage::Finnish, 0x231), "Dokumentit\\Pohjat\\Faksi\\");
    EXPECT_EQ(PathOf(PhoneLanguage::Dutch, 0x233), "Documenten\\Sjablonen\\Tekst\\");
    EXPECT_EQ(PathOf(PhoneLanguage::BelgianFrench, 0x230),
              QString::fromUtf16(u"Documents\\Mod\u00e8les\\"));

    QString out = "C:\\stale\\";
    EXPECT_EQ(PhoneFolderPath(out, PhoneLanguage::German, 0x210), kPhoneFolderFound);
    EXPECT_EQ(out, "Dokumente\\Heruntergeladen\\") << "the output is replaced, not appended to";
}

TEST(PhoneFolderPath, AbsentCodeLeavesOutputUntouched)
{
    for (unsigned code : {0x250u, 0x0u, 0x100u, 0x201u, 0x234u}) {
        QString out = "unchanged";
        EXPECT_EQ(PhoneFolderPath(out, PhoneLanguage::English, code), kPhoneFolderAbsent) << code;
        EXPECT_EQ(out, "unchanged") << code;
    }
    QString empty;
    EXPECT_EQ(PhoneFolderPath(empty, PhoneLanguage::Default, 0x250), kPhoneFolderAbsent);
    EXPECT_TRUE(empty.isNull());
}

TEST(PhoneFolderPath, RowsWithoutALanguageUseEnglish)
{
    for (unsigned row : {kPhoneFolderRowCount, kPhoneFolderRowCount + 1, 0xFFu, 1000u,
                         static_cast<unsigned>(-1), static_cast<unsigned>(INT_MIN)}) {
        EXPECT_EQ(PathOf(row, 0x231), "Documents\\Templates\\Fax\\") << row;
        QString out = "unchanged";
        EXPECT_EQ(PhoneFolderPath(out, row, 0), kPhoneFolderAbsent)
            << "the terminating row is never searched: " << row;
        EXPECT_EQ(out, "unchanged");
    }
    EXPECT_EQ(PathOf(0, 0x240), "Documents\\Tones\\") << "row 0 is the default row";
}

TEST(CurrentPhoneLanguage, ReadsTheLeadingNumberOfString622)
{
    EXPECT_EQ(LanguageFor("[3"), 3);
    EXPECT_EQ(LanguageFor("3"), 3);
    EXPECT_EQ(LanguageFor("[21]"), 21);
    EXPECT_EQ(LanguageFor(" \t+9 Finnish"), 9);
    EXPECT_EQ(LanguageFor("-4"), -4);
    EXPECT_EQ(LanguageFor("abc"), 1);
    EXPECT_EQ(LanguageFor("0"), 1);
    EXPECT_EQ(LanguageFor("[[3"), 1) << "only one bracket is dropped";
    EXPECT_EQ(LanguageFor("3["), 3);
}

TEST(CurrentPhoneLanguage, OnlyNineteenCharactersCount)
{
    EXPECT_EQ(LanguageFor(QString(17, u' ') + "21"), 21);
    EXPECT_EQ(LanguageFor(QString(18, u' ') + "21"), 2);
    EXPECT_EQ(LanguageFor(QString(19, u' ') + "21"), 1);
    EXPECT_EQ(LanguageFor("[" + QString(18, u' ') + "21"), 2) << "counted after the bracket";
    EXPECT_EQ(LanguageFor("99999999999999999999"), INT_MAX);
    EXPECT_EQ(LanguageFor("-9999999999999999999"), INT_MIN);
}

TEST(CurrentPhoneLanguage, MissingTextMeansEnglish)
{
    CTestTree tree(false);
    EXPECT_EQ(CurrentPhoneLanguage(&tree.Application()), 1);
    tree.Strings().texts[StringId::PhoneLanguage] = "";
    EXPECT_EQ(CurrentPhoneLanguage(&tree.Application()), 1);
    EXPECT_EQ(tree.Messages().shown.size(), 2) << "a missing text is reported like any label";

    CApplication withoutLibrary;
    EXPECT_EQ(CurrentPhoneLanguage(&withoutLibrary), 1);
}

TEST(DestinationProposals, FiveFoldersInTheLanguageOfThePhone)
{
    EXPECT_EQ(DestinationProposals(PhoneLanguage::English),
              (QStringList{"C:\\Documents\\", "C:\\Documents\\Downloaded\\",
                           "C:\\Documents\\Photo gallery\\", "C:\\Documents\\Tones\\",
                           "D:\\Documents\\"}));
    const QStringList german = {
        "C:\\Dokumente\\", "C:\\Dokumente\\Heruntergeladen\\", "C:\\Dokumente\\Fotogalerie\\",
        QString::fromUtf16(u"C:\\Dokumente\\T\u00f6ne\\"), "D:\\Dokumente\\"};
    EXPECT_EQ(DestinationProposals(PhoneLanguage::German), german);
    EXPECT_EQ(DestinationProposals(static_cast<unsigned>(LanguageFor("[3"))), german);
    EXPECT_EQ(DestinationProposals(static_cast<unsigned>(LanguageFor("-4"))),
              DestinationProposals(PhoneLanguage::English));
    EXPECT_EQ(DestinationProposals(PhoneLanguage::BelgianFrench)[1],
              QString::fromUtf16(u"C:\\Documents\\T\u00e9l\u00e9chargement\\"));
}
