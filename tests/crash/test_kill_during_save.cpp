// A save killed at any moment leaves the file whole: a child process saves a
// file in a loop, each time with the next numbered contents, and reports each
// finished save through a pipe; the test kills it with SIGKILL at a random
// moment and then finds the file holding exactly the last reported contents
// or the one being written, never anything in between.
//
// LUMBRA_CRASH_KILLS sets the number of kills per file (default 40).
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QDir>
#include <QFileInfo>
#include <random>

#include "Fakes.h"
#include "SafeWrite.h"
#include "SavedFiles.h"
#include "TestFiles.h"

namespace {

int killCount() {
    bool ok = false;
    const int n = qEnvironmentVariableIntValue("LUMBRA_CRASH_KILLS", &ok);
    return ok && n > 0 ? n : 40;
}

// Saves contents first, first + 1, ... until killed; one byte on `ack` after
// each finished save. Exits with status 3 if a save fails.
[[noreturn]] void saveForever(const SavedFile& file, int first, int ack) {
    FakeDialogs dialogs;
    for (int i = first;; ++i) {
        if (!file.save(i, dialogs)) _exit(3);
        dialogs.messages.clear();  // the CSV export confirms every save
        const char one = 1;
        if (write(ack, &one, 1) != 1) _exit(4);
    }
}

struct Round {
    int acked = 0;        // saves the child reported finished
    bool killed = false;  // the child died of the SIGKILL, not on its own
};

// Starts a saver from content `first`, waits for `wait` finished saves, lets
// it run for `delayUs` more and kills it.
Round killDuringSaves(const SavedFile& file, int first, int wait, int delayUs) {
    int fds[2];
    if (pipe(fds) != 0) return {};
    const pid_t pid = fork();
    if (pid == 0) {
        close(fds[0]);
        saveForever(file, first, fds[1]);
    }
    close(fds[1]);
    Round r;
    char b;
    while (r.acked < wait && read(fds[0], &b, 1) == 1) ++r.acked;
    usleep(static_cast<useconds_t>(delayUs));
    kill(pid, SIGKILL);
    int status = 0;
    waitpid(pid, &status, 0);
    r.killed = WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL;
    while (read(fds[0], &b, 1) == 1) ++r.acked;  // saves finished before the kill
    close(fds[0]);
    return r;
}

using Factory = std::unique_ptr<SavedFile> (*)(const QString&);

class KillDuringSave : public ::testing::TestWithParam<std::pair<const char*, Factory>> {};

TEST_P(KillDuringSave, LeavesTheLastOrTheNextContentsWhole) {
    ScratchFolder folder;
    const auto file = GetParam().second(folder.path());
    FakeDialogs dialogs;
    ASSERT_TRUE(file->save(0, dialogs));
    std::mt19937 rng(20240229u + static_cast<unsigned>(qHash(QByteArray(file->name()))));
    int current = 0;  // the contents on disk
    for (int k = 0; k < killCount(); ++k) {
        const int wait = k == 0 ? 1 : static_cast<int>(rng() % 3);  // the first round surely saves once
        const int delayUs = static_cast<int>(rng() % 4000);
        const Round r = killDuringSaves(*file, current + 1, wait, delayUs);
        ASSERT_TRUE(r.killed) << file->name() << ": the saver stopped on its own (a save failed)";
        const int last = current + r.acked;  // finished for certain
        if (file->loadsAs(last)) {
            current = last;
        } else {
            ASSERT_TRUE(file->loadsAs(last + 1))
                << file->name() << ": after kill " << k << " the file is neither contents " << last << " nor "
                << last + 1 << " (" << QFileInfo(file->path()).size() << " bytes)";
            current = last + 1;
        }
    }
    // The kills did land among saves, not only before the first one.
    EXPECT_GT(current, 0);
    EXPECT_TRUE(file->loadsAs(current));
    // A killed save leaves its temporary file behind; the next start removes
    // exactly those, and the file itself stays.
    const qsizetype stray = QDir(folder.path()).entryList(QDir::Files).size() - 1;
    RecordProperty("stray_temporary_files", static_cast<int>(stray));
    EXPECT_EQ(removeLeftoverTemporaries(file->path()), stray);
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files), QStringList{QFileInfo(file->path()).fileName()});
    EXPECT_TRUE(file->loadsAs(current));
}

INSTANTIATE_TEST_SUITE_P(Files, KillDuringSave,
                         ::testing::Values(std::make_pair("Settings", &settingsFile),
                                           std::make_pair("Results", &resultsFile), std::make_pair("Csv", &csvFile)),
                         [](const auto& info) { return std::string(info.param.first); });

}  // namespace
