// What the per-depth computation reads and keeps besides the depth point: the run's charts and
// cone normalisation mode, the sounding's unit-weight inputs and its unit-weight profile.
#pragma once

#include <array>
#include <cstdint>
#include <string>

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

// The last value read off a chart in its own mode and the point (FR, Q) it was read at, by the
// exact bits of both: a depth point reads some charts more than once (the strength ratio and
// its column, the unit weight and its column).
struct ChartReading {
    bool valid = false;
    std::uint32_t frBits = 0;
    std::uint32_t qc1Bits = 0;
    float value = tools::kNull;
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
    // By chart slot; a reading changes no result, so a const context keeps it too.
    mutable std::array<ChartReading, charts::kMaxCharts + 1> lastReadings = {};
};

}  // namespace kavo::normalization
