#include "print/TextWrap.h"

#include <algorithm>

namespace {

bool IsBlank(QChar c)
{
    return c == u' ' || c == u'\t';
}

bool IsPunctuation(QChar c)
{
    return c.isPunct() || c.isSymbol();
}

// Keeps a break from splitting a surrogate pair.
qsizetype BackOffSurrogate(QStringView text, qsizetype length)
{
    if (length > 0 && length < text.size() && text[length - 1].isHighSurrogate())
        return length - 1;
    return length;
}

// The length of the longest prefix of text that fits width. Prefixes are
// measured growing by doubling, then by bisection, so the cost follows the
// length of one line rather than of the whole remaining text.
qsizetype FittingLength(QStringView text, int width, const TextWidthFunction &widthOf)
{
    qsizetype fits = 0;
    qsizetype probe = 32;
    for (;;) {
        probe = std::min(probe, text.size());
        if (widthOf(text.first(probe)) > width)
            break;
        fits = probe;
        if (probe == text.size())
            return fits;
        probe *= 2;
    }
    qsizetype tooLong = probe;
    while (tooLong - fits > 1) {
        const qsizetype middle = fits + (tooLong - fits) / 2;
        if (widthOf(text.first(middle)) <= width)
            fits = middle;
        else
            tooLong = middle;
    }
    return BackOffSurrogate(text, fits);
}

// The start of the last run of blanks with a fitting, non-empty line before
// it; 0 when there is none. fits is shorter than text.
qsizetype BlankBreak(QStringView text, qsizetype fits)
{
    for (qsizetype i = fits; i > 0; --i) {
        if (!IsBlank(text[i]))
            continue;
        while (i > 0 && IsBlank(text[i - 1]))
            --i;
        if (i > 0)
            return i;
    }
    return 0;
}

// Just after the last punctuation character that still fits; 0 when there is
// none.
qsizetype PunctuationBreak(QStringView text, qsizetype fits)
{
    for (qsizetype i = fits; i > 0; --i) {
        if (IsPunctuation(text[i - 1]))
            return i;
    }
    return 0;
}

int WrapLine(QStringView line, int width, const TextWidthFunction &widthOf, QString &wrapped)
{
    int count = 1;
    for (;;) {
        const qsizetype fits = FittingLength(line, width, widthOf);
        if (fits >= line.size())
            break;
        qsizetype at = BlankBreak(line, fits);
        if (!at)
            at = PunctuationBreak(line, fits);
        if (!at)
            at = fits > 0 ? fits : (line.size() > 1 && line[0].isHighSurrogate() ? 2 : 1);
        if (at >= line.size())
            break;
        wrapped += line.first(at);
        wrapped += u'\n';
        ++count;
        line = line.sliced(at);
        while (!line.isEmpty() && IsBlank(line.front()))
            line = line.sliced(1);
    }
    wrapped += line;
    return count;
}

} // namespace

int WrapText(QString &text, int width, const TextWidthFunction &widthOf)
{
    QString wrapped;
    wrapped.reserve(text.size() + text.size() / 16);
    int count = 0;
    QStringView rest = text;
    for (;;) {
        const qsizetype feed = rest.indexOf(u'\n');
        count += WrapLine(feed < 0 ? rest : rest.first(feed), width, widthOf, wrapped);
        if (feed < 0)
            break;
        wrapped += u'\n';
        rest = rest.sliced(feed + 1);
    }
    text = wrapped;
    return count;
}
