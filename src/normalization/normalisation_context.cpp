// The run's cone normalisation mode, read from its setting code.
#include "normalization/normalisation_context.h"

#include <string>

#include "tools/errors.h"

namespace kavo::normalization {

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
