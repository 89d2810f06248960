// The data rows of a sounding's output table: each depth point computed and written, with
// its lowest readings passed to the zero-load summary.
#pragma once

#include <ostream>
#include <string_view>

#include "fielddata/depth_readings.h"
#include "normalization/depth_point.h"
#include "normalization/normalisation_context.h"
#include "output/column_table.h"
#include "output/q1o_csv.h"
#include "platform/text_file.h"
#include "zeroload/zero_load_table.h"

namespace kavo::output {

struct DataRowParts {
    const ColumnTable& columns;
    normalization::NormalisationContext& normalisation;
    const fielddata::SoundingReadings& readings;
    std::string_view soundingName;
    normalization::DepthPoint& point;
    // Started before the rows are written: the rows lower its lowest readings.
    zeroload::ZeroLoadEntry& zeroLoadEntry;
    float lowestQcDepth;    // ft
    float& totalFeet;       // the run's sounded length; the sounding's final depth is added
    Q1oCsv* csv = nullptr;  // the table's CSV twin, when one is written
};

// Writes one row per depth reading: the point is cleared and loaded with the reading (depth,
// qc, fs, FR, u2 and both inclinations), qt set, VES advanced, the point normalised (one line
// on `directionTrace`), every column computed and written through its mask, and the point
// passed to the zero-load entry; each row also goes to the CSV twin when there is one. Throws QC335
// for a sounding without depth readings.
void WriteQ1oData(platform::TextOutput& out, std::ostream& directionTrace, DataRowParts& parts);

// Tries a column ID at the fixed test point (depth 10 ft, Q 10, FR 1 %, VES 1 atm): a bad ID,
// or a column that cannot be computed, throws its data error before any sounding.
void TestColumn(normalization::NormalisationContext& context, std::string_view id);

}  // namespace kavo::output
