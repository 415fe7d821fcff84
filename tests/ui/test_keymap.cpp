#include <gtest/gtest.h>

#include <QKeyEvent>

#include "KeyMap.h"
#include "Widgets.h"

namespace {

using keymap::Layout101;
using keymap::Layout106;

// X keycodes (evdev + 8) as measured under X11, with the virtual-key code the
// key has on each layout.
struct ScanRow {
    const char* name;
    uint32_t x;
    int jis;
    int us;
};
class ScanCodes : public ::testing::TestWithParam<ScanRow> {};
TEST_P(ScanCodes, PhysicalKeyGivesTheLayoutsCode) {
    const ScanRow& r = GetParam();
    EXPECT_EQ(keymap::fromScanCode(r.x, Layout106), r.jis);
    EXPECT_EQ(keymap::fromScanCode(r.x, Layout101), r.us);
    // The same key on the other layout; the 101 layout has no yen key.
    EXPECT_EQ(keymap::sameKey(static_cast<int16_t>(r.jis), Layout106, Layout101), r.x == 132 ? 0 : r.us);
    if (r.x != 132) {
        EXPECT_EQ(keymap::sameKey(static_cast<int16_t>(r.us), Layout101, Layout106), r.jis);
    }
}
INSTANTIATE_TEST_SUITE_P(Rows, ScanCodes,
                         ::testing::Values(ScanRow{"Q", 24, 81, 81}, ScanRow{"P", 33, 80, 80}, ScanRow{"A", 38, 65, 65},
                                           ScanRow{"L", 46, 76, 76}, ScanRow{"Z", 52, 90, 90}, ScanRow{"M", 58, 77, 77},
                                           ScanRow{"Digit1", 10, 49, 49}, ScanRow{"Digit0", 19, 48, 48},
                                           ScanRow{"Minus", 20, 189, 189}, ScanRow{"RightOfMinus", 21, 222, 187},
                                           ScanRow{"RightOfP", 34, 192, 219}, ScanRow{"SecondRightOfP", 35, 219, 221},
                                           ScanRow{"RightOfL", 47, 187, 186}, ScanRow{"SecondRightOfL", 48, 186, 222},
                                           ScanRow{"LeftOfEnter", 51, 221, 220}, ScanRow{"Comma", 59, 188, 188},
                                           ScanRow{"Period", 60, 190, 190}, ScanRow{"Slash", 61, 191, 191},
                                           ScanRow{"Yen", 132, 220, 220}, ScanRow{"Ro", 97, 226, 226},
                                           ScanRow{"ShiftLeft", 50, 16, 16}, ScanRow{"ShiftRight", 62, 16, 16},
                                           ScanRow{"CtrlLeft", 37, 17, 17}, ScanRow{"CtrlRight", 105, 17, 17},
                                           ScanRow{"AltLeft", 64, 18, 18}, ScanRow{"AltRight", 108, 18, 18},
                                           ScanRow{"Space", 65, 32, 32}, ScanRow{"F1", 67, 112, 112},
                                           ScanRow{"Unknown", 250, 0, 0}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(KeyMap, KeypadFollowsNumLock) {
    KeyInput seven{79, Qt::Key_7, QStringLiteral("7"), true};
    EXPECT_EQ(keymap::virtualKey(seven, Layout106), 103);
    KeyInput home{79, Qt::Key_Home, QString(), true};
    EXPECT_EQ(keymap::virtualKey(home, Layout106), 36);
    KeyInput zero{90, Qt::Key_0, QStringLiteral("0"), true};
    EXPECT_EQ(keymap::virtualKey(zero, Layout101), 96);
    KeyInput point{91, Qt::Key_Period, QStringLiteral("."), true};
    EXPECT_EQ(keymap::virtualKey(point, Layout101), 110);
    KeyInput del{91, Qt::Key_Delete, QString(), true};
    EXPECT_EQ(keymap::virtualKey(del, Layout101), 46);
}

TEST(KeyMap, ScanCodeWinsOverWhatTheXMapSays) {
    // The key right of P under a US X map reports "[" but is "@" on the 106 layout.
    KeyInput in{34, Qt::Key_BracketLeft, QStringLiteral("["), false};
    EXPECT_EQ(keymap::virtualKey(in, Layout106), 192);
    EXPECT_EQ(keymap::virtualKey(in, Layout101), 219);
    // Shift held: the text changes, the key does not.
    KeyInput shifted{47, Qt::Key_Plus, QStringLiteral("+"), false};
    EXPECT_EQ(keymap::virtualKey(shifted, Layout106), 187);
    EXPECT_EQ(keymap::virtualKey(shifted, Layout101), 186);
}

// Without a scan code (offscreen, synthetic events): the Qt key and the text.
struct FallbackRow {
    const char* name;
    int key;
    const char* text;
    bool keypad;
    int jis;
    int us;
};
class QtKeyFallback : public ::testing::TestWithParam<FallbackRow> {};
TEST_P(QtKeyFallback, GivesTheCodeOfTheKeyWithThatLegend) {
    const FallbackRow& r = GetParam();
    const KeyInput in{0, r.key, QString::fromUtf8(r.text), r.keypad};
    EXPECT_EQ(keymap::virtualKey(in, Layout106), r.jis);
    EXPECT_EQ(keymap::virtualKey(in, Layout101), r.us);
}
INSTANTIATE_TEST_SUITE_P(Rows, QtKeyFallback,
                         ::testing::Values(FallbackRow{"LetterUpper", Qt::Key_A, "A", false, 65, 65},
                                           FallbackRow{"LetterLower", Qt::Key_A, "a", false, 65, 65},
                                           FallbackRow{"Digit", Qt::Key_5, "5", false, 53, 53},
                                           FallbackRow{"KeypadDigit", Qt::Key_5, "5", true, 101, 101},
                                           FallbackRow{"KeypadPlus", Qt::Key_Plus, "+", true, 107, 107},
                                           FallbackRow{"F1", Qt::Key_F1, "", false, 112, 112},
                                           FallbackRow{"Shift", Qt::Key_Shift, "", false, 16, 16},
                                           FallbackRow{"Return", Qt::Key_Return, "\r", false, 13, 13},
                                           FallbackRow{"Escape", Qt::Key_Escape, "\x1b", false, 27, 27},
                                           FallbackRow{"Minus", Qt::Key_Minus, "-", false, 189, 189},
                                           FallbackRow{"At", Qt::Key_At, "@", false, 192, 50},
                                           FallbackRow{"Semicolon", Qt::Key_Semicolon, ";", false, 187, 186},
                                           FallbackRow{"Colon", Qt::Key_Colon, ":", false, 186, 186},
                                           FallbackRow{"Caret", Qt::Key_AsciiCircum, "^", false, 222, 54},
                                           FallbackRow{"Equal", Qt::Key_Equal, "=", false, 189, 187},
                                           FallbackRow{"BracketLeft", Qt::Key_BracketLeft, "[", false, 219, 219},
                                           FallbackRow{"BracketRight", Qt::Key_BracketRight, "]", false, 221, 221},
                                           FallbackRow{"Backslash", Qt::Key_Backslash, "\\", false, 220, 220},
                                           FallbackRow{"Underscore", Qt::Key_Underscore, "_", false, 226, 189},
                                           FallbackRow{"Apostrophe", Qt::Key_Apostrophe, "'", false, 55, 222},
                                           FallbackRow{"Yen", Qt::Key_yen, "\u00a5", false, 220, 220},
                                           FallbackRow{"Comma", Qt::Key_Comma, ",", false, 188, 188},
                                           FallbackRow{"Slash", Qt::Key_Slash, "/", false, 191, 191},
                                           FallbackRow{"Unknown", Qt::Key_unknown, "", false, 0, 0}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(KeyMap, QtEventsTakeTheScanCodePathWhenTheyCarryOne) {
    const QKeyEvent real(QEvent::KeyPress, Qt::Key_Semicolon, Qt::NoModifier, 47, 0x3b, 0, QStringLiteral(";"));
    EXPECT_EQ(ui::virtualKey(&real, Layout106), 187);
    EXPECT_EQ(ui::virtualKey(&real, Layout101), 186);
    const QKeyEvent synthetic(QEvent::KeyPress, Qt::Key_BracketLeft, Qt::NoModifier, QStringLiteral("["));
    EXPECT_EQ(ui::virtualKey(&synthetic, Layout106), 219);
    const QKeyEvent keypad(QEvent::KeyPress, Qt::Key_3, Qt::KeypadModifier, QStringLiteral("3"));
    EXPECT_EQ(ui::virtualKey(&keypad, Layout101), 99);
}

}  // namespace
