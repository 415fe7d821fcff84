#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QDir>
#include <functional>
#include <map>

#include "Cp932.h"
#include "Fakes.h"
#include "ScriptedFileFaults.h"
#include "TestFiles.h"
#include "basParam.h"

namespace {

// Every key in the order the file lists them.
// clang-format off
const char* const kKeyOrder[] = {
    "Level", "NeedCount", "KeyBoard", "KeyBoardSize", "KeyBoardType", "FontName", "DataFileName", "BindKey6",
    "LetterType", "MissBeep", "MissNext", "MissKeyDisp", "TextFileName", "TextRead", "TextDisplayNavi", "TextRomaji",
    "PlayerName", "SpeedGameType", "SpeedNormalColor", "SpeedActiveColor", "TestGraphWidth", "TestGraphHeight",
    "TestGraphIndex", "TestGraphForeColor", "TestGraphBackColor", "TestGraphTimeColor", "TestGraphMissColor",
    "TypeGraphWidth", "TypeGraphHeight", "TypeGraphForeColor", "TypeGraphBackColor", "TypeGraphMissColor",
    "TypeGraphFillStyle", "TextGraphWidth", "TextGraphHeight", "TextGraphForeColor", "TextGraphBackColor",
    "TextGraphInputColor", "TextGraphMissColor", "TextGraphInpPMinColor", "TextGraphDisp", "KeyBoardHeatMap",
    "WordKanaOnly", "CourseAccuracy", "CourseWeakness"};

const QByteArray kFreshFile =
    "[Lumbra]\r\n\r\nTestGraphWidth=0\r\nTestGraphHeight=0\r\nTypeGraphWidth=0\r\nTypeGraphHeight=0\r\n"
    "TextGraphWidth=0\r\nTextGraphHeight=0\r\n";

// The file SaveSettings must write when the given keys differ from their
// defaults (the window sizes are always written, 0 unless given).
QString expectedFile(std::map<QString, QString> changed) {
    for (const char* size : {"TestGraphWidth", "TestGraphHeight", "TypeGraphWidth", "TypeGraphHeight",
                             "TextGraphWidth", "TextGraphHeight"})
        changed.try_emplace(QString::fromLatin1(size), QStringLiteral("0"));
    QString out = QStringLiteral("[Lumbra]\r\n\r\n");
    for (const char* key : kKeyOrder) {
        const auto it = changed.find(QString::fromLatin1(key));
        if (it != changed.end()) out += it->first + u'=' + it->second + QStringLiteral("\r\n");
    }
    return out;
}

struct SettingsFixture : ::testing::Test {
    ScratchFolder dir;
    FakeDialogs dialogs;
    basParam param{dir.path(), QStringLiteral("Lumbra"), dialogs};

    bool loadFile(const QByteArray& bytes) {
        dir.write("Lumbra.ini", bytes);
        return param.LoadSettings();
    }
    QByteArray saved() {
        EXPECT_TRUE(param.SaveSettings());
        return dir.read("Lumbra.ini");
    }
};
// clang-format on

TEST_F(SettingsFixture, NoFileKeepsEveryDefaultAndSavesTheFreshFile) {
    EXPECT_FALSE(param.LoadSettings());
    EXPECT_EQ(param.Level(), 0);
    EXPECT_EQ(param.NeedCount(), 50);
    EXPECT_EQ(param.KeyBoard(), 1);
    EXPECT_EQ(param.FontName(), QStringLiteral("ＭＳ ゴシック"));
    EXPECT_EQ(param.DataFileName(), dir.path() + QStringLiteral("Lumbra.dat"));
    EXPECT_EQ(param.DefaultDataFileName(), dir.path() + QStringLiteral("Lumbra.dat"));
    EXPECT_EQ(param.TextFileName(), dir.path() + QStringLiteral("Text/Pref.txt"));
    EXPECT_EQ(param.BindKey6(), 4);
    EXPECT_EQ(param.MissKeyDisp(), 1);
    EXPECT_TRUE(param.TextDisplayNavi());
    EXPECT_EQ(param.PlayerName(), QString());
    EXPECT_EQ(param.SpeedGameType(), 1);
    EXPECT_EQ(param.SpeedNormalColor(), QStringLiteral("255055055"));
    EXPECT_EQ(param.SpeedActiveColor(), QStringLiteral("055055255"));
    EXPECT_EQ(param.TestGraphIndex(), 2);
    EXPECT_EQ(param.TestGraphBackColor(), QStringLiteral("239239239"));
    EXPECT_EQ(param.TestGraphTimeColor(), QStringLiteral("255000000"));
    EXPECT_EQ(param.TestGraphMissColor(), QStringLiteral("000128255"));
    EXPECT_EQ(param.TypeGraphMissColor(), QStringLiteral("055155055"));
    EXPECT_EQ(param.TypeGraphFillStyle(), 5);
    EXPECT_EQ(param.TextGraphInputColor(), QStringLiteral("255128128"));
    EXPECT_EQ(param.TextGraphMissColor(), QStringLiteral("000128000"));
    EXPECT_EQ(param.TextGraphInpPMinColor(), QStringLiteral("000128255"));
    EXPECT_EQ(param.TextGraphDisp(), 7);
    EXPECT_EQ(saved(), kFreshFile);
}

// One line in a file: the value it leaves in its setting and the file the
// next save writes.
struct LineRow {
    const char* name;
    const char* lines;
    std::function<QString(const basParam&)> get;
    const char* value;
    std::map<QString, QString> saved;
};

QString num(int v) { return QString::number(v); }

class SettingsLine : public SettingsFixture, public ::testing::WithParamInterface<LineRow> {};
TEST_P(SettingsLine, LoadsChecksAndSaves) {
    const LineRow& r = GetParam();
    EXPECT_TRUE(loadFile(QByteArray("[Lumbra]\r\n") + r.lines + "\r\n"));
    EXPECT_EQ(r.get(param), QString::fromUtf8(r.value));
    EXPECT_EQ(QString::fromUtf8(saved()), expectedFile(r.saved));
}

// clang-format off
const LineRow kLines[] = {
    {"LowerCaseKeyWithBlanks", "  keyboardtype = 1", [](auto& p) { return num(p.KeyBoardType()); }, "1",
     {{"KeyBoardType", "1"}}},
    {"NeedCountNotANumber", "NeedCount=abc", [](auto& p) { return num(p.NeedCount()); }, "50", {}},
    {"NeedCountTooLarge", "NeedCount=100000", [](auto& p) { return num(p.NeedCount()); }, "50", {}},
    {"NeedCountOneAccepted", "NeedCount=1", [](auto& p) { return num(p.NeedCount()); }, "1", {{"NeedCount", "1"}}},
    {"NeedCountBadKeepsEarlier", "NeedCount=80\r\nNeedCount=abc", [](auto& p) { return num(p.NeedCount()); },
     "80", {{"NeedCount", "80"}}},
    {"NeedCountZeroFallsBack", "NeedCount=80\r\nNeedCount=0", [](auto& p) { return num(p.NeedCount()); }, "50",
     {}},
    {"LastValidWins", "needcount=80\r\nNEEDCOUNT = 90 ", [](auto& p) { return num(p.NeedCount()); }, "90",
     {{"NeedCount", "90"}}},
    {"LevelHalfRoundsToEven", "Level=3.5", [](auto& p) { return num(p.Level()); }, "4", {{"Level", "4"}}},
    {"LevelHalfRoundsDown", "Level=2.5", [](auto& p) { return num(p.Level()); }, "2", {{"Level", "2"}}},
    {"LevelWeakKeys", "Level=13", [](auto& p) { return num(p.Level()); }, "13", {{"Level", "13"}}},
    {"LevelCourse", "Level=14", [](auto& p) { return num(p.Level()); }, "14", {{"Level", "14"}}},
    {"LevelTooHigh", "Level=15", [](auto& p) { return num(p.Level()); }, "0", {}},
    {"CourseAccuracy", "CourseAccuracy=90", [](auto& p) { return num(p.CourseAccuracy()); }, "90",
     {{"CourseAccuracy", "90"}}},
    {"CourseAccuracyOver100", "CourseAccuracy=101", [](auto& p) { return num(p.CourseAccuracy()); }, "95", {}},
    {"CourseWeaknessBelowOne", "CourseWeakness=99", [](auto& p) { return num(p.CourseWeakness()); }, "130", {}},
    {"HeatMapOn", "KeyBoardHeatMap=1", [](auto& p) { return num(p.KeyBoardHeatMap()); }, "1",
     {{"KeyBoardHeatMap", "1"}}},
    {"HeatMapTwoFallsBack", "KeyBoardHeatMap=2", [](auto& p) { return num(p.KeyBoardHeatMap()); }, "0", {}},
    {"LevelOutsideInteger", "Level=5\r\nLevel=40000", [](auto& p) { return num(p.Level()); }, "5",
     {{"Level", "5"}}},
    {"ValueWithEqualsSign", "Level=4=5", [](auto& p) { return num(p.Level()); }, "0", {}},
    {"BindKey6Five", "BindKey6=5", [](auto& p) { return num(p.BindKey6()); }, "4", {}},
    {"BindKey6Left", "BindKey6=3", [](auto& p) { return num(p.BindKey6()); }, "3", {{"BindKey6", "3"}}},
    {"TextReadNegative", "TextRead=-1", [](auto& p) { return num(p.TextRead()); }, "0", {}},
    {"TextRomajiOff", "TextRomaji=0", [](auto& p) { return num(p.TextRomaji()); }, "0", {{"TextRomaji", "0"}}},
    {"TextRomajiTwo", "TextRomaji=0\r\nTextRomaji=2", [](auto& p) { return num(p.TextRomaji()); }, "1", {}},
    {"WordKanaOnlyOn", "WordKanaOnly=1", [](auto& p) { return num(p.WordKanaOnly()); }, "1", {{"WordKanaOnly", "1"}}},
    {"WordKanaOnlyTwo", "WordKanaOnly=2", [](auto& p) { return num(p.WordKanaOnly()); }, "0", {}},
    {"FillStyleEight", "TypeGraphFillStyle=8", [](auto& p) { return num(p.TypeGraphFillStyle()); }, "5", {}},
    {"FillStyleBeyondInteger", "TypeGraphFillStyle=3\r\nTypeGraphFillStyle=40000",
     [](auto& p) { return num(p.TypeGraphFillStyle()); }, "3", {{"TypeGraphFillStyle", "3"}}},
    {"TextGraphDispNegative", "TextGraphDisp=-2", [](auto& p) { return num(p.TextGraphDisp()); }, "7", {}},
    {"TestGraphIndexOne", "TestGraphIndex=1", [](auto& p) { return num(p.TestGraphIndex()); }, "2", {}},
    {"TestGraphIndexZero", "TestGraphIndex=0", [](auto& p) { return num(p.TestGraphIndex()); }, "0",
     {{"TestGraphIndex", "0"}}},
    {"KeyBoardOff", "KeyBoard=0", [](auto& p) { return num(p.KeyBoard()); }, "0", {{"KeyBoard", "0"}}},
    {"ColourFiveCharacters", "TestGraphForeColor=12345", [](auto& p) { return p.TestGraphForeColor(); },
     "000000000", {}},
    {"ColourLettersStoredAsIs", "TestGraphForeColor=abcdefghi", [](auto& p) { return p.TestGraphForeColor(); },
     "abcdefghi", {{"TestGraphForeColor", "abcdefghi"}}},
    {"ColourTrimmed", "TextGraphMissColor=  255000000  ", [](auto& p) { return p.TextGraphMissColor(); },
     "255000000", {{"TextGraphMissColor", "255000000"}}},
    {"PlayerNameTrimmedAndCut", "PlayerName=  ABCDEFGHIJKL  ", [](auto& p) { return p.PlayerName(); },
     "ABCDEFGHIJ", {{"PlayerName", "ABCDEFGHIJ"}}},
    {"FontNameTrimmed", "FontName=  IPAGothic ", [](auto& p) { return p.FontName(); }, "IPAGothic",
     {{"FontName", "IPAGothic"}}},
    {"LinesWithoutAKeyIgnored", "FontName\r\n=5\r\n[Other]", [](auto& p) { return p.FontName(); },
     "ＭＳ ゴシック", {}},
    {"NaviFalseWord", "TextDisplayNavi=false", [](auto& p) { return num(p.TextDisplayNavi()); }, "0",
     {{"TextDisplayNavi", "False"}}},
    {"NaviZero", "TextDisplayNavi=0", [](auto& p) { return num(p.TextDisplayNavi()); }, "0",
     {{"TextDisplayNavi", "False"}}},
    {"NaviNonZeroIsTrue", "TextDisplayNavi=0\r\nTextDisplayNavi=-2", [](auto& p) { return num(p.TextDisplayNavi()); },
     "1", {}},
    {"NaviWordIgnored", "TextDisplayNavi=0\r\nTextDisplayNavi=yes", [](auto& p) { return num(p.TextDisplayNavi()); },
     "0", {{"TextDisplayNavi", "False"}}},
    {"NegativeWindowSize", "TestGraphWidth=-300", [](auto& p) { return num(p.TestGraphWidth()); }, "-300",
     {{"TestGraphWidth", "-300"}}},
    {"DataFileTrimmed", "DataFileName=  /data/x.dat  ", [](auto& p) { return p.DataFileName(); }, "/data/x.dat",
     {{"DataFileName", "/data/x.dat"}}},
    {"UnknownKeyIgnored", "Colour=1\r\nLevelX=3", [](auto& p) { return num(p.Level()); }, "0", {}},
};
// clang-format on
INSTANTIATE_TEST_SUITE_P(Rows, SettingsLine, ::testing::ValuesIn(kLines),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(SettingsFixture, LineEndingsOfEitherSystemAreRead) {
    EXPECT_TRUE(loadFile("[Lumbra]\nLevel=5\nNeedCount=70\r\nMissBeep=1"));
    EXPECT_EQ(param.Level(), 5);
    EXPECT_EQ(param.NeedCount(), 70);
    EXPECT_EQ(param.MissBeep(), 1);
}

TEST_F(SettingsFixture, KeyBoardBackToItsDefaultDisappearsFromTheFile) {
    EXPECT_TRUE(loadFile("[Lumbra]\r\nKeyBoard=0\r\n"));
    param.KeyBoard(1);
    EXPECT_EQ(saved(), kFreshFile);
}

TEST_F(SettingsFixture, DefaultPathsFollowTheProgramFolder) {
    param.LoadSettings();
    EXPECT_TRUE(param.SaveSettings());
    ScratchFolder moved;
    moved.write("Lumbra.ini", dir.read("Lumbra.ini"));
    basParam other(moved.path(), QStringLiteral("Lumbra"), dialogs);
    EXPECT_TRUE(other.LoadSettings());
    EXPECT_EQ(other.DataFileName(), moved.path() + QStringLiteral("Lumbra.dat"));
    EXPECT_EQ(other.TextFileName(), moved.path() + QStringLiteral("Text/Pref.txt"));
}

TEST_F(SettingsFixture, EveryKeySurvivesASaveAndALoad) {
    param.Level(12);
    param.NeedCount(9999);
    param.KeyBoard(0);
    param.KeyBoardSize(1);
    param.KeyBoardType(1);
    param.FontName(QStringLiteral("IPAゴシック"));
    param.DataFileName(QStringLiteral("/r/d.dat"));
    param.BindKey6(3);
    param.LetterType(1);
    param.MissBeep(1);
    param.MissNext(1);
    param.MissKeyDisp(0);
    param.TextFileName(QStringLiteral("/t/x.txt"));
    param.TextRead(2);
    param.TextDisplayNavi(false);
    param.TextRomaji(0);
    param.PlayerName(QStringLiteral("髙橋①～"));
    param.SpeedGameType(0);
    param.SpeedNormalColor(QStringLiteral("001002003"));
    param.SpeedActiveColor(QStringLiteral("004005006"));
    param.TestGraphWidth(9000);
    param.TestGraphHeight(6000);
    param.TestGraphIndex(0);
    param.TypeGraphWidth(7600);
    param.TypeGraphHeight(4600);
    param.TypeGraphFillStyle(0);
    param.TextGraphWidth(8000);
    param.TextGraphHeight(5000);
    param.TextGraphDisp(3);
    int n = 0;
    for (const char* k : {"TestGraphForeColor", "TestGraphBackColor", "TestGraphTimeColor", "TestGraphMissColor"})
        param.SetTestGraphColor(QString::fromLatin1(k), QStringLiteral("1000000%1").arg(++n, 2, 10, QChar(u'0')));
    for (const char* k : {"TypeGraphForeColor", "TypeGraphBackColor", "TypeGraphMissColor"})
        param.SetTypeGraphColor(QString::fromLatin1(k), QStringLiteral("1000000%1").arg(++n, 2, 10, QChar(u'0')));
    for (const char* k : {"TextGraphForeColor", "TextGraphBackColor", "TextGraphInputColor", "TextGraphMissColor",
                          "TextGraphInpPMinColor"})
        param.SetTextGraphColor(QString::fromLatin1(k), QStringLiteral("1000000%1").arg(++n, 2, 10, QChar(u'0')));
    const QByteArray file = saved();
    // The whole file byte for byte, so that two keys written in each other's
    // place (or in the wrong order) show.
    const QString expected = expectedFile({{"Level", "12"},
                                           {"NeedCount", "9999"},
                                           {"KeyBoard", "0"},
                                           {"KeyBoardSize", "1"},
                                           {"KeyBoardType", "1"},
                                           {"FontName", "IPAゴシック"},
                                           {"DataFileName", "/r/d.dat"},
                                           {"BindKey6", "3"},
                                           {"LetterType", "1"},
                                           {"MissBeep", "1"},
                                           {"MissNext", "1"},
                                           {"MissKeyDisp", "0"},
                                           {"TextFileName", "/t/x.txt"},
                                           {"TextRead", "2"},
                                           {"TextDisplayNavi", "False"},
                                           {"TextRomaji", "0"},
                                           {"PlayerName", "髙橋①～"},
                                           {"SpeedGameType", "0"},
                                           {"SpeedNormalColor", "001002003"},
                                           {"SpeedActiveColor", "004005006"},
                                           {"TestGraphWidth", "9000"},
                                           {"TestGraphHeight", "6000"},
                                           {"TestGraphIndex", "0"},
                                           {"TestGraphForeColor", "100000001"},
                                           {"TestGraphBackColor", "100000002"},
                                           {"TestGraphTimeColor", "100000003"},
                                           {"TestGraphMissColor", "100000004"},
                                           {"TypeGraphWidth", "7600"},
                                           {"TypeGraphHeight", "4600"},
                                           {"TypeGraphForeColor", "100000005"},
                                           {"TypeGraphBackColor", "100000006"},
                                           {"TypeGraphMissColor", "100000007"},
                                           {"TypeGraphFillStyle", "0"},
                                           {"TextGraphWidth", "8000"},
                                           {"TextGraphHeight", "5000"},
                                           {"TextGraphForeColor", "100000008"},
                                           {"TextGraphBackColor", "100000009"},
                                           {"TextGraphInputColor", "100000010"},
                                           {"TextGraphMissColor", "100000011"},
                                           {"TextGraphInpPMinColor", "100000012"},
                                           {"TextGraphDisp", "3"}});
    EXPECT_EQ(file, cp932::encode(expected));
    EXPECT_EQ(file.count("\r\n"), 2 + 41);  // header, empty line, every key

    basParam back(dir.path(), QStringLiteral("Lumbra"), dialogs);
    ASSERT_TRUE(back.LoadSettings());
    EXPECT_EQ(back.SettingsFileBytes(), file);
    EXPECT_EQ(back.PlayerName(), QStringLiteral("髙橋①～"));
    EXPECT_EQ(back.GetTextGraphColor(QStringLiteral("TextGraphInpPMinColor")), QStringLiteral("100000012"));
}

TEST_F(SettingsFixture, Cp932FileWithJapaneseNames) {
    const QByteArray file = QByteArray("[Lumbra]\r\n\r\nFontName=") + cp932::encode(QStringLiteral("ＭＳ 明朝")) +
                            "\r\nPlayerName=" + cp932::encode(QStringLiteral("髙橋～①")) + "\r\n";
    EXPECT_TRUE(loadFile(file));
    EXPECT_EQ(param.FontName(), QStringLiteral("ＭＳ 明朝"));
    EXPECT_EQ(param.PlayerName(), QStringLiteral("髙橋～①"));
    EXPECT_EQ(saved(), cp932::encode(expectedFile({{"FontName", "ＭＳ 明朝"}, {"PlayerName", "髙橋～①"}})));
}

TEST_F(SettingsFixture, Utf8FileIsReadAndWrittenBackInCp932) {
    const QString text = QStringLiteral("\uFEFF[Lumbra]\r\nPlayerName=山田花子ABCDEFGH\r\n");
    EXPECT_TRUE(loadFile(text.toUtf8()));
    EXPECT_EQ(param.PlayerName(), QStringLiteral("山田花子ABCDEF"));  // ten characters, not ten bytes
    EXPECT_EQ(saved(), cp932::encode(expectedFile({{"PlayerName", "山田花子ABCDEF"}})));
}

TEST_F(SettingsFixture, ValuesCp932CannotHoldAreKeptInUtf8) {
    param.DataFileName(QStringLiteral("/home/José/results.dat"));
    const QByteArray file = saved();
    EXPECT_EQ(file, "\xEF\xBB\xBF" + expectedFile({{"DataFileName", "/home/José/results.dat"}}).toUtf8());
    basParam back(dir.path(), QStringLiteral("Lumbra"), dialogs);
    EXPECT_TRUE(back.LoadSettings());
    EXPECT_EQ(back.DataFileName(), QStringLiteral("/home/José/results.dat"));
}

TEST_F(SettingsFixture, GraphColoursByExactKeyName) {
    param.SetTypeGraphColor(QStringLiteral("TypeGraphMissColor"), QStringLiteral("001001001"));
    EXPECT_EQ(param.TypeGraphMissColor(), QStringLiteral("001001001"));
    EXPECT_EQ(param.GetTypeGraphColor(QStringLiteral("TypeGraphMissColor")), QStringLiteral("001001001"));
    EXPECT_EQ(param.GetTypeGraphColor(QStringLiteral("typegraphmisscolor")), QString());
    EXPECT_EQ(param.GetTypeGraphColor(QStringLiteral("TestGraphForeColor")), QString());  // another graph's key
    param.SetTestGraphColor(QStringLiteral("TestGraphforecolor"), QStringLiteral("x"));
    EXPECT_EQ(param.TestGraphForeColor(), QStringLiteral("000000000"));
}

TEST_F(SettingsFixture, FailedSaveAsksRetryThenCancelAndKeepsTheOldFile) {
    dir.write("Lumbra.ini", kFreshFile);
    param.LoadSettings();
    param.Level(3);
    // Something took the file's place; Retry fails again, Cancel gives up.
    QFile::remove(dir.file("Lumbra.ini"));
    QDir().mkpath(dir.file("Lumbra.ini"));
    dialogs.msgAnswers = {MsgResult::Retry, MsgResult::Cancel};
    EXPECT_FALSE(param.SaveSettings());
    ASSERT_EQ(dialogs.messages.size(), 2u);
    const MsgBoxRequest& m = dialogs.messages[0];
    EXPECT_EQ(m.text,
              QStringLiteral("設定ファイルの書き込みに失敗しました。\r\n") + dir.path() + QStringLiteral("Lumbra.ini"));
    EXPECT_EQ(m.title, QStringLiteral("エラー"));
    EXPECT_EQ(m.icon, MsgIcon::Critical);
    EXPECT_EQ(m.buttons, MsgButtons::RetryCancel);
    EXPECT_TRUE(QFileInfo(dir.file("Lumbra.ini")).isDir());
    EXPECT_EQ(param.Level(), 3);  // memory is unaffected
}

// A name of half-width katakana is saved in CP932 and comes back as typed at
// the next start, however its bytes would look as UTF-8.
TEST_F(SettingsFixture, HalfWidthKanaNameSurvivesSaveAndLoad) {
    param.PlayerName(QStringLiteral("ﾕｷ"));
    const QByteArray file = saved();
    EXPECT_EQ(file, cp932::encode(expectedFile({{"PlayerName", "ﾕｷ"}})));
    basParam back(dir.path(), QStringLiteral("Lumbra"), dialogs);
    EXPECT_TRUE(back.LoadSettings());
    EXPECT_EQ(back.PlayerName(), QStringLiteral("ﾕｷ"));
}

TEST_F(SettingsFixture, FailedSaveRetriedAfterTheFolderIsBackSucceeds) {
    basParam moved(dir.path() + QStringLiteral("gone/"), QStringLiteral("Lumbra"), dialogs);
    moved.NeedCount(120);
    dialogs.msgAnswers = {MsgResult::Retry};
    dialogs.onMsgBox = [&](const MsgBoxRequest&) { QDir().mkpath(dir.file("gone")); };
    EXPECT_TRUE(moved.SaveSettings());
    EXPECT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dir.read("gone/Lumbra.ini"), expectedFile({{"NeedCount", "120"}}).toUtf8());
}

// An existing file that cannot be read is the user's: they are told once at
// start-up, and it is not written over at exit while it still cannot be read.
TEST_F(SettingsFixture, UnreadableFileIsToldAndNeverReplacedWhileUnreadable) {
    ASSERT_EQ(mkfifo(QFile::encodeName(dir.file("Lumbra.ini")).constData(), 0644), 0);  // reads would block
    EXPECT_FALSE(param.LoadSettings());
    EXPECT_TRUE(param.SettingsUnreadable());
    param.ReportUnreadableSettings();
    ASSERT_EQ(dialogs.messages.size(), 1u);
    const MsgBoxRequest& m = dialogs.messages[0];
    EXPECT_TRUE(m.text.startsWith(QStringLiteral("設定ファイルを読み込めませんでした。\r\n") + dir.file("Lumbra.ini")))
        << m.text.toStdString();
    EXPECT_EQ(m.icon, MsgIcon::Exclamation);
    EXPECT_EQ(m.title, QStringLiteral("Lumbra"));
    param.Level(4);
    EXPECT_FALSE(param.SaveSettings());
    EXPECT_EQ(dialogs.messages.size(), 1u) << "nothing more to say at exit";
    struct stat st {};
    ASSERT_EQ(lstat(QFile::encodeName(dir.file("Lumbra.ini")).constData(), &st), 0);
    EXPECT_TRUE(S_ISFIFO(st.st_mode));
}

TEST_F(SettingsFixture, ReadableAgainAtExitKeepsTheFilesValuesUnderThisRunsChanges) {
    dir.write("Lumbra.ini", "[Lumbra]\r\nNeedCount=80\r\nPlayerName=Hana\r\nLevel=2\r\n");
    ScriptedFileFaults faults;
    basParam run(dir.path(), QStringLiteral("Lumbra"), dialogs, faults);
    faults.failNextOpen();
    EXPECT_FALSE(run.LoadSettings());
    EXPECT_EQ(run.NeedCount(), 50);  // defaults for this run
    run.Level(7);
    run.PlayerName(QStringLiteral("Ken"));
    ASSERT_TRUE(run.SaveSettings());
    EXPECT_EQ(dir.read("Lumbra.ini"),
              expectedFile({{"Level", "7"}, {"NeedCount", "80"}, {"PlayerName", "Ken"}}).toUtf8());
    EXPECT_TRUE(dialogs.messages.empty()) << "LoadSettings itself stays silent";
}

// Two copies of the program on one folder: the one that exits last keeps
// what the other saved and lays only its own changes over it.
TEST_F(SettingsFixture, TwoCopiesOnOneFolderKeepEachOthersChanges) {
    ASSERT_TRUE(loadFile("[Lumbra]\r\nNeedCount=80\r\n"));
    basParam other(dir.path(), QStringLiteral("Lumbra"), dialogs);
    ASSERT_TRUE(other.LoadSettings());
    param.Level(7);
    other.KeyBoardHeatMap(1);
    ASSERT_TRUE(other.SaveSettings());
    EXPECT_EQ(saved(), expectedFile({{"KeyBoardHeatMap", "1"}, {"Level", "7"}, {"NeedCount", "80"}}).toUtf8());
}

}  // namespace
