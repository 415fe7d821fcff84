#pragma once
#include <QString>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

namespace learning {
struct Figures;
}

// The course (段階練習): a drill that starts with F and J and opens the other
// keys one by one, in an order that follows how often Japanese romaji types
// each letter, weighed against how far the finger reaches for it.
//
// It keeps nothing of its own. The open keys are worked out each time from
// the learner's figures (the keystroke store), so they are the same after a
// restart or an import:
// - F and J are always open;
// - walking the order, the next key stays open when the model already knows
//   it (it has been practised), and opens when every open key is known and
//   within the target (accuracy at least, weakness at most);
// - the walk stops at the first key that is neither. A learner who has become
//   unsure of an open key therefore keeps the keys already practised but gets
//   no new one until that key is back within the target.
namespace practice {

struct CourseTarget {
    double accuracy = 0.95;  // recent accuracy, 0..1, at least
    double weakness = 1.3;   // weakness at most (1 = a typical key)
};

constexpr int kCourseStartKeys = 2;

// The course order on a layout: the fixed order of the letters, then
// - , . and the digits, then / and the layout's remaining symbol keys in the
// order given. `layoutCodes`: the virtual-key codes of the layout's keys (the
// all-keys level); codes of the fixed order the layout lacks are left out.
std::vector<int16_t> courseOrder(const std::vector<int16_t>& layoutCodes);

struct CourseKey {
    int16_t vk = 0;
    bool known = false;
    double accuracy = 0;  // recent, 0..1
    std::optional<double> weakness;
    int practiceLeft = 0;  // keys still to type before the model knows the key
    bool sure = false;     // known and within the target
};

struct CourseState {
    std::vector<CourseKey> open;  // in course order; the last one is the newest
    int16_t next = 0;             // the key that opens next; 0: every key is open
    bool allSure() const;
    const CourseKey& newest() const { return open.back(); }
};

// The open keys for the learner's figures (null: nothing known yet).
CourseState courseState(const learning::Figures* figures, const std::vector<int16_t>& order,
                        const CourseTarget& target);

// The drawing weights of the open keys, in their order: the weak-key weights
// (an unknown key weighing like a typical one), and while the newest key is
// not sure yet, at least half of all the others together, so that it comes up
// about one time in three.
std::vector<double> courseWeights(const CourseState& state);

// The course line under the queue: which key opens next and how far each open
// key still is from the target, the furthest first (at most `shown` keys;
// the tooltip variant lists them all). `legend` names a key as the keyboard
// shows it.
QString courseLine(const CourseState& state, const CourseTarget& target, const std::function<QString(int16_t)>& legend,
                   int shown = 3);
// The message when a key has just opened: "「E」が加わりました。".
QString courseOpenedMessage(int16_t vk, const std::function<QString(int16_t)>& legend);

}  // namespace practice
