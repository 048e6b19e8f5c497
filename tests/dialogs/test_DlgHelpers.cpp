// The text rules every settings dialog shares: filters, normalisations and
// the numeric edit conversions.
#include <gtest/gtest.h>

#include <string>

#include "dialogs/dc_DlgHelpers.h"

namespace {

// Every byte a filter accepts, as it is entered.
std::string Accepted(TCharFilter f) {
    std::string out;
    for (int c = 1; c < 256; ++c) {
        const char r = FilterChar(f, static_cast<char>(c));
        if (r != '\0' && r != kBackspace) out += r;
    }
    return out;
}

std::string Range(int first, int last) {
    std::string s;
    for (int c = first; c <= last; ++c)
        s += static_cast<char>(c);
    return s;
}

TEST(DlgFilters, EachFilterAcceptsExactlyItsCharacters) {
    const std::string upperText = Range(0x20, 0x5F);
    std::string tag;
    for (char c : Range(0x20, 0x7F))
        if (std::string_view("!\"$',;=?[]^~|{}`").find(c) == std::string_view::npos) tag += c;
    struct Case {
        TCharFilter Filter;
        std::string Expected; // sorted by the byte typed
    };
    const Case cases[] = {
        {TCharFilter::Digits, "0123456789"},
        {TCharFilter::Decimal, ",.0123456789"},
        {TCharFilter::SignedDecimal, "+,-.0123456789"},
        {TCharFilter::Frequency, " ,.0123456789"},
        {TCharFilter::Printable, Range(0x20, 0x7E)},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Accepted(c.Filter), c.Expected) << static_cast<int>(c.Filter);

    // The upper-casing filters: lower-case letters come out upper-cased.
    EXPECT_EQ(Accepted(TCharFilter::Hexadecimal), "0123456789ABCDEFABCDEF");
    EXPECT_EQ(Accepted(TCharFilter::Dtmf), "#*0123456789ABCDABCD");
    const std::string ut = Accepted(TCharFilter::UpperText);
    EXPECT_EQ(ut, upperText + "ABCDEFGHIJKLMNOPQRSTUVWXYZ");
    const std::string tg = Accepted(TCharFilter::Tag);
    EXPECT_EQ(tg.find_first_of("abcdefghijklmnopqrstuvwxyz!\"$',;=?[]^~|{}`"), std::string::npos);
    EXPECT_EQ(FilterChar(TCharFilter::Tag, 'q'), 'Q');
    EXPECT_EQ(FilterChar(TCharFilter::Tag, '#'), '#');
    EXPECT_EQ(FilterChar(TCharFilter::Tag, '\x7f'), '\x7f');
    EXPECT_EQ(FilterChar(TCharFilter::Tag, '\xe9'), '\0'); // Latin-1 letters are not tag characters

    for (auto f : {TCharFilter::Digits, TCharFilter::Decimal, TCharFilter::SignedDecimal,
                   TCharFilter::Hexadecimal, TCharFilter::Printable, TCharFilter::UpperText,
                   TCharFilter::Frequency, TCharFilter::Tag, TCharFilter::Dtmf})
        EXPECT_EQ(FilterChar(f, kBackspace), kBackspace);
}

TEST(DlgNormalise, SignedDecimalText) {
    const std::pair<const char*, const char*> cases[] = {
        {" -3 ", "-3"}, {"1,5", "1.5"}, {"+2.25", "+2.25"}, {"150", "150"}, {"", "0"},
        {"1x", ""},     {"++1", "0"},   {"--1", "0"},       {"1-", "0"},    {"1.2.3", "0"},
        {"+-1", "0"},   {",", "0"},     {"-", "0"},         {"12 3", ""},
    };
    for (const auto& [in, out] : cases)
        EXPECT_EQ(NormalizeSignedDecimalText(in), out) << in;
}

TEST(DlgNormalise, DtmfText) {
    const std::pair<const char*, const char*> cases[] = {
        {" 1a *#d ", "1A*#D"}, {"123", "123"}, {"12E", ""}, {"", ""}, {"1-2", ""},
    };
    for (const auto& [in, out] : cases)
        EXPECT_EQ(NormalizeDtmfText(in), out) << in;
}

TEST(DlgNumbers, IsNonNegativeInteger) {
    for (const char* yes : {"0", "7", "320", "+5", "2147483647"})
        EXPECT_TRUE(IsNonNegativeInteger(yes)) << yes;
    for (const char* no :
         {"", " ", "-1", "1.5", "12a", " 5", "2147483648", "99999999999999999999", "+", "+-1"})
        EXPECT_FALSE(IsNonNegativeInteger(no)) << no;
}

TEST(DlgNumbers, IntegerEditRules) {
    const TIntEditRule sqRelease{5, 5, 320, "msec", 5, TIntEditRule::Nearest, 10, 0};
    const TIntEditRule aniDelay{0, 0, 1000, "msec", 20, TIntEditRule::Down, 10, 0};
    const TIntEditRule afMin{52, 52, 127, "", 1, TIntEditRule::Nearest, 10, 0};
    const TIntEditRule pttId{1, 1, 0xDEEE, "", 1, TIntEditRule::Nearest, 16, 4};
    struct Case {
        const TIntEditRule* Rule;
        const char* Text;
        const char* Display;
        const char* Bare;
    };
    const Case cases[] = {
        {&sqRelease, "7", "5 msec", "7"},
        {&sqRelease, "333", "320 msec", "320"},
        {&sqRelease, "243 msec", "245 msec", "243"},
        {&sqRelease, "", "5 msec", "5"},
        {&sqRelease, "1.5", "5 msec", "5"},
        {&sqRelease, "318", "320 msec", "318"},
        {&aniDelay, "1015", "1000 msec", "1000"},
        {&aniDelay, "39", "20 msec", "39"},
        {&aniDelay, "x", "0 msec", "0"},
        {&afMin, "200", "127", "127"},
        {&afMin, "10", "52", "52"},
        {&afMin, "", "52", "52"},
        {&pttId, "0", "0001", "0001"},
        {&pttId, "FFFF", "DEEE", "DEEE"},
        {&pttId, "1a2", "01A2", "01A2"},
    };
    for (const auto& c : cases) {
        const TEditConverter conv = IntEditConverter(*c.Rule);
        EXPECT_EQ(conv.Display(c.Text), c.Display) << c.Text;
        EXPECT_EQ(conv.Edit(c.Text), c.Bare) << c.Text;
        // The display text reads back as the value it shows.
        EXPECT_EQ(conv.Display(conv.Display(c.Text)), c.Display) << c.Text;
    }
}

TEST(DlgNumbers, DecimalEditRule) {
    const TDecimalEditRule split{0, -99.9, 99.9, 1, "MHz"};
    struct Case {
        const char* Text;
        const char* Display;
        double Value;
    };
    const Case cases[] = {
        {"150", "99.9 MHz", 99.9},   {"-3", "-3.0 MHz", -3.0}, {"5,25 MHz", "5.2 MHz", 5.25},
        {"+7", "7.0 MHz", 7.0},      {"x", "0.0 MHz", 0.0},    {"", "0.0 MHz", 0.0},
        {"-0.01", "0.0 MHz", -0.01}, {"--1", "0.0 MHz", 0.0},
    };
    for (const auto& c : cases) {
        EXPECT_DOUBLE_EQ(ParseDecimalEdit(split, c.Text), c.Value) << c.Text;
        EXPECT_EQ(DecimalEditConverter(split).Display(c.Text), c.Display) << c.Text;
    }
    EXPECT_EQ(DecimalEditConverter(split).Edit("5.0 MHz"), "5.0");
}

TEST(DlgFilters, SerialNumberDependsOnThePosition) {
    const TPositionFilter normal = SerialNumberFilter(false);
    const TPositionFilter special = SerialNumberFilter(true);
    EXPECT_EQ(normal('5', 0), '5');
    EXPECT_EQ(normal('c', 0), '\0');
    EXPECT_EQ(normal('c', 1), 'C');
    EXPECT_EQ(normal('n', 1), 'N');
    EXPECT_EQ(normal('O', 1), '\0');
    EXPECT_EQ(normal('7', 1), '\0');
    EXPECT_EQ(normal('7', 2), '7');
    EXPECT_EQ(normal('C', 5), '\0');
    EXPECT_EQ(normal(kBackspace, 3), kBackspace);
    EXPECT_EQ(special('c', 4), 'c');
    EXPECT_EQ(special('\x7F', 0), '\0');
}

TEST(DlgNumbers, FormatFixedIgnoresTheLocale) {
    EXPECT_EQ(FormatFixed(150.0125, 6, 3), "150.012500");
    EXPECT_EQ(FormatFixed(0.0, 6, 3), "0.000000");
    EXPECT_EQ(FormatFixed(-3.0, 1), "-3.0");
}

} // namespace
