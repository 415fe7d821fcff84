#include "Levels.h"

namespace practice {

const std::array<LevelDef, kLevelCount>& levelTable() {
    static const std::array<LevelDef, kLevelCount> table{{
        {LevelMenu::Key, u"英字中段(&M)", 0, 8, 8},
        {LevelMenu::Key, u"英字下段(&D)", 19, 25, 25},
        {LevelMenu::Key, u"英字上段(&U)", 9, 18, 18},
        {LevelMenu::Key, u"数字(&N)", 26, 35, 35},
        {LevelMenu::Finger, u"人差し指(&I)", 51, 66, 66},
        {LevelMenu::Finger, u"中指(&M)", 67, 74, 74},
        {LevelMenu::Finger, u"薬指(&T)", 75, 82, 82},
        {LevelMenu::Finger, u"小指(&L)", 83, 90, 90},
        {LevelMenu::Select, u"英字(&E)", 0, 25, 25},
        {LevelMenu::Select, u"数字＋英字(&B)", 0, 35, 35},
        {LevelMenu::Select, u"全てのキー(&A)", 0, 45, 46},
        {LevelMenu::Test, u"初級テスト(&B)", 0, 25, 25},
        {LevelMenu::Test, u"総合テスト(&T)", 0, 45, 46},
        {LevelMenu::Select, u"苦手キー(&W)", 0, 45, 46},
        {LevelMenu::Select, u"段階練習(&C)", 0, 45, 46},
    }};
    return table;
}

int validLevel(int level) { return level >= 0 && level < kLevelCount ? level : 0; }

KeyRange levelRange(int level, int keyBoardType) {
    const LevelDef& d = levelTable()[static_cast<size_t>(validLevel(level))];
    return {d.low, keyBoardType == 0 ? d.high106 : d.high};
}

QString levelMenuCaption(int level) {
    return QString::fromUtf16(levelTable()[static_cast<size_t>(validLevel(level))].caption);
}

QString levelWindowCaption(int level) {
    const QString item = levelMenuCaption(level);
    return QStringLiteral("タッチタイプ練習（") + item.left(item.size() - 4) + QStringLiteral("）");
}

bool isTestLevel(int level) { return level == kBeginnerTest || level == kComprehensiveTest; }

}  // namespace practice
