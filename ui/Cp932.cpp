#include "Cp932.h"

#include <iconv.h>

#include <QList>
#include <QStringDecoder>
#include <cerrno>

namespace cp932 {
namespace {

// One iconv conversion descriptor per direction, opened on first use. The
// program has one thread, so sharing them is safe.
iconv_t descriptor(const char* to, const char* from) {
    iconv_t cd = iconv_open(to, from);
    return cd;
}

iconv_t toCp932() {
    static iconv_t cd = descriptor("CP932", "UTF-16LE");
    return cd;
}
iconv_t fromCp932() {
    static iconv_t cd = descriptor("UTF-16LE", "CP932");
    return cd;
}

// Converts one character (one or two UTF-16 units) to CP932 bytes; empty when
// the character has no CP932 form.
QByteArray encodeChar(const char16_t* units, int count) {
    iconv_t cd = toCp932();
    if (cd == reinterpret_cast<iconv_t>(-1)) return {};
    char out[8];
    char* in = reinterpret_cast<char*>(const_cast<char16_t*>(units));
    size_t inLeft = static_cast<size_t>(count) * 2;
    char* o = out;
    size_t outLeft = sizeof out;
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    if (iconv(cd, &in, &inLeft, &o, &outLeft) == static_cast<size_t>(-1)) return {};
    return QByteArray(out, static_cast<int>(o - out));
}

// How many UTF-16 units the character at i takes: 2 for a surrogate pair.
int charUnits(const char16_t* p, int i, int n) {
    return QChar::isHighSurrogate(p[i]) && i + 1 < n && QChar::isLowSurrogate(p[i + 1]) ? 2 : 1;
}

template <typename Sink>
void forEachEncodedChar(const QString& text, Sink sink) {
    const char16_t* p = reinterpret_cast<const char16_t*>(text.utf16());
    const int n = static_cast<int>(text.size());
    for (int i = 0; i < n;) {
        const char16_t c = p[i];
        if (c < 0x80) {  // ASCII maps to itself
            if (!sink(QByteArray(1, static_cast<char>(c)))) return;
            ++i;
            continue;
        }
        const int len = charUnits(p, i, n);
        QByteArray b = encodeChar(p + i, len);
        if (b.isEmpty()) b = "?";
        if (!sink(b)) return;
        i += len;
    }
}

}  // namespace

QByteArray encode(const QString& text) {
    QByteArray out;
    out.reserve(text.size() * 2);
    forEachEncodedChar(text, [&](const QByteArray& b) {
        out += b;
        return true;
    });
    return out;
}

bool canEncode(const QString& text) {
    bool ok = true;
    const char16_t* p = reinterpret_cast<const char16_t*>(text.utf16());
    const int n = static_cast<int>(text.size());
    for (int i = 0; i < n && ok;) {
        if (p[i] < 0x80) {
            ++i;
            continue;
        }
        const int len = charUnits(p, i, n);
        ok = !encodeChar(p + i, len).isEmpty();
        i += len;
    }
    return ok;
}

QByteArray encodeTruncated(const QString& text, int maxBytes) {
    QByteArray out;
    forEachEncodedChar(text, [&](const QByteArray& b) {
        if (out.size() + b.size() > maxBytes) return false;
        out += b;
        return true;
    });
    return out;
}

QString decode(const QByteArray& bytes) {
    QString out;
    out.reserve(bytes.size());
    const int n = static_cast<int>(bytes.size());
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.constData());
    iconv_t cd = fromCp932();
    for (int i = 0; i < n;) {
        const unsigned char b = p[i];
        if (b < 0x80) {
            out += QChar(b);
            ++i;
            continue;
        }
        // Lead bytes of double-byte characters: 0x81-0x9F and 0xE0-0xFC.
        const bool lead = (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
        const int len = (lead && i + 1 < n) ? 2 : 1;
        char16_t buf[4];
        char* in = const_cast<char*>(reinterpret_cast<const char*>(p + i));
        size_t inLeft = static_cast<size_t>(len);
        char* o = reinterpret_cast<char*>(buf);
        size_t outLeft = sizeof buf;
        bool ok = false;
        if (cd != reinterpret_cast<iconv_t>(-1)) {
            iconv(cd, nullptr, nullptr, nullptr, nullptr);
            ok = iconv(cd, &in, &inLeft, &o, &outLeft) != static_cast<size_t>(-1) && inLeft == 0;
        }
        if (ok) {
            out += QString::fromUtf16(buf, static_cast<qsizetype>((reinterpret_cast<char16_t*>(o)) - buf));
            i += len;
        } else {
            out += QChar(0xFFFD);
            i += 1;  // resynchronise on the next byte
        }
    }
    return out;
}

bool isValidUtf8(const QByteArray& bytes) {
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.constData());
    const qsizetype n = bytes.size();
    for (qsizetype i = 0; i < n;) {
        const unsigned char c = p[i];
        int extra;
        uint32_t cp;
        if (c < 0x80) {
            ++i;
            continue;
        }
        if ((c & 0xE0) == 0xC0) {
            extra = 1;
            cp = c & 0x1F;
        } else if ((c & 0xF0) == 0xE0) {
            extra = 2;
            cp = c & 0x0F;
        } else if ((c & 0xF8) == 0xF0) {
            extra = 3;
            cp = c & 0x07;
        } else
            return false;
        if (i + extra >= n) return false;
        for (int k = 1; k <= extra; ++k) {
            if ((p[i + k] & 0xC0) != 0x80) return false;
            cp = (cp << 6) | (p[i + k] & 0x3F);
        }
        static constexpr uint32_t minimum[] = {0, 0x80, 0x800, 0x10000};
        if (cp < minimum[extra] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return false;
        i += extra + 1;
    }
    return true;
}

namespace {

const QByteArray kUtf8Bom("\xEF\xBB\xBF");

// True when CP932 would read every byte (no U+FFFD for a bad byte).
bool isValidCp932(const QByteArray& bytes) { return !decode(bytes).contains(QChar(0xFFFD)); }

bool isTextCodePoint(char32_t c) {
    if (c < 0x20) return c == u'\t' || c == u'\n' || c == u'\r' || c == u'\f';
    if (c >= 0x7F && c <= 0x9F) return false;      // DEL and the C1 controls
    if (c >= 0xE000 && c <= 0xF8FF) return false;  // private use
    if (c >= 0xFDD0 && c <= 0xFDEF) return false;  // non-characters
    if ((c & 0xFFFE) == 0xFFFE) return false;      // U+xxFFFE, U+xxFFFF
    if (c >= 0xF0000) return false;                // supplementary private use
    return true;
}

// How unlikely a character is in a Japanese text file: 0 for what such files
// are made of (ASCII, kana, Japanese punctuation, full-width forms and the
// first-level kanji, the common ones), 1 for the rest of CP932 (half-width
// katakana, second-level kanji, symbols, Greek, Cyrillic), 3 for a character
// CP932 has no form for.
int oddness(char32_t c) {
    if (c < 0x80 || (c >= 0x3000 && c <= 0x30FF) || (c >= 0xFF01 && c <= 0xFF60)) return 0;
    if (c >= 0xFF61 && c <= 0xFF9F) return 1;
    if (c > 0xFFFF) return 3;
    const char16_t unit = static_cast<char16_t>(c);
    const QByteArray b = encodeChar(&unit, 1);
    if (b.size() != 2) return 3;
    const auto lead = static_cast<unsigned char>(b[0]);
    const auto trail = static_cast<unsigned char>(b[1]);
    const bool firstLevelKanji =
        (lead > 0x88 && lead < 0x98) || (lead == 0x88 && trail >= 0x9F) || (lead == 0x98 && trail <= 0x72);
    return firstLevelKanji ? 0 : 1;
}

// The oddness of a whole text; -1 when it holds a character no text file has.
long long textOddness(const QString& text) {
    long long sum = 0;
    for (const char32_t c : text.toUcs4()) {
        if (!isTextCodePoint(c)) return -1;
        sum += oddness(c);
    }
    return sum;
}

}  // namespace

QString decodeTextFile(const QByteArray& bytes) {
    if (bytes.startsWith(kUtf8Bom)) {
        // Only the first mark is the file's; a second one is text.
        QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::ConvertInitialBom);
        return utf8.decode(bytes.mid(3));
    }
    if (!isValidUtf8(bytes)) return decode(bytes);
    const QString utf8 = QString::fromUtf8(bytes);
    if (!isValidCp932(bytes)) return utf8;
    const long long asUtf8 = textOddness(utf8);
    if (asUtf8 < 0) return decode(bytes);
    const QString cp = decode(bytes);
    return asUtf8 <= textOddness(cp) ? utf8 : cp;
}

QByteArray encodeTextFile(const QString& text) {
    if (canEncode(text)) {
        QByteArray bytes = encode(text);
        if (decodeTextFile(bytes) == text) return bytes;
    }
    return kUtf8Bom + text.toUtf8();
}

}  // namespace cp932
