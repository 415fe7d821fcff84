#include "frmBalloon.h"

#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>

#include "AppContext.h"
#include "QtArtwork.h"
#include "Widgets.h"
#include "basParam.h"

namespace {

constexpr int kClientWidthTw = 5655;
constexpr int kClientHeightTw = 3225;

}  // namespace

frmBalloon::frmBalloon(AppContext& ctx, QWidget* parent)
    : QtScoreGameWindow(ctx, parent, QStringLiteral("frmBalloon"), QStringLiteral("風船割り")),
      mField(QSize(BalloonGame::kFieldWidth, BalloonGame::kFieldHeight)),
      mGame(ctx, *this, mField) {
    setWindowIcon(art::balloonIcon());
    QWidget* central = addClient();
    buildMenu(mGame);

    mField.setBackground(art::balloonSky());
    mField.clear();
    picGameWindow = new QtPlayFieldView(mField, central);
    picGameWindow->setObjectName(QStringLiteral("picGameWindow"));
    picGameWindow->setGeometry(8, 16, BalloonGame::kFieldWidth, BalloonGame::kFieldHeight);
    mField.setView(picGameWindow);
    buildScoreFrame(central);
    setFixedClient(kClientWidthTw, kClientHeightTw);

    loadGame(1, mGame);
}

// Captions sit right above their value boxes.
void frmBalloon::buildScoreFrame(QWidget* central) {
    fraScore = QtGameWindow::buildScoreFrame(central, QRect(4200, 120, 1335, 3015),
                                             {{u"最高得点", "txtHiScore", &txtHiScore, 120, 240, 450, 1095},
                                              {u"得点", "txtScore", &txtScore, 120, 720, 930, 1095},
                                              {u"最高レベル", "txtHiLevel", &txtHiLevel, 120, 1440, 1650, 1095},
                                              {u"レベル", "txtLevel", &txtLevel, 120, 1920, 2130, 1095}});
}

void frmBalloon::SetGameFont() { mField.setFont(ui::designFont(gameFace(), 20.25, true)); }

void frmBalloon::refresh() {
    showScoreAndPause(mGame);
    txtLevel->setText(mGame.txtLevel());
    txtHiLevel->setText(mGame.txtHiLevel());
}
