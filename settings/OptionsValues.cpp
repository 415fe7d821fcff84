#include "OptionsValues.h"

#include <algorithm>

#include "basParam.h"

OptionsValues OptionsValues::fromSettings(const basParam& p) {
    OptionsValues v;
    v.fontName = p.FontName();
    v.bindKey6Left = p.BindKey6() == 3;
    v.letterLower = p.LetterType() == 1;
    v.needCount = QString::number(p.NeedCount());
    v.missBeep = p.MissBeep() == 1;
    v.missNext = p.MissNext() == 1;
    v.missDisp = p.MissKeyDisp() == 1;
    v.textRomaji = p.TextRomaji() == 1;
    v.wordKanaOnly = p.WordKanaOnly() == 1;
    v.keyBoard = p.KeyBoard() == 1;
    v.keySize = p.KeyBoardSize() == 0 ? 0 : 1;
    v.keyType = p.KeyBoardType() == 0 ? 0 : 1;
    v.courseAccuracy = p.CourseAccuracy();
    v.courseWeakness = p.CourseWeakness();
    return v;
}

std::optional<int32_t> OptionsValues::parseNeedCount(const QString& text) {
    if (text.isEmpty() || text.size() > 9) return std::nullopt;
    for (const QChar c : text)
        if (!needCountAccepts(c)) return std::nullopt;
    const int32_t n = text.toInt();
    if (n < 2) return std::nullopt;
    return n;
}

bool OptionsValues::store(basParam& p) const {
    const auto count = parseNeedCount(needCount);
    if (!count) return false;
    p.FontName(fontName);
    p.BindKey6(bindKey6Left ? 3 : 4);
    p.LetterType(letterLower ? 1 : 0);
    p.NeedCount(*count);
    p.MissBeep(missBeep ? 1 : 0);
    p.MissNext(missNext ? 1 : 0);
    p.MissKeyDisp(missDisp ? 1 : 0);
    p.KeyBoard(keyBoard ? 1 : 0);
    p.KeyBoardSize(keySize == 0 ? 0 : 1);
    p.KeyBoardType(keyType == 0 ? 0 : 1);
    p.TextRomaji(textRomaji ? 1 : 0);
    p.WordKanaOnly(wordKanaOnly ? 1 : 0);
    p.CourseAccuracy(static_cast<int16_t>(std::clamp(courseAccuracy, kCourseAccuracyMin, kCourseAccuracyMax)));
    p.CourseWeakness(static_cast<int16_t>(std::clamp(courseWeakness, kCourseWeaknessMin, kCourseWeaknessMax)));
    return true;
}
