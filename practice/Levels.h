#pragma once
#include <QString>
#include <array>
#include <cstdint>

// The practice levels (the Level setting, 0..14): which contiguous range of
// key indexes each drills and which menu item selects it. Levels 10, 12, 13
// and 14 end at index 45 on the English layout and 46 on the Japanese one; 11
// and 12 are the beginner and the comprehensive test; 13 is the weak-key
// drill, the keys of the all-keys level drawn by weakness (the learning
// engine's weights), listed in the menu after "全てのキー(&A)"; 14 is the
// course, which draws only the keys of that range the learner has opened so
// far (Course.h), listed after the weak-key drill.
namespace practice {

// The menu control array a level item belongs to.
enum class LevelMenu { Key, Finger, Select, Test };

struct LevelDef {
    LevelMenu menu;
    const char16_t* caption;  // menu caption with its accelerator suffix "(&M)"
    int16_t low;
    int16_t high;     // last index on the English layout
    int16_t high106;  // last index on the Japanese layout
};

constexpr int kLevelCount = 15;
constexpr int kBeginnerTest = 11;
constexpr int kComprehensiveTest = 12;
constexpr int kWeakKeys = 13;
constexpr int kCourse = 14;

const std::array<LevelDef, kLevelCount>& levelTable();

// A valid level (0..14) as is; anything else falls back to level 0.
int validLevel(int level);

struct KeyRange {
    int16_t low;
    int16_t high;
};
// The key-index range drilled by a level on a layout (KeyBoardType 0 = 106).
KeyRange levelRange(int level, int keyBoardType);

// "英字中段(&M)" and the like.
QString levelMenuCaption(int level);
// "タッチタイプ練習（英字中段）": the menu caption without its last four characters.
QString levelWindowCaption(int level);

bool isTestLevel(int level);

}  // namespace practice
