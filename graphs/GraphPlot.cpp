#include "GraphPlot.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <functional>
#include <utility>

#include "KeyMap.h"
#include "Numbers.h"
#include "Surface.h"

namespace {

const QString kGraphFace = QStringLiteral("ＭＳ ゴシック");
constexpr double kFontPoints = 9;
constexpr double kMargin = 150;  // top and bottom margin of the plot
constexpr double kAxisX = 350;   // the axis and the oldest point
constexpr double kRightX = 350;  // distance of the newest point from the right edge

double halfEven(double v) { return num::roundHalfEven(v); }
QString number(double v) { return num::withSignSpace(v); }

// The start of every graph: AND drawing, the area cleared, the pen on the axis colour.
void prepare(Surface& s, const QString& face, uint32_t back, uint32_t fore) {
    s.setDrawMode(DrawMode::MaskPen);
    s.setLineWidth(1);
    s.setLineStyle(LineStyle::Solid);
    s.setFont(face, kFontPoints, false);
    s.clear(back);
    s.setForeColor(fore);
}

// Points i = L down to 0, spread from x = 350 to x = W - 350. A point that
// has no place (a damaged results file can hold a time that is not a
// number) is left out, and the series starts again after it.
void plotSeries(Surface& s, int last, const std::function<double(int)>& yOf) {
    const double step = (s.width() - kAxisX - kRightX) / last;
    double px = 0, py = 0;
    bool joined = false;
    for (int i = last; i >= 0; --i) {
        const double x = halfEven(kAxisX + (last - i) * step);
        const double y = halfEven(yOf(i));
        if (!std::isfinite(y)) {
            joined = false;
            continue;
        }
        if (!joined)
            s.dot(x, y);
        else
            s.line(px, py, x, y);
        px = x;
        py = y;
        joined = true;
    }
}

// The flat form of a series: its label at half height and the middle line.
// A label at the axis goes just under the line: at half height it would run
// into the label left of the axis, which is at half height too when that
// series is flat as well (one stored run).
void flatSeries(Surface& s, double labelX, const QString& label) {
    const double mid = halfEven(s.height() / 2);
    const double h = s.textHeight(QStringLiteral("0"));
    s.text(labelX, labelX == kAxisX ? mid + h / 2 + 30 : mid - h / 2, label);
    s.line(kAxisX, mid, s.width() - kRightX, mid);
}

void drawLegend(Surface& s, const TestGraphStyle& style) {
    const double w = s.width();
    const double t0 = s.textHeight(QStringLiteral("0"));
    s.setForeColor(style.time);
    s.filledBox(w - 2550, t0, w - 2350, 30);
    s.text(w - 2300, 30, QStringLiteral("入力時間"));
    s.setForeColor(style.miss);
    s.filledBox(w - 1450, t0, w - 1250, 30);
    s.text(w - 1200, 30, QStringLiteral("ミスタイプ数"));
}

void drawTimeSeries(Surface& s, const TestGraphData& d, int last) {
    const double best = d.bestTime, worst = d.worstTime, h = s.height();
    if (best == worst || last < 1) {
        flatSeries(s, 30, number(best));
        return;
    }
    const double dh = s.textHeight(QStringLiteral("(-)"));
    s.text(30, kMargin, number(worst));
    s.text(30, h - dh - kMargin, number(best));
    plotSeries(s, last, [&](int i) {
        return kMargin + (worst - d.times[static_cast<size_t>(i)]) * (h - 2 * kMargin) / (worst - best);
    });
}

void drawTestMissSeries(Surface& s, const TestGraphData& d, int last) {
    const double max = d.maxMiss, min = d.minMiss, h = s.height();
    if (max == min || last < 1) {
        flatSeries(s, kAxisX, number(max));
        return;
    }
    const double dh = s.textHeight(QStringLiteral("(-)"));
    const double scale = (h - 2 * kMargin - 2 * dh) / (max - min);
    s.text(kAxisX, kMargin + dh, number(max));
    s.text(kAxisX, h - 2 * dh - kMargin, number(min));
    plotSeries(s, last, [&](int i) { return kMargin + dh + (max - d.misses[static_cast<size_t>(i)]) * scale; });
}

}  // namespace

void drawTestGraph(Surface& s, const TestGraphData& d, const TestGraphStyle& style) {
    const int last = graphLastIndex(d.count);
    prepare(s, kGraphFace, style.back, style.fore);
    s.line(kAxisX, kMargin, kAxisX, s.height() - kMargin);
    drawLegend(s, style);
    s.processEvents();
    s.setFontName(style.fontName);
    s.setForeColor(style.time);
    drawTimeSeries(s, d, last);
    s.processEvents();
    s.setForeColor(style.miss);
    drawTestMissSeries(s, d, last);
}

// ---- the text-practice graph ----

namespace {

struct TextSeries {
    std::function<double(int)> value;  // entry i
    double maxStart;
    double minStart;
};

// Labels: the characters left of the axis, the misses just right of it, the
// inputs per minute right-aligned 200 twips from the right edge (measured
// without the leading space).
double labelX(Surface& s, int series, double value) {
    switch (series) {
        case 0:
            return 30;
        case 1:
            return kAxisX;
        default:
            return s.width() - s.textWidth(num::general(value)) - 200;
    }
}

// Tops of the max and min labels of a scaled series.
std::pair<double, double> labelTops(Surface& s, int series) {
    const double h = s.height(), d = s.textHeight(QStringLiteral("(-)"));
    switch (series) {
        case 0:
            return {kMargin, h - d - kMargin};
        case 1:
            return {kMargin + d, h - 2 * d - kMargin};
        default:
            return {kMargin + d / 2, h - 1.5 * d - kMargin};
    }
}

void drawTextSeries(Surface& s, int series, const TextSeries& ts, int last) {
    double max = ts.maxStart, min = ts.minStart;
    for (int i = 0; i <= last; ++i) {
        max = std::max(max, ts.value(i));
        min = std::min(min, ts.value(i));
    }
    if (max == min || last < 1) {
        const double newest = ts.value(0);
        flatSeries(s, labelX(s, series, newest), number(newest));
        return;
    }
    const auto [maxY, minY] = labelTops(s, series);
    s.text(labelX(s, series, max), maxY, number(max));
    s.text(labelX(s, series, min), minY, number(min));
    const double h = s.height();
    plotSeries(s, last, [&](int i) { return kMargin + (max - ts.value(i)) * (h - 2 * kMargin) / (max - min); });
}

}  // namespace

void drawTextGraph(Surface& s, const TextGraphData& d, const TextGraphStyle& style) {
    const int last = graphLastIndex(d.count);
    const std::array<TextSeries, 3> series{{
        {[&](int i) { return static_cast<double>(d.chars[static_cast<size_t>(i)]); }, 0, INT_MAX},
        {[&](int i) { return static_cast<double>(d.misses[static_cast<size_t>(i)]); }, 0, INT_MAX},
        {[&](int i) { return d.perMinute[static_cast<size_t>(i)]; }, 0, 99999},
    }};
    prepare(s, kGraphFace, style.back, style.fore);
    s.line(kAxisX, kMargin, kAxisX, s.height() - kMargin);
    s.processEvents();
    for (int k = 0; k < 3; ++k) {
        if ((style.disp & (1 << k)) == 0) continue;
        s.setFontName(style.fontName);
        s.setForeColor(style.series[static_cast<size_t>(k)]);
        drawTextSeries(s, k, series[static_cast<size_t>(k)], last);
    }
}

// ---- the miss-key graph ----

namespace {

struct KeyRange {
    int first;
    int last;
    int max;
    int count;  // keys with at least one miss
};

KeyRange scanRange(const MissKeyData& d, int first, int last) {
    KeyRange r{first, last, 0, 0};
    for (int k = first; k <= last; ++k) {
        const int v = d.keyMiss[static_cast<size_t>(k)];
        r.max = std::max(r.max, v);
        if (v > 0) ++r.count;
    }
    return r;
}

// The main keys, or the finger-practice copies when no main key was missed.
KeyRange chooseRange(const MissKeyData& d) {
    const KeyRange main = scanRange(d, 0, 46);
    return main.max >= 1 ? main : scanRange(d, 51, 90);
}

// The max label, and for max > 1 the dotted half line with its label.
void drawScale(Surface& s, int max, double a, double scale) {
    s.text(30, kMargin - a / 2, number(max));
    if (max <= 1) return;
    const int half = max / 2;
    const double yh = halfEven(kMargin + (max - half) * scale);
    s.text(30, yh - a / 2, number(half));
    s.setLineStyle(LineStyle::Dotted);
    s.line(kAxisX, yh, s.width() - kRightX, yh);
    s.setLineStyle(LineStyle::Solid);
}

}  // namespace

void drawMissKeyGraph(Surface& s, const MissKeyData& d, const MissKeyStyle& style) {
    const KeyRange range = chooseRange(d);
    prepare(s, style.fontName, style.back, style.fore);
    const double w = s.width();
    const double a = halfEven(s.textHeight(QStringLiteral("A")));
    const double base = halfEven(s.height() - kMargin - a);
    s.line(kAxisX, kMargin, kAxisX, base);
    s.line(kAxisX, base, w - kRightX, base);
    s.processEvents();
    if (range.max < 1) return;

    const double step = (w - kAxisX - kRightX) / range.count;
    const double scale = (s.height() - 2 * kMargin - a) / range.max;
    drawScale(s, range.max, a, scale);
    s.setFillStyle(style.fillStyle);
    s.setFillColor(style.miss);
    s.setForeColor(style.miss);
    s.setLineWidth(1);
    int k = 0;
    for (int key = range.first; key <= range.last; ++key) {
        const int v = d.keyMiss[static_cast<size_t>(key)];
        if (v <= 0) continue;
        const double left = kAxisX + k * step;
        s.dot(left, base);
        s.box(left, base, halfEven(kAxisX + (k + 1) * step), halfEven(kMargin + (range.max - v) * scale));
        const QString label = missKeyLabel(d.keyCode[static_cast<size_t>(key)], d.keyBoardType, d.letterType);
        if (!label.isEmpty()) s.text(kAxisX + (k + 0.5) * step, base + a / 2, label);
        ++k;
    }
}

QString missKeyLabel(int code, int keyBoardType, int letterType) {
    if (code >= 'A' && code <= 'Z') return QString(QChar(letterType == 1 ? code - 'A' + 'a' : code));
    if (code > ' ' && code < 186) return QString(QChar(code));
    return keymap::symbolLegend(code, keyBoardType);
}
