#include "basResults.h"

#include <QFileInfo>
#include <algorithm>
#include <concepts>
#include <limits>

#include "BinaryFields.h"
#include "Cp932.h"
#include "Dialogs.h"
#include "SafeWrite.h"
#include "basParam.h"

namespace {

// The versions the program reads, each with the size of its whole file; the
// older ones are prefixes of the current layout. The last one is written.
struct FileVersion {
    const char* text;
    qint64 size;
};
constexpr FileVersion kVersions[] = {
    {"00002.00", basResults::kFileSizeV2}, {"00003.00", basResults::kFileSizeV3}, {"00005.00", basResults::kFileSize}};
constexpr int kVersionSize = 8;
constexpr const FileVersion& kCurrent = kVersions[2];

// The version the bytes begin with, or null.
const FileVersion* versionOf(const QByteArray& start) {
    const QByteArray v = start.left(kVersionSize);
    for (const FileVersion& version : kVersions)
        if (v == version.text) return &version;
    return nullptr;
}
constexpr int kTextField = 10;

const QString& writeErrorText() {
    static const QString text = QStringLiteral("成績ファイルの書き込みに失敗しました。");
    return text;
}

const QString& readErrorText() {
    static const QString text = QStringLiteral("成績ファイルの読み込みに失敗しました。");
    return text;
}

int32_t saturatedIncrement(int32_t v) { return v == std::numeric_limits<int32_t>::max() ? v : v + 1; }

int16_t saturatedAdd(int16_t a, int16_t b) {
    const int sum = int{a} + int{b};
    return static_cast<int16_t>(
        std::clamp(sum, int{std::numeric_limits<int16_t>::min()}, int{std::numeric_limits<int16_t>::max()}));
}

// Shifts a history one place towards the old end (index 50 falls off) and
// puts the new value at index 0.
template <typename T, size_t N>
void pushNewest(std::array<T, N>& history, T value) {
    std::move_backward(history.begin(), history.end() - 1, history.end());
    history[0] = value;
}

// The 10 file bytes of a text field: CP932, cut at a character boundary,
// blank-padded.
QByteArray fieldBytes(const QString& text) {
    QByteArray bytes = cp932::encodeTruncated(text, kTextField);
    bytes.append(kTextField - bytes.size(), ' ');
    return bytes;
}

// A text field as it is held in memory: the decoded form of its file bytes.
QString fieldText(const QString& text) { return cp932::decode(fieldBytes(text)); }

// What readers see: the field without its padding.
QString trimmedField(const QString& field) {
    qsizetype n = field.size();
    while (n > 0 && (field[n - 1] == u' ' || field[n - 1] == QChar(0))) --n;
    return field.left(n);
}

bool validIndex(int i, int size) { return i >= 0 && i < size; }

// --- the file image, field by field ---

void putText(results::Writer& w, const QString& field) {
    if (field.isEmpty()) {  // a slot never written: zero bytes
        w.zeros(kTextField);
        return;
    }
    w.bytes(fieldBytes(field));
}

QString getText(results::Reader& r) {
    const QByteArray bytes = r.bytes(kTextField);
    if (std::all_of(bytes.begin(), bytes.end(), [](char c) { return c == 0; })) return {};
    return cp932::decode(bytes);
}

// Moving one field between memory and the file image: Put writes it, Get
// reads it (text fields as 10 CP932 bytes, arrays element by element).
struct Put {
    results::Writer& w;
    void operator()(int16_t v) { w.i16(v); }
    void operator()(int32_t v) { w.i32(v); }
    void operator()(double v) { w.f64(v); }
    void operator()(const QString& v) { putText(w, v); }
    template <typename T, size_t N>
    void operator()(const std::array<T, N>& a) {
        for (const T& v : a) (*this)(v);
    }
};
struct Get {
    results::Reader& r;
    void operator()(int16_t& v) { v = r.i16(); }
    void operator()(int32_t& v) { v = r.i32(); }
    void operator()(double& v) { v = r.f64(); }
    void operator()(QString& v) { v = getText(r); }
    template <typename T, size_t N>
    void operator()(std::array<T, N>& a) {
        for (T& v : a) (*this)(v);
    }
};

template <typename R, typename T>
concept RecordOf = std::same_as<std::remove_const_t<R>, T>;

}  // namespace

// Each record's fields, once, in the order they stand in the file; put and
// get run the same list.
struct basResults::FileRecords {
    template <RecordOf<TestRecord> R, typename F>
    static void fields(R& t, F&& f) {
        f(t.Count), f(t.BestTime), f(t.WorstTime), f(t.Times), f(t.MaxMiss), f(t.MinMiss), f(t.Misses);
    }
    template <RecordOf<BalloonRow> R, typename F>
    static void fields(R& b, F&& f) {
        f(b.Score), f(b.Level), f(b.Date), f(b.Name);
    }
    template <RecordOf<TargetRow> R, typename F>
    static void fields(R& t, F&& f) {
        f(t.Score), f(t.Date), f(t.Name);
    }
    template <RecordOf<SpeedRow> R, typename F>
    static void fields(R& s, F&& f) {
        f(s.TimeMs), f(s.Misses), f(s.Date), f(s.Name);
    }
    template <RecordOf<TextHistory> R, typename F>
    static void fields(R& h, F&& f) {
        f(h.Count), f(h.Chars), f(h.Misses), f(h.PerMinute);
    }

    template <typename Record>
    static void put(results::Writer& w, const Record& record) {
        fields(record, Put{w});
    }
    template <typename Record>
    static void get(results::Reader& r, Record& record) {
        fields(record, Get{r});
    }
    // A table is cleared to all zero before it is read.
    template <typename Row, size_t N>
    static void getTable(results::Reader& r, std::array<Row, N>& table) {
        table = {};
        for (Row& row : table) get(r, row);
    }
};

basResults::basResults(basParam& param, Dialogs& dialogs) : basResults(param, dialogs, FileFaults::none()) {}

basResults::basResults(basParam& param, Dialogs& dialogs, FileFaults& faults)
    : mParam(param), mDialogs(dialogs), mFaults(faults), mToday([] { return QDate::currentDate(); }) {}

// ---------------------------------------------------------------------------
// The results file

QByteArray basResults::ResultsFileBytes() const {
    results::Writer w(kFileSize);
    w.bytes(QByteArray(kCurrent.text, kVersionSize));
    for (const TestRecord& t : mTests) FileRecords::put(w, t);
    for (const BalloonRow& b : mBalloon) FileRecords::put(w, b);
    for (const TargetRow& t : mTarget) FileRecords::put(w, t);
    for (const SpeedRow& s : mSpeed) FileRecords::put(w, s);
    FileRecords::put(w, mText);
    return w.result();
}

bool basResults::ParseResults(const QByteArray& bytes) {
    results::Reader r(bytes);
    const FileVersion* version = versionOf(r.bytes(kVersionSize));
    if (!version) return false;
    for (TestRecord& t : mTests) FileRecords::get(r, t);
    FileRecords::getTable(r, mBalloon);
    FileRecords::getTable(r, mTarget);
    if (version == &kVersions[0]) return true;
    FileRecords::getTable(r, mSpeed);
    if (version == &kVersions[1]) return true;
    FileRecords::get(r, mText);
    return true;
}

FileRead basResults::LoadFile() {
    // A window repainting while a save waits on its error box must not
    // replace the records that are being saved.
    if (mSaving) return FileRead{FileRead::Failed, {}, {}};
    // Only the first kFileSize bytes are ever read, whatever the file's size.
    FileRead read = readWholeFile(mParam.DataFileName(), kFileSize, mFaults);
    // An unknown version counts as loaded, with nothing changed.
    if (read.status == FileRead::Read) ParseResults(read.bytes);
    return read;
}

bool basResults::LoadResults() { return LoadFile().status == FileRead::Read; }

bool basResults::ReloadResults() {
    const NotifyOnExit told{*this, ResultsChange::Reloaded};
    for (;;) {
        const FileRead read = LoadFile();
        if (read.status == FileRead::Read) return true;
        if (read.status == FileRead::Missing) {
            if (mParam.DataFileName() == mParam.DefaultDataFileName()) return true;  // the first save creates it
            mParam.DataFileName(mParam.DefaultDataFileName());
            continue;
        }
        // Saving now would write records that were never read over the ones
        // in the file: ask, and on Cancel leave the file alone.
        const QString path = mParam.DataFileName();
        const MsgResult answer =
            mDialogs.msgBox(readErrorText() + QStringLiteral("\r\n") + path + QStringLiteral("\r\n") + read.reason,
                            QStringLiteral("エラー"), MsgIcon::Critical, MsgButtons::RetryCancel, 0);
        if (answer != MsgResult::Retry) return false;
    }
}

bool basResults::SaveResults() {
    const QString path = mParam.DataFileName();
    const QByteArray image = ResultsFileBytes();
    mSaving = true;
    const bool saved = KeepForeignFile(path) && writeFileWithRetry(path, image, mDialogs, writeErrorText(), mFaults);
    mSaving = false;
    if (saved) notify(ResultsChange::Saved);
    return saved;
}

bool basResults::SaveChange(const std::function<void()>& change) {
    if (!ReloadResults()) return false;
    change();
    const QString path = mParam.DataFileName();
    bool retry = false;
    const SaveContents contents = [&]() -> std::optional<QByteArray> {
        if (retry) {
            mSaving = false;
            const bool reread = ReloadResults() && (change(), KeepForeignFile(path));
            mSaving = true;
            if (!reread) return std::nullopt;
        }
        retry = true;
        return ResultsFileBytes();
    };
    mSaving = true;
    const bool saved = KeepForeignFile(path) && writeFileWithRetry(path, contents, mDialogs, writeErrorText(), mFaults);
    mSaving = false;
    if (saved) notify(ResultsChange::Saved);
    return saved;
}

bool basResults::EraseTestResults() {
    return SaveChange([this] { ClearTestResults(); });
}

bool basResults::IsResultsFileStart(const QByteArray& start) { return versionOf(start) != nullptr; }

// A file about to be replaced that is not a whole results file (a document
// chosen by mistake in the file dialog, or a damaged results file) is first
// copied aside (keepBackup), so it can be recovered, and the user is told
// where it went.
bool basResults::KeepForeignFile(const QString& path) {
    const QFileInfo info(path);
    if (!info.isFile() || info.size() == 0 || IsWholeResultsFile(path)) return true;
    for (;;) {
        const Backup backup = keepBackup(path, mFaults);
        if (backup.status == Backup::AlreadyKept) return true;
        if (backup.status == Backup::Made) {
            TellKept(path, backup.path);
            return true;
        }
        const MsgResult answer =
            mDialogs.msgBox(writeErrorText() + QStringLiteral("\r\n") + path, QStringLiteral("エラー"),
                            MsgIcon::Critical, MsgButtons::RetryCancel, 0);
        if (answer != MsgResult::Retry) return false;
    }
}

// A results file of the exact size of its version is ours; one whose size
// does not match (cut short, or altered by an editor that changed its line
// endings) was read at shifted places, so it is kept before it is replaced.
// One that cannot be read is kept too: it cannot be told apart.
bool basResults::IsWholeResultsFile(const QString& path) const {
    const FileRead read = readWholeFile(path, kVersionSize, mFaults);
    const FileVersion* v = read.status == FileRead::Read ? versionOf(read.bytes) : nullptr;
    return v && QFileInfo(path).size() == v->size;
}

void basResults::TellKept(const QString& path, const QString& backup) {
    mDialogs.msgBox(
        QStringLiteral("成績ファイルとして読めない内容だったため、書き込む前に元のファイルを別の名前で残しました。") +
            QStringLiteral("\r\n\r\n") + path + QStringLiteral("\r\n→ ") + backup,
        mParam.ProductName(), MsgIcon::Information);
}

// ---------------------------------------------------------------------------
// Test histories

int32_t basResults::GetTestCount(int kind) const { return validIndex(kind, 4) ? mTests[kind].Count : 0; }
double basResults::GetTestBestTime(int kind) const { return validIndex(kind, 4) ? mTests[kind].BestTime : 0; }
double basResults::GetTestWorstTime(int kind) const { return validIndex(kind, 4) ? mTests[kind].WorstTime : 0; }
int16_t basResults::GetTestMaxMiss(int kind) const { return validIndex(kind, 4) ? mTests[kind].MaxMiss : 0; }
int16_t basResults::GetTestMinMiss(int kind) const { return validIndex(kind, 4) ? mTests[kind].MinMiss : 0; }

double basResults::GetTestTime(int kind, int i) const {
    return validIndex(kind, 4) && validIndex(i, kHistory) ? mTests[kind].Times[i] : 0;
}

int16_t basResults::GetTestMiss(int kind, int i) const {
    return validIndex(kind, 4) && validIndex(i, kHistory) ? mTests[kind].Misses[i] : 0;
}

void basResults::AddTestTime(int kind, double seconds) {
    if (!validIndex(kind, 4)) return;
    TestRecord& t = mTests[kind];
    pushNewest(t.Times, seconds);
    if (t.BestTime <= 0 || t.BestTime > seconds) t.BestTime = seconds;  // 0: no best time yet
    if (t.WorstTime < seconds) t.WorstTime = seconds;
    t.Count = saturatedIncrement(t.Count);
}

void basResults::AddTestMiss(int kind, int16_t misses) {
    if (!validIndex(kind, 4)) return;
    TestRecord& t = mTests[kind];
    pushNewest(t.Misses, misses);
    if (t.MaxMiss < misses) t.MaxMiss = misses;
    if (t.MinMiss > misses) t.MinMiss = misses;
}

// Kinds 0..2 only; older history entries stay but are never shown, since
// readers show no more than Count entries.
void basResults::ClearTestResults() {
    const NotifyOnExit told{*this, ResultsChange::Erased};
    for (int kind = 0; kind <= 2; ++kind) {
        TestRecord& t = mTests[kind];
        t.Count = 0;
        t.BestTime = t.WorstTime = 0;
        t.MaxMiss = t.MinMiss = 0;
        for (int i = 0; i < 3; ++i) {
            t.Times[i] = 0;
            t.Misses[i] = 0;
        }
    }
}

// ---------------------------------------------------------------------------
// The run record

void basResults::ResetRun() { mRun = RunRecord{}; }
void basResults::SetRunChars(int32_t n) { mRun.Chars = n; }
void basResults::SetRunSeconds(double s) { mRun.Seconds = s; }
void basResults::SetRunPerMinute(int16_t n) { mRun.PerMinute = n; }
void basResults::SetRunMisses(int16_t n) { mRun.Misses = n; }

void basResults::AddRunKeyMiss(int keyIndex, int16_t n) {
    if (!validIndex(keyIndex, static_cast<int>(mRun.KeyMiss.size()))) return;
    mRun.KeyMiss[keyIndex] = saturatedAdd(mRun.KeyMiss[keyIndex], n);
}

void basResults::CommitRun() {
    mLastRun = mRun;
    notify(ResultsChange::RunCommitted);
}

// ---------------------------------------------------------------------------
// Change notification

int basResults::addListener(Listener listener) {
    const int id = mNextListenerId++;
    mListeners.emplace_back(id, std::move(listener));
    return id;
}

void basResults::removeListener(int id) {
    std::erase_if(mListeners, [id](const auto& l) { return l.first == id; });
}

void basResults::notify(ResultsChange change) {
    // A copy: a listener may remove itself, or another, while being told.
    const auto listeners = mListeners;
    for (const auto& [id, listener] : listeners) {
        const bool stillThere =
            std::any_of(mListeners.begin(), mListeners.end(), [id = id](const auto& l) { return l.first == id; });
        if (stillThere) listener(change);
    }
}
int32_t basResults::GetLastRunChars() const { return mLastRun.Chars; }
double basResults::GetLastRunSeconds() const { return mLastRun.Seconds; }
int16_t basResults::GetLastRunPerMinute() const { return mLastRun.PerMinute; }
int16_t basResults::GetLastRunMisses() const { return mLastRun.Misses; }

int16_t basResults::GetLastRunKeyMiss(int keyIndex) const {
    return validIndex(keyIndex, static_cast<int>(mLastRun.KeyMiss.size())) ? mLastRun.KeyMiss[keyIndex] : 0;
}

// ---------------------------------------------------------------------------
// Text-practice history

int32_t basResults::GetTextCount() const { return mText.Count; }
int32_t basResults::GetTextChars(int i) const { return validIndex(i, kHistory) ? mText.Chars[i] : 0; }
int32_t basResults::GetTextMisses(int i) const { return validIndex(i, kHistory) ? mText.Misses[i] : 0; }
double basResults::GetTextPerMinute(int i) const { return validIndex(i, kHistory) ? mText.PerMinute[i] : 0; }

void basResults::AddTextResult(int32_t chars, int32_t misses, double perMinute) {
    pushNewest(mText.Chars, chars);
    pushNewest(mText.Misses, misses);
    pushNewest(mText.PerMinute, perMinute);
    mText.Count = saturatedIncrement(mText.Count);
}

// ---------------------------------------------------------------------------
// High-score tables

QString basResults::TodayField() const { return fieldText(mToday().toString(QStringLiteral("yyyy/MM/dd"))); }
QString basResults::PlayerField() const { return fieldText(mParam.PlayerName()); }

int32_t basResults::GetBalloonScore(int row) const { return validIndex(row, 6) ? mBalloon[row].Score : 0; }
int32_t basResults::GetBalloonLevel(int row) const { return validIndex(row, 6) ? mBalloon[row].Level : 0; }
QString basResults::GetBalloonDate(int row) const {
    return validIndex(row, 6) ? trimmedField(mBalloon[row].Date) : QString();
}
QString basResults::GetBalloonName(int row) const {
    return validIndex(row, 6) ? trimmedField(mBalloon[row].Name) : QString();
}

// The first row with a lower score takes the new result (so a tie ranks below
// the older equal score) and the rows below move down; a result that ranks
// nowhere goes to row 5.
template <typename Row>
int basResults::InsertScore(std::array<Row, 6>& table, const Row& row) {
    int r = 0;
    while (r < 6 && table[r].Score >= row.Score) ++r;
    if (r == 6) r = 5;
    std::move_backward(table.begin() + r, table.begin() + 5, table.begin() + 6);
    table[r] = row;
    return r;
}

int basResults::AddBalloonScore(int32_t score, int32_t level) {
    return InsertScore(mBalloon, BalloonRow{score, level, TodayField(), PlayerField()});
}

int32_t basResults::GetTargetScore(int row) const { return validIndex(row, 6) ? mTarget[row].Score : 0; }
QString basResults::GetTargetDate(int row) const {
    return validIndex(row, 6) ? trimmedField(mTarget[row].Date) : QString();
}
QString basResults::GetTargetName(int row) const {
    return validIndex(row, 6) ? trimmedField(mTarget[row].Name) : QString();
}

int basResults::AddTargetScore(int32_t score) {
    return InsertScore(mTarget, TargetRow{score, TodayField(), PlayerField()});
}

double basResults::GetSpeedTime(int row) const { return validIndex(row, 11) ? mSpeed[row].TimeMs / 1000.0 : 0; }
int16_t basResults::GetSpeedMisses(int row) const { return validIndex(row, 11) ? mSpeed[row].Misses : 0; }
QString basResults::GetSpeedDate(int row) const {
    return validIndex(row, 11) ? trimmedField(mSpeed[row].Date) : QString();
}
QString basResults::GetSpeedName(int row) const {
    return validIndex(row, 11) ? trimmedField(mSpeed[row].Name) : QString();
}

// Rows 0..5 serve letter order 0, rows 6..10 letter order 1. The first empty
// row or row with a slower time takes the new result (a tie ranks below the
// older equal time); a result that ranks nowhere goes to the shared row 5.
int basResults::AddSpeedTime(int32_t timeMs, int16_t misses) {
    const bool alphabetical = mParam.SpeedGameType() == 0;
    const int first = alphabetical ? 0 : 6;
    const int last = alphabetical ? 5 : 10;
    const SpeedRow row{timeMs, misses, TodayField(), PlayerField()};
    int r = first;
    while (r <= last && mSpeed[r].TimeMs != 0 && mSpeed[r].TimeMs <= timeMs) ++r;
    if (r > last) {
        mSpeed[5] = row;
        return 5;
    }
    std::move_backward(mSpeed.begin() + r, mSpeed.begin() + last, mSpeed.begin() + last + 1);
    mSpeed[r] = row;
    return r - first;
}
