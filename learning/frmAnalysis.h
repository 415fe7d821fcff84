#pragma once
#include <QElapsedTimer>
#include <QMainWindow>
#include <optional>
#include <vector>

struct AppContext;
class QLabel;
class QTableWidget;
class QChartView;
class QDateTimeAxis;
class QLineSeries;
class QTimer;
class QValueAxis;
namespace learning {
struct Figures;
}

// The weak-key analysis window (modeless, one instance, from the main
// window's 表示 menu): the keys sorted by weakness with attempts, accuracy,
// mean time and trend; the ten most frequent confusion pairs; the ten
// slowest transitions; speed and accuracy per day as a chart. Its file menu
// exports the keystrokes and the per-key figures (CSV or JSON, by the file
// name's extension) and imports a JSON export. It shows what the learning
// engine computes, says what each figure means and carries the heat map's
// legend.
//
// It is never rebuilt on the key path: after keys have been written (a run
// ended, a pause in typing) it refreshes from the event loop, at most once
// every minRefreshMs (two seconds), only while it is shown and not
// minimized, and only when no keys have been typed since the write; it then
// changes only the cells and chart points that differ.
class frmAnalysis : public QMainWindow {
    Q_OBJECT
public:
    // drillKeys: the keys of the weak-key drill on the current layout.
    frmAnalysis(AppContext& ctx, std::vector<int16_t> drillKeys, QWidget* parent = nullptr);
    static frmAnalysis* showModeless(AppContext& ctx, std::vector<int16_t> drillKeys, QWidget* owner);

    static constexpr int kMinRefreshMs = 2000;
    int minRefreshMs = kMinRefreshMs;  // tests shorten it

    void Refresh();
    // Table and chart rebuilds so far (each Refresh that changed anything).
    int refreshCount() const { return mRefreshes; }

    QLabel* lblSummary = nullptr;
    QLabel* lblExplanation = nullptr;
    QWidget* picHeatLegend = nullptr;
    QTableWidget* tblKeys = nullptr;
    QTableWidget* tblConfusions = nullptr;
    QTableWidget* tblTransitions = nullptr;
    QChartView* chtDays = nullptr;
    QLabel* lblNoDays = nullptr;  // in the chart's place while there is nothing to draw
    QLabel* lblChartNote = nullptr;

protected:
    void showEvent(QShowEvent* e) override;
    void changeEvent(QEvent* e) override;

private:
    // The file menu (mnuFile): the two exports, the import and 閉じる.
    void buildMenus();
    void exportKeystrokes();
    void exportFigures();
    void importKeystrokes();
    void buildChart();
    bool showDays(const learning::Figures& f);  // false: the same points as before
    void scheduleRefresh();
    void refreshIfQuiet();
    std::optional<QString> askSavePath(const QString& name);

    AppContext& mCtx;
    std::vector<int16_t> mDrillKeys;
    QTimer* mRefreshTimer = nullptr;
    QElapsedTimer mSinceRefresh;
    bool mStale = true;
    int mRefreshes = 0;
    QLineSeries* mSpeed = nullptr;
    QLineSeries* mAccuracy = nullptr;
    QDateTimeAxis* mDaysAxis = nullptr;
    QValueAxis* mSpeedAxis = nullptr;
};
