#include "model/dc_RKmem.h"

#include <cstdio>
#include <map>
#include <mutex>

namespace rkmem_detail {
std::string_view IndexedName(std::string_view base, size_t index) {
    // Few distinct names exist (four arrays of two); keep each once.
    static std::map<std::string, std::string, std::less<>> names;
    static std::mutex lock;
    std::string key = std::string(base) + "[" + std::to_string(index) + "]";
    std::lock_guard<std::mutex> guard(lock);
    auto it = names.find(key);
    if (it == names.end()) it = names.emplace(key, key).first;
    return it->second;
}
} // namespace rkmem_detail

namespace {
std::string Numbered(const char* format, int value) {
    char buf[32];
    std::snprintf(buf, sizeof buf, format, value);
    return buf;
}
} // namespace

void TRKmem::SetNewConfiguration() {
    ProductType = "TR-2300";
    SerialNumber = "0FFFFFFFF";
    PowerOnTag = "SELFTEST";

    SqDelay = 7;
    SqReleaseTime = 47;
    NoiseSqAttackTime = 2;
    NoiseSqHysteresis = 3;
    DcsRxInverted = 1;
    DcsTxInverted = 1;
    MemoryType = 0;
    ScanPllBRegister = 160;
    TwoToneAutoReset = 1;
    TwoToneGroupCall = 0;
    TwoToneCallTimes = 2;
    TwoToneFormat = 0;
    HookOff = 1;
    LightingOff = 1;
    KeyBeep = 1;
    ScanListType = 1;
    HiLevelEncryption = 0;
    PositionLedChannelOff = 0;
    PositionLedGroup = 0;
    PositionLedChannelNo = 0;
    PositionLedAfVrOff = 0;
    PositionLedAfVrLevel = 0;
    EmergencyChannel = 1;
    EmergencyAfMute = 1;
    EmergencyLcd = 1;
    EmergencyLed = 1;
    EmergencyTime = 2;
    EmergencyRxTime = 3;
    EmergencyTxTime = 3;
    EmergencyMic = 0;
    DirectKey1Group = 255;
    DirectKey1Channel = 255;
    DirectKey2Group = 255;
    DirectKey2Channel = 255;
    DirectKey3Group = 255;
    DirectKey3Channel = 255;
    DirectKey4Group = 255;
    DirectKey4Channel = 255;
    DirectKey5Group = 255;
    DirectKey5Channel = 255;
    CtcssTailElim = 1;
    CtcssTailElim180 = 0;
    HomeGroup = 0;
    HomeChannel = 0;
    AfAttLevel = 0;
    AfVrMinLevel = 52;
    OptionInstalled = 0;
    ScanBeep = 1;
    PriBeep = 1;
    TalkBack = 1;
    RevertChannel = 0;
    HomeChannelScan = 0;
    ScanResumeTime1 = 3;
    ScanResumeTime2 = 3;
    ScanEdit = 1;
    DualWatchTimer = 4;
    BandCode = 1;
    UhfBand = 0;
    VhfBand = 0;
    LvhfBand = 1;
    DsubOutNormal1 = 0;
    DsubOutNormal2 = 0;
    DsubOutNormal3 = 0;
    DsubOutNormal4 = 0;
    DsubOutNormal5 = 0;
    DsubOutNormal6 = 0;
    DsubInNormal1 = 0;
    DsubInNormal2 = 1;
    DsubInNormal3 = 1;
    DsubInNormal4 = 1;
    DsubInNormal5 = 1;
    DsubInNormal6 = 1;
    DsubInNormal7 = 1;
    DsubIn16Level = 1;
    DsubOutFunction1 = 0;
    DsubOutFunction2 = 0;
    DsubOutFunction3 = 0;
    DsubOutFunction4 = 0;
    DsubOutFunction5 = 0;
    DsubOutFunction6 = 3;
    DsubInFunction1 = 0;
    DsubInFunction2 = 0;
    DsubInFunction3 = 0;
    DsubInFunction4 = 0;
    DsubInFunction5 = 0;
    KeyPf1Short = 10;
    KeyPf1Long = 10;
    KeyPf2Short = 1;
    KeyPf2Long = 1;
    KeyPf3Short = 3;
    KeyPf3Long = 3;
    KeyPf4Short = 5;
    KeyPf4Long = 35;
    KeyPf5Short = 2;
    KeyPf5Long = 33;
    KeyUpDown = 6;
    RotarySwitchMode = 0;
    KeyPf6Short = 2;
    KeyPf6Long = 2;
    DialLock = 1;
    PttLock = 0;
    LockFunction = 0;
    RightHookOff = 1;
    AniOnOption = 0;
    AniTransmit = 0;
    AniDelay = 1;
    AniSpeed = 2;
    OptionBoardType = 4;
    OptionSelA = 1;
    OptionSelB = 1;
    OptionSelC = 1;
    TxTimeoutTimer = 6;
    TotPenaltyTimer = 0;
    PttReleaseTimer = 0;
    TalkAroundOperation = 0;
    OffHookMonitor = 0;
    VolLevelIndication = 0;
    OffHookToneDecode = 0;
    DtmfHoldTime = 6;
    SqlRevertTime = 15;
    SqlRevertUnlimited = 1;

    for (int32_t i = 1; i < CodeSwitches.Count(); ++i) {
        CodeSwitches[i].Group = 255;
        CodeSwitches[i].Position = 255;
    }

    auto resetToneTables = [](TSTTables& set, const char* prefix) {
        for (int32_t i = 0; i < set.Count(); ++i) {
            TSTTable& t = set[i];
            t.Tag = prefix + Numbered("%.2d", i + 1);
            t.Use = 0;
            t.EncIsCtcss = 1;
            t.EncCode = 0;
            t.DecIsCtcss = 1;
            t.DecCode = 0;
        }
    };
    resetToneTables(ToneTable1, "1-");
    resetToneTables(ToneTable2, "2-");

    // The length travels with the digits: the image keeps only `Length`
    // digits, so a code without its length would vanish on the first save.
    AniCodeFormat.Digits = "12345";
    AniCodeFormat.Length = 5;
    EmergencyCodeFormat.Digits = "6789";
    EmergencyCodeFormat.Length = 4;

    for (int32_t i = 0; i < Pagings.Count(); ++i) {
        Pagings[i].EncDec = 0;
        Pagings[i].Code.clear();
    }

    // "Group 0 allocated, all others not": a group is allocated when it has
    // channels, and a new configuration starts with one channel in use.
    for (int32_t g = 0; g < GroupAreas.Count(); ++g) {
        GroupAreas.Set(g, g == 0 ? 1u : 0u);
        GroupNames[g].Text = Numbered("GROUP%.3d", g + 1);
    }

    for (int32_t c = 0; c < Channels.Count(); ++c)
        Channels[c].Reset();
    Channels[0].Blank = 0;

    SetMdcDefaults();
}

void TRKmem::SetMdcDefaults() {
    MdcAniDelayTime = 5;
    MdcAniLockout = 0;
    MdcAniPress = 1;
    MdcAniRelease = 0;
    MdcWaitTone = 0;
    MdcCourtesyTone = 1;
    MdcAniSubAudible = 0;
    for (auto& id : MdcPttIds)
        id = "1234";
    MdcMessageIds[0] = "8000";
    for (size_t i = 1; i < MdcMessageIds.size(); ++i)
        MdcMessageIds[i] = "8001";
}
