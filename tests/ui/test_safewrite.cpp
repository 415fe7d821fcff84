#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/un.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <csignal>
#include <cstring>

#include "Fakes.h"
#include "SafeWrite.h"
#include "ScriptedFileFaults.h"
#include "TestFiles.h"

namespace {

const QString kError = QStringLiteral("書き込みに失敗しました。");

QStringList leftovers(const ScratchFolder& dir) {
    return QDir(dir.path()).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot);
}

TEST(SafeWrite, WritesAndReplacesWholeFiles) {
    ScratchFolder dir;
    FakeDialogs dialogs;
    ASSERT_TRUE(writeFileWithRetry(dir.file("a.bin"), "first contents", dialogs, kError));
    ASSERT_TRUE(writeFileWithRetry(dir.file("a.bin"), "2nd", dialogs, kError));
    EXPECT_EQ(dir.read("a.bin"), QByteArray("2nd"));
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_EQ(leftovers(dir), QStringList{"a.bin"});
}

TEST(SafeWrite, MissingFolderAsksRetryCancelAndRetrySucceedsOnceFixed) {
    ScratchFolder dir;
    const QString path = dir.file("sub/a.ini");
    FakeDialogs dialogs;
    dialogs.msgAnswers = {MsgResult::Retry, MsgResult::Retry};
    int boxes = 0;
    dialogs.onMsgBox = [&](const MsgBoxRequest&) {
        if (++boxes == 2) QDir().mkpath(dir.file("sub"));  // the user fixes it before the second Retry
    };
    ASSERT_TRUE(writeFileWithRetry(path, "data", dialogs, kError));
    EXPECT_EQ(dir.read("sub/a.ini"), QByteArray("data"));
    ASSERT_EQ(dialogs.messages.size(), 2u);
    const MsgBoxRequest& m = dialogs.messages[0];
    EXPECT_EQ(m.text, kError + QStringLiteral("\r\n") + path);
    EXPECT_EQ(m.title, QStringLiteral("エラー"));
    EXPECT_EQ(m.icon, MsgIcon::Critical);
    EXPECT_EQ(m.buttons, MsgButtons::RetryCancel);
    EXPECT_EQ(m.defaultButton, 0);
}

TEST(SafeWrite, DirectoryInPlaceThenCancelReturnsFalseAndTouchesNothing) {
    ScratchFolder dir;
    QDir().mkpath(dir.file("a.ini"));
    FakeDialogs dialogs;
    dialogs.msgAnswers = {MsgResult::Retry, MsgResult::Cancel};
    EXPECT_FALSE(writeFileWithRetry(dir.file("a.ini"), "data", dialogs, kError));
    EXPECT_EQ(dialogs.messages.size(), 2u);
    EXPECT_TRUE(QFileInfo(dir.file("a.ini")).isDir());
    EXPECT_TRUE(leftovers(dir).isEmpty()) << leftovers(dir).join(u',').toStdString();
}

TEST(SafeWrite, DirectoryRemovedBeforeRetryGetsTheFile) {
    ScratchFolder dir;
    QDir().mkpath(dir.file("a.ini"));
    FakeDialogs dialogs;
    dialogs.msgAnswers = {MsgResult::Retry};
    dialogs.onMsgBox = [&](const MsgBoxRequest&) { QDir(dir.file("a.ini")).removeRecursively(); };
    ASSERT_TRUE(writeFileWithRetry(dir.file("a.ini"), "data", dialogs, kError));
    EXPECT_EQ(dir.read("a.ini"), QByteArray("data"));
    EXPECT_EQ(dialogs.messages.size(), 1u);
}

// A full disk, made with the file-size limit: the write of the new contents
// fails part way while the old file is in place.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        mOldHandler = std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &mOld);
        set(bytes);
    }
    ~FileSizeLimit() {
        lift();
        std::signal(SIGXFSZ, mOldHandler);
    }
    void lift() { setrlimit(RLIMIT_FSIZE, &mOld); }
    void set(rlim_t bytes) {
        rlimit r = mOld;
        r.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &r);
    }

private:
    rlimit mOld{};
    void (*mOldHandler)(int) = nullptr;
};

TEST(SafeWrite, FailedWriteThenCancelLeavesTheOldFileWhole) {
    ScratchFolder dir;
    dir.write("a.ini", "old contents");
    FakeDialogs dialogs;
    dialogs.msgAnswers = {MsgResult::Retry, MsgResult::Cancel};
    bool ok = true;
    {
        FileSizeLimit limit(4096);
        ok = writeFileWithRetry(dir.file("a.ini"), QByteArray(100000, 'x'), dialogs, kError);
    }
    EXPECT_FALSE(ok);
    EXPECT_EQ(dialogs.messages.size(), 2u);
    EXPECT_EQ(dir.read("a.ini"), QByteArray("old contents"));
    EXPECT_EQ(leftovers(dir), QStringList{"a.ini"});
}

TEST(SafeWrite, FailedWriteThenRetryAfterSpaceIsFreedWritesEverything) {
    ScratchFolder dir;
    dir.write("a.ini", "old contents");
    FakeDialogs dialogs;
    dialogs.msgAnswers = {MsgResult::Retry};
    FileSizeLimit limit(4096);
    dialogs.onMsgBox = [&](const MsgBoxRequest&) { limit.lift(); };
    const QByteArray big(100000, 'x');
    ASSERT_TRUE(writeFileWithRetry(dir.file("a.ini"), big, dialogs, kError));
    EXPECT_EQ(dir.read("a.ini"), big);
    EXPECT_EQ(dialogs.messages.size(), 1u);
}

// --- what a save may replace -------------------------------------------------

mode_t typeOf(const QString& path) {
    struct stat st {};
    return lstat(QFile::encodeName(path).constData(), &st) == 0 ? (st.st_mode & S_IFMT) : 0;
}

// Makes a node of the given kind at path; false where this process cannot.
bool makeNode(const QString& path, mode_t kind) {
    const QByteArray p = QFile::encodeName(path);
    switch (kind) {
        case S_IFIFO:
            return mkfifo(p.constData(), 0644) == 0;
        case S_IFCHR:
            return mknod(p.constData(), S_IFCHR | 0666, makedev(1, 3)) == 0;  // a null device
        case S_IFDIR:
            return QDir().mkpath(path);
        case S_IFSOCK: {
            const int fd = socket(AF_UNIX, SOCK_STREAM, 0);
            sockaddr_un addr{};
            addr.sun_family = AF_UNIX;
            if (fd < 0 || p.size() >= int(sizeof addr.sun_path)) return false;
            std::memcpy(addr.sun_path, p.constData(), size_t(p.size()));
            const bool bound = bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) == 0;
            close(fd);
            return bound;
        }
    }
    return false;
}

struct NodeRow {
    const char* name;
    mode_t kind;
    bool throughLink;  // the saved name is a symbolic link to the node
};

class NotARegularFile : public ::testing::TestWithParam<NodeRow> {};

TEST_P(NotARegularFile, IsRefusedWithTheErrorBoxAndStaysWhatItWas) {
    ScratchFolder dir;
    const NodeRow row = GetParam();
    const QString node = dir.file("node");
    if (!makeNode(node, row.kind)) GTEST_SKIP() << "this process cannot make a " << row.name;
    const QString path = row.throughLink ? dir.file("Lumbra.dat") : node;
    if (row.throughLink) {
        ASSERT_TRUE(QFile::link(node, path));
    }
    FakeDialogs dialogs;
    dialogs.msgAnswers = {MsgResult::Retry, MsgResult::Cancel};
    EXPECT_FALSE(writeFileWithRetry(path, "data", dialogs, kError));
    ASSERT_EQ(dialogs.messages.size(), 2u) << "Retry asks again while the cause is there";
    EXPECT_EQ(dialogs.messages[0].text, kError + QStringLiteral("\r\n") + path);
    EXPECT_EQ(typeOf(node), row.kind) << "the node was replaced";
    if (row.throughLink) {
        EXPECT_EQ(typeOf(path), mode_t(S_IFLNK)) << "the link was replaced";
    }
    const QStringList names = leftovers(dir);
    EXPECT_TRUE(names.filter(QStringLiteral(".")).filter(QRegularExpression("\\.[A-Za-z0-9]{6}$")).isEmpty())
        << names.join(u',').toStdString();
    // Reading it is refused too, without blocking.
    const FileRead read = readWholeFile(path, 100);
    EXPECT_EQ(read.status, FileRead::Failed);
    EXPECT_FALSE(read.reason.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Nodes, NotARegularFile,
                         ::testing::Values(NodeRow{"Fifo", S_IFIFO, false}, NodeRow{"FifoThroughLink", S_IFIFO, true},
                                           NodeRow{"Device", S_IFCHR, false},
                                           NodeRow{"DeviceThroughLink", S_IFCHR, true},
                                           NodeRow{"Socket", S_IFSOCK, false},
                                           NodeRow{"FolderThroughLink", S_IFDIR, true}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(SafeWrite, LinkIsFollowedAndKeptItsTargetReplacedWhole) {
    ScratchFolder dir;
    dir.write("real/Lumbra.ini", "old");
    ASSERT_TRUE(QFile::link(dir.file("real/Lumbra.ini"), dir.file("Lumbra.ini")));
    FakeDialogs dialogs;
    ASSERT_TRUE(writeFileWithRetry(dir.file("Lumbra.ini"), "new contents", dialogs, kError));
    EXPECT_EQ(typeOf(dir.file("Lumbra.ini")), mode_t(S_IFLNK));
    EXPECT_EQ(dir.read("real/Lumbra.ini"), QByteArray("new contents"));
    EXPECT_TRUE(dialogs.messages.empty());

    // A link to nothing yet: its target is created, the link stays.
    ASSERT_TRUE(QFile::link(dir.file("real/Lumbra.dat"), dir.file("Lumbra.dat")));
    EXPECT_EQ(readWholeFile(dir.file("Lumbra.dat"), 10).status, FileRead::Missing);
    ASSERT_TRUE(writeFileWithRetry(dir.file("Lumbra.dat"), "dat", dialogs, kError));
    EXPECT_EQ(typeOf(dir.file("Lumbra.dat")), mode_t(S_IFLNK));
    EXPECT_EQ(dir.read("real/Lumbra.dat"), QByteArray("dat"));
}

// --- faults at each step ------------------------------------------------------

TEST(SafeWrite, EachFailedStepLeavesTheOldFileAndRetryWritesTheNew) {
    for (FileStep step : {FileStep::Open, FileStep::Write, FileStep::Rename}) {
        ScratchFolder dir;
        dir.write("a.dat", "old");
        ScriptedFileFaults faults;
        faults.failNth(step, 1, 2);  // fails twice in a row
        FakeDialogs dialogs;
        EXPECT_FALSE(writeFileWithRetry(dir.file("a.dat"), "new", dialogs, kError, faults));  // Cancel
        EXPECT_EQ(dir.read("a.dat"), QByteArray("old"));
        EXPECT_EQ(leftovers(dir), QStringList{"a.dat"});
        dialogs.msgAnswers = {MsgResult::Retry};
        EXPECT_TRUE(writeFileWithRetry(dir.file("a.dat"), "new", dialogs, kError, faults));
        EXPECT_EQ(dir.read("a.dat"), QByteArray("new"));
        EXPECT_EQ(dialogs.messages.size(), 2u);
    }
}

TEST(SafeWrite, FailedFolderSyncIsReportedWithTheNewFileInPlace) {
    ScratchFolder dir;
    dir.write("a.dat", "old");
    ScriptedFileFaults faults;
    faults.failDirSync();
    FakeDialogs dialogs;
    EXPECT_FALSE(writeFileWithRetry(dir.file("a.dat"), "new", dialogs, kError, faults));
    EXPECT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dir.read("a.dat"), QByteArray("new"));
}

TEST(FileRead, MissingUnreadableAndNthReadFailure) {
    ScratchFolder dir;
    EXPECT_EQ(readWholeFile(dir.file("none"), 10).status, FileRead::Missing);
    dir.write("a", "0123456789");
    ScriptedFileFaults faults;
    faults.failNth(FileStep::Read, 2);
    EXPECT_EQ(readWholeFile(dir.file("a"), 4, faults).bytes, QByteArray("0123"));
    const FileRead failed = readWholeFile(dir.file("a"), 4, faults);
    EXPECT_EQ(failed.status, FileRead::Failed);
    EXPECT_EQ(failed.reason, faults.reason);
    EXPECT_TRUE(failed.bytes.isEmpty());
    EXPECT_EQ(readWholeFile(dir.file("a"), 100, faults).bytes, QByteArray("0123456789"));
}

// --- leftovers and backups ----------------------------------------------------

// Only what a save of the file itself left, with its mark, and only when the
// copy of the program that made it no longer runs; look-alikes stay.
TEST(SafeWrite, StartUpRemovesOnlyTheSavesOwnLeftovers) {
    ScratchFolder dir;
    const QString mark = QStringLiteral("Lumbra.dat.") + QLatin1String(kTemporaryMark);
    const QStringList own{mark + ".999999999.AbC123", mark + QStringLiteral(".%1.zzzzzz").arg(getpid())};
    const QStringList others{"Lumbra.dat",
                             "Lumbra.dat.bak",
                             "Lumbra.dat.bak.2",
                             "Lumbra.dat.AbC123",
                             "Lumbra.dat.backup",
                             "Lumbra.dat.zzzzzz",
                             "Lumbra.ini.before",
                             "Lumbra.ini.ABCDEF",
                             "Other.dat." + QLatin1String(kTemporaryMark) + ".999999999.ABCDEF",
                             mark + ".999999999.AbC1234",
                             mark + ".x.AbC123",
                             mark + ".1.AbC123" /* still running */};
    for (const QString& n : own + others) dir.write(n, "x");
    QDir().mkpath(dir.file("Lumbra.dat.folder"));
    EXPECT_EQ(removeLeftoverTemporaries(dir.file("Lumbra.dat")), 2);
    QStringList expected = others;
    expected.sort();
    EXPECT_EQ(leftovers(dir), expected);
}

TEST(Backup, KeepsACopyAndNeverOverwritesAnother) {
    ScratchFolder dir;
    dir.write("r.dat", "document one");
    const Backup first = keepBackup(dir.file("r.dat"));
    EXPECT_EQ(first.status, Backup::Made);
    EXPECT_EQ(first.path, dir.file("r.dat.bak"));
    EXPECT_EQ(keepBackup(dir.file("r.dat")).status, Backup::AlreadyKept);
    dir.write("r.dat", "document two");  // same size, other contents
    const Backup second = keepBackup(dir.file("r.dat"));
    EXPECT_EQ(second.status, Backup::Made);
    EXPECT_EQ(second.path, dir.file("r.dat.bak.2"));
    EXPECT_EQ(dir.read("r.dat.bak"), QByteArray("document one"));
    EXPECT_EQ(keepBackup(dir.file("r.dat")).path, dir.file("r.dat.bak.2"));
    ScriptedFileFaults faults;
    faults.failNextOpen();
    dir.write("r.dat", "three");
    EXPECT_EQ(keepBackup(dir.file("r.dat"), faults).status, Backup::Failed);
    EXPECT_FALSE(dir.exists("r.dat.bak.3"));
}

}  // namespace
