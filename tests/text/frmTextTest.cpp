// The window: its controls and menus, files dropped or opened, keys typed into
// it, the size rule, and the record stored when it closes.
#include <gtest/gtest.h>

#include <QActionGroup>
#include <QApplication>
#include <QDir>
#include <QDropEvent>
#include <QFile>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QTest>
#include <QUrl>
#include <QWindow>

#include "AppContext.h"
#include "FakeApp.h"
#include "Fakes.h"
#include "TestFiles.h"
#include "TextFile.h"
#include "Twips.h"
#include "basMain.h"
#include "basParam.h"
#include "basResults.h"
#include "frmText.h"

namespace {

class frmTextTest : public ::testing::Test, protected FakeApp {
protected:
    frmTextTest() {
        clock.now = 500;
        folder.write(QStringLiteral("Text/Pref.txt"),
                     QStringLiteral("HoKKaIDoU|ほっかいどう\nAOMoRi|あおもり\n").toUtf8());
    }
    void press(QWidget* w, const QString& text) {
        for (QChar c : text) {
            QKeyEvent e(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
            QApplication::sendEvent(w, &e);
        }
    }
    void drop(QWidget* target, const QList<QUrl>& urls) {
        QMimeData data;
        data.setUrls(urls);
        const QPointF at(5, 5);
        QDragEnterEvent enter(at.toPoint(), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(target, &enter);
        EXPECT_TRUE(enter.isAccepted());
        QDropEvent dropped(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(target, &dropped);
        QApplication::processEvents();
    }
    QAction* action(frmText& w, const char* name) { return w.findChild<QAction*>(QString::fromUtf8(name)); }
};

TEST_F(frmTextTest, OpensWithTheDefaultFileAndTheDesignedControls) {
    frmText w(ctx);
    EXPECT_EQ(w.objectName(), QStringLiteral("frmText"));
    EXPECT_EQ(w.windowTitle(), QStringLiteral("テキスト練習"));
    EXPECT_EQ(w.lblDisplay->text(), QStringLiteral("ほっかいどう"));
    EXPECT_EQ(w.lblInput->text(), QStringLiteral("HOKKAIDOU"));
    EXPECT_EQ(w.lblDisplay->font().pixelSize(), 27);  // 20.25 pt
    EXPECT_EQ(w.lblInput->font().pixelSize(), 19);    // 14.25 pt
    EXPECT_EQ(w.lblDisplay->font().family(), param.FontName());
    EXPECT_EQ(w.lblDisplay->geometry().topLeft(), QPoint(8, 16));
    EXPECT_EQ(w.lblInput->geometry().top(), 56);

    const QStringList headings{"入力文字数", "ミスタイプ数", "入力数／分"};
    const QStringList tips{"正しく入力できた数です", "ミスタイプ数です", "１分あたりの入力数です"};
    const std::array<QLabel*, 3>* columns[3] = {&w.lblStrNum, &w.lblMiss, &w.lblInpPMin};
    for (int c = 0; c < 3; ++c) {
        EXPECT_EQ((*columns[c])[0]->text(), headings[c]);
        for (int r = 0; r < 3; ++r) {
            EXPECT_EQ((*columns[c])[r]->toolTip(), tips[c]);
            EXPECT_EQ((*columns[c])[r]->geometry().topLeft(), QPoint((840 + 1200 * c) / 15, (1440 + 240 * r) / 15));
        }
        EXPECT_EQ((*columns[c])[1]->text(), QStringLiteral("0"));
    }
    EXPECT_EQ(w.lblTotal[0]->text(), QStringLiteral("前回"));
    EXPECT_EQ(w.lblTotal[1]->text(), QStringLiteral("累計"));
    EXPECT_FALSE(w.testAttribute(Qt::WA_InputMethodEnabled));
}

TEST_F(frmTextTest, MenusCarryTheirCaptionsAndShortcuts) {
    frmText w(ctx);
    struct Item {
        const char* name;
        const char* caption;
        QKeySequence key;
    };
    const Item items[] = {
        {"mnuFileOpen", "練習ファイルを開く(&O)...", QKeySequence(Qt::CTRL | Qt::Key_O)},
        {"mnuFileClose", "閉じる(&C)", QKeySequence(Qt::CTRL | Qt::Key_Q)},
        {"mnuViewSortRead_0", "ファイル内容順(&D)", {}},
        {"mnuViewSortRead_1", "ファイル逆順(&A)", {}},
        {"mnuViewSortRead_2", "ランダム表示(&R)", {}},
        {"mnuViewTotalClear", "累計をクリア(&C)", {}},
        {"mnuSetDisplay", "入力文字表示(&D)", QKeySequence(Qt::CTRL | Qt::Key_D)},
    };
    for (const Item& i : items) {
        QAction* a = action(w, i.name);
        ASSERT_NE(a, nullptr) << i.name;
        EXPECT_EQ(a->text(), QString::fromUtf8(i.caption)) << i.name;
        EXPECT_EQ(a->shortcut(), i.key) << i.name;
    }
    QStringList menus;
    for (QAction* a : w.menuBar()->actions()) menus << a->text();
    EXPECT_EQ(menus, (QStringList{"ファイル(&F)", "表示(&V)", "設定(&S)"}));
    EXPECT_EQ(w.mnuViewSort->title(), QStringLiteral("テキスト表示順(&S)"));
    EXPECT_TRUE(w.mnuViewSortRead[0]->isChecked());
}

TEST_F(frmTextTest, DroppedFileOnAFigureLabelLoadsAndTypesOneEntry) {
    frmText w(ctx);
    folder.write(QStringLiteral("fruit.txt"), "apple|\nbanana|\n");
    drop(w.lblMiss[1], {QUrl::fromLocalFile(folder.file(QStringLiteral("fruit.txt")))});
    EXPECT_EQ(param.TextFileName(), folder.file(QStringLiteral("fruit.txt")));
    EXPECT_EQ(w.lblDisplay->text(), QStringLiteral("apple"));

    press(&w, QStringLiteral("ap"));
    EXPECT_EQ(w.lblDisplay->text(), QStringLiteral("ple"));
    EXPECT_EQ(w.lblInput->text(), QStringLiteral("PLE"));
    press(&w, QStringLiteral("x"));
    clock.advance(2500);
    press(&w, QStringLiteral("ple"));
    EXPECT_EQ(w.lblDisplay->text(), QStringLiteral("banana"));
    EXPECT_EQ(w.lblStrNum[1]->text(), QStringLiteral("5"));
    EXPECT_EQ(w.lblMiss[1]->text(), QStringLiteral("1"));
    EXPECT_EQ(w.lblInpPMin[1]->text(), QStringLiteral("120"));
    EXPECT_EQ(w.lblInpPMin[2]->text(), QStringLiteral("120"));

    w.close();
    basResults stored(param, dialogs);
    ASSERT_TRUE(stored.LoadResults());
    EXPECT_EQ(stored.GetTextCount(), 1);
    EXPECT_EQ(stored.GetTextChars(0), 5);
}

TEST_F(frmTextTest, DroppingSomethingElseChangesNothing) {
    frmText w(ctx);
    const QString before = param.TextFileName();
    drop(w.lblDisplay, {QUrl(QStringLiteral("https://example.org/words.txt"))});
    QMimeData text;
    text.setText(QStringLiteral("apple|"));
    QDropEvent dropped(QPointF(5, 5), Qt::CopyAction, &text, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&w, &dropped);
    QApplication::processEvents();
    EXPECT_EQ(param.TextFileName(), before);
    EXPECT_EQ(w.lblDisplay->text(), QStringLiteral("ほっかいどう"));
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(frmTextTest, OpenMenuAsksForAnExistingTextFile) {
    frmText w(ctx);
    folder.write(QStringLiteral("e.txt"), "word|\n");
    dialogs.fileAnswers = {folder.file(QStringLiteral("e.txt"))};
    w.mnuFileOpen->trigger();
    ASSERT_EQ(dialogs.files.size(), 1u);
    const FileDialogRequest& r = dialogs.files[0].request;
    EXPECT_FALSE(dialogs.files[0].save);
    EXPECT_EQ(r.filter, QStringLiteral("テキストファイル(*.txt)|*.txt|すべてのファイル (*.*)|*.*"));
    EXPECT_EQ(r.flags, 4100);
    EXPECT_EQ(r.initialFile, folder.file(QStringLiteral("Text/Pref.txt")));
    EXPECT_EQ(w.lblDisplay->text(), QStringLiteral("word"));
    w.mnuFileOpen->trigger();  // cancelled: nothing changes
    EXPECT_EQ(w.lblDisplay->text(), QStringLiteral("word"));
}

TEST_F(frmTextTest, InputGuideAndOrderMenus) {
    param.TextDisplayNavi(true);
    frmText w(ctx);
    EXPECT_TRUE(w.mnuSetDisplay->isChecked());
    EXPECT_FALSE(w.lblInput->isHidden());
    w.mnuSetDisplay->trigger();
    EXPECT_FALSE(param.TextDisplayNavi());
    EXPECT_TRUE(w.lblInput->isHidden());
    press(&w, QStringLiteral("ho"));  // still judged and shortened while hidden
    EXPECT_EQ(w.lblInput->text(), QStringLiteral("KKAIDOU"));

    w.mnuViewSortRead[2]->trigger();
    EXPECT_EQ(param.TextRead(), 2);
    EXPECT_TRUE(w.mnuViewSortRead[2]->isChecked());
    EXPECT_FALSE(w.mnuViewSortRead[0]->isChecked());
    w.mnuViewSortRead[2]->trigger();  // again: stays the one checked
    EXPECT_TRUE(w.mnuViewSortRead[2]->isChecked());
    // A check mark, not a radio dot: no exclusive group.
    EXPECT_FALSE(w.mnuViewSortRead[0]->actionGroup() && w.mnuViewSortRead[0]->actionGroup()->isExclusive());
}

TEST_F(frmTextTest, GuideLineSwitchesToTheSpellingBeingTyped) {
    folder.write(QStringLiteral("Text/Pref.txt"), QStringLiteral("ChiKaTeTsu|ちかてつ\nTsuChi|つち\n").toUtf8());
    frmText w(ctx);
    EXPECT_EQ(w.lblInput->text(), QStringLiteral("CHIKATETSU"));
    press(&w, QStringLiteral("t"));
    EXPECT_EQ(w.lblInput->text(), QStringLiteral("IKATETSU"));
    EXPECT_EQ(w.lblDisplay->text(), QStringLiteral("ちかてつ"));
    press(&w, QStringLiteral("ikatetu"));
    EXPECT_EQ(w.lblInput->text(), QStringLiteral("TUTI"));  // the next entry, spelled as typed
    EXPECT_EQ(w.lblStrNum[1]->text(), QStringLiteral("8"));
    EXPECT_EQ(w.lblMiss[1]->text(), QStringLiteral("0"));
}

// The practice file of everyday words fits the window as it opens: each
// entry's kana and its input line, measured with the window's own fonts.
TEST_F(frmTextTest, EveryEverydayEntryFitsTheDefaultWidth) {
    frmText w(ctx);
    const auto r = textfile::readPracticeFile(sourceDir() + QStringLiteral("/data/Text/Kurashi.txt"));
    ASSERT_TRUE(r.ok);
    ASSERT_GE(r.entries.size(), 100);
    for (const TextEntry& e : r.entries) {
        EXPECT_LE(w.lblDisplay->fontMetrics().horizontalAdvance(e.Display), w.lblDisplay->width())
            << e.Display.toStdString();
        EXPECT_LE(w.lblInput->fontMetrics().horizontalAdvance(e.Input.toUpper()), w.lblInput->width())
            << e.Input.toStdString();
    }
}

TEST_F(frmTextTest, ClearingTheTotalsResetsRowTwo) {
    frmText w(ctx);
    clock.advance(100);
    press(&w, QStringLiteral("hokkaidou"));
    EXPECT_EQ(w.lblStrNum[2]->text(), QStringLiteral("9"));
    dialogs.msgAnswers = {MsgResult::Yes};
    w.mnuViewTotalClear->trigger();
    EXPECT_EQ(w.lblStrNum[2]->text(), QStringLiteral("0"));
    EXPECT_EQ(w.lblInpPMin[2]->text(), QStringLiteral("0"));
    EXPECT_EQ(w.lblStrNum[1]->text(), QStringLiteral("9"));
    w.close();
    EXPECT_FALSE(folder.exists(QStringLiteral("Lumbra.dat")));
}

TEST_F(frmTextTest, WidensButNeverGrowsTaller) {
    frmText w(ctx);
    w.show();
    const int opened = w.height();
    EXPECT_EQ(main.gMaxHeight, opened);
    EXPECT_EQ(w.maximumHeight(), opened);
    EXPECT_GT(main.gMaxWidth, 0);
    EXPECT_EQ(main.gMaxLeft, 0);
    EXPECT_EQ(main.gMaxTop, 0);
    w.resize(600, opened + 200);
    EXPECT_EQ(w.height(), opened);
    EXPECT_EQ(w.width(), 600);
    // Text lines follow the width: window width less 350 twips.
    EXPECT_EQ(w.lblDisplay->width(), twips::px(twips::outerWidthTw(600, true) - 350));
    EXPECT_EQ(w.lblInput->width(), w.lblDisplay->width());
    w.resize(10, 10);
    EXPECT_EQ(w.width(), twips::clientWidthPx(5000, true));
}

TEST_F(frmTextTest, EnormousLineShowsOnlyWhatFits) {
    folder.write(QStringLiteral("long.txt"), "ab|" + QByteArray(2 * 1024 * 1024, 'y'));
    param.TextFileName(folder.file(QStringLiteral("long.txt")));
    frmText w(ctx);
    EXPECT_EQ(w.lblDisplay->text().size(), frmText::kShownChars);
    press(&w, QStringLiteral("a"));
    EXPECT_EQ(w.lblInput->text(), QStringLiteral("B"));
}

}  // namespace

// Delete, Backspace, Enter, Esc and keys held with Ctrl or Alt are commands,
// not typing: no miss, no start of the entry's clock, no beep. Real key
// events through the window, as the keyboard sends them.
TEST_F(frmTextTest, ControlKeysAndChordsAreNotJudged) {
    param.MissBeep(1);
    frmText w(ctx);
    w.show();
    w.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    QWindow* keys = w.windowHandle();
    QTest::keyClick(keys, Qt::Key_Delete);
    QTest::keyClick(keys, Qt::Key_Backspace);
    QTest::keyClick(keys, Qt::Key_Return);
    QTest::keyClick(keys, Qt::Key_A, Qt::ControlModifier);  // no item of the menus
    QTest::keyClick(keys, Qt::Key_H, Qt::AltModifier);
    EXPECT_EQ(w.practice().entryMiss(), 0);
    EXPECT_EQ(beeper.beeps, 0);
    clock.advance(4000);  // were the clock started above, this would count
    for (char c : std::string("hokkaidou")) QTest::keyClick(keys, c);
    EXPECT_EQ(w.lblDisplay->text(), QStringLiteral("あおもり"));
    EXPECT_EQ(w.lblMiss[1]->text(), QStringLiteral("0"));
    EXPECT_EQ(w.lblStrNum[1]->text(), QStringLiteral("9"));
    // 9 keys at the same instant: the shortest time counts, far above 9 × 15.
    EXPECT_GT(w.lblInpPMin[1]->text().toInt(), 200);
    QTest::keyClick(keys, Qt::Key_X);
    EXPECT_EQ(w.practice().entryMiss(), 1) << "a plain wrong letter still counts";
    w.close();
}

// Every entry of the practice texts that ship with the program fits the
// display line of a window at its opening width: none is cut off.
TEST_F(frmTextTest, ShippedTextsFitTheDisplayAtTheDefaultWidth) {
    frmText w(ctx);
    w.show();
    QApplication::processEvents();
    const QFontMetrics display(w.lblDisplay->font());
    const QFontMetrics input(w.lblInput->font());
    const QDir texts(sourceDir() + QStringLiteral("/data/Text"));
    const QStringList files = texts.entryList({QStringLiteral("*.txt")});
    ASSERT_GE(files.size(), 4);
    for (const QString& name : files) {
        QFile f(texts.filePath(name));
        ASSERT_TRUE(f.open(QIODevice::ReadOnly)) << name.toStdString();
        const QList<TextEntry> entries = textfile::parseTextEntries(textfile::decodePracticeText(f.readAll()));
        EXPECT_FALSE(entries.isEmpty()) << name.toStdString();
        for (const TextEntry& e : entries) {
            EXPECT_LE(display.horizontalAdvance(e.Display), w.lblDisplay->contentsRect().width())
                << name.toStdString() << ": " << e.Display.toStdString();
            EXPECT_LE(input.horizontalAdvance(e.Input.toUpper()), w.lblInput->contentsRect().width())
                << name.toStdString() << ": " << e.Input.toStdString();
        }
    }
}
