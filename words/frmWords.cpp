#include "frmWords.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>

#include "AppContext.h"
#include "Dialogs.h"
#include "FormsRegistry.h"
#include "Learning.h"
#include "Numbers.h"
#include "Twips.h"
#include "Widgets.h"
#include "WordIndex.h"
#include "basParam.h"

namespace {

const QString kGothicP = QStringLiteral("ＭＳ Ｐゴシック");

constexpr int kClientWidthTw = 6000;
constexpr int kClientHeightTw = 3000;
constexpr int kLineWidthTw = 5760;

// The figure table, as in text practice: headings, last word, totals.
constexpr int kColumnLeftTw[3] = {1380, 2580, 3780};
constexpr int kColumnWidthTw = 1215;
constexpr int kRowTopTw[3] = {2100, 2340, 2580};
constexpr int kRowHeightTw = 240;
constexpr const char16_t* kHeadings[3] = {u"入力文字数", u"ミスタイプ数", u"入力数／分"};

QLabel* makeLabel(QWidget* parent, const QString& name, double points, int left, int top, int width, int height) {
    auto* l = new QLabel(parent);
    l->setObjectName(name);
    l->setFont(ui::designFont(kGothicP, points));
    l->setTextFormat(Qt::PlainText);
    ui::placeTwips(l, left, top, width, height);
    return l;
}

}  // namespace

frmWords::frmWords(AppContext& ctx, std::vector<words::Word> list, QWidget* parent)
    : QMainWindow(parent),
      mCtx(ctx),
      mWords(std::move(list)),
      mPractice(ctx.param, ctx.results, ctx.clock, ctx.random, ctx.dialogs, ctx.beeper) {
    setObjectName(QStringLiteral("frmWords"));
    setWindowTitle(QStringLiteral("単語練習"));
    setAttribute(Qt::WA_InputMethodEnabled, false);
    setFocusPolicy(Qt::StrongFocus);
    if (ctx.forms) ctx.forms->add(this);
    mPractice.setRecorder(ctx.learning);
    mPractice.setKanaOnly(ctx.param.WordKanaOnly() == 1);

    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("client"));
    setCentralWidget(client);
    buildLabels(client);
    buildFigureTable(client);
    buildMenus();
    resize(twips::px(kClientWidthTw), menuBar()->sizeHint().height() + twips::px(kClientHeightTw));
    setMinimumSize(size());

    Learning* learning = ctx.learning;
    const auto layout = static_cast<int16_t>(ctx.param.KeyBoardType());
    mPractice.start(mWords,
                    [learning, layout] { return learning ? words::learnerOf(*learning, layout) : words::Learner{}; });
    SetNavi(ctx.param.TextDisplayNavi());
    refresh();
}

frmWords::~frmWords() { mPractice.Unload(); }

QString frmWords::indexFileName(const basParam& param) {
    return param.ProgramFolder() + param.ProductName() + QStringLiteral("Words.idx");
}

void frmWords::showModal(AppContext& ctx, QWidget* owner) {
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    words::Loaded loaded = words::loadWords(words::defaultDictionaryFolder(), indexFileName(ctx.param));
    QGuiApplication::restoreOverrideCursor();
    if (!loaded.error.isEmpty()) {
        ctx.dialogs.msgBox(loaded.error, QStringLiteral("単語練習"), MsgIcon::Information);
        return;
    }
    auto* w = new frmWords(ctx, std::move(loaded.words), owner);
    w->setWindowFlag(Qt::Window, true);
    w->setAttribute(Qt::WA_DeleteOnClose);
    if (owner)
        ui::centreOver(w, owner);
    else
        ui::keepOnScreen(w, QGuiApplication::primaryScreen());
    ui::runModal(w);
}

void frmWords::buildLabels(QWidget* client) {
    lblAim = makeLabel(client, QStringLiteral("lblAim"), 9, 120, 90, 4800, 240);
    lblCount = makeLabel(client, QStringLiteral("lblCount"), 9, 4920, 90, 960, 240);
    lblCount->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    lblWord = makeLabel(client, QStringLiteral("lblWord"), 24, 120, 420, kLineWidthTw, 600);
    lblDisplay = makeLabel(client, QStringLiteral("lblDisplay"), 20.25, 120, 1080, kLineWidthTw, 495);
    lblInput = makeLabel(client, QStringLiteral("lblInput"), 14.25, 120, 1620, kLineWidthTw, 375);
    const QString face = mCtx.param.FontName();
    if (!face.isEmpty())
        for (QLabel* l : {lblWord, lblDisplay, lblInput}) ui::setFontFace(l, face);
    ui::EtchedLine line = ui::addEtchedLine(client, twips::px(kClientWidthTw));
    line.grey->move(0, twips::px(2040));
    line.white->move(0, twips::px(2040) + 1);
}

void frmWords::buildFigureTable(QWidget* client) {
    const QString rowNames[2] = {QStringLiteral("前回"), QStringLiteral("累計")};
    for (int r = 0; r < 2; ++r)
        makeLabel(client, QStringLiteral("lblTotal_%1").arg(r), 9, 840, kRowTopTw[r + 1], 480, kRowHeightTw)
            ->setText(rowNames[r]);
    std::array<QLabel*, 3>* columns[3] = {&lblStrNum, &lblMiss, &lblInpPMin};
    const QString names[3] = {QStringLiteral("lblStrNum"), QStringLiteral("lblMiss"), QStringLiteral("lblInpPMin")};
    for (int c = 0; c < 3; ++c)
        for (int r = 0; r < 3; ++r) {
            QLabel* l = makeLabel(client, QStringLiteral("%1_%2").arg(names[c]).arg(r), 9, kColumnLeftTw[c],
                                  kRowTopTw[r], kColumnWidthTw, kRowHeightTw);
            l->setText(r == 0 ? QString::fromUtf16(kHeadings[c]) : QStringLiteral("0"));
            l->setAlignment(Qt::AlignCenter);
            (*columns[c])[static_cast<size_t>(r)] = l;
        }
}

void frmWords::buildMenus() {
    ui::returnKeysAfterMenus(menuBar());
    QMenu* file = menuBar()->addMenu(QStringLiteral("ファイル(&F)"));
    file->setObjectName(QStringLiteral("mnuFile"));
    mnuFileClose = file->addAction(QStringLiteral("閉じる(&C)"), this, [this] { close(); });
    mnuFileClose->setObjectName(QStringLiteral("mnuFileClose"));
    mnuFileClose->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));

    QMenu* view = menuBar()->addMenu(QStringLiteral("表示(&V)"));
    view->setObjectName(QStringLiteral("mnuView"));
    mnuViewNewSet = view->addAction(QStringLiteral("新しい単語にする(&N)"), this, [this] {
        mPractice.newSet();
        refresh();
    });
    mnuViewNewSet->setObjectName(QStringLiteral("mnuViewNewSet"));
    mnuViewNewSet->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_N));
    view->addSeparator()->setObjectName(QStringLiteral("mnuViewBar1"));
    mnuViewTotalClear = view->addAction(QStringLiteral("累計をクリア(&C)"), this, [this] {
        if (mPractice.TotalClear()) refresh();
    });
    mnuViewTotalClear->setObjectName(QStringLiteral("mnuViewTotalClear"));

    QMenu* set = menuBar()->addMenu(QStringLiteral("設定(&S)"));
    set->setObjectName(QStringLiteral("mnuSet"));
    mnuSetDisplay = set->addAction(QStringLiteral("入力文字表示(&D)"));
    mnuSetDisplay->setObjectName(QStringLiteral("mnuSetDisplay"));
    mnuSetDisplay->setCheckable(true);
    mnuSetDisplay->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_D));
    connect(mnuSetDisplay, &QAction::triggered, this, [this](bool checked) { SetNavi(checked); });
}

void frmWords::SetNavi(bool show) {
    mnuSetDisplay->setChecked(show);
    mCtx.param.TextDisplayNavi(show);
    lblInput->setVisible(show);
}

void frmWords::refresh() {
    const int layout = mCtx.param.KeyBoardType();
    lblAim->setText(mPractice.set().aimText(layout));
    lblCount->setText(QStringLiteral("%1／%2").arg(mPractice.wordNumber()).arg(mPractice.set().words.size()));
    lblWord->setText(mPractice.writtenText());
    lblDisplay->setText(mPractice.kanaText().toString());
    lblInput->setText(mPractice.inputText().toString());
    const words::WordPractice::Figures rows[2] = {mPractice.lastEntry(), mPractice.totals()};
    for (size_t r = 0; r < 2; ++r) {
        lblStrNum[r + 1]->setText(num::general(rows[r].typed));
        lblMiss[r + 1]->setText(num::general(rows[r].miss));
        lblInpPMin[r + 1]->setText(num::general(rows[r].perMin));
    }
}

bool frmWords::event(QEvent* e) {
    // Key preview, as in text practice: typed characters are judged before
    // anything else sees the key; a key held with Ctrl or Alt is a command.
    if (e->type() == QEvent::KeyPress) {
        const auto* k = static_cast<QKeyEvent*>(e);
        const bool chord = k->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
        bool changed = false;
        if (!chord)
            for (QChar ch : k->text()) changed = mPractice.keyPress(ch) || changed;
        if (changed) refresh();
    }
    return QMainWindow::event(e);
}

void frmWords::closeEvent(QCloseEvent* e) {
    mPractice.Unload();
    e->accept();
}
