// The word source: which dictionary rows become words, how readings are
// spelled for the judge, and the index that keeps them.
#include <gtest/gtest.h>

#include <QFile>
#include <QStringEncoder>

#include "TestFiles.h"
#include "WordIndex.h"

using namespace words;

namespace {

struct Row {
    const char* file;
    const char16_t* line;
    bool kept;
};
// clang-format off
const Row kRows[] = {
    {"Noun.csv", u"天気,1285,1285,3000,名詞,一般,*,*,*,*,天気,テンキ,テンキ", true},
    {"Noun.csv", u"天気,1285,1285,4000,名詞,一般,*,*,*,*,天気,テンキ,テンキ", false},      // the same word, rarer
    {"Noun.csv", u"綺,1285,1285,5622,名詞,一般,*,*,*,*,綺,アヤギヌ,アヤギヌ", false},       // too rare
    {"Noun.csv", u"Ｔシャツ,1285,1285,3000,名詞,一般,*,*,*,*,Ｔシャツ,ティーシャツ,ティーシャツ", false},
    {"Noun.csv", u"木,1285,1285,3000,名詞,一般,*,*,*,*,木,キ,キ", false},                  // one kana
    {"Noun.csv", u"東京,1293,1293,3000,名詞,固有名詞,地域,一般,*,*,東京,トウキョウ,トーキョー", false},
    {"Noun.csv", u"和院,1285,1285,3000,名詞,一般,*,*,*,*,和院,ヷイン,ヷイン", false},      // not typable
    {"Noun.csv", u"テレビ,1285,1285,3200,名詞,一般,*,*,*,*,テレビ,テレビ,テレビ", true},
    {"Noun.verbal.csv", u"勉強,1283,1283,3500,名詞,サ変接続,*,*,*,*,勉強,ベンキョウ,ベンキョー", true},
    {"Noun.name.csv", u"太郎,1291,1291,3000,名詞,固有名詞,人名,名,*,*,太郎,タロウ,タロー", false},
    {"Verb.csv", u"書く,762,762,7100,動詞,自立,*,*,五段・カ行イ音便,基本形,書く,カク,カク", true},
    {"Verb.csv", u"書か,764,764,7100,動詞,自立,*,*,五段・カ行イ音便,未然形,書く,カカ,カカ", false},
    {"Adj.csv", u"高い,19,19,4000,形容詞,自立,*,*,形容詞・アウオ段,基本形,高い,タカイ,タカイ", true},
    {"Adverb.csv", u"すぐ,1281,1281,3000,副詞,一般,*,*,*,*,すぐ,スグ,スグ", true},
    {"Adverb.csv", u"ほんや,1281,1281,3000,副詞,一般,*,*,*,*,ほんや,ホンヤ,ホンヤ", true},
};
// clang-format on

void writeFixture(const ScratchFolder& folder) {
    std::map<QString, QByteArray> files;
    for (const Row& r : kRows) {
        QStringEncoder euc("EUC-JP");
        files[QString::fromLatin1(r.file)] += QByteArray(euc.encode(QString::fromUtf16(r.line))) + '\n';
    }
    for (const auto& [name, bytes] : files) folder.write(name, bytes);
}

bool has(const std::vector<Word>& list, const QString& written) {
    return std::any_of(list.begin(), list.end(), [&](const Word& w) { return w.written == written; });
}

}  // namespace

TEST(WordSource, KeepsEverydayWordsItsJudgeCanTypeOnce) {
    ScratchFolder folder;
    writeFixture(folder);
    const ReadResult r = readDictionary(folder.path());
    ASSERT_TRUE(r.error.isEmpty()) << r.error.toStdString();
    for (const Row& row : kRows) {
        const QString written = QString::fromUtf16(row.line).section(u',', 0, 0);
        if (row.kept || written != QStringLiteral("天気")) {
            EXPECT_EQ(has(r.words, written), row.kept) << written.toStdString();
        }
    }
    EXPECT_EQ(r.words.size(), 7u);
    EXPECT_EQ(readDictionary(folder.file(QStringLiteral("none"))).words.size(), 0u);
}

TEST(WordSource, SpellsReadingsForTheJudge) {
    const std::pair<const char16_t*, const char*> rows[] = {
        {u"てんき", "TeNKi"},  {u"きょう", "KYoU"},   {u"がっこう", "GaKKoU"}, {u"ほんや", "HoNnYa"},
        {u"テレビ", "TeReBi"}, {u"ちーず", "Chi-Zu"}, {u"ヷイン", nullptr},
    };
    for (const auto& [reading, romaji] : rows) {
        const auto spelled = spellForJudge(QString::fromUtf16(reading));
        EXPECT_EQ(spelled.value_or(QString()), QString::fromLatin1(romaji ? romaji : "")) << romaji;
    }
}

TEST(WordIndex, IsUsedOnlyWhenWholeAndMadeFromTheSameDictionary) {
    ScratchFolder folder;
    writeFixture(folder);
    const QString index = folder.file(QStringLiteral("LumbraWords.idx"));
    const Loaded first = loadWords(folder.path(), index);
    ASSERT_TRUE(first.built);
    const Loaded second = loadWords(folder.path(), index);
    EXPECT_FALSE(second.built);
    ASSERT_EQ(second.words.size(), first.words.size());
    for (size_t i = 0; i < first.words.size(); ++i) {
        EXPECT_EQ(second.words[i].romaji, first.words[i].romaji);
        EXPECT_EQ(second.words[i].common, first.words[i].common);
    }
    const QByteArray bytes = folder.read(QStringLiteral("LumbraWords.idx"));
    const QByteArray stamp = dictionaryStamp(folder.path());
    for (qsizetype n = 0; n < bytes.size(); ++n) EXPECT_FALSE(wordsOfIndex(bytes.left(n), stamp)) << n;
    EXPECT_FALSE(wordsOfIndex(bytes, stamp + "x"));

    folder.write(QStringLiteral("Adverb.csv"), QByteArray());  // the dictionary changed
    const Loaded third = loadWords(folder.path(), index);
    EXPECT_TRUE(third.built);
    EXPECT_EQ(third.words.size(), first.words.size() - 2);
    EXPECT_FALSE(loadWords(folder.file(QStringLiteral("none")), index).error.isEmpty());
}
