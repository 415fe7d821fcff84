// What the drill and text practice hand the recorder: every key the learner
// judged, with the expected and pressed key (and characters in text
// practice), right or wrong, where runs begin and end; never a key the
// program enters by itself.
#include <gtest/gtest.h>

#include "Fakes.h"
#include "KeyPractice.h"
#include "KeyRecorder.h"
#include "TestFiles.h"
#include "TextPractice.h"
#include "basMain.h"
#include "basParam.h"
#include "basResults.h"

namespace {

struct FakeRecorder : KeyRecorder {
    std::vector<JudgedKey> keys;
    std::vector<size_t> runEnds;  // number of keys when each run ended
    void keyJudged(const JudgedKey& k) override { keys.push_back(k); }
    void runEnded() override { runEnds.push_back(keys.size()); }
};

struct Hooks : ::testing::Test {
    ScratchFolder folder;
    FakeDialogs dialogs;
    FakeClock clock;
    FakeRandom random{{0.0f, 0.5f, 0.25f, 0.75f}};
    FakeBeeper beeper;
    basMain main{folder.path()};
    basParam param{folder.path(), QStringLiteral("Lumbra"), dialogs};
    basResults results{param, dialogs};
    FakeRecorder recorder;
};

}  // namespace

TEST_F(Hooks, TextPracticeRecordsCharactersAndTheirKeys) {
    param.KeyBoardType(1);
    param.MissNext(1);
    folder.write("p.txt", "ab;|ab;\nxy|xy\n");
    TextPractice tp(param, results, clock, random, dialogs, beeper);
    tp.setRecorder(&recorder);
    ASSERT_TRUE(tp.LoadText(folder.file("p.txt")));
    clock.now = 500;
    tp.keyPress(u'A');
    clock.now = 700;
    tp.keyPress(u'x');  // a miss; MissNext enters the b for the learner
    tp.keyPress(u';');
    ASSERT_EQ(recorder.keys.size(), 3u);
    const JudgedKey& first = recorder.keys[0];
    EXPECT_EQ(first.mode, learning::kTextPracticeMode);
    EXPECT_EQ(first.expectedChar, QChar(u'a'));
    EXPECT_EQ(first.expectedVk, 65);
    EXPECT_EQ(first.pressedChar, QChar(u'A'));
    EXPECT_TRUE(first.correct);
    EXPECT_TRUE(first.firstOfRun);
    EXPECT_EQ(first.tick, 500u);
    EXPECT_EQ(first.keyBoardType, 1);
    const JudgedKey& miss = recorder.keys[1];
    EXPECT_EQ(miss.expectedVk, 66);
    EXPECT_EQ(miss.pressedVk, 88);
    EXPECT_FALSE(miss.correct);
    EXPECT_FALSE(miss.firstOfRun);
    EXPECT_EQ(recorder.keys[2].expectedVk, 186);          // ";" on the English layout
    EXPECT_EQ(recorder.runEnds, std::vector<size_t>{3});  // the entry is one run
    tp.keyPress(u'x');
    EXPECT_TRUE(recorder.keys[3].firstOfRun);
    tp.Unload();
    EXPECT_EQ(recorder.runEnds.size(), 2u);
}

TEST_F(Hooks, DrillRecordsTheLearnersKeysAndRunBoundaries) {
    param.NeedCount(3);
    KeyPractice kp(main, param, results, clock, random, beeper);
    kp.setLearning(&recorder, nullptr);
    kp.Form_Load();
    kp.SetLevel(0);
    EXPECT_TRUE(recorder.keys.empty());  // the key SetLevel feeds is the program's
    const size_t endsBefore = recorder.runEnds.size();
    const int16_t expected = main.keyCode(kp.next(0));
    kp.Form_KeyDown(16);
    kp.Form_KeyDown(expected);
    ASSERT_EQ(recorder.keys.size(), 2u);
    EXPECT_EQ(recorder.keys[0].mode, 0);
    EXPECT_EQ(recorder.keys[0].expectedVk, expected);
    EXPECT_EQ(recorder.keys[0].pressedVk, 16);
    EXPECT_FALSE(recorder.keys[0].correct);
    EXPECT_TRUE(recorder.keys[0].firstOfRun);
    EXPECT_TRUE(recorder.keys[1].correct);
    EXPECT_FALSE(recorder.keys[1].firstOfRun);
    kp.Form_KeyDown(main.keyCode(kp.next(0)));
    kp.Form_KeyDown(main.keyCode(kp.next(0)));  // the third advance ends the run
    EXPECT_EQ(recorder.runEnds.size(), endsBefore + 1);
    EXPECT_EQ(recorder.runEnds.back(), 4u);
    kp.Form_KeyDown(16);
    EXPECT_TRUE(recorder.keys.back().firstOfRun);
    kp.ReStart();
    EXPECT_EQ(recorder.runEnds.size(), endsBefore + 2);
}
