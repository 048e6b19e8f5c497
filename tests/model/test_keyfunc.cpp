// The key function table and the rules the key dialogs and the report share.

#include <gtest/gtest.h>

#include <algorithm>

#include "model/dc_KeyFunc.h"
#include "model/dc_Rules.h"

namespace {

TRKmem Radio(const char* product, int32_t bandType, int32_t head) {
    TRKmem m;
    m.ProductType = product;
    SetBandType(m, bandType);
    m.ControlHeadType = head;
    return m;
}

bool Lists(const std::vector<int32_t>& rows, int32_t row) {
    return std::find(rows.begin(), rows.end(), row) != rows.end();
}

TEST(KeyFunc, TableRowsAndDirectChCodes) {
    const auto& t = KeyFunctions();
    EXPECT_STREQ(t[kKeyRowNoiseBlanker].Name, "Noise Branker");
    EXPECT_STREQ(t[kKeyRowCompander].Name, "compander");
    EXPECT_STREQ(t[kKeyRowEmgPtt].Name, "EMG PTT");
    EXPECT_STREQ(t[kKeyRowScanSelect].Name, "SCAN Select");
    EXPECT_STREQ(t[32].Name, "Group SCAN Select");
    const int32_t direct[kKeyCount] = {0x10, 0x11, 0x12, 0x13, 0x14, 0x2B};
    for (int32_t key = 0; key < kKeyCount; ++key) {
        EXPECT_EQ(DirectChCode(key), direct[key]);
        EXPECT_EQ(KeyCodeForRow(kKeyRowDirectCh, key), direct[key]);
        EXPECT_EQ(KeyRowForCode(direct[key], TKeyPress::Short, 0), kKeyRowDirectCh);
        EXPECT_TRUE(IsDirectChCode(direct[key]));
    }
    EXPECT_FALSE(IsDirectChCode(0x15));
    EXPECT_FALSE(IsDirectChCode(kNoKeyCode));
    EXPECT_EQ(KeyRowByName("AF ATT"), 30);
    EXPECT_EQ(KeyRowByName("Noise Blanker"), -1);
    EXPECT_EQ(KeyCodeForRow(-1, 0), 0);
    EXPECT_EQ(KeyCodeForRow(32, 0), 0x06);
    EXPECT_EQ(KeyFields()[5].Short, &TRKmem::KeyPf6Short);
    EXPECT_EQ(KeyFields()[5].DirectChannel, &TRKmem::DirectKey6Channel);
}

TEST(KeyFunc, ExclusionsByBandProductAndHead) {
    struct Row {
        const char* Name;
        const char* Product;
        int32_t BandType;
        int32_t Head;
        size_t ShortCount, LongCount;
        bool NoiseBlanker, Compander, EmgPtt;
    };
    const Row rows[] = {
        {"Tr2300VhfNormal", "TR-2300", 2, 0, 29, 31, false, true, false},
        {"Tr2300VhfMotorcycle", "TR-2300", 2, 1, 30, 32, false, true, true},
        {"Tr2100LvhfANormal", "TR-2100", 0, 0, 29, 31, true, false, false},
        {"Tr2200LvhfBMotorcycle", "TR-2200", 1, 1, 31, 33, true, true, true},
        {"Tr2100UhfMotorcycle", "TR-2100", 5, 1, 29, 31, false, false, true},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.Name);
        const TRKmem m = Radio(r.Product, r.BandType, r.Head);
        const auto shortRows = KeyRows(m, TKeyPress::Short, TKeyListing::Dialog);
        const auto longRows = KeyRows(m, TKeyPress::Long, TKeyListing::Dialog);
        EXPECT_EQ(shortRows.size(), r.ShortCount);
        EXPECT_EQ(longRows.size(), r.LongCount);
        EXPECT_FALSE(Lists(shortRows, kKeyRowScanSelect));
        EXPECT_TRUE(Lists(longRows, kKeyRowScanSelect));
        EXPECT_EQ(Lists(longRows, kKeyRowNoiseBlanker), r.NoiseBlanker);
        EXPECT_EQ(Lists(longRows, kKeyRowCompander), r.Compander);
        EXPECT_EQ(Lists(longRows, kKeyRowEmgPtt), r.EmgPtt);
        // The report lists "EMG PTT" whatever the head.
        EXPECT_TRUE(Lists(KeyRows(m, TKeyPress::Long, TKeyListing::Report), kKeyRowEmgPtt));
        // A short box item and the long box item at the same index are the same row.
        for (size_t i = 0; i < shortRows.size(); ++i)
            EXPECT_EQ(shortRows[i], longRows[i]);
    }
}

TEST(KeyFunc, StoredCodeShowsItsRow) {
    struct Row {
        const char* Name;
        int32_t Code;
        TKeyPress Press;
        int32_t ShortCode;
        int32_t Expected;
    };
    const Row rows[] = {
        {"ShortScan", 3, TKeyPress::Short, 0, kKeyRowScan},
        {"LongScanUnderScan", 3, TKeyPress::Long, 3, kKeyRowScan},
        {"LongScanUnderMon", 3, TKeyPress::Long, 1, kKeyRowScanSelect},
        {"GroupScanSelectOnlyLong", 6, TKeyPress::Short, 0, -1},
        {"GroupScanSelectLong", 6, TKeyPress::Long, 0, 32},
        {"UnknownCode", 0x07, TKeyPress::Long, 0, -1},
        {"CodeAboveTable", 0x2C, TKeyPress::Short, 0, -1},
        {"ListEndIsNoCode", kNoKeyCode, TKeyPress::Long, 0, -1},
    };
    for (const Row& r : rows)
        EXPECT_EQ(KeyRowForCode(r.Code, r.Press, r.ShortCode), r.Expected) << r.Name;
}

TEST(KeyFunc, ShortAndLongPressRule) {
    using S = TKeyPressState;
    const int32_t mon = 1, emergency = 6, a = 16, none = 0;
    struct Row {
        const char* Name;
        S (*Rule)(S);
        S Before, After;
    };
    const Row rows[] = {
        {"ShortToFollowingLocksLong", ShortPressChanged, {mon, a, true}, {mon, mon, false}},
        {"ShortAwayReopensLongAtNone", ShortPressChanged, {a, mon, false}, {a, none, true}},
        {"ShortFreeKeepsOpenLong", ShortPressChanged, {a, emergency + 1, true}, {a, emergency + 1, true}},
        {"ShortWithoutSelection", ShortPressChanged, {-1, -1, true}, {-1, -1, true}},
        {"LongToFollowingCopiesToShort",
         LongPressChanged,
         {a, emergency, true},
         {emergency, emergency, true}},
        {"LongFreeLeavesShort", LongPressChanged, {mon, a, true}, {mon, a, true}},
        {"LeavingFollowingLocks", LongPressLeft, {emergency, emergency, true}, {emergency, emergency, false}},
        {"LeavingFreeReopens", LongPressLeft, {a, a, false}, {a, a, true}},
    };
    for (const Row& r : rows)
        EXPECT_EQ(r.Rule(r.Before), r.After) << r.Name;
    int32_t following = 0;
    for (int32_t row = 0; row < kKeyFunctionCount; ++row)
        following += LongPressFollowsShort(row);
    EXPECT_EQ(following, 8);
}

TEST(KeyFunc, UpDownVolumeAndHook) {
    TRKmem m;
    StoreUpDown(m, kUpDownFunctions[UpDownIndexForCode(8)].Code);
    EXPECT_EQ((std::array{m.KeyUpDown, m.KeyLong6, m.KeyShort7, m.KeyLong7}), (std::array{8, 8, 9, 9}));
    EXPECT_EQ(UpDownIndexForCode(7), 0);

    const std::pair<int32_t, int32_t> volumes[] = {{0, 0},   {46, 0},  {47, 1}, {100, 3},
                                                   {125, 8}, {126, 8}, {255, 8}};
    for (auto [raw, index] : volumes)
        EXPECT_EQ(VolumePresetIndex(raw), index) << raw;
    EXPECT_EQ(VolumePresetValue(VolumePresetIndex(100)), 105);

    struct Hook {
        int32_t HookOff, RightHookOff, Index;
    };
    for (const Hook h : {Hook{1, 0, 0}, Hook{1, 1, 0}, Hook{0, 1, 1}, Hook{0, 0, 2}})
        EXPECT_EQ(HookIndex(h.HookOff, h.RightHookOff), h.Index);
    for (const Hook h : {Hook{1, 1, 0}, Hook{0, 1, 1}, Hook{0, 0, 2}}) {
        StoreHook(m, h.Index);
        EXPECT_EQ(m.HookOff, h.HookOff) << kHookNames[static_cast<size_t>(h.Index)];
        EXPECT_EQ(m.RightHookOff, h.RightHookOff) << kHookNames[static_cast<size_t>(h.Index)];
    }
}

} // namespace
