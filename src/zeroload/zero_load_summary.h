// The zero-load summary of a run: the lowest readings tracked down each sounding, and the
// sorted table of every sounding's zeros, shifts and strengths written at the end.
#pragma once

#include <vector>

#include "charts/sld_chart.h"
#include "normalization/depth_point.h"
#include "reporting/reporter.h"
#include "zeroload/zero_load_file.h"
#include "zeroload/zero_load_line.h"
#include "zeroload/zero_load_table.h"

namespace kavo::zeroload {

// Most devices one zero-load file lists.
inline constexpr int kMaxDevices = 20;

// Takes one computed depth point into the sounding's entry: a reading deeper than the depth
// setting and lower than the lowest so far becomes the lowest, with its depth and the point's
// VES, FR (for qc) or Qc1 (for fs), and its strength ratio when the point has one. A tie
// keeps the shallower point.
void UpdateZeroLoadLowest(ZeroLoadEntry& entry, const normalization::DepthPoint& point,
                          float lowestQcDepth);

// The undrained strength over the vertical effective stress at (FR %, Q), read off the
// loaded S1 chart in its own lookup mode as the normalisation reads it for every depth
// point; missing without that chart, without FR or Q, or outside the chart.
float StrengthRatioAt(const charts::ChartTable& charts, float frPercent, float q);

// The lines of entries 1..count, sorted by device, date and sounding, with the shifts
// against the previous sounding of the same device and the strengths at the lowest qc.
// Throws BS283 past 1000 soundings and ZF347 past 20 devices.
std::vector<ZeroLoadRow> BuildZeroLoadRows(const ZeroLoadTable& table, int count,
                                           const charts::ChartTable& charts,
                                           reporting::Reporter& reporter);

// Writes the two heading lines and the sorted lines, and puts the file in place; then its CSV
// twin when one was opened. Throws ZF102 (ZF104 for the CSV) when a file cannot be written.
void WriteZeroLoadFile(ZeroLoadFile& file, const ZeroLoadTable& table, int count,
                       const charts::ChartTable& charts, reporting::Reporter& reporter);

}  // namespace kavo::zeroload
