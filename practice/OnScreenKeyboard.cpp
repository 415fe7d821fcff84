#include "OnScreenKeyboard.h"

#include <algorithm>

#include "KeyMap.h"
#include "Numbers.h"
#include "basMain.h"

namespace {

constexpr uint32_t rgb(int r, int g, int b) {
    return static_cast<uint32_t>(r) + 256u * static_cast<uint32_t>(g) + 65536u * static_cast<uint32_t>(b);
}

// Finger colours and the keys each finger types (the 6 key sits with the
// right index finger until BindKey6 moves it).
struct Finger {
    uint32_t color;
    std::vector<int16_t> codes;
};
const std::vector<Finger>& fingers() {
    static const std::vector<Finger> table{
        {rgb(255, 192, 192), {'1', 'Q', 'A', 'Z'}},
        {rgb(255, 224, 192), {'2', 'W', 'S', 'X'}},
        {rgb(255, 255, 192), {'3', 'E', 'D', 'C'}},
        {OnScreenKeyboard::LeftIndexColor, {'4', '5', 'R', 'T', 'F', 'G', 'V', 'B'}},
        {OnScreenKeyboard::RightIndexColor, {'6', '7', 'Y', 'U', 'H', 'J', 'N', 'M'}},
        {rgb(192, 192, 255), {'8', 'I', 'K', 188}},
        {rgb(128, 128, 255), {'9', 'O', 'L', 190}},
        {rgb(255, 192, 255), {'0', 'P', 186, 187, 189, 191, 192, 219, 220, 221, 222}},
    };
    return table;
}

// One keyboard row: its place in rows from the number row, how many half key
// sizes its first key is indented, and its keys on each layout.
struct Row {
    int index;
    int halfKeysIndent;
    std::vector<int16_t> keys101;
    std::vector<int16_t> keys106;
};
const std::vector<Row>& rows() {
    static const std::vector<Row> table{
        {0,
         0,
         {'1', '2', '3', '4', '5', '6', '7', '8', '9', '0', 189, 187},
         {'1', '2', '3', '4', '5', '6', '7', '8', '9', '0', 189, 222, 220}},
        {1,
         1,
         {'Q', 'W', 'E', 'R', 'T', 'Y', 'U', 'I', 'O', 'P', 219, 221, 220},
         {'Q', 'W', 'E', 'R', 'T', 'Y', 'U', 'I', 'O', 'P', 192, 219}},
        {2,
         2,
         {'A', 'S', 'D', 'F', 'G', 'H', 'J', 'K', 'L', 186, 222},
         {'A', 'S', 'D', 'F', 'G', 'H', 'J', 'K', 'L', 187, 186, 221}},
        {3, 3, {'Z', 'X', 'C', 'V', 'B', 'N', 'M', 188, 190, 191}, {'Z', 'X', 'C', 'V', 'B', 'N', 'M', 188, 190, 191}},
    };
    return table;
}

constexpr int kKeyboardTop = 1560;
constexpr int kKeyboardLeft = 240;
constexpr int kKeyGap = 105;

// The keys whose legends depend on the layout.
constexpr std::array<int16_t, 3> kLayoutLegendKeys{186, 187, 222};

// The legends as on the 106 layout; setLayoutLegends changes them for 101.
QString fixedLegend(int16_t code) {
    if ((code >= '0' && code <= '9') || (code >= 'A' && code <= 'Z')) return QString(QChar(code));
    return keymap::symbolLegend(code, keymap::Layout106);
}

}  // namespace

const std::array<int16_t, OnScreenKeyboard::kKeyCount>& OnScreenKeyboard::keyCodes() {
    static const std::array<int16_t, kKeyCount> codes = [] {
        std::array<int16_t, kKeyCount> c{};
        size_t n = 0;
        for (int16_t k = '0'; k <= '9'; ++k) c[n++] = k;
        for (int16_t k = 'A'; k <= 'Z'; ++k) c[n++] = k;
        for (int16_t k : {186, 187, 188, 189, 190, 191, 192, 219, 220, 221, 222}) c[n++] = k;
        return c;
    }();
    return codes;
}

uint32_t OnScreenKeyboard::fingerColor(int16_t code) {
    for (const Finger& f : fingers())
        if (std::find(f.codes.begin(), f.codes.end(), code) != f.codes.end()) return f.color;
    return White;
}

OnScreenKeyboard::OnScreenKeyboard() {
    for (int16_t code : keyCodes()) {
        Label l;
        l.code = code;
        l.legend = fixedLegend(code);
        l.fontName = QStringLiteral("ＭＳ ゴシック");
        l.backColor = fingerColor(code);
        l.foreColor = Black;
        mLabels.push_back(l);
        mIndexOfCode[static_cast<size_t>(code)] = static_cast<int16_t>(mLabels.size());
    }
    Settings design;
    placeKeys(design);  // the design places: standard size, Japanese layout
}

OnScreenKeyboard::Label* OnScreenKeyboard::find(int code) {
    if (code < 0 || code > 255 || mIndexOfCode[static_cast<size_t>(code)] == 0) return nullptr;
    return &mLabels[static_cast<size_t>(mIndexOfCode[static_cast<size_t>(code)] - 1)];
}

const OnScreenKeyboard::Label* OnScreenKeyboard::label(int code) const {
    return const_cast<OnScreenKeyboard*>(this)->find(code);
}

bool OnScreenKeyboard::setForeColor(int code, uint32_t color) {
    Label* l = find(code);
    if (!l) return false;
    l->foreColor = color;
    return true;
}

uint32_t OnScreenKeyboard::foreColor(int code) const {
    const Label* l = label(code);
    return l ? l->foreColor : Black;
}

void OnScreenKeyboard::Arrange(const Settings& s, const basMain& keyTable) {
    if (s.keyBoard != 1) {
        mWindowWidth = 5145;
        mWindowHeight = 2115;
    } else {
        const bool enlarged = s.keyBoardSize == 1;
        mWindowWidth = enlarged ? (s.keyBoardType == 0 ? 8460 : 8715) : 5145;
        mWindowHeight = enlarged ? 4815 : 3795;
        placeKeys(s);
        setLayoutLegends(s.keyBoardType);
        find('6')->backColor = s.bindKey6 == 4 ? RightIndexColor : LeftIndexColor;
    }
    applyKeyFont(s.fontName, keyTable);
    setLetterCase(s.letterType);
}

void OnScreenKeyboard::placeKeys(const Settings& s) {
    const bool enlarged = s.keyBoardSize == 1;
    const int c = enlarged ? 510 : 255;
    const double points = enlarged ? 20 : 12;
    const int pitch = c + kKeyGap;
    for (const Row& row : rows()) {
        const auto& keys = s.keyBoardType == 0 ? row.keys106 : row.keys101;
        const int first = kKeyboardLeft + static_cast<int>(num::roundHalfEven(row.halfKeysIndent * c / 2.0));
        const int top = kKeyboardTop + row.index * pitch;
        for (size_t i = 0; i < keys.size(); ++i) {
            Label* l = find(keys[i]);
            l->left = first + static_cast<int>(i) * pitch;
            l->top = top;
            l->width = l->height = c;
            l->points = points;
        }
    }
}

void OnScreenKeyboard::setLayoutLegends(int16_t keyBoardType) {
    for (int16_t code : kLayoutLegendKeys) find(code)->legend = keymap::symbolLegend(code, keyBoardType);
    find(192)->visible = keyBoardType == 0;
}

void OnScreenKeyboard::applyKeyFont(const QString& face, const basMain& keyTable) {
    for (int i = 0; i <= 46; ++i)
        if (Label* l = find(keyTable.keyCode(i))) l->fontName = face;
    mQueueFontName = face;
}

void OnScreenKeyboard::setLetterCase(int16_t letterType) {
    for (int16_t code = 'A'; code <= 'Z'; ++code) {
        const QChar upper(code);
        find(code)->legend = letterType == 1 ? QString(upper.toLower()) : QString(upper);
    }
}
