// One run of the result computation happens on every keystroke in the window. Each case runs
// beside a baseline that does what the rows need in the plainest way: every list parsed per
// number, divisor lists by the literal trial-division loop, written into every row.
#include "core/Divisibility.h"
#include "core/DivisorFilter.h"
#include "core/Ratio.h"
#include "core/ResultComputation.h"
#include "core/brueche.h"
#include "superarray/superarray.h"
#include "util/DecimalText.h"
#include "util/NumberFormat.h"

#include "HeldMemory.h"
#include "LiteralDivisorList.h"

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

namespace {

void BaselineResults(const ResultInputs& in, superarray& table, ReferencePair& reference) {
    const auto [rx, ry] = ReduceRatio(in.RatioX, in.RatioY);
    table.SetLength(0);
    for (int32_t w = in.From; w <= in.To; ++w) {
        if (DividableByAny(w, in.WidthDiv, ',') == 0 ||
            DividableByAny(w, in.WidthNotDiv, ',') == 1 || w % rx != 0) {
            continue;
        }
        const int32_t h = w / rx * ry;
        if (DividableByAny(h, in.HeightDiv, ',') == 0 ||
            DividableByAny(h, in.HeightNotDiv, ',') == 1) {
            continue;
        }
        table.AddRow();
        const int32_t row = table.Count();
        table.SetCell(row, 1, IntToText(w));
        table.SetCell(row, 2, IntToText(h));
        table.SetCell(row, 6, LiteralDivisorList(h));
        table.SetCell(row, 7, LiteralDivisorList(w));
        const LetterboxFrame f = FitLetterbox(w, h, in.SX, in.SY, in.PX, in.PY);
        table.SetCell(row, 8,
                      Int64ToText(f.Width) + ":" + Int64ToText(f.Height) + " (+" +
                          Int64ToText(f.Width - w) + ":+" + Int64ToText(f.Height - h) + ")");
        if (reference.Width == -1 || reference.Width == 0) {
            reference = {w, h};
        }
        const double percent = static_cast<double>(int64_t{w} * h) /
                               static_cast<double>(int64_t{reference.Width} * reference.Height) *
                               100;
        table.SetCell(row, 3, FloatToText(2, percent));
        table.SetCell(row, 4, MultiplyDecimal(table.GetCell(row, 1), table.GetCell(row, 2)));
        table.SetCell(row, 5,
                      IntToText(w - reference.Width) + " / " + IntToText(h - reference.Height));
    }
}

ResultInputs Case(int index) {
    ResultInputs in; // 0: the window's defaults, 48 rows
    if (index == 0) {
        return in;
    }
    in.From = 1;
    in.To = 32768;
    in.WidthDiv.clear();
    in.HeightDiv.clear();
    if (index == 1) { // 1 : 1, no filters: 32768 rows
        in.RatioX = 1;
        in.RatioY = 1;
    } else if (index == 2) { // 1 : 65535, no filters: heights up to 2^31 - 1
        in.RatioX = 1;
        in.RatioY = 65535;
    } else { // 16 : 9, both sides dividable by 8
        in.RatioX = 16;
        in.RatioY = 9;
        in.WidthDiv = "8";
        in.HeightDiv = "8";
    }
    return in;
}

using Computation = void (*)(const ResultInputs&, superarray&, ReferencePair&);

void Run(benchmark::State& state, Computation compute, const ResultInputs& in) {
    superarray table;
    table.Init();
    ReferencePair reference;
    for (auto _ : state) {
        compute(in, table, reference);
        benchmark::DoNotOptimize(table.Count());
    }
    state.counters["rows"] = table.Count();
}

void ComputeOnly(const ResultInputs& in, superarray& table, ReferencePair& reference) {
    ComputeResults(in, table, reference);
}

void ComputeResultsCase(benchmark::State& state) {
    Run(state, ComputeOnly, Case(static_cast<int>(state.range(0))));
}
BENCHMARK(ComputeResultsCase)->DenseRange(0, 3)->Unit(benchmark::kMicrosecond);

void BaselineCase(benchmark::State& state) {
    Run(state, BaselineResults, Case(static_cast<int>(state.range(0))));
}
BENCHMARK(BaselineCase)->DenseRange(0, 3)->Unit(benchmark::kMicrosecond);

// Sorting the 32768 rows of 1 : 1 (second argument 1) or 1 : 65535 (2) by one result column,
// descending, as every keystroke does once the user has chosen a sort.
void SortResults(benchmark::State& state) {
    const auto column = static_cast<int32_t>(state.range(0));
    const ResultInputs in = Case(static_cast<int>(state.range(1)));
    superarray table;
    table.Init();
    table.Columns[static_cast<std::size_t>(column)].NumericSort = true;
    table.RegisterSortName(column, "key");
    ReferencePair reference;
    for (auto _ : state) {
        state.PauseTiming();
        ComputeResults(in, table, reference);
        state.ResumeTiming();
        table.SortBy("-key");
    }
}
BENCHMARK(SortResults)
    ->ArgsProduct({benchmark::CreateDenseRange(WidthColumn, LetterboxColumn, 1), {1}})
    ->Args({HeightDivisorsColumn, 2})
    ->Unit(benchmark::kMillisecond);

// A list as long as a filter box takes (32 KiB), counting up from first.
std::string LongList(int32_t first) {
    std::string list;
    for (int32_t d = first; list.size() < 32 * 1024 - 8; ++d) {
        list += std::to_string(d) + ',';
    }
    return list;
}

// 1 : 1 over the whole range with long lists pasted into two boxes: 0, numbers too large to
// divide any side into both "not dividable by" boxes; 1, the numbers from 2 up into both
// "dividable by" boxes.
ResultInputs HostileCase(int index) {
    ResultInputs in = Case(1);
    (index == 0 ? in.WidthNotDiv : in.WidthDiv) = LongList(index == 0 ? MaxWidth + 1 : 2);
    (index == 0 ? in.HeightNotDiv : in.HeightDiv) = index == 0 ? in.WidthNotDiv : in.WidthDiv;
    return in;
}

void HostileListsKeystroke(benchmark::State& state) {
    Run(state, ComputeOnly, HostileCase(static_cast<int>(state.range(0))));
}
BENCHMARK(HostileListsKeystroke)->DenseRange(0, 1)->Unit(benchmark::kMillisecond);

// The plain way beside it: each list read once, every width and height tested against
// every entry.
void HostileListsPlain(benchmark::State& state) {
    const ResultInputs in = HostileCase(static_cast<int>(state.range(0)));
    int32_t rows = 0;
    for (auto _ : state) {
        const DivisorFilter widthDiv(in.WidthDiv, ','), widthNotDiv(in.WidthNotDiv, ',');
        const DivisorFilter heightDiv(in.HeightDiv, ','), heightNotDiv(in.HeightNotDiv, ',');
        rows = 0;
        for (int32_t w = in.From; w <= in.To; ++w) {
            rows += widthDiv.Test(w) != 0 && widthNotDiv.Test(w) != 1 && heightDiv.Test(w) != 0 &&
                    heightNotDiv.Test(w) != 1;
        }
        benchmark::DoNotOptimize(rows);
    }
    state.counters["rows"] = rows;
}
BENCHMARK(HostileListsPlain)->DenseRange(0, 1)->Unit(benchmark::kMillisecond);

// Memory a 32768-row result table holds, ratio 1 : 1 without filters.
void ResultTableMemory(benchmark::State& state) {
    for (auto _ : state) {
        const std::size_t before = HeldBytes();
        superarray table;
        table.Init();
        ReferencePair reference;
        ComputeResults(Case(1), table, reference);
        state.counters["bytes"] = static_cast<double>(HeldBytes() - before);
    }
}
BENCHMARK(ResultTableMemory)->Unit(benchmark::kMillisecond)->Iterations(3);

// Reading what the grid shows: the rows in view of a 32768-row table, divisor lists included.
void ReadRowsInView(benchmark::State& state) {
    const ResultInputs in = Case(2);
    superarray table;
    table.Init();
    ReferencePair reference;
    ComputeResults(in, table, reference);
    for (auto _ : state) {
        for (int32_t row = 20000; row < 20080; ++row) {
            for (int32_t column = 1; column <= 8; ++column) {
                benchmark::DoNotOptimize(table.GetCellShown(row, column));
            }
        }
    }
}
BENCHMARK(ReadRowsInView)->Unit(benchmark::kMicrosecond);

} // namespace
