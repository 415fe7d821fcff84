#include "KeyModel.h"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace learning {

bool isTypingKey(int16_t vk) {
    switch (vk) {
        case 12:  // Clear (keypad 5 without NumLock)
        case 16:  // Shift
        case 17:  // Ctrl
        case 18:  // Alt: opens the menus
        case 19:  // Pause
        case 20:  // Caps Lock
        case 27:  // Esc
        case 28:  // Henkan
        case 29:  // Muhenkan
        case 44:  // Print Screen
        case 45:  // Insert
        case 46:  // Delete
        case 91:  // Windows keys and the menu key
        case 92:
        case 93:
        case 144:  // Num Lock
        case 145:  // Scroll Lock
        case 240:  // Eisu, Hiragana, Zenkaku/Hankaku
        case 242:
        case 243:
        case 244:
            return false;
        default:
            break;
    }
    if (vk >= 33 && vk <= 40) return false;    // Page Up/Down, End, Home, arrows
    if (vk >= 112 && vk <= 135) return false;  // F1..F24 (F10 opens the menus)
    return vk != 0;
}

void Counts::add(bool correct, int32_t gapMs) {
    ++attempts;
    if (!correct) ++misses;
    if (isTimed(correct, gapMs)) {
        ++timedN;
        timedMs += cappedGap(gapMs);
    }
}

double Counts::accuracy() const {
    return attempts > 0 ? static_cast<double>(attempts - misses) / static_cast<double>(attempts) : 0.0;
}

std::optional<double> Counts::meanMs() const {
    if (timedN == 0) return std::nullopt;
    return static_cast<double>(timedMs) / static_cast<double>(timedN);
}

double DayFigures::perMinute() const {
    const auto mean = counts.meanMs();
    return mean && *mean > 0 ? 60000.0 / *mean : 0.0;
}

int Figures::knownKeys() const {
    return static_cast<int>(
        std::count_if(keys.begin(), keys.end(), [](const KeyFigures& k) { return k.weakness.has_value(); }));
}

std::optional<double> Figures::weaknessOf(int16_t vk) const {
    for (const KeyFigures& k : keys)
        if (k.vk == vk) return k.weakness;
    return std::nullopt;
}

namespace {
double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    const size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2.0;
}

// Accuracy and centre time of a span of attempts, each with its weight.
struct Span {
    double accuracy = 0;
    std::optional<double> centre;
};

Span spanOf(const std::vector<Attempt>& newestFirst, size_t from, size_t to, double halfLife) {
    const double decay = halfLife > 0 ? std::exp2(-1.0 / halfLife) : 1.0;
    double w = 1.0, all = 0, right = 0;
    std::vector<std::pair<double, double>> gaps;  // capped gap, weight
    for (size_t i = from; i < std::min(to, newestFirst.size()); ++i, w *= decay) {
        const Attempt& a = newestFirst[i];
        all += w;
        if (!a.correct) continue;
        right += w;
        if (isTimed(a.correct, a.gapMs)) gaps.emplace_back(cappedGap(a.gapMs), w);
    }
    Span s;
    if (all > 0) s.accuracy = right / all;
    if (gaps.empty()) return s;
    // The weighted median: the gap where half of the weight is reached.
    std::sort(gaps.begin(), gaps.end());
    double half = 0;
    for (const auto& g : gaps) half += g.second;
    half /= 2;
    for (const auto& [gap, weight] : gaps) {
        half -= weight;
        if (half <= 0) {
            s.centre = gap;
            break;
        }
    }
    if (!s.centre) s.centre = gaps.back().first;
    return s;
}

double costOf(double centre, double accuracy, double typicalMs) {
    const double a = std::max(accuracy, kMinAccuracy);
    return centre + kMissCost * typicalMs * (1.0 - a) / a;
}
}  // namespace

void finish(std::vector<KeyFigures>& keys, const std::vector<std::vector<Attempt>>& newestFirst) {
    std::vector<Span> model(keys.size());
    std::vector<double> centres;
    for (size_t i = 0; i < keys.size(); ++i) {
        if (i < newestFirst.size()) model[i] = spanOf(newestFirst[i], 0, kHistory, kHalfLife);
        if (keys[i].recent.known() && model[i].centre) centres.push_back(*model[i].centre);
    }
    const double typicalMs = centres.empty() ? 0.0 : median(centres);
    std::vector<double> costs;
    for (size_t i = 0; i < keys.size(); ++i)
        if (keys[i].recent.known() && model[i].centre)
            costs.push_back(costOf(*model[i].centre, model[i].accuracy, typicalMs));
    const double typicalCost = costs.empty() ? 0.0 : median(costs);
    for (size_t i = 0; i < keys.size(); ++i) {
        KeyFigures& k = keys[i];
        k.weakness.reset();
        k.trend.reset();
        k.slowness.reset();
        k.accuracy.reset();
        const bool seen = i < newestFirst.size() && !newestFirst[i].empty();
        if (seen) k.accuracy = model[i].accuracy;
        if (!k.recent.known() || !model[i].centre || typicalMs <= 0 || typicalCost <= 0) continue;
        k.slowness = *model[i].centre / typicalMs;
        k.weakness = costOf(*model[i].centre, model[i].accuracy, typicalMs) / typicalCost;
        const std::vector<Attempt>& h = newestFirst[i];
        if (h.size() < 2 * static_cast<size_t>(kTrendSpan)) continue;
        const Span now = spanOf(h, 0, kTrendSpan, 0), before = spanOf(h, kTrendSpan, 2 * kTrendSpan, 0);
        if (now.centre && before.centre)
            k.trend =
                costOf(*now.centre, now.accuracy, typicalMs) / costOf(*before.centre, before.accuracy, typicalMs) - 1.0;
    }
    std::stable_sort(keys.begin(), keys.end(), [](const KeyFigures& a, const KeyFigures& b) {
        if (a.weakness.has_value() != b.weakness.has_value()) return a.weakness.has_value();
        if (a.weakness && *a.weakness != *b.weakness) return *a.weakness > *b.weakness;
        return a.vk < b.vk;
    });
}

bool drawsByWeakness(int knownKeys, int drillKeys) { return drillKeys > 0 && knownKeys * 2 >= drillKeys; }

std::vector<double> drillWeights(const std::vector<std::optional<double>>& weakness) {
    const auto known = std::count_if(weakness.begin(), weakness.end(), [](const auto& w) { return w.has_value(); });
    if (!drawsByWeakness(static_cast<int>(known), static_cast<int>(weakness.size()))) return {};
    std::vector<double> weights;
    weights.reserve(weakness.size());
    for (const auto& w : weakness) {
        const double x = std::min(w.value_or(1.0), 4.0);
        weights.push_back(0.25 + x * x);
    }
    // The cap c with c = kMaxDrillShare * (sum of all weights, each capped at
    // c), found from the heaviest key down; too few keys for it: no cap.
    std::vector<double> heaviest = weights;
    std::sort(heaviest.begin(), heaviest.end(), std::greater<>());
    double rest = std::accumulate(heaviest.begin(), heaviest.end(), 0.0);
    const double shares = 1.0 / kMaxDrillShare;
    for (size_t capped = 0; capped < heaviest.size() && static_cast<double>(capped) < shares; ++capped) {
        const double cap = rest / (shares - static_cast<double>(capped));
        if (heaviest[capped] <= cap) {
            for (double& w : weights) w = std::min(w, cap);
            break;
        }
        rest -= heaviest[capped];
    }
    return weights;
}
int drawWeighted(const std::vector<double>& weights, double r) {
    double sum = 0;
    for (double w : weights) sum += w;
    double target = r * sum;
    for (size_t i = 0; i < weights.size(); ++i) {
        if (target < weights[i]) return static_cast<int>(i);
        target -= weights[i];
    }
    return weights.empty() ? 0 : static_cast<int>(weights.size() - 1);
}

namespace {
struct Stop {
    double at;
    int r, g, b;
};
constexpr Stop kScale[] = {{0.6, 150, 220, 150}, {1.0, 255, 250, 200}, {1.5, 255, 190, 120}, {2.0, 240, 100, 100}};
}  // namespace

uint32_t heatColor(std::optional<double> weakness) {
    if (!weakness) return kUnknownHeatColor;
    const double w = std::clamp(*weakness, kScale[0].at, std::end(kScale)[-1].at);
    size_t i = 0;
    while (i + 2 < std::size(kScale) && w > kScale[i + 1].at) ++i;
    const Stop& a = kScale[i];
    const Stop& b = kScale[i + 1];
    const double t = (w - a.at) / (b.at - a.at);
    auto mix = [t](int x, int y) { return static_cast<uint32_t>(std::lround(x + (y - x) * t)); };
    return mix(a.r, b.r) + 256 * mix(a.g, b.g) + 65536 * mix(a.b, b.b);
}

}  // namespace learning
