#pragma once
#include <QString>
#include <cstdint>
#include <optional>

class basParam;

// What the options dialog edits, as its controls hold it: check boxes as
// booleans, the option groups as the index of the selected button and the
// drill length as the text of its box. The dialog copies the settings in when
// it loads and stores them back only through store(), after validation.
struct OptionsValues {
    QString fontName;
    bool bindKey6Left = false;  // BindKey6 = 3 (left index finger), else 4
    bool letterLower = false;   // LetterType = 1
    QString needCount;          // NeedCount as typed
    bool missBeep = false;
    bool missNext = false;
    bool missDisp = false;      // MissKeyDisp
    bool textRomaji = false;    // TextRomaji = 1
    bool wordKanaOnly = false;  // WordKanaOnly = 1
    bool keyBoard = false;
    int keySize = 0;           // KeyBoardSize: 0 standard, 1 large
    int keyType = 0;           // KeyBoardType: 0 Japanese 106, 1 English 101
    int courseAccuracy = 95;   // CourseAccuracy, percent
    int courseWeakness = 130;  // CourseWeakness, hundredths

    // The dialog's load: every control from its setting.
    static OptionsValues fromSettings(const basParam& p);

    // The drill length if the text is a whole decimal number of at least 2.
    static std::optional<int32_t> parseNeedCount(const QString& text);

    // Stores every value in the dialog's order (FontName, BindKey6,
    // LetterType, NeedCount, MissBeep, MissNext, MissKeyDisp, KeyBoard,
    // KeyBoardSize, KeyBoardType, TextRomaji, WordKanaOnly, CourseAccuracy,
    // CourseWeakness; the course's targets brought into their ranges). Stores
    // nothing and returns false when the
    // drill length is not valid.
    bool store(basParam& p) const;
};

// The ranges of the course's targets, as the settings table checks them.
constexpr int kCourseAccuracyMin = 50, kCourseAccuracyMax = 100;
constexpr int kCourseWeaknessMin = 100, kCourseWeaknessMax = 300;

// The error shown when the drill length is not valid (error icon, OK, "エラー").
inline QString needCountError() { return QStringLiteral("『練習文字数』には、２以上の数字を入力してください。"); }

// Characters the drill-length box accepts as typed input: the digits 0-9
// (Backspace and the editing keys are not characters and always pass).
inline bool needCountAccepts(QChar c) { return c >= u'0' && c <= u'9'; }
constexpr int kNeedCountMaxLength = 4;
