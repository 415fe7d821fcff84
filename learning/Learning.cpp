#include "Learning.h"

#include <QDateTime>
#include <QFileInfo>
#include <QRandomGenerator>
#include <algorithm>

#include "Clock.h"
#include "Dialogs.h"
#include "KeystrokeStore.h"
#include "basParam.h"

using learning::Keystroke;

Learning::Learning(basParam& param, Clock& clock, Dialogs& dialogs, QObject* parent)
    : QObject(parent), mParam(param), mClock(clock), mDialogs(dialogs) {
    utcNow = [] { return QDateTime::currentMSecsSinceEpoch(); };
    // Below 2^53, so that an export's JSON number carries it exactly; never 0.
    mOrigin = static_cast<qint64>(QRandomGenerator::system()->generate64() % ((quint64(1) << 53) - 1)) + 1;
    mBuffer.reserve(256);
    mSoon.setSingleShot(true);
    mSoon.setInterval(0);
    connect(&mSoon, &QTimer::timeout, this, &Learning::writeWhenDue);
    mIdle.setInterval(1000);
    connect(&mIdle, &QTimer::timeout, this, &Learning::idleCheck);
}

Learning::~Learning() {
    // The last chance for the buffered keys: a lock another copy holds for a
    // moment is waited for here, where no window waits.
    if (!mBuffer.empty() && ensureOpen()) mStore->setLockWait(kExitWaitMs);
    flush();
}

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
    k.origin = mOrigin;
    if (mInRun && !key.firstOfRun) {
        k.gapMs = static_cast<int32_t>(std::min<uint32_t>(key.tick - mLastTick, INT32_MAX));
        k.prevVk = mLastPressed;
    }
    mInRun = true;
    mLastTick = key.tick;
    mLastPressed = key.pressedVk;
    if (mBuffer.size() >= kMaxBuffered) mBuffer.erase(mBuffer.begin());
    mBuffer.push_back(k);
    // Told as the buffer fills, before the next key drops the oldest.
    if (mBuffer.size() == kMaxBuffered && !mToldFull) QTimer::singleShot(0, this, &Learning::tellFull);
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
    if (mClock.timeGetTime() - mLastTick >= kIdleMs) writeWhenDue();
}

void Learning::writeWhenDue() {
    if (mFailed && mClock.timeGetTime() - mFailedTick < kRetryMs) return;  // the idle timer comes back
    flush();
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
    mDialogs.msgBox(QStringLiteral("打鍵の記録ファイルを開けないか、書き込めませんでした。練習はこのまま続けられます。"
                                   "打鍵はメモリーに %1 件まで残し、書き込めるようになったときに書き込みます"
                                   "（書き込めないままプログラムを終了すると、その打鍵は失われます）。")
                            .arg(kMaxBuffered) +
                        QStringLiteral("\r\n") + fileName(),
                    QStringLiteral("エラー"), MsgIcon::Critical);
}

void Learning::tellFull() {
    if (mToldFull) return;
    mToldFull = true;
    mDialogs.msgBox(
        QStringLiteral("打鍵の記録ファイルに書き込めないまま、メモリーに残した打鍵が上限の %1 件に達しました。"
                       "これから打つキーの分だけ、古い打鍵から順に記録されずに消えます。")
                .arg(kMaxBuffered) +
            QStringLiteral("\r\n") + fileName(),
        QStringLiteral("エラー"), MsgIcon::Exclamation);
}

bool Learning::flush() {
    mSoon.stop();
    if (mBuffer.empty()) {
        mIdle.stop();
        return true;
    }
    const auto failed = [this] {
        mFailed = true;
        mFailedTick = mClock.timeGetTime();
        if (!mIdle.isActive()) mIdle.start();  // it tries again
        return false;
    };
    if (!ensureOpen()) return failed();
    if (!mStore->append(mBuffer)) {
        mStore->close();  // the next write opens it again
        tellOnce();
        return failed();
    }
    mFailed = false;
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
