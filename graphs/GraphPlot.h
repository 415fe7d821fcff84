#pragma once
#include <QString>
#include <array>
#include <cstdint>

#include "GraphData.h"

class Surface;

// The drawings of the three graph windows, onto a Surface of any size
// (W x H twips, the surface's size). Every drawing starts from scratch:
// mask pen (lines, boxes and dots ANDed with what is there), cleared to the
// background colour, 1-pixel lines. Numbers are written in the general form
// with a leading space in the sign position; points of a series are rounded
// to whole twips (halves to even) and drawn as a dot at the first point and a
// line from each point to the next, the oldest shown entry at x = 350 and
// the newest at x = W - 350. Pending window events may run at the surface's
// processEvents points.

// The test graph: the input times and miss counts of one test kind, scaled
// between the all-time extremes, with a legend at the top right. Events run
// after the legend and after the time series.
struct TestGraphStyle {
    uint32_t fore = 0;  // axis
    uint32_t back = 0;
    uint32_t time = 0;
    uint32_t miss = 0;
    QString fontName;  // the face of the numbers
};
void drawTestGraph(Surface& s, const TestGraphData& data, const TestGraphStyle& style);

// The text-practice graph: up to three series (characters, misses, inputs per
// minute), each scaled between its extremes over the shown entries. Events
// run once, after the axis.
struct TextGraphStyle {
    uint32_t fore = 0;
    uint32_t back = 0;
    std::array<uint32_t, 3> series{};  // characters, misses, inputs per minute
    int disp = 7;                      // bit 1, 2, 4: series shown
    QString fontName;
};
void drawTextGraph(Surface& s, const TextGraphData& data, const TextGraphStyle& style);

// The miss-key graph: one bar per mistyped key of the last run (key indexes
// 0..46, or the finger-practice keys 51..90 when the first range has no
// miss), side by side in key-index order, labelled below the base line.
// Events run once, after the axes.
struct MissKeyStyle {
    uint32_t fore = 0;
    uint32_t back = 0;
    uint32_t miss = 0;
    int fillStyle = 5;
    QString fontName;
};
void drawMissKeyGraph(Surface& s, const MissKeyData& data, const MissKeyStyle& style);

// The label of a key under its bar, from its virtual-key code: letters and
// digits as themselves (letters in lower case when letterType is 1), the
// punctuation keys by layout, and "" for any other key.
QString missKeyLabel(int code, int keyBoardType, int letterType);
