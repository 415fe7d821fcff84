// The learning engine's hot paths: recording one judged key (inside the key
// handler: memory only), writing the 100 keys of a run in one transaction,
// and the analysis window's figures over a store of one million keystrokes.
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include "Fakes.h"
#include "KeystrokeStore.h"
#include "Learning.h"
#include "MillionKeys.h"
#include "TestFiles.h"
#include "basParam.h"

namespace {

void BM_RecordKey(benchmark::State& state) {
    // The recorder's timers need an application object, as in the program.
    int argc = 1;
    char name[] = "bench_learning";
    char* argv[] = {name, nullptr};
    QCoreApplication app(argc, argv);
    ScratchFolder folder;
    FakeDialogs dialogs;
    FakeClock clock;
    basParam param{folder.path(), QStringLiteral("Lumbra"), dialogs};
    Learning learning(param, clock, dialogs);
    JudgedKey k;
    k.mode = 10;
    k.expectedVk = 65;
    k.pressedVk = 65;
    k.correct = true;
    int n = 0;
    for (auto _ : state) {
        k.tick = clock.now += 180;
        learning.keyJudged(k);
        if (++n == 10000) {  // a long stretch of keys, then a write outside the measure
            state.PauseTiming();
            learning.flush();
            n = 0;
            state.ResumeTiming();
        }
    }
}
BENCHMARK(BM_RecordKey);

void BM_WriteRunOf100Keys(benchmark::State& state) {
    ScratchFolder folder;
    KeystrokeStore store(folder.file(QStringLiteral("Lumbra.db")));
    store.open();
    qint64 next = 0;
    std::vector<learning::Keystroke> run(100);
    for (auto _ : state) {
        for (auto& k : run) k = bench::keyAt(next++);
        if (!store.append(run)) state.SkipWithError("write failed");
    }
}
BENCHMARK(BM_WriteRunOf100Keys)->Unit(benchmark::kMillisecond);

void BM_AnalysisFiguresOverAMillionKeys(benchmark::State& state) {
    KeystrokeStore store(bench::millionKeyStore());
    store.open();
    for (auto _ : state) {
        const auto f = store.figures(0);
        if (!f || f->keystrokes != 1'000'000) state.SkipWithError("store not as built");
        benchmark::DoNotOptimize(f);
    }
}
BENCHMARK(BM_AnalysisFiguresOverAMillionKeys)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
