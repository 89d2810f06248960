// The null marker: -5435 means "no value" in every record, table, lookup and output field.
#pragma once

#include <cmath>
#include <string_view>

namespace kavo::tools {

inline constexpr float kNull = -5435.0f;
inline constexpr std::string_view kNullText = "-5435";
// A choice of which none was selected.
inline constexpr std::string_view kNoChoiceText = "-5434";

// A stored value whose absolute value is 5435 counts as missing. Whether a field read from a
// file is missing is decided when it is parsed (ParseSingle), not by this test.
inline bool IsMissing(double value) {
    return std::fabs(value) == 5435.0;
}

}  // namespace kavo::tools
