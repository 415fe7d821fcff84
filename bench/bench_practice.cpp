// One drill key-down: through the logic alone, and through the main window
// (offscreen), where it also repaints key colours, queue texts and progress.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QKeyEvent>

#include "BenchSupport.h"
#include "FakeApp.h"
#include "KeyPractice.h"
#include "frmMain.h"

namespace {

struct Services : FakeAppT<SeededRandom> {
    Services() {
        param.Level(10);
        param.NeedCount(9999);
    }
};

void BM_DrillKeyDownLogic(benchmark::State& state) {
    Services s;
    KeyPractice practice(s.main, s.param, s.results, s.clock, s.random, s.beeper);
    practice.Form_Load();
    const bool miss = state.range(0) != 0;
    for (auto _ : state) {
        s.clock.advance(150);
        practice.Form_KeyDown(miss ? int16_t(16) : s.main.keyCode(practice.next(0)));
        if (miss && practice.running() && practice.missCount() > 5000) practice.ReStart();
    }
}
BENCHMARK(BM_DrillKeyDownLogic)->Arg(0)->Arg(1)->ArgName("miss");

void BM_DrillKeyDownWindow(benchmark::State& state) {
    Services s;
    frmMain window(s.ctx);
    window.show();
    for (auto _ : state) {
        s.clock.advance(150);
        const int code = s.main.keyCode(window.practice().next(0));
        // Letters and digits: the Qt key equals the code; the symbol keys by their legend.
        const QString text = window.practice().keyboard().label(code)->legend;
        const int key = code < 128 ? code : text.at(0).unicode();
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
        QCoreApplication::sendEvent(&window, &press);
        QCoreApplication::processEvents();
    }
    window.close();
}
BENCHMARK(BM_DrillKeyDownWindow);

}  // namespace

int main(int argc, char** argv) { return bench::run<QApplication>(argc, argv); }
