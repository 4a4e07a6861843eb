// The utilities that run for every result row on every keystroke: the exact area product
// (twice per row), the area percentage text, and the reading of filter entries.
#include "util/DecimalText.h"
#include "util/NumberFormat.h"
#include "util/TextParse.h"

#include <string>

#include <benchmark/benchmark.h>

namespace {

// Two 5-digit sides, the common case of the result table (budget: 100 ns).
void BM_MultiplyDecimal_5x5(benchmark::State& state) {
    const std::string width = "32768";
    const std::string height = "18432";
    for (auto _ : state) {
        std::string product = MultiplyDecimal(width, height);
        benchmark::DoNotOptimize(product);
    }
}
BENCHMARK(BM_MultiplyDecimal_5x5);

// A sweep over changing operands, so no branch pattern is learnt from one pair.
void BM_MultiplyDecimal_RowSweep(benchmark::State& state) {
    std::string widths[64];
    std::string heights[64];
    for (int k = 0; k < 64; ++k) {
        widths[k] = IntToText(10000 + k * 353);
        heights[k] = IntToText(56250 - k * 271);
    }
    int k = 0;
    for (auto _ : state) {
        std::string product = MultiplyDecimal(widths[k], heights[k]);
        benchmark::DoNotOptimize(product);
        k = (k + 1) & 63;
    }
}
BENCHMARK(BM_MultiplyDecimal_RowSweep);

void BM_MultiplyDecimal_15999x15999(benchmark::State& state) {
    std::string a(15999, '7');
    std::string b(15999, '3');
    for (auto _ : state) {
        std::string product = MultiplyDecimal(a, b);
        benchmark::DoNotOptimize(product);
    }
}
BENCHMARK(BM_MultiplyDecimal_15999x15999)->Unit(benchmark::kMillisecond);

void BM_FloatToText_Percentage(benchmark::State& state) {
    double value = 56.25;
    for (auto _ : state) {
        std::string text = FloatToText(2, value);
        benchmark::DoNotOptimize(text);
        value += 0.0078125;
    }
}
BENCHMARK(BM_FloatToText_Percentage);

void BM_GroupDigits(benchmark::State& state) {
    // assign, not = "'": g++ 12 warns falsely (-Wrestrict) about the inlined short copy.
    DigitGroupSeparator.assign(1, '\'');
    const std::string area = "107374182400";
    for (auto _ : state) {
        std::string text = GroupDigits(area);
        benchmark::DoNotOptimize(text);
    }
    DigitGroupSeparator.clear();
}
BENCHMARK(BM_GroupDigits);

void BM_TextToInt(benchmark::State& state) {
    const std::string entry = " 1'024 px";
    for (auto _ : state) {
        benchmark::DoNotOptimize(TextToInt(entry));
    }
}
BENCHMARK(BM_TextToInt);

} // namespace
