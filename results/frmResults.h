#pragma once
#include <QMainWindow>
#include <array>

struct AppContext;
class QAction;
class QGroupBox;
class QLabel;
class QMenu;

// The test results window ("成績表示"): for the beginner test (kind 2, upper
// frame) and the comprehensive test (kind 0, lower frame) it shows how often
// the test was taken, the fastest time and the newest three results with their
// miss counts. It holds no data of its own: ShowResults rereads the results
// file when the window loads, whenever it repaints, and after every change the
// results store reports (a test recorded, results erased), so results recorded
// by the main window appear at once in the open window. The file menu erases the test
// histories (after a Yes/No question) or closes the window. Modeless, single
// instance (showModeless).
class frmResults : public QMainWindow {
    Q_OBJECT
public:
    explicit frmResults(AppContext& ctx, QWidget* parent = nullptr);

    // Brings the open window forward, or opens one owned by `owner`.
    static frmResults* showModeless(AppContext& ctx, QWidget* owner);

    // Reloads the results file and shows both tests' figures. Label texts are
    // only touched when they change, so calling it from a repaint settles.
    void ShowResults();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The controls of one frame; object names carry the design's names
    // (lblG2TestCountValue, lblG2Time_0 ...).
    struct Panel {
        int kind = 0;
        QGroupBox* fra = nullptr;
        QLabel* TestCount = nullptr;
        QLabel* TestCountValue = nullptr;
        QLabel* Grade1MaxTime = nullptr;
        QLabel* MaxTimeValue = nullptr;
        QLabel* Lately = nullptr;
        std::array<QLabel*, 5> Results{};
        std::array<QLabel*, 3> Time{};
        std::array<QLabel*, 3> MissType{};
    };
    Panel G2;  // fraGrade2: beginner test
    Panel G1;  // fraGrade1: comprehensive test

    QMenu* mnuFile = nullptr;
    QAction* mnuFileErase = nullptr;
    QAction* mnuFileBar1 = nullptr;
    QAction* mnuFileClose = nullptr;
    QMenu* mnuView = nullptr;
    QAction* mnuViewGraph = nullptr;

    void mnuFileErase_Click();
    void mnuFileClose_Click();
    void mnuViewGraph_Click();

    void buildMenus();
    Panel buildPanel(QWidget* parent, int kind, const QString& prefix, const QString& frameName, const QString& caption,
                     int top);
    void showPanel(const Panel& p);
    // What follows a confirmed erase; the place to refresh other views of the
    // test results as well.
    void afterErase();

    AppContext& mCtx;
};
