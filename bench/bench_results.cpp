// The results file is reread on every repaint of the results window and
// rewritten after every recorded result: load, and the whole writer cycle.
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QDate>

#include "Fakes.h"
#include "TestFiles.h"
#include "basParam.h"
#include "basResults.h"

namespace {

// A program folder holding a results file with every table filled.
struct FilledFolder {
    ScratchFolder folder;
    FakeDialogs dialogs;
    basParam param{folder.path(), QStringLiteral("Lumbra"), dialogs};
    basResults results{param, dialogs};

    FilledFolder() {
        results.setToday([] { return QDate(2024, 3, 5); });
        param.PlayerName(QStringLiteral("山田太郎"));
        for (int i = 0; i < 60; ++i) {
            results.AddTestTime(i % 2 ? 0 : 2, 30.0 + i);
            results.AddTestMiss(i % 2 ? 0 : 2, static_cast<int16_t>(i % 9));
            results.AddTextResult(300 + i, i % 5, 150.5 + i);
        }
        for (int i = 0; i < 6; ++i) {
            results.AddBalloonScore(100 * i, i + 1);
            results.AddTargetScore(10 * i);
            results.AddSpeedTime(5000 + 100 * i, static_cast<int16_t>(i));
        }
        results.SaveResults();
    }
};

void BM_LoadResults(benchmark::State& state) {
    FilledFolder f;
    for (auto _ : state) benchmark::DoNotOptimize(f.results.LoadResults());
}
BENCHMARK(BM_LoadResults);

// The atomic save alone: a temporary file written, synced to the disk and
// renamed over the old one. Wall time (the disk's sync is most of it) and the
// process's CPU time.
void BM_SaveResults(benchmark::State& state) {
    FilledFolder f;
    for (auto _ : state) benchmark::DoNotOptimize(f.results.SaveResults());
}
BENCHMARK(BM_SaveResults)->UseRealTime()->MeasureProcessCPUTime();

// What the main window does after a test: reload, add, save (a whole-file
// atomic replace).
void BM_RecordTestCycle(benchmark::State& state) {
    FilledFolder f;
    for (auto _ : state) {
        f.results.ReloadResults();
        f.results.AddTestTime(2, 42.5);
        f.results.AddTestMiss(2, 3);
        benchmark::DoNotOptimize(f.results.SaveResults());
    }
}
BENCHMARK(BM_RecordTestCycle);

// The in-memory image alone, without the disk.
void BM_ParseAndBuildImage(benchmark::State& state) {
    FilledFolder f;
    const QByteArray image = f.results.ResultsFileBytes();
    for (auto _ : state) {
        f.results.ParseResults(image);
        benchmark::DoNotOptimize(f.results.ResultsFileBytes());
    }
}
BENCHMARK(BM_ParseAndBuildImage);

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
