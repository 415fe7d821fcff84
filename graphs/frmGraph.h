#pragma once
#include <array>

#include "QtGraphWindow.h"

class QRadioButton;

// The test graph window ("グラフ表示"): the input times and miss counts of
// the last runs (at most 50) of one test kind, chosen with the two option
// buttons (optTestIndex(2) beginner test, optTestIndex(0) comprehensive
// test). The file menu saves the shown numbers as CSV; the colour menu picks
// the axis, background, time and miss colours. Modeless, single instance;
// the kind and the size are stored in the settings when it closes.
class frmGraph : public QtGraphWindow {
    Q_OBJECT
public:
    explicit frmGraph(AppContext& ctx, QWidget* parent = nullptr);

    int testKind() const { return mTestKind; }

    std::array<QRadioButton*, 4> optTestIndex{};  // indexes 0 and 2 exist
    void optTestIndex_Click(int index);

protected:
    void drawGraph(Surface& s) override;
    void unload() override;
    QByteArray csvBytes() override;

private:
    int mTestKind = 0;
};
