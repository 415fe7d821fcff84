#include "GameShared.h"

#include <algorithm>

#include "AppContext.h"
#include "Beeper.h"
#include "Dialogs.h"
#include "Numbers.h"
#include "Random.h"
#include "basResults.h"

namespace draw {

int below(Random& random, int n) {
    const float v = random.Rnd() * static_cast<float>(n);
    return std::clamp(static_cast<int>(num::Int(v)), 0, std::max(0, n - 1));
}

int rounded(Random& random, int width, int low) {
    const float v = random.Rnd() * static_cast<float>(width) + static_cast<float>(low);
    return static_cast<int>(num::roundHalfEven(v));
}

}  // namespace draw

void ScoreBox::add(double points) { mText = num::general(num::Val(mText) + points); }

int32_t ScoreBox::value() const { return num::toInt32Saturated(num::Val(mText)); }

GameMechanics::GameMechanics(AppContext& ctx, GameView& view) : mCtx(ctx), mView(view) {}

void GameMechanics::setInterval(int ms) {
    if (mInterval == ms) return;
    mInterval = ms;
    mView.setTimerInterval(ms);
}

void GameMechanics::startTicking() {
    setInterval(kTickMs);
    mPauseCaption = QStringLiteral("停止");
    mPauseEnabled = true;
}

void GameMechanics::pauseClick() {
    if (!mPauseEnabled) return;
    if (mPauseCaption == QStringLiteral("再開")) {
        setInterval(kTickMs);
        mPauseCaption = QStringLiteral("停止");
    } else {
        setInterval(0);
        mPauseCaption = QStringLiteral("再開");
    }
}

void GameMechanics::scoreClick() {
    setInterval(0);
    mView.showScore(0);
    if (mPauseCaption == QStringLiteral("停止") && mPauseEnabled) setInterval(kTickMs);
}

std::optional<int> GameMechanics::recordResult(AppContext& ctx, GameView& view, const std::function<int()>& insert,
                                               const std::function<void()>& refreshBest, bool beep) {
    // When the file cannot be read, only this score is lost, the table stays.
    int row = -1;
    const bool saved = ctx.results.SaveChange([&] { row = insert(); });
    if (row < 0 && !saved) return std::nullopt;  // nothing was read
    if (refreshBest) refreshBest();
    if (!saved) return std::nullopt;
    if (beep) ctx.beeper.Beep();
    view.showScore(row + 1);
    return row;
}

bool GameMechanics::gameOver(const std::function<int()>& insert, const std::function<void()>& refreshBest) {
    recordResult(mCtx, mView, insert, refreshBest, true);
    const MsgResult answer = mCtx.dialogs.msgBox(QStringLiteral("再挑戦しますか？"), QStringLiteral("ゲームオーバー"),
                                                 MsgIcon::Question, MsgButtons::YesNo, 0);
    if (answer == MsgResult::Yes) return true;
    setInterval(0);
    mPauseEnabled = false;
    return false;
}
