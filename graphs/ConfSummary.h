#pragma once
#include <QString>
#include <cstdint>

// The three sentences of the last-run summary ("成績表示"), made from the
// figures of the last drill run. All three are empty when no character was
// typed (chars < 1, e.g. before the first run).
struct ConfSummary {
    QString input;     // "120 文字の入力速度は 35.25 秒です。"
    QString minute;    // "１分あたりの入力数は 204 文字です。"
    QString missType;  // "ミスタイプはありませんでした。" / "ミスタイプは 3 回ありました。"

    static ConfSummary make(int32_t chars, double seconds, int32_t perMinute, int32_t misses);
};
