#pragma once

#include <QDate>
#include <QDateTime>
#include <QLocale>
#include <QString>
#include <QStringList>
#include <QTime>

#include <vector>

// How the cells of a list column compare when the list is sorted by it. The
// texts are read once into keys, so that a sort parses every cell only once.
//
// Dates and times are read in the given locale: date and time together, then
// a date alone, then a time alone, each in the locale's short and long forms
// (digits may be written without leading zeros, a two-digit-year form also
// takes four digits, and two-digit years 00 to 29 mean 2000 to 2029).
//
// Type DateTime compares a date alone as its midnight and a time alone as that
// time on day zero (30 December 1899), so bare times come before every date.
// Type DateTimeParts compares only the parts both values carry: a date alone
// against a date and time compares the days, a time alone against a date and
// time compares the times of day, and a date alone against a time alone has
// nothing in common and counts as equal.
class CListColumnTypes
{
public:
    enum Type : int {
        Text = 0,         // case-sensitive, by UTF-16 code units
        TextNoCase = 1,   // ignoring case
        Integer = 2,      // the leading decimal integer; none reads as 0
        DateTime = 3,     // unreadable values count as equal to anything
        Unordered = 4,    // always equal: the rows keep their order
        Float = 5,        // the leading decimal number; never reported as equal
        DateTimeParts = 6 // as DateTime, but see above for values with one part
    };
    static constexpr int kHighestType = DateTimeParts;

    struct Key
    {
        QString text;
        qint64 integer = 0;
        double number = 0;
        QDate date; // invalid when the value carries no date
        QTime time; // invalid when the value carries no time
        bool readable = false;
    };

    explicit CListColumnTypes(const QLocale &locale = QLocale::system());

    static bool IsValidType(int type) { return type >= 0 && type <= kHighestType; }

    Key MakeKey(int type, const QString &text) const;
    // Negative, zero or positive as the first key sorts before, with or after
    // the second.
    static int CompareKeys(int type, const Key &first, const Key &second);
    int Compare(int type, const QString &first, const QString &second) const;

    // The rows in sorted order, as indexes into texts. A stable merge that takes
    // a row of the right half before one of the left half only when the
    // comparison (negated when descending) says it is smaller, so equal rows
    // keep their order and a comparison that is not a strict order (types 3, 5
    // and 6) still gives a well-defined result.
    std::vector<int> SortedOrder(int type, const QStringList &texts, bool descending) const;

    // Reads a date and time in the locale; false when no form fits.
    bool ReadDateTime(const QString &text, QDate &date, QTime &time) const;

private:
    enum class Parts { DateAndTime, Date, Time };
    struct Form
    {
        QString format;
        QString separators; // every one must occur in a text the form can read
        Parts parts = Parts::DateAndTime;
        bool twoDigitYear = false;
    };

    static Form MakeForm(const QString &format, Parts parts);

    QLocale m_locale;
    // Date and time together first, then a date alone, then a time alone.
    std::vector<Form> m_forms;
};
