// CSV export of the test and text graphs: the bytes (CP932, CR LF, ", "),
// and the export command's dialogs, question and messages.
#include <QDir>

#include "GraphCsv.h"
#include "QuestionBox.h"
#include "test_graph_support.h"

namespace {

// CP932 bytes of the first words, written out by hand.
const QByteArray kKaisuu("\x89\xF1\x90\x94");                                    // 回数
const QByteArray kNyuuryokuJikan("\x93\xFC\x97\xCD\x8E\x9E\x8A\xD4");            // 入力時間
const QByteArray kMissType("\x83\x7E\x83\x58\x83\x5E\x83\x43\x83\x76\x90\x94");  // ミスタイプ数
const QByteArray kMojisuu("\x93\xFC\x97\xCD\x95\xB6\x8E\x9A\x90\x94");           // 入力文字数
const QByteArray kPerMinute("\x93\xFC\x97\xCD\x90\x94\x81\x5E\x95\xAA");         // 入力数／分

const QString kQuestionTail = QStringLiteral("\r\nこのファイルはすでに存在します。\r\n\r\n上書きしますか？");

}  // namespace

TEST(CsvBytes, TestExampleOfThreeRuns) {
    GraphWorld w;
    w.addTest(0, 31.5, 4);
    w.addTest(0, 28.25, 1);
    w.addTest(0, 27, 0);
    EXPECT_EQ(graphcsv::TestCsvBytes(TestGraphData::fromResults(w.results, 0)),
              kKaisuu + ", 1, 2, 3\r\n" + kNyuuryokuJikan + ", 31.5, 28.25, 27\r\n" + kMissType + ", 4, 1, 0\r\n");
}

TEST(CsvBytes, NoStoredRunWritesOnlyTheFirstWords) {
    GraphWorld w;
    EXPECT_EQ(graphcsv::TestCsvBytes(TestGraphData::fromResults(w.results, 2)),
              kKaisuu + "\r\n" + kNyuuryokuJikan + "\r\n" + kMissType + "\r\n");
    EXPECT_EQ(graphcsv::TextCsvBytes(TextGraphData::fromResults(w.results)),
              kKaisuu + "\r\n" + kMojisuu + "\r\n" + kMissType + "\r\n" + kPerMinute + "\r\n");
}

TEST(CsvBytes, SixtyRunsNumberTheNewestFiftyFromElevenToSixty) {
    GraphWorld w;
    for (int i = 1; i <= 60; ++i) w.addTest(2, 20 + i * 0.5, static_cast<int16_t>(i % 3));
    const QList<QByteArray> lines = graphcsv::TestCsvBytes(TestGraphData::fromResults(w.results, 2)).split('\n');
    ASSERT_EQ(lines.size(), 4);  // three lines and the empty rest after the last LF
    const QList<QByteArray> numbers = lines[0].chopped(1).split(',');
    ASSERT_EQ(numbers.size(), 51);
    EXPECT_EQ(numbers[1], " 11");
    EXPECT_EQ(numbers[50], " 60");
    EXPECT_TRUE(lines[1].endsWith(", 50\r"));  // run 60: 20 + 30
    EXPECT_TRUE(lines[1].startsWith(kNyuuryokuJikan + ", 25.5, 26,"));
}

TEST(CsvBytes, TextHistoryHasFourLinesOldestFirst) {
    GraphWorld w;
    w.results.AddTextResult(320, 12, 95.5);
    w.results.AddTextResult(410, 9, 102.125);
    EXPECT_EQ(graphcsv::TextCsvBytes(TextGraphData::fromResults(w.results)),
              kKaisuu + ", 1, 2\r\n" + kMojisuu + ", 320, 410\r\n" + kMissType + ", 12, 9\r\n" + kPerMinute +
                  ", 95.5, 102.125\r\n");
}

// ---- the export command ----

class CsvExport : public ::testing::Test {
protected:
    GraphWorld w;
    QString path() const { return w.folder.file(QStringLiteral("graph.csv")); }
    bool run(const QByteArray& bytes = "a,b\r\n") {
        return graphcsv::ExportCsv(w.dialogs, QStringLiteral("Lumbra"), [bytes] { return bytes; });
    }
};

TEST_F(CsvExport, AsksForTheFileWithTheCsvFiltersAndWritesIt) {
    w.dialogs.fileAnswers.push_back(path());
    EXPECT_TRUE(run());
    ASSERT_EQ(w.dialogs.files.size(), 1u);
    EXPECT_TRUE(w.dialogs.files[0].save);
    EXPECT_EQ(w.dialogs.files[0].request.filter,
              QStringLiteral("ＣＳＶファイル(*.csv)|*.csv|すべてのファイル (*.*)|*.*"));
    EXPECT_EQ(w.dialogs.files[0].request.flags, FileFlags::HideReadOnly);
    EXPECT_EQ(w.folder.read(QStringLiteral("graph.csv")), QByteArray("a,b\r\n"));
    ASSERT_EQ(w.dialogs.messages.size(), 1u);
    EXPECT_EQ(w.dialogs.messages[0].text, QStringLiteral("ＣＳＶファイルへの書き込みが完了しました。"));
    EXPECT_EQ(w.dialogs.messages[0].icon, MsgIcon::Information);
    EXPECT_EQ(w.dialogs.messages[0].title, QStringLiteral("Lumbra"));
}

TEST_F(CsvExport, CancelledDialogDoesNothing) {
    EXPECT_FALSE(run());
    EXPECT_TRUE(w.dialogs.messages.empty());
    EXPECT_FALSE(w.folder.exists(QStringLiteral("graph.csv")));
}

TEST_F(CsvExport, ExistingFileIsKeptWhenTheAnswerIsNo) {
    w.folder.write(QStringLiteral("graph.csv"), "old");
    w.dialogs.fileAnswers.push_back(path());
    w.dialogs.msgAnswers.push_back(MsgResult::No);
    EXPECT_FALSE(run());
    ASSERT_EQ(w.dialogs.messages.size(), 1u);
    EXPECT_TRUE(isYesNoQuestion(w.dialogs.messages[0], path() + kQuestionTail, QStringLiteral("Lumbra"), 1));  // No
    EXPECT_EQ(w.folder.read(QStringLiteral("graph.csv")), QByteArray("old"));
}

TEST_F(CsvExport, ExistingFileIsReplacedWhenTheAnswerIsYes) {
    w.folder.write(QStringLiteral("graph.csv"), "old contents that are longer");
    w.dialogs.fileAnswers.push_back(path());
    w.dialogs.msgAnswers.push_back(MsgResult::Yes);
    EXPECT_TRUE(run("new\r\n"));
    EXPECT_EQ(w.folder.read(QStringLiteral("graph.csv")), QByteArray("new\r\n"));
    EXPECT_EQ(w.dialogs.messages.size(), 2u);  // the question and the completion box
}

TEST_F(CsvExport, FailedWriteOffersRetryAndCancelShowsNoCompletion) {
    const QString bad = w.folder.file(QStringLiteral("missing/graph.csv"));
    w.dialogs.fileAnswers.push_back(bad);
    EXPECT_FALSE(run());
    ASSERT_EQ(w.dialogs.messages.size(), 1u);
    EXPECT_EQ(w.dialogs.messages[0].text, QStringLiteral("ＣＳＶファイルの書き込みに失敗しました。\r\n") + bad);
    EXPECT_EQ(w.dialogs.messages[0].title, QStringLiteral("エラー"));
    EXPECT_EQ(w.dialogs.messages[0].buttons, MsgButtons::RetryCancel);
}

TEST_F(CsvExport, RetryAfterTheFolderAppearsWritesTheFile) {
    const QString bad = w.folder.file(QStringLiteral("later/graph.csv"));
    w.dialogs.fileAnswers.push_back(bad);
    w.dialogs.msgAnswers = {MsgResult::Retry, MsgResult::OK};
    w.dialogs.onMsgBox = [&](const MsgBoxRequest& r) {
        if (r.buttons == MsgButtons::RetryCancel) QDir().mkpath(w.folder.file(QStringLiteral("later")));
    };
    EXPECT_TRUE(run("x\r\n"));
    EXPECT_EQ(w.folder.read(QStringLiteral("later/graph.csv")), QByteArray("x\r\n"));
    EXPECT_EQ(w.dialogs.messages.back().text, QStringLiteral("ＣＳＶファイルへの書き込みが完了しました。"));
}
