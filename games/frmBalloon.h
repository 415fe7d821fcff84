#pragma once
#include <array>

#include "BalloonGame.h"
#include "QtGameWindow.h"
#include "QtPlayField.h"

class QGroupBox;
class QLabel;
class QLineEdit;

// The balloon game's window ("風船割り"): the play field at (8, 16), the
// score frame with best score, score, best level and level, and the file
// menu (new game, pause, high scores, close). The game logic lives in
// BalloonGame; this window forwards keys and ticks and shows its state.
class frmBalloon : public QtScoreGameWindow {
    Q_OBJECT
public:
    explicit frmBalloon(AppContext& ctx, QWidget* parent = nullptr);

    BalloonGame& game() { return mGame; }
    const QtPlayField& field() const { return mField; }

    QtPlayFieldView* picGameWindow;
    QLineEdit* txtHiLevel;
    QLineEdit* txtLevel;

protected:
    void onTick() override { mGame.tick(); }
    void onKeyDown(int vk) override { mGame.keyDown(vk); }
    void refresh() override;

private:
    void buildScoreFrame(QWidget* central);
    void SetGameFont() override;

    QtPlayField mField;
    BalloonGame mGame;
};
