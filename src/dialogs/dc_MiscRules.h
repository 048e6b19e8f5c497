#pragma once
// The rules of the miscellaneous and SQC dialogs that do not need a window:
// how their boxes show the stored flags and what they store back.

#include <cstdint>
#include <optional>
#include <string_view>

class TRKmem;

// The encryption type box ("Disable", "OB-31", "Hi Level") follows the
// installed option board, not the stored flag.
int EncryptionTypeItem(std::string_view optionBoardName);
// The one-bit flag an encryption type item stands for: 1 only for "Hi Level".
int32_t HiLevelEncryptionOf(int item);

// "Disabled", "120", "180".
int CtcssTailItem(const TRKmem& m);
void WriteCtcssTail(TRKmem& m, int item);

// The warning a power-on condition gives on OK, or nullptr.
const char* PowerOnWarning(const TRKmem& m, int condition);
inline constexpr int kPowerOnGroup1 = 1;
inline constexpr int kPowerOnHome = 4;
inline constexpr int kPowerOnSelect = 5;

// SQC: the channel box ("Disable", "Enable") and the AF-Vr box ("Disable",
// "0" .. "10"; -1 for a stored level it has no item for).
int SqcChannelItem(const TRKmem& m);
int SqcAfVrItem(const TRKmem& m);
// Both boxes as shown (nothing: that part stays as stored); the SQC is off
// when both are disabled.
void WriteSqc(TRKmem& m, std::optional<int> channelItem, std::optional<int> afVrItem);
