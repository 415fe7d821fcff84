#pragma once
#include <QString>
#include <array>
#include <cstdint>

// The start-up module: what the rest of the program shares.
//
// - gKeyCode: key index 0..100 -> Windows virtual-key code on the current
//   layout. All 0 at start; MakeKeyCodeTable writes only the entries of the
//   layout it is given and leaves the rest as they were (so 46 and 47 keep
//   their Japanese-layout values after a later rebuild for the English layout).
// - The colour-string codec: "RRRGGGBBB" <-> red + 256*green + 65536*blue.
// - The size cap of the text-practice window (gMaxWidth ... gMaxTop, pixels),
//   set by that window before it applies it.
// - The program folder and the product name and version, from the build.
class basMain {
public:
    // programFolder: the folder of the executable (a trailing "/" is added
    // when missing).
    explicit basMain(const QString& programFolder);

    std::array<int16_t, 101> gKeyCode{};
    int32_t gMaxWidth = 0;
    int32_t gMaxHeight = 0;
    int32_t gMaxLeft = 0;
    int32_t gMaxTop = 0;

    // keyBoardType 0 = Japanese 106 keys, anything else = English 101 keys.
    void MakeKeyCodeTable(int16_t keyBoardType);
    int16_t keyCode(int keyIndex) const {
        return keyIndex >= 0 && keyIndex <= 100 ? gKeyCode[static_cast<size_t>(keyIndex)] : 0;
    }

    static uint32_t ColorFromString(const QString& s);
    static QString ColorToString(uint32_t color);

    const QString& AppPath() const { return mProgramFolder; }  // ends in "/"
    static QString ProductName();
    static int VersionMajor();
    static int VersionMinor();
    static int VersionRevision();
    static QString VersionLine();  // "Version 1.0 (Build: 1)"

private:
    QString mProgramFolder;
};
