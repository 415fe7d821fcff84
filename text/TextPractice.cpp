#include "TextPractice.h"

#include <algorithm>
#include <cmath>

#include "Beeper.h"
#include "Clock.h"
#include "Dialogs.h"
#include "KeyMap.h"
#include "Numbers.h"
#include "Random.h"
#include "basParam.h"
#include "basResults.h"

TextPractice::TextPractice(basParam& param, basResults& results, Clock& clock, Random& random, Dialogs& dialogs,
                           Beeper& beeper)
    : mParam(param), mResults(results), mClock(clock), mRandom(random), mDialogs(dialogs), mBeeper(beeper) {}

bool TextPractice::LoadText(const QString& path) {
    mTextCount = 0;
    mTexts.clear();
    textfile::ReadResult r = textfile::readPracticeFile(path);
    if (!r.ok) {
        // The lines keep the old entry's text; keys are ignored from now on.
        mDialogs.msgBox(path + QStringLiteral("\r\n") + r.error, QStringLiteral("エラー"), MsgIcon::Critical);
        return false;
    }
    mTexts = std::move(r.entries);
    mTextCount = static_cast<int32_t>(std::min<qsizetype>(mTexts.size(), INT32_MAX));
    if (mTextCount == 0) {
        mDisplay.clear();
        mInputShown.clear();
        mRomajiOn = false;
        mDisplayPos = mInputPos = 0;
        mDialogs.msgBox(QStringLiteral("有効な情報がありませんでした。\r\n") + path, QStringLiteral("エラー"),
                        MsgIcon::Critical);
        return false;
    }
    int32_t first = 0;
    switch (mParam.TextRead()) {
        case 1:
            first = mTextCount - 1;
            break;
        case 2:
            first = randomIndex(mTextCount);
            break;
        default:
            break;
    }
    showEntry(first);
    resetEntry();
    mParam.TextFileName(path);
    return true;
}

int32_t TextPractice::randomIndex(int32_t count) {
    const double r = static_cast<double>(mRandom.Rnd());
    const auto i = static_cast<int32_t>(num::Int(r * count));
    return std::clamp(i, 0, count - 1);
}

void TextPractice::showEntry(int32_t index) {
    mTextIndex = index;
    mCharPos = 1;
    const TextEntry& e = mTexts[index];
    mDisplay = e.Display;
    mDisplayPos = 0;
    const bool lower = mParam.LetterType() == 1;
    mInputShown = lower ? textfile::lowerSameLength(e.Input) : textfile::upperSameLength(e.Input);
    mInputPos = 0;
    mRomajiOn = mParam.TextRomaji() == 1 && mRomaji.start(e.Input, e.Display, !lower);
}

int32_t TextPractice::nextIndex() {
    switch (mParam.TextRead()) {
        case 1:
            return mTextIndex > 0 ? mTextIndex - 1 : mTextCount - 1;
        case 2:
            return randomIndex(mTextCount);
        default:
            return mTextIndex + 1 < mTextCount ? mTextIndex + 1 : 0;
    }
}

void TextPractice::resetEntry() {
    mEntryStarted = false;
    mEntryStart = 0;
    mEntryTyped = 0;
    mEntryMiss = 0;
}

bool TextPractice::keyPress(QChar ch) {
    if (mTextCount == 0 || ch.category() == QChar::Other_Control) return false;
    judge(ch, 0);
    return true;
}

void TextPractice::judge(QChar ch, int depth) {
    const bool first = !mEntryStarted;
    if (!mEntryStarted && mEntryTyped == 0) {
        mEntryStarted = true;
        mEntryStart = mClock.timeGetTime();
    }
    const QChar expected = expectedChar();
    const bool right =
        mRomajiOn ? mRomaji.key(ch) : QStringView(&ch, 1).compare(QStringView(&expected, 1), Qt::CaseInsensitive) == 0;
    if (mRecorder && depth == 0) record(ch, expected, right, first);
    if (!right) {
        ++mEntryMiss;
        if (mParam.MissBeep() == 1) mBeeper.Beep();
        // Entered for the user: counted as a correct character too.
        if (mParam.MissNext() == 1 && depth == 0) judge(expected, depth + 1);
        return;
    }
    ++mEntryTyped;
    if (mRomajiOn) {
        mDisplayPos = mRomaji.displayRemoved();
        // The file's position while its spelling is typed; a longer spelling
        // stops at the last character.
        if (mCharPos < mTexts[mTextIndex].Input.size()) ++mCharPos;
        if (mRomaji.finished()) finishEntry();
        return;
    }
    if (mCharPos >= mTexts[mTextIndex].Input.size()) {
        finishEntry();
        return;
    }
    advance();
}

QChar TextPractice::expectedChar() const {
    if (mTextCount == 0) return {};
    return mRomajiOn ? mRomaji.expected() : mTexts[mTextIndex].Input[mCharPos - 1];
}

void TextPractice::advance() {
    const QString& input = mTexts[mTextIndex].Input;
    ++mInputPos;
    if (!textfile::continuesSyllable(input[mCharPos]) && mDisplayPos < mDisplay.size()) {
        const bool pair = mDisplay[mDisplayPos].isHighSurrogate() && mDisplayPos + 1 < mDisplay.size() &&
                          mDisplay[mDisplayPos + 1].isLowSurrogate();
        mDisplayPos += pair ? 2 : 1;
    }
    ++mCharPos;
}

int16_t TextPractice::entryRate(int32_t typed, uint32_t elapsedMs) {
    const double seconds = std::max<uint32_t>(elapsedMs, 1) / 1000.0;
    return num::toInt16Saturated(typed * (60.0 / seconds));
}

double TextPractice::nextAverage(double average, int32_t done, int16_t rate) {
    const double mean = (done * average + rate) / (done + 1.0);
    return num::roundHalfEven(mean * 100.0) / 100.0;
}

void TextPractice::finishEntry() {
    showEntry(nextIndex());
    mTotal.typed += mEntryTyped;
    mTotal.miss += mEntryMiss;
    const uint32_t elapsed = mClock.timeGetTime() - mEntryStart;  // wraps like the timer
    const int16_t rate = entryRate(mEntryTyped, elapsed);
    mTotal.perMin = nextAverage(mTotal.perMin, mDoneCount, rate);
    ++mDoneCount;
    mLast = {mEntryTyped, mEntryMiss, static_cast<double>(rate)};
    resetEntry();
    if (mRecorder) mRecorder->runEnded();
}

void TextPractice::setTextRead(int index) {
    if (index != mParam.TextRead()) mParam.TextRead(static_cast<int16_t>(index));
}

void TextPractice::SetNavi(bool show) { mParam.TextDisplayNavi(show); }

bool TextPractice::TotalClear() {
    if (mDoneCount == 0) return false;
    const MsgResult answer = mDialogs.msgBox(QStringLiteral("今回練習中の累計をクリアしますか？"),
                                             QStringLiteral("確認"), MsgIcon::Question, MsgButtons::YesNo, 1);
    if (answer != MsgResult::Yes) return false;
    mDoneCount = 0;
    mTotal = {};
    return true;
}

void TextPractice::Unload() {
    if (mUnloaded) return;
    mUnloaded = true;
    if (mRecorder) mRecorder->runEnded();
    if (mDoneCount == 0) return;
    // When the file cannot be read, only these totals are lost.
    mResults.SaveChange([this] { mResults.AddTextResult(mTotal.typed, mTotal.miss, mTotal.perMin); });
}

namespace {
// The key that types a character on a layout: letters and digits by their
// code, the rest by their legend.
int16_t keyOf(QChar c, int keyBoardType) {
    const QChar up = c.toUpper();
    const int qtKey = (up >= u'A' && up <= u'Z') || (up >= u'0' && up <= u'9') ? up.unicode() : 0;
    return keymap::fromQtKey(qtKey, QString(c), false, keyBoardType);
}
}  // namespace

void TextPractice::record(QChar ch, QChar expected, bool correct, bool firstOfRun) {
    // A right key of another romaji spelling was the key expected.
    if (correct && ch.toLower() != expected.toLower()) expected = ch;
    JudgedKey j;
    j.mode = learning::kTextPracticeMode;
    j.expectedChar = expected;
    j.expectedVk = keyOf(expected, mParam.KeyBoardType());
    j.pressedChar = ch;
    j.pressedVk = keyOf(ch, mParam.KeyBoardType());
    j.correct = correct;
    j.firstOfRun = firstOfRun;
    j.tick = mClock.timeGetTime();
    j.keyBoardType = mParam.KeyBoardType();
    mRecorder->keyJudged(j);
}
