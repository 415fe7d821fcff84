#pragma once
#include <QObject>
#include <functional>
#include <initializer_list>
#include <vector>

#include "basResults.h"

// Keeps an open window in step with the results store: after any of the
// changes it watches, the window's refresh runs once, from the event loop,
// after the change that caused it has finished (a writer's reload, change and
// save end in one refresh, and the refresh never runs inside a save or in
// the middle of another window's handler). Owned by the window it serves
// (a QObject child), it stops listening when the window goes.
class ResultsWatch : public QObject {
public:
    ResultsWatch(basResults& results, std::initializer_list<ResultsChange> changes, std::function<void()> refresh,
                 QObject* owner);
    ~ResultsWatch() override;

    bool pending() const { return mPending; }

private:
    void changed(ResultsChange change);

    basResults& mResults;
    std::vector<ResultsChange> mChanges;
    std::function<void()> mRefresh;
    int mListener = 0;
    bool mPending = false;
};
