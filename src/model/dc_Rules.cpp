#include "model/dc_Rules.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <system_error>

#include "model/dc_Decimal.h"
#include "model/dc_Errors.h"
#include "model/dc_Text.h"

namespace {

constexpr const char* kTr2300 = "TR-2300";

// ---- Band data ---------------------------------------------------------------

constexpr TBandConstants kLowVhfConstants{17250000, 17700000, 5000, "17.250MHz", "17.700MHz", "5.0,3.125kHz"};
constexpr TBandConstants kVhfUhfConstants{14500000, 43950000, 2500, "14.500MHz", "43.950MHz", "2.5,3.125kHz"};

struct TBandEntry {
    const char* Name;
    const char* TemplateCode;
    // Position 6 is a different band for "TR-2300".
    const char* Tr2300Name;
    const char* Tr2300TemplateCode;
};

constexpr std::array<TBandEntry, kBandTypeCount> kBands{{
    {"LVHF A", "lva", "LVHF A", "lva"},
    {"LVHF B", "lvb", "LVHF B", "lvb"},
    {"VHF A", "va", "VHF A", "va"},
    {"VHF C", "vc", "VHF C", "vc"},
    {"UHF A", "ua", "UHF A", "ua"},
    {"UHF D", "ud", "UHF D", "ud"},
    {"UHF F", "uf", "UHF DS1", "ud1"},
    {"UHF F", "uf", "UHF F", "uf"},
}};

// Comparison frequency fref/R is 25 kHz on low VHF (5 kHz steps with modulus
// 5, 3.125 kHz with modulus 8) and 5 kHz elsewhere (625 Hz steps with modulus
// 8 cover both 2.5 and 3.125 kHz). Both configurations share the divider,
// because the encoder takes the divider of the channel's previous
// configuration. The receiver LO sits above the signal on low VHF and VHF and
// below it on UHF, as the encoder's IF sign requires.
constexpr std::array<TBandSettings, kBandTypeCount> kBandSettings{{
    {29700000, 37000000, {690, 690}, {0, 1}, {1, 1}},     // LVHF A
    {33000000, 50000000, {690, 690}, {0, 1}, {1, 1}},     // LVHF B
    {136000000, 174000000, {2900, 2900}, {1, 1}, {1, 1}}, // VHF A
    {146000000, 174000000, {2900, 2900}, {1, 1}, {1, 1}}, // VHF C
    {403000000, 470000000, {2900, 2900}, {1, 1}, {0, 0}}, // UHF A
    {450000000, 512000000, {2900, 2900}, {1, 1}, {0, 0}}, // UHF D
    {470000000, 520000000, {2900, 2900}, {1, 1}, {0, 0}}, // UHF F (position 6 outside "TR-2300")
    {470000000, 520000000, {2900, 2900}, {1, 1}, {0, 0}}, // UHF F of "TR-2300"
}};
// Position 6 of "TR-2300".
constexpr TBandSettings kUhfDs1Settings{440000000, 490000000, {2900, 2900}, {1, 1}, {0, 0}};

size_t BandIndex(int32_t bandType) {
    return bandType >= 0 && bandType < kBandTypeCount ? static_cast<size_t>(bandType) : 0;
}

// ---- Numbers -----------------------------------------------------------------

// Truncation toward zero into int32, saturating, NaN as 0: model fields are
// plain ints, so a nonsense divider must not turn into undefined behaviour.
int32_t TruncToInt(double v) {
    if (std::isnan(v)) return 0;
    v = std::trunc(v);
    if (v >= 2147483647.0) return std::numeric_limits<int32_t>::max();
    if (v <= -2147483648.0) return std::numeric_limits<int32_t>::min();
    return static_cast<int32_t>(v);
}

// The whole-number reading of a decimal text, as the integer conversion of
// the original design does it: anything else is a conversion failure.
int64_t TextToWholeNumber(const std::string& text) {
    const auto v = ParseInt(text);
    if (!v) throw EConvertError("'" + text + "' is not a valid integer value");
    return *v;
}

int32_t SelectorIndex(int32_t selector) {
    return selector == 0 ? 0 : 1;
}

// ---- Vocabularies ------------------------------------------------------------

constexpr std::array<const char*, kCtcssListCount> kCtcssList{
    "OFF",   "67.0",  "69.3",  "71.9",  "74.4",  "77.0",  "79.7",  "82.5",  "85.4",  "88.5",
    "91.5",  "94.8",  "97.4",  "100.0", "103.5", "107.2", "110.9", "114.8", "118.8", "123.0",
    "127.3", "131.8", "136.5", "141.3", "146.2", "151.4", "156.7", "159.8", "162.2", "167.9",
    "173.8", "179.9", "183.5", "186.2", "189.9", "192.8", "196.6", "199.5", "203.5", "206.5",
    "210.7", "218.1", "225.7", "229.1", "233.6", "241.8", "250.3", "254.1",
};

constexpr std::array<const char*, kDcsListCount> kDcsList{
    "OFF", "017", "023", "025", "026", "031", "032", "036", "043", "047", "050", "051", "053", "054",
    "065", "071", "072", "073", "074", "114", "115", "116", "122", "125", "131", "132", "134", "143",
    "145", "152", "155", "156", "162", "165", "172", "174", "205", "212", "223", "225", "226", "243",
    "244", "245", "246", "250", "251", "252", "255", "261", "263", "265", "266", "271", "274", "306",
    "311", "315", "325", "331", "332", "343", "346", "351", "356", "364", "365", "371", "411", "412",
    "413", "423", "431", "432", "435", "445", "446", "452", "454", "455", "462", "464", "465", "466",
    "503", "506", "516", "523", "526", "532", "546", "565", "606", "612", "624", "627", "631", "632",
    "654", "662", "664", "703", "712", "723", "731", "732", "734", "743", "754",
};

constexpr std::array<const char*, kDcsListCount> kDcsPartnerList{
    "OFF",     "017/050", "023/047", "025/244", "026/464", "031/627", "032/051", "036/172", "043/445",
    "047/023", "050/017", "051/032", "053/452", "054/413", "065/271", "071/306", "072/245", "073/506",
    "074/174", "114/712", "115/152", "116/754", "122/225", "125/365", "131/364", "132/546", "134/223",
    "143/412", "145/274", "152/115", "155/731", "156/265", "162/503", "165/251", "172/036", "174/074",
    "205/263", "212/356", "223/134", "225/122", "226/411", "243/351", "244/025", "245/072", "246/523",
    "250/250", "251/165", "252/462", "255/446", "261/732", "263/205", "265/156", "266/454", "271/065",
    "274/145", "306/071", "311/664", "315/423", "325/526", "331/465", "332/455", "343/532", "346/612",
    "351/243", "356/212", "364/131", "365/125", "371/734", "411/226", "412/143", "413/054", "423/315",
    "431/723", "432/516", "435/243", "445/043", "446/255", "452/053", "454/266", "455/332", "462/252",
    "464/026", "465/331", "466/662", "503/162", "506/073", "516/432", "523/246", "526/325", "532/343",
    "546/132", "565/703", "606/631", "612/346", "624/632", "627/031", "631/606", "632/624", "654/743",
    "662/466", "664/311", "703/565", "712/114", "723/431", "731/155", "732/261", "734/371", "743/654",
    "754/116",
};

constexpr const char* kDtmfDigits = "0123456789ABCD*#";

// ---- Option boards -----------------------------------------------------------

struct TBoardSetting {
    const char* Name;
    int32_t SelA, SelB, SelC;
    int32_t BoardType;
    int32_t HiLevelEncryption;
};

// What choosing a board writes; "No" (and any unknown name) is the last row.
constexpr std::array<TBoardSetting, 8> kBoardSettings{{
    {kBoard2Tone, 0, 1, 1, 1, 0},
    {kBoard5Tone, 0, 1, 1, 2, 0},
    {kBoardTrunk, 0, 1, 1, 5, 0},
    {kBoardEncDtmf, 1, 0, 0, 0, 0},
    {kBoardMdc, 1, 1, 1, 0, 0},
    {kBoardHiEncr, 1, 1, 0, 0, 1},
    {kBoardAni, 0, 1, 1, 3, 0},
    {kBoardNone, 1, 1, 1, 0, 0},
}};

} // namespace

// ---- Band type -----------------------------------------------------------------

int32_t BandType(const TRKmem& m) {
    int32_t r = (m.LvhfBand == 1 && m.BandCode == 2) ? 1 : 0;
    if (m.VhfBand == 1) {
        if (m.BandCode == 1)
            r = 2;
        else if (m.BandCode == 3)
            r = 3;
    }
    if (m.UhfBand == 1) {
        switch (m.BandCode) {
        case 1:
            r = 4;
            break;
        case 4:
            r = 5;
            break;
        case 5:
            r = m.ProductType == kTr2300 ? 7 : 6;
            break;
        case 6:
            r = 6;
            break;
        default:
            break;
        }
    }
    return r;
}

const TBandConstants& BandConstants(int32_t bandType) {
    return bandType >= 2 && bandType < kBandTypeCount ? kVhfUhfConstants : kLowVhfConstants;
}

std::string BandName(int32_t bandType, std::string_view productType) {
    const auto& b = kBands[BandIndex(bandType)];
    return productType == kTr2300 ? b.Tr2300Name : b.Name;
}

std::string BandTemplateCode(int32_t bandType, std::string_view productType) {
    const auto& b = kBands[BandIndex(bandType)];
    return productType == kTr2300 ? b.Tr2300TemplateCode : b.TemplateCode;
}

std::vector<std::string> BandNames(std::string_view productType) {
    const int32_t count = productType == kTr2300 ? kBandTypeCount : kBandTypeCount - 1;
    std::vector<std::string> names;
    for (int32_t i = 0; i < count; ++i)
        names.push_back(BandName(i, productType));
    return names;
}

void SetBandType(TRKmem& m, int32_t bandType) {
    // Band code per type; type 6 is code 6 on "TR-2300" (UHF DS1), code 5 elsewhere.
    static constexpr std::array<int32_t, kBandTypeCount> kCodes{1, 2, 1, 3, 1, 4, 5, 5};
    const size_t i = BandIndex(bandType);
    m.LvhfBand = i < 2 ? 1 : 0;
    m.VhfBand = i == 2 || i == 3 ? 1 : 0;
    m.UhfBand = i >= 4 ? 1 : 0;
    m.BandCode = kCodes[i];
    if (i == 6 && m.ProductType == kTr2300) m.BandCode = 6;
}

const TBandSettings& BandSettings(int32_t bandType) {
    return kBandSettings[BandIndex(bandType)];
}

const TBandSettings& BandSettings(int32_t bandType, std::string_view productType) {
    if (bandType == 6 && productType == kTr2300) return kUhfDs1Settings;
    return BandSettings(bandType);
}

void ApplyBandSettings(TRKmem& m, int32_t bandType) {
    const auto& s = BandSettings(bandType, m.ProductType);
    m.BandLowerEdge = s.BandLowerEdge;
    m.BandUpperEdge = s.BandUpperEdge;
    for (size_t k = 0; k < 2; ++k) {
        m.RefDivider[k] = s.RefDivider[k];
        m.FractionalMode[k] = s.FractionalMode[k];
        m.InjectionSide[k] = s.InjectionSide[k];
    }
}

// ---- Synthesizer word ------------------------------------------------------------

double DecodePll(int32_t selector, int32_t a, TPllDirection direction, const TRKmem& m, int32_t b, int32_t c,
                 int32_t d) {
    const size_t s = static_cast<size_t>(SelectorIndex(selector));
    const int32_t r = m.RefDivider[s];
    if (r == 0) return 0.0;
    const double g = m.FractionalMode[s] == 0 ? 5.0 : 8.0;
    const double fref = m.LvhfBand == 1 ? 17.25 : 14.5;
    const double h = fref / r / g;
    const double n =
        (static_cast<double>(d) + 2) * 64 + static_cast<double>(c) * 65 + (static_cast<double>(b) + 1) * 72;
    if (direction == pdTransmit) return (n * g + a) * h;
    const double o = g * std::trunc(n + a / g);
    const double ifMHz = BandType(m) < 2 ? 17.7 : 43.95;
    if (m.InjectionSide[s] == 0) return o * h + a * h + ifMHz;
    return o * h + a * h - ifMHz;
}

double DecodePll(int32_t selector, const TPllWord& word, TPllDirection direction, const TRKmem& m) {
    return DecodePll(selector, word.SynthFraction, direction, m, word.SynthCount72, word.SynthCount65,
                     word.SynthCount64);
}

TPllWord SplitPllRatio(double o, int32_t g) {
    const double gg = g;
    const double n = std::trunc(o / gg);
    const double q = std::trunc((n - 8) / 64);
    const double t = q - 3;
    const double f = (n - 8) - 64 * q;
    const double b = std::trunc(f / 8);
    const double c = std::trunc(f - 8 * std::trunc(f / 8));
    const double d = std::trunc(t - c - b);
    const double a = std::trunc(o - gg * std::trunc(o / gg));
    TPllWord w;
    w.SynthFraction = TruncToInt(a);
    w.SynthCount64 = TruncToInt(d);
    w.SynthCount72 = TruncToInt(b);
    w.SynthCount65 = TruncToInt(c);
    return w;
}

TPllEncoding EncodePll(int32_t selector, TPllDirection direction, int32_t toneKind, const TRKmem& m,
                       double freqMHz) {
    double x = freqMHz;
    if (x * 1e6 > m.BandUpperEdge)
        x = m.BandUpperEdge / 1e6;
    else if (x * 1e6 < m.BandLowerEdge)
        x = m.BandLowerEdge / 1e6;

    const int32_t t = BandType(m);
    const auto& k = BandConstants(t);
    const double fref = k.RefCrystalHz;
    const double ifHz = k.FirstIfHz;
    const int64_t step = k.ChannelStepHz;
    int32_t g = t < 2 ? 5 : 8;

    const int64_t fHz = TextToWholeNumber(FloatToText15(x * 1e6));

    TPllEncoding e;
    if (fHz % step != 0 && fHz % 3125 == 0) {
        g = 8;
        e.Selector = 1;
    }

    const int32_t r = m.RefDivider[static_cast<size_t>(SelectorIndex(selector))];
    double o = 0;
    if (r != 0) {
        const double h = fref / r / g;
        if (direction == pdTransmit)
            o = std::trunc(static_cast<double>(fHz) / h);
        else if (t <= 3)
            o = std::trunc(static_cast<double>(fHz) + ifHz) / h;
        else
            o = std::trunc(static_cast<double>(fHz) - ifHz) / h;
        e.Word = SplitPllRatio(o, g);
    }

    if (direction == pdReceive) {
        e.RxDivisionRatio = TruncToInt(std::trunc(o) + (t == 2 || t == 3 ? 32768 : 0));
        e.RxOffset = OffsetLookup(m.OffsetTables7, x);
    } else {
        e.TxOffset = OffsetLookup(m.OffsetTables6, x);
        e.TxAdj[0] = OffsetLookup(m.OffsetTables1, x);
        e.TxAdj[1] = OffsetLookup(m.OffsetTables2, x);
        e.TxAdj[2] = OffsetLookup(m.OffsetTables3, x);
        e.TxAdj[3] = OffsetLookup(toneKind == 1 ? m.OffsetTables4 : m.OffsetTables5, x);
    }
    return e;
}

void StoreSigned(int32_t value, int32_t& negative, int32_t& magnitude) {
    negative = value < 0 ? 1 : 0;
    // The most negative int has no positive counterpart; saturate it.
    magnitude =
        value < 0
            ? (value == std::numeric_limits<int32_t>::min() ? std::numeric_limits<int32_t>::max() : -value)
            : value;
}

// ---- Offset tables ---------------------------------------------------------------

int32_t OffsetLookup(const TPOffsetTbls& table, double freqMHz) {
    int32_t hi = 4, lo = 3;
    int32_t b = 4;
    while (b >= 0 && table[b].Frequency > freqMHz) {
        hi = b;
        lo = b - 1;
        --b;
    }
    if (lo < 0) {
        // Below the first point: extrapolate from points 0 and 1.
        hi = 1;
        lo = 0;
    }
    const TPOffset& ph = table[hi];
    const TPOffset& pl = table[lo];
    if (freqMHz == ph.Frequency) return ph.Value;
    if (freqMHz == pl.Frequency) return pl.Value;
    // Coinciding points (an unset, all-zero table) have no slope.
    if (ph.Frequency == pl.Frequency) return pl.Value;
    const double v = (static_cast<double>(ph.Value) - pl.Value) / (ph.Frequency - pl.Frequency) *
                         (freqMHz - pl.Frequency) +
                     pl.Value + 0.5;
    return TruncToInt(v);
}

// ---- Frequency normalisation -----------------------------------------------------

int64_t SnapFrequencyHz(int32_t bandType, int32_t lowerEdgeHz, int32_t upperEdgeHz, int64_t fHz) {
    const double f = static_cast<double>(fHz);
    const int64_t d = static_cast<int64_t>(std::round(f / 3125)) * 3125;
    const int64_t e = bandType > 1 ? 2500 : 5000;
    const int64_t s = static_cast<int64_t>(std::round(f / static_cast<double>(e))) * e;
    int64_t r = std::llabs(fHz - s) < std::llabs(fHz - d) ? s : d;
    if (r < lowerEdgeHz) r = lowerEdgeHz;
    if (r > upperEdgeHz) r = upperEdgeHz;
    return r;
}

double NormalizeFrequencyText(int32_t bandType, int32_t lowerEdgeHz, int32_t upperEdgeHz,
                              const std::string& text) {
    std::string t = WithDecimalPoint(TrimText(text));
    const auto dot = t.find('.');
    if (dot != std::string::npos && t.size() - dot - 1 > 6) t.pop_back();

    double fHz = 0;
    double mhz = 0;
    if (TextToFloat(t, mhz)) {
        fHz = mhz * 1e6;
    } else {
        // from_chars refuses out-of-range numbers; a huge digit string is
        // still a number, and a huge one belongs at the upper edge.
        double probe = 0;
        const char* first = t.data() + (!t.empty() && (t[0] == '+' || t[0] == '-') ? 1 : 0);
        const auto r = std::from_chars(first, t.data() + t.size(), probe, std::chars_format::fixed);
        const bool huge = r.ec == std::errc::result_out_of_range && r.ptr == t.data() + t.size() &&
                          t.substr(0, t.find('.')).find_first_of("123456789") != std::string::npos;
        fHz = huge ? std::numeric_limits<double>::infinity() : static_cast<double>(lowerEdgeHz);
    }

    std::string hzText = FloatToText15(fHz);
    if (hzText.size() > 10 || !(fHz <= 2147483647.0)) hzText = FloatToText15(upperEdgeHz);

    const int64_t whole = TextToWholeNumber(hzText);
    return static_cast<double>(SnapFrequencyHz(bandType, lowerEdgeHz, upperEdgeHz, whole)) / 1e6;
}

double NormalizeFrequencyText(const TRKmem& m, const std::string& text) {
    return NormalizeFrequencyText(BandType(m), m.BandLowerEdge, m.BandUpperEdge, text);
}

// ---- CTCSS / DCS -----------------------------------------------------------------

const std::array<const char*, kCtcssListCount>& CtcssList() {
    return kCtcssList;
}
const std::array<const char*, kDcsListCount>& DcsList() {
    return kDcsList;
}
const std::array<const char*, kDcsListCount>& DcsPartnerList() {
    return kDcsPartnerList;
}

std::string DcsCodeToText(int32_t code) {
    if (code <= 0) return "0";
    std::string s;
    for (uint32_t v = static_cast<uint32_t>(code); v != 0; v /= 8)
        s.insert(s.begin(), static_cast<char>('0' + v % 8));
    return s;
}

int32_t DcsTextToCode(std::string_view text) {
    int64_t v = 0;
    for (char ch : text) {
        if (ch < '0' || ch > '7') return -1;
        v = v * 8 + (ch - '0');
        // Too long to be any code: as invalid as a wrong digit.
        if (v > std::numeric_limits<int32_t>::max()) return -1;
    }
    return static_cast<int32_t>(v);
}

// ---- DTMF --------------------------------------------------------------------------

std::string DtmfDigitToText(int32_t digit) {
    if (digit < 0 || digit > 15) return {};
    return std::string(1, kDtmfDigits[digit]);
}

int32_t DtmfTextToDigit(std::string_view text) {
    if (text.size() == 1) {
        for (int32_t i = 10; i < 16; ++i)
            if (text[0] == kDtmfDigits[i]) return i;
    }
    return ParseInt(text).value_or(0);
}

// ---- Option board --------------------------------------------------------------------

std::string OptionBoardName(const TRKmem& m) {
    if (m.OptionInstalled != 1) return kBoardNone;
    const int32_t b = m.OptionSelB, c = m.OptionSelC;
    if (m.OptionSelA != 0) {
        if (b == 0 && c == 0) return kBoardEncDtmf;
        if (b == 1 && c == 0 && m.HiLevelEncryption == 1) return kBoardHiEncr;
        if (b == 1 && c == 1 && m.HiLevelEncryption == 0) return kBoardMdc;
        return kBoardNone;
    }
    if (b != 1 || c != 1) return kBoardNone;
    switch (m.OptionBoardType) {
    case 1:
        return kBoard2Tone;
    case 2:
        return kBoard5Tone;
    case 3:
        return kBoardAni;
    case 5:
        return kBoardTrunk;
    default:
        return kBoardNone;
    }
}

void SelectOptionBoard(TRKmem& m, std::string_view name) {
    const TBoardSetting* setting = &kBoardSettings.back();
    for (const auto& row : kBoardSettings)
        if (name == row.Name) setting = &row;
    m.OptionInstalled = setting->Name == std::string_view(kBoardNone) ? 0 : 1;
    m.OptionSelA = setting->SelA;
    m.OptionSelB = setting->SelB;
    m.OptionSelC = setting->SelC;
    m.OptionBoardType = setting->BoardType;
    m.HiLevelEncryption = setting->HiLevelEncryption;
    if (setting->Name == std::string_view(kBoardHiEncr))
        for (auto& ch : m.Channels.Items)
            ch.Encryption = 1;
    if (setting->Name == std::string_view(kBoardAni)) m.AniOnOption = 1;
}

void ResetOptionDependents(TRKmem& m, std::string_view boardName) {
    const int32_t encryption = boardName == kBoardHiEncr ? 1 : 0;
    for (auto& ch : m.Channels.Items) {
        ch.Encryption = encryption;
        ch.SignallingOn = 0;
        ch.SignallingCode = 0;
        ch.OptFlag = 0;
    }
    for (auto& tone : m.Tones.Items) {
        tone.FirstTone = 255;
        tone.SecondTone = 255;
    }
    for (auto& page : m.Pagings.Items) {
        page.Mode = 3;
        page.Empty = 1;
        page.EncDec = 0;
        page.Code.clear();
    }
}

// ---- ANI -----------------------------------------------------------------------------

std::string AniDeviceName(const TRKmem& m, bool mdcAllowed) {
    if (m.AniOnOption != 1) return "DTMF";
    return mdcAllowed && m.OptionBoardType != 3 ? "MDC1200" : "Option ANI";
}

bool IsMdcAni(const TRKmem& m, bool mdcAllowed) {
    return mdcAllowed && m.AniOnOption != 0 && m.OptionBoardType != 3;
}

int FirmwareNumber(const std::string& firmwareVersion) {
    const std::string text = TrimText(firmwareVersion);
    int value = 0;
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value, 10);
    return (ec == std::errc() && ptr == end && !text.empty() && text[0] != '-') ? value : 0;
}

bool FirmwareHasOptionAni(const TRKmem& m) {
    return FirmwareNumber(m.FirmwareVersion) > 407;
}
