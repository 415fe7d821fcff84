#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>

#include "AppContext.h"
#include "ConfSummary.h"
#include "FakeApp.h"
#include "Fakes.h"
#include "FormsRegistry.h"
#include "TestFiles.h"
#include "basMain.h"
#include "basParam.h"
#include "basResults.h"
#include "frmConf.h"

namespace {

struct SentenceRow {
    const char* name;
    int32_t chars;
    double seconds;
    int32_t perMinute;
    int32_t misses;
    const char* input;
    const char* minute;
    const char* missType;
};
class ConfSentences : public ::testing::TestWithParam<SentenceRow> {};
TEST_P(ConfSentences, ThreeSentencesOfTheLastRun) {
    const SentenceRow& r = GetParam();
    const ConfSummary s = ConfSummary::make(r.chars, r.seconds, r.perMinute, r.misses);
    EXPECT_EQ(s.input, QString::fromUtf8(r.input));
    EXPECT_EQ(s.minute, QString::fromUtf8(r.minute));
    EXPECT_EQ(s.missType, QString::fromUtf8(r.missType));
}
INSTANTIATE_TEST_SUITE_P(
    Rows, ConfSentences,
    ::testing::Values(SentenceRow{"NoRunYet", 0, 0, 0, 0, "", "", ""},
                      SentenceRow{"NoCharactersButFigures", 0, 12.5, 30, 2, "", "", ""},
                      SentenceRow{"NoMisses", 120, 35.25, 204, 0, "120 文字の入力速度は 35.25 秒です。",
                                  "１分あたりの入力数は 204 文字です。", "ミスタイプはありませんでした。"},
                      SentenceRow{"ThreeMisses", 50, 23.4, 128, 3, "50 文字の入力速度は 23.4 秒です。",
                                  "１分あたりの入力数は 128 文字です。", "ミスタイプは 3 回ありました。"},
                      SentenceRow{"WholeSeconds", 100, 50, 120, 1, "100 文字の入力速度は 50 秒です。",
                                  "１分あたりの入力数は 120 文字です。", "ミスタイプは 1 回ありました。"},
                      SentenceRow{"LongFraction", 100, 100 * 0.4680000000001, 128, 12,
                                  "100 文字の入力速度は 46.80000000001 秒です。", "１分あたりの入力数は 128 文字です。",
                                  "ミスタイプは 12 回ありました。"}),
    [](const auto& info) { return std::string(info.param.name); });

struct ConfWorld : ::testing::Test, FakeApp {
    QWidget owner;

    void TearDown() override {
        while (auto* w = forms.find<frmConf>()) delete w;
    }
    void run(int32_t chars, double seconds, int16_t perMinute, int16_t misses) {
        results.ResetRun();
        results.SetRunChars(chars);
        results.SetRunSeconds(seconds);
        results.SetRunPerMinute(perMinute);
        results.SetRunMisses(misses);
        results.CommitRun();
    }
    static QString text(frmConf* w, const char* label) {
        return w->findChild<QLabel*>(QString::fromLatin1(label))->text();
    }
    static void deleteClosed() { QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }
};

QRect tw(int l, int t, int w, int h) { return QRect(l / 15, t / 15, w / 15, h / 15); }

TEST_F(ConfWorld, WindowAsDesigned) {
    frmConf* w = frmConf::showModeless(ctx, &owner);
    EXPECT_EQ(w->objectName(), QStringLiteral("frmConf"));
    EXPECT_EQ(w->windowTitle(), QStringLiteral("成績表示"));
    EXPECT_TRUE(w->isWindow());
    EXPECT_EQ(w->parentWidget(), &owner);  // kept above its owner
    EXPECT_TRUE(w->testAttribute(Qt::WA_DeleteOnClose));
    QWidget* client = w->centralWidget();
    struct Row {
        const char* name;
        int top;
    };
    for (const Row& r : {Row{"lblInput", 360}, Row{"lblMinute", 600}, Row{"lblMissType", 1080}}) {
        auto* l = w->findChild<QLabel*>(QString::fromLatin1(r.name));
        ASSERT_NE(l, nullptr) << r.name;
        EXPECT_EQ(l->parentWidget(), client);
        EXPECT_EQ(l->pos(), tw(240, r.top, 0, 0).topLeft()) << r.name;
        EXPECT_EQ(l->width(), 4215 / 15) << r.name;
        EXPECT_EQ(l->font().family(), QStringLiteral("ＭＳ Ｐゴシック"));
        EXPECT_EQ(l->font().pixelSize(), 15);  // 11.25 points
    }
    auto* close = w->findChild<QPushButton*>(QStringLiteral("cmdClose"));
    ASSERT_NE(close, nullptr);
    EXPECT_EQ(close->text(), QStringLiteral("閉じる(&C)"));
    EXPECT_EQ(close->geometry(), tw(3360, 1560, 1215, 375));
    EXPECT_GE(client->height(), close->geometry().bottom() + 8);
    const QList<QAction*> menus = w->menuBar()->actions();
    ASSERT_FALSE(menus.isEmpty());
    EXPECT_EQ(menus[0]->text(), QStringLiteral("ファイル(&F)"));
    const QList<QAction*> file = menus[0]->menu()->actions();
    ASSERT_EQ(file.size(), 1);
    EXPECT_EQ(file[0]->text(), QStringLiteral("閉じる(&C)"));
    EXPECT_EQ(file[0]->objectName(), QStringLiteral("mnuFileClose"));
}

TEST_F(ConfWorld, ShowsTheLastRunAndNothingBeforeTheFirst) {
    frmConf* w = frmConf::showModeless(ctx, &owner);
    EXPECT_EQ(text(w, "lblInput"), QString());
    EXPECT_EQ(text(w, "lblMinute"), QString());
    EXPECT_EQ(text(w, "lblMissType"), QString());
    run(120, 35.25, 204, 3);
    frmConf::showModeless(ctx, &owner);
    EXPECT_EQ(text(w, "lblInput"), QStringLiteral("120 文字の入力速度は 35.25 秒です。"));
    EXPECT_EQ(text(w, "lblMinute"), QStringLiteral("１分あたりの入力数は 204 文字です。"));
    EXPECT_EQ(text(w, "lblMissType"), QStringLiteral("ミスタイプは 3 回ありました。"));
}

TEST_F(ConfWorld, OneWindowBroughtForwardAgain) {
    frmConf* first = frmConf::showModeless(ctx, &owner);
    frmConf* second = frmConf::showModeless(ctx, &owner);
    EXPECT_EQ(first, second);
    EXPECT_EQ(owner.findChildren<frmConf*>().size(), 1);
}

TEST_F(ConfWorld, EveryActivationReadsTheRecordAgain) {
    run(50, 23.4, 128, 0);
    frmConf* w = frmConf::showModeless(ctx, &owner);
    EXPECT_EQ(text(w, "lblMissType"), QStringLiteral("ミスタイプはありませんでした。"));
    run(100, 50, 120, 2);
    QEvent activate(QEvent::WindowActivate);
    QApplication::sendEvent(w, &activate);
    EXPECT_EQ(text(w, "lblInput"), QStringLiteral("100 文字の入力速度は 50 秒です。"));
    EXPECT_EQ(text(w, "lblMissType"), QStringLiteral("ミスタイプは 2 回ありました。"));
}

class ConfCloses : public ConfWorld, public ::testing::WithParamInterface<bool> {};
TEST_P(ConfCloses, ButtonAndMenuUnloadTheWindow) {
    frmConf* w = frmConf::showModeless(ctx, &owner);
    if (GetParam())
        w->findChild<QPushButton*>(QStringLiteral("cmdClose"))->click();
    else
        w->findChild<QAction*>(QStringLiteral("mnuFileClose"))->trigger();
    deleteClosed();
    EXPECT_EQ(forms.find<frmConf>(), nullptr);
    EXPECT_TRUE(owner.findChildren<frmConf*>().isEmpty());
    run(10, 5, 120, 0);
    frmConf* again = frmConf::showModeless(ctx, &owner);
    EXPECT_EQ(text(again, "lblInput"), QStringLiteral("10 文字の入力速度は 5 秒です。"));
}
INSTANTIATE_TEST_SUITE_P(Ways, ConfCloses, ::testing::Values(true, false),
                         [](const auto& info) { return std::string(info.param ? "CloseButton" : "CloseMenuItem"); });

}  // namespace
