#pragma once
// The ANI and MDC1200 dialogs' edit rules, without the window system.

#include <string_view>

#include "dialogs/dc_DlgHelpers.h"
#include "model/U_RKmem.h"

// The MDC1200 ANI delay in msec: 0..1000, rounded down to 20 (the stored unit).
const TIntEditRule& MdcDelayRule();
// A PTT ID: hexadecimal 1..DEEE, always four upper-case digits, because the
// image keeps exactly four nibbles and reads only upper-case letters.
const TIntEditRule& MdcPttIdRule();

// A code as typed, as the model keeps it: blanks removed, letters upper-cased,
// empty when any other character is not a DTMF digit; at most 15 digits,
// with their count.
TDTMFMemFormat AniCodeFromText(std::string_view text);
