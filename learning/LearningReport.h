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
// "Shift", "Space" ...; an unnamed code as "VK 123".
QString keyName(int16_t vk, int16_t layout);

// One row of the key table: key, attempts, accuracy, mean time, weakness, trend.
QStringList keyRow(const KeyFigures& k, int16_t layout);
QStringList keyTableHeadings();
// "0.85", or "未判定" for a key not known yet.
QString weaknessText(const std::optional<double>& weakness);
// "速くなった 12%", "遅くなった 8%", "変わらず" (within 5%), "" while unknown.
QString trendText(const std::optional<double>& trend);

// The line above the tables: how many keystrokes are kept, how many of the
// weak-key drill's keys are known, and how that drill draws.
QString summaryText(const Figures& f, const std::vector<int16_t>& drillKeys);

// Exports: CSV (UTF-8 with a byte-order mark, CR LF, a heading row) or JSON.
enum class Format { Csv, Json };
Format formatOf(const QString& path);  // .json: JSON, anything else CSV
// Every stored keystroke; nullopt when the store cannot be read.
std::optional<QByteArray> keystrokesExport(KeystrokeStore& store, Format format);
QByteArray keyFiguresExport(const Figures& f, Format format);

struct ImportResult {
    int read = 0;   // keystrokes in the file
    int added = 0;  // of those, not stored before
};
// Merges a JSON keystroke export into the store; keystrokes already stored
// are skipped. nullopt (error set) when the file is not such an export or
// the store cannot be written (then nothing is added).
std::optional<ImportResult> importKeystrokes(KeystrokeStore& store, const QByteArray& json, QString* error);

}  // namespace learning
