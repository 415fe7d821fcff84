// Romaji as a Japanese input method takes it: every spelling of the table,
// the rules across kana (っ doubled, ん as a single n), the cases an input
// method refuses, the guide, the display, and the shipped practice files.
#include <QDir>
#include <map>
#include <set>

#include "RomajiJudge.h"
#include "RomajiTable.h"
#include "TextFixture.h"

namespace {

using Candidate = RomajiJudge::Candidate;

std::u16string kanaOf(std::u16string_view s) { return std::u16string(s); }

// The first one-kana spelling of each kana, as the program spells it itself.
const std::map<char16_t, std::string>& firstSpelling() {
    static const std::map<char16_t, std::string> m = [] {
        std::map<char16_t, std::string> r;
        for (const romaji::Spelling& s : romaji::table())
            if (s.kana.size() == 1) r.try_emplace(s.kana[0], std::string(s.roman));
        return r;
    }();
    return m;
}

// A file's Input for kana: each kana's first spelling, its first letter a marker.
QString fileInputFor(std::u16string_view kana) {
    QString in;
    for (const char16_t k : kana) {
        QString s = QString::fromStdString(firstSpelling().at(k));
        s[0] = s[0].toUpper();
        in += s;
    }
    return in;
}

// Types keys into a judge; the index of the first refused key, or -1.
int firstMiss(RomajiJudge& j, const QString& keys) {
    for (int i = 0; i < keys.size(); ++i)
        if (!j.key(keys[i])) return i;
    return -1;
}

TEST(RomajiTable, EveryKanaHasASpellingOfItsOwn) {
    for (char16_t k = u'ぁ'; k <= u'ゖ'; ++k) EXPECT_TRUE(firstSpelling().contains(k)) << int(k);
    for (char16_t k = u'ァ'; k <= u'ヶ'; ++k) EXPECT_NE(romaji::toTableKana(k), 0) << int(k);
    for (const char16_t mark : {u'ー', u'、', u'。', u'「', u'」', u'！', u'？', u'・', u'～'})
        EXPECT_TRUE(firstSpelling().contains(romaji::toTableKana(mark))) << int(mark);
    for (const char16_t other : {u'漢', u'A', u'1', u'ヷ', u' '}) EXPECT_EQ(romaji::toTableKana(other), 0);
}

// Each row, typed as the only entry: no key is refused and the entry ends
// with the row's last letter.
TEST(RomajiTable, EverySpellingTypesItsKana) {
    std::set<std::string> seen;
    for (const romaji::Spelling& s : romaji::table()) {
        EXPECT_TRUE(seen.insert(std::string(s.roman)).second) << "twice: " << s.roman;
        const QString display = QString::fromStdU16String(kanaOf(s.kana));
        RomajiJudge j;
        ASSERT_TRUE(j.start(fileInputFor(s.kana), display, true)) << s.roman;
        const QString keys = QString::fromLatin1(s.roman.data(), static_cast<qsizetype>(s.roman.size()));
        EXPECT_EQ(firstMiss(j, keys.toUpper()), -1) << s.roman;
        EXPECT_TRUE(j.finished()) << s.roman;
    }
}

// No accepted spelling is the beginning of another one at the same place, so
// a spelling is done the moment its last letter is typed: checked for every
// pair of kana, and for っ and ん before every pair.
TEST(RomajiTable, NoSpellingStartsAnotherAtTheSamePlace) {
    std::vector<char16_t> kana;
    for (const auto& [k, roman] : firstSpelling()) kana.push_back(k);
    std::vector<Candidate> cands;
    auto check = [&](const std::u16string& s) {
        RomajiJudge::candidatesAt(s, 0, cands);
        ASSERT_FALSE(cands.empty());
        for (const Candidate& a : cands)
            for (const Candidate& b : cands)
                if (&a != &b) {
                    ASSERT_FALSE(b.roman.starts_with(a.roman)) << a.roman << " / " << b.roman;
                }
    };
    for (const char16_t a : kana)
        for (const char16_t b : kana) {
            check({a, b});
            if (b == u'ゃ' || b == u'ぁ' || b == u'ぃ' || b == u'ぇ') {
                check({u'っ', a, b});
                check({u'ん', a, b});
            }
        }
}

struct Typing {
    const char* name;
    const char16_t* display;
    const char* file;
    const char* keys;
};
class Accepted : public ::testing::TestWithParam<Typing> {};

TEST_P(Accepted, TypesWithoutAMiss) {
    RomajiJudge j;
    ASSERT_TRUE(j.start(QString::fromLatin1(GetParam().file), QString::fromUtf16(GetParam().display), false));
    EXPECT_EQ(firstMiss(j, QString::fromLatin1(GetParam().keys)), -1);
    EXPECT_TRUE(j.finished());
    EXPECT_EQ(j.displayRemoved(), QString::fromUtf16(GetParam().display).size());
}

INSTANTIATE_TEST_SUITE_P(Spellings, Accepted,
                         // Each spelling of the table alone is checked above; these are spellings
                         // across kana and in the middle of entries.
                         ::testing::Values(Typing{"ShiAsSi", u"しずおか", "ShiZuOKa", "sizuoka"},
                                           Typing{"DiAndDuAfterAComma", u"はなぢ、つづく", "HaNaDi,TsuDuKu",
                                                  "hanadi,tudukU"},
                                           Typing{"KatakanaLikeHiragana", u"コーヒー", "Ko-Hi-", "co-hi-"},
                                           Typing{"PalatalAsTwoKana", u"しゃしん", "SHaShiNn", "sixyasixn"},
                                           Typing{"SmallTsuDoubled", u"きって", "KiTTe", "kitte"},
                                           Typing{"SmallTsuTwice", u"っっか", "KKKa", "kkka"},
                                           Typing{"SmallTsuBeforePalatal", u"はっしゃ", "HaSShA", "hassya"},
                                           Typing{"SmallTsuBeforeY", u"っや", "YYa", "yya"},
                                           Typing{"NSingleBeforeConsonant", u"ぐんま", "GuNMa", "gunma"},
                                           Typing{"NDoubledBeforeConsonant", u"ぐんま", "GuNMa", "gunnma"},
                                           Typing{"NApostropheBeforeVowel", u"きんえん", "KiNnENn", "kin'exn"},
                                           Typing{"NBeforeSmallTsu", u"ほんっと", "HoNTTo", "honxtuto"},
                                           Typing{"NSingleBeforeMarks", u"すみません。らーめんーほん！",
                                                  "SuMiMaSeNn.Ra-MeNn-HoNn!", "sumimasen.ra-men-hon!"},
                                           Typing{"OtherInputMethodsSpellings", u"ふぁくぃでぃとぅでゅ",
                                                  "FAQIDhITwUDhU", "hwakwid'it'ud'yu"},
                                           Typing{"SmallTsuFourTimes", u"っっっっか", "KKKKKa", "kkkkka"},
                                           Typing{"EitherWaveDash", u"あ〜い～", "A~I~", "a~i~"}),
                         [](const auto& info) { return std::string(info.param.name); });

// What an input method refuses is a miss at that key.
struct Refusal {
    const char* name;
    const char16_t* display;
    const char* file;
    const char* keys;
    int missAt;
};
class Refused : public ::testing::TestWithParam<Refusal> {};

TEST_P(Refused, IsAMissAtThatKey) {
    RomajiJudge j;
    ASSERT_TRUE(j.start(QString::fromLatin1(GetParam().file), QString::fromUtf16(GetParam().display), false));
    EXPECT_EQ(firstMiss(j, QString::fromLatin1(GetParam().keys)), GetParam().missAt);
}

INSTANTIATE_TEST_SUITE_P(IllegalSpellings, Refused,
                         ::testing::Values(Refusal{"SingleNBeforeVowel", u"きんえん", "KiNnENn", "kinen", 3},
                                           Refusal{"SingleNBeforeY", u"こんや", "KoNnYa", "konya", 3},
                                           Refusal{"SingleNBeforeN", u"こんな", "KoNnNa", "konna", 4},
                                           Refusal{"SingleNAtTheEnd", u"ほん", "HoNn", "hona", 3},
                                           Refusal{"DoubledNForSmallTsu", u"っな", "XtuNa", "nna", 0},
                                           Refusal{"DoubledVowelForSmallTsu", u"っあ", "XtuA", "aa", 0},
                                           Refusal{"ShiIsNotSyi", u"し", "Shi", "syi", 1},
                                           Refusal{"WoIsNotO", u"を", "Wo", "o", 0}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(RomajiJudge, EntriesThatAreNotKanaOverTheirReadingAreNotTaken) {
    RomajiJudge j;
    EXPECT_FALSE(j.start(QStringLiteral("ToUKyoU"), QStringLiteral("東京"), true));       // kanji
    EXPECT_FALSE(j.start(QStringLiteral("APPLE"), QStringLiteral("apple"), true));        // letters
    EXPECT_FALSE(j.start(QStringLiteral("shizuoka"), QStringLiteral("しずおか"), true));  // no markers
    EXPECT_FALSE(j.start(QStringLiteral("ShiZuOKa"), QStringLiteral("しずか"), true));    // spells other kana
    EXPECT_FALSE(j.start(QStringLiteral("NeKoBaN"), QStringLiteral("ねこばん"), true));   // n at the end
    EXPECT_FALSE(j.start(QStringLiteral("KaiKI"), QStringLiteral("かいき"), true));       // markers off the kana
    EXPECT_TRUE(j.start(QStringLiteral("ShiZuOKa"), QStringLiteral("シズオカ"), true));
}

TEST(RomajiJudge, GuideShowsTheSpellingBeingTypedAndKeepsItForLaterKana) {
    RomajiJudge j;
    ASSERT_TRUE(j.start(QStringLiteral("ChiKaTeTsu"), QStringLiteral("ちかてつ"), true));
    EXPECT_EQ(j.guide().toString(), QStringLiteral("CHIKATETSU"));
    j.key(u't');
    EXPECT_EQ(j.guide().toString(), QStringLiteral("IKATETSU"));  // ti, no longer chi
    EXPECT_EQ(j.expected(), QChar(u'i'));
    j.key(u'i');
    j.key(u'k');
    j.key(u'a');
    j.key(u't');
    j.key(u'e');
    j.key(u't');
    j.key(u'u');
    EXPECT_TRUE(j.finished());
    // The next entry spells ち and つ the way they were typed.
    ASSERT_TRUE(j.start(QStringLiteral("TsuChi"), QStringLiteral("つち"), false));
    EXPECT_EQ(j.guide().toString(), QStringLiteral("tuti"));
    RomajiJudge fresh;  // a judge that has seen no spelling shows the file's
    ASSERT_TRUE(fresh.start(QStringLiteral("TsuChi"), QStringLiteral("つち"), false));
    EXPECT_EQ(fresh.guide().toString(), QStringLiteral("tsuchi"));
}

TEST(RomajiJudge, KanaTypedApartFromTheFilesPalatalGetSpelledOneByOne) {
    RomajiJudge j;
    ASSERT_TRUE(j.start(QStringLiteral("KYoU"), QStringLiteral("きょう"), false));
    j.key(u'k');
    j.key(u'i');
    EXPECT_EQ(j.guide().toString(), QStringLiteral("xyou"));
    EXPECT_EQ(j.displayRemoved(), 1);
    j.key(u'l');
    EXPECT_EQ(j.guide().toString(), QStringLiteral("you"));
}

// The display shrinks at the file's markers while the file's spelling is typed,
// and a kana at a time, when finished, for any other spelling.
TEST(RomajiJudge, DisplayShrinksAtMarkersOrAtFinishedKana) {
    RomajiJudge j;
    ASSERT_TRUE(j.start(QStringLiteral("HoKKaIDoU"), QStringLiteral("ほっかいどう"), true));
    std::vector<qsizetype> removed;
    for (const QChar c : QStringLiteral("hoxtukaidou")) {
        j.key(c);
        removed.push_back(j.displayRemoved());
    }
    EXPECT_EQ(removed, (std::vector<qsizetype>{0, 1, 1, 1, 2, 2, 3, 4, 4, 5, 6}));
    ASSERT_TRUE(j.start(QStringLiteral("HoKKaIDoU"), QStringLiteral("ほっかいどう"), true));
    removed.clear();
    for (const QChar c : QStringLiteral("hokkaidou")) {
        j.key(c);
        removed.push_back(j.displayRemoved());
    }
    EXPECT_EQ(removed, (std::vector<qsizetype>{0, 1, 2, 2, 3, 4, 4, 5, 6}));
}

// ---- in the practice session ----

TEST_F(TextFixture, KeysTypedRightAreCountedInTheSpellingTaken) {
    load(QStringLiteral("Shi|し\nShi|し\n"));
    type(QStringLiteral("si"));
    EXPECT_EQ(tp.lastEntry().typed, 2);
    type(QStringLiteral("shi"));
    EXPECT_EQ(tp.lastEntry().typed, 3);
    EXPECT_EQ(tp.totals().typed, 5);
    EXPECT_EQ(tp.totals().miss, 0);
}

TEST_F(TextFixture, MissNextEntersTheLetterTheGuideShows) {
    param.MissNext(1);
    param.MissBeep(1);
    load(QStringLiteral("ChiKa|ちか\n"));
    type(QStringLiteral("tx"));  // ti taken; x is wrong, i is entered
    EXPECT_EQ(tp.entryMiss(), 1);
    EXPECT_EQ(tp.entryTyped(), 2);
    EXPECT_EQ(beeper.beeps, 1);
    EXPECT_EQ(tp.inputText().toString(), QStringLiteral("KA"));
    EXPECT_EQ(tp.displayText().toString(), QStringLiteral("か"));
}

TEST_F(TextFixture, WithTheOptionOffOnlyTheFilesSpellingIsRight) {
    param.TextRomaji(0);
    load(QStringLiteral("ShiZuOKa|しずおか\n"));
    type(QStringLiteral("si"));
    EXPECT_EQ(tp.entryMiss(), 1);
    EXPECT_EQ(tp.entryTyped(), 1);
    EXPECT_EQ(tp.inputText().toString(), QStringLiteral("HIZUOKA"));
    EXPECT_FALSE(tp.romajiEntry());
}

TEST_F(TextFixture, AFileWithoutEntriesBlanksTheGuideToo) {
    load(QStringLiteral("ChiKa|ちか\n"));
    EXPECT_FALSE(tp.LoadText(practiceFile(QStringLiteral("none.txt"), QStringLiteral("# nothing|x\n"))));
    EXPECT_TRUE(tp.inputText().isEmpty());
    EXPECT_TRUE(tp.displayText().isEmpty());
}

TEST_F(TextFixture, EntriesThatDoNotFitAreJudgedAsWritten) {
    load(QStringLiteral("ToUKyoU|東京\n"));
    type(QStringLiteral("tok"));
    EXPECT_EQ(tp.entryMiss(), 1);  // the file says "tou"
    EXPECT_FALSE(tp.romajiEntry());
}

// Every shipped file of kana: each entry fits, and types with no miss both as
// written and in another spelling (the first other spelling of each piece of
// the same length, where there is one).
TEST_F(TextFixture, ShippedEntriesTypeAsWrittenAndInAnotherSpelling) {
    const QDir dir(sourceDir() + QStringLiteral("/data/Text"));
    int kanaFiles = 0;
    for (const QString& name : dir.entryList({QStringLiteral("*.txt")}, QDir::Files)) {
        ASSERT_TRUE(tp.LoadText(dir.filePath(name)));
        if (!tp.romajiEntry()) continue;  // a file of words typed as written
        ++kanaFiles;
        for (int32_t n = 0; n < tp.textCount(); ++n) {
            const TextEntry e = tp.texts()[tp.textIndex()];
            const std::string where = name.toStdString() + ": " + e.Input.toStdString();
            if (!tp.romajiEntry()) {
                ADD_FAILURE() << "not taken as romaji: " << where;
                typeEntry(1000);
                continue;
            }
            std::u16string kana;
            for (const QChar c : e.Display) kana.push_back(romaji::toTableKana(c.unicode()));
            const std::string file = e.Input.toLower().toStdString();
            std::string other;
            std::vector<Candidate> cands;
            for (size_t p = 0, i = 0; p < kana.size();) {
                RomajiJudge::candidatesAt(kana, p, cands);
                const auto own = std::find_if(cands.begin(), cands.end(), [&](const Candidate& c) {
                    return file.compare(i, c.roman.size(), c.roman) == 0;
                });
                ASSERT_NE(own, cands.end()) << where;
                const auto alt = std::find_if(cands.begin(), cands.end(), [&](const Candidate& c) {
                    return c.kana == own->kana && c.roman != own->roman;
                });
                other += alt != cands.end() ? alt->roman : own->roman;
                p += static_cast<size_t>(own->kana);
                i += own->roman.size();
            }
            const int32_t done = tp.doneCount();
            type(QString::fromStdString(other));
            EXPECT_EQ(tp.doneCount(), done + 1) << where << " as " << other;
            EXPECT_EQ(tp.lastEntry().miss, 0) << where << " as " << other;
            EXPECT_EQ(tp.lastEntry().typed, static_cast<int32_t>(other.size())) << where;
        }
        // And the file's own spelling, the whole file once more.
        for (int32_t n = 0; n < tp.textCount(); ++n) {
            typeEntry(1000);
            EXPECT_EQ(tp.lastEntry().miss, 0) << name.toStdString();
        }
    }
    EXPECT_GE(kanaFiles, 4);
}

// The file of everyday words practises every kana, small ones included.
TEST(ShippedKana, EverydayWordsCoverEveryKana) {
    const auto r = textfile::readPracticeFile(sourceDir() + QStringLiteral("/data/Text/Kurashi.txt"));
    ASSERT_TRUE(r.ok);
    std::set<char16_t> seen;
    for (const TextEntry& e : r.entries)
        for (const QChar c : e.Display) seen.insert(romaji::toTableKana(c.unicode()));
    for (char16_t k = u'ぁ'; k <= u'ゖ'; ++k) EXPECT_TRUE(seen.contains(k)) << QString(QChar(k)).toStdString();
}

}  // namespace
