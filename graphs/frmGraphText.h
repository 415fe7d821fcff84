#pragma once
#include <array>

#include "QtGraphWindow.h"

class QPushButton;

// The text-practice graph window ("テキスト練習結果グラフ表示"): the last
// text results (at most 50) as up to three series: characters typed, misses
// and inputs per minute. The three toggles chkSelectGraph(0..2) above the
// graph double as its legend: each wears its series colour with the
// complementary caption colour; pressed (set) hides the series. Which series
// are shown is the TextGraphDisp setting (bits 1, 2, 4), changed at once on
// every toggle. Every draw rereads the results file. Opened modal by the
// text practice window; the size is stored when it closes.
class frmGraphText : public QtGraphWindow {
    Q_OBJECT
public:
    explicit frmGraphText(AppContext& ctx, QWidget* parent = nullptr);

    // Opens the window modal, owned by `owner`, and returns when it is closed.
    static void showModal(AppContext& ctx, QWidget* owner);

    std::array<QPushButton*, 3> chkSelectGraph{};
    void chkSelectGraph_Click(int index);

protected:
    void drawGraph(Surface& s) override;
    void unload() override;
    QByteArray csvBytes() override;
    void colorChanged(int index) override;
    void colorsRestored() override;

private:
    // The caption colour of toggle `index`: the complement of its background.
    void SetToggleTextColor(int index);
    void colorToggle(int index);
};
