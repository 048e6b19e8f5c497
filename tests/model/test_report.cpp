// The printed report's layout: texts, places and pages, checked as the
// plain text every renderer shares.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "image/dc_DataFile.h"
#include "model/dc_MessageBox.h"
#include "model/dc_ReportLayout.h"
#include "model/dc_Rules.h"

namespace {

using TPageLines = std::vector<std::string>;

std::vector<TPageLines> Pages(const TRKmem& m, int32_t fileFormat = 0) {
    const std::string text = ReportText(BuildReport(m, "/some/folder/fleet.K36", fileFormat));
    std::vector<TPageLines> pages(1);
    std::string line;
    for (char c : text) {
        if (c == '\f') {
            pages.emplace_back();
        } else if (c == '\n') {
            pages.back().push_back(line);
            line.clear();
        } else {
            line += c;
        }
    }
    return pages;
}

std::string At(const std::vector<TPageLines>& pages, size_t page, size_t line) {
    if (page >= pages.size() || line >= pages[page].size()) return "<none>";
    return pages[page][line];
}

TRKmem DefaultFile() {
    TRKmem m;
    TMap36 image;
    TScopedMessages messages;
    EXPECT_TRUE(LoadDataFile(RK36_BINARY_DIR "/src/default.K36", m, image));
    return m;
}

// Only group 0 in use, with `size` channels.
TRKmem OneGroup(int32_t size) {
    TRKmem m = DefaultFile();
    for (int32_t g = 0; g < kGroupCount; ++g)
        m.GroupAreas.Set(g, 0);
    m.GroupAreas.Set(0, static_cast<uint32_t>(size));
    return m;
}

TEST(ReportLayout, DefaultFileSettingsPage) {
    const auto pages = Pages(DefaultFile());
    ASSERT_EQ(pages.size(), 3u);
    EXPECT_EQ(At(pages, 0, 1),
              "               ***** Tolvar  TR-2100/2200/2300 Series  Mobile Transceiver *****");
    EXPECT_EQ(At(pages, 0, 4), "       File Name:  fleet.K36");
    EXPECT_EQ(At(pages, 0, 9), "         Band:                 VHF A");
    EXPECT_EQ(At(pages, 0, 34), "         [PF1]short Key:       Emergency");
    EXPECT_EQ(At(pages, 0, 39), "         [PF3]long  Key:       SCAN");
    EXPECT_EQ(At(pages, 0, 41), "         [PF4]long  Key:       Follow-Me SCAN");
    EXPECT_EQ(At(pages, 0, 46), "          Up/Down   Key:       Group Up / Down");
}

TEST(ReportLayout, SixtyChannelsSpanTwoPagesWithTheHeaderRepeated) {
    TRKmem m = OneGroup(60);
    m.GroupNames.Get(0).Text = "DEPOT";
    const auto pages = Pages(m);
    ASSERT_EQ(pages.size(), 4u);
    EXPECT_EQ(At(pages, 1, 0), "      Group name : DEPOT");
    for (size_t line = 0; line < 8; ++line)
        EXPECT_EQ(At(pages, 2, line), At(pages, 1, line)) << line;
    EXPECT_EQ(At(pages, 1, 6), "      Chn i T N   TAG      Receive    Transmit    Type   Code   Type   Code  "
                               "Po C T SQ I P r kt e T");
    EXPECT_EQ(At(pages, 1, 7), "      " + std::string(93, '='));
    EXPECT_EQ(At(pages, 1, 61).substr(6, 3), "054");
    EXPECT_EQ(At(pages, 2, 8).substr(6, 3), "055");
    EXPECT_EQ(pages[2].size(), 14u); // rows 55..60 on lines 8..13
}

TEST(ReportLayout, EmptyGroupsPrintNoPageAndNumbersRunOn) {
    TRKmem m = OneGroup(2);
    m.GroupAreas.Set(2, 3);
    const auto pages = Pages(m);
    ASSERT_EQ(pages.size(), 4u);
    EXPECT_EQ(At(pages, 2, 8).substr(6, 3), "003");
    EXPECT_EQ(At(pages, 3, 0), "       ANI Parameters");
}

TEST(ReportLayout, ChannelRowTexts) {
    TRKmem m = OneGroup(3);
    m.GroupChannels.Set(0, 1);
    TChannel& ch = m.Channels.Get(0);
    ch.Blank = 0;
    ch.Narrow = 0;
    for (int i = 0; i < 3; ++i)
        ch.Tags.Get(i).Text = std::string(1, "DEP"[i]);
    ch.RxFreq.SetFromFloat(150.0125);
    ch.TxFreq.SetFromFloat(155.5);
    ch.DecToneOn = 1, ch.DecIsCtcss = 0, ch.DecCode = 19;
    ch.EncToneOn = 1, ch.EncIsCtcss = 1, ch.EncCode = 0;
    ch.TxPowerLow = 0, ch.Tot = 0, ch.SqlNegative = 1, ch.SqlLevel = 3;
    ch.Ani = 0, ch.Compander = 1, ch.Encryption = 0, ch.Lockout = 2, ch.SelToneTable = 0;
    m.SetUserScan(0, 0);
    m.SetDealerScan(0, 1);
    m.Channels.Get(1).SqlNegative = 0;
    m.Channels.Get(1).SqlLevel = 2;
    m.Channels.Get(2).EncToneOn = 0;
    const auto pages = Pages(m);
    EXPECT_EQ(At(pages, 1, 8), "     *001 - - W DEP        150.012500 155.500000  DCS    23     CTCSS  67.0  "
                               " H U - -3 - v - BT - 1");
    const std::string second = At(pages, 1, 9);
    EXPECT_EQ(second.substr(5, 6), " 002 P");
    EXPECT_NE(second.find(" +2 "), std::string::npos) << second;
    EXPECT_NE(At(pages, 1, 10).find("  -----  -----  "), std::string::npos) << At(pages, 1, 10);
}

TEST(ReportLayout, SelectableToneTables) {
    TRKmem m = DefaultFile();
    TSTTable& t = m.ToneTable1.Get(0);
    t = TSTTable{1, 0, 19, 0, 1, 0, 0, 0, 0, 0, "ABCD"};
    m.ToneTable2.Get(7) = TSTTable{0, 0, 0x1FF, 0, 0, 8, 0, 0, 0, 0, ""};
    const auto pages = Pages(m);
    const size_t last = pages.size() - 1;
    EXPECT_EQ(At(pages, last, 11), "                    USE  TAG   Enc Type Dec Type Encode    Decode");
    EXPECT_EQ(At(pages, last, 12), "         Piar 1 :   Yes  ABCD   DCS      CTCSS     023       67.0 ");
    EXPECT_EQ(At(pages, last, 30), "         Piar 8 :    No         DCS      DCS       777       010  ");
}

TEST(ReportLayout, MdcSectionOnlyInFleetFormatWithAnMdcBoard) {
    TRKmem m = DefaultFile();
    SelectOptionBoard(m, "MDC1200(ANI)");
    m.AniOnOption = 1;
    m.MdcAniDelayTime = 3;
    m.SetMdcPttId(0, "9999");
    m.SetMdcMessageId(0, "");
    const auto original = Pages(m, 0);
    const auto fleet = Pages(m, 1);
    EXPECT_EQ(original.back().size(), 31u);
    EXPECT_EQ(At(original, 1, 3).back(), 'P');
    EXPECT_EQ(At(fleet, 1, 3).back(), ' ');
    EXPECT_EQ(At(fleet, 1, 4).back(), 'M');
    EXPECT_EQ(At(fleet, fleet.size() - 1, 2), "         ANI Type:        MDC1200");
    EXPECT_EQ(At(fleet, fleet.size() - 1, 32), "       MDC1200");
    EXPECT_EQ(At(fleet, fleet.size() - 1, 34), "         ANI Delay Time:       60 msec");
    EXPECT_EQ(At(fleet, fleet.size() - 1, 53), "         Emergency :     9999             ");
}

TEST(ReportLayout, ValuesOutsideTheirTablesPrintTheirNumber) {
    TRKmem m = OneGroup(1);
    m.DualWatchTimer = 15;
    m.RevertChannel = 7;
    m.TxTimeoutTimer = 99;
    m.KeyPf1Short = 0x07;
    m.KeyPf1Long = 0x2C;
    SelectOptionBoard(m, "MDC1200(ANI)");
    m.AniOnOption = 1;
    m.MdcAniLockout = 12;
    m.MdcAniPress = 3;
    TChannel& ch = m.Channels.Get(0);
    ch.DecToneOn = 1, ch.DecIsCtcss = 1, ch.DecCode = 511;
    ch.Lockout = 3;
    m.ToneTable1.Get(0) = TSTTable{1, 1, 47, 0, 1, 300, 0, 0, 0, 0, ""};
    const auto pages = Pages(m, 1);
    ASSERT_EQ(pages.size(), 3u);
    EXPECT_EQ(At(pages, 0, 27), "         Dual Watch Time:      15");
    EXPECT_EQ(At(pages, 0, 31), "         Revert Channel:       7");
    EXPECT_EQ(At(pages, 0, 21), "         Tx Timeout Timer:     99");
    EXPECT_EQ(At(pages, 0, 34), "         [PF1]short Key:       None");
    EXPECT_EQ(At(pages, 0, 35), "         [PF1]long  Key:       None");
    EXPECT_NE(At(pages, 1, 8).find("CTCSS  511"), std::string::npos) << At(pages, 1, 8);
    EXPECT_NE(At(pages, 1, 8).find(" 3 "), std::string::npos) << At(pages, 1, 8);
    EXPECT_NE(At(pages, 2, 12).find("47        300"), std::string::npos) << At(pages, 2, 12);
    EXPECT_EQ(At(pages, 2, 35), "         ANI Lockout Period:   12");
    EXPECT_EQ(At(pages, 2, 36), "         ANI Press:            3");
}

TEST(ReportLayout, PagesAsManyAsTheGroupsNeed) {
    TRKmem m = DefaultFile();
    for (int32_t g = 0; g < kGroupCount; ++g)
        m.GroupAreas.Set(g, 1);
    auto pages = Pages(m);
    EXPECT_EQ(pages.size(), 252u);
    EXPECT_EQ(At(pages, 250, 8).substr(6, 3), "250");

    // Sizes past the channel table stop at its last channel.
    m = OneGroup(200);
    m.GroupAreas.Set(1, 100);
    m.GroupAreas.Set(2, 5);
    pages = Pages(m);
    ASSERT_EQ(pages.size(), 7u); // settings, 4 pages of 200, 1 of 50, last
    EXPECT_EQ(pages[5].size(), 58u);
    EXPECT_EQ(At(pages, 5, 57).substr(6, 3), "250");

    m = OneGroup(0);
    EXPECT_EQ(Pages(m).size(), 2u);
}

TEST(ReportLayout, UhfFBandLineForEveryProduct) {
    for (const char* product : {"TR-2100", "TR-2200", "TR-2300"})
        for (int32_t code : {5, 6}) {
            TRKmem m = DefaultFile();
            m.ProductType = product;
            m.LvhfBand = 0, m.VhfBand = 0, m.UhfBand = 1, m.BandCode = code;
            EXPECT_EQ(At(Pages(m), 0, 9), "         Band:                 UHF F") << product << " " << code;
        }
}

} // namespace
