#pragma once
#include <QColor>
#include <QFont>
#include <QImage>
#include <QWidget>

#include "GameShared.h"

// Masked sprite drawing on an image: the mask cell ANDed onto the target at
// `at`, then the picture cell ORed onto the same place (exact raster
// operations, no antialiasing, no scaling).
void drawMaskedSprite(QImage& target, const QImage& mask, const QRect& maskCell, const QImage& sheet, const QRect& cell,
                      const QPoint& at);

// A game's play field: an off-screen image that the game draws on, shown by
// a widget that only copies the image when it paints.
class QtPlayField : public PlayField {
public:
    explicit QtPlayField(QSize size);

    // The widget that shows the field (update() is asked of it on show()).
    void setView(QWidget* view) { mView = view; }
    // What clear() paints: a picture (scaled to the field if sizes differ) or a colour.
    void setBackground(const QImage& picture);
    void setBackground(const QColor& color);
    void setFont(const QFont& font) { mFont = font; }
    const QFont& font() const { return mFont; }
    // A new size: the image starts blank (background); the game redraws.
    void resize(QSize size);

    const QImage& image() const { return mImage; }

    void clear() override;
    void drawSprite(SpriteSheet sheet, int sx, int sy, int w, int h, int x, int y) override;
    void print(const QString& text, int x, int y, std::optional<uint32_t> color) override;
    void fillBackground(int x, int y, int w, int h) override;
    void show() override;

private:
    QImage mImage;
    QImage mBackPicture;
    QColor mBackColor = Qt::black;
    QFont mFont;
    QWidget* mView = nullptr;
};

// Shows a play field's image at its top-left corner; painting only copies.
class QtPlayFieldView : public QWidget {
    Q_OBJECT
public:
    QtPlayFieldView(const QtPlayField& field, QWidget* parent);

protected:
    void paintEvent(QPaintEvent*) override;

private:
    const QtPlayField& mField;
};
