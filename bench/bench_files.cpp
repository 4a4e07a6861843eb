// Loading a print settings file that is mostly empty lines, the largest the reader accepts:
// time, and the peak of resident memory above the process's size before the load.
#include "files/IniFile.h"
#include "files/TPrintSettings.h"

#include <QFile>
#include <QTemporaryDir>
#include <fstream>
#include <string>

#include <benchmark/benchmark.h>

namespace {

// Resident memory now and at its peak, in bytes; the peak restarts from now.
long long StatusBytes(const char* field) {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind(field, 0) == 0) {
            return std::stoll(line.substr(line.find(':') + 1)) * 1024;
        }
    }
    return 0;
}

void ResetPeak() {
    std::ofstream("/proc/self/clear_refs") << "5";
}

void BM_LoadSettingsOf16MiBNewlines(benchmark::State& state) {
    QTemporaryDir dir;
    const QString path = dir.filePath("newlines.ini");
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) ||
            file.write(QByteArray(IniFile::MaxFileSize, '\n')) != IniFile::MaxFileSize) {
            state.SkipWithError("cannot write the file");
            return;
        }
    }
    long long peak = 0;
    for (auto _ : state) {
        const long long before = StatusBytes("VmRSS");
        ResetPeak();
        TPrintSettings settings;
        benchmark::DoNotOptimize(settings.LoadFrom(path));
        peak = std::max(peak, StatusBytes("VmHWM") - before);
    }
    state.counters["peak_MB"] = static_cast<double>(peak) / 1e6;
}
BENCHMARK(BM_LoadSettingsOf16MiBNewlines)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
