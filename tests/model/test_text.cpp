#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "model/comma_locale.h"
#include "model/dc_Text.h"

namespace {

struct TTrimRow {
    const char* Name;
    std::string In;
    std::string Both;
    std::string Trailing;
};

TEST(Text, TrimCutsEveryCodeUpToTheBlank) {
    const TTrimRow rows[] = {
        {"Empty", "", "", ""},
        {"OnlyBlanks", " \t\r\n", "", ""},
        {"BothEnds", "  A B \t", "A B", "  A B"},
        {"ControlCodes", std::string("\x01X\x1F", 3), "X", std::string("\x01X", 2)},
        {"NulIsBlank", std::string("\0Y\0", 3), "Y", std::string("\0Y", 2)},
        {"HighBytesStay",
         "\xFF"
         "A\xA0",
         "\xFF"
         "A\xA0",
         "\xFF"
         "A\xA0"},
        {"DelStays", "A\x7F", "A\x7F", "A\x7F"},
    };
    for (const auto& r : rows) {
        EXPECT_EQ(TrimText(r.In), r.Both) << r.Name;
        EXPECT_EQ(TrimTrailingBlanks(r.In), r.Trailing) << r.Name;
    }
}

TEST(Text, CaseChangesAsciiLettersOnly) {
    EXPECT_EQ(UpperCase("com3 ab-z"), "COM3 AB-Z");
    EXPECT_EQ(LowerCase("COM3 AB-Z"), "com3 ab-z");
    // Latin-1 letters are bytes of the radio's character set, not letters.
    EXPECT_EQ(UpperCase("\xE9\xFF"), "\xE9\xFF");
    EXPECT_EQ(LowerCase("\xC9"), "\xC9");
}

struct TIntRow {
    const char* Name;
    const char* Text;
    int Base;
    std::optional<int32_t> Want;
};

TEST(Text, ParseIntTakesTheWholeTextOnly) {
    const TIntRow rows[] = {
        {"Plain", "42", 10, 42},
        {"Negative", "-7", 10, -7},
        {"PlusSign", "+7", 10, 7},
        {"PlusMinus", "+-7", 10, std::nullopt},
        {"DoubleMinus", "--7", 10, std::nullopt},
        {"Empty", "", 10, std::nullopt},
        {"SignAlone", "+", 10, std::nullopt},
        {"TrailingJunk", "12a", 10, std::nullopt},
        {"LeadingBlank", " 12", 10, std::nullopt},
        {"Max", "2147483647", 10, 2147483647},
        {"Min", "-2147483648", 10, INT32_MIN},
        {"PastMax", "2147483648", 10, std::nullopt},
        {"Hex", "fF", 16, 255},
        {"HexJunk", "0x1F", 16, std::nullopt},
    };
    for (const auto& r : rows)
        EXPECT_EQ(ParseInt(r.Text, r.Base), r.Want) << r.Name;
}

TEST(Text, FixedTextIgnoresADecimalCommaLocale) {
    const TCommaLocale locale;
    EXPECT_EQ(FixedText(150.0125, 6), "150.012500");
    EXPECT_EQ(FixedText(-3.0, 1), "-3.0");
    EXPECT_EQ(FixedText(0.05, 1), "0.1");
    EXPECT_EQ(FixedText(2.5, 0), "2");
    if (!locale.Active()) GTEST_SKIP() << "no decimal-comma locale installed";
}

} // namespace
