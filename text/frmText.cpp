#include "frmText.h"

#include <QActionGroup>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QMimeData>
#include <QScreen>
#include <QTimer>
#include <QUrl>

#include "AppContext.h"
#include "Dialogs.h"
#include "FormsRegistry.h"
#include "Learning.h"
#include "Numbers.h"
#include "Twips.h"
#include "Widgets.h"
#include "basMain.h"
#include "basParam.h"
#include "frmGraphText.h"
#include "frmWords.h"

namespace {

const QString kGothicP = QStringLiteral("ＭＳ Ｐゴシック");

// Designed client area, and the smallest outer size the window may take.
constexpr int kClientWidthTw = 4875;
constexpr int kClientHeightTw = 2355;
constexpr int kMinOuterWidthTw = 5000;
constexpr int kMinOuterHeightTw = 3045;
// The two text lines are this much narrower than the window (twips).
constexpr int kLineMarginTw = 350;

// The figure table: three columns, headings at row 0, last entry at row 1,
// totals at row 2.
constexpr int kColumnLeftTw[3] = {840, 2040, 3240};
constexpr int kColumnWidthTw = 1215;
constexpr int kRowTopTw[3] = {1440, 1680, 1920};
constexpr int kRowHeightTw = 240;

struct Column {
    const char16_t* heading;
    const char16_t* tip;
};
constexpr Column kColumns[3] = {
    {u"入力文字数", u"正しく入力できた数です"},
    {u"ミスタイプ数", u"ミスタイプ数です"},
    {u"入力数／分", u"１分あたりの入力数です"},
};

constexpr const char16_t* kSortCaptions[3] = {u"ファイル内容順(&D)", u"ファイル逆順(&A)", u"ランダム表示(&R)"};

QLabel* makeLabel(QWidget* parent, const QString& name, const QString& text, double points) {
    auto* l = new QLabel(text, parent);
    l->setObjectName(name);
    l->setFont(ui::designFont(kGothicP, points));
    l->setTextFormat(Qt::PlainText);
    return l;
}

}  // namespace

frmText::frmText(AppContext& ctx, QWidget* parent)
    : QMainWindow(parent),
      mCtx(ctx),
      mPractice(ctx.param, ctx.results, ctx.clock, ctx.random, ctx.dialogs, ctx.beeper) {
    setObjectName(QStringLiteral("frmText"));
    setWindowTitle(QStringLiteral("テキスト練習"));
    setAttribute(Qt::WA_InputMethodEnabled, false);
    setFocusPolicy(Qt::StrongFocus);
    setAcceptDrops(true);
    if (ctx.forms) ctx.forms->add(this);
    mPractice.setRecorder(ctx.learning);

    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("client"));
    setCentralWidget(client);
    buildLabels(client);
    buildFigureTable(client);
    buildMenus();

    resize(twips::px(kClientWidthTw), menuBar()->sizeHint().height() + twips::px(kClientHeightTw));
    setMinimumSize(twips::clientWidthPx(kMinOuterWidthTw, true),
                   menuBar()->sizeHint().height() + twips::clientHeightPx(kMinOuterHeightTw, true, true));

    // Form_Load
    mPractice.LoadText(ctx.param.TextFileName());
    const int order = ctx.param.TextRead();
    mnuViewSortRead[static_cast<size_t>(order >= 0 && order <= 2 ? order : 0)]->setChecked(true);
    SetNavi(ctx.param.TextDisplayNavi());
    applySizeCap();
    refresh();
}

frmText::~frmText() { mPractice.Unload(); }

void frmText::buildLabels(QWidget* client) {
    lblDisplay = makeLabel(client, QStringLiteral("lblDisplay"), {}, 20.25);
    lblInput = makeLabel(client, QStringLiteral("lblInput"), {}, 14.25);
    ui::placeTwips(lblDisplay, 120, 240, 4575, 495);
    ui::placeTwips(lblInput, 120, 840, 4575, 375);
    const QString face = mCtx.param.FontName();
    if (!face.isEmpty()) {
        ui::setFontFace(lblDisplay, face);
        ui::setFontFace(lblInput, face);
    }
    Line1 = ui::addEtchedLine(client, twips::px(kClientWidthTw));
    Line1.grey->setObjectName(QStringLiteral("Line1_0"));
    Line1.white->setObjectName(QStringLiteral("Line1_1"));
}

void frmText::buildFigureTable(QWidget* client) {
    const QString rowNames[2] = {QStringLiteral("前回"), QStringLiteral("累計")};
    for (int r = 0; r < 2; ++r) {
        lblTotal[r] = makeLabel(client, QStringLiteral("lblTotal_%1").arg(r), rowNames[r], 9);
        ui::placeTwips(lblTotal[r], 360, kRowTopTw[r + 1], 480, kRowHeightTw);
    }
    std::array<QLabel*, 3>* columns[3] = {&lblStrNum, &lblMiss, &lblInpPMin};
    const QString names[3] = {QStringLiteral("lblStrNum"), QStringLiteral("lblMiss"), QStringLiteral("lblInpPMin")};
    for (int c = 0; c < 3; ++c) {
        for (int r = 0; r < 3; ++r) {
            const QString text = r == 0 ? QString::fromUtf16(kColumns[c].heading) : QStringLiteral("0");
            QLabel* l = makeLabel(client, QStringLiteral("%1_%2").arg(names[c]).arg(r), text, 9);
            l->setAlignment(Qt::AlignCenter);
            l->setToolTip(QString::fromUtf16(kColumns[c].tip));
            ui::placeTwips(l, kColumnLeftTw[c], kRowTopTw[r], kColumnWidthTw, kRowHeightTw);
            (*columns[c])[static_cast<size_t>(r)] = l;
        }
    }
    // Every label takes dropped files, like the window itself.
    client->setAcceptDrops(true);
    client->installEventFilter(this);
    for (QLabel* l : client->findChildren<QLabel*>()) {
        l->setAcceptDrops(true);
        l->installEventFilter(this);
    }
}

void frmText::buildMenus() {
    ui::returnKeysAfterMenus(menuBar());
    QMenu* file = menuBar()->addMenu(QStringLiteral("ファイル(&F)"));
    file->setObjectName(QStringLiteral("mnuFile"));
    mnuFileOpen = file->addAction(QStringLiteral("練習ファイルを開く(&O)..."), this, [this] { mnuFileOpen_Click(); });
    mnuFileOpen->setObjectName(QStringLiteral("mnuFileOpen"));
    mnuFileOpen->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    file->addSeparator()->setObjectName(QStringLiteral("mnuFileBar1"));
    mnuFileClose = file->addAction(QStringLiteral("閉じる(&C)"), this, [this] { close(); });
    mnuFileClose->setObjectName(QStringLiteral("mnuFileClose"));
    mnuFileClose->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));

    QMenu* view = menuBar()->addMenu(QStringLiteral("表示(&V)"));
    view->setObjectName(QStringLiteral("mnuView"));
    mnuViewSort = view->addMenu(QStringLiteral("テキスト表示順(&S)"));
    mnuViewSort->setObjectName(QStringLiteral("mnuViewSort"));
    mSortGroup = ui::makeCheckGroup(this);
    for (int i = 0; i < 3; ++i) {
        QAction* a =
            mnuViewSort->addAction(QString::fromUtf16(kSortCaptions[i]), this, [this, i] { mnuViewSortRead_Click(i); });
        a->setObjectName(QStringLiteral("mnuViewSortRead_%1").arg(i));
        a->setCheckable(true);
        mSortGroup->addAction(a);
        mnuViewSortRead[static_cast<size_t>(i)] = a;
    }
    mnuViewGraph =
        view->addAction(QStringLiteral("累計推移グラフ(&G)..."), this, [this] { frmGraphText::showModal(mCtx, this); });
    mnuViewGraph->setObjectName(QStringLiteral("mnuViewGraph"));
    mnuViewGraph->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_G));
    mnuViewWords =
        view->addAction(QStringLiteral("単語練習(&W)..."), this, [this] { frmWords::showModal(mCtx, this); });
    mnuViewWords->setObjectName(QStringLiteral("mnuViewWords"));
    view->addSeparator()->setObjectName(QStringLiteral("mnuViewBar1"));
    mnuViewTotalClear =
        view->addAction(QStringLiteral("累計をクリア(&C)"), this, [this] { mnuViewTotalClear_Click(); });
    mnuViewTotalClear->setObjectName(QStringLiteral("mnuViewTotalClear"));

    QMenu* set = menuBar()->addMenu(QStringLiteral("設定(&S)"));
    set->setObjectName(QStringLiteral("mnuSet"));
    mnuSetDisplay = set->addAction(QStringLiteral("入力文字表示(&D)"));
    mnuSetDisplay->setObjectName(QStringLiteral("mnuSetDisplay"));
    mnuSetDisplay->setCheckable(true);
    mnuSetDisplay->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_D));
    // The action has already flipped its check mark: that is the new state.
    connect(mnuSetDisplay, &QAction::triggered, this, [this](bool checked) { SetNavi(checked); });
}

void frmText::applySizeCap() {
    QScreen* s = screen() ? screen() : QGuiApplication::primaryScreen();
    basMain& m = mCtx.main;
    m.gMaxWidth = s ? s->geometry().width() : width();
    m.gMaxHeight = height();  // the height it opens with
    m.gMaxLeft = 0;
    m.gMaxTop = 0;
    setMaximumSize(std::max(m.gMaxWidth, minimumWidth()), m.gMaxHeight);
}

void frmText::showModal(AppContext& ctx, QWidget* owner) {
    auto* w = new frmText(ctx, owner);
    w->setWindowFlag(Qt::Window, true);
    w->setAttribute(Qt::WA_DeleteOnClose);
    if (owner)
        ui::centreOver(w, owner);
    else
        ui::keepOnScreen(w, QGuiApplication::primaryScreen());
    ui::runModal(w);
}

void frmText::LoadText(const QString& path) {
    mPractice.LoadText(path);
    refresh();
}

void frmText::refresh() {
    lblDisplay->setText(mPractice.displayText().left(kShownChars).toString());
    lblInput->setText(mPractice.inputText().left(kShownChars).toString());
    refreshFigures();
}

void frmText::refreshFigures() {
    const TextPractice::Figures rows[2] = {mPractice.lastEntry(), mPractice.totals()};
    for (size_t r = 0; r < 2; ++r) {
        lblStrNum[r + 1]->setText(num::general(rows[r].typed));
        lblMiss[r + 1]->setText(num::general(rows[r].miss));
        lblInpPMin[r + 1]->setText(num::general(rows[r].perMin));
    }
}

void frmText::SetNavi(bool show) {
    mnuSetDisplay->setChecked(show);
    mPractice.SetNavi(show);
    lblInput->setVisible(show);
}

void frmText::mnuFileOpen_Click() {
    FileDialogRequest r;
    r.filter = QStringLiteral("テキストファイル(*.txt)|*.txt") + QStringLiteral("|すべてのファイル (*.*)|*.*");
    r.initialFile = mCtx.param.TextFileName();
    r.flags = FileFlags::HideReadOnly | FileFlags::FileMustExist;
    if (const auto path = mCtx.dialogs.openFile(r)) LoadText(*path);
}

void frmText::mnuViewSortRead_Click(int index) {
    mPractice.setTextRead(index);
    mnuViewSortRead[static_cast<size_t>(index)]->setChecked(true);
}

void frmText::mnuViewTotalClear_Click() {
    if (mPractice.TotalClear()) refreshFigures();
}

void frmText::dropFiles(const QMimeData* data) {
    if (!data || !data->hasUrls() || data->urls().isEmpty()) return;
    const QUrl first = data->urls().constFirst();
    if (!first.isLocalFile()) return;
    // Loaded once the drop has completed, so that an error box does not
    // hold the drag source waiting.
    QTimer::singleShot(0, this, [this, path = first.toLocalFile()] { LoadText(path); });
}

bool frmText::event(QEvent* e) {
    // Key preview: the window judges every typed character before anything
    // else sees the key; the event then goes on as usual.
    if (e->type() == QEvent::KeyPress) {
        // A key held with Ctrl or Alt is a command, not typing.
        const auto* k = static_cast<QKeyEvent*>(e);
        const bool chord = k->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
        bool changed = false;
        if (!chord)
            for (QChar ch : k->text()) changed = mPractice.keyPress(ch) || changed;
        if (changed) refresh();
    }
    if (e->type() == QEvent::DragEnter || e->type() == QEvent::DragMove || e->type() == QEvent::Drop)
        return eventFilter(this, e);
    return QMainWindow::event(e);
}

bool frmText::eventFilter(QObject* watched, QEvent* e) {
    switch (e->type()) {
        case QEvent::DragEnter:
        case QEvent::DragMove: {
            auto* d = static_cast<QDropEvent*>(e);
            if (d->mimeData() && d->mimeData()->hasUrls())
                d->acceptProposedAction();
            else
                d->ignore();
            return true;
        }
        case QEvent::Drop: {
            auto* d = static_cast<QDropEvent*>(e);
            dropFiles(d->mimeData());
            d->acceptProposedAction();
            return true;
        }
        default:
            return QMainWindow::eventFilter(watched, e);
    }
}

void frmText::resizeEvent(QResizeEvent* e) {
    QMainWindow::resizeEvent(e);
    if (isMinimized()) return;
    const int outerTw = twips::outerWidthTw(width(), true);
    const int lineWidth = twips::px(outerTw - kLineMarginTw);
    lblDisplay->resize(lineWidth, lblDisplay->height());
    lblInput->resize(lineWidth, lblInput->height());
    Line1.setWidth(width());
}

void frmText::changeEvent(QEvent* e) {
    QMainWindow::changeEvent(e);
    if (e->type() != QEvent::WindowStateChange || !isMaximized()) return;
    // Maximised: the full screen width at the opening height, top-left.
    QTimer::singleShot(0, this, [this] {
        QScreen* s = screen();
        if (!s || !isMaximized()) return;
        const QPoint corner = s->geometry().topLeft() + QPoint(mCtx.main.gMaxLeft, mCtx.main.gMaxTop);
        if (frameGeometry().topLeft() != corner) move(corner);
    });
}

void frmText::closeEvent(QCloseEvent* e) {
    mPractice.Unload();
    e->accept();
}
