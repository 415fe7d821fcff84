#pragma once
#include <QMainWindow>

struct AppContext;
class QLabel;
class QPushButton;
class QAction;
class QMenu;

// "成績表示": the summary of the last drill run in three sentences (see
// ConfSummary). Modeless, one instance, owned by the main window and kept
// above it. Every time it becomes the active window it reads the last-run
// record again, so a summary left open shows the newest run when the main
// window brings it forward. "閉じる(&C)" (button and menu) closes it.
class frmConf : public QMainWindow {
    Q_OBJECT
public:
    explicit frmConf(AppContext& ctx, QWidget* parent = nullptr);

    // Brings the loaded summary forward, or creates it (Qt::Window,
    // WA_DeleteOnClose, above its owner), and refreshes its sentences.
    static frmConf* showModeless(AppContext& ctx, QWidget* owner);

    // Refills the three sentences from the last-run record.
    void refresh();

protected:
    bool event(QEvent* e) override;

private:
    void buildMenus();
    void buildControls();

    AppContext& mCtx;
    QMenu* mnuFile = nullptr;
    QMenu* mnuView = nullptr;
    QAction* mnuViewGraph = nullptr;
    QLabel* lblInput = nullptr;
    QLabel* lblMinute = nullptr;
    QLabel* lblMissType = nullptr;
    QPushButton* cmdClose = nullptr;
};
