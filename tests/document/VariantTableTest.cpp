#include "document/VariantTable.h"
#include "document/VariantMaker.h"
#include "settings/NodeTypes.h"
#include "settings/SettingNode.h"
#include "support/TestApplication.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

CVariantTable Parse(const char *text, bool tabs = false)
{
    const std::optional<CVariantTable> table = ParseVariantTable(QByteArray(text), tabs);
    EXPECT_TRUE(table.has_value()) << text;
    return table.value_or(CVariantTable());
}

QStringList List(std::initializer_list<const char16_t *> fields)
{
    QStringList list;
    for (const char16_t *field : fields)
        list.append(QString::fromUtf16(field));
    return list;
}

TEST(VariantTableTest, QuotedFieldsHoldSeparatorsQuotesAndLineBreaks)
{
    const CVariantTable table = Parse("file,Name\n"
                                      "\"a,b\",\"say \"\"hi\"\"\"\n"
                                      "two,\"line one\nline two\"\n"
                                      "\"\",x\n");
    EXPECT_EQ(table.header, List({u"file", u"Name"}));
    ASSERT_EQ(table.rows.size(), 3u);
    EXPECT_EQ(table.rows[0], List({u"a,b", u"say \"hi\""}));
    EXPECT_EQ(table.rows[1], List({u"two", u"line one\nline two"}));
    EXPECT_EQ(table.rows[2], List({u"", u"x"}));
}

TEST(VariantTableTest, QuotesInsideUnquotedTextStayAsTheyAre)
{
    const CVariantTable table = Parse("a,b\nsay \"hi\",\"x\"y\n");
    ASSERT_EQ(table.rows.size(), 1u);
    EXPECT_EQ(table.rows[0], List({u"say \"hi\"", u"xy"}));
}

TEST(VariantTableTest, TheHeaderRowChoosesTheSeparator)
{
    const CVariantTable semicolons = Parse("a;b\n1,5;2\n");
    EXPECT_EQ(semicolons.header, List({u"a", u"b"}));
    EXPECT_EQ(semicolons.rows[0], List({u"1,5", u"2"}));

    // Separators inside a quoted header name do not count.
    const CVariantTable commas = Parse("\"x;y;z\",b\n1;2,3\n");
    EXPECT_EQ(commas.header, List({u"x;y;z", u"b"}));
    EXPECT_EQ(commas.rows[0], List({u"1;2", u"3"}));

    const CVariantTable tie = Parse("a,b;c\n");
    EXPECT_EQ(tie.header, List({u"a", u"b;c"}));

    const CVariantTable tabs = Parse("a\tb,c;d\n1\t2\n", true);
    EXPECT_EQ(tabs.header, List({u"a", u"b,c;d"}));
    EXPECT_EQ(tabs.rows[0], List({u"1", u"2"}));
}

TEST(VariantTableTest, LineEndsBlankLinesAndTheLastLine)
{
    const CVariantTable table = Parse("a,b\r\n1,2\r\n\r\n\n3,\"4\r\n5\"\r\n,\n6");
    ASSERT_EQ(table.rows.size(), 4u);
    EXPECT_EQ(table.header, List({u"a", u"b"}));
    EXPECT_EQ(table.rows[0], List({u"1", u"2"}));
    EXPECT_EQ(table.rows[1], List({u"3", u"4\r\n5"}));
    // A line of empty cells is still a row; the last line needs no line end.
    EXPECT_EQ(table.rows[2], List({u"", u""}));
    EXPECT_EQ(table.rows[3], List({u"6"}));
}

TEST(VariantTableTest, Utf8WithOrWithoutByteOrderMark)
{
    const CVariantTable plain = Parse("Name\nJos\xC3\xA9\n");
    const CVariantTable marked = Parse("\xEF\xBB\xBFName\nJos\xC3\xA9\n");
    EXPECT_EQ(plain.header, List({u"Name"}));
    EXPECT_EQ(marked.header, List({u"Name"}));
    EXPECT_EQ(plain.rows[0], List({u"Jos\u00E9"}));
    EXPECT_EQ(marked.rows[0], plain.rows[0]);
    // Only the first mark is one.
    EXPECT_EQ(Parse("\xEF\xBB\xBF\xEF\xBB\xBFN\n").header, List({u"\uFEFFN"}));
}

TEST(VariantTableTest, UnreadableTables)
{
    EXPECT_FALSE(ParseVariantTable(QByteArray("a,b\n\"open,2\n"), false));
    EXPECT_FALSE(ParseVariantTable(QByteArray("a\nJos\xE9\n"), false));
    EXPECT_FALSE(ParseVariantTable(QByteArray(""), false));
    EXPECT_FALSE(ParseVariantTable(QByteArray("\xEF\xBB\xBF\n\n"), false));
}

// Trying a row says what making it would, writes nothing and claims its
// file as making does; a new table starts with every file free again.
TEST(VariantMakerTest, TryingARowSaysWhatMakingItWouldWithoutWriting)
{
    using Outcome = CVariantMaker::CRowOutcome;
    CTestTree test(false);
    CSettingsDocument document(&test.Application());
    document.Reset();
    document.EditValue(
        document.GetRoot()->FindDescendant(
            {NodeType::IAPSettings, NodeType::IAPTemplate, NodeType::IAPConnectionName}),
        QStringLiteral("Office"));
    CVariantMaker maker(&test.Application());
    maker.SetTemplate(document);
    const CVariantTable table =
        Parse("file,IAPSettings/IAPConnection[Office]/Proxies/HTTPUseProxy\n"
              "a,Yes\nb,Maybe\na,No\nx/y,Yes\nc,No,extra\n,No\n");
    const std::vector<Outcome::Result> expected = {Outcome::Written,    Outcome::Refused,
                                                   Outcome::SameName,   Outcome::BadName,
                                                   Outcome::ExtraCells, Outcome::Written};
    QTemporaryDir folder;
    for (const bool make : {false, true}) {
        maker.ForgetFiles();
        for (int row = 0; row < int(expected.size()); ++row) {
            const Outcome outcome = make ? maker.MakeRow(table, row, folder.path(), false, false)
                                         : maker.TryRow(table, row, folder.path(), false);
            EXPECT_EQ(outcome.result, expected[size_t(row)]) << make << " row " << row;
        }
        EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files),
                  make ? QStringList({"6.xml", "a.xml"}) : QStringList());
    }
    EXPECT_EQ(maker.TryRow(table, 1, folder.path(), false).column,
              "IAPSettings/IAPConnection[Office]/Proxies/HTTPUseProxy");
    EXPECT_EQ(CVariantMaker::OutputName(table, 5), "6.xml");

    const CVariantTable next = Parse("file\nc\na\n");
    EXPECT_EQ(maker.MakeRow(next, 1, folder.path(), false, false).result, Outcome::SameName);
    maker.ForgetFiles();
    EXPECT_EQ(maker.MakeRow(next, 1, folder.path(), false, false).result, Outcome::Exists);
}

} // namespace
