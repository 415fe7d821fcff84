#pragma once
#include <QChar>
#include <cstdint>
#include <vector>

// What the drill and text practice tell the learning engine, and what the
// weak-key drill asks of it. The logic classes hold pointers to these two
// small interfaces (null: nothing is recorded, the weak-key drill draws like
// the all-keys level); the program hands them the one Learning object, tests
// a fake.

namespace learning {
struct Figures;
// The mode column of a keystroke: drill levels are stored as their level
// number (0..14; 11 and 12 are the two tests), text practice as this.
constexpr int16_t kTextPracticeMode = 100;
}  // namespace learning

// One judged key-down.
struct JudgedKey {
    int16_t mode = 0;
    int16_t expectedVk = 0;  // 0: no expected key
    QChar expectedChar;      // text practice only
    int16_t pressedVk = 0;
    QChar pressedChar;  // where the key typed a character
    bool correct = false;
    bool firstOfRun = false;  // the first key of a run or of a text entry
    uint32_t tick = 0;        // Clock::timeGetTime() of the key
    int16_t keyBoardType = 0;
};

class KeyRecorder {
public:
    virtual ~KeyRecorder() = default;
    // Called from the key handlers: keeps the key in memory, never touches
    // the disk.
    virtual void keyJudged(const JudgedKey& key) = 0;
    // A run (or a text entry) has ended or was abandoned: the next key starts
    // a new one. The buffered keys are written soon after, outside the handler.
    virtual void runEnded() = 0;
};

class WeakKeyWeights {
public:
    virtual ~WeakKeyWeights() = default;
    // Drawing weights for the given keys (virtual-key codes) on a layout, one
    // per key; empty while too few of them are known, and the drill then
    // draws like the all-keys level.
    virtual std::vector<double> weakKeyWeights(const std::vector<int16_t>& codes, int16_t keyBoardType) = 0;
    // The learner's figures on a layout, from which the course works out its
    // open keys; null while nothing can be read.
    virtual const learning::Figures* figures(int16_t /*keyBoardType*/) { return nullptr; }
};
