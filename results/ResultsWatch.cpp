#include "ResultsWatch.h"

#include <algorithm>

ResultsWatch::ResultsWatch(basResults& results, std::initializer_list<ResultsChange> changes,
                           std::function<void()> refresh, QObject* owner)
    : QObject(owner), mResults(results), mChanges(changes), mRefresh(std::move(refresh)) {
    mListener = mResults.addListener([this](ResultsChange c) { changed(c); });
}

ResultsWatch::~ResultsWatch() { mResults.removeListener(mListener); }

void ResultsWatch::changed(ResultsChange change) {
    if (mPending || std::find(mChanges.begin(), mChanges.end(), change) == mChanges.end()) return;
    mPending = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            mPending = false;
            mRefresh();
        },
        Qt::QueuedConnection);
}
