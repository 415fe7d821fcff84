// The drawings of the three graphs, recorded: what is drawn where, in which
// colour and mode, for the edge cases of each graph.
#include <gtest/gtest.h>

#include <algorithm>

#include "GraphPlot.h"
#include "Numbers.h"
#include "RecordingSurface.h"
#include "test_graph_support.h"

namespace {

using Kind = RecordingSurface::Kind;
using Op = RecordingSurface::Op;

constexpr uint32_t kFore = 0x000001, kBack = 0xEFEFEF, kTime = 0x0000FF, kMiss = 0xFF8000;
const QString kFace = QStringLiteral("テスト書体");

struct Pt {
    double x, y;
    bool operator==(const Pt&) const = default;
};
std::ostream& operator<<(std::ostream& os, const Pt& p) { return os << "(" << p.x << ", " << p.y << ")"; }

// The points of the series drawn in `color`: its dot, then each line's end.
std::vector<Pt> seriesPoints(const RecordingSurface& s, uint32_t color) {
    std::vector<Pt> pts;
    for (const Op& o : s.ops) {
        if (o.color != color) continue;
        if (o.kind == Kind::Dot) pts.push_back({o.x1, o.y1});
        if (o.kind == Kind::Line && !pts.empty()) pts.push_back({o.x2, o.y2});
    }
    return pts;
}

const Op& textOp(const RecordingSurface& s, const QString& text) {
    const Op* o = s.findText(text);
    if (!o) throw std::runtime_error("no text " + text.toStdString());
    return *o;
}

TestGraphStyle testStyle() { return {kFore, kBack, kTime, kMiss, kFace}; }

TestGraphData testData(const std::vector<std::pair<double, int16_t>>& runs, int kind = 0) {
    GraphWorld w;
    for (const auto& [t, m] : runs) w.addTest(kind, t, m);
    return TestGraphData::fromResults(w.results, kind);
}

}  // namespace

// ---- test graph ----

TEST(TestGraphPlot, NoStoredRunDrawsBothSeriesFlatAtMidHeight) {
    RecordingSurface s(9000, 6000);
    drawTestGraph(s, testData({}), testStyle());

    ASSERT_FALSE(s.ops.empty());
    EXPECT_EQ(s.ops[0].kind, Kind::Clear);
    EXPECT_EQ(s.ops[0].color, kBack);
    const Op axis = s.all(Kind::Line).front();
    EXPECT_EQ(Pt(axis.x1, axis.y1), Pt(350, 150));
    EXPECT_EQ(Pt(axis.x2, axis.y2), Pt(350, 5850));
    EXPECT_EQ(axis.color, kFore);
    EXPECT_EQ(axis.mode, DrawMode::MaskPen);

    const Op& time = textOp(s, QStringLiteral(" 0"));
    EXPECT_EQ(Pt(time.x1, time.y1), Pt(30, 3000 - 90));
    EXPECT_EQ(time.color, kTime);
    EXPECT_EQ(s.count(Kind::Dot), 0);
    const auto lines = s.all(Kind::Line);
    ASSERT_EQ(lines.size(), 3u);
    for (size_t i = 1; i < 3; ++i) {
        EXPECT_EQ(Pt(lines[i].x1, lines[i].y1), Pt(350, 3000));
        EXPECT_EQ(Pt(lines[i].x2, lines[i].y2), Pt(8650, 3000));
    }
    EXPECT_EQ(lines[1].color, kTime);
    EXPECT_EQ(lines[2].color, kMiss);
    const auto texts = s.all(Kind::Text);
    EXPECT_EQ(Pt(texts.back().x1, texts.back().y1), Pt(350, 3120));  // the miss label, under the line
    EXPECT_EQ(texts.back().color, kMiss);
}

TEST(TestGraphPlot, LegendAtTheTopRightInTheFixedFaceThenEventsRun) {
    RecordingSurface s(9000, 6000);
    drawTestGraph(s, testData({{30, 2}}), testStyle());
    const auto boxes = s.all(Kind::FilledBox);
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].color, kTime);
    EXPECT_EQ(std::vector<double>({boxes[0].x1, boxes[0].y1, boxes[0].x2, boxes[0].y2}),
              std::vector<double>({6450, 180, 6650, 30}));
    EXPECT_EQ(boxes[1].color, kMiss);
    EXPECT_EQ(boxes[1].x1, 7550);
    const Op& timeLegend = textOp(s, QStringLiteral("入力時間"));
    EXPECT_EQ(Pt(timeLegend.x1, timeLegend.y1), Pt(6700, 30));
    EXPECT_EQ(timeLegend.fontFace, QStringLiteral("ＭＳ ゴシック"));
    EXPECT_EQ(timeLegend.fontPoints, 9);
    const Op& missLegend = textOp(s, QStringLiteral("ミスタイプ数"));
    EXPECT_EQ(Pt(missLegend.x1, missLegend.y1), Pt(7800, 30));

    // Events run right after the legend and after the time series.
    std::vector<Kind> kinds;
    for (const Op& o : s.ops) kinds.push_back(o.kind);
    const auto firstEvents = std::find(kinds.begin(), kinds.end(), Kind::ProcessEvents);
    ASSERT_NE(firstEvents, kinds.end());
    EXPECT_EQ(*(firstEvents - 1), Kind::Text);  // "ミスタイプ数"
    EXPECT_EQ(s.count(Kind::ProcessEvents), 2);
    EXPECT_EQ(textOp(s, QStringLiteral(" 30")).fontFace, kFace);
}

TEST(TestGraphPlot, OneRunIsFlatAndLabelledWithItsValues) {
    RecordingSurface s(9000, 6000);
    drawTestGraph(s, testData({{31.5, 4}}), testStyle());
    EXPECT_EQ(textOp(s, QStringLiteral(" 31.5")).y1, 2910);
    EXPECT_EQ(textOp(s, QStringLiteral(" 4")).x1, 350);
    // The time label reaches past the axis: the miss label starts below it.
    EXPECT_GT(30 + s.textWidth(QStringLiteral(" 31.5")), 350);
    EXPECT_GE(textOp(s, QStringLiteral(" 4")).y1, 2910 + s.textHeight(QStringLiteral("0")));
    EXPECT_EQ(s.count(Kind::Dot), 0);
}

TEST(TestGraphPlot, ThreeRunsAreScaledBetweenTheExtremesOldestFirst) {
    RecordingSurface s(9001, 6000);  // step 4150.5: the middle x rounds to even
    drawTestGraph(s, testData({{31.5, 4}, {28.25, 1}, {27, 0}}), testStyle());

    EXPECT_EQ(seriesPoints(s, kTime), (std::vector<Pt>{{350, 150}, {4500, 4267}, {8651, 5850}}));
    EXPECT_EQ(Pt(textOp(s, QStringLiteral(" 31.5")).x1, textOp(s, QStringLiteral(" 31.5")).y1), Pt(30, 150));
    EXPECT_EQ(Pt(textOp(s, QStringLiteral(" 27")).x1, textOp(s, QStringLiteral(" 27")).y1), Pt(30, 5670));

    // Misses: scale (6000 - 300 - 360) / 4 = 1335 below 150 + d.
    EXPECT_EQ(seriesPoints(s, kMiss), (std::vector<Pt>{{350, 330}, {4500, 4335}, {8651, 5670}}));
    EXPECT_EQ(Pt(textOp(s, QStringLiteral(" 4")).x1, textOp(s, QStringLiteral(" 4")).y1), Pt(350, 330));
    EXPECT_EQ(Pt(textOp(s, QStringLiteral(" 0")).x1, textOp(s, QStringLiteral(" 0")).y1), Pt(350, 5490));
}

TEST(TestGraphPlot, FiftyOneRunsShowTheNewestFiftyAgainstAllTimeExtremes) {
    std::vector<std::pair<double, int16_t>> runs{{99, 20}};  // slowest and most misses: no longer shown
    for (int j = 0; j < 50; ++j) runs.push_back({30.0 + (j % 7), static_cast<int16_t>(j % 5)});
    RecordingSurface s(9000, 6000);
    drawTestGraph(s, testData(runs), testStyle());

    const auto time = seriesPoints(s, kTime);
    ASSERT_EQ(time.size(), 50u);
    EXPECT_EQ(time.front().x, 350);
    EXPECT_EQ(time.back().x, 8650);
    EXPECT_NE(s.findText(QStringLiteral(" 99")), nullptr);  // worst of all time
    EXPECT_GT(std::min_element(time.begin(), time.end(), [](Pt a, Pt b) { return a.y < b.y; })->y, 150);
    EXPECT_EQ(seriesPoints(s, kMiss).size(), 50u);
    EXPECT_NE(s.findText(QStringLiteral(" 20")), nullptr);
}

TEST(TestGraphPlot, NoMissesAtAllLeavesTheMissSeriesFlat) {
    RecordingSurface s(9000, 6000);
    drawTestGraph(s, testData({{40, 0}, {35, 0}, {33, 0}}), testStyle());
    EXPECT_EQ(seriesPoints(s, kTime).size(), 3u);
    EXPECT_TRUE(seriesPoints(s, kMiss).empty());
    const Op& label = textOp(s, QStringLiteral(" 0"));
    EXPECT_EQ(Pt(label.x1, label.y1), Pt(350, 3120));
    EXPECT_EQ(label.color, kMiss);
}

TEST(TestGraphPlot, EqualMissCountsRunAlongTheTopAgainstTheStoredMinimumZero) {
    RecordingSurface s(9000, 6000);
    drawTestGraph(s, testData({{40, 3}, {35, 3}, {33, 3}}), testStyle());
    const auto miss = seriesPoints(s, kMiss);
    ASSERT_EQ(miss.size(), 3u);
    for (const Pt& p : miss) EXPECT_EQ(p.y, 330);
    EXPECT_NE(s.findText(QStringLiteral(" 3")), nullptr);
    EXPECT_NE(s.findText(QStringLiteral(" 0")), nullptr);
}

TEST(TestGraphPlot, EqualTimesAreFlatAndLabelledWithTheBest) {
    RecordingSurface s(9000, 6000);
    drawTestGraph(s, testData({{30, 1}, {30, 2}}), testStyle());
    EXPECT_TRUE(seriesPoints(s, kTime).empty());
    EXPECT_EQ(textOp(s, QStringLiteral(" 30")).y1, 2910);
}

// ---- text graph ----

namespace {

constexpr uint32_t kChars = 0x8080FF, kTextMiss = 0x008000, kPerMin = 0xFF8000;

TextGraphStyle textStyle(int disp) { return {kFore, kBack, {kChars, kTextMiss, kPerMin}, disp, kFace}; }

TextGraphData textData(const std::vector<std::tuple<int, int, double>>& results) {
    GraphWorld w;
    for (const auto& [c, m, p] : results) w.results.AddTextResult(c, m, p);
    return TextGraphData::fromResults(w.results);
}

}  // namespace

TEST(TextGraphPlot, NothingStoredDrawsEveryShownSeriesFlatWithNewestLabels) {
    RecordingSurface s(9000, 6000);
    drawTextGraph(s, textData({}), textStyle(7));
    const auto texts = s.all(Kind::Text);
    ASSERT_EQ(texts.size(), 3u);
    EXPECT_EQ(Pt(texts[0].x1, texts[0].y1), Pt(30, 2910));
    EXPECT_EQ(Pt(texts[1].x1, texts[1].y1), Pt(350, 3120));
    EXPECT_EQ(Pt(texts[2].x1, texts[2].y1), Pt(9000 - 120 - 200, 2910));  // width of "0"
    EXPECT_EQ(texts[2].color, kPerMin);
    EXPECT_EQ(s.count(Kind::Line), 4);  // axis and three middle lines
    EXPECT_EQ(s.count(Kind::ProcessEvents), 1);
}

TEST(TextGraphPlot, DisplayBitsZeroDrawsOnlyTheAxis) {
    RecordingSurface s(9000, 6000);
    drawTextGraph(s, textData({{100, 2, 50}, {120, 3, 60}}), textStyle(0));
    EXPECT_EQ(s.count(Kind::Line), 1);
    EXPECT_EQ(s.count(Kind::Text), 0);
    EXPECT_EQ(s.count(Kind::Dot), 0);
}

TEST(TextGraphPlot, EachSeriesUsesItsOwnLabelPlacesAndScale) {
    RecordingSurface s(9000, 6000);
    drawTextGraph(s, textData({{300, 5, 95.5}, {420, 2, 219.25}, {360, 2, 150}}), textStyle(7));

    // Characters: max at the top left, min above the bottom margin.
    EXPECT_EQ(Pt(textOp(s, QStringLiteral(" 420")).x1, textOp(s, QStringLiteral(" 420")).y1), Pt(30, 150));
    EXPECT_EQ(Pt(textOp(s, QStringLiteral(" 300")).x1, textOp(s, QStringLiteral(" 300")).y1), Pt(30, 5670));
    EXPECT_EQ(seriesPoints(s, kChars), (std::vector<Pt>{{350, 5850}, {4500, 150}, {8650, 3000}}));
    // Misses 5, 2, 2: scaled, labels just right of the axis.
    EXPECT_EQ(Pt(textOp(s, QStringLiteral(" 5")).x1, textOp(s, QStringLiteral(" 5")).y1), Pt(350, 330));
    EXPECT_EQ(textOp(s, QStringLiteral(" 2")).y1, 5490);
    // Inputs per minute: right-aligned 200 twips from the edge, measured without the space.
    const Op& pmMax = textOp(s, QStringLiteral(" 219.25"));
    EXPECT_EQ(Pt(pmMax.x1, pmMax.y1), Pt(9000 - 6 * 120 - 200, 240));
    const Op& pmMin = textOp(s, QStringLiteral(" 95.5"));
    EXPECT_EQ(Pt(pmMin.x1, pmMin.y1), Pt(9000 - 4 * 120 - 200, 6000 - 270 - 150));
}

TEST(TextGraphPlot, EqualMissCountsAreFlatWhileOtherSeriesScale) {
    RecordingSurface s(9000, 6000);
    drawTextGraph(s, textData({{300, 2, 95.5}, {420, 2, 219.25}}), textStyle(3));
    EXPECT_TRUE(seriesPoints(s, kTextMiss).empty());
    const Op& label = textOp(s, QStringLiteral(" 2"));
    EXPECT_EQ(Pt(label.x1, label.y1), Pt(350, 3120));
    EXPECT_EQ(seriesPoints(s, kChars).size(), 2u);
    EXPECT_EQ(s.findText(QStringLiteral(" 219.25")), nullptr);  // hidden series
}

TEST(TextGraphPlot, ExtremesCoverOnlyTheShownResults) {
    std::vector<std::tuple<int, int, double>> results{{9999, 99, 999}};  // oldest, not shown
    for (int i = 0; i < 50; ++i) results.push_back({200 + i, i % 4, 100.0 + i});
    RecordingSurface s(9000, 6000);
    drawTextGraph(s, textData(results), textStyle(7));
    EXPECT_EQ(s.findText(QStringLiteral(" 9999")), nullptr);
    EXPECT_NE(s.findText(QStringLiteral(" 249")), nullptr);
    EXPECT_NE(s.findText(QStringLiteral(" 200")), nullptr);
    EXPECT_EQ(seriesPoints(s, kChars).size(), 50u);
    EXPECT_EQ(seriesPoints(s, kChars).front(), (Pt{350, 5850}));
    EXPECT_EQ(seriesPoints(s, kChars).back(), (Pt{8650, 150}));
}

TEST(TextGraphPlot, OneResultIsFlatWithItsValues) {
    RecordingSurface s(9000, 6000);
    drawTextGraph(s, textData({{321, 4, 88.5}}), textStyle(7));
    EXPECT_EQ(textOp(s, QStringLiteral(" 321")).y1, 2910);
    EXPECT_EQ(textOp(s, QStringLiteral(" 4")).y1, 3120);
    EXPECT_EQ(textOp(s, QStringLiteral(" 88.5")).x1, 9000 - 4 * 120 - 200);
    EXPECT_EQ(s.count(Kind::Dot), 0);
}

// ---- miss-key graph ----

namespace {

constexpr uint32_t kBar = 0x379B37;

MissKeyStyle keyStyle() { return {kFore, kBack, kBar, FillStyle::DownwardDiagonal, kFace}; }

MissKeyData keyData(const std::vector<std::pair<int, int16_t>>& misses, int keyBoardType = 0, int letterType = 0) {
    MissKeyData d;
    basMain main(QStringLiteral("/tmp/"));
    main.MakeKeyCodeTable(static_cast<int16_t>(keyBoardType));
    d.keyCode = main.gKeyCode;
    for (const auto& [k, n] : misses) d.keyMiss[static_cast<size_t>(k)] = n;
    d.keyBoardType = keyBoardType;
    d.letterType = letterType;
    return d;
}

// H 6000, a 180: base line at 6000 - 150 - 180.
constexpr double kBase = 5670;

}  // namespace

TEST(MissKeyPlot, NoMissDrawsOnlyTheAxes) {
    RecordingSurface s(9000, 6000);
    drawMissKeyGraph(s, keyData({}), keyStyle());
    const auto lines = s.all(Kind::Line);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(std::vector<double>({lines[0].x1, lines[0].y1, lines[0].x2, lines[0].y2}),
              std::vector<double>({350, 150, 350, kBase}));
    EXPECT_EQ(std::vector<double>({lines[1].x1, lines[1].y1, lines[1].x2, lines[1].y2}),
              std::vector<double>({350, kBase, 8650, kBase}));
    EXPECT_EQ(s.count(Kind::Box), 0);
    EXPECT_EQ(s.count(Kind::Text), 0);
    EXPECT_EQ(s.ops.back().kind, Kind::ProcessEvents);
    EXPECT_EQ(lines[0].fontFace, kFace);
}

TEST(MissKeyPlot, OneMissIsOneBarAcrossTheWholeWidth) {
    RecordingSurface s(9000, 6000);
    drawMissKeyGraph(s, keyData({{3, 1}}), keyStyle());  // F
    const auto boxes = s.all(Kind::Box);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(std::vector<double>({boxes[0].x1, boxes[0].y1, boxes[0].x2, boxes[0].y2}),
              std::vector<double>({350, kBase, 8650, 150}));
    EXPECT_EQ(boxes[0].fillStyle, FillStyle::DownwardDiagonal);
    EXPECT_EQ(boxes[0].fillColor, kBar);
    EXPECT_EQ(boxes[0].color, kBar);
    EXPECT_EQ(boxes[0].mode, DrawMode::MaskPen);
    EXPECT_EQ(Pt(textOp(s, QStringLiteral(" 1")).x1, textOp(s, QStringLiteral(" 1")).y1), Pt(30, 60));
    const Op& label = textOp(s, QStringLiteral("F"));
    EXPECT_EQ(Pt(label.x1, label.y1), Pt(350 + 8300 / 2.0, kBase + 90));
    EXPECT_EQ(s.count(Kind::Line), 2);  // no half line
}

TEST(MissKeyPlot, MaxThreeDrawsTheDottedHalfLineAtOne) {
    RecordingSurface s(9000, 6000);
    drawMissKeyGraph(s, keyData({{0, 3}, {5, 1}}), keyStyle());
    const double scale = (6000 - 300 - 180) / 3.0;
    const double yh = num::roundHalfEven(150 + 2 * scale);
    const auto lines = s.all(Kind::Line);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[2].lineStyle, LineStyle::Dotted);
    EXPECT_EQ(std::vector<double>({lines[2].x1, lines[2].y1, lines[2].x2, lines[2].y2}),
              std::vector<double>({350, yh, 8650, yh}));
    EXPECT_EQ(lines[2].color, kFore);
    EXPECT_EQ(Pt(textOp(s, QStringLiteral(" 1")).x1, textOp(s, QStringLiteral(" 1")).y1), Pt(30, yh - 90));
    EXPECT_EQ(s.all(Kind::Box).front().lineStyle, LineStyle::Solid);
}

TEST(MissKeyPlot, BarsStandSideBySideInKeyOrder) {
    RecordingSurface s(9000, 6000);
    drawMissKeyGraph(s, keyData({{9, 1}, {0, 2}, {5, 4}}), keyStyle());  // Q, A, H
    const double step = 8300 / 3.0, scale = (6000 - 300 - 180) / 4.0;
    const auto boxes = s.all(Kind::Box);
    const auto dots = s.all(Kind::Dot);
    ASSERT_EQ(boxes.size(), 3u);
    const int values[] = {2, 4, 1};
    for (int k = 0; k < 3; ++k) {
        EXPECT_EQ(dots[k].x1, 350 + k * step);
        EXPECT_EQ(boxes[k].x1, 350 + k * step);
        EXPECT_EQ(boxes[k].x2, num::roundHalfEven(350 + (k + 1) * step));
        EXPECT_EQ(boxes[k].y2, num::roundHalfEven(150 + (4 - values[k]) * scale));
    }
    const auto texts = s.all(Kind::Text);
    QStringList labels;
    for (const Op& t : texts)
        if (t.y1 > kBase) labels << t.text;
    EXPECT_EQ(labels, (QStringList{"A", "H", "Q"}));
}

TEST(MissKeyPlot, FingerPracticeKeysAreShownOnlyWhenTheMainKeysHaveNoMiss) {
    RecordingSurface only(9000, 6000);
    drawMissKeyGraph(only, keyData({{51, 2}, {75, 1}}), keyStyle());
    EXPECT_EQ(only.count(Kind::Box), 2);

    RecordingSurface both(9000, 6000);
    drawMissKeyGraph(both, keyData({{51, 2}, {75, 1}, {7, 1}}), keyStyle());
    EXPECT_EQ(both.count(Kind::Box), 1);
    EXPECT_NE(both.findText(QStringLiteral("K")), nullptr);
}

TEST(MissKeyPlot, KeysBeyondTheShownRangesAreNeverDrawn) {
    RecordingSurface s(9000, 6000);
    drawMissKeyGraph(s, keyData({{47, 3}, {50, 3}, {91, 3}, {100, 3}}), keyStyle());
    EXPECT_EQ(s.count(Kind::Box), 0);
    EXPECT_EQ(s.count(Kind::Text), 0);
}

struct LabelRow {
    const char* name;
    int code;
    int keyBoardType;
    int letterType;
    const char* label;
};

void PrintTo(const LabelRow& r, std::ostream* os) { *os << r.name; }

class MissKeyLabel : public ::testing::TestWithParam<LabelRow> {};

TEST_P(MissKeyLabel, FollowsLayoutAndLetterCase) {
    const LabelRow& r = GetParam();
    EXPECT_EQ(missKeyLabel(r.code, r.keyBoardType, r.letterType), QString::fromUtf8(r.label));
}

INSTANTIATE_TEST_SUITE_P(
    Codes, MissKeyLabel,
    ::testing::Values(LabelRow{"LetterUpper", 'A', 0, 0, "A"}, LabelRow{"LetterLower", 'Z', 1, 1, "z"},
                      LabelRow{"DigitKeepsCase", '7', 0, 1, "7"}, LabelRow{"Comma", 188, 1, 0, ","},
                      LabelRow{"Minus", 189, 0, 0, "-"}, LabelRow{"Slash", 191, 0, 0, "/"},
                      LabelRow{"Backslash", 220, 1, 0, "\\"}, LabelRow{"CloseBracket", 221, 0, 0, "]"},
                      LabelRow{"Colon106", 186, 0, 0, ":"}, LabelRow{"Semicolon101", 186, 1, 0, ";"},
                      LabelRow{"Semicolon106", 187, 0, 0, ";"}, LabelRow{"Equals101", 187, 1, 0, "="},
                      LabelRow{"At106", 192, 0, 0, "@"}, LabelRow{"Grave101None", 192, 1, 0, ""},
                      LabelRow{"Caret106", 222, 0, 0, "^"}, LabelRow{"Quote101", 222, 1, 0, "'"},
                      LabelRow{"Ro106None", 226, 0, 0, ""}, LabelRow{"NoKey", 0, 0, 0, ""}),
    [](const auto& info) { return std::string(info.param.name); });
