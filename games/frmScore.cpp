#include "frmScore.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>

#include "AppContext.h"
#include "FormsRegistry.h"
#include "QtArtwork.h"
#include "QtGameWindow.h"
#include "ScoreTable.h"
#include "Twips.h"
#include "Widgets.h"
#include "basResults.h"

namespace {

// The five columns: title caption and left, cell left, width and alignment.
struct Column {
    const char16_t* title;
    const char* name;
    int titleLeft;
    int cellLeft;
    int width;
    Qt::Alignment align;
};
const std::array<Column, 5> kColumns{{
    {u"順位", "Rank", 360, 240, 615, Qt::AlignHCenter},
    {u"得点", "Point", 1080, 840, 855, Qt::AlignRight},
    {u"レベル", "Level", 1800, 1680, 735, Qt::AlignRight},
    {u"名前", "Name", 2760, 2400, 1095, Qt::AlignLeft},
    {u"日付", "Date", 3840, 3480, 1095, Qt::AlignHCenter},
}};
constexpr std::array<int, frmScore::kRows> kRowTops{480, 720, 960, 1200, 1440, 1800};
constexpr int kTitleTop = 240;
constexpr int kCellHeight = 255;
constexpr int kClientWidthTw = 4815;
const QColor kHighlight(255, 255, 128);

QFont tableFont() { return ui::designFont(QStringLiteral("ＭＳ Ｐゴシック"), 9); }

QLabel* makeLabel(QWidget* parent, const QString& name, const QString& text) {
    auto* l = new QLabel(text, parent);
    l->setObjectName(name);
    l->setFont(tableFont());
    return l;
}

QIcon iconOf(int parent) {
    if (parent == 1) return art::balloonIcon();
    if (parent == 2) return art::targetIcon();
    return art::speedIcon();
}

}  // namespace

frmScore::frmScore(AppContext& ctx, int table, int rank, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmScore"));
    setWindowTitle(QStringLiteral("成績表示"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                   Qt::CustomizeWindowHint);
    if (ctx.forms) ctx.forms->add(this);
    buildControls();
    fill(ctx, table, rank);
}

void frmScore::buildControls() {
    for (size_t c = 0; c < kColumns.size(); ++c) {
        const Column& col = kColumns[c];
        const QString name = QString::fromLatin1(col.name);
        QLabel* title = makeLabel(this, QStringLiteral("lbl%1Title").arg(name), QString::fromUtf16(col.title));
        ui::placeTwips(title, col.titleLeft, kTitleTop, col.width, kCellHeight);
        if (c == 1) lblPointTitle = title;
        if (c == 2) lblLevelTitle = title;
        for (int r = 0; r < kRows; ++r) {
            QLabel* cell = makeLabel(this, QStringLiteral("lbl%1_%2").arg(name).arg(r), QString());
            cell->setFrameStyle(QFrame::Box | QFrame::Plain);
            cell->setLineWidth(1);
            cell->setAlignment(col.align | Qt::AlignVCenter);
            cell->setIndent(col.align == Qt::AlignHCenter ? 0 : 2);
            ui::placeTwips(cell, col.cellLeft, kRowTops[static_cast<size_t>(r)], col.width, kCellHeight);
            if (c == 0) cell->setText(r < 5 ? QString::number(r + 1) : QStringLiteral("-"));
            mCells[c][static_cast<size_t>(r)] = cell;
        }
    }
    cmdOk = new QPushButton(QStringLiteral("確認"), this);
    cmdOk->setObjectName(QStringLiteral("cmdOk"));
    cmdOk->setDefault(true);
    cmdOk->setAutoDefault(true);
    connect(cmdOk, &QPushButton::clicked, this, &QDialog::accept);  // Esc rejects: the same close
}

void frmScore::fill(AppContext& ctx, int table, int rank) {
    ctx.results.LoadResults();
    const ScoreTableView v = BuildScoreTable(ctx.results, ctx.param, table, rank);
    const int windowHeightTw = v.sixthRow ? 3300 : 2910;
    ui::placeTwips(cmdOk, 3360, v.sixthRow ? 2280 : 1920, 1215, 375);
    setFixedSize(twips::px(kClientWidthTw), twips::clientHeightPx(windowHeightTw, false, false));
    const QColor buttonFace = QApplication::palette().color(QPalette::Button);
    for (int r = 0; r < kRows; ++r) {
        const auto& row = v.row[static_cast<size_t>(r)];
        const std::array<QString, 5> texts{row.rank, row.point, row.level, row.name, row.date};
        for (size_t c = 0; c < mCells.size(); ++c) {
            QLabel* cell = mCells[c][static_cast<size_t>(r)];
            cell->setText(texts[c]);
            cell->setVisible(r < v.rows);
            ui::setBackColor(cell, row.highlight ? kHighlight : buttonFace);
        }
    }
    lblPointTitle->setText(v.pointTitle);
    lblLevelTitle->setText(v.levelTitle);
    setWindowIcon(iconOf(table));
}

void frmScore::showModal(AppContext& ctx, QWidget* owner, int table, int rank) {
    frmScore dlg(ctx, table, rank, owner);
    ui::centreOver(&dlg, owner);
    dlg.exec();
}
