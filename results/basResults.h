#pragma once
#include <QByteArray>
#include <QDate>
#include <QString>
#include <array>
#include <cstdint>
#include <functional>
#include <utility>
#include <vector>

class basParam;
class Dialogs;
class FileFaults;
struct FileRead;

// What changed in the results store, for the windows that show it.
enum class ResultsChange {
    Saved,         // SaveResults wrote the file
    Erased,        // ClearTestResults emptied the test histories
    Reloaded,      // ReloadResults read the file (the start of a writer's cycle)
    RunCommitted,  // CommitRun made a new last run
};

// Everything the program remembers: test histories, the last drill run
// (memory only), the text-practice history and the three high-score tables,
// and the results file that holds all but the run record.
//
// The file (DataFileName) is a packed little-endian image, version
// "00005.00", 3562 bytes; versions "00002.00" (2456 bytes) and "00003.00"
// (2742 bytes) are prefixes of it and are still read. Every writer follows one
// cycle, SaveChange: ReloadResults, change the records, save, and on a retry
// after a failed save the same again from the reread file. Readers call
// LoadResults. The file is never kept open.
//
// Operations work on memory only and never fail on valid arguments; index
// arguments outside their ranges are ignored (getters return 0 or "").
class basResults {
public:
    static constexpr int kFileSize = 3562;
    static constexpr int kFileSizeV2 = 2456;  // the sizes of the older versions' files
    static constexpr int kFileSizeV3 = 2742;
    static constexpr int kHistory = 51;  // entries 0..50, newest at 0

    struct TestRecord {
        int32_t Count = 0;
        double BestTime = 0;
        double WorstTime = 0;
        std::array<double, kHistory> Times{};
        int16_t MaxMiss = 0;
        int16_t MinMiss = 0;
        std::array<int16_t, kHistory> Misses{};
    };
    struct RunRecord {
        int32_t Chars = 0;
        double Seconds = 0;
        int16_t PerMinute = 0;
        int16_t Misses = 0;
        std::array<int16_t, 101> KeyMiss{};
    };
    struct BalloonRow {
        int32_t Score = 0;
        int32_t Level = 0;
        QString Date;
        QString Name;
    };
    struct TargetRow {
        int32_t Score = 0;
        QString Date;
        QString Name;
    };
    struct SpeedRow {
        int32_t TimeMs = 0;
        int16_t Misses = 0;
        QString Date;
        QString Name;
    };
    struct TextHistory {
        int32_t Count = 0;
        std::array<int32_t, kHistory> Chars{};
        std::array<int32_t, kHistory> Misses{};
        std::array<double, kHistory> PerMinute{};
    };

    // faults: the file layer's fault seam (tests script failures through it).
    basResults(basParam& param, Dialogs& dialogs);
    basResults(basParam& param, Dialogs& dialogs, FileFaults& faults);

    // Today's date for new table rows; the local date unless a test sets it.
    void setToday(std::function<QDate()> today) { mToday = std::move(today); }

    // --- change notification ---
    // Listeners hear of every change above, synchronously and in the order
    // they registered; one may remove itself (or another) while it is told.
    // Not told: LoadResults, which readers call to refresh, so a listener
    // can reread the file without being called again.
    using Listener = std::function<void(ResultsChange)>;
    int addListener(Listener listener);  // an id for removeListener
    void removeListener(int id);

    // --- the results file ---
    bool LoadResults();
    // Writes the records; a file there that is not a whole results file is
    // first kept as "<name>.bak" and the user is told under which name.
    bool SaveResults();
    // The step before a change: LoadResults, falling back to the default file
    // when the configured one does not exist. When the file is there but
    // cannot be read, the error box asks Retry (read again) or Cancel; after
    // Cancel it returns false and the caller must not save, since the records
    // in memory are not what the file holds.
    bool ReloadResults();
    // Reload, clear the test histories, save; false (nothing written) when the
    // reload was cancelled or the save failed.
    bool EraseTestResults();
    // The writer's cycle: ReloadResults, change(), SaveResults. When the save
    // fails and the user answers Retry, the file is read again and change()
    // made again before the next attempt, so whatever another copy of the
    // program wrote meanwhile is kept. False (nothing written) when a reload
    // was cancelled or the save given up.
    bool SaveChange(const std::function<void()>& change);
    // The file image SaveResults writes, and the parser LoadResults uses.
    QByteArray ResultsFileBytes() const;
    bool ParseResults(const QByteArray& bytes);  // false: version not recognised

    // --- test histories (kind 0 = comprehensive, 2 = beginner) ---
    int32_t GetTestCount(int kind) const;
    double GetTestBestTime(int kind) const;
    double GetTestWorstTime(int kind) const;
    double GetTestTime(int kind, int i) const;
    int16_t GetTestMaxMiss(int kind) const;
    int16_t GetTestMinMiss(int kind) const;
    int16_t GetTestMiss(int kind, int i) const;
    void AddTestTime(int kind, double seconds);
    void AddTestMiss(int kind, int16_t misses);
    void ClearTestResults();

    // --- the run record ---
    void ResetRun();
    void SetRunChars(int32_t n);
    void SetRunSeconds(double s);
    void SetRunPerMinute(int16_t n);
    void SetRunMisses(int16_t n);
    void AddRunKeyMiss(int keyIndex, int16_t n);
    void CommitRun();
    int32_t GetLastRunChars() const;
    double GetLastRunSeconds() const;
    int16_t GetLastRunPerMinute() const;
    int16_t GetLastRunMisses() const;
    int16_t GetLastRunKeyMiss(int keyIndex) const;

    // --- text-practice history ---
    int32_t GetTextCount() const;
    int32_t GetTextChars(int i) const;
    int32_t GetTextMisses(int i) const;
    double GetTextPerMinute(int i) const;
    void AddTextResult(int32_t chars, int32_t misses, double perMinute);

    // --- high-score tables ---
    int32_t GetBalloonScore(int row) const;
    int32_t GetBalloonLevel(int row) const;
    QString GetBalloonDate(int row) const;
    QString GetBalloonName(int row) const;
    int AddBalloonScore(int32_t score, int32_t level);  // row written, 0..5
    int32_t GetTargetScore(int row) const;
    QString GetTargetDate(int row) const;
    QString GetTargetName(int row) const;
    int AddTargetScore(int32_t score);   // row written, 0..5
    double GetSpeedTime(int row) const;  // seconds
    int16_t GetSpeedMisses(int row) const;
    QString GetSpeedDate(int row) const;
    QString GetSpeedName(int row) const;
    int AddSpeedTime(int32_t timeMs, int16_t misses);  // rank 0..4 in the current order, or 5

    // True when the bytes begin with one of the version strings of a results
    // file ("00002.00", "00003.00", "00005.00").
    static bool IsResultsFileStart(const QByteArray& start);

private:
    struct FileRecords;  // the records read and written field by field
    // Before SaveResults replaces a file that is not a results file, a copy of
    // it is kept as "<name>.bak"; a failed copy asks Retry/Cancel like a
    // failed write, and Cancel leaves the file alone.
    FileRead LoadFile();
    bool KeepForeignFile(const QString& path);
    bool IsWholeResultsFile(const QString& path) const;
    void TellKept(const QString& path, const QString& backup);
    QString TodayField() const;
    QString PlayerField() const;
    template <typename Row>
    static int InsertScore(std::array<Row, 6>& table, const Row& row);

    basParam& mParam;
    Dialogs& mDialogs;
    FileFaults& mFaults;
    std::function<QDate()> mToday;

    std::array<TestRecord, 4> mTests{};
    RunRecord mRun{};
    RunRecord mLastRun{};
    TextHistory mText{};
    std::array<BalloonRow, 6> mBalloon{};
    std::array<TargetRow, 6> mTarget{};
    std::array<SpeedRow, 11> mSpeed{};
    bool mSaving = false;  // SaveResults is running (its error box may be open)

    void notify(ResultsChange change);
    // Tells the listeners when the scope it guards ends, however it ends.
    struct NotifyOnExit {
        basResults& r;
        ResultsChange change;
        ~NotifyOnExit() { r.notify(change); }
    };
    std::vector<std::pair<int, Listener>> mListeners;
    int mNextListenerId = 1;
};
