#include "KeyModel.h"

#include <algorithm>
#include <cmath>

namespace learning {

void Counts::add(bool correct, int32_t gapMs) {
    ++attempts;
    if (!correct) ++misses;
    if (isTimed(correct, gapMs)) {
        ++timedN;
        timedMs += gapMs;
    }
}

double Counts::accuracy() const {
    return attempts > 0 ? static_cast<double>(attempts - misses) / static_cast<double>(attempts) : 0.0;
}

std::optional<double> Counts::meanMs() const {
    if (timedN == 0) return std::nullopt;
    return static_cast<double>(timedMs) / static_cast<double>(timedN);
}

std::optional<double> Counts::expectedMs() const {
    const auto mean = meanMs();
    if (!mean) return std::nullopt;
    return *mean / std::max(accuracy(), kMinAccuracy);
}

double DayFigures::perMinute() const {
    const auto mean = counts.meanMs();
    return mean && *mean > 0 ? 60000.0 / *mean : 0.0;
}

int Figures::knownKeys() const {
    return static_cast<int>(std::count_if(keys.begin(), keys.end(), [](const KeyFigures& k) { return k.weakness.has_value(); }));
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
}  // namespace

void finish(std::vector<KeyFigures>& keys) {
    std::vector<double> expected, means;
    for (const KeyFigures& k : keys)
        if (k.recent.known()) {
            expected.push_back(*k.recent.expectedMs());
            means.push_back(*k.recent.meanMs());
        }
    const double typical = expected.empty() ? 0.0 : median(expected);
    const double typicalMean = means.empty() ? 0.0 : median(means);
    for (KeyFigures& k : keys) {
        k.weakness.reset();
        k.trend.reset();
        k.slowness.reset();
        k.accuracy.reset();
        if (k.recent.attempts > 0) k.accuracy = k.recent.accuracy();
        if (!k.recent.known() || typical <= 0) continue;
        const double recent = *k.recent.expectedMs();
        k.weakness = recent / typical;
        if (typicalMean > 0) k.slowness = *k.recent.meanMs() / typicalMean;
        if (const auto total = k.total.expectedMs(); total && *total > 0) k.trend = recent / *total - 1.0;
    }
    std::stable_sort(keys.begin(), keys.end(), [](const KeyFigures& a, const KeyFigures& b) {
        if (a.weakness.has_value() != b.weakness.has_value()) return a.weakness.has_value();
        if (a.weakness && *a.weakness != *b.weakness) return *a.weakness > *b.weakness;
        return a.vk < b.vk;
    });
}

std::vector<double> drillWeights(const std::vector<std::optional<double>>& weakness) {
    const auto known = std::count_if(weakness.begin(), weakness.end(), [](const auto& w) { return w.has_value(); });
    if (weakness.empty() || known * 2 < static_cast<std::ptrdiff_t>(weakness.size())) return {};
    std::vector<double> weights;
    weights.reserve(weakness.size());
    for (const auto& w : weakness) {
        const double x = std::min(w.value_or(1.0), 4.0);
        weights.push_back(0.25 + x * x);
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
