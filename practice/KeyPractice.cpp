#include "KeyPractice.h"

#include <algorithm>

#include "Beeper.h"
#include "Clock.h"
#include "KeyModel.h"
#include "Levels.h"
#include "Numbers.h"
#include "Random.h"
#include "basMain.h"
#include "basParam.h"
#include "basResults.h"

using practice::isTestLevel;

namespace {
constexpr int kTestLength = 100;
constexpr int kComprehensiveKind = 0;
constexpr int kBeginnerKind = 2;
}  // namespace

KeyPractice::KeyPractice(basMain& main, basParam& param, basResults& results, Clock& clock, Random& random,
                         Beeper& beeper)
    : mMain(main), mParam(param), mResults(results), mClock(clock), mRandom(random), mBeeper(beeper) {}

void KeyPractice::Form_Load() {
    mMain.MakeKeyCodeTable(mParam.KeyBoardType());
    mRunning = false;
    MakeDrill(mParam.Level());
    SetLevel(mParam.Level());
    ArrangeKeyboard(mParam.KeyBoardSize());
}

int16_t KeyPractice::expectedCode() const { return mMain.keyCode(mNext[0]); }

// r * (high - low) + low in single precision, rounded halves to even: the two
// ends of the range come up half as often as the keys between them.
int16_t KeyPractice::drawIndex() {
    if (!mCourseKeys.empty())
        return mCourseKeys[static_cast<size_t>(learning::drawWeighted(mCourseWeights, mRandom.Rnd()))];
    if (!mWeakWeights.empty())
        return static_cast<int16_t>(mRangeLow + learning::drawWeighted(mWeakWeights, mRandom.Rnd()));
    const float r = mRandom.Rnd();
    const float v = r * static_cast<float>(mRangeHigh - mRangeLow) + static_cast<float>(mRangeLow);
    return static_cast<int16_t>(num::roundHalfEven(static_cast<double>(v)));
}

QString KeyPractice::legendOf(int16_t keyIndex) const { return legendOfCode(mMain.keyCode(keyIndex)); }

void KeyPractice::setQueue(int i, int16_t keyIndex) {
    mNext[static_cast<size_t>(i)] = keyIndex;
    // A key without a label leaves the queue text as it was.
    if (mKeyboard.label(mMain.keyCode(keyIndex))) mQueueText[static_cast<size_t>(i)] = legendOf(keyIndex);
}

void KeyPractice::setKeyColor(int code, uint32_t color) {
    if (mKeyboard.foreColor(code) == color && mKeyboard.label(code)) return;
    if (mKeyboard.setForeColor(code, color) && mView) mView->keyForeColorChanged(static_cast<int16_t>(code), color);
}

// The run is over (or abandoned): the progress bar goes.
void KeyPractice::endRun() {
    mRunning = false;
    if (mView) mView->progressChanged();
}

void KeyPractice::MakeDrill(int level) {
    const practice::KeyRange range = practice::levelRange(level, mParam.KeyBoardType());
    mRangeLow = range.low;
    mRangeHigh = range.high;
    mWeakWeights.clear();
    if (level == practice::kWeakKeys) WeightsChanged();
    updateCourse(false);
    setKeyColor(expectedCode(), OnScreenKeyboard::Black);
    setQueue(0, drawIndex());
    for (int i = 1; i <= 5; ++i) {
        int16_t n;
        do n = drawIndex();
        while (n == mNext[static_cast<size_t>(i - 1)]);
        setQueue(i, n);
    }
    if (mView) mView->queueChanged();
}

void KeyPractice::NextChar() {
    setKeyColor(expectedCode(), OnScreenKeyboard::Black);
    int16_t n;
    do n = drawIndex();
    while (n == mNext[5]);
    for (int i = 1; i <= 5; ++i) setQueue(i - 1, mNext[static_cast<size_t>(i)]);
    setQueue(5, n);
    if (mView) mView->queueChanged();
    ++mTypedCount;
    if (mView) mView->progressChanged();
}

void KeyPractice::SetLevel(int level) {
    level = practice::validLevel(level);
    mParam.Level(static_cast<int16_t>(level));
    MakeDrill(level);
    // The expected key is judged as if typed (the queue moves on by one), not
    // recorded as the learner's, and the run it started is dropped.
    const int16_t k = expectedCode();
    if (!mRunning) startRun(k);
    judge(k);
    if (mRecorder) mRecorder->runEnded();
    endRun();
    mCaption = practice::levelWindowCaption(level);
    if (mView) mView->captionChanged();
}

void KeyPractice::Form_KeyDown(int16_t k) {
    const bool first = !mRunning;
    if (first) startRun(k);
    if (mRecorder) record(expectedCode(), k, first);
    judge(k);
}

void KeyPractice::judge(int16_t k) {
    setKeyColor(mLastKey, OnScreenKeyboard::Black);
    if (k == expectedCode())
        NextChar();
    else
        judgeMiss(k);
    if (mTypedCount >= mNeedCount) finishRun(k);
    setKeyColor(expectedCode(), OnScreenKeyboard::Red);
}

void KeyPractice::startRun(int16_t k) {
    mTypedCount = 0;
    mRunning = true;
    mMissCount = 0;
    mResults.ResetRun();
    mNeedCount = isTestLevel(mParam.Level()) ? kTestLength : mParam.NeedCount();
    if (mView) mView->progressChanged();
    mStartTime = mClock.timeGetTime();
    mLastKey = k;
}

// A miss is charged to the key that was expected, not to the key pressed.
void KeyPractice::judgeMiss(int16_t k) {
    ++mMissCount;
    mResults.AddRunKeyMiss(mNext[0], 1);
    if (mParam.MissBeep() == 1) mBeeper.Beep();
    if (mParam.MissNext() == 1 && !isTestLevel(mParam.Level())) NextChar();
    if (mParam.MissKeyDisp() == 1) setKeyColor(k, OnScreenKeyboard::White);
    mLastKey = k;
}

void KeyPractice::finishRun(int16_t k) {
    // The clock wraps after 2^32 ms; the difference is taken modulo 2^32.
    const uint32_t elapsed = mClock.timeGetTime() - mStartTime;
    const QString secondsText = num::general(static_cast<double>(elapsed) / 1000.0);
    const double seconds = num::Val(secondsText);
    mResults.SetRunChars(mNeedCount);
    mResults.SetRunSeconds(seconds);
    // 0 ms (one key needed) gives no figure: the run keeps 0 from ResetRun.
    // A faster run than the figure can hold shows the largest figure.
    if (seconds > 0) mResults.SetRunPerMinute(num::toInt16Saturated(60.0 / seconds * mNeedCount));
    mResults.SetRunMisses(num::toInt16Saturated(mMissCount));
    mResults.CommitRun();
    if (mParam.Level() == practice::kBeginnerTest) RecordTest(kBeginnerKind, secondsText);
    if (mParam.Level() == practice::kComprehensiveTest) RecordTest(kComprehensiveKind, secondsText);
    setKeyColor(k, OnScreenKeyboard::Black);
    if (mRecorder) mRecorder->runEnded();
    if (mView) mView->showLastRun();
    endRun();
}

void KeyPractice::RecordTest(int kind, const QString& seconds) {
    // When the file cannot be read, only this test is lost.
    mResults.SaveChange([&] {
        mResults.AddTestTime(kind, num::Val(seconds));
        mResults.AddTestMiss(kind, num::toInt16Saturated(mMissCount));
    });
}

void KeyPractice::ReStart() {
    if (mRecorder) mRecorder->runEnded();
    endRun();
    setKeyColor(mLastKey, OnScreenKeyboard::Black);
}

void KeyPractice::ArrangeKeyboard(int16_t keyBoardSize) {
    OnScreenKeyboard::Settings s;
    s.keyBoard = mParam.KeyBoard();
    s.keyBoardSize = keyBoardSize;
    s.keyBoardType = mParam.KeyBoardType();
    s.bindKey6 = mParam.BindKey6();
    s.letterType = mParam.LetterType();
    s.fontName = mParam.FontName();
    mKeyboard.Arrange(s, mMain);
    for (QString& t : mQueueText) t = s.letterType == 1 ? t.toLower() : t.toUpper();
    if (mView) {
        mView->keyboardArranged();
        mView->queueChanged();
    }
}

void KeyPractice::OptionsChanged() {
    mMain.MakeKeyCodeTable(mParam.KeyBoardType());
    updateCourse(false);  // another layout, or other targets
    ArrangeKeyboard(mParam.KeyBoardSize());
}

void KeyPractice::record(int16_t expected, int16_t k, bool firstOfRun) {
    JudgedKey j;
    j.mode = mParam.Level();
    j.expectedVk = expected;
    j.pressedVk = k;
    j.correct = k == expected;
    j.firstOfRun = firstOfRun;
    j.tick = mClock.timeGetTime();
    j.keyBoardType = mParam.KeyBoardType();
    mRecorder->keyJudged(j);
}

void KeyPractice::WeightsChanged() {
    mWeakWeights.clear();
    if (inCourse()) updateCourse(true);
    if (!mWeights || mParam.Level() != practice::kWeakKeys) return;
    std::vector<int16_t> codes;
    for (int i = mRangeLow; i <= mRangeHigh; ++i) codes.push_back(mMain.keyCode(i));
    mWeakWeights = mWeights->weakKeyWeights(codes, mParam.KeyBoardType());
}

// ---------------------------------------------------------------- the course

bool KeyPractice::inCourse() const { return mParam.Level() == practice::kCourse; }

practice::CourseTarget KeyPractice::courseTarget() const {
    return {mParam.CourseAccuracy() / 100.0, mParam.CourseWeakness() / 100.0};
}

void KeyPractice::updateCourse(bool announce) {
    const size_t before = mCourse.open.size();
    mCourse = {};
    mCourseKeys.clear();
    mCourseWeights.clear();
    if (inCourse()) {
        const practice::KeyRange range = practice::levelRange(practice::kCourse, mParam.KeyBoardType());
        std::vector<int16_t> codes;
        for (int i = range.low; i <= range.high; ++i) codes.push_back(mMain.keyCode(i));
        const learning::Figures* figures = mWeights ? mWeights->figures(mParam.KeyBoardType()) : nullptr;
        mCourse = practice::courseState(figures, practice::courseOrder(codes), courseTarget());
        for (const practice::CourseKey& k : mCourse.open) {
            const auto at = std::find(codes.begin(), codes.end(), k.vk);
            mCourseKeys.push_back(static_cast<int16_t>(range.low + (at - codes.begin())));
        }
        mCourseWeights = practice::courseWeights(mCourse);
    }
    const bool opened = announce && !mCourse.open.empty() && mCourse.open.size() > before;
    mCourseNews =
        opened ? practice::courseOpenedMessage(mCourse.newest().vk, [this](int16_t vk) { return legendOfCode(vk); })
               : QString();
    if (mView) mView->courseChanged();
}

bool KeyPractice::courseOpen(int16_t code) const {
    return std::any_of(mCourse.open.begin(), mCourse.open.end(), [code](const auto& k) { return k.vk == code; });
}

QString KeyPractice::courseLine(int shown) const {
    if (mCourse.open.empty()) return {};
    return practice::courseLine(
        mCourse, courseTarget(), [this](int16_t vk) { return legendOfCode(vk); }, shown);
}

QString KeyPractice::legendOfCode(int16_t code) const {
    const OnScreenKeyboard::Label* l = mKeyboard.label(code);
    return l ? l->legend : QString();
}
