#pragma once
// The radio status, option, scanning and marketing dialogs' own rules,
// without the window system: their item lists, the squelch revert mapping,
// the option unit list and what a new option unit does to the model, and
// the serial number's completion.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "dialogs/dc_DlgHelpers.h"
#include "model/dc_RKmem.h"

using TItems = std::vector<std::string>;

// ---- Radio status ------------------------------------------------------------

const TItems& TotItems();            // "Unlimited", "0.5 min" .. "7.5 min"
const TItems& TotPenaltyItems();     // "0 sec" .. "60 secs"
const TItems& PttReleaseItems();     // "0 sec" .. "5 secs"
const TItems& DtmfHoldItems();       // "0 sec" .. "3.5 secs"
const TItems& SqlRevertItems();      // "Unlimited", "1 sec" .. "10 secs"
const TItems& TalkAroundItems();     // "Encode data", "Decode data"
const TItems& DisabledEnabled();     // "Disabled", "Enabled": every on/off row
const TIntEditRule& AfMinimumRule(); // 52..127, anything else read as 52

// The squelch revert item for the stored pair; -1 when no item stands for
// it (a time past "10 secs" without the unlimited flag).
int SqlRevertItem(int32_t unlimited, int32_t time);
struct TSqlRevert {
    int32_t Unlimited;
    int32_t Time;
};
TSqlRevert SqlRevertFromItem(int item);

// ---- Option ------------------------------------------------------------------

const TItems& LightingItems();     // "Disabled", "Enabled": item 0 is LightingOff 1
const TItems& ScanListItems();     // "Dealer", "User"
const TItems& DtmfReceiverItems(); // "Yes", "No"

// The option units offered: "MDC1200(ANI)" only in the original format,
// "OB-71(ANI)" only with firmware that knows it.
TItems OptionUnitItems(int fileFormat, bool firmwareHasOptionAni);
// The unit shown for the installed board: its name when offered after
// "No", otherwise "No".
std::string OptionUnitShown(const TRKmem& m, const TItems& items);
// What choosing `unit` in place of the unit shown does: installs the board,
// sets AniOnOption by the file format and resets what depends on the board
// (only the channels' encryption while MDC1200 ANI stays on). `onOpen` is
// the model as the dialog opened on.
void ApplyOptionUnit(TRKmem& m, const TRKmem& onOpen, std::string_view unit, int fileFormat);

// ---- Scanning ----------------------------------------------------------------

const TItems& DualWatchItems();     // "500 msec" .. "3000 msec"
const TItems& ScanResume1Items();   // "0.250 secs", "0.500 secs", "1 secs" .. "14 secs"
const TItems& ScanResume2Items();   // "2 secs" .. "60 secs"
const TItems& RevertChannelItems(); // "Start Channnel" .. "Last Busy Channnel"

// ---- Marketing ---------------------------------------------------------------

// What the field shows after it was left empty; it means "no serial".
inline constexpr const char* kSerialPlaceholder = "0B000000";
// What OK stores for a serial left empty (and what completes a short one).
inline constexpr const char* kSerialDefault = "0C000000";

// Characters the user may type: 10 for a special model, 9 otherwise.
int SerialMaxLength(bool specialModel);
// The field's text when it is left: trimmed, the placeholder when empty,
// padded with blanks to the maximum length (a longer text stays whole).
std::string SerialLeaveText(std::string_view text, bool specialModel);
// The serial number OK stores for the field's text: trimmed; the
// placeholder counts as empty; unless the model is special, an empty text
// becomes kSerialDefault and a shorter one is completed from it.
std::string SerialOnOk(std::string_view text, bool specialModel);
