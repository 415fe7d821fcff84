// The CP932 codec on any bytes and any UTF-16 text: decoding never fails and
// never makes more characters than bytes; text that decoded cleanly encodes
// and decodes back to itself, and written text reads back to what writes
// the same bytes; truncated encoding keeps whole characters; the
// UTF-8 check agrees with Qt's decoder.
#include <cstdint>

#include "Cp932.h"
#include "FuzzCheck.h"

namespace {

void checkDecoding(const QByteArray& bytes) {
    const QString text = cp932::decode(bytes);
    FUZZ_CHECK(text.size() <= bytes.size());
    if (!text.contains(QChar(0xFFFD))) {
        FUZZ_CHECK(cp932::canEncode(text));
        FUZZ_CHECK(cp932::decode(cp932::encode(text)) == text);
    }
    if (cp932::isValidUtf8(bytes)) {
        // (Qt drops a leading byte-order mark.)
        const QByteArray body = bytes.startsWith("\xEF\xBB\xBF") ? bytes.mid(3) : bytes;
        FUZZ_CHECK(QString::fromUtf8(bytes).toUtf8() == body);
    }
    (void)cp932::decodeTextFile(bytes);
}

void checkEncoding(const QString& text, int maxBytes) {
    const QByteArray all = cp932::encode(text);
    const QByteArray cut = cp932::encodeTruncated(text, maxBytes);
    FUZZ_CHECK(cut.size() <= maxBytes);
    FUZZ_CHECK(all.startsWith(cut));
    // The cut never ends inside a double-byte character: its own decoding is
    // a prefix of the whole decoding.
    FUZZ_CHECK(cp932::decode(all).startsWith(cp932::decode(cut)));
    // Whatever the program writes as a text file reads back as written.
    if (QString::fromUtf8(text.toUtf8()) == text)
        FUZZ_CHECK(cp932::decodeTextFile(cp932::encodeTextFile(text)) == text);
    if (cp932::canEncode(text)) {
        // Some characters share a code with another (U+00AC and U+FFE2 are
        // both 0x81CA), so the text itself may come back changed; the bytes
        // written always read back to text that writes the same bytes.
        const QString back = cp932::decode(all);
        FUZZ_CHECK(!back.contains(QChar(0xFFFD)));
        FUZZ_CHECK(cp932::encode(back) == all);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    checkDecoding(fuzz::bytes(data, size));
    const int maxBytes = size ? data[0] % 24 : 0;
    checkEncoding(fuzz::utf16(data, size), maxBytes);
    checkEncoding(cp932::decode(fuzz::bytes(data, size)), maxBytes);
    return 0;
}
