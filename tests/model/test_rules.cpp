#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <map>
#include <set>
#include <sstream>

#include "model/comma_locale.h"
#include "model/dc_Errors.h"
#include "model/dc_Rules.h"

namespace {

const char* const kProducts[] = {"TR-2100", "TR-2200", "TR-2300"};

// A model on band type `bandType` with that band's template settings.
TRKmem BandModel(int32_t bandType, const char* product = "TR-2300") {
    TRKmem m;
    m.ProductType = product;
    SetBandType(m, bandType);
    ApplyBandSettings(m, bandType);
    return m;
}

// The exact decimal of a whole number of Hz, built without floating point.
TDecimal ExactMHz(int64_t hz) {
    int32_t frac = static_cast<int32_t>(hz % 1000000);
    int32_t digits = frac == 0 ? 0 : 6;
    while (digits > 0 && frac % 10 == 0) {
        frac /= 10;
        --digits;
    }
    return TDecimal(1, static_cast<int32_t>(hz / 1000000), frac, digits);
}

std::string HzText(int64_t hz) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%lld.%06lld", static_cast<long long>(hz / 1000000),
                  static_cast<long long>(hz % 1000000));
    return buf;
}

std::vector<std::string> SplitList(const std::string& text) {
    std::vector<std::string> out;
    std::stringstream ss(text);
    std::string item;
    while (std::getline(ss, item, ','))
        out.push_back(item.substr(item.find_first_not_of(' ')));
    return out;
}

TPOffsetTbls Table(std::initializer_list<TPOffset> points) {
    TPOffsetTbls t;
    int32_t i = 0;
    for (const auto& p : points)
        t[i++] = p;
    return t;
}

TPOffsetTbls Flat(int32_t value) {
    return Table({{0, value}, {100, value}, {200, value}, {300, value}, {400, value}});
}

} // namespace

// ---- Band type ----------------------------------------------------------------

TEST(Rules, BandTypeNamesAndTemplateCodes) {
    struct Row {
        int32_t lvhf, vhf, uhf, code;
        const char* product;
        int32_t type;
        const char* name;
        const char* templ;
    };
    const Row rows[] = {
        {1, 0, 0, 1, "TR-2100", 0, "LVHF A", "lva"},  {1, 0, 0, 2, "TR-2100", 1, "LVHF B", "lvb"},
        {1, 0, 0, 3, "TR-2100", 0, "LVHF A", "lva"}, // unknown code keeps 0
        {0, 1, 0, 1, "TR-2200", 2, "VHF A", "va"},    {0, 1, 0, 2, "TR-2200", 0, "LVHF A", "lva"},
        {0, 1, 0, 3, "TR-2200", 3, "VHF C", "vc"},    {0, 0, 1, 1, "TR-2300", 4, "UHF A", "ua"},
        {0, 0, 1, 4, "TR-2300", 5, "UHF D", "ud"},    {0, 0, 1, 5, "TR-2300", 7, "UHF F", "uf"},
        {0, 0, 1, 5, "TR-2100", 6, "UHF F", "uf"},    {0, 0, 1, 5, "TQ2400", 6, "UHF F", "uf"},
        {0, 0, 1, 6, "TR-2300", 6, "UHF DS1", "ud1"}, {0, 0, 1, 6, "TR-2200", 6, "UHF F", "uf"},
        {0, 0, 0, 2, "TR-2300", 0, "LVHF A", "lva"}, // no family flag at all
        {1, 0, 1, 2, "TR-2300", 1, "LVHF B", "lvb"}, // UHF code 2 keeps the low-VHF result
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(::testing::Message() << r.product << " lvhf " << r.lvhf << " vhf " << r.vhf << " uhf "
                                          << r.uhf << " code " << r.code);
        TRKmem m;
        m.LvhfBand = r.lvhf;
        m.VhfBand = r.vhf;
        m.UhfBand = r.uhf;
        m.BandCode = r.code;
        m.ProductType = r.product;
        const int32_t t = BandType(m);
        EXPECT_EQ(t, r.type) << r.product << " code " << r.code;
        EXPECT_EQ(BandName(t, r.product), r.name) << r.product << " code " << r.code;
        EXPECT_EQ(BandTemplateCode(t, r.product), r.templ) << r.product << " code " << r.code;
    }
    EXPECT_EQ(BandName(-1, "TR-2100"), "LVHF A");
    EXPECT_EQ(BandName(8, "TR-2300"), "LVHF A");
}

TEST(Rules, BandListPositionIsBandType) {
    EXPECT_EQ(BandNames("TR-2100"),
              (std::vector<std::string>{"LVHF A", "LVHF B", "VHF A", "VHF C", "UHF A", "UHF D", "UHF F"}));
    EXPECT_EQ(BandNames("TR-2300"), (std::vector<std::string>{"LVHF A", "LVHF B", "VHF A", "VHF C", "UHF A",
                                                              "UHF D", "UHF DS1", "UHF F"}));
    for (const char* product : kProducts) {
        const auto names = BandNames(product);
        for (int32_t t = 0; t < static_cast<int32_t>(names.size()); ++t) {
            TRKmem m;
            m.ProductType = product;
            SetBandType(m, t);
            EXPECT_EQ(BandType(m), t) << product;
            EXPECT_EQ(BandName(BandType(m), product), names[static_cast<size_t>(t)]);
        }
    }
}

TEST(Rules, UhfFKeepsItsSettingsAtEitherPosition) {
    // "UHF F" is one band whatever its position; "UHF DS1" is another.
    EXPECT_EQ(BandSettings(6, "TR-2100").BandLowerEdge, BandSettings(7, "TR-2300").BandLowerEdge);
    EXPECT_NE(BandSettings(6, "TR-2300").BandLowerEdge, BandSettings(6, "TR-2100").BandLowerEdge);
}

// ---- Synthesizer word ---------------------------------------------------------

// Every frequency on the channel step and on the 3.125 kHz raster of every
// band survives encode and decode, receive and transmit, and normalisation
// leaves it alone. The previous configuration alternates along the raster:
// the encoder reads the divider of the previous one.
TEST(Rules, EveryRasterFrequencyOfEveryBandRoundTrips) {
    for (int32_t t = 0; t < kBandTypeCount; ++t) {
        const TRKmem m = BandModel(t);
        ASSERT_EQ(BandType(m), t);
        const int64_t step = BandConstants(t).ChannelStepHz;
        const int64_t lo = m.BandLowerEdge, hi = m.BandUpperEdge;
        if (t < 2) {
            EXPECT_TRUE(lo <= 33350000 && 33350000 <= hi) << "the default channel must fit";
        }
        int32_t failures = 0, checked = 0;
        for (int64_t f = lo - lo % 625; f <= hi && failures < 5; f += 625) {
            if (f < lo || (f % step != 0 && f % 3125 != 0)) continue;
            ++checked;
            const double x = static_cast<double>(f) / 1e6;
            const TDecimal want = ExactMHz(f);
            const int32_t oldSelector = static_cast<int32_t>((f / 625) % 2);
            for (TPllDirection dir : {pdReceive, pdTransmit}) {
                const TPllEncoding e = EncodePll(oldSelector, dir, 1, m, x);
                TDecimal got;
                got.SetFromFloat(DecodePll(e.Selector, e.Word, dir, m));
                const TPllWord& w = e.Word;
                const bool fits = w.SynthCount64 >= 0 && w.SynthCount64 < 4096 && w.SynthCount72 >= 0 &&
                                  w.SynthCount72 < 16 && w.SynthCount65 >= 0 && w.SynthCount65 < 16 &&
                                  w.SynthFraction >= 0 && w.SynthFraction < 8;
                if (got != want || e.Selector != (f % step != 0 ? 1 : 0) || !fits) {
                    ++failures;
                    ADD_FAILURE() << BandName(t, "TR-2300") << " " << f << " Hz dir " << dir << " gave "
                                  << got.ToText() << " selector " << e.Selector << " fits " << fits;
                }
            }
            TDecimal normalised;
            normalised.SetFromFloat(NormalizeFrequencyText(m, HzText(f)));
            if (normalised != want) {
                ++failures;
                ADD_FAILURE() << "normalising " << HzText(f) << " gave " << normalised.ToText();
            }
        }
        EXPECT_GT(checked, 3000) << BandName(t, "TR-2300");
    }
}

TEST(Rules, ThreePointOneTwoFiveKilohertzOffStepSelectsConfigurationOneModulusEight) {
    TRKmem m = BandModel(2);
    // A modulus 5 in configuration 1 would decode differently: the encoder
    // must use 8 whatever the model says for configuration 0.
    const TPllEncoding e = EncodePll(0, pdTransmit, 0, m, 150.003125);
    EXPECT_EQ(e.Selector, 1);
    // h = 14.5 MHz / 2900 / 8 = 625 Hz: o = 240005 = 8 * 30000 + 5.
    EXPECT_EQ(e.Word.SynthFraction, 5);
    EXPECT_EQ(64 * e.Word.SynthCount64 + 65 * e.Word.SynthCount65 + 72 * e.Word.SynthCount72 + 200, 30000);

    const TPllEncoding onStep = EncodePll(1, pdTransmit, 0, m, 150.0025);
    EXPECT_EQ(onStep.Selector, 0);
}

TEST(Rules, LowVhfDefaultChannelEncodesWithModulusFiveAndConfigurationZero) {
    const TRKmem m = BandModel(0);
    const TChannel fresh; // the new-channel words are those of 33.35 MHz
    const TPllEncoding rx = EncodePll(0, pdReceive, 0, m, 33.35);
    EXPECT_EQ(rx.Selector, 0);
    EXPECT_EQ(rx.Word, fresh.RxPll);
    EXPECT_EQ(rx.RxDivisionRatio, fresh.RxDivisionRatio);
    const TPllEncoding tx = EncodePll(0, pdTransmit, 0, m, 33.35);
    EXPECT_EQ(tx.Selector, 0);
    EXPECT_EQ(tx.Word, fresh.TxPll);
    EXPECT_DOUBLE_EQ(DecodePll(0, fresh.RxPll, pdReceive, m), 33.35);
    EXPECT_DOUBLE_EQ(DecodePll(0, fresh.TxPll, pdTransmit, m), 33.35);
}

TEST(Rules, ReceiveDivisionRatioCarriesTheVhfFlag) {
    for (int32_t t : {2, 3, 4}) {
        const TRKmem m = BandModel(t);
        const double x = t < 4 ? 160.0 : 450.0;
        const int32_t o = t < 4 ? (160000000 + 43950000) / 625 : (450000000 - 43950000) / 625;
        EXPECT_EQ(EncodePll(0, pdReceive, 0, m, x).RxDivisionRatio, o + (t < 4 ? 32768 : 0)) << t;
    }
}

TEST(Rules, EncodeClampsToTheBandEdgesFirst) {
    const TRKmem m = BandModel(2);
    for (auto [x, edge] : {std::pair{300.0, m.BandUpperEdge}, std::pair{1.0, m.BandLowerEdge}}) {
        const TPllEncoding e = EncodePll(0, pdTransmit, 0, m, x);
        TDecimal got;
        got.SetFromFloat(DecodePll(e.Selector, e.Word, pdTransmit, m));
        EXPECT_EQ(got, ExactMHz(edge));
    }
}

TEST(Rules, FractionalHertzIsAConversionFailure) {
    const TRKmem m = BandModel(2);
    EXPECT_THROW(EncodePll(0, pdReceive, 0, m, 150.0000005), EConvertError);
    EXPECT_THROW(EncodePll(0, pdTransmit, 0, m, std::nan("")), EConvertError);
    EXPECT_NO_THROW(EncodePll(0, pdTransmit, 0, m, 150.000001));
}

TEST(Rules, ZeroReferenceDividerDecodesAsZeroWithoutUndefinedBehaviour) {
    TRKmem m = BandModel(4);
    m.RefDivider = {0, 0};
    EXPECT_EQ(DecodePll(0, TPllWord{3, 100, 2, 1}, pdReceive, m), 0.0);
    EXPECT_EQ(DecodePll(1, TPllWord{3, 100, 2, 1}, pdTransmit, m), 0.0);
    const TPllEncoding e = EncodePll(0, pdTransmit, 0, m, 450.0);
    EXPECT_EQ(e.Word, TPllWord{});
    // A nonsense divider only gives nonsense numbers, never a trap.
    m.RefDivider = {-1, 2147483647};
    for (int32_t band : {4, 2}) {
        SetBandType(m, band);
        (void)EncodePll(0, pdReceive, 0, m, 450.0);
        (void)EncodePll(1, pdReceive, 0, m, 450.003125);
        (void)DecodePll(1, TPllWord{15, 4095, 15, 15}, pdReceive, m);
    }
}

TEST(Rules, EncodeTakesEachOffsetFromItsOwnTable) {
    TRKmem m = BandModel(2);
    m.OffsetTables1 = Flat(1);
    m.OffsetTables2 = Flat(2);
    m.OffsetTables3 = Flat(3);
    m.OffsetTables4 = Flat(4);
    m.OffsetTables5 = Flat(-5);
    m.OffsetTables6 = Flat(6);
    m.OffsetTables7 = Flat(-7);
    const TPllEncoding rx = EncodePll(0, pdReceive, 1, m, 150.0);
    // Between points even a flat table adds 0.5 and truncates toward zero,
    // so a negative level comes out one step nearer zero.
    EXPECT_EQ(rx.RxOffset, -6);
    const TPllEncoding ctcss = EncodePll(0, pdTransmit, 1, m, 150.0);
    EXPECT_EQ(ctcss.TxOffset, 6);
    EXPECT_EQ(ctcss.TxAdj, (std::array<int32_t, 4>{1, 2, 3, 4}));
    EXPECT_EQ(EncodePll(0, pdTransmit, 0, m, 150.0).TxAdj[3], -4);

    // The lookup sees the frequency after the band-edge clamp.
    m.OffsetTables6 = Table({{0, 0}, {100, 0}, {174, 10}, {300, 100}, {400, 100}});
    EXPECT_EQ(EncodePll(0, pdTransmit, 0, m, 300.0).TxOffset, 10);

    int32_t neg = 0, mag = 0;
    StoreSigned(-7, neg, mag);
    EXPECT_EQ(std::pair(neg, mag), std::pair(1, 7));
    StoreSigned(6, neg, mag);
    EXPECT_EQ(std::pair(neg, mag), std::pair(0, 6));
}

// ---- Offset lookup ------------------------------------------------------------

TEST(Rules, OffsetLookupInterpolatesExtrapolatesAndTruncatesTowardZero) {
    const TPOffsetTbls t = Table({{100, 10}, {110, 20}, {120, 40}, {130, 40}, {140, 0}});
    struct Row {
        double x;
        int32_t want;
    };
    const Row rows[] = {
        {100, 10},  {110, 20},  {120, 40}, {130, 40}, {140, 0}, // exact points, no +0.5
        {105, 15},  {115, 30},  {125, 40}, {101, 11},           // 10 + 1 + 0.5 truncated
        {145, -19},                                             // -19.5 truncates toward zero
        {150, -39}, {160, -79},                                 // above point 4: points 3 and 4
        {90, 0},    {80, -9},                                   // below point 0: points 0 and 1
    };
    for (const auto& r : rows)
        EXPECT_EQ(OffsetLookup(t, r.x), r.want) << r.x;

    // An unset table has coinciding points: no slope, no division by zero.
    EXPECT_EQ(OffsetLookup(TPOffsetTbls{}, 150.0), 0);
    EXPECT_EQ(OffsetLookup(Flat(9), -3.0), 9);
}

// ---- Normalisation --------------------------------------------------------------

TEST(Rules, NormalisationPicksTheNearerRasterAndBreaksTiesToThreePointOneTwoFive) {
    const TRKmem vhf = BandModel(2);
    struct Row {
        const char* text;
        double want;
    };
    const Row rows[] = {
        {"155.0013", 155.0025}, // 1200 Hz to 2.5 kHz step, 1300 Hz to 3.125 kHz
        {"155.00125", 155.0},   // 1250 Hz either way: the 3.125 kHz multiple
        {"155.0016", 155.0025},
        {"155.0030", 155.003125},
        {"155.00130001", 155.0025}, // eight fraction digits: the last one is cut
        {" 150.5 ", 150.5},
        {"146,5", 146.5}, // a decimal comma is a decimal point, not a non-number
        {"abc", 136.0},
        {"", 136.0},
        {"99999", 174.0},
        {"1e3", 136.0}, // no exponents: not a number
        {"-5", 136.0},
        {"100", 136.0},
        {"2000", 174.0},
        {"123456789012345678901234567890123456789012345678901234567890123456789012345678901234567890"
         "123456789012345678901234567890123456789012345678901234567890123456789012345678901234567890"
         "123456789012345678901234567890123456789012345678901234567890123456789012345678901234567890"
         "123456789012345678901234567890123456789",
         174.0},
    };
    for (const auto& r : rows)
        EXPECT_DOUBLE_EQ(NormalizeFrequencyText(vhf, r.text), r.want) << r.text;

    // Low VHF: 5 kHz step.
    const TRKmem low = BandModel(0);
    EXPECT_DOUBLE_EQ(NormalizeFrequencyText(low, "33.3545"), 33.355);
    EXPECT_DOUBLE_EQ(NormalizeFrequencyText(low, "33.3512"), 33.35);
    EXPECT_DOUBLE_EQ(NormalizeFrequencyText(low, "33.3524"), 33.353125);
}

TEST(Rules, NormalisationOfAFractionalHertzTextFailsAsAConversion) {
    const TRKmem low = BandModel(0);
    // Eight fraction digits lose one and still leave 0.7 Hz.
    EXPECT_THROW(NormalizeFrequencyText(low, "33.12345678"), EConvertError);
    EXPECT_THROW(NormalizeFrequencyText(low, "33.00000015"), EConvertError);
    EXPECT_DOUBLE_EQ(NormalizeFrequencyText(low, "33.1234567"), 33.125); // seven: cut to six
    EXPECT_DOUBLE_EQ(NormalizeFrequencyText(low, "33.123456"), 33.125);
}

TEST(Rules, NormalisationIgnoresADecimalCommaLocale) {
    const TRKmem vhf = BandModel(2);
    const TCommaLocale locale;
    EXPECT_DOUBLE_EQ(NormalizeFrequencyText(vhf, "155.0013"), 155.0025);
    // A comma is the decimal point in any locale, never a locale's say.
    EXPECT_DOUBLE_EQ(NormalizeFrequencyText(vhf, "155,0013"), 155.0025);
    if (!locale.Active()) GTEST_SKIP() << "no decimal-comma locale installed";
}

TEST(Rules, NormalisationAgainstExplicitEdges) {
    EXPECT_DOUBLE_EQ(NormalizeFrequencyText(4, 430000000, 440000000, "450"), 440.0);
    EXPECT_EQ(SnapFrequencyHz(4, 430000000, 440000000, 435001300), 435002500);
    EXPECT_EQ(SnapFrequencyHz(0, 30000000, 40000000, 33351000), 33350000);
}

// ---- CTCSS / DCS ----------------------------------------------------------------

TEST(Rules, ToneAndCodeListsAreTheRadiosOwn) {
    const std::string ctcss =
        "OFF, 67.0, 69.3, 71.9, 74.4, 77.0, 79.7, 82.5, 85.4, 88.5, 91.5, 94.8, 97.4, 100.0, 103.5, 107.2, "
        "110.9, 114.8, 118.8, 123.0, 127.3, 131.8, 136.5, 141.3, 146.2, 151.4, 156.7, 159.8, 162.2, 167.9, "
        "173.8, 179.9, 183.5, 186.2, 189.9, 192.8, 196.6, 199.5, 203.5, 206.5, 210.7, 218.1, 225.7, 229.1, "
        "233.6, 241.8, 250.3, 254.1";
    const std::string dcs =
        "OFF, 017, 023, 025, 026, 031, 032, 036, 043, 047, 050, 051, 053, 054, 065, 071, 072, 073, 074, 114, "
        "115, 116, 122, 125, 131, 132, 134, 143, 145, 152, 155, 156, 162, 165, 172, 174, 205, 212, 223, 225, "
        "226, 243, 244, 245, 246, 250, 251, 252, 255, 261, 263, 265, 266, 271, 274, 306, 311, 315, 325, 331, "
        "332, 343, 346, 351, 356, 364, 365, 371, 411, 412, 413, 423, 431, 432, 435, 445, 446, 452, 454, 455, "
        "462, 464, 465, 466, 503, 506, 516, 523, 526, 532, 546, 565, 606, 612, 624, 627, 631, 632, 654, 662, "
        "664, 703, 712, 723, 731, 732, 734, 743, 754";
    const std::string partners =
        "OFF, 017/050, 023/047, 025/244, 026/464, 031/627, 032/051, 036/172, 043/445, 047/023, 050/017, "
        "051/032, 053/452, 054/413, 065/271, 071/306, 072/245, 073/506, 074/174, 114/712, 115/152, 116/754, "
        "122/225, 125/365, 131/364, 132/546, 134/223, 143/412, 145/274, 152/115, 155/731, 156/265, 162/503, "
        "165/251, 172/036, 174/074, 205/263, 212/356, 223/134, 225/122, 226/411, 243/351, 244/025, 245/072, "
        "246/523, 250/250, 251/165, 252/462, 255/446, 261/732, 263/205, 265/156, 266/454, 271/065, 274/145, "
        "306/071, 311/664, 315/423, 325/526, 331/465, 332/455, 343/532, 346/612, 351/243, 356/212, 364/131, "
        "365/125, 371/734, 411/226, 412/143, 413/054, 423/315, 431/723, 432/516, 435/243, 445/043, 446/255, "
        "452/053, 454/266, 455/332, 462/252, 464/026, 465/331, 466/662, 503/162, 506/073, 516/432, 523/246, "
        "526/325, 532/343, 546/132, 565/703, 606/631, 612/346, 624/632, 627/031, 631/606, 632/624, 654/743, "
        "662/466, 664/311, 703/565, 712/114, 723/431, 731/155, 732/261, 734/371, 743/654, 754/116";
    const struct {
        const char* name;
        std::string text;
        std::vector<std::string> actual;
    } lists[] = {
        {"CTCSS", ctcss, {CtcssList().begin(), CtcssList().end()}},
        {"DCS", dcs, {DcsList().begin(), DcsList().end()}},
        {"DCS partner", partners, {DcsPartnerList().begin(), DcsPartnerList().end()}},
    };
    for (const auto& l : lists)
        EXPECT_EQ(l.actual, SplitList(l.text)) << l.name;

    // Entry i of the partner list is entry i of the code list; partners pair
    // up both ways, except 435, whose partner 243 already pairs with 351.
    std::map<std::string, std::string> partnerOf;
    for (int32_t i = 1; i < kDcsListCount; ++i) {
        const std::string p = DcsPartnerList()[static_cast<size_t>(i)];
        ASSERT_EQ(p.substr(0, 3), DcsList()[static_cast<size_t>(i)]);
        partnerOf[p.substr(0, 3)] = p.substr(4);
    }
    for (const auto& [code, partner] : partnerOf) {
        ASSERT_TRUE(partnerOf.count(partner)) << code << " pairs with an unlisted " << partner;
        if (code == "435") continue;
        EXPECT_EQ(partnerOf[partner], code) << code << "/" << partner;
    }
}

TEST(Rules, DcsCodeTextIsOctal) {
    for (int32_t i = 1; i < kDcsListCount; ++i) {
        const std::string text = DcsList()[static_cast<size_t>(i)];
        const int32_t code = DcsTextToCode(text);
        EXPECT_EQ(DcsCodeToText(code), text.substr(text.find_first_not_of('0'))) << text;
    }
    const std::pair<int32_t, const char*> toText[] = {
        {19, "23"}, {15, "17"}, {0, "0"}, {492, "754"}, {511, "777"}};
    for (auto [code, text] : toText)
        EXPECT_EQ(DcsCodeToText(code), text) << code;
    const std::pair<const char*, int32_t> toCode[] = {
        {"023", 19},
        {"23", 19},
        {"754", 492},
        {"", 0},
        {"028", -1},
        {"23a", -1},
        {"-1", -1},
        {" 23", -1},
        {"9", -1},
        {"OFF", -1},
        {"77777777777777", -1},
        {"0000000000017", 15},
    };
    for (auto [text, code] : toCode)
        EXPECT_EQ(DcsTextToCode(text), code) << '"' << text << '"';
}

TEST(Rules, DtmfDigits) {
    const char* const texts[] = {"0", "1", "2", "3", "4", "5", "6", "7",
                                 "8", "9", "A", "B", "C", "D", "*", "#"};
    for (int32_t d = 0; d < 16; ++d) {
        EXPECT_EQ(DtmfDigitToText(d), texts[d]);
        EXPECT_EQ(DtmfTextToDigit(texts[d]), d);
    }
    EXPECT_EQ(DtmfDigitToText(16), "");
    EXPECT_EQ(DtmfDigitToText(-1), "");
    EXPECT_EQ(DtmfTextToDigit("a"), 0);
    EXPECT_EQ(DtmfTextToDigit(""), 0);
    EXPECT_EQ(DtmfTextToDigit("x"), 0);
    EXPECT_EQ(DtmfTextToDigit("12"), 12);
    EXPECT_EQ(DtmfTextToDigit("99999999999"), 0);
}

// ---- Option board -------------------------------------------------------------

TEST(Rules, OptionBoardNameFromEverySelectorCombination) {
    // By (A, B, C, HiLevelEncryption); "type" means: decided by the board type.
    const std::map<std::array<int32_t, 4>, std::string> bySelectors{
        {{1, 0, 0, 0}, "OB-31 (ENC/DTMF/PAGE)"},
        {{1, 0, 0, 1}, "OB-31 (ENC/DTMF/PAGE)"},
        {{1, 1, 0, 1}, "OB-41 (Hi Level Encr)"},
        {{1, 1, 1, 0}, "MDC1200(ANI)"},
        {{0, 1, 1, 0}, "type"},
        {{0, 1, 1, 1}, "type"},
    };
    const std::map<int32_t, std::string> byType{
        {1, "OB-21 (2-TONE)"}, {2, "OB-51 (5-TONE)"}, {3, "OB-71(ANI)"}, {5, "OB-81 (TR-TRUNK)"}};
    TRKmem m;
    for (int32_t installed : {0, 1, 2})
        for (int32_t a : {0, 1})
            for (int32_t b : {0, 1})
                for (int32_t c : {0, 1})
                    for (int32_t hle : {0, 1})
                        for (int32_t type = 0; type <= 7; ++type) {
                            m.OptionInstalled = installed;
                            m.OptionSelA = a;
                            m.OptionSelB = b;
                            m.OptionSelC = c;
                            m.HiLevelEncryption = hle;
                            m.OptionBoardType = type;
                            std::string want = "No";
                            const auto s = bySelectors.find({a, b, c, hle});
                            if (installed == 1 && s != bySelectors.end()) want = s->second;
                            if (want == "type") want = byType.count(type) ? byType.at(type) : "No";
                            EXPECT_EQ(OptionBoardName(m), want)
                                << installed << " " << a << b << c << " hle " << hle << " type " << type;
                        }
}

namespace {

// Every channel, 2-tone and paging entry set to something a board change
// could wrongly touch or miss.
TRKmem PopulatedModel() {
    TRKmem m = BandModel(2);
    for (int32_t i = 0; i < m.Channels.Count(); ++i) {
        TChannel& ch = m.Channels[i];
        ch.Blank = 0;
        ch.Encryption = i % 2;
        ch.SignallingOn = 1;
        ch.SignallingCode = 1 + i % 15;
        ch.OptFlag = 1;
        ch.Ani = i % 3 == 0;
        ch.RxFreq = TDecimal(1, 150, i, 4);
        ch.EncCode = i;
        ch.Tags[0].Text = std::string(1, static_cast<char>('A' + i % 26));
    }
    for (int32_t i = 0; i < m.Tones.Count(); ++i)
        m.Tones[i] = {i, 2 * i};
    for (int32_t i = 0; i < m.Pagings.Count(); ++i)
        m.Pagings[i] = {i % 3, 0, 1, "1", "2", "3", "12" + std::to_string(i)};
    m.AniOnOption = 0;
    m.HiLevelEncryption = 0;
    return m;
}

} // namespace

TEST(Rules, SelectOptionBoardWritesTheBoardStateOnly) {
    struct Row {
        const char* name;
        int32_t installed, a, b, c, type, hle;
    };
    const Row rows[] = {
        {"OB-21 (2-TONE)", 1, 0, 1, 1, 1, 0},   {"OB-51 (5-TONE)", 1, 0, 1, 1, 2, 0},
        {"OB-81 (TR-TRUNK)", 1, 0, 1, 1, 5, 0}, {"OB-31 (ENC/DTMF/PAGE)", 1, 1, 0, 0, 0, 0},
        {"MDC1200(ANI)", 1, 1, 1, 1, 0, 0},     {"OB-41 (Hi Level Encr)", 1, 1, 1, 0, 0, 1},
        {"OB-71(ANI)", 1, 0, 1, 1, 3, 0},       {"No", 0, 1, 1, 1, 0, 0},
        {"OB-99 (unknown)", 0, 1, 1, 1, 0, 0},
    };
    const TRKmem before = PopulatedModel();
    for (const auto& r : rows) {
        TRKmem m = before;
        m.OptionInstalled = 1 - r.installed; // start from the opposite state
        m.OptionBoardType = 7;
        SelectOptionBoard(m, r.name);

        TRKmem want = before;
        want.OptionInstalled = r.installed;
        want.OptionSelA = r.a;
        want.OptionSelB = r.b;
        want.OptionSelC = r.c;
        want.OptionBoardType = r.type;
        want.HiLevelEncryption = r.hle;
        if (r.hle == 1)
            for (auto& ch : want.Channels.Items)
                ch.Encryption = 1;
        if (r.type == 3) want.AniOnOption = 1;
        EXPECT_TRUE(m.Equals(want)) << r.name;
        EXPECT_EQ(OptionBoardName(m), r.installed == 1 ? r.name : "No");
    }
}

TEST(Rules, ResetOptionDependentsClearsChannelsTwoToneAndPaging) {
    for (const char* board : {"OB-41 (Hi Level Encr)", "OB-31 (ENC/DTMF/PAGE)", "No"}) {
        const TRKmem before = PopulatedModel();
        TRKmem m = before;
        ResetOptionDependents(m, board);

        TRKmem want = before;
        for (auto& ch : want.Channels.Items) {
            ch.Encryption = std::string(board) == "OB-41 (Hi Level Encr)" ? 1 : 0;
            ch.SignallingOn = 0;
            ch.SignallingCode = 0;
            ch.OptFlag = 0;
        }
        for (auto& t : want.Tones.Items)
            t = {255, 255};
        for (auto& p : want.Pagings.Items) {
            p.Mode = 3;
            p.Empty = 1;
            p.EncDec = 0;
            p.Code.clear();
        }
        EXPECT_TRUE(m.Equals(want)) << board;
        EXPECT_EQ(m.Pagings[4].Digit2, "2") << "paging digits are not dependents";
    }
}

// ---- ANI ------------------------------------------------------------------------

TEST(Rules, AniDeviceNameAndMdcTest) {
    struct Row {
        int32_t aniOnOption, boardType;
        bool mdcAllowed;
        const char* name;
        bool mdc;
    };
    const Row rows[] =
        {
            {0, 0, true, "DTMF", false},       {1, 0, true, "MDC1200", true},
            {1, 3, true, "Option ANI", false}, {1, 0, false, "Option ANI", false},
            {2, 0, true, "DTMF", true}, // the two rules differ for a stray value
            {0, 3, false, "DTMF", false},
        };
    for (const auto& r : rows) {
        TRKmem m;
        m.AniOnOption = r.aniOnOption;
        m.OptionBoardType = r.boardType;
        EXPECT_EQ(AniDeviceName(m, r.mdcAllowed), r.name) << r.aniOnOption << " " << r.boardType;
        EXPECT_EQ(IsMdcAni(m, r.mdcAllowed), r.mdc) << r.aniOnOption << " " << r.boardType;
    }
}

TEST(Rules, FirmwareVersionReadsAsADecimalNumber) {
    const struct {
        const char* name;
        const char* text;
        int number;
    } rows[] = {{"leading zero", "0408", 408},  {"threshold", "0407", 407},
                {"hex letters", "04A8", 0},     {"empty", "", 0},
                {"blank padded", " 0410", 410}, {"sign", "-408", 0}};
    for (const auto& r : rows)
        EXPECT_EQ(FirmwareNumber(r.text), r.number) << r.name;
    TRKmem m;
    m.FirmwareVersion = "0408";
    EXPECT_TRUE(FirmwareHasOptionAni(m));
    m.FirmwareVersion = "0407";
    EXPECT_FALSE(FirmwareHasOptionAni(m));
}
