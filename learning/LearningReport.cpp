#include "LearningReport.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <algorithm>
#include <cmath>

#include "KeyRecorder.h"
#include "KeystrokeStore.h"
#include "Numbers.h"

namespace learning {

namespace {

struct Named {
    int16_t vk;
    const char16_t* jis;
    const char16_t* us;
};
constexpr Named kNames[] = {
    {8, u"BS", u"BS"},
    {9, u"Tab", u"Tab"},
    {13, u"Enter", u"Enter"},
    {16, u"Shift", u"Shift"},
    {17, u"Ctrl", u"Ctrl"},
    {18, u"Alt", u"Alt"},
    {20, u"CapsLock", u"CapsLock"},
    {27, u"Esc", u"Esc"},
    {32, u"Space", u"Space"},
    {186, u":", u";"},
    {187, u";", u"="},
    {188, u",", u","},
    {189, u"-", u"-"},
    {190, u".", u"."},
    {191, u"/", u"/"},
    {192, u"@", u"`"},
    {219, u"[", u"["},
    {220, u"\u00A5", u"\\"},
    {221, u"]", u"]"},
    {222, u"^", u"'"},
    {226, u"\\(_)", u"\\"},
};

QString fixed(double v, int decimals) { return QString::number(v, 'f', decimals); }

QByteArray csv(const QStringList& heading, const std::vector<QStringList>& rows) {
    QString out;
    const auto line = [&out](const QStringList& cells) {
        QStringList quoted;
        for (const QString& c : cells) {
            const bool needs = c.contains(u',') || c.contains(u'"') || c.contains(u'\n') || c.contains(u'\r');
            quoted << (needs ? u'"' + QString(c).replace(QStringLiteral("\""), QStringLiteral("\"\"")) + u'"' : c);
        }
        out += quoted.join(u',') + QStringLiteral("\r\n");
    };
    line(heading);
    for (const QStringList& r : rows) line(r);
    return QByteArray("\xEF\xBB\xBF") + out.toUtf8();
}

QString modeName(int16_t mode) {
    return mode == kTextPracticeMode ? QStringLiteral("テキスト練習") : QStringLiteral("練習メニュー %1").arg(mode);
}

// A character as a JSON string: printable ASCII as it is, anything else
// escaped, so the export is plain ASCII whatever was typed.
void appendChar(QByteArray& out, QChar c) {
    if (c.isNull()) {
        out += "null";
        return;
    }
    const char16_t u = c.unicode();
    out += '"';
    if (u >= 0x20 && u < 0x7f && u != u'"' && u != u'\\') {
        out += static_cast<char>(u);
    } else {
        out += "\\u";
        out += QByteArray::number(u, 16).rightJustified(4, '0');
    }
    out += '"';
}

// One keystroke as one line of the export.
void appendKeystroke(QByteArray& out, const Keystroke& k) {
    const auto field = [&out](const char* name, qint64 v) {
        out += name;
        out += QByteArray::number(v);
    };
    field("{\"time_ms\":", k.timeMs);
    field(",\"mode\":", k.mode);
    field(",\"expected_vk\":", k.expectedVk);
    out += ",\"expected_char\":";
    appendChar(out, k.expectedChar);
    field(",\"pressed_vk\":", k.pressedVk);
    out += ",\"pressed_char\":";
    appendChar(out, k.pressedChar);
    out += k.correct ? ",\"correct\":true" : ",\"correct\":false";
    if (k.gapMs >= 0)
        field(",\"gap_ms\":", k.gapMs);
    else
        out += ",\"gap_ms\":null";
    field(",\"layout\":", k.layout);
    field(",\"prev_vk\":", k.prevVk);
    field(",\"origin\":", k.origin);
    out += '}';
}

std::optional<Keystroke> keystrokeFrom(const QJsonObject& o) {
    const auto integer = [&o](const char* name, double lo, double hi) -> std::optional<double> {
        const QJsonValue v = o.value(QLatin1String(name));
        if (!v.isDouble() || v.toDouble() != std::floor(v.toDouble()) || v.toDouble() < lo || v.toDouble() > hi)
            return std::nullopt;
        return v.toDouble();
    };
    const auto character = [&o](const char* name, QChar& out) {
        const QJsonValue v = o.value(QLatin1String(name));
        if (v.isNull() || v.isUndefined()) return true;
        if (!v.isString() || v.toString().size() != 1) return false;
        out = v.toString()[0];
        return true;
    };
    Keystroke k;
    const auto time = integer("time_ms", 0, 9.0e15);
    const auto mode = integer("mode", 0, 32767);
    const auto expected = integer("expected_vk", 0, 255);
    const auto pressed = integer("pressed_vk", 0, 255);
    const auto layout = integer("layout", 0, 1);
    const auto prev = o.contains(QLatin1String("prev_vk")) ? integer("prev_vk", 0, 255) : std::optional<double>(0);
    // Exports of versions before origins have none: 0, like the keys stored then.
    const auto origin =
        o.contains(QLatin1String("origin")) ? integer("origin", 0, 9007199254740991.0) : std::optional<double>(0);
    if (!time || !mode || !expected || !pressed || !layout || !prev || !origin ||
        !o.value(QLatin1String("correct")).isBool())
        return std::nullopt;
    const QJsonValue gap = o.value(QLatin1String("gap_ms"));
    if (!gap.isNull() && !gap.isUndefined() && !integer("gap_ms", 0, INT32_MAX)) return std::nullopt;
    if (!character("expected_char", k.expectedChar) || !character("pressed_char", k.pressedChar)) return std::nullopt;
    k.timeMs = static_cast<qint64>(*time);
    k.mode = static_cast<int16_t>(*mode);
    k.expectedVk = static_cast<int16_t>(*expected);
    k.pressedVk = static_cast<int16_t>(*pressed);
    k.layout = static_cast<int16_t>(*layout);
    k.prevVk = static_cast<int16_t>(*prev);
    k.origin = static_cast<qint64>(*origin);
    k.correct = o.value(QLatin1String("correct")).toBool();
    k.gapMs = gap.isDouble() ? static_cast<int32_t>(gap.toDouble()) : -1;
    return k;
}

constexpr const char* kFormatName = "lumbra-keystrokes";
constexpr int kExportVersion = 2;  // 2: one keystroke per line, with origins
constexpr size_t kImportBatch = 10000;

// Reads an export as it goes: the outer object key by key, the keystroke
// list element by element, each element parsed on its own.
class ExportScanner {
public:
    explicit ExportScanner(QByteArrayView bytes) : mAt(bytes.data()), mEnd(bytes.data() + bytes.size()) {}

    void space() {
        while (mAt < mEnd && (*mAt == ' ' || *mAt == '\t' || *mAt == '\r' || *mAt == '\n')) ++mAt;
    }
    bool take(char c) {
        space();
        if (mAt == mEnd || *mAt != c) return false;
        ++mAt;
        return true;
    }
    bool atEnd() {
        space();
        return mAt == mEnd;
    }
    char peek() {
        space();
        return mAt < mEnd ? *mAt : '\0';
    }
    // The text of the next value (a string, a number, a literal, an object
    // or a list, nested to any depth); empty when it is cut short.
    QByteArrayView value() {
        space();
        const char* start = mAt;
        int depth = 0;
        bool inString = false;
        while (mAt < mEnd) {
            const char c = *mAt++;
            if (inString) {
                if (c == '\\' && mAt < mEnd)
                    ++mAt;
                else if (c == '"') {
                    inString = false;
                    if (depth == 0) return {start, mAt - start};
                }
                continue;
            }
            if (c == '"')
                inString = true;
            else if (c == '{' || c == '[')
                ++depth;
            else if (c == '}' || c == ']') {
                if (depth == 0) {  // the end of the object or list around a number or a literal
                    --mAt;
                    return {start, mAt - start};
                }
                if (--depth == 0) return {start, mAt - start};
            } else if (depth == 0 && (c == ',' || c == ' ' || c == '\t' || c == '\r' || c == '\n')) {
                --mAt;
                return {start, mAt - start};
            }
        }
        if (depth == 0 && !inString && mAt == mEnd && mAt > start) return {start, mAt - start};
        mAt = mEnd;
        return {};
    }

private:
    const char* mAt;
    const char* mEnd;
};

// A scalar (or any) value parsed on its own; undefined when it is not JSON.
QJsonValue parsed(QByteArrayView text) {
    QJsonParseError e;
    const QJsonDocument doc = QJsonDocument::fromJson(QByteArray("[") + QByteArray(text.data(), text.size()) + ']', &e);
    return e.error == QJsonParseError::NoError && doc.isArray() ? doc.array().at(0) : QJsonValue(QJsonValue::Undefined);
}

}  // namespace

QString keyName(int16_t vk, int16_t layout) {
    if ((vk >= 'A' && vk <= 'Z') || (vk >= '0' && vk <= '9')) return QString(QChar(vk));
    for (const Named& n : kNames)
        if (n.vk == vk) return QString::fromUtf16(layout == 0 ? n.jis : n.us);
    return QStringLiteral("VK %1").arg(vk);
}

QString weaknessText(const std::optional<double>& weakness) {
    return weakness ? fixed(*weakness, 2) : QStringLiteral("未判定");
}

int pressesToKnown(const KeyFigures& k) {
    const qint64 left = std::max<qint64>({kMinAttempts - k.recent.attempts, kMinTimed - k.recent.timedN, 0});
    return static_cast<int>(left);
}

QString weaknessText(const KeyFigures& k) {
    if (k.weakness) return weaknessText(k.weakness);
    const int left = std::max(pressesToKnown(k), 1);
    return QStringLiteral("未判定（あと %1 回）").arg(left);
}

KeyLook lookOf(const KeyFigures& k) {
    KeyLook look;
    look.color = heatColor(k.weakness);
    look.slow = k.slowness && *k.slowness >= kSlowMark;
    look.missed = k.weakness && k.accuracy && *k.accuracy < kMissedMark;
    return look;
}

KeyLook lookOf(const Figures* f, int16_t vk) {
    if (f)
        for (const KeyFigures& k : f->keys)
            if (k.vk == vk) return lookOf(k);
    return {};
}

QString weakSideText(const KeyLook& look) {
    if (look.slow && look.missed) return QStringLiteral("遅い・ミスが多い");
    if (look.slow) return QStringLiteral("遅い");
    if (look.missed) return QStringLiteral("ミスが多い");
    return {};
}

std::vector<LegendEntry> heatLegend() {
    return {{heatColor(0.6), QStringLiteral("得意")},
            {heatColor(1.0), QStringLiteral("ふつう")},
            {heatColor(1.5), QStringLiteral("1.5 倍")},
            {heatColor(2.0), QStringLiteral("2 倍以上")},
            {kUnknownHeatColor, QStringLiteral("未判定")}};
}

QString slowMarkCaption() { return QStringLiteral("遅い"); }
QString missedMarkCaption() { return QStringLiteral("ミスが多い"); }

QString trendText(const std::optional<double>& trend) {
    if (!trend) return {};
    const int percent = static_cast<int>(std::lround(std::abs(*trend) * 100.0));
    if (percent <= 5) return QStringLiteral("変わらず");
    return (*trend < 0 ? QStringLiteral("速くなった %1%") : QStringLiteral("遅くなった %1%")).arg(percent);
}

QString trendCell(const KeyFigures& k) {
    if (k.trend) return trendText(k.trend);
    const qint64 left = 2 * kTrendSpan - k.total.attempts;
    return left > 0 ? QStringLiteral("未判定（あと %1 回）").arg(left) : QString();
}

QStringList keyTableHeadings() {
    return {QStringLiteral("キー"),           QStringLiteral("打鍵数（全部）"),
            QStringLiteral("正確さ（最近）"), QStringLiteral("平均時間（最近）"),
            QStringLiteral("苦手度"),         QStringLiteral("弱点"),
            QStringLiteral("最近の傾向")};
}

QStringList keyRow(const Figures& f, const KeyFigures& k) {
    const auto mean = k.recent.meanMs();
    return {keyName(k.vk, f.layout),
            QString::number(k.total.attempts),
            k.recent.attempts ? fixed(k.recent.accuracy() * 100.0, 1) + u'%' : QString(),
            mean ? QStringLiteral("%1 ms").arg(std::lround(*mean)) : QString(),
            weaknessText(k),
            weakSideText(lookOf(k)),
            trendCell(k)};
}

QString explanationText() {
    return QStringLiteral(
               "打鍵数は記録した全部の打鍵、正確さと平均時間はそのキーの最近 %1 回の打鍵の値です。"
               "苦手度と弱点は最近 %2 回の打鍵を新しいものほど重く（%3 回前の打鍵は半分の重さで）数え、"
               "傾向は最近 %4 回をその前の %4 回と比べています。\n"
               "苦手度は、そのキーを正しく打つまでにかかる時間（ミス 1 回はふつうのキー %5 回分）が、"
               "ふつうのキーの何倍かです。1 がふつう、2 は倍かかるキーです。\n"
               "遅い: 時間がふつうの %6 倍以上。ミスが多い: 正確さが %7% 未満。"
               "苦手度は %8 回打つと（そのうち時間を計れた正しい打鍵が %9 回あると）分かります。")
        .arg(kRecentWindow)
        .arg(kHistory)
        .arg(kHalfLife)
        .arg(kTrendSpan)
        .arg(kMissCost)
        .arg(kSlowMark)
        .arg(std::lround(kMissedMark * 100))
        .arg(kMinAttempts)
        .arg(kMinTimed);
}

double dayInputsPerMinute(const DayFigures& d) { return d.perMinute() * d.counts.accuracy(); }

QString dayChartNote() {
    return QStringLiteral(
               "１分あたりの入力数は、テストの成績と同じく、正しく打てた文字数をミスも含めた打鍵の時間で割った数です"
               "（%1 秒を超える間は %1 秒として数えます）。")
        .arg(kGapCapMs / 1000);
}

QString emptyChartText() {
    return QStringLiteral("まだ記録がありません。練習すると、1 日に %1 回以上打った日がここに表示されます。")
        .arg(kMinAttempts);
}

QString summaryText(const Figures& f, const std::vector<int16_t>& drillKeys) {
    int known = 0;
    for (int16_t vk : drillKeys)
        if (f.weaknessOf(vk)) ++known;
    const int total = static_cast<int>(drillKeys.size());
    QString s =
        QStringLiteral("記録した打鍵: %1　苦手度が分かったキー: %2 / %3\n").arg(f.keystrokes).arg(known).arg(total);
    if (drawsByWeakness(known, total))
        s += QStringLiteral("苦手キーの練習は、苦手なキーほど多く出題しています。");
    else
        s += QStringLiteral("苦手キーの練習は、まだ記録が足りないため、全てのキーと同じように出題しています。");
    return s;
}

Format formatOf(const QString& path) {
    return path.endsWith(QStringLiteral(".json"), Qt::CaseInsensitive) ? Format::Json : Format::Csv;
}

std::optional<QByteArray> keystrokesExport(KeystrokeStore& store, Format format) {
    if (format == Format::Json) {
        QByteArray out = QByteArray("{\"format\":\"") + kFormatName +
                         "\",\"version\":" + QByteArray::number(kExportVersion) + ",\"keystrokes\":[";
        bool first = true;
        if (!store.forEach([&](const Keystroke& k) {
                out += first ? "\n" : ",\n";
                first = false;
                appendKeystroke(out, k);
                return true;
            }))
            return std::nullopt;
        out += "\n]}\n";
        return out;
    }
    std::vector<QStringList> rows;
    const auto charText = [](QChar c) { return c.isNull() ? QString() : QString(c); };
    if (!store.forEach([&](const Keystroke& k) {
            rows.push_back({QDateTime::fromMSecsSinceEpoch(k.timeMs, Qt::UTC).toString(Qt::ISODateWithMs),
                            modeName(k.mode), k.expectedVk ? keyName(k.expectedVk, k.layout) : QString(),
                            charText(k.expectedChar), keyName(k.pressedVk, k.layout), charText(k.pressedChar),
                            k.correct ? QStringLiteral("正") : QStringLiteral("誤"),
                            k.gapMs >= 0 ? QString::number(k.gapMs) : QString(),
                            k.layout == 0 ? QStringLiteral("日本語(106)") : QStringLiteral("英語(101)")});
            return true;
        }))
        return std::nullopt;
    return csv({QStringLiteral("日時(UTC)"), QStringLiteral("練習"), QStringLiteral("打つキー"),
                QStringLiteral("打つ文字"), QStringLiteral("押したキー"), QStringLiteral("押した文字"),
                QStringLiteral("正誤"), QStringLiteral("間隔(ms)"), QStringLiteral("キーボード")},
               rows);
}

QByteArray keyFiguresExport(const Figures& f, Format format) {
    if (format == Format::Json) {
        QJsonArray keys;
        for (const KeyFigures& k : f.keys) {
            const auto num = [](const std::optional<double>& v) { return v ? QJsonValue(*v) : QJsonValue(); };
            keys.append(
                QJsonObject{{"key", keyName(k.vk, f.layout)},
                            {"vk", k.vk},
                            {"attempts", static_cast<qint64>(k.total.attempts)},
                            {"misses", static_cast<qint64>(k.total.misses)},
                            {"mean_ms", num(k.total.meanMs())},
                            {"recent_attempts", static_cast<qint64>(k.recent.attempts)},
                            {"recent_accuracy", k.recent.attempts ? QJsonValue(k.recent.accuracy()) : QJsonValue()},
                            {"recent_mean_ms", num(k.recent.meanMs())},
                            {"weakness", num(k.weakness)},
                            {"trend", num(k.trend)}});
        }
        return QJsonDocument(QJsonObject{{"format", "lumbra-key-figures"}, {"layout", f.layout}, {"keys", keys}})
            .toJson(QJsonDocument::Indented);
    }
    std::vector<QStringList> rows;
    for (const KeyFigures& k : f.keys) {
        const auto mean = k.total.meanMs();
        QStringList r = keyRow(f, k);
        r.insert(2, QString::number(k.total.misses));
        r.insert(4, mean ? num::general(std::round(*mean * 10) / 10) : QString());
        rows.push_back(r);
    }
    return csv({QStringLiteral("キー"), QStringLiteral("打鍵数"), QStringLiteral("ミス数"),
                QStringLiteral("最近の正確さ"), QStringLiteral("平均時間(ms)"), QStringLiteral("最近の平均時間"),
                QStringLiteral("苦手度"), QStringLiteral("弱点"), QStringLiteral("最近の傾向")},
               rows);
}

std::optional<ImportResult> importKeystrokes(KeystrokeStore& store, QByteArrayView json, QString* error) {
    const auto failed = [error](const QString& why) {
        if (error) *error = why;
        return false;
    };
    const QString notExport = QStringLiteral("打鍵記録の書き出しファイル（JSON 形式）ではありません。");
    const QString wrongShape = QStringLiteral("打鍵記録の形が正しくありません（打鍵の一覧がありません）。");
    ImportResult result;
    bool storeFailed = false;
    const auto added = store.appendBatches([&](const KeystrokeStore::BatchSink& sink) {
        ExportScanner in(json);
        if (!in.take('{')) return failed(notExport);
        QString format;
        QJsonValue version;
        bool listSeen = false;
        std::vector<Keystroke> batch;
        const auto flush = [&] {
            if (!sink(batch)) {
                storeFailed = true;
                return failed(store.error());
            }
            batch.clear();
            return true;
        };
        if (in.peek() != '}') {
            do {
                const QJsonValue key = parsed(in.value());
                if (!key.isString() || !in.take(':')) return failed(notExport);
                if (key.toString() != QLatin1String("keystrokes")) {
                    const QJsonValue v = parsed(in.value());
                    if (v.isUndefined()) return failed(notExport);
                    if (key.toString() == QLatin1String("format")) format = v.toString();
                    if (key.toString() == QLatin1String("version")) version = v;
                    continue;
                }
                if (listSeen || !in.take('[')) return failed(wrongShape);
                listSeen = true;
                if (in.take(']')) continue;
                do {
                    const QByteArrayView text = in.value();
                    QJsonParseError e;
                    const QJsonDocument doc = QJsonDocument::fromJson(QByteArray(text.data(), text.size()), &e);
                    const auto k = e.error == QJsonParseError::NoError && doc.isObject() ? keystrokeFrom(doc.object())
                                                                                         : std::nullopt;
                    if (!k)
                        return failed(
                            QStringLiteral("打鍵記録の内容が正しくありません（%1 件目の打鍵）。").arg(result.read + 1));
                    ++result.read;
                    batch.push_back(*k);
                    if (batch.size() >= kImportBatch && !flush()) return false;
                } while (in.take(','));
                if (!in.take(']')) return failed(notExport);
            } while (in.take(','));
        }
        if (!in.take('}') || !in.atEnd() || format != QLatin1String(kFormatName)) return failed(notExport);
        if (!version.isUndefined() && !version.isDouble()) return failed(notExport);
        if (version.toDouble() > kExportVersion)
            return failed(QStringLiteral("このプログラムより新しい版が書き出したファイルです。"));
        if (!listSeen) return failed(wrongShape);
        return flush();
    });
    if (!added) {
        if (storeFailed && error && error->isEmpty()) *error = store.error();
        return std::nullopt;
    }
    result.added = *added;
    return result;
}

std::optional<ImportResult> importKeystrokesFile(KeystrokeStore& store, const QString& path, QString* error) {
    const auto failed = [error](const QString& why) {
        if (error) *error = why;
        return std::nullopt;
    };
    const QFileInfo info(path);
    if (!info.exists()) return failed(QStringLiteral("ファイルが見つかりません。"));
    // A pipe or a device could block or never end.
    if (!info.isFile()) return failed(QStringLiteral("通常のファイルではありません。"));
    if (info.size() > kMaxImportBytes)
        return failed(QStringLiteral("ファイルが大きすぎます。読み込めるのは %1 MB までです。")
                          .arg(kMaxImportBytes / (1024 * 1024)));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return failed(file.errorString());
    if (file.size() == 0) return importKeystrokes(store, QByteArrayView(), error);
    // Mapped, not read: the pages are read as the parse reaches them.
    if (const uchar* mapped = file.map(0, file.size()))
        return importKeystrokes(store, QByteArrayView(reinterpret_cast<const char*>(mapped), file.size()), error);
    const QByteArray bytes = file.read(kMaxImportBytes + 1);
    if (file.error() != QFileDevice::NoError) return failed(file.errorString());
    if (bytes.size() > kMaxImportBytes) return failed(QStringLiteral("ファイルが大きすぎます。"));
    return importKeystrokes(store, bytes, error);
}

}  // namespace learning
