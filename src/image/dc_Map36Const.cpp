#include "image/dc_Map36Const.h"

#include "model/U_RKmem.h"
#include "model/dc_RKmem.h"

// Plain accessors of `expr` on a record `r`, as captureless lambdas so that
// every table below is constant data.
#define RK36_ACCESS(Rec, expr)                                                                               \
    [](const Rec& r) -> int32_t { return static_cast<int32_t>(r.expr); },                                    \
        [](Rec& r, int32_t v) { r.expr = v; }
#define RK36_SCALAR(b1, f1, b2, f2, field, coding, direction, stage)                                         \
    TScalarField {                                                                                           \
        {b1, f1, b2, f2}, #field, coding, direction, stage, RK36_ACCESS(TRKmem, field)                       \
    }
#define RK36_NONE(Rec) [](const Rec&) -> int32_t { return 0; }, [](Rec&, int32_t) {}

namespace {

const TScalarField kScalarFields[] = {
    RK36_SCALAR(0x0000, 4, 0x0000, 0, SqDelay, fcAtLeast5, fdBoth, esCommon),
    RK36_SCALAR(0x0011, 3, 0x0012, 0, RefDivider[0], fcValue, fdBoth, esCommon),
    RK36_SCALAR(0x0013, 1, 0x0013, 1, FractionalMode[0], fcValue, fdBoth, esCommon),
    RK36_SCALAR(0x0015, 3, 0x0016, 0, RefDivider[1], fcValue, fdBoth, esCommon),
    RK36_SCALAR(0x0017, 1, 0x0017, 1, FractionalMode[1], fcValue, fdBoth, esCommon),
    RK36_SCALAR(0x0019, 7, 0x0019, 7, InjectionSide[0], fcValue, fdBoth, esCommon),
    RK36_SCALAR(0x0019, 6, 0x001A, 0, SynthParam[0], fcValue, fdBoth, esLate),
    RK36_SCALAR(0x001B, 7, 0x001B, 7, DcsRxInverted, fcValue, fdBoth, esCommon),
    RK36_SCALAR(0x001B, 6, 0x001B, 6, DcsTxInverted, fcValue, fdBoth, esCommon),
    RK36_SCALAR(0x001B, 5, 0x001B, 0, SqReleaseTime, fcValue, fdBoth, esCommon),
    RK36_SCALAR(0x001C, 7, 0x001C, 4, NoiseSqAttackTime, fcValue, fdBoth, esCommon),
    RK36_SCALAR(0x001C, 3, 0x001C, 0, NoiseSqHysteresis, fcValue, fdDecodeOnly, esCommon),
    RK36_SCALAR(0x0023, 7, 0x0023, 0, ScanPllBRegister, fcValue, fdDecodeOnly, esCommon),
    RK36_SCALAR(0x0024, 2, 0x0024, 2, UhfBand, fcValue, fdBoth, esCommon),
    RK36_SCALAR(0x0024, 1, 0x0024, 1, VhfBand, fcValue, fdBoth, esCommon),
    RK36_SCALAR(0x0024, 0, 0x0024, 0, LvhfBand, fcValue, fdBoth, esCommon),
    RK36_SCALAR(0x0028, 7, 0x0028, 7, InjectionSide[1], fcValue, fdBoth, esCommon),
    RK36_SCALAR(0x0028, 6, 0x0029, 0, SynthParam[1], fcValue, fdBoth, esLate),
    RK36_SCALAR(0x002C, 1, 0x002C, 0, MemoryType, fcValue, fdDecodeOnly, esCommon),
    RK36_SCALAR(0x002E, 7, 0x002E, 1, HwParam2E, fcValue, fdDecodeOnly, esCommon),
    RK36_SCALAR(0x002E, 0, 0x002E, 0, HwFlag2E, fcValue, fdDecodeOnly, esCommon),
    RK36_SCALAR(0x0080, 7, 0x0080, 4, ScanResumeTime2, fcValue, fdBoth, esCommon),
    RK36_SCALAR(0x0080, 3, 0x0080, 0, ScanResumeTime1, fcValue, fdBoth, esCommon),
    RK36_SCALAR(0x0081, 3, 0x0081, 0, DualWatchTimer, fcValue, fdBoth, esCommon),
    RK36_SCALAR(0x0082, 7, 0x0082, 4, TxTimeoutTimer, fcValue, fdBoth, esCommon),
    RK36_SCALAR(0x0082, 3, 0x0082, 2, TotPenaltyTimer, fcValue, fdBoth, esCommon),
    RK36_SCALAR(0x0082, 1, 0x0082, 0, PttReleaseTimer, fcValue, fdBoth, esCommon),
    RK36_SCALAR(0x0083, 5, 0x0083, 5, PttDelay, fcValue, fdBoth, esCommon),
    RK36_SCALAR(0x0083, 4, 0x0083, 4, Bell, fcValue, fdBoth, esCommon),
    RK36_SCALAR(0x0083, 3, 0x0083, 3, MonitorMode, fcValue, fdBoth, esCommon),
    RK36_SCALAR(0x0083, 2, 0x0083, 0, HornAlertTime, fcValue, fdBoth, esCommon),
    RK36_SCALAR(0x0084, 7, 0x0084, 0, KeyPf2Short, fcValue, fdBoth, esCommon),
    RK36_SCALAR(0x0085, 7, 0x0085, 0, KeyPf3Short, fcValue, fdBoth, esCommon),
    RK36_SCALAR(0x0086, 7, 0x0086, 0, KeyPf4Short, fcValue, fdBoth, esCommon),
    RK36_SCALAR(0x0087, 7, 0x0087, 0, KeyPf5Short, fcValue, fdBoth, esCommon),
    RK36_SCALAR(0x0088, 7, 0x0088, 0, KeyPf1Short, fcValue, fdBoth, esCommon),
    RK36_SCALAR(0x0089, 7, 0x0089, 0, KeyUpDown, fcValue, fdBoth, esCommon),
    RK36_SCALAR(0x008A, 7, 0x008A, 0, KeyShort7, fcValue, fdBoth, esCommon),
    RK36_SCALAR(0x008B, 7, 0x008B, 0, KeyPf2Long, fcValue, fdBoth, esCommon),
    RK36_SCALAR(0x008C, 7, 0x008C, 0, KeyPf3Long, fcValue, fdBoth, esCommon),
    RK36_SCALAR(0x008D, 7, 0x008D, 0, KeyPf4Long, fcValue, fdBoth, esCommon),
    RK36_SCALAR(0x008E, 7, 0x008E, 0, KeyPf5Long, fcValue, fdBoth, esCommon),
    RK36_SCALAR(0x008F, 7, 0x008F, 0, KeyPf1Long, fcValue, fdBoth, esCommon),
    RK36_SCALAR(0x0090, 7, 0x0090, 0, KeyLong6, fcValue, fdBoth, esCommon),
    RK36_SCALAR(0x0091, 7, 0x0091, 0, KeyLong7, fcValue, fdBoth, esCommon),
    RK36_SCALAR(0x0092, 3, 0x0092, 3, RotarySwitchMode, fcValue, fdBoth, esCommon),
    RK36_SCALAR(0x0092, 1, 0x0092, 1, HomeChannelScan, fcValue, fdBoth, esCommon),
    RK36_SCALAR(0x0092, 0, 0x0092, 0, TalkBack, fcValue, fdBoth, esCommon),
    RK36_SCALAR(0x0093, 7, 0x0093, 7, HiLevelEncryption, fcValue, fdBoth, esCommon),
    RK36_SCALAR(0x0093, 6, 0x0093, 6, CtcssTailElim, fcValue, fdBoth, esCommon),
    RK36_SCALAR(0x0093, 5, 0x0093, 5, CtcssTailElim180, fcValue, fdBoth, esCommon),
    RK36_SCALAR(0x0093, 0, 0x0093, 0, RadioToRadioClone, fcValue, fdBoth, esCommon),
    RK36_SCALAR(0x0094, 0, 0x0094, 0, EmergencyMic, fcValue, fdBoth, esCommon),
    RK36_SCALAR(0x0095, 7, 0x0095, 7, EmergencyChannel, fcValue, fdBoth, esCommon),
    RK36_SCALAR(0x0095, 6, 0x0095, 6, EmergencyAfMute, fcValue, fdBoth, esCommon),
    RK36_SCALAR(0x0095, 5, 0x0095, 5, EmergencyLcd, fcValue, fdBoth, esCommon),
    RK36_SCALAR(0x0095, 4, 0x0095, 4, EmergencyLed, fcValue, fdBoth, esCommon),
    RK36_SCALAR(0x0095, 3, 0x0095, 0, EmergencyTime, fcValue, fdBoth, esCommon),
    RK36_SCALAR(0x0096, 7, 0x0096, 4, EmergencyRxTime, fcValue, fdBoth, esCommon),
    RK36_SCALAR(0x0096, 3, 0x0096, 0, EmergencyTxTime, fcValue, fdBoth, esCommon),
    RK36_SCALAR(0x0097, 3, 0x0097, 3, ScanEdit, fcValue, fdBoth, esCommon),
    RK36_SCALAR(0x0097, 2, 0x0097, 2, ScanBeep, fcValue, fdBoth, esCommon),
    RK36_SCALAR(0x0097, 1, 0x0097, 1, PriBeep, fcValue, fdBoth, esCommon),
    RK36_SCALAR(0x0098, 7, 0x0098, 5, PowerOnCondition, fcValue, fdBoth, esCommon),
    RK36_SCALAR(0x0098, 2, 0x0098, 2, DialLock, fcValue, fdBoth, esCommon),
    RK36_SCALAR(0x0098, 1, 0x0098, 1, PttLock, fcValue, fdBoth, esCommon),
    RK36_SCALAR(0x0099, 7, 0x0099, 0, AfVrMinLevel, fcValue, fdBoth, esCommon),
    RK36_SCALAR(0x009A, 7, 0x009A, 7, ArtsBeep, fcValue, fdBoth, esCommon),
    RK36_SCALAR(0x009A, 6, 0x009A, 6, ArtsTxTime, fcValue, fdBoth, esCommon),
    RK36_SCALAR(0x009A, 5, 0x009A, 5, AniOnOption, fcValue, fdBoth, esCommon),
    RK36_SCALAR(0x009A, 4, 0x009A, 4, AniTransmit, fcValue, fdBoth, esCommon),
    RK36_SCALAR(0x009A, 3, 0x009A, 2, AniDelay, fcValue, fdBoth, esCommon),
    RK36_SCALAR(0x009A, 1, 0x009A, 0, AniSpeed, fcValue, fdBoth, esCommon),
    RK36_SCALAR(0x009B, 7, 0x009B, 7, OptionInstalled, fcValue, fdBoth, esCommon),
    RK36_SCALAR(0x009B, 5, 0x009B, 3, RevertChannel, fcValue, fdBoth, esCommon),
    RK36_SCALAR(0x009B, 2, 0x009B, 2, HookOff, fcValue, fdBoth, esCommon),
    RK36_SCALAR(0x009B, 0, 0x009B, 0, RightHookOff, fcValue, fdBoth, esCommon),
    RK36_SCALAR(0x009D, 5, 0x009D, 5, DsubOutNormal1, fcValue, fdBoth, esCommon),
    RK36_SCALAR(0x009D, 4, 0x009D, 4, DsubOutNormal2, fcValue, fdBoth, esCommon),
    RK36_SCALAR(0x009D, 3, 0x009D, 3, DsubOutNormal3, fcValue, fdBoth, esCommon),
    RK36_SCALAR(0x009D, 2, 0x009D, 2, DsubOutNormal4, fcValue, fdBoth, esCommon),
    RK36_SCALAR(0x009D, 1, 0x009D, 1, DsubOutNormal5, fcValue, fdBoth, esCommon),
    RK36_SCALAR(0x009D, 0, 0x009D, 0, DsubOutNormal6, fcValue, fdBoth, esCommon),
    RK36_SCALAR(0x009E, 5, 0x009E, 5, DsubInNormal1, fcValue, fdBoth, esCommon),
    RK36_SCALAR(0x009E, 4, 0x009E, 4, DsubInNormal2, fcValue, fdBoth, esCommon),
    RK36_SCALAR(0x009E, 3, 0x009E, 3, DsubInNormal3, fcValue, fdBoth, esCommon),
    RK36_SCALAR(0x009E, 2, 0x009E, 2, DsubInNormal4, fcValue, fdBoth, esCommon),
    RK36_SCALAR(0x009E, 1, 0x009E, 1, DsubInNormal5, fcValue, fdBoth, esCommon),
    RK36_SCALAR(0x009E, 0, 0x009E, 0, DsubInNormal6, fcValue, fdBoth, esCommon),
    RK36_SCALAR(0x009F, 7, 0x009F, 7, PositionLedOn, fcValue, fdBoth, esCommon),
    RK36_SCALAR(0x009F, 6, 0x009F, 6, PositionLedAfVrOff, fcValue, fdBoth, esCommon),
    RK36_SCALAR(0x009F, 5, 0x009F, 5, PositionLedChannelOff, fcValue, fdBoth, esCommon),
    RK36_SCALAR(0x00A0, 7, 0x00A0, 0, PositionLedGroup, fcValue, fdBoth, esCommon),
    RK36_SCALAR(0x00A1, 7, 0x00A1, 0, PositionLedChannelNo, fcValue, fdBoth, esCommon),
    RK36_SCALAR(0x00A2, 6, 0x00A2, 0, PositionLedAfVrLevel, fcValue, fdBoth, esCommon),
    RK36_SCALAR(0x00A3, 7, 0x00A3, 4, DsubOutFunction1, fcValue, fdBoth, esCommon),
    RK36_SCALAR(0x00A3, 3, 0x00A3, 0, DsubOutFunction2, fcValue, fdBoth, esCommon),
    RK36_SCALAR(0x00A4, 7, 0x00A4, 4, DsubOutFunction3, fcValue, fdBoth, esCommon),
    RK36_SCALAR(0x00A4, 3, 0x00A4, 0, DsubOutFunction4, fcValue, fdBoth, esCommon),
    RK36_SCALAR(0x00A5, 7, 0x00A5, 4, DsubOutFunction5, fcValue, fdBoth, esCommon),
    RK36_SCALAR(0x00A5, 3, 0x00A5, 0, DsubOutFunction6, fcValue, fdBoth, esCommon),
    RK36_SCALAR(0x00A6, 7, 0x00A6, 4, HwParamA6, fcZeroOnEncode, fdBoth, esCommon),
    RK36_SCALAR(0x00A6, 3, 0x00A6, 0, StbyIndex, fcValue, fdBoth, esCommon),
    RK36_SCALAR(0x00A7, 7, 0x00A7, 0, DsubInFunction1, fcValue, fdBoth, esCommon),
    RK36_SCALAR(0x00A8, 7, 0x00A8, 0, DsubInFunction2, fcValue, fdBoth, esCommon),
    RK36_SCALAR(0x00A9, 7, 0x00A9, 0, DsubInFunction3, fcValue, fdBoth, esCommon),
    RK36_SCALAR(0x00AA, 7, 0x00AA, 0, DsubInFunction4, fcValue, fdBoth, esCommon),
    RK36_SCALAR(0x00AB, 7, 0x00AB, 0, DsubInFunction5, fcValue, fdBoth, esCommon),
    RK36_SCALAR(0x00CC, 7, 0x00CC, 4, DtmfHoldTime, fcValue, fdBoth, esCommon),
    RK36_SCALAR(0x00CC, 3, 0x00CC, 3, OffHookMonitor, fcValue, fdBoth, esCommon),
    RK36_SCALAR(0x00CC, 2, 0x00CC, 2, VolLevelIndication, fcValue, fdBoth, esCommon),
    RK36_SCALAR(0x00CC, 1, 0x00CC, 1, OffHookToneDecode, fcValue, fdBoth, esCommon),
    RK36_SCALAR(0x00CC, 0, 0x00CC, 0, TalkAroundOperation, fcValue, fdBoth, esCommon),
    RK36_SCALAR(0x00CD, 7, 0x00CD, 4, SqlRevertTime, fcValue, fdBoth, esCommon),
    RK36_SCALAR(0x00CD, 3, 0x00CD, 3, SqlRevertUnlimited, fcValue, fdBoth, esCommon),
    RK36_SCALAR(0x00CD, 0, 0x00CD, 0, XBandPtt, fcValue, fdBoth, esCommon),
    RK36_SCALAR(0x00CE, 7, 0x00CE, 0, PowerOnGroup, fcValue, fdBoth, esCommon),
    RK36_SCALAR(0x00CF, 7, 0x00CF, 0, PowerOnChannel, fcValue, fdBoth, esCommon),
    RK36_SCALAR(0x00D0, 7, 0x00D0, 0, DirectKey1Group, fcValue, fdBoth, esCommon),
    RK36_SCALAR(0x00D1, 7, 0x00D1, 0, DirectKey1Channel, fcValue, fdBoth, esCommon),
    RK36_SCALAR(0x00D2, 7, 0x00D2, 0, DirectKey2Group, fcValue, fdBoth, esCommon),
    RK36_SCALAR(0x00D3, 7, 0x00D3, 0, DirectKey2Channel, fcValue, fdBoth, esCommon),
    RK36_SCALAR(0x00D4, 7, 0x00D4, 0, DirectKey3Group, fcValue, fdBoth, esCommon),
    RK36_SCALAR(0x00D5, 7, 0x00D5, 0, DirectKey3Channel, fcValue, fdBoth, esCommon),
    RK36_SCALAR(0x00D6, 7, 0x00D6, 0, DirectKey4Group, fcValue, fdBoth, esCommon),
    RK36_SCALAR(0x00D7, 7, 0x00D7, 0, DirectKey4Channel, fcValue, fdBoth, esCommon),
    RK36_SCALAR(0x00D8, 7, 0x00D8, 0, DirectKey5Group, fcValue, fdBoth, esCommon),
    RK36_SCALAR(0x00D9, 7, 0x00D9, 0, DirectKey5Channel, fcValue, fdBoth, esCommon),
    RK36_SCALAR(0x00DA, 7, 0x00DA, 7, DsubIn16Level, fcValue, fdBoth, esCommon),
    RK36_SCALAR(0x00DA, 6, 0x00DA, 6, DsubInNormal7, fcValue, fdBoth, esCommon),
    RK36_SCALAR(0x00DB, 7, 0x00DB, 0, AfAttLevel, fcValue, fdBoth, esCommon),
    RK36_SCALAR(0x00DC, 7, 0x00DC, 0, KeyPf6Short, fcValue, fdBoth, esCommon),
    RK36_SCALAR(0x00DD, 7, 0x00DD, 0, KeyPf6Long, fcValue, fdBoth, esCommon),
    RK36_SCALAR(0x00DE, 7, 0x00DE, 0, DirectKey6Group, fcValue, fdBoth, esCommon),
    RK36_SCALAR(0x00DF, 7, 0x00DF, 0, DirectKey6Channel, fcValue, fdBoth, esCommon),
    RK36_SCALAR(0x00E0, 7, 0x00E0, 0, SettingE0, fcValue, fdBoth, esCommon),
    RK36_SCALAR(0x00E1, 7, 0x00E1, 0, SettingE1, fcValue, fdBoth, esCommon),
    RK36_SCALAR(0x00E2, 7, 0x00E2, 0, SettingE2, fcValue, fdBoth, esCommon),
    RK36_SCALAR(0x00E3, 7, 0x00E3, 0, SettingE3, fcValue, fdBoth, esCommon),
    RK36_SCALAR(0x00E4, 7, 0x00E4, 0, SettingE4, fcValue, fdBoth, esCommon),
    RK36_SCALAR(0x00E5, 7, 0x00E5, 0, SettingE5, fcValue, fdBoth, esCommon),
    RK36_SCALAR(0x00F4, 7, 0x00F7, 0, DefaultSplit, fcSigned, fdBoth, esLate),
    RK36_SCALAR(0x0101, 6, 0x0101, 6, TwoToneAutoReset, fcValue, fdBoth, esCommon),
    RK36_SCALAR(0x0101, 3, 0x0101, 2, TwoToneGroupCall, fcValue, fdBoth, esCommon),
    RK36_SCALAR(0x0101, 1, 0x0101, 0, TwoToneCallTimes, fcValue, fdBoth, esCommon),
    RK36_SCALAR(0x0176, 7, 0x0176, 7, TwoToneFormat, fcValue, fdBoth, esCommon),
    RK36_SCALAR(0x2F44, 7, 0x2F44, 0, MdcAniDelayTime, fcValue, fdBoth, esMdc),
    RK36_SCALAR(0x2F45, 7, 0x2F45, 7, MdcAniPress, fcValue, fdBoth, esMdc),
    RK36_SCALAR(0x2F45, 6, 0x2F45, 6, MdcAniRelease, fcValue, fdBoth, esMdc),
    RK36_SCALAR(0x2F45, 5, 0x2F45, 5, MdcWaitTone, fcValue, fdBoth, esMdc),
    RK36_SCALAR(0x2F45, 4, 0x2F45, 4, MdcCourtesyTone, fcValue, fdBoth, esMdc),
    RK36_SCALAR(0x2F45, 3, 0x2F45, 3, MdcAniSubAudible, fcValue, fdBoth, esMdc),
    RK36_SCALAR(0x2F45, 2, 0x2F45, 0, MdcAniLockout, fcValue, fdBoth, esMdc),
    RK36_SCALAR(0x30F5, 7, 0x30F5, 0, SpecialCode1, fcValue, fdDecodeOnly, esCommon),
    RK36_SCALAR(0x30F6, 7, 0x30F6, 0, SpecialCode2, fcValue, fdDecodeOnly, esCommon),
    RK36_SCALAR(0x30F7, 7, 0x30F7, 0, SpecialCode3, fcValue, fdDecodeOnly, esCommon),
    RK36_SCALAR(0x30F8, 7, 0x30F8, 0, SpecialCode4, fcValue, fdDecodeOnly, esCommon),
    RK36_SCALAR(0x3218, 3, 0x3218, 0, BandPair, fcValue, fdBoth, esCommon),
    RK36_SCALAR(0x321A, 6, 0x321A, 3, OptionBoardType, fcValue, fdBoth, esCommon),
    RK36_SCALAR(0x321C, 7, 0x321C, 0, HwParam321C, fcValue, fdBoth, esCommon),
    RK36_SCALAR(0x321D, 7, 0x321D, 0, HwParam321D, fcValue, fdBoth, esCommon),
    RK36_SCALAR(0x321E, 3, 0x321E, 3, ControlHeadType, fcValue, fdBoth, esCommon),
    RK36_SCALAR(0x321E, 2, 0x321E, 2, OptionSelA, fcValue, fdBoth, esCommon),
    RK36_SCALAR(0x321E, 1, 0x321E, 1, OptionSelB, fcValue, fdBoth, esCommon),
    RK36_SCALAR(0x321E, 0, 0x321E, 0, OptionSelC, fcValue, fdBoth, esCommon),
    RK36_SCALAR(0x321F, 6, 0x321F, 6, NoiseBlanker, fcValue, fdBoth, esCommon),
    RK36_SCALAR(0x3221, 5, 0x3221, 5, LightingOff, fcValue, fdBoth, esCommon),
    RK36_SCALAR(0x3221, 4, 0x3221, 4, LockFunction, fcValue, fdBoth, esCommon),
    RK36_SCALAR(0x3221, 3, 0x3221, 3, ScanListType, fcValue, fdBoth, esCommon),
    RK36_SCALAR(0x3221, 2, 0x3221, 2, KeyBeep, fcValue, fdBoth, esCommon),
    RK36_SCALAR(0x3222, 3, 0x3222, 0, HwParam3222, fcValue, fdBoth, esCommon),
    RK36_SCALAR(0x3264, 7, 0x3264, 0, HomeGroup, fcValue, fdBoth, esCommon),
    RK36_SCALAR(0x3265, 7, 0x3265, 0, HomeChannel, fcValue, fdBoth, esCommon),
    RK36_SCALAR(0x3578, 7, 0x3578, 0, VolKnobPosition, fcValue, fdBoth, esCommon),
    RK36_SCALAR(0x3820, 7, 0x3820, 0, ProgCentury, fcDigits, fdBoth, esDate),
    RK36_SCALAR(0x3821, 7, 0x3821, 0, ProgYear, fcDigits, fdBoth, esDate),
    RK36_SCALAR(0x3822, 7, 0x3822, 0, ProgMonth, fcDigits, fdBoth, esDate),
    RK36_SCALAR(0x3823, 7, 0x3823, 0, ProgDay, fcDigits, fdBoth, esDate),
    RK36_SCALAR(0x3824, 7, 0x3824, 0, ProgWeekday, fcDigits, fdBoth, esDate),
    RK36_SCALAR(0x3825, 7, 0x3825, 0, ProgHour, fcDigits, fdBoth, esDate),
    RK36_SCALAR(0x3826, 7, 0x3826, 0, ProgMinute, fcDigits, fdBoth, esDate),
    RK36_SCALAR(0x3827, 7, 0x3827, 0, ProgSecond, fcDigits, fdBoth, esDate),
    RK36_SCALAR(0x3860, 7, 0x3860, 4, Constant3860, fcValue, fdEncodeOnly, esCommon),
};

const TTextField kTextFields[] = {
    {{0x0380, 7, 0x0387, 0}, "PowerOnTag", fdBoth, esLate, &TRKmem::PowerOnTag},
    {{0x3830, 7, 0x383F, 0}, "ModelText", fdDecodeOnly, esCommon, &TRKmem::ModelText},
};

const TFlagListField kFlagListFields[] = {
    {{0x3224, 7, 0x3242, 0}, {0x3243, 1, 0x3243, 0}, "UserScanList", &TRKmem::UserScanList},
    {{0x0300, 7, 0x031E, 0}, {0x031F, 1, 0x031F, 0}, "DealerScanList", &TRKmem::DealerScanList},
    {{0x3244, 7, 0x3262, 0}, {0x3263, 1, 0x3263, 0}, "GroupModeFlagA", &TRKmem::GroupModeFlagA},
    {{0x3266, 7, 0x3284, 0}, {0x3285, 1, 0x3285, 0}, "GroupModeFlagB", &TRKmem::GroupModeFlagB},
};

using TCh = TRecordField<TChannel>;
const std::array<TCh, kChannelFieldCount> kChannelFields{{
    /* 0 */ {{0, 7, 0, 7}, fcZero, RK36_NONE(TChannel)},
    /* 1 */ {{0, 6, 0, 6}, fcZero, RK36_NONE(TChannel)},
    /* 2 */ {{0, 5, 0, 5}, fcValue, RK36_ACCESS(TChannel, TxInhibit)},
    /* 3 */ {{0, 4, 0, 4}, fcValue, RK36_ACCESS(TChannel, Encryption)},
    /* 4 */ {{0, 3, 0, 3}, fcValue, RK36_ACCESS(TChannel, Narrow)},
    /* 5 */ {{0, 2, 0, 2}, fcValue, RK36_ACCESS(TChannel, TxPowerLow)},
    /* 6 */ {{0, 1, 0, 0}, fcKept, RK36_NONE(TChannel)},
    /* 7 */ {{1, 7, 1, 7}, fcValue, RK36_ACCESS(TChannel, OptFlag)},
    /* 8 */ {{1, 6, 1, 6}, fcValue, RK36_ACCESS(TChannel, TxFlag)},
    /* 9 */ {{1, 5, 1, 5}, fcValue, RK36_ACCESS(TChannel, RxFlag)},
    /* 10 */ {{1, 4, 1, 4}, fcValue, RK36_ACCESS(TChannel, SelToneTable)},
    /* 11 */ {{1, 3, 1, 3}, fcSigned, RK36_ACCESS(TChannel, Arts)},
    /* 12 */ {{1, 2, 1, 2}, fcValue, RK36_ACCESS(TChannel, Tot)},
    /* 13 */ {{1, 1, 1, 0}, fcValue, RK36_ACCESS(TChannel, Lockout)},
    /* 14 */ {{2, 7, 2, 6}, fcValue, RK36_ACCESS(TChannel, RxSynthConfig)},
    /* 15 */ {{2, 5, 2, 4}, fcValue, RK36_ACCESS(TChannel, TxSynthConfig)},
    /* 16 */ {{2, 3, 2, 0}, fcTailElim, RK36_NONE(TChannel)},
    /* 17 */ {{3, 7, 3, 7}, fcValue, RK36_ACCESS(TChannel, Ani)},
    /* 18 */ {{3, 6, 3, 6}, fcValue, RK36_ACCESS(TChannel, EncToneOn)},
    /* 19 */ {{3, 5, 3, 5}, fcValue, RK36_ACCESS(TChannel, DecToneOn)},
    /* 20 */ {{3, 4, 3, 4}, fcValue, RK36_ACCESS(TChannel, SignallingOn)},
    /* 21 */ {{3, 3, 3, 0}, fcValue, RK36_ACCESS(TChannel, SignallingCode)},
    /* 22 */ {{4, 6, 4, 2}, fcKept, RK36_NONE(TChannel)},
    /* 23 */ {{4, 1, 4, 1}, fcValue, RK36_ACCESS(TChannel, EncIsCtcss)},
    /* 24 */ {{4, 0, 5, 0}, fcValue, RK36_ACCESS(TChannel, EncCode)},
    /* 25 */ {{6, 7, 6, 7}, fcKept, RK36_NONE(TChannel)},
    /* 26 */ {{6, 6, 6, 2}, fcKept, RK36_NONE(TChannel)},
    /* 27 */ {{6, 1, 6, 1}, fcValue, RK36_ACCESS(TChannel, DecIsCtcss)},
    /* 28 */ {{6, 0, 7, 0}, fcValue, RK36_ACCESS(TChannel, DecCode)},
    /* 29 */ {{8, 6, 8, 2}, fcKept, RK36_NONE(TChannel)},
    /* 30 */ {{8, 1, 8, 1}, fcKept, RK36_NONE(TChannel)},
    /* 31 */ {{8, 0, 9, 0}, fcValue, RK36_ACCESS(TChannel, DecPartnerCode)},
    /* 32 */ {{10, 7, 10, 4}, fcSigned, RK36_ACCESS(TChannel, RxPll.SynthFraction)},
    /* 33 */ {{10, 3, 11, 0}, fcSigned, RK36_ACCESS(TChannel, RxPll.SynthCount64)},
    /* 34 */ {{12, 7, 12, 4}, fcSigned, RK36_ACCESS(TChannel, RxPll.SynthCount72)},
    /* 35 */ {{12, 3, 12, 0}, fcSigned, RK36_ACCESS(TChannel, RxPll.SynthCount65)},
    /* 36 */ {{13, 7, 13, 7}, fcZero, RK36_NONE(TChannel)},
    /* 37 */ {{13, 6, 13, 0}, fcZero, RK36_NONE(TChannel)},
    /* 38 */ {{14, 7, 15, 0}, fcValue, RK36_ACCESS(TChannel, RxDivisionRatio)},
    /* 39 */ {{16, 7, 16, 4}, fcSigned, RK36_ACCESS(TChannel, TxPll.SynthFraction)},
    /* 40 */ {{16, 3, 17, 0}, fcSigned, RK36_ACCESS(TChannel, TxPll.SynthCount64)},
    /* 41 */ {{18, 7, 18, 4}, fcSigned, RK36_ACCESS(TChannel, TxPll.SynthCount72)},
    /* 42 */ {{18, 3, 18, 0}, fcSigned, RK36_ACCESS(TChannel, TxPll.SynthCount65)},
    /* 43 */ {{19, 7, 19, 7}, fcValue, RK36_ACCESS(TChannel, TxOffsetNegative)},
    /* 44 */ {{19, 6, 19, 0}, fcValue, RK36_ACCESS(TChannel, TxOffset)},
    /* 45 */ {{20, 7, 20, 7}, fcValue, RK36_ACCESS(TChannel, TxAdjNegative[0])},
    /* 46 */ {{20, 6, 20, 0}, fcValue, RK36_ACCESS(TChannel, TxAdj[0])},
    /* 47 */ {{21, 7, 21, 7}, fcValue, RK36_ACCESS(TChannel, TxAdjNegative[1])},
    /* 48 */ {{21, 6, 21, 0}, fcValue, RK36_ACCESS(TChannel, TxAdj[1])},
    /* 49 */ {{22, 7, 22, 7}, fcValue, RK36_ACCESS(TChannel, TxAdjNegative[2])},
    /* 50 */ {{22, 6, 22, 0}, fcValue, RK36_ACCESS(TChannel, TxAdj[2])},
    /* 51 */ {{23, 7, 23, 7}, fcValue, RK36_ACCESS(TChannel, TxAdjNegative[3])},
    /* 52 */ {{23, 6, 23, 0}, fcValue, RK36_ACCESS(TChannel, TxAdj[3])},
    /* 53 */ {{24, 7, 31, 0}, fcTag, RK36_NONE(TChannel)},
    /* 54 */ {{32, 6, 32, 0}, fcValue, RK36_ACCESS(TChannel, RxOffset)},
    /* 55 */ {{33, 4, 33, 4}, fcValue, RK36_ACCESS(TChannel, Compander)},
    /* 56 */ {{33, 3, 33, 3}, fcValue, RK36_ACCESS(TChannel, SqlNegative)},
    /* 57 */ {{33, 2, 33, 0}, fcValue, RK36_ACCESS(TChannel, SqlLevel)},
    /* 58 */ {{8, 7, 8, 7}, fcValue, RK36_ACCESS(TChannel, DecPartnerFlag)},
    /* 59 */ {{4, 7, 4, 7}, fcValue, RK36_ACCESS(TChannel, EncFlag)},
    /* 60 */ {{32, 7, 32, 7}, fcValue, RK36_ACCESS(TChannel, RxOffsetNegative)},
}};

const std::array<TRecordField<TCHCodeSW>, 2> kCodeSwitchFields{{
    {{0, 7, 0, 0}, fcValue, RK36_ACCESS(TCHCodeSW, Group)},
    {{1, 7, 1, 0}, fcValue, RK36_ACCESS(TCHCodeSW, Position)},
}};

// Bits 5..0 of the first byte belong to no field and keep their value.
const std::array<TRecordField<TSTBYRPData>, 5> kStandbyFields{{
    {{0, 7, 0, 6}, fcValue, RK36_ACCESS(TSTBYRPData, SynthConfig)},
    {{1, 7, 1, 4}, fcSigned, RK36_ACCESS(TSTBYRPData, SynthFraction)},
    {{1, 3, 2, 0}, fcSigned, RK36_ACCESS(TSTBYRPData, SynthCount64)},
    {{3, 7, 3, 4}, fcSigned, RK36_ACCESS(TSTBYRPData, SynthCount72)},
    {{3, 3, 3, 0}, fcSigned, RK36_ACCESS(TSTBYRPData, SynthCount65)},
}};

const std::array<TRecordField<TTonePair>, 2> kTwoToneFields{{
    {{0, 7, 0, 0}, fcValue, RK36_ACCESS(TTonePair, FirstTone)},
    {{1, 7, 1, 0}, fcValue, RK36_ACCESS(TTonePair, SecondTone)},
}};

// Bits 6..2 of bytes 0, 2 and 4 belong to no field and keep their value.
const std::array<TRecordField<TSTTable>, 9> kToneTableFields{{
    {{0, 7, 0, 7}, fcValue, RK36_ACCESS(TSTTable, EncFlag)},
    {{0, 1, 0, 1}, fcValue, RK36_ACCESS(TSTTable, EncIsCtcss)},
    {{0, 0, 1, 0}, fcValue, RK36_ACCESS(TSTTable, EncCode)},
    {{2, 7, 2, 7}, fcValue, RK36_ACCESS(TSTTable, DecFlag)},
    {{2, 1, 2, 1}, fcValue, RK36_ACCESS(TSTTable, DecIsCtcss)},
    {{2, 0, 3, 0}, fcValue, RK36_ACCESS(TSTTable, DecCode)},
    {{4, 7, 4, 7}, fcValue, RK36_ACCESS(TSTTable, ThirdFlag)},
    {{4, 1, 4, 1}, fcValue, RK36_ACCESS(TSTTable, ThirdIsCtcss)},
    {{4, 0, 5, 0}, fcValue, RK36_ACCESS(TSTTable, ThirdCode)},
}};

} // namespace

std::span<const TScalarField> ScalarFields() {
    return kScalarFields;
}
std::span<const TTextField> TextFields() {
    return kTextFields;
}
std::span<const TFlagListField> FlagListFields() {
    return kFlagListFields;
}
const std::array<TRecordField<TChannel>, kChannelFieldCount>& ChannelFields() {
    return kChannelFields;
}
const std::array<TRecordField<TCHCodeSW>, 2>& CodeSwitchFields() {
    return kCodeSwitchFields;
}
const std::array<TRecordField<TSTBYRPData>, 5>& StandbyFields() {
    return kStandbyFields;
}
const std::array<TRecordField<TTonePair>, 2>& TwoToneFields() {
    return kTwoToneFields;
}
const std::array<TRecordField<TSTTable>, 9>& ToneTableFields() {
    return kToneTableFields;
}
