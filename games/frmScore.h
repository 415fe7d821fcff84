#pragma once
#include <QDialog>
#include <array>
#include <cstdint>

struct AppContext;
class QLabel;
class QPushButton;

// The high-score dialog: one game's table, five ranked rows and, right after
// a game that did not reach the top five, a sixth row with that result.
//
// gParent (1 balloon, 2 target, other: quick draw) keeps its value between
// showings; gRank (1..6 the row to highlight, 6 also shows the sixth row, 0
// none) is set by the caller and reset to 0 once the table is filled. The
// table is filled when the dialog is created, from the results file as it is
// on disk. OK, Enter, Esc and the close box close it.
class frmScore : public QDialog {
    Q_OBJECT
public:
    static inline int16_t gParent = 0;
    static inline int16_t gRank = 0;
    static void setGParent(int16_t piParentNo) { gParent = piParentNo; }
    static void setGRank(int16_t piRank) { gRank = piRank; }

    explicit frmScore(AppContext& ctx, QWidget* parent = nullptr);
    static void showModal(AppContext& ctx, QWidget* owner);

    static constexpr int kRows = 6;
    QLabel* lblRankTitle;
    QLabel* lblPointTitle;
    QLabel* lblLevelTitle;
    QLabel* lblNameTitle;
    QLabel* lblDateTitle;
    std::array<QLabel*, kRows> lblRank{};
    std::array<QLabel*, kRows> lblPoint{};
    std::array<QLabel*, kRows> lblLevel{};
    std::array<QLabel*, kRows> lblName{};
    std::array<QLabel*, kRows> lblDate{};
    QPushButton* cmdOk;

private:
    void buildControls();
    void fill(AppContext& ctx);
};
