// The learning engine in the windows: the heat map of the main window's
// keyboard and its setting, the weak-key level in the practice menu, keys
// typed in the main window reaching the store, and the analysis window with
// its exports and import.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QAction>
#include <QChartView>
#include <QFile>
#include <QLabel>
#include <QLineSeries>
#include <QMenu>
#include <QTableWidget>
#include <QTest>

#include "FakeApp.h"
#include "Learning.h"
#include "LearningReport.h"
#include "LearningRig.h"
#include "QtHeatLegend.h"
#include "QtKeyLabel.h"
#include "Widgets.h"
#include "frmAnalysis.h"
#include "frmMain.h"

using learning::Keystroke;

namespace {

struct WindowRig : FakeAppT<SeededRandom> {
    Learning learning{param, clock, dialogs};
    frmMain* window = nullptr;

    WindowRig() { ctx.learning = &learning; }
    ~WindowRig() {
        if (window) {
            window->close();
            delete window;
        }
    }
    void open() {
        window = new frmMain(ctx);
        window->show();
        QCoreApplication::processEvents();
    }
    // Five days of letter practice: every letter twelve times a day at
    // 250 ms, except Q (thirty times, 700 ms getting faster by 60 ms a day,
    // missed six times a day as W) and P (400 ms).
    void practise() {
        std::vector<Keystroke> keys;
        qint64 t = QDateTime(QDate(2026, 11, 20), QTime(10, 0)).toMSecsSinceEpoch();
        for (int day = 0; day < 5; ++day, t += 86'400'000) {
            qint64 at = t;
            for (int16_t vk = 'A'; vk <= 'Z'; ++vk) {
                const int ms = vk == 'Q' ? 700 - 60 * day : vk == 'P' ? 400 : 250;
                auto run = drill(vk, vk == 'Q' ? 30 : 12, vk == 'Q' ? 6 : 0, ms, at, 'W');
                keys.insert(keys.end(), run.begin(), run.end());
            }
        }
        ASSERT_TRUE(learning.store()->append(keys));
        learning.storeChanged();
    }
    QAction* action(QWidget* w, const char* name) const { return w->findChild<QAction*>(QString::fromLatin1(name)); }
    QtHeatLegend* legend() const { return window->findChild<QtHeatLegend*>("picHeatLegend"); }
    QColor back(int code) const { return window->keyLabel(code)->palette().color(QPalette::Window); }
    // The marks of a key: "slow", "missed", both or none.
    std::string marks(int code) const {
        auto* l = static_cast<QtKeyLabel*>(window->keyLabel(code));
        return std::string(l->slowMark() ? "slow" : "") + (l->missedMark() ? "missed" : "");
    }
    void screenshot(QWidget* w, const char* name) const {
        const QString dir = qEnvironmentVariable("LUMBRA_SCREENSHOT_DIR");
        if (!dir.isEmpty()) w->grab().save(dir + u'/' + QString::fromLatin1(name));
    }
};

}  // namespace

TEST(LearningWindows, HeatMapPaintsWeaknessAndIsKeptInTheSettings) {
    WindowRig rig;
    rig.practise();
    rig.open();
    QAction* heat = rig.action(rig.window, "mnuViewHeatMap");
    ASSERT_NE(heat, nullptr);
    EXPECT_EQ(heat->text(), QStringLiteral("苦手キーの色分け(&H)"));
    EXPECT_FALSE(heat->isChecked());
    const QColor fingerQ = rig.back('Q');
    EXPECT_EQ(fingerQ, QColor(255, 192, 192));
    const int height = rig.window->height();
    EXPECT_FALSE(rig.legend()->isVisible());

    heat->trigger();
    EXPECT_EQ(rig.param.KeyBoardHeatMap(), 1);
    EXPECT_EQ(rig.back('Q'), ui::fromColorValue(learning::heatColor(rig.learning.weakness('Q', 0))));
    EXPECT_GT(rig.back('Q').red(), 2 * rig.back('Q').green());                  // the weakest key is red
    EXPECT_EQ(rig.back('1'), ui::fromColorValue(learning::kUnknownHeatColor));  // never typed
    // Slow and often missed told apart; the legend under the keyboard says so.
    EXPECT_EQ(rig.marks('Q'), "slowmissed");
    EXPECT_EQ(rig.marks('P'), "slow");
    EXPECT_EQ(rig.marks('A'), "");
    ASSERT_TRUE(rig.legend()->isVisible());
    EXPECT_GT(rig.window->height(), height);
    EXPECT_EQ(rig.legend()->text(), QStringLiteral("苦手度: 得意 ふつう 1.5 倍 2 倍以上 未判定 印: 遅い ミスが多い"));
    rig.screenshot(rig.window, "heatmap.png");
    rig.param.SaveSettings();
    EXPECT_TRUE(rig.folder.read("Lumbra.ini").contains("KeyBoardHeatMap=1\r\n"));

    heat->trigger();
    EXPECT_EQ(rig.back('Q'), fingerQ);
    EXPECT_EQ(rig.marks('Q'), "");
    EXPECT_FALSE(rig.legend()->isVisible());
    EXPECT_EQ(rig.window->height(), height);
}

TEST(LearningWindows, HeatMapKeptOnIsPaintedOnceTheWindowIsUp) {
    WindowRig rig;
    rig.practise();
    rig.param.KeyBoardHeatMap(1);
    rig.window = new frmMain(rig.ctx);
    EXPECT_EQ(rig.back('Q'), QColor(255, 192, 192));  // not while the window is built
    rig.window->show();
    QCoreApplication::processEvents();
    EXPECT_TRUE(rig.action(rig.window, "mnuViewHeatMap")->isChecked());
    EXPECT_EQ(rig.back('Q'), ui::fromColorValue(learning::heatColor(rig.learning.weakness('Q', 0))));
}

TEST(LearningWindows, WeakKeyLevelFollowsAllKeysInThePracticeMenu) {
    WindowRig rig;
    rig.open();
    QAction* weak = rig.action(rig.window, "mnuSetLevelSelect_13");
    ASSERT_NE(weak, nullptr);
    EXPECT_EQ(weak->text(), QStringLiteral("苦手キー(&W)"));
    const QList<QAction*> items = rig.window->findChild<QMenu*>("mnuSetLevel")->actions();
    const auto at = items.indexOf(weak);
    ASSERT_GT(at, 0);
    EXPECT_EQ(items[at - 1], rig.action(rig.window, "mnuSetLevelSelect_10"));
    weak->trigger();
    EXPECT_EQ(rig.param.Level(), 13);
    EXPECT_EQ(rig.window->windowTitle(), QStringLiteral("タッチタイプ練習（苦手キー）"));
}

TEST(LearningWindows, KeysTypedInTheMainWindowReachTheStoreAfterTheRun) {
    WindowRig rig;
    rig.param.NeedCount(5);
    rig.open();
    for (int i = 0; i < 5; ++i) {
        const int code = rig.main.keyCode(rig.window->practice().next(0));
        QTest::keyClick(rig.window, static_cast<Qt::Key>(code));
    }
    EXPECT_EQ(rig.learning.buffered(), 5u);
    QCoreApplication::processEvents();
    EXPECT_EQ(rig.learning.buffered(), 0u);
    KeystrokeStore store(rig.param.KeystrokeFileName());
    ASSERT_TRUE(store.open());
    EXPECT_EQ(store.figures(0)->keystrokes, 5);
}

TEST(LearningWindows, AnalysisWindowShowsTheFiguresAndExportsAndImports) {
    WindowRig rig;
    rig.practise();
    rig.open();
    rig.action(rig.window, "mnuViewAnalysis")->trigger();
    auto* w = rig.forms.find<frmAnalysis>();
    ASSERT_NE(w, nullptr);
    EXPECT_FALSE(w->isModal());
    rig.action(rig.window, "mnuViewAnalysis")->trigger();
    EXPECT_EQ(rig.window->findChildren<frmAnalysis*>().size(), 1);

    ASSERT_EQ(w->tblKeys->rowCount(), 26);
    EXPECT_EQ(w->tblKeys->item(0, 0)->text(), QStringLiteral("Q"));
    EXPECT_EQ(w->tblKeys->item(1, 0)->text(), QStringLiteral("P"));
    EXPECT_EQ(w->tblKeys->item(0, 6)->text().left(5), QStringLiteral("速くなった"));
    EXPECT_EQ(w->tblKeys->item(0, learning::kSideColumn)->text(), QStringLiteral("遅い・ミスが多い"));
    EXPECT_EQ(w->tblKeys->item(1, learning::kSideColumn)->text(), QStringLiteral("遅い"));
    EXPECT_EQ(w->tblKeys->horizontalHeaderItem(1)->text(), QStringLiteral("打鍵数（全部）"));
    EXPECT_TRUE(w->lblExplanation->text().contains(QStringLiteral("苦手度は %1 回打つと").arg(learning::kMinAttempts)));
    EXPECT_TRUE(w->picHeatLegend->isVisible());
    ASSERT_EQ(w->tblConfusions->rowCount(), 1);
    EXPECT_EQ(w->tblConfusions->item(0, 1)->text(), QStringLiteral("W"));
    EXPECT_EQ(w->tblConfusions->item(0, 2)->text(), QStringLiteral("30"));
    ASSERT_EQ(w->tblTransitions->rowCount(), 10);
    EXPECT_EQ(w->tblTransitions->item(0, 0)->text() + w->tblTransitions->item(0, 1)->text(), QStringLiteral("QQ"));
    EXPECT_EQ(w->tblTransitions->item(1, 0)->text() + w->tblTransitions->item(1, 1)->text(), QStringLiteral("WQ"));
    EXPECT_EQ(w->tblTransitions->item(1, 2)->text(), QStringLiteral("580 ms"));
    EXPECT_EQ(w->tblTransitions->item(2, 0)->text(), QStringLiteral("P"));
    EXPECT_TRUE(w->lblSummary->text().contains(QStringLiteral("記録した打鍵: 1680")));
    EXPECT_TRUE(w->lblSummary->text().contains(QStringLiteral("26 / 47")));
    EXPECT_TRUE(w->lblSummary->text().contains(QStringLiteral("苦手なキーほど多く")));
    const auto series = w->chtDays->chart()->series();
    ASSERT_EQ(series.size(), 2);
    EXPECT_EQ(static_cast<QLineSeries*>(series[0])->count(), 5);
    EXPECT_FALSE(w->lblNoDays->isVisible());
    w->resize(1040, 800);
    rig.screenshot(w, "analysis.png");

    rig.dialogs.fileAnswers.push_back(rig.folder.file("keys.json"));
    rig.action(w, "mnuFileExportKeystrokes")->trigger();
    rig.dialogs.fileAnswers.push_back(rig.folder.file("figures.csv"));
    rig.action(w, "mnuFileExportFigures")->trigger();
    EXPECT_TRUE(rig.folder.read("figures.csv").startsWith("\xEF\xBB\xBF\xE3\x82\xAD"));  // BOM, "キ"
    // Importing its own export adds nothing; the learner is told how many.
    rig.dialogs.fileAnswers.push_back(rig.folder.file("keys.json"));
    rig.action(w, "mnuFileImport")->trigger();
    ASSERT_FALSE(rig.dialogs.messages.empty());
    EXPECT_EQ(rig.dialogs.messages.back().text,
              QStringLiteral("0 件の打鍵を読み込みました（すでにあった 1680 件は除きました）。"));
    // A pipe chosen in the dialog is refused at once instead of being waited on.
    const QString pipe = rig.folder.file("pipe.json");
    ASSERT_EQ(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    rig.dialogs.fileAnswers.push_back(pipe);
    rig.action(w, "mnuFileImport")->trigger();
    EXPECT_TRUE(rig.dialogs.messages.back().text.startsWith(QStringLiteral("打鍵記録を読み込めませんでした。")));
}

TEST(LearningWindows, AnalysisWindowRefreshesAfterWritesAndNotWhileKeysAreTyped) {
    WindowRig rig;
    rig.param.NeedCount(5);
    rig.open();
    rig.action(rig.window, "mnuViewAnalysis")->trigger();
    auto* w = rig.forms.find<frmAnalysis>();
    ASSERT_NE(w, nullptr);
    w->minRefreshMs = 0;
    EXPECT_FALSE(w->chtDays->isVisible());  // nothing to draw yet: a sentence instead of empty axes
    EXPECT_TRUE(w->lblNoDays->isVisible());
    EXPECT_TRUE(w->lblNoDays->text().startsWith(QStringLiteral("まだ記録がありません")));
    const int before = w->refreshCount();
    const auto type = [&rig](int keys) {
        for (int i = 0; i < keys; ++i)
            QTest::keyClick(rig.window, static_cast<Qt::Key>(rig.main.keyCode(rig.window->practice().next(0))));
    };
    type(5);
    rig.learning.flush();
    EXPECT_EQ(w->refreshCount(), before);  // not inside the write
    type(1);                               // the next run has begun before the refresh came
    QTest::qWait(50);
    EXPECT_EQ(w->refreshCount(), before);
    type(4);
    QTRY_VERIFY(w->refreshCount() > before);
    ASSERT_GT(w->tblKeys->rowCount(), 0);
    EXPECT_TRUE(w->tblKeys->item(0, learning::kWeaknessColumn)->text().startsWith(QStringLiteral("未判定（あと 1")));
}
