// Known answers for the memory layout of the single settings: where the radio
// keeps each one, written out here from the radio's memory map rather than
// taken from the codec's own table, so that a row of that table that drifts
// (another byte, neighbouring bits, a wider or narrower run) fails here. Each
// row is checked both ways: a distinctive value placed at its bits decodes
// into its model field, and the field set to a distinctive value encodes into
// exactly those bits and no others.

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>

#include "Map36TestSupport.h"
#include "image/dc_Map36.h"
#include "model/dc_RKmem.h"

using namespace map36test;

namespace {

enum class TCoding {
    Plain,           // unsigned value or flag, read and written back
    AtLeast5,        // unsigned; the encoder writes at least 5
    ZeroOnEncode,    // read; the encoder writes 0
    DecodeOnly,      // read; the encoder keeps the image's bits
    EncodeOnly,      // written; the decoder sets the field to 2 whatever the bits
    Signed,          // two's complement
    Digits,          // one byte of two packed decimal digits
    Chars,           // text, space padded
    CharsDecodeOnly, // text the encoder never writes
    Flags,           // one bit per element, element 0 in bit 0; Distinct is the first element
};
using enum TCoding;

struct TRow {
    const char* Name; // the model field
    TFieldDesc Desc;
    TCoding Coding;
    int32_t Distinct;
    const char* Text = nullptr; // text rows: the distinctive text
    const char* Copy = nullptr; // a second field the decoder fills from the same bits
    bool FeedsChannels = false; // the channel table's synthesizer words or tail bits follow it
};

// Encoding starts from an image that holds the complement of the distinctive
// value, so any bit of the run the encoder leaves alone shows; plain values
// carry a bit above the run's width, so a run that reaches too high shows too.
// clang-format off
const TRow kRows[] = {
    {"SqDelay", {0x0000, 4, 0x0000, 0}, AtLeast5, 0x1A},
    {"SqDelay", {0x0000, 4, 0x0000, 0}, AtLeast5, 3}, // raised to 5
    {"RefDivider[0]", {0x0011, 3, 0x0012, 0}, Plain, 0xABC, nullptr, nullptr, true},
    {"FractionalMode[0]", {0x0013, 1, 0x0013, 1}, Plain, 1, nullptr, nullptr, true},
    {"RefDivider[1]", {0x0015, 3, 0x0016, 0}, Plain, 0x9D5, nullptr, nullptr, true},
    {"FractionalMode[1]", {0x0017, 1, 0x0017, 1}, Plain, 1, nullptr, nullptr, true},
    {"InjectionSide[0]", {0x0019, 7, 0x0019, 7}, Plain, 1, nullptr, nullptr, true},
    {"SynthParam[0]", {0x0019, 6, 0x001A, 0}, Plain, 0x5A3C},
    {"DcsRxInverted", {0x001B, 7, 0x001B, 7}, Plain, 1},
    {"DcsTxInverted", {0x001B, 6, 0x001B, 6}, Plain, 1},
    {"SqReleaseTime", {0x001B, 5, 0x001B, 0}, Plain, 0x2D},
    {"NoiseSqAttackTime", {0x001C, 7, 0x001C, 4}, Plain, 0xA},
    {"NoiseSqHysteresis", {0x001C, 3, 0x001C, 0}, DecodeOnly, 0x9},
    {"ScanPllBRegister", {0x0023, 7, 0x0023, 0}, DecodeOnly, 0xA5},
    {"UhfBand", {0x0024, 2, 0x0024, 2}, Plain, 1, nullptr, nullptr, true},
    {"VhfBand", {0x0024, 1, 0x0024, 1}, Plain, 1, nullptr, nullptr, true},
    {"LvhfBand", {0x0024, 0, 0x0024, 0}, Plain, 1, nullptr, nullptr, true},
    {"InjectionSide[1]", {0x0028, 7, 0x0028, 7}, Plain, 1, nullptr, nullptr, true},
    {"SynthParam[1]", {0x0028, 6, 0x0029, 0}, Plain, 0x2C96},
    {"MemoryType", {0x002C, 1, 0x002C, 0}, DecodeOnly, 2},
    {"ProductFamily", {0x002D, 0, 0x002D, 0}, DecodeOnly, 1},
    {"HwParam2E", {0x002E, 7, 0x002E, 1}, DecodeOnly, 0x65},
    {"HwFlag2E", {0x002E, 0, 0x002E, 0}, DecodeOnly, 1},
    {"ScanResumeTime2", {0x0080, 7, 0x0080, 4}, Plain, 0xC},
    {"ScanResumeTime1", {0x0080, 3, 0x0080, 0}, Plain, 0x6},
    {"DualWatchTimer", {0x0081, 3, 0x0081, 0}, Plain, 0xB},
    {"TxTimeoutTimer", {0x0082, 7, 0x0082, 4}, Plain, 0xD, nullptr, "TxTimeoutTimerCopy"},
    {"TotPenaltyTimer", {0x0082, 3, 0x0082, 2}, Plain, 1},
    {"PttReleaseTimer", {0x0082, 1, 0x0082, 0}, Plain, 2},
    {"PttDelay", {0x0083, 5, 0x0083, 5}, Plain, 1},
    {"Bell", {0x0083, 4, 0x0083, 4}, Plain, 1},
    {"MonitorMode", {0x0083, 3, 0x0083, 3}, Plain, 1},
    {"HornAlertTime", {0x0083, 2, 0x0083, 0}, Plain, 5},
    {"KeyPf2Short", {0x0084, 7, 0x0084, 0}, Plain, 0x5A},
    {"KeyPf3Short", {0x0085, 7, 0x0085, 0}, Plain, 0xC3},
    {"KeyPf4Short", {0x0086, 7, 0x0086, 0}, Plain, 0x3C},
    {"KeyPf5Short", {0x0087, 7, 0x0087, 0}, Plain, 0x96},
    {"KeyPf1Short", {0x0088, 7, 0x0088, 0}, Plain, 0x69},
    {"KeyUpDown", {0x0089, 7, 0x0089, 0}, Plain, 0xB4},
    {"KeyShort7", {0x008A, 7, 0x008A, 0}, Plain, 0x4B},
    {"KeyPf2Long", {0x008B, 7, 0x008B, 0}, Plain, 0xD2},
    {"KeyPf3Long", {0x008C, 7, 0x008C, 0}, Plain, 0x2D},
    {"KeyPf4Long", {0x008D, 7, 0x008D, 0}, Plain, 0xE1},
    {"KeyPf5Long", {0x008E, 7, 0x008E, 0}, Plain, 0x1E},
    {"KeyPf1Long", {0x008F, 7, 0x008F, 0}, Plain, 0x87},
    {"KeyLong6", {0x0090, 7, 0x0090, 0}, Plain, 0x78},
    {"KeyLong7", {0x0091, 7, 0x0091, 0}, Plain, 0xA5},
    {"RotarySwitchMode", {0x0092, 3, 0x0092, 3}, Plain, 1},
    {"HomeChannelScan", {0x0092, 1, 0x0092, 1}, Plain, 1},
    {"TalkBack", {0x0092, 0, 0x0092, 0}, Plain, 1},
    {"HiLevelEncryption", {0x0093, 7, 0x0093, 7}, Plain, 1},
    {"CtcssTailElim", {0x0093, 6, 0x0093, 6}, Plain, 1, nullptr, nullptr, true},
    {"CtcssTailElim180", {0x0093, 5, 0x0093, 5}, Plain, 1, nullptr, nullptr, true},
    {"RadioToRadioClone", {0x0093, 0, 0x0093, 0}, Plain, 1},
    {"EmergencyMic", {0x0094, 0, 0x0094, 0}, Plain, 1},
    {"EmergencyChannel", {0x0095, 7, 0x0095, 7}, Plain, 1},
    {"EmergencyAfMute", {0x0095, 6, 0x0095, 6}, Plain, 1},
    {"EmergencyLcd", {0x0095, 5, 0x0095, 5}, Plain, 1},
    {"EmergencyLed", {0x0095, 4, 0x0095, 4}, Plain, 1},
    {"EmergencyTime", {0x0095, 3, 0x0095, 0}, Plain, 0x5},
    {"EmergencyRxTime", {0x0096, 7, 0x0096, 4}, Plain, 0x3},
    {"EmergencyTxTime", {0x0096, 3, 0x0096, 0}, Plain, 0xA},
    {"ScanEdit", {0x0097, 3, 0x0097, 3}, Plain, 1},
    {"ScanBeep", {0x0097, 2, 0x0097, 2}, Plain, 1},
    {"PriBeep", {0x0097, 1, 0x0097, 1}, Plain, 1},
    {"PowerOnCondition", {0x0098, 7, 0x0098, 5}, Plain, 6},
    {"DialLock", {0x0098, 2, 0x0098, 2}, Plain, 1},
    {"PttLock", {0x0098, 1, 0x0098, 1}, Plain, 1},
    {"AfVrMinLevel", {0x0099, 7, 0x0099, 0}, Plain, 0x5A},
    {"ArtsBeep", {0x009A, 7, 0x009A, 7}, Plain, 1},
    {"ArtsTxTime", {0x009A, 6, 0x009A, 6}, Plain, 1},
    {"AniOnOption", {0x009A, 5, 0x009A, 5}, Plain, 1},
    {"AniTransmit", {0x009A, 4, 0x009A, 4}, Plain, 1},
    {"AniDelay", {0x009A, 3, 0x009A, 2}, Plain, 1},
    {"AniSpeed", {0x009A, 1, 0x009A, 0}, Plain, 2},
    {"OptionInstalled", {0x009B, 7, 0x009B, 7}, Plain, 1},
    {"RevertChannel", {0x009B, 5, 0x009B, 3}, Plain, 3},
    {"HookOff", {0x009B, 2, 0x009B, 2}, Plain, 1},
    {"RightHookOff", {0x009B, 0, 0x009B, 0}, Plain, 1},
    {"DsubOutNormal1", {0x009D, 5, 0x009D, 5}, Plain, 1},
    {"DsubOutNormal2", {0x009D, 4, 0x009D, 4}, Plain, 1},
    {"DsubOutNormal3", {0x009D, 3, 0x009D, 3}, Plain, 1},
    {"DsubOutNormal4", {0x009D, 2, 0x009D, 2}, Plain, 1},
    {"DsubOutNormal5", {0x009D, 1, 0x009D, 1}, Plain, 1},
    {"DsubOutNormal6", {0x009D, 0, 0x009D, 0}, Plain, 1},
    {"DsubInNormal1", {0x009E, 5, 0x009E, 5}, Plain, 1},
    {"DsubInNormal2", {0x009E, 4, 0x009E, 4}, Plain, 1},
    {"DsubInNormal3", {0x009E, 3, 0x009E, 3}, Plain, 1},
    {"DsubInNormal4", {0x009E, 2, 0x009E, 2}, Plain, 1},
    {"DsubInNormal5", {0x009E, 1, 0x009E, 1}, Plain, 1},
    {"DsubInNormal6", {0x009E, 0, 0x009E, 0}, Plain, 1},
    {"PositionLedOn", {0x009F, 7, 0x009F, 7}, Plain, 1},
    {"PositionLedAfVrOff", {0x009F, 6, 0x009F, 6}, Plain, 1},
    {"PositionLedChannelOff", {0x009F, 5, 0x009F, 5}, Plain, 1},
    {"PositionLedGroup", {0x00A0, 7, 0x00A0, 0}, Plain, 0xC3},
    {"PositionLedChannelNo", {0x00A1, 7, 0x00A1, 0}, Plain, 0x3C},
    {"PositionLedAfVrLevel", {0x00A2, 6, 0x00A2, 0}, Plain, 0x5A},
    {"DsubOutFunction1", {0x00A3, 7, 0x00A3, 4}, Plain, 0x9},
    {"DsubOutFunction2", {0x00A3, 3, 0x00A3, 0}, Plain, 0xC},
    {"DsubOutFunction3", {0x00A4, 7, 0x00A4, 4}, Plain, 0x6},
    {"DsubOutFunction4", {0x00A4, 3, 0x00A4, 0}, Plain, 0xB},
    {"DsubOutFunction5", {0x00A5, 7, 0x00A5, 4}, Plain, 0xD},
    {"DsubOutFunction6", {0x00A5, 3, 0x00A5, 0}, Plain, 0x5},
    {"HwParamA6", {0x00A6, 7, 0x00A6, 4}, ZeroOnEncode, 0xA},
    {"StbyIndex", {0x00A6, 3, 0x00A6, 0}, Plain, 0x3},
    {"DsubInFunction1", {0x00A7, 7, 0x00A7, 0}, Plain, 0x96},
    {"DsubInFunction2", {0x00A8, 7, 0x00A8, 0}, Plain, 0x69},
    {"DsubInFunction3", {0x00A9, 7, 0x00A9, 0}, Plain, 0xB4},
    {"DsubInFunction4", {0x00AA, 7, 0x00AA, 0}, Plain, 0x4B},
    {"DsubInFunction5", {0x00AB, 7, 0x00AB, 0}, Plain, 0xD2},
    {"DtmfHoldTime", {0x00CC, 7, 0x00CC, 4}, Plain, 0xA},
    {"OffHookMonitor", {0x00CC, 3, 0x00CC, 3}, Plain, 1},
    {"VolLevelIndication", {0x00CC, 2, 0x00CC, 2}, Plain, 1},
    {"OffHookToneDecode", {0x00CC, 1, 0x00CC, 1}, Plain, 1},
    {"TalkAroundOperation", {0x00CC, 0, 0x00CC, 0}, Plain, 1},
    {"SqlRevertTime", {0x00CD, 7, 0x00CD, 4}, Plain, 0x9},
    {"SqlRevertUnlimited", {0x00CD, 3, 0x00CD, 3}, Plain, 1},
    {"XBandPtt", {0x00CD, 0, 0x00CD, 0}, Plain, 1},
    {"PowerOnGroup", {0x00CE, 7, 0x00CE, 0}, Plain, 0x2D},
    {"PowerOnChannel", {0x00CF, 7, 0x00CF, 0}, Plain, 0xE1},
    {"DirectKey1Group", {0x00D0, 7, 0x00D0, 0}, Plain, 0x1E},
    {"DirectKey1Channel", {0x00D1, 7, 0x00D1, 0}, Plain, 0x87},
    {"DirectKey2Group", {0x00D2, 7, 0x00D2, 0}, Plain, 0x78},
    {"DirectKey2Channel", {0x00D3, 7, 0x00D3, 0}, Plain, 0xA5},
    {"DirectKey3Group", {0x00D4, 7, 0x00D4, 0}, Plain, 0x5A},
    {"DirectKey3Channel", {0x00D5, 7, 0x00D5, 0}, Plain, 0xC3},
    {"DirectKey4Group", {0x00D6, 7, 0x00D6, 0}, Plain, 0x3C},
    {"DirectKey4Channel", {0x00D7, 7, 0x00D7, 0}, Plain, 0x96},
    {"DirectKey5Group", {0x00D8, 7, 0x00D8, 0}, Plain, 0x69},
    {"DirectKey5Channel", {0x00D9, 7, 0x00D9, 0}, Plain, 0xB4},
    {"DsubIn16Level", {0x00DA, 7, 0x00DA, 7}, Plain, 1},
    {"DsubInNormal7", {0x00DA, 6, 0x00DA, 6}, Plain, 1},
    {"AfAttLevel", {0x00DB, 7, 0x00DB, 0}, Plain, 0x4B},
    {"KeyPf6Short", {0x00DC, 7, 0x00DC, 0}, Plain, 0xD2},
    {"KeyPf6Long", {0x00DD, 7, 0x00DD, 0}, Plain, 0x2D},
    {"DirectKey6Group", {0x00DE, 7, 0x00DE, 0}, Plain, 0xE1},
    {"DirectKey6Channel", {0x00DF, 7, 0x00DF, 0}, Plain, 0x1E},
    {"SettingE0", {0x00E0, 7, 0x00E0, 0}, Plain, 0x87},
    {"SettingE1", {0x00E1, 7, 0x00E1, 0}, Plain, 0x78},
    {"SettingE2", {0x00E2, 7, 0x00E2, 0}, Plain, 0xA5},
    {"SettingE3", {0x00E3, 7, 0x00E3, 0}, Plain, 0x5A},
    {"SettingE4", {0x00E4, 7, 0x00E4, 0}, Plain, 0xC3},
    {"SettingE5", {0x00E5, 7, 0x00E5, 0}, Plain, 0x3C},
    {"DefaultSplit", {0x00F4, 7, 0x00F7, 0}, Signed, -4600000},
    {"TwoToneAutoReset", {0x0101, 6, 0x0101, 6}, Plain, 1},
    {"TwoToneGroupCall", {0x0101, 3, 0x0101, 2}, Plain, 1},
    {"TwoToneCallTimes", {0x0101, 1, 0x0101, 0}, Plain, 2},
    {"TwoToneFormat", {0x0176, 7, 0x0176, 7}, Plain, 1},
    {"Blank", {0x0180, 7, 0x019E, 0}, Flags, 0},
    {"Blank", {0x019F, 1, 0x019F, 0}, Flags, 248},
    {"DealerScanList", {0x0300, 7, 0x031E, 0}, Flags, 0},
    {"DealerScanList", {0x031F, 1, 0x031F, 0}, Flags, 248},
    {"PowerOnTag", {0x0380, 7, 0x0387, 0}, Chars, 0, "PWR-ON#7"},
    {"MdcAniDelayTime", {0x2F44, 7, 0x2F44, 0}, Plain, 0x96},
    {"MdcAniPress", {0x2F45, 7, 0x2F45, 7}, Plain, 1},
    {"MdcAniRelease", {0x2F45, 6, 0x2F45, 6}, Plain, 1},
    {"MdcWaitTone", {0x2F45, 5, 0x2F45, 5}, Plain, 1},
    {"MdcCourtesyTone", {0x2F45, 4, 0x2F45, 4}, Plain, 1},
    {"MdcAniSubAudible", {0x2F45, 3, 0x2F45, 3}, Plain, 1},
    {"MdcAniLockout", {0x2F45, 2, 0x2F45, 0}, Plain, 5},
    {"SpecialCode1", {0x30F5, 7, 0x30F5, 0}, DecodeOnly, 0x69},
    {"SpecialCode2", {0x30F6, 7, 0x30F6, 0}, DecodeOnly, 0xB4},
    {"SpecialCode3", {0x30F7, 7, 0x30F7, 0}, DecodeOnly, 0x4B},
    {"SpecialCode4", {0x30F8, 7, 0x30F8, 0}, DecodeOnly, 0xD2},
    {"BandPair", {0x3218, 3, 0x3218, 0}, Plain, 0xB},
    {"OptionBoardType", {0x321A, 6, 0x321A, 3}, Plain, 0xD},
    {"HwParam321C", {0x321C, 7, 0x321C, 0}, Plain, 0x2D},
    {"HwParam321D", {0x321D, 7, 0x321D, 0}, Plain, 0xE1},
    {"ControlHeadType", {0x321E, 3, 0x321E, 3}, Plain, 1},
    {"OptionSelA", {0x321E, 2, 0x321E, 2}, Plain, 1},
    {"OptionSelB", {0x321E, 1, 0x321E, 1}, Plain, 1},
    {"OptionSelC", {0x321E, 0, 0x321E, 0}, Plain, 1},
    {"NoiseBlanker", {0x321F, 6, 0x321F, 6}, Plain, 1},
    {"LightingOff", {0x3221, 5, 0x3221, 5}, Plain, 1},
    {"LockFunction", {0x3221, 4, 0x3221, 4}, Plain, 1},
    {"ScanListType", {0x3221, 3, 0x3221, 3}, Plain, 1},
    {"KeyBeep", {0x3221, 2, 0x3221, 2}, Plain, 1},
    {"HwParam3222", {0x3222, 3, 0x3222, 0}, Plain, 0x5},
    {"UserScanList", {0x3224, 7, 0x3242, 0}, Flags, 0},
    {"UserScanList", {0x3243, 1, 0x3243, 0}, Flags, 248},
    {"GroupModeFlagA", {0x3244, 7, 0x3262, 0}, Flags, 0},
    {"GroupModeFlagA", {0x3263, 1, 0x3263, 0}, Flags, 248},
    {"HomeGroup", {0x3264, 7, 0x3264, 0}, Plain, 0x1E},
    {"HomeChannel", {0x3265, 7, 0x3265, 0}, Plain, 0x87},
    {"GroupModeFlagB", {0x3266, 7, 0x3284, 0}, Flags, 0},
    {"GroupModeFlagB", {0x3285, 1, 0x3285, 0}, Flags, 248},
    {"VolKnobPosition", {0x3578, 7, 0x3578, 0}, Plain, 0x78},
    {"ProgCentury", {0x3820, 7, 0x3820, 0}, Digits, 20},
    {"ProgYear", {0x3821, 7, 0x3821, 0}, Digits, 24},
    {"ProgMonth", {0x3822, 7, 0x3822, 0}, Digits, 11},
    {"ProgDay", {0x3823, 7, 0x3823, 0}, Digits, 30},
    {"ProgWeekday", {0x3824, 7, 0x3824, 0}, Digits, 6},
    {"ProgHour", {0x3825, 7, 0x3825, 0}, Digits, 23},
    {"ProgMinute", {0x3826, 7, 0x3826, 0}, Digits, 59},
    {"ProgSecond", {0x3827, 7, 0x3827, 0}, Digits, 7},
    {"ModelText", {0x3830, 7, 0x383F, 0}, CharsDecodeOnly, 0, "TR-2300 VHF 45W!"},
    {"Constant3860", {0x3860, 7, 0x3860, 4}, EncodeOnly, 0x3},
};
// clang-format on

// The fields the serial number, product, band and firmware rows show up in
// depend on other bits too, so each row names what it needs around it.
void FamilyOne(TMap& map) {
    map.PutValue(TFieldDesc{0x002D, 0, 0x002D, 0}, 1u);
}
void LetterC(TMap& map) {
    map.PutValue(TFieldDesc{0x30F9, 3, 0x30F9, 0}, 1u);
}
void BandPair5(TMap& map) {
    map.PutValue(TFieldDesc{0x3218, 3, 0x3218, 0}, 5u);
}
// The special model (172, 7, 112) with a serial number of twelve dashes.
void SpecialModel(TMap& map) {
    map.Buf[0x30F5] = 0xAC;
    map.Buf[0x30F6] = 0x07;
    map.Buf[0x30F7] = 0x70;
    for (int32_t a = 0x3840; a <= 0x384B; ++a)
        map.Buf[static_cast<size_t>(a)] = '-';
}

struct TIdentityRow {
    const char* Name;
    TFieldDesc Desc;
    uint32_t Raw;
    void (*Prepare)(TMap&);
    const char* Field; // the model field the bits show in: the serial number is
    const char* Shown; // written back in manufacture mode, the others never
};

// clang-format off
const TIdentityRow kIdentityRows[] = {
    {"BandCode (raw 16)", {0x0024, 7, 0x0024, 3}, 16, nullptr, "BandCode", "5"},
    {"ProductCode", {0x002D, 7, 0x002D, 1}, 0x42, FamilyOne, "ProductCode", "66"},
    {"product selector", {0x3218, 5, 0x3218, 5}, 1, nullptr, "ProductType", "TR-2300"},
    {"firmware version, high byte", {0x3200, 7, 0x3200, 0}, 0xA1, nullptr, "FirmwareVersion", "A100"},
    {"firmware version, low byte", {0x3201, 7, 0x3201, 0}, 0xC0, nullptr, "FirmwareVersion", "00C0"},
    {"band-limit pair 5, lower edge", {0x3128, 7, 0x312B, 0}, 150000000, BandPair5, "BandLowerEdge", "150000000"},
    {"band-limit pair 5, upper edge", {0x312C, 7, 0x312F, 0}, 174000000, BandPair5, "BandUpperEdge", "174000000"},
    {"serial character 1, packed", {0x30F9, 7, 0x30F9, 4}, 8, LetterC, "SerialNumber", "8C000000"},
    {"serial character 2, packed", {0x30F9, 3, 0x30F9, 0}, 12, nullptr, "SerialNumber", "0N000000"},
    {"serial characters 3-4, packed", {0x30FC, 7, 0x30FC, 0}, 0x98, LetterC, "SerialNumber", "0C980000"},
    {"serial characters 5-6, packed", {0x30FD, 7, 0x30FD, 0}, 0x87, LetterC, "SerialNumber", "0C008700"},
    {"serial characters 7-8, packed", {0x30FE, 7, 0x30FE, 0}, 0x96, LetterC, "SerialNumber", "0C000096"},
    {"serial character 1 of 12", {0x3840, 7, 0x3840, 0}, 'K', SpecialModel, "SerialNumber", "K-----------"},
    {"serial character 2 of 12", {0x3841, 7, 0x3841, 0}, 'K', SpecialModel, "SerialNumber", "-K----------"},
    {"serial character 3 of 12", {0x3842, 7, 0x3842, 0}, 'K', SpecialModel, "SerialNumber", "--K---------"},
    {"serial character 4 of 12", {0x3843, 7, 0x3843, 0}, 'K', SpecialModel, "SerialNumber", "---K--------"},
    {"serial character 5 of 12", {0x3844, 7, 0x3844, 0}, 'K', SpecialModel, "SerialNumber", "----K-------"},
    {"serial character 6 of 12", {0x3845, 7, 0x3845, 0}, 'K', SpecialModel, "SerialNumber", "-----K------"},
    {"serial character 7 of 12", {0x3846, 7, 0x3846, 0}, 'K', SpecialModel, "SerialNumber", "------K-----"},
    {"serial character 8 of 12", {0x3847, 7, 0x3847, 0}, 'K', SpecialModel, "SerialNumber", "-------K----"},
    {"serial character 9 of 12", {0x3848, 7, 0x3848, 0}, 'K', SpecialModel, "SerialNumber", "--------K---"},
    {"serial character 10 of 12", {0x3849, 7, 0x3849, 0}, 'K', SpecialModel, "SerialNumber", "---------K--"},
    {"serial character 11 of 12", {0x384A, 7, 0x384A, 0}, 'K', SpecialModel, "SerialNumber", "----------K-"},
    {"serial character 12 of 12", {0x384B, 7, 0x384B, 0}, 'K', SpecialModel, "SerialNumber", "-----------K"},
};
// clang-format on

constexpr TCodecContext kNormal{0};
constexpr TCodecContext kManufacture{2};

int32_t* IntField(TRKmem& m, std::string_view name) {
    int32_t* found = nullptr;
    m.VisitScalars([&](std::string_view n, auto& v) {
        if constexpr (std::is_same_v<std::decay_t<decltype(v)>, int32_t>) {
            if (n == name) found = &v;
        }
    });
    return found;
}
std::string* TextField(TRKmem& m, std::string_view name) {
    std::string* found = nullptr;
    m.VisitScalars([&](std::string_view n, auto& v) {
        if constexpr (std::is_same_v<std::decay_t<decltype(v)>, std::string>) {
            if (n == name) found = &v;
        }
    });
    return found;
}
std::string Shown(TRKmem& m, std::string_view name) {
    if (const int32_t* v = IntField(m, name)) return std::to_string(*v);
    return *TextField(m, name);
}

int32_t& FlagOf(TRKmem& m, std::string_view list, int32_t e) {
    static const std::map<std::string_view, std::array<int32_t, 250> TRKmem::*> kLists{
        {"UserScanList", &TRKmem::UserScanList},
        {"DealerScanList", &TRKmem::DealerScanList},
        {"GroupModeFlagA", &TRKmem::GroupModeFlagA},
        {"GroupModeFlagB", &TRKmem::GroupModeFlagB},
    };
    if (list == "Blank") return m.Channels[e].Blank;
    return (m.*kLists.at(list))[static_cast<size_t>(e)];
}

// Every ninth element from 6: bits at both ends of a 248-element piece, and
// element 249 alone of the last two.
bool InPattern(int32_t e) {
    return e % 9 == 6;
}

uint32_t WidthMask(const TRow& r) {
    const int32_t w = r.Desc.BitWidth();
    return w >= 32 ? 0xFFFFFFFFu : (1u << w) - 1;
}

uint32_t Packed(int32_t v) {
    return static_cast<uint32_t>(v / 10 * 16 + v % 10);
}

std::string Reversed(std::string s) {
    return {s.rbegin(), s.rend()};
}

// The row's distinctive value as the image holds it, or (`other`) a value
// that differs from it in every bit.
void PutImage(TMap& map, const TRow& r, bool other) {
    const auto v = static_cast<uint32_t>(r.Distinct);
    switch (r.Coding) {
    case Digits:
        map.PutValue(r.Desc, Packed(other ? 99 - r.Distinct : r.Distinct));
        break;
    case Chars:
    case CharsDecodeOnly:
        map.PutText(r.Desc, other ? Reversed(r.Text) : std::string(r.Text));
        break;
    case Flags:
        for (int32_t k = 0; k < r.Desc.BitWidth(); ++k) {
            uint8_t& byte = map.Buf[static_cast<size_t>(r.Desc.FirstByte + k / 8)];
            const auto bit = static_cast<uint8_t>(1u << (k % 8));
            byte = InPattern(r.Distinct + k) != other ? (byte | bit) : (byte & ~bit);
        }
        break;
    default:
        map.PutValue(r.Desc, other ? ~v & WidthMask(r) : v);
        break;
    }
}

// What the decoder must make of PutImage's bits.
void ExpectDecoded(TRKmem& m, const TRow& r, bool other) {
    switch (r.Coding) {
    case Chars:
    case CharsDecodeOnly:
        EXPECT_EQ(*TextField(m, r.Name), other ? Reversed(r.Text) : r.Text);
        break;
    case Flags:
        for (int32_t k = 0; k < r.Desc.BitWidth(); ++k)
            ASSERT_EQ(FlagOf(m, r.Name, r.Distinct + k), InPattern(r.Distinct + k) != other ? 1 : 0)
                << "element " << r.Distinct + k;
        break;
    case Digits:
        EXPECT_EQ(*IntField(m, r.Name), other ? 99 - r.Distinct : r.Distinct);
        break;
    case EncodeOnly:
        EXPECT_EQ(*IntField(m, r.Name), 2);
        break;
    default:
        EXPECT_EQ(static_cast<uint32_t>(*IntField(m, r.Name)),
                  other ? ~static_cast<uint32_t>(r.Distinct) & WidthMask(r)
                        : static_cast<uint32_t>(r.Distinct));
        if (r.Copy) {
            EXPECT_EQ(*IntField(m, r.Copy), *IntField(m, r.Name));
        }
        break;
    }
}

// Sets the model field to the row's distinctive value; plain values carry a
// bit above the field's width too, which the field must drop.
void SetModel(TRKmem& m, const TRow& r) {
    switch (r.Coding) {
    case Chars:
    case CharsDecodeOnly:
        *TextField(m, r.Name) = r.Text;
        break;
    case Flags:
        for (int32_t k = 0; k < r.Desc.BitWidth(); ++k)
            FlagOf(m, r.Name, r.Distinct + k) = InPattern(r.Distinct + k) ? 1 : 0;
        break;
    case Plain:
    case EncodeOnly:
        *IntField(m, r.Name) = r.Distinct + (1 << r.Desc.BitWidth());
        break;
    default:
        *IntField(m, r.Name) = r.Distinct;
        break;
    }
}

// The image after encoding the distinctive model value over an image that
// held the other value: the row's bits as its coding says, nothing else.
TMap36 ExpectedEncoded(const TMap36& base, const TRow& r) {
    TMap36 expected = base;
    if (r.Coding == ZeroOnEncode)
        expected.PutValue(r.Desc, 0u);
    else if (r.Coding == AtLeast5)
        expected.PutValue(r.Desc, std::max(r.Distinct, 5));
    else
        PutImage(expected, r, r.Coding == DecodeOnly || r.Coding == CharsDecodeOnly);
    return expected;
}

// The first bits that differ between two images outside `desc` (and the
// channel table when asked), as text.
std::string ChangedOutside(const TMap& a, const TMap& b, TFieldDesc desc, bool channelsToo = false) {
    TMask mask{};
    AddBits(mask, desc);
    if (channelsToo) AddBits(mask, TFieldDesc{0x0C00, 7, 0x2D33, 0});
    for (int32_t i = 0; i < TMap::Size; ++i) {
        const auto k = static_cast<size_t>(i);
        if (const int diff = (a.Buf[k] ^ b.Buf[k]) & ~mask[k]) {
            char buf[48];
            std::snprintf(buf, sizeof buf, "byte 0x%04X bits 0x%02X", i, diff);
            return buf;
        }
    }
    return {};
}

TMap36 Filled(uint8_t b) {
    TMap36 map;
    map.Buf.fill(b);
    return map;
}

TRKmem Decoded(const TMap36& map) {
    TRKmem m;
    EXPECT_TRUE(map.Decode(m));
    return m;
}

} // namespace

// The distinctive value among clear bits catches a row read from elsewhere or
// from too few bits; the other value among set bits, one read from too many.
TEST(Map36KnownLayout, EachSettingDecodesFromItsBits) {
    for (const TRow& r : kRows) {
        SCOPED_TRACE(r.Name);
        for (bool other : {false, true}) {
            TMap36 map = Filled(other ? 0xFF : 0x00);
            PutImage(map, r, other);
            TRKmem m = Decoded(map);
            ExpectDecoded(m, r, other);
        }
    }
}

// The single settings sit at the same bits in file and radio form (only the
// channel table tells the forms apart), so the file form stands for both.
TEST(Map36KnownLayout, EachSettingEncodesIntoItsBitsAlone) {
    const TMap36 zero;
    const TRKmem zeroModel = Decoded(zero);
    TMap36 reference = zero;
    reference.Encode(zeroModel, false, kNormal);
    for (const TRow& r : kRows) {
        SCOPED_TRACE(r.Name);
        TMap36 map = zero;
        PutImage(map, r, true);
        TRKmem m = zeroModel;
        SetModel(m, r);
        map.Encode(m, false, kNormal);
        EXPECT_TRUE(map.Equals(ExpectedEncoded(map, r)));
        EXPECT_EQ(ChangedOutside(map, reference, r.Desc, r.FeedsChannels), "");
    }
}

TEST(Map36KnownLayout, IdentityFields) {
    for (const TIdentityRow& r : kIdentityRows) {
        SCOPED_TRACE(r.Name);
        TMap36 base;
        if (r.Prepare) r.Prepare(base);
        TMap36 map = base;
        map.PutValue(r.Desc, r.Raw);
        TRKmem m = Decoded(map);
        EXPECT_EQ(Shown(m, r.Field), r.Shown);

        const bool serial = std::string_view(r.Field) == "SerialNumber";
        const TCodecContext context = serial ? kManufacture : kNormal;
        TMap36 reference = base;
        reference.Encode(Decoded(base), false, context);
        TMap36 encoded = serial ? base : map;
        if (!serial) {
            if (int32_t* v = IntField(m, r.Field))
                *v = 0;
            else
                TextField(m, r.Field)->clear();
        }
        encoded.Encode(m, false, context);
        EXPECT_EQ(encoded.GetValue(r.Desc), r.Raw);
        EXPECT_EQ(ChangedOutside(encoded, reference, r.Desc), "");
    }
}
