#pragma once
// The memory layout of the radio's configuration image, as data: which bits
// hold which model field, how they are coded and in which direction the
// codec moves them. The decoder and encoder walk these tables; only what
// depends on order or on other fields is spelled out in the codec itself.

#include <array>
#include <cstdint>
#include <span>
#include <string>

#include "image/dc_Map.h"

class TRKmem;
class TChannel;
class TCHCodeSW;
class TSTBYRPData;
class TSTTable;
struct TTonePair;

// How a field's bits become a model value.
enum TFieldCoding : uint8_t {
    fcValue,        // unsigned (flags too)
    fcSigned,       // GetSignedValue: two's complement when the field starts at bit 7
    fcDigits,       // one byte of two packed decimal digits, model holds the number
    fcZero,         // always written as 0, never read
    fcKept,         // neither read nor written: the image keeps what it had
    fcTailElim,     // channel: 9 when CtcssTailElim = 1 and CtcssTailElim180 = 0, else 0
    fcTag,          // channel: the eight tag bytes
    fcAtLeast5,     // unsigned; written as at least 5 (SqDelay)
    fcZeroOnEncode, // unsigned when read; written as 0
};

enum TFieldDirection : uint8_t {
    fdBoth,
    fdDecodeOnly,
    fdEncodeOnly,
};

// Where in the encode sequence a common setting is written. Only the order
// relative to the channel table matters to an observer (the channel codec is
// the one step after the serial number that can fail), but the stages keep
// the radio's documented order.
enum TEncodeStage : uint8_t {
    esDate,   // last programmed date
    esCommon, // the bulk of the settings, before the lists and tables
    esLate,   // synthesizer parameters and default split, after the paging list
    esMdc,    // MDC1200 options, just before the MDC1200 identifiers
};

// A field of record type Rec, relative to the record start (or absolute for
// TRKmem), with plain accessors so that a table row is constant data.
template <class Rec> struct TRecordField {
    TFieldDesc Desc;
    TFieldCoding Coding;
    int32_t (*Get)(const Rec&);
    void (*Set)(Rec&, int32_t);
};

// One numeric common setting of the model.
struct TScalarField {
    TFieldDesc Desc;
    const char* Name; // the TRKmem field name
    TFieldCoding Coding;
    TFieldDirection Direction;
    TEncodeStage Stage;
    int32_t (*Get)(const TRKmem&);
    void (*Set)(TRKmem&, int32_t);
};

// The numeric common settings that need no rule beyond their coding.
std::span<const TScalarField> ScalarFields();

// Model texts: PowerOnTag (both, trimmed, space padded) and ModelText (decode only).
struct TTextField {
    TFieldDesc Desc;
    const char* Name;
    TFieldDirection Direction;
    TEncodeStage Stage;
    std::string TRKmem::*Member;
};
std::span<const TTextField> TextFields();

// A per-group or per-channel list of 250 flags, stored in two pieces.
struct TFlagListField {
    TFieldDesc First248; // elements 0..247
    TFieldDesc Last2;    // elements 248, 249
    const char* Name;    // the TRKmem list
    std::array<int32_t, 250> TRKmem::*List;
};
// UserScanList, DealerScanList, GroupModeFlagA, GroupModeFlagB, in the codec's order.
std::span<const TFlagListField> FlagListFields();
// The channels' Blank flags, after the four lists.
inline constexpr TFieldDesc kBlankFlags248{0x0180, 7, 0x019E, 0};
inline constexpr TFieldDesc kBlankFlags2{0x019F, 1, 0x019F, 0};

// ---- Fields with their own rules -------------------------------------------

inline constexpr TFieldDesc kBandCodeRaw{0x0024, 7, 0x0024, 3};
inline constexpr TFieldDesc kProductCode{0x002D, 7, 0x002D, 1};
inline constexpr TFieldDesc kProductFamily{0x002D, 0, 0x002D, 0};
inline constexpr TFieldDesc kProductSelector{0x3218, 5, 0x3218, 5};
inline constexpr TFieldDesc kCtcssTailElim180{0x0093, 5, 0x0093, 5};
inline constexpr TFieldDesc kFirmwareHigh{0x3200, 7, 0x3200, 0};
inline constexpr TFieldDesc kFirmwareLow{0x3201, 7, 0x3201, 0};

// Raw band code (bits 7..3 of 0x0024) for BandCode 0..6; any other raw code
// leaves BandCode as it was.
inline constexpr std::array<int32_t, 7> kBandCodeRawValues{0, 1, 2, 4, 8, 16, 24};

// The special-model mark in SpecialCode1..3.
inline constexpr std::array<int32_t, 3> kSpecialModelCodes{172, 7, 112};

// Serial number, packed form: digit and letter index, then three bytes shown
// as hexadecimal pairs (characters 3-4, 5-6, 7-8).
inline constexpr TFieldDesc kSerialDigit{0x30F9, 7, 0x30F9, 4};
inline constexpr TFieldDesc kSerialLetter{0x30F9, 3, 0x30F9, 0};
inline constexpr std::array<TFieldDesc, 3> kSerialPairs{{
    {0x30FC, 7, 0x30FC, 0},
    {0x30FD, 7, 0x30FD, 0},
    {0x30FE, 7, 0x30FE, 0},
}};
// Letter of index 0..12: nothing, then C to N.
inline constexpr std::array<const char*, 13> kSerialLetters{"",  "C", "D", "E", "F", "G", "H",
                                                            "I", "J", "K", "L", "M", "N"};
inline constexpr const char* kInvalidSerial = "--------";
// Serial number, 12-character form (special model): one byte per character.
inline constexpr int32_t kSerialTextFirst = 0x3840;
inline constexpr int32_t kSerialTextLength = 12;
constexpr TFieldDesc SerialTextChar(int32_t i) {
    return {kSerialTextFirst + i, 7, kSerialTextFirst + i, 0};
}

// Band-limit table: 16 pairs of 32-bit edges (Hz); BandPair picks one.
inline constexpr int32_t kBandLimitTable = 0x3100;
inline constexpr int32_t kBandLimitPairs = 16;
constexpr TFieldDesc BandLowerEdgeDesc(int32_t pair) {
    return {kBandLimitTable + 8 * pair, 7, kBandLimitTable + 8 * pair + 3, 0};
}
constexpr TFieldDesc BandUpperEdgeDesc(int32_t pair) {
    return {kBandLimitTable + 8 * pair + 4, 7, kBandLimitTable + 8 * pair + 7, 0};
}

// ---- Table areas -----------------------------------------------------------

// A run of equal records: the anchor descriptor the codec is handed, the
// record size and how many records each direction moves.
struct TAreaLayout {
    TFieldDesc Anchor;
    int32_t RecordSize;
    int32_t DecodeCount;
    int32_t EncodeCount;
    constexpr int32_t RecordStart(int32_t i) const { return Anchor.FirstByte + i * RecordSize; }
};

inline constexpr TAreaLayout kChannelArea{{0x0C00, 7, 0x0C21, 0}, 34, 250, 250};
inline constexpr TAreaLayout kCodeSwitchArea{{0x00AC, 7, 0x00AD, 0}, 2, 16, 16};
// Record 15 is read but never written.
inline constexpr TAreaLayout kStandbyArea{{0x3000, 7, 0x3003, 0}, 4, 16, 15};
// The 2-tone list and the paging list share these bytes.
inline constexpr TAreaLayout kTwoToneArea{{0x0162, 7, 0x0163, 0}, 2, 10, 10};
inline constexpr TAreaLayout kAniCodeArea{{0x0102, 7, 0x0109, 0}, 8, 1, 1};
inline constexpr TAreaLayout kEmergencyCodeArea{{0x010A, 7, 0x0111, 0}, 8, 1, 1};
inline constexpr TAreaLayout kGroupSizeArea{{0x3286, 7, 0x3286, 0}, 1, 250, 250};
inline constexpr TAreaLayout kGroupNameArea{{0x0388, 7, 0x038F, 0}, 8, 250, 250};
inline constexpr TAreaLayout kGroupPriorityArea{{0x347A, 7, 0x347A, 0}, 1, 250, 250};
// Seven offset tables of five 4-byte points, OffsetTables1..7; never written.
inline constexpr std::array<TAreaLayout, 7> kOffsetTableAreas{{
    {{0x3060, 7, 0x3073, 0}, 4, 5, 0},
    {{0x3074, 7, 0x3087, 0}, 4, 5, 0},
    {{0x3088, 7, 0x309B, 0}, 4, 5, 0},
    {{0x309C, 7, 0x30AF, 0}, 4, 5, 0},
    {{0x30B0, 7, 0x30C3, 0}, 4, 5, 0},
    {{0x30C4, 7, 0x30D7, 0}, 4, 5, 0},
    {{0x30D8, 7, 0x30EB, 0}, 4, 5, 0},
}};
// Selectable-tone tables 1 and 2: use bits, records, tags (the six anchors).
struct TToneTableLayout {
    TFieldDesc UseBits;
    TAreaLayout Records;
    TAreaLayout Tags;
};
inline constexpr std::array<TToneTableLayout, 2> kToneTableAreas{{
    {{0x2E00, 7, 0x2E00, 0}, {{0x2E04, 7, 0x2E09, 0}, 6, 8, 8}, {{0x2EC4, 7, 0x2EC7, 0}, 4, 8, 8}},
    {{0x2E02, 7, 0x2E02, 0}, {{0x2E64, 7, 0x2E69, 0}, 6, 8, 8}, {{0x2F04, 7, 0x2F07, 0}, 4, 8, 8}},
}};
// Record 0 the emergency ID, 1..10 the IDs 1 to 10.
inline constexpr TAreaLayout kMdcIdArea{{0x2F48, 7, 0x2F4B, 0}, 4, 11, 11};

// ---- Record fields (relative to the record start) ----------------------------

inline constexpr int32_t kChannelFieldCount = 61;
// Index order 0..60 (not position order): the order decoder and encoder walk.
const std::array<TRecordField<TChannel>, kChannelFieldCount>& ChannelFields();
inline constexpr int32_t kChannelTagField = 53;
inline constexpr int32_t kChannelTagOffset = 24;
inline constexpr int32_t kChannelTagLength = 8;

const std::array<TRecordField<TCHCodeSW>, 2>& CodeSwitchFields();
const std::array<TRecordField<TSTBYRPData>, 5>& StandbyFields();
const std::array<TRecordField<TTonePair>, 2>& TwoToneFields();
const std::array<TRecordField<TSTTable>, 9>& ToneTableFields();

// Paging record over the 2-tone bytes.
inline constexpr TFieldDesc kPagingMode{0, 7, 0, 6};
inline constexpr TFieldDesc kPagingEncDec{0, 5, 0, 5};
inline constexpr TFieldDesc kPagingEmpty{0, 4, 0, 4};
inline constexpr std::array<TFieldDesc, 3> kPagingDigits{{{0, 3, 0, 0}, {1, 7, 1, 4}, {1, 3, 1, 0}}};

// Nibble k of a packed record, high nibble first.
constexpr TFieldDesc NibbleDesc(int32_t k) {
    return k % 2 == 0 ? TFieldDesc{k / 2, 7, k / 2, 4} : TFieldDesc{k / 2, 3, k / 2, 0};
}
// DTMF code: nibble 0 the length, nibbles 1..15 the digits.
inline constexpr int32_t kDtmfDigitCount = 15;

// Offset point: six decimal digit nibbles of the frequency (100 MHz down to
// 1 kHz, nibbles 0..5) and a signed value byte.
inline constexpr int32_t kOffsetDigitCount = 6;
inline constexpr TFieldDesc kOffsetValue{3, 7, 3, 0};

// MDC1200 ID record: message value and PTT ID, four hexadecimal digits each.
inline constexpr TFieldDesc kMdcMessageId{0, 7, 1, 0};
inline constexpr TFieldDesc kMdcPttId{2, 7, 3, 0};

// A record-relative descriptor moved to the record starting at `start`.
constexpr TFieldDesc At(TFieldDesc d, int32_t start) {
    return {d.FirstByte + start, d.FirstBit, d.LastByte + start, d.LastBit};
}
constexpr TFieldDesc ByteAt(int32_t address) {
    return {address, 7, address, 0};
}

// ---- The radio's copy of its identity blocks -------------------------------

// The radio keeps a copy of its identity blocks in auxiliary memory (image
// 0x3E00 and up): `Length` bytes from image offset `From` at `Copy`.
struct TIdentityCopy {
    int32_t From;
    int32_t Copy;
    int32_t Length;
};
inline constexpr std::array<TIdentityCopy, 5> kIdentityCopies{{
    {0x3200, 0x3E00, 26},
    {0x0000, 0x3E40, 63},
    {0x2F80, 0x3E80, 112},
    {0x0070, 0x3F00, 16},
    {0x3060, 0x3F60, 255},
}};

// The 16-bit sum (high byte first at `At`) over the identity codes.
inline constexpr int32_t kIdentitySumAt = 0x3202;
inline constexpr int32_t kIdentitySumFirst = 0x3204;
inline constexpr int32_t kIdentitySumLast = 0x3219;

// 8-bit sums over identity areas, stored after them.
struct TAreaSum {
    int32_t First;
    int32_t Last;
    int32_t At;
};
inline constexpr std::array<TAreaSum, 3> kAreaSums{{
    {0x0000, 0x003E, 0x003F},
    {0x2F80, 0x2FEE, 0x2FFF},
    {0x3060, 0x30FE, 0x30FF},
}};
