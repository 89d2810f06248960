// What the per-depth computation reads and keeps besides the depth point: the run's charts and
// cone normalisation mode, the sounding's unit-weight inputs and its unit-weight profile.
#pragma once

#include <string>
#include <string_view>

#include "charts/sld_chart.h"
#include "normalization/column_id.h"
#include "normalization/unit_weight_profile.h"
#include "setup/run_choices.h"
#include "tools/null_marker.h"

namespace kavo::normalization {

// The cone normalisation method of the run, as the run's settings hold it.
using setup::NormalisationMode;

// The sounding's facts that the unit weight needs, filled from its soundings-database row.
struct SoundingUnitWeightInputs {
    float waterTableDepth = tools::kNull;  // ft
    std::string method;                    // total unit weight lookup method, as written
    float unitWeightAbove = tools::kNull;  // pcf, at or above the water table
    float unitWeightBelow = tools::kNull;  // pcf, below the water table
    std::string profileFileName;           // the UWT file in the project folder
};

// The unit-weight column "UWT_<method>_pcf" of the sounding's method, parsed at its first depth
// point, with the verdict of the method check on that method and the stress factor, kept so
// that the depth points that follow neither parse nor compare the method's text again.
struct UnitWeightColumnCache {
    bool ready = false;
    ColumnSpec column;
    bool methodPassesCheck = false;
    float atmPerPsf = tools::kNull;
};

// Build one per sounding and keep it for all the sounding's depth points: the sounding's
// unit-weight method is resolved at its first depth point. The computation reads no file: a
// sounding whose method is FILE has its profile read before its first depth point.
struct NormalisationContext {
    const charts::ChartTable& charts;
    NormalisationMode mode;
    const SoundingUnitWeightInputs& sounding;
    const UnitWeightProfile* profile = nullptr;  // the sounding's profile; null before one is read
    UnitWeightColumnCache unitWeightColumn = {};
};

// True when the text equals `upper` without regard to case; allocates nothing.
bool EqualsUpper(std::string_view text, std::string_view upper);

}  // namespace kavo::normalization
