#pragma once
#include <QByteArray>
#include <QString>

// The Japanese Windows code page (CP932, Shift_JIS with the vendor extensions)
// used by the results file, the settings file and CSV files.
//
// Decoding never fails: a byte sequence that is not valid CP932 becomes U+FFFD
// for each offending byte and decoding goes on. Encoding never fails either:
// a character CP932 cannot hold is written as "?".
namespace cp932 {

QByteArray encode(const QString& text);
QString decode(const QByteArray& bytes);

// Encodes text into at most maxBytes bytes without splitting a double-byte
// character (a name of six kanji keeps five in a 10-byte field).
QByteArray encodeTruncated(const QString& text, int maxBytes);

// True when every character of the text has a CP932 form (encode would not
// need to write "?").
bool canEncode(const QString& text);

// True when the bytes are well-formed UTF-8.
bool isValidUtf8(const QByteArray& bytes);

// Text files a user may have edited on either system: UTF-8 when the bytes are
// valid UTF-8 (a leading byte-order mark is removed), otherwise CP932.
QString decodeTextFile(const QByteArray& bytes);

}  // namespace cp932
