#pragma once
#include <QMainWindow>
#include <functional>

#include "GameShared.h"

struct AppContext;
class QAction;
class QLineEdit;
class QMenu;
class QTimer;

// Moves a window so that it is centred over its owner and stays on the owner's screen.
void centreOver(QWidget* w, QWidget* owner);

// What the three game windows share: the 100 ms timer (owned here; the logic
// starts and stops it through GameView), the high-score dialog over the
// window, the key handler that turns every key-down into a virtual-key code
// for the logic before any shortcut or child sees it, and a few builders for
// menus and value boxes.
class QtGameWindow : public QMainWindow, public GameView {
    Q_OBJECT
public:
    QtGameWindow(AppContext& ctx, QWidget* parent, const QString& name, const QString& caption);

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

    // A window of fixed client size (twips, below the menu bar) without
    // minimise and maximise boxes.
    void setFixedClient(int widthTw, int heightTw);
    void centreOnOwner();
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
    // A right-aligned read-only value box that never takes the focus.
    QLineEdit* valueBox(QWidget* parent, const QString& name);

    AppContext& mCtx;

private:
    QTimer* mTimer;
};
