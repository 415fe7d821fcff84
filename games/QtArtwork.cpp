#include "QtArtwork.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <array>
#include <cmath>

namespace art {
namespace {

constexpr int kBalloonW = 32;
constexpr int kBalloonH = 48;
constexpr int kBomb = 48;
constexpr double kPi = 3.14159265358979323846;

// The seven balloon colours, light enough for a black letter to read on them.
constexpr std::array<QRgb, 7> kBalloonColors{
    qRgb(238, 84, 84),  qRgb(250, 160, 58),  qRgb(248, 224, 72),  qRgb(112, 204, 96),
    qRgb(84, 186, 240), qRgb(156, 140, 246), qRgb(246, 132, 200),
};

// The balloon's body and knot in a cell (the string is drawn as a line).
const QRectF kBody(3, 1, 26, 32);
QPolygon knotPolygon() { return QPolygon({QPoint(14, 32), QPoint(18, 32), QPoint(19, 36), QPoint(13, 36)}); }
QPolygon stringLine() {
    return QPolygon({QPoint(16, 36), QPoint(15, 39), QPoint(17, 42), QPoint(15, 45), QPoint(16, 47)});
}

// A star with `points` tips; `wobble` varies the tip lengths deterministically.
QPolygonF star(QPointF c, double outer, double inner, int points, double turn, double wobble = 0) {
    QPolygonF p;
    for (int i = 0; i < points * 2; ++i) {
        const double a = turn + i * kPi / points;
        double r = (i % 2 == 0) ? outer : inner;
        if (i % 2 == 0) r *= 1.0 - wobble * (0.5 + 0.5 * std::sin(i * 2.399));
        p << QPointF(c.x() + r * std::cos(a), c.y() + r * std::sin(a));
    }
    return p;
}

// Sets every picture pixel outside the mask's shape (white in the mask) to black.
void clipToMask(QImage& pic, const QRect& cell, const QImage& mask, const QPoint& maskAt) {
    for (int y = 0; y < cell.height(); ++y)
        for (int x = 0; x < cell.width(); ++x)
            if (qRed(mask.pixel(maskAt.x() + x, maskAt.y() + y)) > 127)
                pic.setPixel(cell.x() + x, cell.y() + y, 0xFF000000);
}

QImage blackImage(int w, int h) {
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(Qt::black);
    return img;
}

QImage transparentImage(int w, int h) {
    QImage img(w, h, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    return img;
}

QImage makeBalloonMask() {
    QImage m(kBalloonW, kBalloonH, QImage::Format_RGB32);
    m.fill(Qt::white);
    QPainter p(&m);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::black);
    p.drawEllipse(kBody);
    p.drawPolygon(knotPolygon());
    p.setPen(QPen(Qt::black, 1));
    p.drawPolyline(stringLine());
    return m;
}

void drawString(QPainter& p) {
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(QPen(QColor(205, 205, 210), 1));
    p.drawPolyline(stringLine());
}

void drawWholeBalloon(QPainter& p, QColor c) {
    drawString(p);
    p.setRenderHint(QPainter::Antialiasing, true);
    QRadialGradient g(QPointF(11, 10), 26, QPointF(10, 9));
    g.setColorAt(0.0, c.lighter(165));
    g.setColorAt(0.4, c);
    g.setColorAt(1.0, c.darker(165));
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawEllipse(kBody.adjusted(-1, -1, 1, 1));
    p.setBrush(c.darker(140));
    p.drawPolygon(knotPolygon());
    p.setPen(QPen(c.darker(185), 1));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(kBody.adjusted(0.5, 0.5, -0.5, -0.5));
    // The shine on the upper left.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 175));
    p.save();
    p.translate(9.5, 9);
    p.rotate(-30);
    p.drawEllipse(QRectF(-2.5, -5, 5, 10));
    p.restore();
    p.setBrush(QColor(255, 255, 255, 220));
    p.drawEllipse(QRectF(8.5, 16, 2, 2));
}

void drawBurstBalloon(QPainter& p, QColor c) {
    drawString(p);
    p.setRenderHint(QPainter::Antialiasing, true);
    // The flash fills the whole shape, so nothing of it shows black.
    QRadialGradient flash(QPointF(16, 17), 18);
    flash.setColorAt(0.0, QColor(255, 255, 235));
    flash.setColorAt(0.55, QColor(255, 236, 150));
    flash.setColorAt(1.0, QColor(255, 196, 90));
    p.setPen(Qt::NoPen);
    p.setBrush(flash);
    p.drawEllipse(kBody.adjusted(-1, -1, 1, 1));
    p.setBrush(QColor(255, 196, 90));
    p.drawPolygon(knotPolygon());
    // Torn rubber: a ragged star in the balloon's colour and a few shreds.
    p.setPen(QPen(c.darker(160), 1));
    p.setBrush(c);
    p.drawPolygon(star(QPointF(16, 17), 15, 6, 8, 0.3, 0.35));
    p.setBrush(QColor(255, 255, 240));
    p.setPen(Qt::NoPen);
    p.drawPolygon(star(QPointF(16, 17), 6, 2.5, 6, 0.0));
    p.setBrush(c.darker(120));
    for (int i = 0; i < 6; ++i) {
        const double a = 0.7 + i * kPi / 3;
        const QPointF s(16 + 12 * std::cos(a), 17 + 14 * std::sin(a));
        p.drawPolygon(QPolygonF({s, s + QPointF(3, 1), s + QPointF(1, 3)}));
    }
}

QImage makeBalloonSheet() {
    QImage sheet = blackImage(kBalloonW * 7, kBalloonH * 2);
    const QImage& mask = balloonMask();
    for (int col = 0; col < 7; ++col) {
        for (int row = 0; row < 2; ++row) {
            const QRect cell(col * kBalloonW, row * kBalloonH, kBalloonW, kBalloonH);
            {
                QPainter p(&sheet);
                p.setClipRect(cell);
                p.translate(cell.topLeft());
                if (row == 0)
                    drawWholeBalloon(p, QColor(kBalloonColors[static_cast<size_t>(col)]));
                else
                    drawBurstBalloon(p, QColor(kBalloonColors[static_cast<size_t>(col)]));
            }
            clipToMask(sheet, cell, mask, QPoint(0, 0));
        }
    }
    return sheet;
}

void drawCloud(QPainter& p, QPointF at, double s) {
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(226, 236, 248));
    p.drawEllipse(QRectF(at.x() - 2 * s, at.y() + 1.2 * s, 22 * s, 7 * s));
    p.setBrush(QColor(255, 255, 255, 235));
    p.drawEllipse(QRectF(at.x(), at.y(), 10 * s, 7 * s));
    p.drawEllipse(QRectF(at.x() + 5 * s, at.y() - 3.5 * s, 10 * s, 9 * s));
    p.drawEllipse(QRectF(at.x() + 11 * s, at.y() - 1 * s, 9 * s, 7 * s));
}

QImage makeSky() {
    QImage sky(265, 193, QImage::Format_RGB32);
    QPainter p(&sky);
    QLinearGradient g(0, 0, 0, 193);
    g.setColorAt(0.0, QColor(84, 156, 232));
    g.setColorAt(0.7, QColor(170, 212, 248));
    g.setColorAt(1.0, QColor(214, 236, 252));
    p.fillRect(sky.rect(), g);
    p.setRenderHint(QPainter::Antialiasing, true);
    drawCloud(p, QPointF(20, 22), 1.6);
    drawCloud(p, QPointF(168, 48), 1.2);
    drawCloud(p, QPointF(92, 110), 1.0);
    drawCloud(p, QPointF(200, 142), 1.4);
    // Distant hills along the bottom edge.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(150, 200, 140));
    p.drawEllipse(QRectF(-60, 178, 200, 60));
    p.setBrush(QColor(128, 186, 122));
    p.drawEllipse(QRectF(110, 182, 220, 60));
    return sky;
}

// --- the target game ---

void drawTargetFace(QPainter& p, QColor face) {
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(QPen(QColor(18, 30, 70), 1));
    p.setBrush(QColor(36, 70, 150));
    p.drawEllipse(QRectF(0.5, 0.5, 31, 31));
    p.setPen(Qt::NoPen);
    p.setBrush(face);
    p.drawEllipse(QPointF(16, 16), 12.5, 12.5);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(110, 165, 230), 2));
    p.drawEllipse(QPointF(16, 16), 9.5, 9.5);
    p.setPen(QPen(QColor(235, 120, 120), 1));
    p.drawEllipse(QPointF(16, 16), 6, 6);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(250, 200, 60));
    p.drawEllipse(QPointF(16, 16), 3, 3);
}

QImage makeTarget(bool hit) {
    QImage img = transparentImage(32, 32);
    QPainter p(&img);
    if (!hit) {
        drawTargetFace(p, Qt::white);
        return img;
    }
    drawTargetFace(p, QColor(238, 228, 212));
    p.setBrush(QColor(255, 214, 70));
    p.drawPolygon(star(QPointF(16, 16), 10, 4, 8, 0.2, 0.3));
    // Cracks from the hole.
    p.setPen(QPen(QColor(60, 45, 35), 1));
    const std::array<std::array<QPointF, 3>, 5> cracks{{
        {QPointF(16, 16), QPointF(10, 11), QPointF(6, 5)},
        {QPointF(16, 16), QPointF(9, 18), QPointF(3, 17)},
        {QPointF(16, 16), QPointF(14, 23), QPointF(10, 29)},
        {QPointF(16, 16), QPointF(22, 21), QPointF(27, 26)},
        {QPointF(16, 16), QPointF(22, 13), QPointF(29, 14)},
    }};
    for (const auto& c : cracks) p.drawPolyline(c.data(), 3);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(30, 20, 15));
    p.drawEllipse(QPointF(16, 16), 2.5, 2.5);
    // The arrow that hit it.
    p.setPen(QPen(QColor(120, 78, 36), 2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(16, 16), QPointF(29.5, 2.5));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(220, 40, 40));
    p.drawPolygon(QPolygonF({QPointF(26, 6), QPointF(31, 5), QPointF(28, 2)}));
    p.drawPolygon(QPolygonF({QPointF(26, 6), QPointF(27, 1), QPointF(24, 4)}));
    return img;
}

// Finger colours of the cans, left little .. right little.
constexpr std::array<QRgb, 8> kCanColors{
    qRgb(236, 112, 156), qRgb(238, 186, 52), qRgb(86, 178, 92),  qRgb(72, 128, 218),
    qRgb(60, 150, 210),  qRgb(60, 170, 130), qRgb(226, 150, 40), qRgb(204, 96, 184),
};

QLinearGradient tinGradient(double left, double right) {
    QLinearGradient g(left, 0, right, 0);
    g.setColorAt(0.0, QColor(128, 130, 140));
    g.setColorAt(0.22, QColor(236, 238, 242));
    g.setColorAt(0.5, QColor(196, 198, 206));
    g.setColorAt(0.85, QColor(132, 134, 144));
    g.setColorAt(1.0, QColor(98, 100, 110));
    return g;
}

void drawCanLabel(QPainter& p, int index) {
    const QColor c(kCanColors[static_cast<size_t>(index)]);
    QLinearGradient g(2, 0, 38, 0);
    g.setColorAt(0.0, c.darker(150));
    g.setColorAt(0.25, c.lighter(135));
    g.setColorAt(0.6, c);
    g.setColorAt(1.0, c.darker(170));
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawRect(QRectF(2, 17, 36, 31));
    p.setPen(QPen(c.darker(200), 1));
    p.drawLine(QPointF(2, 17.5), QPointF(38, 17.5));
    p.drawLine(QPointF(2, 47.5), QPointF(38, 47.5));
    // The emblem: a star on the left hand's cans, a ring on the right hand's,
    // with as many dots as the finger's place counted from the thumb.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 235));
    const QPointF centre(20, 29);
    if (index < 4) {
        p.drawPolygon(star(centre, 8, 3.4, 5, -kPi / 2));
    } else {
        p.setPen(QPen(QColor(255, 255, 255, 235), 2.2));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(centre, 6, 6);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(255, 255, 255, 235));
    }
    const int dots = index < 4 ? 4 - index : index - 3;
    for (int d = 0; d < dots; ++d) p.drawEllipse(QPointF(20 - (dots - 1) * 2.5 + d * 5, 42), 1.4, 1.4);
}

QImage makeCan(int index) {
    QImage img = transparentImage(40, 64);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(Qt::NoPen);
    p.setBrush(tinGradient(2, 38));
    p.drawEllipse(QRectF(2, 56, 36, 7.5));
    p.drawRect(QRectF(2, 4, 36, 56));
    // Ridges of the tin.
    p.setPen(QPen(QColor(255, 255, 255, 90), 1));
    for (double y : {10.5, 13.5, 51.5, 54.5}) p.drawLine(QPointF(2.5, y), QPointF(37.5, y));
    p.setPen(QPen(QColor(0, 0, 0, 45), 1));
    for (double y : {11.5, 14.5, 52.5, 55.5}) p.drawLine(QPointF(2.5, y), QPointF(37.5, y));
    drawCanLabel(p, index);
    // The rim and the dark opening the targets rise from.
    p.setPen(QPen(QColor(110, 112, 122), 1));
    p.setBrush(QColor(226, 228, 234));
    p.drawEllipse(QRectF(2, 0.5, 36, 7.5));
    QLinearGradient inside(0, 1.5, 0, 7);
    inside.setColorAt(0.0, QColor(28, 28, 34));
    inside.setColorAt(1.0, QColor(86, 86, 96));
    p.setPen(Qt::NoPen);
    p.setBrush(inside);
    p.drawEllipse(QRectF(4, 1.8, 32, 5));
    return img;
}

// --- explosions ---

void drawFlash(QPainter& p, QPointF c) {
    p.setBrush(QColor(255, 190, 40));
    p.drawPolygon(star(c, 15, 6, 10, 0.1, 0.3));
    p.setBrush(QColor(255, 240, 150));
    p.drawPolygon(star(c, 9, 4.5, 8, 0.4));
    p.setBrush(QColor(255, 255, 235));
    p.drawEllipse(c, 4, 4);
    p.setBrush(QColor(255, 220, 90));
    for (int i = 0; i < 6; ++i) {
        const double a = i * kPi / 3 + 0.5;
        p.drawEllipse(QPointF(c.x() + 19 * std::cos(a), c.y() + 19 * std::sin(a)), 1.3, 1.3);
    }
}

void drawFireball(QPainter& p, QPointF c) {
    p.setBrush(QColor(214, 60, 24));
    p.drawPolygon(star(c, 23, 15, 14, 0.0, 0.2));
    QRadialGradient g(c, 17);
    g.setColorAt(0.0, QColor(255, 250, 200));
    g.setColorAt(0.4, QColor(255, 214, 70));
    g.setColorAt(1.0, QColor(250, 128, 30));
    p.setBrush(g);
    p.drawPolygon(star(c, 17, 11, 12, 0.25, 0.25));
}

void drawSmoke(QPainter& p, QPointF c) {
    const std::array<std::array<double, 3>, 7> puffs{{
        {-9, 4, 9},
        {8, 5, 9},
        {0, -6, 10},
        {-11, -8, 7},
        {11, -8, 7},
        {0, 12, 7},
        {-2, 2, 9},
    }};
    for (const auto& f : puffs) {
        const QPointF at(c.x() + f[0], c.y() + f[1]);
        QRadialGradient g(at + QPointF(-f[2] / 3, -f[2] / 3), f[2] * 1.4);
        g.setColorAt(0.0, QColor(196, 192, 188));
        g.setColorAt(1.0, QColor(108, 104, 102));
        p.setBrush(g);
        p.drawEllipse(at, f[2], f[2]);
    }
    p.setBrush(QColor(255, 150, 40));
    for (const QPointF d : {QPointF(-6, 0), QPointF(5, -3), QPointF(2, 7), QPointF(-3, -11)})
        p.drawEllipse(c + d, 1.6, 1.6);
}

QImage makeBombSheet() {
    QImage sheet = blackImage(kBomb * 3, kBomb);
    QPainter p(&sheet);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(Qt::NoPen);
    drawFlash(p, QPointF(24, 24));
    drawFireball(p, QPointF(48 + 24, 24));
    drawSmoke(p, QPointF(96 + 24, 24));
    p.end();
    // Faint edge pixels would show as dark fringes: drop them.
    for (int y = 0; y < sheet.height(); ++y)
        for (int x = 0; x < sheet.width(); ++x) {
            const QRgb c = sheet.pixel(x, y);
            if (std::max({qRed(c), qGreen(c), qBlue(c)}) < 48) sheet.setPixel(x, y, 0xFF000000);
        }
    return sheet;
}

QImage makeBombMask() {
    const QImage& sheet = bombSheet();
    QImage mask(sheet.size(), QImage::Format_RGB32);
    for (int y = 0; y < sheet.height(); ++y)
        for (int x = 0; x < sheet.width(); ++x)
            mask.setPixel(x, y, (sheet.pixel(x, y) & 0xFFFFFF) != 0 ? 0xFF000000 : 0xFFFFFFFF);
    return mask;
}

QIcon iconFrom(const QImage& picture) {
    QImage square = transparentImage(32, 32);
    QPainter p(&square);
    p.setRenderHint(QPainter::SmoothPixmapTransform, true);
    const QSize s = picture.size().scaled(32, 32, Qt::KeepAspectRatio);
    p.drawImage(QRect(QPoint((32 - s.width()) / 2, (32 - s.height()) / 2), s), picture);
    return QIcon(QPixmap::fromImage(square));
}

// A sprite cell on a transparent ground (for icons).
QImage cutOut(const QImage& sheet, const QRect& cell, const QImage& mask, const QPoint& maskAt) {
    QImage out = transparentImage(cell.width(), cell.height());
    for (int y = 0; y < cell.height(); ++y)
        for (int x = 0; x < cell.width(); ++x)
            if (qRed(mask.pixel(maskAt.x() + x, maskAt.y() + y)) < 128)
                out.setPixel(x, y, sheet.pixel(cell.x() + x, cell.y() + y) | 0xFF000000);
    return out;
}

// A picture drawn at its first use and kept for the life of the program.
template <QImage (*Make)()>
const QImage& drawnOnce() {
    static const QImage image = Make();
    return image;
}

}  // namespace

const QImage& balloonMask() { return drawnOnce<makeBalloonMask>(); }
const QImage& balloonSheet() { return drawnOnce<makeBalloonSheet>(); }
const QImage& balloonSky() { return drawnOnce<makeSky>(); }
const QImage& targetImage(bool hit) {
    static const QImage intact = makeTarget(false);
    static const QImage broken = makeTarget(true);
    return hit ? broken : intact;
}
const QImage& canImage(int index) {
    static const std::array<QImage, 8> cans = [] {
        std::array<QImage, 8> a;
        for (int i = 0; i < 8; ++i) a[static_cast<size_t>(i)] = makeCan(i);
        return a;
    }();
    return cans[static_cast<size_t>(std::clamp(index, 0, 7))];
}
const QImage& bombSheet() { return drawnOnce<makeBombSheet>(); }
const QImage& bombMask() { return drawnOnce<makeBombMask>(); }

QIcon balloonIcon() { return iconFrom(cutOut(balloonSheet(), QRect(0, 0, 32, 48), balloonMask(), QPoint(0, 0))); }
QIcon targetIcon() { return iconFrom(targetImage(false)); }
QIcon speedIcon() { return iconFrom(cutOut(bombSheet(), QRect(48, 0, 48, 48), bombMask(), QPoint(48, 0))); }

}  // namespace art
