// How long a list dialog's list takes to fill with many rows, size its columns
// and paint, and to sort by a column of each kind (offscreen platform).
#include "ui/controls/ListColumnTypes.h"
#include "ui/controls/ListCtrlEx.h"

#include <QApplication>
#include <QDate>
#include <QLocale>
#include <QStringList>

#include <benchmark/benchmark.h>

#include <cstdint>
#include <vector>

namespace {

struct CRow
{
    QString name;
    QString size;
    QString changed;
};

// Rows in no particular order, the same on every run.
const std::vector<CRow> &RowsOf(int count)
{
    static std::vector<CRow> rows;
    if (static_cast<int>(rows.size()) != count) {
        rows.clear();
        std::uint32_t state = 12345;
        const auto next = [&state] {
            state = state * 1664525u + 1013904223u;
            return state >> 8;
        };
        const QLocale locale;
        for (int i = 0; i < count; ++i)
            rows.push_back(
                {QStringLiteral("Picture %1 of the holiday.jpg").arg(next() % 100000),
                 QString::number(next() % 5000000),
                 locale.toString(QDate(2000, 1, 1).addDays(next() % 9000), QLocale::ShortFormat)});
    }
    return rows;
}

void Fill(CListCtrlEx &list, int count)
{
    list.LockRedraw(true);
    int row = 0;
    for (const CRow &data : RowsOf(count)) {
        list.InsertItem(row, data.name);
        list.SetItemText(row, 1, data.size);
        list.SetItemText(row, 2, data.changed);
        list.SetItemData(row, row);
        ++row;
    }
    list.LockRedraw(false);
}

void MakeColumns(CListCtrlEx &list)
{
    list.resize(800, 600);
    list.InsertColumn(0, QStringLiteral("File name"));
    list.InsertColumn(1, QStringLiteral("Size"), Qt::AlignRight);
    list.InsertColumn(2, QStringLiteral("Changed"));
    list.SetColumnTypes(
        {CListColumnTypes::TextNoCase, CListColumnTypes::Integer, CListColumnTypes::DateTime});
}

void FillAndAutoSize(benchmark::State &state)
{
    const int count = static_cast<int>(state.range(0));
    RowsOf(count);
    for (auto _ : state) {
        CListCtrlEx list;
        MakeColumns(list);
        Fill(list, count);
        list.AutoSizeColumns();
        benchmark::DoNotOptimize(list.grab());
        state.PauseTiming(); // destroying the list is not what is measured
        list.DeleteAllItems();
        state.ResumeTiming();
    }
    state.SetComplexityN(count);
}
BENCHMARK(FillAndAutoSize)
    ->RangeMultiplier(10)
    ->Range(100, 10000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity();

// Each round turns the order round, as clicking the same header does.
void SortByColumn(benchmark::State &state)
{
    const int count = static_cast<int>(state.range(0));
    const int column = static_cast<int>(state.range(1));
    CListCtrlEx list;
    MakeColumns(list);
    Fill(list, count);
    list.AutoSizeColumns();
    for (auto _ : state)
        list.SortByColumn(column, CListCtrlEx::SortToggle);
    state.SetLabel(column == 0 ? "text ignoring case" : column == 1 ? "integer" : "date");
}
BENCHMARK(SortByColumn)
    ->Args({10000, 0})
    ->Args({10000, 1})
    ->Args({10000, 2})
    ->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
