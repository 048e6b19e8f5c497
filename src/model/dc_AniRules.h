#pragma once
// ANI, MDC1200 and emergency settings: the texts of their stored values
// (shared by the dialogs and the report), the ANI types a file can choose
// and what choosing another one does to the option board and the channels.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "model/dc_RKmem.h"

// ---- Texts of the stored values ----------------------------------------------

inline constexpr const char* kAniTransmit[] = {"PTT Pressed", "PTT Released"};
inline constexpr const char* kAniDelay[] = {"50 msec", "100 msec", "300 msec", "500 msec"};
inline constexpr const char* kAniSpeed[] = {"25 msec", "33 msec", "50 msec", "66 msec"};
inline constexpr const char* kMdcLockout[] = {"off",    "10 sec", "20 sec", "40 sec",
                                              "60 sec", "90 sec", "120 sec"};
inline constexpr const char* kMdcSwitch[] = {"Disable", "Enable"};
inline constexpr const char* kEmergencyChannel[] = {"PRI", "HOME"};
// AF mute, LCD and LED store 0 for "Enabled"; the microphone stores 1 for it.
inline constexpr const char* kEmergencyAlert[] = {"Enabled", "Disabled"};
inline constexpr const char* kEmergencyMic[] = {"Disabled", "Enabled"};

// The sixteen timer steps: "10 Mins" .. "160 Mins", "10 Secs" .. "160 Secs",
// "5 Secs" .. "80 Secs"; the stored value is the position.
std::vector<std::string> EmergencyTimeItems();
std::vector<std::string> EmergencyRxTimeItems();
std::vector<std::string> EmergencyTxTimeItems();

// ---- ANI type ------------------------------------------------------------------

inline constexpr const char* kAniDtmf = "DTMF";
inline constexpr const char* kAniMdc = "MDC1200";
inline constexpr const char* kAniOption = "Option ANI";

// A code's digits are counted in one nibble.
constexpr int32_t kAniCodeMaxLength = 15;

// The types offered: "DTMF"; in the Fleet format (1) "MDC1200" and, from
// firmware 408 on, "Option ANI"; in the original format "Option ANI".
std::vector<std::string> AniTypeItems(const TRKmem& m, int32_t fileFormat);

// `chosenType` replaces `shownType`, the type the list showed when it was
// opened (the first item when the model's own type is not offered): sets
// AniOnOption, decides the new option board, loads the MDC1200 defaults when
// MDC1200 is chosen and entry 0 of MdcMessageIds is not "8000", clears every
// channel's Ani flag when MDC1200 is the old or the new type, resets the
// option-dependent settings and installs the board when its name changed.
// Nothing happens when both are the same; true otherwise.
bool ChangeAniType(TRKmem& m, int32_t fileFormat, std::string_view shownType, std::string_view chosenType);
