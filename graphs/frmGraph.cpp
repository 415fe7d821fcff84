#include "frmGraph.h"

#include <QRadioButton>

#include "GraphCsv.h"
#include "GraphPlot.h"
#include "ResultsWatch.h"
#include "basParam.h"
#include "basResults.h"

namespace {
QtGraphWindow::Design design() {
    return QtGraphWindow::historyGraph(QStringLiteral("frmGraph"), QStringLiteral("グラフ表示"),
                                       GraphColors::Graph::Test,
                                       {QStringLiteral("前景色(&F)..."), QStringLiteral("背景色(&B)..."),
                                        QStringLiteral("入力時間(&T)..."), QStringLiteral("ミス数色(&M)...")});
}

struct KindButton {
    int index;
    const char* caption;
    int left;
};
constexpr std::array<KindButton, 2> kKindButtons{{{2, "初級テスト", 120}, {0, "総合テスト", 1560}}};
}  // namespace

frmGraph::frmGraph(AppContext& ctx, QWidget* parent) : QtGraphWindow(ctx, parent, design()) {
    for (const KindButton& k : kKindButtons) {
        auto* b = new QRadioButton(QString::fromUtf8(k.caption), client());
        b->setObjectName(QStringLiteral("optTestIndex_%1").arg(k.index));
        ui::placeTwips(b, k.left, 120, 1215, 255);
        optTestIndex[static_cast<size_t>(k.index)] = b;
        connect(b, &QRadioButton::clicked, this, [this, i = k.index] { optTestIndex_Click(i); });
    }
    applyStoredSize(ctx.param.TestGraphWidth(), ctx.param.TestGraphHeight());
    mTestKind = ctx.param.TestGraphIndex() == 2 ? 2 : 0;
    optTestIndex[static_cast<size_t>(mTestKind)]->setChecked(true);
    // A test recorded or erased while the graph is open is drawn at once.
    new ResultsWatch(
        ctx.results, {ResultsChange::Saved, ResultsChange::Erased, ResultsChange::Reloaded},
        [this] { requestRedraw(); }, this);
}

void frmGraph::optTestIndex_Click(int index) {
    mTestKind = index == 2 ? 2 : 0;
    optTestIndex[static_cast<size_t>(mTestKind)]->setChecked(true);
    tsGraphDraw();
}

void frmGraph::drawGraph(Surface& s) {
    const TestGraphStyle style{colors().color(0), colors().color(1), colors().color(2), colors().color(3),
                               ctx.param.FontName()};
    drawTestGraph(s, TestGraphData::fromResults(ctx.results, mTestKind), style);
}

QByteArray frmGraph::csvBytes() { return graphcsv::TestCsvBytes(TestGraphData::fromResults(ctx.results, mTestKind)); }

void frmGraph::unload() {
    ctx.param.TestGraphWidth(mWidth);
    ctx.param.TestGraphHeight(mHeight);
    ctx.param.TestGraphIndex(static_cast<int16_t>(mTestKind));
}
