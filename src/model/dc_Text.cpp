#include "model/dc_Text.h"

#include <charconv>
#include <system_error>

std::string TrimText(std::string_view text) {
    while (!text.empty() && IsBlankChar(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsBlankChar(text.back()))
        text.remove_suffix(1);
    return std::string(text);
}

std::string TrimTrailingBlanks(std::string text) {
    while (!text.empty() && IsBlankChar(text.back()))
        text.pop_back();
    return text;
}

std::string UpperCase(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        c = UpperChar(c);
    return out;
}

std::string LowerCase(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return out;
}

std::string FixedText(double value, int decimals) {
    char buf[512];
    const auto r = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed, decimals);
    return r.ec == std::errc() ? std::string(buf, r.ptr) : std::string("0");
}

std::optional<int32_t> ParseInt(std::string_view text, int base) {
    if (!text.empty() && text.front() == '+') {
        text.remove_prefix(1);
        if (!text.empty() && text.front() == '-') return std::nullopt;
    }
    int32_t v = 0;
    const char* last = text.data() + text.size();
    const auto r = std::from_chars(text.data(), last, v, base);
    if (text.empty() || r.ec != std::errc() || r.ptr != last) return std::nullopt;
    return v;
}
