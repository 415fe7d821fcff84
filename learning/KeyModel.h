#pragma once
#include <QChar>
#include <QDate>
#include <QtGlobal>
#include <cstdint>
#include <optional>
#include <vector>

// The per-key model of the learner, computed from counts the keystroke store
// keeps. Nothing here touches the disk; KeystrokeStore::figures() fills the
// counts and calls finish().
//
// For each key (virtual-key code, per layout):
// - attempts: judged keys while this key was expected; misses: those judged
//   wrong; accuracy = (attempts - misses) / attempts;
// - mean time: the mean of the gaps before correct presses of the key, the
//   first key of a run (no gap) and gaps over 2 s (a pause, not typing) left
//   out;
// - both over the key's last 100 attempts (recent) and over all (total).
//
// Weakness (see weaknessOf): the expected time per correct key,
//     expected = mean time / accuracy,
// over the recent window, divided by the median expected time of the known
// keys of the layout. 1 is a typical key, 2 a key that costs twice as long
// to get right. A key is known once its recent window has at least 20
// attempts and 10 timed correct presses; before that it has no weakness.
namespace learning {

constexpr int kRecentWindow = 100;
constexpr int kMinAttempts = 20;
constexpr int kMinTimed = 10;
constexpr int kMaxGapMs = 2000;
constexpr int kMinTransitionSamples = 5;
constexpr int kTopCount = 10;
// The accuracy a weakness is computed with at least, so that a key missed
// every time has a large but finite weakness.
constexpr double kMinAccuracy = 0.05;

// One stored keystroke.
struct Keystroke {
    qint64 timeMs = 0;  // wall clock, UTC milliseconds
    int16_t mode = 0;
    int16_t expectedVk = 0;  // 0: none
    QChar expectedChar;
    int16_t pressedVk = 0;
    QChar pressedChar;
    bool correct = false;
    int32_t gapMs = -1;  // ms since the previous judged key of the run; -1: first key
    int16_t layout = 0;  // KeyBoardType
    int16_t prevVk = 0;  // the key pressed before, in the same run; 0: none
    bool operator==(const Keystroke&) const = default;
};

// Whether a keystroke's gap counts for the mean time of its key.
inline bool isTimed(bool correct, int32_t gapMs) { return correct && gapMs >= 0 && gapMs <= kMaxGapMs; }

struct Counts {
    qint64 attempts = 0;
    qint64 misses = 0;
    qint64 timedN = 0;
    qint64 timedMs = 0;
    void add(bool correct, int32_t gapMs);
    double accuracy() const;          // 0 without attempts
    std::optional<double> meanMs() const;  // none without timed presses
    // mean / max(accuracy, kMinAccuracy); none without a mean
    std::optional<double> expectedMs() const;
    bool known() const { return attempts >= kMinAttempts && timedN >= kMinTimed; }
};

struct KeyFigures {
    int16_t vk = 0;
    Counts total;
    Counts recent;  // the last kRecentWindow attempts
    std::optional<double> weakness;  // none while not known
    // Recent expected time over the total one, minus 1: below 0 the key is
    // getting faster or surer. None until known.
    std::optional<double> trend;
    // The key's recent centre time over the learner's typical key time
    // (1 = typical); none while the key is not known.
    std::optional<double> slowness;
    // The key's recent accuracy, 0..1; none without attempts.
    std::optional<double> accuracy;
};

struct ConfusionPair {
    int16_t expected = 0;
    int16_t pressed = 0;
    qint64 count = 0;
};

struct Transition {
    int16_t from = 0;
    int16_t to = 0;
    qint64 count = 0;
    double meanMs = 0;
};

struct DayFigures {
    QDate day;
    Counts counts;
    // Correct keys per minute from the mean timed gap; accuracy in percent.
    double perMinute() const;
    double accuracyPercent() const { return counts.accuracy() * 100.0; }
};

struct Figures {
    int16_t layout = 0;
    qint64 keystrokes = 0;          // all stored keystrokes, every layout
    std::vector<KeyFigures> keys;    // weakest first, keys not yet known last
    std::vector<ConfusionPair> confusions;  // the kTopCount most frequent
    std::vector<Transition> transitions;    // the kTopCount slowest with enough samples
    std::vector<DayFigures> days;           // oldest first
    int knownKeys() const;
    // weakness of a key, none when not known or never seen
    std::optional<double> weaknessOf(int16_t vk) const;
};

// Sets weakness and trend of every key from its counts and sorts the keys
// weakest first (unknown keys last, by code).
void finish(std::vector<KeyFigures>& keys);

// Weights of the weak-key drill, one per given weakness (none = not known):
//     weight = 0.25 + min(weakness, 4)^2,
// an unknown key weighing like a typical one (weakness 1). The 0.25 is the
// floor that keeps even the surest key in the drill. Empty when fewer than
// half of the keys are known: the drill then draws like the all-keys level.
std::vector<double> drillWeights(const std::vector<std::optional<double>>& weakness);

// The index drawn for a uniform r in [0, 1) with the given weights.
int drawWeighted(const std::vector<double>& weights, double r);

// The heat-map colour of a key (red + 256*green + 65536*blue): green for
// sure, quick keys through pale yellow (typical) to red (twice as costly and
// more); a neutral grey for keys not known yet.
uint32_t heatColor(std::optional<double> weakness);
constexpr uint32_t kUnknownHeatColor = 224 + 256 * 224 + 65536 * 224;

}  // namespace learning
