#pragma once
// The model and hardware dialogs' own rules, without the window system:
// product and band positions, the band defaults, the standby receive
// frequency's decoding and encoding, and the band template files (copying
// one over the default file, applying one to the live configuration).

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

#include "dialogs/dc_DlgHelpers.h"
#include "image/dc_Map36.h"
#include "model/dc_RKmem.h"

// "TR-2100", "TR-2300", "TR-2200": the product list of both dialogs.
constexpr std::array<const char*, 3> kProductTypes = {"TR-2100", "TR-2300", "TR-2200"};
// "TR-2100" 0, "TR-2200" 2, anything else 1.
int ProductPosition(std::string_view productType);
bool IsTr2300(int productPosition);

// What a band position means to the hardware dialog: the rows a band change
// resets and the band fields OK writes.
struct THwBand {
    int32_t SqDelayMs;   // 5..31
    int32_t SqReleaseMs; // 5..320
    int32_t AttackMs;    // 10..80
    int32_t Hysteresis;  // 0..15
    int32_t DcsRxInverted;
    int32_t DcsTxInverted;
    int32_t StbyEntry; // standby/repeater entry of the band
    bool LowVhf;
    int32_t LvhfBand;
    int32_t BandCode;
    int32_t VhfBand;
    int32_t UhfBand;
    bool NoiseBlankerOff; // false: NoiseBlanker stays as it is
};
// Position 6 is "UHF DS1" for "TR-2300" and "UHF F" otherwise; 7 is "UHF F".
// Positions outside 0..7 give position 0.
const THwBand& HardwareBand(int bandPosition, bool tr2300);

// Sets the band fields (LvhfBand, BandCode, VhfBand, UhfBand, NoiseBlanker)
// for a position and returns the standby entry the band uses.
int32_t WriteBandFields(TRKmem& m, int bandPosition, bool tr2300);

// SQ release and PLL B edits.
const TIntEditRule& SqReleaseRule(); // 5..320 msec, default 5, shown on a 5 msec raster
const TIntEditRule& PllBRule();      // 0..255, default 0
// The stored SqReleaseTime for a shown value in ms: (ms - 5) / 5, nearest.
int32_t SqReleaseTimeFromMs(int32_t ms);

// The receive frequency (MHz) of a standby entry by the dialog's own rule:
// band positions 0..3 receive below the local oscillator, 4..7 above.
// Gives 0 for an entry whose reference divider is 0.
double DecodeStbyRx(const TRKmem& m, const TSTBYRPData& entry, int bandPosition, bool lowVhf);
// The entry for a frequency (MHz) by the dialog's own rule (no band-edge
// clamp, no offsets). An entry whose reference divider would be 0 is
// returned unchanged.
TSTBYRPData EncodeStbyRx(const TRKmem& m, const TSTBYRPData& current, double mhz, int bandPosition);

// The band template for head, band position and product position.
std::filesystem::path TemplatePathFor(int head, int bandPosition, int productPosition);
// "default.K36" in the program folder.
std::filesystem::path DefaultDataFilePath();
// Makes the default file writable if it is not and copies the template over
// it. Failures are silent: the template itself has already been read.
void CopyTemplateOverDefault(const std::filesystem::path& templ);

// The byte ranges (inclusive) a template brings into the live image; the
// band ranges only when the band changed.
struct TByteRange {
    int32_t First;
    int32_t Last;
};
constexpr std::array<TByteRange, 6> kTemplateRanges = {{{0x0000, 0x002A},
                                                        {0x2F80, 0x2FEE},
                                                        {0x3060, 0x30FE},
                                                        {0x3000, 0x303F},
                                                        {0x3100, 0x317F},
                                                        {0x3200, 0x3219}}};
constexpr std::array<TByteRange, 1> kTemplateBandRanges = {{{0x0200, 0x02F9}}};

// Applies a band template to the live configuration: the template's ranges
// over the freshly encoded live image, decoded back into the live model;
// channel 1 of the template becomes the template channel (blank); every
// channel takes its compander and squelch, and on a band change also its
// frequencies and PLL words. False (live objects untouched) when the
// template cannot be read or the result does not decode.
bool ApplyBandTemplate(TRKmem& live, TMap36& image, TChannel& templateChannel,
                       const std::filesystem::path& templ, bool bandChanged, const TCodecContext& codec = {});

// The STBY RX text for a frequency: normalised against the band edges of
// the template of head, band and product (the model's own edges when the
// template cannot be read), "%3.6f".
std::string NormalizeStbyText(const TRKmem& m, int head, int bandPosition, int productPosition,
                              const std::string& text);
