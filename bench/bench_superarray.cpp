#include "superarray/superarray.h"
#include "util/NumberFormat.h"

#include "HeldMemory.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <array>
#include <random>
#include <vector>

namespace {

constexpr int32_t Rows = 32768;
using ResultRow = std::array<std::string, 9>; // cells 1..8 at their column numbers

// Texts shaped like the result computation's: 4:3 pairs, a reference of 640 x 480.
const std::vector<ResultRow>& ResultRows() {
    static const std::vector<ResultRow> rows = [] {
        std::vector<ResultRow> made;
        for (int32_t w = 1; w <= Rows; ++w) {
            const int32_t h = w * 3 / 4;
            const int64_t area = int64_t{w} * h;
            made.push_back({"", IntToText(w), IntToText(h),
                            FloatToText(2, static_cast<double>(area) / (640.0 * 480.0) * 100),
                            Int64ToText(area), IntToText(w - 640) + " / " + IntToText(h - 480),
                            "2,3,4,6,8,12", "2,4,8,16",
                            IntToText(w) + ":" + IntToText(h) + " (+0:+0)"});
        }
        return made;
    }();
    return rows;
}

void Fill(superarray& table, const std::vector<ResultRow>& rows) {
    table.SetLength(0);
    for (const ResultRow& row : rows) {
        table.AddRow();
        for (const int32_t column : {1, 2, 6, 7, 8, 3}) {
            table.SetCell(0, column, row[static_cast<std::size_t>(column)]);
        }
        benchmark::DoNotOptimize(table.GetCell(0, 1));
        benchmark::DoNotOptimize(table.GetCell(0, 2));
        table.SetCell(0, 4, row[4]);
        table.SetCell(0, 5, row[5]);
    }
}

// One keystroke's worth of table work: empty the table, then 32768 rows of 8 cells.
void BM_FillResultTable(benchmark::State& state) {
    const std::vector<ResultRow>& rows = ResultRows();
    superarray table;
    table.Init();
    for (auto _ : state) {
        Fill(table, rows);
    }
    state.SetItemsProcessed(state.iterations() * Rows);
}
BENCHMARK(BM_FillResultTable)->Unit(benchmark::kMillisecond);

// A header click on the width column; rows were added in random width order.
void BM_SortByWidth(benchmark::State& state) {
    std::vector<ResultRow> rows = ResultRows();
    std::shuffle(rows.begin(), rows.end(), std::mt19937(7));
    superarray table;
    table.Init();
    table.RegisterSortName(1, "width");
    Fill(table, rows);
    for (auto _ : state) {
        state.PauseTiming();
        table.SortBy("-"); // back to a random width order
        state.ResumeTiming();
        table.SortBy("width");
    }
}
BENCHMARK(BM_SortByWidth)->Unit(benchmark::kMillisecond);

void BM_ResultTableMemory(benchmark::State& state) {
    const std::vector<ResultRow>& rows = ResultRows();
    for (auto _ : state) {
        const std::size_t before = HeldBytes();
        superarray table;
        table.Init();
        Fill(table, rows);
        state.counters["bytes"] = static_cast<double>(HeldBytes() - before);
        state.counters["bytes_per_row"] = static_cast<double>(HeldBytes() - before) / Rows;
    }
}
BENCHMARK(BM_ResultTableMemory)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace
