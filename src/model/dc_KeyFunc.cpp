#include "model/dc_KeyFunc.h"

#include <algorithm>

#include "model/dc_Rules.h"

namespace {

constexpr int32_t X = kNoKeyCode;

// clang-format off
constexpr std::array<TKeyFunction, kKeyFunctionCount> kKeyFunctions{{
    {"None", {0x00, X, X, X, X, X}},
    {"MON", {0x01, X, X, X, X, X}},
    {"DIMMER", {0x02, X, X, X, X, X}},
    {"SCAN", {0x03, X, X, X, X, X}},
    {"Low", {0x04, X, X, X, X, X}},
    {"TA", {0x05, X, X, X, X, X}},
    {"Emergency", {0x0A, X, X, X, X, X}},
    {"Speaker change", {0x0B, X, X, X, X, X}},
    {"SQL", {0x0C, X, X, X, X, X}},
    {"SCAN List SEL", {0x0D, X, X, X, X, X}},
    {"Selectable Tone", {0x0F, X, X, X, X, X}},
    {"Direct CH", {0x10, 0x11, 0x12, 0x13, 0x14, 0x2B}},
    {"Horn Alert", {0x15, X, X, X, X, X}},
    {"HOME", {0x16, X, X, X, X, X}},
    {"Intercom", {0x17, X, X, X, X, X}},
    {"Noise Branker", {0x18, X, X, X, X, X}},
    {"A", {0x19, X, X, X, X, X}},
    {"B", {0x1A, X, X, X, X, X}},
    {"C", {0x1B, X, X, X, X, X}},
    {"D", {0x1C, X, X, X, X, X}},
    {"E", {0x1D, X, X, X, X, X}},
    {"Public Address", {0x1E, X, X, X, X, X}},
    {"Key Lock", {0x20, X, X, X, X, X}},
    {"A/N", {0x21, X, X, X, X, X}},
    {"DW", {0x22, X, X, X, X, X}},
    {"Follow-Me SCAN", {0x23, X, X, X, X, X}},
    {"Encryption Disable", {0x26, X, X, X, X, X}},
    {"Hi-Level Enc.SW", {0x27, X, X, X, X, X}},
    {"compander", {0x28, X, X, X, X, X}},
    {"EMG PTT", {0x29, X, X, X, X, X}},
    {"AF ATT", {0x2A, X, X, X, X, X}},
    {"SCAN Select", {0x03, X, X, X, X, X}},
    {"Group SCAN Select", {0x06, X, X, X, X, X}},
}};
// clang-format on

// The eight rows of the long-press exclusion list.
constexpr std::array<int32_t, 8> kFollowingRows{1, 3, 6, 9, 10, kKeyRowDirectCh, 27, kKeyRowEmgPtt};

constexpr std::array<TKeyFields, kKeyCount> kKeyFields{{
    {&TRKmem::KeyPf1Short, &TRKmem::KeyPf1Long, &TRKmem::DirectKey1Group, &TRKmem::DirectKey1Channel},
    {&TRKmem::KeyPf2Short, &TRKmem::KeyPf2Long, &TRKmem::DirectKey2Group, &TRKmem::DirectKey2Channel},
    {&TRKmem::KeyPf3Short, &TRKmem::KeyPf3Long, &TRKmem::DirectKey3Group, &TRKmem::DirectKey3Channel},
    {&TRKmem::KeyPf4Short, &TRKmem::KeyPf4Long, &TRKmem::DirectKey4Group, &TRKmem::DirectKey4Channel},
    {&TRKmem::KeyPf5Short, &TRKmem::KeyPf5Long, &TRKmem::DirectKey5Group, &TRKmem::DirectKey5Channel},
    {&TRKmem::KeyPf6Short, &TRKmem::KeyPf6Long, &TRKmem::DirectKey6Group, &TRKmem::DirectKey6Channel},
}};

bool HoldsCode(const TKeyFunction& f, int32_t code) {
    for (int32_t c : f.Codes) {
        if (c == kNoKeyCode) break;
        if (c == code) return true;
    }
    return false;
}

} // namespace

const std::array<TKeyFunction, kKeyFunctionCount>& KeyFunctions() {
    return kKeyFunctions;
}

bool KeyRowListed(int32_t row, const TRKmem& m, TKeyListing listing) {
    if (row < 0 || row >= kKeyFunctionCount) return false;
    if (row == kKeyRowNoiseBlanker) {
        const int32_t band = BandType(m);
        return band == 0 || band == 1;
    }
    if (row == kKeyRowCompander) return m.ProductType != "TR-2100";
    if (row == kKeyRowEmgPtt) return listing == TKeyListing::Report || m.ControlHeadType == 1;
    return true;
}

std::vector<int32_t> KeyRows(const TRKmem& m, TKeyPress press, TKeyListing listing) {
    const int32_t count = press == TKeyPress::Short ? kShortKeyFunctionCount : kKeyFunctionCount;
    std::vector<int32_t> rows;
    for (int32_t row = 0; row < count; ++row)
        if (KeyRowListed(row, m, listing)) rows.push_back(row);
    return rows;
}

int32_t KeyRowForCode(int32_t code, TKeyPress press, int32_t shortCode) {
    if (press == TKeyPress::Long && code == 3 && shortCode != 3) return kKeyRowScanSelect;
    const int32_t count = press == TKeyPress::Short ? kShortKeyFunctionCount : kKeyFunctionCount;
    // kNoKeyCode only ends a list; it is never a function.
    if (code == kNoKeyCode) return -1;
    for (int32_t row = 0; row < count; ++row)
        if (HoldsCode(kKeyFunctions[static_cast<size_t>(row)], code)) return row;
    return -1;
}

int32_t KeyCodeForRow(int32_t row, int32_t key) {
    if (row < 0 || row >= kKeyFunctionCount) return 0;
    if (row == kKeyRowDirectCh) return DirectChCode(key);
    return kKeyFunctions[static_cast<size_t>(row)].Codes[0];
}

int32_t KeyRowByName(std::string_view name) {
    for (int32_t row = 0; row < kKeyFunctionCount; ++row)
        if (name == kKeyFunctions[static_cast<size_t>(row)].Name) return row;
    return -1;
}

int32_t DirectChCode(int32_t key) {
    const auto& codes = kKeyFunctions[kKeyRowDirectCh].Codes;
    return codes[static_cast<size_t>(std::clamp(key, 0, kKeyCount - 1))];
}

bool IsDirectChCode(int32_t code) {
    return HoldsCode(kKeyFunctions[kKeyRowDirectCh], code);
}

bool LongPressFollowsShort(int32_t row) {
    return std::find(kFollowingRows.begin(), kFollowingRows.end(), row) != kFollowingRows.end();
}

TKeyPressState ShortPressChanged(TKeyPressState s) {
    if (LongPressFollowsShort(s.ShortRow)) {
        s.LongRow = s.ShortRow;
        s.LongEnabled = false;
    } else if (!s.LongEnabled) {
        s.LongRow = kKeyRowNone;
        s.LongEnabled = true;
    }
    return s;
}

TKeyPressState LongPressChanged(TKeyPressState s) {
    if (LongPressFollowsShort(s.LongRow)) s.ShortRow = s.LongRow;
    return s;
}

TKeyPressState LongPressLeft(TKeyPressState s) {
    s.LongEnabled = !LongPressFollowsShort(s.LongRow);
    return s;
}

const std::array<TKeyFields, kKeyCount>& KeyFields() {
    return kKeyFields;
}

int32_t UpDownIndexForCode(int32_t code) {
    for (size_t i = 0; i < kUpDownFunctions.size(); ++i)
        if (kUpDownFunctions[i].Code == code) return static_cast<int32_t>(i);
    return 0;
}

void StoreUpDown(TRKmem& m, int32_t code) {
    m.KeyUpDown = code;
    m.KeyLong6 = code;
    m.KeyShort7 = code + 1;
    m.KeyLong7 = code + 1;
}

int32_t VolumePresetIndex(int32_t raw) {
    const auto it = std::lower_bound(kVolumePresets.begin(), kVolumePresets.end(), raw);
    if (it == kVolumePresets.end()) return static_cast<int32_t>(kVolumePresets.size()) - 1;
    return static_cast<int32_t>(it - kVolumePresets.begin());
}

int32_t VolumePresetValue(int32_t index) {
    return kVolumePresets[static_cast<size_t>(std::clamp<int32_t>(index, 0, kVolumePresets.size() - 1))];
}

int32_t HookIndex(int32_t hookOff, int32_t rightHookOff) {
    if (hookOff) return 0;
    return rightHookOff ? 1 : 2;
}

void StoreHook(TRKmem& m, int32_t index) {
    m.HookOff = index == 0 ? 1 : 0;
    m.RightHookOff = index == 2 ? 0 : 1;
}
