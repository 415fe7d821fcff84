// One full redraw of each graph at 800 x 600 pixels (12000 x 9000 twips),
// into the recording surface (the drawing logic alone) and into a QImage
// (what the window does on every size, colour or data change).
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>

#include "BenchSupport.h"
#include "FakeApp.h"
#include "GraphPlot.h"
#include "QtSurface.h"
#include "RecordingSurface.h"
#include "Widgets.h"
#include "basMain.h"
#include "basParam.h"
#include "basResults.h"

namespace {

constexpr int kWidthPx = 800, kHeightPx = 600;

struct Data : FakeApp {
    TestGraphData test;
    TextGraphData text;
    MissKeyData keys;

    Data() {
        main.MakeKeyCodeTable(0);
        for (int i = 0; i < 60; ++i) {
            results.AddTestTime(0, 25.0 + (i * 37 % 23) * 0.75);
            results.AddTestMiss(0, static_cast<int16_t>(i * 7 % 9));
            results.AddTextResult(300 + i * 13 % 200, i * 5 % 11, 90.0 + (i * 17 % 40) * 1.5);
        }
        results.ResetRun();
        for (int k = 0; k <= 46; k += 2) results.AddRunKeyMiss(k, static_cast<int16_t>(1 + k % 6));
        results.CommitRun();
        test = TestGraphData::fromResults(results, 0);
        text = TextGraphData::fromResults(results);
        keys = MissKeyData::fromResults(results, main, param);
    }
};

Data& data() {
    static Data d;
    return d;
}

const TestGraphStyle kTestStyle{0, 0xEFEFEF, 0x0000FF, 0xFF8000, QStringLiteral("ＭＳ ゴシック")};
const TextGraphStyle kTextStyle{0, 0xEFEFEF, {0x8080FF, 0x008000, 0xFF8000}, 7, QStringLiteral("ＭＳ ゴシック")};
const MissKeyStyle kKeyStyle{0, 0xEFEFEF, 0x379B37, FillStyle::DownwardDiagonal, QStringLiteral("ＭＳ ゴシック")};

template <typename Draw>
void recorded(benchmark::State& state, Draw draw) {
    for (auto _ : state) {
        RecordingSurface s(kWidthPx * 15.0, kHeightPx * 15.0);
        draw(s);
        benchmark::DoNotOptimize(s.ops.data());
    }
}

template <typename Draw>
void painted(benchmark::State& state, Draw draw) {
    QImage image(kWidthPx, kHeightPx, QImage::Format_RGB32);
    {
        QtSurface warmUp(image);  // loads the fonts, as the window's first drawing does
        draw(warmUp);
    }
    for (auto _ : state) {
        QtSurface s(image);
        draw(s);
    }
    benchmark::DoNotOptimize(image.constBits());
}

// Each graph drawn both ways. The painted runs report wall time and the CPU
// time of all threads: Qt splits large fills (the cleared background, tall
// bars) over its thread pool.
const bool kRegistered = [] {
    using Draw = void (*)(Surface&);
    const std::pair<const char*, Draw> graphs[] = {
        {"TestGraph", [](Surface& s) { drawTestGraph(s, data().test, kTestStyle); }},
        {"TextGraph", [](Surface& s) { drawTextGraph(s, data().text, kTextStyle); }},
        {"MissKeyGraph", [](Surface& s) { drawMissKeyGraph(s, data().keys, kKeyStyle); }},
    };
    for (const auto& graph : graphs) {
        const Draw draw = graph.second;
        const std::string base = std::string("BM_") + graph.first;
        benchmark::RegisterBenchmark((base + "_Recorded").c_str(),
                                     [draw](benchmark::State& st) { recorded(st, draw); });
        benchmark::RegisterBenchmark((base + "_Image").c_str(), [draw](benchmark::State& st) { painted(st, draw); })
            ->UseRealTime()
            ->MeasureProcessCPUTime();
    }
    return true;
}();

}  // namespace

int main(int argc, char** argv) { return bench::run<QGuiApplication>(argc, argv); }
