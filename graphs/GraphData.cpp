#include "GraphData.h"

#include "basMain.h"
#include "basParam.h"
#include "basResults.h"

int graphLastIndex(int32_t count) { return count > 50 ? 49 : (count < 0 ? -1 : count - 1); }

TestGraphData TestGraphData::fromResults(const basResults& r, int kind) {
    TestGraphData d;
    d.count = r.GetTestCount(kind);
    d.bestTime = r.GetTestBestTime(kind);
    d.worstTime = r.GetTestWorstTime(kind);
    d.maxMiss = r.GetTestMaxMiss(kind);
    d.minMiss = r.GetTestMinMiss(kind);
    for (int i = 0; i < 51; ++i) {
        d.times[static_cast<size_t>(i)] = r.GetTestTime(kind, i);
        d.misses[static_cast<size_t>(i)] = r.GetTestMiss(kind, i);
    }
    return d;
}

TextGraphData TextGraphData::fromResults(const basResults& r) {
    TextGraphData d;
    d.count = r.GetTextCount();
    for (int i = 0; i < 51; ++i) {
        d.chars[static_cast<size_t>(i)] = r.GetTextChars(i);
        d.misses[static_cast<size_t>(i)] = r.GetTextMisses(i);
        d.perMinute[static_cast<size_t>(i)] = r.GetTextPerMinute(i);
    }
    return d;
}

MissKeyData MissKeyData::fromResults(const basResults& r, const basMain& main, const basParam& param) {
    MissKeyData d;
    for (int k = 0; k <= 100; ++k) {
        d.keyMiss[static_cast<size_t>(k)] = r.GetLastRunKeyMiss(k);
        d.keyCode[static_cast<size_t>(k)] = main.keyCode(k);
    }
    d.keyBoardType = param.KeyBoardType();
    d.letterType = param.LetterType();
    return d;
}
