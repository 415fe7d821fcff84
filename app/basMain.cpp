#include "basMain.h"

#include <algorithm>

#include "Numbers.h"
#include "Paths.h"
#include "Version.h"

namespace {
// Keys whose codes are the same on both layouts, by key index.
constexpr char kLetters[] = "ASDFGHJKLQWERTYUIOPZXCVBNM";  // indexes 0..25
// Finger groups 51..90 (index 89 depends on the layout and is 0 here).
constexpr int16_t kFingers[] = {
    52, 53, 54, 55, 82, 84, 89, 85,  70, 71, 72, 74, 86, 66, 78, 77,  // 51-66 index
    51, 56, 68, 75, 69, 73, 67, 188,                                  // 67-74 middle
    50, 57, 83, 76, 87, 79, 88, 190,                                  // 75-82 ring
    49, 48, 65, 81, 80, 90, 0,  191,                                  // 83-90 little
};
// Symbol keys 37.. by layout.
constexpr int16_t kSymbols101[] = {187, 219, 221, 220, 186, 222, 188, 190, 191};            // 37-45
constexpr int16_t kSymbols106[] = {222, 220, 192, 219, 187, 186, 221, 188, 190, 191, 226};  // 37-47
}  // namespace

basMain::basMain(const QString& programFolder) : mProgramFolder(withTrailingSlash(programFolder)) {}

void basMain::MakeKeyCodeTable(int16_t keyBoardType) {
    for (int i = 0; i < 26; ++i) gKeyCode[i] = kLetters[i];
    for (int d = 0; d < 10; ++d) gKeyCode[26 + d] = static_cast<int16_t>(48 + d);
    gKeyCode[36] = 189;
    if (keyBoardType != 0)
        std::copy(std::begin(kSymbols101), std::end(kSymbols101), gKeyCode.begin() + 37);
    else
        std::copy(std::begin(kSymbols106), std::end(kSymbols106), gKeyCode.begin() + 37);
    std::copy(std::begin(kFingers), std::end(kFingers), gKeyCode.begin() + 51);
    gKeyCode[89] = keyBoardType != 0 ? 186 : 187;
}

uint32_t basMain::ColorFromString(const QString& s) {
    auto component = [&s](int start) -> uint32_t {
        const double v = num::roundHalfEven(num::Val(s.mid(start, 3)));
        if (v <= 0) return 0;
        return v > 255 ? 255u : static_cast<uint32_t>(v);
    };
    return component(0) + 256u * component(3) + 65536u * component(6);
}

QString basMain::ColorToString(uint32_t c) {
    auto three = [](uint32_t v) { return QString::number(v & 0xFF).rightJustified(3, u'0'); };
    return three(c) + three(c >> 8) + three(c >> 16);
}

QString basMain::ProductName() { return QStringLiteral(LUMBRA_PRODUCT_NAME); }
int basMain::VersionMajor() { return LUMBRA_VERSION_MAJOR; }
int basMain::VersionMinor() { return LUMBRA_VERSION_MINOR; }
int basMain::VersionRevision() { return LUMBRA_VERSION_REVISION; }

QString basMain::VersionLine() {
    return QStringLiteral("Version %1.%2 (Build: %3)").arg(VersionMajor()).arg(VersionMinor()).arg(VersionRevision());
}
