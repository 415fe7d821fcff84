#include <gtest/gtest.h>

#include "OnScreenKeyboard.h"
#include "basMain.h"

namespace {

OnScreenKeyboard arranged(int type, int size, int keyBoard = 1, int bindKey6 = 4, int letterType = 0,
                          basMain* table = nullptr) {
    basMain local(QStringLiteral("/tmp/"));
    basMain& main = table ? *table : local;
    if (!table) main.MakeKeyCodeTable(static_cast<int16_t>(type));
    OnScreenKeyboard kb;
    OnScreenKeyboard::Settings s;
    s.keyBoard = static_cast<int16_t>(keyBoard);
    s.keyBoardSize = static_cast<int16_t>(size);
    s.keyBoardType = static_cast<int16_t>(type);
    s.bindKey6 = static_cast<int16_t>(bindKey6);
    s.letterType = static_cast<int16_t>(letterType);
    s.fontName = QStringLiteral("IPAGothic");
    kb.Arrange(s, main);
    return kb;
}

struct PlaceRow {
    const char* name;
    int type;  // 0 = 106, 1 = 101
    int size;  // 1 = enlarged
    int code;
    int left, top, side;
};
class KeyboardPlaces : public ::testing::TestWithParam<PlaceRow> {};

TEST_P(KeyboardPlaces, KeyPlacedAsDesigned) {
    const PlaceRow& r = GetParam();
    const OnScreenKeyboard kb = arranged(r.type, r.size);
    const OnScreenKeyboard::Label* l = kb.label(r.code);
    ASSERT_NE(l, nullptr);
    EXPECT_EQ(l->left, r.left);
    EXPECT_EQ(l->top, r.top);
    EXPECT_EQ(l->width, r.side);
    EXPECT_EQ(l->height, r.side);
    EXPECT_EQ(l->points, r.size == 1 ? 20 : 12);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, KeyboardPlaces,
    ::testing::Values(PlaceRow{"Std106One", 0, 0, '1', 240, 1560, 255}, PlaceRow{"Std106Z", 0, 0, 'Z', 622, 2640, 255},
                      PlaceRow{"Std106YenEndsNumberRow", 0, 0, 220, 4560, 1560, 255},
                      PlaceRow{"Std106BracketEndsHomeRow", 0, 0, 221, 4455, 2280, 255},
                      PlaceRow{"Std106Q", 0, 0, 'Q', 368, 1920, 255}, PlaceRow{"Std106At", 0, 0, 192, 3968, 1920, 255},
                      PlaceRow{"Std101Equals", 1, 0, 187, 4200, 1560, 255},
                      PlaceRow{"Std101Quote", 1, 0, 222, 4095, 2280, 255},
                      PlaceRow{"Big101BackslashEndsTopRow", 1, 1, 220, 7875, 2175, 510},
                      PlaceRow{"Big101Q", 1, 1, 'Q', 495, 2175, 510}, PlaceRow{"Big101Z", 1, 1, 'Z', 1005, 3405, 510},
                      PlaceRow{"Big106Slash", 0, 1, 191, 1005 + 9 * 615, 3405, 510}),
    [](const auto& info) { return std::string(info.param.name); });

struct WindowRow {
    const char* name;
    int type, size, keyBoard;
    int width, height;
};
class KeyboardWindow : public ::testing::TestWithParam<WindowRow> {};

TEST_P(KeyboardWindow, WindowSizeFollowsKeyboard) {
    const WindowRow& r = GetParam();
    const OnScreenKeyboard kb = arranged(r.type, r.size, r.keyBoard);
    EXPECT_EQ(kb.windowWidth(), r.width);
    EXPECT_EQ(kb.windowHeight(), r.height);
    EXPECT_EQ(kb.progressWidth(), r.width - 570);
    EXPECT_EQ(kb.lineRight(), r.width - 100);
}

INSTANTIATE_TEST_SUITE_P(Rows, KeyboardWindow,
                         ::testing::Values(WindowRow{"Standard106", 0, 0, 1, 5145, 3795},
                                           WindowRow{"Standard101", 1, 0, 1, 5145, 3795},
                                           WindowRow{"Enlarged106", 0, 1, 1, 8460, 4815},
                                           WindowRow{"Enlarged101", 1, 1, 1, 8715, 4815},
                                           WindowRow{"Off", 1, 1, 0, 5145, 2115}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(OnScreenKeyboard, LegendsAndAtKeyFollowTheLayout) {
    struct {
        int type;
        const char* l186;
        const char* l187;
        const char* l222;
        bool at;
    } rows[] = {{0, ":", ";", "^", true}, {1, ";", "=", "'", false}};
    for (const auto& r : rows) {
        const OnScreenKeyboard kb = arranged(r.type, 0);
        EXPECT_EQ(kb.label(186)->legend, QString::fromLatin1(r.l186)) << r.type;
        EXPECT_EQ(kb.label(187)->legend, QString::fromLatin1(r.l187)) << r.type;
        EXPECT_EQ(kb.label(222)->legend, QString::fromLatin1(r.l222)) << r.type;
        EXPECT_EQ(kb.label(192)->visible, r.at) << r.type;
        EXPECT_EQ(kb.label(220)->legend, QStringLiteral("\\"));
    }
    EXPECT_EQ(arranged(0, 0).label(226), nullptr) << "no label for the key left of right Shift";
}

TEST(OnScreenKeyboard, FingerColoursAndTheSixKey) {
    const OnScreenKeyboard right = arranged(0, 0, 1, 4);
    const OnScreenKeyboard left = arranged(0, 0, 1, 3);
    EXPECT_EQ(right.label('6')->backColor, OnScreenKeyboard::RightIndexColor);
    EXPECT_EQ(left.label('6')->backColor, OnScreenKeyboard::LeftIndexColor);
    EXPECT_EQ(right.label('A')->backColor, 255u + 192u * 256 + 192u * 65536);
    EXPECT_EQ(right.label('9')->backColor, 128u + 128u * 256 + 255u * 65536);
    EXPECT_EQ(right.label(188)->backColor, 192u + 192u * 256 + 255u * 65536);
    EXPECT_EQ(right.label(222)->backColor, 255u + 192u * 256 + 255u * 65536);
    EXPECT_EQ(right.labels().size(), 47u);
}

TEST(OnScreenKeyboard, LetterCaseAndKeyboardOff) {
    const OnScreenKeyboard lower = arranged(0, 0, 1, 4, 1);
    EXPECT_EQ(lower.label('Q')->legend, QStringLiteral("q"));
    EXPECT_EQ(lower.label('1')->legend, QStringLiteral("1"));

    // Turned off: the keys keep their places (here the enlarged ones), letters still change case.
    basMain main(QStringLiteral("/tmp/"));
    main.MakeKeyCodeTable(1);
    OnScreenKeyboard kb;
    OnScreenKeyboard::Settings s;
    s.keyBoardSize = 1;
    s.keyBoardType = 1;
    kb.Arrange(s, main);
    s.keyBoard = 0;
    s.letterType = 1;
    kb.Arrange(s, main);
    EXPECT_EQ(kb.windowHeight(), 2115);
    EXPECT_EQ(kb.label(220)->left, 7875);
    EXPECT_EQ(kb.label('A')->legend, QStringLiteral("a"));
}

TEST(OnScreenKeyboard, FontReachesOnlyKeysTheTableNames) {
    basMain main(QStringLiteral("/tmp/"));
    main.MakeKeyCodeTable(1);  // 101 first: index 46 holds no key
    const OnScreenKeyboard kb = arranged(1, 0, 1, 4, 0, &main);
    EXPECT_EQ(kb.label('A')->fontName, QStringLiteral("IPAGothic"));
    EXPECT_EQ(kb.label(221)->fontName, QStringLiteral("IPAGothic"));
    EXPECT_EQ(kb.label(192)->fontName, QStringLiteral("ＭＳ ゴシック"));
    EXPECT_EQ(kb.queueFontName(), QStringLiteral("IPAGothic"));
}

}  // namespace
