#pragma once

#include <QString>

#include <cstdint>
#include <optional>

namespace talvex {

// Trap numbers the conversions end the program with when they are handed what they cannot encode.
inline constexpr int kTrapBcdEmpty = 16;
inline constexpr int kTrapDecimalEmpty = 79;
inline constexpr int kTrapDecimalRange = 179;

struct BcdByte {
    std::uint8_t byte = 0;
    int trap = 0;  // non-zero: the text cannot be encoded, this is why
    bool ok() const { return trap == 0; }
};

// The numeric value of a text read the way typed numbers always were: blanks are ignored,
// the leading number counts, a text that starts with no number is 0.
double LeadingNumber(const QString& text);
// The same, but nothing when the text does not start with a number ("abc", "", "-").
std::optional<double> LeadingNumberOf(const QString& text);

// One typed decimal number 0-179 as the byte that carries it: 0-99 as packed BCD, 100-109 as
// A0-A9, 110-179 as BA-FF. Empty text, negative values and values above 179 cannot be encoded.
BcdByte DecimalToBcd(const QString& text);

// The decimal value of one packed BCD byte; nibbles above 9 are taken at face value (AB -> 111).
int BcdToDecimal(std::uint8_t byte);

// A whole number in [low, high] typed as plain digits (blanks around allowed), or nothing.
std::optional<int> WholeNumberIn(const QString& text, int low, int high);

}  // namespace talvex
