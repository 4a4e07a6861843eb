#include "gridctl/TGridControl.h"
#include "ui/TForm1.h"
#include "ui/TSpinEdit.h"

#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QKeyEvent>
#include <QLineEdit>
#include <QWindow>
#include <benchmark/benchmark.h>
#include <memory>
#include <string>

namespace {

QApplication& App() {
    static int argc = 1;
    static char name[] = "bench_ui";
    static char* argv[] = {name, nullptr};
    static QApplication* app = [] {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        return new QApplication(argc, argv);
    }();
    return *app;
}

// The memory the whole process holds now, as the kernel counts it.
double ResidentBytes() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly)) {
        return 0;
    }
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:")) {
            return line.mid(6).trimmed().split(' ').value(0).toDouble() * 1024;
        }
    }
    return 0;
}

// Notes the first paint of the window it watches.
class PaintWatch : public QObject {
public:
    bool Painted = false;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        Painted = Painted || event->type() == QEvent::Paint;
        return QObject::eventFilter(watched, event);
    }
};

// From creating the window (with its first computation) to its first paint.
void BM_StartUp(benchmark::State& state) {
    App();
    for (auto _ : state) {
        auto form = std::make_unique<TForm1>();
        PaintWatch watch;
        form->installEventFilter(&watch);
        form->show();
        while (!watch.Painted) {
            QCoreApplication::processEvents();
        }
        state.PauseTiming();
        form.reset();
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_StartUp)->Unit(benchmark::kMillisecond);

// A shown window that lists every width of the ratio 1 : ratioY, with no filters.
void ShowUnfiltered(TForm1& form, int32_t ratioY) {
    form.show();
    while (form.windowHandle() == nullptr || !form.windowHandle()->isExposed()) {
        QCoreApplication::processEvents();
    }
    form.Edit1->clear();
    form.Edit2->clear();
    form.SpinEdit5->SetValue(1);
    form.SpinEdit6->SetValue(ratioY);
}

// Times the last keystroke of "32768" in "To" until the grid has painted the new rows. The
// events it posts are handled as the event loop handles them: the scroll bars follow the new
// column widths before the grid paints (a forced repaint would paint it once more).
void TimeLastKeystrokeInTo(benchmark::State& state, TForm1& form) {
    PaintWatch watch;
    form.StringGrid1->viewport()->installEventFilter(&watch);
    for (auto _ : state) {
        state.PauseTiming();
        form.SpinEdit4->SetText(QStringLiteral("3276"));
        QCoreApplication::processEvents();
        watch.Painted = false;
        state.ResumeTiming();
        QKeyEvent press(QEvent::KeyPress, Qt::Key_8, Qt::NoModifier, QStringLiteral("8"));
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_8, Qt::NoModifier, QStringLiteral("8"));
        QCoreApplication::sendEvent(form.SpinEdit4, &press);
        QCoreApplication::sendEvent(form.SpinEdit4, &release);
        QCoreApplication::processEvents();
        if (!watch.Painted) {
            state.SkipWithError("the grid did not paint the new rows");
            break;
        }
    }
}

// The last keystroke of "32768" in "To" with ratio 1 : 1 and no filters.
void BM_KeystrokeInTo(benchmark::State& state) {
    App();
    TForm1 form;
    ShowUnfiltered(form, 1);
    TimeLastKeystrokeInTo(state, form);
    if (form.ResultTable.Count() != 32768) {
        state.SkipWithError("the keystroke did not reach To");
    }
    state.counters["rss_bytes"] = ResidentBytes();
}
BENCHMARK(BM_KeystrokeInTo)->Unit(benchmark::kMillisecond);

// The same keystroke with the list sorted by one column, descending, as a header click
// leaves it; the second argument is the ratio's height term (65535: tall divisor lists).
void BM_KeystrokeSorted(benchmark::State& state) {
    static const char* const keys[] = {
        "width", "height", "area%", "area (h*w)", "pixeldif", "letterboxed", "height dividable by"};
    App();
    TForm1 form;
    ShowUnfiltered(form, static_cast<int32_t>(state.range(1)));
    form.ResultTable.SortSpec = std::string("-") + keys[state.range(0)];
    state.SetLabel(form.ResultTable.SortSpec);
    TimeLastKeystrokeInTo(state, form);
    // Every key but the divisor list puts the widest pair first.
    const bool widestFirst = form.ResultTable.GetCell(1, 1) == "32768";
    if (form.ResultTable.Count() != 32768 || (state.range(0) < 6 && !widestFirst)) {
        state.SkipWithError("the keystroke did not reach To, or the rows are not sorted");
    }
}
BENCHMARK(BM_KeystrokeSorted)
    ->ArgsProduct({{0, 1, 2, 3, 4, 5, 6}, {1}})
    ->Args({6, 65535})
    ->Args({0, 65535})
    ->Unit(benchmark::kMillisecond);

// The window listing 32768 rows, ratio 1 : ratioY, with the events of the change handled.
void ShowAllOf32768(TForm1& form, int32_t ratioY = 1) {
    ShowUnfiltered(form, ratioY);
    form.SpinEdit4->SetText(QStringLiteral("32768"));
    QCoreApplication::processEvents();
}

// To changed between 32767 and 32768 with every row selected (ctrl+A): the selected rows are
// found again by their identities, and the row that comes back comes unselected.
void BM_ToWithEveryRowSelected(benchmark::State& state) {
    App();
    TForm1 form;
    ShowAllOf32768(form);
    form.StringGrid1->selectAll();
    QCoreApplication::processEvents();
    int32_t to = 32768;
    for (auto _ : state) {
        to = to == 32768 ? 32767 : 32768;
        form.SpinEdit4->SetText(QString::number(to));
        QCoreApplication::processEvents();
    }
    if (form.StringGrid1->SelectedRows().size() < 32767) {
        state.SkipWithError("the selection was lost");
    }
}
BENCHMARK(BM_ToWithEveryRowSelected)->Unit(benchmark::kMillisecond);

// The print command with 32768 rows, up to the first paint of its dialog: the whole table is
// written into the grid first, which printing reads.
void BM_PrintCommand(benchmark::State& state) {
    App();
    TForm1 form;
    ShowAllOf32768(form);
    form.ResultController.RunDialog = [](QDialog& dialog) {
        dialog.show();
        QCoreApplication::processEvents();
        return static_cast<int>(QDialog::Rejected);
    };
    for (auto _ : state) {
        form.ResultController.PrintGrid();
        state.PauseTiming();
        form.SpinEdit4->SetText(QStringLiteral("32767"));
        form.SpinEdit4->SetText(QStringLiteral("32768"));
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_PrintCommand)->Unit(benchmark::kMillisecond);

// A change of To after printing or export wrote the whole table into the grid: the rows out of
// view are emptied again.
void BM_ToAfterWholeFill(benchmark::State& state) {
    App();
    TForm1 form;
    ShowAllOf32768(form);
    int32_t to = 32768;
    for (auto _ : state) {
        state.PauseTiming();
        form.ResultController.ShowWholeTable(form.ResultTable);
        QCoreApplication::processEvents();
        state.ResumeTiming();
        to = to == 32768 ? 32767 : 32768;
        form.SpinEdit4->SetText(QString::number(to));
        QCoreApplication::processEvents();
    }
}
BENCHMARK(BM_ToAfterWholeFill)->Unit(benchmark::kMillisecond);

// Ctrl+C with every row of 1 : 65535 selected, in the layout with the divisor lists: megabytes
// of text for the clipboard.
void BM_CopyEveryRow(benchmark::State& state) {
    App();
    TForm1 form;
    ShowAllOf32768(form, 65535);
    form.ResultController.NextLayout();
    form.StringGrid1->setFocus();
    form.StringGrid1->selectAll();
    QCoreApplication::processEvents();
    for (auto _ : state) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_C, Qt::ControlModifier);
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_C, Qt::ControlModifier);
        QCoreApplication::sendEvent(form.StringGrid1, &press);
        QCoreApplication::sendEvent(form.StringGrid1, &release);
        QCoreApplication::processEvents();
    }
    if (!QGuiApplication::clipboard()->text().contains(QStringLiteral("Height dividable by"))) {
        state.SkipWithError("nothing was copied");
    }
}
BENCHMARK(BM_CopyEveryRow)->Unit(benchmark::kMillisecond);

// The other column layout (the grid menu's "next layout") with 32768 rows: columns come and go
// under every row, six or seven of them against four.
void BM_NextLayout(benchmark::State& state) {
    App();
    TForm1 form;
    ShowAllOf32768(form);
    for (auto _ : state) {
        form.ResultController.NextLayout();
        QCoreApplication::processEvents();
    }
    if (form.ResultTable.Count() != 32768) {
        state.SkipWithError("the list did not reach To");
    }
}
BENCHMARK(BM_NextLayout)->Unit(benchmark::kMillisecond);

} // namespace
