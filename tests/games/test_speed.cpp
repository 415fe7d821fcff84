// The quick-draw game played key by key and tick by tick.
#include <gtest/gtest.h>

#include "GameRig.h"
#include "SpeedGame.h"

namespace {

const QString kPool = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZ1234567890");

struct SpeedRig : GameRig {
    SpeedGame game{ctx, view, field};
    explicit SpeedRig(int order, std::vector<float> draws = {0.99f}) {
        param.SpeedGameType(static_cast<int16_t>(order));
        random.setSequence(std::move(draws));
        clock.now = 50000;
        game.load();
    }
    QString board() const {
        QString s;
        for (int i = 0; i < SpeedGame::kCells; ++i) s += game.chars(i);
        return s;
    }
    // Types the whole board, `stepMs` apart, with the extra wrong keys given
    // before the key at the same index; then ticks until the board is clear.
    void play(uint32_t stepMs, const std::map<int, std::vector<int>>& wrongBefore) {
        for (int i = 0; i < SpeedGame::kCells; ++i) {
            if (auto it = wrongBefore.find(i); it != wrongBefore.end())
                for (int vk : it->second) game.keyDown(vk);
            game.keyDown(game.chars(i).toUpper().at(0).unicode());
            clock.advance(stepMs);
        }
        for (int t = 0; t < 10 && game.mechanics().ticking(); ++t) game.tick();
    }
};

QString reversed(QString s) {
    std::reverse(s.begin(), s.end());
    return s;
}

}  // namespace

TEST(SpeedGame, BoardsInBothOrders) {
    EXPECT_EQ(SpeedRig(0).board(), kPool);
    // A draw near 1 always takes the last remaining character.
    EXPECT_EQ(SpeedRig(1, {0.99f}).board(), reversed(kPool));
    // 0.5: 0.5 * 35 + 1 = 18.5 rounds to 18 (R); then 0.5 * 34 + 1 = 18 (S
    // moved to place 18); 0.5 * 33 + 1 = 17.5 rounds to 18 again (T).
    EXPECT_TRUE(SpeedRig(1, {0.5f}).board().startsWith(QStringLiteral("RST")));
    SpeedRig lower(0);
    lower.param.LetterType(1);
    lower.game.StartGame();
    EXPECT_EQ(lower.board(), QStringLiteral("abcdefghijklmnopqrstuvwxyz1234567890"));
}

TEST(SpeedGame, GamesInBothOrdersRankIntoTheirHalfOfTheTable) {
    SpeedRig rig(0);
    // A wrong first key starts the clock and is a miss; a keypad 1 never matches.
    rig.play(100, {{0, {vkOf('Z')}}, {27, {0x61}}});
    ASSERT_EQ(rig.view.scores.size(), 1u);
    EXPECT_EQ(rig.view.scores[0].rank, 1);
    EXPECT_EQ(rig.results.GetSpeedTime(0), 3.5);  // 36 keys 100 ms apart after the first (wrong) one
    EXPECT_EQ(rig.results.GetSpeedMisses(0), 2);
    EXPECT_EQ(rig.beeper.beeps, 0);
    EXPECT_TRUE(rig.dialogs.messages.empty());
    // A new board waits for its first key.
    EXPECT_EQ(rig.game.pos(), 0);
    EXPECT_EQ(rig.game.firstKeyTime(), 0u);
    EXPECT_FALSE(rig.game.mechanics().ticking());

    ASSERT_TRUE(rig.game.setGameType(1));
    EXPECT_EQ(rig.board(), reversed(kPool));
    rig.play(200, {});
    rig.play(150, {{5, {vkOf('A'), vkOf('A')}}});
    ASSERT_EQ(rig.view.scores.size(), 3u);
    EXPECT_EQ(rig.view.scores[1].rank, 1);
    EXPECT_EQ(rig.view.scores[1].speedGameType, 1);
    EXPECT_EQ(rig.view.scores[2].rank, 1);  // faster: first, the older one moves down
    EXPECT_EQ(rig.results.GetSpeedTime(6), 150 * 35 / 1000.0);
    EXPECT_EQ(rig.results.GetSpeedMisses(6), 2);
    EXPECT_EQ(rig.results.GetSpeedTime(7), 7.0);
    EXPECT_EQ(rig.results.GetSpeedTime(0), 3.5);  // the ABC half untouched
    EXPECT_EQ(rig.results.GetSpeedTime(1), 0.0);
}

TEST(SpeedGame, ExplosionFramesThenTheWipe) {
    SpeedRig rig(0);
    rig.game.keyDown(vkOf('A'));
    rig.field.steps.clear();
    for (int t = 0; t < 3; ++t) rig.game.tick();
    const auto frames = rig.field.of('s');
    ASSERT_EQ(frames.size(), 3u);
    for (int f = 0; f < 3; ++f) {
        EXPECT_EQ(frames[static_cast<size_t>(f)].sx, f * 48);
        EXPECT_EQ(frames[static_cast<size_t>(f)].x, 5);
        EXPECT_EQ(frames[static_cast<size_t>(f)].y, -5);
    }
    EXPECT_EQ(rig.game.cleared(), 0);
    rig.game.tick();
    ASSERT_EQ(rig.field.of('f').size(), 1u);
    EXPECT_EQ(rig.game.cleared(), 1);
}

TEST(SpeedGame, TypedAndActiveCharactersAreRedrawnInTheirColours) {
    SpeedRig rig(0);
    rig.field.steps.clear();
    rig.game.keyDown(vkOf('A'));
    const auto prints = rig.field.of('p');
    ASSERT_EQ(prints.size(), 2u);
    EXPECT_EQ(prints[0].text, QStringLiteral("A"));
    EXPECT_EQ(prints[0].color, rig.game.normalColor());
    EXPECT_EQ(prints[1].text, QStringLiteral("B"));
    EXPECT_EQ((std::pair{prints[1].x, prints[1].y}), (std::pair{48 + 10, 0}));
    EXPECT_EQ(prints[1].color, rig.game.activeColor());
    // A redraw (resize, colours) shows only what is left to type.
    rig.field.steps.clear();
    rig.game.setColor(0, 0x00FF00);
    EXPECT_EQ(rig.param.SpeedNormalColor(), QStringLiteral("000255000"));
    EXPECT_EQ(rig.field.of('p').size(), 2u * 35);
    EXPECT_EQ(rig.field.of('p')[1].color, rig.game.activeColor());
    EXPECT_EQ(rig.field.of('p')[3].color, 0x00FF00u);
    rig.game.colorDefaults();
    EXPECT_EQ(rig.game.normalColor(), 55u * 65536 + 55u * 256 + 255u);
}

TEST(SpeedGame, MissesStopAtTheLargest16BitCount) {
    SpeedRig rig(0);
    for (int i = 0; i < 33000; ++i) rig.game.keyDown(16);
    EXPECT_EQ(rig.game.misses(), 32767);
}

TEST(SpeedGame, TheScoreMenuShowsTheChosenHalfAndTheClockRunsOn) {
    SpeedRig rig(0);
    rig.game.keyDown(vkOf('A'));
    rig.game.showScoreOf(1);
    ASSERT_EQ(rig.view.scores.size(), 1u);
    EXPECT_EQ(rig.view.scores[0].speedGameType, 1);
    EXPECT_EQ(rig.view.scores[0].rank, 0);
    EXPECT_EQ(rig.param.SpeedGameType(), 0);
    EXPECT_TRUE(rig.game.mechanics().ticking());
    EXPECT_FALSE(rig.game.setGameType(0));  // the current order: no restart
    EXPECT_EQ(rig.game.pos(), 1);
}

TEST(SpeedGame, AFailedSaveSkipsTheTableButDealsANewBoard) {
    SpeedRig rig(0);
    rig.breakResultsFile();
    rig.play(100, {});
    EXPECT_TRUE(rig.view.scores.empty());
    EXPECT_EQ(rig.dialogs.messages.size(), 1u);  // the write error
    EXPECT_EQ(rig.game.pos(), 0);
}

// The board's last explosion ends while the score table of the other order is
// open: the result goes to the half of the order the board was played in,
// once, after that dialog has closed, and the next board is of that order.
TEST(SpeedGame, ABoardEndingInsideTheScoreDialogIsFiledAfterItUnderItsOwnOrder) {
    SpeedRig rig(0);
    for (int i = 0; i < SpeedGame::kCells; ++i) {
        rig.game.keyDown(rig.game.chars(i).toUpper().at(0).unicode());
        rig.clock.advance(100);
    }
    rig.view.whileShown = [&] {
        for (int t = 0; t < 10 && rig.game.mechanics().ticking(); ++t) rig.game.tick();
    };
    rig.game.showScoreOf(1);
    rig.view.whileShown = nullptr;
    ASSERT_EQ(rig.view.scores.size(), 2u);
    EXPECT_EQ(rig.view.scores[0].speedGameType, 1);  // the table asked for
    EXPECT_EQ(rig.view.scores[1].speedGameType, 0);  // the board's own
    EXPECT_EQ(rig.view.scores[1].rank, 1);
    EXPECT_EQ(rig.view.mostOpen, 1) << "no dialog over another";
    EXPECT_EQ(rig.results.GetSpeedTime(0), 3.5);
    EXPECT_EQ(rig.results.GetSpeedTime(1), 0.0);
    EXPECT_EQ(rig.results.GetSpeedTime(6), 0.0) << "nothing in the random half";
    EXPECT_EQ(rig.param.SpeedGameType(), 0);
    EXPECT_EQ(rig.game.boardType(), 0);
    EXPECT_EQ(rig.board(), kPool);
}

// The same while the colour dialog is open: one result, after it.
TEST(SpeedGame, ABoardEndingInsideTheColourDialogIsFiledOnceAfterIt) {
    SpeedRig rig(1);
    for (int i = 0; i < SpeedGame::kCells; ++i) rig.game.keyDown(rig.game.chars(i).toUpper().at(0).unicode());
    rig.game.runDialog([&] {
        for (int t = 0; t < 10 && rig.game.mechanics().ticking(); ++t) rig.game.tick();
        EXPECT_TRUE(rig.view.scores.empty()) << "the score table waits for the colour dialog";
    });
    ASSERT_EQ(rig.view.scores.size(), 1u);
    EXPECT_EQ(rig.view.scores[0].speedGameType, 1);
    EXPECT_EQ(rig.game.pos(), 0);
}

// The order switched while the typed board still explodes: filed under its own.
TEST(SpeedGame, ABoardTypedToTheEndIsFiledWhenTheOrderChangesDuringItsExplosions) {
    SpeedRig rig(0);
    for (int i = 0; i < SpeedGame::kCells; ++i) rig.game.keyDown(rig.game.chars(i).toUpper().at(0).unicode());
    rig.game.tick();
    ASSERT_TRUE(rig.game.setGameType(1));
    ASSERT_EQ(rig.view.scores.size(), 1u);
    EXPECT_EQ(rig.view.scores[0].speedGameType, 0);
    EXPECT_EQ(rig.board(), reversed(kPool));
}
