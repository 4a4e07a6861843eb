// The panel layout that runs on every resize of the main window: the first-column search
// with its packing and the size distribution of every column.
#include "easypanel/PanelStack.h"
#include "easypanel/SizeSpec.h"

#include <string>

#include <benchmark/benchmark.h>

namespace {

// The main window's six panels at start (order "301425"); all fit into 724 pixels.
PanelStack ProgramStack() {
    PanelStack stack;
    stack.ColumnWidth = 169;
    const int32_t heights[] = {120, 100, 22, 267, 150, 17};
    const char* specs[] = {"0.1|120|120", "0.1|100|100", "0.1|22|20",
                           "85|267",      "0.1|150|150", "15|17|50"};
    for (std::size_t k = 0; k < 6; ++k) {
        stack.Geometry[k].MinHeight = heights[k];
        stack.Geometry[k].StateSpec = specs[k];
    }
    return stack;
}

// Sixteen panels of mixed heights (about 1550 pixels in one column), so the search walks all
// 65535 subsets.
PanelStack SixteenPanels(std::string& order) {
    PanelStack stack;
    stack.ColumnWidth = 169;
    const int32_t heights[] = {267, 120, 100, 22, 150, 17,  80, 60,
                               45,  130, 22,  90, 70,  110, 35, 55};
    for (std::size_t k = 0; k < 16; ++k) {
        stack.Geometry[k].MinHeight = heights[k];
        stack.Geometry[k].StateSpec = "1|" + std::to_string(heights[k]);
        order += static_cast<char>(FirstPanelCode + k);
    }
    return stack;
}

// A whole layout of the six panels at a window height (budget: 100 us): 800 keeps them in one
// column, 720 overflows one, 400 several.
void BM_Layout_SixPanels(benchmark::State& state) {
    PanelStack stack = ProgramStack();
    const auto height = static_cast<int32_t>(state.range(0));
    for (auto _ : state) {
        std::string columns = stack.FitFirstColumn("301425", height, 1024);
        benchmark::DoNotOptimize(columns);
    }
}
BENCHMARK(BM_Layout_SixPanels)->Arg(800)->Arg(720)->Arg(400)->Unit(benchmark::kMicrosecond);

// The full 16-bit search (budget: 20 ms). The width decides how many columns the overflow
// packs into: 600 gives 2, 1920 gives 9.
void BM_FirstColumnSearch_SixteenPanels(benchmark::State& state) {
    std::string order;
    PanelStack stack = SixteenPanels(order);
    const auto width = static_cast<int32_t>(state.range(0));
    for (auto _ : state) {
        std::string columns = stack.FitFirstColumn(order, 700, width);
        benchmark::DoNotOptimize(columns);
    }
}
BENCHMARK(BM_FirstColumnSearch_SixteenPanels)->Arg(600)->Arg(1920)->Unit(benchmark::kMillisecond);

// One column's heights from the program's specifications.
void BM_Distribute_ProgramColumn(benchmark::State& state) {
    const std::string list = "85|267,0.1|120|120,0.1|100|100,0.1|150|150,0.1|22|20,15|17|50";
    for (auto _ : state) {
        std::string sizes = Distribute(744, list);
        benchmark::DoNotOptimize(sizes);
    }
}
BENCHMARK(BM_Distribute_ProgramColumn);

} // namespace
