// Fixed-width number formatting: the seven significant digits of a single, fitted to a mask.
#include "tools/format_fixed.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>

#include "tools/null_marker.h"
#include "tools/number_text.h"

namespace kavo::tools {

namespace {

// The value in the plain pattern: seven significant digits, the decimals rounded half up to
// at most 18 places, no trailing zeros. A single has at most 39 integer digits and, at 1E-45,
// 51 decimals before the rounding. Only the counted digits are ever read: the arrays are
// left unfilled (every table cell makes one).
struct Pattern {
    bool negative = false;
    std::array<char, 48> integer;
    std::size_t integerCount = 0;
    std::array<char, 64> decimals;
    std::size_t decimalCount = 0;
};

constexpr std::size_t kPatternDecimals = 18;

// Finite, non-zero values only.
Pattern PatternOf(float value) {
    const SevenDigits seven = SevenSignificantDigits(value);
    Pattern out;
    out.negative = seven.negative;
    const int exponent = seven.exponent;
    std::array<char, 7> digits{};
    std::size_t digitCount = digits.size();
    for (std::uint32_t rest = seven.digits, i = 7; i > 0; rest /= 10, --i) {
        digits[i - 1] = static_cast<char>('0' + rest % 10);
    }
    while (digitCount > 1 && digits[digitCount - 1] == '0') {
        --digitCount;
    }

    if (exponent >= 0) {
        const std::size_t integerCount = static_cast<std::size_t>(exponent) + 1;
        for (std::size_t i = 0; i < integerCount; ++i) {
            out.integer[i] = i < digitCount ? digits[i] : '0';
        }
        out.integerCount = integerCount;
        for (std::size_t i = integerCount; i < digitCount; ++i) {
            out.decimals[out.decimalCount++] = digits[i];
        }
    } else {
        for (int i = 0; i < -exponent - 1; ++i) {
            out.decimals[out.decimalCount++] = '0';
        }
        for (std::size_t i = 0; i < digitCount; ++i) {
            out.decimals[out.decimalCount++] = digits[i];
        }
    }

    if (out.decimalCount > kPatternDecimals) {
        const bool roundUp = out.decimals[kPatternDecimals] >= '5';
        out.decimalCount = kPatternDecimals;
        bool carry = roundUp;
        for (std::size_t i = out.decimalCount; carry && i > 0; --i) {
            char& d = out.decimals[i - 1];
            carry = d == '9';
            d = carry ? '0' : static_cast<char>(d + 1);
        }
        for (std::size_t i = out.integerCount; carry && i > 0; --i) {
            char& d = out.integer[i - 1];
            carry = d == '9';
            d = carry ? '0' : static_cast<char>(d + 1);
        }
        if (carry) {
            for (std::size_t i = out.integerCount; i > 0; --i) {
                out.integer[i] = out.integer[i - 1];
            }
            out.integer[0] = '1';
            ++out.integerCount;
        }
    }
    while (out.decimalCount > 0 && out.decimals[out.decimalCount - 1] == '0') {
        --out.decimalCount;
    }
    if (out.integerCount == 0 && out.decimalCount == 0) {
        out.negative = false;  // nothing left of the value after rounding
    }
    return out;
}

// True when the single rounds to the text of the missing value, -5435.
bool ShowsAsMissing(const Pattern& pattern) {
    return pattern.negative && pattern.decimalCount == 0 && pattern.integerCount == 4 &&
           std::string_view(pattern.integer.data(), 4) == "5435";
}

// The pattern unpadded: sign, integer digits, ".", decimals.
void AppendPattern(std::string& out, const Pattern& pattern) {
    if (pattern.negative) {
        out += '-';
    }
    out.append(pattern.integer.data(), pattern.integerCount);
    out += '.';
    out.append(pattern.decimals.data(), pattern.decimalCount);
}

// The pattern fitted into the mask: exactly its decimals (surplus cut), integer part
// right-aligned; a wider integer part widens the field. Written in place after one resize.
void AppendFitted(std::string& out, const Pattern& pattern, const FixedMask& mask) {
    const std::size_t integerDigits = pattern.integerCount == 0 ? 1 : pattern.integerCount;
    const std::size_t valueWidth = integerDigits + (pattern.negative ? 1 : 0);
    const std::size_t padding =
        mask.integerWidth() > valueWidth ? mask.integerWidth() - valueWidth : 0;
    const std::size_t width = mask.lead() + padding + valueWidth +
                              (mask.point() ? 1 + mask.decimals() : 0) + (mask.comma() ? 1 : 0) +
                              mask.trail();
    const std::size_t start = out.size();
    out.resize(start + width);
    char* p = out.data() + start;
    p = std::fill_n(p, mask.lead() + padding, ' ');
    if (pattern.negative) {
        *p++ = '-';
    }
    if (pattern.integerCount == 0) {
        *p++ = '0';
    } else {
        p = std::copy_n(pattern.integer.data(), pattern.integerCount, p);
    }
    if (mask.point()) {
        *p++ = '.';
        const std::size_t shown = std::min(pattern.decimalCount, mask.decimals());
        p = std::copy_n(pattern.decimals.data(), shown, p);
        p = std::fill_n(p, mask.decimals() - shown, '0');
    }
    if (mask.comma()) {
        *p++ = ',';
    }
    std::fill_n(p, mask.trail(), ' ');
}

// Zero is a lone "0" in the middle of blanks: at half the mask length, halves rounded to
// the even neighbour (never before the first position).
void AppendZero(std::string& out, std::size_t maskLength) {
    const std::size_t width = maskLength < 1 ? 1 : maskLength;
    std::size_t position = maskLength / 2;  // 1-based
    if (maskLength % 2 == 1 && position % 2 == 1) {
        ++position;  // x.5 with x odd rounds up to the even neighbour
    }
    if (position < 1) {
        position = 1;
    }
    out.append(position - 1, ' ');
    out += '0';
    out.append(width - position, ' ');
}

// The missing value written as "-5435", placed by the shape of the mask.
void AppendMissing(std::string& out, const FixedMask& mask) {
    const std::string_view null(kNullText);
    const std::size_t maskLength = mask.length();
    const std::size_t width = mask.coreWidth();
    if (width <= 5) {
        const std::size_t size = null.size() + (mask.comma() ? 1 : 0);
        if (size < maskLength) {
            out.append(maskLength - size, ' ');
        }
        out += null;
        if (mask.comma()) {
            out += ',';
        }
        return;
    }
    const std::size_t position = mask.point() ? mask.integerWidth() + 1 : 0;
    std::string s(mask.lead(), ' ');
    if (position < 6) {
        s.append(width - 5, ' ');
        s += null;
    } else {
        s.append(position > 7 ? position - 7 : 0, ' ');
        s += null;
        if (width > 6) {
            s.append(width > 13 ? width - 13 : 5, ' ');
        }
    }
    if (mask.comma()) {
        s += ',';
    }
    s.append(mask.trail(), ' ');
    if (s.size() > maskLength) {
        s.resize(maskLength);
    }
    out += s;
}

}  // namespace

void AppendFixed(std::string& out, float value, const FixedMask& mask, bool nullAsUnderscores) {
    if (nullAsUnderscores && value == kNull) {
        out.append(mask.length(), '_');
        return;
    }
    if (value == 0.0f) {
        AppendZero(out, mask.length());
        return;
    }
    if (!std::isfinite(value)) {
        out += SingleText(value);
        return;
    }
    const Pattern pattern = PatternOf(value);
    if (ShowsAsMissing(pattern)) {
        AppendMissing(out, mask);
        return;
    }
    // Above 1E+11 the value keeps its plain digits unpadded; tiny values are fitted like any
    // other, so that they show as zeros of the mask's width.
    constexpr float kLargestFitted = 1e11f;
    if (std::fabs(value) > kLargestFitted) {
        AppendPattern(out, pattern);
        return;
    }
    AppendFitted(out, pattern, mask);
}

std::string FormatFixed(float value, const FixedMask& mask, bool nullAsUnderscores) {
    std::string text;
    AppendFixed(text, value, mask, nullAsUnderscores);
    return text;
}

std::string FormatFixed(float value, std::string_view mask, bool nullAsUnderscores) {
    return FormatFixed(value, FixedMask(mask), nullAsUnderscores);
}

}  // namespace kavo::tools
