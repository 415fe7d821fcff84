// The results file: byte layout, versions, loading of short and hostile
// files, the default-file fallback, failed saves and the backup of a file
// that is not a results file.
#include <sys/resource.h>

#include <QDir>
#include <QFile>
#include <csignal>
#include <limits>
#include <random>

#include "ResultsFixture.h"

namespace {

const QByteArray kYamada("\x8E\x52\x93\x63\x91\xBE\x98\x59", 8);  // 山田太郎 in CP932

// A version-5 image with a distinct value in every kind of field.
FileImage sampleV5() {
    FileImage f("00005.00", 3562);
    for (int kind = 0; kind < 4; ++kind) {
        const int t = FileImage::test(kind);
        f.i32(t, 100 + kind);
        f.f64(t + 4, 10.5 + kind);
        f.f64(t + 12, 99.25 + kind);
        for (int i = 0; i < 51; ++i) f.f64(t + 20 + 8 * i, 1000 * kind + i + 0.125);
        f.i16(t + 428, static_cast<int16_t>(40 + kind));
        f.i16(t + 430, static_cast<int16_t>(kind));
        for (int i = 0; i < 51; ++i) f.i16(t + 432 + 2 * i, static_cast<int16_t>(-300 * kind + i));
    }
    for (int r = 0; r < 6; ++r) {
        f.i32(FileImage::balloon(r), 600 - 100 * r);
        f.i32(FileImage::balloon(r) + 4, 6 - r);
        f.text10(FileImage::balloon(r) + 8, "2023/12/3" + QByteArray::number(r));
        f.text10(FileImage::balloon(r) + 18, r == 0 ? kYamada : QByteArray("bob") + QByteArray::number(r));
        f.i32(FileImage::target(r), 60 - r);
        f.text10(FileImage::target(r) + 4, "2022/01/0" + QByteArray::number(r + 1));
        f.text10(FileImage::target(r) + 14, "abcdefghij");
    }
    for (int r = 0; r < 11; ++r) {
        f.i32(FileImage::speed(r), r == 4 ? 0 : 5000 + 250 * r);
        f.i16(FileImage::speed(r) + 4, static_cast<int16_t>(r));
        if (r != 4) f.text10(FileImage::speed(r) + 6, "2021/07/07");
        if (r != 4) f.text10(FileImage::speed(r) + 16, "s" + QByteArray::number(r));
    }
    f.i32(FileImage::text, 77);
    for (int i = 0; i < 51; ++i) {
        f.i32(FileImage::text + 4 + 4 * i, 500 + i);
        f.i32(FileImage::text + 208 + 4 * i, i % 7);
        f.f64(FileImage::text + 412 + 8 * i, 123.5 + i);
    }
    return f;
}

// Lowers the largest file size this process may write (a full disk, for root
// too); restores it when it goes out of scope.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &mOld);
        rlimit lim = mOld;
        lim.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &lim);
    }
    ~FileSizeLimit() { lift(); }
    void lift() { setrlimit(RLIMIT_FSIZE, &mOld); }

private:
    rlimit mOld{};
};

}  // namespace

TEST_F(ResultsTest, Version5FileLoadsIntoEveryGetterAndSavesTheSameBytes) {
    const FileImage f = sampleV5();
    writeDat(f.b);
    ASSERT_TRUE(results.LoadResults());

    for (int kind = 0; kind < 4; ++kind) {
        EXPECT_EQ(results.GetTestCount(kind), 100 + kind);
        EXPECT_EQ(results.GetTestBestTime(kind), 10.5 + kind);
        EXPECT_EQ(results.GetTestWorstTime(kind), 99.25 + kind);
        EXPECT_EQ(results.GetTestTime(kind, 0), 1000 * kind + 0.125);
        EXPECT_EQ(results.GetTestTime(kind, 50), 1000 * kind + 50.125);
        EXPECT_EQ(results.GetTestMaxMiss(kind), 40 + kind);
        EXPECT_EQ(results.GetTestMinMiss(kind), kind);
        EXPECT_EQ(results.GetTestMiss(kind, 0), -300 * kind);
        EXPECT_EQ(results.GetTestMiss(kind, 50), -300 * kind + 50);
    }
    EXPECT_EQ(results.GetBalloonScore(0), 600);
    EXPECT_EQ(results.GetBalloonLevel(5), 1);
    EXPECT_EQ(results.GetBalloonDate(2), "2023/12/32");
    EXPECT_EQ(results.GetBalloonName(0), QStringLiteral("山田太郎"));
    EXPECT_EQ(results.GetBalloonName(3), "bob3");
    EXPECT_EQ(results.GetTargetScore(5), 55);
    EXPECT_EQ(results.GetTargetDate(0), "2022/01/01");
    EXPECT_EQ(results.GetTargetName(1), "abcdefghij");
    EXPECT_EQ(results.GetSpeedTime(10), 7.5);
    EXPECT_EQ(results.GetSpeedTime(4), 0);
    EXPECT_EQ(results.GetSpeedMisses(9), 9);
    EXPECT_EQ(results.GetSpeedDate(0), "2021/07/07");
    EXPECT_EQ(results.GetSpeedName(10), "s10");
    EXPECT_EQ(results.GetSpeedName(4), "");
    EXPECT_EQ(results.GetTextCount(), 77);
    EXPECT_EQ(results.GetTextChars(50), 550);
    EXPECT_EQ(results.GetTextMisses(6), 6);
    EXPECT_EQ(results.GetTextPerMinute(1), 124.5);

    QFile::remove(dat());
    ASSERT_TRUE(results.SaveResults());
    EXPECT_EQ(readDat(), f.b);  // including the zero bytes of the never-written slots of row 4
}

// Older versions are prefixes of the current layout; the first save upgrades
// them and fills the missing sections from memory (zero after start-up).
TEST_F(ResultsTest, OlderVersionsLoadAndTheFirstSaveUpgradesThem) {
    const FileImage full = sampleV5();
    for (auto [version, size] : {std::pair{"00002.00", 2456}, std::pair{"00003.00", 2742}}) {
        SCOPED_TRACE(version);
        FileImage old(version, size);
        old.b.replace(8, size - 8, full.b.mid(8, size - 8));
        writeDat(old.b);
        basResults fresh(param, dialogs);
        ASSERT_TRUE(fresh.LoadResults());
        EXPECT_EQ(fresh.GetTestCount(2), 102);
        EXPECT_EQ(fresh.GetTargetScore(0), 60);
        EXPECT_EQ(fresh.GetSpeedTime(0), size == 2742 ? 5.0 : 0.0);
        ASSERT_TRUE(fresh.SaveResults());
        const QByteArray saved = readDat();
        ASSERT_EQ(saved.size(), 3562);
        EXPECT_EQ(saved.left(8), "00005.00");
        EXPECT_EQ(saved.mid(8, size - 8), old.b.mid(8));
        EXPECT_EQ(saved.mid(size), QByteArray(3562 - size, '\0'));
    }
}

TEST_F(ResultsTest, SectionsAnOlderVersionLacksKeepTheirContents) {
    param.SpeedGameType(0);
    results.AddTextResult(10, 2, 300);
    results.AddSpeedTime(4000, 1);
    writeDat(FileImage("00002.00", 2456).b);
    ASSERT_TRUE(results.LoadResults());
    EXPECT_EQ(results.GetTextCount(), 1);
    EXPECT_EQ(results.GetSpeedTime(0), 4.0);
}

// Each version holds a prefix of the sections: a load reads the ones its
// version has and leaves the others as they are in memory, and the next save
// writes those too.
struct VersionCase {
    const char* name;
    const char* version;
    int size;
    bool hasSpeed;
    bool hasText;
};
class ResultsVersions : public ResultsTest, public ::testing::WithParamInterface<VersionCase> {};
TEST_P(ResultsVersions, ReadTheSectionsTheyHoldAndKeepTheOthers) {
    const VersionCase& c = GetParam();
    param.SpeedGameType(0);
    results.AddTextResult(10, 2, 300);
    results.AddSpeedTime(4000, 1);
    FileImage f(c.version, c.size);
    f.i32(FileImage::test(0), 7);
    f.i32(FileImage::target(5), 77);                    // the last row before the speed table
    if (c.hasSpeed) f.i32(FileImage::speed(10), 6000);  // the last row before the text history
    if (c.hasText) {
        f.i32(FileImage::text, 3);
        f.i32(FileImage::text + 4, 123);
    }
    writeDat(f.b);
    ASSERT_TRUE(results.LoadResults());
    EXPECT_EQ(results.GetTestCount(0), 7);
    EXPECT_EQ(results.GetTargetScore(5), 77);
    EXPECT_EQ(results.GetSpeedTime(0), c.hasSpeed ? 0.0 : 4.0);
    EXPECT_EQ(results.GetSpeedTime(10), c.hasSpeed ? 6.0 : 0.0);
    EXPECT_EQ(results.GetTextCount(), c.hasText ? 3 : 1);
    EXPECT_EQ(results.GetTextChars(0), c.hasText ? 123 : 10);
    ASSERT_TRUE(results.SaveResults());
    basResults back(param, dialogs);
    ASSERT_TRUE(back.LoadResults());
    EXPECT_EQ(back.GetTextCount(), c.hasText ? 3 : 1);
    EXPECT_EQ(back.GetTextMisses(0), c.hasText ? 0 : 2);
}
INSTANTIATE_TEST_SUITE_P(Files, ResultsVersions,
                         ::testing::Values(VersionCase{"Version2", "00002.00", 2456, false, false},
                                           VersionCase{"Version3", "00003.00", 2742, true, false},
                                           VersionCase{"Version5", "00005.00", 3562, true, true}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(ResultsTest, UnknownVersionCountsAsLoadedAndChangesNothing) {
    results.AddTestTime(0, 30);
    results.AddBalloonScore(100, 2);
    for (const QByteArray& bytes : {QByteArray("my shopping list\r\nmilk\r\n"), QByteArray("00005"), QByteArray(),
                                    QByteArray("00004.00") + QByteArray(3554, '\x01')}) {
        writeDat(bytes);
        EXPECT_TRUE(results.LoadResults());
        EXPECT_EQ(results.GetTestCount(0), 1);
        EXPECT_EQ(results.GetBalloonScore(0), 100);
    }
}

TEST_F(ResultsTest, MissingFileIsNotLoadedAndKeepsTheRecords) {
    results.AddTestTime(2, 12);
    EXPECT_FALSE(results.LoadResults());
    EXPECT_EQ(results.GetTestCount(2), 1);
}

// A file cut anywhere loads what it holds; the rest reads as zeros.
TEST_F(ResultsTest, FileCutAtEveryLengthLoadsWithoutHarm) {
    const FileImage f = sampleV5();
    for (int len = 0; len <= 3562; ++len) {
        writeDat(f.b.left(len));
        basResults r(param, dialogs);
        r.AddTargetScore(9);  // visible only when the file is not a results file
        ASSERT_TRUE(r.LoadResults()) << len;
        // Count 100 is the byte 0x64 at offset 8 followed by zeros.
        EXPECT_EQ(r.GetTestCount(0), len >= 9 ? 100 : 0) << len;
        EXPECT_EQ(r.GetTargetScore(0), len < 8 ? 9 : len > FileImage::target(0) ? 60 : 0) << len;
        if (len <= 3554 || len == 3562) {
            EXPECT_EQ(r.GetTextPerMinute(50), len == 3562 ? 173.5 : 0.0) << len;
        }
        EXPECT_EQ(r.ResultsFileBytes().size(), 3562);
    }
}

// Random bytes, with and without a valid version in front, at lengths around
// and beyond the real size: nothing may crash, and every operation afterwards
// stays within bounds (counts at the limit saturate).
TEST_F(ResultsTest, RandomFilesLoadAndEveryOperationStaysSafe) {
    std::mt19937 gen(20240305);
    const char* versions[] = {"00002.00", "00003.00", "00005.00", nullptr};
    for (int n = 0; n < 300; ++n) {
        QByteArray bytes(static_cast<int>(gen() % 8000), '\0');
        for (char& c : bytes) c = static_cast<char>(gen() & 0xFF);
        const char* v = versions[n % 4];
        if (v && bytes.size() >= 8) bytes.replace(0, 8, QByteArray(v, 8));
        writeDat(bytes);
        basResults r(param, dialogs);
        ASSERT_TRUE(r.LoadResults());
        for (int kind = 0; kind < 4; ++kind) {
            r.AddTestTime(kind, 1.5);
            r.AddTestMiss(kind, 3);
        }
        r.AddTextResult(1, 1, 1);
        r.AddBalloonScore(static_cast<int32_t>(gen()), 1);
        r.AddTargetScore(static_cast<int32_t>(gen()));
        r.AddSpeedTime(static_cast<int32_t>(gen()), 1);
        for (int row = 0; row < 11; ++row) {
            (void)r.GetSpeedName(row);
            (void)r.GetBalloonName(row % 6);
            (void)r.GetTargetDate(row % 6);
        }
        ASSERT_EQ(r.ResultsFileBytes().size(), 3562);
    }
}

TEST_F(ResultsTest, CountsAtTheirLimitSaturate) {
    FileImage f("00005.00", 3562);
    f.i32(FileImage::test(2), std::numeric_limits<int32_t>::max());
    f.i32(FileImage::text, std::numeric_limits<int32_t>::max());
    writeDat(f.b);
    ASSERT_TRUE(results.LoadResults());
    results.AddTestTime(2, 20);
    results.AddTextResult(5, 0, 60);
    EXPECT_EQ(results.GetTestCount(2), std::numeric_limits<int32_t>::max());
    EXPECT_EQ(results.GetTextCount(), std::numeric_limits<int32_t>::max());
    EXPECT_EQ(results.GetTestTime(2, 0), 20);
}

TEST_F(ResultsTest, FirstRunCreatesACurrentFile) {
    results.ReloadResults();
    results.AddTestTime(0, 41.5);
    results.AddTestMiss(0, 2);
    ASSERT_TRUE(results.SaveResults());
    const QByteArray saved = readDat();
    ASSERT_EQ(saved.size(), 3562);
    EXPECT_EQ(saved.left(8), "00005.00");
    FileImage expected("00005.00", 3562);
    expected.i32(FileImage::test(0), 1);
    expected.f64(FileImage::test(0) + 4, 41.5);
    expected.f64(FileImage::test(0) + 12, 41.5);
    expected.f64(FileImage::test(0) + 20, 41.5);
    expected.i16(FileImage::test(0) + 428, 2);
    expected.i16(FileImage::test(0) + 432, 2);
    EXPECT_EQ(saved, expected.b);
    EXPECT_TRUE(dialogs.messages.empty());
}

// Two runs of the program that each record a beginner test.
TEST_F(ResultsTest, TwoRunsEachRecordingATestLeaveBothInTheFile) {
    for (auto [seconds, misses] : {std::pair{30.25, int16_t{4}}, std::pair{25.5, int16_t{1}}}) {
        basResults run(param, dialogs);
        run.ReloadResults();
        run.AddTestTime(2, seconds);
        run.AddTestMiss(2, misses);
        ASSERT_TRUE(run.SaveResults());
    }
    FileImage expected("00005.00", 3562);
    const int t = FileImage::test(2);
    expected.i32(t, 2);
    expected.f64(t + 4, 25.5);
    expected.f64(t + 12, 30.25);
    expected.f64(t + 20, 25.5);
    expected.f64(t + 28, 30.25);
    expected.i16(t + 428, 4);
    expected.i16(t + 432, 1);
    expected.i16(t + 434, 4);
    EXPECT_EQ(readDat(), expected.b);
}

TEST_F(ResultsTest, ReloadSwitchesToTheDefaultFileOnlyWhenTheConfiguredOneIsMissing) {
    writeDat(sampleV5().b);
    param.DataFileName(folder.file("gone/elsewhere.dat"));
    results.ReloadResults();
    EXPECT_EQ(param.DataFileName(), dat());
    EXPECT_EQ(results.GetTestCount(0), 100);

    // Exists but cannot be read as a file: the name stays.
    QDir().mkpath(folder.file("adir.dat"));
    param.DataFileName(folder.file("adir.dat"));
    results.ReloadResults();
    EXPECT_EQ(param.DataFileName(), folder.file("adir.dat"));
}

TEST_F(ResultsTest, FailedSaveAsksRetryOrCancelAndCancelKeepsTheOldFile) {
    const QByteArray old = sampleV5().b;
    writeDat(old);
    results.AddTestTime(0, 1);
    dialogs.msgAnswers = {MsgResult::Retry, MsgResult::Cancel};
    {
        FileSizeLimit disk(1000);  // too small for the new file
        EXPECT_FALSE(results.SaveResults());
    }
    ASSERT_EQ(dialogs.messages.size(), 2u);
    const MsgBoxRequest& m = dialogs.messages[0];
    EXPECT_EQ(m.text, QStringLiteral("成績ファイルの書き込みに失敗しました。\r\n") + dat());
    EXPECT_EQ(m.title, QStringLiteral("エラー"));
    EXPECT_EQ(m.icon, MsgIcon::Critical);
    EXPECT_EQ(m.buttons, MsgButtons::RetryCancel);
    EXPECT_EQ(readDat(), old);
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files), QStringList{"Lumbra.dat"});  // no temporary left
    EXPECT_EQ(results.GetTestCount(0), 1);                                             // memory unaffected
}

// The results window rereads the file when it repaints, which it may do
// while the error box of a failed save is open.
TEST_F(ResultsTest, ReloadWhileTheSaveErrorIsShownKeepsTheRecordsBeingSaved) {
    writeDat(FileImage("00005.00", 3562).b);
    results.AddTestTime(2, 25);
    dialogs.msgAnswers = {MsgResult::Retry, MsgResult::Cancel};
    int reloads = 0;
    dialogs.onMsgBox = [&](const MsgBoxRequest&) { reloads += results.LoadResults() ? 1 : 0; };
    {
        FileSizeLimit disk(1000);
        EXPECT_FALSE(results.SaveResults());
    }
    EXPECT_EQ(reloads, 0);
    EXPECT_EQ(results.GetTestCount(2), 1);
    EXPECT_TRUE(results.LoadResults());  // after the save, reading works again
    EXPECT_EQ(results.GetTestCount(2), 0);
}

TEST_F(ResultsTest, RetryAfterTheCauseIsFixedWritesTheFile) {
    param.DataFileName(folder.file("later/Lumbra.dat"));
    dialogs.msgAnswers = {MsgResult::Retry};
    dialogs.onMsgBox = [&](const MsgBoxRequest&) { QDir().mkpath(folder.file("later")); };
    EXPECT_TRUE(results.SaveResults());
    EXPECT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(folder.read("later/Lumbra.dat").size(), 3562);
}

TEST_F(ResultsTest, DirectoryWhereTheFileShouldBeFailsTheSave) {
    QDir().mkpath(dat());
    EXPECT_FALSE(results.SaveResults());  // the fake cancels
    EXPECT_EQ(dialogs.messages.size(), 1u);
    EXPECT_TRUE(QFileInfo(dat()).isDir());
}

// --- keeping a copy of a file that is not a results file ---

TEST_F(ResultsTest, ForeignFileIsKeptAsBakBeforeItIsReplaced) {
    writeDat("my diary\r\n");
    ASSERT_TRUE(results.SaveResults());
    EXPECT_EQ(folder.read("Lumbra.dat.bak"), "my diary\r\n");
    EXPECT_EQ(readDat().left(8), "00005.00");
    ASSERT_TRUE(results.SaveResults());  // now a results file: no second copy
    EXPECT_EQ(folder.read("Lumbra.dat.bak"), "my diary\r\n");
    EXPECT_FALSE(folder.exists("Lumbra.dat.bak.2"));
    // The user was told once which file was kept under which name.
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].icon, MsgIcon::Information);
    EXPECT_TRUE(dialogs.messages[0].text.endsWith(dat() + QStringLiteral("\r\n→ ") + dat() + QStringLiteral(".bak")))
        << dialogs.messages[0].text.toStdString();
}

struct BackupCase {
    const char* name;
    QByteArray existing;  // the file about to be replaced
    bool kept;
};

class ResultsBackup : public ResultsTest, public ::testing::WithParamInterface<BackupCase> {};

TEST_P(ResultsBackup, OnlyFilesThatAreNotWholeResultsFilesAreKept) {
    writeDat(GetParam().existing);
    ASSERT_TRUE(results.SaveResults());
    EXPECT_EQ(folder.exists("Lumbra.dat.bak"), GetParam().kept);
    if (GetParam().kept) {
        EXPECT_EQ(folder.read("Lumbra.dat.bak"), GetParam().existing);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Files, ResultsBackup,
    ::testing::Values(BackupCase{"Version2", FileImage("00002.00", 2456).b, false},
                      BackupCase{"Version3", FileImage("00003.00", 2742).b, false},
                      BackupCase{"Version5", FileImage("00005.00", 3562).b, false},
                      BackupCase{"TruncatedResults", QByteArray("00005.00\x01\x02", 10), true},
                      BackupCase{"LongerThanItsVersion", FileImage("00005.00", 3570).b, true},
                      BackupCase{"Version3SizedAsVersion5", FileImage("00003.00", 3562).b, true},
                      BackupCase{"Empty", QByteArray(), false}, BackupCase{"ShortText", QByteArray("0000"), true},
                      BackupCase{"UnknownVersion", QByteArray("00004.00") + QByteArray(100, 'x'), true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ResultsTest, ExistingBakWithOtherContentsIsNeverOverwritten) {
    folder.write("Lumbra.dat.bak", "an older backup");
    writeDat("document A");
    ASSERT_TRUE(results.SaveResults());
    EXPECT_EQ(folder.read("Lumbra.dat.bak"), "an older backup");
    EXPECT_EQ(folder.read("Lumbra.dat.bak.2"), "document A");
}

TEST_F(ResultsTest, ExistingBakWithTheSameContentsIsReused) {
    folder.write("Lumbra.dat.bak", "document A");
    writeDat("document A");
    ASSERT_TRUE(results.SaveResults());
    EXPECT_FALSE(folder.exists("Lumbra.dat.bak.2"));
    EXPECT_TRUE(dialogs.messages.empty()) << "a copy kept earlier was told about then";
}

TEST_F(ResultsTest, ForeignFileThatCannotBeCopiedIsLeftAloneOnCancel) {
    const QByteArray doc(5000, 'd');
    writeDat(doc);
    {
        FileSizeLimit disk(1000);  // the copy cannot be written
        EXPECT_FALSE(results.SaveResults());
    }
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].text, QStringLiteral("成績ファイルの書き込みに失敗しました。\r\n") + dat());
    EXPECT_EQ(readDat(), doc);
}
