#include "WordSource.h"

#include <QFileInfo>
#include <QStringDecoder>
#include <QStringEncoder>
#include <algorithm>
#include <charconv>
#include <map>
#include <tuple>

#include "RomajiJudge.h"
#include "RomajiTable.h"
#include "SafeWrite.h"

namespace words {
namespace {

// What is taken from each file of the dictionary: the parts of speech (the
// second one empty: any), whether only the base form of a conjugating word
// counts, and the highest cost kept. The costs differ in scale from one kind
// of word to the next; each limit keeps the words a learner knows and lets go
// of the rare and literary ones, a few tens of thousands in all.
struct Kind {
    const char* file;
    const char16_t* pos1;
    const char16_t* pos2;
    bool baseFormOnly;
    int maxCost;
};
constexpr Kind kKinds[] = {
    {"Noun.csv", u"名詞", u"一般", false, 5600},
    {"Noun.verbal.csv", u"名詞", u"サ変接続", false, 5600},
    {"Noun.adjv.csv", u"名詞", u"形容動詞語幹", false, 5600},
    {"Noun.adverbal.csv", u"名詞", u"副詞可能", false, 5600},
    {"Verb.csv", u"動詞", u"自立", true, 7160},
    {"Adj.csv", u"形容詞", u"自立", true, 6900},
    {"Adverb.csv", u"副詞", u"", false, 5900},
};
constexpr char16_t kBaseForm[] = u"基本形";
constexpr qint64 kMaxFileBytes = 64 * 1024 * 1024;

// Columns of a dictionary line.
enum Column { kWritten = 0, kCost = 3, kPos1 = 4, kPos2 = 5, kForm = 9, kReading = 11, kColumns = 13 };

QByteArray eucJp(const char16_t* s) {
    QStringEncoder e("EUC-JP");
    return e.encode(QString::fromUtf16(s));
}

bool isKana(char16_t c) { return (c >= u'ぁ' && c <= u'ゖ') || (c >= u'ァ' && c <= u'ヶ') || c == u'ー'; }
bool isKanji(char16_t c) { return (c >= 0x4E00 && c <= 0x9FFF) || c == u'々' || c == u'〆'; }

bool writtenOk(const QString& w) {
    return !w.isEmpty() &&
           std::all_of(w.begin(), w.end(), [](QChar c) { return isKana(c.unicode()) || isKanji(c.unicode()); });
}

// The katakana reading in hiragana; empty when it holds anything else.
QString hiraganaOf(const QString& katakana) {
    QString out;
    out.reserve(katakana.size());
    for (QChar c : katakana) {
        const char16_t u = c.unicode();
        if (u == u'ー')
            out += c;
        else if (u >= u'ァ' && u <= u'ヶ')
            out += QChar(static_cast<char16_t>(u - (u'ァ' - u'ぁ')));
        else
            return {};
    }
    return out;
}

QString hiraganaOfAny(const QString& s) {
    QString out = s;
    for (QChar& c : out)
        if (c.unicode() >= u'ァ' && c.unicode() <= u'ヶ')
            c = QChar(static_cast<char16_t>(c.unicode() - (u'ァ' - u'ぁ')));
    return out;
}

const Kind* kindOf(std::string_view fileName) {
    for (const Kind& k : kKinds)
        if (fileName == k.file) return &k;
    return nullptr;
}

// The candidates with the kind they came from (its index in kKinds).
struct Found {
    Candidate c;
    size_t kind;
};

}  // namespace

bool Word::kanaOnly() const { return hiraganaOfAny(written) == reading; }

QString defaultDictionaryFolder() { return QStringLiteral("/usr/share/mecab/dic/ipadic"); }

std::vector<QString> dictionaryFiles() {
    std::vector<QString> files;
    for (const Kind& k : kKinds) files.push_back(QString::fromLatin1(k.file));
    return files;
}

QByteArray dictionaryStamp(const QString& folder) {
    QByteArray stamp;
    bool any = false;
    for (const QString& f : dictionaryFiles()) {
        const QFileInfo info(folder + u'/' + f);
        any = any || info.isFile();
        stamp += f.toLatin1() + ':' + QByteArray::number(info.isFile() ? info.size() : -1) + ':' +
                 QByteArray::number(info.isFile() ? info.lastModified().toMSecsSinceEpoch() : 0) + ';';
    }
    return any ? stamp : QByteArray();
}

std::optional<QString> spellForJudge(const QString& reading) {
    std::u16string kana;
    for (QChar c : reading) {
        const char16_t k = romaji::toTableKana(c.unicode());
        if (k == 0) return std::nullopt;
        kana.push_back(k);
    }
    QString out;
    std::vector<RomajiJudge::Candidate> cands;
    for (size_t p = 0; p < kana.size();) {
        RomajiJudge::candidatesAt(kana, p, cands);
        // The spelling that takes the most kana at once (きょ as kyo, っか as
        // kka, んか as nka), the table's first among those.
        const RomajiJudge::Candidate* best = nullptr;
        for (const auto& c : cands)
            if (!best || c.kana > best->kana) best = &c;
        if (!best) return std::nullopt;
        for (size_t i = 0; i < best->roman.size(); ++i) {
            const char ch = best->roman[i];
            out += QLatin1Char(static_cast<int>(i) < best->kana && ch >= 'a' && ch <= 'z' ? char(ch - 'a' + 'A') : ch);
        }
        p += static_cast<size_t>(best->kana);
    }
    // What counts is that the judge takes it: typed key by key, to its end.
    RomajiJudge judge;
    if (!judge.start(out, reading, false)) return std::nullopt;
    for (QChar c : out)
        if (!judge.key(c.toLower())) return std::nullopt;
    if (!judge.finished()) return std::nullopt;
    return out;
}

std::vector<Candidate> wordsOfFile(std::string_view fileName, const QByteArray& bytes) {
    std::vector<Candidate> out;
    const Kind* kind = kindOf(fileName);
    if (!kind) return out;
    const QByteArray pos1 = eucJp(kind->pos1);
    const QByteArray pos2 = eucJp(kind->pos2);
    const QByteArray baseForm = eucJp(kBaseForm);
    QStringDecoder decode("EUC-JP");
    if (!decode.isValid()) return out;
    std::string_view field[kColumns];
    const std::string_view all(bytes.constData(), static_cast<size_t>(bytes.size()));
    const auto is = [](std::string_view f, const QByteArray& b) {
        return f == std::string_view(b.constData(), b.size());
    };
    for (size_t at = 0; at < all.size();) {
        size_t end = all.find('\n', at);
        if (end == std::string_view::npos) end = all.size();
        std::string_view line = all.substr(at, end - at);
        at = end + 1;
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        int n = 0;
        for (size_t s = 0; n < kColumns;) {
            const size_t comma = line.find(',', s);
            field[n++] = line.substr(s, comma == std::string_view::npos ? std::string_view::npos : comma - s);
            if (comma == std::string_view::npos) break;
            s = comma + 1;
        }
        if (n < kColumns || !is(field[kPos1], pos1) || (!pos2.isEmpty() && !is(field[kPos2], pos2))) continue;
        if (kind->baseFormOnly && !is(field[kForm], baseForm)) continue;
        int cost = 0;
        const auto [p, ec] = std::from_chars(field[kCost].data(), field[kCost].data() + field[kCost].size(), cost);
        if (ec != std::errc() || p != field[kCost].data() + field[kCost].size() || cost > kind->maxCost) continue;
        Candidate c;
        c.cost = cost;
        // Bytes that do not decode come out as U+FFFD, which no check below takes.
        c.word.written = decode(QByteArrayView(field[kWritten].data(), qsizetype(field[kWritten].size())));
        c.word.reading = hiraganaOf(decode(QByteArrayView(field[kReading].data(), qsizetype(field[kReading].size()))));
        if (!writtenOk(c.word.written) || c.word.reading.size() < 2 || c.word.reading.size() > kMaxReading) continue;
        out.push_back(std::move(c));
    }
    return out;
}

ReadResult readDictionary(const QString& folder) {
    ReadResult r;
    if (!QStringDecoder("EUC-JP").isValid()) {
        r.error = QStringLiteral("この環境では辞書の文字コード（EUC-JP）を読めません。");
        return r;
    }
    // The lowest cost of each written form and reading, with its kind.
    std::map<std::pair<QString, QString>, std::pair<int, size_t>> best;
    bool any = false;
    for (size_t k = 0; k < std::size(kKinds); ++k) {
        const FileRead file = readWholeFile(folder + u'/' + QLatin1String(kKinds[k].file), kMaxFileBytes);
        if (file.status != FileRead::Read) continue;
        any = true;
        for (Candidate& c : wordsOfFile(kKinds[k].file, file.bytes)) {
            auto key = std::make_pair(c.word.written, c.word.reading);
            const auto it = best.find(key);
            if (it != best.end() && it->second.first <= c.cost) continue;
            best[std::move(key)] = {c.cost, k};
        }
    }
    if (!any) {
        r.error = QStringLiteral("単語の辞書が見つかりません。mecab-ipadic をインストールしてください。") +
                  QStringLiteral("\r\n") + folder;
        return r;
    }
    // Commonness: the rank of the cost among the words of the same kind.
    std::vector<std::vector<std::tuple<int, const QString*, const QString*>>> byKind(std::size(kKinds));
    for (const auto& [key, v] : best) byKind[v.second].emplace_back(v.first, &key.first, &key.second);
    for (auto& list : byKind) {
        std::stable_sort(list.begin(), list.end(),
                         [](const auto& a, const auto& b) { return std::get<0>(a) < std::get<0>(b); });
        for (size_t i = 0; i < list.size(); ++i) {
            Word w;
            w.written = *std::get<1>(list[i]);
            w.reading = *std::get<2>(list[i]);
            const auto spelled = spellForJudge(w.reading);
            if (!spelled) continue;
            w.romaji = *spelled;
            w.common = static_cast<quint8>(255 - (i * 255) / list.size());
            r.words.push_back(std::move(w));
        }
    }
    return r;
}

}  // namespace words
