// The per-key model: the weakness formula, when a key counts as known, the
// drill weights and the heat-map colours.
#include <gtest/gtest.h>

#include "LearningRig.h"

using namespace learning;

namespace {
KeyFigures key(int16_t vk, qint64 attempts, qint64 misses, qint64 meanMs) {
    KeyFigures k;
    k.vk = vk;
    const qint64 timed = attempts - misses;
    k.recent = {attempts, misses, timed, timed * meanMs};
    k.total = k.recent;
    return k;
}
}  // namespace

TEST(KeyModel, WeaknessIsExpectedTimePerCorrectKeyOverTheMedianKey) {
    // expected = mean / accuracy: 200 / 1.0, 250 / 1.0, 300 / 0.75 = 400.
    std::vector<KeyFigures> keys{key(65, 40, 0, 200), key(66, 40, 0, 250), key(67, 40, 10, 300),
                                 key(68, 19, 0, 100)};  // 19 attempts: not known yet
    finish(keys);
    ASSERT_EQ(keys.size(), 4u);
    EXPECT_EQ(keys[0].vk, 67);
    EXPECT_DOUBLE_EQ(*keys[0].weakness, 400.0 / 250.0);
    EXPECT_EQ(keys[1].vk, 66);
    EXPECT_DOUBLE_EQ(*keys[1].weakness, 1.0);
    EXPECT_DOUBLE_EQ(*keys[2].weakness, 200.0 / 250.0);
    EXPECT_EQ(keys[3].vk, 68);
    EXPECT_FALSE(keys[3].weakness);
}

TEST(KeyModel, PausesAndFirstKeysDoNotCountForSpeedAndTheTrendComparesRecentWithAll) {
    Counts c;
    c.add(true, -1);    // first key of a run
    c.add(true, 2001);  // a pause
    c.add(true, 2000);
    c.add(false, 100);  // a miss is an attempt, not a time
    c.add(true, 400);
    EXPECT_EQ(c.attempts, 5);
    EXPECT_EQ(c.misses, 1);
    EXPECT_DOUBLE_EQ(*c.meanMs(), 1200.0);

    std::vector<KeyFigures> keys{key(65, 50, 0, 300), key(66, 50, 0, 300)};
    keys[0].total = {500, 100, 400, 400 * 300};  // used to miss one in five
    finish(keys);
    ASSERT_EQ(keys[0].vk, 65);
    EXPECT_NEAR(*keys[0].trend, 300.0 / 375.0 - 1.0, 1e-12);  // better now
    EXPECT_EQ(*keys[1].trend, 0.0);
}

TEST(KeyModel, DrillWeightsKeepAFloorAndWaitForHalfTheKeys) {
    EXPECT_TRUE(drillWeights({1.0, std::nullopt, std::nullopt}).empty());
    const auto w = drillWeights({0.0, 1.0, 2.0, 10.0, std::nullopt});
    ASSERT_EQ(w.size(), 5u);
    EXPECT_DOUBLE_EQ(w[0], 0.25);  // the surest key never disappears
    EXPECT_DOUBLE_EQ(w[1], 1.25);
    EXPECT_DOUBLE_EQ(w[2], 4.25);
    EXPECT_DOUBLE_EQ(w[3], 16.25);  // capped at weakness 4
    EXPECT_DOUBLE_EQ(w[4], 1.25);   // unknown: like a typical key
    EXPECT_EQ(drawWeighted({1, 3}, 0.0), 0);
    EXPECT_EQ(drawWeighted({1, 3}, 0.249), 0);
    EXPECT_EQ(drawWeighted({1, 3}, 0.25), 1);
    EXPECT_EQ(drawWeighted({1, 3}, 0.999), 1);
}

TEST(KeyModel, HeatColoursRunFromGreenThroughPaleToRed) {
    const auto red = [](uint32_t c) { return static_cast<int>(c & 0xFF); };
    const auto green = [](uint32_t c) { return static_cast<int>((c >> 8) & 0xFF); };
    EXPECT_EQ(heatColor(std::nullopt), kUnknownHeatColor);
    EXPECT_GT(green(heatColor(0.5)), red(heatColor(0.5)));  // sure and quick: green
    EXPECT_EQ(heatColor(1.0), 255u + 256u * 250u + 65536u * 200u);
    EXPECT_GT(red(heatColor(3.0)), 2 * green(heatColor(3.0)));  // weak: red
    for (double w = 0.5; w < 1.0; w += 0.1) EXPECT_LE(red(heatColor(w)), red(heatColor(w + 0.1))) << w;
    for (double w = 1.0; w < 2.5; w += 0.1) EXPECT_GE(green(heatColor(w)), green(heatColor(w + 0.1))) << w;
    EXPECT_EQ(heatColor(2.0), heatColor(9.0));
}
