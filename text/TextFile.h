#pragma once
#include <QByteArray>
#include <QList>
#include <QString>
#include <optional>

// Practice files: one entry per line, the characters to type, "|", the text to
// display.
//
// Line rules (parseTextLine):
// - a line without "|" is no entry;
// - the part before the first "|" is A, the rest is B (further "|" belong to B);
// - A starting with "#" is a comment, A shorter than 2 characters is no entry;
// - B empty: Input = A in upper case, Display = A as written;
//   otherwise Input = A as written, Display = B.
//
// In Input, every character that is not a lower-case ASCII letter marks the
// start of the next display character (see countDisplayMarkers).

struct TextEntry {
    QString Input;
    QString Display;
    bool operator==(const TextEntry&) const = default;
};

namespace textfile {

// The largest practice file the program reads. A practice file is a list of
// words; anything larger is refused before it is read, so a wrong file dropped
// on the window can never use up memory or freeze it.
constexpr qint64 kMaxFileBytes = 4 * 1024 * 1024;

// Upper case one UTF-16 unit at a time, so the length never changes.
QString upperSameLength(const QString& s);
QString lowerSameLength(const QString& s);

// True for "a".."z": the characters that continue a display character.
inline bool continuesSyllable(QChar c) { return c >= u'a' && c <= u'z'; }

// The number of characters of Input after the first that start a new display
// character. A well-formed entry has as many display characters as this + 1.
int countDisplayMarkers(const QString& input);

// Display length in characters (a surrogate pair counts once).
int displayLength(const QString& display);

std::optional<TextEntry> parseTextLine(const QString& line);

// Splits text at CR LF, LF or CR and applies the line rules to each line.
QList<TextEntry> parseTextEntries(const QString& text);

// The text of a practice file's bytes: UTF-16 with its byte-order mark,
// UTF-8 when valid (a UTF-8 byte-order mark removed), otherwise CP932.
// Bytes with a NUL (and no UTF-16 mark) are no text: the result is empty.
QString decodePracticeText(const QByteArray& bytes);

// Reading a practice file from disk.
struct ReadResult {
    bool ok = false;
    QList<TextEntry> entries;  // when ok
    QString error;             // when !ok: a description for the error box
};
ReadResult readPracticeFile(const QString& path, qint64 maxBytes = kMaxFileBytes);

}  // namespace textfile
