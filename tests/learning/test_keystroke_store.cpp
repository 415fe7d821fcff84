// The keystroke store: keystrokes survive a restart, every older schema is
// migrated to the current one with the same figures as a store written new,
// a duplicate is stored once, and files it cannot use are left alone.
#include <gtest/gtest.h>

#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>

#include "LearningRig.h"

using learning::Keystroke;

namespace {

// A run of text practice: characters, a miss, a first key without a gap.
std::vector<Keystroke> sampleRun() {
    std::vector<Keystroke> run{stroke(1000, 65, 65, -1), stroke(1180, 83, 68, 180, 65), stroke(1400, 83, 83, 220, 68),
                               stroke(1650, 68, 68, 250, 83)};
    run[1].mode = run[2].mode = learning::kTextPracticeMode;
    run[1].expectedChar = QChar(u's');
    run[1].pressedChar = QChar(u'd');
    return run;
}

int scalar(const QString& path, const QString& sql) {
    int v = -1;
    {
        QSqlDatabase d = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("peek"));
        d.setDatabaseName(path);
        d.open();
        QSqlQuery q(d);
        if (q.exec(sql) && q.next()) v = q.value(0).toInt();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("peek"));
    return v;
}

}  // namespace

TEST(KeystrokeStore, KeystrokesSurviveARestartInWalMode) {
    ScratchFolder dir;
    {
        KeystrokeStore s(dir.file("Lumbra.db"));
        ASSERT_TRUE(s.open()) << s.error().toStdString();
        EXPECT_EQ(s.append(sampleRun()), 4);
    }
    KeystrokeStore again(dir.file("Lumbra.db"));
    ASSERT_TRUE(again.open());
    EXPECT_EQ(again.schemaVersion(), KeystrokeStore::kSchemaVersion);
    EXPECT_EQ(allKeystrokes(again), sampleRun());
    again.close();
    EXPECT_EQ(scalar(dir.file("Lumbra.db"), QStringLiteral("SELECT count(*) FROM keystrokes")), 4);
}

TEST(KeystrokeStore, AKeystrokeStoredTwiceCountsOnce) {
    ScratchFolder dir;
    KeystrokeStore s(dir.file("Lumbra.db"));
    ASSERT_TRUE(s.open());
    ASSERT_EQ(s.append(sampleRun()), 4);
    EXPECT_EQ(s.append(sampleRun()), 0);
    // Another copy of the program typing the same keys in the same milliseconds.
    std::vector<Keystroke> other = sampleRun();
    for (Keystroke& k : other) k.origin = 77;
    EXPECT_EQ(s.append(other), 4);
    const auto f = s.figures(0);
    ASSERT_TRUE(f);
    EXPECT_EQ(f->keystrokes, 8);
    ASSERT_EQ(f->confusions.size(), 1u);
    EXPECT_EQ(f->confusions[0].count, 2);
    EXPECT_EQ(f->confusions[0].expected, 83);
    EXPECT_EQ(f->confusions[0].pressed, 68);
}

// Every version a file can have been left at, migrated by open().
class Migration : public ::testing::TestWithParam<int> {};

TEST_P(Migration, OlderFileEndsWithTheFiguresOfANewOne) {
    const int from = GetParam();
    ScratchFolder dir;
    qint64 t = 5000;
    std::vector<Keystroke> keys = drill(65, 30, 6, 200, t, 83);
    const auto more = drill(74, 30, 0, 300, t);
    keys.insert(keys.end(), more.begin(), more.end());
    // The newest program writes them directly...
    KeystrokeStore fresh(dir.file("new.db"));
    ASSERT_TRUE(fresh.open());
    ASSERT_TRUE(fresh.append(keys));
    // ... an older file held them in its own schema.
    KeystrokeStore old(dir.file("old.db"));
    ASSERT_TRUE(old.open(std::min(from, 2)));
    if (from >= 1) {
        for (const Keystroke& k : keys)
            ASSERT_TRUE(
                old.exec(QStringLiteral("INSERT INTO keystrokes(time_ms, mode, expected_vk, pressed_vk, correct, "
                                        "gap_ms, layout%8) VALUES(%1, %2, %3, %4, %5, %6, %7%9)")
                             .arg(k.timeMs)
                             .arg(k.mode)
                             .arg(k.expectedVk)
                             .arg(k.pressedVk)
                             .arg(k.correct)
                             .arg(k.gapMs >= 0 ? QString::number(k.gapMs) : QStringLiteral("NULL"))
                             .arg(k.layout)
                             .arg(from >= 2 ? QStringLiteral(", prev_vk") : QString())
                             .arg(from >= 2 ? QStringLiteral(", %1").arg(k.prevVk) : QString())));
    }
    if (from >= 3) {  // its keys were typed when it was at version 2
        old.close();
        ASSERT_TRUE(old.open(from));
    }
    ASSERT_EQ(old.schemaVersion(), from);
    old.close();
    ASSERT_TRUE(old.open()) << old.error().toStdString();
    EXPECT_EQ(old.schemaVersion(), KeystrokeStore::kSchemaVersion);
    if (from == 0) {
        ASSERT_TRUE(old.append(keys));
    }
    EXPECT_EQ(allKeystrokes(old), allKeystrokes(fresh));  // prev_vk rebuilt from the row before
    const auto a = old.figures(0), b = fresh.figures(0);
    ASSERT_TRUE(a && b);
    ASSERT_EQ(a->keys.size(), 2u);
    for (size_t i = 0; i < 2; ++i) {
        EXPECT_EQ(a->keys[i].vk, b->keys[i].vk);
        EXPECT_EQ(a->keys[i].total.attempts, b->keys[i].total.attempts);
        EXPECT_EQ(a->keys[i].total.timedMs, b->keys[i].total.timedMs);
    }
    EXPECT_EQ(a->transitions.size(), b->transitions.size());
    EXPECT_EQ(a->keystrokes, static_cast<qint64>(keys.size()));
}
INSTANTIATE_TEST_SUITE_P(FromEveryVersion, Migration, ::testing::Range(0, KeystrokeStore::kSchemaVersion));

TEST(KeystrokeStore, LeavesAloneWhatItCannotUse) {
    ScratchFolder dir;
    const QByteArray garbage(4096, 'x');
    dir.write("damaged.db", garbage);
    KeystrokeStore damaged(dir.file("damaged.db"));
    EXPECT_FALSE(damaged.open());
    EXPECT_FALSE(damaged.append(sampleRun()));
    EXPECT_EQ(dir.read("damaged.db"), garbage);

    {
        KeystrokeStore newer(dir.file("newer.db"));
        ASSERT_TRUE(newer.open());
        ASSERT_TRUE(newer.exec(QStringLiteral("PRAGMA user_version=99")));
    }
    KeystrokeStore newer(dir.file("newer.db"));
    EXPECT_FALSE(newer.open());
    EXPECT_EQ(scalar(dir.file("newer.db"), QStringLiteral("PRAGMA user_version")), 99);
}
