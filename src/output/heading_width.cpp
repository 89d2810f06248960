// The running heading width.
#include "output/heading_width.h"

#include <limits>

namespace kavo::output {

void HeadingWidth::Find(std::string_view text) {
    if (text.size() > static_cast<std::size_t>(width_)) {
        // A heading longer than a 16-bit count is no heading; the width stays at its limit.
        std::size_t limit = std::numeric_limits<std::int16_t>::max();
        width_ = static_cast<std::int16_t>(text.size() < limit ? text.size() : limit);
    }
}

void HeadingWidth::SetSize(std::string& text) const {
    std::size_t width = static_cast<std::size_t>(width_);
    if (text.size() < width) {
        text.insert(0, width - text.size(), ' ');
    }
}

}  // namespace kavo::output
