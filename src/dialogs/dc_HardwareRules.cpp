#include "dialogs/dc_HardwareRules.h"

#include <cmath>
#include <system_error>

#include "image/dc_DataFile.h"
#include "model/dc_Errors.h"
#include "model/dc_Rules.h"

int ProductPosition(std::string_view productType) {
    if (productType == "TR-2100") return 0;
    if (productType == "TR-2200") return 2;
    return 1;
}

bool IsTr2300(int productPosition) {
    return productPosition == 1;
}

namespace {

// One row per band position; position 6 has two rows ("UHF DS1" of
// "TR-2300", "UHF F" of the others).
constexpr std::array<THwBand, 9> kHwBands = {{
    // SQ delay, release, attack, hyst, DCS RX, DCS TX, stby, low VHF, Lvhf, code, Vhf, Uhf, NB off
    {7, 240, 20, 5, 1, 1, 1, true, 1, 1, 0, 0, false},  // 0 "LVHF A"
    {7, 240, 20, 2, 1, 0, 3, true, 1, 2, 0, 0, false},  // 1 "LVHF B"
    {5, 240, 15, 8, 1, 0, 5, false, 0, 1, 1, 0, true},  // 2 "VHF A"
    {5, 240, 15, 8, 1, 0, 7, false, 0, 3, 1, 0, true},  // 3 "VHF C"
    {7, 160, 20, 8, 0, 1, 9, false, 0, 1, 0, 1, true},  // 4 "UHF A"
    {7, 260, 20, 2, 0, 1, 11, false, 0, 4, 0, 1, true}, // 5 "UHF D"
    {7, 260, 20, 2, 0, 1, 12, false, 0, 6, 0, 1, true}, // 6 "UHF DS1" ("TR-2300")
    {7, 160, 20, 8, 0, 1, 13, false, 0, 5, 0, 1, true}, // 6 "UHF F" (other products)
    {7, 160, 20, 8, 0, 1, 13, false, 0, 5, 0, 1, true}, // 7 "UHF F" ("TR-2300")
}};

} // namespace

const THwBand& HardwareBand(int bandPosition, bool tr2300) {
    if (bandPosition < 0 || bandPosition > 7) bandPosition = 0;
    if (bandPosition < 6) return kHwBands[static_cast<size_t>(bandPosition)];
    if (bandPosition == 6) return kHwBands[tr2300 ? 6 : 7];
    return kHwBands[8];
}

int32_t WriteBandFields(TRKmem& m, int bandPosition, bool tr2300) {
    const THwBand& b = HardwareBand(bandPosition, tr2300);
    m.LvhfBand = b.LvhfBand;
    m.BandCode = b.BandCode;
    m.VhfBand = b.VhfBand;
    m.UhfBand = b.UhfBand;
    if (b.NoiseBlankerOff) m.NoiseBlanker = 0;
    return b.StbyEntry;
}

const TIntEditRule& SqReleaseRule() {
    static const TIntEditRule rule{5, 5, 320, "msec", 5, TIntEditRule::Nearest, 10, 0};
    return rule;
}

const TIntEditRule& PllBRule() {
    static const TIntEditRule rule{0, 0, 255, "", 1, TIntEditRule::Nearest, 10, 0};
    return rule;
}

int32_t SqReleaseTimeFromMs(int32_t ms) {
    return static_cast<int32_t>(std::lround((ms - 5) / 5.0));
}

double DecodeStbyRx(const TRKmem& m, const TSTBYRPData& entry, int bandPosition, bool lowVhf) {
    const size_t s = entry.SynthConfig != 0 ? 1 : 0;
    const int32_t r = m.RefDivider[s];
    if (r == 0) return 0.0;
    const int32_t g = m.FractionalMode[s] != 0 ? 8 : 5;
    const double h = (lowVhf ? 17.25 : 14.5) / r / g;
    const int64_t n = 64LL * entry.SynthCount64 + 65LL * entry.SynthCount65 + 72LL * entry.SynthCount72 + 200;
    const double o = std::trunc(static_cast<double>(n) + static_cast<double>(entry.SynthFraction) / g);
    const double lo = h * g * o + entry.SynthFraction * h;
    const double ifMHz = lowVhf ? 17.7 : 43.95;
    return bandPosition <= 3 ? lo - ifMHz : lo + ifMHz;
}

TSTBYRPData EncodeStbyRx(const TRKmem& m, const TSTBYRPData& current, double mhz, int bandPosition) {
    const bool low = bandPosition == 0 || bandPosition == 1;
    const double fref = low ? 17250000.0 : 14500000.0;
    const double ifHz = low ? 17700000.0 : 43950000.0;
    const int32_t r = low ? m.RefDivider[1] : m.RefDivider[0];
    int32_t g = low ? 5 : 8;
    const int64_t step = low ? 5000 : 2500;
    if (r == 0 || !std::isfinite(mhz) || std::fabs(mhz) > 1e6) return current;

    const int64_t fHz = std::llround(mhz * 1000000.0);
    int32_t c = 0;
    if (fHz % step != 0 && fHz % 3125 == 0) {
        g = 8;
        c = 1;
    }
    const double h = fref / r / g;
    const double o = bandPosition <= 3 ? std::trunc(static_cast<double>(fHz) + ifHz) / h
                                       : std::trunc(static_cast<double>(fHz) - ifHz) / h;
    const TPllWord w = SplitPllRatio(o, g);
    TSTBYRPData e = current;
    e.SynthConfig = c;
    e.SynthFraction = w.SynthFraction;
    e.SynthCount64 = w.SynthCount64;
    e.SynthCount72 = w.SynthCount72;
    e.SynthCount65 = w.SynthCount65;
    return e;
}

std::filesystem::path TemplatePathFor(int head, int bandPosition, int productPosition) {
    if (productPosition < 0 || productPosition > 2) productPosition = 1;
    return BandTemplatePath(head != 0 ? 1 : 0, bandPosition,
                            kProductTypes[static_cast<size_t>(productPosition)]);
}

std::filesystem::path DefaultDataFilePath() {
    return ProgramFolder() / "default.K36";
}

void CopyTemplateOverDefault(const std::filesystem::path& templ) {
    namespace fs = std::filesystem;
    const fs::path target = DefaultDataFilePath();
    std::error_code ec;
    const fs::file_status st = fs::status(target, ec);
    // The file replaced may hold the user's last configuration.
    if (!ec && fs::exists(st)) KeepFileBackup(target);
    if (!ec && fs::exists(st) && (st.permissions() & fs::perms::owner_write) == fs::perms::none)
        fs::permissions(target, fs::perms::owner_write, fs::perm_options::add, ec);
    fs::copy_file(templ, target, fs::copy_options::overwrite_existing, ec);
}

bool ApplyBandTemplate(TRKmem& live, TMap36& image, TChannel& templateChannel,
                       const std::filesystem::path& templ, bool bandChanged, const TCodecContext& codec) {
    TRKmem tmplModel;
    TMap36 tmplImage;
    if (!LoadDataFile(templ, tmplModel, tmplImage, codec)) return false;
    CopyTemplateOverDefault(templ);

    // Worked on scratch copies so that a failure leaves the live objects as they were.
    TMap36 work;
    work.Assign(image);
    try {
        work.Encode(live, false, codec);
    } catch (const EConvertError&) {
        return false;
    }
    auto copyRange = [&](const TByteRange& r) {
        for (int32_t a = r.First; a <= r.Last; ++a)
            work.Buf[static_cast<size_t>(a)] = tmplImage.Buf[static_cast<size_t>(a)];
    };
    for (const auto& r : kTemplateRanges)
        copyRange(r);
    if (bandChanged)
        for (const auto& r : kTemplateBandRanges)
            copyRange(r);
    TRKmem result;
    result.Assign(live);
    if (!work.Decode(result, codec)) return false;

    TChannel channel1 = tmplModel.Channels[0];
    channel1.Blank = 1;
    for (int32_t i = 0; i < TChannels::Count(); ++i) {
        TChannel& ch = result.Channels[i];
        if (bandChanged) {
            ch.RxFreq = channel1.RxFreq;
            ch.TxFreq = channel1.TxFreq;
            ch.RxPll = channel1.RxPll;
            ch.RxDivisionRatio = channel1.RxDivisionRatio;
            ch.TxPll = channel1.TxPll;
        }
        ch.Compander = channel1.Compander;
        ch.SqlNegative = channel1.SqlNegative;
        ch.SqlLevel = channel1.SqlLevel;
    }
    live.Assign(result);
    image.Assign(work);
    templateChannel = channel1;
    return true;
}

std::string NormalizeStbyText(const TRKmem& m, int head, int bandPosition, int productPosition,
                              const std::string& text) {
    int32_t lower = m.BandLowerEdge;
    int32_t upper = m.BandUpperEdge;
    if (productPosition < 0 || productPosition > 2) productPosition = 1;
    LoadBandTemplate(head != 0 ? 1 : 0, bandPosition, kProductTypes[static_cast<size_t>(productPosition)],
                     false, lower, upper, nullptr);
    double mhz = 0;
    try {
        mhz = NormalizeFrequencyText(bandPosition, lower, upper, text);
    } catch (const EConvertError&) {
        mhz = lower / 1000000.0;
    }
    return FormatFixed(mhz, 6, 3);
}
