#pragma once
#include <utility>
#include <vector>

#include "Fakes.h"
#include "KeyPractice.h"
#include "TestFiles.h"
#include "basMain.h"
#include "basParam.h"
#include "basResults.h"

// Records what the drill tells the window.
struct RecordingView : KeyPracticeView {
    std::vector<std::pair<int16_t, uint32_t>> colors;
    int lastRunShown = 0;
    int arranged = 0;
    void keyForeColorChanged(int16_t code, uint32_t color) override { colors.emplace_back(code, color); }
    void showLastRun() override { ++lastRunShown; }
    void keyboardArranged() override { ++arranged; }
};

// The drill over a scratch program folder with scripted services.
struct PracticeRig {
    ScratchFolder folder;
    FakeDialogs dialogs;
    basMain main{folder.path()};
    basParam param{folder.path(), QStringLiteral("Lumbra"), dialogs};
    basResults results{param, dialogs};
    FakeClock clock;
    FakeRandom random{{0.0f, 0.125f, 0.25f, 0.375f, 0.5f, 0.625f, 0.75f, 0.875f}};
    FakeBeeper beeper;
    KeyPractice practice{main, param, results, clock, random, beeper};
    RecordingView view;

    PracticeRig() { practice.setView(&view); }

    // Loads the window's drill, then chooses level 0 with the queue walking
    // A S D F G H J K A ...: after the fed key-down S is expected.
    void loadWalkingLevel0() {
        practice.Form_Load();
        random.setSequence({0.0f, 0.125f, 0.25f, 0.375f, 0.5f, 0.625f, 0.75f, 0.875f});
        practice.SetLevel(0);
    }

    int16_t expected() const { return main.keyCode(practice.next(0)); }
    void typeExpected() { practice.Form_KeyDown(expected()); }
    // A key that is never in a drill.
    void typeWrong(int16_t vk = 16) { practice.Form_KeyDown(vk); }
};
