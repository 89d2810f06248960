// The run's choices that the computation and the output tell apart, made enums when the
// window's options are read so that no sounding compares their texts.
#pragma once

#include <string_view>

namespace kavo::setup {

// The cone normalisation method of the run.
enum class NormalisationMode { Vaski, VaskiStressFocus, Robertson, NoneChosen };

// The setting's code of a mode, as the plots' cover page shows it: "USER_VASKI",
// "USER_VASKI_SF", "USER_ROB", or "-5435" when none is chosen.
std::string_view NormalisationModeCode(NormalisationMode mode);

// Where the run's output columns come from: the built-in list or the definition file.
enum class ColumnsSource { BuiltIn, DefinitionFile, NoneChosen };

// The setting's code of a source, as the plots' cover page shows it: "INTERNAL", "FILE", or
// "-5434" when none is chosen.
std::string_view ColumnsSourceCode(ColumnsSource source);

}  // namespace kavo::setup
