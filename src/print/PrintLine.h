#pragma once

#include <QString>
#include <QStringView>

#include <vector>

// One piece of text on a listing line, in one font at one position.
struct CPrintRun
{
    bool bold = false;
    int x = 0;
    QString text;
};

// A listing line is stored as text: each run as its font code ("b" bold, "n"
// normal), its x as six digits, its text and a line feed.
QString FormatRun(bool bold, int x, QStringView text);
// The runs of a stored line; text that does not follow the format is skipped.
std::vector<CPrintRun> ParseRuns(QStringView line);
// The runs' texts hold nothing but white space.
bool IsBlankLine(QStringView line);
