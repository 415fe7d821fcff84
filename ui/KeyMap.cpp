#include "KeyMap.h"

#include <algorithm>
#include <array>

namespace keymap {
namespace {

// Qt::Key values used here, spelled out so that this file needs Qt Core only.
enum QtKey : int {
    Key_Escape = 0x01000000,
    Key_Tab = 0x01000001,
    Key_Backtab = 0x01000002,
    Key_Backspace = 0x01000003,
    Key_Return = 0x01000004,
    Key_Enter = 0x01000005,
    Key_Insert = 0x01000006,
    Key_Delete = 0x01000007,
    Key_Pause = 0x01000008,
    Key_Print = 0x01000009,
    Key_Home = 0x01000010,
    Key_End = 0x01000011,
    Key_Left = 0x01000012,
    Key_Up = 0x01000013,
    Key_Right = 0x01000014,
    Key_Down = 0x01000015,
    Key_PageUp = 0x01000016,
    Key_PageDown = 0x01000017,
    Key_Shift = 0x01000020,
    Key_Control = 0x01000021,
    Key_Meta = 0x01000022,
    Key_Alt = 0x01000023,
    Key_CapsLock = 0x01000024,
    Key_NumLock = 0x01000025,
    Key_ScrollLock = 0x01000026,
    Key_F1 = 0x01000030,
    Key_F24 = 0x01000047,
    Key_Super_L = 0x01000053,
    Key_Super_R = 0x01000054,
    Key_Menu = 0x01000055,
    Key_AltGr = 0x01001103,
    Key_Muhenkan = 0x01001122,
    Key_Henkan = 0x01001123,
    Key_Hiragana_Katakana = 0x01001127,
    Key_Zenkaku_Hankaku = 0x0100112a,
    Key_Space = 0x20,
    Key_yen = 0xa5,
};

// X keycodes whose code depends on the layout: {keycode, code on 106, code on 101}.
struct LayoutKey {
    uint8_t x;
    int16_t jis;
    int16_t us;
};
constexpr std::array<LayoutKey, 9> kLayoutKeys{{
    {21, 222, 187},
    {34, 192, 219},
    {35, 219, 221},
    {47, 187, 186},
    {48, 186, 222},
    {49, 243, 192},
    {51, 221, 220},
    {97, 226, 226},
    {132, 220, 220},
}};

// X keycodes with the same code on every layout (index = X keycode).
constexpr std::array<int16_t, 136> makeFixedTable() {
    std::array<int16_t, 136> t{};
    t[9] = 27;                                       // Esc
    for (int i = 0; i < 9; ++i) t[10 + i] = 49 + i;  // 1..9
    t[19] = 48;
    t[20] = 189;
    t[22] = 8;
    t[23] = 9;  // 0 - Backspace Tab
    const char top[] = "QWERTYUIOP";
    for (int i = 0; i < 10; ++i) t[24 + i] = top[i];
    t[36] = 13;
    t[37] = 17;  // Enter, left Ctrl
    const char home[] = "ASDFGHJKL";
    for (int i = 0; i < 9; ++i) t[38 + i] = home[i];
    t[50] = 16;  // left Shift
    const char bottom[] = "ZXCVBNM";
    for (int i = 0; i < 7; ++i) t[52 + i] = bottom[i];
    t[59] = 188;
    t[60] = 190;
    t[61] = 191;
    t[62] = 16;  // , . / right Shift
    t[63] = 106;
    t[64] = 18;
    t[65] = 32;
    t[66] = 20;                                        // KP* Alt Space CapsLock
    for (int i = 0; i < 10; ++i) t[67 + i] = 112 + i;  // F1..F10
    t[77] = 144;
    t[78] = 145;  // NumLock ScrollLock
    t[82] = 109;
    t[86] = 107;
    t[91] = 110;  // KP- KP+ KP.
    t[95] = 122;
    t[96] = 123;  // F11 F12
    t[100] = 28;
    t[101] = 242;
    t[102] = 29;  // Henkan, Hiragana, Muhenkan
    t[104] = 13;
    t[105] = 17;
    t[106] = 111;
    t[107] = 44;
    t[108] = 18;
    t[110] = 36;
    t[111] = 38;
    t[112] = 33;
    t[113] = 37;
    t[114] = 39;
    t[115] = 35;
    t[116] = 40;
    t[117] = 34;
    t[118] = 45;
    t[119] = 46;
    t[94] = 226;  // the extra key left of Z on ISO boards
    t[127] = 19;
    t[133] = 91;
    t[134] = 92;
    t[135] = 93;
    return t;
}
constexpr auto kFixed = makeFixedTable();

// Keypad X keycodes in order, with the code each has under NumLock (digits
// 96..105, the decimal point 110) and the navigation code it has without.
struct PadKey {
    uint8_t x;
    int16_t num;
    int16_t nav;
};
constexpr std::array<PadKey, 11> kPad{{
    {79, 103, 36},
    {80, 104, 38},
    {81, 105, 33},
    {83, 100, 37},
    {84, 101, 12},
    {85, 102, 39},
    {87, 97, 35},
    {88, 98, 40},
    {89, 99, 34},
    {90, 96, 45},
    {91, 110, 46},
}};

// OEM legends: {character, code on 106, code on 101}; 0 = not on that layout.
struct Legend {
    char16_t ch;
    int16_t jis;
    int16_t us;
};
constexpr std::array<Legend, 44> kLegends{{
    {u'-', 189, 189},      {u'=', 189, 187},      {u'^', 222, 54},       {u'~', 222, 192},      {u'\\', 220, 220},
    {u'|', 220, 220},      {u'\u00a5', 220, 0},   {u'@', 192, 50},       {u'`', 192, 192},      {u'[', 219, 219},
    {u'{', 219, 219},      {u']', 221, 221},      {u'}', 221, 221},      {u';', 187, 186},      {u'+', 187, 187},
    {u':', 186, 186},      {u'*', 186, 56},       {u'\'', 55, 222},      {u'"', 50, 222},       {u',', 188, 188},
    {u'<', 188, 188},      {u'.', 190, 190},      {u'>', 190, 190},      {u'/', 191, 191},      {u'?', 191, 191},
    {u'_', 226, 189},      {u'!', 49, 49},        {u'#', 51, 51},        {u'$', 52, 52},        {u'%', 53, 53},
    {u'&', 54, 55},        {u'(', 56, 57},        {u')', 57, 48},        {u' ', 32, 32},        {u'\t', 9, 9},
    {u'\r', 13, 13},       {u'\x1b', 27, 27},     {u'\b', 8, 8},         {u'\u30fc', 189, 189}, {u'\u300c', 221, 219},
    {u'\u300d', 220, 221}, {u'\u3001', 188, 188}, {u'\u3002', 190, 190}, {u'\u30fb', 191, 191},
}};

int16_t fromNamedQtKey(int k) {
    if (k >= Key_F1 && k <= Key_F24) return static_cast<int16_t>(112 + (k - Key_F1));
    switch (k) {
        case Key_Escape:
            return 27;
        case Key_Tab:
        case Key_Backtab:
            return 9;
        case Key_Backspace:
            return 8;
        case Key_Return:
        case Key_Enter:
            return 13;
        case Key_Insert:
            return 45;
        case Key_Delete:
            return 46;
        case Key_Pause:
            return 19;
        case Key_Print:
            return 44;
        case Key_Home:
            return 36;
        case Key_End:
            return 35;
        case Key_Left:
            return 37;
        case Key_Up:
            return 38;
        case Key_Right:
            return 39;
        case Key_Down:
            return 40;
        case Key_PageUp:
            return 33;
        case Key_PageDown:
            return 34;
        case Key_Shift:
            return 16;
        case Key_Control:
        case Key_Meta:
            return 17;
        case Key_Alt:
        case Key_AltGr:
            return 18;
        case Key_CapsLock:
            return 20;
        case Key_NumLock:
            return 144;
        case Key_ScrollLock:
            return 145;
        case Key_Super_L:
            return 91;
        case Key_Super_R:
            return 92;
        case Key_Menu:
            return 93;
        case Key_Muhenkan:
            return 29;
        case Key_Henkan:
            return 28;
        case Key_Hiragana_Katakana:
            return 242;
        case Key_Zenkaku_Hankaku:
            return 243;
        case Key_Space:
            return 32;
        default:
            return 0;
    }
}

}  // namespace

int16_t fromScanCode(uint32_t x, int keyBoardType) {
    for (const auto& k : kLayoutKeys)
        if (k.x == x) return keyBoardType == Layout106 ? k.jis : k.us;
    if (x < kFixed.size()) return kFixed[x];
    return 0;
}

int16_t fromQtKey(int qtKey, const QString& text, bool keypad, int keyBoardType) {
    if (qtKey >= 'A' && qtKey <= 'Z') return static_cast<int16_t>(qtKey);
    if (qtKey >= 'a' && qtKey <= 'z') return static_cast<int16_t>(qtKey - 32);
    if (qtKey >= '0' && qtKey <= '9') return static_cast<int16_t>(keypad ? 96 + (qtKey - '0') : qtKey);
    if (keypad) {
        switch (qtKey) {
            case '*':
                return 106;
            case '+':
                return 107;
            case '-':
                return 109;
            case '.':
                return 110;
            case '/':
                return 111;
            default:
                break;
        }
    }
    if (const int16_t named = fromNamedQtKey(qtKey)) return named;
    if (qtKey == Key_yen) return 220;
    // An OEM key: find it by its legend (the text, else the key's character).
    QChar c = !text.isEmpty() ? text.at(0) : (qtKey > 0 && qtKey < 0x10000 ? QChar(qtKey) : QChar());
    if (c.isNull()) return 0;
    if (c.unicode() >= u'a' && c.unicode() <= u'z') return static_cast<int16_t>(c.unicode() - 32);
    if (c.unicode() >= u'A' && c.unicode() <= u'Z') return static_cast<int16_t>(c.unicode());
    for (const auto& l : kLegends)
        if (l.ch == c.unicode()) return keyBoardType == Layout106 ? l.jis : (l.us ? l.us : l.jis);
    return 0;
}

int16_t virtualKey(const KeyInput& in, int keyBoardType) {
    if (in.nativeScanCode != 0) {
        for (const auto& p : kPad) {
            if (p.x != in.nativeScanCode) continue;
            const bool numLock = (in.qtKey >= '0' && in.qtKey <= '9') || in.qtKey == '.' || in.qtKey == ',';
            return numLock ? p.num : p.nav;
        }
        if (const int16_t vk = fromScanCode(in.nativeScanCode, keyBoardType)) return vk;
    }
    return fromQtKey(in.qtKey, in.text, in.keypad, keyBoardType);
}

int16_t sameKey(int16_t vk, int from, int to) {
    if (from == to) return vk;
    const auto on = [](const LayoutKey& k, int layout) { return layout == Layout106 ? k.jis : k.us; };
    for (const auto& k : kLayoutKeys) {
        if (on(k, from) != vk) continue;
        // Where two keys share a code on `to` (the 101 layout calls the yen
        // key backslash too), the code is the first key's.
        const auto first = std::find_if(kLayoutKeys.begin(), kLayoutKeys.end(),
                                        [&](const LayoutKey& o) { return on(o, to) == on(k, to); });
        return first->x == k.x ? on(k, to) : int16_t{0};
    }
    // A code some key has only on layout `to` belongs to no key of `from`.
    for (const auto& k : kLayoutKeys)
        if (on(k, to) == vk) return 0;
    return vk;
}

QString symbolLegend(int vk, int keyBoardType) {
    struct Legend {
        int vk;
        const char16_t* jis;
        const char16_t* us;
    };
    static constexpr Legend kLegends[] = {
        {186, u":", u";"},   {187, u";", u"="}, {188, u",", u","}, {189, u"-", u"-"},
        {190, u".", u"."},   {191, u"/", u"/"}, {192, u"@", u""},  {219, u"[", u"["},
        {220, u"\\", u"\\"}, {221, u"]", u"]"}, {222, u"^", u"'"},
    };
    for (const Legend& l : kLegends)
        if (l.vk == vk) return QString::fromUtf16(keyBoardType == Layout106 ? l.jis : l.us);
    return {};
}

}  // namespace keymap
