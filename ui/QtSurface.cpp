#include "QtSurface.h"

#include <QFontMetrics>
#include <algorithm>
#include <cmath>

#include "Twips.h"
#include "Widgets.h"

namespace {
Qt::BrushStyle hatchBrush(int style) {
    switch (style) {
        case FillStyle::Solid:
            return Qt::SolidPattern;
        case FillStyle::Horizontal:
            return Qt::HorPattern;
        case FillStyle::Vertical:
            return Qt::VerPattern;
        case FillStyle::UpwardDiagonal:
            return Qt::BDiagPattern;  // "/"
        case FillStyle::DownwardDiagonal:
            return Qt::FDiagPattern;  // "\"
        case FillStyle::Cross:
            return Qt::CrossPattern;
        case FillStyle::DiagonalCross:
            return Qt::DiagCrossPattern;
        default:
            return Qt::NoBrush;
    }
}
}  // namespace

QtSurface::QtSurface(QImage& image) : mImage(image), mPainter(&image) {
    mPainter.setRenderHint(QPainter::Antialiasing, false);
    mPainter.setRenderHint(QPainter::TextAntialiasing, true);
    mFont = ui::designFont(QStringLiteral("ＭＳ ゴシック"), mFontPoints);
    mPainter.setFont(mFont);
}

QtSurface::~QtSurface() { mPainter.end(); }

double QtSurface::width() const { return static_cast<double>(mImage.width()) * twips::PerPixel; }
double QtSurface::height() const { return static_cast<double>(mImage.height()) * twips::PerPixel; }

// Coordinates computed from damaged data can be huge or not a number; they
// are kept to a range the painter takes (far outside any window), since
// converting them to int as they are would be undefined.
int QtSurface::px(double tw) {
    constexpr double kFar = 1e6;
    const double p = std::floor(tw / twips::PerPixel + 0.5);
    if (std::isnan(p)) return 0;
    return static_cast<int>(std::clamp(p, -kFar, kFar));
}

QRect QtSurface::pixelRect(double x1, double y1, double x2, double y2) const {
    return QRect(QPoint(px(x1), px(y1)), QPoint(px(x2), px(y2))).normalized();
}

void QtSurface::setFont(const QString& face, double points, bool bold) {
    mFontPoints = points;
    mFont = ui::designFont(face, points, bold);
}

void QtSurface::setFontName(const QString& face) { mFont.setFamily(face); }

void QtSurface::useRasterMode() {
    mPainter.setCompositionMode(mMode == DrawMode::MaskPen ? QPainter::RasterOp_SourceAndDestination
                                                           : QPainter::CompositionMode_SourceOver);
}

void QtSurface::usePen() {
    QPen pen(ui::fromColorValue(mFore));
    pen.setWidth(mLineWidth);
    pen.setCapStyle(Qt::SquareCap);
    if (mLineStyle == LineStyle::Dotted) pen.setDashPattern({1.0, 1.0});
    mPainter.setPen(pen);
    mPainter.setBrush(Qt::NoBrush);
    useRasterMode();
}

void QtSurface::clear(uint32_t color) {
    mPainter.setCompositionMode(QPainter::CompositionMode_Source);
    mPainter.fillRect(mImage.rect(), ui::fromColorValue(color));
}

void QtSurface::line(double x1, double y1, double x2, double y2) {
    usePen();
    const QPoint a(px(x1), px(y1)), b(px(x2), px(y2));
    if (a == b)
        mPainter.drawPoint(a);
    else
        mPainter.drawLine(a, b);
}

void QtSurface::filledBox(double x1, double y1, double x2, double y2) {
    useRasterMode();
    mPainter.fillRect(pixelRect(x1, y1, x2, y2), ui::fromColorValue(mFore));
}

void QtSurface::fillInside(const QRect& r) {
    const Qt::BrushStyle style = hatchBrush(mFillStyle);
    if (style == Qt::NoBrush) return;
    const QColor fill = ui::fromColorValue(mFillColor);
    if (style == Qt::SolidPattern || mMode == DrawMode::CopyPen) {
        useRasterMode();
        QBrush brush(fill, style);
        mPainter.setBrushOrigin(0, 0);
        mPainter.fillRect(r, brush);
        return;
    }
    // Hatch under AND: the hatch on white, then the tile ANDed, so the gaps
    // (white) leave the pixels below unchanged. The pattern stays aligned to
    // the image, so neighbouring boxes continue each other's lines.
    mPainter.setCompositionMode(QPainter::RasterOp_SourceAndDestination);
    mPainter.drawImage(r.topLeft(), hatchImage(style, fill), r);
}

const QImage& QtSurface::hatchImage(Qt::BrushStyle style, const QColor& fill) {
    if (mHatch.size() != mImage.size() || mHatchStyle != style || mHatchColor != fill) {
        mHatch = QImage(mImage.size(), QImage::Format_RGB32);
        mHatch.fill(Qt::white);
        QPainter tp(&mHatch);
        tp.fillRect(mHatch.rect(), QBrush(fill, style));
        mHatchStyle = style;
        mHatchColor = fill;
    }
    return mHatch;
}

void QtSurface::box(double x1, double y1, double x2, double y2) {
    const QRect r = pixelRect(x1, y1, x2, y2);
    fillInside(r);
    usePen();
    if (r.width() == 1 || r.height() == 1) {
        mPainter.drawLine(r.topLeft(), r.bottomRight());
    } else if (mLineWidth == 1 && mLineStyle == LineStyle::Solid) {
        // A one-pixel outline as four one-pixel fills: the same pixels as
        // drawRect, at a fraction of its cost under the raster operations.
        const QColor pen = ui::fromColorValue(mFore);
        const int x = r.left(), y = r.top(), w = r.width(), h = r.height();
        mPainter.fillRect(QRect(x, y, w, 1), pen);
        mPainter.fillRect(QRect(x, y + h - 1, w, 1), pen);
        mPainter.fillRect(QRect(x, y + 1, 1, h - 2), pen);
        mPainter.fillRect(QRect(x + w - 1, y + 1, 1, h - 2), pen);
    } else {
        mPainter.drawRect(QRect(r.topLeft(), QSize(r.width() - 1, r.height() - 1)));
    }
}

void QtSurface::dot(double x, double y) {
    usePen();
    mPainter.drawPoint(px(x), px(y));
}

void QtSurface::text(double x, double y, const QString& s) {
    mPainter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    mPainter.setFont(mFont);
    mPainter.setPen(ui::fromColorValue(mFore));
    const QFontMetrics fm(mFont);
    mPainter.drawText(QPoint(px(x), px(y) + fm.ascent()), s);
}

double QtSurface::textWidth(const QString& s) {
    return static_cast<double>(QFontMetrics(mFont).horizontalAdvance(s)) * twips::PerPixel;
}

double QtSurface::textHeight(const QString&) {
    return static_cast<double>(QFontMetrics(mFont).height()) * twips::PerPixel;
}

void QtSurface::processEvents() {
    if (mHook) mHook();
}
