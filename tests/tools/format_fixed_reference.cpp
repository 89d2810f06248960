// The reference formatter of the differential test, built on strings step by step.
#include "format_fixed_reference.h"

#include <cmath>
#include <cstddef>

#include "tools/null_marker.h"
#include "tools/number_text.h"

namespace kavo::tools::reference {

namespace {

// The parts of a mask: blanks around it, the "#" core and the closing comma.
struct MaskParts {
    std::size_t lead = 0;
    std::size_t trail = 0;
    std::string core;
    bool comma = false;
};

MaskParts SplitMask(std::string_view mask) {
    MaskParts parts;
    std::size_t first = mask.find_first_not_of(' ');
    if (first == std::string_view::npos) {
        parts.lead = mask.size();
        return parts;
    }
    std::size_t last = mask.find_last_not_of(' ');
    parts.lead = first;
    parts.trail = mask.size() - 1 - last;
    parts.core = std::string(mask.substr(first, last - first + 1));
    if (parts.core.back() == ',') {
        parts.comma = true;
        parts.core.pop_back();
    }
    return parts;
}

// Characters after the "." (0 without one).
std::size_t DecimalsOf(std::string_view text) {
    std::size_t point = text.find('.');
    return point == std::string_view::npos ? 0 : text.size() - point - 1;
}

// Characters before the "." (the whole text without one).
std::size_t IntegerWidthOf(std::string_view text) {
    std::size_t point = text.find('.');
    return point == std::string_view::npos ? text.size() : point;
}

// Zero is a lone "0" in the middle of blanks: at half the mask length, halves rounded to
// the even neighbour (never before the first position).
std::string ZeroText(std::size_t maskLength) {
    std::size_t width = maskLength < 1 ? 1 : maskLength;
    std::size_t position = maskLength / 2;  // 1-based
    if (maskLength % 2 == 1 && position % 2 == 1) {
        ++position;  // x.5 with x odd rounds up to the even neighbour
    }
    if (position < 1) {
        position = 1;
    }
    std::string text(width, ' ');
    text[position - 1] = '0';
    return text;
}

// The value in the plain pattern of up to 18 integer and 18 decimal digits: no exponent, no
// leading zero, a trailing "." for whole numbers.
std::string PatternText(float value) {
    PlainDecimal plain = PlainDecimalOf(value, 18);
    return (plain.negative ? "-" : "") + plain.integerDigits + "." + plain.decimals;
}

// The value fitted into the mask: exactly its decimals (surplus cut), integer part
// right-aligned; a wider integer part widens the field.
std::string FitToMask(std::string s, const MaskParts& mask) {
    if (s.starts_with(".")) {
        s.insert(0, "0");
    } else if (s.starts_with("-.")) {
        s.insert(1, "0");
    }
    const std::size_t maskDecimals = DecimalsOf(mask.core);
    const std::size_t valueDecimals = DecimalsOf(s);
    if (maskDecimals > valueDecimals) {
        s.append(maskDecimals - valueDecimals, '0');
    } else {
        s.resize(s.size() - (valueDecimals - maskDecimals));
    }
    if (s.find('.') == std::string::npos) {
        s += '.';
    }
    const std::size_t valueWidth = IntegerWidthOf(s);
    const std::size_t maskWidth = IntegerWidthOf(mask.core);
    if (maskWidth > valueWidth) {
        s.insert(0, maskWidth - valueWidth, ' ');
    }
    if (mask.core.find('.') == std::string::npos && s.ends_with(".")) {
        s.pop_back();
    }
    if (mask.comma) {
        s += ',';
    }
    return std::string(mask.lead, ' ') + s + std::string(mask.trail, ' ');
}

// The missing value written as "-5435", placed by the shape of the mask.
std::string MissingText(const MaskParts& mask, std::size_t maskLength) {
    const std::string null(kNullText);
    const std::size_t width = mask.core.size();
    const std::size_t pointAt = mask.core.find('.');  // 0-based
    const std::size_t position = pointAt == std::string::npos ? 0 : pointAt + 1;
    std::string s;
    if (width <= 5) {
        s = null + (mask.comma ? "," : "");
        if (s.size() < maskLength) {
            s.insert(0, maskLength - s.size(), ' ');
        }
        return s;
    }
    if (position < 6) {
        s = std::string(width - 5, ' ') + null;
    } else {
        s = std::string(position > 7 ? position - 7 : 0, ' ') + null;
        if (width > 6) {
            s.append(width > 13 ? width - 13 : 5, ' ');
        }
    }
    if (mask.comma) {
        s += ',';
    }
    s = std::string(mask.lead, ' ') + s + std::string(mask.trail, ' ');
    if (s.size() > maskLength) {
        s.resize(maskLength);
    }
    return s;
}

}  // namespace

std::string FormatFixedReference(float value, std::string_view mask, bool nullAsUnderscores) {
    if (nullAsUnderscores && value == kNull) {
        return std::string(mask.size(), '_');
    }
    if (value == 0.0f) {
        return ZeroText(mask.size());
    }
    const MaskParts parts = SplitMask(mask);
    const std::string single = SingleText(value);
    if (single == kNullText) {
        return MissingText(parts, mask.size());
    }
    if (!std::isfinite(value)) {
        return single;
    }
    // Above 1E+11 the value keeps its plain digits unpadded; tiny values are fitted like any
    // other, so that they show as zeros of the mask's width.
    constexpr float kLargestFitted = 1e11f;
    if (std::fabs(value) > kLargestFitted) {
        return PatternText(value);
    }
    return FitToMask(PatternText(value), parts);
}

}  // namespace kavo::tools::reference
