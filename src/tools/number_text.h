// The text forms of numbers: what counts as numeric, and how a single or a whole number is
// written. Built on to_chars/from_chars, so the locale never changes a file.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace kavo::tools {

// The value of a trimmed text that is numeric (optional sign, digits with at most one
// decimal point, optional exponent); nullopt otherwise (the empty text included).
std::optional<double> ParseNumber(std::string_view text);

// The value of a trimmed numeric text that is a whole number from `lowest` to `highest`;
// nullopt for any other text. Every whole number taken from input passes through here, so
// no value out of range ever reaches an integer.
std::optional<int> ParseWholeNumber(std::string_view text, int lowest, int highest);

// The seven significant digits of a finite, non-zero single as std::to_chars gives them in
// scientific form with six decimals: rounded from the exact binary value, ties to even.
// |value| = digits x 10^(exponent - 6), 1,000,000 <= digits <= 9,999,999.
struct SevenDigits {
    bool negative = false;
    std::uint32_t digits = 0;
    int exponent = 0;
};
SevenDigits SevenSignificantDigits(float value);

// A single written with at most seven significant digits, without a leading blank and
// without trailing zeros; a whole number without a decimal point ("345", "12.5", "-0.25",
// "1.234568E+15" beyond the plain range).
std::string SingleText(float value);

// A single rounded to seven significant digits, written without an exponent: the integer
// digits without leading zeros ("" below 1) and the decimals without trailing zeros, these
// rounded half away from zero to at most maxDecimals places. Finite values only.
struct PlainDecimal {
    bool negative = false;
    std::string integerDigits;
    std::string decimals;
};
PlainDecimal PlainDecimalOf(float value, int maxDecimals);

// A whole number as plain digits with an optional minus sign.
std::string IntegerText(long long value);

// Removes leading and trailing blanks (code 32 only; tabs stay).
std::string_view Trim(std::string_view text);
std::string TrimCopy(std::string_view text);
std::string UpperCopy(std::string_view text);
// Whether UpperCopy(text) == upper, without making the copy.
bool EqualsInCapitals(std::string_view text, std::string_view upper);

}  // namespace kavo::tools
