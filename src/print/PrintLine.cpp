#include "print/PrintLine.h"

#include <algorithm>

namespace {

constexpr qsizetype kDigits = 6;
constexpr int kLargestX = 999999;

} // namespace

QString FormatRun(bool bold, int x, QStringView text)
{
    QString run;
    run.reserve(text.size() + kDigits + 2);
    run += bold ? u'b' : u'n';
    run += QString::number(std::clamp(x, 0, kLargestX)).rightJustified(kDigits, u'0');
    run += text;
    run += u'\n';
    return run;
}

std::vector<CPrintRun> ParseRuns(QStringView line)
{
    std::vector<CPrintRun> runs;
    while (!line.isEmpty()) {
        qsizetype end = line.indexOf(u'\n');
        if (end < 0)
            end = line.size();
        const QStringView run = line.first(end);
        line = line.sliced(std::min(end + 1, line.size()));
        if (run.size() < 1 + kDigits || (run[0] != u'b' && run[0] != u'n'))
            continue;
        bool number = false;
        const int x = run.sliced(1, kDigits).toInt(&number);
        if (!number)
            continue;
        runs.push_back({run[0] == u'b', x, run.sliced(1 + kDigits).toString()});
    }
    return runs;
}

bool IsBlankLine(QStringView line)
{
    for (const CPrintRun &run : ParseRuns(line)) {
        if (!run.text.trimmed().isEmpty())
            return false;
    }
    return true;
}
