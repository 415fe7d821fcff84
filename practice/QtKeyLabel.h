#pragma once
#include "QtCachedLabel.h"

// A key of the on-screen keyboard: a cached label that, with the heat map
// on, also carries the marks of a weak key (slow, often missed).
class QtKeyLabel : public QtCachedLabel {
public:
    using QtCachedLabel::QtCachedLabel;
    void setWeakMarks(bool slow, bool missed);
    bool slowMark() const { return mSlow; }
    bool missedMark() const { return mMissed; }

protected:
    void paintEvent(QPaintEvent* e) override;

private:
    bool mSlow = false;
    bool mMissed = false;
};
