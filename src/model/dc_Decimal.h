#pragma once
// A frequency kept as decimal digits, so that 156.0125 MHz stays exactly that
// through every edit, save and load.

#include <cstdint>
#include <string>

class TDecimal {
  public:
    int32_t Sign = 1;
    int32_t IntPart = 0;
    int32_t FracValue = 0;
    int32_t FracDigits = 0;

    TDecimal() = default;
    TDecimal(int32_t sign, int32_t intPart, int32_t fracValue, int32_t fracDigits)
        : Sign(sign), IntPart(intPart), FracValue(fracValue), FracDigits(fracDigits) {}

    void Assign(const TDecimal& other) { *this = other; }
    bool Equals(const TDecimal& other) const { return *this == other; }
    friend bool operator==(const TDecimal&, const TDecimal&) = default;

    void SetFromFloat(double x);
    double ToFloat() const;
    // "%d.%*.*d" of IntPart and the zero-padded fraction, without the sign.
    std::string ToText() const;
};

// The shortest decimal text of x with 15 significant digits, '.' as separator,
// whatever the process locale says.
std::string FloatToText15(double x);
// Reads a decimal number ("-12.5", "156.0125") independent of the locale.
// Returns false on anything else (empty text, trailing characters, exponent).
bool TextToFloat(const std::string& text, double& out);
// Typed numbers may use "," as the decimal separator, as many keyboards
// offer it; every "," becomes ".".
std::string WithDecimalPoint(std::string text);
