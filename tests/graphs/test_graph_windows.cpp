// The three graph windows: what they load from and store to the settings,
// their menus and toggles, and that what they show follows the data.
#include <QAction>
#include <QActionGroup>
#include <QGuiApplication>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTimer>

#include "GraphCsv.h"
#include "GraphPlot.h"
#include "QtSurface.h"
#include "Twips.h"
#include "frmGraph.h"
#include "frmGraph2.h"
#include "frmGraphText.h"
#include "test_graph_support.h"

namespace {

QColor pixel(const QtGraphWindow* w, int x, int y) { return w->picGameRpt->image().pixelColor(x, y); }

// Saves a grab of the window when LUMBRA_SHOTS names a folder.
void shot(QWidget* w, const char* name) {
    const QString dir = qEnvironmentVariable("LUMBRA_SHOTS");
    if (!dir.isEmpty()) w->grab().save(dir + u'/' + QString::fromUtf8(name) + QStringLiteral(".png"));
}

template <typename T>
T* openWindow(GraphWorld& world) {
    auto* w = QtGraphWindow::showModeless<T>(world.ctx, nullptr);
    settle();
    return w;
}

void fillTests(GraphWorld& world) {
    const double times[] = {58.2, 51.9, 49.5, 50.3, 46.8, 44.1, 45.6, 41.7, 40.2, 42.8, 38.9, 37.5,
                            39.4, 36.1, 35.8, 34.2, 36.6, 33.1, 32.4, 31.8, 33.5, 30.9, 29.7, 30.4};
    const int16_t misses[] = {9, 7, 8, 6, 7, 5, 6, 4, 5, 6, 3, 4, 5, 3, 2, 4, 3, 2, 3, 1, 2, 2, 1, 0};
    for (size_t i = 0; i < std::size(times); ++i) world.addTest(0, times[i], misses[i]);
    world.addTest(2, 42.5, 3);
    world.addTest(2, 38.0, 1);
}

}  // namespace

class GraphWindowTest : public ::testing::Test {
protected:
    GraphWorld world;
    void TearDown() override {
        for (QWidget* w : world.forms.forms()) delete w;
    }
};

TEST_F(GraphWindowTest, TestGraphRestoresKindAndSizeAndStoresThemOnClose) {
    world.param.TestGraphIndex(2);
    world.param.TestGraphWidth(9000);
    world.param.TestGraphHeight(6000);
    fillTests(world);
    auto* w = openWindow<frmGraph>(world);
    EXPECT_EQ(w->windowTitle(), QStringLiteral("グラフ表示"));
    EXPECT_TRUE(w->optTestIndex[2]->isChecked());
    EXPECT_EQ(w->testKind(), 2);
    EXPECT_EQ(w->optTestIndex[2]->text(), QStringLiteral("初級テスト"));
    EXPECT_EQ(w->optTestIndex[0]->text(), QStringLiteral("総合テスト"));
    EXPECT_EQ(w->optTestIndex[0]->geometry(), QRect(twips::px(1560), twips::px(120), twips::px(1215), twips::px(255)));
    EXPECT_EQ(w->picGameRpt->toolTip(), QStringLiteral("グラフは最大５０回分表示されます"));
    EXPECT_EQ(w->picGameRpt->y(), twips::px(480));
    shot(w, "frmGraph_beginner");

    w->optTestIndex[0]->click();
    settle();
    EXPECT_EQ(w->testKind(), 0);
    shot(w, "frmGraph");
    w->close();
    EXPECT_EQ(world.param.TestGraphIndex(), 0);
    EXPECT_EQ(world.param.TestGraphWidth(), 9000);
    EXPECT_EQ(world.param.TestGraphHeight(), 6000);
}

TEST_F(GraphWindowTest, FirstUseOpensAtTheMinimumSize) {
    auto* w = openWindow<frmGraph>(world);
    w->close();
    EXPECT_GE(world.param.TestGraphWidth(), 5500);
    EXPECT_LT(world.param.TestGraphWidth(), 5500 + 15);
    EXPECT_GE(world.param.TestGraphHeight(), 4500);
    EXPECT_LT(world.param.TestGraphHeight(), 4500 + 15);
}

TEST_F(GraphWindowTest, StoredSizesOutsideSixteenBitsAreClampedOnLoad) {
    world.param.TypeGraphWidth(40000);
    world.param.TypeGraphHeight(-7000);
    frmGraph2 w(world.ctx);
    EXPECT_EQ(w.widthTw(), 32767);
    EXPECT_EQ(w.heightTw(), 7000);
}

// A size stored on a larger screen, or a window centred on an owner at the
// screen's edge: the window opens whole inside the screen.
TEST_F(GraphWindowTest, StoredSizeLargerThanTheScreenOpensInsideIt) {
    world.param.TestGraphWidth(32767);
    world.param.TestGraphHeight(32767);
    QWidget owner;
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    owner.setGeometry(area.right() - 50, area.bottom() - 50, 40, 40);
    auto* w = QtGraphWindow::showModeless<frmGraph>(world.ctx, &owner);
    settle();
    EXPECT_TRUE(area.contains(w->frameGeometry())) << w->frameGeometry().x() << "," << w->frameGeometry().y() << " "
                                                   << w->frameGeometry().width() << "x" << w->frameGeometry().height();
    w->close();
}

TEST_F(GraphWindowTest, MissKeyWindowIsAtLeast7500Wide) {
    auto* w = openWindow<frmGraph2>(world);
    EXPECT_EQ(w->windowTitle(), QStringLiteral("ミスタイプ数表示"));
    EXPECT_EQ(w->picGameRpt->y(), twips::px(120));
    EXPECT_EQ(w->mnuFileSave, nullptr);
    w->resize(10, 10);
    settle();
    w->close();
    EXPECT_GE(world.param.TypeGraphWidth(), 7500);
    EXPECT_GE(world.param.TypeGraphHeight(), 4500);
}

TEST_F(GraphWindowTest, ShowingAgainBringsTheSameWindowForward) {
    auto* a = openWindow<frmGraph>(world);
    EXPECT_EQ(QtGraphWindow::showModeless<frmGraph>(world.ctx, nullptr), a);
    EXPECT_EQ(world.forms.find<frmGraph>(), a);
}

TEST_F(GraphWindowTest, ClosingWhileADrawLetsEventsRunEndsTheDrawQuietly) {
    fillTests(world);
    world.param.TestGraphIndex(0);
    auto* w = openWindow<frmGraph>(world);
    w->optTestIndex[2]->setChecked(true);
    w->optTestIndex_Click(2);
    QPointer<frmGraph> guard(w);
    QTimer::singleShot(0, w, &QWidget::close);  // runs at the draw's first events point
    w->tsGraphDraw();
    EXPECT_EQ(world.param.TestGraphIndex(), 2);  // the unload ran
    settle();
    EXPECT_TRUE(guard.isNull() || !guard->isVisible());
}

TEST_F(GraphWindowTest, PickedColourIsStoredAndDrawn) {
    auto* w = openWindow<frmGraph>(world);
    world.dialogs.colorAnswers.push_back(255u);  // pure red
    w->mnuViewColorSelect[1]->trigger();
    EXPECT_EQ(world.dialogs.colorsShown.back(), 239u + 256u * 239u + 65536u * 239u) << "opened on the colour in use";
    EXPECT_EQ(world.param.TestGraphBackColor(), QStringLiteral("255000000"));
    EXPECT_EQ(pixel(w, 0, 0), QColor(255, 0, 0));

    w->mnuViewColorSelect[1]->trigger();  // cancelled: nothing changes
    EXPECT_EQ(world.dialogs.colorsShown.back(), 255u);
    EXPECT_EQ(world.param.TestGraphBackColor(), QStringLiteral("255000000"));

    w->mnuViewColorDefaults->trigger();
    EXPECT_EQ(world.param.TestGraphBackColor(), QStringLiteral("239239239"));
    EXPECT_EQ(pixel(w, 0, 0), QColor(239, 239, 239));
}

TEST_F(GraphWindowTest, RedrawAfterEraseShowsTheEmptyHistory) {
    fillTests(world);
    world.param.TestGraphIndex(0);
    auto* w = openWindow<frmGraph>(world);
    const QImage before = w->picGameRpt->image();
    world.results.ClearTestResults();
    world.forms.find<frmGraph>()->tsGraphDraw();
    const QImage after = w->picGameRpt->image();
    EXPECT_NE(before, after);

    QImage expected(after.size(), QImage::Format_RGB32);
    {
        QtSurface s(expected);
        drawTestGraph(s, TestGraphData::fromResults(world.results, 0),
                      {0, basMain::ColorFromString("239239239"), 255, basMain::ColorFromString("000128255"),
                       world.param.FontName()});
    }
    EXPECT_EQ(after, expected);
}

TEST_F(GraphWindowTest, CsvExportFromTheFileMenuWritesTheShownNumbers) {
    world.addTest(0, 31.5, 4);
    world.addTest(0, 28.25, 1);
    world.addTest(0, 27, 0);
    world.param.TestGraphIndex(0);
    auto* w = openWindow<frmGraph>(world);
    const QString path = world.folder.file(QStringLiteral("out.csv"));
    world.dialogs.fileAnswers.push_back(path);
    w->mnuFileSave->trigger();
    EXPECT_EQ(world.folder.read(QStringLiteral("out.csv")),
              graphcsv::TestCsvBytes(TestGraphData::fromResults(world.results, 0)));
    ASSERT_EQ(world.dialogs.messages.size(), 1u);
    EXPECT_EQ(world.dialogs.messages[0].title, basMain::ProductName());
}

TEST_F(GraphWindowTest, TextTogglesFollowTheDisplayBitsAndChangeThemAtOnce) {
    world.param.TextGraphDisp(5);  // characters and inputs per minute shown
    frmGraphText w(world.ctx);
    EXPECT_EQ(w.windowTitle(), QStringLiteral("テキスト練習結果グラフ表示"));
    EXPECT_FALSE(w.chkSelectGraph[0]->isChecked());
    EXPECT_TRUE(w.chkSelectGraph[1]->isChecked());
    EXPECT_FALSE(w.chkSelectGraph[2]->isChecked());
    EXPECT_EQ(world.param.TextGraphDisp(), 5);

    w.chkSelectGraph[0]->click();
    EXPECT_EQ(world.param.TextGraphDisp(), 4);
    w.chkSelectGraph[1]->click();
    EXPECT_EQ(world.param.TextGraphDisp(), 6);
    w.chkSelectGraph[0]->click();
    EXPECT_EQ(world.param.TextGraphDisp(), 7);
}

TEST_F(GraphWindowTest, TogglesWearTheSeriesColourWithTheComplementCaption) {
    frmGraphText w(world.ctx);  // input colour 255/128/128
    EXPECT_EQ(w.chkSelectGraph[0]->palette().color(QPalette::Button), QColor(255, 128, 128));
    EXPECT_EQ(w.chkSelectGraph[0]->palette().color(QPalette::ButtonText), QColor(0, 127, 127));

    world.dialogs.colorAnswers.push_back(10u + 256u * 20u + 65536u * 30u);
    w.mnuViewColorSelect[3]->trigger();  // the miss series
    EXPECT_EQ(world.param.TextGraphMissColor(), QStringLiteral("010020030"));
    EXPECT_EQ(w.chkSelectGraph[1]->palette().color(QPalette::Button), QColor(10, 20, 30));
    EXPECT_EQ(w.chkSelectGraph[1]->palette().color(QPalette::ButtonText), QColor(245, 235, 225));

    w.mnuViewColorDefaults->trigger();
    EXPECT_EQ(world.param.TextGraphMissColor(), QStringLiteral("000128000"));
    EXPECT_EQ(w.chkSelectGraph[1]->palette().color(QPalette::ButtonText), QColor(255, 127, 255));
}

TEST_F(GraphWindowTest, TextGraphReadsTheResultsFileOnEveryDraw) {
    {
        basResults writer(world.param, world.dialogs);
        const int chars[] = {320, 410, 385, 452, 498, 476, 530, 560, 548, 602, 590, 641};
        const int misses[] = {12, 9, 11, 7, 8, 6, 5, 7, 4, 3, 5, 2};
        for (int i = 0; i < 12; ++i) writer.AddTextResult(chars[i], misses[i], 95.5 + i * 11.25);
        ASSERT_TRUE(writer.SaveResults());
    }
    EXPECT_EQ(world.results.GetTextCount(), 0);
    // Modal: closes itself once drawn.
    QTimer::singleShot(100, [&] {
        auto* w = world.forms.find<frmGraphText>();
        ASSERT_NE(w, nullptr);
        EXPECT_TRUE(w->isModal() || w->windowModality() != Qt::NonModal);
        shot(w, "frmGraphText");
        w->close();
    });
    frmGraphText::showModal(world.ctx, nullptr);
    EXPECT_EQ(world.results.GetTextCount(), 12);
    EXPECT_GT(world.param.TextGraphWidth(), 0);
}

TEST_F(GraphWindowTest, FillStyleMenuKeepsOneCheckAndStoresTheChoice) {
    world.param.TypeGraphFillStyle(3);
    frmGraph2 w(world.ctx);
    auto checked = [&] {
        std::vector<int> on;
        for (int i = 0; i < 8; ++i)
            if (w.mnuViewFillStyle[static_cast<size_t>(i)]->isChecked()) on.push_back(i);
        return on;
    };
    EXPECT_EQ(checked(), std::vector<int>{3});
    EXPECT_EQ(w.mnuViewFillStyle[5]->text(), QStringLiteral("斜線２(&D)"));
    w.mnuViewFillStyle[6]->trigger();
    EXPECT_EQ(checked(), std::vector<int>{6});
    EXPECT_EQ(world.param.TypeGraphFillStyle(), 6);
    EXPECT_EQ(w.fillStyle(), 6);
    w.mnuViewFillStyle[6]->trigger();
    EXPECT_EQ(checked(), std::vector<int>{6});
    EXPECT_EQ(w.fillStyle(), 6);
    // Drawn with a check mark: the items are not in an exclusive group.
    QActionGroup* group = w.mnuViewFillStyle[0]->actionGroup();
    EXPECT_TRUE(group == nullptr || !group->isExclusive());
}

// A run that ends while the miss-key graph is open is drawn in it at once.
TEST_F(GraphWindowTest, OpenMissKeyGraphDrawsTheRunThatJustEnded) {
    auto* w = openWindow<frmGraph2>(world);
    const QImage before = w->picGameRpt->image();
    world.results.ResetRun();
    world.results.AddRunKeyMiss(3, 4);
    world.results.SetRunChars(50);
    EXPECT_EQ(w->picGameRpt->image(), before);
    world.results.CommitRun();
    settle();
    EXPECT_NE(w->picGameRpt->image(), before);
}

TEST_F(GraphWindowTest, MissKeyGraphShowsTheLastRun) {
    world.param.TypeGraphWidth(9000);
    world.param.TypeGraphHeight(6000);
    const int keys[] = {0, 1, 3, 5, 7, 9, 12, 14, 19, 22, 26, 30, 36, 41};
    const int16_t counts[] = {3, 1, 5, 2, 1, 4, 2, 1, 6, 2, 1, 3, 2, 1};
    world.results.ResetRun();
    for (size_t i = 0; i < std::size(keys); ++i) world.results.AddRunKeyMiss(keys[i], counts[i]);
    world.results.SetRunChars(100);
    world.results.CommitRun();
    auto* w = openWindow<frmGraph2>(world);
    shot(w, "frmGraph2");
    // The tallest bar (6 misses) reaches the top margin: some pixel in the row
    // 150 twips down is neither background nor axis.
    const QImage img = w->picGameRpt->image();
    const int top = twips::px(150);
    bool barAtTop = false;
    for (int x = twips::px(400); x < img.width() - twips::px(350); ++x)
        if (img.pixelColor(x, top + 1) != QColor(239, 239, 239)) barAtTop = true;
    EXPECT_TRUE(barAtTop);
}
