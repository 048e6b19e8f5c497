#include "image/dc_Map.h"

#include <algorithm>

namespace {

// Mask of the field's bits inside byte i (0-based from FirstByte).
uint8_t ByteMask(const TFieldDesc& d, int32_t i) {
    const int32_t n = d.ByteCount();
    const int hi = (i == 0) ? d.FirstBit : 7;
    const int lo = (i == n - 1) ? d.LastBit : 0;
    if (hi < lo) return 0;
    return static_cast<uint8_t>(((0xFFu << lo) & (0xFFu >> (7 - hi))) & 0xFFu);
}

bool TestBit(uint8_t b, int bit) {
    return bit >= 0 && bit <= 7 && ((b >> bit) & 1u) != 0;
}

void SetBit(uint8_t& b, int bit, int32_t value) {
    if (bit < 0 || bit > 7) return;
    if (value > 0)
        b = static_cast<uint8_t>(b | (1u << bit));
    else
        b = static_cast<uint8_t>(b & ~(1u << bit));
}

// Walks a field nibble by nibble: first nibble is the high one when FirstBit
// is 7, else the low one; ends after the low nibble of LastByte.
template <class F> void WalkNibbles(const TFieldDesc& d, F&& visit) {
    int32_t addr = d.FirstByte;
    bool high = d.FirstBit == 7;
    while (addr <= d.LastByte) {
        if (!visit(addr, high)) return;
        if (high) {
            high = false;
        } else {
            high = true;
            ++addr;
        }
    }
}

} // namespace

void TMap::Clear() {
    Buf.fill(0);
}

void TMap::Assign(const TMap& other) {
    Buf = other.Buf;
}

uint32_t TMap::GetValue(TFieldDesc d) const {
    const int32_t n = d.ByteCount();
    uint32_t v = 0;
    for (int32_t i = 0; i < n; ++i)
        v = (v << 8) | (Buf[d.FirstByte + i] & ByteMask(d, i));
    return v >> d.LastBit;
}

int32_t TMap::GetSignedValue(TFieldDesc d) const {
    const int32_t n = d.ByteCount();
    if (n == 1) {
        const auto v = static_cast<int8_t>(Buf[d.FirstByte] & ByteMask(d, 0));
        return v >> d.LastBit;
    }
    if (n == 2) {
        const auto v = static_cast<int16_t>(((Buf[d.FirstByte] & ByteMask(d, 0)) << 8) |
                                            (Buf[d.FirstByte + 1] & ByteMask(d, 1)));
        return v >> d.LastBit;
    }
    return static_cast<int32_t>(GetValue(d));
}

void TMap::PutValue(TFieldDesc d, uint32_t value) {
    const int32_t n = d.ByteCount();
    uint32_t shifted = value << d.LastBit;
    if (n == 1) shifted &= 0xFFu;
    if (n == 2) shifted &= 0xFFFFu;
    for (int32_t i = 0; i < n; ++i) {
        const uint8_t mask = ByteMask(d, i);
        const auto part = static_cast<uint8_t>(shifted >> (8 * (n - 1 - i)));
        uint8_t& b = Buf[d.FirstByte + i];
        b = static_cast<uint8_t>((b & ~mask) | (part & mask));
    }
}

std::string TMap::GetText(TFieldDesc d) const {
    std::string s;
    s.reserve(d.ByteCount());
    for (int32_t a = d.FirstByte; a <= d.LastByte; ++a) {
        const uint8_t c = Buf[a];
        s.push_back(c >= 0x20 && c <= 0x7E ? static_cast<char>(c) : ' ');
    }
    return s;
}

std::string TMap::GetTrimmedText(TFieldDesc d) const {
    return TrimTrailingBlanks(GetText(d));
}

std::string TMap::GetFilteredText(TFieldDesc d) const {
    std::string s;
    for (int32_t a = d.FirstByte; a <= d.LastByte; ++a) {
        const uint8_t c = Buf[a];
        if (c >= 0x20 && c <= 0x7E)
            s.push_back(static_cast<char>(c));
        else if (c == 0x7F)
            s.push_back(' ');
        else if (c == 0xFF)
            s.push_back(static_cast<char>(0xFF));
    }
    return s;
}

std::string TMap::GetTrimmedFilteredText(TFieldDesc d) const {
    return TrimTrailingBlanks(GetFilteredText(d));
}

void TMap::PutFilledText(TFieldDesc d, std::string_view text, uint8_t fill) {
    const int32_t n = d.ByteCount();
    std::fill_n(Buf.begin() + d.FirstByte, n, fill);
    const auto len = std::min<size_t>(static_cast<size_t>(n), text.size());
    for (size_t i = 0; i < len; ++i)
        Buf[d.FirstByte + i] = static_cast<uint8_t>(text[i]);
}

std::string TMap::GetDigits(TFieldDesc d) const {
    std::string s;
    WalkNibbles(d, [&](int32_t addr, bool high) {
        const int v = high ? (Buf[addr] >> 4) : (Buf[addr] & 0x0F);
        if (v <= 9) s.push_back(static_cast<char>('0' + v));
        return true;
    });
    return s;
}

std::string TMap::GetHexDigits(TFieldDesc d) const {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string s;
    WalkNibbles(d, [&](int32_t addr, bool high) {
        s.push_back(kHex[high ? (Buf[addr] >> 4) : (Buf[addr] & 0x0F)]);
        return true;
    });
    return s;
}

namespace {
void PutNibble(uint8_t& b, bool high, int v) {
    b = high ? static_cast<uint8_t>((b & 0x0F) | (v << 4)) : static_cast<uint8_t>((b & 0xF0) | (v & 0x0F));
}
} // namespace

void TMap::PutDigits(TFieldDesc d, std::string_view digits) {
    size_t i = 0;
    WalkNibbles(d, [&](int32_t addr, bool high) {
        if (i >= digits.size() || digits[i] < '0' || digits[i] > '9') return false;
        PutNibble(Buf[addr], high, digits[i] - '0');
        ++i;
        return true;
    });
}

void TMap::PutHexDigits(TFieldDesc d, std::string_view digits) {
    size_t i = 0;
    WalkNibbles(d, [&](int32_t addr, bool high) {
        if (i >= digits.size()) return false;
        const char c = digits[i++];
        int v = 0;
        if (c >= '0' && c <= '9')
            v = c - '0';
        else if (c >= 'A' && c <= 'F')
            v = c - 'A' + 10;
        PutNibble(Buf[addr], high, v);
        return true;
    });
}

void TMap::GetFlags(TFieldDesc d, int32_t count, std::span<int32_t> list) const {
    int32_t k = 0;
    for (int32_t a = d.FirstByte; a <= d.LastByte && k < count; ++a)
        for (int bit = 0; bit <= 7 && k < count; ++bit)
            list[k++] = TestBit(Buf[a], bit) ? 1 : 0;
}

void TMap::PutFlags(TFieldDesc d, int32_t count, std::span<const int32_t> list) {
    // Literally LastBit..FirstBit in every byte: flag descriptors are whole
    // bytes except a one-byte tail descriptor of its own.
    int32_t k = 0;
    for (int32_t a = d.FirstByte; a <= d.LastByte && k < count; ++a)
        for (int bit = d.LastBit; bit <= d.FirstBit && k < count; ++bit)
            SetBit(Buf[a], bit, list[k++] != 0 ? 1 : 0);
}
