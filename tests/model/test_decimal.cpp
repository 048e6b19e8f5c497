#include <gtest/gtest.h>

#include <cmath>

#include "model/comma_locale.h"
#include "model/dc_Decimal.h"

namespace {

// Walks a band on a raster in Hz and checks that every frequency survives
// float -> TDecimal -> float -> TDecimal unchanged, with the shortest digits.
void CheckBand(int64_t lowHz, int64_t highHz, int64_t stepTimes8) {
    for (int64_t f8 = lowHz * 8; f8 <= highHz * 8; f8 += stepTimes8 * 97) {
        const int64_t hz = f8 / 8;
        if (f8 % 8 != 0) continue;
        const double mhz = static_cast<double>(hz) / 1e6;
        TDecimal d;
        d.SetFromFloat(mhz);
        ASSERT_EQ(d.IntPart, hz / 1000000) << hz;
        // Fraction digits exactly as the number is written, without trailing zeros.
        int64_t frac = hz % 1000000;
        int digits = 6;
        while (digits > 0 && frac % 10 == 0) {
            frac /= 10;
            --digits;
        }
        ASSERT_EQ(d.FracDigits, digits) << hz;
        ASSERT_EQ(d.FracValue, frac) << hz;
        ASSERT_EQ(d.ToFloat(), mhz) << hz;
        TDecimal again;
        again.SetFromFloat(d.ToFloat());
        ASSERT_TRUE(again.Equals(d)) << hz;
    }
}

} // namespace

TEST(Decimal, KnownValues) {
    TDecimal d;
    d.SetFromFloat(156.0125);
    EXPECT_EQ(d, TDecimal(1, 156, 125, 4));
    EXPECT_EQ(d.ToFloat(), 156.0125);

    d.SetFromFloat(446.00625);
    EXPECT_EQ(d, TDecimal(1, 446, 625, 5));
    EXPECT_EQ(d.ToText(), "446.00625");

    d.SetFromFloat(0.0);
    EXPECT_EQ(d, TDecimal(1, 0, 0, 0));

    d.SetFromFloat(-12.5);
    EXPECT_EQ(d, TDecimal(-1, 12, 5, 1));
    EXPECT_EQ(d.ToFloat(), -12.5);

    d.SetFromFloat(150.0);
    EXPECT_EQ(d, TDecimal(1, 150, 0, 0));
    EXPECT_EQ(d.ToFloat(), 150.0);

    // Leading zeros of the fraction are carried by the digit count.
    EXPECT_EQ(TDecimal(1, 156, 125, 5).ToFloat(), 156.00125);
}

TEST(Decimal, UnconvertibleValuesResetToZero) {
    TDecimal d(1, 5, 5, 1);
    d.SetFromFloat(1e20); // exponent form
    EXPECT_EQ(d, TDecimal());
    d = TDecimal(1, 5, 5, 1);
    d.SetFromFloat(1e-7);
    EXPECT_EQ(d, TDecimal());
    d = TDecimal(1, 5, 5, 1);
    d.SetFromFloat(std::nan(""));
    EXPECT_EQ(d, TDecimal());
    d.SetFromFloat(INFINITY);
    EXPECT_EQ(d, TDecimal());
    // 15 significant digits whose fraction does not fit 32 bits.
    d.SetFromFloat(1.23456789012345);
    EXPECT_EQ(d, TDecimal());
}

TEST(Decimal, SameRepresentationIsRequiredForEquality) {
    EXPECT_FALSE(TDecimal(1, 156, 125, 4).Equals(TDecimal(1, 156, 1250, 5)));
    EXPECT_DOUBLE_EQ(TDecimal(1, 156, 125, 4).ToFloat(), TDecimal(1, 156, 1250, 5).ToFloat());
}

TEST(Decimal, RoundTripsAcrossTheBandsOnEveryRaster) {
    for (int64_t step8 : {2500 * 8, 5000 * 8, 3125 * 8 / 1, 6250 * 8, 25000}) {
        CheckBand(29'700'000, 50'000'000, step8);
        CheckBand(136'000'000, 174'000'000, step8);
        CheckBand(400'000'000, 512'000'000, step8);
    }
}

TEST(Decimal, LocaleWithDecimalCommaChangesNothing) {
    TCommaLocale locale;
    if (!locale.Active()) GTEST_SKIP() << "no locale with a decimal comma on this machine";
    TDecimal d;
    d.SetFromFloat(156.0125);
    EXPECT_EQ(d, TDecimal(1, 156, 125, 4));
    EXPECT_EQ(d.ToFloat(), 156.0125);
    CheckBand(136'000'000, 174'000'000, 2500 * 8);
}
