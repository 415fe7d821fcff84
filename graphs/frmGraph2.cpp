#include "frmGraph2.h"

#include <QActionGroup>
#include <QMenu>

#include "GraphPlot.h"
#include "ResultsWatch.h"
#include "Widgets.h"
#include "basMain.h"
#include "basParam.h"
#include "basResults.h"

namespace {
QtGraphWindow::Design design() {
    return {QStringLiteral("frmGraph2"),
            QStringLiteral("ミスタイプ数表示"),
            GraphColors::Graph::Type,
            {QStringLiteral("前景色(&F)..."), QStringLiteral("背景色(&B)..."), QStringLiteral("ミス数色(&M)...")},
            false,
            7500,
            4500,
            120,
            250,
            QStringLiteral("Ｘ座標がミスしたキー、Ｙ座標がミスタイプ数です。")};
}

constexpr std::array<const char*, 8> kFillCaptions{"塗りつぶし(&S)", "透明(&T)",   "横線(&H)",   "縦線(&V)",
                                                   "斜線１(&U)",     "斜線２(&D)", "クロス(&C)", "網掛け(&G)"};
}  // namespace

frmGraph2::frmGraph2(AppContext& ctx, QWidget* parent) : QtGraphWindow(ctx, parent, design()) {
    const int stored = ctx.param.TypeGraphFillStyle();
    mFillStyle = stored >= 0 && stored <= 7 ? stored : 5;
    mnuViewFill = mnuView->addMenu(QStringLiteral("グラフパターン(&P)"));
    mnuViewFill->setObjectName(QStringLiteral("mnuViewFill"));
    auto* group = ui::makeCheckGroup(this);
    for (int i = 0; i < 8; ++i) {
        QAction* a = mnuViewFill->addAction(QString::fromUtf8(kFillCaptions[static_cast<size_t>(i)]));
        a->setObjectName(QStringLiteral("mnuViewFillStyle_%1").arg(i));
        a->setCheckable(true);
        a->setChecked(i == mFillStyle);
        group->addAction(a);
        connect(a, &QAction::triggered, this, [this, i] { mnuViewFillStyle_Click(i); });
        mnuViewFillStyle[static_cast<size_t>(i)] = a;
    }
    applyStoredSize(ctx.param.TypeGraphWidth(), ctx.param.TypeGraphHeight());
    // The run that just ended is drawn while the graph is open.
    new ResultsWatch(
        ctx.results, {ResultsChange::RunCommitted}, [this] { requestRedraw(); }, this);
}

void frmGraph2::mnuViewFillStyle_Click(int index) {
    if (index < 0 || index > 7 || index == mFillStyle) return;
    mnuViewFillStyle[static_cast<size_t>(mFillStyle)]->setChecked(false);
    mFillStyle = index;
    ctx.param.TypeGraphFillStyle(static_cast<int16_t>(index));
    mnuViewFillStyle[static_cast<size_t>(index)]->setChecked(true);
    tsGraphDraw();
}

void frmGraph2::drawGraph(Surface& s) {
    const MissKeyStyle style{colors().color(0), colors().color(1), colors().color(2), mFillStyle, ctx.param.FontName()};
    drawMissKeyGraph(s, MissKeyData::fromResults(ctx.results, ctx.main, ctx.param), style);
}

void frmGraph2::unload() {
    ctx.param.TypeGraphWidth(mWidth);
    ctx.param.TypeGraphHeight(mHeight);
}
