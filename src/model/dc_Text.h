#pragma once
// Byte-string helpers every layer shares. Texts here are Latin-1 bytes, and
// nothing depends on the C locale: a German desktop must format and read
// "150.0125" exactly as an English one does.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// Code 0x20 or below: what a trim removes.
constexpr bool IsBlankChar(char c) {
    return static_cast<unsigned char>(c) <= 0x20;
}

// Blanks (codes 0x20 and below) cut from both ends.
std::string TrimText(std::string_view text);
// Blanks cut from the end only; leading ones are part of a name as read.
std::string TrimTrailingBlanks(std::string text);

// ASCII letters only: Latin-1 letters above 0x7F keep their case, as the
// radio's own character set has no case for them.
constexpr char UpperChar(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}
std::string UpperCase(std::string_view text);
std::string LowerCase(std::string_view text);

// printf "%.Nf" without the locale; "0" when the value does not fit.
std::string FixedText(double value, int decimals);

// The whole text as an integer of the base, an optional sign first ("+7"
// included, "+-7" not); nothing for anything else, out of range included.
std::optional<int32_t> ParseInt(std::string_view text, int base = 10);

// Model bytes as UTF-8: each byte is the code point of the same value.
std::string BytesToUtf8(const std::string& bytes);
// The inverse; false (bytes untouched) for anything but code points 0..255.
bool Utf8ToBytes(const std::string& utf8, std::string& bytes);
// Text from a file that may be UTF-8 or Latin-1: each two-byte UTF-8 form of
// U+0080..U+00FF becomes its byte; every other byte is taken as it is.
std::string Utf8OrLatin1ToBytes(std::string_view text);
