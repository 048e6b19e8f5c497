#pragma once
// The radio's 32 KB configuration memory, and the only way the rest of the
// program reads or writes a setting in it: through a field descriptor.

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "model/dc_Text.h"

// A contiguous big-endian run of bits: from bit FirstBit of FirstByte down to
// bit LastBit of LastByte, bit 7 being the most significant bit of a byte.
struct TFieldDesc {
    int32_t FirstByte;
    int32_t FirstBit;
    int32_t LastByte;
    int32_t LastBit;

    constexpr int32_t ByteCount() const { return LastByte - FirstByte + 1; }
    constexpr int32_t BitWidth() const { return 8 * (ByteCount() - 1) + FirstBit - LastBit + 1; }
    friend constexpr bool operator==(const TFieldDesc&, const TFieldDesc&) = default;
};

class TMap {
  public:
    static constexpr int32_t Size = 0x8000;

    std::array<uint8_t, Size> Buf{};

    void Clear();
    void Assign(const TMap& other);
    bool Equals(const TMap& other) const { return Buf == other.Buf; }

    uint32_t GetValue(TFieldDesc d) const;
    int32_t GetSignedValue(TFieldDesc d) const;
    void PutValue(TFieldDesc d, uint32_t value);
    void PutValue(TFieldDesc d, int32_t value) { PutValue(d, static_cast<uint32_t>(value)); }

    std::string GetText(TFieldDesc d) const;
    std::string GetTrimmedText(TFieldDesc d) const;
    std::string GetFilteredText(TFieldDesc d) const;
    std::string GetTrimmedFilteredText(TFieldDesc d) const;
    void PutText(TFieldDesc d, std::string_view text) { PutFilledText(d, text, 0x20); }
    void PutFilledText(TFieldDesc d, std::string_view text, uint8_t fill);

    std::string GetDigits(TFieldDesc d) const;
    void PutDigits(TFieldDesc d, std::string_view digits);
    std::string GetHexDigits(TFieldDesc d) const;
    void PutHexDigits(TFieldDesc d, std::string_view digits);

    void GetFlags(TFieldDesc d, int32_t count, std::span<int32_t> list) const;
    void PutFlags(TFieldDesc d, int32_t count, std::span<const int32_t> list);
};
