#pragma once
#include <gtest/gtest.h>

#include <QByteArray>
#include <QDate>
#include <cstdint>
#include <cstring>

#include "Fakes.h"
#include "TestFiles.h"
#include "basParam.h"
#include "basResults.h"

// A results file image built by hand from the documented offsets, independent
// of the writer under test.
struct FileImage {
    // Offsets of the sections and records of a "00005.00" file.
    static int test(int kind) { return 8 + 534 * kind; }
    static int balloon(int row) { return 2144 + 28 * row; }
    static int target(int row) { return 2312 + 24 * row; }
    static int speed(int row) { return 2456 + 26 * row; }
    static constexpr int text = 2742;

    QByteArray b;

    FileImage(const char* version, int size) : b(size, '\0') { b.replace(0, 8, QByteArray(version, 8)); }

    void le(int off, uint64_t v, int n) {
        for (int i = 0; i < n; ++i) b[off + i] = static_cast<char>((v >> (8 * i)) & 0xFF);
    }
    void i16(int off, int16_t v) { le(off, static_cast<uint16_t>(v), 2); }
    void i32(int off, int32_t v) { le(off, static_cast<uint32_t>(v), 4); }
    void f64(int off, double v) {
        uint64_t u;
        std::memcpy(&u, &v, 8);
        le(off, u, 8);
    }
    // A text field: the given CP932 bytes, blank-padded to 10.
    void text10(int off, const QByteArray& bytes) {
        QByteArray f = bytes.leftJustified(10, ' ', true);
        b.replace(off, 10, f);
    }
};

// A program folder with settings pointing at its Lumbra.dat, and a results
// store with a fixed date.
class ResultsTest : public ::testing::Test {
protected:
    ResultsTest() : param(folder.path(), QStringLiteral("Lumbra"), dialogs), results(param, dialogs) {
        results.setToday([] { return QDate(2024, 3, 5); });
    }
    QString dat() const { return folder.file(QStringLiteral("Lumbra.dat")); }
    void writeDat(const QByteArray& bytes) const { folder.write(QStringLiteral("Lumbra.dat"), bytes); }
    QByteArray readDat() const { return folder.read(QStringLiteral("Lumbra.dat")); }

    ScratchFolder folder;
    FakeDialogs dialogs;
    basParam param;
    basResults results;
};
