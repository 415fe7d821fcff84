#pragma once
#include <QString>
#include <cstdint>

// Turns a key-down into the Windows virtual-key code the program judges by.
//
// Keys are judged by physical position: under X11 the native scan code is the
// X keycode (evdev code + 8), and it is translated to the code that key has on
// the layout chosen by KeyBoardType (0 = Japanese 106 keys, 1 = English 101
// keys), whatever the X keyboard map says. Where there is no scan code
// (offscreen tests, synthetic events) the Qt key and the text decide, with the
// OEM keys found by their legends on the chosen layout.
//
// Every key-down gets a code: modifiers, function keys and keys outside the
// drill too. 0 means the key has no virtual-key code at all.
struct KeyInput {
    uint32_t nativeScanCode = 0;  // X keycode, 0 when unknown
    int qtKey = 0;                // Qt::Key
    QString text;                 // the event's text
    bool keypad = false;          // Qt::KeypadModifier was set
};

namespace keymap {
constexpr int Layout106 = 0;
constexpr int Layout101 = 1;

int16_t virtualKey(const KeyInput& in, int keyBoardType);
int16_t fromScanCode(uint32_t xKeycode, int keyBoardType);  // 0 when unknown
int16_t fromQtKey(int qtKey, const QString& text, bool keypad, int keyBoardType);

// The code on layout `to` of the physical key that has code `vk` on layout
// `from` (letters, digits and most other keys keep their code; the OEM keys
// move); 0 when layout `to` has no such key.
int16_t sameKey(int16_t vk, int from, int to);

// The legend printed on symbol key `vk` (186-192, 219-222) of the layout; empty
// for other codes and for 192, which the 101 layout does not have.
QString symbolLegend(int vk, int keyBoardType);
}  // namespace keymap
