// Divisor lists run twice for every listed pair on every keystroke; the letterbox fit once.
#include "core/Divisibility.h"
#include "core/PrimeFactors.h"
#include "core/Ratio.h"

#include "LiteralDivisorList.h"

#include <benchmark/benchmark.h>

#include <array>
#include <cstdint>
#include <string>

namespace {

constexpr int32_t Widths = 32768;

void DivisorListLiteralAllWidths(benchmark::State& state) {
    for (auto _ : state) {
        for (int32_t n = 1; n <= Widths; ++n) {
            benchmark::DoNotOptimize(LiteralDivisorList(n));
        }
    }
}
BENCHMARK(DivisorListLiteralAllWidths)->Unit(benchmark::kMillisecond);

void DivisorListAllWidths(benchmark::State& state) {
    for (auto _ : state) {
        for (int32_t n = 1; n <= Widths; ++n) {
            benchmark::DoNotOptimize(DivisorList(n));
        }
    }
}
BENCHMARK(DivisorListAllWidths)->Unit(benchmark::kMillisecond);

// Heights of ratio 1 : 65535 reach 2^31 - 1.
void DivisorListTallHeights(benchmark::State& state) {
    for (auto _ : state) {
        for (int32_t w = 1; w <= Widths; ++w) {
            benchmark::DoNotOptimize(DivisorList(w * 65535));
        }
    }
}
BENCHMARK(DivisorListTallHeights)->Unit(benchmark::kMillisecond);

// What a sort by the height list of 1 : 65535 makes for every row: the side's factors from
// its multiple of the term, and the numbers that order like its divisor list.
void ListOrderTallHeights(benchmark::State& state) {
    const PrimeFactors term = PrimeFactors::Of(65535);
    std::array<int64_t, PrimeFactors::MaxListOrder> numbers{};
    for (auto _ : state) {
        for (int32_t k = 1; k <= Widths; ++k) {
            benchmark::DoNotOptimize(PrimeFactors::Of(k).Times(term).WriteListOrder(numbers));
        }
        benchmark::DoNotOptimize(numbers);
    }
}
BENCHMARK(ListOrderTallHeights)->Unit(benchmark::kMillisecond);

void DividableByAnyAllWidths(benchmark::State& state) {
    const std::string list = "3, 4, 5";
    for (auto _ : state) {
        for (int32_t n = 1; n <= Widths; ++n) {
            benchmark::DoNotOptimize(DividableByAny(n, list, ','));
        }
    }
}
BENCHMARK(DividableByAnyAllWidths)->Unit(benchmark::kMillisecond);

void FitLetterboxAllWidths(benchmark::State& state) {
    for (auto _ : state) {
        for (int32_t w = 1; w <= Widths; ++w) {
            benchmark::DoNotOptimize(FitLetterbox(w, w * 3 / 4, 4, 3, 16, 9));
        }
    }
}
BENCHMARK(FitLetterboxAllWidths)->Unit(benchmark::kMillisecond);

} // namespace
