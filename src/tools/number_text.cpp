// The text forms of numbers: what counts as numeric, and how singles and whole numbers are
// written.
#include "tools/number_text.h"

#include <array>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstddef>
#include <system_error>

namespace kavo::tools {

namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// True when text is a plain decimal number: optional sign, digits with at most one decimal
// point (at least one digit), optional exponent "e"/"E" with optional sign and digits.
bool IsPlainDecimal(std::string_view text) {
    std::size_t i = 0;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        ++i;
    }
    int mantissaDigits = 0;
    bool point = false;
    for (; i < text.size(); ++i) {
        if (IsDigit(text[i])) {
            ++mantissaDigits;
        } else if (text[i] == '.' && !point) {
            point = true;
        } else {
            break;
        }
    }
    if (mantissaDigits == 0) {
        return false;
    }
    if (i == text.size()) {
        return true;
    }
    if (text[i] != 'e' && text[i] != 'E') {
        return false;
    }
    ++i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        ++i;
    }
    int exponentDigits = 0;
    for (; i < text.size() && IsDigit(text[i]); ++i) {
        ++exponentDigits;
    }
    return exponentDigits > 0 && i == text.size();
}

// The seven significant digits of a finite, non-zero single: value = d1.d2d3... x 10^exponent,
// digits without trailing zeros.
struct SignificantDigits {
    bool negative = false;
    std::string digits;
    int exponent = 0;
};

SignificantDigits SevenDigitsOf(float value) {
    const SevenDigits seven = SevenSignificantDigits(value);
    SignificantDigits out;
    out.negative = seven.negative;
    out.exponent = seven.exponent;
    out.digits = std::to_string(seven.digits);
    while (out.digits.size() > 1 && out.digits.back() == '0') {
        out.digits.pop_back();
    }
    return out;
}

constexpr std::array<std::uint64_t, 19> kPowersOfTen = {1ULL,
                                                        10ULL,
                                                        100ULL,
                                                        1000ULL,
                                                        10000ULL,
                                                        100000ULL,
                                                        1000000ULL,
                                                        10000000ULL,
                                                        100000000ULL,
                                                        1000000000ULL,
                                                        10000000000ULL,
                                                        100000000000ULL,
                                                        1000000000000ULL,
                                                        10000000000000ULL,
                                                        100000000000000ULL,
                                                        1000000000000000ULL,
                                                        10000000000000000ULL,
                                                        100000000000000000ULL,
                                                        1000000000000000000ULL};

// magnitude x 10^k as a whole part and a rest over a denominator, for magnitude = m x 2^e.
// Below 2^23 (e < 0) the decimal exponent is at most 6 and k >= 0: the denominator is then
// 2^-e and the division a shift.
struct Quotient {
    std::uint64_t whole = 0;
    std::uint64_t rest = 0;
    std::uint64_t denominator = 1;
};
Quotient Scaled(std::uint64_t m, int e, int k) {
    if (e < 0) {
        const std::uint64_t numerator = m * kPowersOfTen[static_cast<std::size_t>(k)];
        const std::uint64_t denominator = 1ULL << -e;
        return {numerator >> -e, numerator & (denominator - 1), denominator};
    }
    const std::uint64_t numerator =
        (m << e) * (k > 0 ? kPowersOfTen[static_cast<std::size_t>(k)] : 1);
    const std::uint64_t denominator = k < 0 ? kPowersOfTen[static_cast<std::size_t>(-k)] : 1;
    return {numerator / denominator, numerator % denominator, denominator};
}

// The digits of a magnitude from 2^-16 up to 1E18 in whole-number arithmetic, rounded as
// to_chars rounds them: magnitude = m x 2^e exactly, and magnitude x 10^(6 - E) is a quotient
// of two whole numbers below 2^64 throughout that range.
SevenDigits SevenDigitsInRange(float magnitude) {
    const std::uint32_t bits = std::bit_cast<std::uint32_t>(magnitude);
    const std::uint64_t m = (bits & 0x7FFFFFu) | 0x800000u;  // normal throughout the range
    const int e = static_cast<int>(bits >> 23) - 150;
    // floor(log10(2^(e + 23))): the decimal exponent or one below it.
    int exponent = ((e + 23) * 78913) >> 18;
    Quotient scaled = Scaled(m, e, 6 - exponent);
    if (scaled.whole >= 10000000) {
        ++exponent;
        scaled = Scaled(m, e, 6 - exponent);
    }
    std::uint64_t digits = scaled.whole;
    const std::uint64_t twiceRest = 2 * scaled.rest;
    if (twiceRest > scaled.denominator || (twiceRest == scaled.denominator && digits % 2 == 1)) {
        ++digits;
    }
    if (digits == 10000000) {
        digits = 1000000;
        ++exponent;
    }
    return {false, static_cast<std::uint32_t>(digits), exponent};
}

// The same for any finite non-zero single, from to_chars's text.
SevenDigits SevenDigitsFromText(float value) {
    char buffer[32];
    auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific, 6);
    std::string_view text(buffer, static_cast<std::size_t>(result.ptr - buffer));
    SevenDigits out;
    std::size_t i = 0;
    if (text[i] == '-') {
        out.negative = true;
        ++i;
    }
    for (; i < text.size() && text[i] != 'e'; ++i) {
        if (IsDigit(text[i])) {
            out.digits = out.digits * 10 + static_cast<std::uint32_t>(text[i] - '0');
        }
    }
    ++i;  // the "e"
    if (i < text.size() && text[i] == '+') {
        ++i;
    }
    std::from_chars(text.data() + i, text.data() + text.size(), out.exponent);
    return out;
}

// Adds one unit in the last place of a digit text; false when the carry runs out of it.
bool IncrementDigits(std::string& digits) {
    for (auto it = digits.rbegin(); it != digits.rend(); ++it) {
        if (*it == '9') {
            *it = '0';
        } else {
            ++*it;
            return true;
        }
    }
    return false;
}

}  // namespace

SevenDigits SevenSignificantDigits(float value) {
    const float magnitude = std::fabs(value);
    if (magnitude >= 0x1p-16f && magnitude < 1e18f) {
        SevenDigits out = SevenDigitsInRange(magnitude);
        out.negative = value < 0.0f;
        return out;
    }
    return SevenDigitsFromText(value);
}

std::string_view Trim(std::string_view text) {
    std::size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) {
        return {};
    }
    std::size_t last = text.find_last_not_of(' ');
    return text.substr(first, last - first + 1);
}

std::string TrimCopy(std::string_view text) {
    return std::string(Trim(text));
}

std::string UpperCopy(std::string_view text) {
    std::string upper(text);
    for (char& c : upper) {
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 'a' + 'A');
        }
    }
    return upper;
}

bool EqualsInCapitals(std::string_view text, std::string_view upper) {
    if (text.size() != upper.size()) {
        return false;
    }
    for (std::size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 'a' + 'A');
        }
        if (c != upper[i]) {
            return false;
        }
    }
    return true;
}

std::optional<double> ParseNumber(std::string_view text) {
    std::string_view trimmed = Trim(text);
    if (!IsPlainDecimal(trimmed)) {
        return std::nullopt;
    }
    // from_chars takes no leading "+".
    if (trimmed.front() == '+') {
        trimmed.remove_prefix(1);
    }
    double value = 0.0;
    auto result = std::from_chars(trimmed.data(), trimmed.data() + trimmed.size(), value,
                                  std::chars_format::general);
    if (result.ec != std::errc{} || result.ptr != trimmed.data() + trimmed.size()) {
        return std::nullopt;  // beyond the range of a double
    }
    return value;
}

std::optional<int> ParseWholeNumber(std::string_view text, int lowest, int highest) {
    const std::optional<double> number = ParseNumber(text);
    if (!number || *number < lowest || *number > highest || std::trunc(*number) != *number) {
        return std::nullopt;
    }
    return static_cast<int>(*number);
}

PlainDecimal PlainDecimalOf(float value, int maxDecimals) {
    PlainDecimal out;
    if (value == 0.0f) {
        return out;
    }
    SignificantDigits sig = SevenDigitsOf(value);
    out.negative = sig.negative;
    const int digitCount = static_cast<int>(sig.digits.size());
    if (sig.exponent >= 0) {
        const int integerCount = sig.exponent + 1;
        if (digitCount <= integerCount) {
            out.integerDigits =
                sig.digits + std::string(static_cast<std::size_t>(integerCount - digitCount), '0');
        } else {
            out.integerDigits = sig.digits.substr(0, static_cast<std::size_t>(integerCount));
            out.decimals = sig.digits.substr(static_cast<std::size_t>(integerCount));
        }
    } else {
        out.decimals = std::string(static_cast<std::size_t>(-sig.exponent - 1), '0') + sig.digits;
    }
    if (maxDecimals >= 0 && static_cast<int>(out.decimals.size()) > maxDecimals) {
        const bool roundUp = out.decimals[static_cast<std::size_t>(maxDecimals)] >= '5';
        out.decimals.resize(static_cast<std::size_t>(maxDecimals));
        if (roundUp && !IncrementDigits(out.decimals) && !IncrementDigits(out.integerDigits)) {
            out.integerDigits.insert(out.integerDigits.begin(), '1');
        }
    }
    while (!out.decimals.empty() && out.decimals.back() == '0') {
        out.decimals.pop_back();
    }
    if (out.integerDigits.empty() && out.decimals.empty()) {
        out.negative = false;  // nothing left of the value after rounding
    }
    return out;
}

std::string SingleText(float value) {
    if (std::isnan(value)) {
        return "NaN";
    }
    if (std::isinf(value)) {
        return value > 0.0f ? "Inf" : "-Inf";
    }
    if (value == 0.0f) {
        return "0";
    }
    // Plain digits from 1E-05 up to below 1E+15; beyond that the exponent form keeps the
    // text short.
    constexpr int kLowestPlainExponent = -5;
    constexpr int kHighestPlainExponent = 14;
    SignificantDigits sig = SevenDigitsOf(value);
    std::string text = sig.negative ? "-" : "";
    if (sig.exponent < kLowestPlainExponent || sig.exponent > kHighestPlainExponent) {
        text += sig.digits.front();
        if (sig.digits.size() > 1) {
            text += '.';
            text += sig.digits.substr(1);
        }
        text += sig.exponent < 0 ? "E-" : "E+";
        std::string exponent = IntegerText(std::abs(sig.exponent));
        if (exponent.size() < 2) {
            exponent.insert(exponent.begin(), '0');
        }
        return text + exponent;
    }
    // Seven digits at exponent -5 or above need no more than eleven decimals: no rounding.
    PlainDecimal plain = PlainDecimalOf(value, 11);
    text += plain.integerDigits.empty() ? "0" : plain.integerDigits;
    if (!plain.decimals.empty()) {
        text += '.';
        text += plain.decimals;
    }
    return text;
}

std::string IntegerText(long long value) {
    char buffer[24];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

}  // namespace kavo::tools
