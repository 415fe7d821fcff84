#pragma once
#include <QByteArray>
#include <QString>
#include <optional>
#include <string_view>
#include <vector>

// The word source: everyday words read from the IPA dictionary's CSV files
// (Debian's mecab-ipadic, EUC-JP; columns: written form, two context ids,
// cost, four parts of speech, conjugation type and form, base form, reading
// in katakana, pronunciation).
//
// Which words are kept is the table in WordSource.cpp: common nouns (also
// those that take する, adjectival nouns and nouns used as adverbs), the base
// forms of verbs and adjectives, and adverbs, each file with a cost limit
// (a lower cost is a more common word). Proper nouns, names, places and
// organisations live in files of their own that are never read. A word is
// kept when its written form is kanji and kana only, its reading is 2 to
// kMaxReading kana, and the romaji judge of text practice can type the
// reading; the same written form and reading is kept once, with its lowest
// cost.
namespace words {

constexpr int kMaxReading = 10;

struct Word {
    QString written;    // as a reader sees it: 天気, テレビ, すぐ
    QString reading;    // hiragana: てんき
    QString romaji;     // the reading spelled for the judge, one capital per kana: TeNKi
    quint8 common = 0;  // 255: the most common of its kind ... 0: the least
    // The written form is the reading itself (in hiragana or katakana).
    bool kanaOnly() const;
};

// The folder Debian installs the dictionary in.
QString defaultDictionaryFolder();

// The CSV files the source reads, in the order it reads them.
std::vector<QString> dictionaryFiles();

// What identifies the dictionary's contents: the names, sizes and
// modification times of the files the source reads. Empty when none of them
// is there (the dictionary is not installed).
QByteArray dictionaryStamp(const QString& folder);

// Spells a reading (hiragana or katakana) for the judge with its first
// spelling of each kana (っ as the doubled consonant, ん as a single n where an
// input method takes it), a capital letter for every kana. None when the judge
// cannot type the reading.
std::optional<QString> spellForJudge(const QString& reading);

struct ReadResult {
    std::vector<Word> words;
    QString error;  // empty: read
};

// Reads the dictionary in `folder`. An error when no file of it could be
// read or EUC-JP cannot be decoded here; a single missing file is skipped.
ReadResult readDictionary(const QString& folder);

// The words kept from one file's bytes (named like the dictionary's file,
// which decides what is taken from it), with their cost; commonness is not
// yet set. Exposed for the tests of the filter.
struct Candidate {
    Word word;
    int cost = 0;
};
std::vector<Candidate> wordsOfFile(std::string_view fileName, const QByteArray& bytes);

}  // namespace words
