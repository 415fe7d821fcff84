#include <gtest/gtest.h>

#include <map>

#include "Levels.h"
#include "OtherWriter.h"
#include "PracticeRig.h"
#include "RowTest.h"

namespace {

// ---------------------------------------------------------------- a whole test

TEST(KeyPracticeRun, ComprehensiveTestOfHundredKeysWithMissesReachesResultsFile) {
    PracticeRig rig;
    rig.param.Level(12);
    rig.param.MissBeep(1);
    rig.param.MissNext(1);    // never advances in a test
    rig.param.NeedCount(10);  // a test always needs 100
    SeededRandom seeded(7);
    KeyPractice practice(rig.main, rig.param, rig.results, rig.clock, seeded, rig.beeper);
    RecordingView view;
    practice.setView(&view);
    rig.clock.now = 5000;
    practice.Form_Load();
    EXPECT_FALSE(practice.running());
    EXPECT_EQ(practice.caption(), QStringLiteral("タッチタイプ練習（総合テスト）"));

    std::map<int, int> missesByIndex;
    int misses = 0;
    for (int typed = 0; typed < 100; ++typed) {
        if (typed % 9 == 4) {  // a miss every ninth key: the Ctrl of a shortcut, then a wrong letter
            for (int16_t wrong : {int16_t(17), int16_t(practice.next(0) == 0 ? 'S' : 'A')}) {
                if (wrong == rig.main.keyCode(practice.next(0))) continue;
                ++missesByIndex[practice.next(0)];
                ++misses;
                const int16_t expectedBefore = practice.next(0);
                practice.Form_KeyDown(wrong);
                EXPECT_EQ(practice.next(0), expectedBefore) << "a miss never advances a test";
                rig.clock.advance(300);
            }
        }
        ASSERT_EQ(view.lastRunShown, 0) << "ended early at key " << typed;
        practice.Form_KeyDown(rig.main.keyCode(practice.next(0)));
        if (typed == 0) {
            EXPECT_EQ(practice.startTime(), 5000u);
        }
        EXPECT_EQ(practice.typedCount(), typed + 1);
        rig.clock.advance(400);
    }
    // The clock ran from the first key to the hundredth: 99 gaps of 400 ms plus the misses' 300 ms.
    const double seconds = (99 * 400 + misses * 300) / 1000.0;
    EXPECT_EQ(view.lastRunShown, 1);
    EXPECT_FALSE(practice.running());
    EXPECT_FALSE(practice.progressVisible());
    EXPECT_EQ(rig.beeper.beeps, misses);
    EXPECT_EQ(practice.needCount(), 100);

    EXPECT_EQ(rig.results.GetLastRunChars(), 100);
    EXPECT_DOUBLE_EQ(rig.results.GetLastRunSeconds(), seconds);
    EXPECT_EQ(rig.results.GetLastRunMisses(), misses);
    EXPECT_EQ(rig.results.GetLastRunPerMinute(), static_cast<int16_t>(std::nearbyint(6000.0 / seconds)));
    for (int i = 0; i <= 100; ++i)
        EXPECT_EQ(rig.results.GetLastRunKeyMiss(i), missesByIndex.count(i) ? missesByIndex[i] : 0) << "index " << i;

    // The file holds exactly this comprehensive test.
    basResults reread(rig.param, rig.dialogs);
    ASSERT_TRUE(reread.LoadResults());
    EXPECT_EQ(rig.param.DataFileName(), rig.folder.file(QStringLiteral("Lumbra.dat")));
    EXPECT_EQ(reread.GetTestCount(0), 1);
    EXPECT_DOUBLE_EQ(reread.GetTestTime(0, 0), seconds);
    EXPECT_EQ(reread.GetTestMiss(0, 0), misses);
    EXPECT_EQ(reread.GetTestCount(2), 0);
    EXPECT_TRUE(rig.dialogs.messages.empty());
}

TEST(KeyPracticeRun, BeginnerTestIsRecordedAsKindTwoAndOtherLevelsNotAtAll) {
    for (int level : {0, 8, 11}) {
        PracticeRig rig;
        rig.param.Level(static_cast<int16_t>(level));
        rig.param.NeedCount(100);
        rig.practice.Form_Load();
        for (int i = 0; i < 100; ++i) {
            rig.typeExpected();
            rig.clock.advance(250);
        }
        EXPECT_EQ(rig.view.lastRunShown, 1) << level;
        EXPECT_EQ(rig.folder.exists(QStringLiteral("Lumbra.dat")), level == 11) << level;
        if (level == 11) {
            basResults reread(rig.param, rig.dialogs);
            ASSERT_TRUE(reread.LoadResults());
            EXPECT_EQ(reread.GetTestCount(2), 1);
            EXPECT_DOUBLE_EQ(reread.GetTestTime(2, 0), 24.75);
            EXPECT_EQ(reread.GetTestCount(0), 0);
        }
    }
}

TEST(KeyPracticeRun, TestKeepsWhatAnotherWriterSavedMeanwhile) {
    PracticeRig rig;
    rig.param.Level(11);
    rig.practice.Form_Load();
    for (int i = 0; i < 100; ++i) {
        if (i == 50) otherwriter::recordMeanwhile(rig.param, rig.dialogs);
        rig.typeExpected();
        rig.clock.advance(250);
    }
    basResults reread(rig.param, rig.dialogs);
    ASSERT_TRUE(reread.LoadResults());
    EXPECT_EQ(reread.GetTestCount(2), 1);
    EXPECT_TRUE(otherwriter::scoreSurvived(rig.param, rig.dialogs));
}

// ---------------------------------------------------------------- figures of a run

struct FiguresRow {
    const char* name;
    int needCount;
    uint32_t elapsedMs;
    int16_t perMinute;
    double seconds;
};

using KeyPracticeFigures = RowTest<FiguresRow>;

TEST_P(KeyPracticeFigures, RunFiguresFromFirstToLastKey) {
    PracticeRig rig;
    rig.param.NeedCount(row.needCount);
    rig.practice.Form_Load();
    const int shownAtLoad = rig.view.lastRunShown;
    rig.clock.now = 123456;
    for (int i = 0; i < row.needCount; ++i) {
        if (i == row.needCount - 1) rig.clock.advance(row.elapsedMs);
        rig.typeExpected();
    }
    EXPECT_EQ(rig.view.lastRunShown, shownAtLoad + 1);
    EXPECT_EQ(rig.results.GetLastRunChars(), row.needCount);
    EXPECT_DOUBLE_EQ(rig.results.GetLastRunSeconds(), row.seconds);
    EXPECT_EQ(rig.results.GetLastRunPerMinute(), row.perMinute);
    EXPECT_EQ(rig.results.GetLastRunMisses(), 0);
    EXPECT_FALSE(rig.practice.running());
}

INSTANTIATE_TEST_SUITE_P(Rows, KeyPracticeFigures,
                         ::testing::Values(FiguresRow{"HundredKeysIn50s", 100, 50000, 120, 50.0},
                                           FiguresRow{"FiftyKeysIn23_4s", 50, 23400, 128, 23.4},
                                           FiguresRow{"HalfRoundsDownToEven", 5, 120000, 2, 120.0},
                                           FiguresRow{"HalfRoundsUpToEven", 7, 120000, 4, 120.0},
                                           FiguresRow{"TooFastForTheFieldShowsItsLargest", 100, 10, 32767, 0.01},
                                           FiguresRow{"OneKeyTakesNoTime", 1, 0, 0, 0.0}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(KeyPracticeRun, ClockWrapDoesNotBreakTheTime) {
    PracticeRig rig;
    rig.param.NeedCount(3);
    rig.practice.Form_Load();
    rig.clock.now = 0xFFFFFF00u;
    rig.typeExpected();
    rig.clock.advance(0x200);  // wraps past 2^32
    rig.typeExpected();
    rig.typeExpected();
    EXPECT_DOUBLE_EQ(rig.results.GetLastRunSeconds(), 0.512);
}

// ---------------------------------------------------------------- misses

TEST(KeyPracticeMisses, MissNextAdvancesDrillsButNeverTests) {
    for (int level : {0, 10, 11, 12}) {
        PracticeRig rig;
        rig.param.Level(static_cast<int16_t>(level));
        rig.param.NeedCount(10);
        rig.param.MissNext(1);
        rig.practice.Form_Load();
        const int shownAtLoad = rig.view.lastRunShown;
        for (int i = 0; i < 10; ++i) rig.typeWrong();
        const bool drill = level <= 10;
        EXPECT_EQ(rig.view.lastRunShown, shownAtLoad + (drill ? 1 : 0)) << level;
        EXPECT_EQ(rig.practice.running(), !drill) << level;
        EXPECT_EQ(rig.practice.missCount(), 10) << level;
        EXPECT_EQ(rig.practice.typedCount(), drill ? 10 : 0) << level;
        if (drill) {
            EXPECT_EQ(rig.results.GetLastRunMisses(), 10) << level;
        }
    }
}

TEST(KeyPracticeMisses, MissIsChargedToTheExpectedKeyAndBeepsOnlyWhenAsked) {
    PracticeRig rig;
    rig.param.MissBeep(0);
    rig.practice.Form_Load();
    const int expectedIndex = rig.practice.next(0);
    rig.typeWrong('Z');
    rig.typeWrong(17);
    EXPECT_EQ(rig.beeper.beeps, 0);
    rig.param.MissBeep(1);  // takes effect at the next key
    rig.typeWrong('Q');
    EXPECT_EQ(rig.beeper.beeps, 1);
    EXPECT_EQ(rig.practice.next(0), expectedIndex);
    EXPECT_EQ(rig.practice.missCount(), 3);
    // The run record holds the misses of the current run until it is committed.
    for (int i = 0; i < 49; ++i) rig.typeExpected();
    EXPECT_EQ(rig.view.lastRunShown, 0);
    rig.typeExpected();
    EXPECT_EQ(rig.results.GetLastRunKeyMiss(expectedIndex), 3);
    EXPECT_EQ(rig.results.GetLastRunKeyMiss(19), 0) << "not charged to the key pressed (Z)";
}

struct ColourStep {
    int16_t code;
    uint32_t color;
    bool operator==(const ColourStep& o) const { return code == o.code && color == o.color; }
};
std::ostream& operator<<(std::ostream& os, const ColourStep& s) { return os << s.code << ":" << s.color; }

std::vector<ColourStep> steps(const RecordingView& v, size_t from) {
    std::vector<ColourStep> out;
    for (size_t i = from; i < v.colors.size(); ++i) out.push_back({v.colors[i].first, v.colors[i].second});
    return out;
}

TEST(KeyPracticeMisses, MissColourSequence) {
    constexpr uint32_t B = OnScreenKeyboard::Black, R = OnScreenKeyboard::Red, W = OnScreenKeyboard::White;
    PracticeRig rig;
    rig.loadWalkingLevel0();
    ASSERT_EQ(rig.expected(), 'S');  // the load's fed key took A
    EXPECT_EQ(rig.practice.keyboard().foreColor('S'), R);

    size_t mark = rig.view.colors.size();
    rig.typeWrong('Z');  // white while MissKeyDisp = 1
    EXPECT_EQ(steps(rig.view, mark), (std::vector<ColourStep>{{'Z', W}}));

    mark = rig.view.colors.size();
    rig.typeExpected();  // the next key-down blackens it; S done, D expected
    EXPECT_EQ(steps(rig.view, mark), (std::vector<ColourStep>{{'Z', B}, {'S', B}, {'D', R}}));

    rig.param.MissNext(1);  // F is next: typing it instead of D skips D and F turns red again
    mark = rig.view.colors.size();
    rig.practice.Form_KeyDown('F');
    EXPECT_EQ(steps(rig.view, mark), (std::vector<ColourStep>{{'D', B}, {'F', W}, {'F', R}}));

    rig.param.MissKeyDisp(0);
    rig.param.MissNext(0);
    mark = rig.view.colors.size();
    rig.typeWrong('Z');
    // The last mistyped key was F, the expected key: black, then red again; Z never turns white.
    EXPECT_EQ(steps(rig.view, mark), (std::vector<ColourStep>{{'F', B}, {'F', R}}));
    EXPECT_EQ(rig.practice.keyboard().foreColor('F'), R);
}

TEST(KeyPracticeRun, ReStartAbandonsTheRunAndKeepsTheQueue) {
    PracticeRig rig;
    rig.param.Level(11);
    rig.practice.Form_Load();
    for (int i = 0; i < 30; ++i) rig.typeExpected();
    rig.typeWrong('1');
    const int16_t expectedIndex = rig.practice.next(0);
    EXPECT_TRUE(rig.practice.progressVisible());
    EXPECT_EQ(rig.practice.keyboard().foreColor('1'), OnScreenKeyboard::White);
    rig.practice.ReStart();
    EXPECT_FALSE(rig.practice.running());
    EXPECT_FALSE(rig.practice.progressVisible());
    EXPECT_EQ(rig.practice.keyboard().foreColor('1'), OnScreenKeyboard::Black);
    EXPECT_EQ(rig.practice.next(0), expectedIndex);
    for (int i = 0; i < 99; ++i) rig.typeExpected();
    EXPECT_TRUE(rig.practice.running()) << "a fresh run needs all 100 keys again";
    EXPECT_FALSE(rig.folder.exists(QStringLiteral("Lumbra.dat")));
}

// ---------------------------------------------------------------- levels

struct LevelRow {
    int level;
    const char16_t* caption;
};
class KeyPracticeLevels : public ::testing::TestWithParam<LevelRow> {};

TEST_P(KeyPracticeLevels, SetLevelStoresLevelCaptionAndIdleDrill) {
    PracticeRig rig;
    rig.practice.Form_Load();
    rig.practice.SetLevel(GetParam().level);
    EXPECT_EQ(rig.param.Level(), GetParam().level);
    EXPECT_EQ(rig.practice.caption(), QString::fromUtf16(GetParam().caption));
    EXPECT_FALSE(rig.practice.running());
    EXPECT_FALSE(rig.practice.progressVisible());
    const practice::KeyRange r = practice::levelRange(GetParam().level, 0);
    EXPECT_EQ(rig.practice.rangeLow(), r.low);
    EXPECT_EQ(rig.practice.rangeHigh(), r.high);
    for (int i = 0; i < 6; ++i) {
        const int16_t code = rig.main.keyCode(rig.practice.next(i));
        EXPECT_EQ(rig.practice.queueText(i), rig.practice.keyboard().label(code)->legend) << i;
    }
    EXPECT_EQ(rig.practice.keyboard().foreColor(rig.expected()), OnScreenKeyboard::Red);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, KeyPracticeLevels,
    ::testing::Values(LevelRow{0, u"タッチタイプ練習（英字中段）"}, LevelRow{4, u"タッチタイプ練習（人差し指）"},
                      LevelRow{9, u"タッチタイプ練習（数字＋英字）"}, LevelRow{11, u"タッチタイプ練習（初級テスト）"},
                      LevelRow{12, u"タッチタイプ練習（総合テスト）"}, LevelRow{14, u"タッチタイプ練習（段階練習）"}),
    [](const auto& info) { return "Level" + std::to_string(info.param.level); });

TEST(KeyPracticeLevels, AllKeysEndAt45On101And46On106) {
    EXPECT_EQ(practice::levelRange(10, 1).high, 45);
    EXPECT_EQ(practice::levelRange(10, 0).high, 46);
    EXPECT_EQ(practice::levelRange(12, 1).high, 45);
    EXPECT_EQ(practice::levelRange(12, 0).high, 46);
    EXPECT_EQ(practice::levelRange(7, 0).low, 83);
    EXPECT_EQ(practice::levelRange(7, 0).high, 90);
}

TEST(KeyPracticeLevels, LowerCaseLettersInQueueStillJudgedByCode) {
    PracticeRig rig;
    rig.param.LetterType(1);
    rig.loadWalkingLevel0();
    EXPECT_EQ(rig.practice.queueText(0), QStringLiteral("s"));
    EXPECT_EQ(rig.practice.keyboard().label('S')->legend, QStringLiteral("s"));
    rig.practice.Form_KeyDown('S');
    EXPECT_EQ(rig.practice.missCount(), 0);
    EXPECT_EQ(rig.practice.queueText(0), QStringLiteral("d"));
}

TEST(KeyPracticeLevels, OptionsKeepTheRangeAndQueue) {
    PracticeRig rig;
    rig.param.Level(10);
    rig.practice.Form_Load();
    std::array<int16_t, 6> before{};
    for (int i = 0; i < 6; ++i) before[static_cast<size_t>(i)] = rig.practice.next(i);
    rig.param.KeyBoardType(1);
    rig.param.LetterType(1);
    rig.practice.OptionsChanged();
    EXPECT_EQ(rig.practice.rangeHigh(), 46) << "the range changes only with the next level choice";
    for (int i = 0; i < 6; ++i) EXPECT_EQ(rig.practice.next(i), before[static_cast<size_t>(i)]);
    EXPECT_EQ(rig.main.keyCode(46), 191) << "entries of the 106 layout stay";
    EXPECT_FALSE(rig.practice.keyboard().label(192)->visible);
    rig.practice.SetLevel(10);
    EXPECT_EQ(rig.practice.rangeHigh(), 45);
}

// ---------------------------------------------------------------- the draw

struct DrawRow {
    const char* name;
    int level;
    int16_t keyBoardType;
    int samples;  // draws counted
};
using KeyPracticeDraw = RowTest<DrawRow>;

TEST_P(KeyPracticeDraw, EndsComeUpHalfAsOften) {
    PracticeRig rig;
    SeededRandom seeded(2024);
    KeyPractice practice(rig.main, rig.param, rig.results, rig.clock, seeded, rig.beeper);
    rig.param.KeyBoardType(row.keyBoardType);
    rig.main.MakeKeyCodeTable(row.keyBoardType);
    std::map<int, int> count;
    for (int i = 0; i < row.samples; ++i) {
        practice.MakeDrill(row.level);  // mNext(0) is a raw draw
        ++count[practice.next(0)];
    }
    const practice::KeyRange r = practice::levelRange(row.level, row.keyBoardType);
    ASSERT_EQ(count.begin()->first, r.low);
    ASSERT_EQ(count.rbegin()->first, r.high);
    EXPECT_EQ(static_cast<int>(count.size()), r.high - r.low + 1);
    const double interior = static_cast<double>(row.samples) / (r.high - r.low);
    for (const auto& [index, n] : count) {
        const bool end = index == r.low || index == r.high;
        const double want = end ? interior / 2 : interior;
        EXPECT_NEAR(n, want, want * 0.15) << "index " << index;
    }
}

INSTANTIATE_TEST_SUITE_P(Rows, KeyPracticeDraw,
                         ::testing::Values(DrawRow{"HomeRow", 0, 0, 40000}, DrawRow{"Digits", 3, 0, 40000},
                                           DrawRow{"AllKeys101", 10, 1, 100000}, DrawRow{"AllKeys106", 10, 0, 100000}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(KeyPracticeDraw, NoEqualNeighboursOverALongStream) {
    PracticeRig rig;
    SeededRandom seeded(99);
    KeyPractice practice(rig.main, rig.param, rig.results, rig.clock, seeded, rig.beeper);
    rig.param.Level(0);
    practice.Form_Load();
    int comebacks = 0;
    for (int n = 0; n < 20000; ++n) {
        const int16_t lastBefore = practice.next(5);
        practice.NextChar();
        EXPECT_EQ(practice.next(4), lastBefore);
        for (int i = 0; i < 5; ++i) ASSERT_NE(practice.next(i), practice.next(i + 1)) << "after " << n;
        for (int i = 0; i < 6; ++i) ASSERT_TRUE(practice.next(i) >= 0 && practice.next(i) <= 8);
        if (practice.next(3) == practice.next(5)) ++comebacks;
    }
    EXPECT_GT(comebacks, 1000) << "a key may come back after one other key";
}

}  // namespace
