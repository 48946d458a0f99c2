#include "support/TestApplication.h"

#include "settings/Labels.h"
#include "settings/NodeCatalogue.h"
#include "settings/NodeTypes.h"
#include "settings/StringIds.h"
#include "settings/TagTable.h"

#include <gtest/gtest.h>

TEST(TagTable, FirstOccurrenceOfANameWins)
{
    EXPECT_EQ(InvariantText(288), "No");
    EXPECT_EQ(InvariantText(163), "No");
    EXPECT_EQ(InvariantText(278), "");
    EXPECT_EQ(InvariantText(9999), "");
    EXPECT_EQ(TagIdForName("ConnectionName"), 238u);
    EXPECT_EQ(TagIdForName("No"), 288u);
    EXPECT_EQ(TagIdForName("connectionname"), 0u);
    EXPECT_EQ(TagIdForName(""), 205u) << "the first row's name is the empty one";
}

TEST(TagTable, EveryLabelledNodeTypeHasAnElementNameExceptTemplates)
{
    for (int type = 1; type < NodeType::Count; ++type) {
        const unsigned id = NodeTypeInfoOf(type).labelId;
        if (!id)
            continue;
        EXPECT_EQ(InvariantText(id).isEmpty(), IsTemplateType(type)) << type;
    }
}

TEST(LoadLabel, InvariantLocalizedMissingAndByTag)
{
    CTestTree tree(false);
    tree.Strings().texts[279] = "Internet access points";
    tree.Strings().texts[100] = "";
    const CApplication *app = &tree.Application();
    EXPECT_EQ(LoadLabel(app, 279, false), "IAPSettings");
    EXPECT_EQ(LoadLabel(app, 279, true), "Internet access points");
    EXPECT_EQ(LoadLabel(app, 12345, false), "");
    EXPECT_TRUE(tree.Messages().shown.isEmpty()) << "invariant lookups fail silently";

    EXPECT_EQ(LoadLabel(app, 12345, true), "<error>");
    EXPECT_EQ(LoadLabel(app, 100, true), "<error>");
    EXPECT_EQ(FindLabel(app, 100), std::nullopt);
    EXPECT_EQ(FindLabel(app, 279), "Internet access points");
    EXPECT_TRUE(tree.Messages().shown.isEmpty()) << "the user interface says what is missing";

    tree.Strings().texts[238] = "Connection name";
    EXPECT_EQ(LabelForTag(app, "ConnectionName"), "Connection name");
    EXPECT_EQ(LabelForTag(app, "connectionName"), "") << "tags compare exactly";
    tree.Strings().texts[205] = "New mailbox";
    EXPECT_EQ(LabelForTag(app, ""), "New mailbox");

    CApplication bare;
    EXPECT_EQ(LoadLabel(&bare, 279, true), "") << "no language library: empty";
    EXPECT_EQ(FindLabel(&bare, 279), "");
    EXPECT_EQ(LoadLabel(nullptr, 279, false), "IAPSettings");
}

TEST(FormatText, ConversionsInOrder)
{
    EXPECT_EQ(FormatText("%d of %d", {3, 7}), "3 of 7");
    EXPECT_EQ(FormatText("Used in %s.", {QString("WAP settings")}), "Used in WAP settings.");
    EXPECT_EQ(FormatText("100%% of %s", {QString("x")}), "100% of x");
    EXPECT_EQ(FormatText("%s and %s", {QString("a")}), "a and %s");
    EXPECT_EQ(FormatText("%s", {QString("%d")}), "%d") << "arguments are not formats";
    EXPECT_EQ(FormatText("trailing %", {}), "trailing %");
}

TEST(FormatCount, PluralFormsByTheLanguagesRule)
{
    CTestTree tree(false);
    const CApplication *app = &tree.Application();
    tree.Strings().texts[480] = "%d file|%d files";
    tree.Strings().texts[481] = "%d Datei(en) in %s";
    // Without a rule every number takes the last form.
    EXPECT_EQ(FormatCount(app, 480, 1), "1 files");
    tree.Strings().texts[StringId::PluralOne] = "1";
    EXPECT_EQ(FormatCount(app, 480, 1), "1 file");
    for (long long count : {0, 2, 11, 21, -1})
        EXPECT_EQ(FormatCount(app, 480, count), QString::number(count) + " files") << count;
    // French puts 0 with 1; a listed number is matched whole.
    tree.Strings().texts[StringId::PluralOne] = " 0 1 ";
    EXPECT_EQ(FormatCount(app, 480, 0), "0 file");
    EXPECT_EQ(FormatCount(app, 480, 10), "10 files");
    // A text with one form serves every number; more arguments follow the count.
    EXPECT_EQ(FormatCount(app, 481, 1, {QString("C:")}), "1 Datei(en) in C:");
}
