#include <gtest/gtest.h>

#include <set>

#include "model/dc_RKmem.h"

TEST(Tables, NewChannelIsBlankNarrowLowPowerWithoutTones) {
    const TChannel c;
    EXPECT_EQ(c.Blank, 1);
    EXPECT_EQ(c.Narrow, 1);
    EXPECT_EQ(c.TxPowerLow, 1);
    EXPECT_EQ(c.Compander, 2);
    EXPECT_EQ(c.RxFreq, TDecimal(1, 33, 35, 2));
    EXPECT_EQ(c.TxFreq.ToFloat(), 33.35);
    EXPECT_EQ(c.DecCode, 511);
    EXPECT_EQ(c.EncCode, 511);
    EXPECT_EQ(c.Tags.Joined(), "");
    EXPECT_EQ(c.RxPll, (TPllWord{0, 20, 6, 2}));
    EXPECT_EQ(c.TxPll, (TPllWord{0, 6, 5, 6}));
    EXPECT_EQ(c.RxDivisionRatio, 10210);

    TChannel edited;
    edited.Tags[3].Text = "X";
    edited.RxFreq = TDecimal(1, 156, 125, 4);
    edited.TxAdj[2] = 9;
    edited.Reset();
    EXPECT_TRUE(edited.Equals(c));
}

TEST(Tables, EqualsSeesASingleDifferingElement) {
    TChannel a, b;
    b.Tags[7].Text = "Z";
    EXPECT_FALSE(a.Equals(b));
    b = a;
    b.RxFreq = TDecimal(1, 33, 350, 3); // same number, other digits
    EXPECT_FALSE(a.Equals(b));
    b = a;
    b.TxPll.SynthCount65 = 7;
    EXPECT_FALSE(a.Equals(b));

    TSTBYRPDatas s1, s2;
    s2[15].SynthFraction = 1;
    EXPECT_FALSE(s1.Equals(s2));
    s2[15].SynthFraction = 0;
    EXPECT_TRUE(s1.Equals(s2));

    TGAreaTbls g1, g2;
    g2.Set(249, 1);
    EXPECT_FALSE(g1.Equals(g2));

    TPagings p1, p2;
    p2[9].Digit3 = "#";
    EXPECT_FALSE(p1.Equals(p2));
}

TEST(Tables, ValueTextLists) {
    EXPECT_EQ(ListIndex(1, "N"), 1);
    EXPECT_EQ(ListIndex(1, "X"), 0);
    EXPECT_EQ(ListText(22, 3), "");
    EXPECT_EQ(ListText(22, 1), "Installed");
    EXPECT_EQ(ListText(20, 3), "RX/TX Enable");
    EXPECT_EQ(ListText(3, 2), "CTCSS");
    EXPECT_EQ(ListText(24, 0), "");
    EXPECT_EQ(ListText(-1, 0), "");
    EXPECT_EQ(ListText(0, -1), "");
    EXPECT_EQ(ListText(19, 0), "Noize");
    // Only the first `count` entries are searched: list 3 has three.
    EXPECT_EQ(ListIndex(3, "CTCSS"), 2);
    EXPECT_EQ(ListIndex(99, "on"), 0);
    // Every text of every list maps back to the first index that shows it.
    for (int list = 0; list < kValueListCount; ++list)
        for (int v = 0; v < 5; ++v) {
            const auto text = ListText(list, v);
            if (text.empty()) continue;
            EXPECT_EQ(ListText(list, ListIndex(list, text)), text);
        }
}

TEST(Tables, ChannelColumnsMatchTheGridLayout) {
    int total = 0;
    for (const auto& c : ChannelColumns)
        total += c.Width;
    EXPECT_EQ(total, 40 * 20 + 120 + 90 * 2 + 60 * 4 + 50);
    EXPECT_STREQ(ChannelColumns[11].Caption1, "Tx");
    EXPECT_STREQ(ChannelColumns[11].Caption2, "Po");
    EXPECT_EQ(ChannelColumns[4].Kind, ckTagEditor);
    EXPECT_EQ(ChannelColumns[4].Param, 8);
    EXPECT_EQ(ChannelColumns[5].Kind, ckFreqEditor);
    EXPECT_EQ(ChannelColumns[22].Param, 27);
    // Value-list columns name existing lists.
    for (const auto& c : ChannelColumns)
        if (c.Kind == ckValueList) {
            EXPECT_FALSE(ListText(c.Param, 0).empty()) << c.Caption1;
        }
}

namespace {
TRKmem PopulatedModel() {
    TRKmem m;
    m.SetNewConfiguration();
    int n = 1;
    m.VisitScalars([&](std::string_view, auto& v) {
        if constexpr (std::is_same_v<std::decay_t<decltype(v)>, std::string>)
            v = "T" + std::to_string(n++);
        else
            v = n++;
    });
    for (int c = 0; c < kChannelCount; ++c) {
        m.Channels[c].RxFreq = TDecimal(1, 150 + c % 20, c, 3);
        m.Channels[c].Tags[c % 8].Text = "A";
        m.Channels[c].Blank = c % 2;
    }
    m.OffsetTables4[2] = {151.5, -3};
    m.UserScanList[100] = 1;
    return m;
}
} // namespace

TEST(Model, AssignIsADeepCopy) {
    TRKmem source = PopulatedModel();
    TRKmem copy;
    copy.Assign(source);
    EXPECT_TRUE(copy.Equals(source));

    source.Channels[17].Tags[2].Text = "Q";
    source.Channels[249].RxFreq.FracValue++;
    source.GroupNames[0].Text = "CHANGED";
    source.ToneTable2[7].Tag = "zz";
    source.MdcMessageIds[10] = "0000";
    source.OffsetTables4[2].Value = 99;
    EXPECT_NE(copy.Channels[17].Tags[2].Text, "Q");
    EXPECT_NE(copy.Channels[249].RxFreq, source.Channels[249].RxFreq);
    EXPECT_NE(copy.GroupNames[0].Text, "CHANGED");
    EXPECT_NE(copy.ToneTable2[7].Tag, "zz");
    EXPECT_EQ(copy.MdcMessageIds[10], "8001");
    EXPECT_EQ(copy.OffsetTables4[2].Value, -3);
    EXPECT_FALSE(copy.Equals(source));
}

TEST(Model, EveryScalarTakesPartInTheComparison) {
    const TRKmem base = PopulatedModel();
    std::set<std::string> names;
    int index = 0, count = 0;
    TRKmem probe = base;
    probe.VisitScalars([&](std::string_view name, auto&) {
        names.insert(std::string(name));
        ++count;
    });
    EXPECT_EQ(static_cast<size_t>(count), names.size()) << "a field name is visited twice";
    EXPECT_TRUE(names.count("RefDivider[1]"));
    EXPECT_TRUE(names.count("SynthParam[0]"));
    EXPECT_TRUE(names.count("MdcAniSubAudible"));
    EXPECT_FALSE(names.count("Channels"));

    for (int target = 0; target < count; ++target) {
        TRKmem m = base;
        index = 0;
        m.VisitScalars([&](std::string_view, auto& v) {
            if (index++ != target) return;
            if constexpr (std::is_same_v<std::decay_t<decltype(v)>, std::string>)
                v += "x";
            else
                v += 1;
        });
        ASSERT_FALSE(m.Equals(base)) << "field " << target;
    }
}

TEST(Model, GroupModeListsCompareEveryEntry) {
    TRKmem a, b;
    EXPECT_TRUE(a.GroupModeAEquals(b));
    b.SetGroupModeA(249, 1);
    EXPECT_FALSE(a.GroupModeAEquals(b));
    EXPECT_TRUE(a.GroupModeBEquals(b));
    a.CopyGroupModeA(b);
    EXPECT_TRUE(a.GroupModeAEquals(b));
    EXPECT_EQ(a.GetGroupModeA(249), 1);
}

TEST(Model, NewConfigurationDefaults) {
    TRKmem m;
    m.Channels[5].Blank = 0;
    m.HornAlertTime = 42; // not named by the defaults: kept
    m.CodeSwitches[0].Group = 3;
    m.ToneTable1[0].ThirdCode = 77;
    m.SetNewConfiguration();

    EXPECT_EQ(m.ProductType, "TR-2300");
    EXPECT_EQ(m.SerialNumber, "0FFFFFFFF");
    EXPECT_EQ(m.PowerOnTag, "SELFTEST");
    EXPECT_EQ(m.HornAlertTime, 42);
    EXPECT_EQ(m.KeyPf4Long, 35);
    EXPECT_EQ(m.OptionBoardType, 4);
    EXPECT_EQ(m.LvhfBand, 1);
    EXPECT_EQ(m.DsubOutFunction6, 3);

    EXPECT_EQ(m.GroupNames[0].Text, "GROUP001");
    EXPECT_EQ(m.GroupNames[249].Text, "GROUP250");
    EXPECT_GT(m.GroupAreas.Get(0), 0u);
    for (int g = 1; g < kGroupCount; ++g)
        ASSERT_EQ(m.GroupAreas.Get(g), 0u);

    EXPECT_EQ(m.ToneTable1[0].Tag, "1-01");
    EXPECT_EQ(m.ToneTable2[7].Tag, "2-08");
    EXPECT_EQ(m.ToneTable1[0].EncIsCtcss, 1);
    EXPECT_EQ(m.ToneTable1[0].ThirdCode, 77);

    EXPECT_EQ(m.AniCodeFormat.Digits, "12345");
    EXPECT_EQ(m.EmergencyCodeFormat.Digits, "6789");
    EXPECT_EQ(m.AniCodeFormat.Length, 5);
    EXPECT_EQ(m.EmergencyCodeFormat.Length, 4);

    EXPECT_EQ(m.CodeSwitches[0].Group, 3);
    for (int i = 1; i < 16; ++i)
        ASSERT_EQ(m.CodeSwitches[i], (TCHCodeSW{255, 255}));

    EXPECT_EQ(m.Channels[0].Blank, 0);
    EXPECT_EQ(m.Channels[5].Blank, 1);
    TChannel expected;
    expected.Blank = 0;
    EXPECT_TRUE(m.Channels[0].Equals(expected));

    EXPECT_EQ(m.MdcAniDelayTime, 5);
    EXPECT_EQ(m.MdcPttIds[10], "1234");
    EXPECT_EQ(m.MdcMessageIds[0], "8000");
    EXPECT_EQ(m.MdcMessageIds[1], "8001");
    EXPECT_EQ(m.MdcMessageIds[10], "8001");
}
