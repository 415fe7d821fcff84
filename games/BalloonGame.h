#pragma once
#include <QString>
#include <array>
#include <cstdint>

#include "GameShared.h"

struct AppContext;

// One balloon slot.
struct BalloonType {
    int16_t State = 0;  // 0 = in flight; 1..5 = bursting, ticks left before it is replaced
    int32_t X = 0;      // left edge in field pixels, steps of 8, 0..232
    int32_t Y = 0;      // top edge; 200 when (re)spawned, falling while it rises
    int16_t Color = 0;  // 0..6, the colour column of the balloon sheet
    QString Char;       // the balloon's letter
};

// The balloon game: balloons carrying letters rise from the bottom of a
// 265 x 193 pixel play field; typing a balloon's letter pops it. Levels bring
// more speed and more balloons; the game ends when a balloon escapes at the
// top.
//
// The window calls load() once, tick() on every timer tick and keyDown() with
// the virtual-key code of every key-down; the menu items map to start(),
// pauseClick() and scoreClick(). Each tick redraws the whole play field.
// Slot state X and State and the last scoring zone live as long as the
// object; a new game does not reset them.
class BalloonGame : public ScoredGame {
public:
    static constexpr int kSlots = 5;
    static constexpr int kFieldWidth = 265;
    static constexpr int kFieldHeight = 193;
    static constexpr int kCellWidth = 32;
    static constexpr int kCellHeight = 48;

    BalloonGame(AppContext& ctx, GameView& view, PlayField& field);

    // The window has loaded: read the results file, start a game, show the best score.
    void load();
    // "はじめから": a new game (level 1, score 0, fresh colours and letters).
    void StartGame();
    void tick();
    void keyDown(int vk);

    // Rise speed (pixels per tick) and balloons in play set at a level; 0 for
    // the count means "as it was".
    static int speedAt(int level);
    static int countAt(int level);

    const BalloonType& balloon(int slot) const { return mBalloon[static_cast<size_t>(slot)]; }
    BalloonType& balloonRef(int slot) { return mBalloon[static_cast<size_t>(slot)]; }
    int16_t level() const { return mLevel; }
    int16_t hits() const { return mHits; }
    int16_t balloonCount() const { return mBalloonCount; }
    const QString& letters() const { return mLetters; }

    // The value boxes of the window beside txtScore and txtHiScore.
    const QString& txtLevel() const { return mLevelText; }
    const QString& txtHiLevel() const { return mHiLevel; }

private:
    void respawn(BalloonType& b);
    bool moveAndDraw(BalloonType& b, int speed);  // false: escaped
    void printLetters();
    void pop(BalloonType& b);
    void runGameOver();
    void refreshBest();

    PlayField& mField;

    std::array<BalloonType, kSlots + 1> mBalloon{};  // slot 0 unused
    int16_t mLevel = 1;
    int16_t mHits = 0;
    int16_t mBalloonCount = 0;
    QString mLetters;
    int16_t mLastZone = 0;
    QString mLevelText = QStringLiteral("1");
    QString mHiLevel;
};
