#pragma once
#include <QDateTime>
#include <vector>

#include "Fakes.h"
#include "KeyModel.h"
#include "KeystrokeStore.h"
#include "Learning.h"
#include "TestFiles.h"
#include "basParam.h"

// A learning engine over a scratch folder, with a fake clock and a wall
// clock the test sets.
struct LearningRig {
    ScratchFolder folder;
    FakeDialogs dialogs;
    FakeClock clock;
    basParam param{folder.path(), QStringLiteral("Lumbra"), dialogs};
    qint64 wall = QDateTime(QDate(2026, 12, 1), QTime(9, 0), Qt::UTC).toMSecsSinceEpoch();
    Learning learning{param, clock, dialogs};

    LearningRig() {
        learning.utcNow = [this] { return wall; };
    }

    // One key typed `ms` after the previous one.
    void key(int16_t expected, int16_t pressed, uint32_t ms, bool first = false, int16_t mode = 10) {
        clock.advance(ms);
        wall += ms;
        JudgedKey k;
        k.mode = mode;
        k.expectedVk = expected;
        k.pressedVk = pressed;
        k.correct = expected == pressed;
        k.firstOfRun = first;
        k.tick = clock.now;
        learning.keyJudged(k);
    }
    QString dbPath() const { return folder.file(QStringLiteral("Lumbra.db")); }
};

// Every keystroke a store holds, in the order written.
inline std::vector<learning::Keystroke> allKeystrokes(KeystrokeStore& s) {
    std::vector<learning::Keystroke> out;
    s.forEach([&](const learning::Keystroke& k) {
        out.push_back(k);
        return true;
    });
    return out;
}

// A keystroke for the store tests.
inline learning::Keystroke stroke(qint64 t, int16_t expected, int16_t pressed, int32_t gap, int16_t prev = 0,
                                  int16_t layout = 0) {
    learning::Keystroke k;
    k.timeMs = t;
    k.mode = 10;
    k.expectedVk = expected;
    k.pressedVk = pressed;
    k.correct = expected == pressed;
    k.gapMs = gap;
    k.prevVk = prev;
    k.layout = layout;
    return k;
}

// `count` correct presses of each key, `misses` of them wrong (pressed `wrong`
// first), each taking `ms`, as one run per key.
inline std::vector<learning::Keystroke> drill(int16_t vk, int count, int misses, int32_t ms, qint64& t,
                                              int16_t wrong = 16) {
    std::vector<learning::Keystroke> out;
    int16_t prev = 0;
    for (int i = 0; i < count; ++i) {
        if (i < misses) {
            out.push_back(stroke(++t, vk, wrong, prev ? ms : -1, prev));
            prev = wrong;
        }
        out.push_back(stroke(++t, vk, vk, prev ? ms : -1, prev));
        prev = vk;
    }
    return out;
}
