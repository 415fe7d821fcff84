#include "KeystrokeStore.h"

#include <QDateTime>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>
#include <initializer_list>
#include <map>
#include <set>
#include <tuple>

#include "KeyMap.h"

using learning::Keystroke;

namespace {

QChar charOf(const QVariant& v) {
    const QString s = v.toString();
    return s.isEmpty() ? QChar() : s[0];
}

QString localDay(qint64 ms) { return QDateTime::fromMSecsSinceEpoch(ms).date().toString(Qt::ISODate); }

QString notTypingKeys() {
    QStringList codes;
    for (int vk = 1; vk < 256; ++vk)
        if (!learning::isTypingKey(static_cast<int16_t>(vk))) codes << QString::number(vk);
    return codes.join(u',');
}

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
        QStringLiteral(
            "CREATE UNIQUE INDEX keystrokes_once ON keystrokes(time_ms, mode, layout, expected_vk, pressed_vk)"),
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

// Keys that are not the learner's typing (Alt opening a menu, a Shift
// pressed alone), stored as misses before they were let go, are dropped;
// the totals are filled from the keystrokes after these.
const QStringList& version3() {
    static const QStringList s{
        QStringLiteral("DELETE FROM keystrokes WHERE pressed_vk IN (%1)").arg(notTypingKeys()),
        QStringLiteral("DROP TABLE days"),
        QStringLiteral("CREATE TABLE days(day TEXT, layout INTEGER, attempts INTEGER, misses INTEGER, "
                       "timed_n INTEGER, timed_ms INTEGER, PRIMARY KEY(day, layout))"),
        QStringLiteral("DELETE FROM key_stats"),
        QStringLiteral("DELETE FROM confusions"),
        QStringLiteral("DELETE FROM transitions"),
    };
    return s;
}

const QStringList& version4() {
    static const QStringList s{
        QStringLiteral("ALTER TABLE keystrokes ADD COLUMN origin INTEGER NOT NULL DEFAULT 0"),
        QStringLiteral("DROP INDEX keystrokes_once"),
        QStringLiteral("CREATE UNIQUE INDEX keystrokes_once ON keystrokes(time_ms, mode, layout, expected_vk, "
                       "pressed_vk, origin)"),
    };
    return s;
}

struct Step {
    const QStringList& (*statements)();
    bool rebuildsTotals;
};
// The migration steps; kSteps[v] takes a file from version v to v + 1.
constexpr Step kSteps[] = {{version1, false}, {version2, false}, {version3, true}, {version4, false}};
static_assert(std::size(kSteps) == KeystrokeStore::kSchemaVersion);

// Running totals of a batch, added to the tables in one statement per row.
struct Totals {
    std::map<std::pair<int, int>, learning::Counts> keys;
    std::map<std::tuple<int, int, int>, qint64> confusions;
    std::map<std::tuple<int, int, int>, learning::Counts> transitions;
    std::map<std::pair<QString, int>, learning::Counts> days;

    void add(const Keystroke& k) {
        days[{localDay(k.timeMs), k.layout}].add(k.correct, k.gapMs);
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

bool KeystrokeStore::setLockWait(int ms) { return exec(QStringLiteral("PRAGMA busy_timeout=%1").arg(ms)); }

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
        // No waiting for a lock: the store is written from the window's event
        // loop, and a database another program holds is tried again later.
        d.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=0"));
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
    const Step& step = kSteps[from];
    bool ok = runAll(step.statements()) && exec(QStringLiteral("PRAGMA user_version=%1").arg(from + 1));
    if (ok && step.rebuildsTotals) ok = rebuildTotals(d);
    if (ok && d.commit()) return true;
    if (ok) fail(d.lastError().text());
    d.rollback();
    return false;
}

namespace {
// The fields joined by commas, in parentheses unless told otherwise: rows are
// built by appending, a fraction of the cost of a chain of arg() calls.
QString sqlRow(std::initializer_list<QString> fields, bool parenthesised = true) {
    QString row;
    row.reserve(96);
    if (parenthesised) row += u'(';
    bool first = true;
    for (const QString& f : fields) {
        if (!first) row += u',';
        row += f;
        first = false;
    }
    if (parenthesised) row += u')';
    return row;
}
}  // namespace

// The running totals from every stored keystroke (into emptied tables).
bool KeystrokeStore::rebuildTotals(QSqlDatabase& d) {
    std::vector<Keystroke> all;
    return readAll(d,
                   [&](const Keystroke& k) {
                       all.push_back(k);
                       return true;
                   }) &&
           addTotals(all);
}

// One statement per table and batch: rows of literal numbers (and dates),
// added to what the table holds.
bool KeystrokeStore::addTotals(const std::vector<Keystroke>& stored) {
    Totals t;
    for (const Keystroke& k : stored) t.add(k);
    const auto upsert = [this](const QString& table, const QStringList& rows, const QString& update) {
        const auto step = static_cast<qsizetype>(kRowsPerStatement);
        for (qsizetype at = 0; at < rows.size(); at += step) {
            const QString values = rows.mid(at, step).join(u',');
            if (!exec(
                    QStringLiteral("INSERT INTO %1 VALUES %2 ON CONFLICT DO UPDATE SET %3").arg(table, values, update)))
                return false;
        }
        return true;
    };
    const auto counts = [](const learning::Counts& c) {
        return sqlRow({QString::number(c.attempts), QString::number(c.misses), QString::number(c.timedN),
                       QString::number(c.timedMs)},
                      false);
    };
    const auto n = [](qint64 v) { return QString::number(v); };
    const QString addCounts = QStringLiteral(
        "attempts=attempts+excluded.attempts, misses=misses+excluded.misses, "
        "timed_n=timed_n+excluded.timed_n, timed_ms=timed_ms+excluded.timed_ms");
    QStringList keys, confusions, transitions, days;
    for (const auto& [k, c] : t.keys) keys << sqlRow({n(k.first), n(k.second), counts(c)});
    for (const auto& [k, count] : t.confusions)
        confusions << sqlRow({n(std::get<0>(k)), n(std::get<1>(k)), n(std::get<2>(k)), n(count)});
    for (const auto& [k, c] : t.transitions)
        transitions << sqlRow({n(std::get<0>(k)), n(std::get<1>(k)), n(std::get<2>(k)), n(c.timedN), n(c.timedMs)});
    for (const auto& [day, c] : t.days) days << sqlRow({u'\'' + day.first + u'\'', n(day.second), counts(c)});
    return upsert(QStringLiteral("key_stats"), keys, addCounts) &&
           upsert(QStringLiteral("confusions"), confusions, QStringLiteral("n=n+excluded.n")) &&
           upsert(QStringLiteral("transitions"), transitions,
                  QStringLiteral("n=n+excluded.n, total_ms=total_ms+excluded.total_ms")) &&
           upsert(QStringLiteral("days"), days, addCounts);
}

namespace {
// A row of the keystroke insert; characters as char(code), so that no text
// is ever quoted into the statement.
QString rowOf(const Keystroke& k) {
    const auto ch = [](QChar c) {
        return c.isNull() ? QStringLiteral("NULL") : QStringLiteral("char(") + QString::number(c.unicode()) + u')';
    };
    const auto n = [](qint64 v) { return QString::number(v); };
    return sqlRow({n(k.timeMs), n(k.mode), n(k.expectedVk), ch(k.expectedChar), n(k.pressedVk), ch(k.pressedChar),
                   n(k.correct ? 1 : 0), k.gapMs >= 0 ? n(k.gapMs) : QStringLiteral("NULL"), n(k.layout), n(k.prevVk),
                   n(k.origin)});
}
using Identity = std::tuple<qint64, int, int, int, int, qint64>;  // what makes a keystroke the same
Identity identityOf(const Keystroke& k) { return {k.timeMs, k.mode, k.layout, k.expectedVk, k.pressedVk, k.origin}; }
}  // namespace

std::optional<int> KeystrokeStore::append(const std::vector<Keystroke>& keys) {
    const auto stored = appendBatches([&keys](const BatchSink& store) { return store(keys); });
    if (!stored) return std::nullopt;
    return static_cast<int>(*stored);
}

std::optional<qint64> KeystrokeStore::appendBatches(const std::function<bool(const BatchSink&)>& produce) {
    if (!mOpen) {
        fail(QStringLiteral("not open"));
        return std::nullopt;
    }
    QSqlDatabase d = db();
    if (!d.transaction()) {
        fail(d.lastError().text());
        return std::nullopt;
    }
    qint64 total = 0;
    const bool ok = produce([&](const std::vector<Keystroke>& keys) {
        const auto stored = insert(keys);
        if (stored) total += *stored;
        return stored.has_value();
    });
    if (!ok || !(d.commit() || fail(d.lastError().text()))) {
        d.rollback();
        return std::nullopt;
    }
    return total;
}

// The keystrokes go in with a few multi-row inserts; those the unique index
// turns away (already stored) are not returned, and only the returned ones
// are added to the totals.
std::optional<int> KeystrokeStore::insert(const std::vector<Keystroke>& keys) {
    std::multiset<Identity> inserted;
    bool ok = true;
    QSqlQuery q(db());
    for (size_t at = 0; ok && at < keys.size(); at += kRowsPerStatement) {
        QStringList rows;
        for (size_t i = at; i < std::min(keys.size(), at + kRowsPerStatement); ++i) rows << rowOf(keys[i]);
        ok = q.exec(QStringLiteral("INSERT OR IGNORE INTO keystrokes(time_ms, mode, expected_vk, expected_char, "
                                   "pressed_vk, pressed_char, correct, gap_ms, layout, prev_vk, origin) VALUES %1 "
                                   "RETURNING time_ms, mode, layout, expected_vk, pressed_vk, origin")
                        .arg(rows.join(u',')));
        while (ok && q.next())
            inserted.insert({q.value(0).toLongLong(), q.value(1).toInt(), q.value(2).toInt(), q.value(3).toInt(),
                             q.value(4).toInt(), q.value(5).toLongLong()});
    }
    if (!ok) fail(q.lastError().text());
    q.finish();
    if (!ok) return std::nullopt;
    std::vector<Keystroke> stored;
    stored.reserve(inserted.size());
    for (const Keystroke& k : keys) {
        const auto it = inserted.find(identityOf(k));
        if (it == inserted.end()) continue;
        inserted.erase(it);
        stored.push_back(k);
    }
    if (!addTotals(stored)) return std::nullopt;
    return static_cast<int>(stored.size());
}

bool KeystrokeStore::forEach(const std::function<bool(const Keystroke&)>& each) {
    if (!mOpen) return fail(QStringLiteral("not open"));
    QSqlDatabase d = db();
    return readAll(d, each);
}

bool KeystrokeStore::readAll(QSqlDatabase& d, const std::function<bool(const Keystroke&)>& each) {
    QSqlQuery q(d);
    q.setForwardOnly(true);
    const int version = schemaVersion();
    const bool hasPrev = version >= 2;
    const bool hasOrigin = version >= 4;
    const QString sql =
        QStringLiteral(
            "SELECT time_ms, mode, expected_vk, expected_char, pressed_vk, pressed_char, "
            "correct, gap_ms, layout%1%2 FROM keystrokes ORDER BY id")
            .arg(hasPrev ? QStringLiteral(", prev_vk") : QString(), hasOrigin ? QStringLiteral(", origin") : QString());
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
        k.origin = hasOrigin ? q.value(10).toLongLong() : 0;
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
    // Every layout's keys, each counted for the same physical key of this one.
    if (!q.exec(QStringLiteral(
            "SELECT layout, vk, attempts, misses, timed_n, timed_ms FROM key_stats ORDER BY layout, vk")))
        return fail(q.lastError().text()), std::nullopt;
    std::map<int16_t, std::vector<std::pair<int, int>>> sources;  // vk here: (layout, vk) stored
    std::map<int16_t, Counts> totals;
    while (q.next()) {
        const int from = q.value(0).toInt(), stored = q.value(1).toInt();
        const int16_t vk = keymap::sameKey(static_cast<int16_t>(stored), from, layout);
        if (vk == 0) continue;
        sources[vk].emplace_back(from, stored);
        Counts& c = totals[vk];
        c.attempts += q.value(2).toLongLong();
        c.misses += q.value(3).toLongLong();
        c.timedN += q.value(4).toLongLong();
        c.timedMs += q.value(5).toLongLong();
    }
    std::vector<std::vector<Attempt>> history;
    QSqlQuery recent(db());
    recent.setForwardOnly(true);
    for (const auto& [vk, from] : sources) {
        KeyFigures k;
        k.vk = vk;
        k.total = totals[vk];
        QStringList where;
        for (const auto& [l, stored] : from)
            where << QStringLiteral("(layout=%1 AND expected_vk=%2)").arg(l).arg(stored);
        if (!recent.exec(QStringLiteral("SELECT correct, gap_ms FROM keystrokes WHERE %1 ORDER BY id DESC LIMIT %2")
                             .arg(where.join(QStringLiteral(" OR ")))
                             .arg(kHistory)))
            return fail(recent.lastError().text()), std::nullopt;
        std::vector<Attempt>& h = history.emplace_back();
        while (recent.next()) {
            const Attempt a{recent.value(0).toInt() != 0, recent.value(1).isNull() ? -1 : recent.value(1).toInt()};
            if (h.size() < static_cast<size_t>(kRecentWindow)) k.recent.add(a.correct, a.gapMs);
            h.push_back(a);
        }
        f.keys.push_back(k);
    }
    finish(f.keys, history);

    if (!select(QStringLiteral("SELECT expected_vk, pressed_vk, n FROM confusions WHERE layout=? "
                               "ORDER BY n DESC, expected_vk, pressed_vk LIMIT %1")
                    .arg(kTopCount)))
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
    if (!select(
            QStringLiteral("SELECT day, attempts, misses, timed_n, timed_ms FROM days WHERE layout=? ORDER BY day")))
        return std::nullopt;
    while (q.next()) {
        DayFigures day;
        day.day = QDate::fromString(q.value(0).toString(), Qt::ISODate);
        day.counts = {q.value(1).toLongLong(), q.value(2).toLongLong(), q.value(3).toLongLong(),
                      q.value(4).toLongLong()};
        f.keystrokes += day.counts.attempts;
        f.days.push_back(day);
    }
    return f;
}

std::optional<std::vector<learning::Transition>> KeystrokeStore::allTransitions(int16_t layout, int minSamples) {
    if (!mOpen) {
        fail(QStringLiteral("not open"));
        return std::nullopt;
    }
    QSqlQuery q(db());
    q.setForwardOnly(true);
    q.prepare(
        QStringLiteral("SELECT from_vk, to_vk, n, CAST(total_ms AS REAL) / n FROM transitions "
                       "WHERE layout=? AND n >= ? ORDER BY from_vk, to_vk"));
    q.bindValue(0, layout);
    q.bindValue(1, minSamples);
    if (!q.exec()) return fail(q.lastError().text()), std::nullopt;
    std::vector<learning::Transition> out;
    while (q.next())
        out.push_back({static_cast<int16_t>(q.value(0).toInt()), static_cast<int16_t>(q.value(1).toInt()),
                       q.value(2).toLongLong(), q.value(3).toDouble()});
    return out;
}
