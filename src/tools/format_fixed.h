// Fixed-width number formatting: every number of every output table goes through here.
#pragma once

#include <string>
#include <string_view>

namespace kavo::tools {

// The value as a text of the mask's width ("###.###", "  ##.####,", ...): integer part
// right-aligned, exactly the mask's decimals (surplus cut, not rounded), fixed renderings
// for zero and for the missing value -5435 (underscores when nullAsUnderscores).
std::string FormatFixed(float value, std::string_view mask, bool nullAsUnderscores);

}  // namespace kavo::tools
