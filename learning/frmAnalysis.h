#pragma once
#include <QMainWindow>
#include <optional>
#include <vector>

struct AppContext;
class QLabel;
class QTableWidget;
class QChartView;

// The weak-key analysis window (modeless, one instance, from the main
// window's 表示 menu): the keys sorted by weakness with attempts, accuracy,
// mean time and trend; the ten most frequent confusion pairs; the ten
// slowest transitions; speed and accuracy per day as a chart. Its file menu
// exports the keystrokes and the per-key figures (CSV or JSON, by the file
// name's extension) and imports a JSON export. It shows what the learning
// engine computes and refreshes whenever new keys have been written.
class frmAnalysis : public QMainWindow {
    Q_OBJECT
public:
    // drillKeys: the keys of the weak-key drill on the current layout.
    frmAnalysis(AppContext& ctx, std::vector<int16_t> drillKeys, QWidget* parent = nullptr);
    static frmAnalysis* showModeless(AppContext& ctx, std::vector<int16_t> drillKeys, QWidget* owner);

    void Refresh();

    QLabel* lblSummary = nullptr;
    QTableWidget* tblKeys = nullptr;
    QTableWidget* tblConfusions = nullptr;
    QTableWidget* tblTransitions = nullptr;
    QChartView* chtDays = nullptr;

private:
    // The file menu (mnuFile): the two exports, the import and 閉じる.
    void buildMenus();
    void exportKeystrokes();
    void exportFigures();
    void importKeystrokes();
    void showDays();
    std::optional<QString> askSavePath(const QString& name);

    AppContext& mCtx;
    std::vector<int16_t> mDrillKeys;
};
