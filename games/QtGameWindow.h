#pragma once
#include <QMainWindow>
#include <functional>

#include "GameShared.h"

struct AppContext;
class QAction;
class QGroupBox;
class QLineEdit;
class QMenu;
class QTimer;

// What the three game windows share: the 100 ms timer (owned here; the logic
// starts and stops it through GameView), the high-score dialog over the
// window, the key handler that turns every key-down into a virtual-key code
// for the logic before any shortcut or child sees it, and a few builders for
// menus and value boxes.
class QtGameWindow : public QMainWindow, public GameView {
    Q_OBJECT
public:
    QtGameWindow(AppContext& ctx, QWidget* parent, const QString& name, const QString& caption);

    // Opens game window W modally over its owner and returns when it is
    // closed; the window deletes itself. W::kCentredOnOwner says whether it
    // opens centred on the owner.
    template <typename W>
    static void showModal(AppContext& ctx, QWidget* owner) {
        runModal(new W(ctx, owner), W::kCentredOnOwner);
    }
    static constexpr bool kCentredOnOwner = false;

    QTimer* timer() const { return mTimer; }
    // Shows the logic's current state in the controls.
    void refreshNow() { refresh(); }

    // GameView
    void setTimerInterval(int ms) override;
    void showScore(int rank) override;

protected:
    // One timer tick and one key-down, forwarded to the logic.
    virtual void onTick() = 0;
    virtual void onKeyDown(int vk) = 0;
    // After anything changed: show the logic's state in the controls.
    virtual void refresh() = 0;

    bool event(QEvent* e) override;
    void closeEvent(QCloseEvent* e) override;

    // Opens a game window modally over its owner (centred on it when asked)
    // and returns when it is closed; the window deletes itself.
    static void runModal(QtGameWindow* w, bool centreOnOwner);
    // The table the high-score dialog shows over this window (frmScore).
    void setScoreTable(int table) { mScoreTable = table; }

    // The window's client area, named "client", as its central widget.
    QWidget* addClient();
    // A window of fixed client size (twips, below the menu bar) without
    // minimise and maximise boxes.
    void setFixedClient(int widthTw, int heightTw);
    void centreOnOwner();
    // The face of the game letters: FontName, or "ＭＳ ゴシック" when it is blank.
    QString gameFace() const;
    QAction* addItem(QMenu* menu, const QString& name, const QString& caption);

    // The file menu of the balloon and target games: はじめから, 停止, 成績表示
    // and 閉じる. Each command runs on the logic, then the controls follow.
    struct GameFileMenu {
        QAction* start;
        QAction* pause;
        QAction* score;
        QAction* close;
    };
    GameFileMenu buildGameFileMenu(std::function<void()> start, std::function<void()> pause,
                                   std::function<void()> score);
    // The same on a game's StartGame, pauseClick and scoreClick.
    template <typename Game>
    GameFileMenu buildGameFileMenu(Game& game) {
        return buildGameFileMenu([&game] { game.StartGame(); }, [&game] { game.pauseClick(); },
                                 [&game] { game.scoreClick(); });
    }
    // The pause item as the mechanics have it: caption and enabled state.
    static void showPauseItem(QAction* item, const GameMechanics& mechanics);
    // A right-aligned read-only value box that never takes the focus.
    QLineEdit* valueBox(QWidget* parent, const QString& name);

    // One caption and value box of a score frame, in twips inside the frame;
    // the caption is named "lbl" + the box's name without its "txt".
    struct ScoreBoxDef {
        const char16_t* caption;
        const char* name;
        QLineEdit** box;
        int left;
        int captionTop;
        int top;
        int width;
    };
    // The score frame "fraScore" at the given place (twips), with its boxes.
    QGroupBox* buildScoreFrame(QWidget* central, const QRect& placeTw, std::initializer_list<ScoreBoxDef> boxes);

    AppContext& mCtx;

private:
    QTimer* mTimer;
    int mScoreTable = 0;
};

// The windows of the balloon and target games: the file menu of
// buildGameFileMenu and the score frame's best score and score boxes, under
// the design's names.
class QtScoreGameWindow : public QtGameWindow {
public:
    using QtGameWindow::QtGameWindow;
    static constexpr bool kCentredOnOwner = true;

    QGroupBox* fraScore = nullptr;
    QLineEdit* txtHiScore = nullptr;
    QLineEdit* txtScore = nullptr;
    QAction* mnuFileStart = nullptr;
    QAction* mnuFilePause = nullptr;
    QAction* mnuFileScore = nullptr;
    QAction* mnuFileClose = nullptr;

protected:
    // The game letters' font.
    virtual void SetGameFont() = 0;

    // Load: the score dialog shows this game's table, the logic reads the
    // results file and starts, the controls follow.
    template <typename Game>
    void loadGame(int scoreTable, Game& game) {
        setScoreTable(scoreTable);
        game.load();
        SetGameFont();
        refresh();
        setFocus();
    }

    template <typename Game>
    void buildMenu(Game& game) {
        const GameFileMenu m = buildGameFileMenu(game);
        mnuFileStart = m.start;
        mnuFilePause = m.pause;
        mnuFileScore = m.score;
        mnuFileClose = m.close;
    }

    // The score boxes and the pause item as the game has them.
    template <typename Game>
    void showScoreAndPause(const Game& game) {
        showScores(game.txtScore(), game.txtHiScore(), game.mechanics());
    }

private:
    void showScores(const QString& score, const QString& hiScore, const GameMechanics& mechanics);
};
