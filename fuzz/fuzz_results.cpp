// The results-file reader on any bytes, every version, any length: it never
// crashes, a file it wrote reads back to the same image, and the record
// operations a game or test performs next stay defined on whatever the file
// held (hostile counts, NaN times, extreme scores).
#include <cstdint>
#include <cstring>

#include "Fakes.h"
#include "FuzzCheck.h"
#include "basParam.h"
#include "basResults.h"

namespace {

// Values for the operations, taken from the end of the input.
struct Tail {
    const uint8_t* p;
    size_t n;
    template <typename T>
    T take() {
        T v{};
        const size_t k = n < sizeof(T) ? n : sizeof(T);
        std::memcpy(&v, p, k);
        p += k;
        n -= k;
        return v;
    }
};

void readEverything(const basResults& r) {
    for (int kind = -1; kind <= 4; ++kind) {
        (void)r.GetTestCount(kind);
        (void)r.GetTestBestTime(kind);
        (void)r.GetTestWorstTime(kind);
        (void)r.GetTestMaxMiss(kind);
        (void)r.GetTestMinMiss(kind);
        for (int i = -1; i <= basResults::kHistory; ++i) {
            (void)r.GetTestTime(kind, i);
            (void)r.GetTestMiss(kind, i);
        }
    }
    for (int i = -1; i <= basResults::kHistory; ++i) {
        (void)r.GetTextChars(i);
        (void)r.GetTextMisses(i);
        (void)r.GetTextPerMinute(i);
    }
    for (int row = -1; row <= 11; ++row) {
        (void)r.GetBalloonScore(row);
        (void)r.GetBalloonLevel(row);
        FUZZ_CHECK(r.GetBalloonName(row).size() <= 10);
        (void)r.GetBalloonDate(row);
        (void)r.GetTargetScore(row);
        FUZZ_CHECK(r.GetTargetName(row).size() <= 10);
        (void)r.GetSpeedTime(row);
        (void)r.GetSpeedMisses(row);
        FUZZ_CHECK(r.GetSpeedName(row).size() <= 10);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FakeDialogs dialogs;
    basParam param(QStringLiteral("/nonexistent/lumbra-fuzz/"), QStringLiteral("Lumbra"), dialogs);
    basResults r(param, dialogs);
    r.setToday([] { return QDate(2024, 2, 29); });
    const QByteArray input = fuzz::bytes(data, size);
    const bool known = r.ParseResults(input);
    FUZZ_CHECK(known == basResults::IsResultsFileStart(input));
    readEverything(r);

    // What was read survives a save and a load unchanged.
    const QByteArray image = r.ResultsFileBytes();
    FUZZ_CHECK(image.size() == basResults::kFileSize);
    basResults again(param, dialogs);
    FUZZ_CHECK(again.ParseResults(image));
    FUZZ_CHECK(again.ResultsFileBytes() == image);

    // The writers' operations on hostile records.
    Tail t{data + (size > 64 ? size - 64 : 0), size > 64 ? size_t{64} : size};
    param.SpeedGameType(static_cast<int16_t>(t.take<uint8_t>() & 1));
    r.AddTestTime(0, t.take<double>());
    r.AddTestMiss(0, t.take<int16_t>());
    r.AddTestTime(2, t.take<double>());
    r.AddTestMiss(2, t.take<int16_t>());
    r.AddTextResult(t.take<int32_t>(), t.take<int32_t>(), t.take<double>());
    FUZZ_CHECK(r.AddBalloonScore(t.take<int32_t>(), t.take<int32_t>()) <= 5);
    FUZZ_CHECK(r.AddTargetScore(t.take<int32_t>()) <= 5);
    const int speedRow = r.AddSpeedTime(t.take<int32_t>(), t.take<int16_t>());
    FUZZ_CHECK(speedRow >= 0 && speedRow <= 5);
    readEverything(r);
    FUZZ_CHECK(r.ResultsFileBytes().size() == basResults::kFileSize);
    r.ClearTestResults();
    FUZZ_CHECK(r.GetTestCount(0) == 0 && r.GetTestCount(2) == 0);
    FUZZ_CHECK(dialogs.messages.empty());
    return 0;
}
