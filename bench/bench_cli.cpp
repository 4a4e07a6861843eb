// The command line's share of `pixolan list` for the longest list (32768 rows): the result
// computation, every derived cell read once and the rows written out, in each format. The
// whole process, start included, is timed by scripts/time-cli.sh.
#include "cli/CommandLine.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

void LongestList(benchmark::State& state, const char* format) {
    const std::vector<std::string> args = {
        "list",        "--ratio", "1:1",          "--from", "1",        "--to", "32768",
        "--width-div", "",        "--height-div", "",       "--format", format};
    std::size_t written = 0;
    const OutputSink discard = [&written](const std::string& text) {
        written += text.size();
        return true;
    };
    for (auto _ : state) {
        benchmark::DoNotOptimize(RunCommandLine(
            args, discard, [](const std::string&) {}, [](std::string&) { return false; }));
    }
    state.counters["bytes/run"] = static_cast<double>(written) / state.iterations();
}

} // namespace

BENCHMARK_CAPTURE(LongestList, tsv, "tsv")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(LongestList, csv, "csv")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(LongestList, json, "json")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(LongestList, jsonl, "jsonl")->Unit(benchmark::kMillisecond);
