#pragma once
#include <QChar>
#include <QDate>
#include <QtGlobal>
#include <cstdint>
#include <optional>
#include <vector>

// The per-key model of the learner, computed from what the keystroke store
// keeps. Nothing here touches the disk; KeystrokeStore::figures() reads the
// counts and each key's latest attempts and calls finish().
//
// For each key (a physical key, named by its code on the layout asked for):
// - total: plain counts of every attempt; recent: plain counts of the last
//   kRecentWindow attempts (shown in the tables; a key is known once these
//   hold kMinAttempts attempts and kMinTimed timed correct presses);
// - the model itself reads the last kHistory attempts, each weighing half as
//   much as one kHalfLife attempts newer, so that a sitting of practice shows:
//   accuracy = the weighted share of correct attempts;
//   centre   = the weighted median of the gaps before correct presses, each
//              gap capped at kGapCapMs (a key hunted for is slow, not
//              unknown; a pause costs no more than a hunt), the first key of
//              a run (no gap) left out;
//   cost     = centre + kMissCost * typical time * misses per correct press,
//              a miss charged several typical key times: the wrong press,
//              noticing it, the right press and a wrong movement practised;
// - typical time and typical cost: the medians over the known keys;
//   slowness = centre / typical time, weakness = cost / typical cost;
// - trend: the plain cost of the latest kTrendSpan attempts over that of the
//   kTrendSpan before them, minus 1, once both spans are full.
namespace learning {

constexpr int kRecentWindow = 100;
constexpr int kHistory = 200;
constexpr double kHalfLife = 25.0;
constexpr int kMinAttempts = 20;
constexpr int kMinTimed = 10;
constexpr int kGapCapMs = 3000;
constexpr double kMissCost = 4.0;
constexpr int kTrendSpan = 40;
constexpr int kMinTransitionSamples = 5;
constexpr int kTopCount = 10;
// The accuracy a cost is computed with at least, so that a key missed every
// time has a large but finite weakness.
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
    // The start of the program that recorded it (a random number below 2^53,
    // so that it survives a JSON number); 0 for keys recorded before there
    // was one. Two copies of the program typing the same key in the same
    // millisecond make two keystrokes.
    qint64 origin = 0;
    bool operator==(const Keystroke&) const = default;
};

// Whether a keystroke's gap counts for the time of its key: every correct
// press but the first of a run, its gap capped at kGapCapMs.
inline bool isTimed(bool correct, int32_t gapMs) { return correct && gapMs >= 0; }
inline int32_t cappedGap(int32_t gapMs) { return gapMs < kGapCapMs ? gapMs : kGapCapMs; }

// Whether a pressed key is the learner's typing: modifiers pressed alone,
// keys that open menus, function, navigation and input-method keys are not,
// and are neither stored nor charged as confusions.
bool isTypingKey(int16_t vk);

// One attempt at a key, as the model reads it.
struct Attempt {
    bool correct = false;
    int32_t gapMs = -1;
};

struct Counts {
    qint64 attempts = 0;
    qint64 misses = 0;
    qint64 timedN = 0;
    qint64 timedMs = 0;
    void add(bool correct, int32_t gapMs);
    double accuracy() const;               // 0 without attempts
    std::optional<double> meanMs() const;  // none without timed presses
    bool known() const { return attempts >= kMinAttempts && timedN >= kMinTimed; }
};

struct KeyFigures {
    int16_t vk = 0;
    Counts total;
    Counts recent;                   // the last kRecentWindow attempts
    std::optional<double> weakness;  // none while not known
    // The cost of the latest attempts over that of the ones before, minus 1:
    // below 0 the key is getting faster or surer. None until both spans are full.
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
    qint64 keystrokes = 0;                  // stored keystrokes of this layout
    std::vector<KeyFigures> keys;           // weakest first, keys not yet known last
    std::vector<ConfusionPair> confusions;  // the kTopCount most frequent
    std::vector<Transition> transitions;    // the kTopCount slowest with enough samples
    std::vector<DayFigures> days;           // oldest first, this layout
    int knownKeys() const;
    // weakness of a key, none when not known or never seen
    std::optional<double> weaknessOf(int16_t vk) const;
};

// Sets the model's figures of every key from its counts and its latest
// attempts (newestFirst[i] for keys[i], newest first) and sorts the keys
// weakest first (unknown keys last, by code).
void finish(std::vector<KeyFigures>& keys, const std::vector<std::vector<Attempt>>& newestFirst);

// Whether the weak-key drill draws by weakness: once at least half of its
// keys are known. The drill and the analysis window both ask this.
bool drawsByWeakness(int knownKeys, int drillKeys);

// Weights of the weak-key drill, one per given weakness (none = not known):
//     weight = 0.25 + min(weakness, 4)^2,
// an unknown key weighing like a typical one (weakness 1), and no key above
// kMaxDrillShare of the sum. The 0.25 is the floor that keeps even the surest
// key in the drill. Empty unless drawsByWeakness: the drill then draws like
// the all-keys level.
constexpr double kMaxDrillShare = 1.0 / 8.0;
std::vector<double> drillWeights(const std::vector<std::optional<double>>& weakness);

// The index drawn for a uniform r in [0, 1) with the given weights.
int drawWeighted(const std::vector<double>& weights, double r);

// The heat-map colour of a key (red + 256*green + 65536*blue): green for
// sure, quick keys through pale yellow (typical) to red (twice as costly and
// more); a neutral grey for keys not known yet.
uint32_t heatColor(std::optional<double> weakness);
constexpr uint32_t kUnknownHeatColor = 224 + 256 * 224 + 65536 * 224;

}  // namespace learning
