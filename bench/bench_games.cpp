// One tick of each game, as the game windows run them ten times a second:
// the balloon game with five balloons in the air (level 9), logic and full
// redraw of the play field into its image; the target game's logic, and its
// window placing the targets and repainting; the quick-draw game typing one
// cell and animating the cells exploding on its board; and the masked sprite
// drawing alone.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QTimer>

#include "AppContext.h"
#include "BalloonGame.h"
#include "BenchSupport.h"
#include "FakeApp.h"
#include "Fakes.h"
#include "QtArtwork.h"
#include "QtPlayField.h"
#include "SpeedGame.h"
#include "TargetGame.h"
#include "Widgets.h"
#include "basMain.h"
#include "basParam.h"
#include "basResults.h"
#include "frmTarget.h"

namespace {

struct NullView : GameView {
    void setTimerInterval(int) override {}
    void showScore(int) override {}
};

struct Rig : FakeAppT<SeededRandom> {
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

// A target wave is 31 ticks; before the last wave ends (and the game would
// record its score) a new game starts, outside the timing.
template <typename Game>
void keepTargetsRising(benchmark::State& state, Game& game) {
    if (game.wave() < TargetGame::kWaves - 1) return;
    state.PauseTiming();
    game.StartGame();
    state.ResumeTiming();
}

void BM_TargetTick(benchmark::State& state) {
    FakeApp app;
    NullView view;
    TargetGame game(app.ctx, view);
    game.load();
    for (auto _ : state) {
        game.tick();
        keepTargetsRising(state, game);
    }
}
BENCHMARK(BM_TargetTick);

// What the window's timer does: the tick, the targets and letters placed,
// and the repaint of what moved.
void BM_TargetTickWindow(benchmark::State& state) {
    FakeApp app;
    frmTarget window(app.ctx);
    window.show();
    QCoreApplication::processEvents();
    window.timer()->stop();  // ticks come from the loop below
    for (auto _ : state) {
        window.game().tick();
        window.refreshNow();
        QCoreApplication::processEvents();
        keepTargetsRising(state, window.game());
    }
    window.close();
}
BENCHMARK(BM_TargetTickWindow);

// One right key and one tick: the typed cell and the next one reprinted, and
// the three or four cells exploding drawn on the board's image.
void BM_SpeedKeyAndTick(benchmark::State& state) {
    FakeApp app;
    NullView view;
    QtPlayField board(QSize(SpeedGame::kCell * 6, SpeedGame::kCell * 6));
    board.setBackground(QColor(Qt::black));
    board.setFont(ui::designFont(QStringLiteral("ＭＳ ゴシック"), 24, true));
    SpeedGame game(app.ctx, view, board);
    game.load();
    for (auto _ : state) {
        game.keyDown(game.chars(game.pos()).toUpper().at(0).unicode());
        game.tick();
        if (game.pos() >= SpeedGame::kCells - 4) {  // a new board before this one ends
            state.PauseTiming();
            game.StartGame();
            state.ResumeTiming();
        }
    }
    benchmark::DoNotOptimize(board.image().constBits());
}
BENCHMARK(BM_SpeedKeyAndTick);

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

int main(int argc, char** argv) { return bench::run<QApplication>(argc, argv); }
