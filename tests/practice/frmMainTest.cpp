#include <gtest/gtest.h>

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QTest>

#include "FakeApp.h"
#include "AppContext.h"
#include "Fakes.h"
#include "FormsRegistry.h"
#include "TestFiles.h"
#include "Twips.h"
#include "basMain.h"
#include "basParam.h"
#include "basResults.h"
#include "frmConf.h"
#include "frmMain.h"

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

    EXPECT_EQ(w.lblTextStr[0]->geometry(), QRect(32, 16, 57, 49));
    EXPECT_EQ(w.lblTextStr[3]->parentWidget(), w.fraNextString);
    EXPECT_EQ(w.lblTextStr[3]->geometry(), QRect(88, 16, 33, 33));
    EXPECT_EQ(w.fraNextString->title(), QStringLiteral("次の文字"));
    EXPECT_TRUE(w.pbrInputStr->isHidden());
    EXPECT_EQ(w.pbrInputStr->width(), twips::px(4575));
    QLabel* one = w.keyLabel('1');
    ASSERT_NE(one, nullptr);
    EXPECT_EQ(one->geometry(), QRect(16, 104, 17, 17));
    EXPECT_EQ(one->objectName(), QStringLiteral("lblKeyBoard_49"));
    EXPECT_TRUE(one->font().bold());
    EXPECT_EQ(w.keyLabel(226), nullptr);
    for (int i = 0; i < 6; ++i) EXPECT_FALSE(w.lblTextStr[static_cast<size_t>(i)]->text().isEmpty()) << i;

    struct Item { const char* name; const char16_t* caption; QKeySequence shortcut; };
    const Item items[] = {
        {"mnuFileReStart", u"再スタート(&S)", QKeySequence(Qt::CTRL | Qt::Key_S)},
        {"mnuFileDataFile", u"成績ファイル(&R)...", {}},
        {"mnuFileExit", u"終了(&X)", {}},
        {"mnuViewBefore", u"前回結果(&B)...", {}},
        {"mnuViewResults", u"テスト成績(&R)...", QKeySequence(Qt::CTRL | Qt::Key_R)},
        {"mnuSetLevelKeySelect_0", u"英字中段(&M)", {}},
        {"mnuSetLevelFingerSelect_7", u"小指(&L)", {}},
        {"mnuSetLevelSelect_10", u"全てのキー(&A)", {}},
        {"mnuSetLevelTestSelect_11", u"初級テスト(&B)", {}},
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
    EXPECT_EQ(rig.action("mnuSetLevelTestSelect_12")->parent(), w.mnuSet);
    EXPECT_EQ(w.mnuSetLevelKey->actions().size(), 4);
    EXPECT_EQ(w.mnuSetLevelFinger->actions().size(), 4);
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
            EXPECT_TRUE(w.pbrInputStr->isVisible());
        }
        if (typed == 49) EXPECT_EQ(w.pbrInputStr->value(), 50);
        rig.clock.advance(300);
    }
    EXPECT_FALSE(w.practice().running());
    EXPECT_TRUE(w.pbrInputStr->isHidden());
    EXPECT_NE(rig.forms.find<frmConf>(), nullptr) << "the summary opens after the run";

    basResults reread(rig.param, rig.dialogs);
    ASSERT_TRUE(reread.LoadResults());
    EXPECT_EQ(reread.GetTestCount(2), 1);
    EXPECT_DOUBLE_EQ(reread.GetTestTime(2, 0), 99 * 0.3);
    EXPECT_EQ(reread.GetTestMiss(2, 0), misses);
    EXPECT_EQ(reread.GetTestCount(0), 0);
}

TEST(frmMainWindow, ShortcutKeysAreJudgedAndStillWork) {
    MainRig rig;
    rig.param.Level(0);
    rig.open();
    frmMain& w = *rig.window;
    QTest::keyClick(&w, rig.expectedKey());
    QTest::keyClick(&w, rig.expectedKey());
    ASSERT_TRUE(w.practice().running());
    const int missesBefore = w.practice().missCount();
    // Ctrl (a miss), then S with Ctrl: a miss too unless S is expected, and the restart.
    const bool sExpected = rig.expectedKey() == Qt::Key_S;
    QTest::keyClick(&w, Qt::Key_S, Qt::ControlModifier);
    EXPECT_FALSE(w.practice().running()) << "Ctrl+S abandoned the run";
    EXPECT_TRUE(w.pbrInputStr->isHidden());
    EXPECT_EQ(w.practice().missCount(), missesBefore + (sExpected ? 1 : 2));
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
        struct { int type, size, letter; const char* name; } shots[] = {
            {0, 0, 0, "frmMain_106_standard"}, {1, 1, 0, "frmMain_101_enlarged"}, {0, 0, 1, "frmMain_lower"}};
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
