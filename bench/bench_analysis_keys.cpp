// Keys typed into the main window with a million stored keystrokes, the heat
// map on and the analysis window open (all offscreen): the time from a key
// event to its repaint being done, the handling of everything the event loop
// has pending at that moment included. Each drill run is 100 keys; after the
// last key of a run the event loop writes the run, repaints the heat map and
// the summary window and refreshes the analysis window, and that is charged
// to the run's last key (in use it runs after that key has been painted and
// delays only a key that arrives while it runs). The analysis window is let
// refresh after every run here, more often than its two-second limit allows.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDateTime>
#include <QElapsedTimer>
#include <QFile>
#include <QKeyEvent>
#include <algorithm>

#include "BenchSupport.h"
#include "FakeApp.h"
#include "KeyPractice.h"
#include "Learning.h"
#include "MillionKeys.h"
#include "frmAnalysis.h"
#include "frmMain.h"

namespace {

struct Services : FakeAppT<SeededRandom> {
    Learning learning{param, clock, dialogs};
    Services() {
        param.Level(10);
        param.NeedCount(100);
        param.KeyBoardHeatMap(1);
        ctx.learning = &learning;
    }
};

double percentile(std::vector<double> v, double p) {
    std::sort(v.begin(), v.end());
    return v[std::min(v.size() - 1, static_cast<size_t>(p * static_cast<double>(v.size())))];
}

void BM_KeyToScreenWithAnalysisOpen(benchmark::State& state) {
    Services s;
    const QString db = s.param.KeystrokeFileName();
    QFile::remove(db);
    if (!QFile::copy(bench::millionKeyStore(), db)) {
        state.SkipWithError("cannot copy the store");
        return;
    }
    frmMain window(s.ctx);
    window.show();
    QCoreApplication::processEvents();
    std::vector<int16_t> drillKeys;
    for (int16_t vk = 'A'; vk <= 'Z'; ++vk) drillKeys.push_back(vk);
    frmAnalysis* analysis = nullptr;
    if (state.range(0)) {
        analysis = frmAnalysis::showModeless(s.ctx, drillKeys, &window);
        analysis->minRefreshMs = 0;
    }
    QCoreApplication::processEvents();
    const int refreshesBefore = analysis ? analysis->refreshCount() : 0;
    std::vector<double> keys, runEnds;
    QElapsedTimer timer;
    for (auto _ : state) {
        s.clock.advance(150);
        const int code = s.main.keyCode(window.practice().next(0));
        const QString text = window.practice().keyboard().label(code)->legend;
        const int key = code < 128 ? code : text.at(0).unicode();
        const bool last = window.practice().progressValue() == 99;
        timer.start();
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
        QCoreApplication::sendEvent(&window, &press);
        QCoreApplication::processEvents();
        QCoreApplication::processEvents();  // the timers started by the first pass
        const double ms = static_cast<double>(timer.nsecsElapsed()) / 1e6;
        keys.push_back(ms);
        if (last) runEnds.push_back(ms);
    }
    state.counters["p50_ms"] = percentile(keys, 0.5);
    state.counters["p99_ms"] = percentile(keys, 0.99);
    state.counters["max_ms"] = *std::max_element(keys.begin(), keys.end());
    if (!runEnds.empty()) {
        state.counters["run_end_p50_ms"] = percentile(runEnds, 0.5);
        state.counters["run_end_max_ms"] = *std::max_element(runEnds.begin(), runEnds.end());
    }
    if (analysis) state.counters["refreshes"] = analysis->refreshCount() - refreshesBefore;
    window.close();
}
BENCHMARK(BM_KeyToScreenWithAnalysisOpen)
    ->Arg(0)
    ->Arg(1)
    ->ArgName("analysis")
    ->Iterations(3000)
    ->Unit(benchmark::kMillisecond);

// The longest piece of work the analysis window adds to the event loop: one
// refresh after a run of 100 keys was written (figures already computed, as
// the main window's heat map asks for them first), with its repaint.
void BM_AnalysisRefreshAfterARun(benchmark::State& state) {
    Services s;
    const QString db = s.param.KeystrokeFileName();
    QFile::remove(db);
    if (!QFile::copy(bench::millionKeyStore(), db)) {
        state.SkipWithError("cannot copy the store");
        return;
    }
    s.learning.utcNow = [] { return QDateTime::currentMSecsSinceEpoch(); };
    frmAnalysis analysis(s.ctx, {});
    analysis.show();
    QCoreApplication::processEvents();
    qint64 next = 2'000'000;
    std::vector<learning::Keystroke> run(100);
    for (auto _ : state) {
        state.PauseTiming();
        for (auto& k : run) {
            k = bench::keyAt(next++);
            k.timeMs = QDateTime::currentMSecsSinceEpoch() + next;
        }
        s.learning.store()->append(run);
        s.learning.storeChanged();
        s.learning.figures(0);
        state.ResumeTiming();
        analysis.Refresh();
        analysis.repaint();
    }
}
BENCHMARK(BM_AnalysisRefreshAfterARun)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) { return bench::run<QApplication>(argc, argv); }
