#pragma once
#include <QHash>
#include <QLabel>
#include <QStaticText>

// A QLabel for one short line of plain text (the on-screen keys and the
// drill queue), painted from a layout that is kept between repaints.
//
// A plain QLabel lays its text out and shapes it again on every repaint; the
// main window repaints up to ten of these labels per key-down, so this one
// keeps each text it has shown laid out (QStaticText, with its width) until
// the font changes; the queue labels cycle through the few legends of the
// drill, so after the first few keys no text is laid out again. It paints
// the same pixels as QLabel:
// the background (autoFillBackground) as before, the text in the palette's
// foreground colour, centred exactly as QPainter::drawText centres it.
// Anything it is not made for (rich text, a frame, margins, word wrap, other
// alignments, several lines, a disabled label) is painted by QLabel itself.
class QtCachedLabel : public QLabel {
public:
    explicit QtCachedLabel(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* e) override;
    void changeEvent(QEvent* e) override;

private:
    struct LaidOut {
        QStaticText text;
        qreal width = 0;  // horizontal advance
    };
    bool paintsCached() const;
    const LaidOut& laidOut();

    // At most this many texts are kept; a label showing more starts over.
    static constexpr int kMaxTexts = 128;
    QHash<QString, LaidOut> mTexts;  // emptied by a font change
    qreal mHeight = -1;              // ascent + descent of the font; -1 after a font change
};
