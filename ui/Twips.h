#pragma once
#include <cmath>

// Window and control geometry is designed in twips: 15 twips per pixel.
namespace twips {
constexpr int PerPixel = 15;

// Twips to pixels, rounded to the nearest pixel.
constexpr int px(double tw) { return static_cast<int>(tw >= 0 ? tw / PerPixel + 0.5 : tw / PerPixel - 0.5); }
constexpr int tw(int px) { return px * PerPixel; }

// The classic desktop frame the designed outer sizes assume, in pixels: a
// fixed border of 3, a sizable border of 4, a caption of 19 and a menu bar of
// 20. The client area of a window designed W x H twips (outer) is what is left
// inside these; the real window gets that client area plus its real frame.
struct FrameMetrics {
    int width;   // both borders together
    int height;  // caption and both borders, without the menu bar
};
constexpr FrameMetrics fixedFrame{6, 25};
constexpr FrameMetrics sizableFrame{8, 27};
constexpr int classicMenuHeight = 20;

// Client size in pixels (below the menu bar) of a window whose outer size is
// given in twips.
constexpr int clientWidthPx(int outerTw, bool sizable) {
    return px(outerTw) - (sizable ? sizableFrame.width : fixedFrame.width);
}
constexpr int clientHeightPx(int outerTw, bool sizable, bool hasMenu) {
    return px(outerTw) - (sizable ? sizableFrame.height : fixedFrame.height) - (hasMenu ? classicMenuHeight : 0);
}
constexpr int outerWidthTw(int clientPx, bool sizable) {
    return tw(clientPx + (sizable ? sizableFrame.width : fixedFrame.width));
}
constexpr int outerHeightTw(int clientPx, bool sizable, bool hasMenu) {
    return tw(clientPx + (sizable ? sizableFrame.height : fixedFrame.height) + (hasMenu ? classicMenuHeight : 0));
}
}  // namespace twips
