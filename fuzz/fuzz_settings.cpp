// The settings-file reader on any bytes: it never crashes, every value it
// keeps passes its load check, and once saved, a file reads back to the same
// file (load and save reach a fixed point after one round).
#include <cstdint>

#include "Fakes.h"
#include "FuzzCheck.h"
#include "basParam.h"

namespace {

bool inRange(int v, int lo, int hi) { return v >= lo && v <= hi; }

void checkLoadChecks(const basParam& p) {
    FUZZ_CHECK(inRange(p.Level(), 0, 13));
    FUZZ_CHECK(inRange(p.NeedCount(), 1, 9999));
    FUZZ_CHECK(inRange(p.KeyBoard(), 0, 1));
    FUZZ_CHECK(inRange(p.KeyBoardSize(), 0, 1));
    FUZZ_CHECK(inRange(p.KeyBoardType(), 0, 1));
    FUZZ_CHECK(inRange(p.BindKey6(), 3, 4));
    FUZZ_CHECK(inRange(p.LetterType(), 0, 1));
    FUZZ_CHECK(inRange(p.MissBeep(), 0, 1));
    FUZZ_CHECK(inRange(p.MissNext(), 0, 1));
    FUZZ_CHECK(inRange(p.MissKeyDisp(), 0, 1));
    FUZZ_CHECK(inRange(p.TextRead(), 0, 2));
    FUZZ_CHECK(inRange(p.SpeedGameType(), 0, 1));
    FUZZ_CHECK(p.TestGraphIndex() == 0 || p.TestGraphIndex() == 2);
    FUZZ_CHECK(inRange(p.TypeGraphFillStyle(), 0, 7));
    FUZZ_CHECK(inRange(p.TextGraphDisp(), 0, 7));
    FUZZ_CHECK(p.PlayerName().size() <= 10);
    for (const QString& c : {p.SpeedNormalColor(), p.SpeedActiveColor(), p.TestGraphForeColor(),
                             p.TestGraphBackColor(), p.TestGraphTimeColor(), p.TestGraphMissColor(),
                             p.TypeGraphForeColor(), p.TypeGraphBackColor(), p.TypeGraphMissColor(),
                             p.TextGraphForeColor(), p.TextGraphBackColor(), p.TextGraphInputColor(),
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
