#include "model/dc_AniRules.h"

#include <algorithm>
#include <array>

#include "model/dc_Rules.h"

namespace {

std::vector<std::string> StepItems(int32_t step, const char* unit) {
    std::vector<std::string> items;
    for (int32_t i = 1; i <= 16; ++i)
        items.push_back(std::to_string(i * step) + " " + unit);
    return items;
}

bool IsOneOf(std::string_view name, std::initializer_list<std::string_view> names) {
    return std::find(names.begin(), names.end(), name) != names.end();
}

} // namespace

std::vector<std::string> EmergencyTimeItems() {
    return StepItems(10, "Mins");
}
std::vector<std::string> EmergencyRxTimeItems() {
    return StepItems(10, "Secs");
}
std::vector<std::string> EmergencyTxTimeItems() {
    return StepItems(5, "Secs");
}

std::vector<std::string> AniTypeItems(const TRKmem& m, int32_t fileFormat) {
    std::vector<std::string> items{kAniDtmf};
    if (fileFormat == 1) {
        items.emplace_back(kAniMdc);
        if (FirmwareHasOptionAni(m)) items.emplace_back(kAniOption);
    } else {
        items.emplace_back(kAniOption);
    }
    return items;
}

bool ChangeAniType(TRKmem& m, int32_t fileFormat, std::string_view shownType, std::string_view chosenType) {
    if (chosenType == shownType) return false;
    m.AniOnOption = chosenType == kAniDtmf ? 0 : 1;
    const std::string installed = OptionBoardName(m);
    std::string board = installed;
    if (chosenType == kAniDtmf) {
        if (IsOneOf(board, {"MDC1200(ANI)", "OB-71(ANI)"})) board = "No";
    } else if (chosenType == kAniMdc) {
        // The MDC1200 ANI shares the radio with none of the signalling boards.
        if (IsOneOf(board, {"OB-21 (2-TONE)", "OB-51 (5-TONE)", "OB-31 (ENC/DTMF/PAGE)", "OB-71(ANI)"}))
            board = "No";
        if (m.MdcMessageIds[0] != "8000") m.SetMdcDefaults();
    } else {
        board = fileFormat == 1 ? "OB-71(ANI)" : "MDC1200(ANI)";
    }
    if (chosenType == kAniMdc || shownType == kAniMdc)
        for (auto& ch : m.Channels.Items)
            ch.Ani = 0;
    ResetOptionDependents(m, board);
    if (board != installed) SelectOptionBoard(m, board);
    return true;
}
