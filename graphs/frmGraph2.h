#pragma once
#include <array>

#include "QtGraphWindow.h"

class QActionGroup;

// The miss-key graph window ("ミスタイプ数表示"): one bar per key mistyped in
// the last drill run, labelled with the key. The view menu picks the colours
// and the bars' fill pattern (mnuViewFillStyle(0..7), the current one
// checked; stored in TypeGraphFillStyle at once). No CSV export. Modeless,
// single instance, opened from the last-result summary; the size is stored
// when it closes.
class frmGraph2 : public QtGraphWindow {
    Q_OBJECT
public:
    explicit frmGraph2(AppContext& ctx, QWidget* parent = nullptr);

    int fillStyle() const { return mFillStyle; }

    QMenu* mnuViewFill = nullptr;
    std::array<QAction*, 8> mnuViewFillStyle{};
    void mnuViewFillStyle_Click(int index);

protected:
    void drawGraph(Surface& s) override;
    void unload() override;

private:
    int mFillStyle = 5;
};
