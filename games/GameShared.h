#pragma once
#include <QString>
#include <cstdint>
#include <functional>
#include <optional>

struct AppContext;
class Random;

// What the three games share: the drawing surface their play fields are drawn
// on, the callbacks into their windows, the score box, the random draws, and
// the mechanics of the balloon and target games (timer, pause item, score
// item, game-over sequence).

// The images a game draws masked sprites from.
enum class SpriteSheet { Balloon, Bomb };

// A play field in pixels, drawn off-screen and shown on demand. The logic
// issues the drawing steps in the order the game draws them; the window's
// implementation draws into an image and copies it to the screen on show().
class PlayField {
public:
    virtual ~PlayField() = default;
    // Clears the whole field to its background.
    virtual void clear() = 0;
    // Masked sprite: the sheet's mask cell ANDed at (x, y), then the picture
    // cell (sx, sy, w, h) of the sheet ORed onto the same place.
    virtual void drawSprite(SpriteSheet sheet, int sx, int sy, int w, int h, int x, int y) = 0;
    // Text with its top-left corner at (x, y); no colour = the field's default
    // text colour. Colours are colour values (red + 256 green + 65536 blue).
    virtual void print(const QString& text, int x, int y, std::optional<uint32_t> color = std::nullopt) = 0;
    // Fills (x, y)-(x + w, y + h), both corners included, with the background colour.
    virtual void fillBackground(int x, int y, int w, int h) = 0;
    // Copies the finished field to the window.
    virtual void show() = 0;
};

// What a game's logic asks of its window.
class GameView {
public:
    virtual ~GameView() = default;
    // The game's timer: ms > 0 starts it with that interval, 0 stops it.
    virtual void setTimerInterval(int ms) = 0;
    // Shows the high-score dialog modally over the game window with the row
    // rank (1..6) highlighted, or none for 0.
    virtual void showScore(int rank) = 0;
};

// Integer draws from the program's generator, computed in single precision
// like the generator's values.
namespace draw {
// Int(r * n): 0 .. n - 1.
int below(Random& random, int n);
// r * width + low rounded to the nearest integer, halves to even.
int rounded(Random& random, int width, int low);
}  // namespace draw

// The score display: a signed number kept as plain decimal text ("0", "30",
// "-10"). Every change reads it as a number, adds, and writes it back.
class ScoreBox {
public:
    const QString& text() const { return mText; }
    void set(const QString& text) { mText = text; }
    void add(double points);
    // The value as a 32-bit integer (clamped to the 32-bit range).
    int32_t value() const;

private:
    QString mText = QStringLiteral("0");
};

// The timer, the pause item, the score item and the game-over sequence of the
// balloon and target games.
//
// The game runs while the timer interval is 100 ms and stands still while it
// is 0; the pause item reads "停止" while running and "再開" while paused, and
// is disabled after a game that the player chose not to retry.
class GameMechanics {
public:
    static constexpr int kTickMs = 100;

    GameMechanics(AppContext& ctx, GameView& view);

    bool ticking() const { return mInterval != 0; }
    void setInterval(int ms);

    const QString& pauseCaption() const { return mPauseCaption; }
    bool pauseEnabled() const { return mPauseEnabled; }

    // A game starts: ticking at 100 ms, the pause item "停止" and enabled.
    void startTicking();
    // The pause item: "停止" stops the game, "再開" resumes it.
    void pauseClick();
    // The score item: stop, show the table (nothing highlighted), resume only
    // if the pause item reads "停止" and is enabled.
    void scoreClick();

    // Reload the results, insert the result (insert returns the row written,
    // 0..5), save, refresh the best-score boxes, and when the save succeeded
    // beep (if asked) and show the table with that row highlighted.
    // Returns the row, or nothing when the save failed.
    static std::optional<int> recordResult(AppContext& ctx, GameView& view, const std::function<int()>& insert,
                                           const std::function<void()>& refreshBest, bool beep);

    // The whole game-over sequence of the balloon and target games: records
    // the result, then asks "再挑戦しますか？". Returns true when the player
    // wants another game; otherwise the game is stopped and the pause item
    // disabled.
    bool gameOver(const std::function<int()>& insert, const std::function<void()>& refreshBest);

private:
    AppContext& mCtx;
    GameView& mView;
    int mInterval = 0;
    QString mPauseCaption = QStringLiteral("停止(&P)");
    bool mPauseEnabled = true;
};

// What the balloon and target games hold alike: the context, the mechanics
// behind the pause and score items, the score box and the best score shown
// beside it, and the flag of the tick being run.
class ScoredGame {
public:
    void pauseClick() { mMech.pauseClick(); }
    void scoreClick() { mMech.scoreClick(); }

    const GameMechanics& mechanics() const { return mMech; }
    const QString& txtScore() const { return mScore.text(); }
    const QString& txtHiScore() const { return mHiScore; }

protected:
    ScoredGame(AppContext& ctx, GameView& view) : mCtx(ctx), mMech(ctx, view) {}

    AppContext& mCtx;
    GameMechanics mMech;
    ScoreBox mScore;
    QString mHiScore;
    bool mInTick = false;
};

// Guards a tick against running again inside itself (a modal dialog shown
// from a tick runs a nested event loop while the timer keeps firing).
class TickGuard {
public:
    explicit TickGuard(bool& flag) : mFlag(flag), mEntered(!flag) { mFlag = true; }
    ~TickGuard() {
        if (mEntered) mFlag = false;
    }
    bool entered() const { return mEntered; }

private:
    bool& mFlag;
    bool mEntered;
};
