#include "QtKeyLabel.h"

#include <QPainter>

#include "QtHeatLegend.h"

void QtKeyLabel::setWeakMarks(bool slow, bool missed) {
    if (slow == mSlow && missed == mMissed) return;
    mSlow = slow;
    mMissed = missed;
    update();
}

void QtKeyLabel::paintEvent(QPaintEvent* e) {
    QtCachedLabel::paintEvent(e);
    if (!mSlow && !mMissed) return;
    QPainter p(this);
    paintWeakMarks(p, rect().adjusted(0, 0, -1, -1), mSlow, mMissed);
}
