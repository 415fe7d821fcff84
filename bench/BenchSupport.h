#pragma once
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QDate>
#include <type_traits>

#include "Widgets.h"
#include "basParam.h"
#include "basResults.h"

// What every benchmark program shares: its main and the filled results.
namespace bench {

// Runs the registered benchmarks inside a Qt application of type App. Window
// and painting benchmarks (any App but QCoreApplication) run offscreen unless
// another platform is asked for, with the program's font substitutions.
template <typename App>
int run(int argc, char** argv) {
    constexpr bool gui = !std::is_same_v<App, QCoreApplication>;
    if (gui && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    App app(argc, argv);
    if (gui) ui::registerFontSubstitutions();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

// Times one call repeated on a folder made once for the run: Folder is the
// fixture, Part the member holding the code measured (its param or results),
// Call the method called on it. Register with a name:
// BENCHMARK(bench::repeatCall<...>)->Name("BM_...").
template <typename Folder, auto Part, auto Call>
void repeatCall(benchmark::State& state) {
    Folder folder;
    for (auto _ : state) benchmark::DoNotOptimize(((folder.*Part).*Call)());
}

// Every history and table in use, as after months of practice: 60 tests of
// each kind, 60 text results, all high-score rows (dated 2024/03/05), saved.
inline void fillResults(basParam& param, basResults& results) {
    results.setToday([] { return QDate(2024, 3, 5); });
    param.PlayerName(QStringLiteral("山田太郎"));
    for (int i = 0; i < 60; ++i) {
        results.AddTestTime(i % 2 ? 0 : 2, 30.0 + i * 0.25);
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

}  // namespace bench
