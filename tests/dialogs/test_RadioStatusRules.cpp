// The option and marketing dialogs' rules on their own: what a new option
// unit does to the model, and the serial number's completion.
#include <gtest/gtest.h>

#include "dialogs/dc_RadioStatusRules.h"
#include "model/dc_Rules.h"

namespace {

TEST(RadioStatusRules, AnInstalledBoardNotOfferedShowsNo) {
    TRKmem m;
    SelectOptionBoard(m, kBoardMdc);
    EXPECT_EQ(OptionUnitShown(m, OptionUnitItems(0, false)), kBoardMdc);
    EXPECT_EQ(OptionUnitShown(m, OptionUnitItems(1, true)), kBoardNone);
}

TEST(RadioStatusRules, ANewOptionUnitSetsAniAndResetsWhatDependsOnTheBoard) {
    const struct {
        const char* Name;
        int Format;
        const char* OnOpen;
        int32_t AniOnOpen;
        const char* Unit;
        int32_t Ani;
        bool Reset;      // signalling and 2-tone cleared
        int32_t Encrypt; // every channel's Encryption
    } cases[] = {
        {"fleet ANI board", 1, kBoardNone, 0, kBoardAni, 1, true, 0},
        {"fleet 2-tone", 1, kBoardNone, 1, kBoard2Tone, 0, true, 0},
        {"fleet MDC stays on", 1, kBoardNone, 1, kBoardTrunk, 1, false, 0},
        {"fleet MDC stays on, encryption", 1, kBoardTrunk, 1, kBoardHiEncr, 1, false, 1},
        {"fleet away from the ANI board", 1, kBoardAni, 1, kBoardTrunk, 0, true, 0},
        {"fleet ANI stays off", 1, kBoardNone, 0, kBoardTrunk, 0, true, 0},
        {"original MDC board", 0, kBoardNone, 0, kBoardMdc, 1, true, 0},
        {"original other", 0, kBoardMdc, 1, kBoardHiEncr, 0, true, 1},
    };
    for (const auto& c : cases) {
        TRKmem onOpen;
        SelectOptionBoard(onOpen, c.OnOpen);
        onOpen.AniOnOption = c.AniOnOpen;
        onOpen.Channels[3].SignallingOn = 1;
        onOpen.Channels[3].SignallingCode = 7;
        onOpen.Channels[4].Encryption = 1;
        onOpen.Tones[1].FirstTone = 2;
        TRKmem m;
        m.Assign(onOpen);
        ApplyOptionUnit(m, onOpen, c.Unit, c.Format);
        EXPECT_EQ(OptionBoardName(m), c.Unit) << c.Name;
        EXPECT_EQ(m.AniOnOption, c.Ani) << c.Name;
        EXPECT_EQ(m.Channels[3].SignallingCode, c.Reset ? 0 : 7) << c.Name;
        EXPECT_EQ(m.Tones[1].FirstTone, c.Reset ? 255 : 2) << c.Name;
        for (int i : {0, 4})
            EXPECT_EQ(m.Channels[i].Encryption, c.Encrypt) << c.Name << " channel " << i;
    }
}

TEST(RadioStatusRules, SerialNumberOnLeavingAndOnOk) {
    EXPECT_EQ(SerialLeaveText("", false), "0B000000 ");
    EXPECT_EQ(SerialLeaveText(" 5 ", false), "5        ");
    EXPECT_EQ(SerialLeaveText("ABCDEFGHIJKL", true), "ABCDEFGHIJKL") << "never cut";
    const struct {
        const char* Text;
        bool Special;
        const char* Stored;
    } cases[] = {
        {"", false, "0C000000"},
        {"0B000000 ", false, "0C000000"},
        {"5        ", false, "5C000000"},
        {" 1D23 ", false, "1D230000"},
        {"--------", false, "--------"},
        {"2E1234567", false, "2E1234567"},
        {"0B000000  ", true, ""},
        {"ABCDEFGHIJKL", true, "ABCDEFGHIJKL"},
        {"x", true, "x"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(SerialOnOk(c.Text, c.Special), c.Stored) << "'" << c.Text << "'";
}

} // namespace
