// The draw of a set: a learner weak at one key and slow at one move gets
// words full of them, a learner the model does not know yet common words.
#include <gtest/gtest.h>

#include <set>

#include "Fakes.h"
#include "WordChooser.h"

using namespace words;

namespace {

// Every word of two plain kana, and of the two with ん between (かた, かんた ...), the
// commonness cycling through its range.
std::vector<Word> twoKanaWords() {
    const QString kana =
        QStringLiteral("あいうえおかきくけこさしすせそたちつてとなにぬねのはひふへほまみむめもやゆよらりるれろわ");
    std::vector<Word> list;
    for (QChar a : kana)
        for (QChar b : kana)
            for (const QString& reading : {QString(a) + b, QString(a) + u'ん' + b}) {
                Word w;
                w.written = w.reading = reading;
                w.romaji = *spellForJudge(w.reading);
                w.common = static_cast<quint8>(list.size() * 7 % 256);
                list.push_back(w);
            }
    return list;
}

Learner evenLearner() {
    Learner l;
    for (int16_t k = 'A'; k <= 'Z'; ++k) l.weakness[k] = 1.0;
    return l;
}

// Keys K and moves N->T in 200 sets.
std::pair<int, int> countAims(const WordChooser& chooser, const Learner& learner) {
    SeededRandom random(7);
    int keys = 0, moves = 0;
    for (int s = 0; s < 200; ++s) {
        const WordSet set = chooser.draw(learner, random);
        EXPECT_EQ(set.words.size(), static_cast<size_t>(kSetSize));
        EXPECT_EQ(std::set<size_t>(set.words.begin(), set.words.end()).size(), set.words.size());
        for (size_t i : set.words) {
            const std::vector<int16_t> k = chooser.keysOf(i);
            for (size_t j = 0; j < k.size(); ++j) {
                keys += k[j] == 'K';
                moves += j > 0 && k[j - 1] == 'N' && k[j] == 'T';
            }
        }
    }
    return {keys, moves};
}

}  // namespace

TEST(WordChoice, AWeakKeyAndASlowMoveComeAtLeastTwiceAsOften) {
    const std::vector<Word> list = twoKanaWords();
    const WordChooser chooser(list, 0);
    Learner weak = evenLearner();
    weak.weakness['K'] = 2.0;
    weak.slowness[{'N', 'T'}] = 2.0;
    const auto [evenKeys, evenMoves] = countAims(chooser, evenLearner());
    const auto [weakKeys, weakMoves] = countAims(chooser, weak);
    EXPECT_GE(weakKeys, 2 * evenKeys);
    EXPECT_GE(weakMoves, 2 * evenMoves);
    EXPECT_GT(evenMoves, 0);
    SeededRandom random(1);
    const WordSet set = chooser.draw(weak, random);
    EXPECT_EQ(set.aimKeys, std::vector<int16_t>{'K'});
    EXPECT_EQ(set.aimText(0), QStringLiteral("ねらい：苦手キー K　遅い運指 N→T"));
}

TEST(WordChoice, BeforeTheModelKnowsTheLearnerCommonWordsAreDrawn) {
    const std::vector<Word> list = twoKanaWords();
    const WordChooser chooser(list, 0);
    SeededRandom random(3);
    const WordSet set = chooser.draw(Learner{}, random);
    ASSERT_EQ(set.words.size(), static_cast<size_t>(kSetSize));
    for (size_t i : set.words) EXPECT_GE(list[i].common, 192) << i;
    EXPECT_TRUE(set.aimKeys.empty());
}
