// Every save path of the program run through every fault of the file layer:
// the open, the first read, the rename and the folder sync fail once. Whatever
// the user answers, the file on disk is afterwards the old one or the new one
// byte for byte (never records that were not read), and a fault never passes
// without a message. Retry after a transient fault saves the new contents
// with every earlier record kept, and with whatever another copy of the
// program wrote while the error box was open.
#include <gtest/gtest.h>

#include <QFile>

#include "AppContext.h"
#include "Fakes.h"
#include "GameShared.h"
#include "GraphCsv.h"
#include "KeyPractice.h"
#include "OtherWriter.h"
#include "ScriptedFileFaults.h"
#include "TestFiles.h"
#include "TextPractice.h"
#include "basMain.h"
#include "basParam.h"
#include "basResults.h"

namespace {

enum class Path { TestEnd, GameOver, TextClose, Erase, SettingsAtExit, Csv };
// ChangedMeanwhile: the rename fails, and another copy of the program saves
// the file while the error box is open.
enum class Fault { Open, Read, Rename, DirSync, ChangedMeanwhile };

struct NoView : GameView {
    void setTimerInterval(int) override {}
    void showScore(int) override {}
};

struct NoDrillView : KeyPracticeView {
    void keyForeColorChanged(int16_t, uint32_t) override {}
    void showLastRun() override {}
    void keyboardArranged() override {}
};

// The modules over a scratch folder holding a learner's files: three
// comprehensive tests, a target score of 300 and two text results; settings
// NeedCount=80 and Level=3.
struct World {
    ScratchFolder folder;
    FakeDialogs dialogs;
    ScriptedFileFaults faults;
    FakeClock clock;
    SeededRandom random{7};
    FakeBeeper beeper;
    FakeShell shell;
    basMain main{folder.path()};
    basParam param{folder.path(), QStringLiteral("Lumbra"), dialogs, faults};
    basResults results{param, dialogs, faults};
    AppContext ctx{main, param, results, clock, random, dialogs, beeper, shell, nullptr};

    World() {
        FakeDialogs quiet;
        basParam p(folder.path(), QStringLiteral("Lumbra"), quiet);
        p.NeedCount(80);
        p.Level(3);
        EXPECT_TRUE(p.SaveSettings());
        basResults r(p, quiet);
        for (double s : {40.0, 35.5, 31.25}) r.AddTestTime(0, s), r.AddTestMiss(0, 2);
        r.AddTargetScore(300);
        r.AddTextResult(100, 3, 120.0);
        r.AddTextResult(140, 1, 150.0);
        EXPECT_TRUE(r.SaveResults());
        folder.write(QStringLiteral("graph.csv"), "old csv\r\n");
    }
    basResults stored() {
        basResults r(param, quiet);
        r.LoadResults();
        return r;
    }
    FakeDialogs quiet;
    QByteArrayList meanwhile;  // the results, settings and CSV files another copy left
};

const QByteArray kNewCsv = "回数, 1\r\n";

QString fileOf(Path p) {
    switch (p) {
        case Path::SettingsAtExit:
            return QStringLiteral("Lumbra.ini");
        case Path::Csv:
            return QStringLiteral("graph.csv");
        default:
            return QStringLiteral("Lumbra.dat");
    }
}

void arm(World& w, Fault f) {
    switch (f) {
        case Fault::Open:
            w.faults.failNextOpen();
            break;
        case Fault::Read:
            w.faults.failNth(FileStep::Read, 1);
            break;
        case Fault::Rename:
            w.faults.failRename();
            break;
        case Fault::DirSync:
            w.faults.failDirSync();
            break;
        case Fault::ChangedMeanwhile:
            w.faults.failRename();
            w.dialogs.onMsgBox = [&w](const MsgBoxRequest&) {
                w.dialogs.onMsgBox = nullptr;
                otherwriter::recordMeanwhile(w.param, w.quiet);
                basParam other(w.folder.path(), QStringLiteral("Lumbra"), w.quiet);
                other.LoadSettings();
                other.KeyBoardHeatMap(1);
                ASSERT_TRUE(other.SaveSettings());
                w.folder.write(QStringLiteral("graph.csv"), "other csv\r\n");
                w.meanwhile = {w.folder.read(QStringLiteral("Lumbra.dat")), w.folder.read(QStringLiteral("Lumbra.ini")),
                               w.folder.read(QStringLiteral("graph.csv"))};
            };
            break;
    }
}

// A beginner test typed to its end, the fault armed before its last key.
void typeBeginnerTest(World& w, Fault f) {
    w.param.Level(11);
    KeyPractice practice(w.main, w.param, w.results, w.clock, w.random, w.beeper);
    NoDrillView view;
    practice.setView(&view);
    practice.Form_Load();
    for (int typed = 0; typed < 100; ++typed) {
        if (typed == 99) arm(w, f);
        practice.Form_KeyDown(w.main.keyCode(practice.next(0)));
        w.clock.advance(300);
    }
}

void closeTextPractice(World& w, Fault f) {
    w.folder.write(QStringLiteral("p.txt"), "abc|\n");
    TextPractice tp(w.param, w.results, w.clock, w.random, w.dialogs, w.beeper);
    ASSERT_TRUE(tp.LoadText(w.folder.file(QStringLiteral("p.txt"))));
    for (QChar c : QStringLiteral("abc")) {
        w.clock.advance(500);
        tp.keyPress(c);
    }
    arm(w, f);
    tp.Unload();
}

void run(World& w, Path p, Fault f) {
    NoView view;
    switch (p) {
        case Path::TestEnd:
            typeBeginnerTest(w, f);
            break;
        case Path::GameOver:
            arm(w, f);
            GameMechanics::recordResult(
                w.ctx, view, [&] { return w.results.AddTargetScore(500); }, {}, false);
            break;
        case Path::TextClose:
            closeTextPractice(w, f);
            break;
        case Path::Erase:
            arm(w, f);
            w.results.EraseTestResults();
            break;
        case Path::SettingsAtExit:  // a whole run: start, a change, exit
            arm(w, f);
            w.param.LoadSettings();
            w.param.ReportUnreadableSettings();
            w.param.Level(5);
            w.param.SaveSettings();
            break;
        case Path::Csv:
            arm(w, f);
            graphcsv::SaveCsvFile(w.folder.file(fileOf(p)), kNewCsv, w.dialogs, QStringLiteral("グラフ"), w.faults);
            break;
    }
}

// The new file of each path, with every earlier record still there.
void expectNewFile(World& w, Path p, const QByteArray& old) {
    const QByteArray now = w.folder.read(fileOf(p));
    ASSERT_NE(now, old) << "the save did not happen";
    if (p == Path::Csv) {
        EXPECT_EQ(now, kNewCsv);
        return;
    }
    if (p == Path::SettingsAtExit) {
        basParam back(w.folder.path(), QStringLiteral("Lumbra"), w.quiet);
        ASSERT_TRUE(back.LoadSettings());
        EXPECT_EQ(back.NeedCount(), 80) << "a setting of the old file was lost";
        EXPECT_EQ(back.Level(), 5);
        if (!w.meanwhile.isEmpty()) {
            EXPECT_EQ(back.KeyBoardHeatMap(), 1) << "the other copy's setting was lost";
        }
        return;
    }
    ASSERT_EQ(now.size(), basResults::kFileSize);
    basResults r = w.stored();
    EXPECT_EQ(r.GetTestCount(0), p == Path::Erase ? 0 : 3);
    EXPECT_EQ(r.GetTestCount(2), p == Path::TestEnd ? 1 : 0);
    const bool other = !w.meanwhile.isEmpty();
    if (other) {
        EXPECT_TRUE(otherwriter::scoreSurvived(w.param, w.quiet)) << "the other copy's score was lost";
    }
    EXPECT_EQ(r.GetTargetScore(other ? 1 : 0), p == Path::GameOver ? 500 : 300);
    EXPECT_EQ(r.GetTextCount(), p == Path::TextClose ? 3 : 2);
    if (p != Path::Erase) {
        EXPECT_DOUBLE_EQ(r.GetTestBestTime(0), 31.25);
    }
}

// What Cancel leaves: the old file (or the other copy's), except where the fault came too late to
// stop the save (the folder sync, after the rename) or never touched this
// path (a CSV export reads nothing), and the settings, whose unreadable file
// is read again at exit and then kept under this run's change.
bool oldAfterCancel(Path p, Fault f) {
    if (f == Fault::DirSync) return false;
    if (p == Path::Csv) return f != Fault::Read;
    if (p == Path::SettingsAtExit) return f == Fault::Rename || f == Fault::ChangedMeanwhile;
    return true;
}

struct Row {
    Path path;
    Fault fault;
    bool retry;
};

class FaultTable : public ::testing::TestWithParam<Row> {};

TEST_P(FaultTable, FileIsOldOrNewAndTheUserWasTold) {
    const Row row = GetParam();
    World w;
    const QByteArray old = w.folder.read(fileOf(row.path));
    w.dialogs.msgAnswers = {row.retry ? MsgResult::Retry : MsgResult::Cancel};
    run(w, row.path, row.fault);

    const bool told = std::any_of(w.dialogs.messages.begin(), w.dialogs.messages.end(), [&](const MsgBoxRequest& m) {
        return (m.icon == MsgIcon::Critical || m.icon == MsgIcon::Exclamation) &&
               m.text.contains(w.folder.file(fileOf(row.path)));
    });
    EXPECT_EQ(told, w.faults.failed > 0) << "a fault passed without a word, or a box without a fault";
    if (!row.retry && oldAfterCancel(row.path, row.fault)) {
        const QByteArray before =
            w.meanwhile.isEmpty() ? old
                                  : w.meanwhile[int(row.path == Path::SettingsAtExit) + 2 * int(row.path == Path::Csv)];
        EXPECT_EQ(w.folder.read(fileOf(row.path)), before) << "the file on disk was changed";
    } else {
        expectNewFile(w, row.path, old);
    }
    const QStringList left = QDir(w.folder.path()).entryList({fileOf(row.path) + QStringLiteral(".*")}, QDir::Files);
    EXPECT_TRUE(left.isEmpty()) << "left beside the file: " << left.join(u' ').toStdString();
}

std::vector<Row> allRows() {
    std::vector<Row> rows;
    for (Path p : {Path::TestEnd, Path::GameOver, Path::TextClose, Path::Erase, Path::SettingsAtExit, Path::Csv})
        for (Fault f : {Fault::Open, Fault::Read, Fault::Rename, Fault::DirSync, Fault::ChangedMeanwhile})
            for (bool retry : {false, true}) rows.push_back({p, f, retry});
    return rows;
}

std::string rowName(const ::testing::TestParamInfo<Row>& info) {
    static const char* paths[] = {"TestEnd", "GameOver", "TextClose", "Erase", "SettingsAtExit", "Csv"};
    static const char* faults[] = {"OpenFails", "ReadFails", "RenameFails", "DirSyncFails", "FileChangedBeforeRetry"};
    return std::string(paths[int(info.param.path)]) + faults[int(info.param.fault)] +
           (info.param.retry ? "ThenRetry" : "ThenCancel");
}

INSTANTIATE_TEST_SUITE_P(SavePaths, FaultTable, ::testing::ValuesIn(allRows()), rowName);

// The read box names the file and the system's reason, and Cancel drops only
// the one new record: the records in memory are the file's again on the next
// reload, not a mix.
TEST(FailedReload, CancelDropsOnlyTheNewRecord) {
    World w;
    w.faults.reason = QStringLiteral("Input/output error");
    w.faults.failNth(FileStep::Read, 1);
    w.dialogs.msgAnswers = {MsgResult::Cancel};
    EXPECT_FALSE(w.results.ReloadResults());
    ASSERT_EQ(w.dialogs.messages.size(), 1u);
    const MsgBoxRequest& box = w.dialogs.messages[0];
    EXPECT_EQ(box.text, QStringLiteral("成績ファイルの読み込みに失敗しました。\r\n") + w.folder.file("Lumbra.dat") +
                            QStringLiteral("\r\nInput/output error"));
    EXPECT_EQ(box.title, QStringLiteral("エラー"));
    EXPECT_EQ(box.buttons, MsgButtons::RetryCancel);
    EXPECT_EQ(w.param.DataFileName(), w.folder.file("Lumbra.dat")) << "an unreadable file is no missing file";
    EXPECT_TRUE(w.results.ReloadResults());
    EXPECT_EQ(w.results.GetTestCount(0), 3);
}

}  // namespace
