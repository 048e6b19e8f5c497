#pragma once
// The channel allocation dialog's rules, without the window system: the row
// captions, the scan box of a group, the channel count a typed text commits,
// and OK, which re-lays the channel table over the new group sizes.

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "model/dc_RKmem.h"

constexpr int32_t kGroupsPerPage = 25;
constexpr int32_t kGroupPages = 10;

// The label of row `row` (1..25) showing group `group` (1-based): the last
// digit marked in rows 1 to 9 ("Grp &1", "Grp 2&6"), a letter from A on in
// rows 10 to 25 ("Grp 10(&A)").
std::string GroupRowCaption(int32_t row, int32_t group);

// A scan box item and the two per-group flags it stands for (1 = disabled).
struct TGroupScanItem {
    const char* Text;
    int32_t FlagA; // group scan
    int32_t FlagB; // trunking scan
};
// "Disable", "SCAN", "T-TR", "SCAN TTR".
extern const std::array<TGroupScanItem, 4> kGroupScanItems;
// The item (index into kGroupScanItems) the group's flags stand for.
int32_t GroupScanChoice(const TRKmem& m, int32_t group);
// Sets the group's flags for the item `text`; false (nothing set) for a text
// that is not an item.
bool SetGroupScanChoice(TRKmem& m, int32_t group, std::string_view text);

// At least one channel of the group is in the user or the dealer scan list.
// The channels looked at start where the group starts in `live` and are as
// many as the group holds in `work` (the counts being edited).
bool GroupIsScanned(const TRKmem& live, const TRKmem& work, int32_t group);

// What the group's scan box offers.
struct TGroupScanBox {
    std::vector<std::string> Items;
    int32_t Selected = 0;
    bool Enabled = false;
};
// The trunking board "OB-81 (TR-TRUNK)" offers the trunking scan items.
bool HasTrunkBoard(const TRKmem& m);
TGroupScanBox GroupScanBox(const TRKmem& live, const TRKmem& work, int32_t group, bool trunkBoard);

// The count a typed text commits as: the trimmed text as a non-negative
// integer (0 otherwise); 0 becomes 1 for the group that holds every
// allocated channel and in a page's first row; last, the budget: the total
// `total` of all groups, this group's `before` included, stays within 250.
int32_t ClampGroupCount(std::string_view text, int32_t total, int32_t before, bool firstRow);

// "%.3d": a channel count as its box shows it, the number of a "CHAN-" tag.
std::string CountText(int32_t value);

// The sum of all groups' channel counts.
int32_t AllocatedChannels(const TRKmem& m);

// The reference questions OK asks; each takes one argument.
constexpr const char* kReferenceCleared = "'%s' will be cleard.";
constexpr const char* kDirectKeyCleared = "[CH%s] function key will be cleard.";

// Asks a question of OK (a format with one "%s" and its argument); true for Yes.
using TAskReference = std::function<bool(std::string_view format, std::string_view argument)>;

struct TGroupOkResult {
    bool Accepted = false; // false: a question was cancelled, the live model is untouched
    bool Modified = false; // the live model differs from what it was
};

// OK of the dialog: takes the group tags, the scan flags and the channel
// counts of `work` into `live`. When a count changed, every reference the
// new counts leave outside its group is asked about first (home channel,
// power-on channel, position LED channel, the direct channel keys as one
// question, the channel switch table from its second entry as one
// question); a cancelled question leaves `live` as it was. Then the
// confirmed references are cleared, the channel table is laid out anew
// (each group keeps its channels from its first one on, added channels are
// `templateChannel` tagged "CHAN-%.3d"), scan lists and priority channels
// follow their channels, and with "OB-41 (Hi Level Encr)" every channel is
// encrypted.
TGroupOkResult ApplyGroupAllocation(TRKmem& live, const TRKmem& work, const TChannel& templateChannel,
                                    const TAskReference& ask);
