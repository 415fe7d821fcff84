#include "frmSpeed.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QEvent>
#include <QMenu>
#include <QMenuBar>
#include <QPoint>
#include <QSize>

#include "AppContext.h"
#include "Dialogs.h"
#include "QtArtwork.h"
#include "Twips.h"
#include "Widgets.h"
#include "basParam.h"

namespace {

constexpr QSize kClientTw(4605, 4575);
constexpr QPoint kBoardAt(8, 8);  // pixels
// The board is the window's outer size less these margins (twips).
constexpr QSize kMarginTw(360, 900);

const std::array<QString, 2> kOrderCaptions{QStringLiteral("ＡＢＣ順(&O)"), QStringLiteral("ランダム(&R)")};

}  // namespace

frmSpeed::frmSpeed(AppContext& ctx, QWidget* parent)
    : QtGameWindow(ctx, parent, QStringLiteral("frmSpeed"), QStringLiteral("早撃ち")),
      mBoard(QSize(288, 288)),
      mGame(ctx, *this, mBoard) {
    setWindowIcon(art::speedIcon());
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinMaxButtonsHint |
                   Qt::WindowCloseButtonHint);
    QWidget* central = addClient();
    mLines = ui::addEtchedLine(central, 1);
    buildMenus();

    const QColor buttonFace = QApplication::palette().color(QPalette::Button);
    mBoard.setBackground(buttonFace);
    mBoard.setFont(ui::designFont(gameFace(), 27.75, true));
    picBoard = new QtPlayFieldView(mBoard, central);
    picBoard->setObjectName(QStringLiteral("picBoard"));
    picBoard->move(kBoardAt);
    mBoard.setView(picBoard);
    central->installEventFilter(this);
    resize(twips::px(kClientTw.width()), twips::px(kClientTw.height()) + menuBar()->sizeHint().height());

    setScoreTable(3);
    mnuSetGameType[ctx.param.SpeedGameType() == 1 ? 1 : 0]->setChecked(true);
    mGame.load();
    Form_Resize();
    setFocus();
}

void frmSpeed::buildMenus() {
    QMenu* file = menuBar()->addMenu(QStringLiteral("ファイル(&F)"));
    file->setObjectName(QStringLiteral("mnuFile"));
    mnuFileStart = addItem(file, QStringLiteral("mnuFileStart"), QStringLiteral("はじめから(&I)"));
    connect(mnuFileStart, &QAction::triggered, this, [this] { mGame.restart(); });
    file->addSeparator();
    QMenu* score = file->addMenu(QStringLiteral("成績表示(&S)"));
    score->setObjectName(QStringLiteral("mnuFileScore"));
    file->addSeparator();
    mnuFileClose = addItem(file, QStringLiteral("mnuFileClose"), QStringLiteral("閉じる(&C)"));
    connect(mnuFileClose, &QAction::triggered, this, &QWidget::close);

    QMenu* view = menuBar()->addMenu(QStringLiteral("表示(&V)"));
    view->setObjectName(QStringLiteral("mnuView"));
    QMenu* color = view->addMenu(QStringLiteral("文字色(&C)"));
    color->setObjectName(QStringLiteral("mnuViewColor"));
    const std::array<QString, 2> colorCaptions{QStringLiteral("通常文字(&N)..."), QStringLiteral("入力文字(&A)...")};
    view->addSeparator();
    mnuViewColorDefaults = addItem(view, QStringLiteral("mnuViewColorDefaults"), QStringLiteral("標準に戻す(&D)"));
    connect(mnuViewColorDefaults, &QAction::triggered, this, [this] { mGame.colorDefaults(); });

    QMenu* set = menuBar()->addMenu(QStringLiteral("設定(&S)"));
    set->setObjectName(QStringLiteral("mnuSet"));
    auto* orderGroup = ui::makeCheckGroup(this);
    for (int i = 0; i < 2; ++i) {
        const auto s = static_cast<size_t>(i);
        mnuFileScoreDisp[s] = addItem(score, QStringLiteral("mnuFileScoreDisp_%1").arg(i), kOrderCaptions[s] + "...");
        connect(mnuFileScoreDisp[s], &QAction::triggered, this, [this, i] { mGame.showScoreOf(i); });
        mnuViewColorSelect[s] = addItem(color, QStringLiteral("mnuViewColorSelect_%1").arg(i), colorCaptions[s]);
        connect(mnuViewColorSelect[s], &QAction::triggered, this, [this, i] { mnuViewColorSelect_Click(i); });
        mnuSetGameType[s] = addItem(set, QStringLiteral("mnuSetGameType_%1").arg(i), kOrderCaptions[s]);
        mnuSetGameType[s]->setCheckable(true);
        orderGroup->addAction(mnuSetGameType[s]);
        connect(mnuSetGameType[s], &QAction::triggered, this, [this, i] { mnuSetGameType_Click(i); });
    }
}

void frmSpeed::mnuSetGameType_Click(int index) {
    mGame.setGameType(index);
    mnuSetGameType[static_cast<size_t>(index)]->setChecked(true);
}

void frmSpeed::mnuViewColorSelect_Click(int index) {
    const uint32_t current = index == 0 ? mGame.normalColor() : mGame.activeColor();
    std::optional<uint32_t> chosen;
    mGame.runDialog([&] { chosen = mCtx.dialogs.chooseColor(current); });
    if (chosen) mGame.setColor(index, *chosen);
}

bool frmSpeed::eventFilter(QObject* watched, QEvent* e) {
    if (watched == centralWidget() && e->type() == QEvent::Resize) Form_Resize();
    return QtGameWindow::eventFilter(watched, e);
}

void frmSpeed::Form_Resize() {
    if (isMinimized()) return;
    QWidget* client = centralWidget();
    mLines.setWidth(client->width());
    const int widthPx = twips::px(twips::outerWidthTw(client->width(), true) - kMarginTw.width());
    const int heightPx = twips::px(twips::outerHeightTw(client->height(), true, true) - kMarginTw.height());
    const QSize size(std::max(1, widthPx), std::max(1, heightPx));
    if (size != mBoard.image().size()) {
        mBoard.resize(size);
        picBoard->resize(size);
    }
    mGame.redraw();
}
