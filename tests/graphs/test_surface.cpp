// The QPainter surface: twips to pixels, AND drawing of pens, solid and
// hatched boxes, dotted lines; and what the recording surface keeps.
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>

#include "QtSurface.h"
#include "RecordingSurface.h"

namespace {

const QColor kBackground(239, 239, 239);
constexpr uint32_t kBackValue = 239 + 256 * 239 + 65536 * 239;
constexpr uint32_t kGreen = 55 + 256 * 155 + 65536 * 55;
const QColor kGreenAnd(55 & 239, 155 & 239, 55 & 239);

QImage blank(int w = 120, int h = 80) {
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(Qt::white);
    return img;
}

}  // namespace

TEST(QtSurface, MaskPenAndsLinesWithTheBackgroundAtTwipPositions) {
    QImage img = blank();
    {
        QtSurface s(img);
        EXPECT_EQ(s.width(), 120 * 15);
        s.clear(kBackValue);
        s.setDrawMode(DrawMode::MaskPen);
        s.setForeColor(255);         // red
        s.line(150, 150, 150, 600);  // x = 10 px, y 10..40
    }
    EXPECT_EQ(img.pixelColor(10, 10), QColor(239, 0, 0));
    EXPECT_EQ(img.pixelColor(10, 40), QColor(239, 0, 0));
    EXPECT_EQ(img.pixelColor(11, 20), kBackground);
    EXPECT_EQ(img.pixelColor(9, 20), kBackground);
    EXPECT_EQ(img.pixelColor(10, 41), kBackground);
}

TEST(QtSurface, CopyPenDrawsThePenColourItself) {
    QImage img = blank();
    {
        QtSurface s(img);
        s.clear(kBackValue);
        s.setForeColor(255);
        s.dot(300, 300);
    }
    EXPECT_EQ(img.pixelColor(20, 20), QColor(255, 0, 0));
}

// A green box drawn under MaskPen, pen and fill alike, on the background.
QImage maskedGreenBox(int fillStyle, double x2, double y2) {
    QImage img = blank();
    {
        QtSurface s(img);  // painting ends with it
        s.clear(kBackValue);
        s.setDrawMode(DrawMode::MaskPen);
        s.setForeColor(kGreen);
        s.setFillColor(kGreen);
        s.setFillStyle(fillStyle);
        s.box(150, 150, x2, y2);
    }
    return img;
}

TEST(QtSurface, SolidBoxUnderMaskPenAndsItsInside) {
    const QImage img = maskedGreenBox(FillStyle::Solid, 900, 600);  // pixels 10..60 x 10..40, both ends included
    EXPECT_EQ(img.pixelColor(30, 25), kGreenAnd);
    EXPECT_EQ(img.pixelColor(10, 10), kGreenAnd);
    EXPECT_EQ(img.pixelColor(60, 40), kGreenAnd);
    EXPECT_EQ(img.pixelColor(61, 40), kBackground);
    EXPECT_EQ(img.pixelColor(60, 41), kBackground);
}

TEST(QtSurface, HatchedBoxUnderMaskPenKeepsTheGapsBackground) {
    for (int style = FillStyle::Horizontal; style <= FillStyle::DiagonalCross; ++style) {
        SCOPED_TRACE(style);
        const QImage img = maskedGreenBox(style, 1350, 900);
        int gaps = 0, hatch = 0, other = 0;
        for (int y = 12; y < 59; ++y)
            for (int x = 12; x < 89; ++x) {
                const QColor c = img.pixelColor(x, y);
                if (c == kBackground)
                    ++gaps;
                else if (c == kGreenAnd)
                    ++hatch;
                else
                    ++other;
            }
        EXPECT_GT(gaps, 0);
        EXPECT_GT(hatch, 0);
        EXPECT_EQ(other, 0);
    }
}

TEST(QtSurface, UpwardAndDownwardDiagonalsLeanTheirWay) {
    auto leansUp = [](int style) {
        QImage img = blank();
        {
            QtSurface s(img);
            s.clear(kBackValue);
            s.setDrawMode(DrawMode::MaskPen);
            s.setFillColor(0);
            s.setFillStyle(style);
            s.setForeColor(0);
            s.box(150, 150, 1350, 900);
        }
        // On a "/" line the pixel up and to the right is on the line too.
        int up = 0, down = 0;
        for (int y = 20; y < 50; ++y)
            for (int x = 20; x < 80; ++x) {
                if (img.pixelColor(x, y) != QColor(0, 0, 0)) continue;
                if (img.pixelColor(x + 1, y - 1) == QColor(0, 0, 0)) ++up;
                if (img.pixelColor(x + 1, y + 1) == QColor(0, 0, 0)) ++down;
            }
        return up > down;
    };
    EXPECT_TRUE(leansUp(FillStyle::UpwardDiagonal));
    EXPECT_FALSE(leansUp(FillStyle::DownwardDiagonal));
}

TEST(QtSurface, TransparentBoxDrawsOnlyItsOutline) {
    QImage img = blank();
    {
        QtSurface s(img);
        s.clear(kBackValue);
        s.setForeColor(0);
        s.setFillStyle(FillStyle::Transparent);
        s.box(150, 150, 900, 600);
    }
    EXPECT_EQ(img.pixelColor(10, 25), QColor(0, 0, 0));
    EXPECT_EQ(img.pixelColor(60, 25), QColor(0, 0, 0));
    EXPECT_EQ(img.pixelColor(30, 25), kBackground);
}

TEST(QtSurface, DottedLineLeavesGaps) {
    QImage img = blank();
    {
        QtSurface s(img);
        s.clear(kBackValue);
        s.setDrawMode(DrawMode::MaskPen);
        s.setForeColor(0);
        s.setLineStyle(LineStyle::Dotted);
        s.line(150, 300, 1500, 300);
    }
    int on = 0, off = 0;
    for (int x = 10; x <= 100; ++x) (img.pixelColor(x, 20) == kBackground ? off : on)++;
    EXPECT_GT(on, 30);
    EXPECT_GT(off, 30);
}

TEST(QtSurface, TextIsMeasuredInWholePixelsOfTwips) {
    QImage img = blank();
    QtSurface s(img);
    s.setFont(QStringLiteral("ＭＳ ゴシック"), 9);
    const double h = s.textHeight(QStringLiteral("0"));
    EXPECT_GT(h, 150);
    EXPECT_EQ(static_cast<int>(h) % 15, 0);
    EXPECT_GT(s.textWidth(QStringLiteral("000")), s.textWidth(QStringLiteral("0")));
}

TEST(RecordingSurface, KeepsTheStateEachOperationWasDrawnWith) {
    RecordingSurface s(3000, 2000);
    s.setDrawMode(DrawMode::MaskPen);
    s.setForeColor(7);
    s.line(1, 2, 3, 4);
    s.setFont(QStringLiteral("F"), 9, true);
    s.setForeColor(8);
    s.text(5, 6, QStringLiteral("x"));
    ASSERT_EQ(s.ops.size(), 2u);
    EXPECT_EQ(s.ops[0].color, 7u);
    EXPECT_EQ(s.ops[0].mode, DrawMode::MaskPen);
    EXPECT_EQ(s.ops[1].color, 8u);
    EXPECT_TRUE(s.ops[1].fontBold);
    EXPECT_EQ(s.findText(QStringLiteral("x"))->x1, 5);
    EXPECT_EQ(s.textWidth(QStringLiteral("abc")), 3 * s.charWidth);
}

// Box outlines are drawn as fills for speed: pixel for pixel what a one-pixel
// rectangle outline is, in both draw modes, for boxes of every shape.
TEST(QtSurface, BoxOutlineMatchesAOnePixelRectangle) {
    for (DrawMode mode : {DrawMode::CopyPen, DrawMode::MaskPen}) {
        for (const QRect r : {QRect(5, 6, 30, 20), QRect(10, 10, 2, 2), QRect(3, 40, 50, 3), QRect(60, 5, 3, 60)}) {
            QImage drawn = blank(), expected = blank();
            {
                QtSurface s(drawn);
                s.clear(kBackValue);
                s.setDrawMode(mode);
                s.setForeColor(kGreen);
                s.setFillStyle(FillStyle::Transparent);
                s.box(r.left() * 15, r.top() * 15, r.right() * 15, r.bottom() * 15);
            }
            {
                QPainter p(&expected);
                p.fillRect(expected.rect(), kBackground);
                if (mode == DrawMode::MaskPen) p.setCompositionMode(QPainter::RasterOp_SourceAndDestination);
                p.setPen(QPen(QColor(55, 155, 55), 1));
                p.drawRect(QRect(r.topLeft(), QSize(r.width() - 1, r.height() - 1)));
            }
            EXPECT_EQ(drawn, expected) << "box " << r.x() << "," << r.y() << " " << r.width() << "x" << r.height();
        }
    }
}
