#pragma once
#include <array>
#include <cstdint>

class basResults;
class basMain;
class basParam;

// What the three graphs show, copied out of the results records at the
// moment of drawing or exporting. Index 0 is always the newest entry.

// The last history index shown: 49 when more than 50 entries were stored,
// else count - 1 (-1 when nothing is stored).
int graphLastIndex(int32_t count);

// One test kind's history with its all-time extremes.
struct TestGraphData {
    int32_t count = 0;
    double bestTime = 0;
    double worstTime = 0;
    int16_t maxMiss = 0;
    int16_t minMiss = 0;
    std::array<double, 51> times{};
    std::array<int16_t, 51> misses{};

    static TestGraphData fromResults(const basResults& results, int kind);
};

// The text-practice history.
struct TextGraphData {
    int32_t count = 0;
    std::array<int32_t, 51> chars{};
    std::array<int32_t, 51> misses{};
    std::array<double, 51> perMinute{};

    static TextGraphData fromResults(const basResults& results);
};

// The last drill run's misses per key index, with what is needed to label
// the keys: the virtual-key code of each key index and the layout settings.
struct MissKeyData {
    std::array<int16_t, 101> keyMiss{};
    std::array<int16_t, 101> keyCode{};
    int keyBoardType = 0;  // 0 = 106 keys, 1 = 101 keys
    int letterType = 0;    // 1 = letters in lower case

    static MissKeyData fromResults(const basResults& results, const basMain& main, const basParam& param);
};
