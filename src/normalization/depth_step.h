// The computation of one depth point from its reading, and of every depth point of a
// sounding: stress, the exponent c from both starts, the unit weight, the chart-direction
// values and the run's column values, with the issues found on the way. No file is read or
// written and nothing is logged here: the caller writes the notes, the trace line and the row.
#pragma once

#include <array>
#include <cstddef>
#include <span>
#include <vector>

#include "fielddata/depth_readings.h"
#include "normalization/column_id.h"
#include "normalization/depth_point.h"
#include "normalization/normalisation_context.h"
#include "normalization/point_notes.h"
#include "normalization/stress_normalisation.h"

namespace kavo::normalization {

// The most output columns a run has.
inline constexpr std::size_t kMaxColumnValues = 24;

// What a depth point computed: both runs of the exponent iteration, the chart-direction
// values, the run's column values in column order, and the issues in the order found.
struct DepthPointResult {
    ExponentRun fromHigh;
    ExponentRun fromLow;
    DirectionValues direction;
    bool normalised = false;  // the point got past its normalisation (direction values set)
    std::array<float, kMaxColumnValues> values{};
    std::size_t valueCount = 0;
    PointNotes notes;
};

// Computes reading `index` of the sounding into `point`, which carries the stress of the
// sounding's previous depth point (ResetVerticalStress before the first). The steps:
// the reading loaded, qt, the unit weight and VES at this depth, the iteration from 1.5 and
// from 0.2 (the second run's values stay), the spread of the two, the method check, the unit
// weight and VES again with the final Q and FR, the strength ratio, the chart-direction
// values and every column. A data error is thrown where it is found; the notes found before
// it are in `result` (the caller writes them before the error report).
void ComputeDepthPoint(NormalisationContext& context, std::span<const ColumnSpec> columns,
                       const fielddata::SoundingReadings& readings, std::size_t index,
                       DepthPoint& point, DepthPointResult& result);

// One computed depth point of a sounding.
struct ComputedDepthPoint {
    std::size_t readingIndex = 0;  // its reading in the sounding's readings
    DepthPoint point;
    DepthPointResult result;
};

// Every depth point of a sounding (readings without a depth are no depth points), computed as
// the batch run computes them for its output table, with the run's columns. The sounding's
// profile (FILE method) must be in the context. Throws the first data error.
std::vector<ComputedDepthPoint> ComputeSoundingPoints(NormalisationContext& context,
                                                      std::span<const ColumnSpec> columns,
                                                      const fielddata::SoundingReadings& readings);

}  // namespace kavo::normalization
