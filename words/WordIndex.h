#pragma once
#include <QByteArray>
#include <QString>
#include <optional>
#include <vector>

#include "WordSource.h"

// The compact index of the word source: the kept words of the dictionary in
// one small binary file in the data folder, so that word practice reads a
// few hundred kilobytes instead of the dictionary's tens of megabytes.
//
// File: "LumbraWords" magic, format version, the dictionary's stamp (its
// files' names, sizes and times), the word count, then per word its written
// form, reading and romaji (UTF-16, each with its length) and its
// commonness. A file with another version or stamp, or one that does not
// read to its end exactly, is not used: the index is built again.
namespace words {

constexpr quint32 kIndexVersion = 1;

QByteArray indexBytes(const std::vector<Word>& list, const QByteArray& stamp);
// The words of an index image; none when it is not a whole index of this
// version made from the dictionary with this stamp.
std::optional<std::vector<Word>> wordsOfIndex(const QByteArray& bytes, const QByteArray& stamp);

struct Loaded {
    std::vector<Word> words;
    QString error;       // empty: loaded; otherwise why there are no words (for the learner)
    bool built = false;  // the index was built (again) from the dictionary
};

// The words of the dictionary in dictionaryFolder, through the index file at
// indexPath: read when it matches the dictionary, otherwise built from the
// dictionary and written (a failed write only means it is built again next
// time).
Loaded loadWords(const QString& dictionaryFolder, const QString& indexPath);

}  // namespace words
