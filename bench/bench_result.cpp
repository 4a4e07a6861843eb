// One run of the result computation happens on every keystroke in the window. Each case runs
// beside a baseline that does what the rows need in the plainest way: every list parsed per
// number, divisor lists by the literal trial-division loop, written into every row.
#include "core/Divisibility.h"
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

void Run(benchmark::State& state, Computation compute) {
    const ResultInputs in = Case(static_cast<int>(state.range(0)));
    superarray table;
    table.Init();
    ReferencePair reference;
    for (auto _ : state) {
        compute(in, table, reference);
        benchmark::DoNotOptimize(table.Count());
    }
    state.counters["rows"] = table.Count();
}

void ComputeResultsCase(benchmark::State& state) {
    Run(state, [](const ResultInputs& in, superarray& table, ReferencePair& reference) {
        ComputeResults(in, table, reference);
    });
}
BENCHMARK(ComputeResultsCase)->DenseRange(0, 3)->Unit(benchmark::kMicrosecond);

void BaselineCase(benchmark::State& state) {
    Run(state, BaselineResults);
}
BENCHMARK(BaselineCase)->DenseRange(0, 3)->Unit(benchmark::kMicrosecond);

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
