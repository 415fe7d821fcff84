// The word-practice window: a word typed to its end moves the set on, counts
// like text practice and records every key; a kana word shows once.
#include <gtest/gtest.h>

#include <QLabel>
#include <QTest>

#include "FakeApp.h"
#include "Learning.h"
#include "basResults.h"
#include "frmWords.h"

using namespace words;

TEST(WordWindow, TypingAWordShowsTheNextAndKeepsItsFigures) {
    FakeApp app;
    Learning learning{app.param, app.clock, app.dialogs};
    app.ctx.learning = &learning;
    std::vector<Word> list;
    for (const auto& [written, reading] : {std::pair{u"天気", u"てんき"}, {u"テレビ", u"てれび"}}) {
        Word w{QString::fromUtf16(written), QString::fromUtf16(reading), *spellForJudge(QString::fromUtf16(reading)),
               255};
        list.push_back(w);
    }
    frmWords w(app.ctx, list);
    w.show();
    EXPECT_EQ(w.windowTitle(), QStringLiteral("単語練習"));
    EXPECT_EQ(w.lblCount->text(), QStringLiteral("1／2"));
    const bool kanjiFirst = !w.lblWord->text().isEmpty();
    EXPECT_EQ(w.lblWord->text(), kanjiFirst ? QStringLiteral("天気") : QString());
    EXPECT_EQ(w.lblDisplay->text(), kanjiFirst ? QStringLiteral("てんき") : QStringLiteral("テレビ"));
    QTest::keyClicks(&w, kanjiFirst ? QStringLiteral("tenki") : QStringLiteral("terebi"));
    EXPECT_EQ(w.lblCount->text(), QStringLiteral("2／2"));
    EXPECT_EQ(w.lblDisplay->text(), kanjiFirst ? QStringLiteral("テレビ") : QStringLiteral("てんき"));
    EXPECT_EQ(w.lblWord->text(), kanjiFirst ? QString() : QStringLiteral("天気"));
    EXPECT_EQ(w.lblStrNum[1]->text(), kanjiFirst ? QStringLiteral("5") : QStringLiteral("6"));
    QTest::keyClicks(&w, QStringLiteral("x"));
    w.close();
    ASSERT_TRUE(learning.flush());
    EXPECT_EQ(learning.figures(0)->keystrokes, kanjiFirst ? 6 : 7);
    app.results.LoadResults();
    EXPECT_EQ(app.results.GetTextCount(), 1);
}
