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
#include "TestFiles.h"
#include "basParam.h"

namespace {

// A run-like stream of keys: the 47 keys in turn, one in nine a miss.
learning::Keystroke keyAt(qint64 i) {
    learning::Keystroke k;
    k.timeMs = 1'780'000'000'000 + i * 250;
    k.mode = 10;
    k.expectedVk = static_cast<int16_t>(48 + (i * 7) % 43);
    k.pressedVk = i % 9 == 0 ? int16_t(16) : k.expectedVk;
    k.correct = k.pressedVk == k.expectedVk;
    k.gapMs = i % 100 == 0 ? -1 : static_cast<int32_t>(150 + (i * 37) % 400);
    k.prevVk = i % 100 == 0 ? int16_t(0) : static_cast<int16_t>(48 + ((i - 1) * 7) % 43);
    return k;
}

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
        for (auto& k : run) k = keyAt(next++);
        if (!store.append(run)) state.SkipWithError("write failed");
    }
}
BENCHMARK(BM_WriteRunOf100Keys)->Unit(benchmark::kMillisecond);

// One million keystrokes in ten thousand runs over 40 days, kept between
// runs of this program in the temporary folder (building it takes a while).
QString millionKeyStore() {
    const QString path = QDir::tempPath() + QStringLiteral("/lumbra-bench-1m-v%1.db").arg(KeystrokeStore::kSchemaVersion);
    KeystrokeStore store(path);
    if (store.open()) {
        if (const auto f = store.figures(0); f && f->keystrokes == 1'000'000) return path;
    }
    store.close();
    QFile::remove(path);
    QFile::remove(path + QStringLiteral("-wal"));
    QFile::remove(path + QStringLiteral("-shm"));
    store.open();
    std::vector<learning::Keystroke> batch;
    for (qint64 i = 0; i < 1'000'000; ++i) {
        learning::Keystroke k = keyAt(i);
        k.timeMs = 1'780'000'000'000 + i * 3456;  // about 40 days
        batch.push_back(k);
        if (batch.size() == 10000) {
            store.append(batch);
            batch.clear();
        }
    }
    return path;
}

void BM_AnalysisFiguresOverAMillionKeys(benchmark::State& state) {
    KeystrokeStore store(millionKeyStore());
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
