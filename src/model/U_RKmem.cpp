#include "model/U_RKmem.h"

namespace {

struct TValueList {
    int32_t Count;
    std::array<const char*, 5> Texts;
};

constexpr std::array<TValueList, kValueListCount> kValueLists{{
    {2, {"-", "P"}},
    {2, {"W", "N"}},
    {2, {"1", "2"}},
    {3, {"-----", "DCS", "CTCSS"}},
    {3, {"--", "BC", "BT"}},
    {2, {"H", "L"}},
    {2, {"off", "on"}},
    {2, {"Prpgm", "User"}},
    {2, {"Fixed", "Auto"}},
    {2, {"Simplex", "Duplex"}},
    {3, {"off", "ANI/ENI", "CW-ID"}},
    {2, {"Lower", "Upper"}},
    {2, {"H", "L"}},
    {2, {"High/Low", "Acc"}},
    {2, {"-", "v"}},
    {2, {"5/6.25kHz", "2.5/6.25kHz"}},
    {2, {"25 W", "50 W"}},
    {2, {"Disable", "Enable"}},
    {2, {"High/Low Pwr", "Acc"}},
    {2, {"Noize", "Quiet"}},
    {4, {"off", "RX Enable", "TX Enable", "RX/TX Enable"}},
    {4, {"None", "TX Off", "TX On", "TX On/Off"}},
    {2, {"Not installed", "Installed"}},
    {2, {"-", "v"}},
}};

} // namespace

std::string ListText(int32_t list, int32_t value) {
    if (list < 0 || list >= kValueListCount || value < 0 || value > 4) return {};
    const auto& l = kValueLists[static_cast<size_t>(list)];
    if (value >= l.Count) return {};
    return l.Texts[static_cast<size_t>(value)];
}

int32_t ListIndex(int32_t list, std::string_view text) {
    if (list < 0 || list >= kValueListCount) return 0;
    const auto& l = kValueLists[static_cast<size_t>(list)];
    for (int32_t i = 0; i < l.Count; ++i)
        if (text == l.Texts[static_cast<size_t>(i)]) return i;
    return 0;
}

const std::array<TChannelColumn, kChannelColumnCount> ChannelColumns{{
    {"Chn", "", 40, ckFixed, 0},
    {"Pri", "", 40, ckValueList, 0},
    {"RPT", "", 40, ckValueList, 23},
    {"W/N", "", 40, ckValueList, 1},
    {"TAG", "", 120, ckTagEditor, 8},
    {"Receive", "", 90, ckFreqEditor, 10},
    {"Transmit", "", 90, ckFreqEditor, 10},
    {"Type", "", 60, ckValueList, 3},
    {"Code", "", 60, ckSelectList, 0},
    {"Type", "", 60, ckValueList, 3},
    {"Code", "", 60, ckSelectList, 0},
    {"Tx", "Po", 40, ckValueList, 5},
    {"SCAN", "", 50, ckSelectList, 4},
    {"TOT", "", 40, ckValueList, 23},
    {"SQL", "", 40, ckSelectList, 5},
    {"ANI", "", 40, ckValueList, 23},
    {"Comp", "", 40, ckValueList, 23},
    {"Encr", "", 40, ckValueList, 23},
    {"Lock", "out", 40, ckValueList, 4},
    {"Page", "", 40, ckSelectList, 6},
    {"2Ton", "", 40, ckSelectList, 24},
    {"SIG", "", 40, ckSelectList, 25},
    {"MDC", "1200", 40, ckSelectList, 27},
    {"TX", "", 40, ckValueList, 23},
    {"RX", "", 40, ckValueList, 23},
    {"Opt", "", 40, ckValueList, 23},
    {"ARTS", "", 40, ckValueList, 23},
    {"ST", "", 40, ckValueList, 2},
}};

std::string TChlTags::Joined() const {
    std::string s;
    for (const auto& t : Items)
        s += t.Text;
    return s;
}

void TChlTags::Clear() {
    for (auto& t : Items)
        t.Text.clear();
}
