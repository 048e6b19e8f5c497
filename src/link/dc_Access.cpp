#include "link/dc_Access.h"

#include <algorithm>
#include <iterator>
#include <string>

namespace {

// Every character code raised by one, so neither code reads as plain text in the binary.
constexpr const char* kScrambledCodes[] = {"us3211nblfs", "sl47xpsltipqt"};

std::string Unscramble(std::string_view scrambled) {
    std::string plain(scrambled);
    for (char& c : plain)
        c = static_cast<char>(c - 1);
    return plain;
}

} // namespace

bool IsManufactureAccessCode(std::string_view typed) {
    while (!typed.empty() && static_cast<unsigned char>(typed.front()) <= 0x20)
        typed.remove_prefix(1);
    while (!typed.empty() && static_cast<unsigned char>(typed.back()) <= 0x20)
        typed.remove_suffix(1);
    std::string text(typed);
    for (char& c : text)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return std::any_of(std::begin(kScrambledCodes), std::end(kScrambledCodes),
                       [&](const char* code) { return Unscramble(code) == text; });
}
