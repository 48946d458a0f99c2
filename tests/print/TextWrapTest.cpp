#include "print/TextWrap.h"

#include "support/QtPrinters.h"

#include <gtest/gtest.h>

namespace {

// Every character is one unit wide.
int Characters(QStringView text)
{
    return static_cast<int>(text.size());
}

QString Wrapped(QString text, int width, int *count = nullptr)
{
    const int lines = WrapText(text, width, Characters);
    if (count)
        *count = lines;
    return text;
}

TEST(TextWrapTest, BreaksAtBlanksThenPunctuationThenTheLongestFittingPrefix)
{
    int count = 0;
    // The last run of blanks that leaves a fitting line wins; the blanks go.
    EXPECT_EQ(Wrapped("one two  \tthree four", 12, &count), "one two\nthree four");
    EXPECT_EQ(count, 2);
    EXPECT_EQ(Wrapped("aaa bbb ccc ddd", 7), "aaa bbb\nccc ddd");
    // Text that fits stays as it is, line feeds included.
    EXPECT_EQ(Wrapped("short\nlines", 5, &count), "short\nlines");
    EXPECT_EQ(count, 2);
    // Leading blanks are not a break: the line before them would be empty.
    EXPECT_EQ(Wrapped("   abcdefgh", 6), "   abc\ndefgh");
    // Without a fitting blank, after the last fitting punctuation character.
    EXPECT_EQ(Wrapped("http://host.example/path", 14), "http://host.\nexample/path");
    EXPECT_EQ(Wrapped("ab,cdefgh ijk", 6), "ab,\ncdefgh\nijk");
    // Neither: the longest prefix that fits.
    EXPECT_EQ(Wrapped("abcdefghij", 4, &count), "abcd\nefgh\nij");
    EXPECT_EQ(count, 3);
    // Each part around a line feed is wrapped on its own.
    EXPECT_EQ(Wrapped("abc def\nghi jkl", 4, &count), "abc\ndef\nghi\njkl");
    EXPECT_EQ(count, 4);
}

TEST(TextWrapTest, EndsWhenNotEvenOneCharacterFits)
{
    int count = 0;
    EXPECT_EQ(Wrapped("abc", 0, &count), "a\nb\nc");
    EXPECT_EQ(count, 3);
    EXPECT_EQ(Wrapped("ab cd", -5), "a\nb\nc\nd");
    // A surrogate pair stays whole.
    const QString clef = QString::fromUtf16(u"\U0001D11E\U0001D11E");
    EXPECT_EQ(Wrapped(clef, 0), clef.left(2) + u'\n' + clef.mid(2));
}

TEST(TextWrapTest, LongTextsAreMeasuredAboutOnceNotOncePerBreak)
{
    QString text;
    for (int i = 0; i < 4000; ++i)
        text += QStringLiteral("word ");
    qint64 measured = 0;
    QString wrapped = text;
    const int lines = WrapText(wrapped, 100, [&measured](QStringView piece) {
        measured += piece.size();
        return static_cast<int>(piece.size());
    });
    EXPECT_EQ(lines, 200);
    EXPECT_EQ(wrapped.count(u'\n'), 199);
    // Measuring the whole remaining text at every break would come to about
    // two million characters here.
    EXPECT_LT(measured, 20 * text.size());
}

} // namespace
