// The results file is reread on every repaint of the results window and
// rewritten after every recorded result: load, and the whole writer cycle.
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QDate>

#include "BenchSupport.h"
#include "FakeApp.h"
#include "basParam.h"
#include "basResults.h"

namespace {

// A program folder holding a results file with every table filled.
struct FilledFolder : FakeApp {
    FilledFolder() { bench::fillResults(param, results); }
};

BENCHMARK(bench::repeatCall<FilledFolder, &FilledFolder::results, &basResults::LoadResults>)->Name("BM_LoadResults");

// The atomic save alone: a temporary file written, synced to the disk and
// renamed over the old one. Wall time (the disk's sync is most of it) and the
// process's CPU time.
BENCHMARK(bench::repeatCall<FilledFolder, &FilledFolder::results, &basResults::SaveResults>)
    ->Name("BM_SaveResults")
    ->UseRealTime()
    ->MeasureProcessCPUTime();

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

int main(int argc, char** argv) { return bench::run<QCoreApplication>(argc, argv); }
