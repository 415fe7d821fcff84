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
#include "frmScore.h"

namespace {

constexpr int kClientWidthTw = 5655;
constexpr int kClientHeightTw = 3225;

// The score frame's caption/value pairs: caption, value box, value top (twips).
struct ScoreBoxDef {
    const char16_t* caption;
    const char* name;
    int top;
};
constexpr std::array<ScoreBoxDef, 4> kScoreBoxes{{
    {u"最高得点", "txtHiScore", 450},
    {u"得点", "txtScore", 930},
    {u"最高レベル", "txtHiLevel", 1650},
    {u"レベル", "txtLevel", 2130},
}};

}  // namespace

frmBalloon::frmBalloon(AppContext& ctx, QWidget* parent)
    : QtGameWindow(ctx, parent, QStringLiteral("frmBalloon"), QStringLiteral("風船割り")),
      mField(QSize(BalloonGame::kFieldWidth, BalloonGame::kFieldHeight)),
      mGame(ctx, *this, mField) {
    setWindowIcon(art::balloonIcon());
    auto* central = new QWidget(this);
    central->setObjectName(QStringLiteral("client"));
    central->setFocusPolicy(Qt::NoFocus);
    setCentralWidget(central);
    buildMenu();

    mField.setBackground(art::balloonSky());
    mField.clear();
    picGameWindow = new QtPlayFieldView(mField, central);
    picGameWindow->setObjectName(QStringLiteral("picGameWindow"));
    picGameWindow->setGeometry(8, 16, BalloonGame::kFieldWidth, BalloonGame::kFieldHeight);
    mField.setView(picGameWindow);
    buildScoreFrame(central);
    setFixedClient(kClientWidthTw, kClientHeightTw);

    // Load: the score dialog shows the balloon table from now on.
    frmScore::setGParent(1);
    mGame.load();
    SetGameFont();
    refresh();
    setFocus();
}

void frmBalloon::buildMenu() {
    const GameFileMenu m = buildGameFileMenu([this] { mGame.StartGame(); }, [this] { mGame.pauseClick(); },
                                             [this] { mGame.scoreClick(); });
    mnuFileStart = m.start;
    mnuFilePause = m.pause;
    mnuFileScore = m.score;
    mnuFileClose = m.close;
}

void frmBalloon::buildScoreFrame(QWidget* central) {
    fraScore = new QGroupBox(central);
    fraScore->setObjectName(QStringLiteral("fraScore"));
    ui::placeTwips(fraScore, 4200, 120, 1335, 3015);
    const QFont captionFont = ui::designFont(QStringLiteral("ＭＳ Ｐゴシック"), 9);
    std::array<QLineEdit**, 4> boxes{&txtHiScore, &txtScore, &txtHiLevel, &txtLevel};
    for (size_t i = 0; i < kScoreBoxes.size(); ++i) {
        const ScoreBoxDef& d = kScoreBoxes[i];
        auto* caption = new QLabel(QString::fromUtf16(d.caption), fraScore);
        caption->setObjectName(QStringLiteral("lbl") + QString::fromLatin1(d.name).mid(3));
        caption->setFont(captionFont);
        ui::placeTwips(caption, 120, d.top - 210, 1095, 210);
        *boxes[i] = valueBox(fraScore, QString::fromLatin1(d.name));
        ui::placeTwips(*boxes[i], 120, d.top, 1095, 255);
    }
}

void frmBalloon::SetGameFont() {
    QFont f = ui::designFont(mCtx.param.FontName(), 20.25, true);
    if (mCtx.param.FontName().trimmed().isEmpty()) f = ui::designFont(QStringLiteral("ＭＳ ゴシック"), 20.25, true);
    mField.setFont(f);
}

void frmBalloon::refresh() {
    txtScore->setText(mGame.txtScore());
    txtLevel->setText(mGame.txtLevel());
    txtHiScore->setText(mGame.txtHiScore());
    txtHiLevel->setText(mGame.txtHiLevel());
    mnuFilePause->setText(mGame.mechanics().pauseCaption());
    mnuFilePause->setEnabled(mGame.mechanics().pauseEnabled());
}

void frmBalloon::showModal(AppContext& ctx, QWidget* owner) {
    auto* w = new frmBalloon(ctx, owner);
    w->setAttribute(Qt::WA_DeleteOnClose);
    w->centreOnOwner();
    ui::runModal(w);
}
