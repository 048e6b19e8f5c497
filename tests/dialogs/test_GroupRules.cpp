// The channel allocation rules on their own: captions, clamped counts, the
// scan box and OK over a live and a scratch model.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "dialogs/dc_GroupRules.h"
#include "model/dc_MessageBox.h"
#include "model/dc_Rules.h"

namespace {

// A new configuration with every channel out of both scan lists.
TRKmem Unscanned() {
    TRKmem m;
    m.SetNewConfiguration();
    m.UserScanList.fill(1);
    m.DealerScanList.fill(1);
    return m;
}

TEST(GroupRules, RowCaptionsMarkTheLastDigitThenALetter) {
    const struct {
        int32_t Row, Group;
        const char* Caption;
    } cases[] = {{1, 1, "Grp &1"},     {9, 9, "Grp &9"},       {1, 26, "Grp 2&6"},
                 {9, 234, "Grp 23&4"}, {10, 10, "Grp 10(&A)"}, {25, 250, "Grp 250(&P)"}};
    for (const auto& c : cases)
        EXPECT_EQ(GroupRowCaption(c.Row, c.Group), c.Caption) << c.Row << "/" << c.Group;
}

TEST(GroupRules, ClampedCountKeepsTheBudgetLast) {
    const struct {
        const char* Name;
        const char* Text;
        int32_t Total, Before;
        bool FirstRow;
        int32_t Count;
    } cases[] = {
        {"typed value", " 12 ", 100, 3, false, 12},
        {"not a whole number is 0", "1.5", 100, 3, false, 0},
        {"at most 250", "999", 0, 0, false, 250},
        {"raising with 250 allocated keeps the count", "10", 250, 5, false, 5},
        {"raising takes only what is free", "60", 200, 10, false, 60},
        {"raising past what is free", "99", 200, 10, false, 60},
        {"the only group with channels keeps one", "0", 7, 7, false, 1},
        {"first row of a page: 0 gives 1", "000", 100, 0, true, 1},
        {"first row with 250 allocated stays 0", "000", 250, 0, true, 0},
        {"other rows may be 0", "0", 100, 4, false, 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ClampGroupCount(c.Text, c.Total, c.Before, c.FirstRow), c.Count) << c.Name;
}

TEST(GroupRules, ScanBoxByScanListAndBoard) {
    using Items = std::vector<std::string>;
    const struct {
        const char* Name;
        bool Scanned, Trunk;
        int32_t Choice; // the group's flags as an item index
        Items Shown;
        int32_t Selected;
        bool Enabled;
    } cases[] = {
        {"not scanned, no board", false, false, 1, {"Disable"}, 0, false},
        {"not scanned, trunking, T-TR", false, true, 2, {"Disable", "T-TR"}, 1, true},
        {"not scanned, trunking, SCAN", false, true, 1, {"Disable", "T-TR"}, 0, true},
        {"scanned, no board, Disable", true, false, 0, {"Disable", "SCAN"}, 0, true},
        {"scanned, no board, T-TR shows SCAN", true, false, 2, {"Disable", "SCAN"}, 1, true},
        {"scanned, trunking", true, true, 3, {"Disable", "SCAN", "T-TR", "SCAN TTR"}, 3, true},
    };
    for (const auto& c : cases) {
        TRKmem m = Unscanned();
        if (c.Trunk) SelectOptionBoard(m, "OB-81 (TR-TRUNK)");
        m.GroupAreas.Set(0, 2);
        m.GroupAreas.Set(1, 3);
        if (c.Scanned) m.SetDealerScan(4, 0); // the last channel of group 2
        ASSERT_TRUE(SetGroupScanChoice(m, 1, kGroupScanItems[static_cast<size_t>(c.Choice)].Text));
        const TGroupScanBox box = GroupScanBox(m, m, 1, HasTrunkBoard(m));
        EXPECT_EQ(box.Items, c.Shown) << c.Name;
        EXPECT_EQ(box.Selected, c.Selected) << c.Name;
        EXPECT_EQ(box.Enabled, c.Enabled) << c.Name;
    }
    // The channels looked at start at the live start and run for the edited count.
    TRKmem live = Unscanned();
    live.GroupAreas.Set(0, 2);
    live.GroupAreas.Set(1, 3);
    live.SetUserScan(4, 0);
    TRKmem work = live;
    work.GroupAreas.Set(1, 2);
    EXPECT_FALSE(GroupIsScanned(live, work, 1));
    EXPECT_FALSE(GroupScanBox(live, work, 1, false).Enabled);
    EXPECT_FALSE(SetGroupScanChoice(work, 1, "SCAN TRR"));
}

// A live model with group 1 (0-based) of 4 channels; the scratch shrinks it to 2.
struct TRefCase {
    const char* Name;
    std::function<void(TRKmem&)> Setup;
    std::vector<std::string> Questions; // in order
    std::vector<bool> Answers;          // Yes/Cancel
    bool Accepted;
    std::function<void(const TRKmem&)> Check;
};

TEST(GroupRules, ReferencesOutsideTheNewCountsAreAskedThenCleared) {
    const TRefCase cases[] = {
        {"home channel, Yes",
         [](TRKmem& m) { m.HomeGroup = 1, m.HomeChannel = 3; },
         {"'Home Channel' will be cleard."},
         {true},
         true,
         [](const TRKmem& m) {
             EXPECT_EQ(m.HomeGroup, 255);
             EXPECT_EQ(m.HomeChannel, 255);
         }},
        {"home channel inside is not asked",
         [](TRKmem& m) { m.HomeGroup = 1, m.HomeChannel = 1; },
         {},
         {},
         true,
         [](const TRKmem& m) { EXPECT_EQ(m.HomeChannel, 1); }},
        {"none and past the table refer to nothing",
         [](TRKmem& m) {
             m.HomeGroup = 255, m.HomeChannel = 3;
             m.PowerOnGroup = 252, m.PowerOnChannel = 0;
             m.PositionLedGroup = 1, m.PositionLedChannelNo = 255;
             m.DirectKey6Group = 250, m.DirectKey6Channel = 9;
             m.CodeSwitches[2] = {254, 1};
         },
         {},
         {},
         true,
         [](const TRKmem& m) {
             EXPECT_EQ(m.PowerOnGroup, 252);
             EXPECT_EQ(m.CodeSwitches[2].Group, 254);
         }},
        {"power-on then position LED, in that order",
         [](TRKmem& m) {
             m.PowerOnGroup = 1, m.PowerOnChannel = 2;
             m.PositionLedGroup = 1, m.PositionLedChannelNo = 2, m.PositionLedChannelOff = 0;
         },
         {"'Power On Group/Channel' will be cleard.", "'Position LED Channel' will be cleard."},
         {true, true},
         true,
         [](const TRKmem& m) {
             EXPECT_EQ(m.PowerOnChannel, 255);
             EXPECT_EQ(m.PositionLedGroup, 255);
             EXPECT_EQ(m.PositionLedChannelNo, 255);
             EXPECT_EQ(m.PositionLedChannelOff, 1);
         }},
        {"a later Cancel changes nothing, tags included",
         [](TRKmem& m) {
             m.PowerOnGroup = 1, m.PowerOnChannel = 2;
             m.DirectKey1Group = 1, m.DirectKey1Channel = 3;
         },
         {"'Power On Group/Channel' will be cleard.", "[CH1] function key will be cleard."},
         {true, false},
         false,
         [](const TRKmem& m) {
             EXPECT_EQ(m.PowerOnChannel, 2);
             EXPECT_EQ(m.GroupNames[0].Text, "GROUP001");
             EXPECT_EQ(m.GroupAreas.Get(1), 4u);
         }},
        {"direct keys: one question naming the last",
         [](TRKmem& m) {
             m.DirectKey1Group = 1, m.DirectKey1Channel = 1;
             m.DirectKey2Group = 1, m.DirectKey2Channel = 2;
             m.DirectKey5Group = 1, m.DirectKey5Channel = 3;
         },
         {"[CH5] function key will be cleard."},
         {true},
         true,
         [](const TRKmem& m) {
             EXPECT_EQ(m.DirectKey1Channel, 1);
             EXPECT_EQ(m.DirectKey2Group, 255);
             EXPECT_EQ(m.DirectKey2Channel, 255);
             EXPECT_EQ(m.DirectKey5Group, 255);
             EXPECT_EQ(m.DirectKey5Channel, 255);
         }},
        {"channel switch table: one question, entry 0 carried along",
         [](TRKmem& m) {
             m.CodeSwitches[0] = {1, 3};
             m.CodeSwitches[1] = {1, 1};
             m.CodeSwitches[4] = {1, 2};
             m.CodeSwitches[15] = {5, 0}; // a group without channels
         },
         {"'Channel switch Table' will be cleard."},
         {true},
         true,
         [](const TRKmem& m) {
             EXPECT_EQ(m.CodeSwitches[0].Position, 3);
             EXPECT_EQ(m.CodeSwitches[1].Position, 1);
             EXPECT_EQ(m.CodeSwitches[4].Group, 255);
             EXPECT_EQ(m.CodeSwitches[4].Position, 255);
             EXPECT_EQ(m.CodeSwitches[15].Group, 255);
         }},
    };
    for (const auto& c : cases) {
        TRKmem live;
        live.SetNewConfiguration();
        live.GroupAreas.Set(0, 2);
        live.GroupAreas.Set(1, 4);
        c.Setup(live);
        TRKmem work = live;
        work.GroupAreas.Set(1, 2);
        work.GroupNames[0].Text = "RENAMED";
        const TRKmem before = live;
        std::vector<std::string> asked;
        const TGroupOkResult r =
            ApplyGroupAllocation(live, work, TChannel(), [&](std::string_view format, std::string_view name) {
                asked.push_back(FormatS(format, {name}));
                return asked.size() <= c.Answers.size() && c.Answers[asked.size() - 1];
            });
        EXPECT_EQ(asked, c.Questions) << c.Name;
        EXPECT_EQ(r.Accepted, c.Accepted) << c.Name;
        if (!c.Accepted) {
            EXPECT_TRUE(live == before) << c.Name;
        }
        c.Check(live);
    }
}

TEST(GroupRules, LayoutKeepsChannelsFromTheFirstAndAddsTemplateChannels) {
    TRKmem live = Unscanned();
    SelectOptionBoard(live, "OB-41 (Hi Level Encr)");
    live.GroupAreas.Set(0, 2);
    live.GroupAreas.Set(1, 3);
    for (int32_t i = 0; i < 5; ++i) {
        live.Channels[i].Blank = 0;
        live.Channels[i].Encryption = 0;
        live.Channels[i].SqlLevel = i;
    }
    live.SetUserScan(3, 0); // group 2, position 1
    live.SetUserScan(4, 0); // group 2, position 2: dropped
    live.GroupChannels.Set(0, 1);
    live.GroupChannels.Set(1, 2);
    TRKmem work = live;
    work.GroupAreas.Set(0, 4); // grows by 2
    work.GroupAreas.Set(1, 2);
    TChannel templ;
    templ.SqlLevel = 5;
    const TGroupOkResult r = ApplyGroupAllocation(live, work, templ, [](auto, auto) { return true; });
    ASSERT_TRUE(r.Accepted);
    EXPECT_TRUE(r.Modified);
    const int32_t sql[] = {0, 1, 5, 5, 2, 3, 7};
    const char* tags[] = {"", "", "CHAN-003", "CHAN-004", "", "", ""};
    const int32_t blank[] = {0, 0, 1, 1, 0, 0, 1};
    for (int32_t i = 0; i < 7; ++i) {
        const TChannel& ch = live.Channels[i];
        EXPECT_EQ(ch.SqlLevel, sql[i]) << i;
        EXPECT_EQ(ch.Tags.Joined(), tags[i]) << i;
        EXPECT_EQ(ch.Blank, blank[i]) << i;
        EXPECT_EQ(ch.Encryption, 1) << i;
        EXPECT_EQ(live.GetUserScan(i), i == 5 ? 0 : 1) << i;
    }
    EXPECT_EQ(live.Channels[6].SqlNegative, 1) << "outside every group: cleared for the layout";
    EXPECT_EQ(live.GroupChannels.Get(0), 1u);
    EXPECT_EQ(live.GroupChannels.Get(1), 255u) << "position 2 is gone";
    EXPECT_EQ(live.GroupChannels.Get(2), 255u) << "no channels";
}

TEST(GroupRules, NothingChangedIsNoModification) {
    TRKmem live;
    live.SetNewConfiguration();
    live.GroupAreas.Set(1, 3);
    live.Channels[1].SqlLevel = 3; // not what the layout would make of it
    TRKmem work = live;
    bool asked = false;
    auto ask = [&](auto, auto) { return asked = true; };
    const TRKmem before = live;
    EXPECT_FALSE(ApplyGroupAllocation(live, work, TChannel(), ask).Modified);
    EXPECT_TRUE(live == before);
    work.GroupNames[3].Text = "NEW";
    SetGroupScanChoice(work, 7, "SCAN");
    const TGroupOkResult r = ApplyGroupAllocation(live, work, TChannel(), ask);
    EXPECT_TRUE(r.Modified);
    EXPECT_FALSE(asked);
    EXPECT_EQ(live.GroupNames[3].Text, "NEW");
    EXPECT_EQ(live.GetGroupModeA(7), 0);
    EXPECT_TRUE(live.Channels == before.Channels);
}

} // namespace
