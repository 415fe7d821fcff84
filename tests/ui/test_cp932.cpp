#include <gtest/gtest.h>

#include <random>

#include "Cp932.h"

namespace {

QByteArray bytes(std::initializer_list<int> b) {
    QByteArray out;
    for (int c : b) out.append(static_cast<char>(c));
    return out;
}

TEST(Cp932, RoundTripsTheCharactersShiftJisLacks) {
    // Wave dash, circled one and the ladder-shaped taka: CP932 extensions.
    const QString text = QStringLiteral("～①髙");
    const QByteArray encoded = cp932::encode(text);
    EXPECT_EQ(encoded, bytes({0x81, 0x60, 0x87, 0x40, 0xFB, 0xFC}));
    EXPECT_EQ(cp932::decode(encoded), text);
    EXPECT_TRUE(cp932::canEncode(text));
}

TEST(Cp932, MixedTextRoundTrips) {
    const QString text = QStringLiteral("Name=山田 ﾔﾏﾀﾞ\\ｶﾅ~!");
    EXPECT_EQ(cp932::decode(cp932::encode(text)), text);
    EXPECT_EQ(cp932::encode(QStringLiteral("ｱ")), bytes({0xB1}));  // half-width kana: one byte
}

TEST(Cp932, CharactersWithoutACp932FormBecomeAQuestionMark) {
    EXPECT_EQ(cp932::encode(QStringLiteral("Jos\u00e9")), QByteArray("Jos?"));
    EXPECT_EQ(cp932::encode(QString::fromUtf8("a\xF0\x9F\x98\x80"
                                              "b")),
              QByteArray("a?b"));  // one ? per emoji
    EXPECT_FALSE(cp932::canEncode(QStringLiteral("Jos\u00e9")));
    EXPECT_TRUE(cp932::canEncode(QStringLiteral("plain ascii")));
}

// The edges of each byte range: the first and last lead byte of both
// double-byte ranges, the first and last trail byte, and the single-byte
// half-width kana at both ends of theirs. Each decodes to its character and
// encodes back to the same bytes.
struct EdgeRow {
    const char* name;
    QByteArray in;
    char16_t out;
};
class Cp932RangeEdges : public ::testing::TestWithParam<EdgeRow> {};
TEST_P(Cp932RangeEdges, DecodeAndEncodeBack) {
    const QString text = QString(QChar(GetParam().out));
    EXPECT_EQ(cp932::decode(GetParam().in), text);
    EXPECT_EQ(cp932::decode("a" + GetParam().in + "b"), "a" + text + "b");  // and the bytes after it
    EXPECT_EQ(cp932::encode(text), GetParam().in);
}
INSTANTIATE_TEST_SUITE_P(Rows, Cp932RangeEdges,
                         ::testing::Values(EdgeRow{"FirstLeadFirstTrail", bytes({0x81, 0x40}), u'\u3000'},
                                           EdgeRow{"FirstLeadLastTrail", bytes({0x81, 0xFC}), u'\u25EF'},
                                           EdgeRow{"LastLeadOfFirstRange", bytes({0x9F, 0x40}), u'\u6A97'},
                                           EdgeRow{"LastLeadOfFirstRangeLastTrail", bytes({0x9F, 0xFC}), u'\u6ECC'},
                                           EdgeRow{"TrailBelowTheGap", bytes({0x9F, 0x7E}), u'\u6BEF'},
                                           EdgeRow{"TrailAboveTheGap", bytes({0x9F, 0x80}), u'\u9EBE'},
                                           EdgeRow{"FirstLeadOfSecondRange", bytes({0xE0, 0x40}), u'\u6F3E'},
                                           EdgeRow{"LastLeadOfSecondRange", bytes({0xFC, 0x4B}), u'\u9ED1'},
                                           EdgeRow{"FirstHalfWidthKana", bytes({0xA1}), u'\uFF61'},
                                           EdgeRow{"LastHalfWidthKana", bytes({0xDF}), u'\uFF9F'}),
                         [](const auto& info) { return std::string(info.param.name); });

struct InvalidRow {
    const char* name;
    QByteArray in;
    QString out;
};
class Cp932Invalid : public ::testing::TestWithParam<InvalidRow> {};
TEST_P(Cp932Invalid, EachBadByteBecomesOneReplacementAndDecodingGoesOn) {
    EXPECT_EQ(cp932::decode(GetParam().in), GetParam().out);
}
INSTANTIATE_TEST_SUITE_P(
    Rows, Cp932Invalid,
    ::testing::Values(InvalidRow{"LeadByteAtEnd", bytes({'a', 0x81}), QStringLiteral("a\uFFFD")},
                      InvalidRow{"LeadByteThenBlank", bytes({0x81, 0x20, 'b'}), QStringLiteral("\uFFFD b")},
                      InvalidRow{"UnusedByte", bytes({'x', 0xFF, 'y'}), QStringLiteral("x\uFFFDy")},
                      InvalidRow{"BadTrailThenGoodChar", bytes({0x88, 0x0A, 0x8E, 0x52}),
                                 QStringLiteral("\uFFFD\n山")}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Cp932, TruncationKeepsWholeCharacters) {
    EXPECT_EQ(cp932::encodeTruncated(QStringLiteral("髙橋一郎山田"), 10), cp932::encode(QStringLiteral("髙橋一郎山")));
    EXPECT_EQ(cp932::encodeTruncated(QStringLiteral("ab髙"), 3), QByteArray("ab"));
    EXPECT_EQ(cp932::encodeTruncated(QStringLiteral("abc"), 10), QByteArray("abc"));
}

struct Utf8Row {
    const char* name;
    QByteArray in;
    bool valid;
};
class Utf8Check : public ::testing::TestWithParam<Utf8Row> {};
TEST_P(Utf8Check, RecognisesWellFormedUtf8Only) { EXPECT_EQ(cp932::isValidUtf8(GetParam().in), GetParam().valid); }
INSTANTIATE_TEST_SUITE_P(Rows, Utf8Check,
                         ::testing::Values(Utf8Row{"Japanese", QStringLiteral("山田～①").toUtf8(), true},
                                           Utf8Row{"Ascii", QByteArray("abc"), true},
                                           Utf8Row{"Empty", QByteArray(), true},
                                           Utf8Row{"Overlong", bytes({0xC0, 0xAF}), false},
                                           Utf8Row{"Surrogate", bytes({0xED, 0xA0, 0x80}), false},
                                           Utf8Row{"Truncated", bytes({0xE3, 0x81}), false},
                                           Utf8Row{"Cp932Text", cp932::encode(QStringLiteral("山田太郎")), false}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(TextFile, Utf8WithByteOrderMarkLosesTheMark) {
    const QByteArray file = QByteArray("\xEF\xBB\xBF") + QStringLiteral("あいう|aiu").toUtf8();
    EXPECT_EQ(cp932::decodeTextFile(file), QStringLiteral("あいう|aiu"));
}

TEST(TextFile, Utf8WithoutMarkAndCp932AreBothRead) {
    EXPECT_EQ(cp932::decodeTextFile(QStringLiteral("日本語").toUtf8()), QStringLiteral("日本語"));
    EXPECT_EQ(cp932::decodeTextFile(cp932::encode(QStringLiteral("日本語～"))), QStringLiteral("日本語～"));
}

// The reading and writing rule of text files: what the program writes reads
// back as written, whatever the characters; files from editors read right.
namespace filerule {

// Short strings over the characters a name or a practice entry is made of.
QString randomText(std::mt19937& rng) {
    static const QString pools[] = {
        QStringLiteral("ｱｲｳｴｵｶｷｸｹｺｻｼｽｾｿﾀﾁﾂﾃﾄﾅﾆﾇﾈﾉﾊﾋﾌﾍﾎﾏﾐﾑﾒﾓﾔﾕﾖﾗﾘﾙﾚﾛﾜｦﾝｧｨｩｪｫｯｬｭｮﾞﾟｰ｡｢｣､･"),
        QStringLiteral("あいうえおかきくけこがぎぐげごっゃゅょアイウエオカキクケコガギグゲゴッャュョー"),
        QStringLiteral("日本語漢字山田太郎花子髙橋東京大阪猫犬鳥魚雪月花漾燹纈"),
        QStringLiteral("ABCxyz019 |#=-._~"),
    };
    std::uniform_int_distribution<int> length(1, 5);
    std::uniform_int_distribution<int> pool(0, 3);
    QString out;
    for (int n = length(rng); n > 0; --n) {
        const QString& p = pools[pool(rng)];
        out += p.at(std::uniform_int_distribution<int>(0, static_cast<int>(p.size()) - 1)(rng));
    }
    return out;
}

TEST(TextFileRule, EverythingTheProgramWritesReadsBackAsWritten) {
    std::mt19937 rng(20240305);
    int asCp932 = 0;
    for (int i = 0; i < 20000; ++i) {
        const QString text = randomText(rng);
        const QByteArray bytes = cp932::encodeTextFile(text);
        ASSERT_EQ(cp932::decodeTextFile(bytes), text) << text.toStdString();
        if (!bytes.startsWith("\xEF\xBB\xBF")) ++asCp932;
    }
    // The byte-order mark is the exception, not the way out.
    EXPECT_GT(asCp932, 19800);
}

// Files an editor saved in either encoding read as written: kana, common
// kanji, ASCII and punctuation, with rarer kanji (first of all) among them.
TEST(TextFileRule, JapaneseTextSavedInEitherEncodingReadsAsWritten) {
    const QString pools[] = {QStringLiteral("漾燹纈丐丱乂亅"), QStringLiteral("AZaz09 |-.,\r\n"),
                             QStringLiteral("あいうかきくさしすっゃょアイカキッー。、「」！（）日本語山田東京")};
    std::mt19937 rng(20261208);
    for (int i = 0; i < 5000; ++i) {
        QString text;
        for (int n = 0; n <= i % 12; ++n) {
            const QString& p = pools[n == 0 ? 0 : rng() % 3];
            text += p.at(static_cast<qsizetype>(rng() % static_cast<unsigned>(p.size())));
        }
        ASSERT_EQ(cp932::decodeTextFile(cp932::encode(text)), text) << text.toStdString();
        ASSERT_EQ(cp932::decodeTextFile(text.toUtf8()), text) << text.toStdString();
    }
    const QByteArray alsoUtf8 = bytes({0xE1, 0x80, 0x88, 0xE2, 0x89, 0x90});
    EXPECT_EQ(cp932::decodeTextFile(alsoUtf8), cp932::decode(alsoUtf8));
}

TEST(TextFileRule, HalfWidthKanaWrittenAsCp932ComeBack) {
    // These bytes are valid UTF-8 too ("շ", "ý"): a bare validity check misreads them.
    ASSERT_TRUE(cp932::isValidUtf8(cp932::encode(QStringLiteral("ﾕｷ"))));
    ASSERT_TRUE(cp932::isValidUtf8(cp932::encode(QStringLiteral("TeSu|ﾃｽ"))));
    for (const QString& name : {QStringLiteral("ﾕｷ"), QStringLiteral("ﾃｽ"), QStringLiteral("TeSu|ﾃｽ"),
                                QStringLiteral("ｶﾀｶﾅ"), QStringLiteral("PlayerName=ﾕｷ\r\n")}) {
        const QByteArray cp = cp932::encode(name);
        EXPECT_EQ(cp932::decodeTextFile(cp), name) << name.toStdString();
        EXPECT_EQ(cp932::encodeTextFile(name), cp) << name.toStdString();
    }
}

TEST(TextFileRule, Utf8FromEditorsWithoutAMarkReadsAsUtf8) {
    const QString texts[] = {
        QStringLiteral("SaRuMoKiKaRaOChiRu|さるもきからおちる\n"),
        QStringLiteral("# コメント\r\nHoKKaIDoU|北海道\r\n"),
        QStringLiteral("ﾊﾝｶｸ and 全角 in one line"),
        QStringLiteral("ToUKYoU|東京…“引用”—\n"),
        QStringLiteral("Ä|Ä\n"),  // not CP932 at all
        QStringLiteral("emoji 😀 and kana か"),
        QStringLiteral("plain ASCII\tonly\n"),
    };
    for (const QString& t : texts) EXPECT_EQ(cp932::decodeTextFile(t.toUtf8()), t) << t.toStdString();
}

TEST(TextFileRule, ValuesWithoutCp932FormAreWrittenAsUtf8WithAMark) {
    const QString text = QStringLiteral("[Lumbra]\r\nDataFileName=/home/José/ﾃｽ.dat\r\n");
    const QByteArray bytes = cp932::encodeTextFile(text);
    EXPECT_TRUE(bytes.startsWith("\xEF\xBB\xBF"));
    EXPECT_EQ(cp932::decodeTextFile(bytes), text);
}

}  // namespace filerule

}  // namespace
