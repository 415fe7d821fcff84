// The game windows: wiring of keys, menus and the timer, and pictures of the
// windows in play (saved when LUMBRA_SHOTS names a folder).
#include <gtest/gtest.h>

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QTimer>

#include "GameRig.h"
#include "QtArtwork.h"
#include "Twips.h"
#include "frmBalloon.h"
#include "frmSpeed.h"
#include "frmTarget.h"

namespace {

std::vector<float> seeded(int n, uint32_t seed) {
    SeededRandom r(seed);
    std::vector<float> v;
    for (int i = 0; i < n; ++i) v.push_back(r.Rnd());
    return v;
}

void shot(QWidget& w, const QString& name) {
    const QString dir = qEnvironmentVariable("LUMBRA_SHOTS");
    if (dir.isEmpty()) return;
    const QImage img = w.grab().toImage();
    img.save(dir + u'/' + name + QStringLiteral(".png"));
    img.scaled(img.size() * 3).save(dir + u'/' + name + QStringLiteral("_x3.png"));
}

void saveArt(const QImage& img, const QString& name) {
    const QString dir = qEnvironmentVariable("LUMBRA_SHOTS");
    if (!dir.isEmpty()) img.scaled(img.size() * 4).save(dir + u'/' + name + QStringLiteral(".png"));
}

void press(QWidget& w, int qtKey, const QString& text) {
    QKeyEvent e(QEvent::KeyPress, qtKey, Qt::NoModifier, text);
    QApplication::sendEvent(&w, &e);
}

}  // namespace

TEST(BalloonWindow, KeysReachTheGameAndTheBoxesFollow) {
    GameRig rig;
    rig.random.setSequence(seeded(4000, 7));
    frmBalloon w(rig.ctx);
    w.show();
    for (int i = 0; i < 60; ++i) {
        w.game().tick();
        w.refreshNow();
    }
    const BalloonType& b = w.game().balloon(1);
    press(w, Qt::Key_A + (b.Char.at(0).toUpper().unicode() - 'A'), b.Char.toLower());
    EXPECT_EQ(w.game().balloon(1).State, 5);
    EXPECT_EQ(w.txtScore->text(), w.game().txtScore());
    EXPECT_NE(w.txtScore->text(), QStringLiteral("0"));
    EXPECT_TRUE(w.timer()->isActive());
    EXPECT_EQ(w.timer()->interval(), 100);
    w.mnuFilePause->trigger();
    EXPECT_FALSE(w.timer()->isActive());
    EXPECT_EQ(w.mnuFilePause->text(), QStringLiteral("再開"));
    w.mnuFilePause->trigger();
    EXPECT_TRUE(w.timer()->isActive());
    EXPECT_EQ(w.mnuFilePause->text(), QStringLiteral("停止"));
}

TEST(BalloonWindow, PictureMidGame) {
    GameRig rig;
    rig.random.setSequence(seeded(20000, 11));
    frmBalloon w(rig.ctx);
    w.show();
    // Play up to level 9 by popping every balloon once it is well up.
    for (int t = 0; t < 4000 && w.game().level() < 9; ++t) {
        w.game().tick();
        for (int c = 1; c <= w.game().balloonCount(); ++c) {
            const BalloonType& b = w.game().balloon(c);
            if (b.State == 0 && b.Y < 100) w.game().keyDown(b.Char.toUpper().at(0).unicode());
        }
    }
    for (int t = 0; t < 12; ++t) w.game().tick();
    w.refreshNow();
    shot(w, QStringLiteral("balloon"));
    EXPECT_GE(w.game().level(), 9);
}

TEST(Artwork, SheetsHaveTheirSizesAndMasksCoverEveryPicturePixel) {
    struct Sheet {
        const QImage& picture;
        const QImage& mask;
        QSize size;
        QSize cell;
        const char* name;
    };
    const std::vector<Sheet> sheets{
        {art::balloonSheet(), art::balloonMask(), QSize(224, 96), QSize(32, 48), "balloons"},
        {art::bombSheet(), art::bombMask(), QSize(144, 48), QSize(48, 48), "bombs"},
    };
    for (const Sheet& s : sheets) {
        SCOPED_TRACE(s.name);
        EXPECT_EQ(s.picture.size(), s.size);
        saveArt(s.picture, QString::fromLatin1(s.name));
        saveArt(s.mask, QString::fromLatin1(s.name) + QStringLiteral("_mask"));
        int outside = 0, shape = 0;
        for (int y = 0; y < s.size.height(); ++y)
            for (int x = 0; x < s.size.width(); ++x) {
                const QRgb m = s.mask.pixel(s.mask.width() == s.size.width() ? x : x % s.cell.width(),
                                            s.mask.height() == s.size.height() ? y : y % s.cell.height());
                EXPECT_TRUE(m == 0xFF000000 || m == 0xFFFFFFFF) << x << "," << y;
                const bool black = (s.picture.pixel(x, y) & 0xFFFFFF) == 0;
                if (m == 0xFFFFFFFF && !black) ++outside;
                if (m == 0xFF000000) ++shape;
            }
        EXPECT_EQ(outside, 0);
        EXPECT_GT(shape, 0);
    }
    EXPECT_EQ(art::balloonMask().size(), QSize(32, 48));
    EXPECT_EQ(art::targetImage(false).size(), QSize(32, 32));
    EXPECT_EQ(art::targetImage(true).size(), QSize(32, 32));
    for (int i = 0; i < 8; ++i) EXPECT_EQ(art::canImage(i).size(), QSize(40, 64));
    saveArt(art::targetImage(false), QStringLiteral("target"));
    saveArt(art::targetImage(true), QStringLiteral("target_hit"));
    QImage cans(320, 64, QImage::Format_ARGB32_Premultiplied);
    cans.fill(QColor(240, 240, 240));
    {
        QPainter p(&cans);
        for (int i = 0; i < 8; ++i) p.drawImage(i * 40, 0, art::canImage(i));
    }
    saveArt(cans, QStringLiteral("cans"));
}

TEST(TargetWindow, PictureMidWave) {
    GameRig rig;
    rig.random.setSequence(seeded(2000, 3));
    frmTarget w(rig.ctx);
    w.show();
    for (int t = 0; t < 31 + 9; ++t) w.game().tick();
    // Hit three targets, one after the other.
    for (int i : {1, 4, 6}) w.game().keyDown(w.game().caption(i).toUpper().at(0).unicode());
    w.refreshNow();
    shot(w, QStringLiteral("target"));
    EXPECT_EQ(w.txtScore->text(), QStringLiteral("60"));
    EXPECT_FALSE(w.lblChar[4]->isVisible());
    EXPECT_EQ(w.imgTarget[0]->y(), twips::px(w.game().targetTop()));
}

TEST(SpeedWindow, PictureMidGame) {
    GameRig rig;
    rig.random.setSequence(seeded(2000, 5));
    rig.clock.now = 1000;
    frmSpeed w(rig.ctx);
    w.show();
    for (int i = 0; i < 9; ++i) {
        w.game().keyDown(w.game().chars(i).toUpper().at(0).unicode());
        w.game().tick();
    }
    shot(w, QStringLiteral("speed"));
    EXPECT_EQ(w.game().pos(), 9);
    EXPECT_EQ(w.board().image().size(), QSize(291, 292));
}

// The game-type items wear a check mark (no exclusive group), one at a time;
// the colour items open the colour dialog on the colour in use.
TEST(SpeedWindow, GameTypeCheckMarkAndColourDialogs) {
    GameRig rig;
    rig.param.SpeedGameType(0);
    frmSpeed w(rig.ctx);
    QAction* abc = w.mnuSetGameType[0];
    QAction* random = w.mnuSetGameType[1];
    EXPECT_FALSE(abc->actionGroup() && abc->actionGroup()->isExclusive());
    EXPECT_TRUE(abc->isChecked());
    random->trigger();
    EXPECT_TRUE(random->isChecked());
    EXPECT_FALSE(abc->isChecked());
    EXPECT_EQ(rig.param.SpeedGameType(), 1);
    random->trigger();  // the checked one again: stays checked, no restart
    EXPECT_TRUE(random->isChecked());

    w.mnuViewColorSelect[0]->trigger();
    w.mnuViewColorSelect[1]->trigger();
    EXPECT_EQ(rig.dialogs.colorsShown,
              (std::vector<uint32_t>{255u + 256u * 55u + 65536u * 55u, 55u + 256u * 55u + 65536u * 255u}));
}

TEST(GameWindows, ScoreDialogShowsTheWindowsOwnTable) {
    GameRig rig;
    frmBalloon balloon(rig.ctx);
    frmTarget target(rig.ctx);
    frmSpeed speed(rig.ctx);
    for (auto [w, levelTitle] :
         {std::pair<QtGameWindow*, const char*>{&balloon, "レベル"}, {&target, ""}, {&speed, "ミス数"}}) {
        QString shown = QStringLiteral("no dialog");
        QTimer::singleShot(0, [&] {
            if (QWidget* dlg = QApplication::activeModalWidget()) {
                shown = dlg->findChild<QLabel*>("lblLevelTitle")->text();
                dlg->close();
            }
        });
        w->showScore(0);
        EXPECT_EQ(shown, QString::fromUtf8(levelTitle)) << w->objectName().toStdString();
    }
}
