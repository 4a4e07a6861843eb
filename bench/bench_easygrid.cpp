// The result grid's display path: a refresh after the whole table was rebuilt, and a scroll
// far down that refills the rows in view.
#include "easygrid/TEasyGrid.h"

#include "gridctl/TGridControl.h"
#include "superarray/superarray.h"

#include <QApplication>
#include <benchmark/benchmark.h>
#include <memory>
#include <string>

namespace {

constexpr int TableRows = 32768;

QApplication& App() {
    static int argc = 1;
    static char name[] = "bench_easygrid";
    static char* argv[] = {name, nullptr};
    static std::unique_ptr<QApplication> app = [] {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
            qputenv("QT_QPA_PLATFORM", "offscreen");
        }
        return std::make_unique<QApplication>(argc, argv);
    }();
    return *app;
}

void FillResults(superarray& table) {
    table.Reset();
    for (int r = 1; r <= TableRows; ++r) {
        table.AddRow();
        const int width = r * 2;
        table.SetCell(r, 1, std::to_string(width));
        table.SetCell(r, 2, std::to_string(width * 9 / 16));
        table.SetCell(r, 3, std::to_string(width % 1000) + ".25");
        table.SetCell(r, 4, std::to_string(int64_t{width} * (width * 9 / 16)));
        table.SetCell(r, 5, std::to_string(width - 1920));
        table.SetCell(r, 8, "1920 x " + std::to_string(width % 1080) + " (letterboxed)");
    }
}

// A grid of 30 visible rows showing the six default result columns.
struct ResultGrid {
    struct AppFirst {
        AppFirst() { App(); }
    } Ready; // the application must exist before the first widget
    TGridControl Grid;
    superarray Table;
    TEasyGrid Ctl;

    ResultGrid() {
        Table.Init();
        Grid.resize(900, 400);
        Grid.show();
        Grid.resize(900, Grid.height() + 30 * (Grid.DefaultRowHeight() + Grid.GridLineWidth()) -
                             Grid.viewport()->height());
        Ctl.Attach(&Grid, &Table, true, false);
        const char* names[] = {"Width", "Height", "Area%", "Area (h*w)", "PixelDif", "Letterboxed"};
        const int ids[] = {1, 2, 3, 4, 5, 8};
        for (int i = 0; i < 6; ++i) {
            Ctl.AddColumn(names[i], ids[i], names[i], "10|30");
        }
        FillResults(Table);
        Ctl.Refresh();
    }
};

void BM_RefreshAfterRebuild(benchmark::State& state) {
    ResultGrid g;
    for (auto _ : state) {
        state.PauseTiming();
        FillResults(g.Table);
        state.ResumeTiming();
        g.Ctl.Refresh();
    }
    state.counters["visible"] = g.Grid.VisibleRowCount();
}
BENCHMARK(BM_RefreshAfterRebuild)->Unit(benchmark::kMicrosecond);

void BM_ScrollTo20000(benchmark::State& state) {
    ResultGrid g;
    for (auto _ : state) {
        state.PauseTiming();
        g.Grid.SetTopRow(1);
        state.ResumeTiming();
        g.Grid.SetTopRow(20000); // the grid's scroll event refills
    }
    if (g.Grid.Cell(0, 20000) != QString::number(40000)) {
        state.SkipWithError("row 20000 not written");
    }
}
BENCHMARK(BM_ScrollTo20000)->Unit(benchmark::kMicrosecond);

} // namespace
