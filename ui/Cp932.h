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
//  - otherwise (valid as both) the reading that is the more plausible
//    Japanese text: each character outside ASCII, kana, Japanese punctuation,
//    full-width forms and the common (first-level) kanji counts 1 when CP932
//    has it (half-width katakana, rarer kanji, symbols) and 3 when not (other
//    scripts), and the
//    reading with the smaller count wins, UTF-8 on a tie; a control
//    character, a private-use or a non-character code point rules UTF-8 out.
//    Bytes of one encoding read in the other turn into rare symbols and
//    foreign letters: half-width katakana in CP932 pair up into two-byte
//    UTF-8 characters ("ﾕｷ" is the bytes of "շ"), and a CP932 text that
//    starts with a second-level kanji can read as Myanmar letters and
//    mathematical signs.
QString decodeTextFile(const QByteArray& bytes);

// The bytes of a text file the program writes, so that decodeTextFile gives
// the text back unchanged: CP932 when every character has a CP932 form and
// the bytes cannot be taken for UTF-8 by the rule above; otherwise UTF-8 with
// a byte-order mark.
QByteArray encodeTextFile(const QString& text);

}  // namespace cp932
