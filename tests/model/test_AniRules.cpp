// What another ANI type does to the board, the channels and the MDC1200
// block (the main-window tests show the 2-tone file going to MDC1200).

#include <gtest/gtest.h>

#include "model/dc_AniRules.h"
#include "model/dc_Rules.h"

namespace {

TEST(AniRules, AnotherTypeDecidesBoardFlagsAndDefaults) {
    const struct {
        const char* Name;
        int32_t Format;
        const char *Board, *Shown, *Chosen, *NewBoard;
        int32_t AniOnOption;
        bool AniCleared, MdcDefaults;
    } rows[] = {
        {"MDC board stays for MDC1200", 1, "MDC1200(ANI)", "DTMF", "MDC1200", "MDC1200(ANI)", 1, true, true},
        {"Fleet option ANI", 1, "No", "DTMF", "Option ANI", "OB-71(ANI)", 1, false, false},
        {"original option ANI", 0, "OB-21 (2-TONE)", "DTMF", "Option ANI", "MDC1200(ANI)", 1, false, false},
        {"MDC1200 back to DTMF", 1, "MDC1200(ANI)", "MDC1200", "DTMF", "No", 0, true, false},
        {"OB-71 back to DTMF", 1, "OB-71(ANI)", "Option ANI", "DTMF", "No", 0, false, false},
        {"encryption board kept", 0, "OB-41 (Hi Level Encr)", "Option ANI", "DTMF", "OB-41 (Hi Level Encr)",
         0, false, false},
    };
    for (const auto& r : rows) {
        TRKmem m;
        m.SetNewConfiguration();
        SelectOptionBoard(m, r.Board);
        for (auto& ch : m.Channels.Items)
            ch.Ani = ch.SignallingOn = 1;
        m.Tones[3] = {7, 9};
        m.MdcAniLockout = 4;
        m.MdcMessageIds[0] = "8123";
        ASSERT_TRUE(ChangeAniType(m, r.Format, r.Shown, r.Chosen)) << r.Name;
        EXPECT_EQ(OptionBoardName(m), r.NewBoard) << r.Name;
        EXPECT_EQ(m.AniOnOption, r.AniOnOption) << r.Name;
        EXPECT_EQ(m.Channels[7].Ani, r.AniCleared ? 0 : 1) << r.Name;
        EXPECT_EQ(m.Channels[7].SignallingOn, 0) << r.Name;
        EXPECT_EQ(m.Channels[7].Encryption, std::string(r.NewBoard) == "OB-41 (Hi Level Encr)" ? 1 : 0)
            << r.Name;
        EXPECT_EQ(m.Tones[3].FirstTone, 255) << r.Name;
        EXPECT_EQ(m.MdcAniLockout, r.MdcDefaults ? 0 : 4) << r.Name;
        EXPECT_EQ(m.MdcMessageIds[0], r.MdcDefaults ? "8000" : "8123") << r.Name;
    }
}

} // namespace
