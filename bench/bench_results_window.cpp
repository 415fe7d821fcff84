// The test results window rereads the results file on every repaint of its
// client area: that work alone (ShowResults: load, format, labels that did
// not change left alone), and a whole repaint of the client area.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDate>

#include "FakeApp.h"
#include "Widgets.h"
#include "frmResults.h"

namespace {

struct ResultsWindow {
    FakeApp app;
    frmResults* window = nullptr;

    ResultsWindow() {
        app.results.setToday([] { return QDate(2024, 3, 5); });
        for (int i = 0; i < 60; ++i) {
            app.results.AddTestTime(i % 2 ? 0 : 2, 30.0 + i * 0.25);
            app.results.AddTestMiss(i % 2 ? 0 : 2, static_cast<int16_t>(i % 9));
        }
        app.results.SaveResults();
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

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ui::registerFontSubstitutions();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
