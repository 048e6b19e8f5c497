#include "dialogs/dc_DlgHelpers.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <system_error>

#include "model/dc_Decimal.h"
#include "model/dc_Text.h"

namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}
unsigned Code(char c) {
    return static_cast<unsigned char>(c);
}

constexpr std::string_view kTagRefused = "!\"$',;=?[]^~|{}`";

} // namespace

char FilterChar(TCharFilter filter, char c) {
    if (c == kBackspace) return c;
    switch (filter) {
    case TCharFilter::Any:
        return c;
    case TCharFilter::Digits:
        return IsDigit(c) ? c : '\0';
    case TCharFilter::Decimal:
        return (IsDigit(c) || c == ',' || c == '.') ? c : '\0';
    case TCharFilter::SignedDecimal:
        return (IsDigit(c) || c == '+' || c == '-' || c == ',' || c == '.') ? c : '\0';
    case TCharFilter::Hexadecimal: {
        const char u = UpperChar(c);
        return (IsDigit(u) || (u >= 'A' && u <= 'F')) ? u : '\0';
    }
    case TCharFilter::Printable:
        return (Code(c) >= 0x20 && Code(c) <= 0x7E) ? c : '\0';
    case TCharFilter::UpperText: {
        const char u = UpperChar(c);
        return (Code(u) >= 0x20 && Code(u) <= 0x5F) ? u : '\0';
    }
    case TCharFilter::Frequency:
        return (IsDigit(c) || c == '.' || c == ',' || c == ' ') ? c : '\0';
    case TCharFilter::Tag: {
        const char u = UpperChar(c);
        if (Code(u) < 0x20 || Code(u) > 0x7F) return '\0';
        return kTagRefused.find(u) == std::string_view::npos ? u : '\0';
    }
    case TCharFilter::Dtmf: {
        const char u = UpperChar(c);
        return (IsDigit(u) || (u >= 'A' && u <= 'D') || u == '*' || u == '#') ? u : '\0';
    }
    }
    return '\0';
}

std::string NormalizeSignedDecimalText(std::string_view text) {
    std::string s = TrimText(text);
    for (char c : s)
        if (FilterChar(TCharFilter::SignedDecimal, c) == '\0' || c == kBackspace) return {};
    if (std::count(s.begin(), s.end(), '+') > 1 || std::count(s.begin(), s.end(), '-') > 1) return "0";
    s = WithDecimalPoint(std::move(s));
    std::string unsignedPart = s;
    if (!unsignedPart.empty() && (unsignedPart[0] == '-' || unsignedPart[0] == '+')) unsignedPart.erase(0, 1);
    double v = 0;
    if (unsignedPart.empty() || unsignedPart[0] == '+' || unsignedPart[0] == '-' ||
        !TextToFloat(unsignedPart, v))
        return "0";
    return s;
}

std::string NormalizeDtmfText(std::string_view text) {
    std::string out;
    for (char c : text) {
        if (c == ' ') continue;
        const char f = FilterChar(TCharFilter::Dtmf, c);
        if (f == '\0' || f == kBackspace) return {};
        out += f;
    }
    return out;
}

bool IsNonNegativeInteger(std::string_view text) {
    const auto v = ParseInt(text);
    return v && *v >= 0;
}

int32_t NonNegativeIntegerOr(std::string_view text, int32_t fallback) {
    return IsNonNegativeInteger(text) ? *ParseInt(text) : fallback;
}

std::string FormatFixed(double value, int decimals, int width) {
    std::string s = FixedText(value, decimals);
    if (static_cast<int>(s.size()) < width) s.insert(0, static_cast<size_t>(width) - s.size(), ' ');
    return s;
}

int32_t ParseIntEdit(const TIntEditRule& rule, std::string_view text) {
    if (!rule.Unit.empty()) {
        const auto p = text.find(rule.Unit);
        if (p != std::string_view::npos) text = text.substr(0, p);
    }
    const auto read = ParseInt(TrimText(text), rule.Base);
    const int32_t value = read && *read >= 0 ? *read : rule.Default;
    return std::clamp(value, rule.Min, rule.Max);
}

int32_t RoundIntEdit(const TIntEditRule& rule, int32_t value) {
    if (rule.Step <= 1) return value;
    const int32_t down = value / rule.Step * rule.Step;
    int32_t rounded = down;
    if (rule.Rounding == TIntEditRule::Nearest && value - down >= (rule.Step + 1) / 2)
        rounded = down + rule.Step;
    // Rounding must not leave the range (320 rounds to 320, never 325).
    while (rounded > rule.Max)
        rounded -= rule.Step;
    while (rounded < rule.Min)
        rounded += rule.Step;
    return rounded;
}

std::string IntEditBare(const TIntEditRule& rule, int32_t value) {
    char buf[32];
    if (rule.Base == 16) {
        auto r = std::to_chars(buf, buf + sizeof buf, value, 16);
        std::string s = UpperCase(std::string(buf, r.ptr));
        if (static_cast<int>(s.size()) < rule.HexDigits)
            s.insert(0, static_cast<size_t>(rule.HexDigits) - s.size(), '0');
        return s;
    }
    auto r = std::to_chars(buf, buf + sizeof buf, value);
    return std::string(buf, r.ptr);
}

std::string IntEditDisplay(const TIntEditRule& rule, int32_t value) {
    std::string s = IntEditBare(rule, RoundIntEdit(rule, value));
    if (!rule.Unit.empty()) s += " " + rule.Unit;
    return s;
}

TEditConverter IntEditConverter(const TIntEditRule& rule) {
    return {[rule](const std::string& t) { return IntEditBare(rule, ParseIntEdit(rule, t)); },
            [rule](const std::string& t) { return IntEditDisplay(rule, ParseIntEdit(rule, t)); }};
}

TPositionFilter SerialNumberFilter(bool specialModel) {
    return [specialModel](char c, int position) -> char {
        if (c == kBackspace) return c;
        if (FilterChar(TCharFilter::Printable, c) == '\0') return '\0';
        if (specialModel) return c;
        if (position == 1) {
            const char u = UpperChar(c);
            return (u >= 'C' && u <= 'N') ? u : '\0';
        }
        return IsDigit(c) ? c : '\0';
    };
}

double ParseDecimalEdit(const TDecimalEditRule& rule, std::string_view text) {
    if (!rule.Unit.empty()) {
        const auto p = text.find(rule.Unit);
        if (p != std::string_view::npos) text = text.substr(0, p);
    }
    std::string s = TrimText(text);
    std::replace(s.begin(), s.end(), ',', '.');
    const char* first = s.data();
    const char* last = first + s.size();
    if (first != last && *first == '+') ++first;
    double v = 0;
    const auto r = std::from_chars(first, last, v, std::chars_format::fixed);
    if (first == last || *first == '+' || r.ec != std::errc() || r.ptr != last || !std::isfinite(v))
        v = rule.Default;
    return std::clamp(v, rule.Min, rule.Max);
}

std::string DecimalEditBare(const TDecimalEditRule& rule, double value) {
    std::string s = FormatFixed(value, rule.Decimals);
    // -0.04 shows as "0.0", not "-0.0".
    if (s.find_first_not_of("-0.") == std::string::npos && s[0] == '-') s.erase(0, 1);
    return s;
}

std::string DecimalEditDisplay(const TDecimalEditRule& rule, double value) {
    std::string s = DecimalEditBare(rule, value);
    if (!rule.Unit.empty()) s += " " + rule.Unit;
    return s;
}

TEditConverter DecimalEditConverter(const TDecimalEditRule& rule) {
    return {[rule](const std::string& t) { return DecimalEditBare(rule, ParseDecimalEdit(rule, t)); },
            [rule](const std::string& t) { return DecimalEditDisplay(rule, ParseDecimalEdit(rule, t)); }};
}
