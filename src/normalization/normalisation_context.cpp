// The run's cone normalisation mode, read from its setting code.
#include "normalization/normalisation_context.h"

#include <cctype>
#include <string>

#include "tools/errors.h"

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

NormalisationMode ParseNormalisationMode(std::string_view code) {
    if (code == "USER_VASKI") {
        return NormalisationMode::Vaski;
    }
    if (code == "USER_VASKI_SF") {
        return NormalisationMode::VaskiStressFocus;
    }
    if (code == "USER_ROB") {
        return NormalisationMode::Robertson;
    }
    if (code.empty() || code == tools::kNullText) {
        return NormalisationMode::NoneChosen;
    }
    throw tools::ProgrammingError("unknown cone normalisation mode: " + std::string(code));
}

}  // namespace kavo::normalization
