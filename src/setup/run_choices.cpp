// The codes of the run's choices.
#include "setup/run_choices.h"

#include "tools/null_marker.h"

namespace kavo::setup {

std::string_view NormalisationModeCode(NormalisationMode mode) {
    switch (mode) {
        case NormalisationMode::Vaski:
            return "USER_VASKI";
        case NormalisationMode::VaskiStressFocus:
            return "USER_VASKI_SF";
        case NormalisationMode::Robertson:
            return "USER_ROB";
        case NormalisationMode::NoneChosen:
            break;
    }
    return tools::kNullText;
}

std::string_view ColumnsSourceCode(ColumnsSource source) {
    switch (source) {
        case ColumnsSource::BuiltIn:
            return "INTERNAL";
        case ColumnsSource::DefinitionFile:
            return "FILE";
        case ColumnsSource::NoneChosen:
            break;
    }
    return tools::kNoChoiceText;
}

}  // namespace kavo::setup
