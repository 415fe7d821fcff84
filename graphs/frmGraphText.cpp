#include "frmGraphText.h"

#include <qdrawutil.h>

#include <QPainter>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionButton>

#include "GraphCsv.h"
#include "GraphPlot.h"
#include "basParam.h"
#include "basResults.h"

namespace {
QtGraphWindow::Design design() {
    return QtGraphWindow::historyGraph(
        QStringLiteral("frmGraphText"), QStringLiteral("テキスト練習結果グラフ表示"), GraphColors::Graph::Text,
        {QStringLiteral("前景色(&F)..."), QStringLiteral("背景色(&B)..."), QStringLiteral("入力文字数(&N)..."),
         QStringLiteral("ミスタイプ数(&M)..."), QStringLiteral("入力数／分(&P)...")});
}

struct Toggle {
    const char* caption;
    int left;
};
constexpr std::array<Toggle, 3> kToggles{
    {{"入力文字数(&N)", 120}, {"ミスタイプ数(&M)", 1800}, {"入力数／分(&P)", 3480}}};
constexpr int kFirstSeriesColor = 2;  // colour index of toggle 0's series

// A push button that stays pressed, painted in its palette's button colours
// whatever the style: raised when its series is shown, sunken with the
// caption struck through when the series is hidden.
class SeriesToggle : public QPushButton {
public:
    using QPushButton::QPushButton;

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        const QRect r = rect();
        const bool set = isChecked() || isDown();
        const QColor back = palette().color(QPalette::Button);
        p.fillRect(r, back);
        const QPalette bevel(back);  // light and dark shades of the toggle's own colour
        qDrawWinPanel(&p, r, bevel, set);
        QFont f = font();
        f.setStrikeOut(isChecked());
        p.setFont(f);
        p.setPen(palette().color(QPalette::ButtonText));
        const QRect text = set ? r.translated(1, 1) : r;
        p.drawText(text, Qt::AlignCenter | Qt::TextShowMnemonic, this->text());
        if (hasFocus()) {
            QStyleOptionFocusRect o;
            o.initFrom(this);
            o.rect = r.adjusted(3, 3, -3, -3);
            style()->drawPrimitive(QStyle::PE_FrameFocusRect, &o, &p, this);
        }
    }
};
}  // namespace

frmGraphText::frmGraphText(AppContext& ctx, QWidget* parent) : QtGraphWindow(ctx, parent, design()) {
    const int disp = ctx.param.TextGraphDisp();
    for (int k = 0; k < 3; ++k) {
        QPushButton* b = new SeriesToggle(QString::fromUtf8(kToggles[static_cast<size_t>(k)].caption), client());
        b->setObjectName(QStringLiteral("chkSelectGraph_%1").arg(k));
        b->setFont(ui::designFont(QStringLiteral("ＭＳ ゴシック"), 9, true));
        b->setCheckable(true);
        b->setChecked((disp & (1 << k)) == 0);
        ui::placeTwips(b, kToggles[static_cast<size_t>(k)].left, 120, 1695, 255);
        chkSelectGraph[static_cast<size_t>(k)] = b;
        connect(b, &QPushButton::clicked, this, [this, k] { chkSelectGraph_Click(k); });
        colorToggle(k);
    }
    applyStoredSize(ctx.param.TextGraphWidth(), ctx.param.TextGraphHeight());
}

void frmGraphText::showModal(AppContext& ctx, QWidget* owner) {
    auto* w = new frmGraphText(ctx, owner);
    w->setAttribute(Qt::WA_DeleteOnClose);
    w->placeOver(owner);
    ui::runModal(w);
}

void frmGraphText::chkSelectGraph_Click(int index) {
    const int bit = 1 << index;
    int disp = ctx.param.TextGraphDisp();
    disp = chkSelectGraph[static_cast<size_t>(index)]->isChecked() ? (disp & ~bit) : (disp | bit);
    ctx.param.TextGraphDisp(static_cast<int16_t>(disp & 7));
    tsGraphDraw();
}

void frmGraphText::SetToggleTextColor(int index) {
    QPushButton* b = chkSelectGraph[static_cast<size_t>(index)];
    const QColor back = b->palette().color(QPalette::Button);
    ui::setForeColor(b, QColor(255 - back.red(), 255 - back.green(), 255 - back.blue()));
}

void frmGraphText::colorToggle(int index) {
    ui::setBackColor(chkSelectGraph[static_cast<size_t>(index)],
                     ui::fromColorValue(colors().color(kFirstSeriesColor + index)));
    SetToggleTextColor(index);
}

void frmGraphText::colorChanged(int index) {
    if (index >= kFirstSeriesColor) colorToggle(index - kFirstSeriesColor);
}

void frmGraphText::colorsRestored() {
    for (int k = 0; k < 3; ++k) colorToggle(k);
}

void frmGraphText::drawGraph(Surface& s) {
    ctx.results.LoadResults();
    TextGraphStyle style;
    style.fore = colors().color(0);
    style.back = colors().color(1);
    for (int k = 0; k < 3; ++k) style.series[static_cast<size_t>(k)] = colors().color(kFirstSeriesColor + k);
    style.disp = ctx.param.TextGraphDisp();
    style.fontName = ctx.param.FontName();
    drawTextGraph(s, TextGraphData::fromResults(ctx.results), style);
}

// The history as last loaded by a draw; the file is not read again.
QByteArray frmGraphText::csvBytes() { return graphcsv::TextCsvBytes(TextGraphData::fromResults(ctx.results)); }

void frmGraphText::unload() {
    ctx.param.TextGraphWidth(mWidth);
    ctx.param.TextGraphHeight(mHeight);
}
