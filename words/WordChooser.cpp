#include "WordChooser.h"

#include <QStringList>
#include <algorithm>
#include <numeric>

#include "KeyMap.h"
#include "KeystrokeStore.h"
#include "Learning.h"
#include "Random.h"

namespace words {
namespace {

constexpr double kCap = 4.0;
constexpr double kFloor = 0.1;
// Before the model knows the learner: the commonest quarter, drawn evenly.
constexpr int kCommonQuarter = 192;
// Draws that hit a reading already in the set before the set is filled in order.
constexpr int kTriesPerWord = 50;

double over(double v) { return std::clamp(v, 1.0, kCap) - 1.0; }

// The key that types a romaji character: letters by their code, the rest by
// their legend on the layout, as text practice records them.
int16_t keyOfRoman(QChar c, int keyBoardType) {
    const QChar up = c.toUpper();
    const int qtKey = up >= u'A' && up <= u'Z' ? up.unicode() : 0;
    return keymap::fromQtKey(qtKey, QString(c.toLower()), false, keyBoardType);
}

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    const size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2.0;
}

}  // namespace

Learner learnerOf(Learning& learning, int16_t layout) {
    Learner l;
    if (const learning::Figures* f = learning.figures(layout))
        for (const learning::KeyFigures& k : f->keys)
            if (k.weakness) l.weakness[k.vk] = *k.weakness;
    KeystrokeStore* store = learning.store();
    const auto moves = store ? store->allTransitions(layout) : std::nullopt;
    if (!moves || moves->empty()) return l;
    std::vector<double> means;
    for (const learning::Transition& t : *moves) means.push_back(t.meanMs);
    const double typical = median(means);
    if (typical <= 0) return l;
    for (const learning::Transition& t : *moves) l.slowness[{t.from, t.to}] = t.meanMs / typical;
    return l;
}

QString keyLegend(int16_t vk, int keyBoardType) {
    if ((vk >= 'A' && vk <= 'Z') || (vk >= '0' && vk <= '9')) return QString(QChar(vk));
    const QString legend = keymap::symbolLegend(vk, keyBoardType);
    return legend.isEmpty() ? QString::number(vk) : legend;
}

QString WordSet::aimText(int keyBoardType) const {
    QStringList parts;
    QStringList keys;
    for (int16_t k : aimKeys) keys << keyLegend(k, keyBoardType);
    if (!keys.isEmpty()) parts << QStringLiteral("苦手キー ") + keys.join(u' ');
    QStringList moves;
    for (const Move& m : aimMoves) moves << keyLegend(m.first, keyBoardType) + u'→' + keyLegend(m.second, keyBoardType);
    if (!moves.isEmpty()) parts << QStringLiteral("遅い運指 ") + moves.join(u' ');
    return parts.isEmpty() ? QStringLiteral("ねらい：よく使う単語（苦手キーはまだわかりません）")
                           : QStringLiteral("ねらい：") + parts.join(QStringLiteral("　"));
}

WordChooser::WordChooser(const std::vector<Word>& list, int keyBoardType)
    : mWords(list), mHasKey(256), mHasMove(256 * 256) {
    int16_t keyOf[128] = {};
    for (char16_t c = 0x20; c < 0x7F; ++c) keyOf[c] = keyOfRoman(QChar(c), keyBoardType);
    mKeysAt.reserve(list.size() + 1);
    mCommon.reserve(list.size());
    for (const Word& w : list) {
        mKeysAt.push_back(static_cast<uint32_t>(mKeys.size()));
        int16_t prev = 0;
        for (QChar c : w.romaji) {
            const int16_t k = c.unicode() < 128 ? keyOf[c.toLower().unicode()] : int16_t(0);
            mKeys.push_back(k);
            const bool byte = k > 0 && k < 256;
            if (byte) mHasKey[static_cast<size_t>(k)] = true;
            if (byte && prev > 0 && prev < 256) mHasMove[static_cast<size_t>(prev * 256 + k)] = true;
            prev = k;
        }
        mCommon.push_back(w.common);
    }
    mKeysAt.push_back(static_cast<uint32_t>(mKeys.size()));
}

std::vector<int16_t> WordChooser::keysOf(size_t i) const {
    return {mKeys.begin() + mKeysAt[i], mKeys.begin() + mKeysAt[i + 1]};
}

// The learner's excess weakness (over 1, capped) in tables by key code and
// by move, so that weighing every word is a few lookups per key.
struct WordChooser::Excess {
    std::vector<double> key = std::vector<double>(256);
    std::vector<double> move = std::vector<double>(256 * 256);
    explicit Excess(const Learner& learner) {
        for (const auto& [k, v] : learner.weakness)
            if (k > 0 && k < 256) key[static_cast<size_t>(k)] = over(v);
        for (const auto& [m, v] : learner.slowness)
            if (m.first > 0 && m.first < 256 && m.second > 0 && m.second < 256)
                move[static_cast<size_t>(m.first * 256 + m.second)] = over(v);
    }
};

double WordChooser::exercise(size_t i, const Excess& excess) const {
    double sum = 0;
    size_t prev = 0;
    for (uint32_t at = mKeysAt[i]; at < mKeysAt[i + 1]; ++at) {
        const auto k = static_cast<size_t>(std::clamp<int16_t>(mKeys[at], 0, 255));
        sum += excess.key[k];
        if (prev != 0) sum += excess.move[prev * 256 + k];
        prev = k;
    }
    return sum;
}

double WordChooser::exercise(size_t i, const Learner& learner) const { return exercise(i, Excess(learner)); }

std::vector<double> WordChooser::weights(const Learner& learner) const {
    std::vector<double> w(size());
    const bool known = static_cast<int>(learner.weakness.size()) >= kMinKnownKeys;
    const Excess excess(learner);
    for (size_t i = 0; i < w.size(); ++i) {
        if (mKeysAt[i] == mKeysAt[i + 1]) continue;  // nothing to type
        if (!known) {
            w[i] = mCommon[i] >= kCommonQuarter ? 1.0 : 0.0;
            continue;
        }
        const double x = kFloor + exercise(i, excess);
        w[i] = (0.5 + mCommon[i] / 255.0) * x * x;
    }
    return w;
}

WordSet WordChooser::draw(const Learner& learner, Random& random, int count) const {
    WordSet set;
    std::vector<double> w = weights(learner);
    std::vector<double> upTo(w.size());
    std::partial_sum(w.begin(), w.end(), upTo.begin());
    const double total = upTo.empty() ? 0.0 : upTo.back();
    std::vector<QString> readings;
    const auto take = [&](size_t i) {
        if (w[i] <= 0 || std::find(readings.begin(), readings.end(), mWords[i].reading) != readings.end()) return;
        readings.push_back(mWords[i].reading);
        set.words.push_back(i);
    };
    for (int tries = 0; total > 0 && static_cast<int>(set.words.size()) < count && tries < count * kTriesPerWord;
         ++tries) {
        const double r = static_cast<double>(random.Rnd()) * total;
        const auto it = std::upper_bound(upTo.begin(), upTo.end(), r);
        take(static_cast<size_t>(
            std::min<std::ptrdiff_t>(it - upTo.begin(), static_cast<std::ptrdiff_t>(w.size()) - 1)));
    }
    for (size_t i = 0; i < w.size() && static_cast<int>(set.words.size()) < count; ++i) take(i);

    std::vector<std::pair<double, int16_t>> keys;
    for (const auto& [k, v] : learner.weakness)
        if (v >= kAimAt && k > 0 && k < 256 && mHasKey[static_cast<size_t>(k)]) keys.push_back({v, k});
    std::sort(keys.rbegin(), keys.rend());
    for (size_t i = 0; i < keys.size() && i < kAimCount; ++i) set.aimKeys.push_back(keys[i].second);
    std::vector<std::pair<double, Move>> moves;
    for (const auto& [m, v] : learner.slowness)
        if (v >= kAimAt && m.first > 0 && m.first < 256 && m.second > 0 && m.second < 256 &&
            mHasMove[static_cast<size_t>(m.first * 256 + m.second)])
            moves.push_back({v, m});
    std::sort(moves.rbegin(), moves.rend());
    for (size_t i = 0; i < moves.size() && i < kAimCount; ++i) set.aimMoves.push_back(moves[i].second);
    return set;
}

}  // namespace words
