#pragma once
#include <QObject>
#include <QTimer>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "KeyModel.h"
#include "KeyRecorder.h"

class basParam;
class Clock;
class Dialogs;
class KeystrokeStore;

// The learning engine of the running program: it keeps every judged key,
// writes them to the keystroke store and knows the learner's figures.
//
// Keys arrive through keyJudged() from the key handlers (those that are not
// the learner's typing, see learning::isTypingKey, are let go) and only go into a
// buffer in memory (with their wall-clock time, their gap to the key before
// in the same run and that key). The buffer is written in one transaction
// after a run ends (from the event loop, not inside the handler), after
// kIdleMs without keys, on flush() (a window closing) and when this object
// is destroyed. The store is opened on the first write or the first question
// about figures, never at start-up.
//
// Faults: when the store cannot be opened or written (damaged, locked by
// another program, read-only folder, newer format, a file-size limit) the
// keys stay in the buffer (at most kMaxBuffered) and are written later: the
// store never waits for a lock while the window runs, a write that failed is
// tried again from the idle timer after kRetryMs, and the last write, when
// this object is destroyed, waits up to kExitWaitMs for a lock. Practice goes
// on, and the learner is told once per session that the keys are kept and
// written later; a buffer that has become full is reported before its oldest
// key is dropped. Nothing here touches the settings or results files.
//
// Each start of the program records under its own origin (a random number),
// so that another copy typing the same key in the same millisecond does not
// make one keystroke of two.
//
// After each successful write the figures of the current layout are
// computed again and figuresChanged() is emitted; the heat map, the
// weak-key drill and the analysis window read them.
class Learning : public QObject, public KeyRecorder, public WeakKeyWeights {
    Q_OBJECT
public:
    static constexpr uint32_t kIdleMs = 3000;
    static constexpr size_t kMaxBuffered = 100000;
    static constexpr uint32_t kRetryMs = 5000;
    static constexpr int kExitWaitMs = 2000;

    Learning(basParam& param, Clock& clock, Dialogs& dialogs, QObject* parent = nullptr);
    ~Learning() override;

    void keyJudged(const JudgedKey& key) override;
    void runEnded() override;
    std::vector<double> weakKeyWeights(const std::vector<int16_t>& codes, int16_t keyBoardType) override;

    // Writes the buffered keys now; false when they could not be written.
    bool flush();
    qint64 origin() const { return mOrigin; }
    // The idle timer's check: flushes once kIdleMs have passed since the last key.
    void idleCheck();
    size_t buffered() const { return mBuffer.size(); }

    // Figures of a layout (cached; the store is opened on first use). Null
    // when the store cannot be read.
    const learning::Figures* figures(int16_t layout) override;
    std::optional<double> weakness(int16_t vk, int16_t layout);
    // The store, opened; null when it cannot be opened (the learner is told).
    KeystrokeStore* store();
    QString fileName() const;
    // After keys were added to the store from elsewhere (an import).
    void storeChanged();

    // The wall clock (UTC milliseconds); tests replace it.
    std::function<qint64()> utcNow;

signals:
    void figuresChanged();

private:
    bool ensureOpen();
    void tellOnce();
    void tellFull();
    void writeWhenDue();  // the timers' write: not sooner than kRetryMs after a failure

    basParam& mParam;
    Clock& mClock;
    Dialogs& mDialogs;
    std::unique_ptr<KeystrokeStore> mStore;
    std::vector<learning::Keystroke> mBuffer;
    bool mInRun = false;
    uint32_t mLastTick = 0;
    int16_t mLastPressed = 0;
    qint64 mLastTime = 0;
    bool mTold = false;
    bool mToldFull = false;
    bool mFailed = false;  // the last write failed, at mFailedTick
    uint32_t mFailedTick = 0;
    qint64 mOrigin = 0;
    std::optional<learning::Figures> mFigures;
    bool mFiguresFailed = false;
    QTimer mSoon;  // a write right after the handler that ended a run
    QTimer mIdle;  // checks for a pause in typing while keys are buffered
};
