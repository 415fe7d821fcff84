#include <gtest/gtest.h>

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QTest>
#include <QWindow>

#include "AppContext.h"
#include "FakeApp.h"
#include "Fakes.h"
#include "FormsRegistry.h"
#include "TestFiles.h"
#include "Twips.h"
#include "basMain.h"
#include "basParam.h"
#include "basResults.h"
#include "frmConf.h"
#include "frmGraph.h"
#include "frmMain.h"
#include "frmResults.h"

namespace {

// A program folder with scripted services, and the main window over it.
struct MainRig : FakeAppT<SeededRandom> {
    frmMain* window = nullptr;

    void open() {
        window = new frmMain(ctx);
        window->show();
        window->activateWindow();
        (void)QTest::qWaitForWindowActive(window);
    }
    ~MainRig() {
        if (window) {
            window->close();
            delete window;
        }
    }
    // The window at a level, active, and the window its keys are typed into.
    frmMain& openAt(int16_t level) {
        param.Level(level);
        open();
        return *window;
    }
    QWindow* keys() const { return window->windowHandle(); }
    QAction* action(const char* name) const { return window->findChild<QAction*>(QString::fromLatin1(name)); }
    // The Qt key that types the key the drill expects (letters and digits).
    Qt::Key expectedKey() const {
        const int code = main.keyCode(window->practice().next(0));
        return static_cast<Qt::Key>(code);  // Qt::Key_A.. and Qt::Key_0.. equal the codes
    }
};

TEST(frmMainWindow, ControlsMenusAndSizeAsDesigned) {
    MainRig rig;
    rig.param.Level(9);
    rig.open();
    frmMain& w = *rig.window;
    EXPECT_EQ(w.windowTitle(), QStringLiteral("タッチタイプ練習（数字＋英字）"));
    EXPECT_EQ(rig.forms.forms().value(0), &w);
    EXPECT_EQ(w.centralWidget()->width(), twips::clientWidthPx(5145, false));
    EXPECT_EQ(w.centralWidget()->height(), twips::clientHeightPx(3795, false, true));
    EXPECT_EQ(w.minimumSize(), w.maximumSize()) << "not resizable";
    EXPECT_FALSE(w.windowFlags() & Qt::WindowMaximizeButtonHint);

    EXPECT_EQ(w.findChild<QLabel*>("lblTextStr_0")->geometry(), QRect(32, 16, 57, 49));
    EXPECT_EQ(w.findChild<QLabel*>("lblTextStr_3")->parentWidget(), w.findChild<QGroupBox*>("fraNextString"));
    EXPECT_EQ(w.findChild<QLabel*>("lblTextStr_3")->geometry(), QRect(88, 16, 33, 33));
    EXPECT_EQ(w.findChild<QGroupBox*>("fraNextString")->title(), QStringLiteral("次の文字"));
    EXPECT_TRUE(w.findChild<QProgressBar*>("pbrInputStr")->isHidden());
    EXPECT_EQ(w.findChild<QProgressBar*>("pbrInputStr")->width(), twips::px(4575));
    QLabel* one = w.keyLabel('1');
    ASSERT_NE(one, nullptr);
    EXPECT_EQ(one->geometry(), QRect(16, 104, 17, 17));
    EXPECT_EQ(one->objectName(), QStringLiteral("lblKeyBoard_49"));
    EXPECT_TRUE(one->font().bold());
    EXPECT_EQ(w.keyLabel(226), nullptr);
    for (int i = 0; i < 6; ++i) {
        EXPECT_FALSE(w.findChild<QLabel*>(QStringLiteral("lblTextStr_%1").arg(i))->text().isEmpty()) << i;
    }

    struct Item {
        const char* name;
        const char16_t* caption;
        QKeySequence shortcut;
    };
    const Item items[] = {
        {"mnuFileReStart", u"再スタート(&S)", QKeySequence(Qt::CTRL | Qt::Key_S)},
        {"mnuFileDataFile", u"成績ファイル(&R)...", {}},
        {"mnuFileExit", u"終了(&X)", {}},
        {"mnuViewBefore", u"前回結果(&B)...", {}},
        {"mnuViewResults", u"テスト成績(&R)...", QKeySequence(Qt::CTRL | Qt::Key_R)},
        {"mnuViewWords", u"単語練習(&K)...", {}},
        {"mnuSetLevelKeySelect_0", u"英字中段(&M)", {}},
        {"mnuSetLevelFingerSelect_7", u"小指(&L)", {}},
        {"mnuSetLevelSelect_10", u"全てのキー(&A)", {}},
        {"mnuSetLevelTestSelect_11", u"初級テスト(&B)", {}},
        {"mnuSetLevelSelect_14", u"段階練習(&C)", {}},
        {"mnuSetOptions", u"オプション(&O)...", QKeySequence(Qt::CTRL | Qt::Key_O)},
        {"mnuHelpContents", u"説明(&C)...", {}},
        {"mnuHelpAbout", u"バージョン情報(&A)...", {}},
    };
    for (const Item& it : items) {
        QAction* a = rig.action(it.name);
        ASSERT_NE(a, nullptr) << it.name;
        EXPECT_EQ(a->text(), QString::fromUtf16(it.caption)) << it.name;
        EXPECT_EQ(a->shortcut(), it.shortcut) << it.name;
    }
    QStringList titles;
    for (QAction* a : w.menuBar()->actions()) titles << a->text();
    EXPECT_EQ(titles, (QStringList{"ファイル(&F)", "表示(&V)", "設定(&S)", "ヘルプ(&H)"}));
    EXPECT_EQ(rig.action("mnuSetLevelTestSelect_12")->parent(), w.findChild<QMenu*>("mnuSet"));
    EXPECT_EQ(w.findChild<QMenu*>("mnuSetLevelKey")->actions().size(), 4);
    EXPECT_EQ(w.findChild<QMenu*>("mnuSetLevelFinger")->actions().size(), 4);
}

TEST(frmMainWindow, BeginnerTestPlayedWithKeysReachesResultsFile) {
    MainRig rig;
    rig.param.Level(0);
    rig.open();
    frmMain& w = *rig.window;

    // 設定(&S) by its access key, then 初級テスト(&B) in the open menu.
    QTest::keyClick(&w, Qt::Key_S, Qt::AltModifier);
    QWidget* popup = QApplication::activePopupWidget();
    if (popup) {
        QTest::keyClick(popup, Qt::Key_B);
    } else {
        ADD_FAILURE() << "Alt+S did not open the settings menu";
        rig.action("mnuSetLevelTestSelect_11")->trigger();
    }
    ASSERT_EQ(rig.param.Level(), 11);
    EXPECT_EQ(w.windowTitle(), QStringLiteral("タッチタイプ練習（初級テスト）"));
    ASSERT_FALSE(w.practice().running());

    int misses = 0;
    for (int typed = 0; typed < 100; ++typed) {
        if (typed % 20 == 10) {
            QTest::keyClick(&w, Qt::Key_Shift);  // a modifier is a key-down too
            ++misses;
        }
        QTest::keyClick(&w, rig.expectedKey());
        if (typed == 0) {
            EXPECT_TRUE(w.practice().running());
            EXPECT_TRUE(w.findChild<QProgressBar*>("pbrInputStr")->isVisible());
        }
        if (typed == 49) {
            EXPECT_EQ(w.findChild<QProgressBar*>("pbrInputStr")->value(), 50);
        }
        rig.clock.advance(300);
    }
    EXPECT_FALSE(w.practice().running());
    EXPECT_TRUE(w.findChild<QProgressBar*>("pbrInputStr")->isHidden());
    EXPECT_NE(rig.forms.find<frmConf>(), nullptr) << "the summary opens after the run";

    basResults reread(rig.param, rig.dialogs);
    ASSERT_TRUE(reread.LoadResults());
    EXPECT_EQ(reread.GetTestCount(2), 1);
    EXPECT_DOUBLE_EQ(reread.GetTestTime(2, 0), 99 * 0.3);
    EXPECT_EQ(reread.GetTestMiss(2, 0), misses);
    EXPECT_EQ(reread.GetTestCount(0), 0);
}

// The modifier of a menu shortcut is a key-down of the drill; its letter
// belongs to the menu, even when it is the letter the drill expects.
TEST(frmMainWindow, ShortcutLettersBelongToTheMenuTheirModifiersToTheDrill) {
    MainRig rig;
    frmMain& w = rig.openAt(0);
    QWindow* keys = rig.keys();
    QTest::keyClick(keys, rig.expectedKey());
    QTest::keyClick(keys, rig.expectedKey());
    ASSERT_TRUE(w.practice().running());
    const int typed = w.practice().typedCount();
    const int misses = w.practice().missCount();
    // Ctrl+R opens the results window: only the Ctrl is judged (a miss).
    QTest::keyClick(keys, Qt::Key_R, Qt::ControlModifier);
    EXPECT_NE(rig.forms.find<frmResults>(), nullptr) << "Ctrl+R still opens the results window";
    w.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    EXPECT_EQ(w.practice().typedCount(), typed);
    EXPECT_EQ(w.practice().missCount(), misses + 1);
    // Alt+S opens the settings menu: the Alt is a miss, the S nothing at all.
    QTest::keyClick(keys, Qt::Key_S, Qt::AltModifier);
    QWidget* popup = QApplication::activePopupWidget();
    ASSERT_NE(popup, nullptr);
    QTest::keyClick(popup, Qt::Key_Escape);
    EXPECT_EQ(w.practice().typedCount(), typed);
    EXPECT_EQ(w.practice().missCount(), misses + 2);
    // Ctrl+S: the restart, with the Ctrl judged before it.
    QTest::keyClick(keys, Qt::Key_S, Qt::ControlModifier);
    EXPECT_FALSE(w.practice().running()) << "Ctrl+S abandoned the run";
    EXPECT_TRUE(w.findChild<QProgressBar*>("pbrInputStr")->isHidden());
    EXPECT_EQ(w.practice().missCount(), misses + 3);
}

// After Alt+F and Escape the menu bar must not keep the keys: the drill's
// next F, X, S, V, H are judged, and none opens a menu (F then X would end
// the program through 終了(&X)).
TEST(frmMainWindow, LettersGoToTheDrillAgainAfterAMenuClosedWithEscape) {
    MainRig rig;
    frmMain& w = rig.openAt(0);
    QWindow* keys = rig.keys();
    for (int round = 0; round < 2; ++round) {
        if (round == 0) {
            QTest::keyClick(keys, Qt::Key_F, Qt::AltModifier);
            QWidget* popup = QApplication::activePopupWidget();
            ASSERT_NE(popup, nullptr) << "Alt+F opens the file menu";
            QTest::keyClick(popup, Qt::Key_Escape);
        } else {
            QTest::keyClick(keys, Qt::Key_Alt);  // a lone Alt, pressed and released
        }
        QApplication::processEvents();
        ASSERT_EQ(QApplication::activePopupWidget(), nullptr);
        const int judged = w.practice().typedCount() + w.practice().missCount();
        for (Qt::Key k : {Qt::Key_F, Qt::Key_X, Qt::Key_S, Qt::Key_V, Qt::Key_H}) {
            QTest::keyClick(keys, k);
            QApplication::processEvents();
            EXPECT_EQ(QApplication::activePopupWidget(), nullptr) << "round " << round << " key " << k;
        }
        EXPECT_TRUE(w.isVisible());
        EXPECT_EQ(w.practice().typedCount() + w.practice().missCount(), judged + 5) << "round " << round;
    }
}

// The results window open but not active follows a test played in the main
// window: no repaint of it is needed.
TEST(frmMainWindow, OpenResultsWindowAndGraphShowATestRecordedMeanwhile) {
    MainRig rig;
    frmMain& w = rig.openAt(11);
    rig.action("mnuViewResults")->trigger();
    frmResults* results = rig.forms.find<frmResults>();
    ASSERT_NE(results, nullptr);
    results->findChild<QAction*>("mnuViewGraph")->trigger();
    frmGraph* graph = rig.forms.find<frmGraph>();
    ASSERT_NE(graph, nullptr);
    QApplication::processEvents();
    auto count = [&] { return results->findChild<QLabel*>("lblG2TestCountValue")->text(); };
    ASSERT_EQ(count(), "0");
    const QImage before = graph->picGameRpt->image();
    w.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));

    for (int typed = 0; typed < 100; ++typed) {
        QTest::keyClick(rig.keys(), rig.expectedKey());
        rig.clock.advance(250);
        if (typed < 99) {
            ASSERT_FALSE(results->isActiveWindow());
        }
    }
    for (int i = 0; i < 5; ++i) QApplication::processEvents();
    EXPECT_EQ(count(), "1");
    EXPECT_EQ(results->findChild<QLabel*>("lblG2Time_0")->text(), "24.75");
    EXPECT_EQ(results->findChild<QLabel*>("lblG2MissType_0")->text(), "0");
    EXPECT_NE(graph->picGameRpt->image(), before) << "the open graph draws the new run";
}

TEST(frmMainWindow, MistypedKeyTurnsWhiteExpectedRed) {
    MainRig rig;
    rig.param.Level(3);  // digits: letters are always wrong
    rig.open();
    frmMain& w = *rig.window;
    QLabel* expected = w.keyLabel(rig.main.keyCode(w.practice().next(0)));
    EXPECT_EQ(expected->palette().color(QPalette::WindowText), QColor(255, 0, 0));
    QTest::keyClick(&w, Qt::Key_Q);
    EXPECT_EQ(w.keyLabel('Q')->palette().color(QPalette::WindowText), QColor(255, 255, 255));
    QTest::keyClick(&w, rig.expectedKey());
    EXPECT_EQ(w.keyLabel('Q')->palette().color(QPalette::WindowText), QColor(0, 0, 0));
}

TEST(frmMainWindow, CourseFadesClosedKeysFramesTheNewestAndSaysWhatComesNext) {
    MainRig rig;
    frmMain& w = rig.openAt(practice::kCourse);
    const auto back = [&w](int code) { return w.keyLabel(code)->palette().color(QPalette::Window); };
    const QLabel* line = w.findChild<QLabel*>(QStringLiteral("lblCourse"));
    const QColor fingerQ = ui::fromColorValue(OnScreenKeyboard::fingerColor('Q'));
    EXPECT_EQ(back('F'), ui::fromColorValue(OnScreenKeyboard::fingerColor('F')));
    EXPECT_NE(back('Q'), fingerQ);
    EXPECT_EQ(w.keyLabel('J')->frameShape(), QFrame::Box);
    EXPECT_EQ(w.keyLabel('F')->frameShape(), QFrame::NoFrame);
    EXPECT_TRUE(line->isVisible());
    EXPECT_EQ(line->text(), QStringLiteral("次は「A」。目標まで：「F」あと20打 「J」あと20打"));
    rig.action("mnuSetLevelSelect_10")->trigger();
    EXPECT_EQ(back('Q'), fingerQ);
    EXPECT_EQ(w.keyLabel('J')->frameShape(), QFrame::NoFrame);
    EXPECT_FALSE(line->isVisible());
}

TEST(frmMainWindow, OptionsLayoutsAndUnload) {
    MainRig rig;
    rig.param.KeyBoardType(1);
    rig.param.KeyBoardSize(1);
    rig.param.LetterType(1);
    rig.open();
    frmMain& w = *rig.window;
    EXPECT_EQ(w.centralWidget()->width(), twips::clientWidthPx(8715, false));
    EXPECT_EQ(w.centralWidget()->height(), twips::clientHeightPx(4815, false, true));
    EXPECT_TRUE(w.keyLabel(192)->isHidden());
    EXPECT_EQ(w.keyLabel('A')->text(), QStringLiteral("a"));
    EXPECT_EQ(w.keyLabel(220)->pos(), QPoint(twips::px(7875), twips::px(2175)));

    rig.param.KeyBoard(0);
    w.practice().OptionsChanged();
    EXPECT_EQ(w.centralWidget()->height(), twips::clientHeightPx(2115, false, true));

    if (qEnvironmentVariableIsSet("LUMBRA_SCREENSHOTS")) {
        const QString dir = qEnvironmentVariable("LUMBRA_SCREENSHOTS");
        w.grab().save(dir + "/frmMain_off.png");
        struct {
            int type, size, letter;
            const char* name;
        } shots[] = {{0, 0, 0, "frmMain_106_standard"}, {1, 1, 0, "frmMain_101_enlarged"}, {0, 0, 1, "frmMain_lower"}};
        rig.param.KeyBoard(1);
        for (const auto& s : shots) {
            rig.param.KeyBoardType(static_cast<int16_t>(s.type));
            rig.param.KeyBoardSize(static_cast<int16_t>(s.size));
            rig.param.LetterType(static_cast<int16_t>(s.letter));
            w.practice().OptionsChanged();
            w.practice().SetLevel(10);
            QTest::keyClick(&w, Qt::Key_Q);
            w.grab().save(dir + "/" + s.name + ".png");
        }
    }

    // Unload: the summary goes first, then the settings are saved.
    rig.action("mnuViewBefore")->trigger();
    QPointer<frmConf> conf = rig.forms.find<frmConf>();
    ASSERT_TRUE(conf);
    rig.param.Level(7);
    w.close();
    QApplication::processEvents();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(conf.isNull() || !conf->isVisible());
    EXPECT_TRUE(rig.folder.read("Lumbra.ini").contains("Level=7\r\n"));
}

TEST(frmMainWindow, HelpAndDataFileItems) {
    MainRig rig;
    rig.open();
    rig.action("mnuHelpContents")->trigger();
    ASSERT_EQ(rig.dialogs.messages.size(), 1u);
    EXPECT_EQ(rig.dialogs.messages[0].title, QStringLiteral("エラー"));
    rig.folder.write("Readme.txt", "guide");
    rig.action("mnuHelpContents")->trigger();
    EXPECT_EQ(rig.shell.opened, QStringList{rig.folder.file("Readme.txt")});

    rig.dialogs.fileAnswers.push_back(rig.folder.file("mine.dat"));
    rig.action("mnuFileDataFile")->trigger();
    EXPECT_EQ(rig.param.DataFileName(), rig.folder.file("mine.dat"));
}

}  // namespace
