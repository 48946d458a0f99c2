#include "support/TestApplication.h"

#include "platform/LanguageLibrary.h"
#include "platform/ProgramFolder.h"
#include "settings/Labels.h"
#include "settings/NodeCatalogue.h"
#include "settings/NodeTypes.h"
#include "settings/StringIds.h"
#include "settings/TagTable.h"

#include <QFileInfo>

#include <gtest/gtest.h>

namespace {

// An application whose language library is the test module.
struct CTestLanguage
{
    CApplication application;
    CRecordingMessages messages;

    CTestLanguage()
    {
        application.SetMessagePort(&messages);
        application.SetLanguageLibrary(
            CLanguageLibrary::Open(ProgramFolder() + "ProvixLangTest.so"));
    }
};

} // namespace

TEST(ProgramFolder, IsTheFolderOfThisBinaryWithSeparator)
{
    const QString folder = ProgramFolder();
    EXPECT_TRUE(folder.endsWith('/'));
    EXPECT_TRUE(QFileInfo(folder + "platform_tests").exists()) << folder.toStdString();
}

TEST(LanguageModule, BufferLimitKeeps2047Units)
{
    CTestLanguage language;
    ASSERT_NE(language.application.GetLanguageLibrary(), nullptr);
    const CApplication *app = &language.application;
    EXPECT_EQ(LoadLabel(app, 1, true), QString(2047, 'a'));
    EXPECT_EQ(LoadLabel(app, 2, true), QString(2047, 'b'));
    EXPECT_EQ(LoadLabel(app, 3, true), QString(2047, 'c'));
    EXPECT_EQ(LoadLabel(app, 5, true), QString::fromUtf8("Stra\xc3\x9f"
                                                         "e \xf0\x9f\x98\x80"));
    EXPECT_TRUE(language.messages.shown.isEmpty());
    EXPECT_EQ(LoadLabel(app, 4, true), "<error>");
    EXPECT_EQ(LoadLabel(app, 6, true), "<error>");
    EXPECT_EQ(language.messages.shown.size(), 2);
}

TEST(LanguageModule, LoadStringSemanticsAtTheEdges)
{
    auto library = CLanguageLibrary::Open(ProgramFolder() + "ProvixLangTest.so");
    ASSERT_NE(library, nullptr);
    char16_t buffer[8] = {u'x', u'x', u'x', u'x', u'x', u'x', u'x', u'x'};
    EXPECT_EQ(library->LoadString(1, buffer, 4), 3);
    EXPECT_EQ(buffer[3], u'\0');
    EXPECT_EQ(library->LoadString(1, buffer, 1), 0);
    EXPECT_EQ(buffer[0], u'\0');
    EXPECT_EQ(library->LoadString(1, buffer, 0), 0);
    EXPECT_EQ(library->LoadString(99, buffer, 8), 0);
    EXPECT_TRUE(library->LoadImage(1).isEmpty());
    EXPECT_EQ(CLanguageLibrary::Open(ProgramFolder() + "NoSuchLang.so"), nullptr);
    EXPECT_EQ(CLanguageLibrary::Open(ProgramFolder() + "platform_tests"), nullptr);
}

TEST(EnglishLibrary, LoadsFromProgramFolderAndHasEveryLabel)
{
    CApplication application;
    CRecordingMessages messages;
    application.SetMessagePort(&messages);
    ASSERT_TRUE(LoadLanguageLibrary(application));
    const CApplication *app = &application;
    EXPECT_EQ(LoadLabel(app, StringId::PhoneLanguage, true), "1");
    EXPECT_EQ(LoadLabel(app, StringId::ViewName, true), "Provana");
    for (const TagEntry &entry : TagTable())
        EXPECT_FALSE(LoadLabel(app, entry.id, true).isEmpty()) << entry.id;
    for (int type = 0; type < NodeType::Count; ++type) {
        if (const unsigned id = NodeTypeInfoOf(type).labelId) {
            EXPECT_NE(LoadLabel(app, id, true), "<error>") << type;
        }
    }
    EXPECT_TRUE(messages.shown.isEmpty()) << messages.shown.join('|').toStdString();
}

TEST(EnglishLibrary, FormatsTakeTheirArguments)
{
    CApplication application;
    ASSERT_TRUE(LoadLanguageLibrary(application));
    const QString removal = FormatLabel(&application, StringId::MsgItemInUse, {QString("Q")});
    EXPECT_TRUE(removal.contains('Q'));
    EXPECT_FALSE(removal.contains('%'));
    EXPECT_EQ(FormatLabel(&application, StringId::BookmarkCount, {12}).count("12"), 1);
}
