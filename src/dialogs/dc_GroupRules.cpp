#include "dialogs/dc_GroupRules.h"
#include "model/dc_Text.h"

#include <algorithm>
#include <charconv>

#include "dialogs/dc_DlgHelpers.h"
#include "model/dc_Groups.h"
#include "model/dc_Rules.h"

const std::array<TGroupScanItem, 4> kGroupScanItems = {{
    {"Disable", 1, 1},
    {"SCAN", 0, 1},
    {"T-TR", 1, 0},
    {"SCAN TTR", 0, 0},
}};

namespace {

constexpr int32_t kNone = 255;

void SetTag(TChannel& ch, std::string_view tag) {
    for (int32_t i = 0; i < ch.Tags.Count(); ++i)
        ch.Tags[i].Text =
            static_cast<size_t>(i) < tag.size() ? std::string(1, tag[static_cast<size_t>(i)]) : "";
}

int64_t RawCount(const TRKmem& m, int32_t group) {
    return m.GroupAreas.Get(group);
}

// A stored reference to a channel position of a group.
struct TReference {
    const char* Name;
    int32_t TRKmem::*Group;
    int32_t TRKmem::*Position;
};

constexpr TReference kSingleReferences[] = {
    {"Home Channel", &TRKmem::HomeGroup, &TRKmem::HomeChannel},
    {"Power On Group/Channel", &TRKmem::PowerOnGroup, &TRKmem::PowerOnChannel},
    {"Position LED Channel", &TRKmem::PositionLedGroup, &TRKmem::PositionLedChannelNo},
};

constexpr TReference kDirectKeys[] = {
    {"1", &TRKmem::DirectKey1Group, &TRKmem::DirectKey1Channel},
    {"2", &TRKmem::DirectKey2Group, &TRKmem::DirectKey2Channel},
    {"3", &TRKmem::DirectKey3Group, &TRKmem::DirectKey3Channel},
    {"4", &TRKmem::DirectKey4Group, &TRKmem::DirectKey4Channel},
    {"5", &TRKmem::DirectKey5Group, &TRKmem::DirectKey5Channel},
    {"6", &TRKmem::DirectKey6Group, &TRKmem::DirectKey6Channel},
};

constexpr const char* kChannelSwitchTable = "Channel switch Table";

// A group past the table (255 "none" among them) or position 255 refers to
// nothing, so there is nothing to clear.
bool OutsideItsGroup(const TRKmem& work, int32_t group, int32_t position) {
    if (group < 0 || group >= kGroupCount || position < 0 || position == kNone) return false;
    return RawCount(work, group) <= position;
}

bool Outside(const TRKmem& live, const TRKmem& work, const TReference& r) {
    return OutsideItsGroup(work, live.*r.Group, live.*r.Position);
}

// Asks about every reference the new counts leave outside its group and,
// once every answer is Yes, clears them in `next`. False on Cancel.
bool ClearOutsideReferences(TRKmem& next, const TRKmem& live, const TRKmem& work, const TAskReference& ask) {
    for (const TReference& r : kSingleReferences)
        if (Outside(live, work, r) && !ask(kReferenceCleared, r.Name)) return false;
    const char* lastKey = nullptr;
    for (const TReference& r : kDirectKeys)
        if (Outside(live, work, r)) lastKey = r.Name;
    if (lastKey && !ask(kDirectKeyCleared, lastKey)) return false;
    auto switchOutside = [&](int32_t i) {
        const TCHCodeSW& e = live.CodeSwitches[i];
        return OutsideItsGroup(work, e.Group, e.Position);
    };
    // Entry 0 is carried along, never a reference.
    for (int32_t i = 1; i < TCHCodeSWs::Count(); ++i) {
        if (!switchOutside(i)) continue;
        if (!ask(kReferenceCleared, kChannelSwitchTable)) return false;
        break;
    }

    for (const TReference& r : kSingleReferences)
        if (Outside(live, work, r)) next.*r.Group = next.*r.Position = kNone;
    if (Outside(live, work, kSingleReferences[2])) next.PositionLedChannelOff = 1;
    for (const TReference& r : kDirectKeys)
        if (Outside(live, work, r)) next.*r.Group = next.*r.Position = kNone;
    for (int32_t i = 1; i < TCHCodeSWs::Count(); ++i)
        if (switchOutside(i)) next.CodeSwitches[i] = TCHCodeSW{kNone, kNone};
    return true;
}

// What every channel of the table is before the groups take their runs.
void ClearForLayout(TChannel& ch) {
    ch.Tags.Clear();
    ch.OptFlag = 1;
    ch.TxFlag = 1;
    ch.RxFlag = 1;
    ch.SelToneTable = 1;
    ch.Arts = 1;
    ch.Tot = 1;
    ch.Lockout = 0;
    ch.Compander = 1;
    ch.SqlNegative = 1;
    ch.SqlLevel = 7;
}

// The channel table of `next` laid out over the counts of `work`: each group
// keeps its channels of `live` from its first one on, with their scan list
// membership; the rest of its run are template channels.
void LayOutChannels(TRKmem& next, const TRKmem& live, const TRKmem& work, const TChannel& templateChannel) {
    for (int32_t i = 0; i < kChannelCount; ++i) {
        ClearForLayout(next.Channels[i]);
        next.SetUserScan(i, 1);
        next.SetDealerScan(i, 1);
    }
    int64_t newStart = 0;
    for (int32_t g = 0; g < kGroupCount; ++g) {
        const int64_t newCount = RawCount(work, g);
        for (int64_t k = 0; k < newCount && newStart + k < kChannelCount; ++k) {
            TChannel& ch = next.Channels[static_cast<int32_t>(newStart + k)];
            ch = templateChannel;
            ch.Blank = 1;
            SetTag(ch, "CHAN-" + CountText(static_cast<int32_t>(k + 1)));
        }
        if (newCount > 0 && newStart < kChannelCount) next.Channels[static_cast<int32_t>(newStart)].Blank = 0;
        const int64_t oldStart = GroupStart(live, g);
        const int64_t kept = std::min<int64_t>(GroupSize(live, g), newCount);
        for (int64_t k = 0; k < kept; ++k) {
            const int64_t from = oldStart + k, to = newStart + k;
            if (from >= kChannelCount || to >= kChannelCount) break;
            const auto f = static_cast<int32_t>(from), t = static_cast<int32_t>(to);
            next.Channels[t] = live.Channels[f];
            next.SetUserScan(t, live.GetUserScan(f));
            next.SetDealerScan(t, live.GetDealerScan(f));
        }
        newStart += newCount;
    }
    next.GroupAreas = work.GroupAreas;
    if (OptionBoardName(live) == kBoardHiEncr)
        for (int32_t i = 0; i < kChannelCount; ++i)
            next.Channels[i].Encryption = 1;
    for (int32_t g = 0; g < kGroupCount; ++g) {
        const int64_t count = RawCount(next, g);
        if (count == 0 || count <= static_cast<int64_t>(next.GroupChannels.Get(g)))
            next.GroupChannels.Set(g, kNone);
    }
}

} // namespace

std::string CountText(int32_t value) {
    char buf[16];
    const auto end = std::to_chars(buf, buf + sizeof buf, value).ptr;
    std::string text(buf, end);
    if (value >= 0 && text.size() < 3) text.insert(0, 3 - text.size(), '0');
    return text;
}

std::string GroupRowCaption(int32_t row, int32_t group) {
    std::string number = std::to_string(group);
    if (row <= 9) return "Grp " + number.insert(number.size() - 1, "&");
    return "Grp " + number + "(&" + static_cast<char>('A' + (row - 10)) + ")";
}

int32_t GroupScanChoice(const TRKmem& m, int32_t group) {
    for (size_t i = 0; i < kGroupScanItems.size(); ++i)
        if (kGroupScanItems[i].FlagA == m.GetGroupModeA(group) &&
            kGroupScanItems[i].FlagB == m.GetGroupModeB(group))
            return static_cast<int32_t>(i);
    return 0;
}

bool SetGroupScanChoice(TRKmem& m, int32_t group, std::string_view text) {
    for (const TGroupScanItem& item : kGroupScanItems) {
        if (text != item.Text) continue;
        m.SetGroupModeA(group, item.FlagA);
        m.SetGroupModeB(group, item.FlagB);
        return true;
    }
    return false;
}

bool GroupIsScanned(const TRKmem& live, const TRKmem& work, int32_t group) {
    const int64_t start = GroupStart(live, group);
    const int64_t end = std::min<int64_t>(start + RawCount(work, group), kChannelCount);
    for (int64_t i = start; i < end; ++i) {
        const auto c = static_cast<int32_t>(i);
        if (live.GetUserScan(c) == 0 || live.GetDealerScan(c) == 0) return true;
    }
    return false;
}

bool HasTrunkBoard(const TRKmem& m) {
    return OptionBoardName(m) == kBoardTrunk;
}

TGroupScanBox GroupScanBox(const TRKmem& live, const TRKmem& work, int32_t group, bool trunkBoard) {
    TGroupScanBox box;
    box.Items = {kGroupScanItems[0].Text};
    box.Enabled = RawCount(work, group) > 0;
    const int32_t choice = GroupScanChoice(work, group);
    if (GroupIsScanned(live, work, group)) {
        box.Items.emplace_back(kGroupScanItems[1].Text);
        if (trunkBoard) {
            box.Items.emplace_back(kGroupScanItems[2].Text);
            box.Items.emplace_back(kGroupScanItems[3].Text);
            box.Selected = choice;
        } else {
            box.Selected = choice == 0 ? 0 : 1;
        }
    } else if (trunkBoard) {
        box.Items.emplace_back(kGroupScanItems[2].Text);
        box.Selected = choice == 2 ? 1 : 0;
    } else {
        box.Enabled = false;
    }
    return box;
}

int32_t ClampGroupCount(std::string_view text, int32_t total, int32_t before, bool firstRow) {
    int64_t value = NonNegativeIntegerOr(TrimText(text), 0);
    if (value == 0 && (total == before || firstRow)) value = 1;
    const int64_t budget = std::min<int64_t>(kChannelCount, int64_t{kChannelCount} - total + before);
    return static_cast<int32_t>(std::clamp<int64_t>(value, 0, std::max<int64_t>(budget, 0)));
}

int32_t AllocatedChannels(const TRKmem& m) {
    int64_t total = 0;
    for (int32_t g = 0; g < kGroupCount; ++g)
        total += RawCount(m, g);
    return static_cast<int32_t>(std::min<int64_t>(total, INT32_MAX));
}

TGroupOkResult ApplyGroupAllocation(TRKmem& live, const TRKmem& work, const TChannel& templateChannel,
                                    const TAskReference& ask) {
    TRKmem next;
    next.Assign(live);
    next.GroupNames = work.GroupNames;
    next.CopyGroupModeA(work);
    next.CopyGroupModeB(work);
    if (!(work.GroupAreas == live.GroupAreas)) {
        if (!ClearOutsideReferences(next, live, work, ask)) return {};
        LayOutChannels(next, live, work, templateChannel);
    }
    TGroupOkResult result;
    result.Accepted = true;
    result.Modified = !(next == live);
    if (result.Modified) live.Assign(next);
    return result;
}
