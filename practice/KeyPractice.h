#pragma once
#include <QString>
#include <array>
#include <cstdint>
#include <vector>

#include "AppContext.h"  // the modules and services, declared
#include "Course.h"
#include "KeyRecorder.h"
#include "OnScreenKeyboard.h"

// What the main window must show, told by KeyPractice as it changes. The
// window reads the new state back from KeyPractice (queue texts, caption,
// progress, the keyboard) and paints it.
class KeyPracticeView {
public:
    virtual ~KeyPracticeView() = default;
    virtual void keyForeColorChanged(int16_t /*code*/, uint32_t /*color*/) {}
    virtual void queueChanged() {}
    virtual void progressChanged() {}
    virtual void captionChanged() {}
    virtual void keyboardArranged() {}
    // A run has ended: show the last-result window (modeless).
    virtual void showLastRun() {}
    // The course's open keys, its line or its message changed (or the level
    // left or entered the course).
    virtual void courseChanged() {}
};

// The key practice of the main window, without widgets.
//
// State (as the window's design gives it): the queue mNext(0..5) of key
// indexes, mNext(0) being the key expected now; the level's range
// mRangeLow..mRangeHigh; the run state mRunning, mStartTime, mNeedCount,
// mTypedCount, mMissCount and mLastKey; the six queue texts, the caption,
// the progress bar and the on-screen keyboard.
//
// A key-down (Form_KeyDown, a virtual-key code) is judged against
// gKeyCode(mNext(0)): a match advances the queue, anything else (Shift, the
// Ctrl of a shortcut, a wrong letter) is a miss charged to the expected key.
// The first key-down of a run starts the clock; when mNeedCount keys have
// been advanced the figures go into the run record, a test (levels 11, 12)
// into the results file, and the view is asked to show the summary. A step
// that cannot be done (a colour for a key without a label, a figure that does
// not fit its field) is skipped and the handler goes on.
class KeyPractice {
public:
    KeyPractice(basMain& main, basParam& param, basResults& results, Clock& clock, Random& random, Beeper& beeper);

    void setView(KeyPracticeView* view) { mView = view; }
    // The learning engine: every judged key-down of a run (not the key
    // SetLevel feeds) goes to the recorder; the weak-key level draws with the
    // weights. Either may be null.
    void setLearning(KeyRecorder* recorder, WeakKeyWeights* weights) {
        mRecorder = recorder;
        mWeights = weights;
    }
    // The learner's figures changed: the weak-key level takes the new weights,
    // the course works out its open keys again (and says so when one opened).
    void WeightsChanged();
    // Whether the weak-key level draws by weakness (false: like the all-keys level).
    bool drawsByWeakness() const { return !mWeakWeights.empty(); }

    // The window's load: key table, drill and caption for the stored level,
    // then the keyboard.
    void Form_Load();

    void MakeDrill(int level);
    void NextChar();
    // A level menu item: store the level, new drill, one fed key-down of the
    // expected key, then back to idle; sets the caption.
    void SetLevel(int level);
    void Form_KeyDown(int16_t keyCode);
    // "再スタート": abandon the current run; nothing is recorded.
    void ReStart();
    void ArrangeKeyboard(int16_t keyBoardSize);
    // After the options dialog closed with OK: new key table and keyboard;
    // the level, range and queue stay.
    void OptionsChanged();

    // --- state, for the window and for tests ---
    int16_t next(int i) const { return mNext[static_cast<size_t>(i)]; }
    int16_t expectedCode() const;
    int16_t rangeLow() const { return mRangeLow; }
    int16_t rangeHigh() const { return mRangeHigh; }
    bool running() const { return mRunning; }
    uint32_t startTime() const { return mStartTime; }
    int32_t needCount() const { return mNeedCount; }
    int32_t typedCount() const { return mTypedCount; }
    int32_t missCount() const { return mMissCount; }
    const QString& queueText(int i) const { return mQueueText[static_cast<size_t>(i)]; }
    const QString& caption() const { return mCaption; }
    // The progress bar shows while a run goes on, at the keys typed so far.
    bool progressVisible() const { return mRunning; }
    int32_t progressMax() const { return mNeedCount; }
    int32_t progressValue() const { return mTypedCount; }
    const OnScreenKeyboard& keyboard() const { return mKeyboard; }

    // --- the course (level 14) ---
    bool inCourse() const;
    // The open keys and the next one; empty outside the course.
    const practice::CourseState& course() const { return mCourse; }
    // Whether a key (virtual-key code) is open in the course; false for every
    // key outside the course.
    bool courseOpen(int16_t code) const;
    practice::CourseTarget courseTarget() const;
    // The line under the queue (empty outside the course); the tooltip lists
    // every key still short of the target.
    QString courseLine(int shown = 3) const;
    // "「E」が加わりました。" after a key opened, until the figures next change.
    const QString& courseNews() const { return mCourseNews; }

private:
    int16_t drawIndex();
    QString legendOf(int16_t keyIndex) const;
    QString legendOfCode(int16_t code) const;
    void setKeyColor(int code, uint32_t color);
    void setQueue(int i, int16_t keyIndex);
    void startRun(int16_t k);
    void judge(int16_t k);
    void judgeMiss(int16_t k);
    void finishRun(int16_t k);
    void RecordTest(int kind, const QString& seconds);
    void endRun();
    void record(int16_t expected, int16_t k, bool firstOfRun);
    void updateCourse(bool announce);

    basMain& mMain;
    basParam& mParam;
    basResults& mResults;
    Clock& mClock;
    Random& mRandom;
    Beeper& mBeeper;
    KeyPracticeView* mView = nullptr;
    KeyRecorder* mRecorder = nullptr;
    WeakKeyWeights* mWeights = nullptr;
    std::vector<double> mWeakWeights;  // by key index from mRangeLow; empty: uniform draw
    practice::CourseState mCourse;
    std::vector<int16_t> mCourseKeys;    // the open keys' key indexes, in course order
    std::vector<double> mCourseWeights;  // their drawing weights
    QString mCourseNews;

    std::array<int16_t, 6> mNext{};
    int16_t mRangeLow = 0;
    int16_t mRangeHigh = 0;
    bool mRunning = false;
    uint32_t mStartTime = 0;
    int32_t mNeedCount = 0;
    int32_t mTypedCount = 0;
    int32_t mMissCount = 0;
    int16_t mLastKey = 0;

    std::array<QString, 6> mQueueText;
    QString mCaption = QStringLiteral("タッチタイプ練習");
    OnScreenKeyboard mKeyboard;
};
