#include "dialogs/dc_RadioStatusRules.h"

#include <algorithm>

#include "model/dc_Rules.h"
#include "model/dc_Text.h"

namespace {

// "<first> .. <last>" in steps, each as `format` of the value.
TItems Steps(int first, int last, int step, const char* unit) {
    TItems items;
    for (int v = first; v <= last; v += step)
        items.push_back(std::to_string(v) + unit);
    return items;
}

TItems TotList() {
    TItems items{"Unlimited"};
    for (int half = 1; half <= 15; ++half)
        items.push_back(FormatFixed(half / 2.0, 1) + " min");
    return items;
}

TItems SqlRevertList() {
    TItems items{"Unlimited", "1 sec"};
    for (int s = 2; s <= 10; ++s)
        items.push_back(std::to_string(s) + " secs");
    return items;
}

TItems ScanResume1List() {
    TItems items{"0.250 secs", "0.500 secs"};
    for (int s = 1; s <= 14; ++s)
        items.push_back(std::to_string(s) + " secs");
    return items;
}

constexpr int kSqlRevertTimes = 10; // "1 sec" .. "10 secs"

} // namespace

// ---- Radio status ------------------------------------------------------------

const TItems& TotItems() {
    static const TItems items = TotList();
    return items;
}

const TItems& TotPenaltyItems() {
    static const TItems items{"0 sec", "6 secs", "20 secs", "60 secs"};
    return items;
}

const TItems& PttReleaseItems() {
    static const TItems items{"0 sec", "2 secs", "3 secs", "5 secs"};
    return items;
}

const TItems& DtmfHoldItems() {
    static const TItems items{"0 sec",    "0.5 secs", "1.0 secs", "1.5 secs",
                              "2.0 secs", "2.5 secs", "3.0 secs", "3.5 secs"};
    return items;
}

const TItems& SqlRevertItems() {
    static const TItems items = SqlRevertList();
    return items;
}

const TItems& TalkAroundItems() {
    static const TItems items{"Encode data", "Decode data"};
    return items;
}

const TItems& DisabledEnabled() {
    static const TItems items{"Disabled", "Enabled"};
    return items;
}

const TIntEditRule& AfMinimumRule() {
    static const TIntEditRule rule = [] {
        TIntEditRule r;
        r.Default = 52;
        r.Min = 52;
        r.Max = 127;
        return r;
    }();
    return rule;
}

int SqlRevertItem(int32_t unlimited, int32_t time) {
    if (unlimited == 1) return 0;
    return time >= 0 && time < kSqlRevertTimes ? time + 1 : -1;
}

TSqlRevert SqlRevertFromItem(int item) {
    if (item <= 0) return {1, 0};
    return {0, item - 1};
}

// ---- Option ------------------------------------------------------------------

const TItems& LightingItems() {
    return DisabledEnabled();
}

const TItems& ScanListItems() {
    static const TItems items{"Dealer", "User"};
    return items;
}

const TItems& DtmfReceiverItems() {
    static const TItems items{"Yes", "No"};
    return items;
}

TItems OptionUnitItems(int fileFormat, bool firmwareHasOptionAni) {
    TItems items{kBoardNone, kBoard2Tone, kBoard5Tone, kBoardTrunk, kBoardEncDtmf};
    if (fileFormat == 0) items.push_back(kBoardMdc);
    items.push_back(kBoardHiEncr);
    if (firmwareHasOptionAni) items.push_back(kBoardAni);
    return items;
}

std::string OptionUnitShown(const TRKmem& m, const TItems& items) {
    const std::string name = OptionBoardName(m);
    const auto it = std::find(items.begin(), items.end(), name);
    return it != items.end() && it != items.begin() ? name : std::string(kBoardNone);
}

void ApplyOptionUnit(TRKmem& m, const TRKmem& onOpen, std::string_view unit, int fileFormat) {
    SelectOptionBoard(m, unit);
    if (fileFormat != 1) {
        m.AniOnOption = unit == kBoardMdc || unit == kBoardAni ? 1 : 0;
        ResetOptionDependents(m, unit);
        return;
    }
    if (unit == kBoardAni)
        m.AniOnOption = 1;
    else if (unit == kBoard2Tone || unit == kBoard5Tone || unit == kBoardEncDtmf ||
             OptionBoardName(onOpen) == kBoardAni)
        m.AniOnOption = 0;
    // MDC1200 ANI that stays on keeps its signalling: only encryption follows the board.
    if (IsMdcAni(onOpen, true) && IsMdcAni(m, true)) {
        const int32_t encryption = unit == kBoardHiEncr ? 1 : 0;
        for (auto& ch : m.Channels.Items)
            ch.Encryption = encryption;
    } else {
        ResetOptionDependents(m, unit);
    }
}

// ---- Scanning ----------------------------------------------------------------

const TItems& DualWatchItems() {
    static const TItems items = Steps(500, 3000, 250, " msec");
    return items;
}

const TItems& ScanResume1Items() {
    static const TItems items = ScanResume1List();
    return items;
}

const TItems& ScanResume2Items() {
    static const TItems items{"2 secs",  "3 secs",  "4 secs",  "5 secs",  "6 secs",  "7 secs",
                              "8 secs",  "9 secs",  "10 secs", "15 secs", "20 secs", "25 secs",
                              "30 secs", "40 secs", "50 secs", "60 secs"};
    return items;
}

const TItems& RevertChannelItems() {
    static const TItems items{"Start Channnel", "Home Channnel", "PRI Channel", "Last Busy Channnel"};
    return items;
}

// ---- Marketing ---------------------------------------------------------------

int SerialMaxLength(bool specialModel) {
    return specialModel ? 10 : 9;
}

std::string SerialLeaveText(std::string_view text, bool specialModel) {
    std::string s = TrimText(text);
    if (s.empty()) s = kSerialPlaceholder;
    const auto width = static_cast<size_t>(SerialMaxLength(specialModel));
    if (s.size() < width) s.resize(width, ' ');
    return s;
}

std::string SerialOnOk(std::string_view text, bool specialModel) {
    std::string s = TrimText(text);
    if (s == kSerialPlaceholder) s.clear();
    if (specialModel) return s;
    const std::string_view completion = kSerialDefault;
    if (s.size() < completion.size()) s += completion.substr(s.size());
    return s;
}
