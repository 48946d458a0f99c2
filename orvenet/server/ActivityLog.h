#pragma once

#include <QDateTime>
#include <QString>

// One row of ProvixLog.csv per transfer.
struct ActivityRow
{
    QDateTime time;
    QString phoneName;
    QString configurationFile;
    int32_t result = 0;
    int settings = 0;
    int files = 0;
};

// $TALVIK_ACTIVITY_LOG, or else ProvixLog.csv beside the server or in the
// user's data folder (ActivityLogPathBeside).
QString ActivityLogPath();

// The row as CSV, ending in CR LF; the file starts with a header row.
QByteArray FormatActivityRow(const ActivityRow &row);
extern const char kActivityLogHeader[];

// Appends the row under an exclusive lock, writing the header first into an
// empty file, so that rows of transfers that end at once never mix.
bool AppendActivityRow(const QString &path, const ActivityRow &row);
