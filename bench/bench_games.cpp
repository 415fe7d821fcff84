// One balloon-game tick with five balloons in the air (level 9): the game
// logic and the full redraw of the play field into its image, as the window
// does ten times a second; and the masked sprite drawing alone.
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>

#include "AppContext.h"
#include "BalloonGame.h"
#include "Fakes.h"
#include "QtArtwork.h"
#include "QtPlayField.h"
#include "Widgets.h"
#include "basMain.h"
#include "basParam.h"
#include "basResults.h"

namespace {

struct NullView : GameView {
    void setTimerInterval(int) override {}
    void showScore(int) override {}
};

struct Rig {
    FakeDialogs dialogs;
    basMain main{QStringLiteral("/tmp/")};
    basParam param{QStringLiteral("/tmp/"), QStringLiteral("Lumbra"), dialogs};
    basResults results{param, dialogs};
    FakeClock clock;
    SeededRandom random{42};
    FakeBeeper beeper;
    FakeShell shell;
    AppContext ctx{main, param, results, clock, random, dialogs, beeper, shell, nullptr};
    NullView view;
    QtPlayField field{QSize(BalloonGame::kFieldWidth, BalloonGame::kFieldHeight)};
    BalloonGame game{ctx, view, field};

    Rig() {
        param.DataFileName(QStringLiteral("/nonexistent-folder/Lumbra.dat"));
        field.setBackground(art::balloonSky());
        field.setFont(ui::designFont(QStringLiteral("ＭＳ ゴシック"), 20.25, true));
        game.StartGame();
        // Pop balloons up to level 9, where five are in the air.
        for (int t = 0; t < 20000 && game.level() < 9; ++t) {
            game.tick();
            for (int c = 1; c <= game.balloonCount(); ++c) {
                const BalloonType& b = game.balloon(c);
                if (b.State == 0 && b.Y < 120) game.keyDown(b.Char.toUpper().at(0).unicode());
            }
        }
        game.tick();
    }
    // Keeps every balloon in the field so that the game never ends.
    void keepInField() {
        for (int c = 1; c <= BalloonGame::kSlots; ++c)
            if (game.balloon(c).Y < 0) game.balloonRef(c).Y = 200;
    }
};

void BM_BalloonTickWithFiveBalloons(benchmark::State& state) {
    static Rig rig;
    if (rig.game.balloonCount() != 5) state.SkipWithError("level 9 not reached");
    for (auto _ : state) {
        rig.keepInField();
        rig.game.tick();
        benchmark::DoNotOptimize(rig.field.image().constBits());
    }
}
BENCHMARK(BM_BalloonTickWithFiveBalloons);

void BM_MaskedSprite(benchmark::State& state) {
    QImage target = art::balloonSky().copy();
    int i = 0;
    for (auto _ : state) {
        drawMaskedSprite(target, art::balloonMask(), QRect(0, 0, 32, 48), art::balloonSheet(),
                         QRect((i % 7) * 32, 0, 32, 48), QPoint((i * 8) % 232, 100));
        ++i;
    }
    benchmark::DoNotOptimize(target.constBits());
}
BENCHMARK(BM_MaskedSprite);

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    ui::registerFontSubstitutions();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
