#include "QtPlayField.h"

#include <QPainter>

#include "QtArtwork.h"
#include "Widgets.h"

void drawMaskedSprite(QImage& target, const QImage& mask, const QRect& maskCell, const QImage& sheet, const QRect& cell,
                      const QPoint& at) {
    QPainter p(&target);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setRenderHint(QPainter::SmoothPixmapTransform, false);
    p.setCompositionMode(QPainter::RasterOp_SourceAndDestination);
    p.drawImage(at, mask, maskCell);
    p.setCompositionMode(QPainter::RasterOp_SourceOrDestination);
    p.drawImage(at, sheet, cell);
}

QtPlayField::QtPlayField(QSize size) : mImage(size, QImage::Format_RGB32) { mImage.fill(mBackColor); }

void QtPlayField::setBackground(const QImage& picture) { mBackPicture = picture.convertToFormat(QImage::Format_RGB32); }

void QtPlayField::setBackground(const QColor& color) {
    mBackPicture = QImage();
    mBackColor = color;
}

void QtPlayField::resize(QSize size) {
    mImage = QImage(size.expandedTo(QSize(1, 1)), QImage::Format_RGB32);
    clear();
}

void QtPlayField::clear() {
    if (mBackPicture.isNull()) {
        mImage.fill(mBackColor);
        return;
    }
    QPainter p(&mImage);
    p.setCompositionMode(QPainter::CompositionMode_Source);
    p.drawImage(mImage.rect(), mBackPicture);
}

void QtPlayField::drawSprite(SpriteSheet sheet, int sx, int sy, int w, int h, int x, int y) {
    const QRect cell(sx, sy, w, h);
    if (sheet == SpriteSheet::Balloon)
        drawMaskedSprite(mImage, art::balloonMask(), QRect(0, 0, w, h), art::balloonSheet(), cell, QPoint(x, y));
    else
        drawMaskedSprite(mImage, art::bombMask(), cell, art::bombSheet(), cell, QPoint(x, y));
}

void QtPlayField::print(const QString& text, int x, int y, std::optional<uint32_t> color) {
    QPainter p(&mImage);
    p.setFont(mFont);
    p.setPen(color ? ui::fromColorValue(*color) : QColor(Qt::black));
    p.drawText(QRect(x, y, 4096, 4096), Qt::AlignLeft | Qt::AlignTop | Qt::TextDontClip, text);
}

void QtPlayField::fillBackground(int x, int y, int w, int h) {
    QPainter p(&mImage);
    p.fillRect(QRect(x, y, w + 1, h + 1), mBackColor);
}

void QtPlayField::show() {
    if (mView) mView->update();
}

QtPlayFieldView::QtPlayFieldView(const QtPlayField& field, QWidget* parent) : QWidget(parent), mField(field) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::NoFocus);
}

void QtPlayFieldView::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.drawImage(0, 0, mField.image());
}
