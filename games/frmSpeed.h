#pragma once
#include <array>

#include "QtGameWindow.h"
#include "QtPlayField.h"
#include "SpeedGame.h"
#include "Widgets.h"

// The quick-draw game's window ("早撃ち"): a sizable window showing the 6 x 6
// board at (8, 8) below the menu bar's separator lines. The board image
// follows the window's size. Menus: new game, the two halves of the high-
// score table, close; the two character colours and their defaults; the
// letter order (ABC or random, checked). The game logic lives in SpeedGame.
class frmSpeed : public QtGameWindow {
    Q_OBJECT
public:
    explicit frmSpeed(AppContext& ctx, QWidget* parent = nullptr);

    SpeedGame& game() { return mGame; }
    const QtPlayField& board() const { return mBoard; }

    QtPlayFieldView* picBoard;
    QAction* mnuFileStart;
    std::array<QAction*, 2> mnuFileScoreDisp{};
    QAction* mnuFileClose;
    std::array<QAction*, 2> mnuViewColorSelect{};
    QAction* mnuViewColorDefaults;
    std::array<QAction*, 2> mnuSetGameType{};

protected:
    void onTick() override { mGame.tick(); }
    void onKeyDown(int vk) override { mGame.keyDown(vk); }
    void refresh() override {}
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    void buildMenus();
    void Form_Resize();
    void mnuSetGameType_Click(int index);
    void mnuViewColorSelect_Click(int index);

    QtPlayField mBoard;
    SpeedGame mGame;
    ui::EtchedLine mLines{};
};
