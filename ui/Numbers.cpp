#include "Numbers.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <string>

namespace num {

double roundHalfEven(double v) {
    // Worked out by hand rather than with nearbyint, which depends on the
    // floating-point rounding mode.
    const double f = std::floor(v);
    const double diff = v - f;
    if (diff < 0.5) return f;
    if (diff > 0.5) return f + 1.0;
    return std::fmod(f, 2.0) == 0.0 ? f : f + 1.0;
}

template <typename T>
static std::optional<T> toIntChecked(double v) {
    if (std::isnan(v)) return std::nullopt;
    const double r = roundHalfEven(v);
    if (r < static_cast<double>(std::numeric_limits<T>::min()) ||
        r > static_cast<double>(std::numeric_limits<T>::max()))
        return std::nullopt;
    return static_cast<T>(r);
}

template <typename T>
static T toIntSaturated(double v) {
    if (std::isnan(v)) return 0;
    const double r = roundHalfEven(v);
    if (r <= static_cast<double>(std::numeric_limits<T>::min())) return std::numeric_limits<T>::min();
    if (r >= static_cast<double>(std::numeric_limits<T>::max())) return std::numeric_limits<T>::max();
    return static_cast<T>(r);
}

std::optional<int16_t> toInt16(double v) { return toIntChecked<int16_t>(v); }
std::optional<int32_t> toInt32(double v) { return toIntChecked<int32_t>(v); }
int16_t toInt16Saturated(double v) { return toIntSaturated<int16_t>(v); }
int32_t toInt32Saturated(double v) { return toIntSaturated<int32_t>(v); }

double Int(double v) { return std::floor(v); }

// Decimal text (digits, optional leading "-" or "+", fraction, exponent) to a
// double, independent of the C locale the program runs under.
static double toDouble(const std::string& s) {
    const char* b = s.data();
    const char* e = b + s.size();
    if (b != e && *b == '+') ++b;
    double v = 0.0;
    const auto r = std::from_chars(b, e, v, std::chars_format::general);
    if (r.ec == std::errc::result_out_of_range) {
        // Too large keeps its sign as an infinity (callers reject it); too
        // small is zero.
        const bool tiny = s.find("e-") != std::string::npos || s.find("E-") != std::string::npos;
        if (tiny) return 0.0;
        return s.starts_with('-') ? -HUGE_VAL : HUGE_VAL;
    }
    return r.ec == std::errc() ? v : 0.0;
}

static bool isBlank(QChar c) { return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r' || c == QChar(0x3000); }

double Val(const QString& text) {
    // Collect the characters of the leading number, skipping blanks anywhere.
    std::string s;
    int i = 0;
    const int n = static_cast<int>(text.size());
    auto skip = [&] {
        while (i < n && isBlank(text[i])) ++i;
    };
    skip();
    if (i < n && (text[i] == u'-' || text[i] == u'+')) {
        s += static_cast<char>(text[i].unicode());
        ++i;
    }
    bool digits = false, dot = false;
    for (;; ++i) {
        skip();
        if (i >= n) break;
        const QChar c = text[i];
        if (c >= u'0' && c <= u'9') {
            s += static_cast<char>(c.unicode());
            digits = true;
        } else if (c == u'.' && !dot) {
            s += '.';
            dot = true;
        } else
            break;
    }
    if (!digits) return 0.0;
    if (i < n && (text[i] == u'e' || text[i] == u'E' || text[i] == u'd' || text[i] == u'D')) {
        std::string e = "e";
        int j = i + 1;
        if (j < n && (text[j] == u'-' || text[j] == u'+')) {
            e += static_cast<char>(text[j].unicode());
            ++j;
        }
        bool expDigits = false;
        while (j < n && text[j] >= u'0' && text[j] <= u'9' && e.size() < 8) {
            e += static_cast<char>(text[j].unicode());
            ++j;
            expDigits = true;
        }
        if (expDigits) s += e;
    }
    const double v = toDouble(s);
    return std::isfinite(v) ? v : 0.0;
}

std::optional<double> parseNumber(const QString& text) {
    const QString t = text.trimmed();
    if (t.isEmpty() || t.size() > 64) return std::nullopt;
    int i = 0;
    const int n = static_cast<int>(t.size());
    if (t[i] == u'-' || t[i] == u'+') ++i;
    int digits = 0;
    while (i < n && t[i] >= u'0' && t[i] <= u'9') {
        ++i;
        ++digits;
    }
    if (i < n && t[i] == u'.') {
        ++i;
        while (i < n && t[i] >= u'0' && t[i] <= u'9') {
            ++i;
            ++digits;
        }
    }
    if (digits == 0) return std::nullopt;
    if (i < n && (t[i] == u'e' || t[i] == u'E')) {
        ++i;
        if (i < n && (t[i] == u'-' || t[i] == u'+')) ++i;
        int expDigits = 0;
        while (i < n && t[i] >= u'0' && t[i] <= u'9') {
            ++i;
            ++expDigits;
        }
        if (expDigits == 0) return std::nullopt;
    }
    if (i != n) return std::nullopt;
    const double v = toDouble(t.toStdString());
    if (!std::isfinite(v)) return std::nullopt;
    return v;
}

QString general(double v) {
    if (v == 0.0 || std::isnan(v)) return QStringLiteral("0");
    if (std::isinf(v)) return v > 0 ? QStringLiteral("1.#INF") : QStringLiteral("-1.#INF");
    char buf[64];
    const auto r = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::general, 15);
    QString s = QString::fromLatin1(buf, r.ptr - buf);
    return s.replace(u'e', u'E');
}

QString withSignSpace(double v) {
    const QString g = general(v);
    return g.startsWith(u'-') ? g : QStringLiteral(" ") + g;
}

}  // namespace num
