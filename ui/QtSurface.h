#pragma once
#include <QFont>
#include <QImage>
#include <QPainter>
#include <functional>

#include "Surface.h"

// The Surface drawn with QPainter on a QImage, one pixel per 15 twips,
// without antialiasing (antialiasing would widen lines under the AND mode).
//
// MaskPen uses the raster operation "source AND destination" for lines,
// boxes and dots. Hatch patterns cannot be ANDed directly (the gaps of the
// brush would come out black), so a hatched box under MaskPen paints the hatch
// onto a white tile and ANDs the tile: the gaps keep what was there.
//
// The image must stay alive and must not be painted on by anything else
// while the surface exists. processEvents() calls the hook given (nothing by
// default).
class QtSurface : public Surface {
public:
    explicit QtSurface(QImage& image);
    ~QtSurface() override;
    QtSurface(const QtSurface&) = delete;
    QtSurface& operator=(const QtSurface&) = delete;

    void setProcessEventsHook(std::function<void()> hook) { mHook = std::move(hook); }

    double width() const override;
    double height() const override;
    void setDrawMode(DrawMode mode) override { mMode = mode; }
    void setForeColor(uint32_t c) override { mFore = c; }
    void setFillColor(uint32_t c) override { mFillColor = c; }
    void setFillStyle(int s) override { mFillStyle = s; }
    void setLineStyle(LineStyle s) override { mLineStyle = s; }
    void setLineWidth(int px) override { mLineWidth = px < 1 ? 1 : px; }
    void setFont(const QString& face, double points, bool bold = false) override;
    void setFontName(const QString& face) override;
    void clear(uint32_t color) override;
    void line(double x1, double y1, double x2, double y2) override;
    void filledBox(double x1, double y1, double x2, double y2) override;
    void box(double x1, double y1, double x2, double y2) override;
    void dot(double x, double y) override;
    void text(double x, double y, const QString& s) override;
    double textWidth(const QString& s) override;
    double textHeight(const QString& s) override;
    void processEvents() override;

private:
    static int px(double tw);
    QRect pixelRect(double x1, double y1, double x2, double y2) const;  // both corners included
    void usePen();
    void useRasterMode();
    void fillInside(const QRect& r);
    const QImage& hatchImage(Qt::BrushStyle style, const QColor& fill);

    QImage& mImage;
    QPainter mPainter;
    std::function<void()> mHook;
    DrawMode mMode = DrawMode::CopyPen;
    uint32_t mFore = 0;
    uint32_t mFillColor = 0;
    int mFillStyle = FillStyle::Transparent;
    LineStyle mLineStyle = LineStyle::Solid;
    int mLineWidth = 1;
    QFont mFont;
    double mFontPoints = 9;
    // The hatch on white over the whole image, for the last style and colour
    // used: every hatched box under AND copies its part of it.
    QImage mHatch;
    Qt::BrushStyle mHatchStyle = Qt::NoBrush;
    QColor mHatchColor;
};
