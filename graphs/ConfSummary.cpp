#include "ConfSummary.h"

#include "Numbers.h"

ConfSummary ConfSummary::make(int32_t chars, double seconds, int32_t perMinute, int32_t misses) {
    if (chars < 1) return {};
    ConfSummary s;
    s.input = QString::number(chars) + QStringLiteral(" 文字の入力速度は ") + num::general(seconds) +
              QStringLiteral(" 秒です。");
    s.minute = QStringLiteral("１分あたりの入力数は ") + QString::number(perMinute) + QStringLiteral(" 文字です。");
    s.missType = QStringLiteral("ミスタイプは") +
                 (misses < 1 ? QStringLiteral("ありませんでした。")
                             : QStringLiteral(" ") + QString::number(misses) + QStringLiteral(" 回ありました。"));
    return s;
}
