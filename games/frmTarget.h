#pragma once
#include <array>

#include "QtGameWindow.h"
#include "TargetGame.h"

class QGroupBox;
class QLabel;
class QLineEdit;

// The target game's window ("的射り"): eight cans with the can-top strips
// above them, eight targets that rise out of the cans with their letters,
// and the score frame (best score, score, waves left). The cans are stacked
// above the targets, so a target below the can tops is hidden inside its
// can. The game logic lives in TargetGame; this window forwards keys and
// ticks and places the targets where the logic says.
class frmTarget : public QtScoreGameWindow {
    Q_OBJECT
public:
    explicit frmTarget(AppContext& ctx, QWidget* parent = nullptr);

    TargetGame& game() { return mGame; }

    static constexpr int kTargets = TargetGame::kTargets;
    std::array<QLabel*, kTargets> picCan{};
    std::array<QLabel*, kTargets> imgCanTop{};
    std::array<QLabel*, kTargets> imgTarget{};
    std::array<QLabel*, kTargets> lblChar{};
    QLineEdit* txtCount;

protected:
    void onTick() override { mGame.tick(); }
    void onKeyDown(int vk) override { mGame.keyDown(vk); }
    void refresh() override;

private:
    void buildCans(QWidget* central);
    void buildScoreFrame(QWidget* central);
    void SetGameFont() override;

    TargetGame mGame;
};
