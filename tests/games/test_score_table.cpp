// The high-score dialog's contents for each game, with and without the sixth row.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QPushButton>

#include "GameRig.h"
#include "ScoreTable.h"
#include "Twips.h"
#include "frmScore.h"

namespace {

QStringList rowTexts(const ScoreTableView::Row& r) { return {r.rank, r.point, r.level, r.name, r.date}; }

}  // namespace

TEST(ScoreTable, BalloonRowsWithAndWithoutTheSixth) {
    GameRig rig;
    rig.results.AddBalloonScore(500, 7);
    rig.results.AddBalloonScore(120, 3);
    rig.results.AddBalloonScore(-20, 1);  // does not rank: row 5

    const ScoreTableView five = BuildScoreTable(rig.results, rig.param, 1, 2);
    EXPECT_EQ(five.rows, 5);
    EXPECT_FALSE(five.sixthRow);
    EXPECT_EQ(five.pointTitle, QStringLiteral("得点"));
    EXPECT_EQ(five.levelTitle, QStringLiteral("レベル"));
    EXPECT_EQ(rowTexts(five.row[0]), (QStringList{"1", "500", "7", "tester", "2024/05/06"}));
    EXPECT_EQ(rowTexts(five.row[1]), (QStringList{"2", "120", "3", "tester", "2024/05/06"}));
    EXPECT_EQ(rowTexts(five.row[2]), (QStringList{"3", "", "", "", ""}));
    EXPECT_TRUE(five.row[1].highlight);
    EXPECT_FALSE(five.row[0].highlight);

    const ScoreTableView six = BuildScoreTable(rig.results, rig.param, 1, 6);
    EXPECT_EQ(six.rows, 6);
    EXPECT_EQ(rowTexts(six.row[5]), (QStringList{"-", "-20", "1", "tester", "2024/05/06"}));
    EXPECT_TRUE(six.row[5].highlight);
    EXPECT_FALSE(six.row[1].highlight);
}

TEST(ScoreTable, TargetRowsBelowOnePointShowEmpty) {
    GameRig rig;
    rig.results.AddTargetScore(687);
    rig.results.AddTargetScore(-3);
    const ScoreTableView v = BuildScoreTable(rig.results, rig.param, 2, 6);
    EXPECT_EQ(v.levelTitle, QString());
    EXPECT_EQ(rowTexts(v.row[0]), (QStringList{"1", "687", "－", "tester", "2024/05/06"}));
    EXPECT_EQ(rowTexts(v.row[5]), (QStringList{"-", "", "", "", ""}));
    EXPECT_TRUE(v.row[5].highlight);
    const ScoreTableView none = BuildScoreTable(rig.results, rig.param, 2, 0);
    for (const auto& r : none.row) EXPECT_FALSE(r.highlight);
}

TEST(ScoreTable, QuickDrawShowsTheHalfOfTheCurrentOrderAndTheSharedSixthRow) {
    GameRig rig;
    rig.param.SpeedGameType(0);
    rig.results.AddSpeedTime(12345, 3);
    rig.param.SpeedGameType(1);
    rig.results.AddSpeedTime(9800, 0);
    rig.results.AddSpeedTime(15000, 4);
    for (int i = 0; i < 3; ++i) rig.results.AddSpeedTime(16000 + i, 1);
    rig.results.AddSpeedTime(20000, 9);  // random half full: the shared row 5

    const ScoreTableView random = BuildScoreTable(rig.results, rig.param, 3, 6);
    EXPECT_EQ(random.pointTitle, QStringLiteral("時間"));
    EXPECT_EQ(random.levelTitle, QStringLiteral("ミス数"));
    EXPECT_EQ(rowTexts(random.row[0]), (QStringList{"1", "9.8", "0", "tester", "2024/05/06"}));
    EXPECT_EQ(rowTexts(random.row[1]), (QStringList{"2", "15", "4", "tester", "2024/05/06"}));
    EXPECT_EQ(random.row[4].point, QStringLiteral("16.002"));
    EXPECT_EQ(rowTexts(random.row[5]), (QStringList{"-", "20", "9", "tester", "2024/05/06"}));

    rig.param.SpeedGameType(0);
    const ScoreTableView abc = BuildScoreTable(rig.results, rig.param, 3, 0);
    EXPECT_EQ(abc.rows, 5);
    EXPECT_EQ(rowTexts(abc.row[0]), (QStringList{"1", "12.345", "3", "tester", "2024/05/06"}));
    EXPECT_EQ(abc.row[1].point, QString());
}

TEST(ScoreDialog, GeometryAndHighlight) {
    GameRig rig;
    rig.results.AddBalloonScore(300, 4);
    rig.results.AddBalloonScore(-10, 1);
    ASSERT_TRUE(rig.results.SaveResults());
    rig.results.AddBalloonScore(999, 9);  // not saved: the dialog reads the file

    auto label = [](const frmScore& dlg, const char* name) { return dlg.findChild<QLabel*>(name); };
    {
        frmScore dlg(rig.ctx, 1, 6);
        const auto* ok = dlg.findChild<QPushButton*>("cmdOk");
        EXPECT_EQ(dlg.windowTitle(), QStringLiteral("成績表示"));
        EXPECT_EQ(dlg.height(), twips::clientHeightPx(3300, false, false));
        EXPECT_EQ(ok->geometry(), QRect(twips::px(3360), twips::px(2280), twips::px(1215), twips::px(375)));
        EXPECT_TRUE(ok->isDefault());
        EXPECT_FALSE(label(dlg, "lblDate_5")->isHidden());
        EXPECT_EQ(label(dlg, "lblPoint_0")->text(), QStringLiteral("300"));
        EXPECT_EQ(label(dlg, "lblPoint_5")->text(), QStringLiteral("-10"));
        EXPECT_EQ(label(dlg, "lblName_5")->palette().color(QPalette::Window), QColor(255, 255, 128));
        EXPECT_NE(label(dlg, "lblName_0")->palette().color(QPalette::Window), QColor(255, 255, 128));
        EXPECT_EQ(label(dlg, "lblRank_5")->geometry().top(), twips::px(1800));
        if (const QString dir = qEnvironmentVariable("LUMBRA_SHOTS"); !dir.isEmpty()) {
            dlg.show();
            const QImage img = dlg.grab().toImage();
            img.scaled(img.size() * 2).save(dir + QStringLiteral("/score_x2.png"));
        }
    }
    {
        frmScore dlg(rig.ctx, 1, 0);  // from a menu: five rows, nothing highlighted
        EXPECT_EQ(dlg.height(), twips::clientHeightPx(2910, false, false));
        EXPECT_EQ(dlg.findChild<QPushButton*>("cmdOk")->y(), twips::px(1920));
        EXPECT_TRUE(label(dlg, "lblDate_5")->isHidden());
        for (const char* rank : {"lblRank_0", "lblRank_1", "lblRank_2", "lblRank_3", "lblRank_4"})
            EXPECT_NE(label(dlg, rank)->palette().color(QPalette::Window), QColor(255, 255, 128)) << rank;
    }
}
