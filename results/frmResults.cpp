#include "frmResults.h"

#include <QAction>
#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QMenuBar>

#include "AppContext.h"
#include "Dialogs.h"
#include "FormsRegistry.h"
#include "Numbers.h"
#include "ResultsWatch.h"
#include "Twips.h"
#include "Widgets.h"
#include "basResults.h"
#include "frmGraph.h"

namespace {

constexpr int kClientWidth = 6150;
constexpr int kClientHeight = 4500;
constexpr int kLabelHeight = 255;

enum class Cell { Title, ColumnHeading, RowHeading, Value };

// One label of a frame, positioned relative to the frame.
QLabel* makeLabel(QWidget* parent, const QString& name, const QString& text, Cell cell, int left, int top, int width) {
    auto* l = new QLabel(text, parent);
    l->setObjectName(name);
    ui::placeTwips(l, left, top, width, kLabelHeight);
    if (cell != Cell::Title) {
        l->setFrameStyle(QFrame::Box | QFrame::Plain);
        l->setLineWidth(1);
    }
    Qt::Alignment h = Qt::AlignLeft;
    if (cell == Cell::ColumnHeading) h = Qt::AlignHCenter;
    if (cell == Cell::Value) h = Qt::AlignRight;
    l->setAlignment(h | Qt::AlignVCenter);
    return l;
}

void setTextIfChanged(QLabel* l, const QString& text) {
    if (l->text() != text) l->setText(text);
}

}  // namespace

frmResults::frmResults(AppContext& ctx, QWidget* parent) : QMainWindow(parent), mCtx(ctx) {
    setObjectName(QStringLiteral("frmResults"));
    setWindowTitle(QStringLiteral("成績表示"));
    setFont(ui::designFont(QStringLiteral("ＭＳ Ｐゴシック"), 9));
    if (ctx.forms) ctx.forms->add(this);

    buildMenus();
    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("client"));
    client->setFixedSize(twips::px(kClientWidth), twips::px(kClientHeight));
    setCentralWidget(client);
    const ui::EtchedLine line = ui::addEtchedLine(client, client->width());
    line.grey->setObjectName(QStringLiteral("Line1"));
    line.white->setObjectName(QStringLiteral("Line2"));

    G2 =
        buildPanel(client, 2, QStringLiteral("G2"), QStringLiteral("fraGrade2"), QStringLiteral("初級テスト成績"), 240);
    G1 = buildPanel(client, 0, QStringLiteral("G1"), QStringLiteral("fraGrade1"), QStringLiteral("総合テスト成績"),
                    2400);
    layout()->setSizeConstraint(QLayout::SetFixedSize);

    // Every repaint of the client area rereads the results file first.
    client->installEventFilter(this);
    // A test recorded, results erased or the file reread while the window is
    // open: shown at once, whether or not the window is painted or active.
    new ResultsWatch(
        ctx.results, {ResultsChange::Saved, ResultsChange::Erased, ResultsChange::Reloaded}, [this] { ShowResults(); },
        this);
    ShowResults();  // load
}

frmResults* frmResults::showModeless(AppContext& ctx, QWidget* owner) {
    frmResults* w = loadedOrNew<frmResults>(ctx.forms, [&] { return new frmResults(ctx, owner); });
    bringForward(w, true);
    return w;
}

void frmResults::buildMenus() {
    mnuFile = menuBar()->addMenu(QStringLiteral("ファイル(&F)"));
    mnuFile->setObjectName(QStringLiteral("mnuFile"));
    mnuFileErase = mnuFile->addAction(QStringLiteral("成績の消去(&E)"), this, &frmResults::mnuFileErase_Click);
    mnuFileErase->setObjectName(QStringLiteral("mnuFileErase"));
    mnuFileBar1 = mnuFile->addSeparator();
    mnuFileBar1->setObjectName(QStringLiteral("mnuFileBar1"));
    mnuFileClose = mnuFile->addAction(QStringLiteral("閉じる(&C)"), this, &frmResults::mnuFileClose_Click);
    mnuFileClose->setObjectName(QStringLiteral("mnuFileClose"));
    mnuFileClose->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));

    mnuView = menuBar()->addMenu(QStringLiteral("表示(&V)"));
    mnuView->setObjectName(QStringLiteral("mnuView"));
    mnuViewGraph = mnuView->addAction(QStringLiteral("グラフ表示(&G)"), this, &frmResults::mnuViewGraph_Click);
    mnuViewGraph->setObjectName(QStringLiteral("mnuViewGraph"));
    mnuViewGraph->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_G));
}

frmResults::Panel frmResults::buildPanel(QWidget* parent, int kind, const QString& prefix, const QString& frameName,
                                         const QString& caption, int top) {
    Panel p;
    p.kind = kind;
    p.fra = new QGroupBox(caption, parent);
    p.fra->setObjectName(frameName);
    ui::placeTwips(p.fra, 240, top, 5655, 1815);
    QWidget* f = p.fra;
    const QString lbl = QStringLiteral("lbl") + prefix;
    p.TestCount = makeLabel(f, lbl + "TestCount", QStringLiteral("●テスト回数"), Cell::Title, 240, 360, 1095);
    p.TestCountValue = makeLabel(f, lbl + "TestCountValue", QString(), Cell::Value, 360, 600, 855);
    p.Grade1MaxTime = makeLabel(f, lbl + "Grade1MaxTime", QStringLiteral("●最速入力"), Cell::Title, 240, 1080, 975);
    p.MaxTimeValue = makeLabel(f, lbl + "MaxTimeValue", QString(), Cell::Value, 360, 1320, 855);
    p.Lately = makeLabel(f, lbl + "Lately", QStringLiteral("●最近３回の成績"), Cell::Title, 1560, 360, 1455);

    struct Heading {
        const char16_t* text;
        Cell cell;
        int left, top, width;
    };
    static const Heading headings[5] = {
        {u"入力時間（秒）", Cell::ColumnHeading, 2640, 600, 1335},
        {u"ミスタイプ（回）", Cell::ColumnHeading, 3960, 600, 1335},
        {u"今回", Cell::RowHeading, 1680, 840, 975},
        {u"前回", Cell::RowHeading, 1680, 1080, 975},
        {u"前々回", Cell::RowHeading, 1680, 1320, 975},
    };
    for (int i = 0; i < 5; ++i) {
        const Heading& h = headings[i];
        p.Results[i] = makeLabel(f, lbl + QStringLiteral("Results_%1").arg(i), QString::fromUtf16(h.text), h.cell,
                                 h.left, h.top, h.width);
    }
    for (int i = 0; i < 3; ++i) {
        const int rowTop = 840 + 240 * i;
        p.Time[i] = makeLabel(f, lbl + QStringLiteral("Time_%1").arg(i), QString(), Cell::Value, 2640, rowTop, 1335);
        p.MissType[i] =
            makeLabel(f, lbl + QStringLiteral("MissType_%1").arg(i), QString(), Cell::Value, 3960, rowTop, 1335);
    }
    return p;
}

void frmResults::ShowResults() {
    mCtx.results.LoadResults();  // with no readable file the records in memory are shown
    showPanel(G1);
    showPanel(G2);
}

void frmResults::showPanel(const Panel& p) {
    const basResults& r = mCtx.results;
    setTextIfChanged(p.TestCountValue, QString::number(r.GetTestCount(p.kind)));
    setTextIfChanged(p.MaxTimeValue, num::general(r.GetTestBestTime(p.kind)));
    for (int i = 0; i < 3; ++i) {
        const double t = r.GetTestTime(p.kind, i);
        const bool shown = t != 0;
        setTextIfChanged(p.Time[i], shown ? num::general(t) : QString());
        setTextIfChanged(p.MissType[i], shown ? QString::number(r.GetTestMiss(p.kind, i)) : QString());
    }
}

bool frmResults::eventFilter(QObject* watched, QEvent* event) {
    // Runs before the client area paints; a changed text only schedules the
    // label's own repaint, after which nothing changes any more.
    if (event->type() == QEvent::Paint && watched == centralWidget()) ShowResults();
    return QMainWindow::eventFilter(watched, event);
}

void frmResults::mnuFileErase_Click() {
    basResults& r = mCtx.results;
    if (r.GetTestCount(0) < 1 && r.GetTestCount(2) < 1) return;  // nothing to erase
    const MsgResult answer = mCtx.dialogs.msgBox(QStringLiteral("今までの成績を消去しますか？"), QStringLiteral("確認"),
                                                 MsgIcon::Question, MsgButtons::YesNo, 1);
    if (answer != MsgResult::Yes) return;
    r.EraseTestResults();
    afterErase();  // shows what the file holds, erased or not
}

// After an erase an open test graph follows at once.
void frmResults::afterErase() {
    ShowResults();
    if (mCtx.forms)
        if (frmGraph* graph = mCtx.forms->find<frmGraph>()) graph->tsGraphDraw();
}

void frmResults::mnuViewGraph_Click() { QtGraphWindow::showModeless<frmGraph>(mCtx, this); }

void frmResults::mnuFileClose_Click() { close(); }
