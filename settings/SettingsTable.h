// Every key of the settings file, once, in the order the file lists them:
//
//   LUMBRA_SETTING(Kind, Name, Default, Low, High)
//
// Name is the key in the file and the property of basParam (getter Name(),
// setter Name(v), member m_Name). Kind (SettingKinds.h) gives the C++ type,
// the load check and how the value is written:
//   Int16, Int32  a whole number from Low to High; a number outside reads as
//                 the default, text that is no number leaves the value alone
//   Either        an Int16 that must be exactly Low or High
//   Size          a window size: any 32-bit number, always written, never
//                 reset to a default (Default is unused)
//   Text          the value with blanks trimmed
//   Name          as Text, cut to 10 characters
//   Color         nine digits "RRRGGGBBB"; a value of another length is ignored
//   Flag          True/False or a number (non-zero is True); written True/False
// Default is an expression evaluated inside basParam: a number, a string
// literal (UTF-8) or a member call such as DefaultDataFileName(). A key is
// written only when its value differs from its default.
//
// Adding a setting is one row at the end of this list (the file order is the
// row order); nothing else in basParam changes.
//
// No include guard: the file is included once per expansion of LUMBRA_SETTING.

// clang-format off
LUMBRA_SETTING(Int16, Level,                 0,                    0, 14)
LUMBRA_SETTING(Int32, NeedCount,             50,                   1, 9999)
LUMBRA_SETTING(Int16, KeyBoard,              1,                    0, 1)
LUMBRA_SETTING(Int16, KeyBoardSize,          0,                    0, 1)
LUMBRA_SETTING(Int16, KeyBoardType,          0,                    0, 1)
LUMBRA_SETTING(Text,  FontName,              "ＭＳ ゴシック",        0, 0)
LUMBRA_SETTING(Text,  DataFileName,          DefaultDataFileName(), 0, 0)
LUMBRA_SETTING(Int16, BindKey6,              4,                    3, 4)
LUMBRA_SETTING(Int16, LetterType,            0,                    0, 1)
LUMBRA_SETTING(Int16, MissBeep,              0,                    0, 1)
LUMBRA_SETTING(Int16, MissNext,              0,                    0, 1)
LUMBRA_SETTING(Int16, MissKeyDisp,           1,                    0, 1)
LUMBRA_SETTING(Text,  TextFileName,          DefaultTextFileName(), 0, 0)
LUMBRA_SETTING(Int16, TextRead,              0,                    0, 2)
LUMBRA_SETTING(Flag,  TextDisplayNavi,       true,                 0, 0)
// 1 = text practice takes every romaji spelling a Japanese input method takes
// (si for し, tu for つ ...); 0 = only the file's spelling.
LUMBRA_SETTING(Int16, TextRomaji,            1,                    0, 1)
LUMBRA_SETTING(Name,  PlayerName,            "",                   0, 0)
LUMBRA_SETTING(Int16, SpeedGameType,         1,                    0, 1)
LUMBRA_SETTING(Color, SpeedNormalColor,      "255055055",          0, 0)
LUMBRA_SETTING(Color, SpeedActiveColor,      "055055255",          0, 0)
LUMBRA_SETTING(Size,  TestGraphWidth,        0,                    0, 0)
LUMBRA_SETTING(Size,  TestGraphHeight,       0,                    0, 0)
LUMBRA_SETTING(Either, TestGraphIndex,       2,                    0, 2)
LUMBRA_SETTING(Color, TestGraphForeColor,    "000000000",          0, 0)
LUMBRA_SETTING(Color, TestGraphBackColor,    "239239239",          0, 0)
LUMBRA_SETTING(Color, TestGraphTimeColor,    "255000000",          0, 0)
LUMBRA_SETTING(Color, TestGraphMissColor,    "000128255",          0, 0)
LUMBRA_SETTING(Size,  TypeGraphWidth,        0,                    0, 0)
LUMBRA_SETTING(Size,  TypeGraphHeight,       0,                    0, 0)
LUMBRA_SETTING(Color, TypeGraphForeColor,    "000000000",          0, 0)
LUMBRA_SETTING(Color, TypeGraphBackColor,    "239239239",          0, 0)
LUMBRA_SETTING(Color, TypeGraphMissColor,    "055155055",          0, 0)
LUMBRA_SETTING(Int16, TypeGraphFillStyle,    5,                    0, 7)
LUMBRA_SETTING(Size,  TextGraphWidth,        0,                    0, 0)
LUMBRA_SETTING(Size,  TextGraphHeight,       0,                    0, 0)
LUMBRA_SETTING(Color, TextGraphForeColor,    "000000000",          0, 0)
LUMBRA_SETTING(Color, TextGraphBackColor,    "239239239",          0, 0)
LUMBRA_SETTING(Color, TextGraphInputColor,   "255128128",          0, 0)
LUMBRA_SETTING(Color, TextGraphMissColor,    "000128000",          0, 0)
LUMBRA_SETTING(Color, TextGraphInpPMinColor, "000128255",          0, 0)
LUMBRA_SETTING(Int16, TextGraphDisp,         7,                    0, 7)
// 1 = the on-screen keyboard is coloured by weakness instead of by finger.
LUMBRA_SETTING(Int16, KeyBoardHeatMap,       0,                    0, 1)
// 1 = word practice shows each word in kana only, for learners who do not
// read kanji yet.
LUMBRA_SETTING(Int16, WordKanaOnly,          0,                    0, 1)
// The course's target for every open key before the next one opens: recent
// accuracy at least CourseAccuracy percent, weakness at most CourseWeakness
// hundredths (130 = 1.3). The options dialog keeps to the same ranges.
LUMBRA_SETTING(Int16, CourseAccuracy,        95,                   50, 100)
LUMBRA_SETTING(Int16, CourseWeakness,        130,                  100, 300)
// clang-format on
