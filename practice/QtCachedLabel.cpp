#include "QtCachedLabel.h"

#include <QEvent>
#include <QFontMetricsF>
#include <QPainter>

QtCachedLabel::QtCachedLabel(QWidget* parent) : QLabel(parent) { setTextFormat(Qt::PlainText); }

bool QtCachedLabel::paintsCached() const {
    return textFormat() == Qt::PlainText && frameShape() == QFrame::NoFrame && margin() == 0 && indent() <= 0 &&
           !wordWrap() && alignment() == Qt::AlignCenter && isEnabled() && pixmap().isNull() &&
           !text().contains(QLatin1Char('\n'));
}

const QtCachedLabel::LaidOut& QtCachedLabel::laidOut() {
    const QString& t = text();
    if (const auto it = mTexts.constFind(t); it != mTexts.cend()) return *it;
    if (mTexts.size() >= kMaxTexts) mTexts.clear();
    const QFontMetricsF fm(font());
    mHeight = fm.height();
    LaidOut l;
    l.text.setTextFormat(Qt::PlainText);
    l.text.setText(t);
    l.text.prepare(QTransform(), font());
    l.width = fm.horizontalAdvance(t);
    return *mTexts.insert(t, l);
}

void QtCachedLabel::paintEvent(QPaintEvent* e) {
    if (!paintsCached()) {
        QLabel::paintEvent(e);
        return;
    }
    if (text().isEmpty()) return;
    const LaidOut& l = laidOut();
    // The centring of QPainter::drawText(rect, Qt::AlignCenter, text): the
    // advance and the unrounded line height, offsets kept fractional.
    const QRectF r = contentsRect();
    const QPointF topLeft(r.x() + (r.width() - l.width) / 2, r.y() + (r.height() - mHeight) / 2);
    QPainter p(this);
    p.setPen(QPen(palette().brush(foregroundRole()), p.pen().widthF()));
    if (l.width > r.width() || mHeight > r.height()) p.setClipRect(r, Qt::IntersectClip);
    p.drawStaticText(topLeft, l.text);
}

void QtCachedLabel::changeEvent(QEvent* e) {
    if (e->type() == QEvent::FontChange) {
        mTexts.clear();
        mHeight = -1;
    }
    QLabel::changeEvent(e);
}
