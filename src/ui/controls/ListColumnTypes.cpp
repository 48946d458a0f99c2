#include "ui/controls/ListColumnTypes.h"

#include <QDateTime>

#include <algorithm>
#include <limits>
#include <numeric>

namespace {

// Two-digit years below this mean 20xx, the others 19xx.
constexpr int kTwoDigitYearPivot = 30;
constexpr int kCentury = 100;
constexpr int kTwoDigitYearBase = 1900; // what the locale makes of them
// The day a bare time belongs to when compared with dates.
constexpr int kDayZeroYear = 1899;
constexpr int kDayZeroMonth = 12;
constexpr int kDayZeroDay = 30;

bool IsFormatLetter(QChar c)
{
    return c.isLetter();
}

// Walks a format's runs of one letter, quoted literals and other characters,
// handing each letter run to edit, which returns its replacement.
template<typename Edit>
QString EditLetterRuns(const QString &format, Edit edit)
{
    QString result;
    for (qsizetype i = 0; i < format.size();) {
        const QChar c = format.at(i);
        if (c == u'\'') {
            const qsizetype end = format.indexOf(u'\'', i + 1);
            const qsizetype stop = end < 0 ? format.size() : end + 1;
            result += format.mid(i, stop - i);
            i = stop;
        } else if (IsFormatLetter(c)) {
            qsizetype end = i;
            while (end < format.size() && format.at(end) == c)
                ++end;
            result += edit(c, end - i, format.mid(i, end - i));
            i = end;
        } else {
            result += c;
            ++i;
        }
    }
    return result.simplified();
}

// Day, month and hour fields read one or two digits.
QString WithoutLeadingZeros(const QString &format)
{
    return EditLetterRuns(format, [](QChar c, qsizetype length, const QString &run) {
        const bool numeric = c == u'd' || c == u'M' || c == u'h' || c == u'H';
        return numeric && length == 2 ? QString(c) : run;
    });
}

QString WithFourDigitYear(const QString &format)
{
    return EditLetterRuns(format, [](QChar c, qsizetype length, const QString &run) {
        return c == u'y' && length == 2 ? QStringLiteral("yyyy") : run;
    });
}

// Long time forms end in a time zone, which cell texts do not carry.
QString WithoutTimeZone(const QString &format)
{
    return EditLetterRuns(
        format, [](QChar c, qsizetype, const QString &run) { return c == u't' ? QString() : run; });
}

QString WithSeconds(const QString &format)
{
    if (format.contains(u's'))
        return format;
    QString result = format;
    const qsizetype minutes = result.indexOf(QStringLiteral("mm"));
    return minutes < 0 ? result : result.insert(minutes + 2, QStringLiteral(":ss"));
}

bool HasTwoDigitYear(const QString &format)
{
    bool found = false;
    EditLetterRuns(format, [&found](QChar c, qsizetype length, const QString &run) {
        found = found || (c == u'y' && length == 2);
        return run;
    });
    return found;
}

void AddDistinct(QStringList &formats, const QString &format)
{
    if (!format.isEmpty() && !formats.contains(format))
        formats.append(format);
}

qint64 LeadingInteger(const QString &text)
{
    qsizetype i = 0;
    while (i < text.size() && text.at(i).isSpace())
        ++i;
    bool negative = false;
    if (i < text.size() && (text.at(i) == u'-' || text.at(i) == u'+'))
        negative = text.at(i++) == u'-';
    constexpr qint64 kLimit = std::numeric_limits<qint64>::max() / 10 - 1;
    qint64 value = 0;
    for (; i < text.size() && text.at(i) >= u'0' && text.at(i) <= u'9'; ++i) {
        if (value < kLimit)
            value = value * 10 + (text.at(i).unicode() - u'0');
    }
    return negative ? -value : value;
}

// The longest leading decimal number with an optional exponent; 0 when there
// is none. The point is always '.', whatever the locale.
double LeadingNumber(const QString &text)
{
    const auto isDigit = [&text](qsizetype i) {
        return i < text.size() && text.at(i) >= u'0' && text.at(i) <= u'9';
    };
    qsizetype start = 0;
    while (start < text.size() && text.at(start).isSpace())
        ++start;
    qsizetype i = start;
    if (i < text.size() && (text.at(i) == u'-' || text.at(i) == u'+'))
        ++i;
    const qsizetype digitsStart = i;
    while (isDigit(i))
        ++i;
    if (i < text.size() && text.at(i) == u'.') {
        ++i;
        while (isDigit(i))
            ++i;
    }
    if (i == digitsStart || (i == digitsStart + 1 && text.at(digitsStart) == u'.'))
        return 0;
    if (i < text.size() && (text.at(i) == u'e' || text.at(i) == u'E')) {
        qsizetype exponent = i + 1;
        if (exponent < text.size() && (text.at(exponent) == u'-' || text.at(exponent) == u'+'))
            ++exponent;
        if (isDigit(exponent)) {
            i = exponent;
            while (isDigit(i))
                ++i;
        }
    }
    return QStringView(text).mid(start, i - start).toDouble();
}

template<typename T>
int Order(const T &first, const T &second)
{
    return (second < first) - (first < second);
}

} // namespace

CListColumnTypes::CListColumnTypes(const QLocale &locale)
    : m_locale(locale)
{
    QStringList dates;
    for (const auto form : {QLocale::ShortFormat, QLocale::LongFormat}) {
        const QString date = WithoutLeadingZeros(m_locale.dateFormat(form));
        AddDistinct(dates, date);
        if (HasTwoDigitYear(date))
            AddDistinct(dates, WithFourDigitYear(date));
    }
    QStringList times;
    const QString shortTime = WithoutLeadingZeros(m_locale.timeFormat(QLocale::ShortFormat));
    AddDistinct(times, shortTime);
    AddDistinct(times, WithSeconds(shortTime));
    AddDistinct(times,
                WithoutLeadingZeros(WithoutTimeZone(m_locale.timeFormat(QLocale::LongFormat))));

    QStringList dateTimes;
    for (const auto form : {QLocale::ShortFormat, QLocale::LongFormat})
        AddDistinct(dateTimes, WithoutLeadingZeros(WithoutTimeZone(m_locale.dateTimeFormat(form))));
    for (const QString &date : dates) {
        for (const QString &time : times)
            AddDistinct(dateTimes, date + u' ' + time);
    }

    for (const QString &format : dateTimes)
        m_forms.push_back(MakeForm(format, Parts::DateAndTime));
    for (const QString &format : dates)
        m_forms.push_back(MakeForm(format, Parts::Date));
    for (const QString &format : times)
        m_forms.push_back(MakeForm(format, Parts::Time));
}

CListColumnTypes::Form CListColumnTypes::MakeForm(const QString &format, Parts parts)
{
    Form form{format, {}, parts, HasTwoDigitYear(format)};
    bool quoted = false;
    for (const QChar c : format) {
        if (c == u'\'')
            quoted = !quoted;
        else if (!quoted && !IsFormatLetter(c) && !c.isSpace() && !form.separators.contains(c))
            form.separators += c;
    }
    return form;
}

bool CListColumnTypes::ReadDateTime(const QString &text, QDate &date, QTime &time) const
{
    date = QDate();
    time = QTime();
    const QString trimmed = text.trimmed();
    if (std::none_of(trimmed.cbegin(), trimmed.cend(), [](QChar c) { return c.isDigit(); }))
        return false;
    for (const Form &form : m_forms) {
        // Parsing is slow; a form whose separators the text lacks cannot fit.
        if (std::any_of(form.separators.cbegin(), form.separators.cend(),
                        [&trimmed](QChar c) { return !trimmed.contains(c); }))
            continue;
        QDate readDate;
        QTime readTime;
        switch (form.parts) {
        case Parts::DateAndTime: {
            const QDateTime both = m_locale.toDateTime(trimmed, form.format);
            readDate = both.date();
            readTime = both.time();
            break;
        }
        case Parts::Date:
            readDate = m_locale.toDate(trimmed, form.format);
            break;
        case Parts::Time:
            readTime = m_locale.toTime(trimmed, form.format);
            break;
        }
        if ((form.parts != Parts::Time && !readDate.isValid()) ||
            (form.parts != Parts::Date && !readTime.isValid()))
            continue;
        if (form.twoDigitYear && readDate.year() < kTwoDigitYearBase + kTwoDigitYearPivot)
            readDate = readDate.addYears(kCentury);
        date = readDate;
        time = readTime;
        return true;
    }
    return false;
}

CListColumnTypes::Key CListColumnTypes::MakeKey(int type, const QString &text) const
{
    Key key;
    switch (type) {
    case Integer:
        key.integer = LeadingInteger(text);
        break;
    case Float:
        key.number = LeadingNumber(text);
        break;
    case DateTime:
    case DateTimeParts:
        key.readable = ReadDateTime(text, key.date, key.time);
        break;
    case Unordered:
        break;
    default:
        key.text = text;
        break;
    }
    return key;
}

int CListColumnTypes::CompareKeys(int type, const Key &first, const Key &second)
{
    switch (type) {
    case TextNoCase:
        return Order(QString::compare(first.text, second.text, Qt::CaseInsensitive), 0);
    case Integer:
        return Order(first.integer, second.integer);
    case DateTime: {
        if (!first.readable || !second.readable)
            return 0;
        const auto day = [](const Key &key) {
            return key.date.isValid()
                       ? key.date.toJulianDay()
                       : QDate(kDayZeroYear, kDayZeroMonth, kDayZeroDay).toJulianDay();
        };
        const auto msecs = [](const Key &key) {
            return key.time.isValid() ? key.time.msecsSinceStartOfDay() : 0;
        };
        const int byDay = Order(day(first), day(second));
        return byDay != 0 ? byDay : Order(msecs(first), msecs(second));
    }
    case Unordered:
        return 0;
    case Float:
        return first.number < second.number ? -1 : 1;
    case DateTimeParts: {
        if (!first.readable || !second.readable)
            return 0;
        int result = 0;
        if (first.date.isValid() && second.date.isValid())
            result = Order(first.date.toJulianDay(), second.date.toJulianDay());
        if (result == 0 && first.time.isValid() && second.time.isValid())
            result = Order(first.time.msecsSinceStartOfDay(), second.time.msecsSinceStartOfDay());
        return result;
    }
    default:
        return Order(QString::compare(first.text, second.text, Qt::CaseSensitive), 0);
    }
}

int CListColumnTypes::Compare(int type, const QString &first, const QString &second) const
{
    return CompareKeys(type, MakeKey(type, first), MakeKey(type, second));
}

std::vector<int> CListColumnTypes::SortedOrder(int type, const QStringList &texts,
                                               bool descending) const
{
    const int count = static_cast<int>(texts.size());
    std::vector<int> order(count);
    std::iota(order.begin(), order.end(), 0);
    if (type == Unordered)
        return order;

    std::vector<Key> keys;
    keys.reserve(count);
    for (const QString &text : texts)
        keys.push_back(MakeKey(type, text));
    const int sign = descending ? -1 : 1;
    const auto rightFirst = [&](int right, int left) {
        return sign * CompareKeys(type, keys[right], keys[left]) < 0;
    };

    std::vector<int> merged(count);
    for (int width = 1; width < count; width *= 2) {
        for (int low = 0; low < count; low += 2 * width) {
            const int middle = std::min(low + width, count);
            const int high = std::min(low + 2 * width, count);
            int left = low;
            int right = middle;
            int out = low;
            while (left < middle && right < high)
                merged[out++] =
                    rightFirst(order[right], order[left]) ? order[right++] : order[left++];
            while (left < middle)
                merged[out++] = order[left++];
            while (right < high)
                merged[out++] = order[right++];
        }
        order.swap(merged);
    }
    return order;
}
