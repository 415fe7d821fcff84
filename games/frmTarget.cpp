#include "frmTarget.h"

#include <QAction>
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>

#include "AppContext.h"
#include "QtArtwork.h"
#include "Twips.h"
#include "Widgets.h"
#include "basParam.h"

namespace {

constexpr int kClientWidthTw = 5535;
constexpr int kClientHeightTw = 3120;

// Lefts (twips) of the cans and can tops, the targets and the letters; the
// gap in the middle separates the hands.
constexpr std::array<int, 8> kCanLefts{240, 840, 1440, 2040, 2880, 3480, 4080, 4680};
constexpr std::array<int, 8> kTargetLefts{300, 900, 1500, 2100, 2940, 3540, 4140, 4740};
constexpr std::array<int, 8> kCharLefts{456, 1050, 1650, 2250, 3090, 3690, 4290, 4890};
constexpr int kCanTop = 960;
constexpr int kCanTopStripTop = 840;
constexpr int kStripHeightPx = 8;  // the top of the can picture shown above its box

QLabel* pictureLabel(QWidget* parent, const QString& name, const QPixmap& picture) {
    auto* l = new QLabel(parent);
    l->setObjectName(name);
    l->setPixmap(picture);
    l->setFocusPolicy(Qt::NoFocus);
    return l;
}

// The part of a can picture its box shows: everything below the strip, on
// the window's colour (the box is opaque and hides the targets behind it).
QPixmap canBoxPicture(int i, QSize box) {
    QPixmap pm(box);
    pm.fill(QApplication::palette().color(QPalette::Window));
    QPainter p(&pm);
    p.drawImage(0, -kStripHeightPx, art::canImage(i));
    return pm;
}

}  // namespace

frmTarget::frmTarget(AppContext& ctx, QWidget* parent)
    : QtScoreGameWindow(ctx, parent, QStringLiteral("frmTarget"), QStringLiteral("的射り")), mGame(ctx, *this) {
    setWindowIcon(art::targetIcon());
    QWidget* central = addClient();
    buildMenu(mGame);
    buildCans(central);
    buildScoreFrame(central);
    setFixedClient(kClientWidthTw, kClientHeightTw);

    loadGame(2, mGame);
}

void frmTarget::buildCans(QWidget* central) {
    for (int i = 0; i < kTargets; ++i) {
        const auto s = static_cast<size_t>(i);
        const QPixmap can = QPixmap::fromImage(art::canImage(i));
        imgCanTop[s] = pictureLabel(central, QStringLiteral("imgCanTop_%1").arg(i), can.copy(0, 0, 40, kStripHeightPx));
        ui::placeTwips(imgCanTop[s], kCanLefts[s], kCanTopStripTop, 600, 120);
        imgTarget[s] =
            pictureLabel(central, QStringLiteral("imgTarget_%1").arg(i), QPixmap::fromImage(art::targetImage(false)));
        ui::placeTwips(imgTarget[s], kTargetLefts[s], TargetGame::kRestTop, 480, 480);
        lblChar[s] = new QLabel(central);
        lblChar[s]->setObjectName(QStringLiteral("lblChar_%1").arg(i));
        lblChar[s]->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
        lblChar[s]->setAttribute(Qt::WA_TranslucentBackground);
        ui::setForeColor(lblChar[s], QColor(255, 0, 0));
        ui::placeTwips(lblChar[s], kCharLefts[s], TargetGame::kRestTop + TargetGame::kLetterOffset, 255, 375);
        picCan[s] = new QLabel(central);
        picCan[s]->setObjectName(QStringLiteral("picCan_%1").arg(i));
        ui::placeTwips(picCan[s], kCanLefts[s], kCanTop, 615, 855);
        ui::setBackColor(picCan[s], QApplication::palette().color(QPalette::Window));
        picCan[s]->setPixmap(canBoxPicture(i, picCan[s]->size()));
        picCan[s]->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    }
    // Stacking: can tops, targets, letters, and the cans in front of them all.
    for (auto* w : imgTarget) w->raise();
    for (auto* w : lblChar) w->raise();
    for (auto* w : picCan) w->raise();
}

// Captions in one row at the top of the frame.
void frmTarget::buildScoreFrame(QWidget* central) {
    fraScore = QtGameWindow::buildScoreFrame(central, QRect(240, 2040, 5055, 855),
                                             {{u"最高得点", "txtHiScore", &txtHiScore, 120, 240, 450, 1095},
                                              {u"得点", "txtScore", &txtScore, 1560, 240, 450, 1095},
                                              {u"残り", "txtCount", &txtCount, 4440, 240, 480, 495}});
}

void frmTarget::SetGameFont() {
    for (auto* l : lblChar) l->setFont(ui::designFont(gameFace(), 14.25, true));
}

void frmTarget::refresh() {
    const int targetTop = twips::px(mGame.targetTop());
    const int letterTop = twips::px(mGame.letterTop());
    for (int i = 0; i < kTargets; ++i) {
        const auto s = static_cast<size_t>(i);
        const bool hit = mGame.targetHit(i);
        if (imgTarget[s]->property("hit").toBool() != hit) {
            imgTarget[s]->setPixmap(QPixmap::fromImage(art::targetImage(hit)));
            imgTarget[s]->setProperty("hit", hit);
        }
        imgTarget[s]->move(imgTarget[s]->x(), targetTop);
        lblChar[s]->setText(mGame.caption(i));
        lblChar[s]->setVisible(mGame.letterVisible(i));
        lblChar[s]->move(lblChar[s]->x(), letterTop);
    }
    showScoreAndPause(mGame);
    txtCount->setText(mGame.txtCount());
}
