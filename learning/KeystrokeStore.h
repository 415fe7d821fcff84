#pragma once
#include <QString>
#include <functional>
#include <optional>
#include <vector>

#include "KeyModel.h"

class QSqlDatabase;

// The keystroke store: an SQLite database (Lumbra.db beside the settings
// file) through Qt SQL, in WAL mode, with its schema version in
// PRAGMA user_version.
//
// Schema history (each step is one transaction; open() runs the steps from
// the file's version up to kSchemaVersion):
//   1  keystrokes: one row per judged key.
//   2  keystrokes gains prev_vk (the key pressed before in the same run,
//      filled in for older rows from the row before them, since a run is
//      always written in one piece), a unique index that keeps an imported
//      keystroke from being stored twice, an index for the recent window of
//      a key, and the running totals the analysis reads instead of scanning
//      every keystroke: key_stats, confusions, transitions and days (filled
//      from the existing rows).
//   3  days per layout; keystrokes of keys that are not typing (menus,
//      modifiers alone) dropped; every total computed again with the gaps
//      capped rather than dropped.
//   4  keystrokes gains origin (which start of the program recorded the key,
//      0 for the rows before), and the unique index takes it in: the same key
//      in the same millisecond from two copies of the program is two
//      keystrokes, an import of the same export still none.
// A file with a newer version than this program knows is left alone (open()
// fails), as is a damaged one.
//
// append() writes a batch in one transaction: all of it or nothing, so a
// process killed while writing loses only the batch it was writing.
class KeystrokeStore {
public:
    static constexpr int kSchemaVersion = 4;

    explicit KeystrokeStore(const QString& path);
    ~KeystrokeStore();
    KeystrokeStore(const KeystrokeStore&) = delete;
    KeystrokeStore& operator=(const KeystrokeStore&) = delete;

    // Opens (creating the file) and migrates up to `version` (older versions
    // only for tests of the migrations). False with error() set on failure.
    bool open(int version = kSchemaVersion);
    bool isOpen() const { return mOpen; }
    void close();
    const QString& path() const { return mPath; }
    const QString& error() const { return mError; }
    int schemaVersion();

    // Stores the keystrokes in one transaction, skipping those already
    // stored (same time, mode, layout, expected and pressed key, origin). The number
    // stored, or nullopt when the write failed (then nothing was stored).
    std::optional<int> append(const std::vector<learning::Keystroke>& keys);
    // The same for keys that come batch by batch (an import read as it is
    // parsed): produce() is handed a function that stores one batch (false
    // when that failed) and returns false to give up. All batches are one
    // transaction: every key or none. The number stored, or nullopt.
    using BatchSink = std::function<bool(const std::vector<learning::Keystroke>&)>;
    std::optional<qint64> appendBatches(const std::function<bool(const BatchSink&)>& produce);

    // The analysis figures of one layout; nullopt when the store cannot be
    // read. The keys are physical keys: what was typed on the other layout
    // counts for the same key on this one.
    std::optional<learning::Figures> figures(int16_t layout);

    // Every stored keystroke in the order written; `each` returns false to stop.
    bool forEach(const std::function<bool(const learning::Keystroke&)>& each);
    // How long a write waits for a lock another connection holds; 0 (no
    // waiting) from open().
    bool setLockWait(int ms);
    // Runs raw SQL (tests: older schemas, damage).
    bool exec(const QString& sql);

private:
    static constexpr size_t kRowsPerStatement = 500;
    QSqlDatabase db() const;
    bool migrateStep(int from);
    bool readAll(QSqlDatabase& d, const std::function<bool(const learning::Keystroke&)>& each);
    bool fail(const QString& what);
    bool runAll(const QStringList& statements);
    bool addTotals(const std::vector<learning::Keystroke>& stored);
    bool rebuildTotals(QSqlDatabase& d);
    std::optional<int> insert(const std::vector<learning::Keystroke>& keys);

    QString mPath;
    QString mConnection;
    QString mError;
    bool mOpen = false;

public:
    // Every key-to-key move of a layout with at least minSamples timed
    // samples (the word draw weighs them all); nullopt when the store cannot
    // be read.
    std::optional<std::vector<learning::Transition>> allTransitions(int16_t layout,
                                                                    int minSamples = learning::kMinTransitionSamples);
};
