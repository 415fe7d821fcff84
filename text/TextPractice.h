#pragma once
#include <QList>
#include <QString>
#include <QStringView>
#include <cstdint>

#include "AppContext.h"  // the modules and services, declared
#include "KeyRecorder.h"
#include "RomajiJudge.h"
#include "TextFile.h"

// The text-practice session behind frmText: the entries of the loaded file,
// the entry being typed, the per-entry and cumulative figures, and the one
// text result stored when the window closes.
//
// A key's way: the window hands every typed character to keyPress. The
// character is compared, ignoring case, with the next character of the
// entry's Input. A miss counts (and beeps, and with MissNext is entered for
// the user as if typed right). A correct character shortens the input line by
// one and, when the character after it starts a new syllable (anything but
// "a".."z"), the display line by one. The last character finishes the entry:
// its rate goes into row 1, the totals and the average into row 2, and the
// next entry (file order, reverse or random by TextRead) is shown. On close,
// Unload adds row 2 to the results file when at least one entry finished.
//
// With TextRomaji on, an entry written as kana over its reading is judged
// by RomajiJudge instead: any spelling a Japanese input method takes is
// right, the input line shows the rest in the spelling being typed, and the
// figures count the keys typed right ("si" 2, "shi" 3). Other entries, and
// every entry with TextRomaji off, are judged letter by letter as above.
//
// Rates are characters per minute rounded half to even; an entry finished
// in the same millisecond as its first key counts as 1 ms long, and rates
// stop at 32767, so finishing an entry always completes.
//
// The two text lines are kept as the full strings of the entry plus the
// number of characters already removed, so a key costs the same on an
// enormous line as on a short one.
class TextPractice {
public:
    struct Figures {
        int32_t typed = 0;
        int32_t miss = 0;
        double perMin = 0;
    };

    TextPractice(basParam& param, basResults& results, Clock& clock, Random& random, Dialogs& dialogs, Beeper& beeper);

    // Loads a practice file and shows its first entry (see the class comment
    // of TextFile.h for the format). A file with no entry, a missing,
    // unreadable, non-text or oversized file shows an error box; then keys
    // are ignored until a file loads, and TextFileName keeps its value.
    // Returns whether entries were loaded.
    bool LoadText(const QString& path);

    // The learning engine gets every character the learner types (not the
    // ones MissNext enters for them); an entry is one run. May be null.
    void setRecorder(KeyRecorder* recorder) { mRecorder = recorder; }

    // Judges one typed character. Control characters (Delete, Backspace,
    // Enter, Esc, Ctrl+letter ...) are no characters of a text and are not
    // judged. Returns true when the shown texts or figures changed (always
    // for a judged character, unless no file is loaded).
    bool keyPress(QChar ch);

    // The display order (TextRead): applies from the next finished entry.
    void setTextRead(int index);
    // The input guide switch (TextDisplayNavi).
    void SetNavi(bool show);

    // "累計をクリア": asks first; true when the totals were cleared.
    bool TotalClear();
    // Window closing: stores the totals as one text result (once).
    void Unload();

    // What the window shows.
    QStringView displayText() const { return QStringView(mDisplay).mid(mDisplayPos); }
    QStringView inputText() const { return mRomajiOn ? mRomaji.guide() : QStringView(mInputShown).mid(mInputPos); }
    // The character the input line asks for next (lower case for a romaji
    // entry); what MissNext enters for the user.
    QChar expectedChar() const;
    // The current entry is judged as romaji.
    bool romajiEntry() const { return mRomajiOn; }
    const Figures& lastEntry() const { return mLast; }  // row 1
    const Figures& totals() const { return mTotal; }    // row 2

    // State, named as the window's design names it.
    const QList<TextEntry>& texts() const { return mTexts; }
    int32_t textCount() const { return mTextCount; }
    int32_t textIndex() const { return mTextIndex; }
    int32_t charPos() const { return mCharPos; }
    int32_t entryTyped() const { return mEntryTyped; }
    int32_t entryMiss() const { return mEntryMiss; }
    int32_t doneCount() const { return mDoneCount; }

    // The rate of an entry: typed characters per minute over the given
    // milliseconds (0 counts as 1), rounded half to even, at most 32767.
    static int16_t entryRate(int32_t typed, uint32_t elapsedMs);
    // The running average after one more entry, kept at two decimals.
    static double nextAverage(double average, int32_t done, int16_t rate);

private:
    void showEntry(int32_t index);
    int32_t nextIndex();
    int32_t randomIndex(int32_t count);  // Int(Rnd * count), 0 .. count - 1
    void judge(QChar ch, int depth);
    void advance();
    void finishEntry();
    void resetEntry();
    void record(QChar ch, QChar expected, bool correct, bool firstOfRun);

    basParam& mParam;
    basResults& mResults;
    Clock& mClock;
    Random& mRandom;
    Dialogs& mDialogs;
    Beeper& mBeeper;
    KeyRecorder* mRecorder = nullptr;

    QList<TextEntry> mTexts;
    int32_t mTextCount = 0;
    int32_t mTextIndex = 0;
    int32_t mCharPos = 1;

    int32_t mEntryTyped = 0;
    int32_t mEntryMiss = 0;
    bool mEntryStarted = false;
    uint32_t mEntryStart = 0;

    int32_t mDoneCount = 0;
    Figures mTotal;  // perMin: the average of the finished entries' rates
    Figures mLast;

    QString mDisplay;  // lblDisplay: mDisplay from mDisplayPos
    qsizetype mDisplayPos = 0;
    QString mInputShown;  // lblInput: mInputShown from mInputPos
    qsizetype mInputPos = 0;
    bool mUnloaded = false;
    RomajiJudge mRomaji;  // keeps the learner's spellings from entry to entry
    bool mRomajiOn = false;
};
