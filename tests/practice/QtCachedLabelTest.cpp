// The cached label must paint exactly the pixels a QLabel paints, for the
// faces, sizes and legends the main window uses, and follow text, font and
// colour changes.
#include <gtest/gtest.h>

#include <QImage>
#include <QLabel>

#include "QtCachedLabel.h"
#include "Widgets.h"

namespace {

struct LabelCase {
    const char* name;
    const char* face;
    double points;
    bool bold;
    int width, height;  // pixels
    const char* text;
};
void PrintTo(const LabelCase& c, std::ostream* os) { *os << c.name; }

void style(QLabel& l, const LabelCase& c) {
    l.setFont(ui::designFont(QString::fromUtf8(c.face), c.points, c.bold));
    l.setAlignment(Qt::AlignCenter);
    l.setText(QString::fromUtf8(c.text));
    ui::setBackColor(&l, QColor(255, 255, 128));
    ui::setForeColor(&l, QColor(192, 0, 0));
    l.resize(c.width, c.height);
}

QImage picture(QLabel& l) { return l.grab().toImage(); }

// A plain-text QLabel and a cached label styled alike; a change is made to
// both, and both must then paint the same pixels.
struct LabelPair {
    QLabel plain;
    QtCachedLabel cached;
    explicit LabelPair(const LabelCase& c) {
        plain.setTextFormat(Qt::PlainText);
        style(plain, c);
        style(cached, c);
    }
    template <typename Change>
    void change(Change f) {
        f(plain);
        f(cached);
    }
    bool paintAlike() { return picture(cached) == picture(plain); }
};

class CachedLabelPixels : public ::testing::TestWithParam<LabelCase> {};

TEST_P(CachedLabelPixels, PaintLikeAPlainLabel) {
    LabelPair labels(GetParam());
    EXPECT_TRUE(labels.paintAlike());
}

// Odd pixel sizes give fractional line heights and advances; tall and wide
// texts overflow their labels.
INSTANTIATE_TEST_SUITE_P(Legends, CachedLabelPixels,
                         ::testing::Values(LabelCase{"QueueHead", "ＭＳ ゴシック", 36, true, 57, 49, "F"},
                                           LabelCase{"QueueRest", "ＭＳ ゴシック", 26.25, true, 33, 33, "J"},
                                           LabelCase{"KeyLetter", "ＭＳ ゴシック", 9, true, 33, 33, "A"},
                                           LabelCase{"OddPixelSize", "ＭＳ ゴシック", 11.25, true, 20, 33, "W"},
                                           LabelCase{"Symbol", "ＭＳ ゴシック", 9, true, 33, 33, "\\"},
                                           LabelCase{"Kana", "ＭＳ ゴシック", 9, false, 33, 33, "ろ"},
                                           LabelCase{"WordLegend", "ＭＳ Ｐゴシック", 8.25, false, 61, 33, "Shift"},
                                           LabelCase{"Proportional", "ＭＳ Ｐゴシック", 12, true, 41, 20, "半/全"},
                                           LabelCase{"UserFace", "DejaVu Sans", 10.5, false, 41, 33, "Tab"},
                                           LabelCase{"WiderThanLabel", "ＭＳ ゴシック", 36, true, 17, 17, "Space"},
                                           LabelCase{"Empty", "ＭＳ ゴシック", 9, true, 33, 33, ""}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(CachedLabel, FollowsTextFontAndColourChanges) {
    LabelPair labels(LabelCase{"", "ＭＳ ゴシック", 9, true, 33, 33, "A"});
    (void)picture(labels.cached);  // lays the first text out
    labels.change([](QLabel& l) { l.setText(QStringLiteral("Q")); });
    EXPECT_TRUE(labels.paintAlike());
    labels.change([](QLabel& l) { l.setFont(ui::designFont(QStringLiteral("ＭＳ Ｐゴシック"), 15, false)); });
    EXPECT_TRUE(labels.paintAlike());
    labels.change([](QLabel& l) { ui::setForeColor(&l, Qt::white); });
    EXPECT_TRUE(labels.paintAlike());
}

// What the cache is not made for is painted by QLabel itself.
TEST(CachedLabel, LeavesOtherLabelsToQLabel) {
    LabelPair labels(LabelCase{"", "ＭＳ ゴシック", 12, true, 80, 50, "Two\nlines"});
    EXPECT_TRUE(labels.paintAlike());
    labels.change([](QLabel& l) {
        l.setText(QStringLiteral("Left"));
        l.setAlignment(Qt::AlignLeft | Qt::AlignTop);
        l.setFrameShape(QFrame::Box);
        l.setEnabled(false);
    });
    EXPECT_TRUE(labels.paintAlike());
}

}  // namespace
