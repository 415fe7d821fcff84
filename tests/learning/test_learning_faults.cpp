// The recorder: keys stay in memory inside the key handlers and reach the
// store after a run, after a pause or when asked; a store that cannot be
// used never stops practice, is reported once and never touches the
// settings or results files; a process killed while writing loses only the
// batch it was writing.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>

#include "LearningRig.h"

using learning::Keystroke;

namespace {

std::vector<Keystroke> stored(const QString& path) {
    KeystrokeStore s(path);
    return s.open() ? allKeystrokes(s) : std::vector<Keystroke>{};
}

}  // namespace

TEST(Recorder, KeysWaitInMemoryUntilTheRunHasEnded) {
    LearningRig rig;
    rig.key(65, 65, 0, true);
    rig.key(83, 68, 150);
    rig.key(83, 83, 90);
    EXPECT_FALSE(QFile::exists(rig.dbPath()));  // no disk work in a key handler
    EXPECT_EQ(rig.learning.buffered(), 3u);
    rig.learning.runEnded();
    EXPECT_FALSE(QFile::exists(rig.dbPath()));  // written from the event loop, not the handler
    QCoreApplication::processEvents();
    EXPECT_EQ(rig.learning.buffered(), 0u);
    const auto keys = stored(rig.dbPath());
    ASSERT_EQ(keys.size(), 3u);
    EXPECT_EQ(keys[0].gapMs, -1);
    EXPECT_EQ(keys[0].prevVk, 0);
    EXPECT_EQ(keys[1].gapMs, 150);
    EXPECT_EQ(keys[1].prevVk, 65);
    EXPECT_FALSE(keys[1].correct);
    EXPECT_EQ(keys[2].gapMs, 90);
    EXPECT_EQ(keys[2].prevVk, 68);
    EXPECT_EQ(keys[2].timeMs - keys[0].timeMs, 240);
}

TEST(Recorder, APauseInTypingWritesTheKeysAndANewRunHasNoGap) {
    LearningRig rig;
    rig.key(65, 65, 0, true);
    rig.key(83, 83, 100);
    rig.clock.advance(Learning::kIdleMs - 1);
    rig.learning.idleCheck();
    EXPECT_EQ(rig.learning.buffered(), 2u);
    rig.clock.advance(1);
    rig.learning.idleCheck();
    EXPECT_EQ(rig.learning.buffered(), 0u);
    rig.learning.runEnded();
    rig.key(68, 68, 500);  // first key after the run ended
    ASSERT_TRUE(rig.learning.flush());
    const auto keys = stored(rig.dbPath());
    ASSERT_EQ(keys.size(), 3u);
    EXPECT_EQ(keys[2].gapMs, -1);
}

// What a broken store must never change.
struct Untouched {
    QByteArray ini = "[Lumbra]\r\n\r\nLevel=13\r\n";
    QByteArray dat = QByteArray(3562, '\x07');
    void put(ScratchFolder& f) {
        f.write("Lumbra.ini", ini);
        f.write("Lumbra.dat", dat);
    }
    void check(ScratchFolder& f) {
        EXPECT_EQ(f.read("Lumbra.ini"), ini);
        EXPECT_EQ(f.read("Lumbra.dat"), dat);
    }
};

TEST(Recorder, ADamagedStoreIsReportedOnceAndPracticeGoesOn) {
    LearningRig rig;
    Untouched files;
    files.put(rig.folder);
    const QByteArray garbage(8192, 'z');
    rig.folder.write("Lumbra.db", garbage);
    for (int run = 0; run < 3; ++run) {
        rig.key(65, 65, 100, true);
        rig.key(83, 83, 100);
        EXPECT_FALSE(rig.learning.flush());
    }
    EXPECT_EQ(rig.learning.weakness(65, 0), std::nullopt);
    ASSERT_EQ(rig.dialogs.messages.size(), 1u);
    EXPECT_EQ(rig.dialogs.messages[0].title, QStringLiteral("エラー"));
    EXPECT_TRUE(rig.dialogs.messages[0].text.endsWith(rig.dbPath()));
    EXPECT_EQ(rig.learning.buffered(), 6u);  // kept for a later try
    EXPECT_EQ(rig.folder.read("Lumbra.db"), garbage);
    files.check(rig.folder);
    // Once the file is readable again, the kept keys are written.
    QFile::remove(rig.dbPath());
    EXPECT_TRUE(rig.learning.flush());
    EXPECT_EQ(stored(rig.dbPath()).size(), 6u);
    EXPECT_EQ(rig.dialogs.messages.size(), 1u);
}

TEST(Recorder, AStoreLockedByAnotherProgramIsWrittenOnceItIsFree) {
    LearningRig rig;
    Untouched files;
    files.put(rig.folder);
    rig.key(65, 65, 0, true);
    ASSERT_TRUE(rig.learning.flush());
    {
        QSqlDatabase other = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("other"));
        other.setDatabaseName(rig.dbPath());
        ASSERT_TRUE(other.open());
        QSqlQuery lock(other);
        ASSERT_TRUE(lock.exec(QStringLiteral("BEGIN EXCLUSIVE")));
        rig.key(83, 83, 100);
        EXPECT_FALSE(rig.learning.flush());
        rig.key(68, 68, 100);
        EXPECT_FALSE(rig.learning.flush());
        EXPECT_EQ(rig.dialogs.messages.size(), 1u);
        ASSERT_TRUE(lock.exec(QStringLiteral("ROLLBACK")));
    }
    QSqlDatabase::removeDatabase(QStringLiteral("other"));
    EXPECT_TRUE(rig.learning.flush());
    EXPECT_EQ(stored(rig.dbPath()).size(), 3u);
    files.check(rig.folder);
}

// A writer killed at random moments: the store opens, passes its integrity
// check and holds whole batches only, at least all the acknowledged ones.
TEST(Recorder, AKilledWriterLosesOnlyTheBatchItWasWriting) {
    ScratchFolder dir;
    const QString path = dir.file("Lumbra.db");
    constexpr int kBatch = 100;
    int acknowledged = 0;
    for (int round = 0; round < 8; ++round) {
        int fds[2];
        ASSERT_EQ(pipe(fds), 0);
        const pid_t pid = fork();
        if (pid == 0) {
            close(fds[0]);
            KeystrokeStore s(path);
            if (!s.open()) _exit(3);
            qint64 t = (round + 1) * 10'000'000LL;
            for (;;) {
                std::vector<Keystroke> batch;
                for (int i = 0; i < kBatch; ++i) batch.push_back(stroke(++t, 65, i % 7 ? 65 : 83, 120, 65));
                if (!s.append(batch)) _exit(4);
                const char one = 1;
                if (write(fds[1], &one, 1) != 1) _exit(5);
            }
        }
        close(fds[1]);
        char b;
        int acked = 0;
        while (acked < 2 + round && read(fds[0], &b, 1) == 1) ++acked;
        usleep(static_cast<useconds_t>(300 * round));
        kill(pid, SIGKILL);
        while (read(fds[0], &b, 1) == 1) ++acked;
        close(fds[0]);
        int status = 0;
        waitpid(pid, &status, 0);
        ASSERT_TRUE(WIFSIGNALED(status)) << "writer ended on its own: " << WEXITSTATUS(status);
        acknowledged += acked;

        KeystrokeStore s(path);
        ASSERT_TRUE(s.open()) << s.error().toStdString();
        ASSERT_TRUE(s.exec(QStringLiteral("PRAGMA integrity_check")));
        const auto f = s.figures(0);
        ASSERT_TRUE(f);
        EXPECT_EQ(f->keystrokes % kBatch, 0);
        EXPECT_GE(f->keystrokes, acknowledged * kBatch);
        ASSERT_EQ(f->keys.size(), 1u);
        EXPECT_EQ(f->keys[0].total.attempts, f->keystrokes);  // the totals match the rows
    }
}
