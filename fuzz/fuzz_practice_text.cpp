// The practice-text loader on any bytes: decoding (UTF-16 with a mark, UTF-8,
// CP932) and the line rules never crash and give only well-formed entries; a
// session loaded from the same bytes can then be typed through, right and
// wrong keys alike, without ever leaving its entries.
#include <unistd.h>

#include <QFile>
#include <cstdint>

#include "Fakes.h"
#include "FuzzCheck.h"
#include "TextFile.h"
#include "TextPractice.h"
#include "basParam.h"
#include "basResults.h"

namespace {

void checkEntries(const QList<TextEntry>& entries, bool wholeLines = true) {
    for (const TextEntry& e : entries) {
        FUZZ_CHECK(e.Input.size() >= 2);
        FUZZ_CHECK(!e.Input.startsWith(u'#'));
        FUZZ_CHECK(!e.Display.isEmpty());
        if (wholeLines) {
            for (const QString* s : {&e.Input, &e.Display}) FUZZ_CHECK(!s->contains(u'\n') && !s->contains(u'\r'));
        }
        FUZZ_CHECK(textfile::countDisplayMarkers(e.Input) < e.Input.size());
        FUZZ_CHECK(textfile::displayLength(e.Display) <= e.Display.size());
        FUZZ_CHECK(textfile::upperSameLength(e.Input).size() == e.Input.size());
    }
}

// The session: every character of the first entries typed right, with a
// wrong key now and then, checking the shown texts only ever shrink.
void typeThrough(const QString& path, uint8_t options) {
    FakeDialogs dialogs;
    FakeClock clock;
    FakeRandom random({0.0f, 0.5f, 0.999999f});
    FakeBeeper beeper;
    basParam param(QStringLiteral("/nonexistent/lumbra-fuzz/"), QStringLiteral("Lumbra"), dialogs);
    param.TextRead(static_cast<int16_t>(options % 3));
    param.MissNext(static_cast<int16_t>((options >> 2) & 1));
    param.LetterType(static_cast<int16_t>((options >> 3) & 1));
    param.TextRomaji(static_cast<int16_t>(((options >> 4) & 1) ^ 1));
    basResults results(param, dialogs);
    TextPractice practice(param, results, clock, random, dialogs, beeper);
    if (!practice.LoadText(path)) {
        FUZZ_CHECK(practice.textCount() == 0);
        FUZZ_CHECK(!practice.keyPress(u'a'));
        return;
    }
    int keys = 0;
    for (int entry = 0; entry < 4 && keys < 4000; ++entry) {
        const int32_t index = practice.textIndex();
        FUZZ_CHECK(index >= 0 && index < practice.textCount());
        const QString input = practice.texts()[index].Input;
        for (qsizetype i = 0; i < input.size() && keys < 4000; ++i, ++keys) {
            const qsizetype shownBefore = practice.displayText().size() + practice.inputText().size();
            const int32_t doneBefore = practice.doneCount();
            if ((i + options) % 7 == 0) practice.keyPress(QChar(u'\x01'));  // a wrong key
            clock.advance(97);
            practice.keyPress(input[i]);
            FUZZ_CHECK(practice.textIndex() >= 0 && practice.textIndex() < practice.textCount());
            const QString& now = practice.texts()[practice.textIndex()].Input;
            FUZZ_CHECK(practice.charPos() >= 1 && practice.charPos() <= now.size());
            if (practice.doneCount() == doneBefore)
                FUZZ_CHECK(practice.displayText().size() + practice.inputText().size() <= shownBefore);
        }
    }
    FUZZ_CHECK(practice.totals().typed >= 0 && practice.totals().miss >= 0);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes = fuzz::bytes(data, size);
    const QString text = textfile::decodePracticeText(bytes);
    const QList<TextEntry> entries = textfile::parseTextEntries(text);
    checkEntries(entries);
    for (const QStringView line : QStringView(text).split(u'\n')) {
        if (const auto e = textfile::parseTextLine(line.toString())) checkEntries({*e}, false);
    }

    // Loading reserves the largest file the program reads, which is costly
    // under the address sanitizer: one input in 64 also runs a session.
    if (size < 2 || (data[0] & 0x3F) != 0) return 0;
    static const QString path = QStringLiteral("/dev/shm/lumbra-fuzz-%1.txt").arg(getpid());
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate)) return 0;
    f.write(bytes);
    f.close();
    typeThrough(path, data[1]);
    return 0;
}
