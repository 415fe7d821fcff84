#pragma once
#include <QString>
#include <array>
#include <cstdint>

#include "GameShared.h"

struct AppContext;

// The target game: eight targets, one per finger, rise together out of eight
// cans and sink back, each showing a character its finger types. Typing a
// shown character hits that target; consecutive hits score 10, 20, 30, ...
// across waves. A game lasts 20 waves of 15 rising and 16 sinking ticks.
//
// Positions are in twips of the window (the window places its targets and
// letters from them). The window calls load() once, tick() on every timer
// tick and keyDown() with the virtual-key code of every key-down.
class TargetGame : public ScoredGame {
public:
    static constexpr int kTargets = 8;
    static constexpr int kWaves = 20;
    static constexpr int kRestTop = 960;  // a target at rest, hidden in its can
    static constexpr int kLetterOffset = 80;

    // A finger's characters: positions first .. first + n - 1 (counted from 1)
    // of the finger-ordered key string.
    struct FingerGroup {
        int first;
        int n;
    };
    static FingerGroup groupOf(int target, int bindKey6);
    static QString fingerKeys(int letterType);

    TargetGame(AppContext& ctx, GameView& view);

    void load();
    void StartGame();
    void tick();
    void keyDown(int vk);

    // The key code a key-down is judged by: the symbol keys of the finger
    // groups become their characters' codes (";" by layout, ",", ".", "/").
    static int translateKey(int vk, int keyBoardType);

    int targetTop() const { return mTop; }
    int letterTop() const { return mTop + kLetterOffset; }
    const QString& caption(int i) const { return mCaption[static_cast<size_t>(i)]; }
    bool letterVisible(int i) const { return mVisible[static_cast<size_t>(i)]; }
    bool targetHit(int i) const { return mHit[static_cast<size_t>(i)]; }
    int32_t bonus() const { return mBonus; }
    int16_t wave() const { return mWave; }
    int16_t sinking() const { return mSinking; }

    // The value box of the window beside txtScore and txtHiScore.
    const QString& txtCount() const { return mCount; }

private:
    void DealLetters();
    void resetTargets();
    void endWave();
    void runGameOver();

    int32_t mBonus = 0;
    int16_t mWave = 0;
    int16_t mSinking = 0;
    int mTop = kRestTop;
    std::array<QString, kTargets> mCaption{};
    std::array<bool, kTargets> mVisible{};
    std::array<bool, kTargets> mHit{};
    QString mCount = QStringLiteral("19");
};
