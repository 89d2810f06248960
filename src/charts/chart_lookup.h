// Reading a value off a chart: the contour value at a point (FR %, Qc1 atm), or the FR at
// which a contour value is reached, interpolated between the two lines that enclose it.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "charts/sld_chart.h"
#include "normalization/column_id.h"

namespace kavo::charts {

// The mode of a lookup text ("XYC", "YXC", "YCX", "XCY", "CXY", "CYX"; "" for the chart's
// own). Trimmed and compared in capitals; other text throws ProgrammingError.
LookupMode ParseLookupMode(std::string_view text);

// Base-10 logarithm as a single; -5435 when v <= 0.
float Log10OrNull(float v);
// 10 raised to v as a single when v is not -5435 and |v| <= 5; otherwise -5435.
float Pow10OrNull(float v);

// The slope (y2 - y1) / (x2 - x1), a zero difference taken as 1E-7 on either axis.
float SegmentSlope(float x1, float x2, float y1, float y2);

// Straight-line interpolation (or extrapolation) through (x1, y1) and (x2, y2) at x; logX
// and logY say which axes are logarithmic.
float InterpolateOnAxes(float x, float x1, float x2, float y1, float y2, bool logX, bool logY);

struct SegmentHitResult {
    bool hit = false;
    bool beyond = false;  // before the first point or past the last point of the line
};
// Whether probe p falls on the segment from a (point i - 1) to b (point i) of a line of n
// points, the first and last segments also taking the probes beyond the line's ends.
SegmentHitResult SegmentHit(float p, float a, float b, int i, int n);

// Where the lines of a chart cross the probe line (FR fixed for XYC, Qc1 fixed for YXC and
// YCX): the logarithm of the other coordinate, or no crossing. A lookup crosses the lines only
// as far as its search goes, and one that is handed the crossings of its chart, mode and probe
// reuses them, so the tries of the exponent iteration (one FR, a new Qc1 each) scan each line
// once.
struct LineCrossings {
    const SldChart* chart = nullptr;  // none computed yet
    LookupMode mode = LookupMode::ChartDefault;
    float probe = tools::kNull;
    float logProbe = tools::kNull;
    std::int16_t linesCrossed = 0;  // lines 1..linesCrossed have their crossing
    std::array<bool, kMaxLines> hit{};
    std::array<float, kMaxLines> logOther{};
    // The last pair of lines found enclosing a target (the upper line, 0 for none yet) with
    // their crossing values and the logarithms of those: the tries that stay between the same
    // two lines need the same ones again.
    std::int16_t enclosingLine = 0;
    float lowerCrossing = tools::kNull;
    float upperCrossing = tools::kNull;
    float logLowerCrossing = tools::kNull;
    float logUpperCrossing = tools::kNull;
};

// Reads the chart at the point: X (FR %), Y (Qc1 atm) and C (contour value); the mode's
// computed quantity is overwritten (C for XYC and YXC, X for YCX). Returns inChart: false
// when the point lies outside the chart's frame (the computed quantity is then -5435),
// true otherwise, also when no pair of lines encloses the point (computed -5435).
// Throws ProgrammingError for a mode other than XYC, YXC or YCX inside the frame.
bool LookupChart(float& x, float& y, float& c, const SldChart& chart,
                 LookupMode mode = LookupMode::ChartDefault);
// The same with the crossings kept between lookups.
bool LookupChart(float& x, float& y, float& c, const SldChart& chart, LookupMode mode,
                 LineCrossings& crossings);
// The same on slot `chart` (1..count) of the table.
bool LookupChart(float& x, float& y, float& c, const ChartTable& table, std::int16_t chart,
                 LookupMode mode = LookupMode::ChartDefault);
bool LookupChart(float& x, float& y, float& c, const ChartTable& table, std::int16_t chart,
                 LookupMode mode, LineCrossings& crossings);

// The first slot whose normalised identifier and method equal the column's base name and
// method (exactly, with case). Throws DataError "GZS101" when no chart fits.
std::int16_t FindChartIndex(const ChartTable& table, std::string_view normalisedId,
                            std::string_view method);

// Notes in the column the slot of the chart FindChartIndex would give it in `table` (0 when
// there is none: the lookup then searches and reports the missing chart when it needs it).
void ResolveColumnChart(normalization::ColumnSpec& column, const ChartTable& table);

}  // namespace kavo::charts
