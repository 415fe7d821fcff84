#include "BalloonGame.h"

#include "AppContext.h"
#include "Numbers.h"
#include "Random.h"
#include "basParam.h"
#include "basResults.h"

namespace {

// The level table: rise speed and the number of balloons set at levels 1..10;
// from level 11 on the speed equals the level. A 0 count leaves it as it was.
struct LevelRow {
    int speed;
    int count;
};
constexpr std::array<LevelRow, 10> kLevels{{
    {1, 1},
    {3, 0},
    {5, 0},
    {4, 2},
    {6, 0},
    {5, 3},
    {7, 0},
    {9, 0},
    {6, 5},
    {8, 0},
}};

constexpr int kSpawnY = 200;
constexpr int kEscapeY = -40;
constexpr int kBurstTicks = 5;
constexpr int kRightLimit = 230;
constexpr int kStep = 8;

// Height zones of a pop and their points.
int zoneOf(int y) {
    if (y > 150) return 3;
    if (y > 80) return 2;
    return 1;
}

}  // namespace

BalloonGame::BalloonGame(AppContext& ctx, GameView& view, PlayField& field) : ScoredGame(ctx, view), mField(field) {}

int BalloonGame::speedAt(int level) {
    if (level >= 1 && level <= static_cast<int>(kLevels.size())) return kLevels[static_cast<size_t>(level - 1)].speed;
    return level;
}

int BalloonGame::countAt(int level) {
    if (level >= 1 && level <= static_cast<int>(kLevels.size())) return kLevels[static_cast<size_t>(level - 1)].count;
    return 0;
}

void BalloonGame::load() {
    mCtx.results.LoadResults();
    StartGame();
    refreshBest();
}

void BalloonGame::refreshBest() {
    mHiScore = QString::number(mCtx.results.GetBalloonScore(0));
    mHiLevel = QString::number(mCtx.results.GetBalloonLevel(0));
}

void BalloonGame::respawn(BalloonType& b) {
    b.Y = kSpawnY;
    b.Color = static_cast<int16_t>(draw::below(mCtx.random, 7));
    b.Char = mLetters.mid(draw::below(mCtx.random, 26), 1);
}

void BalloonGame::StartGame() {
    mHits = 0;
    mLevel = 1;
    mCtx.random.Randomize();
    mLetters = mCtx.param.LetterType() == 1 ? QStringLiteral("abcdefghijklmnopqrstuvwxyz")
                                            : QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZ");
    for (int c = 1; c <= kSlots; ++c) respawn(mBalloon[static_cast<size_t>(c)]);
    mScore.set(QStringLiteral("0"));
    mLevelText = QStringLiteral("1");
    mMech.startTicking();
}

bool BalloonGame::moveAndDraw(BalloonType& b, int speed) {
    if (b.Y < kEscapeY) return false;
    if (b.State > 0) {
        if (b.State == 1) respawn(b);
        --b.State;
        mField.drawSprite(SpriteSheet::Balloon, b.Color * kCellWidth, kCellHeight, kCellWidth, kCellHeight, b.X, b.Y);
        return true;
    }
    b.Y -= speed;
    const int d = draw::rounded(mCtx.random, 10, 0);
    if (d % 2 != 0) {
        if (b.X < kRightLimit) b.X += kStep;
    } else if (b.X > 0) {
        b.X -= kStep;
    }
    mField.drawSprite(SpriteSheet::Balloon, b.Color * kCellWidth, 0, kCellWidth, kCellHeight, b.X, b.Y);
    return true;
}

void BalloonGame::printLetters() {
    const int dy = mCtx.param.LetterType() == 1 ? 2 : 5;
    for (int c = 1; c <= mBalloonCount; ++c) {
        const BalloonType& b = mBalloon[static_cast<size_t>(c)];
        if (b.State == 0) mField.print(b.Char, b.X + 8, b.Y + dy);
    }
}

void BalloonGame::tick() {
    TickGuard guard(mInTick);
    if (!guard.entered() || !mMech.ticking()) return;
    const int speed = speedAt(mLevel);
    if (const int count = countAt(mLevel); count > 0) mBalloonCount = static_cast<int16_t>(count);
    mField.clear();
    for (int c = 1; c <= mBalloonCount; ++c) {
        if (!moveAndDraw(mBalloon[static_cast<size_t>(c)], speed)) {
            runGameOver();
            return;
        }
    }
    printLetters();
    mField.show();
}

void BalloonGame::pop(BalloonType& b) {
    b.State = kBurstTicks;
    const int zone = zoneOf(b.Y);
    int points = zone * 10;
    if (mLastZone == zone) points *= 2;
    mLastZone = static_cast<int16_t>(zone);
    mScore.add(points);
    ++mHits;
    if (mHits > mBalloonCount * 5) {
        ++mLevel;
        mLevelText = QString::number(mLevel);
        mHits = 0;
    }
}

void BalloonGame::keyDown(int vk) {
    if (!mMech.ticking()) return;
    bool hit = false;
    const int count = mBalloonCount;
    for (int c = 1; c <= count; ++c) {
        BalloonType& b = mBalloon[static_cast<size_t>(c)];
        if (b.State != 0 || b.Char.isEmpty() || b.Char.toUpper().at(0).unicode() != vk) continue;
        pop(b);
        hit = true;
    }
    if (!hit) mScore.add(-10);
}

void BalloonGame::runGameOver() {
    const auto insert = [this] {
        return mCtx.results.AddBalloonScore(mScore.value(), num::toInt32Saturated(num::Val(mLevelText)));
    };
    if (mMech.gameOver(insert, [this] { refreshBest(); })) StartGame();
}
