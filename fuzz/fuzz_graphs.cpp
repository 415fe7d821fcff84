// The graphs and CSV exports drawn from any results file: whatever times,
// counts and extremes the file holds (NaN, infinities, negative counts), the
// plots compute only finite coordinates inside the drawing and the CSV writer
// never fails.
#include <cmath>
#include <cstdint>

#include "Fakes.h"
#include "FuzzCheck.h"
#include "GraphCsv.h"
#include "GraphData.h"
#include "GraphPlot.h"
#include "RecordingSurface.h"
#include "basParam.h"
#include "basResults.h"

namespace {

void checkOps(const RecordingSurface& s) {
    for (const RecordingSurface::Op& op : s.ops) {
        FUZZ_CHECK(std::isfinite(op.x1) && std::isfinite(op.y1) && std::isfinite(op.x2) && std::isfinite(op.y2));
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FakeDialogs dialogs;
    basParam param(QStringLiteral("/nonexistent/lumbra-fuzz/"), QStringLiteral("Lumbra"), dialogs);
    basResults results(param, dialogs);
    results.ParseResults(fuzz::bytes(data, size));
    // The window size: from the end of the input, as the window may be any size.
    const double w = size >= 2 ? 300 + data[size - 1] * 60.0 : 9000;
    const double h = size >= 2 ? 300 + data[size - 2] * 40.0 : 6000;

    for (int kind : {0, 2}) {
        const TestGraphData d = TestGraphData::fromResults(results, kind);
        RecordingSurface s(w, h);
        drawTestGraph(s, d, TestGraphStyle{0, 0xEFEFEF, 0xFF, 0xFF8000, QStringLiteral("IPAGothic")});
        checkOps(s);
        (void)graphcsv::TestCsvBytes(d);
    }
    const TextGraphData t = TextGraphData::fromResults(results);
    for (int disp : {7, 1, 2, 4}) {
        RecordingSurface s(w, h);
        TextGraphStyle style;
        style.disp = disp;
        drawTextGraph(s, t, style);
        checkOps(s);
    }
    (void)graphcsv::TextCsvBytes(t);
    return 0;
}
