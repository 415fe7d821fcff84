#include "frmConf.h"

#include <QAction>
#include <QEvent>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QShortcut>

#include "AppContext.h"
#include "ConfSummary.h"
#include "FormsRegistry.h"
#include "ResultsWatch.h"
#include "Twips.h"
#include "Widgets.h"
#include "basResults.h"
#include "frmGraph2.h"

namespace {
// Client area below the menu bar, twips.
constexpr int kClientWidth = 4815;
constexpr int kClientHeight = 2175;
}  // namespace

frmConf::frmConf(AppContext& ctx, QWidget* parent) : QMainWindow(parent, Qt::Window), mCtx(ctx) {
    setObjectName(QStringLiteral("frmConf"));
    setWindowTitle(QStringLiteral("成績表示"));
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    if (ctx.forms) ctx.forms->add(this);
    buildMenus();
    buildControls();
    setFixedSize(twips::px(kClientWidth), menuBar()->sizeHint().height() + twips::px(kClientHeight));
    new ResultsWatch(
        ctx.results, {ResultsChange::RunCommitted}, [this] { refresh(); }, this);
    refresh();
}

frmConf* frmConf::showModeless(AppContext& ctx, QWidget* owner) {
    frmConf* w = loadedOrNew<frmConf>(ctx.forms, [&] { return new frmConf(ctx, owner); });
    w->refresh();
    bringForward(w, false);
    return w;
}

void frmConf::buildMenus() {
    mnuFile = menuBar()->addMenu(QStringLiteral("ファイル(&F)"));
    mnuFile->setObjectName(QStringLiteral("mnuFile"));
    QAction* close = mnuFile->addAction(QStringLiteral("閉じる(&C)"));
    close->setObjectName(QStringLiteral("mnuFileClose"));
    connect(close, &QAction::triggered, this, &QWidget::close);
    mnuView = menuBar()->addMenu(QStringLiteral("表示(&V)"));
    mnuView->setObjectName(QStringLiteral("mnuView"));
    mnuViewGraph = mnuView->addAction(QStringLiteral("ミス表示(&G)..."));
    mnuViewGraph->setObjectName(QStringLiteral("mnuViewGraph"));
    connect(mnuViewGraph, &QAction::triggered, this, [this] { QtGraphWindow::showModeless<frmGraph2>(mCtx, this); });
}

void frmConf::buildControls() {
    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("client"));
    setCentralWidget(client);
    const QFont font = ui::designFont(QStringLiteral("ＭＳ Ｐゴシック"), 11.25);
    struct Line {
        QLabel*& label;
        const char* name;
        int top;
    };
    const Line lines[] = {
        {lblInput, "lblInput", 360}, {lblMinute, "lblMinute", 600}, {lblMissType, "lblMissType", 1080}};
    for (const Line& l : lines) {
        l.label = new QLabel(client);
        l.label->setObjectName(QString::fromLatin1(l.name));
        l.label->setFont(font);
        ui::placeTwips(l.label, 240, l.top, 4215, 300);
    }
    cmdClose = new QPushButton(QStringLiteral("閉じる(&C)"), client);
    cmdClose->setObjectName(QStringLiteral("cmdClose"));
    ui::placeTwips(cmdClose, 3360, 1560, 1215, 375);
    connect(cmdClose, &QPushButton::clicked, this, &QWidget::close);
    auto* esc = new QShortcut(QKeySequence(Qt::Key_Escape), this);  // Esc closes it like the button
    connect(esc, &QShortcut::activated, this, &QWidget::close);
}

void frmConf::refresh() {
    const basResults& r = mCtx.results;
    const ConfSummary s =
        ConfSummary::make(r.GetLastRunChars(), r.GetLastRunSeconds(), r.GetLastRunPerMinute(), r.GetLastRunMisses());
    lblInput->setText(s.input);
    lblMinute->setText(s.minute);
    lblMissType->setText(s.missType);
}

bool frmConf::event(QEvent* e) {
    if (e->type() == QEvent::WindowActivate) refresh();
    return QMainWindow::event(e);
}
