#include "WordPractice.h"

#include "Beeper.h"
#include "Clock.h"
#include "Dialogs.h"
#include "KeyMap.h"
#include "TextPractice.h"
#include "basParam.h"
#include "basResults.h"

namespace words {

WordPractice::WordPractice(basParam& param, basResults& results, Clock& clock, Random& random, Dialogs& dialogs,
                           Beeper& beeper)
    : mParam(param), mResults(results), mClock(clock), mRandom(random), mDialogs(dialogs), mBeeper(beeper) {}

void WordPractice::start(const std::vector<Word>& list, std::function<Learner()> learner) {
    mWords = &list;
    mChooser = std::make_unique<WordChooser>(list, mParam.KeyBoardType());
    mLearner = std::move(learner);
    newSet();
}

void WordPractice::newSet() {
    if (!mChooser) return;
    if (mRecorder && mWordStarted) mRecorder->runEnded();
    mSet = mChooser->draw(mLearner ? mLearner() : Learner{}, mRandom);
    showWord(0);
}

void WordPractice::setKanaOnly(bool on) { mKanaOnly = on; }

const Word* WordPractice::word() const {
    if (!mWords || mInSet >= static_cast<int>(mSet.words.size())) return nullptr;
    return &(*mWords)[mSet.words[static_cast<size_t>(mInSet)]];
}

QString WordPractice::writtenText() const {
    const Word* w = word();
    return !w || mKanaOnly || w->kanaOnly() ? QString() : w->written;
}

void WordPractice::showWord(int inSet) {
    mInSet = inSet;
    mWordStarted = false;
    mWordTyped = 0;
    mWordMiss = 0;
    const Word* w = word();
    mKana = !w ? QString() : w->kanaOnly() ? w->written : w->reading;
    if (w) mJudge.start(w->romaji, mKana, mParam.LetterType() != 1);
}

bool WordPractice::keyPress(QChar ch) {
    if (!word() || ch.category() == QChar::Other_Control) return false;
    judge(ch, 0);
    return true;
}

void WordPractice::judge(QChar ch, int depth) {
    const bool first = !mWordStarted;
    if (!mWordStarted) {
        mWordStarted = true;
        mWordStart = mClock.timeGetTime();
    }
    const QChar expected = mJudge.expected();
    const bool right = mJudge.key(ch);
    if (mRecorder && depth == 0) record(ch, expected, right, first);
    if (!right) {
        ++mWordMiss;
        if (mParam.MissBeep() == 1) mBeeper.Beep();
        // Entered for the learner: counted as a correct character too.
        if (mParam.MissNext() == 1 && depth == 0) judge(expected, depth + 1);
        return;
    }
    ++mWordTyped;
    if (mJudge.finished()) finishWord();
}

void WordPractice::finishWord() {
    mTotal.typed += mWordTyped;
    mTotal.miss += mWordMiss;
    const int16_t rate = TextPractice::entryRate(mWordTyped, mClock.timeGetTime() - mWordStart);
    mTotal.perMin = TextPractice::nextAverage(mTotal.perMin, mDoneCount, rate);
    ++mDoneCount;
    mLast = {mWordTyped, mWordMiss, static_cast<double>(rate)};
    if (mRecorder) mRecorder->runEnded();
    mWordStarted = false;
    if (mInSet + 1 < static_cast<int>(mSet.words.size()))
        showWord(mInSet + 1);
    else
        newSet();
}

bool WordPractice::TotalClear() {
    if (mDoneCount == 0) return false;
    const MsgResult answer = mDialogs.msgBox(QStringLiteral("今回練習中の累計をクリアしますか？"),
                                             QStringLiteral("確認"), MsgIcon::Question, MsgButtons::YesNo, 1);
    if (answer != MsgResult::Yes) return false;
    mDoneCount = 0;
    mTotal = {};
    return true;
}

void WordPractice::Unload() {
    if (mUnloaded) return;
    mUnloaded = true;
    if (mRecorder) mRecorder->runEnded();
    if (mDoneCount == 0) return;
    // Through the one writer cycle, so a retried save reads the file again
    // and adds the record again; when the file cannot be read, only these
    // totals are lost.
    mResults.SaveChange([this] { mResults.AddTextResult(mTotal.typed, mTotal.miss, mTotal.perMin); });
}

void WordPractice::record(QChar ch, QChar expected, bool correct, bool firstOfRun) {
    // A right key of another romaji spelling was the key expected.
    if (correct && ch.toLower() != expected.toLower()) expected = ch;
    const int layout = mParam.KeyBoardType();
    const auto keyOf = [layout](QChar c) {
        const QChar up = c.toUpper();
        const int qtKey = (up >= u'A' && up <= u'Z') || (up >= u'0' && up <= u'9') ? up.unicode() : 0;
        return keymap::fromQtKey(qtKey, QString(c), false, layout);
    };
    JudgedKey j;
    j.mode = learning::kTextPracticeMode;
    j.expectedChar = expected;
    j.expectedVk = keyOf(expected);
    j.pressedChar = ch;
    j.pressedVk = keyOf(ch);
    j.correct = correct;
    j.firstOfRun = firstOfRun;
    j.tick = mClock.timeGetTime();
    j.keyBoardType = static_cast<int16_t>(layout);
    mRecorder->keyJudged(j);
}

}  // namespace words
