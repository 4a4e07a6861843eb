// The grid's share of a keystroke in the result grid: the row count follows the table (up to
// 32769 grid rows) and only the rows near the view are written; scrolling writes the rows
// that came into view and empties those that left. With repaint:1 each iteration ends in the
// event loop, so the view's delayed layout and the repaint of an 800 x 600 grid count too.
// A dragged column moves under all the rows.
#include "core/Divisibility.h"
#include "gridctl/TGridControl.h"
#include "gridctl/TPrintSettingsDialog.h"

#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QSpinBox>

#include <benchmark/benchmark.h>

namespace {

constexpr int LargestRowCount = 32769;
constexpr int Columns = 8;
constexpr int WrittenRows = 80;

void ShowResultGrid(TGridControl& grid) {
    grid.SetColumnCount(Columns);
    for (int column = 0; column < Columns; ++column) {
        grid.SetCell(column, 0, QString("Column %1").arg(column));
    }
    grid.resize(800, 600);
    grid.show();
    QApplication::processEvents();
}

void WriteRows(TGridControl& grid, int first, int salt) {
    for (int row = first; row < first + WrittenRows; ++row) {
        for (int column = 0; column < Columns; ++column) {
            grid.SetCell(column, row, QString::number(row * 16 + column + salt));
        }
    }
}

void ClearRows(TGridControl& grid, int first) {
    for (int row = first; row < first + WrittenRows; ++row) {
        for (int column = 0; column < Columns; ++column) {
            grid.SetCell(column, row, QString());
        }
    }
}

void FinishKeystroke(const benchmark::State& state) {
    if (state.range(0) != 0) {
        QApplication::processEvents();
    }
}

// A keystroke that takes the table from 1 row to the largest: the grid grows from 2 rows.
void BM_GrowTo32769AndWriteView(benchmark::State& state) {
    TGridControl grid;
    ShowResultGrid(grid);
    int salt = 0;
    for (auto _ : state) {
        grid.SetRowCount(2);
        grid.SetRowCount(LargestRowCount);
        WriteRows(grid, 1, ++salt);
        FinishKeystroke(state);
    }
}
BENCHMARK(BM_GrowTo32769AndWriteView)
    ->ArgName("repaint")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMicrosecond);

// A keystroke that keeps the row count: every cell in view changes its text.
void BM_RewriteViewOf32769(benchmark::State& state) {
    TGridControl grid;
    ShowResultGrid(grid);
    grid.SetRowCount(LargestRowCount);
    int salt = 0;
    for (auto _ : state) {
        WriteRows(grid, 1, ++salt);
        FinishKeystroke(state);
    }
}
BENCHMARK(BM_RewriteViewOf32769)->ArgName("repaint")->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// A column dragged to the other end, and back, with the largest row count and the view written.
void BM_MoveColumnOf32769(benchmark::State& state) {
    TGridControl grid;
    ShowResultGrid(grid);
    grid.SetRowCount(LargestRowCount);
    WriteRows(grid, 1, 0);
    QApplication::processEvents();
    for (auto _ : state) {
        grid.horizontalHeader()->moveSection(0, Columns - 1);
        QApplication::processEvents();
    }
}
BENCHMARK(BM_MoveColumnOf32769)->Unit(benchmark::kMillisecond);

// Scrolling between the top and row 20000: the rows that came into view are written, those
// that left are emptied.
void BM_ScrollTo20000AndWriteView(benchmark::State& state) {
    TGridControl grid;
    ShowResultGrid(grid);
    grid.SetRowCount(LargestRowCount);
    WriteRows(grid, 1, 0);
    int shown = 1;
    for (auto _ : state) {
        const int next = shown == 1 ? 20000 : 1;
        grid.SetTopRow(next);
        WriteRows(grid, next, 0);
        ClearRows(grid, shown);
        shown = next;
        FinishKeystroke(state);
    }
}
BENCHMARK(BM_ScrollTo20000AndWriteView)
    ->ArgName("repaint")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMicrosecond);

// The result grid of ratio 1:1 from 1 to 32768, no filters: 32768 rows of eight columns, the
// divisor lists among them.
TGridControl& ResultGrid() {
    static TGridControl* grid = [] {
        auto* filled = new TGridControl;
        filled->SetColumnCount(Columns);
        filled->SetRowCount(LargestRowCount);
        for (int column = 0; column < Columns; ++column) {
            filled->SetCell(column, 0, QString("Column %1").arg(column));
        }
        for (int row = 1; row < LargestRowCount; ++row) {
            const QString side = QString::number(row);
            const QString divisors = QString::fromStdString(DivisorList(row));
            const QString texts[Columns] = {side,       side,     "100.00", side + "0000",
                                            side + "1", divisors, divisors, side + "x" + side};
            for (int column = 0; column < Columns; ++column) {
                filled->SetCell(column, row, texts[column]);
            }
        }
        return filled;
    }();
    return *grid;
}

// Opening the print settings dialog of the largest result grid, up to its first paint.
void BM_OpenPrintDialogOf32769(benchmark::State& state) {
    TGridControl& grid = ResultGrid();
    for (auto _ : state) {
        TPrintSettingsDialog dialog(grid);
        dialog.show();
        QApplication::processEvents();
        state.PauseTiming();
        dialog.hide();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_OpenPrintDialogOf32769)->Unit(benchmark::kMillisecond);

// One keystroke in the dialog's left margin, up to the end of the events it causes.
void BM_KeystrokeInPrintDialogOf32769(benchmark::State& state) {
    TPrintSettingsDialog dialog(ResultGrid());
    dialog.show();
    QApplication::processEvents();
    QSpinBox* margin = dialog.findChild<QSpinBox*>();
    margin->setFocus();
    int key = 0;
    for (auto _ : state) {
        const int code = key++ % 2 == 0 ? Qt::Key_Up : Qt::Key_Down;
        QKeyEvent press(QEvent::KeyPress, code, Qt::NoModifier);
        QKeyEvent release(QEvent::KeyRelease, code, Qt::NoModifier);
        QApplication::sendEvent(margin, &press);
        QApplication::sendEvent(margin, &release);
        QApplication::processEvents();
    }
}
BENCHMARK(BM_KeystrokeInPrintDialogOf32769)->Unit(benchmark::kMillisecond);

} // namespace

// The grid is a widget: the benchmarks need an application, on the offscreen platform unless
// the environment names another.
int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
