#include "TextFile.h"

#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

#include "Cp932.h"

namespace textfile {

QString upperSameLength(const QString& s) {
    QString out = s;
    for (QChar& c : out) c = c.toUpper();
    return out;
}

QString lowerSameLength(const QString& s) {
    QString out = s;
    for (QChar& c : out) c = c.toLower();
    return out;
}

int countDisplayMarkers(const QString& input) {
    int n = 0;
    for (qsizetype i = 1; i < input.size(); ++i)
        if (!continuesSyllable(input[i])) ++n;
    return n;
}

int displayLength(const QString& display) {
    int n = 0;
    for (qsizetype i = 0; i < display.size(); ++i) {
        if (display[i].isHighSurrogate() && i + 1 < display.size() && display[i + 1].isLowSurrogate()) ++i;
        ++n;
    }
    return n;
}

std::optional<TextEntry> parseTextLine(const QString& line) {
    const qsizetype bar = line.indexOf(u'|');
    if (bar < 0) return std::nullopt;
    const QString a = line.left(bar);
    const QString b = line.mid(bar + 1);
    if (a.startsWith(u'#') || a.size() < 2) return std::nullopt;
    if (b.isEmpty()) return TextEntry{upperSameLength(a), a};
    return TextEntry{a, b};
}

QList<TextEntry> parseTextEntries(const QString& text) {
    QList<TextEntry> entries;
    qsizetype start = 0;
    const qsizetype n = text.size();
    while (start < n) {
        qsizetype end = start;
        while (end < n && text[end] != u'\n' && text[end] != u'\r') ++end;
        if (auto e = parseTextLine(text.mid(start, end - start))) entries.append(std::move(*e));
        if (end < n && text[end] == u'\r' && end + 1 < n && text[end + 1] == u'\n') ++end;
        start = end + 1;
    }
    return entries;
}

QString decodePracticeText(const QByteArray& bytes) {
    if (bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF")) {
        QStringDecoder d(bytes.startsWith("\xFF\xFE") ? QStringConverter::Utf16LE : QStringConverter::Utf16BE,
                         QStringConverter::Flag::Default);
        return d.decode(bytes.mid(2));
    }
    if (bytes.contains('\0')) return {};
    return cp932::decodeTextFile(bytes);
}

namespace {

// The reason a file cannot be read, in the words of the program's messages.
QString openFailure(const QFileInfo& info) {
    if (!info.exists())
        return QFileInfo::exists(info.absolutePath()) ? QStringLiteral("ファイルが見つかりません。")
                                                      : QStringLiteral("パスが見つかりません。");
    return QStringLiteral("パス/ファイル アクセス エラーです。");
}

QString tooLarge(qint64 maxBytes) {
    return QStringLiteral("ファイルが大きすぎます。練習ファイルは %1 MB までです。").arg(maxBytes / (1024 * 1024));
}

}  // namespace

ReadResult readPracticeFile(const QString& path, qint64 maxBytes) {
    ReadResult r;
    const QFileInfo info(path);
    // Only regular files: a device or a pipe could be endless or block.
    if (path.isEmpty() || !info.exists() || !info.isFile()) {
        r.error = openFailure(info);
        return r;
    }
    if (info.size() > maxBytes) {
        r.error = tooLarge(maxBytes);
        return r;
    }
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
        r.error = openFailure(info);
        return r;
    }
    // Read one byte more than allowed: a file that grew meanwhile is refused too.
    const QByteArray bytes = f.read(maxBytes + 1);
    const bool failed = f.error() != QFileDevice::NoError;
    f.close();
    if (failed) {
        r.error = QStringLiteral("ファイルを読み込めませんでした。");
        return r;
    }
    if (bytes.size() > maxBytes) {
        r.error = tooLarge(maxBytes);
        return r;
    }
    r.ok = true;
    r.entries = parseTextEntries(decodePracticeText(bytes));
    return r;
}

}  // namespace textfile
