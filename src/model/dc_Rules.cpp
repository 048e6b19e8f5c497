#include "model/dc_Rules.h"

#include "model/dc_Errors.h"

int32_t BandType(const TRKmem&) { return 0; }
const TBandConstants& BandConstants(int32_t) {
    static const TBandConstants c{17250000, 17700000, 5000, "17.250MHz", "17.700MHz", "5.0,3.125kHz"};
    return c;
}
std::string BandName(int32_t, std::string_view) { return "LVHF A"; }
std::string BandTemplateCode(int32_t, std::string_view) { return "lva"; }
std::vector<std::string> BandNames(std::string_view) { return {}; }
void SetBandType(TRKmem&, int32_t) {}
const TBandSettings& BandSettings(int32_t) {
    static const TBandSettings s{};
    return s;
}
void ApplyBandSettings(TRKmem&, int32_t) {}
double DecodePll(int32_t, int32_t, TPllDirection, const TRKmem&, int32_t, int32_t, int32_t) { return 0; }
double DecodePll(int32_t, const TPllWord&, TPllDirection, const TRKmem&) { return 0; }
TPllEncoding EncodePll(int32_t, TPllDirection, int32_t, const TRKmem&, double) { return {}; }
TPllWord SplitPllRatio(double, int32_t) { return {}; }
void StoreSigned(int32_t value, int32_t& negative, int32_t& magnitude) {
    negative = value < 0 ? 1 : 0;
    magnitude = value < 0 ? -value : value;
}
int32_t OffsetLookup(const TPOffsetTbls&, double) { return 0; }
double NormalizeFrequencyText(const TRKmem&, const std::string&) { return 0; }
double NormalizeFrequencyText(int32_t, int32_t, int32_t, const std::string&) { return 0; }
int64_t SnapFrequencyHz(int32_t, int32_t, int32_t, int64_t f) { return f; }
const std::array<const char*, kCtcssListCount>& CtcssList() {
    static const std::array<const char*, kCtcssListCount> l{};
    return l;
}
const std::array<const char*, kDcsListCount>& DcsList() {
    static const std::array<const char*, kDcsListCount> l{};
    return l;
}
const std::array<const char*, kDcsListCount>& DcsPartnerList() { return DcsList(); }
std::string DcsCodeToText(int32_t) { return "0"; }
int32_t DcsTextToCode(std::string_view) { return 0; }
std::string DtmfDigitToText(int32_t) { return {}; }
int32_t DtmfTextToDigit(std::string_view) { return 0; }
std::string OptionBoardName(const TRKmem&) { return "No"; }
void SelectOptionBoard(TRKmem&, std::string_view) {}
void ResetOptionDependents(TRKmem&, std::string_view) {}
std::string AniDeviceName(const TRKmem&, bool) { return "DTMF"; }
bool IsMdcAni(const TRKmem&, bool) { return false; }
