// Where groups lie in the one channel table, and what a chooser offers.
#include <gtest/gtest.h>

#include "model/dc_Groups.h"
#include "model/dc_RKmem.h"

namespace {

TEST(Groups, StartSizeAndPositionsFollowTheCountsInGroupOrder) {
    TRKmem m;
    for (int32_t g = 0; g < kGroupCount; ++g)
        m.GroupAreas.Set(g, 0);
    m.GroupAreas.Set(0, 3);
    m.GroupAreas.Set(2, 4);
    m.GroupAreas.Set(5, 300); // more than the table: cut at its end
    for (int32_t i = 0; i < kChannelCount; ++i)
        m.Channels[i].Blank = 0;
    m.Channels[3].Blank = 1; // group 2, position 0
    m.Channels[5].Blank = 1; // group 2, position 2

    struct Row {
        const char* Name;
        int32_t Group, Size, Start;
    };
    const Row rows[] = {{"first", 0, 3, 0},       {"empty between", 1, 0, 3}, {"after an empty one", 2, 4, 3},
                        {"too large", 5, 250, 7}, {"outside", 250, 0, 250},   {"negative", -1, 0, 0}};
    for (const auto& r : rows) {
        EXPECT_EQ(GroupSize(m, r.Group), r.Size) << r.Name;
        EXPECT_EQ(GroupStart(m, r.Group), r.Start) << r.Name;
    }
    EXPECT_EQ(ChannelIndexOf(m, 2, 3), 6);
    EXPECT_EQ(ChannelIndexOf(m, 2, 4), -1);
    EXPECT_EQ(ChannelIndexOf(m, 5, 242), 249);
    EXPECT_EQ(ChannelIndexOf(m, 5, 243), -1) << "past the table";
    EXPECT_EQ(GroupsWithChannels(m), (std::vector<int32_t>{0, 2, 5}));
    EXPECT_EQ(NonBlankPositions(m, 2), (std::vector<int32_t>{1, 3}));
    EXPECT_TRUE(NonBlankPositions(m, 1).empty());
}

} // namespace
