#pragma once
#include <QByteArray>
#include <bit>
#include <cstdint>

// Little-endian fixed-width fields of the results file, written and read one
// by one, so the file layout never depends on the host's byte order or on how
// the compiler lays out a struct.
namespace results {

// Appends fields to a byte image.
class Writer {
public:
    explicit Writer(int reserve = 0) { mOut.reserve(reserve); }
    void i16(int16_t v) { unsignedLE(static_cast<uint16_t>(v), 2); }
    void i32(int32_t v) { unsignedLE(static_cast<uint32_t>(v), 4); }
    void f64(double v) { unsignedLE(std::bit_cast<uint64_t>(v), 8); }
    void bytes(const QByteArray& b) { mOut.append(b); }
    void zeros(int n) { mOut.append(n, '\0'); }
    const QByteArray& result() const { return mOut; }

private:
    void unsignedLE(uint64_t v, int size) {
        for (int i = 0; i < size; ++i) mOut.append(static_cast<char>((v >> (8 * i)) & 0xFF));
    }
    QByteArray mOut;
};

// Reads fields in order from a byte image. A read past the end of the image
// yields zero bytes, so a short file reads as if it were padded with zeros.
class Reader {
public:
    explicit Reader(const QByteArray& in) : mIn(in) {}
    int16_t i16() { return static_cast<int16_t>(static_cast<uint16_t>(unsignedLE(2))); }
    int32_t i32() { return static_cast<int32_t>(static_cast<uint32_t>(unsignedLE(4))); }
    double f64() { return std::bit_cast<double>(unsignedLE(8)); }
    QByteArray bytes(int n) {
        QByteArray out(n, '\0');
        for (int i = 0; i < n; ++i) out[i] = static_cast<char>(byteAt(mPos + i));
        mPos += n;
        return out;
    }

private:
    uint8_t byteAt(qsizetype i) const { return i < mIn.size() ? static_cast<uint8_t>(mIn[i]) : 0; }
    uint64_t unsignedLE(int size) {
        uint64_t v = 0;
        for (int i = 0; i < size; ++i) v |= uint64_t{byteAt(mPos + i)} << (8 * i);
        mPos += size;
        return v;
    }
    const QByteArray& mIn;
    qsizetype mPos = 0;
};

}  // namespace results
