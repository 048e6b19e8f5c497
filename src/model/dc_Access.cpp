#include "model/dc_Access.h"

#include <algorithm>
#include <iterator>
#include <string>

#include "model/dc_Text.h"

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
    const std::string text = LowerCase(TrimText(typed));
    return std::any_of(std::begin(kScrambledCodes), std::end(kScrambledCodes),
                       [&](const char* code) { return Unscramble(code) == text; });
}
