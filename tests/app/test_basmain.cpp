#include <gtest/gtest.h>

#include <QRegularExpression>

#include "ParamNames.h"
#include "Version.h"
#include "basMain.h"

namespace {

// The code of a key by its legend, as the key table lists it; ';' depends on
// the layout.
int16_t code(char c, int layout) {
    if ((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')) return c;
    switch (c) {
        case ',':
            return 188;
        case '.':
            return 190;
        case '/':
            return 191;
        case ';':
            return layout == 0 ? 187 : 186;
        default:
            return -1;
    }
}

// Writes the expected codes of a run of key indexes from a string of legends.
void expectRun(const basMain& m, int first, const char* legends, int layout) {
    for (int i = 0; legends[i]; ++i)
        EXPECT_EQ(m.keyCode(first + i), code(legends[i], layout)) << "index " << first + i << " layout " << layout;
}

class KeyTable : public ::testing::TestWithParam<int> {};
TEST_P(KeyTable, LettersDigitsAndFingerGroups) {
    const int layout = GetParam();
    basMain m(QStringLiteral("/prog"));
    m.MakeKeyCodeTable(static_cast<int16_t>(layout));
    expectRun(m, 0, "ASDFGHJKLQWERTYUIOPZXCVBNM0123456789", layout);
    EXPECT_EQ(m.keyCode(36), 189);
    expectRun(m, 51, "4567RTYUFGHJVBNM", layout);
    expectRun(m, 67, "38DKEIC,", layout);
    expectRun(m, 75, "29SLWOX.", layout);
    expectRun(m, 83, "10AQPZ;/", layout);
    for (int i : {48, 49, 50, 91, 95, 100}) EXPECT_EQ(m.keyCode(i), 0) << i;
}
// KeyBoardType 0 is the JIS 106-key layout, 1 the US 101-key layout.
std::string layoutName(int layout) { return layout == 0 ? "Jis106" : "Us101"; }
INSTANTIATE_TEST_SUITE_P(Layouts, KeyTable, ::testing::Values(0, 1),
                         [](const auto& info) { return layoutName(info.param); });

TEST(KeyTable, SymbolKeysPerLayout) {
    basMain m(QStringLiteral("/prog"));
    m.MakeKeyCodeTable(1);
    const int16_t us[] = {189, 187, 219, 221, 220, 186, 222, 188, 190, 191};
    for (int i = 0; i < 10; ++i) EXPECT_EQ(m.keyCode(36 + i), us[i]) << 36 + i;
    m.MakeKeyCodeTable(0);
    const int16_t jis[] = {189, 222, 220, 192, 219, 187, 186, 221, 188, 190, 191, 226};
    for (int i = 0; i < 12; ++i) EXPECT_EQ(m.keyCode(36 + i), jis[i]) << 36 + i;
}

TEST(KeyTable, JapaneseThenEnglishKeeps46And47) {
    basMain m(QStringLiteral("/prog"));
    m.MakeKeyCodeTable(0);
    m.MakeKeyCodeTable(1);
    EXPECT_EQ(m.keyCode(46), 191);
    EXPECT_EQ(m.keyCode(47), 226);
    EXPECT_EQ(m.keyCode(45), 191);  // the English layout's own slash
}

TEST(KeyTable, EnglishFirstLeaves46And47Empty) {
    basMain m(QStringLiteral("/prog"));
    m.MakeKeyCodeTable(1);
    EXPECT_EQ(m.keyCode(46), 0);
    EXPECT_EQ(m.keyCode(47), 0);
}

TEST(KeyTable, AnyNonZeroTypeIsTheEnglishLayout) {
    basMain m(QStringLiteral("/prog"));
    m.MakeKeyCodeTable(7);
    EXPECT_EQ(m.keyCode(37), 187);
    EXPECT_EQ(m.keyCode(-1), 0);
    EXPECT_EQ(m.keyCode(101), 0);
}

struct SemicolonRow {
    int layout;
    int16_t i41, i89, i42;
};
class SemicolonKeys : public ::testing::TestWithParam<SemicolonRow> {};
TEST_P(SemicolonKeys, Indexes41_89_42) {
    basMain m(QStringLiteral("/prog"));
    m.MakeKeyCodeTable(static_cast<int16_t>(GetParam().layout));
    EXPECT_EQ(m.keyCode(41), GetParam().i41);
    EXPECT_EQ(m.keyCode(89), GetParam().i89);
    EXPECT_EQ(m.keyCode(42), GetParam().i42);
}
INSTANTIATE_TEST_SUITE_P(Layouts, SemicolonKeys,
                         ::testing::Values(SemicolonRow{1, 186, 186, 222}, SemicolonRow{0, 187, 187, 186}),
                         [](const auto& info) { return layoutName(info.param.layout); });

struct ColorRow {
    const char* text;
    uint32_t value;
    const char* back;
};
class ColorStrings : public ::testing::TestWithParam<ColorRow> {};
TEST_P(ColorStrings, ConvertBothWays) {
    const ColorRow& r = GetParam();
    EXPECT_EQ(basMain::ColorFromString(QString::fromLatin1(r.text)), r.value) << r.text;
    EXPECT_EQ(basMain::ColorToString(r.value), QString::fromLatin1(r.back));
}
INSTANTIATE_TEST_SUITE_P(
    Rows, ColorStrings,
    ::testing::Values(ColorRow{"255055055", 3618815, "255055055"}, ColorRow{"000128255", 16744448, "000128255"},
                      ColorRow{"000000000", 0, "000000000"}, ColorRow{"239239239", 15724527, "239239239"},
                      ColorRow{"255000000", 255, "255000000"}, ColorRow{"12", 12, "012000000"},
                      ColorRow{"999300256", 16777215, "255255255"}, ColorRow{"abcdefghi", 0, "000000000"},
                      ColorRow{"", 0, "000000000"}, ColorRow{" 1 2 3   ", 1 + 256 * 23, "001023000"}),
    [](const auto& info) { return testnames::spelled(info.param.text); });

TEST(ProgramFolder, EndsInASlash) {
    EXPECT_EQ(basMain(QStringLiteral("/opt/lumbra")).AppPath(), QStringLiteral("/opt/lumbra/"));
    EXPECT_EQ(basMain(QStringLiteral("/opt/lumbra/")).AppPath(), QStringLiteral("/opt/lumbra/"));
}

TEST(Version, LineCarriesTheBuildsNumbersWithoutLeadingZeros) {
    EXPECT_EQ(basMain::ProductName(), QStringLiteral("Lumbra"));
    EXPECT_EQ(basMain::VersionLine(), QStringLiteral("Version %1.%2 (Build: %3)")
                                          .arg(LUMBRA_VERSION_MAJOR)
                                          .arg(LUMBRA_VERSION_MINOR)
                                          .arg(LUMBRA_VERSION_REVISION));
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^Version (0|[1-9]\\d*)\\.(0|[1-9]\\d*) \\(Build: (0|[1-9]\\d*)\\)$"))
                    .match(basMain::VersionLine())
                    .hasMatch())
        << basMain::VersionLine().toStdString();
}

}  // namespace
