// The per-key model: the weakness formula, when a key counts as known, the
// drill weights and the heat-map colours.
#include <gtest/gtest.h>

#include <cmath>

#include "LearningReport.h"
#include "LearningRig.h"

using namespace learning;

namespace {
// Keys from rows {vk, attempts, every how many a miss (0: none), gap}, newest
// attempt first; `older` follows the first row's attempts.
struct Key {
    int16_t vk;
    int n, missEvery;
    int32_t ms;
};
std::vector<KeyFigures> finished(const std::vector<Key>& rows, const std::vector<Attempt>& older = {}) {
    std::vector<KeyFigures> keys;
    std::vector<std::vector<Attempt>> history;
    for (const Key& r : rows) {
        auto& h = history.emplace_back(history.empty() ? older : std::vector<Attempt>{});
        for (int i = 0; i < r.n; ++i) h.insert(h.begin() + i, {!r.missEvery || i % r.missEvery != 1, r.ms});
        keys.emplace_back().vk = r.vk;
        for (const Attempt& a : h) keys.back().recent.add(a.correct, a.gapMs);
    }
    finish(keys, history);
    return keys;
}
}  // namespace

TEST(KeyModel, WeaknessChargesAMissFourTypicalKeyTimesAndCapsAHunt) {
    const auto keys = finished({{65, 40, 0, 200},
                                {66, 40, 0, 300},
                                {67, 40, 0, 9000} /* hunted: capped */,
                                {69, 40, 2, 300} /* every other attempt missed */,
                                {68, 19, 0, 100} /* not known */});
    // Alternate misses weighted by age: accuracy 1 / (1 + d), d the decay of one attempt.
    const double d = std::exp2(-1.0 / kHalfLife), missed = 300 + kMissCost * 300 * d, typical = (300 + missed) / 2;
    EXPECT_EQ(keys[0].vk, 67);
    EXPECT_DOUBLE_EQ(*keys[0].weakness, kGapCapMs / typical);
    EXPECT_EQ(keys[1].vk, 69);
    EXPECT_NEAR(*keys[1].accuracy, 1 / (1 + d), 1e-12);
    EXPECT_NEAR(*keys[1].weakness, missed / typical, 1e-12);
    EXPECT_DOUBLE_EQ(*keys[3].weakness, 200 / typical);
    EXPECT_EQ(keys[4].vk, 68);
    EXPECT_FALSE(keys[4].weakness);
}

TEST(KeyModel, FirstKeysAreNotTimedLongGapsAreCappedAndTheTrendComparesTwoSpans) {
    Counts c;
    c.add(true, -1);    // first key of a run
    c.add(true, 5000);  // counted as kGapCapMs
    c.add(false, 100);  // a miss is an attempt, not a time
    c.add(true, 400);
    EXPECT_EQ(c.attempts, 4);
    EXPECT_EQ(c.misses, 1);
    EXPECT_DOUBLE_EQ(*c.meanMs(), (kGapCapMs + 400) / 2.0);

    const auto keys = finished({{65, kTrendSpan, 0, 200}, {66, kTrendSpan, 0, 200}},
                               std::vector<Attempt>(kTrendSpan, Attempt{true, 400}));
    EXPECT_DOUBLE_EQ(*keys[0].trend, 200.0 / 400.0 - 1.0);  // twice as fast now
    EXPECT_FALSE(keys[1].trend);                            // one span only
}

TEST(KeyModel, DrillWeightsKeepAFloorAndWaitForHalfTheKeys) {
    EXPECT_TRUE(drillWeights({1.0, std::nullopt, std::nullopt}).empty());
    // Exactly half known: the drill and the analysis window's line agree.
    Figures half;
    half.keys = finished({{65, 40, 0, 200}, {66, 40, 0, 300}, {67, 5, 0, 200}, {68, 5, 0, 200}});
    EXPECT_FALSE(
        drillWeights({half.weaknessOf(65), half.weaknessOf(66), half.weaknessOf(67), half.weaknessOf(68)}).empty());
    EXPECT_TRUE(summaryText(half, {65, 66, 67, 68}).contains(QStringLiteral("苦手なキーほど多く")));
    std::vector<std::optional<double>> weakness{0.0, 1.0, 2.0, 10.0, std::nullopt};
    weakness.resize(35, 1.0);
    const auto w = drillWeights(weakness);
    ASSERT_EQ(w.size(), 35u);
    EXPECT_DOUBLE_EQ(w[0], 0.25);  // the surest key never disappears
    EXPECT_DOUBLE_EQ(w[1], 1.25);
    EXPECT_DOUBLE_EQ(w[2], 4.25);
    EXPECT_DOUBLE_EQ(w[3], (0.25 + 4.25 + 32 * 1.25) / 7);  // an eighth of the drill at most
    EXPECT_DOUBLE_EQ(w[4], 1.25);                           // unknown: like a typical key
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
