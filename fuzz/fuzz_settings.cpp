// The settings-file reader on any bytes: it never crashes, every value it
// keeps passes its load check, and once saved, a file reads back to the same
// file (load and save reach a fixed point after one round).
#include <cstdint>

#include "Fakes.h"
#include "FuzzCheck.h"
#include "basParam.h"

namespace {

// The small-number settings and the ranges their load checks keep them in;
// a switch is 0 or 1.
struct Range {
    const char* name;
    int16_t (basParam::*get)() const;
    int lo = 0, hi = 1;
};
const Range kRanges[] = {
    {"Level", &basParam::Level, 0, 14},
    {"BindKey6", &basParam::BindKey6, 3, 4},
    {"TextRead", &basParam::TextRead, 0, 2},
    {"TypeGraphFillStyle", &basParam::TypeGraphFillStyle, 0, 7},
    {"TextGraphDisp", &basParam::TextGraphDisp, 0, 7},
    {"KeyBoard", &basParam::KeyBoard},
    {"KeyBoardSize", &basParam::KeyBoardSize},
    {"KeyBoardType", &basParam::KeyBoardType},
    {"LetterType", &basParam::LetterType},
    {"MissBeep", &basParam::MissBeep},
    {"MissNext", &basParam::MissNext},
    {"MissKeyDisp", &basParam::MissKeyDisp},
    {"SpeedGameType", &basParam::SpeedGameType},
    {"TextRomaji", &basParam::TextRomaji},
    {"KeyBoardHeatMap", &basParam::KeyBoardHeatMap},
    {"WordKanaOnly", &basParam::WordKanaOnly},
    {"CourseAccuracy", &basParam::CourseAccuracy, 50, 100},
    {"CourseWeakness", &basParam::CourseWeakness, 100, 300},
};

void checkLoadChecks(const basParam& p) {
    for (const Range& r : kRanges) {
        const int v = (p.*r.get)();
        if (v < r.lo || v > r.hi) {
            std::fprintf(stderr, "check failed: %s is %d, outside %d..%d\n", r.name, v, r.lo, r.hi);
            std::abort();
        }
    }
    FUZZ_CHECK(p.NeedCount() >= 1 && p.NeedCount() <= 9999);
    FUZZ_CHECK(p.TestGraphIndex() == 0 || p.TestGraphIndex() == 2);
    FUZZ_CHECK(p.PlayerName().size() <= 10);
    for (const QString& c :
         {p.SpeedNormalColor(), p.SpeedActiveColor(), p.TestGraphForeColor(), p.TestGraphBackColor(),
          p.TestGraphTimeColor(), p.TestGraphMissColor(), p.TypeGraphForeColor(), p.TypeGraphBackColor(),
          p.TypeGraphMissColor(), p.TextGraphForeColor(), p.TextGraphBackColor(), p.TextGraphInputColor(),
          p.TextGraphMissColor(), p.TextGraphInpPMinColor()})
        FUZZ_CHECK(c.size() == 9);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FakeDialogs dialogs;
    basParam first(QStringLiteral("/nonexistent/lumbra-fuzz/"), QStringLiteral("Lumbra"), dialogs);
    first.LoadSettingsFromBytes(fuzz::bytes(data, size));
    checkLoadChecks(first);

    // One save and load may still change a value (a name cut to 10
    // characters can end in a blank, which the next load trims); from then on
    // the file must stay the same.
    basParam second(QStringLiteral("/nonexistent/lumbra-fuzz/"), QStringLiteral("Lumbra"), dialogs);
    second.LoadSettingsFromBytes(first.SettingsFileBytes());
    checkLoadChecks(second);
    const QByteArray saved = second.SettingsFileBytes();
    basParam third(QStringLiteral("/nonexistent/lumbra-fuzz/"), QStringLiteral("Lumbra"), dialogs);
    third.LoadSettingsFromBytes(saved);
    if (third.SettingsFileBytes() != saved) {
        std::fprintf(stderr, "saved:\n%s\nsaved again:\n%s\n", saved.toPercentEncoding(" =[]\r\n").constData(),
                     third.SettingsFileBytes().toPercentEncoding(" =[]\r\n").constData());
        FUZZ_CHECK(third.SettingsFileBytes() == saved);
    }
    FUZZ_CHECK(dialogs.messages.empty());
    return 0;
}
