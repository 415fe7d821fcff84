// The records: test histories, the run record, the text history and the
// ranking rules of the three high-score tables.
#include <vector>

#include "Cp932.h"
#include "ResultsFixture.h"

// --- test histories ---

TEST_F(ResultsTest, FirstTestResultSetsBestAndWorstAndLeavesMinMissAtZero) {
    results.AddTestTime(2, 31.5);
    results.AddTestMiss(2, 3);
    EXPECT_EQ(results.GetTestCount(2), 1);
    EXPECT_EQ(results.GetTestBestTime(2), 31.5);
    EXPECT_EQ(results.GetTestWorstTime(2), 31.5);
    EXPECT_EQ(results.GetTestTime(2, 0), 31.5);
    EXPECT_EQ(results.GetTestMaxMiss(2), 3);
    EXPECT_EQ(results.GetTestMinMiss(2), 0);
    EXPECT_EQ(results.GetTestCount(0), 0);
}

TEST_F(ResultsTest, FiftyTwoResultsKeepTheNewest51AndExtremesOfAll) {
    for (int i = 1; i <= 52; ++i) {
        results.AddTestTime(0, i == 1 ? 5.0 : 10.0 + i);  // the first is both the fastest and the one to fall off
        results.AddTestMiss(0, static_cast<int16_t>(i));
    }
    EXPECT_EQ(results.GetTestCount(0), 52);
    EXPECT_EQ(results.GetTestTime(0, 0), 62.0);
    EXPECT_EQ(results.GetTestTime(0, 50), 12.0);  // the second result
    EXPECT_EQ(results.GetTestMiss(0, 50), 2);
    EXPECT_EQ(results.GetTestBestTime(0), 5.0);
    EXPECT_EQ(results.GetTestWorstTime(0), 62.0);
    EXPECT_EQ(results.GetTestMaxMiss(0), 52);
    EXPECT_EQ(results.GetTestTime(0, 51), 0);  // out of range reads 0
}

TEST_F(ResultsTest, ClearingTestResultsEmptiesKindsZeroToTwoAndSparesKindThree) {
    for (int kind = 0; kind < 4; ++kind)
        for (int i = 0; i < 4; ++i) {
            results.AddTestTime(kind, 20.0 + i);
            results.AddTestMiss(kind, static_cast<int16_t>(i + 1));
        }
    results.ClearTestResults();
    for (int kind = 0; kind < 3; ++kind) {
        EXPECT_EQ(results.GetTestCount(kind), 0);
        EXPECT_EQ(results.GetTestBestTime(kind), 0);
        EXPECT_EQ(results.GetTestWorstTime(kind), 0);
        EXPECT_EQ(results.GetTestMaxMiss(kind), 0);
        EXPECT_EQ(results.GetTestTime(kind, 2), 0);
        EXPECT_EQ(results.GetTestMiss(kind, 2), 0);
        EXPECT_EQ(results.GetTestTime(kind, 3), 20.0);  // older entries stay, unseen
    }
    EXPECT_EQ(results.GetTestCount(3), 4);
    results.AddTestTime(2, 40);
    EXPECT_EQ(results.GetTestBestTime(2), 40);
}

// --- the run record ---

TEST_F(ResultsTest, RunRecordAddsResetsAndCommits) {
    results.ResetRun();
    results.AddRunKeyMiss(7, 1);
    results.AddRunKeyMiss(7, 1);
    results.AddRunKeyMiss(100, 3);
    results.SetRunChars(100);
    results.SetRunSeconds(42.5);
    results.SetRunPerMinute(141);
    results.SetRunMisses(5);
    results.CommitRun();
    results.ResetRun();
    EXPECT_EQ(results.GetLastRunKeyMiss(7), 2);
    EXPECT_EQ(results.GetLastRunKeyMiss(100), 3);
    EXPECT_EQ(results.GetLastRunChars(), 100);
    EXPECT_EQ(results.GetLastRunSeconds(), 42.5);
    EXPECT_EQ(results.GetLastRunPerMinute(), 141);
    EXPECT_EQ(results.GetLastRunMisses(), 5);

    results.CommitRun();  // the reset record: every field and key count zero
    EXPECT_EQ(results.GetLastRunKeyMiss(7), 0);
    EXPECT_EQ(results.GetLastRunChars(), 0);
    EXPECT_EQ(results.GetLastRunSeconds(), 0);
}

TEST_F(ResultsTest, KeyMissCountStopsAtItsLimit) {
    results.AddRunKeyMiss(3, 32760);
    results.AddRunKeyMiss(3, 100);
    results.AddRunKeyMiss(101, 1);  // no such key: ignored
    results.CommitRun();
    EXPECT_EQ(results.GetLastRunKeyMiss(3), 32767);
}

// --- text history ---

TEST_F(ResultsTest, TextResultsShiftTogetherAndCountEveryResult) {
    for (int i = 1; i <= 53; ++i) results.AddTextResult(i * 10, i, i * 1.5);
    EXPECT_EQ(results.GetTextCount(), 53);
    EXPECT_EQ(results.GetTextChars(0), 530);
    EXPECT_EQ(results.GetTextMisses(0), 53);
    EXPECT_EQ(results.GetTextPerMinute(0), 79.5);
    EXPECT_EQ(results.GetTextChars(50), 30);
    EXPECT_EQ(results.GetTextMisses(50), 3);
    EXPECT_EQ(results.GetTextPerMinute(50), 4.5);
}

// --- high-score tables ---

struct ScoreCase {
    const char* name;
    std::vector<int32_t> before;  // rows 0..5
    int32_t score;
    int row;                     // returned
    std::vector<int32_t> after;  // rows 0..5
};

class ScoreRanking : public ResultsTest, public ::testing::WithParamInterface<ScoreCase> {
protected:
    // Loads the table from a hand-built file, in the balloon or target section.
    void load(bool balloon) {
        FileImage f("00005.00", 3562);
        for (int r = 0; r < 6; ++r) {
            if (balloon) {
                f.i32(FileImage::balloon(r), GetParam().before[r]);
                f.i32(FileImage::balloon(r) + 4, GetParam().before[r] > 0 ? 1 : 0);
            } else {
                f.i32(FileImage::target(r), GetParam().before[r]);
            }
        }
        writeDat(f.b);
        ASSERT_TRUE(results.LoadResults());
    }
};

TEST_P(ScoreRanking, Balloon) {
    load(true);
    EXPECT_EQ(results.AddBalloonScore(GetParam().score, 7), GetParam().row);
    for (int r = 0; r < 6; ++r) EXPECT_EQ(results.GetBalloonScore(r), GetParam().after[r]) << "row " << r;
    EXPECT_EQ(results.GetBalloonLevel(GetParam().row), 7);
    EXPECT_EQ(results.GetBalloonDate(GetParam().row), "2024/03/05");
}

TEST_P(ScoreRanking, Target) {
    load(false);
    EXPECT_EQ(results.AddTargetScore(GetParam().score), GetParam().row);
    for (int r = 0; r < 6; ++r) EXPECT_EQ(results.GetTargetScore(r), GetParam().after[r]) << "row " << r;
    EXPECT_EQ(results.GetTargetDate(GetParam().row), "2024/03/05");
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ScoreRanking,
    ::testing::Values(
        ScoreCase{"TieRanksBelowTheOlderEqualScores", {500, 400, 400, 300, 0, 0}, 400, 3, {500, 400, 400, 400, 300, 0}},
        ScoreCase{"ZeroIntoEmptyTableGoesToRow5", {0, 0, 0, 0, 0, 0}, 0, 5, {0, 0, 0, 0, 0, 0}},
        ScoreCase{"OneIntoEmptyTableGoesToRow0", {0, 0, 0, 0, 0, 0}, 1, 0, {1, 0, 0, 0, 0, 0}},
        ScoreCase{"NotRankingOverwritesRow5", {900, 800, 700, 600, 500, 400}, 100, 5, {900, 800, 700, 600, 500, 100}},
        ScoreCase{"BeatingRow5OnlyReplacesIt", {900, 800, 700, 600, 500, 400}, 450, 5, {900, 800, 700, 600, 500, 450}},
        ScoreCase{"BestPushesEveryRowDown", {900, 800, 700, 600, 500, 400}, 1000, 0, {1000, 900, 800, 700, 600, 500}},
        ScoreCase{"EqualToRow4LandsInRow5", {900, 800, 700, 600, 500, 0}, 500, 5, {900, 800, 700, 600, 500, 500}}),
    [](const auto& info) { return std::string(info.param.name); });

struct SpeedCase {
    const char* name;
    int16_t order;                // SpeedGameType
    std::vector<int32_t> before;  // TimeMs of rows 0..10
    int32_t timeMs;
    int returned;
    int row;  // row written
    std::vector<int32_t> after;
};

// Speed tables as the file holds them before the new time.
const std::vector<int32_t> kRows6To10 = {0, 0, 0, 0, 0, 0, 5000, 6000, 7000, 8000, 9000};
const std::vector<int32_t> kRow3Empty = {1000, 2000, 3000, 0, 4000, 5000, 0, 0, 0, 0, 0};
const std::vector<int32_t> kFull = {1000, 2000, 3000, 4000, 5000, 6000, 7, 7, 7, 7, 7};
const std::vector<int32_t> kRow5Only = {0, 0, 0, 0, 0, 8000, 0, 0, 0, 0, 0};

const SpeedCase kSpeedCases[] = {
    {"Order1TieRanksBelowOlderEqualTime", 1, kRows6To10, 7000, 3, 9, {0, 0, 0, 0, 0, 0, 5000, 6000, 7000, 7000, 8000}},
    {"Order1TooSlowGoesToSharedRow5", 1, kRows6To10, 9500, 5, 5, {0, 0, 0, 0, 0, 9500, 5000, 6000, 7000, 8000, 9000}},
    {"Order0EmptyRow3TakesASlowTime", 0, kRow3Empty, 9000, 3, 3, {1000, 2000, 3000, 9000, 0, 4000, 0, 0, 0, 0, 0}},
    {"Order0FullTableSlowerOverwritesRow5", 0, kFull, 6000, 5, 5, {1000, 2000, 3000, 4000, 5000, 6000, 7, 7, 7, 7, 7}},
    {"Order0FastestShiftsRowsUpTo5", 0, kFull, 500, 0, 0, {500, 1000, 2000, 3000, 4000, 5000, 7, 7, 7, 7, 7}},
    {"Order1FirstResultLeavesRow5Alone", 1, kRow5Only, 3000, 0, 6, {0, 0, 0, 0, 0, 8000, 3000, 0, 0, 0, 0}},
};

class SpeedRanking : public ResultsTest, public ::testing::WithParamInterface<SpeedCase> {};

TEST_P(SpeedRanking, RowsAndReturnedRank) {
    const SpeedCase& c = GetParam();
    FileImage f("00005.00", 3562);
    for (int r = 0; r < 11; ++r) f.i32(FileImage::speed(r), c.before[r]);
    writeDat(f.b);
    ASSERT_TRUE(results.LoadResults());
    param.SpeedGameType(c.order);
    param.PlayerName(QStringLiteral("花子"));
    EXPECT_EQ(results.AddSpeedTime(c.timeMs, 4), c.returned);
    for (int r = 0; r < 11; ++r) EXPECT_EQ(results.GetSpeedTime(r), c.after[r] / 1000.0) << "row " << r;
    EXPECT_EQ(results.GetSpeedMisses(c.row), 4);
    EXPECT_EQ(results.GetSpeedName(c.row), QStringLiteral("花子"));
    EXPECT_EQ(results.GetSpeedDate(c.row), "2024/03/05");
}

INSTANTIATE_TEST_SUITE_P(Rows, SpeedRanking, ::testing::ValuesIn(kSpeedCases),
                         [](const auto& info) { return std::string(info.param.name); });

// --- names in the 10-byte text fields ---

struct NameCase {
    const char* name;
    QString player;
    QString readBack;
    QByteArray fileBytes;  // the 10 bytes of the field
};

class PlayerNames : public ResultsTest, public ::testing::WithParamInterface<NameCase> {};

TEST_P(PlayerNames, SurviveSaveAndLoad) {
    param.PlayerName(GetParam().player);
    ASSERT_EQ(results.AddTargetScore(10), 0);
    ASSERT_TRUE(results.SaveResults());
    const QByteArray saved = readDat();
    EXPECT_EQ(saved.mid(FileImage::target(0) + 14, 10), GetParam().fileBytes);
    EXPECT_EQ(saved.mid(FileImage::target(0) + 4, 10), "2024/03/05");
    EXPECT_EQ(saved.mid(FileImage::target(1) + 4, 20), QByteArray(20, '\0'));  // never written

    basResults other(param, dialogs);
    ASSERT_TRUE(other.LoadResults());
    EXPECT_EQ(other.GetTargetName(0), GetParam().readBack);
    EXPECT_EQ(results.GetTargetName(0), GetParam().readBack);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, PlayerNames,
    ::testing::Values(NameCase{"TenAscii", "abcdefghij", "abcdefghij", "abcdefghij"},
                      NameCase{"TwelveAsciiKeepsTen", "abcdefghijkl", "abcdefghij", "abcdefghij"},
                      NameCase{"ShortIsPaddedInTheFileOnly", "abc", "abc", "abc       "},
                      NameCase{"SixKanjiKeepFive", QStringLiteral("山田山田山田"), QStringLiteral("山田山田山"),
                               QByteArray("\x8E\x52\x93\x63\x8E\x52\x93\x63\x8E\x52", 10)},
                      NameCase{"KanjiCutAtACharacterBoundary", QStringLiteral("a山田山田山"),
                               QStringLiteral("a山田山田"), QByteArray("a\x8E\x52\x93\x63\x8E\x52\x93\x63 ", 10)},
                      NameCase{"EmptyNameIsBlanks", "", "", "          "}),
    [](const auto& info) { return std::string(info.param.name); });
