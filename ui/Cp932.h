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

// Text files a user may have edited on either system (settings, practice
// texts). The rule:
//  - a UTF-8 byte-order mark: UTF-8 (the mark removed);
//  - bytes that are not valid UTF-8: CP932;
//  - valid UTF-8 that is not valid CP932: UTF-8;
//  - otherwise (valid as both) UTF-8 only when it is plausibly text: every
//    character outside ASCII takes three or four bytes (kana, kanji,
//    full-width forms, punctuation such as "…" and "—", as Japanese text
//    written by any editor has), none is a control character, a private-use
//    or a non-character code point. Else CP932: half-width katakana in CP932
//    pair up into two-byte UTF-8 characters ("ﾕｷ" is the bytes of "շ",
//    "ﾃｽ" those of "ý"), so text whose only non-ASCII characters would be
//    two-byte ones (accented Latin, Greek, Cyrillic) is read as CP932.
QString decodeTextFile(const QByteArray& bytes);

// The bytes of a text file the program writes, so that decodeTextFile gives
// the text back unchanged: CP932 when every character has a CP932 form and
// the bytes cannot be taken for UTF-8 by the rule above; otherwise UTF-8 with
// a byte-order mark.
QByteArray encodeTextFile(const QString& text);

}  // namespace cp932
