#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <csignal>
#include <sys/resource.h>

#include "Fakes.h"
#include "SafeWrite.h"
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
    ~FileSizeLimit() { lift(); std::signal(SIGXFSZ, mOldHandler); }
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

}  // namespace
