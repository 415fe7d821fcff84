#pragma once
#include <QColor>
#include <QFont>
#include <QMargins>
#include <QRect>
#include <QString>
#include <cstdint>

class QWidget;
class QLabel;
class QFrame;
class QKeyEvent;
class QActionGroup;
class QMenuBar;
class QScreen;

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

// A group of menu items of which one is chosen, drawn with a check mark (not a
// radio dot): choosing an item checks it and unchecks the others, and
// choosing the checked item again leaves it checked.
QActionGroup* makeCheckGroup(QObject* parent);

// Keys go back to the window once its menus close. A menu bar left in
// keyboard mode (after Alt+F and Escape, or a lone Alt) holds the focus with
// no visible sign and opens a menu on the next plain letter; this takes the
// bar out of that mode as soon as no menu is open and gives the focus back to
// where it was, so a letter opens a menu only while Alt is held. Call once;
// menus added to the bar later are watched too.
void returnKeysAfterMenus(QMenuBar* bar);
// Window placement: a window the program places (centred on its owner, or
// sized from stored settings) stays reachable, its title bar and menu inside
// the screen's available area.
//
// The frame rectangle moved, and shrunk where it is larger, to lie inside
// area; the top-left corner wins when even the smallest size does not fit.
QRect fitInside(QRect frame, const QRect& area);
// Moves (and if need be shrinks) a top-level window into the available area
// of screen, or of the screen under its centre when none is given.
// frameEstimate: the frame of a window not shown yet (the owner's, say).
void keepOnScreen(QWidget* w, QScreen* screen = nullptr, QMargins frameEstimate = {});
// Centres a window on its owner's frame and keeps it on the owner's screen,
// taking the owner's frame as the size of the window's own.
void centreOver(QWidget* w, QWidget* owner);

// Shows a window modal and waits until it has been closed (or destroyed).
void runModal(QWidget* w);

// Virtual-key code of a key event on the layout given (KeyBoardType).
int16_t virtualKey(const QKeyEvent* e, int keyBoardType);

// Registers the substitutions that let the design's Japanese face names render
// with an installed Japanese font.
void registerFontSubstitutions();

// Installs Qt's own Japanese translation (qtbase_ja from Qt's translations
// folder) whatever the system locale is, so that the standard buttons and
// dialogs speak the program's language. False when it is not installed.
bool installQtJapanese();

// Makes a window the active one now and asks the system for the focus.
void makeActive(QWidget* window);

// The program's language for what is formatted below Qt's translation, set
// before the application object and fontconfig start: fontconfig names faces
// by their Japanese names where a font has one (IPAゴシック), and QLocale()
// formats sizes and dates the Japanese way, whatever the system locale is.
void useJapaneseLocale();

}  // namespace ui
