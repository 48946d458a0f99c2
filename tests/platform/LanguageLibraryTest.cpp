#include "support/TestApplication.h"

#include "language/LanguageTexts.h"
#include "platform/LanguageLibrary.h"
#include "platform/ProgramFolder.h"
#include "settings/Labels.h"
#include "settings/NodeCatalogue.h"
#include "settings/NodeTypes.h"
#include "settings/StringIds.h"
#include "settings/TagTable.h"

#include <gtest/gtest.h>

// The test module's texts sit at the edges of the label buffer, which keeps
// 2047 units.
TEST(LanguageModule, LabelsAreCutToTheBufferAndMissingOnesFound)
{
    CApplication application;
    CRecordingMessages messages;
    application.SetMessagePort(&messages);
    application.SetLanguageLibrary(CLanguageTexts::Open(ProgramFolder() + "ProvixLangTest.so"));
    ASSERT_NE(application.GetLanguageLibrary(), nullptr);
    EXPECT_EQ(LoadLabel(&application, 1, true), QString(2047, 'a'));
    EXPECT_EQ(LoadLabel(&application, 2, true), QString(2047, 'b'));
    EXPECT_EQ(LoadLabel(&application, 5, true), QString::fromUtf8("Stra\xc3\x9f"
                                                                  "e \xf0\x9f\x98\x80"));
    EXPECT_TRUE(messages.shown.isEmpty());
    EXPECT_EQ(LoadLabel(&application, 4, true), "<error>");
    EXPECT_EQ(LoadLabel(&application, 6, true), "<error>");
    EXPECT_EQ(FindLabel(&application, 4), std::nullopt);
    EXPECT_TRUE(messages.shown.isEmpty()) << "saying so is the user interface's business";

    EXPECT_EQ(CLanguageLibrary::Open(ProgramFolder() + "NoSuchLang.so"), nullptr);
    EXPECT_EQ(CLanguageLibrary::Open(ProgramFolder() + "platform_tests"), nullptr);
}

TEST(EnglishLibrary, LoadsFromTheProgramFolderWithEveryLabelAndFormat)
{
    CApplication application;
    CRecordingMessages messages;
    application.SetMessagePort(&messages);
    ASSERT_TRUE(LoadLanguageLibrary(application));
    for (const TagEntry &entry : TagTable())
        EXPECT_FALSE(LoadLabel(&application, entry.id, true).isEmpty()) << entry.id;
    for (int type = 0; type < NodeType::Count; ++type) {
        if (const unsigned id = NodeTypeInfoOf(type).labelId) {
            EXPECT_NE(LoadLabel(&application, id, true), "<error>") << type;
        }
    }
    EXPECT_TRUE(messages.shown.isEmpty()) << messages.shown.join('|').toStdString();

    const QString removal = FormatLabel(&application, StringId::MsgItemInUse, {QString("Q")});
    EXPECT_TRUE(removal.contains('Q') && !removal.contains('%')) << removal.toStdString();
    EXPECT_EQ(FormatLabel(&application, StringId::BookmarkCount, {12}).count("12"), 1);
}
