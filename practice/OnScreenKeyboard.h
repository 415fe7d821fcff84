#pragma once
#include <QString>
#include <array>
#include <cstdint>
#include <vector>

class basMain;

// The on-screen keyboard as data: 47 key labels addressed by virtual-key code
// (digits 48-57, letters 65-90, the symbol keys 186-192 and 219-222), each
// with its place and size in twips, legend, legend size, font face, finger
// colour, legend colour and visibility, plus the window size they need.
//
// Arrange() is ArrangeKeyboard without the window: it lays the labels out for
// the layout and size chosen, sets the layout's legends, hides or shows the @
// key, colours the 6 key by BindKey6, sets the font of the keys the key table
// names, and puts the letters in the chosen case. With the keyboard turned
// off it only shrinks the window (the labels keep their places), sets the
// font and the letter case. Key codes without a label are ignored everywhere.
class OnScreenKeyboard {
public:
    struct Label {
        int16_t code = 0;
        int left = 0, top = 0, width = 0, height = 0;  // twips, in the window's client area
        double points = 12;
        QString legend;
        QString fontName;
        uint32_t backColor = 0;  // red + 256*green + 65536*blue
        uint32_t foreColor = 0;
        bool visible = true;
    };

    struct Settings {
        int16_t keyBoard = 1;      // 1 = keyboard shown
        int16_t keyBoardSize = 0;  // 1 = enlarged
        int16_t keyBoardType = 0;  // 0 = Japanese 106 keys
        int16_t bindKey6 = 4;      // 4 = the 6 key belongs to the right index finger
        int16_t letterType = 0;    // 1 = lower-case letters
        QString fontName;
    };

    static constexpr uint32_t Black = 0x000000;
    static constexpr uint32_t Red = 0x0000FF;
    static constexpr uint32_t White = 0xFFFFFF;

    static constexpr int kKeyCount = 47;
    // The 47 labelled codes in ascending order.
    static const std::array<int16_t, kKeyCount>& keyCodes();
    // Finger colours of the design (the 6 key as the right index finger).
    static uint32_t fingerColor(int16_t code);
    static constexpr uint32_t LeftIndexColor = 192 + 256 * 255 + 65536 * 192;
    static constexpr uint32_t RightIndexColor = 192 + 256 * 255 + 65536 * 255;

    // The labels as designed: standard size, Japanese legends, upper case.
    OnScreenKeyboard();

    void Arrange(const Settings& s, const basMain& keyTable);

    // nullptr when the code has no label.
    const Label* label(int code) const;
    const std::vector<Label>& labels() const { return mLabels; }
    // Sets a legend colour; false when the code has no label (nothing happens).
    bool setForeColor(int code, uint32_t color);
    uint32_t foreColor(int code) const;  // Black for codes without a label

    // Window outer size (twips) and what follows from its width.
    int windowWidth() const { return mWindowWidth; }
    int windowHeight() const { return mWindowHeight; }
    int progressWidth() const { return mWindowWidth - 570; }
    int lineRight() const { return mWindowWidth - 100; }
    // The face of the six queue labels (set with the keys' font).
    const QString& queueFontName() const { return mQueueFontName; }

private:
    Label* find(int code);
    void placeKeys(const Settings& s);
    void setLayoutLegends(int16_t keyBoardType);
    void applyKeyFont(const QString& face, const basMain& keyTable);
    void setLetterCase(int16_t letterType);

    std::vector<Label> mLabels;
    std::array<int16_t, 256> mIndexOfCode{};  // code -> index + 1, 0 = no label
    int mWindowWidth = 5145;
    int mWindowHeight = 3795;
    QString mQueueFontName = QStringLiteral("ＭＳ ゴシック");
};
