#pragma once
#include <QString>
#include <cstdint>

// A drawing surface addressed in twips (15 twips per pixel), y growing
// downwards from the top-left corner. The graph windows and play fields draw
// through it, so that their drawing can be recorded and checked in tests and
// rendered with QPainter in the program (QtSurface).
//
// State works like a classic picture box: a pen colour (used for lines, box
// outlines, dots and text), a fill style and fill colour for box interiors,
// a line style and width, a font, and a draw mode. Under MaskPen every line,
// box and dot is combined with the pixels already there by bitwise AND of the
// colours; text is always drawn plainly.
//
// Colours are colour values red + 256*green + 65536*blue.

enum class DrawMode { CopyPen, MaskPen };
enum class LineStyle { Solid, Dotted };

// Box interiors: the values of the miss-key graph's pattern menu.
namespace FillStyle {
enum : int {
    Solid,
    Transparent,
    Horizontal,
    Vertical,
    UpwardDiagonal,
    DownwardDiagonal,
    Cross,
    DiagonalCross,
};
}  // namespace FillStyle

class Surface {
public:
    virtual ~Surface() = default;

    // Size of the drawing area in twips.
    virtual double width() const = 0;
    virtual double height() const = 0;

    virtual void setDrawMode(DrawMode mode) = 0;
    virtual void setForeColor(uint32_t color) = 0;  // pen and text colour
    virtual void setFillColor(uint32_t color) = 0;
    virtual void setFillStyle(int style) = 0;  // FillStyle; out of range = Transparent
    virtual void setLineStyle(LineStyle style) = 0;
    virtual void setLineWidth(int pixels) = 0;
    virtual void setFont(const QString& face, double points, bool bold = false) = 0;
    virtual void setFontName(const QString& face) = 0;  // size and weight stay

    // Fills the whole area with the colour (always plain copy).
    virtual void clear(uint32_t color) = 0;
    // A line from (x1, y1) to (x2, y2), both ends included.
    virtual void line(double x1, double y1, double x2, double y2) = 0;
    // A rectangle with opposite corners (x1, y1) and (x2, y2) filled with the
    // pen colour (outline and inside).
    virtual void filledBox(double x1, double y1, double x2, double y2) = 0;
    // A rectangle outlined with the pen, its inside painted with the fill
    // style and fill colour.
    virtual void box(double x1, double y1, double x2, double y2) = 0;
    // One pixel in the pen colour.
    virtual void dot(double x, double y) = 0;
    // Text with its top-left corner at (x, y), in the pen colour.
    virtual void text(double x, double y, const QString& s) = 0;
    // Extent of a text in the current font, in twips.
    virtual double textWidth(const QString& s) = 0;
    virtual double textHeight(const QString& s) = 0;

    // A point where a long drawing lets pending window events run.
    virtual void processEvents() = 0;
};
