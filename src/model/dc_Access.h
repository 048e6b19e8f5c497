#pragma once
// The manufacture-mode access check, shared by the editor and the
// command-line tool (the full write to a radio needs it).

#include <string_view>

// True when the typed text, lower-cased and trimmed, is one of the two
// manufacture-mode access codes.
bool IsManufactureAccessCode(std::string_view typed);
