#include "dialogs/dc_MiscRules.h"

#include "model/dc_Groups.h"
#include "model/dc_RKmem.h"

int EncryptionTypeItem(std::string_view optionBoardName) {
    if (optionBoardName == "OB-31 (ENC/DTMF/PAGE)") return 1;
    if (optionBoardName == "OB-41 (Hi Level Encr)") return 2;
    return 0;
}

int32_t HiLevelEncryptionOf(int item) {
    return item == 2 ? 1 : 0;
}

int CtcssTailItem(const TRKmem& m) {
    if (m.CtcssTailElim == 0) return 0;
    return m.CtcssTailElim180 == 0 ? 1 : 2;
}

void WriteCtcssTail(TRKmem& m, int item) {
    if (item < 0 || item > 2) return;
    m.CtcssTailElim = item == 0 ? 0 : 1;
    // "Disabled" leaves the 180 flag as it is: the radio ignores it then.
    if (item > 0) m.CtcssTailElim180 = item == 2 ? 1 : 0;
}

const char* PowerOnWarning(const TRKmem& m, int condition) {
    if (condition == kPowerOnGroup1 && GroupSize(m, 0) == 0) return "'Group1' is not allocated.";
    // A home group number past the groups (255 = none) has no channels either.
    if (condition == kPowerOnHome && GroupSize(m, m.HomeGroup) == 0)
        return "'Home Channel' is not allocated.";
    return nullptr;
}

int SqcChannelItem(const TRKmem& m) {
    return m.PositionLedChannelOff == 0 && m.PositionLedOn != 0 ? 1 : 0;
}

int SqcAfVrItem(const TRKmem& m) {
    if (m.PositionLedOn == 0 || m.PositionLedAfVrOff != 0) return 0;
    return m.PositionLedAfVrLevel >= 0 && m.PositionLedAfVrLevel <= 10 ? m.PositionLedAfVrLevel + 1 : -1;
}

void WriteSqc(TRKmem& m, std::optional<int> channelItem, std::optional<int> afVrItem) {
    if (channelItem) m.PositionLedChannelOff = *channelItem == 1 ? 0 : 1;
    if (afVrItem && *afVrItem >= 0 && *afVrItem <= 11) {
        m.PositionLedAfVrOff = *afVrItem == 0 ? 1 : 0;
        if (*afVrItem > 0) m.PositionLedAfVrLevel = *afVrItem - 1;
    }
    m.PositionLedOn = m.PositionLedChannelOff == 1 && m.PositionLedAfVrOff == 1 ? 0 : 1;
}
