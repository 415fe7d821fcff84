#include "KeystrokeStore.h"

#include <QDateTime>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>
#include <map>
#include <tuple>

using learning::Keystroke;

namespace {

QVariant charValue(QChar c) { return c.isNull() ? QVariant() : QVariant(QString(c)); }
QChar charOf(const QVariant& v) {
    const QString s = v.toString();
    return s.isEmpty() ? QChar() : s[0];
}

QString localDay(qint64 ms) { return QDateTime::fromMSecsSinceEpoch(ms).date().toString(Qt::ISODate); }

const QStringList& version1() {
    static const QStringList s{
        QStringLiteral("CREATE TABLE keystrokes("
                       "id INTEGER PRIMARY KEY, time_ms INTEGER NOT NULL, mode INTEGER NOT NULL, "
                       "expected_vk INTEGER NOT NULL DEFAULT 0, expected_char TEXT, "
                       "pressed_vk INTEGER NOT NULL, pressed_char TEXT, correct INTEGER NOT NULL, "
                       "gap_ms INTEGER, layout INTEGER NOT NULL)"),
    };
    return s;
}

const QStringList& version2() {
    static const QStringList s{
        QStringLiteral("ALTER TABLE keystrokes ADD COLUMN prev_vk INTEGER NOT NULL DEFAULT 0"),
        QStringLiteral("UPDATE keystrokes SET prev_vk = coalesce((SELECT p.pressed_vk FROM keystrokes p "
                       "WHERE p.id = keystrokes.id - 1), 0) WHERE gap_ms IS NOT NULL"),
        // Keystrokes stored twice (an import of the same export) collapse to one.
        QStringLiteral("DELETE FROM keystrokes WHERE id NOT IN (SELECT min(id) FROM keystrokes "
                       "GROUP BY time_ms, mode, layout, expected_vk, pressed_vk)"),
        QStringLiteral("CREATE UNIQUE INDEX keystrokes_once ON keystrokes(time_ms, mode, layout, expected_vk, pressed_vk)"),
        QStringLiteral("CREATE INDEX keystrokes_recent ON keystrokes(layout, expected_vk)"),
        QStringLiteral("CREATE TABLE key_stats(layout INTEGER, vk INTEGER, attempts INTEGER, misses INTEGER, "
                       "timed_n INTEGER, timed_ms INTEGER, PRIMARY KEY(layout, vk))"),
        QStringLiteral("CREATE TABLE confusions(layout INTEGER, expected_vk INTEGER, pressed_vk INTEGER, "
                       "n INTEGER, PRIMARY KEY(layout, expected_vk, pressed_vk))"),
        QStringLiteral("CREATE TABLE transitions(layout INTEGER, from_vk INTEGER, to_vk INTEGER, n INTEGER, "
                       "total_ms INTEGER, PRIMARY KEY(layout, from_vk, to_vk))"),
        QStringLiteral("CREATE TABLE days(day TEXT PRIMARY KEY, attempts INTEGER, misses INTEGER, "
                       "timed_n INTEGER, timed_ms INTEGER)"),
    };
    return s;
}

// Running totals of a batch, added to the tables in one statement per row.
struct Totals {
    std::map<std::pair<int, int>, learning::Counts> keys;
    std::map<std::tuple<int, int, int>, qint64> confusions;
    std::map<std::tuple<int, int, int>, learning::Counts> transitions;
    std::map<QString, learning::Counts> days;

    void add(const Keystroke& k) {
        days[localDay(k.timeMs)].add(k.correct, k.gapMs);
        if (k.expectedVk == 0) return;
        keys[{k.layout, k.expectedVk}].add(k.correct, k.gapMs);
        if (!k.correct && k.pressedVk != k.expectedVk) ++confusions[{k.layout, k.expectedVk, k.pressedVk}];
        if (k.prevVk != 0 && learning::isTimed(k.correct, k.gapMs))
            transitions[{k.layout, k.prevVk, k.expectedVk}].add(true, k.gapMs);
    }
};

}  // namespace

KeystrokeStore::KeystrokeStore(const QString& path)
    : mPath(path), mConnection(QStringLiteral("keystrokes-%1").arg(reinterpret_cast<quintptr>(this))) {}

KeystrokeStore::~KeystrokeStore() { close(); }

QSqlDatabase KeystrokeStore::db() const { return QSqlDatabase::database(mConnection, false); }

bool KeystrokeStore::fail(const QString& what) {
    mError = what;
    return false;
}

bool KeystrokeStore::exec(const QString& sql) {
    QSqlQuery q(db());
    if (q.exec(sql)) return true;
    return fail(q.lastError().text());
}

bool KeystrokeStore::runAll(const QStringList& statements) {
    for (const QString& s : statements)
        if (!exec(s)) return false;
    return true;
}

void KeystrokeStore::close() {
    if (!QSqlDatabase::contains(mConnection)) return;
    {
        QSqlDatabase d = db();
        d.close();
    }
    QSqlDatabase::removeDatabase(mConnection);
    mOpen = false;
}

int KeystrokeStore::schemaVersion() {
    QSqlQuery q(db());
    if (!q.exec(QStringLiteral("PRAGMA user_version")) || !q.next()) return -1;
    return q.value(0).toInt();
}

bool KeystrokeStore::open(int version) {
    close();
    mError.clear();
    bool opened = false;
    {
        QSqlDatabase d = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), mConnection);
        d.setDatabaseName(mPath);
        d.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=250"));
        opened = d.open();
        if (!opened) fail(d.lastError().text());
    }
    const bool ok = opened && [&] {
        const int current = schemaVersion();
        if (current < 0) return fail(QStringLiteral("not a keystroke database"));
        if (current > kSchemaVersion) return fail(QStringLiteral("written by a newer version"));
        if (!exec(QStringLiteral("PRAGMA journal_mode=WAL")) || !exec(QStringLiteral("PRAGMA synchronous=NORMAL")))
            return false;
        for (int v = current; v < version; ++v)
            if (!migrateStep(v)) return false;
        return true;
    }();
    if (!ok) {
        close();
        return false;
    }
    mOpen = true;
    return true;
}

bool KeystrokeStore::migrateStep(int from) {
    QSqlDatabase d = db();
    if (!d.transaction()) return fail(d.lastError().text());
    bool ok = (from == 0 ? runAll(version1()) : runAll(version2())) &&
              exec(QStringLiteral("PRAGMA user_version=%1").arg(from + 1));
    if (ok && from == 1) {
        std::vector<Keystroke> all;
        mOpen = true;  // forEach reads through the open connection
        ok = forEach([&](const Keystroke& k) {
            all.push_back(k);
            return true;
        });
        mOpen = false;
        ok = ok && addTotals(all);
    }
    if (ok && d.commit()) return true;
    if (ok) fail(d.lastError().text());
    d.rollback();
    return false;
}

bool KeystrokeStore::addTotals(const std::vector<Keystroke>& stored) {
    Totals t;
    for (const Keystroke& k : stored) t.add(k);
    QSqlDatabase d = db();
    QSqlQuery q(d);
    const auto run = [&](const QVariantList& values) {
        for (int i = 0; i < values.size(); ++i) q.bindValue(i, values[i]);
        return q.exec() || fail(q.lastError().text());
    };
    q.prepare(QStringLiteral("INSERT INTO key_stats VALUES(?,?,?,?,?,?) ON CONFLICT DO UPDATE SET "
                             "attempts=attempts+excluded.attempts, misses=misses+excluded.misses, "
                             "timed_n=timed_n+excluded.timed_n, timed_ms=timed_ms+excluded.timed_ms"));
    for (const auto& [k, c] : t.keys)
        if (!run({k.first, k.second, c.attempts, c.misses, c.timedN, c.timedMs})) return false;
    q.prepare(QStringLiteral("INSERT INTO confusions VALUES(?,?,?,?) ON CONFLICT DO UPDATE SET n=n+excluded.n"));
    for (const auto& [k, n] : t.confusions)
        if (!run({std::get<0>(k), std::get<1>(k), std::get<2>(k), n})) return false;
    q.prepare(QStringLiteral("INSERT INTO transitions VALUES(?,?,?,?,?) ON CONFLICT DO UPDATE SET "
                             "n=n+excluded.n, total_ms=total_ms+excluded.total_ms"));
    for (const auto& [k, c] : t.transitions)
        if (!run({std::get<0>(k), std::get<1>(k), std::get<2>(k), c.timedN, c.timedMs})) return false;
    q.prepare(QStringLiteral("INSERT INTO days VALUES(?,?,?,?,?) ON CONFLICT DO UPDATE SET "
                             "attempts=attempts+excluded.attempts, misses=misses+excluded.misses, "
                             "timed_n=timed_n+excluded.timed_n, timed_ms=timed_ms+excluded.timed_ms"));
    for (const auto& [day, c] : t.days)
        if (!run({day, c.attempts, c.misses, c.timedN, c.timedMs})) return false;
    return true;
}

std::optional<int> KeystrokeStore::append(const std::vector<Keystroke>& keys) {
    if (!mOpen) {
        fail(QStringLiteral("not open"));
        return std::nullopt;
    }
    QSqlDatabase d = db();
    if (!d.transaction()) {
        fail(d.lastError().text());
        return std::nullopt;
    }
    std::vector<Keystroke> stored;
    stored.reserve(keys.size());
    QSqlQuery q(d);
    bool ok = q.prepare(QStringLiteral(
        "INSERT OR IGNORE INTO keystrokes(time_ms, mode, expected_vk, expected_char, pressed_vk, pressed_char, "
        "correct, gap_ms, layout, prev_vk) VALUES(?,?,?,?,?,?,?,?,?,?)"));
    for (size_t i = 0; ok && i < keys.size(); ++i) {
        const Keystroke& k = keys[i];
        q.bindValue(0, k.timeMs);
        q.bindValue(1, k.mode);
        q.bindValue(2, k.expectedVk);
        q.bindValue(3, charValue(k.expectedChar));
        q.bindValue(4, k.pressedVk);
        q.bindValue(5, charValue(k.pressedChar));
        q.bindValue(6, k.correct ? 1 : 0);
        q.bindValue(7, k.gapMs >= 0 ? QVariant(k.gapMs) : QVariant());
        q.bindValue(8, k.layout);
        q.bindValue(9, k.prevVk);
        ok = q.exec();
        if (ok && q.numRowsAffected() == 1) stored.push_back(k);
    }
    if (!ok) fail(q.lastError().text());
    ok = ok && addTotals(stored) && (d.commit() || fail(d.lastError().text()));
    if (!ok) {
        d.rollback();
        return std::nullopt;
    }
    return static_cast<int>(stored.size());
}

bool KeystrokeStore::forEach(const std::function<bool(const Keystroke&)>& each) {
    if (!mOpen) return fail(QStringLiteral("not open"));
    QSqlQuery q(db());
    q.setForwardOnly(true);
    const bool hasPrev = schemaVersion() >= 2;
    const QString sql = QStringLiteral("SELECT time_ms, mode, expected_vk, expected_char, pressed_vk, pressed_char, "
                                       "correct, gap_ms, layout%1 FROM keystrokes ORDER BY id")
                            .arg(hasPrev ? QStringLiteral(", prev_vk") : QString());
    if (!q.exec(sql)) return fail(q.lastError().text());
    while (q.next()) {
        Keystroke k;
        k.timeMs = q.value(0).toLongLong();
        k.mode = static_cast<int16_t>(q.value(1).toInt());
        k.expectedVk = static_cast<int16_t>(q.value(2).toInt());
        k.expectedChar = charOf(q.value(3));
        k.pressedVk = static_cast<int16_t>(q.value(4).toInt());
        k.pressedChar = charOf(q.value(5));
        k.correct = q.value(6).toInt() != 0;
        k.gapMs = q.value(7).isNull() ? -1 : q.value(7).toInt();
        k.layout = static_cast<int16_t>(q.value(8).toInt());
        k.prevVk = hasPrev ? static_cast<int16_t>(q.value(9).toInt()) : 0;
        if (!each(k)) break;
    }
    return true;
}

std::optional<learning::Figures> KeystrokeStore::figures(int16_t layout) {
    using namespace learning;
    if (!mOpen) {
        fail(QStringLiteral("not open"));
        return std::nullopt;
    }
    Figures f;
    f.layout = layout;
    QSqlQuery q(db());
    q.setForwardOnly(true);
    const auto select = [&](const QString& sql) {
        q.prepare(sql);
        q.bindValue(0, layout);
        return q.exec() || fail(q.lastError().text());
    };
    if (!select(QStringLiteral("SELECT vk, attempts, misses, timed_n, timed_ms FROM key_stats WHERE layout=?")))
        return std::nullopt;
    while (q.next()) {
        KeyFigures k;
        k.vk = static_cast<int16_t>(q.value(0).toInt());
        k.total = {q.value(1).toLongLong(), q.value(2).toLongLong(), q.value(3).toLongLong(), q.value(4).toLongLong()};
        f.keys.push_back(k);
    }
    QSqlQuery recent(db());
    recent.setForwardOnly(true);
    recent.prepare(QStringLiteral("SELECT correct, gap_ms FROM keystrokes WHERE layout=? AND expected_vk=? "
                                  "ORDER BY id DESC LIMIT %1").arg(kRecentWindow));
    for (KeyFigures& k : f.keys) {
        recent.bindValue(0, layout);
        recent.bindValue(1, k.vk);
        if (!recent.exec()) return fail(recent.lastError().text()), std::nullopt;
        while (recent.next())
            k.recent.add(recent.value(0).toInt() != 0, recent.value(1).isNull() ? -1 : recent.value(1).toInt());
    }
    finish(f.keys);

    if (!select(QStringLiteral("SELECT expected_vk, pressed_vk, n FROM confusions WHERE layout=? "
                               "ORDER BY n DESC, expected_vk, pressed_vk LIMIT %1").arg(kTopCount)))
        return std::nullopt;
    while (q.next())
        f.confusions.push_back({static_cast<int16_t>(q.value(0).toInt()), static_cast<int16_t>(q.value(1).toInt()),
                                q.value(2).toLongLong()});
    if (!select(QStringLiteral("SELECT from_vk, to_vk, n, CAST(total_ms AS REAL) / n AS mean FROM transitions "
                               "WHERE layout=? AND n >= %1 ORDER BY mean DESC, from_vk, to_vk LIMIT %2")
                    .arg(kMinTransitionSamples)
                    .arg(kTopCount)))
        return std::nullopt;
    while (q.next())
        f.transitions.push_back({static_cast<int16_t>(q.value(0).toInt()), static_cast<int16_t>(q.value(1).toInt()),
                                 q.value(2).toLongLong(), q.value(3).toDouble()});
    if (!q.exec(QStringLiteral("SELECT day, attempts, misses, timed_n, timed_ms FROM days ORDER BY day")))
        return fail(q.lastError().text()), std::nullopt;
    while (q.next()) {
        DayFigures day;
        day.day = QDate::fromString(q.value(0).toString(), Qt::ISODate);
        day.counts = {q.value(1).toLongLong(), q.value(2).toLongLong(), q.value(3).toLongLong(), q.value(4).toLongLong()};
        f.keystrokes += day.counts.attempts;
        f.days.push_back(day);
    }
    return f;
}
