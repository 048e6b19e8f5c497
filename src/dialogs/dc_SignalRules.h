#pragma once
// The text rules of the selectable-tone, 2-tone and paging dialogs, free of
// the window system.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "model/U_RKmem.h"

// The selectable-tone value boxes: the 47 CTCSS tones (no "OFF"; item i is
// CTCSS index i) and the 85 DCS codes "017" .. "506".
const std::vector<std::string>& SelToneCtcssItems();
const std::vector<std::string>& SelToneDcsItems();
// The item a stored code selects in its box, or -1 when the box cannot
// show it (CTCSS 47 and above, a DCS code not among the 85).
int32_t SelToneItemOf(bool ctcss, int32_t code);
// The code of a box item (CTCSS index or DCS code value); -1 for none.
int32_t SelToneCodeOf(bool ctcss, int32_t item);
// Upper-cased, cut to four characters and padded with blanks ("ab" -> "AB  ").
std::string SelToneTag(std::string_view text);

// The group box of the 2 Tone Edit dialog: "OFF" then the group names of
// the standard format, or "OFF", "USER" for the user-defined one (format 1).
std::vector<std::string> TwoToneGroupItems(int32_t format);

// A paging entry as the dialog writes it: a code (trimmed, first three
// characters, short codes filled with "0") marks it in use with the mode;
// an empty code frees it. The digits follow the code.
void WritePagingEntry(TPaging& entry, std::string_view code, int32_t encDec);
