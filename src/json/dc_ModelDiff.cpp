#include "json/dc_ModelDiff.h"

#include <array>
#include <charconv>
#include <set>

#include "app/dc_GridRules.h"
#include "image/dc_Map36Const.h"
#include "model/U_RKmem.h"

namespace {

// Fields that tell one radio from another and that no descriptor of the
// layout tables places in the identity blocks: derived, packed or kept in
// the date and model-text area.
constexpr const char* kIdentityFields[] = {
    "ProductFamily", "ProductCode",   "ProductType",   "ModelText",     "SerialNumber",  "FirmwareVersion",
    "ProgCentury",   "ProgYear",      "ProgMonth",     "ProgDay",       "ProgWeekday",   "ProgHour",
    "ProgMinute",    "ProgSecond",    "BandCode",      "BandLowerEdge", "BandUpperEdge", "OffsetTables1",
    "OffsetTables2", "OffsetTables3", "OffsetTables4", "OffsetTables5", "OffsetTables6", "OffsetTables7",
};

bool InIdentityBlock(const TFieldDesc& d) {
    for (const TIdentityCopy& block : kIdentityCopies)
        if (d.FirstByte >= block.From && d.LastByte < block.From + block.Length) return true;
    return false;
}

const std::vector<std::string>& IdentityNames() {
    static const std::vector<std::string> names = [] {
        std::vector<std::string> out(std::begin(kIdentityFields), std::end(kIdentityFields));
        for (const TScalarField& f : ScalarFields())
            if (InIdentityBlock(f.Desc)) out.emplace_back(f.Name);
        for (const TTextField& f : TextFields())
            if (InIdentityBlock(f.Desc)) out.emplace_back(f.Name);
        return out;
    }();
    return names;
}

// The grid column that shows a channel field; -1 for a field none shows
// (the signalling code's column depends on the option board).
struct TColumnOfField {
    const char* Field;
    int Column;
};
constexpr TColumnOfField kColumnOfField[] = {
    {"Narrow", gcWidth},         {"Tags", gcTag},          {"RxFreq", gcRxFreq},
    {"TxFreq", gcTxFreq},        {"TxInhibit", gcTxFreq},  {"DecIsCtcss", gcDecType},
    {"DecToneOn", gcDecType},    {"DecCode", gcDecCode},   {"DecPartnerCode", gcDecCode},
    {"EncIsCtcss", gcEncType},   {"EncToneOn", gcEncType}, {"EncCode", gcEncCode},
    {"TxPowerLow", gcTxPower},   {"Tot", gcTot},           {"SqlNegative", gcSql},
    {"SqlLevel", gcSql},         {"Ani", gcAni},           {"Compander", gcComp},
    {"Encryption", gcEncr},      {"Lockout", gcLockout},   {"TxFlag", gcTxShift},
    {"RxFlag", gcRxShift},       {"OptFlag", gcOptShift},  {"Arts", gcArts},
    {"SelToneTable", gcSelTone},
};
// Per-channel lists of the model that a channel's row shows.
constexpr TColumnOfField kColumnOfList[] = {{"UserScanList", gcScan}, {"DealerScanList", gcScan}};

std::string ColumnCaption(int col) {
    const TChannelColumn& c = ChannelColumns[static_cast<size_t>(col)];
    std::string caption = c.Caption1;
    if (*c.Caption2) caption += std::string(" ") + c.Caption2;
    // Type and code appear twice, under the decode and the encode panel.
    if (col == gcDecType || col == gcDecCode) caption = std::string(kDecodeCaption) + " " + caption;
    if (col == gcEncType || col == gcEncCode) caption = std::string(kEncodeCaption) + " " + caption;
    return caption;
}

// "Name[12]..." -> 12 and the rest after "]"; false when `key` does not
// start with an index of `name`.
bool IndexOf(const std::string& key, std::string_view name, int& index, std::string_view& rest) {
    if (key.size() <= name.size() + 2 || key.compare(0, name.size(), name) != 0 || key[name.size()] != '[')
        return false;
    const char* first = key.data() + name.size() + 1;
    const char* last = key.data() + key.size();
    const auto r = std::from_chars(first, last, index);
    if (r.ec != std::errc() || r.ptr == last || *r.ptr != ']') return false;
    rest = std::string_view(r.ptr + 1, static_cast<size_t>(last - r.ptr - 1));
    return true;
}

// Channel fields the encoder computes from a frequency (synthesizer words and
// the tuning offsets at it): a changed frequency explains them, so they are
// listed only when the frequency itself is the same.
struct TFollower {
    const char* Field;
    const char* Frequency;
};
constexpr TFollower kFollowers[] = {
    {"RxSynthConfig", "RxFreq"},   {"RxPll", "RxFreq"},
    {"RxDivisionRatio", "RxFreq"}, {"RxOffsetNegative", "RxFreq"},
    {"RxOffset", "RxFreq"},        {"TxSynthConfig", "TxFreq"},
    {"TxPll", "TxFreq"},           {"TxOffsetNegative", "TxFreq"},
    {"TxOffset", "TxFreq"},        {"TxAdjNegative", "TxFreq"},
    {"TxAdj", "TxFreq"},
};

// "Channels[4].RxPll.SynthCount64" -> 4 and "RxPll".
bool ChannelField(const std::string& key, int& index, std::string_view& field) {
    std::string_view rest;
    if (!IndexOf(key, "Channels", index, rest) || rest.size() < 2 || rest[0] != '.') return false;
    field = rest.substr(1, rest.find_first_of(".[", 1) - 1);
    return true;
}

std::string ChannelText(int index) {
    return "Channel " + std::to_string(index + 1);
}

} // namespace

bool IsIdentityKey(const std::string& key) {
    for (const std::string& name : IdentityNames()) {
        if (key.compare(0, name.size(), name) != 0) continue;
        if (key.size() == name.size() || key[name.size()] == '[' || key[name.size()] == '.') return true;
    }
    return false;
}

std::string ChannelLabel(const std::string& key) {
    int index = 0;
    std::string_view rest;
    for (const TColumnOfField& list : kColumnOfList)
        if (IndexOf(key, list.Field, index, rest) && rest.empty())
            return ChannelText(index) + " " + ColumnCaption(list.Column);
    std::string_view field;
    if (!ChannelField(key, index, field)) return {};
    for (const TColumnOfField& f : kColumnOfField)
        if (field == f.Field) return ChannelText(index) + " " + ColumnCaption(f.Column);
    return ChannelText(index);
}

std::vector<TFieldDifference> DiffModels(const TRKmem& a, const TRKmem& b, const TDiffOptions& options) {
    // The whole dump of `a` names every field, so the fields it names whose
    // values differ in `b` are all the differences.
    auto all = StoredDifferences(ModelToJson(a), a, b);
    std::set<std::string> keys;
    for (const auto& d : all)
        keys.insert(d.Key);
    const auto explained = [&keys](const std::string& key) {
        int index = 0;
        std::string_view field;
        if (!ChannelField(key, index, field)) return false;
        for (const TFollower& f : kFollowers)
            if (field == f.Field)
                return keys.count("Channels[" + std::to_string(index) + "]." + f.Frequency) > 0;
        return false;
    };
    std::vector<TFieldDifference> out;
    for (auto& d : all) {
        if (options.IgnoreIdentity && IsIdentityKey(d.Key)) continue;
        if (explained(d.Key)) continue;
        std::string label = ChannelLabel(d.Key);
        out.push_back({std::move(d.Key), std::move(label), std::move(d.Asked), std::move(d.Stored)});
    }
    return out;
}
