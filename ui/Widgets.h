#pragma once
#include <QColor>
#include <QFont>
#include <QString>
#include <cstdint>

class QWidget;
class QLabel;
class QFrame;
class QKeyEvent;

// Small helpers every window uses to build itself from the design's values.
namespace ui {

// A colour value red + 256*green + 65536*blue as a QColor.
QColor fromColorValue(uint32_t value);

// Places a control at a position and size given in twips (relative to its parent).
void placeTwips(QWidget* w, int left, int top, int width, int height);

// A font of the design: face, size in points (1 pt = 20 twips), bold. The size
// is set in pixels so that it does not depend on the screen's DPI setting.
QFont designFont(const QString& face, double points, bool bold = false);
void setFontFace(QWidget* w, const QString& face);

// Colours through the palette (cheap; style sheets are slow when changed often).
void setForeColor(QWidget* w, const QColor& c);
void setBackColor(QWidget* w, const QColor& c);  // also makes the widget opaque

// The etched separator under a menu bar: a grey line at y = 0 and a white one
// at y = 1 pixel, across the given width (pixels).
struct EtchedLine {
    QFrame* grey;
    QFrame* white;
    void setWidth(int px);
};
EtchedLine addEtchedLine(QWidget* parent, int widthPx);

// Shows a window modal and waits until it has been closed (or destroyed).
void runModal(QWidget* w);

// Virtual-key code of a key event on the layout given (KeyBoardType).
int16_t virtualKey(const QKeyEvent* e, int keyBoardType);

// Registers the substitutions that let the design's Japanese face names render
// with an installed Japanese font.
void registerFontSubstitutions();

}  // namespace ui
