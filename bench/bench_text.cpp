// One typed character through the text-practice judge: the common case (a
// correct key inside an entry) and a whole entry including its finish.
#include <benchmark/benchmark.h>

#include "Cp932.h"
#include "FakeApp.h"
#include "TextPractice.h"
#include "basParam.h"
#include "basResults.h"

namespace {

struct Session : FakeApp {
    TextPractice tp{param, results, clock, random, dialogs, beeper};

    explicit Session(const QByteArray& text) {
        folder.write(QStringLiteral("b.txt"), text);
        tp.LoadText(folder.file(QStringLiteral("b.txt")));
    }
};

// A correct key inside a very long reading (the single entry repeats when it
// is finished): the cost must not grow with the length.
void BM_KeyPressInsideLongEntry(benchmark::State& state) {
    QByteArray input;
    QByteArray display;
    for (int i = 0; i < state.range(0); ++i) {
        input += "Ka";
        display += "\xE3\x81\x8B";  // か
    }
    Session s(input + "|" + display + "\n");
    const QString& keys = s.tp.texts()[0].Input;
    for (auto _ : state) {
        s.tp.keyPress(keys[s.tp.charPos() - 1]);
        benchmark::DoNotOptimize(s.tp.displayText().size());
    }
}
BENCHMARK(BM_KeyPressInsideLongEntry)->Arg(16)->Arg(1 << 19);

// Typing the prefectures one key at a time, entry finishes included.
void BM_KeyPressPrefectures(benchmark::State& state) {
    Session s(
        "HoKKaIDoU|\xE3\x81\xBB\xE3\x81\xA3\xE3\x81\x8B\xE3\x81\x84\xE3\x81\xA9\xE3\x81\x86\n"
        "AOMoRi|\xE3\x81\x82\xE3\x81\x8A\xE3\x82\x82\xE3\x82\x8A\n");
    for (auto _ : state) {
        s.clock.advance(150);
        const QString& input = s.tp.texts()[s.tp.textIndex()].Input;
        s.tp.keyPress(input[s.tp.charPos() - 1]);
    }
}
BENCHMARK(BM_KeyPressPrefectures);

// Romaji entries typed in spellings other than the file's (si for し, xtu
// for っ, a palatal as two kana, nn for ん): each key is matched against every
// spelling an input method takes, entry finishes included. Target: 2 us a key.
void BM_KeyPressRomajiAlternatives(benchmark::State& state) {
    Session s(QStringLiteral("SHaShiNn|しゃしん\nChiKaTeTsu|ちかてつ\nKiTTe|きって\nGuNMa|ぐんま\n"
                             "HaPPYaKu|はっぴゃく\nVAIORiNn|ヴァイオリン\n")
                  .toUtf8());
    const QString keys = QStringLiteral("sixyasinntikatetukixtutegunnmahaxtupixyakuvuxaiorinn");
    qsizetype i = 0;
    for (auto _ : state) {
        s.clock.advance(150);
        s.tp.keyPress(keys[i]);
        i = i + 1 < keys.size() ? i + 1 : 0;
    }
    state.counters["misses"] = s.tp.totals().miss + s.tp.entryMiss();
}
BENCHMARK(BM_KeyPressRomajiAlternatives);

// Reading a practice file whose bytes are valid both as UTF-8 and as CP932
// (kana saved as UTF-8 by an editor): both readings are weighed character by
// character before one is taken. range(0) entries of ten kana each.
void BM_DecodeTextFileValidAsBoth(benchmark::State& state) {
    QByteArray bytes;
    for (int64_t i = 0; i < state.range(0); ++i)
        bytes += QStringLiteral("ToNaNiHaHiFuHeHoMaMi|となにはひふへほまみ\r\n").toUtf8();
    if (!cp932::isValidUtf8(bytes) || cp932::decode(bytes).contains(QChar(0xFFFD)))
        state.SkipWithError("the bytes are not valid in both encodings");
    for (auto _ : state) benchmark::DoNotOptimize(cp932::decodeTextFile(bytes));
    state.SetBytesProcessed(state.iterations() * bytes.size());
}
BENCHMARK(BM_DecodeTextFileValidAsBoth)->Arg(1)->Arg(1000);

}  // namespace

BENCHMARK_MAIN();
