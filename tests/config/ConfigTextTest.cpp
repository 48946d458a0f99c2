#include "config/ConfigText.h"

#include <QString>

#include <gtest/gtest.h>

namespace {

QString Visible(QString text)
{
    return text.replace(u'\r', u'R').replace(u'\n', u'N');
}

} // namespace

// Every text of up to seven units from 'a', CR and LF, against the plain
// two-step replacement; the in-place moves must not overtake one another.
TEST(LineFeeds, EveryLineEndBecomesOneLineFeed)
{
    const QChar units[] = {u'a', u'\r', u'\n'};
    for (int length = 0; length <= 7; ++length) {
        int combinations = 1;
        for (int i = 0; i < length; ++i)
            combinations *= 3;
        for (int code = 0; code < combinations; ++code) {
            QString text;
            for (int i = 0, rest = code; i < length; ++i, rest /= 3)
                text += units[rest % 3];
            QString expected = text;
            expected.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(u'\r', u'\n');
            QString normalized = text;
            NormalizeLineFeeds(normalized);
            ASSERT_EQ(normalized, expected) << Visible(text).toStdString();
        }
    }

    // Long lines move over gaps that grow line by line.
    QString lines;
    for (int i = 0; i < 200; ++i)
        lines += QString(i, u'x') + (i % 3 ? QStringLiteral("\r\n") : QStringLiteral("\r"));
    QString expected = lines;
    expected.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(u'\r', u'\n');
    NormalizeLineFeeds(lines);
    EXPECT_EQ(lines, expected);

    // A text that needs nothing stays shared instead of being copied.
    QString plain(1000, u'x');
    const QString other = plain;
    NormalizeLineFeeds(plain);
    EXPECT_EQ(plain.constData(), other.constData());
}
