#pragma once
// The programmable keys as data: the key function table every key box and
// the printed report offer, which rows a radio does not have, the Direct CH
// codes of the six keys, the Up/Down functions, the volume presets and the
// hook choices, with the pure rules between codes, rows and box states. The
// key dialogs and the report read these; neither keeps a list of its own.

#include <array>
#include <cstdint>
#include <string_view>
#include <vector>

#include "model/dc_RKmem.h"

// ---- Key function table --------------------------------------------------------

constexpr int32_t kKeyCount = 6;               // PF1..PF6
constexpr int32_t kKeyFunctionCount = 33;      // rows a long press offers
constexpr int32_t kShortKeyFunctionCount = 31; // rows a short press offers: 0..30
constexpr int32_t kNoKeyCode = 0xFF;           // ends a row's code list

struct TKeyFunction {
    const char* Name;
    // Up to one code per key; only "Direct CH" uses more than the first.
    std::array<int32_t, kKeyCount> Codes;
};

const std::array<TKeyFunction, kKeyFunctionCount>& KeyFunctions();

// Rows that carry a meaning of their own.
constexpr int32_t kKeyRowNone = 0;
constexpr int32_t kKeyRowScan = 3;
constexpr int32_t kKeyRowDirectCh = 11;
constexpr int32_t kKeyRowNoiseBlanker = 15;
constexpr int32_t kKeyRowCompander = 28;
constexpr int32_t kKeyRowEmgPtt = 29;
constexpr int32_t kKeyRowScanSelect = 31;

enum class TKeyPress { Short, Long };

// Who lists the rows: the key dialogs leave out "EMG PTT" without a
// motorcycle head; the report keeps it.
enum class TKeyListing { Dialog, Report };

// Whether `row` is offered for this radio: "Noise Branker" only on low VHF
// (band types 0 and 1), "compander" not on the "TR-2100", and in the dialogs
// "EMG PTT" only with ControlHeadType 1.
bool KeyRowListed(int32_t row, const TRKmem& m, TKeyListing listing);
// The rows of one key box in table order: rows 0..30 for a short press, all
// 33 for a long press, less those KeyRowListed leaves out. A box item's index
// is its position here.
std::vector<int32_t> KeyRows(const TRKmem& m, TKeyPress press, TKeyListing listing);

// The row a stored code shows: the first row (0..30 for a short press, 0..32
// for a long press) whose code list holds `code`; a long-press code 3 shows
// "SCAN Select" unless the same key's short-press code is 3. -1 when no row
// holds the code.
int32_t KeyRowForCode(int32_t code, TKeyPress press, int32_t shortCode);
// The code a row stores for key 0..5: the row's code, and for "Direct CH" the
// key's own Direct CH code. 0 for a row outside the table.
int32_t KeyCodeForRow(int32_t row, int32_t key);
// -1 when no row has that name.
int32_t KeyRowByName(std::string_view name);

// PF1 0x10 .. PF5 0x14, PF6 0x2B.
int32_t DirectChCode(int32_t key);
bool IsDirectChCode(int32_t code);

// ---- Short- and long-press rule ---------------------------------------------------

// Rows whose long press cannot differ from the short press: "MON", "SCAN",
// "Emergency", "SCAN List SEL", "Selectable Tone", "Direct CH",
// "Hi-Level Enc.SW" and "EMG PTT".
bool LongPressFollowsShort(int32_t row);

// One key's pair of boxes: the rows shown (-1 none) and whether the long box
// is open to the user (a locked box is painted in the button-face colour).
struct TKeyPressState {
    int32_t ShortRow = -1;
    int32_t LongRow = -1;
    bool LongEnabled = true;
    friend bool operator==(const TKeyPressState&, const TKeyPressState&) = default;
};
// On show and whenever the short box changes: a following row locks the long
// box at the same row; otherwise a locked long box reopens at "None".
TKeyPressState ShortPressChanged(TKeyPressState s);
// The long box changed to a following row: the short box takes that row.
TKeyPressState LongPressChanged(TKeyPressState s);
// Leaving the long box: locked on a following row, reopened on any other.
TKeyPressState LongPressLeft(TKeyPressState s);

// ---- Key fields of the model ----------------------------------------------------

struct TKeyFields {
    int32_t TRKmem::*Short;
    int32_t TRKmem::*Long;
    int32_t TRKmem::*DirectGroup;
    int32_t TRKmem::*DirectChannel;
};
// PF1..PF6: KeyPf1Short/KeyPf1Long/DirectKey1Group/DirectKey1Channel .. PF6.
const std::array<TKeyFields, kKeyCount>& KeyFields();
constexpr int32_t kNoDirectEntry = 255;

// ---- Up/Down key ------------------------------------------------------------------

struct TUpDownFunction {
    const char* Name;
    int32_t Code;
};
constexpr std::array<TUpDownFunction, 2> kUpDownFunctions{{
    {"Group Up / Down", 6},
    {"Channel Up / Down", 8},
}};
// The entry whose code is `code`; the first entry when none is.
int32_t UpDownIndexForCode(int32_t code);
// KeyUpDown and KeyLong6 get the code, KeyShort7 and KeyLong7 the code + 1.
void StoreUpDown(TRKmem& m, int32_t code);

// ---- Front panel -------------------------------------------------------------------

// The raw volume levels shown as "1".."9".
constexpr std::array<int32_t, 9> kVolumePresets{46, 69, 96, 105, 109, 115, 117, 121, 125};
// The first preset at or above `raw`; a level above the highest shows the
// highest ("9"), never the lowest.
int32_t VolumePresetIndex(int32_t raw);
// The raw level of preset `index`; outside 0..8 the nearest end.
int32_t VolumePresetValue(int32_t index);

constexpr std::array<const char*, 3> kHookNames{"Disabled", "Left", "Left / Right"};
// HookOff wins; else RightHookOff set means "Left"; else "Left / Right".
int32_t HookIndex(int32_t hookOff, int32_t rightHookOff);
// "Disabled" sets both, "Left" only RightHookOff, "Left / Right" neither.
void StoreHook(TRKmem& m, int32_t index);
