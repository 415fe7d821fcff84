// Word practice: building the word index from the installed dictionary (once,
// the first time the window opens), loading the built index (every time it
// opens), and drawing a set of words for a learner with one million
// keystrokes stored (every 20 words).
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <cctype>
#include <cstring>

#include "BenchSupport.h"
#include "Fakes.h"
#include "KeystrokeStore.h"
#include "Learning.h"
#include "SafeWrite.h"
#include "WordChooser.h"
#include "WordIndex.h"
#include "basParam.h"

namespace {

void BM_BuildIndexFromDictionary(benchmark::State& state) {
    const QString folder = words::defaultDictionaryFolder();
    for (auto _ : state) {
        const words::ReadResult r = words::readDictionary(folder);
        if (r.words.empty()) state.SkipWithError("dictionary not installed");
        benchmark::DoNotOptimize(words::indexBytes(r.words, words::dictionaryStamp(folder)));
        state.counters["words"] = static_cast<double>(r.words.size());
    }
}
BENCHMARK(BM_BuildIndexFromDictionary)->Unit(benchmark::kMillisecond)->Iterations(3);

QString benchFolder() {
    const QString path = QDir::tempPath() + QStringLiteral("/lumbra-bench-words/");
    QDir().mkpath(path);
    return path;
}

void BM_LoadBuiltIndex(benchmark::State& state) {
    const QString index = benchFolder() + QStringLiteral("LumbraWords.idx");
    words::loadWords(words::defaultDictionaryFolder(), index);  // built here if it is not yet
    for (auto _ : state) {
        const words::Loaded l = words::loadWords(words::defaultDictionaryFolder(), index);
        if (l.built || l.words.empty()) state.SkipWithError("index not read");
        benchmark::DoNotOptimize(l.words.data());
    }
}
BENCHMARK(BM_LoadBuiltIndex)->Unit(benchmark::kMillisecond);

// One million letter keystrokes, typed like romaji (vowels after most
// consonants), kept between runs of this program in the temporary folder.
void fillMillionKeys(const QString& path) {
    KeystrokeStore store(path);
    if (store.open())
        if (const auto f = store.figures(0); f && f->keystrokes == 1'000'000) return;
    store.close();
    for (const char* end : {"", "-wal", "-shm"}) QFile::remove(path + QLatin1String(end));
    store.open();
    const char* text = "kyouhatenkigayokutesanposuruniwaiihidesunetomodachitoissyonitanosimimasita";
    const size_t n = std::strlen(text);
    std::vector<learning::Keystroke> batch;
    for (qint64 i = 0; i < 1'000'000; ++i) {
        learning::Keystroke k;
        k.timeMs = 1'780'000'000'000 + i * 3456;
        k.mode = learning::kTextPracticeMode;
        k.expectedVk = static_cast<int16_t>(std::toupper(text[i % n]));
        k.pressedVk = i % 13 == 0 ? int16_t('Q') : k.expectedVk;
        k.correct = k.pressedVk == k.expectedVk;
        k.gapMs = i % 20 == 0 ? -1 : static_cast<int32_t>(150 + (i * 37) % 300 + (k.expectedVk == 'K' ? 200 : 0));
        k.prevVk = i % 20 == 0 ? int16_t(0) : static_cast<int16_t>(std::toupper(text[(i - 1) % n]));
        batch.push_back(k);
        if (batch.size() == 10000) {
            store.append(batch);
            batch.clear();
        }
    }
}

void drawSet(benchmark::State& state, bool freshFigures) {
    FakeDialogs dialogs;
    FakeClock clock;
    basParam param(benchFolder(), QStringLiteral("Lumbra"), dialogs);
    fillMillionKeys(param.KeystrokeFileName());
    const words::Loaded l = words::loadWords(words::defaultDictionaryFolder(), benchFolder() + "LumbraWords.idx");
    if (l.words.empty()) {
        state.SkipWithError("dictionary not installed");
        return;
    }
    Learning learning(param, clock, dialogs);
    const words::WordChooser chooser(l.words, 0);
    SeededRandom random;
    for (auto _ : state) {
        if (freshFigures) learning.storeChanged();  // as after a write: the figures are read again
        const words::WordSet set = chooser.draw(words::learnerOf(learning, 0), random);
        if (set.aimKeys.empty()) state.SkipWithError("the learner's weak keys were not found");
        benchmark::DoNotOptimize(set.words.data());
    }
}

void BM_DrawSetOverAMillionKeys(benchmark::State& state) { drawSet(state, false); }
BENCHMARK(BM_DrawSetOverAMillionKeys)->Unit(benchmark::kMillisecond);

void BM_DrawSetAfterAWriteOverAMillionKeys(benchmark::State& state) { drawSet(state, true); }
BENCHMARK(BM_DrawSetAfterAWriteOverAMillionKeys)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) { return bench::run<QCoreApplication>(argc, argv); }
