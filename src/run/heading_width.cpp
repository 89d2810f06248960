// Aligning heading texts to one width.
#include "run/heading_width.h"

#include <algorithm>

#include "tools/errors.h"

namespace kavo::run {

HeadingRequest ParseHeadingRequest(std::string_view word) {
    if (word == "RESET")
        return HeadingRequest::Reset;
    if (word == "FIND")
        return HeadingRequest::Find;
    if (word == "SET_SIZE")
        return HeadingRequest::SetSize;
    throw tools::ProgrammingError("heading width: unknown request \"" + std::string(word) + "\"");
}

void HeadingWidth::Apply(HeadingRequest request, std::string& text) {
    switch (request) {
        case HeadingRequest::Reset:
            maximum_ = 0;
            break;
        case HeadingRequest::Find: {
            // A heading longer than a 16-bit count is held at that count.
            const auto length =
                static_cast<std::int16_t>(std::min<std::size_t>(text.size(), INT16_MAX));
            maximum_ = std::max(maximum_, length);
            break;
        }
        case HeadingRequest::SetSize: {
            const auto width = static_cast<std::size_t>(maximum_);
            if (text.size() < width) {
                text.insert(0, width - text.size(), ' ');
            }
            break;
        }
    }
}

void AlignHeadings(std::span<std::string* const> texts) {
    HeadingWidth width;
    std::string unused;
    width.Apply(HeadingRequest::Reset, unused);
    for (std::string* text : texts) {
        width.Apply(HeadingRequest::Find, *text);
    }
    for (std::string* text : texts) {
        width.Apply(HeadingRequest::SetSize, *text);
    }
}

}  // namespace kavo::run
