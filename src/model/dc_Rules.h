#pragma once
// Frequency, tone and code rules: the arithmetic between a frequency and the
// synthesizer word, band classification, typed-frequency normalisation,
// offset-table interpolation, the CTCSS/DCS/DTMF vocabularies and the option
// board rules. Every function is pure over its arguments and the model; none
// touches the memory image.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "model/U_RKmem.h"
#include "model/dc_RKmem.h"

// ---- Band type ---------------------------------------------------------------

constexpr int32_t kBandTypeCount = 8;

// The band position 0..7 from LvhfBand/VhfBand/UhfBand, BandCode and
// ProductType ("TR-2300" moves UHF band code 5 to position 7).
int32_t BandType(const TRKmem& m);

// Constants of a band type (0..7). Types outside 0..7 give those of type 0.
struct TBandConstants {
    int32_t RefCrystalHz;    // 17 250 000 low VHF, 14 500 000 otherwise
    int32_t FirstIfHz;       // 17 700 000 low VHF, 43 950 000 otherwise
    int32_t ChannelStepHz;   // 5000 low VHF, 2500 otherwise
    const char* CrystalText; // printed forms: "17.250MHz" / "14.500MHz"
    const char* IfText;      // "17.700MHz" / "43.950MHz"
    const char* SpacingText; // "5.0,3.125kHz" / "2.5,3.125kHz"
};
const TBandConstants& BandConstants(int32_t bandType);

// "LVHF A" .. "UHF F"; type 6 is "UHF DS1" for product type "TR-2300".
// Types outside 0..7 give "LVHF A".
std::string BandName(int32_t bandType, std::string_view productType);
// Template file code: "lva" .. "uf"; type 6 is "ud1" for "TR-2300".
std::string BandTemplateCode(int32_t bandType, std::string_view productType);
// The band list of the model and hardware dialogs: seven names, eight for
// "TR-2300" ("UHF DS1" at 6, "UHF F" at 7). Position = band type.
std::vector<std::string> BandNames(std::string_view productType);

// Sets LvhfBand/VhfBand/UhfBand and BandCode so that BandType(m) gives
// bandType for m.ProductType (type 7 needs "TR-2300"). Other fields untouched.
void SetBandType(TRKmem& m, int32_t bandType);

// Synthesizer settings and band edges with which every frequency on the
// band's channel step and on the 3.125 kHz raster between the edges survives
// EncodePll then DecodePll exactly. The band template files carry these.
struct TBandSettings {
    int32_t BandLowerEdge; // Hz
    int32_t BandUpperEdge; // Hz
    std::array<int32_t, 2> RefDivider;
    std::array<int32_t, 2> FractionalMode;
    std::array<int32_t, 2> InjectionSide;
};
// By position alone: position 6 is "UHF F" (the product types other than "TR-2300").
const TBandSettings& BandSettings(int32_t bandType);
// By position and product: position 6 of "TR-2300" is "UHF DS1".
const TBandSettings& BandSettings(int32_t bandType, std::string_view productType);
// Writes BandSettings(bandType, m.ProductType) into the model (edges and both configurations).
void ApplyBandSettings(TRKmem& m, int32_t bandType);

// ---- Synthesizer word --------------------------------------------------------

enum TPllDirection : int32_t { pdTransmit = 0, pdReceive = 1 };

// Frequency in MHz of the word A, B, C, D under configuration `selector`
// (0 = configuration 0, any other value = configuration 1). A RefDivider of
// 0 gives 0.0 (no division by zero). Callers store it with SetFromFloat.
double DecodePll(int32_t selector, int32_t a, TPllDirection direction, const TRKmem& m, int32_t b, int32_t c,
                 int32_t d);
// Same, for a stored word.
double DecodePll(int32_t selector, const TPllWord& word, TPllDirection direction, const TRKmem& m);

// Result of EncodePll. Offset values are signed; StoreSigned splits them.
struct TPllEncoding {
    TPllWord Word;                  // A, D, B, C
    int32_t Selector = 0;           // new synthesizer configuration, 0 or 1
    int32_t RxDivisionRatio = 0;    // receive only: Trunc(o), +32768 for band types 2 and 3
    int32_t RxOffset = 0;           // receive only: lookup(OffsetTables7)
    int32_t TxOffset = 0;           // transmit only: lookup(OffsetTables6)
    std::array<int32_t, 4> TxAdj{}; // transmit only: OffsetTables1..3, then 4 (CTCSS) or 5 (DCS)
};

// Encodes freqMHz (clamped to the band edges first) for the channel's current
// `selector`, `direction` and `toneKind` (transmit: 1 CTCSS, 0 DCS; ignored
// for receive). Throws EConvertError when the frequency is not a whole
// number of Hz. A RefDivider of 0 gives an all-zero word.
TPllEncoding EncodePll(int32_t selector, TPllDirection direction, int32_t toneKind, const TRKmem& m,
                       double freqMHz);

// The word for a total ratio o (in reference steps) with modulus g:
// N = Trunc(o/g) split into D, B, C; A = the remainder. Shared with the
// hardware dialog's own standby encoding.
TPllWord SplitPllRatio(double o, int32_t g);

// A signed offset value as the image keeps it: sign bit (1 = negative) and magnitude.
void StoreSigned(int32_t value, int32_t& negative, int32_t& magnitude);

// ---- Offset tables -----------------------------------------------------------

// Interpolated value of the table at freqMHz: exact points return their
// value, between points linear with +0.5 truncated toward zero, above point 4
// extrapolated from points 3 and 4, below point 0 from points 0 and 1.
int32_t OffsetLookup(const TPOffsetTbls& table, double freqMHz);

// ---- Frequency normalisation -------------------------------------------------

// A typed frequency text put on the band's raster (channel step or 3.125 kHz,
// whichever is nearer, ties to 3.125 kHz) and inside the band edges; MHz.
// "abc" gives the lower edge, overlong/huge input the upper edge; "," reads
// as the decimal point, as in every other typed number. Throws
// EConvertError when the text still has a fractional Hz after the one-digit cut.
double NormalizeFrequencyText(const TRKmem& m, const std::string& text);
// Same with explicit band type and edges (the hardware dialog normalises
// against a template's edges, not the model's).
double NormalizeFrequencyText(int32_t bandType, int32_t lowerEdgeHz, int32_t upperEdgeHz,
                              const std::string& text);
// The raster and band-edge steps alone, on a whole number of Hz (within the
// int32 range, as every caller has it); returns Hz.
int64_t SnapFrequencyHz(int32_t bandType, int32_t lowerEdgeHz, int32_t upperEdgeHz, int64_t fHz);

// ---- CTCSS / DCS -------------------------------------------------------------

constexpr int32_t kCtcssListCount = 48; // "OFF" + 47 tones
constexpr int32_t kDcsListCount = 109;  // "OFF" + 108 codes

// "OFF", "67.0", ... "254.1". A stored CTCSS code c has text CtcssList()[c + 1].
const std::array<const char*, kCtcssListCount>& CtcssList();
// "OFF", "017", ... "754" (three octal digits).
const std::array<const char*, kDcsListCount>& DcsList();
// "OFF", "017/050", ... "754/116": entry i is entry i of DcsList with its partner.
const std::array<const char*, kDcsListCount>& DcsPartnerList();

// Octal digits without leading zeros: 19 -> "23"; 0 -> "0". Negative codes give "0".
std::string DcsCodeToText(int32_t code);
// Octal text to code ("023" -> 19); any non-octal character gives -1; "" gives 0.
int32_t DcsTextToCode(std::string_view text);

// ---- DTMF --------------------------------------------------------------------

// 0..9 -> "0".."9", 10..13 -> "A".."D", 14 -> "*", 15 -> "#", else "".
std::string DtmfDigitToText(int32_t digit);
// Inverse of DtmfDigitToText; other texts are read as an integer, 0 when not one.
int32_t DtmfTextToDigit(std::string_view text);

// ---- Option board ------------------------------------------------------------

constexpr const char* kBoardNone = "No";
constexpr const char* kBoard2Tone = "OB-21 (2-TONE)";
constexpr const char* kBoard5Tone = "OB-51 (5-TONE)";
constexpr const char* kBoardTrunk = "OB-81 (TR-TRUNK)";
constexpr const char* kBoardEncDtmf = "OB-31 (ENC/DTMF/PAGE)";
constexpr const char* kBoardMdc = "MDC1200(ANI)";
constexpr const char* kBoardHiEncr = "OB-41 (Hi Level Encr)";
constexpr const char* kBoardAni = "OB-71(ANI)";

// The installed board's name: "No", "OB-21 (2-TONE)", "OB-51 (5-TONE)",
// "OB-71(ANI)", "OB-81 (TR-TRUNK)", "OB-31 (ENC/DTMF/PAGE)",
// "OB-41 (Hi Level Encr)" or "MDC1200(ANI)".
std::string OptionBoardName(const TRKmem& m);
// Sets OptionInstalled, the selector bits, OptionBoardType and
// HiLevelEncryption for the board `name`; "OB-41 ..." also sets every
// channel's Encryption, "OB-71(ANI)" sets AniOnOption. Unknown names mean "No".
void SelectOptionBoard(TRKmem& m, std::string_view name);
// After a change of board: channels' Encryption (1 only for "OB-41 ..."),
// SignallingOn/SignallingCode/OptFlag := 0; 2-tone entries := 255/255;
// paging entries := Mode 3, Empty 1, EncDec 0, empty Code.
void ResetOptionDependents(TRKmem& m, std::string_view boardName);

// The firmware version text ("0408") read as a decimal number (408), as the
// option and ANI lists compare it; 0 when it is not a decimal number.
int FirmwareNumber(const std::string& firmwareVersion);
// Firmware that knows the option-board ANI ("OB-71(ANI)", "Option ANI").
bool FirmwareHasOptionAni(const TRKmem& m);

// ---- ANI ---------------------------------------------------------------------

// "DTMF", "MDC1200" or "Option ANI". mdcAllowed = (FileFormat == 1).
std::string AniDeviceName(const TRKmem& m, bool mdcAllowed);
// True when the ANI goes out as MDC1200.
bool IsMdcAni(const TRKmem& m, bool mdcAllowed);
