#pragma once
// Where each group's channels lie in the one channel table, and which groups
// and channels a chooser offers. The table is not numbered per group: the
// groups take consecutive runs of it in group order.

#include <cstdint>
#include <vector>

class TRKmem;

// The group's channel count, 0 for a group number outside 0..249.
int32_t GroupSize(const TRKmem& m, int32_t group);
// The table index of the group's first channel: the sum of the counts of all
// earlier groups, at most the table's size.
int32_t GroupStart(const TRKmem& m, int32_t group);
// The table index of position `position` of the group, or -1 when the group
// has no such position or it lies past the table.
int32_t ChannelIndexOf(const TRKmem& m, int32_t group, int32_t position);

// The groups that hold channels, in order.
std::vector<int32_t> GroupsWithChannels(const TRKmem& m);
// The positions inside the group of its channels that are not blank, in order.
std::vector<int32_t> NonBlankPositions(const TRKmem& m, int32_t group);
