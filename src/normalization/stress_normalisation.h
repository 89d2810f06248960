// The stress normalisation of cone resistance: the exponent c solved by a damped fixed-point
// iteration on the cQc chart, run from two starting values per depth point, and the steps
// that follow it.
#pragma once

#include <ostream>

#include "charts/sld_chart.h"
#include "normalization/depth_point.h"
#include "normalization/normalisation_context.h"
#include "reporting/reporter.h"

namespace kavo::normalization {

inline constexpr float kStartHigh = 1.5f;
inline constexpr float kStartLow = 0.2f;
inline constexpr int kMaxTries = 250;

// One run of the iteration from `startC` at the stress `ves` (atm). Writes Q, FR, Fs1 and c to
// the point and returns c. With fs <= 0 or qt <= 0 all four are missing. Without closure after
// 250 tries Q, c and Fs1 are missing and an issue is logged. Throws DataError "VES932" for
// VES <= 0 and "VES342" when VES^c is 0.
float IterateExponentC(const charts::ChartTable& charts, reporting::Reporter& reporter,
                       DepthPoint& point, float startC, float ves);

// Normalises the point: the iteration from 1.5 and from 0.2 (the second run's values stay),
// an issue when the two exponents differ by more than 0.03, then the method check, the unit
// weight with the final Q and FR, the strength ratio, and one line of the chart-direction
// trace (ended by CR LF) on `directionTrace`.
void NormaliseDepthPoint(NormalisationContext& context, DepthPoint& point,
                         std::ostream& directionTrace);

// The chart-direction line of the cQc chart at the point's (FR, Q): both lookup directions
// and their difference in % of the XYC value.
std::string ChartDirectionLine(const charts::ChartTable& charts, const DepthPoint& point);

}  // namespace kavo::normalization
