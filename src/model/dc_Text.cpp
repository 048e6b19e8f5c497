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

std::string BytesToUtf8(const std::string& bytes) {
    std::string out;
    out.reserve(bytes.size());
    for (const char ch : bytes) {
        const auto b = static_cast<unsigned char>(ch);
        if (b < 0x80) {
            out += static_cast<char>(b);
        } else {
            out += static_cast<char>(0xC0 | (b >> 6));
            out += static_cast<char>(0x80 | (b & 0x3F));
        }
    }
    return out;
}

bool Utf8ToBytes(const std::string& utf8, std::string& bytes) {
    std::string out;
    for (size_t i = 0; i < utf8.size(); ++i) {
        const auto b = static_cast<unsigned char>(utf8[i]);
        if (b < 0x80) {
            out += static_cast<char>(b);
            continue;
        }
        // Only the two-byte forms of U+0080..U+00FF are byte values.
        if ((b != 0xC2 && b != 0xC3) || i + 1 >= utf8.size()) return false;
        const auto c = static_cast<unsigned char>(utf8[i + 1]);
        if ((c & 0xC0) != 0x80) return false;
        out += static_cast<char>(((b & 0x1F) << 6) | (c & 0x3F));
        ++i;
    }
    bytes = std::move(out);
    return true;
}

std::string Utf8OrLatin1ToBytes(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        const auto b = static_cast<unsigned char>(text[i]);
        const auto c = i + 1 < text.size() ? static_cast<unsigned char>(text[i + 1]) : 0;
        if ((b == 0xC2 || b == 0xC3) && (c & 0xC0) == 0x80) {
            out += static_cast<char>(((b & 0x1F) << 6) | (c & 0x3F));
            ++i;
        } else {
            out += static_cast<char>(b);
        }
    }
    return out;
}
