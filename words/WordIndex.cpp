#include "WordIndex.h"

#include <QDataStream>
#include <QSaveFile>

#include "SafeWrite.h"

namespace words {
namespace {
constexpr char kMagic[] = "LumbraWords";
constexpr qint64 kMaxIndexBytes = 32 * 1024 * 1024;
}  // namespace

QByteArray indexBytes(const std::vector<Word>& list, const QByteArray& stamp) {
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out.setVersion(QDataStream::Qt_6_4);
    out.writeRawData(kMagic, sizeof kMagic);
    out << kIndexVersion << stamp << static_cast<quint32>(list.size());
    for (const Word& w : list) out << w.written << w.reading << w.romaji << w.common;
    return bytes;
}

std::optional<std::vector<Word>> wordsOfIndex(const QByteArray& bytes, const QByteArray& stamp) {
    QDataStream in(bytes);
    in.setVersion(QDataStream::Qt_6_4);
    char magic[sizeof kMagic] = {};
    quint32 version = 0, count = 0;
    QByteArray theirStamp;
    if (in.readRawData(magic, sizeof magic) != sizeof magic ||
        std::string_view(magic, sizeof magic) != std::string_view(kMagic, sizeof kMagic))
        return std::nullopt;
    in >> version >> theirStamp >> count;
    // Every word takes at least 13 bytes: a count larger than the file is damage.
    if (in.status() != QDataStream::Ok || version != kIndexVersion || theirStamp != stamp || count > bytes.size() / 13)
        return std::nullopt;
    std::vector<Word> list(count);
    for (Word& w : list) in >> w.written >> w.reading >> w.romaji >> w.common;
    if (in.status() != QDataStream::Ok || !in.atEnd()) return std::nullopt;
    return list;
}

Loaded loadWords(const QString& dictionaryFolder, const QString& indexPath) {
    Loaded r;
    const QByteArray stamp = dictionaryStamp(dictionaryFolder);
    if (stamp.isEmpty()) {
        r.error = QStringLiteral("単語の辞書が見つかりません。mecab-ipadic をインストールしてください。") +
                  QStringLiteral("\r\n") + dictionaryFolder;
        return r;
    }
    const FileRead file = readWholeFile(indexPath, kMaxIndexBytes);
    if (file.status == FileRead::Read)
        if (auto list = wordsOfIndex(file.bytes, stamp)) {
            r.words = std::move(*list);
            return r;
        }
    ReadResult read = readDictionary(dictionaryFolder);
    if (!read.error.isEmpty() || read.words.empty()) {
        r.error = read.error.isEmpty()
                      ? QStringLiteral("辞書に練習できる単語がありませんでした。\r\n") + dictionaryFolder
                      : read.error;
        return r;
    }
    // The index is only a faster way to the dictionary: when it cannot be
    // written, the words are read from the dictionary again next time.
    QSaveFile out(indexPath);
    if (out.open(QIODevice::WriteOnly)) {
        out.write(indexBytes(read.words, stamp));
        out.commit();
    }
    r.words = std::move(read.words);
    r.built = true;
    return r;
}

}  // namespace words
