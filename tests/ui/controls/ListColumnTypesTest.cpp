#include "ui/controls/ListColumnTypes.h"

#include <gtest/gtest.h>

namespace {

using Type = CListColumnTypes::Type;

const QLocale kUnitedStates(QLocale::English, QLocale::UnitedStates);
const QLocale kGermany(QLocale::German, QLocale::Germany);

struct Comparison
{
    const char *first;
    const char *second;
    int expected; // sign of Compare(first, second)
};

void ExpectComparisons(const CListColumnTypes &types, int type,
                       std::initializer_list<Comparison> cases)
{
    for (const Comparison &c : cases) {
        const int result =
            types.Compare(type, QString::fromUtf8(c.first), QString::fromUtf8(c.second));
        EXPECT_EQ((result > 0) - (result < 0), c.expected)
            << "type " << type << ": \"" << c.first << "\" against \"" << c.second << "\"";
    }
}

std::vector<int> Sorted(const CListColumnTypes &types, int type, const QStringList &texts,
                        bool descending = false)
{
    return types.SortedOrder(type, texts, descending);
}

} // namespace

TEST(ListColumnTypes, TextIntegerAndFloatColumnsCompareByTheirRules)
{
    const CListColumnTypes types(kUnitedStates);
    ExpectComparisons(types, Type::Text,
                      {{"a", "B", 1}, {"B", "a", -1}, {"abc", "abc", 0}, {"ab", "abc", -1}});
    ExpectComparisons(types, Type::TextNoCase,
                      {{"a", "B", -1}, {"ABC", "abc", 0}, {"Zeta", "alpha", 1}});
    ExpectComparisons(types, Type::Integer,
                      {{"10 files", "9", 1},
                       {"-3", "2", -1},
                       {"  42", "+42", 0},
                       {"abc", "0", 0},
                       {"007", "7x", 0},
                       {"99999999999999999999", "1", 1}});
    // A float is never reported equal: the first counts as not smaller.
    ExpectComparisons(types, Type::Float,
                      {{"2.5", "2.25", 1},
                       {"1e3", "999", 1},
                       {"-0.5", "0.25", -1},
                       {"3.5 kg", "3.25 kg", 1},
                       {"1.0", "1", 1},
                       {"1", "1.0", 1},
                       {"none", "0.1", -1}});
    ExpectComparisons(types, Type::Unordered, {{"a", "b", 0}, {"2", "1", 0}});
}

TEST(ListColumnTypes, DatesAndTimesReadInTheLocaleShortAndLongForms)
{
    const CListColumnTypes us(kUnitedStates);
    const struct
    {
        const char *text;
        QDate date;
        QTime time;
    } readings[] = {
        {"1/5/24", QDate(2024, 1, 5), QTime()},
        {"12/31/99", QDate(1999, 12, 31), QTime()},
        {"01/05/2024", QDate(2024, 1, 5), QTime()},
        {"Friday, January 5, 2024", QDate(2024, 1, 5), QTime()},
        {"1/5/24 2:05 PM", QDate(2024, 1, 5), QTime(14, 5)},
        {"1/5/2024 2:05:09 PM", QDate(2024, 1, 5), QTime(14, 5, 9)},
        {" 2:05 PM ", QDate(), QTime(14, 5)},
    };
    for (const auto &reading : readings) {
        QDate date;
        QTime time;
        EXPECT_TRUE(us.ReadDateTime(reading.text, date, time)) << reading.text;
        EXPECT_EQ(date, reading.date) << reading.text;
        EXPECT_EQ(time, reading.time) << reading.text;
    }
    QDate date;
    QTime time;
    for (const char *unreadable : {"", "yesterday", "13/45/24", "5.1.2024"})
        EXPECT_FALSE(us.ReadDateTime(unreadable, date, time)) << unreadable;

    const CListColumnTypes de(kGermany);
    EXPECT_TRUE(de.ReadDateTime("5.1.2024 14:30", date, time));
    EXPECT_EQ(date, QDate(2024, 1, 5));
    EXPECT_EQ(time, QTime(14, 30));
    EXPECT_FALSE(de.ReadDateTime("1/5/24", date, time));
}

TEST(ListColumnTypes, DateTimeTypesOrderValuesWithOnePartDifferently)
{
    const CListColumnTypes types(kUnitedStates);
    const std::initializer_list<Comparison> common = {
        {"1/5/24", "12/31/99", 1},
        {"1/5/24 9:00 AM", "1/5/24 2:00 PM", -1},
        {"1/5/24 2:00 PM", "1/5/24 2:00 PM", 0},
        {"not a date", "1/5/24", 0},
        {"1/5/24", "garbage", 0},
    };
    ExpectComparisons(types, Type::DateTime, common);
    ExpectComparisons(types, Type::DateTimeParts, common);

    // A date alone is its midnight, a time alone a time on day zero.
    ExpectComparisons(types, Type::DateTime,
                      {{"1/5/24", "1/5/24 3:00 PM", -1},
                       {"1/6/24", "1/5/24 3:00 PM", 1},
                       {"4:00 PM", "1/1/24 3:00 PM", -1},
                       {"4:00 PM", "1/1/24", -1},
                       {"4:00 PM", "3:00 PM", 1}});
    // Only the parts both values carry count.
    ExpectComparisons(types, Type::DateTimeParts,
                      {{"1/5/24", "1/5/24 3:00 PM", 0},
                       {"1/6/24", "1/5/24 3:00 PM", 1},
                       {"4:00 PM", "1/1/24 3:00 PM", 1},
                       {"2:00 PM", "1/1/24 3:00 PM", -1},
                       {"4:00 PM", "1/1/24", 0},
                       {"4:00 PM", "3:00 PM", 1}});
}

TEST(ListColumnTypes, SortedOrderIsStableAndReversedWhenDescending)
{
    const CListColumnTypes types(kUnitedStates);
    const QStringList names = {"beta", "Alpha", "alpha", "Gamma", "BETA"};
    EXPECT_EQ(Sorted(types, Type::TextNoCase, names), (std::vector<int>{1, 2, 0, 4, 3}));
    EXPECT_EQ(Sorted(types, Type::TextNoCase, names, true), (std::vector<int>{3, 0, 4, 1, 2}));
    EXPECT_EQ(Sorted(types, Type::Text, names), (std::vector<int>{1, 4, 3, 2, 0}));

    const QStringList numbers = {"10", "9", "100", "-1", "9"};
    EXPECT_EQ(Sorted(types, Type::Integer, numbers), (std::vector<int>{3, 1, 4, 0, 2}));
    EXPECT_EQ(Sorted(types, Type::Integer, numbers, true), (std::vector<int>{2, 0, 1, 4, 3}));

    for (const bool descending : {false, true})
        EXPECT_EQ(Sorted(types, Type::Unordered, numbers, descending),
                  (std::vector<int>{0, 1, 2, 3, 4}));

    // Equal floats never compare equal, so descending turns them round too.
    const QStringList floats = {"1.5", "0.25", "1.50", "-2"};
    EXPECT_EQ(Sorted(types, Type::Float, floats), (std::vector<int>{3, 1, 0, 2}));
    EXPECT_EQ(Sorted(types, Type::Float, floats, true), (std::vector<int>{2, 0, 1, 3}));

    const QStringList dates = {"3/1/24", "1/15/24", "12/24/23 8:00 PM", "2/29/24"};
    EXPECT_EQ(Sorted(types, Type::DateTime, dates), (std::vector<int>{2, 1, 3, 0}));
    EXPECT_EQ(Sorted(types, Type::DateTime, dates, true), (std::vector<int>{0, 3, 1, 2}));
}
