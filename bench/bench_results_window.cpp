// The test results window rereads the results file on every repaint of its
// client area: that work alone (ShowResults: load, format, labels that did
// not change left alone), and a whole repaint of the client area.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDate>

#include "BenchSupport.h"
#include "FakeApp.h"
#include "Widgets.h"
#include "frmResults.h"

namespace {

struct ResultsWindow {
    FakeApp app;
    frmResults* window = nullptr;

    ResultsWindow() {
        bench::fillResults(app.param, app.results);
        window = new frmResults(app.ctx);
        window->show();
        QCoreApplication::processEvents();
    }
    ~ResultsWindow() { delete window; }
};

void BM_ResultsWindowRepaintWork(benchmark::State& state) {
    ResultsWindow w;
    for (auto _ : state) w.window->ShowResults();
}
BENCHMARK(BM_ResultsWindowRepaintWork);

void BM_ResultsWindowRepaint(benchmark::State& state) {
    ResultsWindow w;
    for (auto _ : state) w.window->centralWidget()->repaint();
}
BENCHMARK(BM_ResultsWindowRepaint);

}  // namespace

int main(int argc, char** argv) { return bench::run<QApplication>(argc, argv); }
