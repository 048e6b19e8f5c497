#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "image/dc_Map.h"

namespace {

// Reference model of a field: the list of (address, bit) pairs it covers,
// most significant first, derived independently of the access code.
std::vector<std::pair<int, int>> FieldBits(TFieldDesc d) {
    std::vector<std::pair<int, int>> bits;
    for (int a = d.FirstByte; a <= d.LastByte; ++a) {
        const int hi = a == d.FirstByte ? d.FirstBit : 7;
        const int lo = a == d.LastByte ? d.LastBit : 0;
        for (int b = hi; b >= lo; --b)
            bits.emplace_back(a, b);
    }
    return bits;
}

TFieldDesc RandomNumericField(std::mt19937& rng) {
    for (;;) {
        const int first = static_cast<int>(rng() % (TMap::Size - 4));
        const int n = 1 + static_cast<int>(rng() % 4);
        TFieldDesc d{first, static_cast<int>(rng() % 8), first + n - 1, static_cast<int>(rng() % 8)};
        if (n == 1 && d.FirstBit < d.LastBit) continue;
        if (d.BitWidth() > 32) continue;
        return d;
    }
}

void FillRandom(TMap& m, std::mt19937& rng) {
    for (auto& b : m.Buf)
        b = static_cast<uint8_t>(rng());
}

} // namespace

TEST(MapFieldAccess, RandomWritesStayInsideTheirFieldAndReadBack) {
    std::mt19937 rng(20261207);
    TMap m;
    for (int round = 0; round < 3000; ++round) {
        FillRandom(m, rng);
        const TMap before = m;
        const TFieldDesc d = RandomNumericField(rng);
        const uint32_t value = static_cast<uint32_t>(rng());
        m.PutValue(d, value);

        const auto bits = FieldBits(d);
        const int width = static_cast<int>(bits.size());
        ASSERT_EQ(width, d.BitWidth());
        const uint32_t mask = width == 32 ? 0xFFFFFFFFu : ((1u << width) - 1u);
        ASSERT_EQ(m.GetValue(d), value & mask)
            << "field " << d.FirstByte << "." << d.FirstBit << "-" << d.LastByte << "." << d.LastBit;

        // The written value, bit by bit, where the reference model says.
        for (int i = 0; i < width; ++i) {
            const auto [a, b] = bits[static_cast<size_t>(i)];
            const bool expected = ((value & mask) >> (width - 1 - i)) & 1u;
            ASSERT_EQ(((m.Buf[a] >> b) & 1) != 0, expected);
        }
        // Nothing outside the field moved.
        for (int a = d.FirstByte; a <= d.LastByte; ++a) {
            uint8_t fieldMask = 0;
            for (auto [fa, fb] : bits)
                if (fa == a) fieldMask = static_cast<uint8_t>(fieldMask | (1u << fb));
            ASSERT_EQ(m.Buf[a] & ~fieldMask & 0xFF, before.Buf[a] & ~fieldMask & 0xFF) << "byte " << a;
        }
        ASSERT_TRUE(
            std::equal(m.Buf.begin() + d.LastByte + 1, m.Buf.end(), before.Buf.begin() + d.LastByte + 1));
        ASSERT_TRUE(std::equal(m.Buf.begin(), m.Buf.begin() + d.FirstByte, before.Buf.begin()));
    }
}

TEST(MapFieldAccess, NumericEdgeCases) {
    TMap m;
    m.Buf[0x1C] = 0xA5;
    EXPECT_EQ(m.GetValue({0x1C, 7, 0x1C, 4}), 10u);
    EXPECT_EQ(m.GetValue({0x1C, 3, 0x1C, 0}), 5u);

    m.Buf[0x24] = 0xF8;
    EXPECT_EQ(m.GetSignedValue({0x24, 7, 0x24, 3}), -1);
    EXPECT_EQ(m.GetValue({0x24, 7, 0x24, 3}), 31u);
    // A field not starting at bit 7 never reads negative.
    EXPECT_EQ(m.GetSignedValue({0x24, 6, 0x24, 3}), 15);

    // Two-byte signed field: 0x8000 in 16 bits, shifted arithmetically.
    m.Buf[0x30] = 0x80;
    m.Buf[0x31] = 0x00;
    EXPECT_EQ(m.GetSignedValue({0x30, 7, 0x31, 0}), -32768);
    EXPECT_EQ(m.GetSignedValue({0x30, 7, 0x31, 4}), -2048);
    // Three bytes read unsigned whatever the top bit says.
    m.Buf[0x32] = 0xFF;
    EXPECT_EQ(m.GetSignedValue({0x30, 7, 0x32, 0}), 0x8000FF);

    m.Buf[0x40] = 0x5A;
    m.PutValue({0x40, 5, 0x40, 2}, 0x1FFu);
    EXPECT_EQ(m.Buf[0x40], 0x5A | 0x3C);

    m.Buf[0x11] = 0x50;
    m.Buf[0x12] = 0x00;
    m.PutValue({0x11, 3, 0x12, 0}, 0xABCu);
    EXPECT_EQ(m.Buf[0x11], 0x5A);
    EXPECT_EQ(m.Buf[0x12], 0xBC);

    // Negative values are written as their pattern cut to the width.
    m.PutValue({0x50, 7, 0x50, 4}, -1);
    EXPECT_EQ(m.Buf[0x50], 0xF0);
    EXPECT_EQ(m.GetSignedValue({0x50, 7, 0x50, 4}), -1);

    m.PutValue({0x3100, 7, 0x3103, 0}, 0x12345678u);
    EXPECT_EQ(m.Buf[0x3100], 0x12);
    EXPECT_EQ(m.Buf[0x3103], 0x78);
    EXPECT_EQ(m.GetValue({0x3100, 7, 0x3103, 0}), 0x12345678u);
}

TEST(MapFieldAccess, Texts) {
    TMap m;
    const TFieldDesc four{0x100, 7, 0x103, 0};
    m.Buf[0x100] = 0x41;
    m.Buf[0x101] = 0x42;
    m.Buf[0x102] = 0x00;
    m.Buf[0x103] = 0x7F;
    EXPECT_EQ(m.GetText(four), "AB  ");
    EXPECT_EQ(m.GetTrimmedText(four), "AB");

    const TFieldDesc five{0x200, 7, 0x204, 0};
    const uint8_t bytes[] = {0x41, 0x01, 0x42, 0xFF, 0x7F};
    std::copy(std::begin(bytes), std::end(bytes), m.Buf.begin() + 0x200);
    EXPECT_EQ(m.GetFilteredText(five), std::string("AB\xFF ", 4));
    EXPECT_EQ(m.GetTrimmedFilteredText(five), std::string("AB\xFF", 3));

    const TFieldDesc eight{0x300, 7, 0x307, 0};
    m.Buf[0x308] = 0x99;
    m.PutText(eight, "HELLO");
    EXPECT_EQ(std::string(m.Buf.begin() + 0x300, m.Buf.begin() + 0x308), "HELLO   ");
    m.PutText(eight, "ABCDEFGHIJ");
    EXPECT_EQ(std::string(m.Buf.begin() + 0x300, m.Buf.begin() + 0x308), "ABCDEFGH");
    EXPECT_EQ(m.Buf[0x308], 0x99);
    m.PutFilledText(eight, "AB", 0x7F);
    EXPECT_EQ(m.Buf[0x302], 0x7F);
    EXPECT_EQ(m.Buf[0x307], 0x7F);
    // Characters are copied unvalidated, also those the reader hides.
    m.PutText(eight, std::string("\x01\xFF", 2));
    EXPECT_EQ(m.Buf[0x300], 0x01);
    EXPECT_EQ(m.Buf[0x301], 0xFF);
}

TEST(MapFieldAccess, PackedDigits) {
    TMap m;
    const TFieldDesc two{0x400, 7, 0x401, 0};
    m.Buf[0x401] = 0x77;
    m.PutDigits(two, "12A4");
    EXPECT_EQ(m.Buf[0x400], 0x12);
    EXPECT_EQ(m.Buf[0x401], 0x77);

    m.Buf[0x400] = 0x12;
    m.Buf[0x401] = 0xFF;
    EXPECT_EQ(m.GetDigits(two), "12");
    EXPECT_EQ(m.GetHexDigits(two), "12FF");

    m.PutHexDigits(two, "1a");
    EXPECT_EQ(m.Buf[0x400], 0x10);
    m.PutHexDigits(two, "ABCDEF"); // longer than the field: cut at its end
    EXPECT_EQ(m.Buf[0x400], 0xAB);
    EXPECT_EQ(m.Buf[0x401], 0xCD);
    EXPECT_EQ(m.Buf[0x402], 0x00);

    // A field starting below bit 7 begins with the low nibble, and the walk
    // always ends after the low nibble of the last byte.
    m.Buf[0x500] = 0xE0;
    m.Buf[0x501] = 0x00;
    m.PutDigits({0x500, 3, 0x501, 4}, "987");
    EXPECT_EQ(m.Buf[0x500], 0xE9);
    EXPECT_EQ(m.Buf[0x501], 0x87);
    EXPECT_EQ(m.GetDigits({0x500, 3, 0x501, 4}), "987");
    EXPECT_EQ(m.GetHexDigits({0x500, 3, 0x501, 4}), "987");
}

TEST(MapFieldAccess, FlagListsUseTheirOwnBitOrder) {
    TMap m;
    // 250 flags: 31 whole bytes and a tail descriptor of bits 1..0.
    const TFieldDesc body{0x600, 7, 0x61E, 0};
    const TFieldDesc tail{0x61F, 1, 0x61F, 0};
    std::vector<int32_t> flags(250);
    std::mt19937 rng(7);
    for (auto& f : flags)
        f = static_cast<int32_t>(rng() % 3); // non-zero means set
    m.Buf[0x61F] = 0xA8;                     // bits above the tail stay
    m.PutFlags(body, 248, std::span<const int32_t>(flags.data(), 248));
    m.PutFlags(tail, 2, std::span<const int32_t>(flags.data() + 248, 2));
    EXPECT_EQ(m.Buf[0x61F] & 0xFC, 0xA8);
    EXPECT_EQ(m.Buf[0x600] & 1, flags[0] != 0);
    EXPECT_EQ((m.Buf[0x600] >> 7) & 1, flags[7] != 0);
    EXPECT_EQ(m.Buf[0x601] & 1, flags[8] != 0);

    std::vector<int32_t> back(250, -1);
    m.GetFlags(body, 248, back);
    m.GetFlags(tail, 2, std::span<int32_t>(back.data() + 248, 2));
    for (size_t i = 0; i < 250; ++i)
        ASSERT_EQ(back[i], flags[i] != 0 ? 1 : 0) << i;
}

TEST(MapFieldAccess, ClearAndAssign) {
    TMap a, b;
    a.Buf[5] = 1;
    a.Buf[0x7FFF] = 2;
    b.Assign(a);
    EXPECT_TRUE(b.Equals(a));
    a.Clear();
    EXPECT_EQ(b.Buf[0x7FFF], 2);
    EXPECT_EQ(a.Buf[0x7FFF], 0);
}
