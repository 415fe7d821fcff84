// A simulated learner types the real drill: each key has its own chance of a
// miss and its own typing time. Three keys are weak in three ways: missed
// often at normal speed, slow but sure, and hunted for. After all-keys
// practice the model must rank all three at the top, the weak-key drill must
// present each at least twice as often as the all-keys drill, and once the
// learner masters one, its weakness must fall within 30 good presses.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <random>
#include <set>

#include "FakeApp.h"
#include "KeyPractice.h"
#include "Learning.h"
#include "Levels.h"

namespace {

struct SimulatedKey {
    double missChance;
    int meanMs;
};

struct WeakKey {
    const char* kind;
    int16_t vk;
    SimulatedKey typed;
};
// The typical key takes about 320 ms (the median of 250 + 3 * i).
const WeakKey kWeakKeys[] = {
    {"fast but missed", 'Q', {0.30, 320}},
    {"slow but sure", 'Z', {0.02, 640}},
    {"hunted for", 'P', {0.02, 2500}},
};

using Presented = std::map<int16_t, int>;

struct SimulatedLearner {
    FakeAppT<SeededRandom> app;
    Learning learning{app.param, app.clock, app.dialogs};
    KeyPractice practice{app.main, app.param, app.results, app.clock, app.random, app.beeper};
    std::map<int16_t, SimulatedKey> keys;
    std::mt19937 rng{2026};

    SimulatedLearner() {
        qint64 wall = 1'780'000'000'000;
        learning.utcNow = [wall]() mutable { return wall += 300; };
        practice.setLearning(&learning, &learning);
        practice.Form_Load();
        const practice::KeyRange all = practice::levelRange(practice::kWeakKeys, 0);
        for (int i = all.low; i <= all.high; ++i) keys[app.main.keyCode(i)] = {0.02, 250 + 3 * i};
        for (const WeakKey& w : kWeakKeys) keys[w.vk] = w.typed;
    }

    // Types presented keys until `count` are typed or `done` says so; now and
    // then the learner opens the menu with Alt first. Returns how often each
    // key was presented.
    Presented type(int count, const std::function<bool(const Presented&)>& done = {}) {
        Presented presented;
        std::uniform_real_distribution<double> u(0.0, 1.0);
        int16_t previous = 0;
        for (int n = 0; n < count && !(done && done(presented)); ++n) {
            const int16_t expected = app.main.keyCode(practice.next(0));
            EXPECT_NE(expected, previous) << "the same key twice in a row";
            previous = expected;
            ++presented[expected];
            const SimulatedKey& k = keys.at(expected);
            const auto press = [&](int16_t vk) {
                app.clock.advance(static_cast<uint32_t>(k.meanMs * (0.8 + 0.4 * u(rng))));
                practice.Form_KeyDown(vk);
            };
            if (n % 150 == 149) press(18);
            if (u(rng) < k.missChance) press(expected == 'A' ? int16_t('S') : int16_t('A'));
            press(expected);
            if (n % 200 == 199) learning.flush();
        }
        learning.flush();
        return presented;
    }
};

double share(const Presented& presented, int16_t vk) {
    int total = 0;
    for (const auto& [key, n] : presented) total += n;
    return total && presented.count(vk) ? static_cast<double>(presented.at(vk)) / total : 0.0;
}

}  // namespace

TEST(SimulatedLearner, WeakKeyDrillFindsAndPresentsEveryKindOfWeakKey) {
    SimulatedLearner sim;
    sim.practice.SetLevel(13);
    EXPECT_EQ(sim.practice.caption(), QStringLiteral("タッチタイプ練習（苦手キー）"));
    EXPECT_FALSE(sim.practice.drawsByWeakness());  // nothing known yet: like the all-keys level
    sim.practice.SetLevel(10);
    const Presented allKeys = sim.type(9000);

    // The three weak keys come first, and the order of the rest follows their
    // simulated times.
    const learning::Figures* f = sim.learning.figures(0);
    ASSERT_NE(f, nullptr);
    ASSERT_GE(f->knownKeys(), 45);
    std::set<int16_t> top, weak;
    for (size_t i = 0; i < std::size(kWeakKeys); ++i) {
        top.insert(f->keys[i].vk);
        weak.insert(kWeakKeys[i].vk);
    }
    EXPECT_EQ(top, weak);
    int concordant = 0, pairs = 0;
    for (size_t a = std::size(kWeakKeys); a < f->keys.size(); ++a)
        for (size_t b = a + 1; b < f->keys.size(); ++b) {
            ++pairs;
            if (sim.keys[f->keys[a].vk].meanMs >= sim.keys[f->keys[b].vk].meanMs) ++concordant;
        }
    EXPECT_GT(static_cast<double>(concordant) / pairs, 0.75);
    for (const auto& c : f->confusions) EXPECT_NE(c.pressed, 18) << "Alt opened a menu; it was not a miss";

    sim.practice.SetLevel(13);
    ASSERT_TRUE(sim.practice.drawsByWeakness());
    sim.practice.setLearning(nullptr, &sim.learning);
    const Presented weakDrill = sim.type(6000);
    for (const WeakKey& w : kWeakKeys)
        EXPECT_GE(share(weakDrill, w.vk), 2.0 * share(allKeys, w.vk))
            << w.kind << ": " << share(weakDrill, w.vk) << " vs " << share(allKeys, w.vk);
    for (const auto& [vk, k] : sim.keys) {
        EXPECT_GT(share(weakDrill, vk), 0.0) << vk;  // every key keeps coming up
        EXPECT_LE(share(weakDrill, vk), 0.13) << vk;
    }

    // The learner masters the weak keys one by one.
    sim.practice.setLearning(&sim.learning, &sim.learning);
    for (const WeakKey& w : kWeakKeys) {
        const double before = *sim.learning.weakness(w.vk, 0);
        sim.keys[w.vk] = {0.0, 320};
        sim.type(100000, [&](const Presented& p) { return p.count(w.vk) && p.at(w.vk) == 30; });
        EXPECT_LT(*sim.learning.weakness(w.vk, 0), 1.0 + (before - 1.0) / 2) << w.kind << " from " << before;
    }
}
