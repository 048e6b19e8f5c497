#pragma once
// Bit masks over the image built from the layout tables, for the codec tests.

#include <array>
#include <cstdint>
#include <random>

#include "image/dc_Map.h"
#include "image/dc_Map36Const.h"

namespace map36test {

using TMask = std::array<uint8_t, TMap::Size>;

inline void AddBits(TMask& mask, TFieldDesc d) {
    for (int32_t a = d.FirstByte; a <= d.LastByte; ++a) {
        const int hi = a == d.FirstByte ? d.FirstBit : 7;
        const int lo = a == d.LastByte ? d.LastBit : 0;
        for (int b = hi; b >= lo; --b)
            mask[static_cast<size_t>(a)] |= static_cast<uint8_t>(1u << b);
    }
}

template <class Rec, size_t N>
void AddRecords(TMask& mask, const TAreaLayout& area, int32_t count,
                const std::array<TRecordField<Rec>, N>& fields) {
    for (int32_t i = 0; i < count; ++i)
        for (const auto& f : fields)
            if (f.Coding != fcKept) AddBits(mask, At(f.Desc, area.RecordStart(i)));
}

inline void AddBytes(TMask& mask, int32_t first, int32_t count) {
    for (int32_t a = first; a < first + count; ++a)
        mask[static_cast<size_t>(a)] = 0xFF;
}

// The single settings (scalars, texts, flag lists, serial number fields),
// in both directions unless `encodedOnly`.
inline void AddCommonSettings(TMask& mask, bool encodedOnly, bool withSerial) {
    for (const auto& f : ScalarFields())
        if (!encodedOnly || f.Direction != fdDecodeOnly) AddBits(mask, f.Desc);
    for (const auto& f : TextFields())
        if (!encodedOnly || f.Direction != fdDecodeOnly) AddBits(mask, f.Desc);
    for (const auto& f : FlagListFields()) {
        AddBits(mask, f.First248);
        AddBits(mask, f.Last2);
    }
    AddBits(mask, kBlankFlags248);
    AddBits(mask, kBlankFlags2);
    if (withSerial) {
        AddBits(mask, kSerialDigit);
        AddBits(mask, kSerialLetter);
        for (auto d : kSerialPairs)
            AddBits(mask, d);
        for (int32_t i = 0; i < kSerialTextLength; ++i)
            AddBits(mask, SerialTextChar(i));
    }
}

// Every bit the encoder may write: what the layout assigns to it in the
// encode direction (the serial number only in manufacture mode).
inline TMask EncodeMask(bool withSerial) {
    TMask mask{};
    AddCommonSettings(mask, true, withSerial);
    AddRecords(mask, kChannelArea, kChannelArea.EncodeCount, ChannelFields());
    AddRecords(mask, kCodeSwitchArea, kCodeSwitchArea.EncodeCount, CodeSwitchFields());
    AddRecords(mask, kStandbyArea, kStandbyArea.EncodeCount, StandbyFields());
    AddRecords(mask, kTwoToneArea, kTwoToneArea.EncodeCount, TwoToneFields());
    for (const TAreaLayout* a : {&kAniCodeArea, &kEmergencyCodeArea})
        AddBytes(mask, a->Anchor.FirstByte, a->RecordSize);
    AddBytes(mask, kGroupSizeArea.Anchor.FirstByte, kGroupSizeArea.EncodeCount);
    AddBytes(mask, kGroupNameArea.Anchor.FirstByte, kGroupNameArea.EncodeCount * kGroupNameArea.RecordSize);
    AddBytes(mask, kGroupPriorityArea.Anchor.FirstByte, kGroupPriorityArea.EncodeCount);
    for (const auto& t : kToneTableAreas) {
        AddBits(mask, t.UseBits);
        AddRecords(mask, t.Records, t.Records.EncodeCount, ToneTableFields());
        AddBytes(mask, t.Tags.Anchor.FirstByte, t.Tags.EncodeCount * t.Tags.RecordSize);
    }
    AddBytes(mask, kMdcIdArea.Anchor.FirstByte, kMdcIdArea.EncodeCount * kMdcIdArea.RecordSize);
    return mask;
}

inline void FillRandom(TMap& map, std::mt19937& rng) {
    for (auto& b : map.Buf)
        b = static_cast<uint8_t>(rng());
}

// Makes every band-limit pair the single frequency `hz`, so that every
// channel frequency of an otherwise random image is clamped to a whole
// number of Hz and the encoder can write it.
inline void PinBandEdges(TMap& map, uint32_t hz) {
    for (int32_t p = 0; p < kBandLimitPairs; ++p) {
        map.PutValue(BandLowerEdgeDesc(p), hz);
        map.PutValue(BandUpperEdgeDesc(p), hz);
    }
}

} // namespace map36test
