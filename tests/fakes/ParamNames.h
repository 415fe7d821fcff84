#pragma once
#include <QLocale>
#include <QString>
#include <cmath>
#include <string>

// Names for the rows of parameterised tests, so that ctest lists
// "Rows/ValPrefix.X/Minus3Dot5x" instead of a row index or raw bytes.
namespace testnames {

// A gtest-safe name spelling out the text: letters and digits stay, the
// usual signs become words, anything else its code point (U12288 for an
// ideographic space); "" is "Empty".
inline std::string spelled(const QString& text) {
    if (text.isEmpty()) return "Empty";
    std::string out;
    for (QChar c : text) {
        const char16_t u = c.unicode();
        if ((u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z') || (u >= '0' && u <= '9') || u == '_')
            out += char(u);
        else if (u == '-')
            out += "Minus";
        else if (u == '+')
            out += "Plus";
        else if (u == '.')
            out += "Dot";
        else if (u == ' ')
            out += "Space";
        else
            out += "U" + std::to_string(u);
    }
    return out;
}
inline std::string spelled(const char* text) { return spelled(QString::fromUtf8(text)); }
// A number in its shortest exact form: -2.5 -> "Minus2Dot5".
inline std::string spelled(double v) {
    if (v == 0 && std::signbit(v)) return "Minus0";
    return spelled(QString::number(v, 'g', QLocale::FloatingPointShortest));
}

}  // namespace testnames
