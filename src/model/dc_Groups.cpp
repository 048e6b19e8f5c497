#include "model/dc_Groups.h"

#include <algorithm>

#include "model/dc_RKmem.h"

int32_t GroupSize(const TRKmem& m, int32_t group) {
    if (group < 0 || group >= kGroupCount) return 0;
    return static_cast<int32_t>(std::min<uint32_t>(m.GroupAreas.Get(group), kChannelCount));
}

int32_t GroupStart(const TRKmem& m, int32_t group) {
    int64_t start = 0;
    for (int32_t g = 0; g < group && g < kGroupCount; ++g)
        start += m.GroupAreas.Get(g);
    return static_cast<int32_t>(std::min<int64_t>(start, kChannelCount));
}

int32_t ChannelIndexOf(const TRKmem& m, int32_t group, int32_t position) {
    if (position < 0 || position >= GroupSize(m, group)) return -1;
    const int32_t index = GroupStart(m, group) + position;
    return index < kChannelCount ? index : -1;
}

std::vector<int32_t> GroupsWithChannels(const TRKmem& m) {
    std::vector<int32_t> groups;
    for (int32_t g = 0; g < kGroupCount; ++g)
        if (m.GroupAreas.Get(g) != 0) groups.push_back(g);
    return groups;
}

std::vector<int32_t> NonBlankPositions(const TRKmem& m, int32_t group) {
    std::vector<int32_t> positions;
    for (int32_t p = 0; p < GroupSize(m, group); ++p) {
        const int32_t index = ChannelIndexOf(m, group, p);
        if (index < 0) break;
        if (m.Channels[index].Blank == 0) positions.push_back(p);
    }
    return positions;
}
