// The formatter as it was before the mask was parsed once and the digits taken from one
// to_chars: kept here only as the reference of the differential test.
#pragma once

#include <string>
#include <string_view>

namespace kavo::tools::reference {

std::string FormatFixedReference(float value, std::string_view mask, bool nullAsUnderscores);

}  // namespace kavo::tools::reference
