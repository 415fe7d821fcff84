#pragma once
#include <QString>
#include <cstdint>
#include <map>
#include <utility>
#include <vector>

#include "WordSource.h"

class Random;
class Learning;
class KeystrokeStore;

// Draws a set of words for the learner: the more of the learner's weakness a
// word exercises, the likelier it is drawn.
//
// A word exercises the keys its romaji is typed with and the moves from each
// key to the next. What it exercises is
//     sum over its keys of (weakness - 1), where over 1,
//   + sum over its moves of (slowness - 1), where over 1,
// (both capped at 4: one very weak key does not crowd out the rest), and its
// drawing weight is
//     (0.5 + commonness) * (0.1 + exercise)^2,
// commonness from 0 (the rarest of its kind) to 1 (the commonest): among
// words that exercise as much, common ones come first, and for a learner
// without weak keys the draw is by commonness alone. Before the model knows
// the learner (fewer than kMinKnownKeys known keys) the set is drawn evenly
// from the commonest quarter of the words.
//
// A set holds no reading twice. It says what it aims at: the weakest known
// keys and the slowest moves (weakness or slowness at least kAimAt).
namespace words {

constexpr int kSetSize = 20;
constexpr int kMinKnownKeys = 8;
constexpr double kAimAt = 1.2;
constexpr int kAimCount = 3;

using Move = std::pair<int16_t, int16_t>;  // from key, to key (virtual-key codes)

// What the draw knows of the learner on one layout.
struct Learner {
    std::map<int16_t, double> weakness;  // known keys: 1 typical, 2 twice as costly
    std::map<Move, double> slowness;     // moves with enough samples: mean time over the median move's
};

// The learner's figures on a layout: key weakness from the model, move
// slowness from every move the store has enough samples of. Empty when the
// store cannot be read.
Learner learnerOf(Learning& learning, int16_t layout);

struct WordSet {
    std::vector<size_t> words;  // indexes into the word list
    std::vector<int16_t> aimKeys;
    std::vector<Move> aimMoves;
    // "ねらい" line of the window: keys and moves by their legends.
    QString aimText(int keyBoardType) const;
};

class WordChooser {
public:
    // Works out each word's keys once for a layout (KeyBoardType).
    WordChooser(const std::vector<Word>& list, int keyBoardType);

    // How much of the learner's weakness word i exercises (see above).
    double exercise(size_t i, const Learner& learner) const;
    WordSet draw(const Learner& learner, Random& random, int count = kSetSize) const;

    // The keys word i is typed with, in order.
    std::vector<int16_t> keysOf(size_t i) const;
    size_t size() const { return mCommon.size(); }

private:
    struct Excess;
    double exercise(size_t i, const Excess& excess) const;
    std::vector<double> weights(const Learner& learner) const;

    const std::vector<Word>& mWords;
    std::vector<int16_t> mKeys;     // every word's keys, one after another
    std::vector<uint32_t> mKeysAt;  // word i: mKeys[mKeysAt[i] .. mKeysAt[i + 1])
    std::vector<quint8> mCommon;
    std::vector<bool> mHasKey;   // by key code: some word is typed with it
    std::vector<bool> mHasMove;  // by from * 256 + to: some word has the move
};

// The legend of a key in the "ねらい" line: its letter, or "-" and the like.
QString keyLegend(int16_t vk, int keyBoardType);

}  // namespace words
