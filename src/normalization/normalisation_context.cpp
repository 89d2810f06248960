// Comparing a text with an upper-case one.
#include "normalization/normalisation_context.h"

#include <cctype>

namespace kavo::normalization {

bool EqualsUpper(std::string_view text, std::string_view upper) {
    if (text.size() != upper.size()) {
        return false;
    }
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (std::toupper(static_cast<unsigned char>(text[i])) != upper[i]) {
            return false;
        }
    }
    return true;
}

}  // namespace kavo::normalization
