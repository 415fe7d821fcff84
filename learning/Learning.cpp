#include "Learning.h"

#include <QDateTime>
#include <QFileInfo>
#include <algorithm>

#include "Clock.h"
#include "Dialogs.h"
#include "KeystrokeStore.h"
#include "basParam.h"

using learning::Keystroke;

Learning::Learning(basParam& param, Clock& clock, Dialogs& dialogs, QObject* parent)
    : QObject(parent), mParam(param), mClock(clock), mDialogs(dialogs) {
    utcNow = [] { return QDateTime::currentMSecsSinceEpoch(); };
    mBuffer.reserve(256);
    mSoon.setSingleShot(true);
    mSoon.setInterval(0);
    connect(&mSoon, &QTimer::timeout, this, [this] { flush(); });
    mIdle.setInterval(1000);
    connect(&mIdle, &QTimer::timeout, this, &Learning::idleCheck);
}

Learning::~Learning() { flush(); }

QString Learning::fileName() const { return mParam.KeystrokeFileName(); }

void Learning::keyJudged(const JudgedKey& key) {
    // Alt or F10 opening a menu, a Shift pressed alone: not the learner's typing.
    if (!learning::isTypingKey(key.pressedVk)) return;
    Keystroke k;
    // Distinct, increasing times: two keys of this program are never taken
    // for the same keystroke by an import.
    k.timeMs = std::max(utcNow(), mLastTime + 1);
    mLastTime = k.timeMs;
    k.mode = key.mode;
    k.expectedVk = key.expectedVk;
    k.expectedChar = key.expectedChar;
    k.pressedVk = key.pressedVk;
    k.pressedChar = key.pressedChar;
    k.correct = key.correct;
    k.layout = key.keyBoardType;
    if (mInRun && !key.firstOfRun) {
        k.gapMs = static_cast<int32_t>(std::min<uint32_t>(key.tick - mLastTick, INT32_MAX));
        k.prevVk = mLastPressed;
    }
    mInRun = true;
    mLastTick = key.tick;
    mLastPressed = key.pressedVk;
    if (mBuffer.size() >= kMaxBuffered) mBuffer.erase(mBuffer.begin());
    mBuffer.push_back(k);
    if (!mIdle.isActive()) mIdle.start();
}

void Learning::runEnded() {
    mInRun = false;
    if (!mBuffer.empty()) mSoon.start();
}

void Learning::idleCheck() {
    if (mBuffer.empty()) {
        mIdle.stop();
        return;
    }
    if (mClock.timeGetTime() - mLastTick >= kIdleMs) flush();
}

bool Learning::ensureOpen() {
    if (mStore && mStore->isOpen()) return true;
    if (!mStore) mStore = std::make_unique<KeystrokeStore>(fileName());
    if (mStore->open()) return true;
    tellOnce();
    return false;
}

KeystrokeStore* Learning::store() { return ensureOpen() ? mStore.get() : nullptr; }

void Learning::tellOnce() {
    if (mTold) return;
    mTold = true;
    mDialogs.msgBox(QStringLiteral("打鍵の記録ファイルを開けないか、書き込めませんでした。練習はこのまま続けられますが、"
                                   "打鍵は記録されません。") +
                        QStringLiteral("\r\n") + fileName(),
                    QStringLiteral("エラー"), MsgIcon::Critical);
}

bool Learning::flush() {
    mSoon.stop();
    if (mBuffer.empty()) {
        mIdle.stop();
        return true;
    }
    if (!ensureOpen()) return false;
    if (!mStore->append(mBuffer)) {
        mStore->close();  // the next write opens it again
        tellOnce();
        return false;
    }
    mBuffer.clear();
    mIdle.stop();
    storeChanged();
    return true;
}

void Learning::storeChanged() {
    mFigures.reset();
    mFiguresFailed = false;
    emit figuresChanged();
}

const learning::Figures* Learning::figures(int16_t layout) {
    if (mFigures && mFigures->layout == layout) return &*mFigures;
    // A store that could not be read is asked again only after the next write.
    if (mFiguresFailed) return nullptr;
    if (ensureOpen()) mFigures = mStore->figures(layout);
    if (!mFigures) {
        mFiguresFailed = true;
        tellOnce();
    }
    return mFigures ? &*mFigures : nullptr;
}

std::optional<double> Learning::weakness(int16_t vk, int16_t layout) {
    const learning::Figures* f = figures(layout);
    return f ? f->weaknessOf(vk) : std::nullopt;
}

std::vector<double> Learning::weakKeyWeights(const std::vector<int16_t>& codes, int16_t keyBoardType) {
    std::vector<std::optional<double>> w;
    w.reserve(codes.size());
    for (int16_t code : codes) w.push_back(weakness(code, keyBoardType));
    return learning::drillWeights(w);
}
