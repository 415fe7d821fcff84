#pragma once
#include <QByteArray>
#include <QString>
#include <functional>

#include "FileFaults.h"
#include "GraphData.h"

class Dialogs;

// CSV export of the test and text-practice graphs: CP932 text, lines ended
// by CR LF, items separated by ", ", the oldest shown entry first.
namespace graphcsv {

// "回数", "入力時間", "ミスタイプ数" with the run numbers (counted from the
// first run ever stored), times and miss counts.
QByteArray TestCsvBytes(const TestGraphData& data);
// "回数", "入力文字数", "ミスタイプ数", "入力数／分".
QByteArray TextCsvBytes(const TextGraphData& data);

// Writes the file (Retry/Cancel box on failure, text
// "ＣＳＶファイルの書き込みに失敗しました。" CR LF path) and then shows the
// completion box titled `title`. False when the user cancelled the write.
bool SaveCsvFile(const QString& path, const QByteArray& bytes, Dialogs& dialogs, const QString& title,
                 FileFaults& faults = FileFaults::none());

// The export command: the save dialog (CSV and all-files filters, no
// overwrite prompt of its own), the overwrite question for an existing file
// (Yes/No, No by default, titled `title`), then SaveCsvFile with the bytes
// made at that moment. True when a file was written.
bool ExportCsv(Dialogs& dialogs, const QString& title, const std::function<QByteArray()>& bytes);

}  // namespace graphcsv
