#pragma once
#include <QString>
#include <QStringView>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "AppContext.h"  // the modules and services, declared
#include "KeyRecorder.h"
#include "RomajiJudge.h"
#include "WordChooser.h"

namespace words {

// The word-practice session behind frmWords: a set of words drawn for the
// learner, the word being typed, and the figures kept like text practice.
//
// Each word is shown as written with its reading in kana (a word written in
// kana only shows once, in the kana line; so does every word when
// kana-only display is chosen) and typed as romaji, judged by RomajiJudge:
// every spelling a Japanese input method takes is right, and the guide
// follows the spellings the learner chooses. A miss counts (and beeps, and
// with MissNext is entered for the learner). The last key of a word
// finishes it: its figures go into row 1 ("前回"), the totals and the mean
// rate into row 2 ("累計"), every judged key has gone to the recorder (one
// word is one run), and the next word comes; after the last word of the set a
// new set is drawn from the learner's figures as they are then.
//
// On close, Unload stores row 2 as one text-practice result (the results
// file has one history of typed text), when a word was finished.
class WordPractice {
public:
    struct Figures {
        int32_t typed = 0;
        int32_t miss = 0;
        double perMin = 0;
    };

    WordPractice(basParam& param, basResults& results, Clock& clock, Random& random, Dialogs& dialogs, Beeper& beeper);

    void setRecorder(KeyRecorder* recorder) { mRecorder = recorder; }
    // The words (kept alive by the caller) and where the learner's figures
    // come from; draws the first set.
    void start(const std::vector<Word>& list, std::function<Learner()> learner);
    // Draws a new set and shows its first word; the word being typed is dropped.
    void newSet();
    // Kana-only display: the written form is not shown.
    void setKanaOnly(bool on);

    // Judges one typed character (control characters are not judged).
    // True when something shown changed.
    bool keyPress(QChar ch);

    bool TotalClear();
    void Unload();

    // What the window shows.
    QString writtenText() const;  // empty: the word shows in the kana line only
    QStringView kanaText() const { return QStringView(mKana).mid(mJudge.displayRemoved()); }
    QStringView inputText() const { return mJudge.guide(); }
    const WordSet& set() const { return mSet; }
    int wordNumber() const { return mInSet + 1; }  // 1-based, of set().words.size()
    const Figures& lastEntry() const { return mLast; }
    const Figures& totals() const { return mTotal; }
    int32_t doneCount() const { return mDoneCount; }
    const Word* word() const;

private:
    void showWord(int inSet);
    void judge(QChar ch, int depth);
    void finishWord();
    void record(QChar ch, QChar expected, bool correct, bool firstOfRun);

    basParam& mParam;
    basResults& mResults;
    Clock& mClock;
    Random& mRandom;
    Dialogs& mDialogs;
    Beeper& mBeeper;
    KeyRecorder* mRecorder = nullptr;

    const std::vector<Word>* mWords = nullptr;
    std::unique_ptr<WordChooser> mChooser;
    std::function<Learner()> mLearner;
    WordSet mSet;
    int mInSet = 0;
    bool mKanaOnly = false;
    QString mKana;       // the kana line of the word: its reading, or the word itself when written in kana
    RomajiJudge mJudge;  // keeps the learner's spellings from word to word

    int32_t mWordTyped = 0;
    int32_t mWordMiss = 0;
    bool mWordStarted = false;
    uint32_t mWordStart = 0;
    int32_t mDoneCount = 0;
    Figures mTotal;
    Figures mLast;
    bool mUnloaded = false;
};

}  // namespace words
