#include "print/PrintListing.h"

#include "print/PrintCanvas.h"
#include "print/PrintLine.h"
#include "print/PrintMeasure.h"
#include "settings/NodeTypes.h"
#include "settings/SettingNode.h"
#include "settings/TreeHelpers.h"
#include "support/EnglishTexts.h"

#include "support/QtPrinters.h"

#include <gtest/gtest.h>

#include <QStringList>

#include <set>

using namespace NodeType;

namespace {

// Every character is ten units wide; a line is fifty high.
class CFakeMeasure final : public IPrintMeasure
{
public:
    int TextWidth(QStringView text, bool) const override
    {
        return static_cast<int>(text.size()) * 10;
    }
    int LineHeight() const override { return 50; }
};

// Records what a page draws, one entry a call.
class CRecordingCanvas final : public IPrintCanvas
{
public:
    QStringList calls;

    void DrawRule(int y) override { calls.append(QStringLiteral("rule %1").arg(y)); }
    void DrawText(int x, int y, const QString &text, bool bold) override
    {
        calls.append(QStringLiteral("%1 %2 %3 %4").arg(bold ? "b" : "n").arg(x).arg(y).arg(text));
    }
    void DrawTextRightAligned(int right, int y, const QString &text) override
    {
        calls.append(QStringLiteral("right %1 %2 %3").arg(right).arg(y).arg(text));
    }
};

// A page 3000 units wide: the unit is 100, labels start at 100 plus 100 a
// level, values at 1800, everything ends at 2900.
constexpr int kPageWidth = 3000;
constexpr int kPageHeight = 7000;

class PrintListingTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(m_texts.Loaded()); }

    CSettingNode *Root() { return m_texts.Root(); }

    void Build(int range, int pageHeight = kPageHeight, CPrintListing::SelectedTest selected = {})
    {
        m_listing.Build(Root(), range, kPageWidth, pageHeight, m_measure, selected);
    }

    const std::vector<QString> &Lines() const { return m_listing.Lines(); }

    // The first line with a run of this text at x, or -1.
    int LineOf(const QString &text, int x = -1) const
    {
        for (std::size_t i = 0; i < Lines().size(); ++i) {
            for (const CPrintRun &run : ParseRuns(Lines()[i])) {
                if (run.text == text && (x < 0 || run.x == x))
                    return static_cast<int>(i);
            }
        }
        return -1;
    }

    QString Line(int index) const { return Lines().at(static_cast<std::size_t>(index)); }

    static void Include(CSettingNode *node)
    {
        for (; node && node->GetParent(); node = node->GetParent())
            node->SetIncludeFlag(1);
    }

    CEnglishTexts m_texts{true};
    CFakeMeasure m_measure;
    CPrintListing m_listing;
};

TEST_F(PrintListingTest, NothingInRangeGivesNoLinesAndNoPages)
{
    Build(PrintRange::Included);
    EXPECT_TRUE(Lines().empty());
    EXPECT_EQ(m_listing.PageCount(), 0);
    Build(PrintRange::Selected, kPageHeight, [](const CSettingNode *) { return false; });
    EXPECT_TRUE(Lines().empty());
    // Only a template: it is skipped with its whole subtree.
    Include(Path(Root(), {IAPSettings, IAPTemplate, IAPPhoneNumber}));
    Root()->FindChild(IAPSettings)->SetIncludeFlag(0);
    Build(PrintRange::Included);
    EXPECT_TRUE(Lines().empty());
}

TEST_F(PrintListingTest, LinesHoldLabelsAndValuesIndentedByDepthInTheirFonts)
{
    CSettingNode *office = AddAccessPoint(Root(), "Office");
    ASSERT_NE(office, nullptr);
    office->FindChild(PromptPassword)->SetValue("No");
    office->FindChild(IAPPhoneNumber)->SetValue("0123 456");
    Build(PrintRange::All);

    const CSettingNode *category = Root()->FindChild(IAPSettings);
    const int heading = LineOf(category->GetLabel(true));
    ASSERT_EQ(heading, 0);
    EXPECT_EQ(Line(0), "b000200" + category->GetLabel(true) + '\n');
    // A top-level row is followed by a blank line; its subtree starts below.
    EXPECT_EQ(Line(1), "n000000\n");
    EXPECT_EQ(Line(LineOf(office->GetLabel(true), 300)), "b000300" + office->GetLabel(true) + '\n');
    const CSettingNode *phone = office->FindChild(IAPPhoneNumber);
    EXPECT_EQ(Line(LineOf(phone->GetLabel(true))),
              "n000400" + phone->GetLabel(true) + "\nn0018000123 456\n");
    // The template is never printed; an empty value adds no run.
    EXPECT_EQ(LineOf(Path(Root(), {IAPSettings, IAPTemplate})->GetLabel(true)), -1);
    EXPECT_EQ(Line(LineOf(office->FindChild(IAPUsername)->GetLabel(true), 400)),
              "n000400" + office->FindChild(IAPUsername)->GetLabel(true) + '\n');
    // Passwords print as asterisks, also when empty.
    const CSettingNode *password = office->FindChild(IAPPassword);
    ASSERT_FALSE(password->IsDisabled());
    EXPECT_TRUE(Line(LineOf(password->GetLabel(true), 400)).endsWith("n001800********\n"));
    // A disabled row is left out whatever the range.
    office->FindChild(PromptPassword)->SetValue("Yes");
    ASSERT_TRUE(password->IsDisabled());
    Build(PrintRange::All);
    EXPECT_EQ(LineOf(password->GetLabel(true), 400), -1);
    // A blank line follows the subtree of a top-level row.
    const int mail = LineOf(Root()->FindChild(EMailSettings)->GetLabel(true));
    EXPECT_EQ(Line(mail - 1), "n000000\n");
    EXPECT_FALSE(IsBlankLine(Line(mail - 2)));
}

TEST_F(PrintListingTest, RangesPickIncludedOrSelectedRowsButNotTheirHeaders)
{
    CSettingNode *office = AddAccessPoint(Root(), "Office");
    CSettingNode *phone = office->FindChild(IAPPhoneNumber);
    phone->SetValue("555");
    phone->SetIncludeFlag(1);
    const QString categoryLabel = Root()->FindChild(IAPSettings)->GetLabel(true);
    Build(PrintRange::Included);
    EXPECT_EQ(LineOf(categoryLabel), -1);
    EXPECT_EQ(LineOf(office->GetLabel(true)), -1);
    ASSERT_EQ(LineOf("555", 1800), 0);
    EXPECT_EQ(Lines().size(), 1u);

    // A selected item comes with its settings (only those that apply), but
    // not with the category above it.
    Build(PrintRange::Selected, kPageHeight,
          [office](const CSettingNode *node) { return node == office; });
    EXPECT_EQ(LineOf(categoryLabel), -1);
    EXPECT_EQ(LineOf(office->GetLabel(true), 300), 0);
    EXPECT_GT(LineOf("555", 1800), 0);
    const CSettingNode *dataCall = office->FindChild(DataCall);
    EXPECT_GT(LineOf(dataCall->GetLabel(true), 400), 0);
    // The login script applies only when the script is used.
    const CSettingNode *script = Path(office, {ScriptOptions, Script});
    ASSERT_TRUE(script->IsDisabled());
    EXPECT_EQ(LineOf(script->GetLabel(true)), -1);
    EXPECT_GT(LineOf(Path(office, {ScriptOptions, UseLoginScript})->GetLabel(true)), 0);
    // A selected setting alone is just its line.
    Build(PrintRange::Selected, kPageHeight,
          [phone](const CSettingNode *node) { return node == phone; });
    ASSERT_EQ(Lines().size(), 1u);
    EXPECT_EQ(LineOf("555", 1800), 0);
}

TEST_F(PrintListingTest, WrappedTextTakesTheLinesBelowAndTheNextLabelStartsAfterTheLongest)
{
    CSettingNode *office = AddAccessPoint(Root(), "Office");
    CSettingNode *init = Path(office, {DataCall, ModemInitString});
    // 350 characters in a column of 110: four lines at the value column.
    QString longValue;
    for (int i = 0; i < 35; ++i)
        longValue += QStringLiteral("AT&F%1=1;X ").arg(i % 10);
    init->SetValue(longValue.trimmed());
    Path(office, {ScriptOptions, UseLoginScript})->SetValue("Yes");
    CSettingNode *script = Path(office, {ScriptOptions, Script});
    script->SetValue("first\tline\r\nsecond");
    Build(PrintRange::All);

    const int first = LineOf(init->GetLabel(true), 500);
    ASSERT_GE(first, 0);
    for (int i = 0; i < 4; ++i) {
        const std::vector<CPrintRun> runs = ParseRuns(Line(first + i));
        ASSERT_FALSE(runs.empty());
        EXPECT_EQ(runs.back().x, 1800) << i;
        EXPECT_LE(runs.back().text.size(), 110) << i;
    }
    EXPECT_EQ(ParseRuns(Line(first + 1)).size(), 1u);
    // The row after the data call starts below the value's last line.
    EXPECT_EQ(LineOf(Path(office, {Callback})->GetLabel(true), 400), first + 4);
    EXPECT_EQ(ParseRuns(Line(first + 4)).at(0).x, 400);

    // A multi-line text: its label, then its lines one unit further right,
    // with tabs as eight spaces and carriage returns gone.
    const int label = LineOf(script->GetLabel(true), 500);
    ASSERT_GE(label, 0);
    EXPECT_EQ(Line(label), "n000500" + script->GetLabel(true) + '\n');
    EXPECT_EQ(Line(label + 1), "n000600first        line\n");
    EXPECT_EQ(Line(label + 2), "n000600second\n");
}

TEST_F(PrintListingTest, ListsPrintTheirEntriesInColumnsAndHideBookmarkPasswords)
{
    // WWW bookmarks apply once there is an access point to use.
    AddAccessPoint(Root(), "Office");
    CSettingNode *www = Path(Root(), {PersonalData, WWWBookmarks});
    CSettingNode *bookmark = www->AddChild({}, 0, WWWBookmark);
    bookmark->CreateDefaultContent();
    bookmark->FindChild(WWWBookmarkName)->SetValue("News");
    bookmark->FindChild(WWWBookmarkURL)->SetValue("http://news.example/");
    CSettingNode *wap = Path(Root(), {PersonalData, WAPBookmarks});
    CSettingNode *wapBookmark = wap->AddChild({}, 0, WAPBookmark);
    wapBookmark->CreateDefaultContent();
    wapBookmark->FindChild(WAPBookmarkName)->SetValue("Mobile");
    wapBookmark->FindChild(WAPBookmarkURL)->SetValue("http://m.example/");
    wapBookmark->FindChild(WAPBookmarkUsername)->SetValue("ann");
    wapBookmark->FindChild(WAPBookmarkPassword)->SetValue("secret");
    // A name wider than its column wraps two spaces before the address: 88
    // characters fit between 400 and 1280.
    CSettingNode *longName = www->AddChild({}, 0, WWWBookmark);
    longName->CreateDefaultContent();
    longName->FindChild(WWWBookmarkName)->SetValue(QString(89, u'x'));
    longName->FindChild(WWWBookmarkURL)->SetValue("http://long.example/");
    CSettingNode *tones = Path(Root(), {FileTransfer, RingingTones});
    tones->AddChild("/home/ann/ring.wav", 0, RingingTone);
    Build(PrintRange::All);

    // The list's label in bold, then each entry: name one unit right of the
    // list, address ten units right of it; a blank line after the list.
    const int list = LineOf(www->GetLabel(true), 300);
    ASSERT_GE(list, 0);
    EXPECT_EQ(Line(list), "b000300" + www->GetLabel(true) + '\n');
    EXPECT_EQ(Line(list + 1), "n000400News\nn001300http://news.example/\n");
    EXPECT_EQ(Line(list + 2), "n000400" + QString(88, u'x') + "\nn001300http://long.example/\n");
    EXPECT_EQ(Line(list + 3), "n000400x\n");
    EXPECT_EQ(Line(list + 4), "n000000\n");

    const int wapList = LineOf(wap->GetLabel(true), 300);
    EXPECT_EQ(Line(wapList + 1), "n000400Mobile\nn001300http://m.example/\n");
    EXPECT_TRUE(Line(wapList + 2).startsWith("n000500WAP connection\nn001300"));
    EXPECT_EQ(Line(wapList + 3), "n000500User name\nn001300ann\n");
    EXPECT_EQ(Line(wapList + 4), "n000500Password\nn001300********\n");
    for (const QString &line : Lines())
        EXPECT_FALSE(line.contains("secret"));

    const int toneList = LineOf(tones->GetLabel(true), 300);
    EXPECT_EQ(Line(toneList + 1), "n000400/home/ann/ring.wav\n");
    // Entries have no rows of their own: they are not printed twice.
    EXPECT_EQ(LineOf("/home/ann/ring.wav"), toneList + 1);
    EXPECT_EQ(LineOf("News"), list + 1);
}

TEST_F(PrintListingTest, HeadingsNeverStandOnTheLastTwoLinesOfAPage)
{
    for (const char *name : {"Office", "Home", "Road", "Lab"})
        AddAccessPoint(Root(), name);
    int moved = 0;
    // Pages of 5 to 16 lines: the top and bottom margins take 700 units,
    // every line 60.
    for (int perPage = 5; perPage <= 16; ++perPage) {
        Build(PrintRange::All, 700 + perPage * 60);
        ASSERT_EQ(m_listing.Geometry().linesPerPage, perPage);
        for (std::size_t i = 0; i < Lines().size(); ++i) {
            const std::vector<CPrintRun> runs = ParseRuns(Lines()[i]);
            if (!runs.empty() && runs.front().bold) {
                EXPECT_LT(static_cast<int>(i % perPage), perPage - 2) << perPage << ' ' << i;
            }
        }
        for (std::size_t i = 0; i + 1 < Lines().size(); ++i) {
            const bool blank = IsBlankLine(Lines()[i]);
            if (blank && i % perPage == static_cast<std::size_t>(perPage) - 1 &&
                ParseRuns(Lines()[i + 1]).front().bold)
                ++moved;
        }
        EXPECT_EQ(m_listing.PageCount(),
                  static_cast<int>((Lines().size() + perPage - 1) / perPage));
        EXPECT_FALSE(IsBlankLine(Lines().back()));
    }
    EXPECT_GT(moved, 0);
}

TEST_F(PrintListingTest, APageDrawsItsLinesBetweenHeaderAndFooter)
{
    AddAccessPoint(Root(), "Office");
    Build(PrintRange::All, 700 + 10 * 60);
    ASSERT_EQ(m_listing.PageCount(), static_cast<int>((Lines().size() + 9) / 10));
    ASSERT_GE(m_listing.PageCount(), 3);
    const CPageTexts texts =
        CPageTexts::ForDocument(m_texts.Application(), "office.xml", "Monday, 1 June 2026");
    EXPECT_EQ(texts.viewName, "Provana");
    CRecordingCanvas canvas;
    m_listing.DrawPage(2, canvas, texts);
    // The height is 1300: rules 200 from the top and the bottom, header and
    // footer texts 66 from the top and 132 from the bottom.
    const QStringList frame = {
        "rule 200",
        "rule 1100",
        "n 200 66 Provana",
        "right 2900 66 office.xml",
        "n 200 1168 Monday, 1 June 2026",
        QStringLiteral("right 2900 1168 Page 2 of %1").arg(m_listing.PageCount())};
    EXPECT_EQ(canvas.calls.mid(0, 6), frame);
    // Lines 10 to 19, from the top of text (300) 60 apart.
    QStringList expected;
    for (int i = 10; i < 20; ++i) {
        for (const CPrintRun &run : ParseRuns(Line(i)))
            expected.append(QStringLiteral("%1 %2 %3 %4")
                                .arg(run.bold ? "b" : "n")
                                .arg(run.x)
                                .arg(300 + (i - 10) * 60)
                                .arg(run.text));
    }
    EXPECT_EQ(canvas.calls.mid(6), expected);
}

} // namespace
