// What the per-depth computation reads and keeps besides the depth point: the run's charts and
// cone normalisation mode, the sounding's unit-weight inputs, the run's unit-weight profile
// and the reporting.
#pragma once

#include <string>
#include <string_view>

#include "charts/sld_chart.h"
#include "files/paths.h"
#include "normalization/unit_weight_profile.h"
#include "reporting/reporter.h"
#include "tools/null_marker.h"

namespace kavo::normalization {

// The cone normalisation method of the run: "USER_VASKI", "USER_VASKI_SF", "USER_ROB", or
// none chosen ("-5435" or empty).
enum class NormalisationMode { Vaski, VaskiStressFocus, Robertson, NoneChosen };

// Reads the run setting's code; other text throws ProgrammingError.
NormalisationMode ParseNormalisationMode(std::string_view code);

// The sounding's facts that the unit weight needs, filled from its soundings-database row.
struct SoundingUnitWeightInputs {
    float waterTableDepth = tools::kNull;  // ft
    std::string method;                    // total unit weight lookup method, as written
    float unitWeightAbove = tools::kNull;  // pcf, at or above the water table
    float unitWeightBelow = tools::kNull;  // pcf, below the water table
    std::string profileFileName;           // the UWT file in the project folder
};

struct NormalisationContext {
    const charts::ChartTable& charts;
    NormalisationMode mode;
    const SoundingUnitWeightInputs& sounding;
    UnitWeightProfile& profile;  // lives for the run
    const files::DataArea& dataArea;
    reporting::Reporter& reporter;
};

}  // namespace kavo::normalization
