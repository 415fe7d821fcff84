#include "Course.h"

#include <algorithm>
#include <cmath>

#include "KeyModel.h"

namespace practice {

namespace {
// The letters by romaji count over reach (scripts/course-order.py prints how
// they come out), then the Japanese marks ー 、。 and the digits, the index
// fingers' first.
constexpr char kLetterOrder[] = "FJAIOKUSNHETRMGYDWBCPZXVLQ";
constexpr int16_t kAfterLetters[] = {189, 188, 190, '4', '7', '3', '8', '5', '6', '2', '9', '1', '0', 191};

const learning::KeyFigures* find(const learning::Figures* f, int16_t vk) {
    if (!f) return nullptr;
    for (const learning::KeyFigures& k : f->keys)
        if (k.vk == vk) return &k;
    return nullptr;
}

CourseKey courseKey(const learning::Figures* f, int16_t vk, const CourseTarget& target) {
    CourseKey c;
    c.vk = vk;
    const learning::KeyFigures* k = find(f, vk);
    if (!k) {
        c.practiceLeft = learning::kMinAttempts;
        return c;
    }
    c.accuracy = k->accuracy.value_or(0.0);
    c.weakness = k->weakness;
    c.known = k->weakness.has_value();
    const qint64 left = std::max(learning::kMinAttempts - k->recent.attempts, learning::kMinTimed - k->recent.timedN);
    c.practiceLeft = c.known ? 0 : static_cast<int>(std::max<qint64>(left, 1));
    c.sure = c.known && c.accuracy >= target.accuracy && *c.weakness <= target.weakness;
    return c;
}

// How far a key is from the target: unknown keys furthest, by the practice
// they still need; then the larger of the accuracy gap (in tenths) and the
// weakness gap.
double distance(const CourseKey& k, const CourseTarget& t) {
    if (!k.known) return 100.0 + k.practiceLeft;
    return std::max((t.accuracy - k.accuracy) * 10.0, *k.weakness - t.weakness);
}

QString shortfall(const CourseKey& k, const CourseTarget& t, const QString& name) {
    const QString key = u'「' + name + u'」';
    if (!k.known) return key + QStringLiteral("あと%1打").arg(k.practiceLeft);
    if (k.accuracy < t.accuracy)
        return key + QStringLiteral("正確さ%1%").arg(static_cast<int>(std::floor(k.accuracy * 100.0)));
    return key + QStringLiteral("苦手度%1").arg(*k.weakness, 0, 'f', 2);
}
}  // namespace

std::vector<int16_t> courseOrder(const std::vector<int16_t>& layoutCodes) {
    std::vector<int16_t> fixed(std::begin(kLetterOrder), std::end(kLetterOrder) - 1);
    fixed.insert(fixed.end(), std::begin(kAfterLetters), std::end(kAfterLetters));
    auto inLayout = [&layoutCodes](int16_t vk) {
        return std::find(layoutCodes.begin(), layoutCodes.end(), vk) != layoutCodes.end();
    };
    std::vector<int16_t> order;
    for (int16_t vk : fixed)
        if (inLayout(vk)) order.push_back(vk);
    for (int16_t vk : layoutCodes)
        if (vk != 0 && std::find(order.begin(), order.end(), vk) == order.end()) order.push_back(vk);
    return order;
}

bool CourseState::allSure() const {
    return std::all_of(open.begin(), open.end(), [](const CourseKey& k) { return k.sure; });
}

CourseState courseState(const learning::Figures* figures, const std::vector<int16_t>& order,
                        const CourseTarget& target) {
    CourseState s;
    for (int16_t vk : order) {
        CourseKey k = courseKey(figures, vk, target);
        const bool opens = s.open.size() < kCourseStartKeys || k.known || s.allSure();
        if (!opens) {
            s.next = vk;
            break;
        }
        s.open.push_back(k);
    }
    return s;
}

std::vector<double> courseWeights(const CourseState& state) {
    std::vector<double> weights;
    double others = 0;
    for (const CourseKey& k : state.open) {
        const double x = std::min(k.weakness.value_or(1.0), 4.0);
        weights.push_back(0.25 + x * x);
        others += weights.back();
    }
    if (!weights.empty() && !state.newest().sure) {
        others -= weights.back();
        weights.back() = std::max(weights.back(), others / 2.0);
    }
    return weights;
}

QString courseLine(const CourseState& state, const CourseTarget& target, const std::function<QString(int16_t)>& legend,
                   int shown) {
    std::vector<const CourseKey*> behind;
    for (const CourseKey& k : state.open)
        if (!k.sure) behind.push_back(&k);
    std::stable_sort(behind.begin(), behind.end(), [&target](const CourseKey* a, const CourseKey* b) {
        return distance(*a, target) > distance(*b, target);
    });
    QString line =
        state.next ? QStringLiteral("次は「%1」").arg(legend(state.next)) : QStringLiteral("全てのキーが開いています");
    if (behind.empty()) return line + QStringLiteral("。どのキーも目標に届いています。");
    line += QStringLiteral("。目標まで：");
    const int n = std::min(shown, static_cast<int>(behind.size()));
    for (int i = 0; i < n; ++i)
        line += (i ? QStringLiteral(" ") : QString()) + shortfall(*behind[i], target, legend(behind[i]->vk));
    if (n < static_cast<int>(behind.size()))
        line += QStringLiteral(" ほか%1キー").arg(behind.size() - static_cast<size_t>(n));
    return line;
}

QString courseOpenedMessage(int16_t vk, const std::function<QString(int16_t)>& legend) {
    return QStringLiteral("「%1」が加わりました。").arg(legend(vk));
}

}  // namespace practice
