#include "document/ValueEditing.h"

#include "settings/NodeTypes.h"
#include "validate/FieldLimits.h"

#include <gtest/gtest.h>

#include <ostream>

using namespace NodeType;

namespace {

// A change of a multi-line field: its text after the change, with the
// selection (start, end) the user left, and the field's measure before it.
struct TypingCase
{
    const char *name;
    int type;
    QString typed;
    qsizetype start;
    qsizetype end;
    int measureBefore;
    QString kept;
    qsizetype keptStart;
    qsizetype keptEnd;
};

// Names a row in test listings, where the bytes of its texts would differ
// from run to run.
void PrintTo(const TypingCase &row, std::ostream *os)
{
    *os << row.name;
}

QString Run(int length, char16_t c = u'a')
{
    return QString(length, c);
}

std::vector<TypingCase> TypingCases()
{
    const int signature = MaxLength(Signature);
    const int script = MaxLength(Script);
    const QString full = Run(signature);
    return {
        // A line break counts once in a signature.
        {"SignatureLineBreakFits", Signature, Run(signature - 1) + u'\n', signature, signature,
         signature - 1, Run(signature - 1) + u'\n', signature, signature},
        // Typing into a full signature drops the typed character at the caret.
        {"FullSignatureDropsTypedCharacter", Signature, full.left(10) + u'x' + full.mid(10), 11, 11,
         signature, full, 10, 10},
        // A paste beyond the limit keeps what fits of it; the selection shrinks.
        {"PasteKeepsWhatFits", Signature, Run(signature - 2) + Run(5, u'p'), signature - 2,
         signature + 3, signature - 2, Run(signature - 2) + Run(2, u'p'), signature - 2, signature},
        // With the caret beyond the limit the text is cut and the caret ends it.
        {"CaretBeyondLimitCuts", Signature, Run(signature + 3), signature + 3, signature + 3,
         signature, full, signature, signature},
        // A line break in a script counts two, as the field's CR LF.
        {"ScriptLineBreakCountsTwo", Script, Run(script - 1) + u'\n', script, script, script - 1,
         Run(script - 1), script - 1, script - 1},
        // A script already over its limit may change without growing.
        {"LongScriptMayShrink", Script, Run(script + 4), 2, 2, script + 5, Run(script + 4), 2, 2},
        {"LongScriptMayNotGrow", Script, Run(script + 6), 2, 2, script + 5, Run(script + 5), 1, 1},
    };
}

class MultilineTyping : public ::testing::TestWithParam<TypingCase>
{};

} // namespace

TEST_P(MultilineTyping, KeepsWhatFitsPreferringTheTypedText)
{
    const TypingCase &row = GetParam();
    CTypedMultiline typed{row.typed, row.start, row.end};
    const int measure = LimitTypedMultiline(row.type, typed, row.measureBefore);
    EXPECT_EQ(typed.text, row.kept);
    EXPECT_EQ(typed.start, row.keptStart);
    EXPECT_EQ(typed.end, row.keptEnd);
    EXPECT_EQ(typed.changed, row.kept != row.typed);
    EXPECT_EQ(measure, MultilineMeasure(row.type, row.kept));
}

INSTANTIATE_TEST_SUITE_P(Cases, MultilineTyping, ::testing::ValuesIn(TypingCases()),
                         [](const auto &row) { return std::string(row.param.name); });

TEST(MultilineStoredText, HasLineFeedsAndIsCutInStoredForm)
{
    const QString lines = QStringLiteral("ab\r\ncd\ref\n").repeated(MaxLength(Script));
    const QString stored = MultilineStoredText(Signature, lines);
    EXPECT_EQ(stored.size(), MaxLength(Signature));
    EXPECT_TRUE(QStringLiteral("ab\ncd\nef\n").repeated(MaxLength(Script)).startsWith(stored));
    EXPECT_EQ(MultilineStoredText(Script, lines).size(), MaxLength(Script));
}
