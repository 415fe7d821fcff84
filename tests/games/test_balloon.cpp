// The balloon game played tick by tick with a scripted generator.
#include <gtest/gtest.h>

#include "BalloonGame.h"
#include "GameRig.h"
#include "OtherWriter.h"
#include "QuestionBox.h"

namespace {

// With every draw 0, each balloon is colour 0 with the letter A and drifts
// left (it stays at X = 0 unless a test moves it).
struct BalloonRig : GameRig {
    BalloonGame game{ctx, view, field};
    BalloonRig() {
        random.setSequence({0.0f});
        game.load();
    }
    const BalloonType& b(int slot) const { return game.balloon(slot); }
    // Ticks until slot 1 flies at or above `y`, then types its letter.
    void popSlot1At(int y) {
        for (int guard = 0; guard < 1000 && (b(1).State != 0 || b(1).Y > y); ++guard) game.tick();
        ASSERT_EQ(b(1).State, 0);
        game.keyDown(vkOf('A'));
        ASSERT_EQ(b(1).State, 5);
    }
    int score() const { return game.txtScore().toInt(); }
};

}  // namespace

TEST(BalloonGame, WholeGameToTheEscapeRecordsScoreAndLevel) {
    BalloonRig rig;
    rig.popSlot1At(199);  // zone 3: 30
    rig.popSlot1At(160);  // zone 3 again: doubled, 60
    rig.popSlot1At(150);  // zone 2: 20
    rig.popSlot1At(81);   // zone 2 again: 40
    rig.popSlot1At(80);   // zone 1: 10
    EXPECT_EQ(rig.game.level(), 1);
    rig.popSlot1At(151);  // zone 3: 30; the sixth pop leaves level 1
    EXPECT_EQ(rig.game.level(), 2);
    EXPECT_EQ(rig.game.txtLevel(), QStringLiteral("2"));
    rig.game.keyDown(16);  // Shift hits nothing: -10
    EXPECT_EQ(rig.score(), 180);

    // Let the balloon escape: at level 2 it rises 3 pixels a tick.
    rig.dialogs.msgAnswers = {MsgResult::No};
    int ticks = 0;
    while (rig.game.mechanics().ticking() && ticks < 1000) {
        rig.game.tick();
        ++ticks;
    }
    EXPECT_LT(rig.b(1).Y, -40);
    EXPECT_EQ(rig.results.GetBalloonScore(0), 180);
    EXPECT_EQ(rig.results.GetBalloonLevel(0), 2);
    EXPECT_EQ(rig.results.GetBalloonName(0), QStringLiteral("tester"));
    EXPECT_EQ(rig.game.txtHiScore(), QStringLiteral("180"));
    EXPECT_EQ(rig.game.txtHiLevel(), QStringLiteral("2"));
    EXPECT_EQ(rig.beeper.beeps, 1);
    ASSERT_EQ(rig.view.scores.size(), 1u);
    EXPECT_EQ(rig.view.scores[0].rank, 1);
    ASSERT_EQ(rig.dialogs.messages.size(), 1u);
    EXPECT_TRUE(isYesNoQuestion(rig.dialogs.messages[0], QStringLiteral("再挑戦しますか？"),
                                QStringLiteral("ゲームオーバー"), 0));  // Yes
    // No: the game stands still, the pause item is disabled, keys do nothing.
    EXPECT_EQ(rig.view.interval, 0);
    EXPECT_FALSE(rig.game.mechanics().pauseEnabled());
    rig.game.keyDown(vkOf('A'));
    rig.game.keyDown(16);
    EXPECT_EQ(rig.score(), 180);
    // The field was not shown on the tick that ended the game.
    EXPECT_EQ(rig.field.steps.back().kind, 'c');
}

TEST(BalloonGame, GameOverKeepsWhatAnotherWriterSavedMeanwhile) {
    BalloonRig rig;
    rig.popSlot1At(199);
    otherwriter::recordMeanwhile(rig.param, rig.dialogs);
    rig.dialogs.msgAnswers = {MsgResult::No};
    for (int ticks = 0; rig.game.mechanics().ticking() && ticks < 1000; ++ticks) rig.game.tick();
    basResults reread(rig.param, rig.dialogs);
    ASSERT_TRUE(reread.LoadResults());
    EXPECT_EQ(reread.GetBalloonScore(0), 30);
    EXPECT_TRUE(otherwriter::scoreSurvived(rig.param, rig.dialogs));
}

TEST(BalloonGame, RetryStartsANewGameAndTheLastZoneSurvivesIt) {
    BalloonRig rig;
    rig.popSlot1At(190);  // zone 3: 30
    rig.dialogs.msgAnswers = {MsgResult::Yes};
    while (rig.view.scores.empty()) rig.game.tick();
    EXPECT_EQ(rig.score(), 0);
    EXPECT_EQ(rig.game.level(), 1);
    EXPECT_TRUE(rig.game.mechanics().ticking());
    EXPECT_EQ(rig.game.mechanics().pauseCaption(), QStringLiteral("停止"));
    EXPECT_EQ(rig.random.randomizeCalls, 2);  // reseeded by every new game
    rig.popSlot1At(190);                      // zone 3 again, in the new game: doubled
    EXPECT_EQ(rig.score(), 60);
}

TEST(BalloonGame, AKeyPopsEveryFlyingBalloonWithItsLetterAndMissesCostTen) {
    BalloonRig rig;
    rig.popSlot1At(199);  // 30
    // A bursting balloon cannot be hit: its letter is a miss.
    rig.game.keyDown(vkOf('A'));
    EXPECT_EQ(rig.score(), 20);
    rig.game.keyDown(vkOf('B'));
    rig.game.keyDown(vkOf('B'));
    rig.game.keyDown(vkOf('B'));
    EXPECT_EQ(rig.score(), -10);  // the score may go below zero
}

TEST(BalloonGame, BurstShowsFourTicksThenTheBalloonRespawnsBelowTheField) {
    BalloonRig rig;
    rig.random.setSequence({0.0f, 0.5f, 0.5f});  // after the pop: colour Int(3.5) = 3, letter Int(13) = N
    rig.popSlot1At(150);
    const int hitY = rig.b(1).Y;
    for (int t = 1; t <= 4; ++t) {
        rig.field.steps.clear();
        rig.game.tick();
        EXPECT_EQ(rig.b(1).Y, hitY) << t;
        const auto sprites = rig.field.of('s');
        ASSERT_EQ(sprites.size(), 1u);
        EXPECT_EQ(sprites[0].sy, 48) << "burst row";
        EXPECT_TRUE(rig.field.of('p').empty()) << "no letter on a burst balloon";
    }
    rig.random.setSequence({0.5f, 0.5f, 0.0f});
    rig.game.tick();  // the fifth: respawned at 200 with a new colour and letter
    EXPECT_EQ(rig.b(1).State, 0);
    EXPECT_EQ(rig.b(1).Y, 200);
    EXPECT_EQ(rig.b(1).Color, 3);
    EXPECT_EQ(rig.b(1).Char, QStringLiteral("N"));
    rig.field.steps.clear();
    rig.game.tick();
    EXPECT_EQ(rig.b(1).Y, 199);
    const auto letters = rig.field.of('p');
    ASSERT_EQ(letters.size(), 1u);
    EXPECT_EQ(letters[0].x, rig.b(1).X + 8);
    EXPECT_EQ(letters[0].y, 199 + 5);
    EXPECT_EQ(rig.field.of('s')[0].sx, 3 * 32);
}

TEST(BalloonGame, DriftFollowsTheParityOfTheRoundedDrawAndStaysInTheField) {
    BalloonRig rig;
    rig.game.balloonRef(1).X = 224;
    // 0.05 * 10 rounds to 0 (even: left); 0.15 * 10 = 1.5 rounds to 2 (even:
    // left); 0.25 * 10 = 2.5 rounds to 2 (even); 0.35 * 10 = 3.5 rounds to 4.
    for (float r : {0.05f, 0.15f, 0.25f, 0.35f}) {
        rig.random.setSequence({r});
        rig.game.tick();
    }
    EXPECT_EQ(rig.b(1).X, 224 - 4 * 8);
    rig.random.setSequence({0.1f});  // 1: odd, right
    for (int t = 0; t < 10; ++t) rig.game.tick();
    EXPECT_EQ(rig.b(1).X, 232);  // moves right only while below 230
    rig.game.balloonRef(1).X = 0;
    rig.random.setSequence({0.0f});
    rig.game.tick();
    EXPECT_EQ(rig.b(1).X, 0);
}

TEST(BalloonGame, LevelThresholdsAndTheJumpFromThreeToFiveBalloonsAtLevel9) {
    BalloonRig rig;
    rig.game.balloonRef(4).X = 64;
    rig.game.balloonRef(5).X = 128;
    std::vector<int> popsAtLevelUp;
    std::vector<int> countAtLevel(11, 0);
    int pops = 0;
    int shownLevel = 1;
    for (int t = 0; t < 5000 && rig.game.level() < 9; ++t) {
        rig.game.tick();
        countAtLevel[static_cast<size_t>(rig.game.level())] = rig.game.balloonCount();
        int flying = 0;
        bool high = false;
        for (int c = 1; c <= rig.game.balloonCount(); ++c) {
            if (rig.b(c).State != 0) continue;
            ++flying;
            high = high || rig.b(c).Y < 160;
        }
        if (!high) continue;
        rig.game.keyDown(vkOf('A'));  // every flying balloon carries A
        pops += flying;
        if (rig.game.level() != shownLevel) {
            shownLevel = rig.game.level();
            popsAtLevelUp.push_back(pops - rig.game.hits());
        }
    }
    EXPECT_EQ(popsAtLevelUp, (std::vector<int>{6, 12, 18, 29, 40, 56, 72, 88}));
    EXPECT_EQ(countAtLevel[3], 1);
    EXPECT_EQ(countAtLevel[4], 2);
    EXPECT_EQ(countAtLevel[5], 2);
    EXPECT_EQ(countAtLevel[8], 3);
    ASSERT_EQ(rig.game.level(), 9);
    EXPECT_EQ(rig.game.balloonCount(), 3);  // until the next tick
    ASSERT_EQ(rig.b(4).Y, 200);
    rig.game.tick();
    EXPECT_EQ(rig.game.balloonCount(), 5);
    EXPECT_EQ(rig.b(4).Y, 200 - 6);  // level 9 rises 6 a tick
    EXPECT_EQ(rig.b(4).X, 56);       // its old X, one drift step left
    EXPECT_EQ(rig.b(5).X, 120);
}

TEST(BalloonGame, SpeedTable) {
    const std::vector<std::pair<int, int>> rows{{1, 1}, {2, 3}, {3, 5}, {4, 4},  {5, 6},   {6, 5},
                                                {7, 7}, {8, 9}, {9, 6}, {10, 8}, {11, 11}, {12, 12}};
    for (const auto& [level, speed] : rows) EXPECT_EQ(BalloonGame::speedAt(level), speed) << level;
}

TEST(BalloonGame, PausedOrOverKeysAndTicksChangeNothing) {
    BalloonRig rig;
    rig.game.tick();
    rig.game.pauseClick();
    EXPECT_EQ(rig.game.mechanics().pauseCaption(), QStringLiteral("再開"));
    EXPECT_EQ(rig.view.interval, 0);
    rig.game.keyDown(vkOf('A'));
    rig.game.tick();
    EXPECT_EQ(rig.score(), 0);
    EXPECT_EQ(rig.b(1).Y, 199);
    // The score item leaves a paused game paused.
    rig.game.scoreClick();
    EXPECT_EQ(rig.view.interval, 0);
    rig.game.pauseClick();
    EXPECT_EQ(rig.game.mechanics().pauseCaption(), QStringLiteral("停止"));
    EXPECT_EQ(rig.view.interval, 100);
    // ... and resumes a running one, with nothing highlighted.
    rig.game.scoreClick();
    EXPECT_EQ(rig.view.interval, 100);
    ASSERT_EQ(rig.view.scores.size(), 2u);
    EXPECT_EQ(rig.view.scores[1].rank, 0);
}

TEST(BalloonGame, AFailedSaveSkipsBeepAndTableButStillAsks) {
    BalloonRig rig;
    rig.breakResultsFile();
    rig.dialogs.msgAnswers = {MsgResult::Cancel, MsgResult::No};
    while (rig.game.mechanics().ticking()) rig.game.tick();
    EXPECT_EQ(rig.beeper.beeps, 0);
    EXPECT_TRUE(rig.view.scores.empty());
    ASSERT_EQ(rig.dialogs.messages.size(), 2u);
    EXPECT_EQ(rig.dialogs.messages[1].text, QStringLiteral("再挑戦しますか？"));
}

TEST(BalloonGame, AScoreOfZeroOrLessLandsInTheSixthRow) {
    BalloonRig rig;
    rig.game.keyDown(16);
    rig.dialogs.msgAnswers = {MsgResult::No};
    while (rig.game.mechanics().ticking()) rig.game.tick();
    ASSERT_EQ(rig.view.scores.size(), 1u);
    EXPECT_EQ(rig.view.scores[0].rank, 6);
    EXPECT_EQ(rig.results.GetBalloonScore(5), -10);
    EXPECT_EQ(rig.results.GetBalloonLevel(5), 1);
}
