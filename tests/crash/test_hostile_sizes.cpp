// Files of hostile size or kind never hold the program up: a practice file of
// hundreds of megabytes is refused with the error box before it is read, one
// enormous line within the limit loads as one entry, and a huge, binary or
// endless settings or results file is read only as far as such a file can
// reach. (Sparse files make the big ones cheap.)
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QFile>

#include "Fakes.h"
#include "TestFiles.h"
#include "TextFile.h"
#include "TextPractice.h"
#include "basParam.h"
#include "basResults.h"

namespace {

// A file of the given size: the given head, then a hole that reads as zeros.
void sparseFile(const QString& path, const QByteArray& head, qint64 size) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(head);
    ASSERT_TRUE(f.resize(size));
}

struct Session {
    FakeDialogs dialogs;
    FakeClock clock;
    FakeRandom random;
    FakeBeeper beeper;
    basParam param;
    basResults results;
    TextPractice practice;
    explicit Session(const QString& folder)
        : param(folder, QStringLiteral("Lumbra"), dialogs),
          results(param, dialogs),
          practice(param, results, clock, random, dialogs, beeper) {}
};

TEST(HostileSizes, APracticeFileOfHundredsOfMegabytesIsRefusedWithAMessage) {
    ScratchFolder folder;
    const QString path = folder.file(QStringLiteral("huge.txt"));
    sparseFile(path, "apple|\r\n", qint64{300} * 1024 * 1024);
    Session s(folder.path());
    const QString before = s.param.TextFileName();
    EXPECT_FALSE(s.practice.LoadText(path));
    ASSERT_EQ(s.dialogs.messages.size(), 1u);
    const MsgBoxRequest& box = s.dialogs.messages[0];
    EXPECT_EQ(box.title, QStringLiteral("エラー"));
    EXPECT_EQ(box.icon, MsgIcon::Critical);
    EXPECT_TRUE(box.text.startsWith(path + QStringLiteral("\r\n"))) << box.text.toStdString();
    EXPECT_TRUE(box.text.contains(QStringLiteral("大きすぎます"))) << box.text.toStdString();
    EXPECT_EQ(s.practice.textCount(), 0);
    EXPECT_EQ(s.param.TextFileName(), before);
    EXPECT_FALSE(s.practice.keyPress(u'A'));
}

TEST(HostileSizes, OneEnormousLineWithinTheLimitIsOneEntryThatTypesLikeAShortOne) {
    ScratchFolder folder;
    const qint64 length = textfile::kMaxFileBytes - 16;
    QByteArray line = "AB|";
    line.append(length - line.size(), 'x');
    folder.write(QStringLiteral("line.txt"), line);
    Session s(folder.path());
    ASSERT_TRUE(s.practice.LoadText(folder.file(QStringLiteral("line.txt"))));
    ASSERT_EQ(s.practice.textCount(), 1);
    EXPECT_EQ(s.practice.displayText().size(), length - 3);
    s.practice.keyPress(u'a');
    EXPECT_EQ(s.practice.displayText().size(), length - 4);  // "B" starts the next display character
    EXPECT_TRUE(s.dialogs.messages.empty());
}

// A program folder and its settings store.
struct HostileSettings : ::testing::Test {
    ScratchFolder folder;
    FakeDialogs d;
    basParam p{folder.path(), QStringLiteral("Lumbra"), d};
};

TEST_F(HostileSettings, AHugeSettingsFileCountsOnlyItsFirstMegabyte) {
    QByteArray head = "[Lumbra]\r\nLevel=5\r\n";
    // A line that reaches over the limit is dropped as a whole, and nothing
    // after it counts.
    head.append(basParam::kMaxSettingsBytes - head.size() - 4, ' ');
    head.append("NeedCount=1234\r\nLevel=7\r\n");
    sparseFile(p.SettingsFileName(), head, qint64{200} * 1024 * 1024);
    EXPECT_TRUE(p.LoadSettings());
    EXPECT_EQ(p.Level(), 5);
    EXPECT_EQ(p.NeedCount(), 50);
}

TEST_F(HostileSettings, ABinarySettingsFileLeavesTheDefaults) {
    QByteArray junk;
    for (uint32_t i = 0; i < 300000; ++i) junk.append(static_cast<char>((i * 7919u) % 251u));
    folder.write(QStringLiteral("Lumbra.ini"), junk);
    EXPECT_TRUE(p.LoadSettings());
    EXPECT_EQ(p.SettingsFileBytes(), basParam(folder.path(), QStringLiteral("Lumbra"), d).SettingsFileBytes());
}

TEST_F(HostileSettings, ASettingsFileThatIsAPipeIsNotWaitedFor) {
    ASSERT_EQ(mkfifo(QFile::encodeName(p.SettingsFileName()).constData(), 0644), 0);
    EXPECT_FALSE(p.LoadSettings());  // would block for ever if it were opened
    EXPECT_EQ(p.Level(), 0);
    EXPECT_EQ(p.NeedCount(), 50);
}

TEST_F(HostileSettings, AHugeResultsFileIsReadOnlyAsFarAsAResultsFileReaches) {
    basResults source(p, d);
    source.AddTestTime(0, 42.5);
    source.AddTextResult(300, 4, 180.0);
    sparseFile(p.DataFileName(), source.ResultsFileBytes(), qint64{500} * 1024 * 1024);
    basResults r(p, d);
    EXPECT_TRUE(r.LoadResults());
    EXPECT_EQ(r.GetTestTime(0, 0), 42.5);
    EXPECT_EQ(r.GetTextChars(0), 300);
}

}  // namespace
