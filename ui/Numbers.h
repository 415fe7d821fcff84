#pragma once
#include <QString>
#include <cstdint>
#include <optional>

// Number conversions of the program: rounding to integers with halves going to
// the even neighbour, Int (floor), numeric-prefix parsing and the general
// number form used for every number shown on screen or written to CSV.
namespace num {

// Round to the nearest integer, halves to even (2.5 -> 2, 3.5 -> 4, -2.5 -> -2).
double roundHalfEven(double v);

// Rounded to a 16-bit / 32-bit signed integer; std::nullopt when the rounded
// value does not fit (the conversion overflows).
std::optional<int16_t> toInt16(double v);
std::optional<int32_t> toInt32(double v);

// Rounded and clamped into the 16-bit / 32-bit range (for figures that must
// stay in their field whatever happens).
int16_t toInt16Saturated(double v);
int32_t toInt32Saturated(double v);

// The largest integer not above v.
double Int(double v);

// Numeric-prefix parsing: leading blanks are skipped, then an optional sign,
// digits, an optional "." fraction and an optional exponent are read; blanks
// between digits are ignored. Text that holds no leading number reads as 0.
double Val(const QString& text);

// Strict parsing: the whole text, with surrounding blanks removed, must be a
// decimal number (optional sign, digits, optional fraction and exponent).
std::optional<double> parseNumber(const QString& text);

// The general number form: plain decimal, up to 15 significant digits, "." as
// decimal point, no trailing zeros ("12.345", "9.8", "15", "-3", "1E+15").
QString general(double v);

// The same with one leading space in the sign position for non-negative
// values (" 12.5", "-3"), as numbers are written on the graphs.
QString withSignSpace(double v);

}  // namespace num
