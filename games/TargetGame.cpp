#include "TargetGame.h"

#include "AppContext.h"
#include "Random.h"
#include "basParam.h"
#include "basResults.h"

namespace {

// Finger groups of the eight targets (left little .. right little). The two
// index-finger groups depend on which hand types 6 (BindKey6 = 3: the left).
constexpr std::array<TargetGame::FingerGroup, TargetGame::kTargets> kGroupsLeft6{{
    {1, 4},
    {5, 4},
    {9, 4},
    {13, 9},
    {22, 7},
    {29, 4},
    {33, 4},
    {37, 4},
}};
constexpr std::array<TargetGame::FingerGroup, TargetGame::kTargets> kGroupsRight6{{
    {1, 4},
    {5, 4},
    {9, 4},
    {13, 8},
    {21, 8},
    {29, 4},
    {33, 4},
    {37, 4},
}};

constexpr int kStep = 50;
constexpr int kTopTurn = 240;
constexpr const char16_t* kHitCaption = u"!";

}  // namespace

TargetGame::FingerGroup TargetGame::groupOf(int target, int bindKey6) {
    const auto& groups = bindKey6 == 3 ? kGroupsLeft6 : kGroupsRight6;
    return groups[static_cast<size_t>(target)];
}

QString TargetGame::fingerKeys(int letterType) {
    return letterType == 1 ? QStringLiteral("1qaz2wsx3edc4rfv5tgb6yhn7ujm8ik,9ol.0p;/")
                           : QStringLiteral("1QAZ2WSX3EDC4RFV5TGB6YHN7UJM8IK,9OL.0P;/");
}

int TargetGame::translateKey(int vk, int keyBoardType) {
    if (vk == (keyBoardType == 0 ? 187 : 186)) return ';';
    switch (vk) {
        case 188:
            return ',';
        case 190:
            return '.';
        case 191:
            return '/';
        default:
            return vk;
    }
}

TargetGame::TargetGame(AppContext& ctx, GameView& view) : ScoredGame(ctx, view) {}

void TargetGame::load() {
    mCtx.results.LoadResults();
    mCtx.random.Randomize();
    StartGame();
    mHiScore = QString::number(mCtx.results.GetTargetScore(0));
}

void TargetGame::DealLetters() {
    const QString keys = fingerKeys(mCtx.param.LetterType());
    const int bind = mCtx.param.BindKey6();
    for (int i = 0; i < kTargets; ++i) {
        const FingerGroup g = groupOf(i, bind);
        mCaption[static_cast<size_t>(i)] = keys.mid(g.first - 1 + draw::below(mCtx.random, g.n), 1);
    }
}

void TargetGame::resetTargets() {
    mTop = kRestTop;
    mVisible.fill(true);
    mHit.fill(false);
}

void TargetGame::StartGame() {
    resetTargets();
    DealLetters();
    mScore.set(QStringLiteral("0"));
    mCount = QStringLiteral("19");
    mMech.startTicking();
    mBonus = 0;
    mWave = 0;
    mSinking = 0;
}

void TargetGame::tick() {
    TickGuard guard(mInTick);
    if (!guard.entered() || !mMech.ticking()) return;
    if (mSinking == 0) {
        mTop -= kStep;
        if (mTop < kTopTurn) mSinking = 1;
        return;
    }
    mTop += kStep;
    if (mTop > kRestTop) endWave();
}

void TargetGame::endWave() {
    ++mWave;
    if (mWave < kWaves) {
        mCount = QString::number(kWaves - 1 - mWave);
        mSinking = 0;
        resetTargets();
        DealLetters();
        return;
    }
    runGameOver();
}

void TargetGame::runGameOver() {
    const auto insert = [this] { return mCtx.results.AddTargetScore(mScore.value()); };
    const auto refresh = [this] { mHiScore = QString::number(mCtx.results.GetTargetScore(0)); };
    if (mMech.gameOver(insert, refresh)) StartGame();
}

void TargetGame::keyDown(int vk) {
    if (!mMech.ticking()) return;
    const int code = translateKey(vk, mCtx.param.KeyBoardType());
    for (int i = 0; i < kTargets; ++i) {
        QString& caption = mCaption[static_cast<size_t>(i)];
        if (caption == kHitCaption || caption.isEmpty() || caption.toUpper().at(0).unicode() != code) continue;
        mVisible[static_cast<size_t>(i)] = false;
        caption = QString::fromUtf16(kHitCaption);
        mHit[static_cast<size_t>(i)] = true;
        mBonus += 10;
        mScore.add(mBonus);
        return;
    }
    mScore.add(-3);
    mBonus = 0;
}
