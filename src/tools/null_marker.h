// The null marker: -5435 means "no value" in every record, table, lookup and output field.
#pragma once

#include <cmath>
#include <string_view>

namespace kavo::tools {

inline constexpr float kNull = -5435.0f;
inline constexpr std::string_view kNullText = "-5435";
// A choice of which none was selected.
inline constexpr std::string_view kNoChoiceText = "-5434";

// A number whose absolute value is 5435 counts as missing.
inline bool IsMissing(double value) {
    return std::fabs(value) == 5435.0;
}

}  // namespace kavo::tools
