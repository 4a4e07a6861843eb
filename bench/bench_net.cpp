// A link click's browser lookup in hostile environments, up to the start of the fall-back
// browser (/bin/true): a 4 MiB mimeapps.list of 7900 ids with 255 dashes each, 100 such ids
// with 1000 data folders, 250000 ids.
#include "net/TUrlLauncher.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

const QString Dashes = QStringLiteral("a-").repeated(255) + "b.desktop;";

void BM_LookupInHostileEnvironment(benchmark::State& state) {
    QTemporaryDir dir;
    QDir().mkpath(dir.filePath("config"));
    QStringList dataDirs{dir.filePath("share")};
    QString ids;
    switch (state.range(0)) {
    case 0:
        ids = Dashes.repeated(7900);
        break;
    case 1:
        ids = Dashes.repeated(100);
        for (int i = 0; i < 1000; ++i) {
            dataDirs += dir.filePath("share/%1").arg(i);
        }
        break;
    default:
        ids = QStringLiteral("x-y.desktop;").repeated(250000);
    }
    QFile list(dir.filePath("config/mimeapps.list"));
    if (!list.open(QIODevice::WriteOnly)) {
        state.SkipWithError("cannot write mimeapps.list");
        return;
    }
    list.write(("[Default Applications]\ntext/html=" + ids + "\n").toUtf8());
    list.close();
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(dir.filePath("config")));
    qputenv("XDG_CONFIG_DIRS", QFile::encodeName(dir.filePath("etc")));
    qputenv("XDG_DATA_HOME", QFile::encodeName(dir.filePath("data")));
    qputenv("XDG_DATA_DIRS", QFile::encodeName(dataDirs.join(u':')));
    qputenv("BROWSER", "/bin/true");
    TUrlLauncher launcher;
    launcher.Url = QStringLiteral("http://example.com/");
    for (auto _ : state) {
        benchmark::DoNotOptimize(launcher.Execute());
    }
}
BENCHMARK(BM_LookupInHostileEnvironment)
    ->ArgName("case")
    ->DenseRange(0, 2)
    ->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
