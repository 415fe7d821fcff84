#pragma once
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

#include "KeyModel.h"

class KeystrokeStore;

// What the analysis window shows and what its exports write, as text, and
// the import of an export. Nothing here draws a widget.
namespace learning {

// The legend of a key on a layout (0 = Japanese 106 keys): "A", "7", ";",
// "¥" (the yen key of the 106 layout), "Shift", "Space" ...; an unnamed code
// as "VK 123".
QString keyName(int16_t vk, int16_t layout);

// The two sides of a weak key, told apart on the keyboard and in the table:
// slow (its recent time well over the learner's typical key time) and often
// missed (its recent accuracy low). Both are judged on known keys only.
constexpr double kSlowMark = 1.3;    // recent time at least 1.3 times the typical key's
constexpr double kMissedMark = 0.9;  // recent accuracy under 90 %
struct KeyLook {
    uint32_t color = kUnknownHeatColor;  // heatColor of the weakness
    bool slow = false;
    bool missed = false;
};
KeyLook lookOf(const KeyFigures& k);
// The look of a key on the keyboard; a key never typed (or no figures) is unknown.
KeyLook lookOf(const Figures* f, int16_t vk);
// "遅い", "ミスが多い", "遅い・ミスが多い" or "".
QString weakSideText(const KeyLook& look);

// The heat map's legend: colour swatches with their captions, weakest last,
// then the grey of keys not known yet; and the captions of the two marks.
struct LegendEntry {
    uint32_t color;
    QString caption;
};
std::vector<LegendEntry> heatLegend();
QString slowMarkCaption();
QString missedMarkCaption();

// Presses of a key still needed before its weakness is known; 0 once known.
int pressesToKnown(const KeyFigures& k);

// One row of the key table: key, attempts (all time), recent accuracy,
// recent mean time, weakness, its side (slow / missed), trend.
QStringList keyRow(const Figures& f, const KeyFigures& k);
QStringList keyTableHeadings();
constexpr int kWeaknessColumn = 4;
constexpr int kSideColumn = 5;
// "0.85", or "未判定" for a key not known yet.
QString weaknessText(const std::optional<double>& weakness);
// As weaknessText, with how far an unknown key is: "未判定（あと 12 回）".
QString weaknessText(const KeyFigures& k);
// The lines under the summary: what the figures' spans are, what 苦手度
// means and how many presses make a key known.
QString explanationText();

// The daily speed in the unit of the tests' figure (入力数／分: correct
// keys per minute, the time of the misses included); 0 without a mean time.
double dayInputsPerMinute(const DayFigures& d);
QString dayChartNote();
QString emptyChartText();
// "速くなった 12%", "遅くなった 8%", "変わらず" (within 5%), "" while unknown.
QString trendText(const std::optional<double>& trend);
// The trend cell of a key: trendText, or "未判定（あと 20 回）" while its
// two spans of attempts are not full yet.
QString trendCell(const KeyFigures& k);

// The line above the tables: how many keystrokes are kept, how many of the
// weak-key drill's keys are known, and how that drill draws.
QString summaryText(const Figures& f, const std::vector<int16_t>& drillKeys);

// Exports: CSV (UTF-8 with a byte-order mark, CR LF, a heading row) or JSON.
enum class Format { Csv, Json };
Format formatOf(const QString& path);  // .json: JSON, anything else CSV
// Every stored keystroke; nullopt when the store cannot be read.
std::optional<QByteArray> keystrokesExport(KeystrokeStore& store, Format format);
QByteArray keyFiguresExport(const Figures& f, Format format);

// The JSON export is one keystroke object per line inside the "keystrokes"
// list, read back as it is parsed (the file is never held as one document),
// so any export up to kMaxImportBytes imports again.
constexpr qint64 kMaxImportBytes = qint64(2) * 1024 * 1024 * 1024;

struct ImportResult {
    qint64 read = 0;   // keystrokes in the file
    qint64 added = 0;  // of those, not stored before
};
// Merges a JSON keystroke export (any version this program wrote, with or
// without origins) into the store; keystrokes already stored are skipped.
// nullopt (error set, nothing added) when the file is not such an export, is
// of the wrong shape (no list of keystrokes, a keystroke that is not one), or
// the store cannot be written.
std::optional<ImportResult> importKeystrokes(KeystrokeStore& store, QByteArrayView json, QString* error);
// The same for a file: refused when it is not a regular file or is larger
// than kMaxImportBytes (never read in part).
std::optional<ImportResult> importKeystrokesFile(KeystrokeStore& store, const QString& path, QString* error);

}  // namespace learning
