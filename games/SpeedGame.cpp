#include "SpeedGame.h"

#include <algorithm>
#include <limits>

#include "AppContext.h"
#include "Clock.h"
#include "Random.h"
#include "basMain.h"
#include "basParam.h"
#include "basResults.h"

namespace {

const QString kNormalDefault = QStringLiteral("255055055");
const QString kActiveDefault = QStringLiteral("055055255");

int cellX(int i) { return (i % 6) * SpeedGame::kCell; }
int cellY(int i) { return (i / 6) * SpeedGame::kCell; }

}  // namespace

SpeedGame::SpeedGame(AppContext& ctx, GameView& view, PlayField& board)
    : mCtx(ctx), mView(view), mBoard(board), mMech(ctx, view) {}

void SpeedGame::load() {
    decodeColors();
    mCtx.random.Randomize();
    StartGame();
}

void SpeedGame::decodeColors() {
    mNormalColor = basMain::ColorFromString(mCtx.param.SpeedNormalColor());
    mActiveColor = basMain::ColorFromString(mCtx.param.SpeedActiveColor());
}

std::array<QString, SpeedGame::kCells> SpeedGame::makeBoard(int order, int letterType, Random& random) {
    QString pool = letterType == 1 ? QStringLiteral("abcdefghijklmnopqrstuvwxyz1234567890")
                                   : QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZ1234567890");
    std::array<QString, kCells> board{};
    for (int c = 0; c < kCells; ++c) {
        if (order == 0) {
            board[static_cast<size_t>(c)] = pool.mid(c, 1);
            continue;
        }
        // f runs 1 .. 36 - c; the first and last remaining characters are half
        // as likely as the others, as the rounding makes them.
        const int left = kCells - c;
        const int f = std::clamp(draw::rounded(random, left - 1, 1), 1, left);
        board[static_cast<size_t>(c)] = pool.mid(f - 1, 1);
        pool.remove(f - 1, 1);
    }
    return board;
}

void SpeedGame::StartGame() {
    mMech.setInterval(0);
    mPos = 0;
    mFirstKeyTime = 0;
    mCleared = 0;
    mMisses = 0;
    mEndWaiting = false;
    mBoardType = mCtx.param.SpeedGameType() == 0 ? 0 : 1;
    mChars = makeBoard(mBoardType, mCtx.param.LetterType(), mCtx.random);
    mBombFrame.fill(0);
    DrawBoard(0);
    mBoard.show();
}

void SpeedGame::printCell(int i, uint32_t color) {
    mBoard.print(mChars[static_cast<size_t>(i)], cellX(i) + 10, cellY(i), color);
}

void SpeedGame::DrawBoard(int start) {
    mBoard.clear();
    for (int i = std::max(0, start); i < kCells; ++i) {
        mBoard.print(mChars[static_cast<size_t>(i)], cellX(i) + 11, cellY(i) + 1, kWhite);
        printCell(i, i == start ? mActiveColor : mNormalColor);
    }
}

void SpeedGame::redraw() {
    DrawBoard(mPos);
    mBoard.show();
}

void SpeedGame::keyDown(int vk) {
    if (mPos == 0 && mFirstKeyTime == 0) {
        mFirstKeyTime = mCtx.clock.timeGetTime();
        mMech.setInterval(GameMechanics::kTickMs);
    }
    if (mPos >= kCells) return;
    if (vk > 0 && vk < 0x10000 && QString(QChar(vk)) == mChars[static_cast<size_t>(mPos)].toUpper()) {
        printCell(mPos, mNormalColor);
        ++mPos;
        if (mPos >= kCells)
            mLastKeyTime = mCtx.clock.timeGetTime();
        else
            printCell(mPos, mActiveColor);
        mBoard.show();
        return;
    }
    // Held keys can repeat past the 16-bit count; it stays at its maximum.
    if (mMisses < std::numeric_limits<int16_t>::max()) ++mMisses;
}

void SpeedGame::tick() {
    TickGuard guard(mInTick);
    if (!guard.entered() || !mMech.ticking()) return;
    const int from = mCleared;
    const int to = mPos - 1;
    for (int i = from; i <= to; ++i) {
        const int x = cellX(i) + 5;
        const int y = cellY(i) - 5;
        int16_t& frame = mBombFrame[static_cast<size_t>(i)];
        if (frame < kBombFrames) {
            mBoard.drawSprite(SpriteSheet::Bomb, frame * kCell, 0, kCell, kCell, x, y);
            ++frame;
        } else {
            mBoard.fillBackground(x, y, kCell, kCell);
            ++mCleared;
        }
        mBoard.show();
    }
    if (mCleared >= kCells) gameEnd();
}

void SpeedGame::gameEnd() {
    mMech.setInterval(0);
    if (mDialogs > 0) {  // filed when the dialog has closed
        mEndWaiting = true;
        return;
    }
    mEndWaiting = false;
    const auto elapsed = static_cast<int32_t>(mLastKeyTime - mFirstKeyTime);
    const int16_t misses = mMisses;
    // AddSpeedTime files under SpeedGameType, and so does the score dialog
    // that follows: the board's own type for both.
    const int16_t setting = mCtx.param.SpeedGameType();
    mCtx.param.SpeedGameType(mBoardType);
    GameMechanics::recordResult(
        mCtx, mView, [&] { return mCtx.results.AddSpeedTime(elapsed, misses); }, {}, false);
    mCtx.param.SpeedGameType(setting);
    StartGame();
}

void SpeedGame::runDialog(const std::function<void()>& dialog) {
    ++mDialogs;
    dialog();
    --mDialogs;
    if (mDialogs == 0 && mEndWaiting) gameEnd();
}

void SpeedGame::showScoreOf(int order) {
    runDialog([&] {
        const int16_t remembered = mCtx.param.SpeedGameType();
        mCtx.param.SpeedGameType(static_cast<int16_t>(order));
        mView.showScore(0);
        mCtx.param.SpeedGameType(remembered);
    });
}

bool SpeedGame::setGameType(int order) {
    if (order == mCtx.param.SpeedGameType()) return false;
    mCtx.param.SpeedGameType(static_cast<int16_t>(order));
    restart();
    return true;
}

void SpeedGame::restart() {
    // A board whose last key is typed is played: it is filed under its own
    // order before the new one is dealt, explosions still running or not.
    if (mPos >= kCells)
        gameEnd();
    else
        StartGame();
}

void SpeedGame::setColor(int index, uint32_t color) {
    if (index == 0) {
        mNormalColor = color;
        mCtx.param.SpeedNormalColor(basMain::ColorToString(color));
    } else {
        mActiveColor = color;
        mCtx.param.SpeedActiveColor(basMain::ColorToString(color));
    }
    redraw();
}

void SpeedGame::colorDefaults() {
    mCtx.param.SpeedNormalColor(kNormalDefault);
    mCtx.param.SpeedActiveColor(kActiveDefault);
    decodeColors();
    redraw();
}
