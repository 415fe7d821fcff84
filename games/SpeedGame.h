#pragma once
#include <QString>
#include <array>
#include <cstdint>
#include <functional>

#include "GameShared.h"

struct AppContext;

// The quick-draw game: a 6 x 6 board of the 26 letters and 10 digits, in ABC
// order or shuffled (SpeedGameType 0 / 1), typed in board order as fast as
// possible. The clock starts at the first key (a wrong one included); every
// wrong key-down is a miss. Typed cells explode over three ticks and are
// wiped on the fourth; when the last one is wiped the time and misses go into
// the half of the quick-draw table of the order the board was made in (even
// if the setting changed meanwhile) and a new board waits for its first key.
// The clock and the explosions run on while one of the game's own dialogs is
// open (the score table, the colour dialog); a board that ends then is
// filed once the dialog has closed, so no dialog opens over another.
//
// The board is drawn incrementally on its play field (cells of 48 x 48
// pixels); the window calls redraw() after it resized the field.
class SpeedGame {
public:
    static constexpr int kCells = 36;
    static constexpr int kCell = 48;
    static constexpr int kBombFrames = 3;

    SpeedGame(AppContext& ctx, GameView& view, PlayField& board);

    // The window has loaded: colours from the settings, reseed, new board.
    void load();
    void StartGame();
    void keyDown(int vk);
    void tick();

    // DrawBoard(mPos) and show: after a resize or a colour change.
    void redraw();
    // The score menu: shows the table half of letter order `order` with
    // SpeedGameType switched to it for the showing. The clock runs on.
    void showScoreOf(int order);
    // Runs a dialog of the game (the colour menu's): a board ending meanwhile
    // is filed after it.
    void runDialog(const std::function<void()>& dialog);
    // The start menu: a new board. One already typed to its last key is
    // filed first, under the order it was played in.
    void restart();
    // The game-type menu: a different order restarts the game as above.
    // Returns whether the order changed.
    bool setGameType(int order);
    // The colour menu (0 = untyped characters, 1 = the character to type) and
    // its "back to defaults" item; both store the setting and redraw.
    void setColor(int index, uint32_t color);
    void colorDefaults();

    // The board's characters in typing order for a letter order, using the
    // generator for the shuffle.
    static std::array<QString, kCells> makeBoard(int order, int letterType, Random& random);

    const GameMechanics& mechanics() const { return mMech; }
    const QString& chars(int i) const { return mChars[static_cast<size_t>(i)]; }
    int16_t pos() const { return mPos; }
    int16_t cleared() const { return mCleared; }
    int16_t misses() const { return mMisses; }
    uint32_t firstKeyTime() const { return mFirstKeyTime; }
    uint32_t normalColor() const { return mNormalColor; }
    uint32_t activeColor() const { return mActiveColor; }
    int16_t boardType() const { return mBoardType; }

    static constexpr uint32_t kWhite = 0xFFFFFF;

private:
    void DrawBoard(int start);
    void printCell(int i, uint32_t color);
    void decodeColors();
    void gameEnd();

    AppContext& mCtx;
    GameView& mView;
    PlayField& mBoard;
    GameMechanics mMech;

    std::array<QString, kCells> mChars{};
    std::array<int16_t, kCells> mBombFrame{};
    int16_t mPos = 0;
    int16_t mCleared = 0;
    int16_t mMisses = 0;
    uint32_t mFirstKeyTime = 0;
    uint32_t mLastKeyTime = 0;
    uint32_t mNormalColor = 0;
    uint32_t mActiveColor = 0;
    bool mInTick = false;
    int16_t mBoardType = 1;    // SpeedGameType the board was made with
    int mDialogs = 0;          // the game's dialogs open now
    bool mEndWaiting = false;  // the board ended while a dialog was open
};
