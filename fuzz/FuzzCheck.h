#pragma once
#include <QByteArray>
#include <QString>
#include <cstdio>
#include <cstdlib>

// Invariant checks of the fuzz targets: a failed check prints what failed and
// aborts, which libFuzzer reports as a crash with the input that caused it.
#define FUZZ_CHECK(cond)                                                                   \
    do {                                                                                   \
        if (!(cond)) {                                                                     \
            std::fprintf(stderr, "check failed: %s (%s:%d)\n", #cond, __FILE__, __LINE__); \
            std::abort();                                                                  \
        }                                                                                  \
    } while (0)

namespace fuzz {

inline QByteArray bytes(const uint8_t* data, size_t size) {
    return QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
}

// The input read as UTF-16 code units (any unit values, lone surrogates too).
inline QString utf16(const uint8_t* data, size_t size) {
    QString s(static_cast<qsizetype>(size / 2), Qt::Uninitialized);
    for (size_t i = 0; i + 1 < size; i += 2)
        s[static_cast<qsizetype>(i / 2)] = QChar(char16_t(data[i] | (data[i + 1] << 8)));
    return s;
}

}  // namespace fuzz
