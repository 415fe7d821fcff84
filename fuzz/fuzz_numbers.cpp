// The numeric-prefix and strict number parsers and the colour-string codec on
// any text: they never crash or produce a non-finite number; the general
// number form reads back to the number it shows; colour strings stay within
// 24 bits and round-trip.
#include <cmath>
#include <cstdint>
#include <cstring>

#include "FuzzCheck.h"
#include "Numbers.h"
#include "basMain.h"

namespace {

void checkText(const QString& s) {
    const double v = num::Val(s);
    FUZZ_CHECK(std::isfinite(v));
    if (const auto n = num::parseNumber(s)) {
        FUZZ_CHECK(std::isfinite(*n));
        const auto i16 = num::toInt16(*n);
        const auto i32 = num::toInt32(*n);
        if (i16) {
            FUZZ_CHECK(i32 && *i32 == *i16);
            FUZZ_CHECK(num::toInt16Saturated(*n) == *i16);
        }
        if (i32) FUZZ_CHECK(num::toInt32Saturated(*n) == *i32);
    }
    const uint32_t c = basMain::ColorFromString(s);
    FUZZ_CHECK(c <= 0xFFFFFF);
    FUZZ_CHECK(basMain::ColorFromString(basMain::ColorToString(c)) == c);
}

void checkNumber(double v) {
    if (!std::isnormal(v)) {  // infinities, NaN and subnormals are only shown
        (void)num::general(v);
        return;
    }
    const QString g = num::general(v);
    const double r = num::roundHalfEven(v);
    FUZZ_CHECK(std::fabs(r - v) <= 0.5);
    FUZZ_CHECK(r == std::floor(r));
    FUZZ_CHECK(num::Int(v) <= v && v - num::Int(v) <= 1.0);
    (void)num::withSignSpace(v);
    // 15 digits round the largest numbers up past the largest double.
    if (std::fabs(v) > 1.797693134862e308) return;
    const auto back = num::parseNumber(g);
    FUZZ_CHECK(back.has_value());
    FUZZ_CHECK(*back == v || std::fabs(*back - v) <= std::fabs(v) * 1e-14);
    FUZZ_CHECK(num::Val(g) == *back);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    checkText(QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)));
    checkText(fuzz::utf16(data, size));
    if (size >= 8) {
        double v;
        std::memcpy(&v, data, sizeof v);
        checkNumber(v);
    }
    return 0;
}
