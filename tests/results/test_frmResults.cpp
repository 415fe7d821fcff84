// The test results window: layout and names, what it shows, the erase flow.
#include <QAction>
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QMenuBar>
#include <memory>

#include "AppContext.h"
#include "FormsRegistry.h"
#include "QuestionBox.h"
#include "ResultsFixture.h"
#include "Twips.h"
#include "basMain.h"
#include "frmResults.h"

namespace {

class ResultsWindowTest : public ResultsTest {
protected:
    ResultsWindowTest()
        : main(folder.path()), ctx{main, param, results, clock, random, dialogs, beeper, shell, &forms} {}

    QString text(const QString& name) const {
        auto* l = window->findChild<QLabel*>(name);
        return l ? l->text() : QStringLiteral("<missing %1>").arg(name);
    }
    QAction* action(const char* name) const { return window->findChild<QAction*>(name); }
    void open() {
        window.reset(new frmResults(ctx));
        window->show();
    }
    // Records one test result in the file, as the main window does.
    void recordTest(int kind, double seconds, int16_t misses) {
        basResults writer(param, dialogs);
        writer.ReloadResults();
        writer.AddTestTime(kind, seconds);
        writer.AddTestMiss(kind, misses);
        ASSERT_TRUE(writer.SaveResults());
    }

    basMain main;
    FakeClock clock;
    FakeRandom random;
    FakeBeeper beeper;
    FakeShell shell;
    FormsRegistry forms;
    AppContext ctx;
    std::unique_ptr<frmResults> window;
};

}  // namespace

TEST_F(ResultsWindowTest, BuildsTheDesignedLayout) {
    open();
    EXPECT_EQ(window->objectName(), "frmResults");
    EXPECT_EQ(window->windowTitle(), QStringLiteral("成績表示"));
    EXPECT_EQ(window->centralWidget()->size(), QSize(twips::px(6150), twips::px(4500)));
    auto* upper = window->findChild<QGroupBox*>("fraGrade2");
    auto* lower = window->findChild<QGroupBox*>("fraGrade1");
    ASSERT_TRUE(upper && lower);
    EXPECT_EQ(upper->title(), QStringLiteral("初級テスト成績"));
    EXPECT_EQ(lower->title(), QStringLiteral("総合テスト成績"));
    EXPECT_EQ(upper->geometry(), QRect(16, 16, 377, 121));
    EXPECT_EQ(lower->geometry(), QRect(16, 160, 377, 121));

    auto* cell = lower->findChild<QLabel*>("lblG1MissType_2");
    ASSERT_TRUE(cell);
    EXPECT_EQ(cell->geometry(), QRect(264, 88, 89, 17));
    EXPECT_EQ(cell->frameShape(), QFrame::Box);
    EXPECT_TRUE(cell->alignment() & Qt::AlignRight);
    auto* heading = upper->findChild<QLabel*>("lblG2Results_1");
    ASSERT_TRUE(heading);
    EXPECT_EQ(heading->text(), QStringLiteral("ミスタイプ（回）"));
    EXPECT_TRUE(heading->alignment() & Qt::AlignHCenter);
    auto* row = upper->findChild<QLabel*>("lblG2Results_4");
    ASSERT_TRUE(row);
    EXPECT_EQ(row->text(), QStringLiteral("前々回"));
    EXPECT_TRUE(row->alignment() & Qt::AlignLeft);
    auto* title = upper->findChild<QLabel*>("lblG2Lately");
    ASSERT_TRUE(title);
    EXPECT_EQ(title->text(), QStringLiteral("●最近３回の成績"));
    EXPECT_EQ(title->frameShape(), QFrame::NoFrame);
    EXPECT_TRUE(lower->findChild<QLabel*>("lblG1Grade1MaxTime"));
    EXPECT_TRUE(window->findChild<QWidget*>("Line1") && window->findChild<QWidget*>("Line2"));

    auto* menu = window->menuBar()->actions().value(0);
    ASSERT_TRUE(menu);
    EXPECT_EQ(menu->text(), QStringLiteral("ファイル(&F)"));
    EXPECT_EQ(action("mnuFileErase")->text(), QStringLiteral("成績の消去(&E)"));
    EXPECT_TRUE(action("mnuFileErase")->shortcut().isEmpty());
    EXPECT_EQ(action("mnuFileClose")->text(), QStringLiteral("閉じる(&C)"));
    EXPECT_EQ(action("mnuFileClose")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Q));
    EXPECT_TRUE(action("mnuFileBar1")->isSeparator());
}

TEST_F(ResultsWindowTest, NoResultsShowZerosAndEmptyCells) {
    open();
    for (const char* p : {"G1", "G2"}) {
        const QString lbl = QStringLiteral("lbl") + p;
        EXPECT_EQ(text(lbl + "TestCountValue"), "0");
        EXPECT_EQ(text(lbl + "MaxTimeValue"), "0");
        for (int i = 0; i < 3; ++i) {
            EXPECT_EQ(text(lbl + QStringLiteral("Time_%1").arg(i)), "");
            EXPECT_EQ(text(lbl + QStringLiteral("MissType_%1").arg(i)), "");
        }
    }
    action("mnuFileErase")->trigger();
    EXPECT_TRUE(dialogs.messages.empty());  // nothing to erase, nothing asked
}

TEST_F(ResultsWindowTest, TwoBeginnerResultsFillTodayAndTheOneBefore) {
    recordTest(2, 40.125, 3);
    recordTest(2, 35.5, 0);
    open();
    EXPECT_EQ(text("lblG2TestCountValue"), "2");
    EXPECT_EQ(text("lblG2MaxTimeValue"), "35.5");
    EXPECT_EQ(text("lblG2Time_0"), "35.5");
    EXPECT_EQ(text("lblG2MissType_0"), "0");
    EXPECT_EQ(text("lblG2Time_1"), "40.125");
    EXPECT_EQ(text("lblG2MissType_1"), "3");
    EXPECT_EQ(text("lblG2Time_2"), "");
    EXPECT_EQ(text("lblG2MissType_2"), "");
    EXPECT_EQ(text("lblG1TestCountValue"), "0");
}

TEST_F(ResultsWindowTest, ResultOfTimeZeroShowsAnEmptyRow) {
    recordTest(0, 0, 4);
    open();
    EXPECT_EQ(text("lblG1TestCountValue"), "1");
    EXPECT_EQ(text("lblG1Time_0"), "");
    EXPECT_EQ(text("lblG1MissType_0"), "");
}

// Changed texts repaint their labels once; the reread that follows finds
// nothing new, so painting comes to rest instead of feeding itself.
TEST_F(ResultsWindowTest, RepaintAfterAChangeComesToRest) {
    open();
    int paints = 0;
    struct Counter : QObject {
        int* n;
        explicit Counter(int* c) : n(c) {}
        bool eventFilter(QObject*, QEvent* e) override {
            if (e->type() == QEvent::Paint) ++*n;
            return false;
        }
    } counter(&paints);
    for (int i = 0; i < 20; ++i) QApplication::processEvents();
    window->centralWidget()->installEventFilter(&counter);
    recordTest(2, 33, 1);
    window->centralWidget()->update();
    for (int i = 0; i < 50; ++i) QApplication::processEvents();
    EXPECT_EQ(text("lblG2TestCountValue"), "1");
    EXPECT_GE(paints, 1);
    EXPECT_LE(paints, 3);
}

TEST_F(ResultsWindowTest, EraseAnsweredNoChangesNothing) {
    recordTest(2, 30, 1);
    const QByteArray before = readDat();
    open();
    dialogs.msgAnswers = {MsgResult::No};
    action("mnuFileErase")->trigger();
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_TRUE(isYesNoQuestion(dialogs.messages[0], QStringLiteral("今までの成績を消去しますか？"),
                                QStringLiteral("確認"), 1));  // No
    EXPECT_EQ(readDat(), before);
    EXPECT_EQ(text("lblG2TestCountValue"), "1");
}

TEST_F(ResultsWindowTest, EraseAnsweredYesEmptiesBothPanelsAndTheFile) {
    recordTest(2, 30, 1);
    recordTest(0, 50, 2);
    {  // a game result that must survive the erase
        basResults game(param, dialogs);
        game.ReloadResults();
        game.AddBalloonScore(300, 2);
        ASSERT_TRUE(game.SaveResults());
    }
    open();
    dialogs.msgAnswers = {MsgResult::Yes};
    action("mnuFileErase")->trigger();
    for (const char* p : {"G1", "G2"}) {
        const QString lbl = QStringLiteral("lbl") + p;
        EXPECT_EQ(text(lbl + "TestCountValue"), "0");
        EXPECT_EQ(text(lbl + "MaxTimeValue"), "0");
        EXPECT_EQ(text(lbl + "Time_0"), "");
    }
    basResults reread(param, dialogs);
    ASSERT_TRUE(reread.LoadResults());
    EXPECT_EQ(reread.GetTestCount(0), 0);
    EXPECT_EQ(reread.GetTestCount(2), 0);
    EXPECT_EQ(reread.GetBalloonScore(0), 300);
}

TEST_F(ResultsWindowTest, ShowModelessKeepsOneWindow) {
    auto* first = frmResults::showModeless(ctx, nullptr);
    auto* second = frmResults::showModeless(ctx, nullptr);
    EXPECT_EQ(first, second);
    EXPECT_TRUE(first->testAttribute(Qt::WA_DeleteOnClose));
    EXPECT_EQ(forms.find<frmResults>(), first);
    first->findChild<QAction*>("mnuFileClose")->trigger();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(forms.find<frmResults>(), nullptr);
}
