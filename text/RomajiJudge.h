#pragma once
#include <QString>
#include <QStringView>
#include <string>
#include <unordered_map>
#include <vector>

// Judges a practice entry written as kana over its romanised reading the way
// a Japanese input method takes romaji: any spelling of the romaji table
// (RomajiTable.h) is right, decided key by key.
//
// An entry fits when every display character is a kana (or ー, or punctuation
// of the table), its Input has one marker per display character, and Input
// read as romaji spells exactly the display, with every spelling starting on
// a display character of its own. Other entries are not taken (start returns
// false) and are judged letter by letter as written.
//
// Key by key: the judge holds the candidate spellings of the kana at the
// current position, the one kana or several (a palatal, or っ and ん joined
// to the kana after them). A key keeps the candidates whose next letter it
// is; a key that none has is refused. When a candidate is typed to its end
// its kana are done and the candidates of the next position are taken.
// Besides the table, っ is accepted as the doubled first consonant of the
// next spelling (never n, never a vowel) and ん as a single n before a
// spelling that starts with a consonant other than n and y, or with a mark.
// A single n at the end of the entry is not ん yet: the entry waits for the
// second n, as an input method waits for the next key.
//
// The guide is the rest of the entry to type: the rest of the spelling being
// typed, then the file's spelling of the kana after it. A spelling the learner
// took instead of the one shown is remembered for that kana, and the guide
// spells that kana so from then on (in this entry and the next ones). While
// the learner types the file's spelling, the display loses its characters at
// the file's markers exactly as when judging letter by letter; otherwise a
// kana goes when its spelling is finished.
class RomajiJudge {
public:
    // Takes an entry. upperCase: the guide is shown in capitals.
    // False when the entry does not fit; the judge is then idle.
    bool start(const QString& input, const QString& display, bool upperCase);

    // One typed character; true when it is right. Letters are compared
    // without regard to case.
    bool key(QChar ch);

    bool finished() const { return mPos >= mKana.size(); }
    // The letter the guide shows next (lower case).
    QChar expected() const;
    // The rest of the entry to type.
    QStringView guide() const { return QStringView(mGuide).mid(mGuidePos); }
    // Display characters typed away so far.
    qsizetype displayRemoved() const { return mDisplayRemoved; }

    // One spelling the judge accepts at a position.
    struct Candidate {
        std::string roman;
        int kana = 0;           // kana it types
        bool fromTable = true;  // a row of the table (not っ or ん joined to the next kana)
    };
    // The spellings accepted for the kana of `kana` from position pos
    // (hiragana, as romaji::toTableKana gives them).
    static void candidatesAt(std::u16string_view kana, size_t pos, std::vector<Candidate>& out);

private:
    struct FileChunk {
        int32_t kanaStart;
        int32_t inputStart;
        int16_t kanaCount;
        int16_t romanLen;
        bool fromTable;
    };

    bool parse(const QString& input);
    void beginChunk();
    std::string fileRoman(const FileChunk& c) const;
    std::string plannedRoman(size_t chunk) const;
    std::string defaultRoman(size_t pos) const;
    size_t chunkEndingAtOrAfter(size_t pos) const;
    void rebuildGuide(qsizetype pad);
    void placeHead();
    void completeChunk(const Candidate& c);
    void shrinkAlongFile();

    std::u16string mKana;  // the display as table kana
    QString mSource;       // the entry's Input as written (its markers)
    QString mInput;        // the same in lower case
    std::vector<FileChunk> mChunks;
    std::vector<int32_t> mChunkAt;  // per kana position (and the end): chunk starting there, else -1
    bool mUpper = true;

    size_t mPos = 0;  // kana done
    std::vector<Candidate> mCands;
    std::string mTyped;    // letters typed into the current spelling
    std::string mPlanned;  // the spelling the guide showed when it began
    qsizetype mDisplayRemoved = 0;

    // The guide: mGuide from mGuidePos. Spellings of the file's chunks sit at
    // mChunkOffset; the rest of the current spelling is written just before
    // the first chunk after it, into the space already typed.
    QString mGuide;
    qsizetype mGuidePos = 0;
    std::vector<qsizetype> mChunkOffset;

    std::unordered_map<std::u16string, std::string> mPreferred;  // kana -> spelling the learner took
};
