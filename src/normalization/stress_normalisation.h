// The stress normalisation of cone resistance: the exponent c solved by a damped fixed-point
// iteration on the cQc chart, run from two starting values per depth point, and the
// chart-direction values of the point.
#pragma once

#include <string>

#include "charts/chart_lookup.h"
#include "charts/sld_chart.h"
#include "normalization/depth_point.h"
#include "tools/null_marker.h"

namespace kavo::normalization {

inline constexpr float kStartHigh = 1.5f;
inline constexpr float kStartLow = 0.2f;
inline constexpr int kMaxTries = 250;

// The outcome of one run of the iteration.
struct ExponentRun {
    float c = tools::kNull;       // the exponent; missing without closure or without fs and qt
    bool closed = false;          // false: no closure within kMaxTries
    int tries = 0;                // lookups made (0 when fs or qt rules the run out)
    float deltaC = tools::kNull;  // |c_chart - c| of the last try
};

// One run of the iteration from `startC` at the stress `ves` (atm). Writes Q, FR, Fs1 and c to
// the point. With fs <= 0 or qt <= 0 all four are missing. Without closure after 250 tries Q,
// c and Fs1 are missing (the caller logs the poor closure). Throws DataError "VES932" for
// VES <= 0 and "VES342" when VES^c is 0.
ExponentRun IterateExponentC(const charts::ChartTable& charts, DepthPoint& point, float startC,
                             float ves);
// The same with the cQc chart's crossings kept between runs: both runs of a depth point look
// up the same FR, and so does its XYC chart-direction value.
ExponentRun IterateExponentC(const charts::ChartTable& charts, DepthPoint& point, float startC,
                             float ves, charts::LineCrossings& crossings);

// The two starts disagree when their exponents differ by more than this.
inline constexpr double kAllowedSpread = 0.03;

// The chart-direction values of the cQc chart at the point's (FR, Q): both lookup directions
// and their difference in % of the XYC value.
struct DirectionValues {
    float byXyc = tools::kNull;
    float byYxc = tools::kNull;
    float deltaPercent = tools::kNull;
};
DirectionValues ChartDirectionValues(const charts::ChartTable& charts, const DepthPoint& point);
DirectionValues ChartDirectionValues(const charts::ChartTable& charts, const DepthPoint& point,
                                     charts::LineCrossings& crossings);

// The chart-direction line of a point (without its line end), appended or as a text.
void AppendChartDirectionLine(std::string& line, const DepthPoint& point,
                              const DirectionValues& direction);
std::string ChartDirectionLine(const DepthPoint& point, const DirectionValues& direction);

}  // namespace kavo::normalization
