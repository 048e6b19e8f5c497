#pragma once
// The text side of every settings dialog, kept free of the window system so
// it can be tested on its own: which characters an edit accepts, how typed
// texts are tidied up, and how a numeric edit turns its text into a value,
// into the bare value shown while editing and into the display text.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

// The character filters of the edit fields. Every filter also accepts
// backspace; the upper-casing filters hand back the converted character.
enum class TCharFilter {
    Any,           // no filter
    Digits,        // "0".."9"
    Decimal,       // digits, "," and "."
    SignedDecimal, // "+", ",", "-", "." and digits
    Hexadecimal,   // digits and "A".."F", upper-cased
    Printable,     // 0x20..0x7E
    UpperText,     // upper-cased, 0x20..0x5F
    Frequency,     // ".", ",", blank and digits
    Tag,           // upper-cased, 0x20..0x7F without !"$',;=?[]^~|{}`
    Dtmf,          // upper-cased, digits, "A".."D", "*" and "#"
};

constexpr char kBackspace = '\b';

// The character to enter for a typed `c`, or '\0' when the filter refuses it.
char FilterChar(TCharFilter filter, char c);

// A filter whose answer depends on where the character goes: the character
// to enter for `c` typed at `position` (0 the first), or '\0' to refuse it.
using TPositionFilter = std::function<char(char c, int position)>;
// The serial number: printable characters; the second must be a letter "C"
// to "N" (upper-cased) and every other one a digit, unless the model is a
// special one, which takes any printable character anywhere.
TPositionFilter SerialNumberFilter(bool specialModel);

// Trimmed; empty when any character fails the signed-decimal filter; "0" for
// more than one "+" or "-", or for anything that then does not read as a
// number; every "," becomes ".".
std::string NormalizeSignedDecimalText(std::string_view text);
// Blanks removed, letters upper-cased; empty when any other character fails
// the DTMF filter.
std::string NormalizeDtmfText(std::string_view text);

// Not empty and reads completely as an integer >= 0 (that fits 32 bits).
bool IsNonNegativeInteger(std::string_view text);
// The value of a text for which IsNonNegativeInteger holds; `fallback` otherwise.
int32_t NonNegativeIntegerOr(std::string_view text, int32_t fallback);

// A "%3.6f"-style fixed text, whatever the locale: at least `width`
// characters, `decimals` digits after the point.
std::string FormatFixed(double value, int decimals, int width = 0);

// How an edit field's text is read and shown. ToEdit gives the bare value
// for the edit form, ToDisplay the normalised text (with its unit) for the
// display form. Both take whatever the field holds, in either form.
struct TEditConverter {
    std::function<std::string(const std::string&)> ToEdit;
    std::function<std::string(const std::string&)> ToDisplay;

    std::string Edit(const std::string& text) const { return ToEdit ? ToEdit(text) : text; }
    std::string Display(const std::string& text) const { return ToDisplay ? ToDisplay(text) : text; }
};

// Most numeric edits follow one rule: drop a unit, read an integer (decimal
// or hexadecimal), fall back to a default, clamp, round to a step, and show
// the value with or without its unit.
struct TIntEditRule {
    enum TRounding { Nearest, Down };

    int32_t Default = 0;
    int32_t Min = 0;
    int32_t Max = 0;
    std::string Unit; // "msec": cut off (with what follows) before reading; shown as "%d %s"
    int32_t Step = 1; // display rounds to a multiple of Step
    TRounding Rounding = Nearest;
    int32_t Base = 10;     // 10 or 16
    int32_t HexDigits = 4; // hexadecimal: zero-padded upper-case width
};

// The value of the text: the part before the unit, trimmed, read as a
// non-negative integer (the default when it is not one), then clamped.
int32_t ParseIntEdit(const TIntEditRule& rule, std::string_view text);
// The value rounded to the rule's step (and clamped again) as it is shown.
int32_t RoundIntEdit(const TIntEditRule& rule, int32_t value);
std::string IntEditDisplay(const TIntEditRule& rule, int32_t value);
std::string IntEditBare(const TIntEditRule& rule, int32_t value);
TEditConverter IntEditConverter(const TIntEditRule& rule);

// A signed decimal edit ("5.0 MHz"): drop the unit, read a number ("," or
// "." as the point), fall back to a default, clamp, show with a fixed count
// of decimals.
struct TDecimalEditRule {
    double Default = 0;
    double Min = 0;
    double Max = 0;
    int Decimals = 1;
    std::string Unit; // shown as "%.*f %s"
};

double ParseDecimalEdit(const TDecimalEditRule& rule, std::string_view text);
std::string DecimalEditBare(const TDecimalEditRule& rule, double value);
std::string DecimalEditDisplay(const TDecimalEditRule& rule, double value);
TEditConverter DecimalEditConverter(const TDecimalEditRule& rule);
