// The text-practice session: loading and order, judging key by key, the
// figures, clearing the totals and the record stored on close.
#include "OtherWriter.h"
#include "QuestionBox.h"
#include "RowTest.h"
#include "TextFixture.h"

namespace {

const QString kFruit = QStringLiteral("apple|\nbanana|\ncherry|\n");

QString shown(const TextPractice& tp) { return tp.displayText().toString(); }

// --- loading ---

TEST_F(TextFixture, LoadingShowsTheFirstEntryAndRemembersTheFile) {
    const QString path = practiceFile(QStringLiteral("f.txt"), kFruit);
    EXPECT_TRUE(tp.LoadText(path));
    EXPECT_EQ(tp.textCount(), 3);
    EXPECT_EQ(shown(tp), QStringLiteral("apple"));
    EXPECT_EQ(tp.inputText().toString(), QStringLiteral("APPLE"));
    EXPECT_EQ(param.TextFileName(), path);
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(TextFixture, LowerCaseLetterTypeShowsInputInLowerCase) {
    param.LetterType(1);
    load(QStringLiteral("HoKKaIDoU|ほっかいどう\n"));
    EXPECT_EQ(tp.inputText().toString(), QStringLiteral("hokkaidou"));
}

TEST_F(TextFixture, FileWithoutEntriesIsReportedAndKeysAreIgnored) {
    load(kFruit);
    const QString before = param.TextFileName();
    const QString path = practiceFile(QStringLiteral("empty.txt"), QStringLiteral("# only a comment|x\nno bar\n"));
    EXPECT_FALSE(tp.LoadText(path));
    ASSERT_EQ(dialogs.messages.size(), 1u);
    const MsgBoxRequest& m = dialogs.messages[0];
    EXPECT_EQ(m.text, QStringLiteral("有効な情報がありませんでした。\r\n") + path);
    EXPECT_EQ(m.title, QStringLiteral("エラー"));
    EXPECT_EQ(m.icon, MsgIcon::Critical);
    EXPECT_EQ(m.buttons, MsgButtons::OK);
    EXPECT_EQ(param.TextFileName(), before);
    EXPECT_TRUE(shown(tp).isEmpty());
    EXPECT_TRUE(tp.inputText().isEmpty());
    EXPECT_FALSE(tp.keyPress(u'a'));
    EXPECT_EQ(tp.entryMiss(), 0);
}

TEST_F(TextFixture, UnreadableFileKeepsTheShownEntryButIgnoresKeys) {
    load(kFruit);
    const QString before = param.TextFileName();
    const QString path = folder.file(QStringLiteral("missing.txt"));
    EXPECT_FALSE(tp.LoadText(path));
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].text, path + QStringLiteral("\r\nファイルが見つかりません。"));
    EXPECT_EQ(dialogs.messages[0].title, QStringLiteral("エラー"));
    EXPECT_EQ(dialogs.messages[0].icon, MsgIcon::Critical);
    EXPECT_EQ(param.TextFileName(), before);
    EXPECT_EQ(shown(tp), QStringLiteral("apple"));
    EXPECT_FALSE(tp.keyPress(u'a'));
}

// --- order ---

struct OrderCase {
    const char* name;
    int16_t textRead;
    std::vector<float> draws;
    std::vector<int> indexes;  // the first entry, then after each finished entry
};
class Order : public TextFixture, public ::testing::WithParamInterface<OrderCase> {};

TEST_P(Order, FollowsTextRead) {
    param.TextRead(GetParam().textRead);
    random.setSequence(GetParam().draws);
    load(kFruit);
    std::vector<int> seen{tp.textIndex()};
    for (size_t i = 1; i < GetParam().indexes.size(); ++i) {
        typeEntry(1000);
        seen.push_back(tp.textIndex());
    }
    EXPECT_EQ(seen, GetParam().indexes);
}

INSTANTIATE_TEST_SUITE_P(
    TextRead, Order,
    ::testing::Values(OrderCase{"FileOrderWrapsToTheFirst", 0, {}, {0, 1, 2, 0, 1}},
                      OrderCase{"ReverseStartsAtTheLastAndWraps", 1, {}, {2, 1, 0, 2, 1}},
                      OrderCase{"RandomTakesIntOfRTimesCount", 2, {0.5f, 0.0f, 0.99f, 0.34f}, {1, 0, 2, 1}},
                      OrderCase{"OutOfRangeValueReadsInFileOrder", 7, {}, {0, 1, 2}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(TextFixture, ChangingTheOrderKeepsTheCurrentEntry) {
    load(kFruit);
    typeEntry(1000);  // now at banana
    type(QStringLiteral("ba"));
    tp.setTextRead(1);
    EXPECT_EQ(param.TextRead(), 1);
    EXPECT_EQ(tp.textIndex(), 1);
    EXPECT_EQ(tp.entryTyped(), 2);
    typeEntry(1000);
    EXPECT_EQ(tp.textIndex(), 0);  // backwards from banana
}

// --- judging ---

TEST_F(TextFixture, PlainWordShrinksByOneCharacterPerKey) {
    load(kFruit);
    QStringList displays;
    for (QChar c : QStringLiteral("appl")) {
        tp.keyPress(c);
        displays << shown(tp);
        EXPECT_EQ(tp.lastEntry().typed, 0);  // no figures before the entry ends
    }
    EXPECT_EQ(displays, (QStringList{"pple", "ple", "le", "e"}));
    EXPECT_EQ(tp.inputText().toString(), QStringLiteral("E"));
    clock.advance(3000);
    tp.keyPress(u'E');  // case does not matter
    EXPECT_EQ(shown(tp), QStringLiteral("banana"));
    EXPECT_EQ(tp.lastEntry().typed, 5);
    EXPECT_EQ(tp.lastEntry().perMin, 100);
    EXPECT_EQ(tp.doneCount(), 1);
}

TEST_F(TextFixture, ReadingShrinksItsKanaAtEachSyllable) {
    load(QStringLiteral("HoKKaIDoU|ほっかいどう\napple|\n"));
    QStringList displays;
    for (QChar c : QStringLiteral("hokkaido")) {
        tp.keyPress(c);
        displays << shown(tp);
    }
    EXPECT_EQ(displays,
              (QStringList{"ほっかいどう", "っかいどう", "かいどう", "かいどう", "いどう", "どう", "どう", "う"}));
    EXPECT_EQ(tp.doneCount(), 0);
    tp.keyPress(u'u');
    EXPECT_EQ(tp.doneCount(), 1);
    EXPECT_EQ(shown(tp), QStringLiteral("apple"));
    EXPECT_EQ(tp.lastEntry().typed, 9);
}

// A wrong key after the "a" of "apple" counts as a miss. MissBeep beeps at
// it and the entry waits for the right key; MissNext enters the expected
// character in its place. The rest of the entry is typed with the beep off.
struct MissCase {
    const char* name;
    int16_t missBeep;
    int16_t missNext;
    int typed;  // after the wrong key
    int beeps;
    const char* shown;
    const char* rest;  // keys that finish the entry
    int entryMisses;
};
using Misses = RowTest<MissCase, TextFixture>;

TEST_P(Misses, AreCountedAndFollowTheOptions) {
    param.MissBeep(row.missBeep);
    param.MissNext(row.missNext);
    load(kFruit);
    type(QStringLiteral("ax"));
    EXPECT_EQ(tp.entryMiss(), 1);
    EXPECT_EQ(tp.entryTyped(), row.typed);
    EXPECT_EQ(beeper.beeps, row.beeps);
    EXPECT_EQ(shown(tp), QString::fromUtf8(row.shown));
    param.MissBeep(0);
    type(QString::fromUtf8(row.rest));
    EXPECT_EQ(beeper.beeps, row.beeps);
    EXPECT_EQ(tp.doneCount(), 1);
    EXPECT_EQ(tp.lastEntry().typed, 5);
    EXPECT_EQ(tp.lastEntry().miss, row.entryMisses);
}

INSTANTIATE_TEST_SUITE_P(Options, Misses,
                         ::testing::Values(MissCase{"BeepAndWaitForTheRightKey", 1, 0, 1, 1, "pple", "xpple", 2},
                                           MissCase{"NextEntersTheExpectedCharacter", 0, 1, 2, 0, "ple", "zzz", 4},
                                           MissCase{"BeepAndEnterTheExpectedCharacter", 1, 1, 2, 1, "ple", "zzz", 4}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(TextFixture, ClockStartsAtTheFirstKeyEvenAMiss) {
    load(kFruit);
    clock.advance(5000);  // reading time does not count
    tp.keyPress(u'x');
    clock.advance(1500);
    type(QStringLiteral("appl"));
    clock.advance(1500);
    type(QStringLiteral("e"));
    EXPECT_EQ(tp.lastEntry().perMin, 100);  // 5 characters in 3 s
}

// --- figures ---

TEST_F(TextFixture, AverageIsKeptAtTwoDecimals) {
    load(QStringLiteral("abcdefghijklmnopq|\n"));  // 17 characters
    typeEntry(10200);                              // 100 per minute
    typeEntry(20000);                              // 51
    EXPECT_EQ(tp.lastEntry().perMin, 51);
    EXPECT_DOUBLE_EQ(tp.totals().perMin, 75.5);
    typeEntry(17000);  // 60
    EXPECT_DOUBLE_EQ(tp.totals().perMin, 70.33);
    EXPECT_EQ(tp.totals().typed, 51);
    EXPECT_EQ(tp.doneCount(), 3);
}

struct RateCase {
    const char* name;
    int32_t typed;
    uint32_t ms;
    int16_t rate;
};
using Rates = RowTest<RateCase>;

TEST_P(Rates, RoundHalfToEvenWithinSixteenBits) { EXPECT_EQ(TextPractice::entryRate(row.typed, row.ms), row.rate); }

INSTANTIATE_TEST_SUITE_P(EntryRate, Rates,
                         ::testing::Values(RateCase{"Exact", 5, 3000, 100}, RateCase{"HalfDownToEven", 1, 24000, 2},
                                           RateCase{"HalfUpToEven", 1, 40000, 2},
                                           RateCase{"NoMeasurableTimeCountsAsOneMs", 1, 0, 32767},
                                           RateCase{"OneMsWithinRange", 1, 2, 30000},
                                           RateCase{"CappedAt32767", 6, 10, 32767}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(TextFixture, EntryWithinOneMillisecondStillFinishesCompletely) {
    load(kFruit);
    type(QStringLiteral("apple"));  // the clock never moves
    EXPECT_EQ(tp.doneCount(), 1);
    EXPECT_EQ(shown(tp), QStringLiteral("banana"));
    EXPECT_EQ(tp.lastEntry().perMin, 32767);
    EXPECT_EQ(tp.totals().typed, 5);
    EXPECT_EQ(tp.entryTyped(), 0);
    // The next entry times itself from its own first key.
    clock.advance(60000);
    tp.keyPress(u'b');
    clock.advance(6000);
    type(QStringLiteral("anana"));
    EXPECT_EQ(tp.lastEntry().perMin, 60);
}

TEST_F(TextFixture, TimerWrapAroundGivesTheRightRate) {
    clock.now = 0xFFFFFFFFu - 999;
    load(kFruit);
    tp.keyPress(u'a');
    clock.advance(3000);  // wraps past zero
    type(QStringLiteral("pple"));
    EXPECT_EQ(tp.lastEntry().perMin, 100);
}

TEST_F(TextFixture, LoadingAnotherFileKeepsTotalsButRestartsTheEntry) {
    load(kFruit);
    typeEntry(3000);
    type(QStringLiteral("bx"));
    load(QStringLiteral("HoKKaIDoU|ほっかいどう\n"));
    EXPECT_EQ(tp.entryTyped(), 0);
    EXPECT_EQ(tp.entryMiss(), 0);
    EXPECT_EQ(tp.charPos(), 1);
    EXPECT_EQ(tp.totals().typed, 5);
    EXPECT_EQ(tp.doneCount(), 1);
}

// --- clearing and storing ---

TEST_F(TextFixture, ClearingAsksFirst) {
    load(kFruit);
    EXPECT_FALSE(tp.TotalClear());  // nothing finished: no question
    EXPECT_TRUE(dialogs.messages.empty());
    typeEntry(3000);
    dialogs.msgAnswers = {MsgResult::No};
    EXPECT_FALSE(tp.TotalClear());
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_TRUE(isYesNoQuestion(dialogs.messages[0], QStringLiteral("今回練習中の累計をクリアしますか？"),
                                QStringLiteral("確認"), 1));  // No
    EXPECT_EQ(tp.totals().typed, 5);

    type(QStringLiteral("ban"));
    dialogs.msgAnswers = {MsgResult::Yes};
    EXPECT_TRUE(tp.TotalClear());
    EXPECT_EQ(tp.totals().typed, 0);
    EXPECT_EQ(tp.totals().miss, 0);
    EXPECT_EQ(tp.totals().perMin, 0);
    EXPECT_EQ(tp.doneCount(), 0);
    EXPECT_EQ(tp.lastEntry().typed, 5);  // row 1 stays
    EXPECT_EQ(tp.entryTyped(), 3);       // and so does the entry being typed
}

TEST_F(TextFixture, ClosingStoresTheTotalsOnce) {
    load(QStringLiteral("abcdefghijklmnopq|\n"));
    typeEntry(10200);
    type(QStringLiteral("x"));
    typeEntry(20000);
    tp.Unload();
    tp.Unload();
    basResults stored(param, dialogs);
    ASSERT_TRUE(stored.LoadResults());
    ASSERT_EQ(stored.GetTextCount(), 1);
    EXPECT_EQ(stored.GetTextChars(0), 34);
    EXPECT_EQ(stored.GetTextMisses(0), 1);
    EXPECT_DOUBLE_EQ(stored.GetTextPerMinute(0), 75.5);
}

TEST_F(TextFixture, ClosingKeepsWhatAnotherWriterSavedMeanwhile) {
    load(kFruit);
    typeEntry(3000);
    otherwriter::recordMeanwhile(param, dialogs);
    tp.Unload();
    basResults stored(param, dialogs);
    ASSERT_TRUE(stored.LoadResults());
    EXPECT_EQ(stored.GetTextCount(), 1);
    EXPECT_TRUE(otherwriter::scoreSurvived(param, dialogs));
}

TEST_F(TextFixture, ClosingWithoutAFinishedEntryStoresNothing) {
    load(kFruit);
    type(QStringLiteral("appl"));
    tp.Unload();
    EXPECT_FALSE(folder.exists(QStringLiteral("Lumbra.dat")));
}

TEST_F(TextFixture, ClearingThenClosingStoresNothing) {
    load(kFruit);
    typeEntry(3000);
    dialogs.msgAnswers = {MsgResult::Yes};
    ASSERT_TRUE(tp.TotalClear());
    tp.Unload();
    EXPECT_FALSE(folder.exists(QStringLiteral("Lumbra.dat")));
}

}  // namespace

TEST_F(TextFixture, ControlCharactersAreNoKeysOfTheText) {
    param.MissBeep(1);
    load(kFruit);
    for (char16_t c : {u'\x7f', u'\b', u'\r', u'\x1b', u'\x01', u'\t'}) EXPECT_FALSE(tp.keyPress(QChar(c))) << int(c);
    EXPECT_EQ(tp.entryMiss(), 0);
    EXPECT_EQ(beeper.beeps, 0);
    type(QStringLiteral("a"));
    EXPECT_EQ(tp.entryTyped(), 1);
}
