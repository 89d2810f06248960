// The data rows of a sounding's output table: each depth point computed and written, with
// its lowest readings passed to the zero-load summary.
#pragma once

#include <ostream>
#include <string_view>

#include "fielddata/depth_readings.h"
#include "normalization/depth_point.h"
#include "normalization/normalisation_context.h"
#include "normalization/unit_weight_profile.h"
#include "output/column_table.h"
#include "output/q1o_csv.h"
#include "platform/text_file.h"
#include "reporting/reporter.h"
#include "zeroload/zero_load_table.h"

namespace kavo::output {

struct DataRowParts {
    const ColumnTable& columns;
    normalization::NormalisationContext& normalisation;
    // The run's profile, read before the sounding's first depth point when its method is
    // FILE, and what the reading needs.
    normalization::UnitWeightProfile& profile;
    const files::DataArea& dataArea;
    reporting::Reporter& reporter;
    const fielddata::SoundingReadings& readings;
    std::string_view soundingName;
    normalization::DepthPoint& point;
    // Started before the rows are written: the rows lower its lowest readings.
    zeroload::ZeroLoadEntry& zeroLoadEntry;
    float lowestQcDepth;    // ft
    float& totalFeet;       // the run's sounded length; the sounding's final depth is added
    Q1oCsv* csv = nullptr;  // the table's CSV twin, when one is written
};

// Writes one row per depth reading: the depth point computed (ComputeDepthPoint), its issues
// logged, one line on `directionTrace`, every column written through its mask (and to the CSV
// twin when there is one), and the point passed to the zero-load entry. Throws QC335 for a
// sounding without depth readings.
void WriteQ1oData(platform::TextBuffer& out, platform::TextBuffer& directionTrace,
                  DataRowParts& parts);

// Tries a column ID at the fixed test point (depth 10 ft, Q 10, FR 1 %, VES 1 atm): a bad ID,
// or a column that cannot be computed, throws its data error before any sounding; a value out
// of range there is logged as an issue.
void TestColumn(const normalization::NormalisationContext& context, reporting::Reporter& reporter,
                std::string_view id);

}  // namespace kavo::output
