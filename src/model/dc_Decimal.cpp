#include "model/dc_Decimal.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <system_error>

std::string FloatToText15(double x) {
    char buf[64];
    // to_chars never consults the locale, unlike printf and iostreams.
    auto r = std::to_chars(buf, buf + sizeof buf, x, std::chars_format::general, 15);
    std::string s(buf, r.ptr);
    // "%g" style with precision keeps trailing zeros out already; the exponent
    // form ("1e+20") is left as it is: callers treat it as unreadable.
    return s;
}

bool TextToFloat(const std::string& text, double& out) {
    if (text.empty()) return false;
    const char* first = text.data();
    const char* last = first + text.size();
    if (*first == '+') ++first;
    double v = 0;
    auto r = std::from_chars(first, last, v, std::chars_format::fixed);
    if (r.ec != std::errc() || r.ptr != last) return false;
    out = v;
    return true;
}

std::string WithDecimalPoint(std::string text) {
    std::replace(text.begin(), text.end(), ',', '.');
    return text;
}

namespace {
// Integer value of a run of decimal digits with an optional leading '-'.
bool ParseInt(const std::string& text, int32_t& out) {
    if (text.empty()) return false;
    int64_t v = 0;
    auto r = std::from_chars(text.data(), text.data() + text.size(), v);
    if (r.ec != std::errc() || r.ptr != text.data() + text.size()) return false;
    if (v > INT32_MAX || v < INT32_MIN) return false;
    out = static_cast<int32_t>(v);
    return true;
}
} // namespace

void TDecimal::SetFromFloat(double x) {
    *this = TDecimal();
    if (x == 0) return;
    if (x < 0) Sign = -1;
    const std::string text = FloatToText15(x);
    const auto p = text.find('.');
    int32_t intPart = 0, frac = 0, digits = 0;
    bool ok;
    if (p != std::string::npos) {
        digits = static_cast<int32_t>(text.size() - p - 1);
        ok = ParseInt(text.substr(0, p), intPart) && ParseInt(text.substr(p + 1), frac) &&
             text.substr(p + 1).find_first_not_of("0123456789") == std::string::npos;
    } else {
        ok = ParseInt(text, intPart);
    }
    if (!ok) {
        *this = TDecimal();
        return;
    }
    IntPart = intPart < 0 ? -intPart : intPart;
    FracValue = frac;
    FracDigits = digits;
}

std::string TDecimal::ToText() const {
    char buf[96];
    std::snprintf(buf, sizeof buf, "%d.%*.*d", IntPart, FracDigits, FracDigits, FracValue);
    return buf;
}

double TDecimal::ToFloat() const {
    double v = 0;
    if (!TextToFloat(ToText(), v)) return 0;
    return v * Sign;
}
