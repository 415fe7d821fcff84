#pragma once
#include <QDialog>
#include <array>
#include <cstdint>

struct AppContext;
class QLabel;
class QPushButton;

// The high-score dialog: one game's table (1 balloon, 2 target, other: quick
// draw), five ranked rows and, right after a game that did not reach the top
// five, a sixth row with that result. rank: the row to highlight (1..6; 6
// also shows the sixth row), 0 none. The table is filled when the dialog is
// created, from the results file as it is on disk. OK, Enter, Esc and the
// close box close it. Its controls carry the design's names: the titles
// lblRankTitle .. lblDateTitle, the cells lblRank_0 .. lblDate_5, cmdOk.
class frmScore : public QDialog {
    Q_OBJECT
public:
    frmScore(AppContext& ctx, int table, int rank, QWidget* parent = nullptr);
    static void showModal(AppContext& ctx, QWidget* owner, int table, int rank);

    static constexpr int kRows = 6;

private:
    void buildControls();
    void fill(AppContext& ctx, int table, int rank);

    QLabel* lblPointTitle = nullptr;
    QLabel* lblLevelTitle = nullptr;
    // The cells by column (rank, point, level, name, date), then by row.
    std::array<std::array<QLabel*, kRows>, 5> mCells{};
    QPushButton* cmdOk = nullptr;
};
