// The target game played tick by tick with a scripted generator.
#include <gtest/gtest.h>

#include <set>

#include "GameRig.h"
#include "RowTest.h"
#include "TargetGame.h"

namespace {

// With every draw 0, the targets show the first key of their fingers:
// 1 2 3 4 | 6 8 9 0 (6 on the right index finger, the default).
struct TargetRig : GameRig {
    TargetGame game{ctx, view};
    explicit TargetRig(std::vector<float> draws = {0.0f}) {
        random.setSequence(std::move(draws));
        game.load();
    }
    int score() const { return game.txtScore().toInt(); }
    void type(char c) { game.keyDown(vkOf(c)); }
};

}  // namespace

TEST(TargetGame, A620TickGameEndsWithTheBonusRunAcrossWaves) {
    TargetRig rig;
    EXPECT_EQ(rig.game.txtCount(), QStringLiteral("19"));
    // Wave 1: all eight, still inside their cans: 10 + 20 + ... + 80.
    for (char c : {'1', '2', '3', '4', '6', '8', '9', '0'}) rig.type(c);
    EXPECT_EQ(rig.score(), 360);
    EXPECT_FALSE(rig.game.letterVisible(4));
    EXPECT_TRUE(rig.game.targetHit(4));
    EXPECT_EQ(rig.game.caption(4), QStringLiteral("!"));
    for (int t = 0; t < 15; ++t) rig.game.tick();
    EXPECT_EQ(rig.game.targetTop(), 210);
    EXPECT_EQ(rig.game.sinking(), 1);
    for (int t = 0; t < 16; ++t) rig.game.tick();
    EXPECT_EQ(rig.game.wave(), 1);
    EXPECT_EQ(rig.game.targetTop(), 960);
    EXPECT_EQ(rig.game.txtCount(), QStringLiteral("18"));
    EXPECT_TRUE(rig.game.letterVisible(4));
    EXPECT_FALSE(rig.game.targetHit(4));
    // Wave 2: the run goes on (90, 100, 110), a repeated key breaks it (-3),
    // and a new run starts at 10.
    rig.type('1');
    rig.type('2');
    rig.type('3');
    rig.type('3');
    rig.type('4');
    rig.type('6');
    EXPECT_EQ(rig.score(), 360 + 90 + 100 + 110 - 3 + 10 + 20);
    EXPECT_EQ(rig.game.bonus(), 20);

    rig.dialogs.msgAnswers = {MsgResult::Yes};
    for (int t = 31; t < 619; ++t) rig.game.tick();
    EXPECT_EQ(rig.game.wave(), 19);
    EXPECT_EQ(rig.game.txtCount(), QStringLiteral("0"));
    EXPECT_TRUE(rig.view.scores.empty());
    rig.game.tick();  // the 620th tick ends the twentieth wave and the game
    EXPECT_EQ(rig.results.GetTargetScore(0), 687);
    EXPECT_EQ(rig.game.txtHiScore(), QStringLiteral("687"));
    ASSERT_EQ(rig.view.scores.size(), 1u);
    EXPECT_EQ(rig.view.scores[0].rank, 1);
    EXPECT_EQ(rig.beeper.beeps, 1);
    ASSERT_EQ(rig.dialogs.messages.size(), 1u);
    EXPECT_EQ(rig.dialogs.messages[0].defaultButton, 0);
    // Yes: a new game, score 0, the bonus run over.
    EXPECT_EQ(rig.score(), 0);
    EXPECT_EQ(rig.game.wave(), 0);
    EXPECT_EQ(rig.game.bonus(), 0);
    EXPECT_EQ(rig.game.txtCount(), QStringLiteral("19"));
    EXPECT_TRUE(rig.game.mechanics().ticking());
    EXPECT_EQ(rig.random.randomizeCalls, 1);  // only when the window loaded
}

TEST(TargetGame, OnlyOneTargetPerKeyAndMissesCostThree) {
    TargetRig rig;
    rig.type('6');
    EXPECT_EQ(rig.score(), 10);
    rig.type('6');  // already hit in this wave
    rig.type('Q');  // not shown
    EXPECT_EQ(rig.score(), 4);
    EXPECT_EQ(rig.game.bonus(), 0);
    rig.game.pauseClick();
    rig.type('1');
    EXPECT_EQ(rig.score(), 4);
}

struct SymbolRow {
    const char* name;
    float draw;  // the last target's (or the ring finger's) draw
    int target;  // which target carries the symbol
    int keyBoardType;
    int vk;
    bool hit;
};

using TargetSymbolKeys = RowTest<SymbolRow>;

TEST_P(TargetSymbolKeys, AreTranslatedByLayout) {
    std::vector<float> draws(8, 0.0f);
    draws[static_cast<size_t>(row.target)] = row.draw;
    TargetRig rig(draws);
    rig.param.KeyBoardType(static_cast<int16_t>(row.keyBoardType));
    rig.game.keyDown(row.vk);
    EXPECT_EQ(rig.score(), row.hit ? 10 : -3);
    EXPECT_EQ(rig.game.targetHit(row.target), row.hit);
}

INSTANTIATE_TEST_SUITE_P(Rows, TargetSymbolKeys,
                         ::testing::Values(SymbolRow{"semicolon106", 0.5f, 7, 0, 187, true},
                                           SymbolRow{"key186on106", 0.5f, 7, 0, 186, false},
                                           SymbolRow{"semicolon101", 0.5f, 7, 1, 186, true},
                                           SymbolRow{"key187on101", 0.5f, 7, 1, 187, false},
                                           SymbolRow{"slash", 0.75f, 7, 0, 191, true},
                                           SymbolRow{"comma", 0.75f, 5, 1, 188, true},
                                           SymbolRow{"period", 0.75f, 6, 0, 190, true}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(TargetGame, DigitSixGoesToTheFingerBindKey6Names) {
    for (int bind : {3, 4}) {
        SCOPED_TRACE(bind);
        TargetRig rig;
        rig.param.BindKey6(static_cast<int16_t>(bind));
        std::vector<float> draws;
        for (int i = 0; i < 40; ++i) draws.push_back(static_cast<float>(i) / 40.0f);
        std::array<std::set<QString>, 8> dealt;
        for (size_t k = 0; k < draws.size(); ++k) {
            rig.random.setSequence(std::vector<float>(8, draws[k]));
            rig.game.StartGame();
            for (int t = 0; t < 8; ++t) dealt[static_cast<size_t>(t)].insert(rig.game.caption(t));
        }
        const int sixAt = bind == 3 ? 3 : 4;
        for (int t = 0; t < 8; ++t)
            EXPECT_EQ(dealt[static_cast<size_t>(t)].count(QStringLiteral("6")), t == sixAt ? 1u : 0u) << t;
        EXPECT_EQ(dealt[3].size(), bind == 3 ? 9u : 8u);
        EXPECT_EQ(dealt[4].size(), bind == 3 ? 7u : 8u);
        EXPECT_EQ(dealt[4].count(QStringLiteral("Y")), 1u);
    }
}

TEST(TargetGame, LowerCaseLettersAreHitByTheirKeys) {
    TargetRig rig({0.25f});  // second character of each finger: q w e r y i o p
    rig.param.LetterType(1);
    rig.game.StartGame();
    EXPECT_EQ(rig.game.caption(0), QStringLiteral("q"));
    rig.type('Q');
    EXPECT_EQ(rig.score(), 10);
}
